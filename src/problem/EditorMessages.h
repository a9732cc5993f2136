#pragma once

// The texts of the problem editor and its dialogs, exactly as the user sees
// them.

namespace editmsg {

// Window.
inline constexpr char kCaptionPrefix[] = "Edit problem:    ";
inline constexpr char kShowTables[] = "&Obj. functions and Constraints";
inline constexpr char kVariableBounds[] = "&Variable bounds";
inline constexpr char kSaveAs[] = "Save as ...";
inline constexpr char kSaveAsText[] = "Save as text ...";
inline constexpr char kSaveAsVlp[] = "Save as VLP ...";
inline constexpr char kExitEdit[] = "E&xit Edit";
inline constexpr char kInsertMenu[] = "&Insert";
inline constexpr char kDeleteMenu[] = "&Delete";
inline constexpr char kObjectiveItem[] = "&Objective";
inline constexpr char kConstraintItem[] = "&Constraint";
inline constexpr char kVariableItem[] = "&Variable";
inline constexpr char kHelpMenu[] = "Help";
inline constexpr char kHelpItem[] = "Quilvane Help";
inline constexpr char kEditConstraints[] = "Edit Constraints";
inline constexpr char kEditFunctions[] = "Edit Functions";
inline constexpr char kValidate[] = "Validate";
inline constexpr char kRandom[] = "&Random";

// Tables.
inline constexpr char kObjectivesCorner[] = "O.F.";
inline constexpr char kSenseHeader[] = "max/min";
inline constexpr char kConstraintsCorner[] = "Constr.";
inline constexpr char kTypeHeader[] = "(<,>,=)";
inline constexpr char kRhsHeader[] = "b";
inline constexpr char kInvalidValue[] = "Invalid value";

// Names.
inline constexpr char kVariableNameTitle[] = "New name for the variable?";
inline constexpr char kVariableNamePrompt[] = "Name of the variable (max. 10 char.)";
inline constexpr char kObjectiveNameTitle[] = "New name for the objective function?";
inline constexpr char kObjectiveNamePrompt[] = "Name of the objective function (max. 10 char.)";

// Insert and delete.
inline constexpr char kNoMoreObjectives[] = "No more objective functions are possible";
inline constexpr char kNoMoreConstraints[] = "No more constraints are possible";
inline constexpr char kNoMoreVariables[] = "No more variables are possible";
inline constexpr char kDeleteTitle[] = "Delete...";
inline constexpr char kDeleteObjectivePrompt[] = "Objective Function index:";
inline constexpr char kDeleteConstraintPrompt[] = "Constraint index:";
inline constexpr char kDeleteVariablePrompt[] = "Variable index:";

// Random numbers.
inline constexpr char kNotNumericalCell[] = "This is not a numerical cell";
inline constexpr char kRandomTitle[] = "Random Numbers";
inline constexpr char kIntegerRandom[] = "Integer random number(s)";
inline constexpr char kBetween[] = "between";
inline constexpr char kAnd[] = "and";
inline constexpr char kProbability[] = "probability:";
inline constexpr char kObjectGroup[] = "Object";
inline constexpr char kForCurrentCell[] = "for current cell";
inline constexpr char kForCurrentRow[] = "for current row";
inline constexpr char kForAllRhs[] = "for all RHS values";
inline constexpr char kForCurrentRowExceptRhs[] = "for current row (except RHS)";
inline constexpr char kForAllCoefficients[] = "for all coefficients";
inline constexpr char kAttentionProbabilities[] = "Atention to probabilities";
inline constexpr char kRangeMaxBelowMin[] =
    "Range R%1: the upper limit (%2) is below the lower limit (%3). Choose an upper limit at least as large.";
inline constexpr char kRangeLimitTooLarge[] =
    "Range R%1: '%2' is too large; the limits of a range lie between -2147483648 and 2147483647.";

// Variable bounds.
inline constexpr char kVariableDialogTitle[] = "Variable definition";
inline constexpr char kVarIndex[] = "Var index:";
inline constexpr char kName[] = "Name:";
inline constexpr char kBoundsGroup[] = "Bounds";
inline constexpr char kLowerBound[] = "Lower Bound:";
inline constexpr char kUpperBound[] = "Upper Bound:";
inline constexpr char kOk[] = "&OK";
inline constexpr char kNext[] = "&Next";
inline constexpr char kPrevious[] = "&Previous";
inline constexpr char kGoTo[] = "&Go to...";
inline constexpr char kGoToTitle[] = "Go to...";
inline constexpr char kGoToPrompt[] = "Variable index:";
inline constexpr char kNegativeLb[] = "Only non-negative values are accepted: LB will be set to 0";
inline constexpr char kNegativeUb[] = "Only non-negative values are accepted: UB will be set to 0";
inline constexpr char kUbBelowLb[] = "UB must be >= than LB: UB will be set to LB";

// Files.
inline constexpr char kSaveAsTitle[] = "Save as";
inline constexpr char kFilterMlpData[] = "MOLP Data (*.mlp)";
inline constexpr char kSaveAsTextTitle[] = "Save as text. Don\u00B4t forget to save as data!";
inline constexpr char kSaveAsVlpTitle[] = "Save as VLP";
inline constexpr char kFilterTextFile[] = "Text File (*.txt)";
inline constexpr char kSaveChanges[] = "Save changes to %1?";

} // namespace editmsg
