#include "lp/EfficientBases.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

// The efficiency tests of a basis and of its nonbasic variables, read from
// the reduced-cost matrix.

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The small tableaus of the tests (one row per objective) are worked in
// double: they only decide signs against thresholds of 1e-9 and 1e-11, far
// above the rounding of either type, and thousands of them are pivoted for
// each basis of a walk, where the extended type made them the slowest part.
using SmallReal = double;

} // namespace

bool IsDominatedBasis(const RecordYAC& yac, int numObjectives)
{
    for (int c = 1; c <= yac.ncolsYAC; ++c) {
        bool worsensNone = true;
        bool improvesOne = false;
        for (int k = 1; k <= numObjectives && worsensNone; ++k) {
            const Real v = yac.YAC[at(k)][at(c)];
            worsensNone = v <= kDominanceWorsenTol;
            improvesOne = improvesOne || v < -kDominanceImproveTol;
        }
        if (worsensNone && improvesOne)
            return true;
    }
    return false;
}

namespace {

// max sum_k s_k over a y + s + u = 1 (one row per objective), every
// variable >= 0. The origin is feasible, so the primal simplex starts from
// the basis of the u and needs no first phase; Bland's rule keeps it from
// cycling on the many degenerate pivots.
struct SmallProgram {
    int rows = 0;
    int n = 0;     // columns of y, then s, then u
    int width = 0; // and the right-hand side
    std::vector<SmallReal> t;
    std::vector<SmallReal> d; // c_j - z_j
    std::vector<int> basic;

    // `a` is rows x columns, row-major.
    SmallProgram(const std::vector<SmallReal>& a, int rowCount, int columns)
        : rows(rowCount), n(columns + 2 * rowCount), width(n + 1), t(at(rows) * at(width), 0), d(at(n), 0),
          basic(at(rows))
    {
        for (int r = 0; r < rows; ++r) {
            SmallReal* row = &t[at(r) * at(width)];
            for (int c = 0; c < columns; ++c)
                row[c] = a[at(r) * at(columns) + at(c)];
            row[columns + r] = 1;
            row[columns + rows + r] = 1;
            row[n] = 1;
            d[at(columns + r)] = 1;
            basic[at(r)] = columns + rows + r;
        }
    }

    int iterationLimit() const { return 50 * width; }

    // Bland's entering column, -1 at the optimum.
    int entering() const
    {
        for (int j = 0; j < n; ++j)
            if (d[at(j)] > kSmallProgramTol)
                return j;
        return -1;
    }

    // The leaving row for `enter`, -1 when the column is unbounded.
    int leaving(int enter) const
    {
        return leavingRow(rows, &t[at(enter)], width, &t[at(n)], width, basic.data());
    }

    // The ratio test on a column's entries and the right-hand side (each
    // with its stride between rows), ties to the smaller basic variable.
    static int leavingRow(int rows, const SmallReal* entries, int entryStride, const SmallReal* rhs, int rhsStride,
                          const int* basic)
    {
        int leave = -1;
        SmallReal best = 0;
        for (int r = 0; r < rows; ++r) {
            const SmallReal e = entries[at(r) * at(entryStride)];
            if (!(e > kSmallProgramTol))
                continue;
            const SmallReal ratio = rhs[at(r) * at(rhsStride)] / e;
            if (leave < 0 || ratio < best || (ratio == best && basic[r] < basic[leave])) {
                leave = r;
                best = ratio;
            }
        }
        return leave;
    }

    // Every column is updated by itself from the pivot row's entry and the
    // entering column's old entries, so one column can be followed alone
    // through the same pivots (FollowColumn) and end with the same numbers.
    void pivot(int leave, int enter)
    {
        std::array<SmallReal, MaxObjectives> column{};
        for (int r = 0; r < rows; ++r)
            column[at(r)] = t[at(r) * at(width) + at(enter)];
        pivotFrom(t.data(), d.data(), basic.data(), enter, column.data(), d[at(enter)], leave);
    }

