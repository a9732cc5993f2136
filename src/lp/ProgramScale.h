#pragma once

#include "base/Numeric.h"
#include "lp/LpTolerances.h"

#include <cmath>
#include <cstddef>
#include <vector>

// Row and column factors that bring a badly scaled program near 1 before
// lp_solve or the evaluator see it. With R = diag(row), C = diag(col) and
// the objective factor s, the scaled program is
//
//   max/min  s c C z   s.t.  R A C z (<=, =, >=) R b,   l/C <= z <= u/C,
//
// and x = C z. The factors are powers of 2, so scaling and unscaling are
// exact; a program whose matrix and largest objective coefficient lie in
// [kWellScaledLow, kWellScaledHigh] keeps factors of exactly 1 and reaches
// lp_solve as it is.
//
// The factors minimize sum (log2|a_ij| + log2 R_i + log2 C_j)^2 over the
// nonzeros (alternating row and column means of the logs, Curtis and Reid's
// measure), so they undo any row and column scaling of a well-made program;
// the one free shift between rows and columns brings the right-hand sides
// near 1. An objective whose largest coefficient is outside the same range
// is scaled on its own: lp_solve's reduced-cost tolerance is absolute.
//
// Units: the values of column j are measured in col[j], the slack of row r
// in 1 / row[r], the objective in 1 / objective. Zero thresholds and the
// checks of an answer apply in these units.
class ProgramScale {
public:
    std::vector<Real> row{1}; // [1..rows]
    std::vector<Real> col{1}; // [1..cols]
    Real objective = 1;
    bool scaled = false;

    // Reserves room for programs up to these sizes, so that compute()
    // allocates nothing for them.
    void reserve(int rows, int cols, int nonzeros);

    // Factors for the program coef(r, j), r = 1..rows, j = 1..cols, with
    // right-hand sides rhs(r) and objective coefficients cost(j).
    template <class Coef, class Rhs, class Cost>
    void compute(int rows, int cols, Coef coef, Rhs rhs, Cost cost);

    // The unit of program variable v: column v (1..cols) or the slack of
    // row v - cols.
    Real unitOf(int variable, int cols) const
    {
        if (!scaled)
            return 1;
        return variable <= cols ? col[idx(variable)] : 1 / row[idx(variable - cols)];
    }

    // The unit of a tableau entry in the row of basic variable `basic`
    // (0: the objective row) and the column of nonbasic variable
    // `nonbasic` (0: the carried right-hand side).
    Real entryUnit(int basic, int nonbasic, int cols) const
    {
        if (!scaled)
            return 1;
        const Real rowUnit = basic == 0 ? 1 / objective : unitOf(basic, cols);
        return nonbasic == 0 ? rowUnit : rowUnit / unitOf(nonbasic, cols);
    }

private:
    struct Entry {
        int row;
        int col;
        float log2Abs;
    };

    static std::size_t idx(int i) { return static_cast<std::size_t>(i); }
    void reset(int rows, int cols);
    // Least-squares exponents of the rows and columns from entries_.
    void fit(int rows, int cols);
    // Rows up and columns down by `shift` (log2), then powers of 2.
    void shiftAndRound(int rows, int cols, double rhsShift);

    std::vector<Entry> entries_;
    std::vector<double> rowExp_;
    std::vector<double> colExp_;
    std::vector<double> colSum_;
    std::vector<int> rowCount_;
    std::vector<int> colCount_;
};

template <class Coef, class Rhs, class Cost>
void ProgramScale::compute(int rows, int cols, Coef coef, Rhs rhs, Cost cost)
{
    reset(rows, cols);
    Real lo = 0;
    Real hi = 0;
    for (int r = 1; r <= rows; ++r)
        for (int j = 1; j <= cols; ++j) {
            const Real a = std::fabs(coef(r, j));
            if (a == 0)
                continue;
            lo = (lo == 0 || a < lo) ? a : lo;
            hi = a > hi ? a : hi;
        }
    Real costMax = 0;
    for (int j = 1; j <= cols; ++j)
        costMax = std::fabs(cost(j)) > costMax ? std::fabs(cost(j)) : costMax;
    const bool matrixWell = hi == 0 || (lo >= kWellScaledLow && hi <= kWellScaledHigh);
    if (matrixWell && (costMax == 0 || (costMax >= kWellScaledLow && costMax <= kWellScaledHigh)))
        return;

    if (!matrixWell) {
        entries_.clear();
        for (int r = 1; r <= rows; ++r)
            for (int j = 1; j <= cols; ++j) {
                const Real a = std::fabs(coef(r, j));
                if (a != 0)
                    entries_.push_back(Entry{r, j, static_cast<float>(std::log2(static_cast<double>(a)))});
            }
        fit(rows, cols);

        double sum = 0;
        int count = 0;
        for (int r = 1; r <= rows; ++r) {
            const Real b = std::fabs(rhs(r));
            if (b == 0)
                continue;
            sum += std::log2(static_cast<double>(b)) + rowExp_[idx(r)];
            ++count;
        }
        shiftAndRound(rows, cols, count == 0 ? 0.0 : -sum / count);
    }

    Real largest = 0;
    for (int j = 1; j <= cols; ++j) {
        const Real c = std::fabs(cost(j)) * col[idx(j)];
        largest = c > largest ? c : largest;
    }
    objective = largest > 0 ? std::ldexp(Real(1), -std::ilogb(largest)) : Real(1);
    scaled = true;
}
