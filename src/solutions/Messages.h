#pragma once

// Messages of the Solution Basket and the computations around it, exactly as
// the user sees them.
namespace msg {

inline constexpr char kSolutionDegenerate[] = "Solution %1 is degenerate: new basis computed";
inline constexpr char kSolutionAlreadySaved[] = "Solution already saved (index %1)";
inline constexpr char kNoMemoryForSolutions[] = "No more memory to save solutions!";
inline constexpr char kLastSolutionSaved[] = "Last solution saved with the index %1";

inline constexpr char kDeleteTitle[] = "Delete...";
inline constexpr char kDeletePrompt[] = "One solution or a Range of solutions: (Ex: 1 or 3-5)";
inline constexpr char kCannotDeleteRegion[] = "Basic efficient solutions represented on the Weight space cannot be deleted";
inline constexpr char kCannotDeleteOptima[] = "The individual optima cannot be deleted";

inline constexpr char kStoreOptionsTitle[] = "Options to save solutions";
inline constexpr char kStoreOptionsCaption[] = "Store in the Solution Basket, automatically: ";
inline constexpr char kStoreOnlyExtreme[] = "Only the nondominated extreme points [recommended]";
inline constexpr char kStoreAll[] = "All the nondominated solutions computed";

inline constexpr char kWeaklyEfficient[] = "Solution %1 is weakly efficient";
inline constexpr char kNoMemoryForRegionsBox[] = "No more memory to save indiference regions!!";
inline constexpr char kNoMemoryForRegionsStatus[] = "No more memory to save indiference regions!";

} // namespace msg

namespace msg {

inline constexpr char kNotAFloat[] = "'%1' is not a valid floating point value";
inline constexpr char kWeightsBetween0And1[] = "Choose weights between 0 and 1";
inline constexpr char kWeightsNonNegative[] = "The weights must be >=0";
inline constexpr char kWeightsAllZero[] = "At least one weight must be greater than 0";
inline constexpr char kInvalidValues[] = "Invalid Values!";
inline constexpr char kInvalidFunction[] = "Invalid function:";
inline constexpr char kEConstraintNeedsTwo[] = "The e-constraint technique needs at least two objective functions";
inline constexpr char kComputingPayoff[] = "Computing Pay-Off";

inline constexpr char kObjectiveSelectionTitle[] = "Objective selection";
inline constexpr char kObjectiveSelectionPrompt[] = "What is the objective function to be optimized?";
inline constexpr char kSumWeightsTitle[] = "Weights for weighted-sum";
inline constexpr char kTchebWeightsTitle[] = "Weights for Tchebycheff metric";
inline constexpr char kSolveCaption[] = "SOLVE";

} // namespace msg