    // pivot(leave, enter) on the tableau t0, d0, basic0 (of this program's
    // shape, or this program's own) whose column `enter` is replaced by
    // `column` and whose d of it by `dColumn`, written into this program:
    // a copy and the pivot in one pass.
    void pivotFrom(const SmallReal* t0, const SmallReal* d0, const int* basic0, int enter, const SmallReal* column,
                   SmallReal dColumn, int leave)
    {
        const SmallReal pivot = column[leave];
        SmallReal* pivotRow = &t[at(leave) * at(width)];
        const SmallReal* pivotFrom = &t0[at(leave) * at(width)];
        // Each loop takes t0's entry in column `enter` too, then sets that
        // one from `column`.
        for (int j = 0; j < width; ++j)
            pivotRow[j] = pivotFrom[j] / pivot;
        pivotRow[enter] = column[leave] / pivot;
        for (int r = 0; r < rows; ++r) {
            if (r == leave)
                continue;
            SmallReal* row = &t[at(r) * at(width)];
            const SmallReal* from = &t0[at(r) * at(width)];
            const SmallReal f = column[r];
            if (f != 0) {
                for (int j = 0; j < width; ++j)
                    row[j] = from[j] - f * pivotRow[j];
                row[enter] = column[r] - f * pivotRow[enter];
            } else {
                if (from != row)
                    std::copy(from, from + width, row);
                row[enter] = column[r];
            }
        }
        for (int j = 0; j < n; ++j)
            d[at(j)] = d0[j] - dColumn * pivotRow[j];
        d[at(enter)] = dColumn - dColumn * pivotRow[enter];
        if (basic0 != basic.data())
            std::copy(basic0, basic0 + rows, basic.begin());
        basic[at(leave)] = enter;
    }

    // Runs from `iteration` on; true when the optimum is finite.
    bool solve(int iteration)
    {
        for (; iteration < iterationLimit(); ++iteration) {
            const int enter = entering();
            if (enter < 0)
                return true;
            const int leave = leaving(enter);
            if (leave < 0)
                return false;
            pivot(leave, enter);
        }
        return false; // no answer within the iterations: taken as a failure
    }
};

bool boundedFromOrigin(const std::vector<SmallReal>& a, int rows, int columns)
{
    SmallProgram program(a, rows, columns);
    return program.solve(0);
}

// The coefficients of the program of weightsExist: the listed columns of
// YAC, then minus column `extra` (none when extra is 0).
std::vector<SmallReal> weightRows(const RecordYAC& yac, int numObjectives, const std::vector<int>& columns, int extra)
{
    const int listed = static_cast<int>(columns.size());
    const int n = listed + 1;
    std::vector<SmallReal> a(at(numObjectives) * at(n), 0);
    for (int k = 1; k <= numObjectives; ++k) {
        SmallReal* row = &a[at(k - 1) * at(n)];
        for (int c = 0; c < listed; ++c)
            row[c] = yac.YAC[at(k)][at(columns[at(c)])];
        if (extra > 0)
            row[listed] = -yac.YAC[at(k)][at(extra)];
    }
    return a;
}

// max sum_k s_k over sum_c YAC[k][c] y_c - YAC[k][extra] t + s_k <= 1, all
// variables >= 0: bounded exactly when some positive weights make every
// listed column's weighted reduced cost >= 0 (and, with `extra`, that
// column's one zero); its dual asks for weights lambda >= 1 with those
// signs. A failure counts as unbounded.
bool weightsExist(const RecordYAC& yac, int numObjectives, const std::vector<int>& columns, int extra)
{
    if (extra > 0)
        return boundedFromOrigin(weightRows(yac, numObjectives, columns, extra), numObjectives,
                                 static_cast<int>(columns.size()) + 1);
    const int listed = static_cast<int>(columns.size());
    std::vector<SmallReal> a(at(numObjectives) * at(listed));
    for (int k = 1; k <= numObjectives; ++k)
        for (int c = 0; c < listed; ++c)
            a[at(k - 1) * at(listed) + at(c)] = yac.YAC[at(k)][at(columns[at(c)])];
    return boundedFromOrigin(a, numObjectives, listed);
}

// The programs of weightsExist for the undecided columns of one basis differ
// only in the column of `extra`, which sits after every listed column. Bland's
// rule takes it only where no listed column can enter, so each program
// pivots as the program with that column at zero (run once, its steps kept)
// until the extra column is the first to enter; the column is followed alone
// through those pivots, and the program goes on from the kept tableau of
// that step. Every number is the one the program alone computes.
class SharedWeightPrograms {
public:
    SharedWeightPrograms(const RecordYAC& yac, int numObjectives, const std::vector<int>& columns)
        : yac_(yac), p_(numObjectives), extraAt_(static_cast<int>(columns.size())),
          base_(weightRows(yac, numObjectives, columns, 0), numObjectives, extraAt_ + 1), work_(base_),
          column_(at(numObjectives))
    {
        // Room for the steps most programs take.
        constexpr std::size_t kUsualSteps = 32;
        stepT_.reserve(kUsualSteps * base_.t.size());
        stepD_.reserve(kUsualSteps * base_.d.size());
        stepBasic_.reserve(kUsualSteps * base_.basic.size());
        for (int iteration = 0; iteration < base_.iterationLimit(); ++iteration) {
            Step step;
            step.enter = base_.entering();
            if (step.enter >= 0) {
                step.leave = base_.leaving(step.enter);
                if (step.leave >= 0) {
                    step.pivot = base_.t[at(step.leave) * at(base_.width) + at(step.enter)];
                    step.dFactor = base_.d[at(step.enter)];
                }
            }
            steps_.push_back(step);
            // The tableau before the step, for a program that goes on from it.
            stepT_.insert(stepT_.end(), base_.t.begin(), base_.t.end());
            stepD_.insert(stepD_.end(), base_.d.begin(), base_.d.end());
            stepBasic_.insert(stepBasic_.end(), base_.basic.begin(), base_.basic.end());
            if (step.enter < 0 || step.leave < 0)
                return;
            base_.pivot(step.leave, step.enter);
        }
    }

