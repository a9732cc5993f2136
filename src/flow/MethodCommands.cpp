// The commands of the interactive methods STEM and Pareto Race: their
// dialogs, questions and messages around the computations of src/methods.

#include "flow/CancellableSolves.h"
#include "flow/MainFlow.h"
#include "flow/PortProgress.h"

#include "lp/LpSolveAdapter.h"
#include "methods/Messages.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "base/NumberFormat.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

void MainFlow::stemFirstIterationCommand()
{
    StemState weights;
    // Refused before anything changes: without a weight there is no
    // distance to minimize.
    if (!ComputeStemWeights(ws_, weights)) {
        ui_.showMessage(MsgKind::Information, text(msg::kStemNoWeights));
        finish(Outcome::Refused);
        return;
    }
    stem_ = weights;
    ws_.activeMethod = MethodKind::Stem;
    ws_.methodIteration = 1;
    EnterMethodMode();
    ws_.viewLastN = 1;
    ui_.notify(UiEvent::ViewLastNChanged);
    ClearLimitations();
    PrepareStemFirstIteration(ws_, stem_);
    runStemProposal();
}

void MainFlow::stemNewIterationCommand()
{
    if (ws_.activeMethod != MethodKind::Stem) {
        finish(Outcome::Refused);
        return;
    }
    // Both advance before the dialog, also when it is then cancelled.
    ws_.viewLastN = std::min(ws_.viewLastN + 1, MaxHistory);
    ui_.notify(UiEvent::ViewLastNChanged);
    ++ws_.methodIteration;
    QStringList names, zeros;
    for (int i = 1; i <= ws_.numObjectives; ++i) {
        names << ws_.objName[i] + QStringLiteral(" :");
        zeros << QStringLiteral("0");
    }
    vectorObj amounts{};
    const auto typed = dialogs_.editRelaxations(names, zeros, [this, &amounts](const QStringList& t) {
        const RelaxationsResult accepted = AcceptRelaxations(ws_, stem_, t);
        ShowNotices(ui_, accepted.notices);
        if (accepted.accepted)
            amounts = accepted.amounts;
        return accepted.accepted;
    });
    if (!typed) {
        finish(Outcome::Cancelled);
        return;
    }
    ApplyRelaxations(ws_, stem_, amounts);
    commandsChanged();
    runStemProposal();
}

void MainFlow::runStemProposal()
{
    const SolveStatus status = solveCancellable([this] { return shown(ComputeReferencePoint(ws_, *engine_)); });
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        SaiMetodos(true);
        finish(Outcome::Failed);
        return;
    }
    writeReport(kReportReferencePoint);
    finish(Outcome::Done);
}

void MainFlow::raceStartCommand()
{
    const int p = ws_.numObjectives;
    QStringList names, values, lower, upper;
    for (int i = 1; i <= p; ++i) {
        names << ws_.objName[i];
        values << NumText(ws_.refPoint[i]);
        const bool max = ws_.objSense[i] == 1;
        lower << NumText(max ? ws_.nadirPoint[i] : ws_.idealPoint[i]);
        upper << NumText(max ? ws_.idealPoint[i] : ws_.nadirPoint[i]);
    }
    const auto point = dialogs_.editReferencePoint(
        names, values, [this](const QStringList& typed) { return acceptReferencePoint(typed); });
    if (!point) {
        finish(Outcome::Cancelled);
        return;
    }
    const auto ranges = dialogs_.editRaceRanges(names, lower, upper);
    if (!ranges) {
        finish(Outcome::Cancelled);
        return;
    }
    const RaceRangesResult accepted = ParetoRace::AcceptRanges(ws_, *ranges);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        finish(Outcome::Refused);
        return;
    }
    const vectorObj& low = accepted.low;
    const vectorObj& high = accepted.high;
    // Only now does the start change anything: a cancelled Start leaves a
    // running race, the limitations and the history as they were.
    ws_.activeMethod = MethodKind::ParetoRace;
    ws_.viewLastN = 1;
    ui_.notify(UiEvent::ViewLastNChanged);
    ws_.methodIteration = 1;
    ws_.raceObjective = 0;
    ClearLimitations();
    if (!race_)
        race_ = std::make_unique<ParetoRace>();
    const SolveStatus status =
        solveCancellable([this, &low, &high] { return shown(race_->start(ws_, *engine_, low, high)); });
    ui_.notify(UiEvent::RacePanelChanged);
    if (status != SolveStatus::Optimal) {
        leaveRace(status);
        finish(Outcome::Failed);
        return;
    }
    EnterMethodMode();
    writeReport(kReportReferencePoint);
    finish(Outcome::Done);
}

void MainFlow::leaveRace(SolveStatus status)
{
    ShowSolveStatus(ui_, status);
    SaiMetodos(true);
}

