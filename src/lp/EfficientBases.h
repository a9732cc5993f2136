#pragma once

#include "lp/LpEngine.h"
#include "base/Notices.h"
#include "lp/LpTolerances.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

struct Workspace;

// Walking the efficient bases of a scalarizing program: a compact code of a
// basis, the efficiency tests of a basis and of each of its nonbasic
// variables (read from the reduced-cost matrix YAC, z - c form, so that a
// basis is optimal for weights w when sum_k w_k YAC[k][c] >= 0 for every
// column), the bounded ratio test that lists every basis reached by entering
// one variable, and the enumeration of the alternative optimal efficient
// bases of one objective.

// Thresholds of the efficiency tests and the ratio test: LpTolerances.h.
// Weight of the other objectives in the perturbed objective of the
// alternative-optima walk.
constexpr Real kAlternativePerturbation = 0.0001L;
// The alternative-optima walk stops once its list passes this many bases.
constexpr int kAlternativeBasesLimit = 9999;

// A set of variable numbers: number v is bit (v mod 30) of word (v div 30).
constexpr int kCodeBitsPerWord = 30;

// One basis: its basic variables, and the decision variables nonbasic at
// their upper bound.
struct Umabase {
    VectCodificacao codbase{};
    VectCodificacao noUB_cod{};
};

using AtUpperFlags = std::array<bool, kMaxLpColumns + 1>;

Umabase EncodeBasis(const std::int32_t* basicList, int count, const AtUpperFlags& atUpper, int numVariables);
// basicList: the basic variables in increasing order, then zeros up to
// MaxBasic entries; atUpper: the flags of the code, every other one false.
void DecodeBasis(const Umabase& base, vectorResEB_Int& basicList, AtUpperFlags& atUpper);
// Same basic set, and the same upper-bound flags over the words that can
// hold a decision variable.
bool SameBasis(const Umabase& a, const Umabase& b, int numVariables);

// How a move of the ratio test changes the basis: the entering variable
// jumps to its other bound, or the leaving one leaves at its lower or upper
// bound. The codes are those of the saved walks (0, 1, 2).
enum class MoveKind : std::int32_t {
    BoundFlip = 0,
    LeavesAtLower = 1,
    LeavesAtUpper = 2,
};
const char* toString(MoveKind kind);
std::ostream& operator<<(std::ostream& out, MoveKind kind);

// How a basis of a walk was reached: from list entry `parent` by entering
// variable `entering`; `leaving` left the basis at its lower or upper bound,
// or the move is the bound flip of `entering`. The
// starting basis has parent -1.
struct BasisMove {
    std::int32_t parent = -1;
    std::int32_t entering = 0;
    std::int32_t leaving = 0;
    MoveKind kind = MoveKind::BoundFlip;
};

// The bases found by one walk, in the order found (which is the order in
// which the walk visits them). A hash of the codes finds a repeated basis
// without a scan of the list.
class BasisList {
public:
    explicit BasisList(int numVariables);

    int size() const { return static_cast<int>(bases_.size()); }
    const Umabase& operator[](int index) const { return bases_[static_cast<std::size_t>(index)]; }
    const BasisMove& move(int index) const { return moves_[static_cast<std::size_t>(index)]; }
    // Index of a basis equal (SameBasis) to `base`, -1 when there is none.
    int find(const Umabase& base) const;
    // Appends `base` unless it is in the list; true when appended. False
    // also when memory runs out (`outOfMemory` tells).
    bool append(const Umabase& base, const BasisMove& move);
    bool outOfMemory() const { return outOfMemory_; }
    // The hash `base` is filed under: the same for bases that SameBasis
    // finds equal. Reads nothing the list's growth changes.
    std::size_t hashOf(const Umabase& base) const;

private:
    void rehash(std::size_t slotCount);

    int numVariables_;
    std::vector<Umabase> bases_;
    std::vector<BasisMove> moves_;
    // Open addressing: list index + 1, 0 for an empty slot.
    std::vector<std::int32_t> slots_;
    bool outOfMemory_ = false;
};

// Some column improves an objective (reduced cost below -1e-10) and worsens
// none (every reduced cost at most 1e-6). YAC already has the sign of a
// column at its upper bound reversed, so its direction needs no second flip.
bool IsDominatedBasis(const RecordYAC& yac, int numObjectives);

