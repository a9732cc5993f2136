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
