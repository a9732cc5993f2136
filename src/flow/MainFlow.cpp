#include "flow/MainFlow.h"

#include "problem/MpsFile.h"
#include "flow/ProblemEditor.h"
#include "problem/ProblemFile.h"
#include "problem/VlpFile.h"
#include "lp/LpSolveAdapter.h"
#include "nadir/Vma.h"
#include "lp/ScalarizingPrograms.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Payoff.h"
#include "solutions/ResultsFile.h"
#include "solutions/Messages.h"
#include "base/NumberFormat.h"
#include "base/SaveFlow.h"
#include "base/TextFileFormat.h"
#include "flow/CancellableSolves.h"
#include "flow/Messages.h"
#include "flow/PortProgress.h"
#include "flow/WindowCommands.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// Converts a typed count; false when the text is not a decimal integer.
bool toCount(const QString& typed, int& value)
{
    bool ok = false;
    value = typed.trimmed().toInt(&ok, 10);
    return ok;
}

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

MainFlow::MainFlow(Workspace& ws, UiPort& ui, DialogPort& dialogs) : ws_(ws), ui_(ui), dialogs_(dialogs) {}

void MainFlow::startUp(const QString& startDir)
{
    InitWorkspace(ws_);
    engine_ = std::make_unique<LpEngine>();
    ws_.startDir = startDir;
    caption_ = text(msg::kProductName) + QStringLiteral(" - ") + text(msg::kProductLongTitle);
    phase_ = Phase::Empty;
    ui_.notify(UiEvent::CaptionChanged);
    commandsChanged();
}

FlowState MainFlow::flowState() const
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

bool MainFlow::confirmDiscardSolutions()
{
    if (!confirmDiscard_ || ws_.basketCount == 0 || qHash(ResultsFileText(ws_)) == savedResults_)
        return true;
    return ui_.ask(text(msg::kDiscardSolutions)) == Answer::Yes;
}

void MainFlow::markResultsSaved() { savedResults_ = qHash(ResultsFileText(ws_)); }

void MainFlow::commandsChanged()
{
    states_ = CommandStatesFor(flowState());
    ui_.notify(UiEvent::CommandsChanged);
}

bool MainFlow::acceptSizes(const QString& objectives, const QString& variables, const QString& constraints)
{
    int p = 0, n = 0, m = 0;
    // Counts that cannot index a problem (no objective, no variable, a
    // negative number of rows) are as unusable as a text that is not a number.
    if (!toCount(objectives, p) || !toCount(variables, n) || !toCount(constraints, m) || p < 1 || n < 1
        || m < 0) {
        ui_.showMessage(MsgKind::Error, text(msg::kInvalidNumbers));
        return false;
    }
    bool warned = false;
    if (p > MaxObjectives) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyObjectives).arg(MaxObjectives));
        warned = true;
    }
    if (n > MaxVariables) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyVariables).arg(MaxVariables));
        warned = true;
    }
    if (m > MaxConstraints) {
        ui_.showMessage(MsgKind::Warning, text(msg::kTooManyConstraints).arg(MaxConstraints));
        warned = true;
    }
    return !warned;
}

void MainFlow::newProblem(int objectives, int variables, int constraints)
{
    // The views go first: leaving a method still sees the old problem's size.
    HideProblemViews();
    ResetProblem(ws_);
    ws_.numObjectives = objectives;
    ws_.numVariables = variables;
    ws_.numConstraints = constraints;
    // A new problem starts with its own objective names, not with those of
    // the problem it replaces.
    for (int k = 1; k <= MaxObjectives; ++k)
        ws_.objName[k] = DefaultObjectiveName(k);
    runProblemEditor();
}

void MainFlow::chooseAndOpen(const QString& title, const QStringList& filters, const QString& suffix,
                             const std::function<void(const QString&)>& open)
{
    if (!confirmDiscardSolutions()) {
        finish(Outcome::Cancelled);
        return;
    }
    const auto path = ui_.chooseOpenFile(title, filters, suffix);
    if (path)
        open(*path);
    else
        finish(Outcome::Cancelled);
}

