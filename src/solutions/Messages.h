#pragma once

#include "base/Messages.h"

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

namespace msg {

// The results file (.out).
inline constexpr char kFilterOut[] = "Output file (*.out)";
inline constexpr char kExportResultsTitle[] = "Export data to a file in disk";
inline constexpr char kImportResultsTitle[] = "Import solutions from disk";
inline constexpr char kResultsCannotOpen[] = "Cannot open %1: %2";
inline constexpr char kResultsCannotWrite[] = "Cannot write %1: %2";
inline constexpr char kResultsNoMemory[] = "No more memory to read the results file";
// A refused results file: the line, then one of the reasons below.
inline constexpr char kResultsLineError[] = "Error in line %1 of the results file: %2";
inline constexpr char kResultsEnds[] = "the file ends before the results are complete";
inline constexpr char kResultsCutShort[] = "the last line has no line end, so the file may be cut short";
inline constexpr char kResultsNotANumber[] = "\"%1\" is not a valid number";
inline constexpr char kResultsHeadingExpected[] = "a heading line starting with \"//\" was expected";
inline constexpr char kResultsExtraValues[] = "\"%1\" follows the values of this line";
inline constexpr char kResultsMoreObjectives[] =
    "more than %1 values: the file is of a problem with another number of objective functions";
inline constexpr char kResultsMoreVariables[] =
    "more than %1 values: the file is of a problem with another number of variables or constraints";
inline constexpr char kResultsNoSolutions[] = "%1 solutions: the file must hold at least one";
inline constexpr char kResultsBadSolutionCount[] = "%1 is not a valid number of solutions";
inline constexpr char kResultsBadRegionCount[] = "%1 is not a valid number of indifference regions";
inline constexpr char kResultsBadEdgeCount[] = "%1 is not a valid number of edges";
inline constexpr char kResultsNoBases[] = "%1 bases: a solution has at least one";
inline constexpr char kResultsBasisTooLong[] = "a basis has at most %1 columns";
inline constexpr char kResultsBadColumn[] = "%1 is not a column of this problem (1 to %2)";
inline constexpr char kResultsBadColour[] = "%1 is not a colour";
inline constexpr char kResultsBadRegion[] = "region %1 does not exist: the file has %2 regions";
inline constexpr char kResultsChainLoops[] = "the region chain of solution %1 comes back to region %2";
inline constexpr char kResultsRegionShared[] = "region %1 already belongs to solution %2";
inline constexpr char kResultsBadVertexCount[] = "%1 vertices: a region has 0 to %2";
inline constexpr char kResultsVertexNotAWeight[] = "%1 is not a weight: region vertices lie in [0, 1]";
inline constexpr char kResultsUnusedRegions[] = "only %1 of the %2 regions belong to a solution";
inline constexpr char kResultsBadPayoffIndex[] = "pay-off solution %1 is not in the basket (1 to %2)";
inline constexpr char kResultsBadEdge[] = "solution %1 of an edge is not in the basket (1 to %2)";
inline constexpr char kResultsTrailingText[] = "unexpected text after the last edge";
// What no computation stores: refused as damaged or made-up results.
inline constexpr char kResultsTooManyBases[] = "%1 bases: a solution has at most %2";
inline constexpr char kResultsBasisOnOneLine[] = "a basis must stand on its own line, ending with its 0";
inline constexpr char kResultsRepeatedColumn[] = "column %1 appears twice in one basis";
inline constexpr char kResultsRepeatedBasis[] = "solution %1 lists the same basis twice";
inline constexpr char kResultsRegionsNeedTwoOrThree[] =
    "%1 indifference regions: only a problem with 2 or 3 objective functions has them";
inline constexpr char kResultsTooManyRegions[] = "%1 indifference regions: %2 solutions have at most %3";
inline constexpr char kResultsTooManyEdges[] = "%1 edges: %2 indifference regions have at most %3";
// %1 count, %2 what ("solutions", "bases" ...), %3 bytes left in the file.
inline constexpr char kResultsCountBeyondFile[] = "%1 %2 cannot fit in the %3 bytes left in the file";

} // namespace msg
