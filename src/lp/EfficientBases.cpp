#include "lp/EfficientBases.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <ostream>

const char* toString(MoveKind kind)
{
    switch (kind) {
    case MoveKind::BoundFlip: return "BoundFlip";
    case MoveKind::LeavesAtLower: return "LeavesAtLower";
    case MoveKind::LeavesAtUpper: return "LeavesAtUpper";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, MoveKind kind) { return out << toString(kind); }

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

// Order of the evaluator's nonbasic list: slacks by row, then columns.
int variableKey(const LpTables& lp, int v) { return lp.isColumn(v) ? lp.lpRowCount + v : lp.slackRow(v); }

} // namespace

int RatioCandidates(const LpTables& lp, int position, RatioCandidateList& out)
{
    const int R = lp.tabRows;
    const int entering = lp.nonbasicList[at(position)];
    const bool down = lp.isColumn(entering) && lp.atUpper[at(entering)];

    // The rows with a nonzero entry, in order: theta_i and its kind (none
    // for a row without a ratio), and whether the basic value is at a bound.
    // (Filled before it is read, so the array is left uninitialized.)
    struct Row {
        int i;
        Real ratio;
        bool hasRatio;
        MoveKind kind;
        bool atLower;
        bool atUpper;
    };
    std::array<Row, kMaxTableauRows + 1> rows;
    int rowCount = 0;
    Real theta = kInfiniteBound;
    for (int i = 1; i <= R - 1; ++i) {
        const Real a = lp.tableau[at(i)][at(position)];
        if (!(std::fabs(a) > kRatioZeroTol))
            continue;
        const Real x = lp.basicValues[at(i)];
        const VariableBounds b = boundsOf(lp, lp.basicList[at(i)]);
        Row& row = rows[at(rowCount++)];
        row.i = i;
        row.hasRatio = false;
        row.atLower = std::fabs(x - b.lo) <= kRatioZeroTol;
        row.atUpper = isFinite(b.up) && std::fabs(b.up - x) <= kRatioZeroTol;
        const bool towardsUpper = down ? a >= 0 : a <= 0;
        if (towardsUpper) {
            if (!isFinite(b.up))
                continue;
            row.ratio = (b.up - x) / std::fabs(a);
            row.kind = MoveKind::LeavesAtUpper;
        } else {
            row.ratio = (x - b.lo) / std::fabs(a);
            row.kind = MoveKind::LeavesAtLower;
        }
        row.hasRatio = true;
        theta = std::min(theta, row.ratio);
    }

    int count = 0;
    if (lp.isColumn(entering)) {
        const LpBound& bound = lp.lpBounds[at(entering)];
        if (isFinite(bound.up) && bound.up - bound.lo <= theta) {
            theta = bound.up - bound.lo;
            out[at(count++)] = {0, MoveKind::BoundFlip};
        }
    }
    for (int k = 0; k < rowCount; ++k) {
        const Row& row = rows[at(k)];
        if (row.hasRatio && std::fabs(row.ratio - theta) <= kRatioZeroTol)
            out[at(count++)] = {row.i, row.kind};
        else if (row.atLower)
            out[at(count++)] = {row.i, MoveKind::LeavesAtLower};
        else if (row.atUpper)
            out[at(count++)] = {row.i, MoveKind::LeavesAtUpper};
    }
    return count;
}

int AdjacentBases(const LpTables& lp, const EfficientPositions& efficientPosition, bool zeroReducedCostOnly,
                  int parent, BasisList& list)
{
    std::vector<AdjacentMove> moves;
    AdjacentMoves(lp, efficientPosition, zeroReducedCostOnly, parent, moves);
    return AppendMoves(moves, list);
}

int AppendMoves(const std::vector<AdjacentMove>& moves, BasisList& list)
{
    int appended = 0;
    for (const AdjacentMove& m : moves) {
        if (list.append(m.base, m.move))
            ++appended;
        else if (list.outOfMemory())
            return appended;
    }
    return appended;
}

void AdjacentMoves(const LpTables& lp, const EfficientPositions& efficientPosition, bool zeroReducedCostOnly,
                   int parent, std::vector<AdjacentMove>& out)
{
    out.clear();
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
                    upper[at(leaving)] = candidate.kind == MoveKind::LeavesAtUpper;
            }
            out.push_back(AdjacentMove{EncodeBasis(basis.data(), rows, upper, lp.lpColumnCount), move});
        }
    }
}

