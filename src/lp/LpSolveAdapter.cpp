#include "lp/LpSolveAdapter.h"

#include "lp/AnswerCheck.h"
#include "lp/BasisEvaluator.h"
#include "lp/LpTolerances.h"
#include "lp/Messages.h"
#include "lp/ProgramScale.h"

#include <lpsolve/lp_lib.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace {

constexpr std::size_t idx(int i) { return static_cast<std::size_t>(i); }

// lp_solve's model lives for one solve only; the deleter runs on every path.
struct ModelDeleter {
    void operator()(lprec* model) const { delete_lp(model); }
};
using Model = std::unique_ptr<lprec, ModelDeleter>;

// The row types of the program in lp_solve's terms; 0 for a code the
// program does not know (the build then fails).
int libraryRowType(RowType type)
{
    switch (type) {
    case RowType::LessEqual: return LE;
    case RowType::GreaterEqual: return GE;
    case RowType::Equal: return EQ;
    }
    return 0;
}

// Everything the build needs, in the program's layout.
struct BuildInput {
    int columns;
    int rows;
    const Real* objective;                                  // [1..columns]
    std::function<const Real*(int)> rowCoefficients;        // row r -> [1..columns]
    std::function<RowType(int)> rowType;
    std::function<Real(int)> rowRhs;
    std::function<const LpBound&(int)> bound;               // column j
    int sense;
};

bool noUpperBound(const LpBound& b) { return !isFinite(b.up); }
bool noLowerBound(const LpBound& b) { return !isFinite(b.lo); }

ProgramScale scaleOf(const BuildInput& in)
{
    ProgramScale scale;
    scale.compute(
        in.rows, in.columns, [&in](int r, int j) { return in.rowCoefficients(r)[j]; }, in.rowRhs,
        [&in](int j) { return in.objective[j]; });
    return scale;
}

// The scaled program as lp_solve's model; `call` says why there is none.
Model buildModel(const BuildInput& in, const ProgramScale& scale, CallStatus& call)
{
    call = CallStatus::LibraryError;
    Model model(make_lp(0, in.columns));
    if (!model)
        return nullptr;
    call = CallStatus::ModelNotBuilt;
    std::vector<REAL> row(idx(in.columns) + 1, 0.0);
    for (int j = 1; j <= in.columns; ++j) {
        if (!std::isfinite(in.objective[j]))
            return nullptr;
        row[idx(j)] = static_cast<REAL>(in.objective[j] * scale.objective * scale.col[idx(j)]);
    }
    if (!set_obj_fn(model.get(), row.data()))
        return nullptr;
    if (!set_add_rowmode(model.get(), TRUE))
        return nullptr;
    for (int r = 1; r <= in.rows; ++r) {
        const int type = libraryRowType(in.rowType(r));
        if (type == 0 || !std::isfinite(in.rowRhs(r)))
            return nullptr;
        const Real* coef = in.rowCoefficients(r);
        for (int j = 1; j <= in.columns; ++j) {
            if (!std::isfinite(coef[j]))
                return nullptr;
            row[idx(j)] = static_cast<REAL>(coef[j] * scale.row[idx(r)] * scale.col[idx(j)]);
        }
        if (!add_constraint(model.get(), row.data(), type, static_cast<REAL>(in.rowRhs(r) * scale.row[idx(r)])))
            return nullptr;
    }
    if (!set_add_rowmode(model.get(), FALSE))
        return nullptr;
    // Default bounds (0 and no upper bound) are left to the library.
    for (int j = 1; j <= in.columns; ++j) {
        const LpBound& b = in.bound(j);
        const Real unit = scale.col[idx(j)];
        const REAL lo = noLowerBound(b) ? -kLibraryInfinity : static_cast<REAL>(b.lo / unit);
        const REAL up = noUpperBound(b) ? kLibraryInfinity : static_cast<REAL>(b.up / unit);
        if (b.lo != 0 && !set_lowbo(model.get(), j, lo))
            return nullptr;
        if (!noUpperBound(b) && !set_upbo(model.get(), j, up))
            return nullptr;
    }
    if (in.sense == 1)
        set_maxim(model.get());
    set_verbose(model.get(), IMPORTANT);
    call = CallStatus::Answered;
    return model;
}

