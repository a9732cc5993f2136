#pragma once

// The texts of the MPS and .vlp readers, exactly as the user sees them. A
// refusal names the line ("Line 12: ...") under the message of its kind.

namespace filemsg {

inline constexpr char kAtLine[] = "Line %1: %2.";
inline constexpr char kLine[] = "Line %1.";
inline constexpr char kInputErrorAtLine[] = "Input error in line %1: %2.";

// MPS.
inline constexpr char kRowType[] = "row type \"%1\" is not N, L, G or E";
inline constexpr char kRowWithoutName[] = "a row without a name";
inline constexpr char kRowTwice[] = "row \"%1\" is defined twice";
inline constexpr char kUnknownSection[] = "section \"%1\" is not supported here";
inline constexpr char kIntegerMarker[] = "integer markers are not supported";
inline constexpr char kColumnWithoutName[] = "a column without a name";
inline constexpr char kSplitColumn[] = "the lines of column \"%1\" are not consecutive";
inline constexpr char kUndefinedRow[] = "row \"%1\" is not in the ROWS section";
inline constexpr char kUndefinedColumn[] = "column \"%1\" is not in the COLUMNS section";
inline constexpr char kBoundType[] = "bound type \"%1\" is not supported (a variable needs a finite lower bound)";
inline constexpr char kNegativeUpperBound[] = "a negative upper bound on a column bounded below by 0";
inline constexpr char kFieldCount[] = "%1 fields where a %2 line has %3";
inline constexpr char kObjSense[] = "OBJSENSE \"%1\" is not MAX, MAXIMIZE, MIN or MINIMIZE";
inline constexpr char kObjSenseMissing[] = "OBJSENSE without MAX or MIN";
inline constexpr char kNoObjectiveRow[] = "the file has no objective row (N)";
inline constexpr char kNoColumn[] = "the file has no column";
inline constexpr char kTooManyRows[] = "more than %1 rows";
inline constexpr char kTooManyColumns[] = "more than %1 columns";
inline constexpr char kTooManyObjectiveRows[] = "more than %1 objective rows";
inline constexpr char kSameShortName[] = "%1 names \"%2\" and \"%3\" are the same in their first %4 characters";
inline constexpr char kColumnKind[] = "column";
inline constexpr char kObjectiveKind[] = "objective";

// .vlp.
inline constexpr char kVlpNoProblemLine[] = "the file has no p line";
inline constexpr char kVlpBeforeProblemLine[] = "\"%1\" comes before the p line";
inline constexpr char kVlpProblemLine[] = "the p line is \"p vlp min|max m n nz q qnz\"";
inline constexpr char kVlpSecondProblemLine[] = "a second p line";
inline constexpr char kVlpOtherCone[] =
    "only the natural ordering cone is supported; the file declares another (\"%1\")";
inline constexpr char kVlpUnknownLine[] = "\"%1\" is not a line of the .vlp format";
inline constexpr char kVlpWordCount[] = "a %1 line has %2 words, not %3";
inline constexpr char kVlpNotAnInteger[] = "\"%1\" is not a whole number";
inline constexpr char kVlpNotANumber[] = "\"%1\" is not a number";
inline constexpr char kVlpNegativeCount[] = "the counts of the p line must not be negative";
inline constexpr char kVlpNoObjective[] = "the problem has no objective";
inline constexpr char kVlpNoColumn[] = "the problem has no variable";
inline constexpr char kVlpIndex[] = "%1 %2 is outside 1..%3";
inline constexpr char kVlpTwice[] = "%1 given twice";
inline constexpr char kVlpBoundType[] = "bound type \"%1\" is not f, l, u, d or s";
inline constexpr char kVlpNoLowerBound[] = "column %1 has no lower bound, and every variable needs one";
inline constexpr char kVlpEntryCount[] = "the p line announces %1 %2 entries, the file has %3";
inline constexpr char kVlpNoEnd[] = "the file ends without its e line";
inline constexpr char kVlpTooManyRows[] = "%1 constraints, at most %2";
inline constexpr char kVlpTooManyColumns[] = "%1 variables, at most %2";
inline constexpr char kVlpTooManyObjectives[] = "%1 objectives, at most %2";
inline constexpr char kVlpConstraintKind[] = "constraint";
inline constexpr char kVlpObjectiveKind[] = "objective";
inline constexpr char kVlpRowKind[] = "row";
inline constexpr char kVlpColumnKind[] = "column";

} // namespace filemsg
