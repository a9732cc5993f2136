#include "lp/EfficientBases.h"

#include "base/UiPort.h"
#include "lp/EfficientBasesMessages.h"
#include "lp/LpSolveAdapter.h"
#include "lp/LpTolerances.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

void addToCode(VectCodificacao& code, int v) { code[at(v / kCodeBitsPerWord)] |= 1 << (v % kCodeBitsPerWord); }

// Words 0..this of noUB_cod can hold a decision variable.
int lastUpperWord(int numVariables) { return std::min(8, numVariables / kCodeBitsPerWord); }

} // namespace

Umabase EncodeBasis(const std::int32_t* basicList, int count, const AtUpperFlags& atUpper, int numVariables)
{
    Umabase base;
    for (int i = 1; i <= count; ++i)
        addToCode(base.codbase, basicList[i]);
    for (int j = 1; j <= numVariables && j <= kMaxLpColumns; ++j)
        if (atUpper[at(j)])
            addToCode(base.noUB_cod, j);
    return base;
}

void DecodeBasis(const Umabase& base, vectorResEB_Int& basicList, AtUpperFlags& atUpper)
{
    basicList.fill(0);
    atUpper.fill(false);
    int count = 0;
    for (int word = 0; word < 9; ++word)
        for (int bit = 0; bit < kCodeBitsPerWord; ++bit) {
            const int v = word * kCodeBitsPerWord + bit;
            if ((base.codbase[at(word)] >> bit & 1) && count < MaxBasic)
                basicList[at(++count)] = v;
            if ((base.noUB_cod[at(word)] >> bit & 1) && v <= kMaxLpColumns)
                atUpper[at(v)] = true;
        }
}

bool SameBasis(const Umabase& a, const Umabase& b, int numVariables)
{
    if (a.codbase != b.codbase)
        return false;
    for (int w = 0; w <= lastUpperWord(numVariables); ++w)
        if (a.noUB_cod[at(w)] != b.noUB_cod[at(w)])
            return false;
    return true;
}

// ---------------------------------------------------------------------------

BasisList::BasisList(int numVariables) : numVariables_(numVariables) { rehash(1024); }

std::size_t BasisList::hashOf(const Umabase& base) const
{
    // FNV-1a over the words SameBasis compares.
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::int32_t word) {
        h ^= static_cast<std::uint32_t>(word);
        h *= 1099511628211ull;
    };
    for (std::int32_t word : base.codbase)
        mix(word);
    for (int w = 0; w <= lastUpperWord(numVariables_); ++w)
        mix(base.noUB_cod[at(w)]);
    return static_cast<std::size_t>(h ^ (h >> 29));
}

void BasisList::rehash(std::size_t slotCount)
{
    // Built aside, so that running out of memory leaves the table as it was.
    std::vector<std::int32_t> table(slotCount, 0);
    const std::size_t mask = slotCount - 1;
    for (int i = 0; i < size(); ++i) {
        std::size_t s = hashOf(bases_[at(i)]) & mask;
        while (table[s] != 0)
            s = (s + 1) & mask;
        table[s] = i + 1;
    }
    slots_.swap(table);
}

int BasisList::find(const Umabase& base) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = hashOf(base) & mask; slots_[s] != 0; s = (s + 1) & mask) {
        const int index = slots_[s] - 1;
        if (SameBasis(bases_[at(index)], base, numVariables_))
            return index;
    }
    return -1;
}

bool BasisList::append(const Umabase& base, const BasisMove& move)
{
    if (find(base) >= 0)
        return false;
    // Everything that can fail comes first; the list changes only after it.
    try {
        if (bases_.size() == bases_.capacity())
            bases_.reserve(2 * bases_.size() + 64);
        if (moves_.size() == moves_.capacity())
            moves_.reserve(2 * moves_.size() + 64);
        // Keep the table at most half full.
        if (at(size() + 1) * 2 > slots_.size())
            rehash(slots_.size() * 2);
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
        return false;
    }
    bases_.push_back(base);
    moves_.push_back(move);
    const std::size_t mask = slots_.size() - 1;
    std::size_t s = hashOf(base) & mask;
    while (slots_[s] != 0)
        s = (s + 1) & mask;
    slots_[s] = size();
    return true;
}

// ---------------------------------------------------------------------------

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