    // weightsExist(yac, numObjectives, columns, extra).
    bool bounded(int extra)
    {
        const int rows = p_;
        const int width = base_.width;
        const std::size_t tSize = base_.t.size();
        const std::size_t dSize = base_.d.size();
        std::vector<SmallReal>& column = column_;
        for (int k = 1; k <= rows; ++k)
            column[at(k - 1)] = -yac_.YAC[at(k)][at(extra)];
        SmallReal dColumn = 0;
        for (int iteration = 0; iteration < static_cast<int>(steps_.size()); ++iteration) {
            const Step& step = steps_[at(iteration)];
            const SmallReal* t = &stepT_[at(iteration) * tSize];
            const bool listedEnters = step.enter >= 0 && step.enter < extraAt_;
            if (!listedEnters && dColumn > kSmallProgramTol) {
                // The column enters first (no listed one can): its ratio
                // test, then the program goes on alone from that pivot,
                // made from the step's tableau without copying it first.
                // With no row to leave it is unbounded, as the program ends.
                if (iteration >= base_.iterationLimit())
                    return false;
                const int* basic0 = &stepBasic_[at(iteration) * at(rows)];
                const int leave = SmallProgram::leavingRow(rows, column.data(), 1, &t[at(base_.n)], width, basic0);
                if (leave < 0)
                    return false;
                const SmallReal* d0 = &stepD_[at(iteration) * dSize];
                // Most programs end at the next step: looked at first
                // without the whole pivot.
                const int next = nextStep(t, d0, basic0, column.data(), dColumn, leave, iteration + 1);
                if (next != kGoesOn)
                    return next == kBounded;
                SmallProgram& program = work_;
                program.pivotFrom(t, d0, basic0, extraAt_, column.data(), dColumn, leave);
                return program.solve(iteration + 1);
            }
            if (step.enter < 0)
                return true;
            if (step.leave < 0)
                return false;
            // The pivot of SmallProgram::pivot on this one column.
            SmallReal& pivotEntry = column[at(step.leave)];
            pivotEntry /= step.pivot;
            for (int r = 0; r < rows; ++r) {
                if (r == step.leave)
                    continue;
                const SmallReal f = t[at(r) * at(width) + at(step.enter)];
                if (f != 0)
                    column[at(r)] -= f * pivotEntry;
            }
            dColumn -= step.dFactor * pivotEntry;
        }
        return false; // the program without the column ran out of iterations
    }

private:
    static constexpr int kUnbounded = 0;
    static constexpr int kBounded = 1;
    static constexpr int kGoesOn = 2;