BuildInput inputOf(const LpTables& lp, int sense)
{
    return BuildInput{
        lp.lpColumnCount,
        lp.lpRowCount,
        lp.lpObjective.data(),
        [&lp](int r) { return lp.lpRows[idx(r)].coef.data(); },
        [&lp](int r) { return lp.lpRows[idx(r)].type; },
        [&lp](int r) { return lp.lpRows[idx(r)].rhs; },
        [&lp](int j) -> const LpBound& { return lp.lpBounds[idx(j)]; },
        sense,
    };
}

bool boundsCross(const BuildInput& in)
{
    for (int j = 1; j <= in.columns; ++j)
        if (in.bound(j).lo > in.bound(j).up)
            return true;
    return false;
}

// A column whose cost pays in a direction without a bound and which no row
// restricts: lp_solve 5.5.2 then reports "optimal" with its infinity (or,
// without rows, with the column at 0).
bool hasUnboundedColumn(const BuildInput& in)
{
    for (int j = 1; j <= in.columns; ++j) {
        const Real gain = in.sense * in.objective[j];
        const LpBound& b = in.bound(j);
        if (gain == 0 || (gain > 0 && !noUpperBound(b)) || (gain < 0 && !noLowerBound(b)))
            continue;
        bool restricted = false;
        for (int r = 1; r <= in.rows && !restricted; ++r) {
            const Real a = std::fabs(in.rowCoefficients(r)[j]);
            restricted = a != 0 && a > kNegligibleCoefficientRatio * std::fabs(in.rowRhs(r));
        }
        if (!restricted)
            return true;
    }
    return false;
}

void setTolerances(lprec* model)
{
    set_epsb(model, kSolverEpsB);
    set_epsd(model, kSolverEpsD);
    set_epspivot(model, kSolverEpsPivot);
    set_epsel(model, kSolverEpsEl);
}

// Presolve would remove rows and columns the read-back refers to; the
// program is scaled before the build where it needs it.
void setFullSolveModes(lprec* model)
{
    set_presolve(model, PRESOLVE_NONE, 0);
    set_scaling(model, 0);
}

// The stop of one solve: lp_solve calls this during its iterations.
struct AbortCheck {
    const SolveControl* control = nullptr;
    std::chrono::steady_clock::time_point deadline;
    bool hasDeadline = false;
    bool stopped = false;

    explicit AbortCheck(const SolveControl& c) : control(&c)
    {
        if (c.timeLimitSeconds > 0) {
            hasDeadline = true;
            deadline = std::chrono::steady_clock::now()
                       + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                           std::chrono::duration<double>(c.timeLimitSeconds));
        }
    }
    bool due()
    {
        if (!stopped)
            stopped = (hasDeadline && std::chrono::steady_clock::now() >= deadline)
                      || (control->cancelRequested && control->cancelRequested());
        return stopped;
    }
};

int __WINAPI abortRequested(lprec*, void* handle)
{
    return static_cast<AbortCheck*>(handle)->due() ? TRUE : FALSE;
}

// Solves with the stop installed; the library's answer, or USERABORT.
int solveWithStop(lprec* model, const SolveControl& control, AbortCheck& check)
{
    if (control.timeLimitSeconds > 0 || control.cancelRequested)
        put_abortfunc(model, abortRequested, &check);
    const int result = solve(model);
    return check.stopped ? USERABORT : result;
}

struct Outcome {
    SolveStatus status;
    CallStatus call;
};

Outcome mapSolveResult(int result)
{
    switch (result) {
    case OPTIMAL: return {SolveStatus::Optimal, CallStatus::Answered};
    case INFEASIBLE: return {SolveStatus::Infeasible, CallStatus::Answered};
    case UNBOUNDED: return {SolveStatus::Unbounded, CallStatus::Answered};
    case NUMFAILURE: return {SolveStatus::NumericalFailure, CallStatus::Answered};
    case USERABORT:
    case TIMEOUT: return {SolveStatus::Stopped, CallStatus::Answered};
    case NOMEMORY: return {SolveStatus::Other, CallStatus::LibraryError};
    default: return {SolveStatus::Other, CallStatus::Answered}; // a sub-optimal result is not accepted
    }
}