void MainFlow::openInto(const QString& path, const std::function<bool(ProblemData&)>& read)
{
    if (!ProblemFileExists(path)) {
        ui_.showMessage(MsgKind::Error, text(msg::kFileNotFound));
        finish(Outcome::Refused);
        return;
    }
    // Read into a copy first: a refused file leaves the loaded problem, and
    // everything computed for it, untouched.
    auto problem = std::make_unique<ProblemData>(static_cast<const ProblemData&>(ws_));
    ResetProblemData(*problem);
    bool accepted = false;
    {
        BusyCursor busy(ui_);
        accepted = read(*problem);
    }
    if (!accepted) {
        finish(Outcome::Refused);
        return;
    }
    HideProblemViews();
    ResetProblem(ws_);
    static_cast<ProblemData&>(ws_) = std::move(*problem);
    ws_.fileName = path;
    AccoesNovoProb();
    finish(Outcome::Done);
}

void MainFlow::openProblem()
{
    chooseAndOpen(QStringLiteral("Open"), {text(msg::kFilterMlp)}, QStringLiteral("mlp"),
                  [this](const QString& path) { openProblemFile(path); });
}

void MainFlow::openProblemFile(const QString& path)
{
    openInto(path, [this, &path](ProblemData& problem) {
        const ProblemReadResult read = ReadProblemFile(path, problem);
        if (read.status == ProblemReadStatus::TooBig)
            ui_.showMessage(MsgKind::Error, text(msg::kTooBig));
        else if (read.status != ProblemReadStatus::Ok)
            ui_.showMessage(MsgKind::Error, read.message);
        return read.status == ProblemReadStatus::Ok;
    });
}

void MainFlow::openMpsProblem()
{
    chooseAndOpen(QStringLiteral("Open MPS"), {text(msg::kFilterMps), text(msg::kFilterMpsText)},
                  QStringLiteral("mps"), [this](const QString& path) { openMpsFile(path); });
}

void MainFlow::openMpsFile(const QString& path, MpsFormat format)
{
    openInto(path, [this, &path, format](ProblemData& problem) {
        const MpsReadResult read = ReadMpsFile(path, problem, format);
        if (!read.accepted()) {
            for (const QString& message : MpsRefusalMessages(read))
                ui_.showMessage(MsgKind::Error, message);
        }
        return read.accepted();
    });
}

void MainFlow::openVlpProblem()
{
    chooseAndOpen(QStringLiteral("Open VLP"), {text(msg::kFilterVlp)}, QStringLiteral("vlp"),
                  [this](const QString& path) { openVlpFile(path); });
}

void MainFlow::openVlpFile(const QString& path)
{
    openInto(path, [this, &path](ProblemData& problem) {
        const VlpReadResult read = ReadVlpFile(path, problem);
        if (read.status != VlpReadStatus::Ok)
            ui_.showMessage(MsgKind::Error, read.message);
        return read.status == VlpReadStatus::Ok;
    });
}

void MainFlow::saveVlpProblem()
{
    const auto chosen = ChooseSaveTarget(ui_, QStringLiteral("Save as VLP"), {text(msg::kFilterVlp)},
                                         QStringLiteral("vlp"));
    if (!chosen) {
        finish(Outcome::Cancelled);
        return;
    }
    const ProblemWriteResult written = WriteVlpFile(*chosen, ws_);
    if (!written.ok)
        ui_.showMessage(MsgKind::Error, written.message);
    finish(written.ok ? Outcome::Done : Outcome::Failed);
}

void MainFlow::editProblem()
{
    if (ws_.payoffComputed && ui_.ask(text(msg::kEditWarning)) != Answer::Yes)
        return;
    HideProblemViews();
    runProblemEditor();
}

void MainFlow::runProblemEditor()
{
    ProblemEditor editor(ui_, ws_, ws_.fileName, randomSettings_);
    editor.setHelpPage(QDir(ws_.startDir).filePath(QStringLiteral("Help2.htm")));
    editor.showTables();
    dialogs_.runProblemEditor(editor);
    // The editor's problem is the workspace's from now on, however the
    // window was closed.
    static_cast<ProblemData&>(ws_) = editor.problem();
    ws_.fileName = editor.fileName();
    randomSettings_ = editor.randomSettings();
    AccoesNovoProb();
}

bool MainFlow::exitProgram()
{
    if (!confirmDiscardSolutions())
        return false;
    engine_.reset();
    ClearSolutionStore(ws_);
    ClearHistory(ws_);
    return true;
}

QString MainFlow::captionWithProblem(const QString& caption, const QString& problemName)
{
    QString result = caption;
    const int dash = result.indexOf(QLatin1Char('-'));
    if (dash > 0 && result.at(dash - 1) == QLatin1Char(' '))
        result.truncate(dash - 1);
    return result + QStringLiteral(" - ") + problemName;
}


void MainFlow::HideProblemViews()
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

