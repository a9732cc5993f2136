#include "nadir/Vma.h"

#include "base/NumberFormat.h"
#include "lp/BasisPivot.h"
#include "lp/EfficientBases.h"
#include "lp/EfficientBasesMessages.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ReducedCosts.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/VmaMessages.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Regions.h"
#include "workspace/Workspace.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <utility>

const char* toString(VmaEnd end)
{
    switch (end) {
    case VmaEnd::Completed: return "Completed";
    case VmaEnd::NotStarted: return "NotStarted";
    case VmaEnd::LimitReached: return "LimitReached";
    case VmaEnd::Cancelled: return "Cancelled";
    case VmaEnd::OutOfMemory: return "OutOfMemory";
    case VmaEnd::Halted: return "Halted";
    }
    return "?";
}

VertexStore StoreVertex(Workspace& ws, const LpTables& lp, const RecordYAC& yac, RegionAdjacencyIndex* regions,
                        SolutionLookup* solutions, const UmaRegIndif* polygon, const AssembledSolution* assembled)
{
    VertexStore out;
    if (assembled != nullptr)
        UseAssembledSolution(ws, *assembled);
    else
        AssembleSolution(ws, lp);
    const StoreResult stored =
        StoreSolution(ws, true, ws.currentBasis, ws.currentF, false, kNoColor, ws.currentXS, solutions);
    out.notices = stored.notices;
    if (stored.failed) {
        out.stop = true;
        return out;
    }
    out.index = stored.index;
    out.isNew = stored.isNew;
    if (stored.newBasis && (ws.weightSpace3 || ws.weightSpace2)) {
        const RegionStore region =
            StoreIndifferenceRegion(ws, yac.ncolsYAC, yac.YAC, stored.index, false, regions, polygon);
        out.notices.append(region.notices);
        out.stop = region.failed;
    }
    return out;
}

namespace {

// The progress box is rewritten after this many bases, or sooner when this
// much time has passed, so that it repaints well within 0.2 s.
constexpr int kProgressEveryBases = 32;
constexpr std::chrono::milliseconds kProgressInterval{100};
// Memory for the kept read-backs of bases whose neighbours are still to be
// visited (about 85 kB each at the largest size); past it a neighbour is
// evaluated afresh instead. The walk to every vertex of the bench's
// 3x100x101 problem keeps about 290 MB at its widest.
constexpr std::size_t kKeptReadBackBytes = std::size_t{512} << 20;

QString text(const char* s) { return QString::fromUtf8(s); }

// The second thread of a walk: it works out the bases of a batch (their
// read-backs, reduced costs, efficiency tests and what follows from them)
// while the walk's own thread visits the batch before, which then joins in,
// each taking the next basis not yet taken. What is worked out depends on
// nothing the visits change: the visits store and append in the order of
// the list, as one thread does.
class BatchWorker {
public:
    // job(i, evaluator) for the bases of a batch, with the evaluator of the thread.
    using Job = std::function<void(int, BasisEvaluator&)>;

    explicit BatchWorker(Job job) : job_(std::move(job)), thread_([this] { loop(); }) {}
    BatchWorker(const BatchWorker&) = delete;
    BatchWorker& operator=(const BatchWorker&) = delete;
    ~BatchWorker()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }

    // Starts job(i) for i = 0..count - 1 on the other thread; finish()
    // takes part and waits for the rest.
    void start(int count)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            count_ = count;
            next_.store(0);
            ++generation_;
            busy_ = true;
            failure_ = nullptr;
        }
        wake_.notify_all();
    }

    // Does the jobs not taken yet, with `evaluator`, and returns when all
    // are done, rethrowing what a job on the other thread threw.
    void finish(BasisEvaluator& evaluator)
    {
        work(evaluator);
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return !busy_; });
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    void work(BasisEvaluator& evaluator)
    {
        for (int i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1))
            job_(i, evaluator);
    }

    void loop()
    {
        BasisEvaluator evaluator;
        std::uint64_t seen = 0;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [&] { return quit_ || generation_ != seen; });
                if (quit_)
                    return;
                seen = generation_;
            }
            std::exception_ptr failure;
            try {
                work(evaluator);
            } catch (...) {
                failure = std::current_exception();
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                busy_ = false;
                failure_ = failure;
            }
            done_.notify_all();
        }
    }

    Job job_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::atomic<int> next_{0};
    int count_ = 0;
    std::uint64_t generation_ = 0;
    bool busy_ = false;
    bool quit_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: it starts once the rest is made
};