// Program numbering of lp_solve's index v (rows first, then columns).
int programVariable(const LpTables& lp, int libraryIndex)
{
    const int rows = lp.lpRowCount;
    return libraryIndex <= rows ? lp.lpColumnCount + libraryIndex : libraryIndex - rows;
}

int libraryIndex(const LpTables& lp, int variable)
{
    return lp.isColumn(variable) ? lp.lpRowCount + variable : lp.slackRow(variable);
}

// The basis lp_solve reports, in the program numbering; false when the call
// fails or its answer is no basis of the program.
bool readBasis(lprec* model, LpTables& lp)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    std::vector<int> basis(idx(1 + rows + cols), 0);
    if (!get_basis(model, basis.data(), TRUE))
        return false;
    std::vector<bool> seen(idx(1 + rows + cols), false);
    for (int k = 1; k <= rows + cols; ++k) {
        const int index = std::abs(basis[idx(k)]);
        if (index < 1 || index > rows + cols || seen[idx(index)])
            return false;
        seen[idx(index)] = true;
    }
    for (int j = 1; j <= cols; ++j)
        lp.atUpper[idx(j)] = false;
    for (int i = 1; i <= rows; ++i)
        lp.basicList[idx(i)] = programVariable(lp, std::abs(basis[idx(i)]));
    lp.basicList[idx(rows + 1)] = 0;
    for (int k = 1; k <= cols; ++k) {
        const int entry = basis[idx(rows + k)];
        const int variable = programVariable(lp, std::abs(entry));
        lp.nonbasicList[idx(k)] = variable;
        if (entry > 0 && lp.isColumn(variable))
            lp.atUpper[idx(variable)] = true;
    }
    lp.nonbasicList[idx(cols + 1)] = 0;
    return true;
}

// The primal values in the program's units: [0] objective, [r] activity of
// row r, [rows + j] column j.
struct [[nodiscard]] PrimalRead {
    bool read = false;     // the call worked and every value is a number
    bool infinite = false; // a value is at lp_solve's infinity
    std::vector<Real> primal;
};

PrimalRead readPrimal(lprec* model, const ProgramScale& scale, int rows, int cols)
{
    PrimalRead out;
    std::vector<REAL> raw(idx(1 + rows + cols), 0.0);
    if (!get_primal_solution(model, raw.data()))
        return out;
    const REAL infinity = get_infinite(model);
    bool& infinite = out.infinite;
    std::vector<Real>& primal = out.primal;
    primal.assign(raw.size(), 0);
    for (std::size_t k = 0; k < raw.size(); ++k) {
        if (std::isnan(raw[k]))
            return out;
        infinite = infinite || std::fabs(raw[k]) >= infinity;
    }
    primal[0] = static_cast<Real>(raw[0]) / scale.objective;
    for (int r = 1; r <= rows; ++r)
        primal[idx(r)] = static_cast<Real>(raw[idx(r)]) / scale.row[idx(r)];
    for (int j = 1; j <= cols; ++j) {
        primal[idx(rows + j)] = static_cast<Real>(raw[idx(rows + j)]) * scale.col[idx(j)];
        infinite = infinite || !isFinite(primal[idx(rows + j)]);
    }
    out.read = true;
    return out;
}

// Values of the basis just read, from the primal solution.
void storeValues(LpTables& lp, const ProgramScale& scale, const std::vector<Real>& primal)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    lp.tabRows = rows + 1;
    lp.tabCols = cols + 1;
    auto columnValue = [&](int j) { return primal[idx(rows + j)]; };
    for (int k = 1; k <= cols; ++k) {
        const int v = lp.nonbasicList[idx(k)];
        lp.nonbasicValues[idx(k)] = lp.isColumn(v) ? columnValue(v) : 0;
    }
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[idx(i)];
        const int r = lp.slackRow(v);
        Real value = lp.isColumn(v) ? columnValue(v) : std::fabs(lp.lpRows[idx(r)].rhs - primal[idx(r)]);
        if (std::fabs(value) <= kBasicValueZeroTol * scale.unitOf(v, cols))
            value = 0;
        lp.basicValues[idx(i)] = value;
    }
    lp.basicValues[idx(rows + 1)] = primal[0];
}

