#include "lp/BasisPivot.h"

#include "lp/LpTolerances.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

Real zeroBelow(Real v, Real tol) { return std::fabs(v) <= tol ? Real(0) : v; }

// The evaluator's nonbasic order: slacks by row, then columns.
int orderKey(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpRowCount + v : lp.slackRow(v); }

Real lowerOf(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpBounds[at(v)].lo : Real(0); }
Real upperOf(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpBounds[at(v)].up : kInfiniteBound; }

bool isEqualitySlack(const LpTables& lp, int v)
{
    const int r = lp.slackRow(v);
    return r >= 1 && r <= lp.lpRowCount && lp.lpRows[at(r)].type == kRowEqual;
}

// The evaluator snaps basic values this close to their lower bound onto it.
Real snapBasicValue(const LpTables& lp, int v, Real x)
{
    const Real lo = lowerOf(lp, v);
    if (std::fabs(x - lo) < kEvaluatorValueZeroTol)
        x = lo;
    return zeroBelow(x, kReducedCostZeroTol);
}

// The zero threshold of the tableau, for entries derived in double.
constexpr KeptReal kKeptZeroTol = static_cast<KeptReal>(kReducedCostZeroTol);

KeptReal keptZeroBelow(KeptReal v) { return std::fabs(v) <= kKeptZeroTol ? KeptReal(0) : v; }

} // namespace

namespace {

// Entry i of new column c (i = 1..rows + 1): the parent's after a bound
// flip, else the exchange's.
KeptReal deferredEntry(const DeferredTableau& d, int i, int c)
{
    const KeptReal* parentRow = &d.parent->tableau[at(i - 1) * at(d.parent->columns)];
    if (d.boundFlip)
        return parentRow[c - 1];
    const KeptReal tq = parentRow[d.q - 1];
    if (c == d.leavingAt)
        return keptZeroBelow(i == d.r ? 1 / d.a : -tq / d.a);
    if (i == d.r)
        return keptZeroBelow(d.ratio[at(c)]);
    if (tq == 0)
        return keptZeroBelow(parentRow[d.source[at(c)] - 1]);
    return keptZeroBelow(parentRow[d.source[at(c)] - 1] - tq * d.ratio[at(c)]);
}

// The body of the exchange row by row, the entries of deferredEntry():
// entry (i, c) goes to rowOf(i)[c - 1].
template <class RowOf>
void fillExchanged(const DeferredTableau& d, RowOf rowOf)
{
    const int columns = d.parent->columns;
    for (int i = 1; i <= d.parent->rows + 1; ++i) {
        const KeptReal* parentRow = &d.parent->tableau[at(i - 1) * at(columns)];
        const KeptReal tq = parentRow[d.q - 1];
        auto* row = rowOf(i);
        // A row with a zero in the entering column keeps its entries (x - 0 y is x).
        if (i == d.r) {
            for (int c = 1; c <= d.columns; ++c)
                row[c - 1] = keptZeroBelow(d.ratio[at(c)]);
        } else if (tq == 0) {
            for (int c = 1; c <= d.columns; ++c)
                row[c - 1] = keptZeroBelow(parentRow[d.source[at(c)] - 1]);
        } else {
            for (int c = 1; c <= d.columns; ++c)
                row[c - 1] = keptZeroBelow(parentRow[d.source[at(c)] - 1] - tq * d.ratio[at(c)]);
        }
        if (d.leavingAt > 0)
            row[d.leavingAt - 1] = keptZeroBelow(i == d.r ? 1 / d.a : -tq / d.a);
    }
}

// The whole body of a pending derived tableau, as fillExchanged() places it.
template <class RowOf>
void fillDeferred(const DeferredTableau& d, RowOf rowOf)
{
    if (!d.boundFlip) {
        fillExchanged(d, rowOf);
        return;
    }
    const SavedReadBack& parent = *d.parent;
    for (int i = 1; i <= parent.rows + 1; ++i) {
        auto* row = rowOf(i);
        const KeptReal* from = &parent.tableau[at(i - 1) * at(parent.columns)];
        for (int c = 0; c < parent.columns; ++c)
            row[c] = from[c];
    }
}

// Row i (1-based) of a tableau at column 1.
auto tableRows(LpTables& lp)
{
    return [&lp](int i) { return &lp.tableau[at(i)][1]; };
}

} // namespace

