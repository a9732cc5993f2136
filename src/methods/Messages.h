#pragma once

// The texts of STEM and Pareto Race, exactly as the user sees them.

namespace msg {

// STEM relaxation dialog.
inline constexpr char kRelaxTitle[] = "Relax Objective Functions";
inline constexpr char kRelaxFunctions[] = "Functions";
inline constexpr char kRelaxAmounts[] = "Relax Amounts";
inline constexpr char kRelaxInvalidNumbers[] = "Invalid numbers!";
inline constexpr char kRelaxNegative[] = "Relaxtion quantities must be positive";
inline constexpr char kRelaxNone[] = "At least one objective must be relaxed";
inline constexpr char kRelaxTooMany[] = "No more than %1 can be relaxed";
// The weight sum of an iteration would be 0.
inline constexpr char kStemNoWeightLeft[] =
    "Every objective left unrelaxed has weight 0 in STEM (its pay-off column is constant): "
    "keep at least one objective with a nonzero weight unrelaxed";
inline constexpr char kStemNoWeights[] =
    "STEM cannot start: every objective has the same value in all solutions of the pay-off table, "
    "so none gets a weight";

// Pareto Race.
inline constexpr char kRangesTitle[] = "Ranges for the objective functions";
inline constexpr char kRangesLower[] = "Lower Value";
inline constexpr char kRangesUpper[] = "Upper Value";
inline constexpr char kRangesOrder[] = "Upper values must be larger than lower values";
inline constexpr char kChangeDirectionTitle[] = "Change Direction";
inline constexpr char kChangeDirectionPrompt[] = "Objective function to be improved:";
inline constexpr char kFixTitle[] = "\"Fix\" objective function";
inline constexpr char kFixPrompt[] = "Objective to be bounded to its current value";
inline constexpr char kNothingBounded[] = "No objective function was bounded";
inline constexpr char kRelaxRaceTitle[] = "Relax objective function";
inline constexpr char kRelaxRacePrompt[] = "Index of thr objective function to be relaxed:";
inline constexpr char kRelaxInvalidData[] = "Invalid data";
inline constexpr char kRelaxNotBounded[] = "This objective function was not bounded";
inline constexpr char kRelaxWillResolve[] =
    "The objective function %1 will be relaxed. The scalarizing problem will be resolved without this bound";

// ICW.
inline constexpr char kIcwSelectionTitle[] = "ICW selection";
inline constexpr char kIcwHeading[] = "What solution do you prefer?";
inline constexpr char kIcwHeadingMarked[] = "What solution [Weights] do you prefer?";
inline constexpr char kIcwNoSelection[] = "No solution was selected, so the ICW iteration cannot be performed";
inline constexpr char kIcwOriginalCone[] = "with the original cone of the criteria";
inline constexpr char kIcwContractedCone[] = "with the contracted cone of the criteria";
// A vector whose weighted sum has given no solution yet.
inline constexpr char kIcwNoSolution[] = "No solution computed";
inline constexpr char kIcwOneObjective[] =
    "ICW needs at least two objective functions: with a single objective there is no cone of criteria to "
    "contract";
inline constexpr char kIcwFailedVectors[] =
    "%1 of the %2 weighted sums of this iteration gave no solution; their vectors keep the solution they had before";

// The race panel.
inline constexpr char kRaceGo[] = "GO";
inline constexpr char kRaceForward[] = ">>";
inline constexpr char kRaceBackward[] = "<<";
inline constexpr char kRaceSpeed[] = "Speed";
inline constexpr char kRaceSpeedHint[] = "Speed of motion";
inline constexpr char kRaceChangeDirection[] = "Change direction";

} // namespace msg
