#pragma once

#include "base/Colors.h"
#include "base/Numeric.h"
#include "workspace/CoefficientRows.h"
#include "workspace/CompactList.h"

#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <unordered_set>
#include <vector>

// Limits fixed at build time; every array of the workspace is sized by them.
constexpr int MaxObjectives = 20;
constexpr int MaxVariables = 101;
constexpr int MaxConstraints = 100;
constexpr int MaxBasic = 141;   // basic-variable list of one basis
constexpr int MaxXS = 242;      // decision variables plus slacks of one solution
constexpr int MaxYacCols = 103; // columns of a reduced-cost matrix
constexpr int MaxVertices = 30; // vertices of one region polygon
constexpr int MaxHistory = 11;  // records of the computed-solution history
constexpr int MaxObjNameLength = 10;
constexpr int MaxVarNameLength = 20;
constexpr int MaxVarNameEditLength = 10;
constexpr int MaxSlackNameLength = 6;

// All arrays are 1-based: element 0 exists only so that the index of the
// problem is the index of the array, and is never used.
using vectorObj = std::array<Real, MaxObjectives + 1>;
using vectorObjBool = std::array<bool, MaxObjectives + 1>;
// Zero-terminated list of the column indices of the basic variables; the
// extra element keeps the terminator in range when all 141 places are used.
using vectorResEB_Int = std::array<std::int32_t, MaxBasic + 2>;
using tipoXcorr = std::array<Real, MaxXS + 1>;
using tipoYAC = std::array<std::array<Real, MaxYacCols + 1>, MaxObjectives + 1>;
using VectCodificacao = std::array<std::int32_t, 9>;

struct XY {
    Real x = 0;
    Real y = 0;
};
using TipoVertices = std::array<XY, MaxVertices + 1>;

struct VariableDef {
    Real lb = 0;
    Real ub = kInfiniteBound;
    QString name;
};

// Constraint types, as stored in problem files.
enum ConstraintType : std::uint8_t { ConLessEqual = 0, ConEqual = 1, ConGreaterEqual = 2 };

struct PayoffRow {
    vectorObj f{};
    std::int32_t basketIndex = 0;
};

// The values of a stored solution (f[1..p], x_s[1..n+m]), held only as far
// as the problem has them.
using SolutionValues = CompactList<Real>;
// A basis of a stored solution: the column indices of its basic variables
// from element 1 on, up to the first element that reads 0.
using StoredBasis = CompactList<std::int32_t>;
// The stored form of a zero-terminated working list.
StoredBasis StoredBasisOf(const vectorResEB_Int& basis);

struct SolSolutionBasket {
    SolutionValues f;
    // Entry 0 is the basis the solution was first stored with; further entries
    // are alternative bases of a degenerate vertex. A solution stored without
    // a basis has one entry whose list is empty.
    std::vector<StoredBasis> vbs;
    SolutionValues x_s;
    Color cor = kNoColor;
    std::int32_t indRegIndif = 0;
};

struct UmaRegIndif {
    std::int32_t Numvertices = 0;
    TipoVertices vertices{};
};

struct UmaOuMaisRegioes {
    UmaRegIndif Regiao;
    Real AreaPolig = 0;
    std::int32_t IndiceProx = 0;
};

struct UmaAresta {
    std::int32_t Sol1 = 0;
    std::int32_t Sol2 = 0;
};

struct RecordYAC {
    tipoYAC YAC{};
    std::int32_t ncolsYAC = 0;
};
// yacColumns[c]: the tableau position of the variable behind YAC column c.
using YacColumnMap = std::array<std::int32_t, MaxYacCols + 1>;

// One alternative optimal efficient basis: the reduced costs of its efficient
// nonbasic variables, YAC_EFIC[objective 0..p-1][column 0..NColsYAC_EFIC-1].
struct UmaSolAltern {
    std::vector<std::vector<Real>> YAC_EFIC;
    std::int32_t NColsYAC_EFIC = 0;
};

