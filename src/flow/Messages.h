#pragma once

#include "base/Messages.h"

// The texts of the main window and its command flows, exactly as the user
// sees them.

namespace msg {

inline constexpr char kInvalidNumbers[] = "Invalid Numbers!";
inline constexpr char kTooManyObjectives[] = "Too many objective functions (max %1)";
inline constexpr char kTooManyVariables[] = "Too many variables (max %1)";
inline constexpr char kTooManyConstraints[] = "Too many constraints (max %1)";

inline constexpr char kEditWarning[] =
    "With this operation you will loose previous computations. Do you want to continue?";
inline constexpr char kDiscardSolutions[] =
    "The solutions computed for this problem have not been exported. Save them to a results file first?";
inline constexpr char kSolvingTitle[] = "Computing";
inline constexpr char kSolving[] = "Solving the scalarizing program...";

inline constexpr char kConsiderLimitations[] =
    "Do you want to consider the limitations imposed on the o.f. values?";
inline constexpr char kKeepLimitations[] = "Do you want to keep the limitations imposed on the o.f. values?";
inline constexpr char kVmaQuestionWithLimits[] =
    "This operation may require a lot of time and memory as it computes all extreme efficient solutions. "
    "Additional limitations on the objective functions will not be considered. Do you want to continue?";
inline constexpr char kVmaQuestion[] =
    "This operation may require a lot of time and memory as it computes all extreme efficient solutions. "
    "Do you want to continue?";

// Sizes dialog.
inline constexpr char kSizesTitle[] = "Parameters";
inline constexpr char kSizesObjectives[] = "Number of objective functions:";
inline constexpr char kSizesVariables[] = "Number of decision variables:";
inline constexpr char kSizesConstraints[] = "Number of constraints:";
inline constexpr char kSizesConstraintsNote[] = "(Except variable bounds)";

} // namespace msg