void MainFlow::AccoesNovoProb()
{
    ws_.problemName = ProblemNameOf(ws_.fileName);
    caption_ = captionWithProblem(caption_, ws_.problemName);
    ui_.notify(UiEvent::CaptionChanged);
    ResetComputedState(ws_);
    ClearLimitations();
    phase_ = Phase::Problem;
    ui_.notify(UiEvent::ProblemLoaded);
    commandsChanged();
}

void MainFlow::ShowSolutionPhase()
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
    writeReport(2);
    if (weightSpace)
        ui_.notify(UiEvent::BasketChartChanged);
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

void MainFlow::EnterMethodMode()
{
    const MethodKind method = ws_.activeMethod;
    if ((method == MethodKind::Stem || method == MethodKind::ParetoRace) && hasWeightSpace(ws_))
        ui_.notify(UiEvent::WeightSpaceHidden);
    phase_ = Phase::Method;
    commandsChanged();
}

void MainFlow::SaiMetodos(bool mesmoProb)
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
        writeReport(2);
    }
}

void MainFlow::ClearLimitations()
{
    ClearLimitationValues(ws_);
    // The chart window decides whether it shows an objective plane.
    ui_.notify(UiEvent::BasketChartChanged);
    commandsChanged();
}

void MainFlow::askConsiderLimitations()
{
    if (ws_.limitsActive && ui_.ask(text(msg::kConsiderLimitations)) == Answer::No)
        ClearLimitations();
}

bool MainFlow::confirmVma()
{
    ui_.setStatusText(0, QString());
    const bool limited = ws_.limitsActive;
    if (ui_.ask(text(limited ? msg::kVmaQuestionWithLimits : msg::kVmaQuestion)) != Answer::Yes)
        return false;
    if (limited)
        ClearLimitations();
    return true;
}

void MainFlow::vmaCommand(int maxBases)
{
    if (!confirmVma()) {
        finish(Outcome::Cancelled);
        return;
    }
    VmaOptions options;
    options.maxBases = maxBases;
    PortProgress progress(ui_);
    const VmaResult result = RunVma(ws_, *engine_, progress, options);
    if (result.walked)
        ui_.notify(UiEvent::BasketViewsShown);
    ShowNotices(ui_, result.notices);
    finish(result.end == VmaEnd::NotStarted ? Outcome::Failed : Outcome::Done);
}

void MainFlow::setViewLastN(int n)
{
    const int clamped = std::clamp(n, 1, MaxHistory);
    const bool changed = clamped != ws_.viewLastN;
    ws_.viewLastN = clamped;
    // The field shows the clamped value even when nothing else changes.
    ui_.notify(UiEvent::ViewLastNChanged);
    if (changed)
        writeReport(2);
}

void MainFlow::setViewLastNText(const QString& typed)
{
    bool ok = false;
    const int n = typed.trimmed().toInt(&ok, 10);
    if (!ok) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(typed));
        return;
    }
    setViewLastN(n);
}

void MainFlow::toggleAskTolerance()
{
    ws_.askNadirTolerance = !ws_.askNadirTolerance;
    commandsChanged();
}

void MainFlow::chooseColour()
{
    if (ws_.history.empty())
        return;
    const auto colour = ui_.chooseColor(ws_.history.front().cor);
    if (!colour)
        return;
    ComputedSolution& newest = ws_.history.front();
    newest.cor = *colour;
    if (newest.basketIndex > 0 && newest.basketIndex <= ws_.basketCount) {
        ws_.basket[newest.basketIndex].cor = *colour;
        if (hasWeightSpace(ws_))
            ui_.notify(UiEvent::WeightSpaceChanged);
        ui_.notify(UiEvent::BasketValuesChanged);
        ui_.notify(UiEvent::BasketChartChanged);
    }
    writeReport(2);
}

void MainFlow::writeReport(int mode)
{
    if (ws_.history.empty()) {
        report_ = ReportDocument();
    } else {
        report_ = WriteReport(ws_, mode);
    }
    thickBars_ = mode != 2;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
}

void MainFlow::storeCurrentSolution()
{
    if (ws_.guardaTodasSols) {
        finish(Outcome::Refused);
        return;
    }
    const StoreResult stored =
        StoreSolution(ws_, false, ws_.currentBasis, ws_.currentF, true, ws_.lastColor, ws_.currentXS);
    ShowNotices(ui_, stored.notices);
    if (stored.failed) {
        finish(Outcome::Failed);
        return;
    }
    if (!ws_.history.empty() && stored.index > 0) {
        ComputedSolution& newest = ws_.history.front();
        newest.basketIndex = stored.index;
        newest.cor = ws_.basket[stored.index].cor;
    }
    writeReport(2);
    finish(Outcome::Done);
}

