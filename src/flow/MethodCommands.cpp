#include "flow/MethodCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/PortProgress.h"
#include "flow/Session.h"
#include "base/NumberFormat.h"
#include "lp/LpSolveAdapter.h"
#include "methods/Messages.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

MethodCommands::MethodCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

const ParetoRace* MethodCommands::race() const { return s_.race_.get(); }

const StemState& MethodCommands::stem() const { return s_.stem_; }

void MethodCommands::stemFirstIterationCommand()
{
    StemState weights;
    // Refused before anything changes: without a weight there is no
    // distance to minimize.
    if (!ComputeStemWeights(ws_, weights)) {
        ui_.showMessage(MsgKind::Information, text(msg::kStemNoWeights));
        s_.finish(Outcome::Refused);
        return;
    }
    s_.stem_ = weights;
    ws_.activeMethod = MethodKind::Stem;
    ws_.methodIteration = 1;
    s_.EnterMethodMode();
    ws_.viewLastN = 1;
    ui_.notify(UiEvent::ViewLastNChanged);
    s_.ClearLimitations();
    PrepareStemFirstIteration(ws_, s_.stem_);
    runStemProposal();
}

void MethodCommands::stemNewIterationCommand()
{
    if (ws_.activeMethod != MethodKind::Stem) {
        s_.finish(Outcome::Refused);
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
        const RelaxationsResult accepted = AcceptRelaxations(ws_, s_.stem_, t);
        ShowNotices(ui_, accepted.notices);
        if (accepted.accepted)
            amounts = accepted.amounts;
        return accepted.accepted;
    });
    if (!typed) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    ApplyRelaxations(ws_, s_.stem_, amounts);
    s_.commandsChanged();
    runStemProposal();
}

void MethodCommands::runStemProposal()
{
    const SolveStatus status = s_.solveCancellable([this] { return ShownStatus(ui_, ComputeReferencePoint(ws_, *s_.engine())); });
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        s_.SaiMetodos(true);
        s_.finish(Outcome::Failed);
        return;
    }
    s_.writeReport(ReportMode::ReferencePoint);
    s_.finish(Outcome::Done);
}

void MethodCommands::raceStartCommand()
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
        names, values, [this](const QStringList& typed) { return s_.compute().acceptReferencePoint(typed); });
    if (!point) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const auto ranges = dialogs_.editRaceRanges(names, lower, upper);
    if (!ranges) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const RaceRangesResult accepted = ParetoRace::AcceptRanges(ws_, *ranges);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        s_.finish(Outcome::Refused);
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
    s_.ClearLimitations();
    if (!s_.race_)
        s_.race_ = std::make_unique<ParetoRace>();
    const SolveStatus status =
        s_.solveCancellable([this, &low, &high] { return ShownStatus(ui_, s_.race_->start(ws_, *s_.engine(), low, high)); });
    ui_.notify(UiEvent::RacePanelChanged);
    if (status != SolveStatus::Optimal) {
        leaveRace(status);
        s_.finish(Outcome::Failed);
        return;
    }
    s_.EnterMethodMode();
    s_.writeReport(ReportMode::ReferencePoint);
    s_.finish(Outcome::Done);
}

void MethodCommands::leaveRace(SolveStatus status)
{
    ShowSolveStatus(ui_, status);
    s_.SaiMetodos(true);
}

void MethodCommands::raceGoCommand()
{
    if (!s_.race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        s_.finish(Outcome::Refused);
        return;
    }
    ++ws_.methodIteration;
    ParetoRace::Outcome moved;
    if (s_.race_->nextGoSolves()) {
        const CancellableSolves cancellable(ui_, *s_.engine());
        moved = s_.race_->go(ws_, *s_.engine());
        ShowNotices(ui_, moved.notices);
    } else {
        moved = s_.race_->go(ws_, *s_.engine());
        ShowNotices(ui_, moved.notices);
    }
    const SolveStatus status = moved.status;
    switch (moved.step) {
    case ParetoRace::Step::NeedDirection: raceChangeDirectionCommand(); return;
    case ParetoRace::Step::Failed:
        leaveRace(status);
        s_.finish(Outcome::Failed);
        return;
    case ParetoRace::Step::Moved:
    case ParetoRace::Step::BasisChanged: break;
    }
    s_.writeReport(ReportMode::ReferencePoint);
    s_.finish(Outcome::Done);
}