void SaveReadBack(const LpTables& lp, int sense, int depth, SavedReadBack& out, const Real* carried, int carriedRows,
                  int stride, const DeferredTableau* deferred)
{
    const bool pending = deferred != nullptr && deferred->parent != nullptr;
    const int rows = lp.tabRows - 1;
    const int columns = lp.tabCols - 1;
    out.rows = rows;
    out.columns = columns;
    out.sense = sense;
    out.depth = depth;
    out.basicList.assign(lp.basicList.begin(), lp.basicList.begin() + rows + 1);
    out.basicValues.assign(lp.basicValues.begin(), lp.basicValues.begin() + rows + 2);
    out.atUpper = lp.atUpper;

    std::vector<int> order(at(columns));
    for (int j = 0; j < columns; ++j)
        order[at(j)] = j + 1;
    std::sort(order.begin(), order.end(), [&lp](int a, int b) {
        return orderKey(lp, lp.nonbasicList[at(a)]) < orderKey(lp, lp.nonbasicList[at(b)]);
    });
    out.nonbasicList.assign(at(columns) + 1, 0);
    out.nonbasicValues.assign(at(columns) + 1, 0);
    out.tableau.resize(at(rows + 1) * at(columns));
    bool inOrder = true;
    for (int j = 1; j <= columns; ++j) {
        const int from = order[at(j - 1)];
        inOrder = inOrder && from == j;
        out.nonbasicList[at(j)] = lp.nonbasicList[at(from)];
        out.nonbasicValues[at(j)] = lp.nonbasicValues[at(from)];
    }
    if (pending) {
        // Derived straight into the copy (lp's body is not read), then put
        // into the evaluator's order row by row.
        fillDeferred(*deferred, [&out, columns](int i) { return &out.tableau[at(i - 1) * at(columns)]; });
        if (!inOrder) {
            std::vector<KeptReal> row(at(columns));
            for (int i = 0; i <= rows; ++i) {
                KeptReal* to = &out.tableau[at(i) * at(columns)];
                std::copy(to, to + columns, row.begin());
                for (int j = 0; j < columns; ++j)
                    to[j] = row[at(order[at(j)] - 1)];
            }
        }
    }
    for (int i = 0; i <= rows && !pending; ++i) {
        KeptReal* to = &out.tableau[at(i) * at(columns)];
        const Real* from = &lp.tableau[at(i + 1)][1];
        for (int j = 0; j < columns; ++j)
            to[j] = static_cast<KeptReal>(from[inOrder ? j : order[at(j)] - 1]);
    }
    out.carriedRows = carried != nullptr ? carriedRows : 0;
    out.carried.resize(at(out.carriedRows) * at(columns));
    for (int k = 0; k < out.carriedRows; ++k) {
        const Real* from = carried + at(k) * at(stride);
        Real* to = &out.carried[at(k) * at(columns)];
        for (int j = 0; j < columns; ++j)
            std::memcpy(to + j, from + order[at(j)], sizeof(Real));
    }
}

