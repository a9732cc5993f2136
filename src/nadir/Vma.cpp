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
#include <chrono>
#include <deque>
#include <memory>
#include <new>
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
                        SolutionLookup* solutions)
{
    VertexStore out;
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
        const RegionStore region = StoreIndifferenceRegion(ws, yac.ncolsYAC, yac.YAC, stored.index, false, regions);
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

class VmaWalk {
public:
    // `contracted`: the walk over the bases efficient for the cone of the
    // ICW method, whose objectives are ws.coneObjectives.
    VmaWalk(Workspace& ws, LpEngine& engine, Progress& progress, const VmaOptions& options, bool contracted)
        : ws_(ws), engine_(engine), lp_(engine.tables), progress_(progress), options_(options), list_(ws.numVariables),
          solutions_(ws), contracted_(contracted)
    {
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
        // The tables hold a whole read-back when the walk ends, and the
        // workspace the reduced costs of the last basis stored.
        FillDeferredTableau(deferred_, lp_);
        if (lastStored_ >= 0) {
            ws_.currentYAC = buffers_[static_cast<std::size_t>(lastStored_)].yac;
            ws_.yacColumns = buffers_[static_cast<std::size_t>(lastStored_)].columns;
        }
        ws_.timeEnd = CurrentTimeInDays();
        ws_.timeElapsed = ws_.timeEnd - ws_.timeStart;
        result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        close();
        return result_;
    }

private:
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
        reducedCosts(false);
        if (!store()) {
            // Storing the first vertex failed: the store said so; nothing else to say.
            result_.end = VmaEnd::OutOfMemory;
            count();
            return false;
        }
        return beginList();
    }

    // The starting basis in lp_ (reduced costs in yac_) heads the list, and
    // its efficient neighbours follow.
    bool beginList()
    {
        list_.append(EncodeBasis(lp_.basicList.data(), lp_.lpRowCount, lp_.atUpper, lp_.lpColumnCount), BasisMove{});
        result_.basesExamined = 1;
        result_.end = VmaEnd::Completed;
        currentDepth_ = 0;
        explore(0);
        return true;
    }

    void walk()
    {
        for (int next = 1; next < list_.size() && result_.end == VmaEnd::Completed; ++next) {
            ++result_.basesExamined;
            if (load(next)) {
                if (contracted_)
                    visitContracted(next);
                else {
                    reducedCosts(rowsCarried_);
                    if (!IsDominatedBasis(*yac_, ws_.numObjectives) && store())
                        explore(next);
                }
            }
            if (result_.end == VmaEnd::Completed && list_.size() >= options_.maxBases) {
                tell(MsgKind::Warning, text(msg::kVmaReachedLimit));
                result_.end = VmaEnd::LimitReached;
            }
            if (result_.end == VmaEnd::Completed && !progress())
                result_.end = VmaEnd::Cancelled;
        }
    }

    // The read-back of list entry `index` in lp_: one pivot from its parent
    // when that one is kept, else a fresh evaluation. False for a basis that
    // cannot be inverted.
    bool load(int index)
    {
        const BasisMove& move = list_.move(index);
        while (!kept_.empty() && kept_.front().first < move.parent) {
            spare_.push_back(std::move(kept_.front().second));
            kept_.pop_front();
        }
        rowsCarried_ = false;
        deferred_.parent = nullptr;
        if (options_.pivotFromParent && !kept_.empty() && kept_.front().first == move.parent) {
            const SavedReadBack& parent = *kept_.front().second;
            // The plain walk reads the tableau only where it must (the
            // contracted walk computes its reduced costs from all of it).
            if (parent.depth < options_.maxPivotChain
                && PivotReadBack(parent, move, lp_, objectiveRows_.data(), kObjectiveRowStride,
                                 contracted_ ? nullptr : &deferred_)) {
                currentDepth_ = parent.depth + 1;
                rowsCarried_ = parent.carriedRows == ws_.numObjectives;
                ++result_.derivedByPivot;
                return true;
            }
        }
        DecodeBasis(list_[index], lp_.basicList, lp_.atUpper);
        currentDepth_ = 0;
        // An imprecise evaluation still names the vertex; only a failed one has no read-back.
        return EvaluateBasis(lp_, 1, engine_.evaluator) != SolveStatus::Other;
    }

    // The reduced costs of the basis in lp_ into yac_: from the rows of
    // z - c that the pivot from its parent carried along (`carried`), else
    // computed from the tableau. A pivot carries them through the same
    // formula as the tableau's objective row, which saves the sums over
    // the basic rows for every column.
    void reducedCosts(bool carried)
    {
        if (lastStored_ == current_)
            useBuffer(1 - current_);
        if (!carried)
            ObjectiveReducedCosts(ws_, lp_, objectiveRows_.data(), kObjectiveRowStride);
        ReducedCostsFromRows(ws_, lp_, objectiveRows_.data(), kObjectiveRowStride, *yac_, *yacColumns_);
    }

    // Stores the vertex of the basis in lp_; false when the walk stops.
    bool store()
    {
        const VertexStore stored = StoreVertex(ws_, lp_, *yac_, &regions_, &solutions_);
        progress_.tell(stored.notices);
        lastStored_ = current_;
        count();
        if (stored.stop)
            result_.end = VmaEnd::OutOfMemory;
        return !stored.stop;
    }

    // The efficient neighbours of the basis in lp_ (list entry `index`) go
    // to the list; false when the walk stops.
    bool explore(int index)
    {
        const EfficientColumns efficient = FindEfficientNonbasics(*yac_, ws_.numObjectives);
        if (efficient.halted) {
            tell(MsgKind::Error, text(msg::kEfficientNonbasicsHalt));
            result_.end = VmaEnd::Halted;
            return false;
        }
        EfficientPositions positions{};
        MapEfficientToPositions(efficient, yac_->ncolsYAC, *yacColumns_, lp_.tabCols, positions);
        FillDeferredColumns(deferred_, positions, lp_);
        const int appended = AdjacentBases(lp_, positions, false, index, list_);
        result_.basesFound = list_.size();
        if (list_.outOfMemory()) {
            result_.end = VmaEnd::OutOfMemory;
            return false;
        }
        if (appended > 0 && options_.pivotFromParent)
            keep(index);
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
        ConeReducedCosts(ws_, ws_.coneObjectives, lp_, *yac_, *yacColumns_);
        return beginList();
    }

    // A basis of the contracted walk: stored (with its region in the
    // problem's weight space from the problem's reduced costs) and explored
    // (through the nonbasic variables efficient for the cone) only when it
    // is efficient for the cone, which an efficient edge of the problem
    // need not lead to. Its region in the cone's own weights joins the ICW
    // lists.
    void visitContracted(int index)
    {
        const int p = ws_.numObjectives;
        RecordYAC plain;
        YacColumnMap plainColumns{};
        ComputeReducedCosts(ws_, lp_, plain, plainColumns);
        if (IsDominatedBasis(plain, p))
            return;
        ConeReducedCosts(ws_, ws_.coneObjectives, lp_, *yac_, *yacColumns_);
        if (IsDominatedBasis(*yac_, p) || !IsEfficientBasis(*yac_, p))
            return;
        const VertexStore stored = StoreVertex(ws_, lp_, plain, &regions_, &solutions_);
        progress_.tell(stored.notices);
        ws_.currentYAC = *yac_;
        ws_.yacColumns = *yacColumns_;
        count();
        if (stored.stop) {
            result_.end = VmaEnd::OutOfMemory;
            return;
        }
        ws_.appendIcwVector(stored.index, ws_.weightSpace2 || ws_.weightSpace3
                                              ? ComputeRegionPolygon(p, yac_->ncolsYAC, yac_->YAC)
                                              : UmaRegIndif{});
        explore(index);
    }

    void useBuffer(int buffer)
    {
        current_ = buffer;
        yac_ = &buffers_[static_cast<std::size_t>(buffer)].yac;
        yacColumns_ = &buffers_[static_cast<std::size_t>(buffer)].columns;
    }

    void keep(int index)
    {
        const std::size_t each = std::size_t(lp_.tabRows) * std::size_t(lp_.tabCols) * sizeof(KeptReal);
        if (kept_.size() * each >= kKeptReadBackBytes)
            return;
        // A basis at the end of a chain of pivots is evaluated afresh once
        // here, instead of each of its neighbours after it.
        if (currentDepth_ >= options_.maxPivotChain && !refresh(index))
            return;
        try {
            std::unique_ptr<SavedReadBack> saved;
            if (spare_.empty()) {
                saved = std::make_unique<SavedReadBack>();
            } else {
                saved = std::move(spare_.back());
                spare_.pop_back();
            }
            // The plain walk's rows of z - c go along (the contracted walk
            // computes its reduced costs afresh), and a tableau still to be
            // derived is derived straight into the copy.
            SaveReadBack(lp_, 1, currentDepth_, *saved, contracted_ ? nullptr : objectiveRows_.data(),
                         ws_.numObjectives, kObjectiveRowStride, &deferred_);
            kept_.emplace_back(index, std::move(saved));
        } catch (const std::bad_alloc&) {
            // Its neighbours are evaluated afresh instead.
        }
    }

    // Evaluates list entry `index`, the basis in lp_, afresh, with its rows
    // of z - c; false when it cannot be inverted.
    bool refresh(int index)
    {
        deferred_.parent = nullptr;
        DecodeBasis(list_[index], lp_.basicList, lp_.atUpper);
        if (EvaluateBasis(lp_, 1, engine_.evaluator) == SolveStatus::Other)
            return false;
        currentDepth_ = 0;
        if (!contracted_)
            ObjectiveReducedCosts(ws_, lp_, objectiveRows_.data(), kObjectiveRowStride);
        return true;
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
    // The reduced costs of the basis at hand, in one of two buffers: the
    // other holds those of the last basis stored, which the workspace
    // takes when the walk ends instead of at every store.
    struct ReducedCostBuffer {
        RecordYAC yac;
        YacColumnMap columns{};
    };
    std::array<ReducedCostBuffer, 2> buffers_{};
    int current_ = 0;
    int lastStored_ = -1;
    RecordYAC* yac_ = &buffers_[0].yac;
    YacColumnMap* yacColumns_ = &buffers_[0].columns;
    // Rows of z - c of each objective at the basis in lp_ (plain walk).
    ObjectiveRows objectiveRows_{};
    bool rowsCarried_ = false;
    // What of lp_'s tableau is still to be derived from the parent.
    DeferredTableau deferred_;
    VmaResult result_;
    int basketBefore_ = 0;
    int currentDepth_ = 0;
    std::deque<std::pair<int, std::unique_ptr<SavedReadBack>>> kept_;
    std::vector<std::unique_ptr<SavedReadBack>> spare_;
    std::chrono::steady_clock::time_point lastProgress_;
    bool contracted_ = false;
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
