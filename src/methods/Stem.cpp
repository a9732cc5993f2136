#include "methods/Stem.h"

#include "methods/Messages.h"
#include "solutions/Limitations.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// Worst value of objective i among the pay-off rows.
Real worstInPayoff(const Workspace& ws, int i)
{
    const int sense = ws.objSense[i];
    Real worst = ws.payoff[1].f[i];
    for (int h = 2; h <= ws.numObjectives; ++h)
        if (sense * ws.payoff[h].f[i] < sense * worst)
            worst = ws.payoff[h].f[i];
    return worst;
}

Real coefficientNorm(const Workspace& ws, int i)
{
    Real sum = 0;
    for (int j = 1; j <= ws.numVariables; ++j)
        sum += ws.objCoef[i][j] * ws.objCoef[i][j];
    return std::sqrt(sum);
}

} // namespace

Real StemRawWeight(int sense, Real best, Real worst, Real norm)
{
    // A zero norm means zero coefficients: the objective is constant, as it
    // is when its pay-off column is; it gets no weight and no division.
    if (worst == best || norm == 0)
        return 0;
    if ((sense == 1 && best > 0) || (sense == -1 && best < 0))
        return ((best - worst) / best) / norm;
    return ((worst - best) / worst) / norm;
}

bool ComputeStemWeights(const Workspace& ws, StemState& stem)
{
    stem.StemAlphaSum = 0;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        stem.StemAlpha[i] =
            StemRawWeight(ws.objSense[i], ws.payoff[i].f[i], worstInPayoff(ws, i), coefficientNorm(ws, i));
        stem.StemAlphaSum += stem.StemAlpha[i];
    }
    return stem.StemAlphaSum > 0;
}

void PrepareStemFirstIteration(Workspace& ws, StemState& stem)
{
    for (int i = 1; i <= ws.numObjectives; ++i) {
        stem.StemRelaxed[i] = false;
        ws.tchebWeights[i] = stem.StemAlpha[i] / stem.StemAlphaSum;
        ws.refPoint[i] = ws.payoff[i].f[i];
    }
}

RelaxationsResult AcceptRelaxations(const Workspace& ws, const StemState& stem, const QStringList& typed)
{
    RelaxationsResult result;
    const int k = ws.numObjectives;
    vectorObj read{};
    for (int i = 1; i <= k; ++i) {
        if (i > typed.size() || !ParseTypedReal(typed[i - 1], read[i])) {
            result.notices.message(MsgKind::Error, text(msg::kRelaxInvalidNumbers));
            return result;
        }
    }
    bool ok = true;
    int nonzero = 0;
    Real weightLeft = 0;
    for (int i = 1; i <= k; ++i) {
        if (read[i] < 0) {
            result.notices.message(MsgKind::Warning, text(msg::kRelaxNegative));
            ok = false;
        }
        if (read[i] != 0)
            ++nonzero;
        else
            weightLeft += stem.StemAlpha[i];
    }
    if (nonzero == 0) {
        result.notices.message(MsgKind::Warning, text(msg::kRelaxNone));
        ok = false;
    }
    if (nonzero == k) {
        result.notices.message(MsgKind::Warning, text(msg::kRelaxTooMany).arg(k - 1));
        ok = false;
    }
    // The weights of the objectives left would sum to 0: nothing to minimize.
    if (ok && weightLeft <= 0) {
        result.notices.message(MsgKind::Warning, text(msg::kStemNoWeightLeft));
        ok = false;
    }
    if (ok)
        result.amounts = read;
    result.accepted = ok;
    return result;
}

void ApplyRelaxations(Workspace& ws, StemState& stem, const vectorObj& amounts)
{
    const int k = ws.numObjectives;
    ws.limitsActive = true;
    Real sum = 0;
    vectorObj w{};
    for (int i = 1; i <= k; ++i) {
        const bool relaxed = amounts[i] > 0;
        stem.StemRelaxed[i] = relaxed;
        ws.limitOn[i] = true;
        ws.limitValue[i] = relaxed ? ws.currentF[i] - ws.objSense[i] * amounts[i] : ws.currentF[i];
        w[i] = relaxed ? 0 : stem.StemAlpha[i] / stem.StemAlphaSum;
        sum += w[i];
    }
    for (int i = 1; i <= k; ++i)
        ws.tchebWeights[i] = w[i] != 0 ? w[i] / sum : 0;
}
