#include "lp/ProgramScale.h"

#include <algorithm>

namespace {

// Sweeps of the alternating means. Two suffice for a dense matrix scaled by
// rows and columns (each sweep removes one of the two); sparse ones converge
// more slowly, and a rough fit is all the solver needs.
constexpr int kMaxSweeps = 20;
// A sweep that moves no exponent by more than this ends the fit.
constexpr double kSweepSettled = 0.25;

} // namespace

void ProgramScale::reserve(int rows, int cols, int nonzeros)
{
    row.reserve(idx(rows + 1));
    col.reserve(idx(cols + 1));
    rowExp_.reserve(idx(rows + 1));
    colExp_.reserve(idx(cols + 1));
    colSum_.reserve(idx(cols + 1));
    rowCount_.reserve(idx(rows + 1));
    colCount_.reserve(idx(cols + 1));
    entries_.reserve(idx(nonzeros));
}

void ProgramScale::reset(int rows, int cols)
{
    row.assign(idx(rows + 1), 1);
    col.assign(idx(cols + 1), 1);
    objective = 1;
    scaled = false;
}

void ProgramScale::fit(int rows, int cols)
{
    rowExp_.assign(idx(rows + 1), 0);
    colExp_.assign(idx(cols + 1), 0);
    colSum_.assign(idx(cols + 1), 0);
    rowCount_.assign(idx(rows + 1), 0);
    colCount_.assign(idx(cols + 1), 0);
    for (const Entry& e : entries_) {
        ++rowCount_[idx(e.row)];
        ++colCount_[idx(e.col)];
    }
    for (int sweep = 0; sweep < kMaxSweeps; ++sweep) {
        std::fill(rowExp_.begin(), rowExp_.end(), 0.0);
        for (const Entry& e : entries_)
            rowExp_[idx(e.row)] += e.log2Abs + colExp_[idx(e.col)];
        for (int r = 1; r <= rows; ++r)
            if (rowCount_[idx(r)] != 0)
                rowExp_[idx(r)] = -rowExp_[idx(r)] / rowCount_[idx(r)];

        std::fill(colSum_.begin(), colSum_.end(), 0.0);
        for (const Entry& e : entries_)
            colSum_[idx(e.col)] += e.log2Abs + rowExp_[idx(e.row)];
        double moved = 0;
        for (int j = 1; j <= cols; ++j) {
            if (colCount_[idx(j)] == 0)
                continue;
            const double next = -colSum_[idx(j)] / colCount_[idx(j)];
            moved = std::max(moved, std::fabs(next - colExp_[idx(j)]));
            colExp_[idx(j)] = next;
        }
        if (moved <= kSweepSettled)
            break;
    }
}

void ProgramScale::shiftAndRound(int rows, int cols, double shift)
{
    for (int r = 1; r <= rows; ++r)
        row[idx(r)] = std::ldexp(Real(1), static_cast<int>(std::lround(rowExp_[idx(r)] + shift)));
    for (int j = 1; j <= cols; ++j)
        col[idx(j)] = std::ldexp(Real(1), static_cast<int>(std::lround(colExp_[idx(j)] - shift)));
}
