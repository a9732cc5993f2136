#include "app/batch/BatchNadirActions.h"

#include "app/batch/BatchOutput.h"
#include "app/batch/BatchSession.h"
#include "nadir/EaNadir.h"
#include "solutions/Limitations.h"
#include "workspace/Workspace.h"

#include <cmath>

namespace batch {

namespace {

const char* const kNadirSettings[] = {"method=", "tol="};
const char* const kEaSettings[] = {"pop=", "pm=", "iter=", "seed=", "runs="};

// The value of setting `prefix` among the arguments, the last one counting.
std::optional<QString> setting(const Action& action, const char* prefix)
{
    std::optional<QString> value;
    for (const QString& a : action.arguments)
        if (a.startsWith(QLatin1String(prefix)))
            value = a.mid(static_cast<int>(qstrlen(prefix)));
    return value;
}

bool isInteger(const QString& typed, qlonglong& value)
{
    bool ok = false;
    value = typed.trimmed().toLongLong(&ok, 10);
    return ok;
}

QString checkNadir(const Action& action, int p)
{
    qlonglong k = 0;
    if (!isInteger(action.arguments[0], k) || k < 1 || k > p)
        return QStringLiteral("nadir: '%1' is not an objective number from 1 to %2").arg(action.arguments[0]).arg(p);
    const std::optional<QString> method = setting(action, "method=");
    if (method && *method != QLatin1String("1") && *method != QLatin1String("2"))
        return QStringLiteral("nadir: 'method=%1' is not method=1 or method=2").arg(*method);
    const std::optional<QString> tol = setting(action, "tol=");
    Real pct = 0;
    if (tol && !(ParseTypedReal(*tol, pct) && std::isfinite(static_cast<double>(pct)) && pct >= 0))
        return QStringLiteral("nadir: 'tol=%1' is not a percentage (0 or more)").arg(*tol);
    return {};
}

QString checkEa(const Action& action, int p)
{
    qlonglong n = 0;
    const std::optional<QString> pop = setting(action, "pop=");
    if (pop && (!isInteger(*pop, n) || n < p))
        return QStringLiteral("ea-nadir: 'pop=%1' is not a population size of at least %2 (the number of "
                              "objectives)")
            .arg(*pop)
            .arg(p);
    const std::optional<QString> pm = setting(action, "pm=");
    Real probability = 0;
    if (pm && !(ParseTypedReal(*pm, probability) && probability >= 0 && probability <= 1))
        return QStringLiteral("ea-nadir: 'pm=%1' is not a probability from 0 to 1").arg(*pm);
    const std::optional<QString> iter = setting(action, "iter=");
    if (iter && (!isInteger(*iter, n) || n < 1))
        return QStringLiteral("ea-nadir: 'iter=%1' is not a number of iterations (1 or more)").arg(*iter);
    const std::optional<QString> seed = setting(action, "seed=");
    if (seed && (!isInteger(*seed, n) || n < 0 || n > 0xFFFFFFFFLL))
        return QStringLiteral("ea-nadir: 'seed=%1' is not a seed from 0 to 4294967295").arg(*seed);
    const std::optional<QString> runs = setting(action, "runs=");
    if (runs && (!isInteger(*runs, n) || n < 1))
        return QStringLiteral("ea-nadir: 'runs=%1' is not a number of runs (1 or more)").arg(*runs);
    return {};
}

} // namespace

bool isNadirSetting(ActionKind kind, const QString& word)
{
    if (kind == ActionKind::Nadir) {
        for (const char* prefix : kNadirSettings)
            if (word.startsWith(QLatin1String(prefix)))
                return true;
    } else if (kind == ActionKind::EaNadir) {
        for (const char* prefix : kEaSettings)
            if (word.startsWith(QLatin1String(prefix)))
                return true;
    }
    return false;
}

QString checkNadirAction(const Action& action, int p)
{
    return action.kind() == ActionKind::Nadir ? checkNadir(action, p) : checkEa(action, p);
}

NadirSettings nadirSettings(const Action& action)
{
    NadirSettings s;
    s.objective = action.arguments[0];
    s.method = setting(action, "method=").value_or(QStringLiteral("2")) == QLatin1String("1") ? NadirMethod::One : NadirMethod::Two;
    s.tolerance = setting(action, "tol=");
    return s;
}

EaSettings eaSettings(const Action& action, int p)
{
    EaSettings s;
    s.parameters = EaDefaultTexts(p);
    if (const auto pop = setting(action, "pop="))
        s.parameters.popSize = *pop;
    if (const auto pm = setting(action, "pm="))
        s.parameters.mutation = *pm;
    if (const auto iter = setting(action, "iter="))
        s.parameters.iterations = *iter;
    if (const auto seed = setting(action, "seed=")) {
        s.parameters.randomize = false;
        s.parameters.seed = *seed;
    }
    s.runs = setting(action, "runs=");
    return s;
}

int BatchSession::nadir(const Action& action)
{
    const NadirSettings s = nadirSettings(action);
    ui_.inputs = {s.objective};
    // The tolerance is asked for, as in the window, only with "Ask tolerance".
    const bool asked = ws_.askNadirTolerance;
    if (s.tolerance) {
        ui_.inputs.push_back(*s.tolerance);
        if (!asked)
            flow_.basket().toggleAskTolerance();
    }
    flow_.nadir().nadirCommand(s.method);
    if (ws_.askNadirTolerance != asked)
        flow_.basket().toggleAskTolerance();
    ui_.inputs.clear();
    return finishCommand();
}

int BatchSession::eaNadir(const Action& action)
{
    const EaSettings s = eaSettings(action, ws_.numObjectives);
    ui_.eaParameters = s.parameters;
    if (s.runs) {
        ui_.inputs = {*s.runs};
        flow_.nadir().eaRunsCommand();
    } else {
        flow_.nadir().eaNadirCommand();
    }
    ui_.inputs.clear();
    ui_.eaParameters.reset();
    const int status = finishCommand();
    // A failed evaluation ends the run; what it did is still reported.
    if (status == kExitFailed && !flow_.report().isEmpty())
        showBlock(flow_.report().toPlainText());
    return status;
}

} // namespace batch