// Bases read back ahead of their visit, at most: the work that a limit or
// Cancel in the middle of a batch throws away.
constexpr int kBatchBases = 32;

// The bases of a walk's list as bits of their hashes, which the thread
// that works out a batch reads while the visits add to the list: a bit not
// set tells that a basis is not listed; one set, that it may be.
class ListedFilter {
public:
    bool active() const { return !bits_.empty(); }
    void activate() { bits_ = std::vector<std::atomic<std::uint64_t>>(kWords); }
    void add(std::size_t hash)
    {
        bits_[wordOf(hash)].fetch_or(bitOf(hash), std::memory_order_relaxed);
    }
    bool mayHold(std::size_t hash) const
    {
        return !active() || (bits_[wordOf(hash)].load(std::memory_order_relaxed) & bitOf(hash)) != 0;
    }

private:
    static constexpr std::size_t kWords = std::size_t{1} << 17; // 8 million bits, 1 MB
    static std::size_t wordOf(std::size_t hash) { return (hash >> 6) & (kWords - 1); }
    static std::uint64_t bitOf(std::size_t hash) { return std::uint64_t{1} << (hash & 63); }

    std::vector<std::atomic<std::uint64_t>> bits_;
};

class VmaWalk {
public:
    // `contracted`: the walk over the bases efficient for the cone of the
    // ICW method, whose objectives are ws.coneObjectives.
    VmaWalk(Workspace& ws, LpEngine& engine, Progress& progress, const VmaOptions& options, bool contracted)
        : ws_(ws), engine_(engine), lp_(engine.tables), progress_(progress), options_(options), list_(ws.numVariables),
          solutions_(ws), contracted_(contracted)
    {
        slotSets_[0].push_back(std::make_unique<Slot>());
        slotSets_[0][0]->lp = &lp_;
        batches_ = options_.parallel && std::thread::hardware_concurrency() > 1;
    }

    VmaResult run()
    {
        const auto started = std::chrono::steady_clock::now();
        ws_.timeStart = CurrentTimeInDays();
        basketBefore_ = ws_.basketCount;
        if (!start())
            return result_;
        progress_.begin(text(msg::kVmaProgressTitle), progressText());
        lastProgress_ = std::chrono::steady_clock::now();
        if (result_.end == VmaEnd::Completed)
            walk();
        progress_.done();
        finish();
        ws_.timeEnd = CurrentTimeInDays();
        ws_.timeElapsed = ws_.timeEnd - ws_.timeStart;
        result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        close();
        return result_;
    }

private:
    // A basis of the list being visited, with its read-back and what is
    // worked out from it before the visit.
    struct Slot {
        LpTables* lp = nullptr;             // the engine's tables for the first slot
        std::unique_ptr<LpTables> ownTables; // the others' own
        int index = 0;                      // in the list
        Umabase base;                       // the list's entry and move, copied for the other thread
        BasisMove move;
        const SavedReadBack* parent = nullptr; // kept read-back of its parent, if any
        bool readBack = false;              // false: the basis could not be inverted
        bool derived = false;               // by a pivot from its parent
        int depth = 0;                      // pivots since a fresh evaluation
        bool rowsCarried = false;           // objectiveRows came along the pivot
        DeferredTableau deferred;           // what of lp's tableau is still to be derived
        ObjectiveRows objectiveRows{};      // rows of z - c of each objective (plain walk)
        RecordYAC yac;                      // reduced costs (plain walk)
        YacColumnMap yacColumns{};
        bool dominated = false;
        EfficientColumns efficient;
        // The neighbours through the efficient variables, and the region,
        // worked out before the visit (plain walk).
        bool movesReady = false;
        std::vector<AdjacentMove> moves;
        bool polygonReady = false;
        UmaRegIndif polygon;
        bool assembledReady = false;
        AssembledSolution assembled;
        // Its read-back as it is kept for its neighbours, when it may be.
        std::unique_ptr<SavedReadBack> saved;
        bool savedReady = false;
    };