    // The pass of SmallProgram::solve(iteration) on the tableau that
    // pivotFrom(t0, d0, basic0, extraAt_, column, dColumn, leave) makes,
    // worked out from t0 for the entries the pass reads only: bounded or
    // unbounded when the program ends there, else kGoesOn.
    int nextStep(const SmallReal* t0, const SmallReal* d0, const int* basic0, const SmallReal* column,
                 SmallReal dColumn, int leave, int iteration) const
    {
        if (iteration >= base_.iterationLimit())
            return kUnbounded;
        const int n = base_.n;
        const int width = base_.width;
        const int rows = p_;
        const SmallReal pivot = column[leave];
        const SmallReal* pivotRow0 = &t0[at(leave) * at(width)];
        // The pivoted pivot row's entry in column j, as pivotFrom makes it.
        auto pivotRow = [&](int j) { return j == extraAt_ ? column[leave] / pivot : pivotRow0[j] / pivot; };
        int enter = -1;
        for (int j = 0; j < n && enter < 0; ++j) {
            const SmallReal d = j == extraAt_ ? dColumn - dColumn * pivotRow(j) : d0[j] - dColumn * pivotRow(j);
            if (d > kSmallProgramTol)
                enter = j;
        }
        if (enter < 0)
            return kBounded;
        // The entering column and the right-hand side after the pivot.
        std::array<SmallReal, MaxObjectives> entries{};
        std::array<SmallReal, MaxObjectives> rhs{};
        for (int r = 0; r < rows; ++r) {
            auto entry = [&](int j) {
                const SmallReal from = j == extraAt_ ? column[r] : t0[at(r) * at(width) + at(j)];
                if (r == leave)
                    return pivotRow(j);
                const SmallReal f = column[r];
                return f != 0 ? from - f * pivotRow(j) : from;
            };
            entries[at(r)] = entry(enter);
            rhs[at(r)] = entry(n);
        }
        std::array<int, MaxObjectives> basic{};
        std::copy(basic0, basic0 + rows, basic.begin());
        basic[at(leave)] = extraAt_;
        return SmallProgram::leavingRow(rows, entries.data(), 1, rhs.data(), 1, basic.data()) < 0 ? kUnbounded
                                                                                                  : kGoesOn;
    }

    struct Step {
        int enter = -1;
        int leave = -1;
        SmallReal pivot = 0;
        SmallReal dFactor = 0;
    };

    const RecordYAC& yac_;
    int p_;
    int extraAt_;
    SmallProgram base_;
    SmallProgram work_; // the program of one column that goes on alone
    std::vector<SmallReal> column_;
    std::vector<Step> steps_;
    // Tableau, reduced costs and basis before each step, one block per step.
    std::vector<SmallReal> stepT_;
    std::vector<SmallReal> stepD_;
    std::vector<int> stepBasic_;
};

// The label-exchange procedure on the small tableau of the kept columns:
// rows are labelled +1..+q (columns of YAC), columns -1..-p (objectives).
// The rows live in one block and are reached through row_, so that
// deleting rows moves no entries. Each row keeps the signs of its
// entries as bit masks (bit k for column k), made whenever its entries
// change, so that the rules, which read nothing else, test bits instead of
// numbers in every round.
class LabelExchange {
public:
    enum Status : std::uint8_t { Undecided = 0, Efficient = 1, NotEfficient = 2 };
    enum class Outcome { Finished, Stalled, Halted };

    LabelExchange(const RecordYAC& yac, int numObjectives, const std::vector<int>& kept)
        : p_(numObjectives), status_(kept.size() + 1, Undecided)
    {
        const int q = static_cast<int>(kept.size());
        block_.assign(at(q) * at(p_), 0);
        row_.resize(at(q));
        signs_.resize(at(q));
        rowLabel_.resize(at(q));
        for (int r = 0; r < q; ++r) {
            row_[at(r)] = block_.data() + at(r) * at(p_);
            rowLabel_[at(r)] = r + 1;
            for (int k = 0; k < p_; ++k)
                row_[at(r)][k] = -yac.YAC[at(k + 1)][at(kept[at(r)])];
        }
        for (int k = 0; k < p_; ++k)
            colLabel_.push_back(-(k + 1));
    }

    Outcome run()
    {
        // Entries change only in pivots, which clear their own small ones.
        for (int r = 0; r < rows(); ++r)
            zeroSmall(r);
        // A round that decides nothing, or leaves a row undecided, ends the
        // procedure, and the per-column programs decide what is left. Pivots
        // on an undecided row could still decide some labels, but on the
        // bases of degenerate vertices they seldom do before they come round
        // a cycle, and every round scans the whole tableau: the programs,
        // run for all the undecided columns of a basis at once, give the
        // same answers sooner.
        for (;;) {
            bool decided = ruleA();
            decided = deleteNotEfficientRows() || decided;
            decided = ruleB() || decided;
            decided = ruleC() || decided;
            decided = ruleD() || decided;
            decided = ruleLinked() || decided;
            if (!decided)
                return Outcome::Stalled;
            if (!finiteEntries())
                return Outcome::Halted;
            if (firstUndecidedRow() >= 0)
                return Outcome::Stalled;
            const int col = lastUndecidedColumn();
            if (col < 0)
                return Outcome::Finished;
            if (!pivotOnColumn(col))
                return Outcome::Halted;
        }
    }

