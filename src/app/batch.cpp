// quilvane-batch: the command-line companion of Quilvane. It reads a problem
// and runs actions on the same core as the GUI, with the same sequences as
// the main window's commands; the values the GUI asks for in its dialogs
// come from the command line.

#include "lp/LpEngine.h"
#include "lp/LpSolveAdapter.h"
#include "lp/ScalarizingPrograms.h"
#include "problem/MpsFile.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemListing.h"
#include "solutions/Basket.h"
#include "solutions/Computation.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "solutions/Payoff.h"
#include "solutions/ResultsFile.h"
#include "flow/Messages.h"
#include "base/NumberFormat.h"
#include "solutions/Report.h"
#include "base/UiPort.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The window disables its store command while every solution is stored.
const char* const kStoreWithAllSolutions = "store: with --all-solutions every computed solution is already stored";

const char* const kUsage =
    "usage: quilvane-batch [OPTIONS] PROBLEM [ACTION ...]\n"
    "  PROBLEM            a .mlp problem file, or a fixed-column MPS file (.mps)\n"
    "  --mps              read PROBLEM as a fixed-column MPS file whatever its name\n"
    "  --write FILE       write the problem as a .mlp file after reading it\n"
    "  --listing FILE     write the problem's text listing (as the editor's\n"
    "                     \"Save as text ...\") after reading it\n"
    "  --normalize        L2 normalization of the objectives before the pay-off table\n"
    "  --all-solutions    store every computed solution (the automatic-store option)\n"
    "  --import FILE.out  read a results file instead of computing the pay-off table;\n"
    "                     the actions then run on the imported work\n"
    "  --export FILE.out  write the results file after the last action (not after a\n"
    "                     failed one)\n"
    "ACTIONS, run in order; each prints its report (the report pane's text) to standard\n"
    "output, followed by a blank line:\n"
    "  payoff                       the pay-off table; only as the first action, and run\n"
    "                               first automatically when another action needs it\n"
    "  weighted-sum W1,...,Wp       weighted-sum computation (each weight in [0,1],\n"
    "                               not all 0; normalized to sum 1)\n"
    "  refpoint Q1,...,Qp W1,...,Wp reference-point (Tchebycheff) computation\n"
    "                               (weights >= 0, not all 0)\n"
    "  limits L1,...,Lp             impose limitations ('-' = none for that objective);\n"
    "                               'limits clear' removes them all\n"
    "  econstraint K L1,...,Lp      optimize objective K with the others bounded\n"
    "                               ('-' = free; '-' for K itself); afterwards no\n"
    "                               limitation remains in force\n"
    "  store                        store the current solution in the basket\n"
    "  delete RANGE                 delete basket solutions: one index or FROM-TO\n"
    "  basket                       the basket values table (tab-separated) instead of\n"
    "                               a report\n"
    "weighted-sum and refpoint consider the limitations in force.\n"
    "Messages that the GUI shows in a box are written to standard error as \"KIND: text\".\n"
    "Exit status: 0 all actions done; 1 a computation failed (its message was printed,\n"
    "later actions are not run); 2 usage or input error.\n"
    "Not available in this build: vma, nadir, ea-nadir, stem, icw.\n";

QString text(const char* s) { return QString::fromUtf8(s); }

