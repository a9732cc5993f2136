#include "lp/BasisEvaluator.h"

#include "lp/LpTolerances.h"

#include "lp/AnswerCheck.h"

#include <algorithm>
#include <cmath>

// Product-form basis inversion after the revised simplex method (Chvátal,
// ch. 24; Maros, ch. 8): slacks first, then a triangular front of row
// singletons, a triangular back of column singletons, and the remaining
// nucleus in between, pivoted through the ETA file built so far.

namespace {

constexpr std::size_t size(int n) { return static_cast<std::size_t>(n); }

Real zeroBelow(Real v, Real tol) { return std::fabs(v) <= tol ? Real(0) : v; }

} // namespace

BasisEvaluator::BasisEvaluator()
    : colStart_(size(kMaxLpColumns + 2), 0)
    , colRow_(size(kMaxNonzeros), 0)
    , colValue_(size(kMaxNonzeros), 0)
    , rowStart_(size(kMaxLpRows + 2), 0)
    , rowColumn_(size(kMaxNonzeros), 0)
    , lower_(size(kMaxLpVariables + 1), 0)
    , range_(size(kMaxLpVariables + 1), 0)
    , atLower_(size(kMaxLpVariables + 1), 1)
    , basic_(size(kMaxLpVariables + 1), 0)
    , rowOfVar_(size(kMaxLpVariables + 1), 0)
    , rhs_(size(kMaxLpRows + 1), 0)
    , negated_(size(kMaxLpRows + 1), 0)
    , bas_(size(kMaxLpRows + 1), 0)
    , etaStart_(size(kMaxEtaColumns + 1), 0)
    , etaRow_(size(kEtaCapacity), 0)
    , etaValue_(size(kEtaCapacity), 0)
    , rowEtaCount_(size(kMaxLpRows + 1), 0)
    , rowEtaSplit_(size(kMaxLpRows + 1), 0)
    , rowEtaColumn_(size(kMaxLpRows + 1) * size(kMaxEtaColumns), 0)
    , rowEtaValue_(size(kMaxLpRows + 1) * size(kMaxEtaColumns), 0)
    , pivotRowOf_(size(kMaxEtaColumns), 0)
    , etaOfRow_(size(kMaxLpRows + 1), -1)
    , pivotValue_(size(kMaxEtaColumns), 0)
    , pivotUsed_(size(kMaxEtaColumns), 0)
    , keptType_(size(kMaxLpRows + 1), kRowLessEqual)
    , keptRhs_(size(kMaxLpRows + 1), 0)
    , keptCoef_(size(kMaxLpRows + 1) * size(kMaxLpColumns + 1), 0)
    , keptLower_(size(kMaxLpColumns + 1), 0)
    , keptUpper_(size(kMaxLpColumns + 1), 0)
    , work_(size(kMaxLpRows + 1), 0)
    , rowCount_(size(kMaxLpRows + 2), 0)
    , rowState_(size(kMaxLpRows + 2), RowFree)
    , colCount_(size(kMaxLpColumns + 2), 0)
    , colState_(size(kMaxLpColumns + 2), ColumnNonbasic)
    , singletonColumn_(size(kMaxLpColumns + 1), 0)
    , singletonRow_(size(kMaxLpColumns + 1), 0)
{
    scale_.reserve(kMaxLpRows, kMaxLpColumns, kMaxNonzeros);
}

int BasisEvaluator::internalOf(int variable) const
{
    if (variable >= 1 && variable <= cols_)
        return rows_ + variable;
    if (variable > cols_ && variable <= cols_ + rows_)
        return variable - cols_;
    return 0;
}

Real BasisEvaluator::unitOfInternal(int internal) const
{
    return internal <= rows_ ? 1 / scale_.row[size(internal)] : scale_.col[size(internal - rows_)];
}

int BasisEvaluator::programOf(int internal) const
{
    return internal <= rows_ ? cols_ + internal : internal - rows_;
}

bool BasisEvaluator::atUpperBound(int variable) const
{
    const int v = internalOf(variable);
    return v > rows_ && !basic_[size(v)] && !atLower_[size(v)];
}

// The untransformed column of an internal variable, dense over rows 0..rows_.
void BasisEvaluator::scatter(int internal, Real* w) const
{
    for (int i = 0; i <= rows_; ++i)
        w[i] = 0;
    if (internal <= rows_) {
        w[internal] = 1;
        return;
    }
    const int j = internal - rows_;
    for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k)
        w[colRow_[size(k)]] = colValue_[size(k)];
}