    // The status of kept column `label` (1-based).
    Status statusOf(int label) const { return static_cast<Status>(status_[at(label)]); }

private:
    // The predicates of the rules on the entries of one row: entry > tol,
    // entry < -tol, entry != 0, and not a number (which passes none of the
    // ordered tests, so that "<= tol" is neither positive nor NaN).
    struct Signs {
        std::uint32_t positive = 0;
        std::uint32_t negative = 0;
        std::uint32_t nonzero = 0;
        std::uint32_t nan = 0;
    };

    int rows() const { return static_cast<int>(row_.size()); }
    SmallReal& e(int r, int k) { return row_[at(r)][k]; }
    bool undecided(int label) const { return label > 0 && status_[at(label)] == Undecided; }

    // Clears the small entries of row r and makes its signs; notes an entry
    // that is not finite.
    void zeroSmall(int r)
    {
        SmallReal* row = row_[at(r)];
        Signs signs;
        for (int k = 0; k < p_; ++k) {
            const SmallReal v = row[k];
            const SmallReal size = std::fabs(v);
            if (size < kLabelZeroTol) {
                row[k] = 0; // no sign at all
                continue;
            }
            if (!(size <= std::numeric_limits<SmallReal>::max())) // infinite or not a number
                maybeInfinite_ = true;
            // Not below the threshold: nonzero, or not a number.
            const std::uint32_t bit = std::uint32_t{1} << k;
            signs.nonzero |= bit;
            if (v > kLabelZeroTol)
                signs.positive |= bit;
            else if (v < -kLabelZeroTol)
                signs.negative |= bit;
            else if (v != v)
                signs.nan |= bit;
        }
        signs_[at(r)] = signs;
    }

    // The columns whose label is a weight (negative).
    std::uint32_t weightColumns() const
    {
        std::uint32_t mask = 0;
        for (int k = 0; k < p_; ++k)
            if (colLabel_[at(k)] < 0)
                mask |= std::uint32_t{1} << k;
        return mask;
    }

    // The lowest set bit of a nonzero mask.
    static int onlyBit(std::uint32_t mask) { return __builtin_ctz(mask); }

    // A row w_c = sum of -entry times the column variables. With every
    // entry <= 0, w_c can only be zero when the variables of its negative
    // entries are: never when one of them is a weight (negative label), so
    // the column is not efficient and its row redundant; always when the row
    // is zero. Negative entries under columns only are left to the pivots.
    bool ruleA()
    {
        bool decided = false;
        const std::uint32_t weights = weightColumns();
        for (int r = 0; r < rows(); ++r) {
            if (!undecided(rowLabel_[at(r)]))
                continue;
            const Signs& signs = signs_[at(r)];
            const bool allNonPositive = (signs.positive | signs.nan) == 0;
            const bool weightForcedZero = (signs.negative & weights) != 0;
            const bool zero = signs.nonzero == 0;
            if (allNonPositive && (weightForcedZero || zero)) {
                status_[at(rowLabel_[at(r)])] = zero ? Efficient : NotEfficient;
                redundant_.push_back(rowLabel_[at(r)]);
                decided = true;
            }
        }
        return decided;
    }

    // Only the rows that rule A found redundant (w_c >= 0 holds by itself)
    // can go without loosening the system.
    bool deleteNotEfficientRows()
    {
        bool deleted = false;
        for (int r = rows() - 1; r >= 0; --r) {
            const int label = rowLabel_[at(r)];
            if (label > 0 && status_[at(label)] == NotEfficient
                && std::find(redundant_.begin(), redundant_.end(), label) != redundant_.end()) {
                row_.erase(row_.begin() + r);
                rowLabel_.erase(rowLabel_.begin() + r);
                signs_.erase(signs_.begin() + r);
                deleted = true;
            }
        }
        return deleted;
    }

