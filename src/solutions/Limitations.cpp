#include "solutions/Limitations.h"

#include "solutions/Messages.h"
#include "base/NumberFormat.h"
#include "base/RealParser.h"

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

// The dialog shows limitation values with 15 significant digits.
constexpr int kLimitValueDigits = 15;

} // namespace

bool ParseTypedReal(const QString& typed, Real& value)
{
    const std::optional<Real> x = ParseReal(typed);
    if (!x)
        return false;
    value = *x;
    return true;
}

void LimitationsEditor::prepareLimitations(const Workspace& ws)
{
    tabObjective_.clear();
    for (int i = 1; i <= ws.numObjectives; ++i) {
        on_[i] = ws.limitOn[i];
        value_[i] = ws.limitValue[i];
        tabObjective_.push_back(i);
    }
    load(tabObjective_.empty() ? 0 : tabObjective_.front());
}

void LimitationsEditor::prepareEConstraints(const Workspace& ws, int optimized)
{
    tabObjective_.clear();
    for (int i = 1; i <= ws.numObjectives; ++i) {
        if (i == optimized) {
            on_[i] = false;
            value_[i] = 0;
            continue;
        }
        on_[i] = ws.limitOn[i];
        value_[i] = ws.limitValue[i];
        tabObjective_.push_back(i);
    }
    load(tabObjective_.empty() ? 0 : tabObjective_.front());
}

QStringList LimitationsEditor::tabNames(const Workspace& ws) const
{
    QStringList names;
    for (int k : tabObjective_)
        names << ws.objName[k];
    return names;
}

QString LimitationsEditor::checkCaption(const Workspace& ws) const
{
    if (current_ < 1)
        return QString();
    return ws.objName[current_] + (ws.objSense[current_] == 1 ? QStringLiteral(" >=") : QStringLiteral(" <="));
}

void LimitationsEditor::load(int objective)
{
    current_ = objective;
    checked_ = objective >= 1 && on_[objective];
    valueText_ = checked_ ? GeneralFormat(value_[objective], kLimitValueDigits) : QString();
}

void LimitationsEditor::typeValue(const QString& typed)
{
    valueText_ = typed;
    checked_ = !typed.isEmpty();
}

LimitationStoreResult LimitationsEditor::storeCurrent()
{
    LimitationStoreResult result;
    if (current_ < 1) {
        result.stored = true;
        return result;
    }
    on_[current_] = checked_;
    if (!checked_) {
        result.stored = true;
        return result;
    }
    Real v = 0;
    if (!ParseTypedReal(valueText_, v)) {
        result.notices.message(MsgKind::Error, text(msg::kNotAFloat).arg(valueText_));
        return result;
    }
    value_[current_] = v;
    result.stored = true;
    return result;
}

TabSwitchResult LimitationsEditor::switchToTab(int index)
{
    TabSwitchResult result;
    if (index < 0 || index >= static_cast<int>(tabObjective_.size()))
        return result;
    LimitationStoreResult stored = storeCurrent();
    result.notices = std::move(stored.notices);
    if (!stored.stored)
        return result;
    load(tabObjective_[static_cast<std::size_t>(index)]);
    result.switched = true;
    return result;
}

void LimitationsEditor::clearAll(int objectives)
{
    for (int i = 1; i <= objectives; ++i)
        on_[i] = false;
}

void NormalizeLimitations(Workspace& ws)
{
    ws.limitsActive = false;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        if (ws.limitOn[i])
            ws.limitsActive = true;
        else
            ws.limitValue[i] = 0;
    }
}

LimitationsResult RecolheLimitacoes(Workspace& ws, LimitationsEditor& editor, LimitationsAnswer answer)
{
    LimitationsResult result;
    if (answer == LimitationsAnswer::Cancel)
        return result;
    const int k = ws.numObjectives;
    if (answer == LimitationsAnswer::ClearAll) {
        editor.clearAll(k);
    } else {
        LimitationStoreResult stored = editor.storeCurrent();
        result.notices = std::move(stored.notices);
        if (!stored.stored)
            return result;
    }
    bool changed = false;
    for (int i = 1; i <= k; ++i)
        if (ws.limitOn[i] != editor.isOn(i) || (ws.limitOn[i] && editor.value(i) != ws.limitValue[i]))
            changed = true;
    if (changed) {
        for (int i = 1; i <= k; ++i) {
            ws.limitOn[i] = editor.isOn(i);
            ws.limitValue[i] = editor.value(i);
        }
    }
    NormalizeLimitations(ws);
    result.changed = changed;
    return result;
}

