#pragma once

#include "lp/LpEngine.h"
#include "lp/LpTables.h"
#include "base/Notices.h"

#include <vector>

// The hand-over of scalarizing programs to lp_solve 5.5. This is the only
// place that includes lp_solve's header and sees its numbering (rows first,
// then columns); everything read back is in the program's own numbering.
//
// One model is built, solved and deleted per call. `sense` is +1 to
// maximize, -1 to minimize.
//
// Every answer is checked before it counts:
// - a column with lower bound above its upper bound: Infeasible, lp_solve
//   is not called (lp.call = NotCalled);
// - a badly scaled program is handed over scaled (ProgramScale.h) and read
//   back in its own units;
// - a value at or beyond lp_solve's infinity, or a profitable column with no
//   bound that way and no entry that restricts it (entries below
//   kNegligibleCoefficientRatio of their row's right-hand side count as
//   none), makes the answer Unbounded;
// - the read-back must satisfy B x_B = b - N x_N, the rows and the bounds
//   within kResidualTol of their scale (AnswerCheck.h), else Imprecise;
// - a stop asked for through `control` gives Stopped; without a control of
//   their own, SolveScalarizing and SolveFromBasis honour the one attached
//   to the evaluator (the engine's).
// lp.call tells whether lp_solve answered; lp.status is the outcome.

// Solves the program in `lp` and fills its read-back. With `full` the
// simplex tableau of the final basis is computed too (lp_solve 5.5.2 has no
// call for it: the evaluator inverts the basis that lp_solve reports), with
// presolve and lp_solve's own scaling off.
SolveStatus SolveScalarizing(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator);
SolveStatus SolveScalarizing(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator,
                             const SolveControl& control);
// The same on the engine's tables, evaluator and control.
SolveStatus SolveScalarizing(LpEngine& engine, bool full, int sense);

// As SolveScalarizing, starting from the basis lp.basicList[1..lpRowCount]
// with the columns flagged in lp.atUpper nonbasic at their upper bound.
SolveStatus SolveFromBasis(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator);
SolveStatus SolveFromBasis(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator,
                           const SolveControl& control);
SolveStatus SolveFromBasis(LpEngine& engine, bool full, int sense);

// A small program given by its own tables, for the auxiliary programs of
// other procedures (any number of columns). 1-based like LpTables: index 0
// of every vector is unused.
struct ValueProgram {
    int columnCount = 0;
    int rowCount = 0;
    std::vector<std::vector<Real>> rows; // rows[r][1..columnCount]
    std::vector<RowType> rowType;
    std::vector<Real> rowRhs;
    std::vector<Real> objective;         // [1..columnCount]
    std::vector<LpBound> bounds;         // [1..columnCount]

    ValueProgram() = default;
    ValueProgram(int columns, int rowCount);
    // The program in the tables of a scalarizing program.
    static ValueProgram fromTables(const LpTables& lp);
};

struct ValueSolution {
    SolveStatus status = SolveStatus::Other;
    CallStatus call = CallStatus::Answered;
    Real objective = 0;
    // values[1..columns] the column values, then values[columns + r] the
    // activity (left-hand side) of row r.
    std::vector<Real> values;
};

// Solves for the optimal value only: presolve and scaling at lp_solve's
// defaults, no basis and no tableau. Checked as above (values, rows and
// bounds).
ValueSolution SolveForValue(const ValueProgram& program, int sense, const SolveControl& control = {});

// The message of a failed solve (none for Optimal).
[[nodiscard]] Notices SolveStatusNotices(SolveStatus status);