// Some weight vector with all components positive makes the basis optimal
// (a small linear program with one row per objective, solved here by a
// dense simplex: thousands of them are asked for in one walk, too many to
// build an lp_solve model for each; a failure counts as not efficient).
bool IsEfficientBasis(const RecordYAC& yac, int numObjectives);

// efficientColumn[c], c = 1..ncolsYAC: the nonbasic variable of YAC column c
// is efficient, i.e. some weight vector with all components positive makes
// the basis optimal and leaves its reduced cost at zero. A column of zeros
// takes no part in the label exchange: it is efficient exactly when the
// basis is.
struct EfficientColumns {
    std::array<bool, MaxYacCols + 1> efficientColumn{};
    int count = 0;
    // The label-exchange procedure found no pivot: nothing is decided, and
    // the caller stops its computation with kEfficientNonbasicsHalt.
    bool halted = false;
};
EfficientColumns FindEfficientNonbasics(const RecordYAC& yac, int numObjectives);

// efficientPosition[j], j = 1..tabCols-1: the variable at tableau position j
// is efficient.
using EfficientPositions = std::array<bool, kMaxTableauCols + 1>;
void MapEfficientToPositions(const EfficientColumns& efficient, int ncolsYAC, const YacColumnMap& yacColumns,
                             int tabCols, EfficientPositions& efficientPosition);

// One pivot of the bounded ratio test: the basic variable of `row` leaves at
// its lower or upper bound; row 0 with BoundFlip is the bound flip
// of the entering variable.
struct RatioCandidate {
    std::int32_t row = 0;
    MoveKind kind = MoveKind::BoundFlip;
};
using RatioCandidateList = std::array<RatioCandidate, kMaxTableauRows + 1>;
// The pivots for entering the nonbasic variable at tableau position
// `position` of the read-back in `lp` (rows in row order, the bound flip
// first): every row whose ratio ties the least one, and every degenerate row
// (a basic value at a bound) with a nonzero entry. Returns their number.
int RatioCandidates(const LpTables& lp, int position, RatioCandidateList& out);

// Appends to `list` every new basis adjacent to the read-back basis of `lp`
// through an efficient nonbasic position (with `zeroReducedCostOnly`, only
// positions whose objective-row entry is zero), recording each as reached
// from list entry `parent`. The positions are taken in the evaluator's
// variable order (slacks of rows 1.., then columns 1..) and the pivots of one
// position by their leaving variable in the same order, the bound flip
// first, so that the walk does not depend on the row order of a read-back.
// Returns the number appended.
int AdjacentBases(const LpTables& lp, const EfficientPositions& efficientPosition, bool zeroReducedCostOnly,
                  int parent, BasisList& list);

// A basis adjacent to a read-back, and how it is reached.
struct AdjacentMove {
    Umabase base;
    BasisMove move;
};
// The bases AdjacentBases appends, new or not, in the order it takes them
// (into `out`, emptied first), for a caller that appends them later.
void AdjacentMoves(const LpTables& lp, const EfficientPositions& efficientPosition, bool zeroReducedCostOnly,
                   int parent, std::vector<AdjacentMove>& out);
// Appends the new ones of `moves` as AdjacentBases does; returns their number.
int AppendMoves(const std::vector<AdjacentMove>& moves, BasisList& list);

struct AlternativeOptimaResult {
    bool ok = false;
    SolveStatus status = SolveStatus::Other;
    // The efficient-variable procedure failed: its message is among the notices.
    bool halted = false;
    Notices notices;
};
// The efficient bases that optimize objective k subject to f_k not passing
// z, into ws.alternatives (ws.alternativeCount of them), with
// ws.visitedBases, ws.bestEdgeStep and ws.bestEdgeAlternative. m = 0 lists
// every such basis; m != 0 accepts only the bases with a column whose
// reduced cost in objective |m| is +-1 and that pass IsEfficientBasis, and
// m < 0 stops at the first one. A status other than Optimal is the solver's
// on the perturbed program (the caller reports it); ok is false after either
// DEBUG message or a halt.
[[nodiscard]] AlternativeOptimaResult AlternativeOptima(Workspace& ws, LpEngine& engine, int k, int m, Real z);