    // Steps up to the first neighbours; false when the run ends at once.
    bool start()
    {
        if (ws_.numObjectives < 1 || ws_.numVariables < 1)
            return false; // no problem: the command is not offered then
        if (contracted_)
            return startContracted();
        ClearProgram(lp_);
        AddProblemRows(ws_, lp_, false);
        lp_.refRowCount = 0;
        SetDecisionColumns(ws_, lp_);
        const int p = ws_.numObjectives;
        for (int j = 1; j <= ws_.numVariables; ++j) {
            Real c = 0;
            for (int k = 1; k <= p; ++k)
                c += ws_.objCoef[k][j] * ws_.objSense[k] * ws_.normFactor[k] / p;
            lp_.lpObjective[j] = c;
        }
        result_.startStatus = SolveScalarizing(lp_, true, 1, engine_.evaluator);
        if (result_.startStatus != SolveStatus::Optimal) {
            result_.notices = SolveStatusNotices(result_.startStatus);
            return false;
        }
        Slot& first = slot(0, 0);
        reducedCosts(first);
        if (!store(first)) {
            // Storing the first vertex failed: the store said so; nothing else to say.
            result_.end = VmaEnd::OutOfMemory;
            count();
            return false;
        }
        first.efficient = FindEfficientNonbasics(first.yac, ws_.numObjectives);
        return beginList();
    }

    // The starting basis in the first slot (reduced costs and efficient
    // variables worked out) heads the list, and its efficient neighbours
    // follow.
    bool beginList()
    {
        list_.append(EncodeBasis(lp_.basicList.data(), lp_.lpRowCount, lp_.atUpper, lp_.lpColumnCount), BasisMove{});
        result_.basesExamined = 1;
        result_.end = VmaEnd::Completed;
        lastVisited_ = &slot(0, 0);
        explore(slot(0, 0));
        return true;
    }

    // Visits the list in batches: each batch is worked out (prepare) before
    // it is visited, and with two threads the next one, whose bases are in
    // the list already, is worked out on the other thread meanwhile.
    void walk()
    {
        int next = 1;
        int set = 0;
        int count = 0; // bases of the batch at `next` worked out already
        while (next < list_.size() && result_.end == VmaEnd::Completed) {
            if (count == 0) {
                count = batchSize(next);
                defineBatch(set, next, count, next);
                if (count > 1) {
                    worker().start(count);
                    worker().finish(engine_.evaluator);
                } else {
                    prepare(slot(set, 0), engine_.evaluator);
                }
            }
            const int after = next + count;
            const int afterCount = after < list_.size() && count > 1 ? batchSize(after) : 0;
            if (afterCount > 1) {
                defineBatch(1 - set, after, afterCount, next);
                worker().start(afterCount);
            }
            for (int i = 0; i < count && result_.end == VmaEnd::Completed; ++i) {
                Slot& visited = slot(set, i);
                visit(visited);
                lastVisited_ = &visited;
                if (result_.end == VmaEnd::Completed && list_.size() >= options_.maxBases) {
                    tell(MsgKind::Warning, text(msg::kVmaReachedLimit));
                    result_.end = VmaEnd::LimitReached;
                }
                if (result_.end == VmaEnd::Completed && !progress())
                    result_.end = VmaEnd::Cancelled;
            }
            next = after;
            if (afterCount > 1) {
                worker().finish(engine_.evaluator);
                set = 1 - set;
                count = afterCount;
            } else {
                count = 0;
            }
        }
    }

