#include "lp/LpSolveAdapter.h"

#include "lp/BasisEvaluator.h"
#include "lp/LpTolerances.h"
#include "lp/Messages.h"
#include "base/UiPort.h"

#include <lpsolve/lp_lib.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

// lp_solve's model lives for one solve only; the deleter runs on every path.
struct ModelDeleter {
    void operator()(lprec* model) const { delete_lp(model); }
};
using Model = std::unique_ptr<lprec, ModelDeleter>;

// The row type codes of the program in lp_solve's terms; 0 for a code the
// program does not know (the build then fails).
int libraryRowType(Real code)
{
    if (code == kRowLessEqual)
        return LE;
    if (code == kRowGreaterEqual)
        return GE;
    if (code == kRowEqual)
        return EQ;
    return 0;
}

// Everything the build needs, in the program's layout.
struct BuildInput {
    int columns;
    int rows;
    const Real* objective;                                  // [1..columns]
    std::function<const Real*(int)> rowCoefficients;        // row r -> [1..columns]
    std::function<Real(int)> rowType;
    std::function<Real(int)> rowRhs;
    std::function<const LpBound&(int)> bound;               // column j
    int sense;
};

Model buildModel(const BuildInput& in)
{
    Model model(make_lp(0, in.columns));
    if (!model)
        return nullptr;
    std::vector<REAL> row(static_cast<std::size_t>(in.columns) + 1, 0.0);
    for (int j = 1; j <= in.columns; ++j)
        row[j] = static_cast<REAL>(in.objective[j]);
    if (!set_obj_fn(model.get(), row.data()))
        return nullptr;
    if (!set_add_rowmode(model.get(), TRUE))
        return nullptr;
    for (int r = 1; r <= in.rows; ++r) {
        const int type = libraryRowType(in.rowType(r));
        if (type == 0)
            return nullptr;
        const Real* coef = in.rowCoefficients(r);
        for (int j = 1; j <= in.columns; ++j)
            row[j] = static_cast<REAL>(coef[j]);
        if (!add_constraint(model.get(), row.data(), type, static_cast<REAL>(in.rowRhs(r))))
            return nullptr;
    }
    if (!set_add_rowmode(model.get(), FALSE))
        return nullptr;
    // Default bounds (0 and no upper bound) are left to the library.
    for (int j = 1; j <= in.columns; ++j) {
        const LpBound& b = in.bound(j);
        if (b.lo != 0 && !set_lowbo(model.get(), j, static_cast<REAL>(b.lo)))
            return nullptr;
        if (b.up != kInfiniteBound && !set_upbo(model.get(), j, static_cast<REAL>(b.up)))
            return nullptr;
    }
    if (in.sense == 1)
        set_maxim(model.get());
    set_verbose(model.get(), IMPORTANT);
    return model;
}

BuildInput inputOf(const LpTables& lp, int sense)
{
    return BuildInput{
        lp.lpColumnCount,
        lp.lpRowCount,
        lp.lpObjective.data(),
        [&lp](int r) { return lp.lpRows[r].coef.data(); },
        [&lp](int r) { return lp.lpRows[r].type; },
        [&lp](int r) { return lp.lpRows[r].rhs; },
        [&lp](int j) -> const LpBound& { return lp.lpBounds[j]; },
        sense,
    };
}

void setTolerances(lprec* model)
{
    set_epsb(model, kSolverEpsB);
    set_epsd(model, kSolverEpsD);
    set_epspivot(model, kSolverEpsPivot);
    set_epsel(model, kSolverEpsEl);
}

// Presolve would remove rows and columns the read-back refers to, and
// scaling would change the tableau's numbers.
void setFullSolveModes(lprec* model)
{
    set_presolve(model, PRESOLVE_NONE, 0);
    set_scaling(model, 0);
}

