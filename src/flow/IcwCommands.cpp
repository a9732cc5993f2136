#include "flow/MethodCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/PortProgress.h"
#include "flow/Session.h"
#include "lp/LpSolveAdapter.h"
#include "methods/Icw.h"
#include "methods/Messages.h"
#include "nadir/Vma.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

bool MethodCommands::icwNeedsTwoObjectives()
{
    if (ws_.numObjectives >= 2)
        return true;
    ui_.showMessage(MsgKind::Information, text(msg::kIcwOneObjective));
    s_.finish(Outcome::Refused);
    return false;
}

void MethodCommands::icwFirstIterationCommand()
{
    if (!icwNeedsTwoObjectives())
        return;
    ws_.activeMethod = MethodKind::Icw;
    ws_.viewLastN = std::min(MaxHistory, 2 * ws_.numObjectives + 1);
    ui_.notify(UiEvent::ViewLastNChanged);
    s_.contractedVmaRun_ = false;
    s_.EnterMethodMode();
    s_.ClearLimitations();
    IcwIterationResult result;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *s_.engine());
        PortProgress progress(ui_);
        result = IcwFirstIteration(ws_, *s_.engine(), progress);
    }
    finishIcwIteration(result);
}

void MethodCommands::icwNewIterationCommand()
{
    if (ws_.activeMethod != MethodKind::Icw || ws_.icwCount < 1 || s_.contractedVmaRun_) {
        s_.finish(Outcome::Refused);
        return;
    }
    const IcwSelection selection = IcwSelectionTexts(ws_);
    const std::optional<int> chosen =
        dialogs_.selectIcwSolution(selection.heading, selection.choices, selection.statusTexts);
    if (!chosen) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    if (*chosen < 1 || *chosen > ws_.icwCount) {
        ui_.showMessage(MsgKind::Information, text(msg::kIcwNoSelection));
        s_.finish(Outcome::Refused);
        return;
    }
    IcwIterationResult result;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *s_.engine());
        PortProgress progress(ui_);
        result = IcwNewIteration(ws_, *s_.engine(), progress, *chosen);
    }
    finishIcwIteration(result);
}

void MethodCommands::finishIcwIteration(const IcwIterationResult& result)
{
    s_.report_ = WriteIcwReport(ws_, ws_.methodIteration);
    s_.thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    ui_.notify(UiEvent::BasketValuesChanged);
    if (ws_.numObjectives == 2 || ws_.numObjectives == 3) {
        ui_.notify(UiEvent::BasketChartShown);
        ui_.notify(UiEvent::IcwIterationDrawn);
    } else {
        ui_.notify(UiEvent::BasketChartChanged);
    }
    s_.commandsChanged();
    if (result.failed > 0) {
        ShowSolveStatus(ui_, result.firstFailure);
        if (!result.stopped)
            ui_.showMessage(MsgKind::Warning, text(msg::kIcwFailedVectors).arg(result.failed).arg(ws_.icwCount));
        s_.finish(Outcome::Failed);
        return;
    }
    s_.finish(Outcome::Done);
}

void MethodCommands::icwContractedVmaCommand(int maxBases)
{
    if (ws_.activeMethod != MethodKind::Icw || ws_.methodIteration < 2 || s_.contractedVmaRun_) {
        s_.finish(Outcome::Refused);
        return;
    }
    s_.contractedVmaRun_ = true;
    s_.commandsChanged();
    const VmaResult result = s_.nadir().walk(maxBases, true);
    switch (result.end) {
    case VmaEnd::Completed: s_.finish(Outcome::Done); break;
    case VmaEnd::Cancelled: s_.finish(Outcome::Cancelled); break;
    case VmaEnd::LimitReached: s_.finish(Outcome::Done); break;
    case VmaEnd::NotStarted:
    case VmaEnd::OutOfMemory:
    case VmaEnd::Halted: s_.finish(Outcome::Failed); break;
    }
}

void MethodCommands::icwExitCommand()
{
    if (ws_.activeMethod == MethodKind::Icw)
        IcwExit(ws_);
    s_.SaiMetodos(true);
    s_.finish(Outcome::Done);
}