    bool ruleB()
    {
        bool decided = false;
        // A weight row lambda = |entry| x_k - (the others, >= 0) needs x_k > 0.
        for (int r = 0; r < rows(); ++r) {
            if (rowLabel_[at(r)] > 0)
                continue;
            const std::uint32_t negative = signs_[at(r)].negative;
            if (negative == 0 || (negative & (negative - 1)) != 0)
                continue;
            const int col = onlyBit(negative);
            if (undecided(colLabel_[at(col)])) {
                status_[at(colLabel_[at(col)])] = NotEfficient;
                decided = true;
            }
        }
        return decided;
    }

    bool ruleC()
    {
        bool decided = false;
        std::uint32_t below = 0; // columns with an entry that is not >= -tol
        for (int r = 0; r < rows(); ++r)
            below |= signs_[at(r)].negative | signs_[at(r)].nan;
        for (int k = 0; k < p_; ++k) {
            if (!undecided(colLabel_[at(k)]))
                continue;
            if (!(below >> k & 1)) {
                status_[at(colLabel_[at(k)])] = Efficient;
                decided = true;
            }
        }
        return decided;
    }

    bool ruleD()
    {
        bool decided = false;
        // Columns with one positive entry, and with more than one; the row
        // of the last positive entry of each column.
        std::uint32_t once = 0;
        std::uint32_t more = 0;
        std::array<int, 32> lastRow{};
        for (int r = 0; r < rows(); ++r) {
            std::uint32_t positive = signs_[at(r)].positive;
            more |= once & positive;
            once |= positive;
            while (positive != 0) {
                const int k = onlyBit(positive);
                lastRow[at(k)] = r;
                positive &= positive - 1;
            }
        }
        for (int k = 0; k < p_; ++k) {
            if (!(once >> k & 1) || (more >> k & 1))
                continue;
            const int row = lastRow[at(k)];
            if (undecided(rowLabel_[at(row)])) {
                status_[at(rowLabel_[at(row)])] = Efficient;
                decided = true;
            }
        }
        return decided;
    }

    // A row w_c = |entry| w_l, its only nonzero entry under column label l:
    // the two are zero together, so they share their status.
    bool ruleLinked()
    {
        bool decided = false;
        for (int r = 0; r < rows(); ++r) {
            const int rowLabel = rowLabel_[at(r)];
            if (rowLabel < 0)
                continue;
            const Signs& signs = signs_[at(r)];
            if (signs.nonzero == 0 || (signs.nonzero & (signs.nonzero - 1)) != 0)
                continue;
            const int col = onlyBit(signs.nonzero);
            if (colLabel_[at(col)] < 0 || !(signs.negative >> col & 1))
                continue;
            const int colLabel = colLabel_[at(col)];
            if (undecided(rowLabel) && !undecided(colLabel)) {
                status_[at(rowLabel)] = status_[at(colLabel)];
                decided = true;
            } else if (undecided(colLabel) && !undecided(rowLabel)) {
                status_[at(colLabel)] = status_[at(rowLabel)];
                decided = true;
            }
        }
        return decided;
    }

    int firstUndecidedRow() const
    {
        for (int r = 0; r < rows(); ++r)
            if (undecided(rowLabel_[at(r)]))
                return r;
        return -1;
    }

    int lastUndecidedColumn() const
    {
        for (int k = p_ - 1; k >= 0; --k)
            if (undecided(colLabel_[at(k)]))
                return k;
        return -1;
    }

    // Only a pivot makes an entry that is not finite, but a deleted row
    // takes its entries with it: the rows are read again once one was made.
    bool finiteEntries()
    {
        if (!maybeInfinite_)
            return true;
        for (int r = 0; r < rows(); ++r)
            for (int k = 0; k < p_; ++k)
                if (!std::isfinite(e(r, k)))
                    return false;
        maybeInfinite_ = false;
        return true;
    }

    bool pivotOnColumn(int col)
    {
        for (int r = rows() - 1; r >= 0; --r)
            if ((signs_[at(r)].positive | signs_[at(r)].negative) >> col & 1) {
                pivot(r, col);
                return true;
            }
        return false;
    }