namespace {

// Values after the entering variable (tableau column q) moved by `step`.
void moveValues(const SavedReadBack& parent, int q, Real step, LpTables& lp)
{
    const int rows = parent.rows;
    const int columns = parent.columns;
    for (int i = 1; i <= rows; ++i) {
        const Real t = parent.tableau[at(i - 1) * at(columns) + at(q - 1)];
        lp.basicValues[at(i)] = parent.basicValues[at(i)] - step * t;
    }
    const Real d = parent.tableau[at(rows) * at(columns) + at(q - 1)];
    lp.basicValues[at(rows + 1)] = parent.basicValues[at(rows + 1)] + step * d;
}

void copyLists(const SavedReadBack& parent, LpTables& lp)
{
    std::copy(parent.basicList.begin(), parent.basicList.end(), lp.basicList.begin());
    lp.basicList[at(parent.rows + 1)] = 0;
    lp.atUpper = parent.atUpper;
}

void finish(const SavedReadBack& parent, int columns, LpTables& lp)
{
    const int rows = parent.rows;
    const int R = rows + 1;
    const int C = columns + 1;
    lp.tabRows = R;
    lp.tabCols = C;
    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[at(i)];
        lp.basicValues[at(i)] = snapBasicValue(lp, v, lp.basicValues[at(i)]);
        lp.tableau[at(i)][at(C)] = zeroBelow(lp.basicValues[at(i)] - lowerOf(lp, v), kReducedCostZeroTol);
    }
    lp.basicValues[at(R)] = zeroBelow(lp.basicValues[at(R)], kReducedCostZeroTol);
    lp.tableau[at(R)][at(C)] = parent.sense == 1 ? lp.basicValues[at(R)] : -lp.basicValues[at(R)];
    lp.nonbasicList[at(C)] = 0;
    lp.nonbasicValues[at(C)] = 0;
    lp.status = SolveStatus::Optimal;
}

bool boundFlip(const SavedReadBack& parent, int q, int entering, LpTables& lp, Real* carried, int stride,
               DeferredTableau* deferred)
{
    if (!lp.isColumn(entering) || !isFinite(upperOf(lp, entering)))
        return false;
    const Real range = upperOf(lp, entering) - lowerOf(lp, entering);
    const bool down = parent.atUpper[at(entering)];
    copyLists(parent, lp);
    moveValues(parent, q, down ? -range : range, lp);
    const int columns = parent.columns;
    for (int j = 1; j <= columns; ++j) {
        lp.nonbasicList[at(j)] = parent.nonbasicList[at(j)];
        lp.nonbasicValues[at(j)] = parent.nonbasicValues[at(j)];
    }
    if (deferred != nullptr) {
        deferred->parent = &parent;
        deferred->boundFlip = true;
        deferred->columns = columns;
    } else {
        DeferredTableau flip;
        flip.parent = &parent;
        flip.boundFlip = true;
        fillDeferred(flip, tableRows(lp));
    }
    lp.atUpper[at(entering)] = !down;
    lp.nonbasicValues[at(q)] = down ? lowerOf(lp, entering) : upperOf(lp, entering);
    if (carried != nullptr)
        for (int k = 0; k < parent.carriedRows; ++k)
            std::memcpy(carried + at(k) * at(stride) + 1, &parent.carried[at(k) * at(columns)], at(columns) * sizeof(Real));
    finish(parent, columns, lp);
    return true;
}