// w := E_k ... E_1 w, then the entries that are rounding noise become 0.
void BasisEvaluator::forwardTransform(Real* w) const
{
    for (int t = 0; t < etaCount_; ++t) {
        const int last = etaStart_[size(t + 1)] - 1;
        const int p = etaRow_[size(last)];
        const Real wp = w[p];
        if (wp == 0)
            continue;
        for (int k = etaStart_[size(t)]; k < last; ++k)
            w[etaRow_[size(k)]] += wp * etaValue_[size(k)];
        w[p] = wp * etaValue_[size(last)];
    }
    for (int i = 0; i <= rows_; ++i)
        w[i] = zeroBelow(w[i], kReducedCostZeroTol);
}

void BasisEvaluator::forwardTransformByRows(Real* w) const
{
    if (!rowsIndexed_) {
        forwardTransform(w);
        return;
    }
    const int* count = rowEtaCount_.data();
    const int* split = rowEtaSplit_.data();
    const int* column = rowEtaColumn_.data();
    const Real* value = rowEtaValue_.data();
    Real* pivotValue = pivotValue_.data();
    // A zero pivot entry skips its whole ETA column; flagged apart so that
    // the test is on a byte, not on a long double.
    std::uint8_t* used = pivotUsed_.data();
    // The pivot entries in ETA column order: the entry of row p_t gathers the
    // columns before t, then is scaled, exactly as forwardTransform() does.
    for (int t = 0; t < etaCount_; ++t) {
        const int p = pivotRowOf_[size(t)];
        Real wp = w[p];
        const int first = p * kMaxEtaColumns;
        for (int k = first; k < first + split[p]; ++k)
            if (used[column[k]])
                wp += pivotValue[column[k]] * value[k];
        pivotValue[t] = wp;
        used[t] = wp != 0;
        if (wp != 0)
            w[p] = wp * etaValue_[size(etaStart_[size(t + 1)] - 1)];
        else
            w[p] = wp;
    }
    // Every entry then gathers the columns after its own pivot (all of
    // them for a row no column pivots on).
    for (int i = 0; i <= rows_; ++i) {
        const int first = i * kMaxEtaColumns;
        const int from = first + (etaOfRow_[size(i)] >= 0 ? split[i] : 0);
        Real v = w[i];
        for (int k = from; k < first + count[i]; ++k)
            if (used[column[k]])
                v += pivotValue[column[k]] * value[k];
        w[i] = zeroBelow(v, kReducedCostZeroTol);
    }
}

// Makes `internal`, whose column (transformed where it has to be) is in
// work_, basic in `row`: appends its ETA column and carries the right-hand
// side through it.
BasisEvaluator::Result BasisEvaluator::pivot(int internal, int row)
{
    const int begin = etaStart_[size(etaCount_)];
    if (etaCount_ + 1 > kMaxEtaColumns || begin + rows_ + 2 > kEtaCapacity)
        return Result::EtaOverflow;
    const Real pivotEntry = work_[size(row)];
    const Real theta = rhs_[size(row)] / pivotEntry;
    int end = begin;
    for (int i = 0; i <= rows_; ++i) {
        const Real a = work_[size(i)];
        if (i == row || a == 0)
            continue;
        rhs_[size(i)] = zeroBelow(rhs_[size(i)] - theta * a, kEvaluatorValueZeroTol);
        etaRow_[size(end)] = i;
        etaValue_[size(end)] = -a / pivotEntry;
        const std::size_t byRow = size(i) * size(kMaxEtaColumns) + size(rowEtaCount_[size(i)]++);
        rowEtaColumn_[byRow] = etaCount_;
        rowEtaValue_[byRow] = etaValue_[size(end)];
        ++end;
    }
    if (etaOfRow_[size(row)] >= 0)
        rowsIndexed_ = false; // a row pivoted twice: read by columns only
    etaOfRow_[size(row)] = etaCount_;
    pivotRowOf_[size(etaCount_)] = row;
    rowEtaSplit_[size(row)] = rowEtaCount_[size(row)];
    rhs_[size(row)] = theta;
    etaRow_[size(end)] = row;
    etaValue_[size(end)] = 1 / pivotEntry;
    ++end;
    ++etaCount_;
    etaStart_[size(etaCount_)] = end;

    bas_[size(row)] = internal;
    rowOfVar_[size(internal)] = row;
    rowState_[size(row)] = RowAssigned;
    colState_[size(internal - rows_)] = ColumnPlaced;
    return Result::Ok;
}