void printLine(std::FILE* stream, const QString& line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

void printMessage(const QString& kind, const QString& message)
{
    // Keep the two streams in order when both go to the same terminal.
    std::fflush(stdout);
    printLine(stderr, kind + QStringLiteral(": ") + message);
    std::fflush(stderr);
}

void printError(const QString& message) { printMessage(QStringLiteral("Error"), message); }

int usageError(const QString& message)
{
    printError(message);
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

int inputError(const QString& message)
{
    printError(message);
    return kExitUsage;
}

QString kindName(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Information: return QStringLiteral("Information");
    case MsgKind::Warning: return QStringLiteral("Warning");
    case MsgKind::Error: return QStringLiteral("Error");
    case MsgKind::Confirmation: return QStringLiteral("Confirmation");
    }
    return QStringLiteral("Information");
}

// The person at the other end is a script: boxes go to standard error,
// questions are answered Yes (the limitations in force are considered), and
// the status bar, progress and redraws have nobody to show them to. The
// batch flows take every value from the command line, so the dialogs are
// never opened; should one be, it is cancelled.
class BatchUiPort : public UiPort {
public:
    void showMessage(MsgKind kind, const QString& message) override { printMessage(kindName(kind), message); }
    Answer ask(const QString&, bool) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseOpenFile(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<QString> chooseSaveFile(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<Color> chooseColor(Color) override { return {}; }
    std::optional<ObjectiveChoice> chooseObjective(const QString&, const QString&, const QStringList&, bool, int,
                                                   int) override
    {
        return {};
    }
    std::optional<QStringList> editWeights(const QString&, const QStringList&, const QStringList&,
                                           const QString&) override
    {
        return {};
    }
    std::optional<QStringList> editReferencePoint(const QStringList&, const QStringList&,
                                                  const std::function<bool(const QStringList&)>&) override
    {
        return {};
    }
    LimitationsAnswer editLimitations(LimitationsEditor&, bool) override { return LimitationsAnswer::Cancel; }
    std::optional<bool> chooseNormalization() override { return {}; }
    void showPayoffTable() override {}
    void setStatusText(int, const QString&) override {}
    void showProgress(int, int) override {}
    void hideProgress() override {}
    void setBusy(bool) override {}
    void processEvents() override {}
    void notify(UiEvent) override {}
};

// ---------------------------------------------------------------------------
// Command line

struct Options {
    QString problemPath;
    QString writePath;
    QString listingPath;
    bool mps = false; // read the problem as fixed-column MPS
    bool normalize = false;
    bool allSolutions = false;
    QString importPath; // a results file read instead of the pay-off table
    QString exportPath; // the results file written after the last action
    QStringList actionWords;
};

enum class ActionKind { Payoff, WeightedSum, RefPoint, Limits, EConstraint, Store, Delete, Basket };

struct ActionSyntax {
    const char* name;
    ActionKind kind;
    int argumentCount;
    const char* arguments; // for the usage message
};

const ActionSyntax kActions[] = {
    {"payoff", ActionKind::Payoff, 0, ""},
    {"weighted-sum", ActionKind::WeightedSum, 1, "W1,...,Wp"},
    {"refpoint", ActionKind::RefPoint, 2, "Q1,...,Qp W1,...,Wp"},
    {"limits", ActionKind::Limits, 1, "L1,...,Lp or 'clear'"},
    {"econstraint", ActionKind::EConstraint, 2, "K L1,...,Lp"},
    {"store", ActionKind::Store, 0, ""},
    {"delete", ActionKind::Delete, 1, "RANGE"},
    {"basket", ActionKind::Basket, 0, ""},
};

// Named in the interface, built with later versions.
const char* const kLaterActions[] = {"vma", "nadir", "ea-nadir", "stem", "icw"};

struct Action {
    const ActionSyntax* syntax = nullptr;
    QStringList arguments;
};

// Returns an error text, empty when the arguments are fine.
QString parseArguments(const QStringList& args, Options& options)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--write")) {
            if (i + 1 >= args.size())
                return QStringLiteral("--write needs a file name");
            options.writePath = args[++i];
        } else if (arg == QLatin1String("--listing")) {
            if (i + 1 >= args.size())
                return QStringLiteral("--listing needs a file name");
            options.listingPath = args[++i];
        } else if (arg == QLatin1String("--mps")) {
            options.mps = true;
        } else if (arg == QLatin1String("--import") || arg == QLatin1String("--export")) {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 needs a file name").arg(arg);
            (arg == QLatin1String("--import") ? options.importPath : options.exportPath) = args[++i];
        } else if (arg == QLatin1String("--normalize")) {
            options.normalize = true;
        } else if (arg == QLatin1String("--all-solutions")) {
            options.allSolutions = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return QStringLiteral("help");
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("the option %1 is not available in this build").arg(arg);
        } else if (options.problemPath.isEmpty()) {
            options.problemPath = arg;
        } else {
            options.actionWords << arg;
        }
    }
    if (options.problemPath.isEmpty())
        return QStringLiteral("no problem file given");
    if (!options.importPath.isEmpty() && options.normalize)
        return QStringLiteral("--normalize cannot be used with --import: the normalization factors come from "
                              "the results file");
    if (options.problemPath.endsWith(QLatin1String(".mps"), Qt::CaseInsensitive))
        options.mps = true;
    return {};
}

const ActionSyntax* findAction(const QString& word)
{
    for (const ActionSyntax& syntax : kActions)
        if (word == QLatin1String(syntax.name))
            return &syntax;
    return nullptr;
}