    void pivot(int row, int col)
    {
        SmallReal* const pivotRow = row_[at(row)];
        const SmallReal a = pivotRow[col];
        for (int i = 0; i < rows(); ++i) {
            if (i == row)
                continue;
            SmallReal* const other = row_[at(i)];
            if (other[col] == 0)
                continue; // factor 0: no division needed to know it (the pivot is a number)
            const SmallReal factor = other[col] / a;
            if (factor == 0)
                continue;
            for (int j = 0; j < col; ++j)
                other[j] -= pivotRow[j] * factor;
            for (int j = col + 1; j < p_; ++j)
                other[j] -= pivotRow[j] * factor;
            other[col] = -factor;
            zeroSmall(i);
        }
        for (int j = 0; j < p_; ++j)
            if (j != col)
                pivotRow[j] /= a;
        pivotRow[col] = 1 / a;
        zeroSmall(row);
        std::swap(rowLabel_[at(row)], colLabel_[at(col)]);
    }

    int p_;
    std::vector<SmallReal> block_;
    std::vector<SmallReal*> row_;
    std::vector<int> rowLabel_;
    std::vector<Signs> signs_; // by row, as row_
    std::vector<int> colLabel_;
    std::vector<std::uint8_t> status_; // per positive label 1..q
    std::vector<int> redundant_;       // labels of rows rule A found redundant
    bool maybeInfinite_ = false;
};

bool isZeroColumn(const RecordYAC& yac, int numObjectives, int c)
{
    for (int k = 1; k <= numObjectives; ++k)
        if (!(std::fabs(yac.YAC[at(k)][at(c)]) <= kLabelZeroTol))
            return false;
    return true;
}

// Two bits per objective (20 objectives fit): negative, zero or positive.
std::uint64_t signPattern(const RecordYAC& yac, int numObjectives, int c)
{
    std::uint64_t pattern = 0;
    for (int k = 1; k <= numObjectives; ++k) {
        const Real v = yac.YAC[at(k)][at(c)];
        pattern = pattern << 2 | (v > kLabelZeroTol ? 1u : v < -kLabelZeroTol ? 2u : 0u);
    }
    return pattern;
}

// Column c is a positive multiple of kept column e.
bool isDuplicate(const RecordYAC& yac, int numObjectives, int c, int e)
{
    int first = 0;
    for (int k = 1; k <= numObjectives && first == 0; ++k)
        if (std::fabs(yac.YAC[at(k)][at(e)]) > kLabelZeroTol)
            first = k;
    if (first == 0)
        return false;
    const Real f = yac.YAC[at(first)][at(c)] / yac.YAC[at(first)][at(e)];
    if (!(f > 0))
        return false;
    for (int k = 1; k <= numObjectives; ++k)
        if (!(std::fabs(f * yac.YAC[at(k)][at(e)] - yac.YAC[at(k)][at(c)]) <= kLabelZeroTol))
            return false;
    return true;
}

// The columns of YAC rounded to double, each column's entries side by
// side, for a first look at the duplicate test that reads far less memory
// than the matrix. A column with a huge entry (whose multiples could leave
// the range of double) has no copy and goes to the exact test.
class ColumnCopies {
public:
    ColumnCopies(const RecordYAC& yac, int numObjectives)
        : p_(numObjectives), values_(at(yac.ncolsYAC + 1) * at(numObjectives)), copied_(at(yac.ncolsYAC) + 1, 1)
    {
        for (int c = 1; c <= yac.ncolsYAC; ++c)
            for (int k = 1; k <= p_; ++k) {
                const Real v = yac.YAC[at(k)][at(c)];
                if (!(std::fabs(v) <= Real(1e100L)))
                    copied_[at(c)] = 0;
                values_[at(c) * at(p_) + at(k - 1)] = static_cast<double>(v);
            }
    }

    // False only where isDuplicate(c, e) is false too: the test of
    // isDuplicate in double, with a bound wider than the tolerance by far
    // more than the rounding. `first` is the first objective (0-based) in
    // which e is not zero.
    bool mayBeDuplicate(int c, int e, int first) const
    {
        if (first < 0 || !copied_[at(c)] || !copied_[at(e)])
            return true;
        const double* x = &values_[at(c) * at(p_)];
        const double* y = &values_[at(e) * at(p_)];
        const double f = x[first] / y[first];
        if (!std::isfinite(f))
            return true;
        const double tol = static_cast<double>(kLabelZeroTol);
        for (int k = 0; k < p_; ++k) {
            const double scaled = f * y[k];
            if (!(std::fabs(scaled - x[k]) <= tol * (1 + 1e-9) + 1e-14 * (std::fabs(scaled) + std::fabs(x[k]))))
                return false;
        }
        return true;
    }

private:
    int p_;
    std::vector<double> values_;
    std::vector<std::uint8_t> copied_;
};

// The first objective (0-based) with a nonzero digit in a sign pattern of
// `numObjectives` digits, -1 for the zero pattern.
int firstNonzero(std::uint64_t pattern, int numObjectives)
{
    for (int k = 0; k < numObjectives; ++k)
        if ((pattern >> (2 * (numObjectives - 1 - k)) & 3u) != 0)
            return k;
    return -1;
}

} // namespace

