#pragma once

// The texts of the main window and its command flows, exactly as the user
// sees them.

namespace msg {

inline constexpr char kProductName[] = "Quilvane";
inline constexpr char kProductLongTitle[] = "Interactive Multiple Objective Linear Programming";

inline constexpr char kFilterMlp[] = "MOLP data (*.mlp)";
inline constexpr char kFilterMps[] = "MPS format (*.mps)";
inline constexpr char kFilterMpsText[] = "text (*.txt)";
inline constexpr char kFilterRtf[] = "Rich Text Files (*.RTF)";
inline constexpr char kFilterTxt[] = "Text Files (*.TXT)";

inline constexpr char kFileNotFound[] = "File not found";
inline constexpr char kTooBig[] = "Can\u00B4t read this problem. It is too big!";
inline constexpr char kConversionError[] = "Error in converting the problem";

inline constexpr char kInvalidNumbers[] = "Invalid Numbers!";
inline constexpr char kTooManyObjectives[] = "Too many objective functions (max %1)";
inline constexpr char kTooManyVariables[] = "Too many variables (max %1)";
inline constexpr char kTooManyConstraints[] = "Too many constraints (max %1)";

inline constexpr char kEditWarning[] =
    "With this operation you will loose previous computations. Do you want to continue?";
inline constexpr char kCommandNotAvailable[] = "This command is not available in this build.";

inline constexpr char kConsiderLimitations[] =
    "Do you want to consider the limitations imposed on the o.f. values?";
inline constexpr char kKeepLimitations[] = "Do you want to keep the limitations imposed on the o.f. values?";
inline constexpr char kVmaQuestionWithLimits[] =
    "This operation may require a lot of time and memory as it computes all extreme efficient solutions. "
    "Additional limitations on the objective functions will not be considered. Do you want to continue?";
inline constexpr char kVmaQuestion[] =
    "This operation may require a lot of time and memory as it computes all extreme efficient solutions. "
    "Do you want to continue?";

inline constexpr char kNotAnInteger[] = "'%1' is not a valid integer value";
inline constexpr char kOverwrite[] = "OK to overwrite %s";

// Sizes dialog.
inline constexpr char kSizesTitle[] = "Parameters";
inline constexpr char kSizesObjectives[] = "Number of objective functions:";
inline constexpr char kSizesVariables[] = "Number of decision variables:";
inline constexpr char kSizesConstraints[] = "Number of constraints:";
inline constexpr char kSizesConstraintsNote[] = "(Except variable bounds)";

} // namespace msg