BasisEvaluator::Result BasisEvaluator::invert()
{
    const int R = rows_;
    const int C = cols_;
    etaCount_ = 0;
    etaStart_[0] = 0;
    rowsIndexed_ = true;
    for (int i = 0; i <= R; ++i) {
        rowEtaCount_[size(i)] = 0;
        etaOfRow_[size(i)] = -1;
    }

    // A basic slack is the unit column of its own row: no ETA column.
    for (int r = 1; r <= R; ++r) {
        bas_[size(r)] = 0;
        rowState_[size(r)] = RowFree;
        rowCount_[size(r)] = 0;
        if (basic_[size(r)]) {
            bas_[size(r)] = r;
            rowOfVar_[size(r)] = r;
            rowState_[size(r)] = RowAssigned;
        }
    }
    // Nonzeros between the free rows and the basic columns.
    for (int j = 1; j <= C; ++j) {
        colCount_[size(j)] = 0;
        colState_[size(j)] = basic_[size(R + j)] ? ColumnUnplaced : ColumnNonbasic;
        if (colState_[size(j)] != ColumnUnplaced)
            continue;
        for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k) {
            const int r = colRow_[size(k)];
            if (r >= 1 && rowState_[size(r)] == RowFree) {
                ++colCount_[size(j)];
                ++rowCount_[size(r)];
            }
        }
    }

    // Row singletons. The column is untransformed: it has no entry in the
    // pivot rows placed before it, so the ETA file would leave it as it is.
    for (int r = 1, idle = 0; R > 0 && idle < R; r = r % R + 1) {
        if (rowState_[size(r)] != RowFree || rowCount_[size(r)] != 1) {
            ++idle;
            continue;
        }
        idle = 0;
        int j = 0;
        for (int k = rowStart_[size(r)]; k < rowStart_[size(r + 1)] && j == 0; ++k)
            if (colState_[size(rowColumn_[size(k)])] == ColumnUnplaced)
                j = rowColumn_[size(k)];
        scatter(R + j, work_.data());
        const Result result = pivot(R + j, r);
        if (result != Result::Ok)
            return result;
        for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k) {
            const int i = colRow_[size(k)];
            if (i >= 1 && rowState_[size(i)] == RowFree)
                --rowCount_[size(i)];
        }
    }

    // Column singletons: recorded now, pivoted last. Their rows are reserved
    // so that the nucleus cannot take them.
    int singletons = 0;
    for (int j = 1, idle = 0; C > 0 && idle < C; j = j % C + 1) {
        if (colState_[size(j)] != ColumnUnplaced || colCount_[size(j)] != 1) {
            ++idle;
            continue;
        }
        idle = 0;
        int row = 0;
        for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k) {
            const int i = colRow_[size(k)];
            if (i >= 1 && rowState_[size(i)] == RowFree) {
                if (row == 0)
                    row = i;
                --rowCount_[size(i)];
            }
        }
        rowState_[size(row)] = RowReserved;
        colState_[size(j)] = ColumnPlaced;
        for (int k = rowStart_[size(row)]; k < rowStart_[size(row + 1)]; ++k) {
            const int c = rowColumn_[size(k)];
            if (colState_[size(c)] == ColumnUnplaced)
                --colCount_[size(c)];
        }
        singletonColumn_[size(singletons)] = j;
        singletonRow_[size(singletons)] = row;
        ++singletons;
    }

    // The nucleus, in column order, through the ETA file so far. Threshold
    // partial pivoting: the first free row whose entry is within
    // kPivotThreshold of the largest, so that no pivot is a small remainder
    // of cancellation while the row order still breaks ties.
    for (int j = 1; j <= C; ++j) {
        if (colState_[size(j)] != ColumnUnplaced)
            continue;
        scatter(R + j, work_.data());
        forwardTransformByRows(work_.data());
        Real largest = 0;
        for (int i = 1; i <= R; ++i)
            if (rowState_[size(i)] == RowFree)
                largest = std::max(largest, std::fabs(work_[size(i)]));
        if (largest == 0)
            return Result::Singular;
        int row = 0;
        for (int i = 1; i <= R && row == 0; ++i)
            if (rowState_[size(i)] == RowFree && std::fabs(work_[size(i)]) >= kPivotThreshold * largest)
                row = i;
        const Result result = pivot(R + j, row);
        if (result != Result::Ok)
            return result;
    }

    // Column singletons in reverse order of recording: each has entries only
    // in its own row and the rows of singletons recorded before it, none of
    // which is a pivot row yet, so the column goes in untransformed.
    for (int s = singletons - 1; s >= 0; --s) {
        const int j = singletonColumn_[size(s)];
        scatter(R + j, work_.data());
        const Result result = pivot(R + j, singletonRow_[size(s)]);
        if (result != Result::Ok)
            return result;
    }

    for (int i = 0; i <= R; ++i)
        if (std::fabs(rhs_[size(i)]) < kEvaluatorValueZeroTol)
            rhs_[size(i)] = 0;
    return Result::Ok;
}