// The tableau of the basis just read back, from the evaluator's inverse of
// it: rows in basicList order, columns in nonbasicList order, the objective
// row (c_j - z_j) last. Columns at their upper bound are not negated: the
// reduced costs apply that sign themselves.
CallStatus computeTableau(LpTables& lp, int sense, BasisEvaluator& evaluator)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    const BasisEvaluator::Result result = evaluator.factorize(lp, sense, lp.basicList.data(), lp.atUpper.data());
    if (result != BasisEvaluator::Result::Ok)
        return result == BasisEvaluator::Result::Singular ? CallStatus::SingularBasis : CallStatus::LibraryError;
    const ProgramScale& scale = evaluator.scale();
    std::array<int, kMaxLpRows + 1> evaluatorRow{};
    for (int i = 1; i <= rows; ++i) {
        evaluatorRow[idx(i)] = evaluator.rowOf(lp.basicList[idx(i)]);
        if (evaluatorRow[idx(i)] == 0)
            return CallStatus::LibraryError;
    }
    std::array<Real, kMaxLpRows + 1> column{};
    const Real objectiveSign = sense == 1 ? -1 : 1;
    auto store = [&](int j) {
        const int nonbasic = lp.nonbasicList[idx(j)];
        for (int i = 1; i <= rows; ++i) {
            const Real v = column[idx(evaluatorRow[idx(i)])];
            const Real tol = kTableauZeroTol * scale.entryUnit(lp.basicList[idx(i)], nonbasic, cols);
            lp.tableau[idx(i)][idx(j)] = std::fabs(v) <= tol ? 0 : v;
        }
        const Real z = objectiveSign * column[0];
        lp.tableau[idx(rows + 1)][idx(j)] = std::fabs(z) <= kTableauZeroTol * scale.entryUnit(0, nonbasic, cols) ? 0 : z;
    };
    for (int j = 1; j <= cols; ++j) {
        evaluator.transformVariable(lp.nonbasicList[idx(j)], column.data());
        store(j);
    }
    // The carried column is kept as the evaluator gives it.
    evaluator.transformedRhs(column.data());
    for (int i = 1; i <= rows; ++i)
        lp.tableau[idx(i)][idx(cols + 1)] = column[idx(evaluatorRow[idx(i)])];
    lp.tableau[idx(rows + 1)][idx(cols + 1)] = column[0];
    return CallStatus::Answered;
}

// A nonbasic column whose reduced cost says it would improve the objective
// can only sit at its upper bound (a fixed column reported at its lower
// bound, for instance): flag it so the reduced costs take the right sign.
void correctUpperBoundFlags(LpTables& lp, int sense)
{
    const int R = lp.tabRows;
    for (int j = 1; j < lp.tabCols; ++j) {
        const int v = lp.nonbasicList[idx(j)];
        if (lp.isColumn(v) && !lp.atUpper[idx(v)] && sense * lp.tableau[idx(R)][idx(j)] > 0)
            lp.atUpper[idx(v)] = true;
    }
}

SolveStatus finish(LpTables& lp, SolveStatus status, CallStatus call)
{
    lp.call = call;
    lp.status = status;
    return status;
}

