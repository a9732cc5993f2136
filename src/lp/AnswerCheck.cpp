#include "lp/AnswerCheck.h"

#include "base/TextFileFormat.h"
#include "lp/LpTolerances.h"
#include "lp/ProgramScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::size_t idx(int i) { return static_cast<std::size_t>(i); }

// False for a NaN too: no number passes the checks.
bool within(Real violation, Real tol) { return violation <= tol; }

bool near(Real value, Real target, Real unit)
{
    return within(std::fabs(value - target), kResidualTol * std::max(std::fabs(target), unit));
}

// Column values from the read-back; false when a column is missing or
// listed twice. Basic slacks go to slackValue, with slackBasic set.
bool gatherValues(const LpTables& lp, std::array<Real, kMaxLpColumns + 1>& x, std::array<bool, kMaxLpColumns + 1>& basic,
                  std::array<Real, kMaxLpRows + 1>& slackValue, std::array<bool, kMaxLpRows + 1>& slackBasic)
{
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    std::array<bool, kMaxLpColumns + 1> seen{};
    auto see = [&](int column, Real value) {
        if (seen[idx(column)])
            return false;
        seen[idx(column)] = true;
        x[idx(column)] = value;
        return true;
    };
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[idx(i)];
        if (lp.isColumn(v)) {
            if (!see(v, lp.basicValues[idx(i)]))
                return false;
            basic[idx(v)] = true;
        } else if (v > cols && v <= cols + rows) {
            slackBasic[idx(v - cols)] = true;
            slackValue[idx(v - cols)] = lp.basicValues[idx(i)];
        } else {
            return false;
        }
    }
    for (int k = 1; k <= cols && lp.nonbasicList[idx(k)] != 0; ++k) {
        const int v = lp.nonbasicList[idx(k)];
        if (lp.isColumn(v) && !see(v, lp.nonbasicValues[idx(k)]))
            return false;
    }
    for (int j = 1; j <= cols; ++j)
        if (!seen[idx(j)])
            return false;
    return true;
}

bool columnsHold(const LpTables& lp, const ProgramScale& scale, const std::array<Real, kMaxLpColumns + 1>& x,
                 bool requireFeasible)
{
    for (int j = 1; j <= lp.lpColumnCount; ++j) {
        const LpBound& b = lp.lpBounds[idx(j)];
        const Real unit = scale.col[idx(j)];
        if (requireFeasible) {
            if (isFinite(b.lo) && !within(b.lo - x[idx(j)], kResidualTol * std::max(std::fabs(b.lo), unit)))
                return false;
            if (isFinite(b.up) && !within(x[idx(j)] - b.up, kResidualTol * std::max(std::fabs(b.up), unit)))
                return false;
        }
    }
    // A nonbasic column sits at the bound it is reported at.
    for (int k = 1; k <= lp.lpColumnCount && lp.nonbasicList[idx(k)] != 0; ++k) {
        const int v = lp.nonbasicList[idx(k)];
        if (!lp.isColumn(v))
            continue;
        const Real bound = lp.atUpper[idx(v)] ? lp.lpBounds[idx(v)].up : lp.lpBounds[idx(v)].lo;
        if (isFinite(bound) && !near(x[idx(v)], bound, scale.col[idx(v)]))
            return false;
    }
    return true;
}

// The values the answer becomes (basic and nonbasic values, the objective,
// the problem's objectives) can all be written and read back.
bool valuesWritable(const LpTables& lp, const std::array<Real, kMaxLpColumns + 1>& x)
{
    for (int i = 1; i <= lp.lpRowCount + 1; ++i)
        if (!isWritableReal(lp.basicValues[idx(i)]))
            return false;
    for (int k = 1; k <= lp.lpColumnCount && lp.nonbasicList[idx(k)] != 0; ++k)
        if (!isWritableReal(lp.nonbasicValues[idx(k)]))
            return false;
    const int columns = std::min(lp.lpColumnCount, MaxVariables);
    for (int k = 1; k <= std::min(lp.problemObjectiveCount, MaxObjectives); ++k) {
        Real f = 0;
        for (int j = 1; j <= columns; ++j)
            f += lp.problemObjectives[idx(k)][idx(j)] * x[idx(j)];
        if (!isWritableReal(f))
            return false;
    }
    return true;
}

} // namespace