// Splits the action words into actions with their arguments; an error text
// when a name is unknown or not built yet, or an argument is missing. The
// pay-off table is computed once, before everything else.
QString splitActions(const QStringList& words, std::vector<Action>& actions)
{
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        const ActionSyntax* syntax = findAction(word);
        if (!syntax) {
            for (const char* later : kLaterActions)
                if (word == QLatin1String(later))
                    return QStringLiteral("the action %1 is not available in this build").arg(word);
            return QStringLiteral("unknown action %1").arg(word);
        }
        if (i + syntax->argumentCount >= words.size())
            return QStringLiteral("%1 needs %2").arg(word, QLatin1String(syntax->arguments));
        if (syntax->kind == ActionKind::Payoff && !actions.empty())
            return QStringLiteral("payoff can only be the first action");
        Action action{syntax, words.mid(i + 1, syntax->argumentCount)};
        actions.push_back(action);
        i += syntax->argumentCount;
    }
    return {};
}

// ---------------------------------------------------------------------------
// Values typed on the command line

// A finite real with "." as the decimal separator, as the dialogs read them.
bool toFiniteReal(const QString& typed, Real& value) { return ParseTypedReal(typed, value) && std::isfinite(value); }

// "a, b,c" -> "a", "b", "c".
QStringList commaList(const QString& typed)
{
    QStringList values = typed.split(QLatin1Char(','));
    for (QString& v : values)
        v = v.trimmed();
    return values;
}

// "a,b,c" into exactly p texts; an error text otherwise.
QString splitValues(const QString& action, const QString& typed, int p, QStringList& values)
{
    values = commaList(typed);
    if (values.size() != p)
        return QStringLiteral("%1: %2 values expected, %3 given in '%4'").arg(action).arg(p).arg(values.size()).arg(typed);
    return {};
}

QString notAReal(const QString& action, const QString& typed)
{
    return action + QStringLiteral(": ") + text(msg::kNotAFloat).arg(typed);
}

// p numbers separated by commas.
QString checkNumbers(const QString& action, const QString& typed, int p, QStringList& values)
{
    QString error = splitValues(action, typed, p, values);
    if (!error.isEmpty())
        return error;
    for (const QString& v : values) {
        Real x = 0;
        if (!toFiniteReal(v, x))
            return notAReal(action, v);
    }
    return {};
}

struct Bound {
    bool on = false;
    Real value = 0;
};

// p bounds separated by commas, '-' for none.
QString parseBounds(const QString& action, const QString& typed, int p, std::vector<Bound>& bounds)
{
    QStringList values;
    QString error = splitValues(action, typed, p, values);
    if (!error.isEmpty())
        return error;
    bounds.assign(static_cast<std::size_t>(p) + 1, Bound{});
    for (int k = 1; k <= p; ++k) {
        const QString& v = values[k - 1];
        if (v == QLatin1String("-"))
            continue;
        Bound& b = bounds[static_cast<std::size_t>(k)];
        if (!toFiniteReal(v, b.value))
            return notAReal(action, v);
        b.on = true;
    }
    return {};
}

// The typed values as the dialogs would take them, into `scratch` (a
// workspace with the problem's objective count): false, with the dialog's
// own message shown, when they are refused.
bool dialogsAccept(const Action& action, Workspace& scratch, UiPort& ui)
{
    const QStringList& args = action.arguments;
    switch (action.syntax->kind) {
    case ActionKind::WeightedSum: return AcceptSumWeights(scratch, ui, commaList(args[0]));
    case ActionKind::RefPoint:
        return AcceptReferencePoint(scratch, ui, commaList(args[0]))
               && AcceptTchebWeights(scratch, ui, commaList(args[1]));
    default: return true;
    }
}

QString checkEConstraint(const QString& name, const QStringList& args, int p)
{
    if (p < 2)
        return text(msg::kEConstraintNeedsTwo);
    bool ok = false;
    const int k = args[0].trimmed().toInt(&ok, 10);
    if (!ok || k < 1 || k > p)
        return QStringLiteral("%1: '%2' is not an objective number from 1 to %3").arg(name, args[0]).arg(p);
    std::vector<Bound> bounds;
    const QString error = parseBounds(name, args[1], p, bounds);
    if (!error.isEmpty())
        return error;
    if (bounds[static_cast<std::size_t>(k)].on)
        return QStringLiteral("%1: objective %2 is the one optimized; its bound must be '-'").arg(name).arg(k);
    return {};
}