SolveStatus mapSolveResult(int result)
{
    switch (result) {
    case OPTIMAL: return SolveStatus::Optimal;
    case INFEASIBLE: return SolveStatus::Infeasible;
    case UNBOUNDED: return SolveStatus::Unbounded;
    case NUMFAILURE: return SolveStatus::NumericalFailure;
    default: return SolveStatus::Other; // a sub-optimal result is not accepted
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

void readSolution(lprec* model, LpTables& lp)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    lp.tabRows = rows + 1;
    lp.tabCols = cols + 1;
    for (int j = 1; j <= cols; ++j)
        lp.atUpper[j] = false;

    std::vector<int> basis(static_cast<std::size_t>(1 + rows + cols), 0);
    get_basis(model, basis.data(), TRUE);
    for (int i = 1; i <= rows; ++i)
        lp.basicList[i] = programVariable(lp, std::abs(basis[i]));
    lp.basicList[rows + 1] = 0;
    for (int k = 1; k <= cols; ++k) {
        const int entry = basis[rows + k];
        const int variable = programVariable(lp, std::abs(entry));
        lp.nonbasicList[k] = variable;
        if (entry > 0 && lp.isColumn(variable))
            lp.atUpper[variable] = true;
    }
    lp.nonbasicList[cols + 1] = 0;

    std::vector<REAL> primal(static_cast<std::size_t>(1 + rows + cols), 0.0);
    get_primal_solution(model, primal.data());
    auto columnValue = [&](int j) { return static_cast<Real>(primal[rows + j]); };
    auto rowActivity = [&](int r) { return static_cast<Real>(primal[r]); };
    for (int k = 1; k <= cols; ++k) {
        const int v = lp.nonbasicList[k];
        lp.nonbasicValues[k] = lp.isColumn(v) ? columnValue(v) : 0;
    }
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[i];
        Real value = lp.isColumn(v) ? columnValue(v) : std::fabs(lp.lpRows[lp.slackRow(v)].rhs - rowActivity(lp.slackRow(v)));
        if (std::fabs(value) <= kBasicValueZeroTol)
            value = 0;
        lp.basicValues[i] = value;
    }
    lp.basicValues[rows + 1] = static_cast<Real>(primal[0]);
}

// The tableau of the basis just read back, from the evaluator's inverse of
// it: rows in basicList order, columns in nonbasicList order, the objective
// row (c_j - z_j) last. Columns at their upper bound are not negated: the
// reduced costs apply that sign themselves.
bool computeTableau(LpTables& lp, int sense, BasisEvaluator& evaluator)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    if (evaluator.factorize(lp, sense, lp.basicList.data(), lp.atUpper.data()) != BasisEvaluator::Result::Ok)
        return false;
    std::array<int, kMaxLpRows + 1> evaluatorRow{};
    for (int i = 1; i <= rows; ++i) {
        evaluatorRow[i] = evaluator.rowOf(lp.basicList[i]);
        if (evaluatorRow[i] == 0)
            return false;
    }
    std::array<Real, kMaxLpRows + 1> column{};
    const Real objectiveSign = sense == 1 ? -1 : 1;
    auto store = [&](int j) {
        for (int i = 1; i <= rows; ++i) {
            const Real v = column[evaluatorRow[i]];
            lp.tableau[i][j] = std::fabs(v) <= kTableauZeroTol ? 0 : v;
        }
        const Real z = objectiveSign * column[0];
        lp.tableau[rows + 1][j] = std::fabs(z) <= kTableauZeroTol ? 0 : z;
    };
    for (int j = 1; j <= cols; ++j) {
        evaluator.transformVariable(lp.nonbasicList[j], column.data());
        store(j);
    }
    // The carried column is kept as the evaluator gives it.
    evaluator.transformedRhs(column.data());
    for (int i = 1; i <= rows; ++i)
        lp.tableau[i][cols + 1] = column[evaluatorRow[i]];
    lp.tableau[rows + 1][cols + 1] = column[0];
    return true;
}

// A nonbasic column whose reduced cost says it would improve the objective
// can only sit at its upper bound (a fixed column reported at its lower
// bound, for instance): flag it so the reduced costs take the right sign.
void correctUpperBoundFlags(LpTables& lp, int sense)
{
    const int R = lp.tabRows;
    for (int j = 1; j < lp.tabCols; ++j) {
        const int v = lp.nonbasicList[j];
        if (lp.isColumn(v) && !lp.atUpper[v] && sense * lp.tableau[R][j] > 0)
            lp.atUpper[v] = true;
    }
}

// lp_solve 5.5.2 reports "optimal" for a model without rows even when a
// column with a profitable cost has no bound in that direction. Without rows
// each column sits at the bound its cost prefers, so this is decided here.
bool unboundedWithoutRows(int rows, int columns, const Real* objective, const std::function<const LpBound&(int)>& bound,
                          int sense)
{
    if (rows != 0)
        return false;
    for (int j = 1; j <= columns; ++j) {
        const Real gain = sense * objective[j];
        if (gain > 0 && bound(j).up >= kInfiniteBound)
            return true;
    }
    return false;
}

