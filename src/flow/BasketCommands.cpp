#include "flow/BasketCommands.h"

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

bool hasWeightSpace(const Workspace& ws) { return ws.numObjectives == 2 || ws.numObjectives == 3; }

} // namespace

BasketCommands::BasketCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

void BasketCommands::setViewLastN(int n)
{
    const int clamped = std::clamp(n, 1, MaxHistory);
    const bool changed = clamped != ws_.viewLastN;
    ws_.viewLastN = clamped;
    // The field shows the clamped value even when nothing else changes.
    ui_.notify(UiEvent::ViewLastNChanged);
    if (changed)
        s_.writeReport(ReportMode::Refresh);
}

void BasketCommands::setViewLastNText(const QString& typed)
{
    bool ok = false;
    const int n = typed.trimmed().toInt(&ok, 10);
    if (!ok) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(typed));
        return;
    }
    setViewLastN(n);
}

void BasketCommands::toggleAskTolerance()
{
    ws_.askNadirTolerance = !ws_.askNadirTolerance;
    s_.commandsChanged();
}

void BasketCommands::chooseColour()
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
    s_.writeReport(ReportMode::Refresh);
}

void BasketCommands::storeCurrentSolution()
{
    if (ws_.guardaTodasSols) {
        s_.finish(Outcome::Refused);
        return;
    }
    const StoreResult stored =
        StoreSolution(ws_, false, ws_.currentBasis, ws_.currentF, true, ws_.lastColor, ws_.currentXS);
    ShowNotices(ui_, stored.notices);
    if (stored.failed) {
        s_.finish(Outcome::Failed);
        return;
    }
    if (!ws_.history.empty() && stored.index > 0) {
        ComputedSolution& newest = ws_.history.front();
        newest.basketIndex = stored.index;
        newest.cor = ws_.basket[stored.index].cor;
    }
    s_.writeReport(ReportMode::Refresh);
    s_.finish(Outcome::Done);
}

void BasketCommands::setStoreAllSolutions(bool all)
{
    ws_.guardaTodasSols = all;
    s_.commandsChanged();
}

void BasketCommands::deleteSolutions()
{
    // A cancelled box answers its default, as "0" would.
    const QString answer =
        ui_.inputText(text(msg::kDeleteTitle), text(msg::kDeletePrompt), QStringLiteral("0")).value_or(QStringLiteral("0"));
    int from = 0, to = 0;
    QString bad;
    if (!ParseDeleteRange(answer, from, to, bad)) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(bad));
        s_.finish(Outcome::Refused);
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
        s_.writeReport(ReportMode::Refresh);
    }
    if (out.keptForRegion)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteRegion));
    else if (out.keptOptimum)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteOptima));
    s_.finish(Outcome::Done);
}
