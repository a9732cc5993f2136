#pragma once

// Texts of the weight space window, exactly as the user sees them.
namespace msg {

inline constexpr char kWeightSpaceCaption[] = "Weight Space";
inline constexpr char kContractedConeCaption[] = "Weight Space of the Contracted Cone";
inline constexpr char kShowOneTitle[] = "Show One";
inline constexpr char kShowOnePrompt[] = "What is the solution index to be displayed?";
inline constexpr char kShowOneRegionTitle[] = "Do you want to see only one region?";
inline constexpr char kShowOneRegionPrompt[] = "Region index (degenerate solution):";
inline constexpr char kInvalidData[] = "Invalid data";
inline constexpr char kLimitsNotConsidered[] = "Limitations imposed on the o.f. values will not be  considered";
inline constexpr char kLimitAreaTitle[] = "Limitations on objective functions";
inline constexpr char kLimitAreaPrompt[] = "Choose an objective function";
inline constexpr char kWholeRegionSatisfies[] = "The whole feasible region satisfies this constraint";
inline constexpr char kNadirAreaTitle[] = "Where is the nadir?";
inline constexpr char kNadirAreaPrompt[] = "Nadir of the objective function...";
inline constexpr char kNadirAlreadyKnown[] = "ALREADY KNOWN: the nadir for F%1 is %2, given by solution %3";
inline constexpr char kNadirFoundNew[] = "FOUND: the nadir for F%1is %2 given by the solution %3";
inline constexpr char kNadirFoundPayoff[] = "FOUND: the nadir for F%1is %2 and it is in the payoff table (solution %3)";
inline constexpr char kSavePictureTitle[] = "Save picture as a bitmap";

} // namespace msg