// Counts and number syntax of the action's values; an error text.
QString checkValues(const Action& action, int p)
{
    const QString name = QLatin1String(action.syntax->name);
    const QStringList& args = action.arguments;
    QStringList values;
    std::vector<Bound> bounds;
    switch (action.syntax->kind) {
    case ActionKind::WeightedSum: return checkNumbers(name, args[0], p, values);
    case ActionKind::RefPoint: {
        const QString error = checkNumbers(name, args[0], p, values);
        return error.isEmpty() ? checkNumbers(name, args[1], p, values) : error;
    }
    case ActionKind::Limits:
        return args[0] == QLatin1String("clear") ? QString() : parseBounds(name, args[0], p, bounds);
    case ActionKind::EConstraint: return checkEConstraint(name, args, p);
    case ActionKind::Delete: {
        int from = 0, to = 0;
        QString bad;
        return ParseDeleteRange(args[0], from, to, bad) ? QString()
                                                         : name + QStringLiteral(": ") + text(msg::kNotAnInteger).arg(bad);
    }
    case ActionKind::Payoff:
    case ActionKind::Store:
    case ActionKind::Basket: return {};
    }
    return {};
}

// Every action's values checked against the problem before anything is
// computed, so that a typing error costs no computation and leaves no
// half-done output behind.
bool checkActions(const std::vector<Action>& actions, int p, bool allSolutions, UiPort& ui)
{
    auto scratch = std::make_unique<Workspace>();
    scratch->numObjectives = p;
    for (const Action& action : actions) {
        QString error = checkValues(action, p);
        if (action.syntax->kind == ActionKind::Store && allSolutions)
            error = text(kStoreWithAllSolutions);
        if (!error.isEmpty()) {
            printError(error);
            return false;
        }
        if (!dialogsAccept(action, *scratch, ui))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// The actions

class BatchRunner {
public:
    BatchRunner(Workspace& ws, LpEngine& engine, UiPort& ui, const Options& options)
        : ws_(ws), engine_(engine), ui_(ui), options_(options)
    {
    }

    int importResults(const QString& path);
    int exportResults(const QString& path);

    int run(const Action& action)
    {
        if (action.syntax->kind != ActionKind::Payoff && !ws_.payoffComputed) {
            const int status = payoff();
            if (status != kExitOk)
                return status;
        }
        const QStringList& args = action.arguments;
        switch (action.syntax->kind) {
        case ActionKind::Payoff: return payoff();
        case ActionKind::WeightedSum: return weightedSum(args[0]);
        case ActionKind::RefPoint: return referencePoint(args[0], args[1]);
        case ActionKind::Limits: return limits(args[0]);
        case ActionKind::EConstraint: return eConstraint(args[0].trimmed().toInt(), args[1]);
        case ActionKind::Store: return store();
        case ActionKind::Delete: return deleteRange(args[0]);
        case ActionKind::Basket: return basket();
        }
        return kExitUsage;
    }

private:
    int payoff();
    int weightedSum(const QString& weights);
    int referencePoint(const QString& point, const QString& weights);
    int limits(const QString& values);
    int eConstraint(int optimized, const QString& values);
    int store();
    int deleteRange(const QString& range);
    int basket();

    int computeFromWeights();
    void enterSolutionPhase();
    void askConsiderLimitations();
    void setBounds(const std::vector<Bound>& bounds);
    void printReport(int mode);
    void printBlock(const QString& block);

    Workspace& ws_;
    LpEngine& engine_;
    UiPort& ui_;
    const Options& options_;
};

void BatchRunner::printBlock(const QString& block)
{
    printLine(stdout, block);
    printLine(stdout, QString());
    std::fflush(stdout);
}

void BatchRunner::printReport(int mode) { printBlock(WriteReport(ws_, mode).toPlainText()); }

// What the main window does on entering its solutions phase that matters
// to the later actions: the report shows every pay-off solution, and with
// two objectives the pay-off solutions are the nadir solutions.
void BatchRunner::enterSolutionPhase()
{
    ws_.viewLastN = std::clamp(ws_.historyCount, 1, MaxHistory);
    if (ws_.numObjectives == 2) {
        ws_.nadirSource[1] = 2;
        ws_.nadirSource[2] = 1;
    }
}

int BatchRunner::payoff()
{
    ApplyNormalization(ws_, options_.normalize);
    const SolveStatus status = ComputePayoff(ws_, engine_, ui_);
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        return kExitFailed;
    }
    enterSolutionPhase();
    printReport(kReportRefresh);
    return kExitOk;
}

// The results file instead of the pay-off table; the report then shows the
// imported work, as the window's solutions phase does after an import.
int BatchRunner::importResults(const QString& path)
{
    const ResultsFileResult read = ImportResults(ws_, path);
    if (!read.ok)
        return inputError(read.message);
    enterSolutionPhase();
    printReport(kReportRefresh);
    return kExitOk;
}

// The file stands on a pay-off table: without an action that needed one,
// it is computed first.
int BatchRunner::exportResults(const QString& path)
{
    if (!ws_.payoffComputed) {
        const int status = payoff();
        if (status != kExitOk)
            return status;
    }
    const ResultsFileResult written = ExportResults(ws_, path);
    if (!written.ok)
        return inputError(written.message);
    return kExitOk;
}

void BatchRunner::askConsiderLimitations()
{
    if (ws_.limitsActive && ui_.ask(text(msg::kConsiderLimitations)) == Answer::No)
        ClearLimitationValues(ws_);
}

int BatchRunner::computeFromWeights()
{
    int index = 0;
    const SolveStatus status = ComputeFromWeights(ws_, engine_, ui_, true, index);
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        return kExitFailed;
    }
    printReport(kReportWeightedSum);
    return kExitOk;
}