    // Bases in the batch at list entry `next`: one at a time up to
    // batchesFrom or with one thread, else up to kBatchBases.
    int batchSize(int next) const
    {
        return batches_ && next >= options_.batchesFrom ? std::min(kBatchBases, list_.size() - next) : 1;
    }

    Slot& slot(int set, int i) { return *slotSets_[static_cast<std::size_t>(set)][static_cast<std::size_t>(i)]; }

    BatchWorker& worker()
    {
        if (!worker_)
            worker_ = std::make_unique<BatchWorker>(
                [this](int i, BasisEvaluator& evaluator) { prepare(slot(preparingSet_, i), evaluator); });
        return *worker_;
    }

    // Sets the slots of `set` to list entries first..first + count - 1,
    // with what their working out reads of the list and the kept
    // read-backs, so that it reads nothing the visits change. Every parent
    // of these entries was visited already (the list grows only in
    // visits). `visiting` is the first entry of the batch visited next,
    // whose slots may still read the kept read-backs of their parents.
    void defineBatch(int set, int first, int count, int visiting)
    {
        // The slots are reused: the reduced costs of the last basis stored
        // are kept apart first.
        if (lastStored_ != nullptr) {
            lastStoredYac_ = lastStored_->yac;
            lastStoredColumns_ = lastStored_->yacColumns;
            haveLastStored_ = true;
            lastStored_ = nullptr;
        }
        // Kept read-backs of bases before the first parent still read are
        // not needed again.
        const int firstParent = list_.move(visiting).parent;
        while (!kept_.empty() && kept_.front().first < firstParent) {
            spare_.push_back(std::move(kept_.front().second));
            kept_.pop_front();
        }
        if (count > 1 && !listed_.active()) {
            listed_.activate();
            for (int i = 0; i < list_.size(); ++i)
                listed_.add(list_.hashOf(list_[i]));
        }
        auto& batch = slotSets_[static_cast<std::size_t>(set)];
        while (static_cast<int>(batch.size()) < count) {
            auto made = std::make_unique<Slot>();
            made->ownTables = std::make_unique<LpTables>(lp_);
            made->lp = made->ownTables.get();
            batch.push_back(std::move(made));
        }
        for (int i = 0; i < count; ++i) {
            Slot& s = *batch[static_cast<std::size_t>(i)];
            s.index = first + i;
            s.base = list_[s.index];
            s.move = list_.move(s.index);
            s.parent = options_.pivotFromParent ? keptReadBack(s.move.parent) : nullptr;
            // Room for the read-back saved ahead.
            if (options_.pivotFromParent && !contracted_ && count > 1 && s.saved == nullptr) {
                try {
                    s.saved = spareReadBack();
                } catch (const std::bad_alloc&) {
                    // Saved at the visit, if at all.
                }
            }
        }
        preparingSet_ = set;
    }

    // The read-back of list entry `index` in the slot, and for the plain
    // walk its reduced costs and efficient variables.
    void prepare(Slot& slot, BasisEvaluator& evaluator)
    {
        slot.movesReady = false;
        slot.polygonReady = false;
        slot.assembledReady = false;
        slot.savedReady = false;
        slot.readBack = load(slot, evaluator);
        if (!slot.readBack || contracted_)
            return;
        reducedCosts(slot);
        slot.dominated = IsDominatedBasis(slot.yac, ws_.numObjectives);
        if (slot.dominated)
            return;
        work(slot);
    }

