#include "flow/ComputeCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/Messages.h"
#include "flow/PortProgress.h"
#include "flow/ProblemEditor.h"
#include "flow/Session.h"
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

} // namespace

ComputeCommands::ComputeCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

void ComputeCommands::askConsiderLimitations()
{
    if (ws_.limitsActive && ui_.ask(text(msg::kConsiderLimitations)) == Answer::No)
        s_.ClearLimitations();
}

void ComputeCommands::computePayoffCommand()
{
    const std::optional<bool> l2 = dialogs_.chooseNormalization();
    ApplyNormalization(ws_, l2.value_or(false));
    const SolveStatus status = s_.solveCancellable([this] {
        PortProgress progress(ui_);
        const PayoffResult result = ComputePayoff(ws_, *s_.engine(), progress);
        ShowNotices(ui_, result.notices);
        return result.status;
    });
    // The failure was told with the result; an empty table is not shown.
    if (status != SolveStatus::Optimal) {
        s_.finish(Outcome::Failed);
        return;
    }
    s_.ShowSolutionPhase();
    dialogs_.showPayoffTable();
    s_.finish(Outcome::Done);
}

void ComputeCommands::viewPayoffCommand() { dialogs_.showPayoffTable(); }

void ComputeCommands::weightedSumCommand()
{
    BusyCursor busy(ui_);
    ui_.processEvents();
    askConsiderLimitations();
    if (askSumWeights())
        solveWeightedSum();
}

bool ComputeCommands::askSumWeights()
{
    QStringList headers, values;
    const bool picked = !isNotComputed(ws_.pickedWeights[1]);
    for (int k = 1; k <= ws_.numObjectives; ++k) {
        headers << QStringLiteral("l%1").arg(k);
        values << (picked ? NumText(ws_.pickedWeights[k]) : QStringLiteral("1"));
    }
    const auto typed = dialogs_.editWeights(text(msg::kSumWeightsTitle), headers, values, text(msg::kSolveCaption));
    if (!typed) {
        s_.finish(Outcome::Cancelled);
        return false;
    }
    const SumWeightsResult accepted = AcceptSumWeights(ws_, *typed);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        s_.finish(Outcome::Refused);
        return false;
    }
    for (int k = 1; k <= ws_.numObjectives; ++k)
        ws_.sumWeights[k] = accepted.weights[k];
    return true;
}

void ComputeCommands::solveWeightedSum()
{
    s_.finishSolve(s_.solveCancellable([this] { return ShownStatus(ui_, ComputeFromWeights(ws_, *s_.engine(), true)); }),
                ReportMode::WeightedSum);
}

void ComputeCommands::referencePointCommand()
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
        s_.finish(Outcome::Cancelled);
        return;
    }
    const auto weights = dialogs_.editWeights(text(msg::kTchebWeightsTitle), headers, ones, QStringLiteral("OK"));
    if (!weights) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const TchebWeightsResult accepted = AcceptTchebWeights(ws_, *weights);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        s_.finish(Outcome::Refused);
        return;
    }
    for (int k = 1; k <= p; ++k)
        ws_.tchebWeights[k] = accepted.weights[k];
    s_.finishSolve(s_.solveCancellable([this] { return ShownStatus(ui_, ComputeReferencePoint(ws_, *s_.engine())); }),
                ReportMode::ReferencePoint);
}

bool ComputeCommands::acceptReferencePoint(const QStringList& typed)
{
    const ReferencePointResult accepted = AcceptReferencePoint(ws_, typed);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted)
        return false;
    for (int k = 1; k <= ws_.numObjectives; ++k)
        ws_.refPoint[k] = accepted.point[k];
    return true;
}

void ComputeCommands::eConstraintCommand()
{
    const int p = ws_.numObjectives;
    if (p < 2) {
        ui_.showMessage(MsgKind::Information, text(msg::kEConstraintNeedsTwo));
        s_.finish(Outcome::Refused);
        return;
    }
    QStringList names;
    for (int k = 1; k <= p; ++k)
        names << ws_.objName[k];
    const auto choice = dialogs_.chooseObjective(text(msg::kObjectiveSelectionTitle),
                                                 text(msg::kObjectiveSelectionPrompt), names, false, 0, 0);
    if (!choice) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const int optimized = choice->selected + 1;
    if (optimized < 1 || optimized > p) {
        ui_.showMessage(MsgKind::Information, text(msg::kInvalidFunction));
        s_.finish(Outcome::Refused);
        return;
    }
    s_.limitations_.prepareEConstraints(ws_, optimized);
    const LimitationsAnswer answer = dialogs_.editLimitations(s_.limitations_, true);
    const EConstraintsResult bounds = Recolhe_e_constraints(ws_, s_.limitations_, answer);
    ShowNotices(ui_, bounds.notices);
    if (!bounds.accepted) {
        s_.finish(Outcome::Cancelled);
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
    s_.ClearLimitations();
}

void ComputeCommands::limitationsCommand()
{
    s_.limitations_.prepareLimitations(ws_);
    const LimitationsAnswer answer = dialogs_.editLimitations(s_.limitations_, false);
    const LimitationsResult limits = RecolheLimitacoes(ws_, s_.limitations_, answer);
    ShowNotices(ui_, limits.notices);
    if (limits.changed) {
        s_.thickBars_ = false;
        ui_.notify(UiEvent::BarsChanged);
        ui_.notify(UiEvent::BasketChartChanged);
    }
    s_.commandsChanged();
    s_.finish(Outcome::Done);
}
