#include "flow/Session.h"

#include "flow/CancellableSolves.h"
#include "flow/Messages.h"
#include "flow/PortProgress.h"
#include "flow/ProblemEditor.h"
#include "flow/WindowCommands.h"
#include "base/NumberFormat.h"
#include "base/SaveFlow.h"
#include "base/TextFileFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/Vma.h"
#include "problem/MpsFile.h"
#include "problem/ProblemFile.h"
#include "problem/VlpFile.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Messages.h"
#include "solutions/Payoff.h"
#include "solutions/ResultsFile.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

bool hasWeightSpace(const Workspace& ws) { return ws.numObjectives == 2 || ws.numObjectives == 3; }

} // namespace

const char* toString(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return "Done";
    case Outcome::Cancelled: return "Cancelled";
    case Outcome::Refused: return "Refused";
    case Outcome::Failed: return "Failed";
    }
    return "?";
}

Session::Session(Workspace& ws, UiPort& ui, DialogPort& dialogs)
    : ws_(ws), ui_(ui), dialogs_(dialogs), file_(*this), compute_(*this), basket_(*this), methods_(*this),
      nadir_(*this), weightSpace_(*this)
{
}

Session::~Session() = default;

void Session::startUp(const QString& startDir)
{
    InitWorkspace(ws_);
    engineReleased_ = false;
    ws_.startDir = startDir;
    caption_ = text(msg::kProductName) + QStringLiteral(" - ") + text(msg::kProductLongTitle);
    phase_ = Phase::Empty;
    ui_.notify(UiEvent::CaptionChanged);
    commandsChanged();
}

FlowState Session::flowState() const
{
    FlowState state;
    state.phase = phase_;
    state.objectives = ws_.numObjectives;
    state.method = ws_.activeMethod;
    state.limitsActive = ws_.limitsActive;
    state.storeAll = ws_.guardaTodasSols;
    state.askTolerance = ws_.askNadirTolerance;
    state.methodIteration = ws_.methodIteration;
    state.contractedVmaRun = contractedVmaRun_;
    return state;
}

bool Session::confirmDiscardSolutions()
{
    if (!confirmDiscard_ || ws_.basketCount == 0 || ResultsFileHash(ws_) == savedResults_)
        return true;
    switch (ui_.askSaveDiscard(text(msg::kDiscardSolutions))) {
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: return false;
    case SaveAnswer::Save: break;
    }
    // Goes on only once the work is in a file.
    const auto written = ExportResultsCommand(ws_, ui_);
    if (!written)
        return false;
    exportDone(*written);
    return true;
}

LpEngine* Session::engine()
{
    if (!engine_ && !engineReleased_) {
        engine_ = std::make_unique<LpEngine>();
        engine_->control.timeLimitSeconds = solveTimeLimit_;
    }
    return engine_.get();
}

void Session::setSolveTimeLimit(double seconds)
{
    solveTimeLimit_ = seconds;
    if (engine_)
        engine_->control.timeLimitSeconds = seconds;
}

void Session::markResultsSaved() { savedResults_ = ResultsFileHash(ws_); }

void Session::exportDone(const QString& path)
{
    markResultsSaved();
    ui_.setStatusText(0, QStringLiteral("%1 solution(s) exported to %2").arg(ws_.basketCount).arg(QDir::toNativeSeparators(path)));
}

void Session::commandsChanged()
{
    states_ = CommandStatesFor(flowState());
    ui_.notify(UiEvent::CommandsChanged);
}

QString CaptionWithProblem(const QString& caption, const QString& problemName)
{
    QString result = caption;
    const int dash = result.indexOf(QLatin1Char('-'));
    if (dash > 0 && result.at(dash - 1) == QLatin1Char(' '))
        result.truncate(dash - 1);
    return result + QStringLiteral(" - ") + problemName;
}