int BatchRunner::weightedSum(const QString& weights)
{
    askConsiderLimitations();
    if (!AcceptSumWeights(ws_, ui_, commaList(weights)))
        return kExitUsage;
    return computeFromWeights();
}

int BatchRunner::referencePoint(const QString& point, const QString& weights)
{
    askConsiderLimitations();
    if (!AcceptReferencePoint(ws_, ui_, commaList(point))
        || !AcceptTchebWeights(ws_, ui_, commaList(weights)))
        return kExitUsage;
    const SolveStatus status = ComputeReferencePoint(ws_, engine_, ui_);
    if (status != SolveStatus::Optimal) {
        ShowSolveStatus(ui_, status);
        return kExitFailed;
    }
    printReport(kReportReferencePoint);
    return kExitOk;
}

void BatchRunner::setBounds(const std::vector<Bound>& bounds)
{
    for (int k = 1; k <= ws_.numObjectives; ++k) {
        ws_.limitOn[k] = bounds[static_cast<std::size_t>(k)].on;
        ws_.limitValue[k] = bounds[static_cast<std::size_t>(k)].value;
    }
    NormalizeLimitations(ws_);
}

int BatchRunner::limits(const QString& values)
{
    if (values == QLatin1String("clear")) {
        ClearLimitationValues(ws_);
    } else {
        std::vector<Bound> bounds;
        parseBounds(QStringLiteral("limits"), values, ws_.numObjectives, bounds);
        setBounds(bounds);
    }
    printReport(kReportRefresh);
    return kExitOk;
}

int BatchRunner::eConstraint(int optimized, const QString& values)
{
    std::vector<Bound> bounds;
    parseBounds(QStringLiteral("econstraint"), values, ws_.numObjectives, bounds);
    setBounds(bounds);
    for (int k = 1; k <= ws_.numObjectives; ++k)
        ws_.sumWeights[k] = kEConstraintSmallWeight;
    ws_.sumWeights[optimized] = 1;
    const int status = computeFromWeights();
    // The bounds served this one computation.
    ClearLimitationValues(ws_);
    return status;
}

int BatchRunner::store()
{
    if (ws_.guardaTodasSols)
        return inputError(text(kStoreWithAllSolutions));
    const StoreResult stored =
        StoreSolution(ws_, ui_, false, ws_.currentBasis, ws_.currentF, true, ws_.lastColor, ws_.currentXS);
    if (stored.failed)
        return kExitFailed;
    if (!ws_.history.empty() && stored.index > 0) {
        ComputedSolution& newest = ws_.history.front();
        newest.basketIndex = stored.index;
        newest.cor = ws_.basket[stored.index].cor;
    }
    printReport(kReportRefresh);
    return kExitOk;
}

int BatchRunner::deleteRange(const QString& range)
{
    int from = 0, to = 0;
    QString bad;
    ParseDeleteRange(range, from, to, bad);
    const DeleteOutcome out = DeleteSolutionRange(ws_, from, to);
    printReport(kReportRefresh);
    if (out.keptForRegion)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteRegion));
    else if (out.keptOptimum)
        ui_.showMessage(MsgKind::Information, text(msg::kCannotDeleteOptima));
    return kExitOk;
}