    // What the visit of a basis that is not dominated needs from its
    // reduced costs and read-back: its solution, its efficient variables,
    // the bases they lead to and its region.
    void work(Slot& slot)
    {
        const int p = ws_.numObjectives;
        AssembleSolution(ws_, *slot.lp, slot.assembled);
        slot.assembledReady = true;
        slot.efficient = FindEfficientNonbasics(slot.yac, p);
        if (p == 2 || p == 3) {
            slot.polygon = ComputeRegionPolygon(p, slot.yac.ncolsYAC, slot.yac.YAC);
            slot.polygonReady = true;
        }
        if (slot.efficient.halted)
            return;
        findMoves(slot);
        // A basis is kept for its neighbours when one of them is new at its
        // visit, which only the visit tells. One that the filter of the
        // bases listed does not know is new now, and most likely then: the
        // read-back is saved ahead (a basis at the end of its chain of
        // pivots is evaluated afresh first, after its visit has stored it).
        if (options_.pivotFromParent && slot.depth < options_.maxPivotChain && slot.saved != nullptr
            && std::any_of(slot.moves.begin(), slot.moves.end(),
                           [this](const AdjacentMove& m) { return !listed_.mayHold(list_.hashOf(m.base)); })) {
            try {
                save(slot, *slot.saved);
                slot.savedReady = true;
            } catch (const std::bad_alloc&) {
                // The visit keeps it, or not, as it would without.
            }
        }
    }

    // The bases the slot's efficient variables lead to, with the tableau
    // columns their ratio tests read.
    void findMoves(Slot& slot)
    {
        EfficientPositions positions{};
        MapEfficientToPositions(slot.efficient, slot.yac.ncolsYAC, slot.yacColumns, slot.lp->tabCols, positions);
        FillDeferredColumns(slot.deferred, positions, *slot.lp);
        AdjacentMoves(*slot.lp, positions, false, slot.index, slot.moves);
        slot.movesReady = true;
    }

    // SaveReadBack of the slot's basis: the plain walk's rows of z - c go
    // along (the contracted walk computes its reduced costs afresh), and a
    // tableau still to be derived is derived straight into the copy.
    void save(Slot& slot, SavedReadBack& saved)
    {
        SaveReadBack(*slot.lp, 1, slot.depth, saved, contracted_ ? nullptr : slot.objectiveRows.data(),
                     ws_.numObjectives, kObjectiveRowStride, &slot.deferred);
    }

    // A basis of the list in order: stored and explored.
    void visit(Slot& slot)
    {
        ++result_.basesExamined;
        if (!slot.readBack)
            return;
        if (slot.derived)
            ++result_.derivedByPivot;
        if (contracted_)
            visitContracted(slot);
        else if (!slot.dominated && store(slot))
            explore(slot);
    }

    // The kept read-back of list entry `parent`, if any.
    const SavedReadBack* keptReadBack(int parent) const
    {
        const auto at = std::lower_bound(kept_.begin(), kept_.end(), parent,
                                         [](const auto& kept, int index) { return kept.first < index; });
        return at != kept_.end() && at->first == parent ? at->second.get() : nullptr;
    }

    // The read-back of the slot's list entry: one pivot from its parent
    // when that one is kept, else a fresh evaluation. False for a basis
    // that cannot be inverted.
    bool load(Slot& slot, BasisEvaluator& evaluator)
    {
        LpTables& lp = *slot.lp;
        slot.rowsCarried = false;
        slot.derived = false;
        slot.deferred.parent = nullptr;
        const SavedReadBack* parent = slot.parent;
        // The plain walk reads the tableau only where it must (the
        // contracted walk computes its reduced costs from all of it).
        if (parent != nullptr && parent->depth < options_.maxPivotChain
            && PivotReadBack(*parent, slot.move, lp, slot.objectiveRows.data(), kObjectiveRowStride,
                             contracted_ ? nullptr : &slot.deferred)) {
            slot.depth = parent->depth + 1;
            slot.rowsCarried = parent->carriedRows == ws_.numObjectives;
            slot.derived = true;
            return true;
        }
        DecodeBasis(slot.base, lp.basicList, lp.atUpper);
        slot.depth = 0;
        // An imprecise evaluation still names the vertex; only a failed one has no read-back.
        return EvaluateBasis(lp, 1, evaluator) != SolveStatus::Other;
    }

