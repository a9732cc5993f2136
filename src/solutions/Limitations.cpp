#include "solutions/Limitations.h"

#include "solutions/Messages.h"
#include "base/NumberFormat.h"
#include "base/RealParser.h"
#include "base/UiPort.h"

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

bool LimitationsEditor::storeCurrent(UiPort& ui)
{
    if (current_ < 1)
        return true;
    on_[current_] = checked_;
    if (!checked_)
        return true;
    Real v = 0;
    if (!ParseTypedReal(valueText_, v)) {
        ui.showMessage(MsgKind::Error, text(msg::kNotAFloat).arg(valueText_));
        return false;
    }
    value_[current_] = v;
    return true;
}

bool LimitationsEditor::switchToTab(int index, UiPort& ui)
{
    if (index < 0 || index >= static_cast<int>(tabObjective_.size()))
        return false;
    if (!storeCurrent(ui))
        return false;
    load(tabObjective_[static_cast<std::size_t>(index)]);
    return true;
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

bool RecolheLimitacoes(Workspace& ws, UiPort& ui, LimitationsEditor& editor)
{
    editor.prepareLimitations(ws);
    const LimitationsAnswer answer = ui.editLimitations(editor, false);
    if (answer == LimitationsAnswer::Cancel)
        return false;
    const int k = ws.numObjectives;
    if (answer == LimitationsAnswer::ClearAll)
        editor.clearAll(k);
    else if (!editor.storeCurrent(ui))
        return false;
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
    return changed;
}

bool Recolhe_e_constraints(Workspace& ws, UiPort& ui, LimitationsEditor& editor, int optimized)
{
    editor.prepareEConstraints(ws, optimized);
    if (ui.editLimitations(editor, true) != LimitationsAnswer::Accept)
        return false;
    if (!editor.storeCurrent(ui))
        return false;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        ws.limitOn[i] = editor.isOn(i);
        ws.limitValue[i] = editor.value(i);
    }
    NormalizeLimitations(ws);
    return true;
}

namespace {

// Converts typed weights, showing `rangeMessage` once for every weight that
// `inRange` refuses; a text that is not a number refuses silently. Also
// refuses weights that are all zero. False when anything was refused.
bool ParseWeights(const Workspace& ws, UiPort& ui, const QStringList& typed, bool (*inRange)(Real),
                  const char* rangeMessage, vectorObj& weights)
{
    const int k = ws.numObjectives;
    bool ok = typed.size() >= k;
    for (int i = 1; i <= k && i <= typed.size(); ++i) {
        Real w = 0;
        if (!ParseTypedReal(typed[i - 1], w)) {
            ok = false;
            continue;
        }
        if (!inRange(w)) {
            ui.showMessage(MsgKind::Information, text(rangeMessage));
            ok = false;
        }
        weights[i] = w;
    }
    if (!ok)
        return false;
    bool anyPositive = false;
    for (int i = 1; i <= k; ++i)
        anyPositive |= weights[i] > 0;
    // All zero: the weighted sum has nothing to maximize, and the distance
    // has no row at all (its program is unbounded).
    if (!anyPositive) {
        ui.showMessage(MsgKind::Information, text(msg::kWeightsAllZero));
        return false;
    }
    return true;
}

} // namespace

bool AcceptSumWeights(Workspace& ws, UiPort& ui, const QStringList& typed)
{
    vectorObj weights{};
    if (!ParseWeights(ws, ui, typed, [](Real w) { return w >= 0 && w <= 1; }, msg::kWeightsBetween0And1, weights))
        return false;
    Real sum = 0;
    for (int i = 1; i <= ws.numObjectives; ++i)
        sum += weights[i];
    for (int i = 1; i <= ws.numObjectives; ++i)
        ws.sumWeights[i] = weights[i] / sum;
    return true;
}

bool AcceptTchebWeights(Workspace& ws, UiPort& ui, const QStringList& typed)
{
    vectorObj weights{};
    if (!ParseWeights(ws, ui, typed, [](Real w) { return w >= 0; }, msg::kWeightsNonNegative, weights))
        return false;
    for (int i = 1; i <= ws.numObjectives; ++i)
        ws.tchebWeights[i] = weights[i];
    return true;
}

bool AcceptReferencePoint(Workspace& ws, UiPort& ui, const QStringList& typed)
{
    const int k = ws.numObjectives;
    vectorObj point{};
    for (int i = 1; i <= k; ++i) {
        if (i > typed.size() || !ParseTypedReal(typed[i - 1], point[i])) {
            ui.showMessage(MsgKind::Information, text(msg::kInvalidValues));
            return false;
        }
    }
    for (int i = 1; i <= k; ++i)
        ws.refPoint[i] = point[i];
    return true;
}