SolveStatus finishSolve(lprec* model, LpTables& lp, bool full, int sense, BasisEvaluator& evaluator,
                        const ProgramScale& scale, const SolveControl& control)
{
    AbortCheck check(control);
    const Outcome outcome = mapSolveResult(solveWithStop(model, control, check));
    if (get_Nrows(model) != lp.lpRowCount || get_Ncolumns(model) != lp.lpColumnCount)
        return finish(lp, SolveStatus::Other, CallStatus::LibraryError);
    if (outcome.status != SolveStatus::Optimal)
        return finish(lp, outcome.status, outcome.call);

    if (!readBasis(model, lp))
        return finish(lp, SolveStatus::Other, CallStatus::LibraryError);
    const PrimalRead read = readPrimal(model, scale, lp.lpRowCount, lp.lpColumnCount);
    if (!read.read)
        return finish(lp, SolveStatus::Other, CallStatus::LibraryError);
    const std::vector<Real>& primal = read.primal;
    if (read.infinite || hasUnboundedColumn(inputOf(lp, sense)))
        return finish(lp, SolveStatus::Unbounded, CallStatus::Answered);
    storeValues(lp, scale, primal);
    if (!ReadBackHolds(lp, scale, true))
        return finish(lp, SolveStatus::Imprecise, CallStatus::Answered);
    if (full) {
        const CallStatus tableau = computeTableau(lp, sense, evaluator);
        if (tableau != CallStatus::Answered)
            return finish(lp, SolveStatus::Other, tableau);
        if (!ReducedCostsHold(lp, evaluator.scale(), sense))
            return finish(lp, SolveStatus::Imprecise, CallStatus::Answered);
        correctUpperBoundFlags(lp, sense);
        DropEqualitySlacks(lp);
    }
    return finish(lp, SolveStatus::Optimal, CallStatus::Answered);
}

} // namespace

const char* toString(SolveStatus status)
{
    switch (status) {
    case SolveStatus::Optimal: return "Optimal";
    case SolveStatus::Infeasible: return "Infeasible";
    case SolveStatus::Unbounded: return "Unbounded";
    case SolveStatus::NumericalFailure: return "NumericalFailure";
    case SolveStatus::Other: return "Other";
    case SolveStatus::Imprecise: return "Imprecise";
    case SolveStatus::Stopped: return "Stopped";
    }
    return "?";
}

const char* toString(RowType type)
{
    switch (type) {
    case RowType::LessEqual: return "LessEqual";
    case RowType::Equal: return "Equal";
    case RowType::GreaterEqual: return "GreaterEqual";
    }
    return "?";
}

const char* toString(CallStatus status)
{
    switch (status) {
    case CallStatus::Answered: return "Answered";
    case CallStatus::NotCalled: return "NotCalled";
    case CallStatus::LibraryError: return "LibraryError";
    case CallStatus::ModelNotBuilt: return "ModelNotBuilt";
    case CallStatus::BasisRefused: return "BasisRefused";
    case CallStatus::SingularBasis: return "SingularBasis";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, SolveStatus status) { return out << toString(status); }

std::ostream& operator<<(std::ostream& out, CallStatus status) { return out << toString(status); }

std::ostream& operator<<(std::ostream& out, RowType type) { return out << toString(type); }

namespace {

// The model of the program with the modes and tolerances of the solve.
Model preparedModel(const LpTables& lp, bool full, int sense, const ProgramScale& scale, CallStatus& call)
{
    Model model = buildModel(inputOf(lp, sense), scale, call);
    if (!model)
        return nullptr;
    if (full)
        setFullSolveModes(model.get());
    setTolerances(model.get());
    return model;
}

// The basis lp.basicList / lp.atUpper in lp_solve's form, nonbasicList
// filled in; false when it is no basis of the program.
bool libraryBasis(LpTables& lp, std::vector<int>& basis)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    const int variables = rows + cols;
    std::vector<bool> isBasic(idx(variables) + 1, false);
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[idx(i)];
        if (v < 1 || v > variables || isBasic[idx(v)])
            return false;
        isBasic[idx(v)] = true;
    }
    int k = 0;
    for (int v = 1; v <= variables; ++v)
        if (!isBasic[idx(v)])
            lp.nonbasicList[idx(++k)] = v;
    lp.nonbasicList[idx(k + 1)] = 0;

    basis.assign(idx(1 + variables), 0);
    for (int i = 1; i <= rows; ++i)
        basis[idx(i)] = -libraryIndex(lp, lp.basicList[idx(i)]);
    for (int j = 1; j <= cols; ++j) {
        const int v = lp.nonbasicList[idx(j)];
        const int index = libraryIndex(lp, v);
        basis[idx(rows + j)] = (lp.isColumn(v) && lp.atUpper[idx(v)]) ? index : -index;
    }
    return true;
}

} // namespace