Real RowViolation(RowType type, Real rhs, Real act)
{
    if (type == kRowLessEqual)
        return std::max(Real(0), act - rhs);
    if (type == kRowGreaterEqual)
        return std::max(Real(0), rhs - act);
    return std::fabs(act - rhs);
}

bool ReadBackHolds(const LpTables& lp, const ProgramScale& scale, bool requireFeasible)
{
    std::array<Real, kMaxLpColumns + 1> x{};
    std::array<bool, kMaxLpColumns + 1> basic{};
    std::array<Real, kMaxLpRows + 1> slackValue{};
    std::array<bool, kMaxLpRows + 1> slackBasic{};
    if (!gatherValues(lp, x, basic, slackValue, slackBasic) || !valuesWritable(lp, x)
        || !columnsHold(lp, scale, x, requireFeasible))
        return false;

    for (int r = 1; r <= lp.lpRowCount; ++r) {
        const LpRow& row = lp.lpRows[idx(r)];
        const Real rowUnit = 1 / scale.row[idx(r)];
        Real act = 0;
        Real size = std::max(std::fabs(row.rhs), rowUnit);
        // What the zero thresholds took from basic values now at 0.
        Real zeroed = (slackBasic[idx(r)] && slackValue[idx(r)] == 0) ? rowUnit : 0;
        for (int j = 1; j <= lp.lpColumnCount; ++j) {
            const Real term = row.coef[idx(j)] * x[idx(j)];
            act += term;
            size = std::max(size, std::fabs(term));
            if (basic[idx(j)] && x[idx(j)] == 0)
                zeroed += std::fabs(row.coef[idx(j)]) * scale.col[idx(j)];
        }
        const Real tol = kResidualTol * size + kEvaluatorValueZeroTol * zeroed;
        const Real gap = row.rhs - act;
        if (!within(slackBasic[idx(r)] ? std::fabs(std::fabs(gap) - slackValue[idx(r)]) : std::fabs(gap), tol))
            return false;
        if (requireFeasible && !within(RowViolation(row.type, row.rhs, act), tol))
            return false;
    }

    Real z = 0;
    Real size = 1 / scale.objective;
    for (int j = 1; j <= lp.lpColumnCount; ++j) {
        const Real term = lp.lpObjective[idx(j)] * x[idx(j)];
        z += term;
        size = std::max(size, std::fabs(term));
    }
    return within(std::fabs(lp.basicValues[idx(lp.lpRowCount + 1)] - z), kResidualTol * size);
}

bool ReducedCostsHold(const LpTables& lp, const ProgramScale& scale, int sense)
{
    const int cols = lp.lpColumnCount;
    Real size = 1;
    for (int j = 1; j <= cols; ++j)
        size = std::max(size, std::fabs(lp.lpObjective[idx(j)]) * scale.objective * scale.unitOf(j, cols));
    const int R = lp.tabRows;
    for (int k = 1; k < lp.tabCols; ++k) {
        const int v = lp.nonbasicList[idx(k)];
        bool mayRise = false; // a rise could pay only if the variable cannot rise
        bool mayFall = true;
        if (lp.isColumn(v)) {
            const LpBound& b = lp.lpBounds[idx(v)];
            if (b.lo == b.up)
                continue;
            mayRise = lp.atUpper[idx(v)];
            mayFall = !lp.atUpper[idx(v)] && isFinite(b.lo);
        } else if (lp.lpRows[idx(lp.slackRow(v))].type == kRowEqual) {
            continue;
        }
        // sense * d > 0: the objective improves as the variable rises.
        const Real gain = sense * lp.tableau[idx(R)][idx(k)];
        const Real tol = kDualResidualTol * size * scale.entryUnit(0, v, cols);
        if ((!mayRise && !within(gain, tol)) || (!mayFall && !within(-gain, tol)))
            return false;
    }
    return true;
}
