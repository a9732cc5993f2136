#include "app/batch/BatchSession.h"

#include "app/batch/BatchOutput.h"
#include "base/Messages.h"
#include "solutions/BasketTable.h"
#include "solutions/Messages.h"
#include "solutions/Payoff.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace batch {

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

int statusOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done: return kExitOk;
    case Outcome::Failed: return kExitFailed;
    case Outcome::Cancelled:
    case Outcome::Refused: return kExitUsage;
    }
    return kExitUsage;
}

} // namespace

BatchSession::BatchSession(Workspace& ws, const Options& options) : ws_(ws), options_(options), flow_(ws, ui_, ui_)
{
    flow_.startUp(QDir::currentPath());
    // The results are on the output: nothing to ask before discarding them.
    flow_.setConfirmDiscard(false);
    flow_.setSolveTimeLimit(options.timeLimitSeconds);
}

int BatchSession::objectives() const { return ws_.numObjectives; }

int BatchSession::openProblem()
{
    const QString& path = options_.problemPath;
    if (!QFileInfo::exists(path)) {
        printError(text(msg::kFileNotFound) + QStringLiteral(": ") + path);
        return kExitUsage;
    }
    if (options_.mps)
        flow_.file().openMpsFile(path, options_.mpsFormat);
    else if (options_.vlp)
        flow_.file().openVlpFile(path);
    else
        flow_.file().openProblemFile(path);
    if (flow_.lastOutcome() != Outcome::Done)
        return statusOf(flow_.lastOutcome());
    flow_.basket().setStoreAllSolutions(options_.allSolutions);
    return kExitOk;
}

int BatchSession::finishCommand()
{
    json_.collectSolutions(ws_);
    const int status = statusOf(flow_.lastOutcome());
    if (status == kExitOk)
        showBlock(flow_.report().toPlainText());
    return status;
}

void BatchSession::showBlock(const QString& block)
{
    if (options_.json)
        json_.addReport(block);
    else
        printBlock(block);
}

int BatchSession::recorded(const QString& name, const QStringList& arguments, const std::function<int()>& body)
{
    json_.beginAction(name, arguments);
    const int status = body();
    json_.collectSolutions(ws_);
    json_.endAction(ws_, status);
    return status;
}

int BatchSession::payoff()
{
    ui_.normalize = options_.normalize;
    ui_.payoffShown = false;
    flow_.compute().computePayoffCommand();
    const int status = finishCommand();
    if (status == kExitOk && ui_.payoffShown) {
        QStringList rows;
        for (const QStringList& row : PayoffGrid(ws_))
            rows << row.join(QLatin1Char('\t'));
        showBlock(rows.join(QLatin1Char('\n')));
    }
    return status;
}

int BatchSession::importResults(const QString& path)
{
    // The window's import says nothing when the file cannot be opened (its
    // file dialog chose an existing file); a script needs the reason. Only
    // the file's entry is looked at: opening a FIFO could wait forever.
    const QFileInfo info(path);
    if (!info.exists() || !info.isReadable()) {
        const QString reason = info.exists() ? QStringLiteral("Permission denied")
                                             : QStringLiteral("No such file or directory");
        printError(text(msg::kResultsCannotOpen).arg(path, reason));
        return kExitUsage;
    }
    ui_.openFile = path;
    return recorded(QStringLiteral("import"), {path}, [this] {
        flow_.file().importResultsCommand();
        return finishCommand();
    });
}

int BatchSession::exportResults(const QString& path)
{
    if (!ws_.payoffComputed) {
        const int status = recorded(QStringLiteral("payoff"), {}, [this] { return payoff(); });
        if (status != kExitOk)
            return status;
    }
    ui_.saveFile = path;
    flow_.file().exportResultsCommand();
    return statusOf(flow_.lastOutcome());
}

void BatchSession::prepareBounds(const QString& values)
{
    const QStringList typed = commaList(values);
    ui_.limitations = [this, typed](LimitationsEditor& editor) {
        const std::vector<int>& tabs = editor.tabs();
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            const TabSwitchResult switched = editor.switchToTab(static_cast<int>(i));
            ShowNotices(ui_, switched.notices);
            if (!switched.switched)
                return LimitationsAnswer::Cancel;
            const QString& value = typed[tabs[i] - 1];
            if (value == QLatin1String("-"))
                editor.setChecked(false);
            else
                editor.typeValue(value);
        }
        return LimitationsAnswer::Accept;
    };
}

int BatchSession::limits(const QString& values)
{
    if (values == QLatin1String("clear"))
        ui_.limitations = [](LimitationsEditor&) { return LimitationsAnswer::ClearAll; };
    else
        prepareBounds(values);
    flow_.compute().limitationsCommand();
    return finishCommand();
}