namespace {

// Equal, including the sign of a zero (which the arithmetic carries along).
bool sameBits(Real a, Real b) { return a == b && std::signbit(a) == std::signbit(b); }

} // namespace

bool BasisEvaluator::sameProgram(const LpTables& lp, int sense) const
{
    const int R = lp.lpRowCount;
    const int C = lp.lpColumnCount;
    if (!programKept_ || R != keptRows_ || C != keptCols_ || (sense == 1) != keptMaximize_)
        return false;
    const std::size_t stride = size(kMaxLpColumns + 1);
    for (int r = 1; r <= R; ++r) {
        const LpRow& row = lp.lpRows[size(r)];
        if (row.type != keptType_[size(r)] || !sameBits(row.rhs, keptRhs_[size(r)]))
            return false;
        const Real* kept = &keptCoef_[size(r) * stride];
        for (int j = 1; j <= C; ++j)
            if (!sameBits(row.coef[size(j)], kept[j]))
                return false;
    }
    for (int j = 1; j <= C; ++j)
        if (!sameBits(lp.lpObjective[size(j)], keptCoef_[size(j)])
            || !sameBits(lp.lpBounds[size(j)].lo, keptLower_[size(j)])
            || !sameBits(lp.lpBounds[size(j)].up, keptUpper_[size(j)]))
            return false;
    return true;
}

void BasisEvaluator::rememberProgram(const LpTables& lp, int sense)
{
    const int R = lp.lpRowCount;
    const int C = lp.lpColumnCount;
    keptRows_ = R;
    keptCols_ = C;
    keptMaximize_ = sense == 1;
    const std::size_t stride = size(kMaxLpColumns + 1);
    for (int r = 1; r <= R; ++r) {
        const LpRow& row = lp.lpRows[size(r)];
        keptType_[size(r)] = row.type;
        keptRhs_[size(r)] = row.rhs;
        for (int j = 1; j <= C; ++j)
            keptCoef_[size(r) * stride + size(j)] = row.coef[size(j)];
    }
    // Row 0 of the copy holds the objective.
    for (int j = 1; j <= C; ++j) {
        keptCoef_[size(j)] = lp.lpObjective[size(j)];
        keptLower_[size(j)] = lp.lpBounds[size(j)].lo;
        keptUpper_[size(j)] = lp.lpBounds[size(j)].up;
    }
    programKept_ = true;
}

