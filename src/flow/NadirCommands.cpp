#include "flow/NadirCommands.h"

#include "flow/CancellableSolves.h"
#include "flow/Messages.h"
#include "flow/PortProgress.h"
#include "flow/ProblemEditor.h"
#include "flow/Session.h"
#include "flow/WindowCommands.h"
#include "base/Messages.h"
#include "base/NumberFormat.h"
#include "base/SaveFlow.h"
#include "base/TextFileFormat.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"
#include "nadir/EaNadir.h"
#include "nadir/ExactNadir.h"
#include "nadir/NadirFormat.h"
#include "nadir/NadirMessages.h"
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
#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

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

NadirCommands::NadirCommands(Session& session)
    : s_(session), ws_(session.ws_), ui_(session.ui_), dialogs_(session.dialogs_)
{
}

VmaResult NadirCommands::walk(int maxBases, bool contracted)
{
    VmaOptions options;
    options.maxBases = maxBases;
    PortProgress progress(ui_);
    const VmaResult result = contracted ? RunContractedVma(ws_, *s_.engine(), progress, options)
                                        : RunVma(ws_, *s_.engine(), progress, options);
    if (result.walked)
        ui_.notify(UiEvent::BasketViewsShown);
    ShowNotices(ui_, result.notices);
    return result;
}

bool NadirCommands::confirmVma()
{
    ui_.setStatusText(0, QString());
    const bool limited = ws_.limitsActive;
    if (ui_.ask(text(limited ? msg::kVmaQuestionWithLimits : msg::kVmaQuestion)) != Answer::Yes)
        return false;
    if (limited)
        s_.ClearLimitations();
    return true;
}

void NadirCommands::vmaCommand(int maxBases)
{
    if (!confirmVma()) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    const VmaResult result = walk(maxBases, false);
    if (result.walked) {
        // What the last stored solution said no longer applies to the basket.
        ui_.setStatusText(0, QString());
        s_.writeReport(ReportMode::Refresh);
    }
    s_.finish(result.end == VmaEnd::NotStarted ? Outcome::Failed : Outcome::Done);
}

void NadirCommands::nadirCommand(NadirMethod method)
{
    const int p = ws_.numObjectives;
    const QString title = text(msg::kNadirPromptTitle).arg(text(method == NadirMethod::One ? msg::kNadirMethod1 : msg::kNadirMethod2));
    const std::optional<QString> typed = ui_.inputText(title, text(msg::kNadirPrompt), QString());
    if (!typed) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    bool isNumber = false;
    const int k = typed->trimmed().toInt(&isNumber, 10);
    if (!isNumber || k < 1 || k > p) {
        s_.finish(Outcome::Refused);
        return;
    }
    if (ws_.askNadirTolerance) {
        const std::optional<QString> tolerance =
            ui_.inputText(text(msg::kToleranceTitle), text(msg::kTolerancePrompt), text(msg::kToleranceDefault));
        if (!tolerance) {
            s_.finish(Outcome::Cancelled);
            return;
        }
        Real pct = 0;
        if (!ParseTypedReal(*tolerance, pct) || !std::isfinite(static_cast<double>(pct))) {
            ui_.showMessage(MsgKind::Error, text(msg::kInvalidNumber));
            s_.finish(Outcome::Refused);
            return;
        }
        ws_.nadirErrorPct = pct;
    }
    if (ws_.nadirSource[k] >= 1) {
        ui_.showMessage(MsgKind::Information, text(msg::kNadirAlreadyKnown)
                                                  .arg(k)
                                                  .arg(FixedText(ws_.nadirPoint[k]))
                                                  .arg(ws_.nadirSource[k]));
        s_.finish(Outcome::Done);
        return;
    }
    const bool limited = ws_.limitsActive;
    // The progress box with its Cancel button stands for the busy cursor.
    PortProgress progress(ui_);
    const ExactNadirResult result = ExactNadir(ws_, *s_.engine(), progress, method == NadirMethod::One ? k : -k, s_.report_);
    ShowNotices(ui_, result.notices);
    if (limited)
        s_.ClearLimitations();
    s_.thickBars_ = result.computed >= 1;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    if (result.computed >= 1) {
        ui_.notify(UiEvent::BasketValuesChanged);
        ui_.notify(UiEvent::BasketChartChanged);
    }
    switch (result.end) {
    case NadirEnd::Found: s_.finish(Outcome::Done); break;
    case NadirEnd::Cancelled: s_.finish(Outcome::Cancelled); break;
    case NadirEnd::Failed:
    case NadirEnd::NotStarted: s_.finish(Outcome::Failed); break;
    }
}