void MethodCommands::raceReverse()
{
    if (!s_.race_)
        return;
    s_.race_->reverse();
    ui_.notify(UiEvent::RacePanelChanged);
}

void MethodCommands::raceSpeed(int position)
{
    if (s_.race_)
        s_.race_->setSpeed(position);
}

int MethodCommands::chooseRaceObjective(const char* title, const char* prompt)
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

void MethodCommands::raceChangeDirectionCommand()
{
    if (!s_.race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        s_.finish(Outcome::Refused);
        return;
    }
    const int c = chooseRaceObjective(msg::kChangeDirectionTitle, msg::kChangeDirectionPrompt);
    if (c == 0) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const SolveStatus status = s_.solveCancellable([this, c] { return ShownStatus(ui_, s_.race_->changeDirection(ws_, *s_.engine(), c)); });
    ui_.notify(UiEvent::RacePanelChanged);
    if (status != SolveStatus::Optimal) {
        leaveRace(status);
        s_.finish(Outcome::Failed);
        return;
    }
    s_.writeReport(ReportMode::ReferencePoint);
    s_.finish(Outcome::Done);
}

void MethodCommands::raceFixCommand()
{
    if (!s_.race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        s_.finish(Outcome::Refused);
        return;
    }
    const int c = chooseRaceObjective(msg::kFixTitle, msg::kFixPrompt);
    if (c == 0) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    ws_.limitsActive = true;
    ws_.limitOn[c] = true;
    ws_.limitValue[c] = ws_.currentF[c];
    s_.commandsChanged();
    const SolveStatus status = s_.solveCancellable([this] { return ShownStatus(ui_, s_.race_->reproject(ws_, *s_.engine())); });
    // The race goes on from where it was; the person learns why nothing moved.
    s_.finishSolve(status, ReportMode::ReferencePoint);
}

void MethodCommands::raceRelaxCommand()
{
    if (!s_.race_ || ws_.activeMethod != MethodKind::ParetoRace) {
        s_.finish(Outcome::Refused);
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
        s_.finish(Outcome::Refused);
        return;
    }
    if (bounded > 1) {
        const auto typed = ui_.inputText(text(msg::kRelaxRaceTitle), text(msg::kRelaxRacePrompt), QString());
        if (!typed) {
            s_.finish(Outcome::Cancelled);
            return;
        }
        bool ok = false;
        c = typed->trimmed().toInt(&ok, 10);
        if (!ok) {
            s_.finish(Outcome::Refused);
            return;
        }
        if (c < 1 || c > p) {
            ui_.showMessage(MsgKind::Error, text(msg::kRelaxInvalidData));
            s_.finish(Outcome::Refused);
            return;
        }
        if (!ws_.limitOn[c]) {
            ui_.showMessage(MsgKind::Information, text(msg::kRelaxNotBounded));
            s_.finish(Outcome::Refused);
            return;
        }
    }
    ws_.limitOn[c] = false;
    ws_.limitValue[c] = 0;
    NormalizeLimitations(ws_);
    s_.commandsChanged();
    ui_.showMessage(MsgKind::Information, text(msg::kRelaxWillResolve).arg(c));
    const SolveStatus status = s_.solveCancellable([this] { return ShownStatus(ui_, s_.race_->reproject(ws_, *s_.engine())); });
    s_.finishSolve(status, ReportMode::ReferencePoint);
}