    // The reduced costs of the slot's basis: from the rows of z - c that
    // the pivot from its parent carried along, else computed from the
    // tableau. A pivot carries them through the same formula as the
    // tableau's objective row, which saves the sums over the basic rows
    // for every column.
    void reducedCosts(Slot& slot)
    {
        if (!slot.rowsCarried)
            ObjectiveReducedCosts(ws_, *slot.lp, slot.objectiveRows.data(), kObjectiveRowStride);
        ReducedCostsFromRows(ws_, *slot.lp, slot.objectiveRows.data(), kObjectiveRowStride, slot.yac,
                             slot.yacColumns);
    }

    // Stores the vertex of the slot's basis; false when the walk stops.
    bool store(Slot& slot)
    {
        const VertexStore stored =
            StoreVertex(ws_, *slot.lp, slot.yac, &regions_, &solutions_, slot.polygonReady ? &slot.polygon : nullptr,
                        slot.assembledReady ? &slot.assembled : nullptr);
        progress_.tell(stored.notices);
        lastStored_ = &slot;
        count();
        if (stored.stop)
            result_.end = VmaEnd::OutOfMemory;
        return !stored.stop;
    }

    // The efficient neighbours of the slot's basis (its efficient variables
    // worked out) go to the list; false when the walk stops.
    bool explore(Slot& slot)
    {
        const EfficientColumns& efficient = slot.efficient;
        if (efficient.halted) {
            tell(MsgKind::Error, text(msg::kEfficientNonbasicsHalt));
            result_.end = VmaEnd::Halted;
            return false;
        }
        if (!slot.movesReady)
            findMoves(slot);
        const int appended = AppendMoves(slot.moves, list_);
        if (listed_.active())
            for (const AdjacentMove& m : slot.moves)
                listed_.add(list_.hashOf(m.base));
        result_.basesFound = list_.size();
        if (list_.outOfMemory()) {
            result_.end = VmaEnd::OutOfMemory;
            return false;
        }
        if (appended > 0 && options_.pivotFromParent)
            keep(slot);
        return true;
    }

    // The contracted walk starts from the optimum of the first ICW weight
    // vector over the cone objectives, whose vertex the iteration stored
    // already: it keeps the first entry of the ICW lists and is not stored
    // again. The program is built afresh from the ICW state, so that the
    // walk never runs on whatever program the tables hold last.
    bool startContracted()
    {
        ws_.keepIcwVectors(1);
        BuildConeWeightedSumProgram(ws_, ws_.icwWeights[1], lp_);
        result_.startStatus = SolveScalarizing(lp_, true, 1, engine_.evaluator);
        if (result_.startStatus != SolveStatus::Optimal) {
            result_.notices = SolveStatusNotices(result_.startStatus);
            return false;
        }
        Slot& first = slot(0, 0);
        ConeReducedCosts(ws_, ws_.coneObjectives, lp_, first.yac, first.yacColumns);
        first.efficient = FindEfficientNonbasics(first.yac, ws_.numObjectives);
        return beginList();
    }

    // A basis of the contracted walk: stored (with its region in the
    // problem's weight space from the problem's reduced costs) and explored
    // (through the nonbasic variables efficient for the cone) only when it
    // is efficient for the cone, which an efficient edge of the problem
    // need not lead to. Its region in the cone's own weights joins the ICW
    // lists.
    void visitContracted(Slot& slot)
    {
        const int p = ws_.numObjectives;
        LpTables& lp = *slot.lp;
        RecordYAC plain;
        YacColumnMap plainColumns{};
        ComputeReducedCosts(ws_, lp, plain, plainColumns);
        if (IsDominatedBasis(plain, p))
            return;
        ConeReducedCosts(ws_, ws_.coneObjectives, lp, slot.yac, slot.yacColumns);
        if (IsDominatedBasis(slot.yac, p) || !IsEfficientBasis(slot.yac, p))
            return;
        const VertexStore stored = StoreVertex(ws_, lp, plain, &regions_, &solutions_);
        progress_.tell(stored.notices);
        ws_.currentYAC = slot.yac;
        ws_.yacColumns = slot.yacColumns;
        count();
        if (stored.stop) {
            result_.end = VmaEnd::OutOfMemory;
            return;
        }
        ws_.appendIcwVector(stored.index, ws_.weightSpace2 || ws_.weightSpace3
                                              ? ComputeRegionPolygon(p, slot.yac.ncolsYAC, slot.yac.YAC)
                                              : UmaRegIndif{});
        slot.efficient = FindEfficientNonbasics(slot.yac, p);
        explore(slot);
    }