// Entries of the small programs below this are zero.
constexpr Real kSmallProgramTol = 1e-11L;

// max sum_k s_k over a y + s + u = 1 (one row per objective), every
// variable >= 0. The origin is feasible, so the primal simplex starts from
// the basis of the u and needs no first phase; Bland's rule keeps it from
// cycling on the many degenerate pivots. True when the optimum is finite.
// `a` is rows x columns, row-major.
bool boundedFromOrigin(const std::vector<Real>& a, int rows, int columns)
{
    const int n = columns + 2 * rows; // y, s, u
    const int width = n + 1;          // and the right-hand side
    std::vector<Real> t(at(rows) * at(width), 0);
    std::vector<Real> d(at(n), 0); // c_j - z_j
    std::vector<int> basic(at(rows));
    for (int r = 0; r < rows; ++r) {
        Real* row = &t[at(r) * at(width)];
        for (int c = 0; c < columns; ++c)
            row[c] = a[at(r) * at(columns) + at(c)];
        row[columns + r] = 1;
        row[columns + rows + r] = 1;
        row[n] = 1;
        d[at(columns + r)] = 1;
        basic[at(r)] = columns + rows + r;
    }
    for (int iteration = 0; iteration < 50 * width; ++iteration) {
        int enter = -1;
        for (int j = 0; j < n && enter < 0; ++j)
            if (d[at(j)] > kSmallProgramTol)
                enter = j;
        if (enter < 0)
            return true;
        int leave = -1;
        Real best = 0;
        for (int r = 0; r < rows; ++r) {
            const Real e = t[at(r) * at(width) + at(enter)];
            if (!(e > kSmallProgramTol))
                continue;
            const Real ratio = t[at(r) * at(width) + at(n)] / e;
            if (leave < 0 || ratio < best || (ratio == best && basic[at(r)] < basic[at(leave)])) {
                leave = r;
                best = ratio;
            }
        }
        if (leave < 0)
            return false;
        Real* pivotRow = &t[at(leave) * at(width)];
        const Real pivot = pivotRow[enter];
        for (int j = 0; j < width; ++j)
            pivotRow[j] /= pivot;
        for (int r = 0; r < rows; ++r) {
            if (r == leave)
                continue;
            Real* row = &t[at(r) * at(width)];
            const Real f = row[enter];
            if (f != 0)
                for (int j = 0; j < width; ++j)
                    row[j] -= f * pivotRow[j];
        }
        const Real f = d[at(enter)];
        for (int j = 0; j < n; ++j)
            d[at(j)] -= f * pivotRow[j];
        basic[at(leave)] = enter;
    }
    return false; // no answer within the iterations: taken as a failure
}

// max sum_k s_k over sum_c YAC[k][c] y_c - YAC[k][extra] t + s_k <= 1, all
// variables >= 0: bounded exactly when some positive weights make every
// listed column's weighted reduced cost >= 0 (and, with `extra`, that
// column's one zero); its dual asks for weights lambda >= 1 with those
// signs. A failure counts as unbounded.
bool weightsExist(const RecordYAC& yac, int numObjectives, const std::vector<int>& columns, int extra)
{
    const int listed = static_cast<int>(columns.size());
    const int n = listed + (extra > 0 ? 1 : 0);
    std::vector<Real> a(at(numObjectives) * at(n));
    for (int k = 1; k <= numObjectives; ++k) {
        Real* row = &a[at(k - 1) * at(n)];
        for (int c = 0; c < listed; ++c)
            row[c] = yac.YAC[at(k)][at(columns[at(c)])];
        if (extra > 0)
            row[listed] = -yac.YAC[at(k)][at(extra)];
    }
    return boundedFromOrigin(a, numObjectives, n);
}

// The label-exchange procedure on the small tableau of the kept columns:
// rows are labelled +1..+q (columns of YAC), columns -1..-p (objectives).
class LabelExchange {
public:
    enum Status : std::uint8_t { Undecided = 0, Efficient = 1, NotEfficient = 2 };
    enum class Outcome { Finished, Stalled, Halted };