bool exchange(const SavedReadBack& parent, int q, int r, const BasisMove& move, LpTables& lp, Real* carried,
              int stride, DeferredTableau* deferred)
{
    const int columns = parent.columns;
    auto T = [&parent, columns](int i, int j) { return parent.tableau[at(i - 1) * at(columns) + at(j - 1)]; };
    const Real a = T(r, q);
    if (!(std::fabs(a) >= kSmallestDerivedPivot))
        return false;
    const int entering = move.entering;
    const int leaving = move.leaving;
    const Real target = move.kind == MoveKind::LeavesAtUpper ? upperOf(lp, leaving) : lowerOf(lp, leaving);
    if (!isFinite(target))
        return false;

    const Real step = (parent.basicValues[at(r)] - target) / a;
    copyLists(parent, lp);
    moveValues(parent, q, step, lp);
    lp.basicValues[at(r)] = parent.nonbasicValues[at(q)] + step;
    lp.basicList[at(r)] = entering;
    if (lp.isColumn(entering))
        lp.atUpper[at(entering)] = false;
    if (lp.isColumn(leaving))
        lp.atUpper[at(leaving)] = move.kind == MoveKind::LeavesAtUpper;

    // New columns: the parent's without q, the leaving variable at its place
    // in the order (a nonbasic "=" slack cannot move and is left out).
    // source[c] is the parent column of new column c.
    const bool keepLeaving = !isEqualitySlack(lp, leaving);
    const int leavingKey = orderKey(lp, leaving);
    const KeptReal* pivotRow = &parent.tableau[at(r - 1) * at(columns)];
    DeferredTableau local;
    DeferredTableau& d = deferred != nullptr ? *deferred : local;
    d.parent = &parent;
    d.boundFlip = false;
    d.q = q;
    d.r = r;
    d.a = a;
    std::array<int, kMaxTableauCols + 1>& source = d.source;
    std::array<KeptReal, kMaxTableauCols + 1>& ratio = d.ratio;
    int out = 0;
    // The leaving variable's column (0 when it is left out) is computed
    // apart; in the row loops it reads the entering column's entries.
    int leavingAt = 0;
    auto putLeaving = [&]() {
        ++out;
        leavingAt = out;
        source[at(out)] = q;
        ratio[at(out)] = 0;
        lp.nonbasicList[at(out)] = leaving;
        lp.nonbasicValues[at(out)] = lp.isColumn(leaving) ? target : Real(0);
    };
    bool placed = !keepLeaving;
    for (int j = 1; j <= columns; ++j) {
        if (j == q)
            continue;
        const int v = parent.nonbasicList[at(j)];
        if (!placed && orderKey(lp, v) > leavingKey) {
            putLeaving();
            placed = true;
        }
        ++out;
        source[at(out)] = j;
        ratio[at(out)] = pivotRow[j - 1] / d.a;
        lp.nonbasicList[at(out)] = v;
        lp.nonbasicValues[at(out)] = parent.nonbasicValues[at(j)];
    }
    if (!placed)
        putLeaving();
    d.columns = out;
    d.leavingAt = leavingAt;
    if (deferred == nullptr)
        fillExchanged(d, tableRows(lp));
    // The carried rows as the objective row, with nothing zeroed.
    for (int k = 0; carried != nullptr && k < parent.carriedRows; ++k) {
        const Real* parentRow = &parent.carried[at(k) * at(columns)];
        const Real tq = parentRow[q - 1];
        Real* row = carried + at(k) * at(stride);
        for (int c = 1; c <= out; ++c)
            row[c] = parentRow[source[at(c)] - 1] - tq * ratio[at(c)];
        if (leavingAt > 0)
            row[leavingAt] = -tq / a;
    }
    finish(parent, out, lp);
    return true;
}

} // namespace

void FillDeferredColumns(const DeferredTableau& deferred, const EfficientPositions& positions, LpTables& lp)
{
    if (deferred.parent == nullptr)
        return;
    const SavedReadBack& parent = *deferred.parent;
    for (int c = 1; c <= deferred.columns; ++c) {
        if (!positions[at(c)])
            continue;
        for (int i = 1; i <= parent.rows + 1; ++i)
            lp.tableau[at(i)][at(c)] = deferredEntry(deferred, i, c);
    }
}

void FillDeferredTableau(DeferredTableau& deferred, LpTables& lp)
{
    if (deferred.parent == nullptr)
        return;
    fillDeferred(deferred, tableRows(lp));
    deferred.parent = nullptr;
}

bool PivotReadBack(const SavedReadBack& parent, const BasisMove& move, LpTables& lp, Real* carried, int stride,
                   DeferredTableau* deferred)
{
    if (deferred != nullptr)
        deferred->parent = nullptr;
    int q = 0;
    for (int j = 1; j <= parent.columns && q == 0; ++j)
        if (parent.nonbasicList[at(j)] == move.entering)
            q = j;
    if (q == 0 || parent.rows != lp.lpRowCount)
        return false;
    if (move.kind == MoveKind::BoundFlip)
        return boundFlip(parent, q, move.entering, lp, carried, stride, deferred);
    int r = 0;
    for (int i = 1; i <= parent.rows && r == 0; ++i)
        if (parent.basicList[at(i)] == move.leaving)
            r = i;
    if (r == 0)
        return false;
    return exchange(parent, q, r, move, lp, carried, stride, deferred);
}