    void keep(Slot& slot)
    {
        const std::size_t each = std::size_t(slot.lp->tabRows) * std::size_t(slot.lp->tabCols) * sizeof(KeptReal);
        if (kept_.size() * each >= kKeptReadBackBytes)
            return;
        if (slot.savedReady) {
            kept_.emplace_back(slot.index, std::move(slot.saved));
            slot.savedReady = false;
            return;
        }
        // A basis at the end of a chain of pivots is evaluated afresh once
        // here, instead of each of its neighbours after it.
        if (slot.depth >= options_.maxPivotChain && !refresh(slot))
            return;
        try {
            std::unique_ptr<SavedReadBack> saved = spareReadBack();
            save(slot, *saved);
            kept_.emplace_back(slot.index, std::move(saved));
        } catch (const std::bad_alloc&) {
            // Its neighbours are evaluated afresh instead.
        }
    }

    // A read-back to fill: one no longer kept, or a new one.
    std::unique_ptr<SavedReadBack> spareReadBack()
    {
        if (spare_.empty())
            return std::make_unique<SavedReadBack>();
        std::unique_ptr<SavedReadBack> saved = std::move(spare_.back());
        spare_.pop_back();
        return saved;
    }

    // Evaluates the slot's basis afresh, with its rows of z - c; false when
    // it cannot be inverted.
    bool refresh(Slot& slot)
    {
        LpTables& lp = *slot.lp;
        slot.deferred.parent = nullptr;
        DecodeBasis(list_[slot.index], lp.basicList, lp.atUpper);
        if (EvaluateBasis(lp, 1, engine_.evaluator) == SolveStatus::Other)
            return false;
        slot.depth = 0;
        if (!contracted_)
            ObjectiveReducedCosts(ws_, lp, slot.objectiveRows.data(), kObjectiveRowStride);
        return true;
    }

    // The tables hold a whole read-back of the last basis visited when the
    // walk ends, and the workspace the reduced costs of the last basis stored.
    void finish()
    {
        Slot& last = *lastVisited_;
        if (last.lp != &lp_)
            lp_ = *last.lp;
        FillDeferredTableau(last.deferred, lp_);
        if (lastStored_ != nullptr) {
            ws_.currentYAC = lastStored_->yac;
            ws_.yacColumns = lastStored_->yacColumns;
        } else if (haveLastStored_) {
            ws_.currentYAC = lastStoredYac_;
            ws_.yacColumns = lastStoredColumns_;
        }
    }

    void count()
    {
        result_.basesFound = list_.size();
        result_.verticesStored = ws_.basketCount - basketBefore_;
        result_.basketCount = ws_.basketCount;
    }

    QString progressText() const
    {
        return text(msg::kVmaProgress)
            .arg(result_.basesFound)
            .arg(result_.basesExamined)
            .arg(result_.verticesStored);
    }

    // Rewrites the progress box when it is due; false once Cancel was pressed.
    bool progress()
    {
        const auto now = std::chrono::steady_clock::now();
        if (result_.basesExamined % kProgressEveryBases != 0 && now - lastProgress_ < kProgressInterval)
            return true;
        lastProgress_ = now;
        return progress_.update(progressText());
    }

    // A box while the walk goes on.
    void tell(MsgKind kind, const QString& message)
    {
        Notices notices;
        notices.message(kind, message);
        progress_.tell(notices);
    }