    LabelExchange(const RecordYAC& yac, int numObjectives, const std::vector<int>& kept)
        : p_(numObjectives), status_(kept.size() + 1, Undecided)
    {
        const int q = static_cast<int>(kept.size());
        entry_.assign(at(q), std::vector<Real>(at(p_), 0));
        for (int r = 0; r < q; ++r) {
            rowLabel_.push_back(r + 1);
            for (int k = 0; k < p_; ++k)
                entry_[at(r)][at(k)] = -yac.YAC[at(k + 1)][at(kept[at(r)])];
        }
        for (int k = 0; k < p_; ++k)
            colLabel_.push_back(-(k + 1));
    }

    Outcome run()
    {
        for (int stall = 0;;) {
            zeroSmall();
            bool decided = ruleA();
            decided = deleteNotEfficientRows() || decided;
            decided = ruleB() || decided;
            decided = ruleC() || decided;
            decided = ruleD() || decided;
            decided = ruleLinked() || decided;
            stall = decided ? 0 : stall + 1;
            if (stall > kLabelExchangeStallLimit)
                return Outcome::Stalled;
            if (!finiteEntries())
                return Outcome::Halted;
            if (firstUndecidedRow() >= 0) {
                // A row whose positive entries have no partner is left to the
                // per-column programs.
                if (!pivotOnAnUndecidedRow())
                    return Outcome::Stalled;
                continue;
            }
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
    int rows() const { return static_cast<int>(entry_.size()); }
    Real& e(int r, int k) { return entry_[at(r)][at(k)]; }
    bool undecided(int label) const { return label > 0 && status_[at(label)] == Undecided; }

    void zeroSmall()
    {
        for (auto& row : entry_)
            for (Real& v : row)
                if (std::fabs(v) < kLabelZeroTol)
                    v = 0;
    }

    // A row w_c = sum of -entry times the column variables. With every
    // entry <= 0, w_c can only be zero when the variables of its negative
    // entries are: never when one of them is a weight (negative label), so
    // the column is not efficient and its row redundant; always when the row
    // is zero. Negative entries under columns only are left to the pivots.
    bool ruleA()
    {
        bool decided = false;
        for (int r = 0; r < rows(); ++r) {
            if (!undecided(rowLabel_[at(r)]))
                continue;
            bool allNonPositive = true;
            bool weightForcedZero = false;
            bool zero = true;
            for (int k = 0; k < p_ && allNonPositive; ++k) {
                allNonPositive = e(r, k) <= kLabelZeroTol;
                zero = zero && e(r, k) == 0;
                weightForcedZero = weightForcedZero || (e(r, k) < -kLabelZeroTol && colLabel_[at(k)] < 0);
            }
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
                entry_.erase(entry_.begin() + r);
                rowLabel_.erase(rowLabel_.begin() + r);
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
            int negatives = 0;
            int col = -1;
            for (int k = 0; k < p_; ++k)
                if (e(r, k) < -kLabelZeroTol) {
                    ++negatives;
                    col = k;
                }
            if (negatives == 1 && undecided(colLabel_[at(col)])) {
                status_[at(colLabel_[at(col)])] = NotEfficient;
                decided = true;
            }
        }
        return decided;
    }

    bool ruleC()
    {
        bool decided = false;
        for (int k = 0; k < p_; ++k) {
            if (!undecided(colLabel_[at(k)]))
                continue;
            bool allNonNegative = true;
            for (int r = 0; r < rows() && allNonNegative; ++r)
                allNonNegative = e(r, k) >= -kLabelZeroTol;
            if (allNonNegative) {
                status_[at(colLabel_[at(k)])] = Efficient;
                decided = true;
            }
        }
        return decided;
    }

    bool ruleD()
    {
        bool decided = false;
        for (int k = 0; k < p_; ++k) {
            int positives = 0;
            int row = -1;
            for (int r = 0; r < rows(); ++r)
                if (e(r, k) > kLabelZeroTol) {
                    ++positives;
                    row = r;
                }
            if (positives == 1 && undecided(rowLabel_[at(row)])) {
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
            int col = -1;
            int nonzero = 0;
            for (int k = 0; k < p_; ++k)
                if (e(r, k) != 0) {
                    ++nonzero;
                    col = k;
                }
            const int rowLabel = rowLabel_[at(r)];
            if (nonzero != 1 || rowLabel < 0 || colLabel_[at(col)] < 0 || !(e(r, col) < -kLabelZeroTol))
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

    // The first undecided row that has a positive entry with a positive
    // partner in a later row goes to the top and is pivoted there. Taking
    // the first positive column of the first row only, as the procedure was
    // first written, can search forever.
    bool pivotOnAnUndecidedRow()
    {
        for (int row = 0; row < rows(); ++row) {
            if (!undecided(rowLabel_[at(row)]))
                continue;
            std::swap(entry_[0], entry_[at(row)]);
            std::swap(rowLabel_[0], rowLabel_[at(row)]);
            for (int k = 0; k < p_; ++k) {
                if (!(e(0, k) > kLabelZeroTol))
                    continue;
                for (int r = 1; r < rows(); ++r)
                    if (e(r, k) > kLabelZeroTol) {
                        pivot(r, k);
                        return true;
                    }
            }
        }
        return false;
    }

    bool finiteEntries() const
    {
        for (const auto& row : entry_)
            for (Real v : row)
                if (!std::isfinite(v))
                    return false;
        return true;
    }

    bool pivotOnColumn(int col)
    {
        for (int r = rows() - 1; r >= 0; --r)
            if (std::fabs(e(r, col)) > kLabelZeroTol) {
                pivot(r, col);
                return true;
            }
        return false;
    }

    void pivot(int row, int col)
    {
        const Real a = e(row, col);
        for (int i = 0; i < rows(); ++i) {
            if (i == row)
                continue;
            const Real factor = e(i, col) / a;
            if (factor == 0)
                continue;
            for (int j = 0; j < p_; ++j)
                if (j != col)
                    e(i, j) -= e(row, j) * factor;
            e(i, col) = -factor;
        }
        for (int j = 0; j < p_; ++j)
            if (j != col)
                e(row, j) /= a;
        e(row, col) = 1 / a;
        std::swap(rowLabel_[at(row)], colLabel_[at(col)]);
        zeroSmall();
    }

    int p_;
    std::vector<std::vector<Real>> entry_;
    std::vector<int> rowLabel_;
    std::vector<int> colLabel_;
    std::vector<std::uint8_t> status_; // per positive label 1..q
    std::vector<int> redundant_;       // labels of rows rule A found redundant
};

bool isZeroColumn(const RecordYAC& yac, int numObjectives, int c)
{
    for (int k = 1; k <= numObjectives; ++k)
        if (!(std::fabs(yac.YAC[at(k)][at(c)]) <= kLabelZeroTol))
            return false;
    return true;
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
    for (int c = 1; c <= ncols; ++c) {
        if (isZeroColumn(yac, numObjectives, c)) {
            zeroColumns.push_back(c);
            continue;
        }
        for (int label = 1; label <= static_cast<int>(kept.size()) && keptOf[at(c)] == 0; ++label)
            if (isDuplicate(yac, numObjectives, c, kept[at(label - 1)]))
                keptOf[at(c)] = label;
        if (keptOf[at(c)] == 0) {
            kept.push_back(c);
            keptOf[at(c)] = static_cast<int>(kept.size());
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
        for (int c : undecided)
            if (weightsExist(yac, numObjectives, listed, c)) {
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

// ---------------------------------------------------------------------------

namespace {

struct VariableBounds {
    Real lo = 0;
    Real up = kInfiniteBound;
};

VariableBounds boundsOf(const LpTables& lp, int v)
{
    if (lp.isColumn(v))
        return {lp.lpBounds[at(v)].lo, lp.lpBounds[at(v)].up};
    return {};
}

bool finite(Real up) { return up < kInfiniteBound; }

// Order of the evaluator's nonbasic list: slacks by row, then columns.
int variableKey(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpRowCount + v : lp.slackRow(v); }

} // namespace

int RatioCandidates(const LpTables& lp, int position, RatioCandidateList& out)
{
    const int R = lp.tabRows;
    const int entering = lp.nonbasicList[at(position)];
    const bool down = lp.isColumn(entering) && lp.atUpper[at(entering)];

    // theta_i and its kind per row; kind 0 for a row without a ratio.
    std::array<Real, kMaxTableauRows + 1> ratio{};
    std::array<std::int32_t, kMaxTableauRows + 1> ratioKind{};
    Real theta = kInfiniteBound;
    for (int i = 1; i <= R - 1; ++i) {
        ratioKind[at(i)] = 0;
        const Real a = lp.tableau[at(i)][at(position)];
        if (!(std::fabs(a) > kRatioZeroTol))
            continue;
        const Real x = lp.basicValues[at(i)];
        const VariableBounds b = boundsOf(lp, lp.basicList[at(i)]);
        const bool towardsUpper = down ? a >= 0 : a <= 0;
        if (towardsUpper) {
            if (!finite(b.up))
                continue;
            ratio[at(i)] = (b.up - x) / std::fabs(a);
            ratioKind[at(i)] = 2;
        } else {
            ratio[at(i)] = (x - b.lo) / std::fabs(a);
            ratioKind[at(i)] = 1;
        }
        theta = std::min(theta, ratio[at(i)]);
    }

    int count = 0;
    if (lp.isColumn(entering)) {
        const LpBound& bound = lp.lpBounds[at(entering)];
        if (finite(bound.up) && bound.up - bound.lo <= theta) {
            theta = bound.up - bound.lo;
            out[at(count++)] = {0, 0};
        }
    }
    for (int i = 1; i <= R - 1; ++i) {
        if (ratioKind[at(i)] != 0 && std::fabs(ratio[at(i)] - theta) <= kRatioZeroTol) {
            out[at(count++)] = {i, ratioKind[at(i)]};
            continue;
        }
        const Real a = lp.tableau[at(i)][at(position)];
        if (!(std::fabs(a) > kRatioZeroTol))
            continue;
        const Real x = lp.basicValues[at(i)];
        const VariableBounds b = boundsOf(lp, lp.basicList[at(i)]);
        if (std::fabs(x - b.lo) <= kRatioZeroTol)
            out[at(count++)] = {i, 1};
        else if (finite(b.up) && std::fabs(b.up - x) <= kRatioZeroTol)
            out[at(count++)] = {i, 2};
    }
    return count;
}

int AdjacentBases(const LpTables& lp, const EfficientPositions& efficientPosition, bool zeroReducedCostOnly,
                  int parent, BasisList& list)
{
    const int R = lp.tabRows;
    const int rows = lp.lpRowCount;
    std::array<std::int32_t, kMaxTableauCols + 1> positions{};
    int positionCount = 0;
    for (int j = 1; j <= lp.tabCols - 1; ++j)
        if (efficientPosition[at(j)]
            && (!zeroReducedCostOnly || std::fabs(lp.tableau[at(R)][at(j)]) <= kRatioZeroTol))
            positions[at(positionCount++)] = j;
    auto byKey = [&lp](int a, int b) { return variableKey(lp, a) < variableKey(lp, b); };
    std::sort(positions.begin(), positions.begin() + positionCount,
              [&](int a, int b) { return byKey(lp.nonbasicList[at(a)], lp.nonbasicList[at(b)]); });

    vectorResEB_Int basis{};
    AtUpperFlags upper{};
    RatioCandidateList candidates{};
    int appended = 0;
    for (int p = 0; p < positionCount; ++p) {
        const int j = positions[at(p)];
        const int entering = lp.nonbasicList[at(j)];
        const int count = RatioCandidates(lp, j, candidates);
        // The bound flip stays first; the exchanges follow their leaving variable.
        const int firstExchange = count > 0 && candidates[0].row == 0 ? 1 : 0;
        std::sort(candidates.begin() + firstExchange, candidates.begin() + count,
                  [&](const RatioCandidate& a, const RatioCandidate& b) {
                      return byKey(lp.basicList[at(a.row)], lp.basicList[at(b.row)]);
                  });
        for (int c = 0; c < count; ++c) {
            const RatioCandidate& candidate = candidates[at(c)];
            std::copy(lp.basicList.begin(), lp.basicList.begin() + R, basis.begin());
            std::copy(lp.atUpper.begin(), lp.atUpper.end(), upper.begin());
            BasisMove move{parent, entering, 0, candidate.kind};
            if (candidate.row == 0) {
                upper[at(entering)] = !upper[at(entering)];
            } else {
                const int leaving = lp.basicList[at(candidate.row)];
                move.leaving = leaving;
                basis[at(candidate.row)] = entering;
                if (lp.isColumn(entering))
                    upper[at(entering)] = false;
                if (lp.isColumn(leaving))
                    upper[at(leaving)] = candidate.kind == 2;
            }
            if (list.append(EncodeBasis(basis.data(), rows, upper, lp.lpColumnCount), move))
                ++appended;
            else if (list.outOfMemory())
                return appended;
        }
    }
    return appended;
}

// ---------------------------------------------------------------------------

namespace {

// max objSense_k f_k + 0.0001 sum_{l != k} objSense_l normFactor_l f_l over
// the problem rows and f_k not passing z.
void buildBoundedObjectiveProgram(const Workspace& ws, int k, Real z, LpTables& lp)
{
    ClearProgram(lp);
    AddProblemRows(ws, lp, false);
    const int n = ws.numVariables;
    ++lp.lpRowCount;
    LpRow& row = lp.lpRows[at(lp.lpRowCount)];
    for (int j = 1; j <= n; ++j)
        row.coef[at(j)] = ws.objCoef[at(k)][at(j)];
    row.type = ws.objSense[at(k)] == 1 ? kRowLessEqual : kRowGreaterEqual;
    row.rhs = z;
    SetDecisionColumns(ws, lp);
    for (int j = 1; j <= n; ++j) {
        Real c = ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)];
        for (int l = 1; l <= ws.numObjectives; ++l)
            if (l != k)
                c += kAlternativePerturbation * ws.objCoef[at(l)][at(j)] * ws.objSense[at(l)] * ws.normFactor[at(l)];
        lp.lpObjective[at(j)] = c;
    }
}

// The objective row of the read-back for the plain objective k; false when
// some variable would still improve it (the perturbed optimum is not one).
bool plainObjectiveIsOptimal(const Workspace& ws, int k, LpTables& lp)
{
    const int n = ws.numVariables;
    for (int j = 1; j <= n; ++j)
        lp.lpObjective[at(j)] = ws.objSense[at(k)] * ws.objCoef[at(k)][at(j)];
    auto cost = [&lp](int v) { return lp.isColumn(v) ? lp.lpObjective[at(v)] : Real(0); };
    const int R = lp.tabRows;
    bool optimal = true;
    for (int j = 1; j <= lp.tabCols - 1; ++j) {
        const int v = lp.nonbasicList[at(j)];
        Real d = cost(v);
        for (int i = 1; i <= R - 1; ++i)
            d -= cost(lp.basicList[at(i)]) * lp.tableau[at(i)][at(j)];
        if (std::fabs(d) <= kRatioZeroTol)
            d = 0;
        lp.tableau[at(R)][at(j)] = d;
        if (d > 0 && !(lp.isColumn(v) && lp.atUpper[at(v)]))
            optimal = false;
    }
    return optimal;
}

// The least step along tableau position j for a variable moving up.
Real stepUp(const LpTables& lp, int j)
{
    Real theta = kInfiniteBound;
    for (int i = 1; i <= lp.tabRows - 1; ++i) {
        const Real a = lp.tableau[at(i)][at(j)];
        if (!(std::fabs(a) > kRatioZeroTol))
            continue;
        const Real x = lp.basicValues[at(i)];
        const VariableBounds b = boundsOf(lp, lp.basicList[at(i)]);
        if (a > 0)
            theta = std::min(theta, (x - b.lo) / a);
        else if (finite(b.up))
            theta = std::min(theta, (b.up - x) / -a);
    }
    return theta;
}

class AlternativeWalk {
public:
    AlternativeWalk(Workspace& ws, LpEngine& engine, int m)
        : ws_(ws), lp_(engine.tables), engine_(engine), m_(m), list_(ws.numVariables)
    {
    }

    // False after a halt of the efficient-variable procedure.
    bool run()
    {
        list_.append(EncodeBasis(lp_.basicList.data(), lp_.lpRowCount, lp_.atUpper, lp_.lpColumnCount), BasisMove{});
        if (!examine(0))
            return false;
        for (int next = 1; next < list_.size() && !stopped_; ++next) {
            DecodeBasis(list_[next], lp_.basicList, lp_.atUpper);
            if (EvaluateBasis(lp_, 1, engine_.evaluator) == SolveStatus::Other)
                continue;
            ComputeReducedCosts(ws_, lp_, ws_.currentYAC, ws_.yacColumns);
            if (IsDominatedBasis(ws_.currentYAC, ws_.numObjectives))
                continue;
            if (!examine(next))
                return false;
        }
        return true;
    }

private:
    bool examine(int index)
    {
        const RecordYAC& yac = ws_.currentYAC;
        const EfficientColumns efficient = FindEfficientNonbasics(yac, ws_.numObjectives);
        if (efficient.halted)
            return false;
        EfficientPositions positions{};
        MapEfficientToPositions(efficient, yac.ncolsYAC, ws_.yacColumns, lp_.tabCols, positions);
        const bool explore = record(efficient);
        if (m_ < 0 && ws_.alternativeCount > 0)
            stopped_ = true;
        if (list_.size() > kAlternativeBasesLimit && ws_.alternativeCount > 0)
            stopped_ = true;
        if (!stopped_ && explore)
            AdjacentBases(lp_, positions, true, index, list_);
        return true;
    }

    // Records an accepted basis; tells whether to explore its neighbours.
    bool record(const EfficientColumns& efficient)
    {
        const RecordYAC& yac = ws_.currentYAC;
        const int p = ws_.numObjectives;
        ++ws_.visitedBases;
        int unitColumn = 0;
        if (m_ != 0) {
            const int objective = m_ < 0 ? -m_ : m_;
            for (int c = 1; c <= yac.ncolsYAC; ++c)
                if (efficient.efficientColumn[at(c)]
                    && std::fabs(std::fabs(yac.YAC[at(objective)][at(c)]) - 1) <= kUnitReducedCostTol)
                    unitColumn = c;
            if (unitColumn == 0)
                return !testEveryBasis_ || IsEfficientBasis(yac, p);
            if (!IsEfficientBasis(yac, p)) {
                testEveryBasis_ = true;
                return false;
            }
        }
        UmaSolAltern alternative;
        alternative.YAC_EFIC.assign(at(p), {});
        for (int c = 1; c <= yac.ncolsYAC; ++c) {
            if (!efficient.efficientColumn[at(c)])
                continue;
            for (int k = 1; k <= p; ++k)
                alternative.YAC_EFIC[at(k - 1)].push_back(yac.YAC[at(k)][at(c)]);
            ++alternative.NColsYAC_EFIC;
        }
        try {
            ws_.alternatives.push_back(std::move(alternative));
        } catch (const std::bad_alloc&) {
            stopped_ = true;
            return false;
        }
        ++ws_.alternativeCount;
        if (unitColumn != 0) {
            const Real step = stepUp(lp_, ws_.yacColumns[at(unitColumn)]);
            if (step < kInfiniteBound && step > ws_.bestEdgeStep) {
                ws_.bestEdgeStep = step;
                ws_.bestEdgeAlternative = ws_.alternativeCount - 1;
            }
        }
        return true;
    }

    Workspace& ws_;
    LpTables& lp_;
    LpEngine& engine_;
    int m_;
    BasisList list_;
    bool stopped_ = false;
    bool testEveryBasis_ = false;
};

} // namespace

AlternativeOptimaResult AlternativeOptima(Workspace& ws, LpEngine& engine, UiPort& ui, int k, int m, Real z)
{
    AlternativeOptimaResult result;
    LpTables& lp = engine.tables;
    buildBoundedObjectiveProgram(ws, k, z, lp);
    result.status = SolveScalarizing(lp, true, 1, engine.evaluator);
    if (result.status != SolveStatus::Optimal)
        return result;
    if (!plainObjectiveIsOptimal(ws, k, lp)) {
        ui.showMessage(MsgKind::Error, QString::fromUtf8(msg::kPerturbedNotOptimal));
        return result;
    }

    ws.alternatives.clear();
    ws.alternativeCount = 0;
    ws.visitedBases = 0;
    ws.bestEdgeStep = 0;
    ws.bestEdgeAlternative = -1;
    ComputeReducedCosts(ws, lp, ws.currentYAC, ws.yacColumns);
    if (IsDominatedBasis(ws.currentYAC, ws.numObjectives)) {
        ui.showMessage(MsgKind::Error, QString::fromUtf8(msg::kFirstAlternativeNotEfficient));
        return result;
    }
    AlternativeWalk walk(ws, engine, m);
    // The starting basis is entry 0 of the walk's list.
    if (!walk.run()) {
        ui.showMessage(MsgKind::Error, QString::fromUtf8(msg::kEfficientNonbasicsHalt));
        result.halted = true;
        return result;
    }
    result.ok = true;
    return result;
}