struct ComputedSolution {
    vectorObj f{};
    vectorResEB_Int basis{};
    tipoXcorr x_s{};
    Color cor = kNoColor;
    std::int32_t basketIndex = 0;
};

// The problem itself: what a problem file holds. Kept as a separate base so
// that a reader can fill a complete copy and commit it in one assignment.
struct ProblemData {
    std::int32_t numObjectives = 0;
    std::int32_t numConstraints = 0;
    std::int32_t numVariables = 0;
    // Rows 0..numObjectives and 0..numConstraints are what a problem uses;
    // only the rows written take memory.
    CoefficientRows<std::array<Real, MaxVariables + 1>, MaxObjectives + 1> objCoef;
    std::array<std::int8_t, MaxObjectives + 1> objSense{};
    std::array<QString, MaxObjectives + 1> objName;
    CoefficientRows<std::array<Real, MaxVariables + 1>, MaxConstraints + 1> conCoef;
    std::array<std::uint8_t, MaxConstraints + 1> conType{};
    std::array<Real, MaxConstraints + 1> conRhs{};
    std::array<VariableDef, MaxVariables + 1> vars;
    std::array<QString, MaxConstraints + 1> slackName;
};

// The interval criterion weights method (ICW): 2p + 1 weight vectors and as
// many contraction matrices, all p x p and 1-based.
constexpr int MaxIcwVectors = 2 * MaxObjectives + 1;
using ObjectiveMatrix = std::array<vectorObj, MaxObjectives + 1>;
// Objective functions over the decision variables, [k][j].
using ConeObjectives = std::array<std::array<Real, MaxVariables + 1>, MaxObjectives + 1>;

// Active interactive method.
enum class MethodKind : std::uint8_t { None, Stem, ParetoRace, Icw };

const char* toString(MethodKind method);

// The length of one of the store's lists: read anywhere as an int, written
// only by the part that owns the list, which keeps it in step with the list.
template <class Owner>
class ListCount {
public:
    constexpr operator std::int32_t() const { return n_; }

private:
    friend Owner;
    ListCount& operator=(std::int32_t n)
    {
        n_ = n;
        return *this;
    }
    std::int32_t n_ = 0;
};

// The solutions found for the problem: the basket, the indifference regions
// and the adjacency edges between solutions (element 0 of each is a
// placeholder, so each list holds count + 1 elements), and the history of
// computed solutions, newest first. Every change goes through the member
// functions, which keep the counts and the cross references in step; the
// entries themselves may be edited in place (colours, bases, region chains).
struct SolutionStore {
    SolutionStore();

    std::vector<SolSolutionBasket> basket;
    ListCount<SolutionStore> basketCount;
    std::vector<UmaOuMaisRegioes> regions;
    ListCount<SolutionStore> regionCount;
    std::vector<UmaAresta> edges;
    ListCount<SolutionStore> edgeCount;
    std::deque<ComputedSolution> history;
    ListCount<SolutionStore> historyCount;

    // Counts match their lists; every region index, region chain, edge end
    // and history index names an entry that exists; no region belongs to two
    // chains and no chain loops; no pair of solutions has two edges; basis
    // lists are terminated and polygons fit their arrays.
    bool isConsistent() const;