SolveStatus finishSolve(lprec* model, LpTables& lp, bool full, int sense, BasisEvaluator& evaluator)
{
    const int result = solve(model);
    if (get_Nrows(model) != lp.lpRowCount || get_Ncolumns(model) != lp.lpColumnCount)
        return lp.status = SolveStatus::Other;
    lp.status = mapSolveResult(result);
    if (lp.status == SolveStatus::Optimal
        && unboundedWithoutRows(lp.lpRowCount, lp.lpColumnCount, lp.lpObjective.data(),
                                [&lp](int j) -> const LpBound& { return lp.lpBounds[j]; }, sense))
        return lp.status = SolveStatus::Unbounded;
    if (lp.status != SolveStatus::Optimal)
        return lp.status;
    readSolution(model, lp);
    if (full) {
        if (!computeTableau(lp, sense, evaluator))
            return lp.status = SolveStatus::Other;
        correctUpperBoundFlags(lp, sense);
        DropEqualitySlacks(lp);
    }
    return lp.status;
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
    }
    return "?";
}

namespace {

// The model of the program with the modes and tolerances of the solve.
Model preparedModel(const LpTables& lp, bool full, int sense)
{
    Model model = buildModel(inputOf(lp, sense));
    if (!model)
        return nullptr;
    if (full)
        setFullSolveModes(model.get());
    setTolerances(model.get());
    return model;
}

} // namespace

SolveStatus SolveScalarizing(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator)
{
    Model model = preparedModel(lp, full, sense);
    if (!model)
        return lp.status = SolveStatus::Other;
    return finishSolve(model.get(), lp, full, sense, evaluator);
}

SolveStatus SolveFromBasis(LpTables& lp, bool full, int sense, BasisEvaluator& evaluator)
{
    Model model = preparedModel(lp, full, sense);
    if (!model)
        return lp.status = SolveStatus::Other;

    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    const int variables = rows + cols;
    std::vector<bool> isBasic(static_cast<std::size_t>(variables) + 1, false);
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[i];
        if (v < 1 || v > variables || isBasic[v])
            return lp.status = SolveStatus::Other;
        isBasic[v] = true;
    }
    int k = 0;
    for (int v = 1; v <= variables; ++v)
        if (!isBasic[v])
            lp.nonbasicList[++k] = v;
    lp.nonbasicList[k + 1] = 0;

    std::vector<int> basis(static_cast<std::size_t>(1 + variables), 0);
    for (int i = 1; i <= rows; ++i)
        basis[i] = -libraryIndex(lp, lp.basicList[i]);
    for (int j = 1; j <= cols; ++j) {
        const int v = lp.nonbasicList[j];
        const int index = libraryIndex(lp, v);
        basis[rows + j] = (lp.isColumn(v) && lp.atUpper[v]) ? index : -index;
    }
    if (!set_basis(model.get(), basis.data(), TRUE))
        return lp.status = SolveStatus::Other;
    return finishSolve(model.get(), lp, full, sense, evaluator);
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

ValueSolution SolveForValue(const ValueProgram& program, int sense)
{
    ValueSolution out;
    const BuildInput in{
        program.columnCount,
        program.rowCount,
        program.objective.data(),
        [&program](int r) { return program.rows[r].data(); },
        [&program](int r) { return program.rowType[r]; },
        [&program](int r) { return program.rowRhs[r]; },
        [&program](int j) -> const LpBound& { return program.bounds[j]; },
        sense,
    };
    Model model = buildModel(in);
    if (!model)
        return out;
    setTolerances(model.get());
    out.status = mapSolveResult(solve(model.get()));
    if (out.status == SolveStatus::Optimal && unboundedWithoutRows(in.rows, in.columns, in.objective, in.bound, sense))
        out.status = SolveStatus::Unbounded;
    if (out.status != SolveStatus::Optimal)
        return out;
    const int rows = program.rowCount;
    const int cols = program.columnCount;
    std::vector<REAL> primal(static_cast<std::size_t>(1 + rows + cols), 0.0);
    get_primal_solution(model.get(), primal.data());
    out.objective = static_cast<Real>(primal[0]);
    out.values.assign(static_cast<std::size_t>(1 + cols + rows), 0);
    for (int j = 1; j <= cols; ++j)
        out.values[j] = static_cast<Real>(primal[rows + j]);
    for (int r = 1; r <= rows; ++r)
        out.values[cols + r] = static_cast<Real>(primal[r]);
    return out;
}

void ShowSolveStatus(UiPort& ui, SolveStatus status)
{
    switch (status) {
    case SolveStatus::Optimal: break;
    case SolveStatus::Infeasible: ui.showMessage(MsgKind::Information, QString::fromUtf8(msg::kUnfeasible)); break;
    case SolveStatus::Unbounded: ui.showMessage(MsgKind::Information, QString::fromUtf8(msg::kUnbounded)); break;
    case SolveStatus::NumericalFailure:
        ui.showMessage(MsgKind::Error, QString::fromUtf8(msg::kNumericalErrors));
        break;
    case SolveStatus::Other: ui.showMessage(MsgKind::Error, QString::fromUtf8(msg::kInternalError)); break;
    }
}
