#pragma once

// Messages of the vector maximum approach, exactly as the user sees them.
namespace msg {

inline constexpr char kVmaReachedLimit[] = "reached limit of bases";
inline constexpr char kVmaNoMemory[] = "No more memory to save new solutions";
inline constexpr char kVmaComputed[] = "VMA has computed %1 eficient vertex solutions";
inline constexpr char kContractedVmaFound[] = "%1 vertex eficient solutions were found";
// Appended to the closing box when the walk did not examine every basis.
inline constexpr char kVmaStoppedByUser[] = "The run was stopped by the user: not every efficient basis was examined.";
inline constexpr char kVmaStoppedByFailure[] = "The run was stopped by the failure above: not every efficient basis was examined.";
// The box that shows the progress of a run.
inline constexpr char kVmaProgressTitle[] = "VMA-Vector Maximum Approach";
inline constexpr char kVmaProgress[] = "Bases found: %1\nBases examined: %2\nVertices stored: %3";

} // namespace msg
