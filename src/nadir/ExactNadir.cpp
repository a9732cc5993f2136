#include "nadir/ExactNadir.h"

#include "base/NumberFormat.h"
#include "lp/EfficientBases.h"
#include "lp/LpSolveAdapter.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
#include "nadir/NadirTolerances.h"
#include "solutions/Computation.h"
#include "solutions/Report.h"
#include "workspace/Workspace.h"

#include <cmath>
#include <new>
#include <utility>

namespace {

constexpr std::size_t at(int i) { return static_cast<std::size_t>(i); }

QString text(const char* s) { return QString::fromUtf8(s); }

// Significant digits of the nadir value in the report.
constexpr int kReportDigits = 6;

// The basis of one alternative as a reduced-cost record, with the column of
// the bound on f_k turned round: the region is then that of the problem
// without the bound.
bool appendAreaBase(Workspace& ws, const UmaSolAltern& alternative, int k)
{
    try {
        ws.nadirAreaBases.emplace_back();
    } catch (const std::bad_alloc&) {
        return false;
    }
    RecordYAC& rec = ws.nadirAreaBases.back();
    rec.ncolsYAC = alternative.NColsYAC_EFIC;
    for (int l = 1; l <= ws.numObjectives; ++l)
        for (int c = 1; c <= rec.ncolsYAC; ++c)
            rec.YAC[at(l)][at(c)] = alternative.YAC_EFIC[at(l - 1)][at(c - 1)];
    for (int c = 1; c <= rec.ncolsYAC; ++c) {
        if (std::fabs(std::fabs(rec.YAC[at(k)][at(c)]) - 1) <= kUnitReducedCostTol) {
            for (int l = 1; l <= ws.numObjectives; ++l)
                rec.YAC[at(l)][at(c)] = -rec.YAC[at(l)][at(c)];
            break;
        }
    }
    return true;
}

} // namespace

Real NadirStepTolerance(Real w, Real errorPct) { return std::max(std::fabs(w) * errorPct / 100, kNadirMinTolerance); }

const char* toString(NadirMethod method)
{
    switch (method) {
    case NadirMethod::One: return "One";
    case NadirMethod::Two: return "Two";
    }
    return "?";
}

const char* toString(NadirEnd end)
{
    switch (end) {
    case NadirEnd::Found: return "Found";
    case NadirEnd::Failed: return "Failed";
    case NadirEnd::Cancelled: return "Cancelled";
    case NadirEnd::NotStarted: return "NotStarted";
    }
    return "?";
}

NadirArea FindNadirArea(Workspace& ws, LpEngine& engine, int signedK, Real w, std::vector<NadirStep>* log)
{
    NadirArea out;
    bool& found = out.found;
    bool& ok = out.ok;
    const int k = signedK < 0 ? -signedK : signedK;
    const Real z = w - ws.objSense[at(k)] * NadirStepTolerance(w, ws.nadirErrorPct);
    AlternativeOptimaResult walk = AlternativeOptima(ws, engine, k, signedK, z);
    out.notices = std::move(walk.notices);
    ok = walk.ok;
    ws.nadirAreaBases.clear();
    ws.currentAreaBase = 0;
    if (walk.ok && walk.status == SolveStatus::Optimal) {
        for (int j = 0; j < ws.alternativeCount && ok; ++j) {
            if (j == ws.bestEdgeAlternative)
                ws.currentAreaBase = static_cast<std::int32_t>(ws.nadirAreaBases.size());
            ok = appendAreaBase(ws, ws.alternatives[at(j)], k);
        }
        const int listed = static_cast<int>(ws.nadirAreaBases.size());
        ws.alternatives.clear();
        ws.alternativeCount = 0;
        if (log)
            log->push_back(NadirStep{ws.visitedBases, listed, w});
        if (ok)
            found = listed == 0;
        else
            ws.nadirAreaBases.clear(); // memory ran out: a partial list would mislead
    } else if (walk.status == SolveStatus::Infeasible) {
        // No feasible solution is worse than z, let alone an efficient one.
        ok = true;
        found = true;
    }
    return out;
}