    // Empties the basket, the regions and the edges (the history stays).
    void clearSolutions();
    // A new last entry of the basket; its index, or 0 when memory ran out
    // (the store is then unchanged).
    [[nodiscard]] int appendSolution(SolSolutionBasket entry);
    // A new region polygon (not yet on any chain); its index, or 0 when
    // memory ran out.
    [[nodiscard]] int appendRegion(const UmaOuMaisRegioes& region);
    // Puts region `r` at the end of the region chain of solution `sol`.
    // `last`, when not 0, is the chain's last region as the caller knows
    // it; it is taken when it ends a chain, else the chain is followed.
    void chainRegion(int sol, int r, int last = 0);
    // A new edge between two stored solutions, unless the pair (in either
    // order) has one already; false when memory ran out.
    [[nodiscard]] bool appendEdge(int sol1, int sol2);
    // The edge between sol1 and sol2 is stored.
    bool hasEdge(int sol1, int sol2) const;
    // Removes basket entry k and renumbers the edges and the history that
    // name later entries; a history record of entry k loses its index, an
    // edge of entry k goes.
    void eraseSolution(int k);
    // Keeps the first `solutions` entries, the regions on their chains
    // (renumbered in their order) and the edges between kept solutions; the
    // history loses the indices of removed entries.
    void truncate(int solutions);
    // Replaces the lists with complete ones read from a file; each holds its
    // placeholder element 0 and names only its own entries. A repeated edge
    // is kept once.
    void replace(std::vector<SolSolutionBasket> newBasket, std::vector<UmaOuMaisRegioes> newRegions,
                 std::vector<UmaAresta> newEdges);

    // The newest computed solution goes first; the oldest goes beyond
    // MaxHistory records.
    void pushHistory(const ComputedSolution& record);
    void clearHistory();

private:
    // Rebuilds edgePairs_ after the edges changed as a whole.
    void indexEdges();
    void checkInDebug() const;

    // The pairs of solutions the edges join, so that a new edge is checked
    // against them at once: a walk stores thousands.
    std::unordered_set<std::uint64_t> edgePairs_;
};

// The reference values of the objectives: the ideal and nadir points, the
// pay-off table and the normalization factors.
struct ReferenceValues {
    vectorObj idealPoint{};
    vectorObj nadirPoint{};
    std::array<std::int32_t, MaxObjectives + 1> nadirSource{};
    // Accepted error of an exact nadir value, in percent of the value.
    Real nadirErrorPct = 0.05L;
    // The bases whose regions hold a worse value of the objective of the
    // last exact nadir step, and the one to try first (0-based).
    std::vector<RecordYAC> nadirAreaBases;
    std::int32_t currentAreaBase = 0;
    std::array<PayoffRow, MaxObjectives + 1> payoff{};
    bool payoffComputed = false;
    vectorObj normFactor{};

};

// The state of the interactive methods: which one runs, and ICW's vectors.
struct MethodState {
    MethodKind activeMethod = MethodKind::None;
    std::int32_t methodIteration = 0;
    std::int32_t raceObjective = 0;

    // ICW. The weight vectors (relative to the current cone) and their
    // contraction matrices stay fixed while the method runs; row j of
    // coneGenerators is the j-th generator of the current cone as weights on
    // the problem's objectives, and coneObjectives[k] is that generator's
    // objective function over the maximized, normalized objectives. icwSolutions and
    // icwRegions hold icwCount + 1 entries (entry 0 unused; both empty
    // outside the method): the basket index of each vector's solution (0
    // until computed) and its region in the cone's own weights.
    // contractedSpace is the current cone drawn in the problem's weight space.
    std::array<vectorObj, MaxIcwVectors + 1> icwWeights{};
    std::vector<ObjectiveMatrix> icwMatrices;
    ObjectiveMatrix coneGenerators{};
    ConeObjectives coneObjectives{};
    Real contractionRate = 0;
    ListCount<MethodState> icwCount;
    std::vector<std::int32_t> icwSolutions;
    std::vector<UmaRegIndif> icwRegions;
    UmaRegIndif contractedSpace;

    // `count` vectors without solutions yet, or none (count 0).
    void resetIcwVectors(int count);
    // The first `count` vectors stay, the others go.
    void keepIcwVectors(int count);
    // One more vector (the contracted walk adds one per vertex found).
    void appendIcwVector(std::int32_t solution, const UmaRegIndif& region);
    bool icwConsistent() const;
};