BasisEvaluator::Result BasisEvaluator::factorize(const LpTables& lp, int sense, const std::int32_t* basicList,
                                                 const bool* atUpper)
{
    ready_ = false;
    const int R = lp.lpRowCount;
    const int C = lp.lpColumnCount;
    if (R < 0 || R > kMaxLpRows || C < 0 || C > kMaxLpColumns)
        return Result::Invalid;
    rows_ = R;
    cols_ = C;
    maximize_ = sense == 1;

    // Sign changes: the engine minimizes over "<=" rows.
    negated_[0] = maximize_ ? 1 : 0;
    for (int r = 1; r <= R; ++r) {
        const RowType type = lp.lpRows[size(r)].type;
        if (type != kRowLessEqual && type != kRowEqual && type != kRowGreaterEqual)
            return Result::Invalid;
        negated_[size(r)] = type == kRowGreaterEqual ? 1 : 0;
    }

    // The scale, the sparse columns and the bounds depend on the program
    // only: a walk over the bases of one program computes them once.
    if (!sameProgram(lp, sense)) {
        scale_.compute(
            R, C, [&lp](int r, int j) { return lp.lpRows[size(r)].coef[size(j)]; },
            [&lp](int r) { return lp.lpRows[size(r)].rhs; }, [&lp](int j) { return lp.lpObjective[size(j)]; });

        // Sparse columns of the scaled program, objective first, and the row index.
        int nz = 0;
        for (int r = 0; r <= R + 1; ++r)
            rowStart_[size(r)] = 0;
        for (int j = 1; j <= C; ++j) {
            colStart_[size(j)] = nz;
            const Real c = lp.lpObjective[size(j)] * scale_.objective * scale_.col[size(j)];
            if (c != 0) {
                colRow_[size(nz)] = 0;
                colValue_[size(nz)] = negated_[0] ? -c : c;
                ++nz;
            }
            for (int r = 1; r <= R; ++r) {
                Real a = lp.lpRows[size(r)].coef[size(j)];
                if (a == 0)
                    continue;
                a *= scale_.row[size(r)] * scale_.col[size(j)];
                colRow_[size(nz)] = r;
                colValue_[size(nz)] = negated_[size(r)] ? -a : a;
                ++nz;
                ++rowStart_[size(r + 1)];
            }
        }
        colStart_[size(C + 1)] = nz;
        rowStart_[1] = 0;
        for (int r = 1; r <= R; ++r)
            rowStart_[size(r + 1)] += rowStart_[size(r)];
        for (int r = 1; r <= R; ++r)
            rowCount_[size(r)] = rowStart_[size(r)]; // fill position
        for (int j = 1; j <= C; ++j)
            for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k) {
                const int r = colRow_[size(k)];
                if (r >= 1)
                    rowColumn_[size(rowCount_[size(r)]++)] = j;
            }

        // Bounds.
        for (int r = 1; r <= R; ++r) {
            lower_[size(r)] = 0;
            range_[size(r)] = lp.lpRows[size(r)].type == kRowEqual ? Real(0) : kInfiniteBound;
        }
        for (int j = 1; j <= C; ++j) {
            const LpBound& bound = lp.lpBounds[size(j)];
            const Real unit = scale_.col[size(j)];
            lower_[size(R + j)] = bound.lo / unit;
            range_[size(R + j)] = !isFinite(bound.up) ? kInfiniteBound : (bound.up - bound.lo) / unit;
        }
        rememberProgram(lp, sense);
    }

    // Right-hand sides.
    rhs_[0] = 0;
    for (int r = 1; r <= R; ++r) {
        const Real b = lp.lpRows[size(r)].rhs * scale_.row[size(r)];
        rhs_[size(r)] = negated_[size(r)] ? -b : b;
    }

    // Basis.
    for (int v = 0; v <= R + C; ++v) {
        basic_[size(v)] = 0;
        atLower_[size(v)] = 1;
        rowOfVar_[size(v)] = 0;
    }
    for (int i = 1; i <= R; ++i) {
        const int v = internalOf(basicList[i]);
        if (v == 0)
            return Result::OutOfRange;
        if (basic_[size(v)])
            return Result::Singular; // the same column twice
        basic_[size(v)] = 1;
    }
    for (int j = 1; j <= C; ++j) {
        const int v = R + j;
        if (!basic_[size(v)] && atUpper[j] && isFinite(range_[size(v)]))
            atLower_[size(v)] = 0;
    }

    // Shift out the lower bounds and the columns that sit at their upper
    // bound: the right-hand side becomes b - N x_N - B l_B.
    for (int j = 1; j <= C; ++j) {
        const int v = R + j;
        Real shift = lower_[size(v)];
        if (!atLower_[size(v)])
            shift += range_[size(v)];
        if (shift == 0)
            continue;
        for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k)
            rhs_[size(colRow_[size(k)])] -= shift * colValue_[size(k)];
    }

    const Result result = invert();
    ready_ = result == Result::Ok;
    rowsIndexed_ = rowsIndexed_ && ready_;
    return result;
}

int BasisEvaluator::basicInRow(int r) const
{
    if (!ready_ || r < 1 || r > rows_)
        return 0;
    return programOf(bas_[size(r)]);
}