void MainFlow::setStoreAllSolutions(bool all)
{
    ws_.guardaTodasSols = all;
    commandsChanged();
}

void MainFlow::deleteSolutions()
{
    // A cancelled box answers its default, as "0" would.
    const QString answer =
        ui_.inputText(text(msg::kDeleteTitle), text(msg::kDeletePrompt), QStringLiteral("0")).value_or(QStringLiteral("0"));
    int from = 0, to = 0;
    QString bad;
    if (!ParseDeleteRange(answer, from, to, bad)) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(bad));
        finish(Outcome::Refused);
        return;
    }
    const DeleteOutcome out = DeleteSolutionRange(ws_, from, to);
    if (out.deleted > 0) {
        ui_.notify(UiEvent::BasketValuesChanged);
        ui_.notify(UiEvent::BasketChartChanged);
        if (hasWeightSpace(ws_))
            ui_.notify(UiEvent::WeightSpaceChanged);
        if (ws_.numObjectives == 3)
            dialogs_.pairwiseSolutionsDeleted(from, to);
        writeReport(2);
    }
    if (out.keptForRegion)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteRegion));
    else if (out.keptOptimum)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteOptima));
    finish(Outcome::Done);
}

void MainFlow::saveReport()
{
    const auto chosen = ChooseSaveTarget(ui_, QStringLiteral("Save text"),
                                         {text(msg::kFilterRtf), text(msg::kFilterTxt)}, QStringLiteral("rtf"));
    if (!chosen)
        return;
    const QString path = *chosen;
    const bool plain = QFileInfo(path).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes =
        plain ? ToCp1252(report_.toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"))) : report_.toRtf();
    QString error;
    if (!WriteWholeFile(path, bytes, error))
        ui_.showMessage(MsgKind::Error, QStringLiteral("Cannot write %1: %2").arg(path, error));
}

void MainFlow::computePayoffCommand()
{
    const std::optional<bool> l2 = dialogs_.chooseNormalization();
    ApplyNormalization(ws_, l2.value_or(false));
    const SolveStatus status = solveCancellable([this] {
        PortProgress progress(ui_);
        const PayoffResult result = ComputePayoff(ws_, *engine_, progress);
        ShowNotices(ui_, result.notices);
        return result.status;
    });
    if (status == SolveStatus::Optimal)
        ShowSolutionPhase();
    else
        ShowSolveStatus(ui_, status);
    dialogs_.showPayoffTable();
    finish(status == SolveStatus::Optimal ? Outcome::Done : Outcome::Failed);
}

void MainFlow::viewPayoffCommand() { dialogs_.showPayoffTable(); }

void MainFlow::weightedSumCommand()
{
    BusyCursor busy(ui_);
    ui_.processEvents();
    askConsiderLimitations();
    if (askSumWeights())
        solveWeightedSum();
}

bool MainFlow::askSumWeights()
{
    QStringList headers, values;
    const bool picked = !isNotComputed(ws_.pickedWeights[1]);
    for (int k = 1; k <= ws_.numObjectives; ++k) {
        headers << QStringLiteral("l%1").arg(k);
        values << (picked ? NumText(ws_.pickedWeights[k]) : QStringLiteral("1"));
    }
    const auto typed = dialogs_.editWeights(text(msg::kSumWeightsTitle), headers, values, text(msg::kSolveCaption));
    if (!typed) {
        finish(Outcome::Cancelled);
        return false;
    }
    const SumWeightsResult accepted = AcceptSumWeights(ws_, *typed);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        finish(Outcome::Refused);
        return false;
    }
    for (int k = 1; k <= ws_.numObjectives; ++k)
        ws_.sumWeights[k] = accepted.weights[k];
    return true;
}

void MainFlow::solveWeightedSum()
{
    finishSolve(solveCancellable([this] { return shown(ComputeFromWeights(ws_, *engine_, true)); }),
                kReportWeightedSum);
}

SolveStatus MainFlow::shown(const ComputeResult& result)
{
    ShowNotices(ui_, result.notices);
    return result.status;
}

SolveStatus MainFlow::shown(const ParetoRace::Outcome& outcome)
{
    ShowNotices(ui_, outcome.notices);
    return outcome.status;
}

SolveStatus MainFlow::solveCancellable(const std::function<SolveStatus()>& solve)
{
    BusyCursor busy(ui_);
    const CancellableSolves cancellable(ui_, *engine_);
    return solve();
}

