#pragma once

// Texts that more than one part of the program shows, exactly as the user
// sees them.

namespace msg {

inline constexpr char kProductName[] = "Quilvane";
inline constexpr char kProductLongTitle[] = "Interactive Multiple Objective Linear Programming";

inline constexpr char kFilterMlp[] = "MOLP data (*.mlp)";
inline constexpr char kFilterMps[] = "MPS format (*.mps)";
inline constexpr char kFilterMpsText[] = "text (*.txt)";
inline constexpr char kFilterVlp[] = "Vector linear program (*.vlp)";
inline constexpr char kFilterRtf[] = "Rich Text Files (*.RTF)";
inline constexpr char kFilterTxt[] = "Text Files (*.TXT)";

inline constexpr char kFileNotFound[] = "File not found";
inline constexpr char kTooBig[] = "Can\u00B4t read this problem. It is too big!";
inline constexpr char kConversionError[] = "Error in converting the problem";

inline constexpr char kNotAnInteger[] = "'%1' is not a valid integer value";
inline constexpr char kOverwrite[] = "OK to overwrite %s";
inline constexpr char kNotAFloat[] = "'%1' is not a valid floating point value";

} // namespace msg