// How the views show the solutions.
struct ViewOptions {
    std::int32_t viewLastN = 1;
    bool weightSpace3 = false;
    bool weightSpace2 = false;
    bool askNadirTolerance = false;
    // Options of the basket views: sort key 0 = by basket index, k = by
    // objective k. The axis ends of the basket charts start as NotComputed.
    std::int32_t ValuesSortKey = 0;
    bool ValuesSortAscending = true;
    std::int32_t GraphSortKey = 0;
    bool GraphSortAscending = true;
    vectorObj AxisLow{};
    vectorObj AxisHigh{};
    bool UserAxisBounds = false;
    // Colour palettes.
    BasketPalette basketPalette{};
    RaceColors raceColors{};
};

// The single state of the program: one problem and everything computed for
// it, in parts that each keep their own rules. Created once by the
// application and handed to every command by reference. The fixed arrays
// make it large (about half a megabyte), so it lives on the heap.
struct Workspace : ProblemData, SolutionStore, ReferenceValues, MethodState, ViewOptions {
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Every part is consistent, and the indices that other parts keep into
    // the basket (pay-off rows, nadir sources, ICW solutions) name stored
    // solutions.
    bool isConsistent() const;

    QString fileName = QStringLiteral("Untitled");
    QString problemName;
    QString startDir;

    // Objective limitations.
    bool limitsActive = false;
    vectorObjBool limitOn{};
    vectorObj limitValue{};

    // Scalarizing parameters of the last computation.
    vectorObj sumWeights{};
    vectorObj refPoint{};
    vectorObj tchebWeights{};
    vectorObj pickedWeights{};
    double timeStart = 0;   // days
    double timeEnd = 0;
    double timeElapsed = 0;

    // The current solution.
    vectorObj currentF{};
    tipoXcorr currentXS{};
    vectorResEB_Int currentBasis{};
    std::array<Real, MaxXS + 1> currentLpValues{};
    // The shape of the scalarizing program that gave the current solution:
    // its column count and its reference-point rows, which name the program
    // variables in currentLpValues.
    std::int32_t currentLpColumns = 0;
    std::int32_t currentRefRows = 0;

    std::int32_t paletteIndex = 0;
    Color lastColor = kNoColor;
    RecordYAC currentYAC;
    YacColumnMap yacColumns{};

    // The last alternative-optima walk: its bases, the bases it examined,
    // and the longest step along the remembered edge with the (0-based)
    // alternative that gave it.
    std::vector<UmaSolAltern> alternatives;
    std::int32_t alternativeCount = 0;
    std::int32_t visitedBases = 0;
    Real bestEdgeStep = 0;
    std::int32_t bestEdgeAlternative = -1;

    // Mode and option flags.
    bool guardaTodasSols = false;
};

// The reset and lifetime operations; each acts on the workspace as a whole.
// Zero coefficients, "<=" rows with zero right-hand sides, MAX senses and
// variables X1.. with bounds [0, M]; the counts and the objective and slack
// names are kept.
void ResetProblemData(ProblemData& problem);
// ResetProblemData, and the file name becomes "Untitled".
void ResetProblem(Workspace& ws);
void InitWorkspace(Workspace& ws);
void ClearSolutionStore(Workspace& ws);
// Only the workspace part: the main window flow also releases the limitation
// button and redraws the chart (Session::ClearLimitations).
void ClearLimitationValues(Workspace& ws);
// The workspace part of starting on a new problem: everything computed goes.
void ResetComputedState(Workspace& ws);
void ClearHistory(Workspace& ws);
// Default names: "F1", "X3", and "s"/"t"/"S" + row for <=, =, >= rows.
QString DefaultObjectiveName(int k);
QString DefaultVariableName(int j);
QString SlackNameFor(std::uint8_t conType, int row);
void RebuildSlackNames(ProblemData& problem);
// `fileName` without its directory and its extension.
QString ProblemNameOf(const QString& fileName);