namespace {

// Builds the (scaled) model of `lp`, starts it from lp's basis when
// `fromBasis`, solves it and reads the answer back.
SolveStatus solveProgram(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator, const SolveControl& control,
                         bool fromBasis)
{
    if (boundsCross(inputOf(lp, sense)))
        return finish(lp, SolveStatus::Infeasible, CallStatus::NotCalled);
    const ProgramScale scale = scaleOf(inputOf(lp, sense));
    CallStatus call = CallStatus::Answered;
    Model model = preparedModel(lp, full, sense, scale, call);
    if (!model)
        return finish(lp, SolveStatus::Other, call);
    if (fromBasis) {
        std::vector<int> basis;
        if (!libraryBasis(lp, basis) || !set_basis(model.get(), basis.data(), TRUE))
            return finish(lp, SolveStatus::Other, CallStatus::BasisRefused);
    }
    return finishSolve(model.get(), lp, full, sense, evaluator, scale, control);
}

} // namespace

SolveStatus SolveScalarizing(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator, const SolveControl& control)
{
    return solveProgram(lp, full, sense, evaluator, control, false);
}

SolveStatus SolveScalarizing(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator)
{
    const SolveControl* attached = evaluator.attachedControl();
    return SolveScalarizing(lp, full, sense, evaluator, attached ? *attached : SolveControl{});
}

SolveStatus SolveScalarizing(LpEngine& engine, bool full, int sense)
{
    return SolveScalarizing(engine.tables, full, sense, engine.evaluator, engine.control);
}

SolveStatus SolveFromBasis(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator, const SolveControl& control)
{
    return solveProgram(lp, full, sense, evaluator, control, true);
}

SolveStatus SolveFromBasis(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator)
{
    const SolveControl* attached = evaluator.attachedControl();
    return SolveFromBasis(lp, full, sense, evaluator, attached ? *attached : SolveControl{});
}

SolveStatus SolveFromBasis(LpEngine& engine, bool full, int sense)
{
    return SolveFromBasis(engine.tables, full, sense, engine.evaluator, engine.control);
}

ValueProgram::ValueProgram(int columns, int rowCount_)
    : columnCount(columns), rowCount(rowCount_),
      rows(static_cast<std::size_t>(rowCount_) + 1, std::vector<Real>(static_cast<std::size_t>(columns) + 1, 0)),
      rowType(static_cast<std::size_t>(rowCount_) + 1, kRowLessEqual),
      rowRhs(static_cast<std::size_t>(rowCount_) + 1, 0),
      objective(static_cast<std::size_t>(columns) + 1, 0), bounds(static_cast<std::size_t>(columns) + 1)
{
}

ValueProgram ValueProgram::fromTables(const LpTables& lp)
{
    ValueProgram p(lp.lpColumnCount, lp.lpRowCount);
    for (int r = 1; r <= lp.lpRowCount; ++r) {
        for (int j = 1; j <= lp.lpColumnCount; ++j)
            p.rows[r][j] = lp.lpRows[r].coef[j];
        p.rowType[r] = lp.lpRows[r].type;
        p.rowRhs[r] = lp.lpRows[r].rhs;
    }
    for (int j = 1; j <= lp.lpColumnCount; ++j) {
        p.objective[j] = lp.lpObjective[j];
        p.bounds[j] = lp.lpBounds[j];
    }
    return p;
}