    // The memory warning and the time are told as the walk ends; the caller
    // then shows the basket windows, and the views and the closing box follow.
    void close()
    {
        count();
        Notices ending;
        if (result_.end == VmaEnd::OutOfMemory)
            ending.message(MsgKind::Warning, text(msg::kVmaNoMemory));
        ending.status(1, ElapsedText(ws_.timeElapsed));
        progress_.tell(ending);
        result_.walked = true;
        Notices& notices = result_.notices;
        notices.event(UiEvent::BasketValuesChanged);
        notices.event(UiEvent::BasketChartChanged);
        notices.event(UiEvent::WeightSpaceChanged);
        if (contracted_ && (ws_.weightSpace2 || ws_.weightSpace3))
            notices.event(UiEvent::ContractedConeChanged);
        QString closing = contracted_ ? text(msg::kContractedVmaFound).arg(distinctIcwSolutions())
                                      : text(msg::kVmaComputed).arg(StoredVertexCount(ws_));
        if (result_.end == VmaEnd::Cancelled)
            closing += QLatin1Char('\n') + text(msg::kVmaStoppedByUser);
        else if (result_.end == VmaEnd::Halted)
            closing += QLatin1Char('\n') + text(msg::kVmaStoppedByFailure);
        notices.message(MsgKind::Information, closing);
    }

    // The vertices in the ICW lists: a degenerate vertex has an entry for
    // each efficient basis (each with its region) but is one solution.
    int distinctIcwSolutions() const
    {
        std::vector<std::int32_t> seen;
        for (int i = 1; i <= ws_.icwCount && i < static_cast<int>(ws_.icwSolutions.size()); ++i) {
            const std::int32_t b = ws_.icwSolutions[static_cast<std::size_t>(i)];
            if (b >= 1 && std::find(seen.begin(), seen.end(), b) == seen.end())
                seen.push_back(b);
        }
        return static_cast<int>(seen.size());
    }

    Workspace& ws_;
    LpEngine& engine_;
    LpTables& lp_;
    Progress& progress_;
    VmaOptions options_;
    BasisList list_;
    RegionAdjacencyIndex regions_;
    SolutionLookup solutions_;
    // Two sets of slots: one batch visited while the next is worked out.
    std::array<std::vector<std::unique_ptr<Slot>>, 2> slotSets_;
    int preparingSet_ = 0;
    ListedFilter listed_;
    Slot* lastVisited_ = nullptr;
    // The slot of the last basis stored while its batch lasts, and its
    // reduced costs after it.
    Slot* lastStored_ = nullptr;
    RecordYAC lastStoredYac_;
    YacColumnMap lastStoredColumns_{};
    bool haveLastStored_ = false;
    bool batches_ = false; // two threads: batches of bases after the first ones
    VmaResult result_;
    int basketBefore_ = 0;
    std::deque<std::pair<int, std::unique_ptr<SavedReadBack>>> kept_;
    std::vector<std::unique_ptr<SavedReadBack>> spare_;
    std::chrono::steady_clock::time_point lastProgress_;
    bool contracted_ = false;
    std::unique_ptr<BatchWorker> worker_; // last: stopped first
};

} // namespace

namespace {

VmaResult runWalk(Workspace& ws, LpEngine& engine, Progress& progress, const VmaOptions& options, bool contracted)
{
    Notices cleared;
    cleared.status(0, QString());
    progress.tell(cleared);
    // The walk's working state is large (reduced costs, kept read-backs).
    auto walk = std::make_unique<VmaWalk>(ws, engine, progress, options, contracted);
    return walk->run();
}

} // namespace

VmaResult RunVma(Workspace& ws, LpEngine& engine, Progress& progress, const VmaOptions& options)
{
    return runWalk(ws, engine, progress, options, false);
}

VmaResult RunContractedVma(Workspace& ws, LpEngine& engine, Progress& progress, const VmaOptions& options)
{
    return runWalk(ws, engine, progress, options, true);
}