bool FindPositiveWeights(Workspace& ws, int k, const RecordYAC& base)
{
    const int p = ws.numObjectives;
    // A column of zeros holds for every weight vector; with the margin t in
    // its row it would force t to 0 and the weights onto the region's edge,
    // where the weighted sum may return a neighbour that ties.
    std::vector<int> columns;
    for (int c = 1; c <= base.ncolsYAC; ++c) {
        bool zero = true;
        for (int l = 1; l <= p; ++l)
            zero = zero && std::fabs(base.YAC[at(l)][at(c)]) <= kLabelZeroTol;
        if (!zero)
            columns.push_back(c);
    }
    const int cols = static_cast<int>(columns.size());
    // Columns 1..p-1: the weights of the other objectives in increasing
    // order; column p: t, the margin the program maximizes.
    ValueProgram program(p, p + cols);
    std::vector<int> other;
    for (int o = 1; o <= p; ++o)
        if (o != k)
            other.push_back(o);
    const int t = p;
    int row = 0;
    for (int c : columns) {
        ++row;
        for (int i = 1; i <= p - 1; ++i)
            program.rows[at(row)][at(i)] = base.YAC[at(other[at(i - 1)])][at(c)];
        program.rows[at(row)][at(t)] = -1;
        program.rowType[at(row)] = kRowGreaterEqual;
        program.rowRhs[at(row)] = -kNadirOwnWeight * base.YAC[at(k)][at(c)];
    }
    for (int i = 1; i <= p - 1; ++i) {
        ++row;
        program.rows[at(row)][at(i)] = 1;
        program.rows[at(row)][at(t)] = -1;
        program.rowType[at(row)] = kRowGreaterEqual;
        program.rowRhs[at(row)] = kNadirOwnWeight;
    }
    ++row;
    for (int i = 1; i <= p - 1; ++i)
        program.rows[at(row)][at(i)] = 1;
    program.rowType[at(row)] = kRowEqual;
    program.rowRhs[at(row)] = kNadirWeightSum;
    program.objective[at(t)] = 1;
    const ValueSolution solved = SolveForValue(program, 1);
    if (solved.status != SolveStatus::Optimal)
        return false;
    for (int i = 1; i <= p - 1; ++i)
        ws.sumWeights[at(other[at(i - 1)])] = solved.values[at(i)];
    ws.sumWeights[at(k)] = kNadirOwnWeight;
    return true;
}

namespace {

class NadirAscent {
public:
    NadirAscent(Workspace& ws, LpEngine& engine, Progress& progress, int signedK, ReportDocument& report,
                const ExactNadirOptions& options)
        : ws_(ws), engine_(engine), progress_(progress), report_(report), options_(options), signedK_(signedK),
          k_(signedK < 0 ? -signedK : signedK)
    {
        result_.objective = k_;
    }

    ExactNadirResult run()
    {
        if (k_ < 1 || k_ > ws_.numObjectives || ws_.basketCount < 1)
            return result_;
        if (ws_.limitsActive) {
            tell(MsgKind::Information, text(msg::kLimitationsDiscarded));
            ClearLimitationValues(ws_);
        }
        startFromBasket();
        ws_.timeStart = CurrentTimeInDays();
        {
            StoppableRun box(progress_, engine_, text(msg::kNadirProgressTitle), progressText());
            box_ = &box;
            ascend();
            cancelled_ = box.cancelled();
            box_ = nullptr;
        }
        ws_.timeEnd = CurrentTimeInDays();
        ws_.timeElapsed = ws_.timeEnd - ws_.timeStart;
        writeReport();
        close();
        return result_;
    }

private:
    // The worst stored value of f_k; ties go to the later index.
    void startFromBasket()
    {
        const Real sense = ws_.objSense[at(k_)];
        w_ = ws_.basket[1].f[at(k_)];
        source_ = 1;
        for (int i = 1; i <= ws_.basketCount; ++i) {
            const Real f = ws_.basket[at(i)].f[at(k_)];
            if (sense * f <= sense * w_) {
                w_ = f;
                source_ = i;
            }
        }
    }

    void ascend()
    {
        step();
        while (!found_ && ok_ && !cancelled()) {
            if (!weightsForNextSolution() || found_ || !ok_ || cancelled())
                break;
            const ComputeResult computed = ComputeFromWeights(ws_, engine_, false);
            progress_.tell(computed.notices);
            const int index = computed.basketIndex;
            if (computed.status != SolveStatus::Optimal) {
                if (!cancelled())
                    progress_.tell(SolveStatusNotices(computed.status));
                ok_ = false;
                break;
            }
            ++result_.computed;
            const Real sense = ws_.objSense[at(k_)];
            const Real f = ws_.currentF[at(k_)];
            // A solution no worse than w would only repeat the last step; one
            // that is better means the walk listed a base it should not have.
            if (index < 1 || !(sense * f < sense * w_)) {
                tell(MsgKind::Error, text(msg::kCannotContinue).arg(FixedText(w_)).arg(source_));
                ok_ = false;
                break;
            }
            w_ = f;
            source_ = index;
            step();
        }
    }

