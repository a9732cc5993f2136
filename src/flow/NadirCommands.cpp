#include "flow/MainFlow.h"
#include "flow/PortProgress.h"

#include "base/Messages.h"
#include "nadir/EaNadir.h"
#include "nadir/ExactNadir.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
#include "workspace/Workspace.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

} // namespace

void MainFlow::nadirCommand(int method)
{
    const int p = ws_.numObjectives;
    const QString title = text(msg::kNadirPromptTitle).arg(text(method == 1 ? msg::kNadirMethod1 : msg::kNadirMethod2));
    const std::optional<QString> typed = ui_.inputText(title, text(msg::kNadirPrompt), QString());
    if (!typed) {
        finish(Outcome::Cancelled);
        return;
    }
    bool isNumber = false;
    const int k = typed->trimmed().toInt(&isNumber, 10);
    if (!isNumber || k < 1 || k > p) {
        finish(Outcome::Refused);
        return;
    }
    if (ws_.askNadirTolerance) {
        const std::optional<QString> tolerance =
            ui_.inputText(text(msg::kToleranceTitle), text(msg::kTolerancePrompt), text(msg::kToleranceDefault));
        if (!tolerance) {
            finish(Outcome::Cancelled);
            return;
        }
        Real pct = 0;
        if (!ParseTypedReal(*tolerance, pct) || !std::isfinite(static_cast<double>(pct))) {
            ui_.showMessage(MsgKind::Error, text(msg::kInvalidNumber));
            finish(Outcome::Refused);
            return;
        }
        ws_.nadirErrorPct = pct;
    }
    if (ws_.nadirSource[k] >= 1) {
        ui_.showMessage(MsgKind::Information, text(msg::kNadirAlreadyKnown)
                                                  .arg(k)
                                                  .arg(FixedText(ws_.nadirPoint[k]))
                                                  .arg(ws_.nadirSource[k]));
        finish(Outcome::Done);
        return;
    }
    const bool limited = ws_.limitsActive;
    // The progress box with its Cancel button stands for the busy cursor.
    PortProgress progress(ui_);
    const ExactNadirResult result = ExactNadir(ws_, *engine_, progress, method == 1 ? k : -k, report_);
    ShowNotices(ui_, result.notices);
    if (limited)
        ClearLimitations();
    thickBars_ = result.computed >= 1;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    if (result.computed >= 1) {
        ui_.notify(UiEvent::BasketValuesChanged);
        ui_.notify(UiEvent::BasketChartChanged);
    }
    switch (result.end) {
    case NadirEnd::Found: finish(Outcome::Done); break;
    case NadirEnd::Cancelled: finish(Outcome::Cancelled); break;
    case NadirEnd::Failed:
    case NadirEnd::NotStarted: finish(Outcome::Failed); break;
    }
}

namespace {

Outcome outcomeOf(const EaRunResult& result)
{
    switch (result.end) {
    case EaEnd::Completed: return Outcome::Done;
    case EaEnd::Cancelled: return Outcome::Cancelled;
    case EaEnd::Failed: return Outcome::Failed;
    case EaEnd::NotStarted: return Outcome::Cancelled;
    }
    return Outcome::Failed;
}

} // namespace

bool MainFlow::askEaParameters(EaParameters& parameters)
{
    const std::optional<EaParameterTexts> typed = dialogs_.editEaParameters(EaDefaultTexts(ws_.numObjectives));
    if (!typed) {
        finish(Outcome::Cancelled);
        return false;
    }
    const EaParametersResult accepted = AcceptEaParameters(*typed, ws_.numObjectives);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        finish(Outcome::Refused);
        return false;
    }
    parameters = accepted.parameters;
    return true;
}

void MainFlow::eaNadirCommand()
{
    EaParameters parameters;
    if (!askEaParameters(parameters))
        return;
    const bool limited = ws_.limitsActive;
    EaOptions options;
    options.traceDirectory = ws_.startDir;
    PortProgress progress(ui_);
    const EaRunResult result = EaEstimateNadir(ws_, *engine_, progress, parameters, report_, options);
    ShowNotices(ui_, result.notices);
    if (limited)
        ClearLimitations();
    thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    finish(outcomeOf(result));
}

void MainFlow::eaRunsCommand()
{
    EaParameters parameters;
    if (!askEaParameters(parameters))
        return;
    const std::optional<QString> runsText =
        ui_.inputText(text(msg::kEaRunsTitle), text(msg::kEaRunsPrompt), text(msg::kEaRunsDefault));
    if (!runsText) {
        finish(Outcome::Cancelled);
        return;
    }
    bool isNumber = false;
    const int runs = runsText->trimmed().toInt(&isNumber, 10);
    if (!isNumber) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(*runsText));
        finish(Outcome::Refused);
        return;
    }
    if (runs < 1) {
        finish(Outcome::Refused);
        return;
    }
    const bool limited = ws_.limitsActive;
    EaOptions options;
    options.traceDirectory = ws_.startDir;
    // The runs start from the pay-off solutions: the rest of the basket goes, once the person agrees.
    const int discarded = EaRunsDiscardCount(ws_);
    EaRunResult result;
    if (discarded <= 0 || ui_.ask(text(msg::kEaRunsDiscard).arg(discarded)) == Answer::Yes) {
        PortProgress progress(ui_);
        result = EaMultipleRuns(ws_, *engine_, progress, parameters, runs, report_, options);
        ShowNotices(ui_, result.notices);
    }
    if (limited && !ws_.limitsActive)
        ClearLimitations();
    thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    finish(outcomeOf(result));
}

void MainFlow::worstFeasibleCommand()
{
    const bool limited = ws_.limitsActive;
    {
        BusyCursor busy(ui_);
        ShowNotices(ui_, WorstFeasibleValues(ws_, *engine_, report_));
    }
    if (limited)
        ClearLimitations();
    thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    finish(Outcome::Done);
}