bool NadirCommands::askEaParameters(EaParameters& parameters)
{
    const bool keep = lastEaTexts_ && lastEaObjectives_ == ws_.numObjectives;
    const std::optional<EaParameterTexts> typed =
        dialogs_.editEaParameters(keep ? *lastEaTexts_ : EaDefaultTexts(ws_.numObjectives));
    if (!typed) {
        s_.finish(Outcome::Cancelled);
        return false;
    }
    const EaParametersResult accepted = AcceptEaParameters(*typed, ws_.numObjectives);
    ShowNotices(ui_, accepted.notices);
    if (!accepted.accepted) {
        s_.finish(Outcome::Refused);
        return false;
    }
    parameters = accepted.parameters;
    lastEaTexts_ = *typed;
    lastEaObjectives_ = ws_.numObjectives;
    return true;
}

void NadirCommands::eaNadirCommand()
{
    EaParameters parameters;
    if (!askEaParameters(parameters))
        return;
    const bool limited = ws_.limitsActive;
    EaOptions options;
    options.traceDirectory = ws_.startDir;
    PortProgress progress(ui_);
    const EaRunResult result = EaEstimateNadir(ws_, *s_.engine(), progress, parameters, s_.report_, options);
    ShowNotices(ui_, result.notices);
    if (limited)
        s_.ClearLimitations();
    // The texts of the solutions stored on the way no longer apply.
    ui_.setStatusText(0, QString());
    if (result.end == EaEnd::Completed) {
        s_.thickBars_ = false;
        ui_.notify(UiEvent::ReportChanged);
        ui_.notify(UiEvent::BarsChanged);
    } else {
        s_.writeReport(ReportMode::Refresh);
    }
    s_.finish(outcomeOf(result));
}

void NadirCommands::eaRunsCommand()
{
    EaParameters parameters;
    if (!askEaParameters(parameters))
        return;
    const std::optional<QString> runsText =
        ui_.inputText(text(msg::kEaRunsTitle), text(msg::kEaRunsPrompt), text(msg::kEaRunsDefault));
    if (!runsText) {
        s_.finish(Outcome::Cancelled);
        return;
    }
    bool isNumber = false;
    const int runs = runsText->trimmed().toInt(&isNumber, 10);
    if (!isNumber) {
        ui_.showMessage(MsgKind::Error, text(msg::kNotAnInteger).arg(*runsText));
        s_.finish(Outcome::Refused);
        return;
    }
    if (runs < 1) {
        s_.finish(Outcome::Refused);
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
        result = EaMultipleRuns(ws_, *s_.engine(), progress, parameters, runs, s_.report_, options);
        ShowNotices(ui_, result.notices);
    }
    if (limited && !ws_.limitsActive)
        s_.ClearLimitations();
    ui_.setStatusText(0, QString());
    s_.thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    s_.finish(outcomeOf(result));
}

void NadirCommands::worstFeasibleCommand()
{
    const bool limited = ws_.limitsActive;
    {
        BusyCursor busy(ui_);
        ShowNotices(ui_, WorstFeasibleValues(ws_, *s_.engine(), s_.report_));
    }
    if (limited)
        s_.ClearLimitations();
    s_.thickBars_ = false;
    ui_.notify(UiEvent::ReportChanged);
    ui_.notify(UiEvent::BarsChanged);
    s_.finish(Outcome::Done);
}
