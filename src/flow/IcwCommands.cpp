// The commands of the interval criterion weights method (ICW): its
// iterations with the selection dialog, the contracted vector maximum
// approach and leaving the method.

#include "flow/CancellableSolves.h"
#include "flow/MainFlow.h"
#include "flow/PortProgress.h"

#include "lp/LpSolveAdapter.h"
#include "methods/Icw.h"
#include "methods/Messages.h"
#include "nadir/Vma.h"
#include "workspace/Workspace.h"

#include <algorithm>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

bool MainFlow::icwNeedsTwoObjectives()
{
    if (ws_.numObjectives >= 2)
        return true;
    ui_.showMessage(MsgKind::Information, text(msg::kIcwOneObjective));
    finish(Outcome::Refused);
    return false;
}

void MainFlow::icwFirstIterationCommand()
{
    if (!icwNeedsTwoObjectives())
        return;
    ws_.activeMethod = MethodKind::Icw;
    ws_.viewLastN = std::min(MaxHistory, 2 * ws_.numObjectives + 1);
    ui_.notify(UiEvent::ViewLastNChanged);
    contractedVmaRun_ = false;
    EnterMethodMode();
    ClearLimitations();
    IcwIterationResult result;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *engine_);
        PortProgress progress(ui_);
        result = IcwFirstIteration(ws_, *engine_, progress);
    }
    finishIcwIteration(result);
}

void MainFlow::icwNewIterationCommand()
{
    if (ws_.activeMethod != MethodKind::Icw || ws_.icwCount < 1 || contractedVmaRun_) {
        finish(Outcome::Refused);
        return;
    }
    const IcwSelection selection = IcwSelectionTexts(ws_);
    const std::optional<int> chosen =
        dialogs_.selectIcwSolution(selection.heading, selection.choices, selection.statusTexts);
    if (!chosen) {
        finish(Outcome::Cancelled);
        return;
    }
    if (*chosen < 1 || *chosen > ws_.icwCount) {
        ui_.showMessage(MsgKind::Information, text(msg::kIcwNoSelection));
        finish(Outcome::Refused);
        return;
    }
    IcwIterationResult result;
    {
        BusyCursor busy(ui_);
        const CancellableSolves cancellable(ui_, *engine_);
        PortProgress progress(ui_);
        result = IcwNewIteration(ws_, *engine_, progress, *chosen);
    }
    finishIcwIteration(result);
}

void MainFlow::finishIcwIteration(const IcwIterationResult& result)
{
    report_ = WriteIcwReport(ws_, ws_.methodIteration);
    thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    ui_.notify(UiEvent::BasketValuesChanged);
    ui_.notify(UiEvent::BasketChartChanged);
    if (ws_.numObjectives == 2 || ws_.numObjectives == 3)
        ui_.notify(UiEvent::IcwIterationDrawn);
    commandsChanged();
    if (result.failed > 0) {
        ShowSolveStatus(ui_, result.firstFailure);
        if (!result.stopped)
            ui_.showMessage(MsgKind::Warning, text(msg::kIcwFailedVectors).arg(result.failed).arg(ws_.icwCount));
        finish(Outcome::Failed);
        return;
    }
    finish(Outcome::Done);
}

void MainFlow::icwContractedVmaCommand(int maxBases)
{
    if (ws_.activeMethod != MethodKind::Icw || ws_.methodIteration < 2 || contractedVmaRun_) {
        finish(Outcome::Refused);
        return;
    }
    contractedVmaRun_ = true;
    commandsChanged();
    VmaOptions options;
    options.maxBases = maxBases;
    PortProgress progress(ui_);
    const VmaResult result = RunContractedVma(ws_, *engine_, progress, options);
    if (result.walked)
        ui_.notify(UiEvent::BasketViewsShown);
    ShowNotices(ui_, result.notices);
    switch (result.end) {
    case VmaEnd::Completed: finish(Outcome::Done); break;
    case VmaEnd::Cancelled: finish(Outcome::Cancelled); break;
    case VmaEnd::LimitReached: finish(Outcome::Done); break;
    case VmaEnd::NotStarted:
    case VmaEnd::OutOfMemory:
    case VmaEnd::Halted: finish(Outcome::Failed); break;
    }
}

void MainFlow::icwExitCommand()
{
    if (ws_.activeMethod == MethodKind::Icw)
        IcwExit(ws_);
    SaiMetodos(true);
    finish(Outcome::Done);
}