namespace {

// The rows, bounds and objective of a value solve hold at its values.
bool valuesHold(const BuildInput& in, const ProgramScale& scale, const ValueSolution& out)
{
    const int cols = in.columns;
    for (int j = 1; j <= cols; ++j) {
        const LpBound& b = in.bound(j);
        const Real x = out.values[idx(j)];
        const Real unit = scale.col[idx(j)];
        if (!noLowerBound(b) && b.lo - x > kResidualTol * std::max(std::fabs(b.lo), unit))
            return false;
        if (!noUpperBound(b) && x - b.up > kResidualTol * std::max(std::fabs(b.up), unit))
            return false;
    }
    for (int r = 1; r <= in.rows; ++r) {
        const Real* coef = in.rowCoefficients(r);
        Real act = 0;
        Real size = std::max(std::fabs(in.rowRhs(r)), 1 / scale.row[idx(r)]);
        for (int j = 1; j <= cols; ++j) {
            act += coef[j] * out.values[idx(j)];
            size = std::max(size, std::fabs(coef[j] * out.values[idx(j)]));
        }
        const Real tol = kResidualTol * size;
        if (std::fabs(act - out.values[idx(cols + r)]) > tol || RowViolation(in.rowType(r), in.rowRhs(r), act) > tol)
            return false;
    }
    Real z = 0;
    Real size = 1 / scale.objective;
    for (int j = 1; j <= cols; ++j) {
        z += in.objective[j] * out.values[idx(j)];
        size = std::max(size, std::fabs(in.objective[j] * out.values[idx(j)]));
    }
    return std::fabs(z - out.objective) <= kResidualTol * size;
}

} // namespace

ValueSolution SolveForValue(const ValueProgram& program, int sense, const SolveControl& control)
{
    ValueSolution out;
    const BuildInput in{
        program.columnCount,
        program.rowCount,
        program.objective.data(),
        [&program](int r) { return program.rows[idx(r)].data(); },
        [&program](int r) { return program.rowType[idx(r)]; },
        [&program](int r) { return program.rowRhs[idx(r)]; },
        [&program](int j) -> const LpBound& { return program.bounds[idx(j)]; },
        sense,
    };
    if (boundsCross(in)) {
        out.status = SolveStatus::Infeasible;
        out.call = CallStatus::NotCalled;
        return out;
    }
    const ProgramScale scale = scaleOf(in);
    Model model = buildModel(in, scale, out.call);
    if (!model)
        return out;
    setTolerances(model.get());
    AbortCheck check(control);
    const Outcome outcome = mapSolveResult(solveWithStop(model.get(), control, check));
    out.status = outcome.status;
    out.call = outcome.call;
    if (out.status != SolveStatus::Optimal)
        return out;
    const int rows = program.rowCount;
    const int cols = program.columnCount;
    const PrimalRead read = readPrimal(model.get(), scale, rows, cols);
    const std::vector<Real>& primal = read.primal;
    if (!read.read) {
        out.status = SolveStatus::Other;
        out.call = CallStatus::LibraryError;
        return out;
    }
    if (read.infinite || hasUnboundedColumn(in)) {
        out.status = SolveStatus::Unbounded;
        return out;
    }
    out.objective = primal[0];
    out.values.assign(idx(1 + cols + rows), 0);
    for (int j = 1; j <= cols; ++j)
        out.values[idx(j)] = primal[idx(rows + j)];
    for (int r = 1; r <= rows; ++r)
        out.values[idx(cols + r)] = primal[idx(r)];
    if (!valuesHold(in, scale, out))
        out.status = SolveStatus::Imprecise;
    return out;
}

Notices SolveStatusNotices(SolveStatus status)
{
    Notices notices;
    switch (status) {
    case SolveStatus::Optimal: break;
    case SolveStatus::Infeasible: notices.message(MsgKind::Information, QString::fromUtf8(msg::kUnfeasible)); break;
    case SolveStatus::Unbounded: notices.message(MsgKind::Information, QString::fromUtf8(msg::kUnbounded)); break;
    case SolveStatus::NumericalFailure:
        notices.message(MsgKind::Error, QString::fromUtf8(msg::kNumericalErrors));
        break;
    case SolveStatus::Other: notices.message(MsgKind::Error, QString::fromUtf8(msg::kInternalError)); break;
    case SolveStatus::Imprecise: notices.message(MsgKind::Error, QString::fromUtf8(msg::kImprecise)); break;
    case SolveStatus::Stopped: notices.message(MsgKind::Warning, QString::fromUtf8(msg::kStopped)); break;
    }
    return notices;
}