int BasisEvaluator::rowOf(int variable) const
{
    if (!ready_)
        return 0;
    const int v = internalOf(variable);
    return v == 0 ? 0 : rowOfVar_[size(v)];
}

void BasisEvaluator::transformVariable(int v, Real* out) const
{
    const int internal = ready_ ? internalOf(v) : 0;
    if (internal == 0) {
        for (int i = 0; i <= rows_; ++i)
            out[i] = 0;
        return;
    }
    scatter(internal, out);
    forwardTransformByRows(out);
    if (!scale_.scaled)
        return;
    // B''^-1 a''_v = C_B^-1 (B^-1 a_v) C_v, and the reduced cost d'' = s C_v d.
    const Real unit = unitOfInternal(internal);
    out[0] /= scale_.objective * unit;
    for (int r = 1; r <= rows_; ++r)
        out[r] *= unitOfInternal(bas_[size(r)]) / unit;
}

void BasisEvaluator::transformedRhs(Real* out) const
{
    for (int i = 0; i <= rows_; ++i)
        out[i] = ready_ ? zeroBelow(rhs_[size(i)], kReducedCostZeroTol) : Real(0);
    if (!ready_ || !scale_.scaled)
        return;
    out[0] /= scale_.objective;
    for (int r = 1; r <= rows_; ++r)
        out[r] *= unitOfInternal(bas_[size(r)]);
}

void BasisEvaluator::computeValues(Real* columnValue, Real* rowActivity) const
{
    for (int i = 0; i <= rows_; ++i)
        rowActivity[i] = 0;
    if (!ready_) {
        for (int j = 1; j <= cols_; ++j)
            columnValue[j] = 0;
        return;
    }
    // Activities in the scaled rows, where the zero threshold is relative.
    for (int j = 1; j <= cols_; ++j) {
        const int v = rows_ + j;
        Real x = lower_[size(v)];
        if (basic_[size(v)])
            x += rhs_[size(rowOfVar_[size(v)])];
        else if (!atLower_[size(v)])
            x += range_[size(v)];
        columnValue[j] = x * scale_.col[size(j)];
        for (int k = colStart_[size(j)]; k < colStart_[size(j + 1)]; ++k)
            rowActivity[colRow_[size(k)]] += colValue_[size(k)] * x;
    }
    for (int i = 0; i <= rows_; ++i) {
        Real a = rowActivity[i];
        if (std::fabs(a) < kEvaluatorValueZeroTol)
            a = 0;
        a /= i == 0 ? scale_.objective : scale_.row[size(i)];
        rowActivity[i] = negated_[size(i)] ? -a : a;
    }
}

namespace {

CallStatus callStatusOf(BasisEvaluator::Result result)
{
    switch (result) {
    case BasisEvaluator::Result::Ok: return CallStatus::Answered;
    case BasisEvaluator::Result::Singular:
    case BasisEvaluator::Result::EtaOverflow: return CallStatus::SingularBasis;
    case BasisEvaluator::Result::OutOfRange: return CallStatus::BasisRefused;
    case BasisEvaluator::Result::Invalid: return CallStatus::ModelNotBuilt;
    }
    return CallStatus::ModelNotBuilt;
}

// Entries below the zero threshold in their own units become 0.
void zeroTableauNoise(LpTables& lp, const ProgramScale& scale)
{
    const int R = lp.tabRows;
    const int C = lp.tabCols;
    const int cols = lp.lpColumnCount;
    for (int i = 1; i <= R; ++i) {
        const int basic = i < R ? lp.basicList[size(i)] : 0;
        for (int j = 1; j <= C; ++j) {
            const int nonbasic = j < C ? lp.nonbasicList[size(j)] : 0;
            lp.tableau[size(i)][size(j)] = zeroBelow(lp.tableau[size(i)][size(j)],
                                                     kReducedCostZeroTol * scale.entryUnit(basic, nonbasic, cols));
        }
        lp.basicValues[size(i)] = zeroBelow(lp.basicValues[size(i)], kReducedCostZeroTol * scale.entryUnit(basic, 0, cols));
    }
}

} // namespace