void Session::HideProblemViews()
{
    if (ws_.activeMethod != MethodKind::None)
        SaiMetodos(false);
    // Only the problem's own commands until it is loaded again.
    phase_ = Phase::Problem;
    ui_.setStatusText(0, QString());
    ui_.setStatusText(1, QString());
    ui_.notify(UiEvent::ProblemViewsHidden);
    commandsChanged();
}

void Session::AccoesNovoProb()
{
    ws_.problemName = ProblemNameOf(ws_.fileName);
    caption_ = CaptionWithProblem(caption_, ws_.problemName);
    ui_.notify(UiEvent::CaptionChanged);
    ResetComputedState(ws_);
    ClearLimitations();
    phase_ = Phase::Problem;
    ui_.notify(UiEvent::ProblemLoaded);
    commandsChanged();
}

void Session::ShowSolutionPhase()
{
    const bool weightSpace = hasWeightSpace(ws_);
    phase_ = Phase::Solutions;
    ui_.setStatusText(0, QString());
    ui_.setStatusText(1, QString());
    // An imported basket may come without any computed solution; the field
    // still shows a count the control accepts.
    ws_.viewLastN = std::clamp<int>(ws_.historyCount, 1, MaxHistory);
    ui_.notify(UiEvent::ViewLastNChanged);
    ui_.notify(UiEvent::SolutionPhaseShown);
    if (weightSpace)
        ui_.notify(UiEvent::WeightSpaceChanged);
    writeReport(ReportMode::Refresh);
    if (weightSpace)
        ui_.notify(UiEvent::BasketChartShown);
    if (ws_.numObjectives == 2) {
        // With two objectives the pay-off solutions are the nadir solutions:
        // the optimum of F2 is the worst for F1 and the other way round. They
        // are named by their basket indices (2 and 1, unless both optima are
        // one solution).
        ws_.nadirSource[1] = ws_.payoff[2].basketIndex;
        ws_.nadirSource[2] = ws_.payoff[1].basketIndex;
    }
    commandsChanged();
}

void Session::EnterMethodMode()
{
    const MethodKind method = ws_.activeMethod;
    if ((method == MethodKind::Stem || method == MethodKind::ParetoRace) && hasWeightSpace(ws_))
        ui_.notify(UiEvent::WeightSpaceHidden);
    phase_ = Phase::Method;
    commandsChanged();
}

void Session::SaiMetodos(bool mesmoProb)
{
    const MethodKind method = ws_.activeMethod;
    if ((method == MethodKind::Stem || method == MethodKind::ParetoRace) && hasWeightSpace(ws_))
        ui_.notify(UiEvent::WeightSpaceShown);
    if (method == MethodKind::ParetoRace)
        ws_.raceObjective = 0;
    ws_.activeMethod = MethodKind::None;
    contractedVmaRun_ = false;
    // The weight space then loses the contracted cone.
    if (method == MethodKind::Icw)
        ui_.notify(UiEvent::ContractedConeHidden);
    if (phase_ == Phase::Method)
        phase_ = Phase::Solutions;
    commandsChanged();
    if (mesmoProb && ws_.limitsActive && ui_.ask(text(msg::kKeepLimitations)) == Answer::No) {
        ClearLimitations();
        writeReport(ReportMode::Refresh);
    }
}

void Session::ClearLimitations()
{
    ClearLimitationValues(ws_);
    // The chart window decides whether it shows an objective plane.
    ui_.notify(UiEvent::BasketChartChanged);
    commandsChanged();
}

void Session::writeReport(ReportMode mode)
{
    if (ws_.history.empty()) {
        report_ = ReportDocument();
    } else {
        report_ = WriteReport(ws_, mode);
    }
    thickBars_ = mode != ReportMode::Refresh;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
}

SolveStatus Session::solveCancellable(const std::function<SolveStatus()>& solve)
{
    BusyCursor busy(ui_);
    const CancellableSolves cancellable(ui_, *engine());
    return solve();
}

void Session::finishSolve(SolveStatus status, ReportMode reportMode)
{
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        finish(Outcome::Failed);
        return;
    }
    writeReport(reportMode);
    finish(Outcome::Done);
}