EConstraintsResult Recolhe_e_constraints(Workspace& ws, LimitationsEditor& editor, LimitationsAnswer answer)
{
    EConstraintsResult result;
    if (answer != LimitationsAnswer::Accept)
        return result;
    LimitationStoreResult stored = editor.storeCurrent();
    result.notices = std::move(stored.notices);
    if (!stored.stored)
        return result;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        ws.limitOn[i] = editor.isOn(i);
        ws.limitValue[i] = editor.value(i);
    }
    NormalizeLimitations(ws);
    result.accepted = true;
    return result;
}

namespace {

// Typed weights as converted: `accepted` is false when anything was refused.
struct ParsedWeights {
    bool accepted = false;
    vectorObj weights{};
    Notices notices;
};

// Converts typed weights, with `rangeMessage` once for every weight that
// `inRange` refuses; a text that is not a number refuses silently. Also
// refuses weights that are all zero.
[[nodiscard]] ParsedWeights ParseWeights(const Workspace& ws, const QStringList& typed, bool (*inRange)(Real),
                                         const char* rangeMessage)
{
    ParsedWeights result;
    const int k = ws.numObjectives;
    bool ok = typed.size() >= k;
    for (int i = 1; i <= k && i <= typed.size(); ++i) {
        Real w = 0;
        if (!ParseTypedReal(typed[i - 1], w)) {
            ok = false;
            continue;
        }
        if (!inRange(w)) {
            result.notices.message(MsgKind::Information, text(rangeMessage));
            ok = false;
        }
        result.weights[i] = w;
    }
    if (!ok)
        return result;
    bool anyPositive = false;
    for (int i = 1; i <= k; ++i)
        anyPositive |= result.weights[i] > 0;
    // All zero: the weighted sum has nothing to maximize, and the distance
    // has no row at all (its program is unbounded).
    if (!anyPositive) {
        result.notices.message(MsgKind::Information, text(msg::kWeightsAllZero));
        return result;
    }
    result.accepted = true;
    return result;
}

} // namespace

SumWeightsResult AcceptSumWeights(const Workspace& ws, const QStringList& typed)
{
    ParsedWeights parsed =
        ParseWeights(ws, typed, [](Real w) { return w >= 0 && w <= 1; }, msg::kWeightsBetween0And1);
    SumWeightsResult result;
    result.notices = std::move(parsed.notices);
    if (!parsed.accepted)
        return result;
    Real sum = 0;
    for (int i = 1; i <= ws.numObjectives; ++i)
        sum += parsed.weights[i];
    for (int i = 1; i <= ws.numObjectives; ++i)
        result.weights[i] = parsed.weights[i] / sum;
    result.accepted = true;
    return result;
}

TchebWeightsResult AcceptTchebWeights(const Workspace& ws, const QStringList& typed)
{
    ParsedWeights parsed = ParseWeights(ws, typed, [](Real w) { return w >= 0; }, msg::kWeightsNonNegative);
    TchebWeightsResult result;
    result.notices = std::move(parsed.notices);
    if (!parsed.accepted)
        return result;
    for (int i = 1; i <= ws.numObjectives; ++i)
        result.weights[i] = parsed.weights[i];
    result.accepted = true;
    return result;
}

ReferencePointResult AcceptReferencePoint(const Workspace& ws, const QStringList& typed)
{
    ReferencePointResult result;
    const int k = ws.numObjectives;
    vectorObj point{};
    for (int i = 1; i <= k; ++i) {
        if (i > typed.size() || !ParseTypedReal(typed[i - 1], point[i])) {
            result.notices.message(MsgKind::Information, text(msg::kInvalidValues));
            return result;
        }
    }
    result.point = point;
    result.accepted = true;
    return result;
}