    void step()
    {
        const NadirArea area = FindNadirArea(ws_, engine_, signedK_, w_, &result_.log);
        progress_.tell(area.notices);
        // A failed walk ends the ascent; `found` keeps its value then.
        ok_ = area.ok;
        if (area.ok)
            found_ = area.found;
        showProgress(true);
    }

    // sumWeights for the next solution; false when the run ends here.
    bool weightsForNextSolution()
    {
        if (options_.positiveWeights(ws_, k_, currentBase()))
            return true;
        tell(MsgKind::Error, text(msg::kNoPositiveWeights));
        if (signedK_ < 0) {
            signedK_ = k_;
            result_.fellBackToMethod1 = true;
            step();
            if (found_ || !ok_ || cancelled())
                return false;
            if (options_.positiveWeights(ws_, k_, currentBase()))
                return true;
        }
        const int current = ws_.currentAreaBase;
        for (int b = 0; b < static_cast<int>(ws_.nadirAreaBases.size()); ++b)
            if (b != current && options_.positiveWeights(ws_, k_, ws_.nadirAreaBases[at(b)]))
                return true;
        found_ = true;
        tell(MsgKind::Error, text(msg::kNoRegionWithPositiveWeights));
        return false;
    }

    // A box while the ascent goes on.
    void tell(MsgKind kind, const QString& message)
    {
        Notices notices;
        notices.message(kind, message);
        progress_.tell(notices);
    }

    const RecordYAC& currentBase() const { return ws_.nadirAreaBases[at(ws_.currentAreaBase)]; }

    bool cancelled() const { return box_ ? box_->cancelled() : cancelled_; }

    QString progressText() const
    {
        const int visited = result_.log.empty() ? 0 : result_.log.back().visitedBases;
        return text(msg::kNadirProgress)
            .arg(result_.log.size())
            .arg(visited)
            .arg(k_)
            .arg(GeneralFormat(w_, kReportDigits));
    }

    void showProgress(bool force)
    {
        if (box_)
            box_->update(progressText(), force);
    }

    void writeReport()
    {
        if (result_.computed >= 1) {
            report_ = WriteReport(ws_, ReportMode::WeightedSum);
            if (ws_.weightSpace3 || ws_.weightSpace2)
                result_.notices.event(UiEvent::WeightSpaceChanged);
        }
        result_.notices.status(1, ElapsedText(ws_.timeElapsed));
        report_.addLine(QStringLiteral("  "), false, 0);
        report_.addLine(text(msg::kNadirOf), false, 0);
        report_.addLine(QStringLiteral("F%1:  %2").arg(k_).arg(GeneralFormat(w_, kReportDigits)), true, 0);
        for (std::size_t i = 0; i < result_.log.size(); ++i) {
            const NadirStep& s = result_.log[i];
            report_.addLine(text(msg::kNadirLogLine)
                                .arg(i + 1)
                                .arg(s.visitedBases, 4)
                                .arg(s.basesListed)
                                .arg(QString::number(static_cast<double>(s.w), 'f', 3)),
                            false, 0);
        }
        report_.addLine(TotalTimeText(QStringLiteral("Total time: "), ws_.timeElapsed), false, 0);
    }

    void close()
    {
        result_.value = w_;
        result_.source = source_;
        if (cancelled_) {
            result_.end = NadirEnd::Cancelled;
            result_.notices.message(MsgKind::Information, text(msg::kNadirStoppedByUser));
            return;
        }
        if (!(found_ && ok_)) {
            result_.end = NadirEnd::Failed;
            return;
        }
        result_.end = NadirEnd::Found;
        ws_.nadirSource[at(k_)] = source_;
        ws_.nadirPoint[at(k_)] = w_;
        result_.notices.message(MsgKind::Information,
                                text(msg::kNadirFound).arg(ws_.objName[at(k_)], FixedText(w_)).arg(source_));
    }

    Workspace& ws_;
    LpEngine& engine_;
    Progress& progress_;
    ReportDocument& report_;
    const ExactNadirOptions& options_;
    int signedK_;
    const int k_;
    Real w_ = 0;
    int source_ = 0;
    bool found_ = false;
    bool ok_ = false;
    bool cancelled_ = false;
    StoppableRun* box_ = nullptr;
    ExactNadirResult result_;
};

} // namespace

ExactNadirResult ExactNadir(Workspace& ws, LpEngine& engine, Progress& progress, int signedK, ReportDocument& report,
                            const ExactNadirOptions& options)
{
    NadirAscent ascent(ws, engine, progress, signedK, report, options);
    return ascent.run();
}