void MainFlow::raceGoCommand()
{
    if (!race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        finish(Outcome::Refused);
        return;
    }
    ++ws_.methodIteration;
    ParetoRace::Outcome moved;
    if (race_->nextGoSolves()) {
        const CancellableSolves cancellable(ui_, *engine_);
        moved = race_->go(ws_, *engine_);
        ShowNotices(ui_, moved.notices);
    } else {
        moved = race_->go(ws_, *engine_);
        ShowNotices(ui_, moved.notices);
    }
    const SolveStatus status = moved.status;
    switch (moved.step) {
    case ParetoRace::Step::NeedDirection: raceChangeDirectionCommand(); return;
    case ParetoRace::Step::Failed:
        leaveRace(status);
        finish(Outcome::Failed);
        return;
    case ParetoRace::Step::Moved:
    case ParetoRace::Step::BasisChanged: break;
    }
    writeReport(kReportReferencePoint);
    finish(Outcome::Done);
}

void MainFlow::raceReverse()
{
    if (!race_)
        return;
    race_->reverse();
    ui_.notify(UiEvent::RacePanelChanged);
}

void MainFlow::raceSpeed(int position)
{
    if (race_)
        race_->setSpeed(position);
}

int MainFlow::chooseRaceObjective(const char* title, const char* prompt)
{
    QStringList names;
    for (int i = 1; i <= ws_.numObjectives; ++i)
        names << ws_.objName[i];
    const auto choice = dialogs_.chooseObjective(text(title), text(prompt), names, false, 0, 0);
    if (!choice)
        return 0;
    const int c = choice->selected + 1;
    if (c < 1 || c > ws_.numObjectives) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        return 0;
    }
    return c;
}

void MainFlow::raceChangeDirectionCommand()
{
    if (!race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        finish(Outcome::Refused);
        return;
    }
    const int c = chooseRaceObjective(msg::kChangeDirectionTitle, msg::kChangeDirectionPrompt);
    if (c == 0) {
        finish(Outcome::Cancelled);
        return;
    }
    const SolveStatus status = solveCancellable([this, c] { return shown(race_->changeDirection(ws_, *engine_, c)); });
    ui_.notify(UiEvent::RacePanelChanged);
    if (status != SolveStatus::Optimal) {
        leaveRace(status);
        finish(Outcome::Failed);
        return;
    }
    writeReport(kReportReferencePoint);
    finish(Outcome::Done);
}

void MainFlow::raceFixCommand()
{
    if (!race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        finish(Outcome::Refused);
        return;
    }
    const int c = chooseRaceObjective(msg::kFixTitle, msg::kFixPrompt);
    if (c == 0) {
        finish(Outcome::Cancelled);
        return;
    }
    ws_.limitsActive = true;
    ws_.limitOn[c] = true;
    ws_.limitValue[c] = ws_.currentF[c];
    commandsChanged();
    const SolveStatus status = solveCancellable([this] { return shown(race_->reproject(ws_, *engine_)); });
    // The race goes on from where it was; the person learns why nothing moved.
    finishSolve(status, kReportReferencePoint);
}

void MainFlow::raceRelaxCommand()
{
    if (!race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        finish(Outcome::Refused);
        return;
    }
    const int p = ws_.numObjectives;
    int bounded = 0, c = 0;
    for (int i = 1; i <= p; ++i)
        if (ws_.limitOn[i]) {
            ++bounded;
            c = i;
        }
    if (bounded == 0) {
        ui_.showMessage(MsgKind::Information, text(msg::kNothingBounded));
        finish(Outcome::Refused);
        return;
    }
    if (bounded > 1) {
        const auto typed = ui_.inputText(text(msg::kRelaxRaceTitle), text(msg::kRelaxRacePrompt), QString());
        if (!typed) {
            finish(Outcome::Cancelled);
            return;
        }
        bool ok = false;
        c = typed->trimmed().toInt(&ok, 10);
        if (!ok) {
            finish(Outcome::Refused);
            return;
        }
        if (c < 1 || c > p) {
            ui_.showMessage(MsgKind::Error, text(msg::kRelaxInvalidData));
            finish(Outcome::Refused);
            return;
        }
        if (!ws_.limitOn[c]) {
            ui_.showMessage(MsgKind::Information, text(msg::kRelaxNotBounded));
            finish(Outcome::Refused);
            return;
        }
    }
    ws_.limitOn[c] = false;
    ws_.limitValue[c] = 0;
    NormalizeLimitations(ws_);
    commandsChanged();
    ui_.showMessage(MsgKind::Information, text(msg::kRelaxWillResolve).arg(c));
    const SolveStatus status = solveCancellable([this] { return shown(race_->reproject(ws_, *engine_)); });
    finishSolve(status, kReportReferencePoint);
}