SolveStatus EvaluateBasis(LpTables& lp, int sense, BasisEvaluator& evaluator)
{
    const BasisEvaluator::Result factorized = evaluator.factorize(lp, sense, lp.basicList.data(), lp.atUpper.data());
    lp.call = callStatusOf(factorized);
    if (factorized != BasisEvaluator::Result::Ok) {
        lp.status = SolveStatus::Other;
        return lp.status;
    }
    const int rows = lp.lpRowCount;
    const int cols = lp.lpColumnCount;
    const int R = rows + 1;
    const int C = cols + 1;
    const bool maximize = sense == 1;

    std::array<Real, kMaxLpColumns + 1> columnValue{};
    std::array<Real, kMaxLpRows + 1> activity{};
    evaluator.computeValues(columnValue.data(), activity.data());

    lp.tabRows = R;
    lp.tabCols = C;
    for (int i = 1; i <= R; ++i)
        for (int j = 1; j <= C; ++j)
            lp.tableau[size(i)][size(j)] = 0;
    for (int j = 1; j <= cols; ++j)
        lp.atUpper[size(j)] = false;

    for (int i = 1; i <= rows; ++i)
        lp.basicList[size(i)] = evaluator.basicInRow(i);
    lp.basicList[size(R)] = 0;

    // Nonbasic variables in the internal order: slacks, then columns.
    int k = 0;
    for (int r = 1; r <= rows; ++r) {
        const int v = cols + r;
        if (evaluator.rowOf(v) != 0)
            continue;
        ++k;
        lp.nonbasicList[size(k)] = v;
        lp.nonbasicValues[size(k)] = 0;
    }
    for (int j = 1; j <= cols; ++j) {
        if (evaluator.rowOf(j) != 0)
            continue;
        ++k;
        lp.nonbasicList[size(k)] = j;
        lp.nonbasicValues[size(k)] = columnValue[size(j)];
        lp.atUpper[size(j)] = evaluator.atUpperBound(j);
    }
    lp.nonbasicList[size(C)] = 0;
    lp.nonbasicValues[size(C)] = 0;

    for (int i = 1; i <= rows; ++i) {
        const int v = lp.basicList[size(i)];
        const int r = lp.slackRow(v);
        lp.basicValues[size(i)] =
            r == 0 ? columnValue[size(v)] : std::fabs(lp.lpRows[size(r)].rhs - activity[size(r)]);
    }
    lp.basicValues[size(R)] = activity[0];

    std::array<Real, kMaxLpRows + 1> column{};
    for (int j = 1; j <= cols; ++j) {
        evaluator.transformVariable(lp.nonbasicList[size(j)], column.data());
        for (int i = 1; i <= rows; ++i)
            lp.tableau[size(i)][size(j)] = column[size(i)];
        lp.tableau[size(R)][size(j)] = maximize ? -column[0] : column[0];
    }
    evaluator.transformedRhs(column.data());
    for (int i = 1; i <= rows; ++i)
        lp.tableau[size(i)][size(C)] = column[size(i)];
    lp.tableau[size(R)][size(C)] = column[0];

    zeroTableauNoise(lp, evaluator.scale());
    DropEqualitySlacks(lp);
    // The inverse is only as good as the residuals it leaves.
    lp.status = ReadBackHolds(lp, evaluator.scale(), false) ? SolveStatus::Optimal : SolveStatus::Imprecise;
    return lp.status;
}

void DropEqualitySlacks(LpTables& lp)
{
    const int R = lp.tabRows;
    int C = lp.tabCols;
    for (int j = C - 1; j >= 1; --j) {
        const int r = lp.slackRow(lp.nonbasicList[size(j)]);
        if (r < 1 || r > lp.lpRowCount || lp.lpRows[size(r)].type != kRowEqual)
            continue;
        for (int i = 1; i <= R; ++i) {
            auto& row = lp.tableau[size(i)];
            for (int k = j; k < C; ++k)
                row[size(k)] = row[size(k + 1)];
            row[size(C)] = 0;
        }
        // The terminator at C moves along.
        for (int k = j; k < C; ++k) {
            lp.nonbasicList[size(k)] = lp.nonbasicList[size(k + 1)];
            lp.nonbasicValues[size(k)] = lp.nonbasicValues[size(k + 1)];
        }
        lp.nonbasicList[size(C)] = 0;
        lp.nonbasicValues[size(C)] = 0;
        --C;
    }
    lp.tabCols = C;
}