int BatchSession::eConstraint(const QStringList& args)
{
    ui_.objective = args[0].trimmed().toInt() - 1;
    prepareBounds(args[1]);
    flow_.compute().eConstraintCommand();
    return finishCommand();
}

// The values window as text: a header row of names, then "[index]" and the
// objective values, decision variables and slacks of every solution.
int BatchSession::basket()
{
    QStringList rows;
    for (const QStringList& row : MakeBasketTable(ws_).cells)
        rows << row.join(QLatin1Char('\t'));
    showBlock(rows.join(QLatin1Char('\n')));
    return kExitOk;
}

int BatchSession::stem(const QStringList& vectors)
{
    flow_.methods().stemFirstIterationCommand();
    int status = finishCommand();
    for (int v = 0; status == kExitOk && v < vectors.size(); ++v) {
        ui_.grids = {relaxationAmounts(vectors[v])};
        flow_.methods().stemNewIterationCommand();
        status = finishCommand();
    }
    // A failed iteration has left the method already.
    if (ws_.activeMethod == MethodKind::Stem)
        flow_.SaiMetodos(true);
    return status;
}

int BatchSession::race(const Action& action)
{
    const QStringList& args = action.arguments;
    ui_.grids = {commaList(args[0])};
    RaceRangeTexts ranges;
    raceRanges(args[1], ranges.lower, ranges.upper);
    ui_.ranges = ranges;
    flow_.methods().raceStartCommand();
    int status = finishCommand();
    if (status == kExitOk)
        flow_.methods().raceSpeed(raceSpeed(action));
    const int steps = args[2].trimmed().toInt();
    for (int s = 0; status == kExitOk && s < steps; ++s) {
        flow_.methods().raceGoCommand();
        // GO asked for a new direction and nobody answers: the road ends.
        if (flow_.lastOutcome() == Outcome::Cancelled) {
            printMessage(QStringLiteral("Information"),
                         QStringLiteral("race: nothing limits the motion after %1 steps; the race ends").arg(s));
            break;
        }
        status = finishCommand();
    }
    if (ws_.activeMethod == MethodKind::ParetoRace)
        flow_.SaiMetodos(true);
    return status;
}

int BatchSession::icw(const QStringList& choices)
{
    flow_.methods().icwFirstIterationCommand();
    int status = finishCommand();
    for (int c = 0; status == kExitOk && c < choices.size(); ++c) {
        ui_.icwChoice = icwChoice(choices[c], objectives());
        flow_.methods().icwNewIterationCommand();
        status = finishCommand();
    }
    return status;
}

int BatchSession::run(const Action& action)
{
    // ICW stays active for the contracted VMA and the pictures; any other
    // action leaves it first.
    if (ws_.activeMethod == MethodKind::Icw && action.kind() != ActionKind::ContractedVma)
        flow_.methods().icwExitCommand();
    if (action.kind() != ActionKind::Payoff && !ws_.payoffComputed) {
        const int status = recorded(QStringLiteral("payoff"), {}, [this] { return payoff(); });
        if (status != kExitOk)
            return status;
    }
    return recorded(QLatin1String(action.syntax->name), action.arguments, [this, &action] { return runAction(action); });
}

int BatchSession::runAction(const Action& action)
{
    const QStringList& args = action.arguments;
    switch (action.kind()) {
    case ActionKind::Payoff: return payoff();
    case ActionKind::WeightedSum:
        ui_.grids = {commaList(args[0])};
        flow_.compute().weightedSumCommand();
        return finishCommand();
    case ActionKind::RefPoint:
        ui_.grids = {commaList(args[0]), commaList(args[1])};
        flow_.compute().referencePointCommand();
        return finishCommand();
    case ActionKind::Limits: return limits(args[0]);
    case ActionKind::EConstraint: return eConstraint(args);
    case ActionKind::Store:
        flow_.basket().storeCurrentSolution();
        return finishCommand();
    case ActionKind::Delete:
        ui_.input = args[0];
        flow_.basket().deleteSolutions();
        return finishCommand();
    case ActionKind::Vma:
        flow_.nadir().vmaCommand(vmaMaxBases(action));
        return finishCommand();
    case ActionKind::Basket: return basket();
    case ActionKind::Nadir: return nadir(action);
    case ActionKind::EaNadir: return eaNadir(action);
    case ActionKind::WorstFeasible:
        flow_.nadir().worstFeasibleCommand();
        return finishCommand();
    case ActionKind::Stem: return stem(args);
    case ActionKind::Race: return race(action);
    case ActionKind::Icw: return icw(args);
    case ActionKind::ContractedVma:
        flow_.methods().icwContractedVmaCommand(vmaMaxBases(action));
        return finishCommand();
    }
    return kExitUsage;
}

} // namespace batch