// The values window as text: a header row of names, then "[index]" and the
// objective values, decision variables and slacks of every solution.
int BatchRunner::basket()
{
    const int p = ws_.numObjectives;
    const int n = ws_.numVariables;
    const int m = ws_.numConstraints;
    QStringList header{QString()};
    for (int k = 1; k <= p; ++k)
        header << ws_.objName[k];
    for (int j = 1; j <= n; ++j)
        header << ws_.vars[j].name;
    for (int i = 1; i <= m; ++i)
        header << ws_.slackName[i];
    QStringList rows{header.join(QLatin1Char('\t'))};
    for (int s = 1; s <= ws_.basketCount; ++s) {
        const SolSolutionBasket& sol = ws_.basket[static_cast<std::size_t>(s)];
        QStringList row{QStringLiteral("[%1]").arg(s)};
        for (int k = 1; k <= p; ++k)
            row << NumText(sol.f[k]);
        for (int j = 1; j <= n + m; ++j)
            row << NumText(sol.x_s[j]);
        rows << row.join(QLatin1Char('\t'));
    }
    printBlock(rows.join(QLatin1Char('\n')));
    return kExitOk;
}

// Reads the problem into the workspace; an exit status on failure.
int readProblem(Workspace& ws, const QString& path)
{
    if (!ProblemFileExists(path))
        return inputError(text(msg::kFileNotFound));
    ProblemData problem = ws;
    const ProblemReadResult read = ReadProblemFile(path, problem);
    if (read.status == ProblemReadStatus::TooBig)
        return inputError(text(msg::kTooBig));
    if (read.status != ProblemReadStatus::Ok)
        return inputError(read.message);
    static_cast<ProblemData&>(ws) = problem;
    ws.fileName = path;
    ResetComputedState(ws);
    return kExitOk;
}

// Reads a fixed-column MPS file into the workspace, with the messages of the
// main window's Open MPS; an exit status on failure.
int readMpsProblem(Workspace& ws, const QString& path)
{
    if (!ProblemFileExists(path))
        return inputError(text(msg::kFileNotFound));
    auto problem = std::make_unique<ProblemData>(static_cast<const ProblemData&>(ws));
    ResetProblemData(*problem);
    const MpsReadResult read = ReadMpsFile(path, *problem);
    if (!read.message.isEmpty())
        return inputError(read.message);
    if (!read.fits)
        printError(text(msg::kTooBig));
    if (!read.converted)
        printError(text(msg::kConversionError));
    if (!read.accepted())
        return kExitUsage;
    static_cast<ProblemData&>(ws) = std::move(*problem);
    ws.fileName = path;
    ResetComputedState(ws);
    return kExitOk;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    QString error = parseArguments(app.arguments(), options);
    if (error == QLatin1String("help")) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    std::vector<Action> actions;
    if (error.isEmpty())
        error = splitActions(options.actionWords, actions);
    if (error.isEmpty() && !options.importPath.isEmpty() && !actions.empty()
        && actions.front().syntax->kind == ActionKind::Payoff)
        error = QStringLiteral("payoff cannot be used with --import: the results file holds the pay-off table");
    if (!error.isEmpty())
        return usageError(error);

    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    int status = options.mps ? readMpsProblem(*ws, options.problemPath) : readProblem(*ws, options.problemPath);
    if (status != kExitOk)
        return status;
    ws->guardaTodasSols = options.allSolutions;

    if (!options.writePath.isEmpty()) {
        const ProblemWriteResult written = WriteProblemFile(options.writePath, *ws);
        if (!written.ok)
            return inputError(written.message);
    }
    if (!options.listingPath.isEmpty()) {
        const ProblemWriteResult written = WriteProblemText(options.listingPath, *ws);
        if (!written.ok)
            return inputError(written.message);
    }
    BatchUiPort ui;
    if (!checkActions(actions, ws->numObjectives, options.allSolutions, ui))
        return kExitUsage;
    auto engine = std::make_unique<LpEngine>();
    BatchRunner runner(*ws, *engine, ui, options);
    if (!options.importPath.isEmpty())
        status = runner.importResults(options.importPath);
    for (std::size_t i = 0; status == kExitOk && i < actions.size(); ++i)
        status = runner.run(actions[i]);
    if (status == kExitOk && !options.exportPath.isEmpty())
        status = runner.exportResults(options.exportPath);
    return status;
}
