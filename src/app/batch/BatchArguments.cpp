#include "app/batch/BatchArguments.h"

#include "app/batch/BatchNadirActions.h"
#include "app/batch/BatchOutput.h"
#include "base/Messages.h"
#include "base/UiPort.h"
#include "methods/ParetoRace.h"
#include "methods/Messages.h"
#include "methods/Stem.h"
#include "nadir/Vma.h"
#include "solutions/Basket.h"
#include "solutions/Limitations.h"
#include "solutions/Messages.h"
#include "workspace/Workspace.h"

#include <cmath>
#include <memory>

namespace batch {

const char* const kStoreWithAllSolutions = "store: with --all-solutions every computed solution is already stored";

const char* const kUsage =
    "usage: quilvane-batch [OPTIONS] PROBLEM [ACTION ...]\n"
    "  PROBLEM            a .mlp problem file, an MPS file (.mps, fixed-column or\n"
    "                     free format, as the file shows) or a vector linear\n"
    "                     program (.vlp)\n"
    "  --mps              read PROBLEM as an MPS file whatever its name\n"
    "  --free-mps         read PROBLEM as a free-format MPS file\n"
    "  --fixed-mps        read PROBLEM as a fixed-column MPS file\n"
    "  --vlp              read PROBLEM as a .vlp file whatever its name\n"
    "  --write FILE       write the problem as a .mlp file after reading it\n"
    "  --write-vlp FILE   write the problem as a .vlp file after reading it\n"
    "  --listing FILE     write the problem's text listing (as the editor's\n"
    "                     \"Save as text ...\") after reading it\n"
    "  --normalize        L2 normalization of the objectives before the pay-off table\n"
    "  --all-solutions    store every computed solution (the automatic-store option)\n"
    "  --import FILE.out  read a results file instead of computing the pay-off table;\n"
    "                     the actions then run on the imported work\n"
    "  --export FILE.out  write the results file after the last action (not after a\n"
    "                     failed one)\n"
    "  --weight-space F   write the weight space picture after the last action: PNG\n"
    "                     when F ends in .png, else a Windows bitmap (two or three\n"
    "                     objectives)\n"
    "  --time-limit S     stop any single solve after S seconds (default 60; 0 for no\n"
    "                     limit); a stopped solve is a failed computation\n"
    "  --json             write one JSON document on standard output instead of the\n"
    "                     reports: the problem, each action's outcome, every\n"
    "                     computed solution, the pay-off table, the ideal and nadir\n"
    "                     points and the basket, numbers at full precision\n"
    "  --version          print the version and stop\n"
    "Nothing is written unless every argument, the problem and the results file to\n"
    "import are valid and every file to write can be written. --write, --write-vlp\n"
    "and --listing are written right after reading, --export and --weight-space at\n"
    "the end; each group only when all of its files can be.\n"
    "ACTIONS, run in order; each prints its report (the report pane's text) to standard\n"
    "output, followed by a blank line:\n"
    "  payoff                       the pay-off table, then its grid (tab-separated);\n"
    "                               only as the first action, and run first\n"
    "                               automatically when another action needs it\n"
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
    "  vma [max-bases=N]            every efficient vertex into the basket (the vector\n"
    "                               maximum approach), stopping at N bases (default\n"
    "                               10000); its closing message goes to standard error\n"
    "  basket                       the basket values table (tab-separated) instead of\n"
    "                               a report\n"
    "  nadir K [method=1|2] [tol=PCT]\n"
    "                               the exact nadir value of objective K (method 2,\n"
    "                               the window's, unless method=1), to within PCT %\n"
    "                               of the value (the tolerance in force, 0.05 at\n"
    "                               start, unless given; it stays for later actions)\n"
    "  ea-nadir [pop=N] [pm=P] [iter=N] [seed=S] [runs=R]\n"
    "                               the evolutionary nadir estimate (population 6p,\n"
    "                               mutation 0.01, 10p generations, seeded from the\n"
    "                               clock unless seed=S); runs=R makes R independent\n"
    "                               runs from the pay-off solutions (seeds S..S+R-1),\n"
    "                               discarding the other solutions of the basket\n"
    "  worst-feasible               the worst feasible value of each objective\n"
    "  stem RELAX1,...,RELAXp ...   STEM: the first iteration, then one iteration per\n"
    "                               relaxation vector (the amount each objective may\n"
    "                               lose; '-' or 0 = not relaxed); the method is then\n"
    "                               left with its limitations kept\n"
    "  race Q1,...,Qp LO1:HI1,...,LOp:HIp STEPS [speed=N]\n"
    "                               Pareto Race from reference point Q with the given\n"
    "                               ranges, then STEPS GO steps at slider position N\n"
    "                               (1 the top speed, the default; 8 the slowest), each\n"
    "                               reported; the race ends early when nothing limits\n"
    "                               the motion any more, and is then left with any\n"
    "                               limitations kept\n"
    "  icw CHOICE ...               ICW: the first iteration, then one iteration per\n"
    "                               CHOICE, the position (1 to 2p+1) of the preferred\n"
    "                               solution in the selection dialog, i.e. of its\n"
    "                               weight vector W1..W2p+1; the method stays active\n"
    "                               until the next action other than contracted-vma\n"
    "  contracted-vma [max-bases=N] right after icw with at least one CHOICE: every\n"
    "                               efficient vertex the contracted cone reaches\n"
    "weighted-sum and refpoint consider the limitations in force.\n"
    "Messages that the GUI shows in a box are written to standard error as \"KIND: text\".\n"
    "Exit status: 0 all actions done; 1 a computation failed (its message was printed,\n"
    "later actions are not run); 2 usage or input error.\n"
    "";

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

const ActionSyntax kActions[] = {
    {"payoff", ActionKind::Payoff, 0, ""},
    {"weighted-sum", ActionKind::WeightedSum, 1, "W1,...,Wp"},
    {"refpoint", ActionKind::RefPoint, 2, "Q1,...,Qp W1,...,Wp"},
    {"limits", ActionKind::Limits, 1, "L1,...,Lp or 'clear'"},
    {"econstraint", ActionKind::EConstraint, 2, "K L1,...,Lp"},
    {"store", ActionKind::Store, 0, ""},
    {"delete", ActionKind::Delete, 1, "RANGE"},
    {"vma", ActionKind::Vma, 0, ""},
    {"basket", ActionKind::Basket, 0, ""},
    {"nadir", ActionKind::Nadir, 1, "K"},
    {"ea-nadir", ActionKind::EaNadir, 0, ""},
    {"worst-feasible", ActionKind::WorstFeasible, 0, ""},
    {"stem", ActionKind::Stem, 0, "RELAX1,...,RELAXp ..."},
    {"race", ActionKind::Race, 3, "Q1,...,Qp LO1:HI1,...,LOp:HIp STEPS"},
    {"icw", ActionKind::Icw, 0, "CHOICE ..."},
    {"contracted-vma", ActionKind::ContractedVma, 0, ""},
};

const QLatin1String kMaxBasesPrefix("max-bases=");
const QLatin1String kSpeedPrefix("speed=");

const ActionSyntax* findAction(const QString& word)
{
    for (const ActionSyntax& syntax : kActions)
        if (word == QLatin1String(syntax.name))
            return &syntax;
    return nullptr;
}

bool isActionName(const QString& word) { return findAction(word) != nullptr; }

// A finite real with "." as the decimal separator, as the dialogs read them.
bool toFiniteReal(const QString& typed, Real& value) { return ParseTypedReal(typed, value) && std::isfinite(value); }

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
QString checkNumbers(const QString& action, const QString& typed, int p)
{
    QStringList values;
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

// p bounds separated by commas, '-' for none; `bounded[k]` tells which are set.
QString checkBounds(const QString& action, const QString& typed, int p, std::vector<bool>& bounded)
{
    QStringList values;
    QString error = splitValues(action, typed, p, values);
    if (!error.isEmpty())
        return error;
    bounded.assign(static_cast<std::size_t>(p) + 1, false);
    for (int k = 1; k <= p; ++k) {
        const QString& v = values[k - 1];
        if (v == QLatin1String("-"))
            continue;
        Real x = 0;
        if (!toFiniteReal(v, x))
            return notAReal(action, v);
        bounded[static_cast<std::size_t>(k)] = true;
    }
    return {};
}

QString checkEConstraint(const QString& name, const QStringList& args, int p)
{
    if (p < 2)
        return text(msg::kEConstraintNeedsTwo);
    bool ok = false;
    const int k = args[0].trimmed().toInt(&ok, 10);
    if (!ok || k < 1 || k > p)
        return QStringLiteral("%1: '%2' is not an objective number from 1 to %3").arg(name, args[0]).arg(p);
    std::vector<bool> bounded;
    const QString error = checkBounds(name, args[1], p, bounded);
    if (!error.isEmpty())
        return error;
    if (bounded[static_cast<std::size_t>(k)])
        return QStringLiteral("%1: objective %2 is the one optimized; its bound must be '-'").arg(name).arg(k);
    return {};
}

QString checkStem(const QString& name, const QStringList& vectors, int p)
{
    std::vector<bool> bounded;
    for (const QString& v : vectors) {
        const QString error = checkBounds(name, v, p, bounded);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

QString checkIcw(const QString& name, const QStringList& choices, int p)
{
    if (p < 2)
        return name + QStringLiteral(": ") + text(msg::kIcwOneObjective);
    for (const QString& c : choices)
        if (icwChoice(c, p) == 0)
            return QStringLiteral("%1: '%2' is not a choice from 1 to %3").arg(name, c).arg(2 * p + 1);
    return {};
}

QString checkRace(const QString& name, const Action& action, int p)
{
    const QStringList& args = action.arguments;
    QString error = checkNumbers(name, args[0], p);
    if (!error.isEmpty())
        return error;
    QStringList pairs;
    error = splitValues(name, args[1], p, pairs);
    if (!error.isEmpty())
        return error;
    for (const QString& pair : pairs) {
        const QStringList ends = pair.split(QLatin1Char(':'));
        Real x = 0;
        if (ends.size() != 2)
            return QStringLiteral("%1: '%2' is not LOW:HIGH").arg(name, pair);
        for (const QString& end : ends)
            if (!toFiniteReal(end, x))
                return notAReal(name, end);
    }
    bool ok = false;
    const int steps = args[2].trimmed().toInt(&ok, 10);
    if (!ok || steps < 0)
        return QStringLiteral("%1: '%2' is not a number of steps (0 or more)").arg(name, args[2]);
    if (raceSpeed(action) == 0)
        return QStringLiteral("%1: '%2' is not speed= followed by a slider position from 1 to 8").arg(name, args[3]);
    return {};
}

// Counts and number syntax of the action's values; an error text.
QString checkValues(const Action& action, int p)
{
    const QString name = QLatin1String(action.syntax->name);
    const QStringList& args = action.arguments;
    std::vector<bool> bounded;
    switch (action.kind()) {
    case ActionKind::WeightedSum: return checkNumbers(name, args[0], p);
    case ActionKind::RefPoint: {
        const QString error = checkNumbers(name, args[0], p);
        return error.isEmpty() ? checkNumbers(name, args[1], p) : error;
    }
    case ActionKind::Limits:
        return args[0] == QLatin1String("clear") ? QString() : checkBounds(name, args[0], p, bounded);
    case ActionKind::EConstraint: return checkEConstraint(name, args, p);
    case ActionKind::Delete: {
        int from = 0, to = 0;
        QString bad;
        return ParseDeleteRange(args[0], from, to, bad) ? QString()
                                                         : name + QStringLiteral(": ") + text(msg::kNotAnInteger).arg(bad);
    }
    case ActionKind::Vma:
    case ActionKind::ContractedVma:
        return args.isEmpty() || vmaMaxBases(action) > 0
                   ? QString()
                   : QStringLiteral("%1: '%2' is not max-bases= followed by a positive integer").arg(name, args[0]);
    case ActionKind::Icw: return checkIcw(name, args, p);
    case ActionKind::Stem: return checkStem(name, args, p);
    case ActionKind::Race: return checkRace(name, action, p);
    case ActionKind::Nadir:
    case ActionKind::EaNadir: return checkNadirAction(action, p);
    case ActionKind::WorstFeasible:
    case ActionKind::Payoff:
    case ActionKind::Store:
    case ActionKind::Basket: return {};
    }
    return {};
}

// Shows what a dialog's check had to tell; true when it accepted.
template <class Result>
bool shown(UiPort& ui, const Result& result)
{
    ShowNotices(ui, result.notices);
    return result.accepted;
}

// The typed values as the dialogs would take them, for `scratch` (a
// workspace with the problem's objective count): false, with the dialog's
// own message shown, when they are refused.
bool dialogsAccept(const Action& action, const Workspace& scratch, UiPort& ui)
{
    const QStringList& args = action.arguments;
    switch (action.kind()) {
    case ActionKind::WeightedSum: return shown(ui, AcceptSumWeights(scratch, commaList(args[0])));
    case ActionKind::RefPoint:
        return shown(ui, AcceptReferencePoint(scratch, commaList(args[0])))
               && shown(ui, AcceptTchebWeights(scratch, commaList(args[1])));
    case ActionKind::Stem: {
        // Every objective counts as weighted here; the weights are known
        // only once the pay-off table is.
        StemState stem;
        stem.StemAlpha.fill(1);
        for (const QString& v : args)
            if (!shown(ui, AcceptRelaxations(scratch, stem, relaxationAmounts(v))))
                return false;
        return true;
    }
    case ActionKind::Race: {
        RaceRangeTexts ranges;
        raceRanges(args[1], ranges.lower, ranges.upper);
        return shown(ui, AcceptReferencePoint(scratch, commaList(args[0])))
               && shown(ui, ParetoRace::AcceptRanges(scratch, ranges));
    }
    default: return true;
    }
}

// The file name that follows an option; an error text when there is none.
QString fileArgument(const QStringList& args, int& i, QString& value, bool* given = nullptr)
{
    const QString option = args[i];
    if (i + 1 >= args.size() || args[i + 1].isEmpty())
        return QStringLiteral("%1 needs a file name").arg(option);
    value = args[++i];
    if (given)
        *given = true;
    return {};
}

} // namespace

int vmaMaxBases(const Action& action)
{
    if (action.arguments.isEmpty())
        return kVmaMaxBases;
    bool ok = false;
    const int n = action.arguments[0].mid(kMaxBasesPrefix.size()).toInt(&ok, 10);
    return ok && n > 0 ? n : 0;
}

int icwChoice(const QString& typed, int p)
{
    bool ok = false;
    const int c = typed.trimmed().toInt(&ok, 10);
    return ok && c >= 1 && c <= 2 * p + 1 ? c : 0;
}

int raceSpeed(const Action& action)
{
    if (action.arguments.size() < 4)
        return ParetoRace::kFastest;
    bool ok = false;
    const int n = action.arguments[3].mid(kSpeedPrefix.size()).toInt(&ok, 10);
    return ok && n >= ParetoRace::kFastest && n <= ParetoRace::kSlowest ? n : 0;
}

void raceRanges(const QString& typed, QStringList& lower, QStringList& upper)
{
    lower.clear();
    upper.clear();
    for (const QString& pair : commaList(typed)) {
        const QStringList ends = pair.split(QLatin1Char(':'));
        lower << ends.value(0).trimmed();
        upper << ends.value(1).trimmed();
    }
}

QStringList relaxationAmounts(const QString& typed)
{
    QStringList amounts = commaList(typed);
    for (QString& a : amounts)
        if (a == QLatin1String("-"))
            a = QStringLiteral("0");
    return amounts;
}

QStringList commaList(const QString& typed)
{
    QStringList values = typed.split(QLatin1Char(','));
    for (QString& v : values)
        v = v.trimmed();
    return values;
}

QString parseArguments(const QStringList& args, Options& options)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString error;
        if (arg == QLatin1String("--write")) {
            error = fileArgument(args, i, options.writePath, &options.writeGiven);
        } else if (arg == QLatin1String("--listing")) {
            error = fileArgument(args, i, options.listingPath, &options.listingGiven);
        } else if (arg == QLatin1String("--import")) {
            error = fileArgument(args, i, options.importPath);
        } else if (arg == QLatin1String("--export")) {
            error = fileArgument(args, i, options.exportPath);
        } else if (arg == QLatin1String("--weight-space")) {
            error = fileArgument(args, i, options.weightSpacePath);
        } else if (arg == QLatin1String("--time-limit")) {
            bool ok = false;
            const double seconds = i + 1 < args.size() ? args[i + 1].toDouble(&ok) : 0;
            if (!ok || !std::isfinite(seconds) || seconds < 0)
                return QStringLiteral("--time-limit needs a number of seconds (0 for no limit)");
            options.timeLimitSeconds = seconds;
            ++i;
        } else if (arg == QLatin1String("--write-vlp")) {
            error = fileArgument(args, i, options.writeVlpPath, &options.writeVlpGiven);
        } else if (arg == QLatin1String("--mps")) {
            options.mps = true;
        } else if (arg == QLatin1String("--free-mps") || arg == QLatin1String("--fixed-mps")) {
            const MpsFormat format = arg == QLatin1String("--free-mps") ? MpsFormat::Free : MpsFormat::Fixed;
            if (options.mpsFormat != MpsFormat::Automatic && options.mpsFormat != format)
                return QStringLiteral("--free-mps and --fixed-mps exclude each other");
            options.mps = true;
            options.mpsFormat = format;
        } else if (arg == QLatin1String("--vlp")) {
            options.vlp = true;
        } else if (arg == QLatin1String("--normalize")) {
            options.normalize = true;
        } else if (arg == QLatin1String("--all-solutions")) {
            options.allSolutions = true;
        } else if (arg == QLatin1String("--json")) {
            options.json = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return QStringLiteral("help");
        } else if (arg == QLatin1String("--version")) {
            return QStringLiteral("version");
        } else if (arg.startsWith(QLatin1String("--"))) {
            return QStringLiteral("the option %1 is not available in this build").arg(arg);
        } else if (options.problemPath.isEmpty()) {
            options.problemPath = arg;
        } else {
            options.actionWords << arg;
        }
        if (!error.isEmpty())
            return error;
    }
    if (options.problemPath.isEmpty())
        return QStringLiteral("no problem file given");
    if (!options.importPath.isEmpty() && options.normalize)
        return QStringLiteral("--normalize cannot be used with --import: the normalization factors come from "
                              "the results file");
    if (options.mps && options.vlp)
        return QStringLiteral("--vlp cannot be used with --mps, --free-mps or --fixed-mps");
    // A switch says how to read the file; without one its extension does.
    if (!options.vlp && options.problemPath.endsWith(QLatin1String(".mps"), Qt::CaseInsensitive))
        options.mps = true;
    if (!options.mps && options.problemPath.endsWith(QLatin1String(".vlp"), Qt::CaseInsensitive))
        options.vlp = true;
    return {};
}

QString splitActions(const QStringList& words, std::vector<Action>& actions)
{
    for (int i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        const ActionSyntax* syntax = findAction(word);
        if (!syntax)
            return QStringLiteral("unknown action %1").arg(word);
        if (i + syntax->argumentCount >= words.size())
            return QStringLiteral("%1 needs %2").arg(word, QLatin1String(syntax->arguments));
        if (syntax->kind == ActionKind::Payoff && !actions.empty())
            return QStringLiteral("payoff can only be the first action");
        actions.push_back(Action{syntax, words.mid(i + 1, syntax->argumentCount)});
        i += syntax->argumentCount;
        // vma takes its limit only when one follows.
        if ((syntax->kind == ActionKind::Vma || syntax->kind == ActionKind::ContractedVma) && i + 1 < words.size()
            && words[i + 1].startsWith(kMaxBasesPrefix))
            actions.back().arguments << words[++i];
        // nadir and ea-nadir take their settings while they follow.
        while (i + 1 < words.size() && isNadirSetting(syntax->kind, words[i + 1]))
            actions.back().arguments << words[++i];
        if (syntax->kind == ActionKind::Race && i + 1 < words.size() && words[i + 1].startsWith(kSpeedPrefix))
            actions.back().arguments << words[++i];
        // stem takes every relaxation vector, icw every choice, up to the
        // next action.
        if (syntax->kind == ActionKind::Stem || syntax->kind == ActionKind::Icw)
            while (i + 1 < words.size() && !isActionName(words[i + 1]))
                actions.back().arguments << words[++i];
    }
    return {};
}

bool checkActions(const std::vector<Action>& actions, int p, bool allSolutions, UiPort& ui)
{
    auto scratch = std::make_unique<Workspace>();
    scratch->numObjectives = p;
    for (std::size_t a = 0; a < actions.size(); ++a) {
        const Action& action = actions[a];
        QString error = checkValues(action, p);
        // The contracted cone exists from ICW's second iteration on, and the
        // method is left by any other action.
        if (error.isEmpty() && action.kind() == ActionKind::ContractedVma
            && (a == 0 || actions[a - 1].kind() != ActionKind::Icw || actions[a - 1].arguments.isEmpty()))
            error = QStringLiteral("contracted-vma must follow icw with at least one CHOICE");
        if (action.kind() == ActionKind::Store && allSolutions)
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

} // namespace batch