bool IsEfficientBasis(const RecordYAC& yac, int numObjectives)
{
    std::vector<int> columns;
    for (int c = 1; c <= yac.ncolsYAC; ++c)
        columns.push_back(c);
    return weightsExist(yac, numObjectives, columns, 0);
}

EfficientColumns FindEfficientNonbasics(const RecordYAC& yac, int numObjectives)
{
    EfficientColumns result;
    const int ncols = yac.ncolsYAC;
    std::vector<int> kept;
    std::vector<int> keptOf(at(ncols) + 1, 0); // 1-based label of the kept column of c
    std::vector<int> zeroColumns;
    // The labels of the kept columns by sign pattern, in label order: a
    // positive multiple has the same sign in every objective, so only
    // columns of equal pattern need the test.
    std::vector<std::pair<std::uint64_t, std::vector<int>>> groups;
    const ColumnCopies copies(yac, numObjectives);
    for (int c = 1; c <= ncols; ++c) {
        if (isZeroColumn(yac, numObjectives, c)) {
            zeroColumns.push_back(c);
            continue;
        }
        const std::uint64_t pattern = signPattern(yac, numObjectives, c);
        std::size_t g = 0;
        while (g < groups.size() && groups[g].first != pattern)
            ++g;
        if (g == groups.size())
            groups.emplace_back(pattern, std::vector<int>{});
        std::vector<int>& labels = groups[g].second;
        const int first = firstNonzero(pattern, numObjectives);
        for (std::size_t i = 0; i < labels.size() && keptOf[at(c)] == 0; ++i) {
            const int e = kept[at(labels[i] - 1)];
            if (copies.mayBeDuplicate(c, e, first) && isDuplicate(yac, numObjectives, c, e))
                keptOf[at(c)] = labels[i];
        }
        if (keptOf[at(c)] == 0) {
            kept.push_back(c);
            keptOf[at(c)] = static_cast<int>(kept.size());
            labels.push_back(keptOf[at(c)]);
        }
    }

    LabelExchange exchange(yac, numObjectives, kept);
    const LabelExchange::Outcome outcome = exchange.run();
    if (outcome == LabelExchange::Outcome::Halted) {
        result.halted = true;
        return result;
    }
    std::vector<int> undecided;
    std::vector<int> listed;
    for (int c = 1; c <= ncols; ++c) {
        if (keptOf[at(c)] == 0)
            continue;
        const LabelExchange::Status status = exchange.statusOf(keptOf[at(c)]);
        if (status == LabelExchange::Efficient) {
            result.efficientColumn[at(c)] = true;
            ++result.count;
            listed.push_back(c);
        } else if (status == LabelExchange::Undecided) {
            undecided.push_back(c);
        }
    }
    if (outcome == LabelExchange::Outcome::Stalled) {
        listed.insert(listed.end(), undecided.begin(), undecided.end());
        SharedWeightPrograms programs(yac, numObjectives, listed);
        for (int c : undecided)
            if (programs.bounded(c)) {
                result.efficientColumn[at(c)] = true;
                ++result.count;
            }
    }
    // A variable that changes no objective keeps a zero reduced cost under
    // every weight vector: it is efficient exactly when the basis is.
    if (!zeroColumns.empty() && (result.count > 0 || kept.empty() || IsEfficientBasis(yac, numObjectives)))
        for (int c : zeroColumns) {
            result.efficientColumn[at(c)] = true;
            ++result.count;
        }
    return result;
}

void MapEfficientToPositions(const EfficientColumns& efficient, int ncolsYAC, const YacColumnMap& yacColumns,
                             int tabCols, EfficientPositions& efficientPosition)
{
    for (int j = 1; j <= tabCols - 1 && j <= kMaxTableauCols; ++j)
        efficientPosition[at(j)] = false;
    for (int c = 1; c <= ncolsYAC; ++c)
        efficientPosition[at(yacColumns[at(c)])] = efficient.efficientColumn[at(c)];
}