void MainFlow::finishSolve(SolveStatus status, int reportMode)
{
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        finish(Outcome::Failed);
        return;
    }
    writeReport(reportMode);
    finish(Outcome::Done);
}

void MainFlow::referencePointCommand()
{
    BusyCursor busy(ui_);
    ui_.processEvents();
    askConsiderLimitations();
    const int p = ws_.numObjectives;
    QStringList names, values, headers, ones;
    for (int k = 1; k <= p; ++k) {
        names << ws_.objName[k];
        values << NumText(ws_.refPoint[k]);
        headers << QStringLiteral("w%1").arg(k);
        ones << QStringLiteral("1");
    }
    const auto point = dialogs_.editReferencePoint(
        names, values, [this](const QStringList& typed) { return acceptReferencePoint(typed); });
    if (!point) {
        finish(Outcome::Cancelled);
        return;
    }
    const auto weights = dialogs_.editWeights(text(msg::kTchebWeightsTitle), headers, ones, QStringLiteral("OK"));
    if (!weights) {
        finish(Outcome::Cancelled);
        return;
    }
    const TchebWeightsResult accepted = AcceptTchebWeights(ws_, *weights);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        finish(Outcome::Refused);
        return;
    }
    for (int k = 1; k <= p; ++k)
        ws_.tchebWeights[k] = accepted.weights[k];
    finishSolve(solveCancellable([this] { return shown(ComputeReferencePoint(ws_, *engine_)); }),
                kReportReferencePoint);
}

bool MainFlow::acceptReferencePoint(const QStringList& typed)
{
    const ReferencePointResult accepted = AcceptReferencePoint(ws_, typed);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted)
        return false;
    for (int k = 1; k <= ws_.numObjectives; ++k)
        ws_.refPoint[k] = accepted.point[k];
    return true;
}

void MainFlow::eConstraintCommand()
{
    const int p = ws_.numObjectives;
    if (p < 2) {
        ui_.showMessage(MsgKind::Information, text(msg::kEConstraintNeedsTwo));
        finish(Outcome::Refused);
        return;
    }
    QStringList names;
    for (int k = 1; k <= p; ++k)
        names << ws_.objName[k];
    const auto choice = dialogs_.chooseObjective(text(msg::kObjectiveSelectionTitle),
                                                 text(msg::kObjectiveSelectionPrompt), names, false, 0, 0);
    if (!choice) {
        finish(Outcome::Cancelled);
        return;
    }
    const int optimized = choice->selected + 1;
    if (optimized < 1 || optimized > p) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        finish(Outcome::Refused);
        return;
    }
    limitations_.prepareEConstraints(ws_, optimized);
    const LimitationsAnswer answer = dialogs_.editLimitations(limitations_, true);
    const EConstraintsResult bounds = Recolhe_e_constraints(ws_, limitations_, answer);
    ShowNotices(ui_, bounds.notices);
    if (!bounds.accepted) {
        finish(Outcome::Cancelled);
        return;
    }
    for (int k = 1; k <= p; ++k)
        ws_.sumWeights[k] = kEConstraintSmallWeight;
    ws_.sumWeights[optimized] = 1;
    {
        BusyCursor busy(ui_);
        solveWeightedSum();
    }
    // The bounds served this one computation.
    ClearLimitations();
}

void MainFlow::limitationsCommand()
{
    limitations_.prepareLimitations(ws_);
    const LimitationsAnswer answer = dialogs_.editLimitations(limitations_, false);
    const LimitationsResult limits = RecolheLimitacoes(ws_, limitations_, answer);
    ShowNotices(ui_, limits.notices);
    if (limits.changed) {
        thickBars_ = false;
        ui_.notify(UiEvent::BarsChanged);
        ui_.notify(UiEvent::BasketChartChanged);
    }
    commandsChanged();
    finish(Outcome::Done);
}

void MainFlow::importResultsCommand()
{
    if (!confirmDiscardSolutions()) {
        finish(Outcome::Cancelled);
        return;
    }
    if (!ImportResultsCommand(ws_, ui_)) {
        finish(Outcome::Refused);
        return;
    }
    ShowSolutionPhase();
    markResultsSaved();
    finish(Outcome::Done);
}

void MainFlow::exportResultsCommand()
{
    if (!ExportResultsCommand(ws_, ui_)) {
        finish(Outcome::Refused);
        return;
    }
    markResultsSaved();
    finish(Outcome::Done);
}
