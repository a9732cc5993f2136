#pragma once

#include "base/Numeric.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class UiPort;

// The working copy behind the limitations dialog. It lives as long as the
// program, so the flags and values typed last are still there when the
// dialog opens again. The dialog shows one tab per objective in `tabs()` and
// one check box and one value field for the current objective; the widget
// only mirrors `checked()` / `valueText()` and reports what the user does.
class LimitationsEditor {
public:
    // Limitations command: a tab per objective; the copy takes the
    // workspace's limitations. Loads the first tab.
    void prepareLimitations(const Workspace& ws);
    // e-constraints: a tab for every objective but `optimized`, whose flag
    // is cleared. Loads the first tab.
    void prepareEConstraints(const Workspace& ws, int optimized);

    const std::vector<int>& tabs() const { return tabObjective_; }
    QStringList tabNames(const Workspace& ws) const;
    int currentObjective() const { return current_; }
    // "Profit >=" for a maximized objective, "Cost <=" for a minimized one.
    QString checkCaption(const Workspace& ws) const;
    bool checked() const { return checked_; }
    QString valueText() const { return valueText_; }

    // The user ticked or unticked the box, or typed in the value field
    // (typing ticks the box, emptying the field unticks it).
    void setChecked(bool on) { checked_ = on; }
    void typeValue(const QString& text);
    // Switching to tab `index`: stores the current objective first; on a
    // conversion error (shown through `ui`) the current objective stays and
    // false is returned.
    bool switchToTab(int index, UiPort& ui);
    // Stores the controls into the copy; false (message shown) when the
    // value does not convert.
    bool storeCurrent(UiPort& ui);

    bool isOn(int k) const { return on_[k]; }
    Real value(int k) const { return value_[k]; }
    void clearAll(int objectives);

private:
    void load(int objective);

    std::array<bool, MaxObjectives + 1> on_{};
    std::array<Real, MaxObjectives + 1> value_{};
    std::vector<int> tabObjective_;
    int current_ = 0;
    bool checked_ = false;
    QString valueText_;
};

// The limitations command's dialog; true when the limitations changed.
bool RecolheLimitacoes(Workspace& ws, UiPort& ui, LimitationsEditor& editor);
// The bounds of an e-constraint computation on the objectives other than
// `optimized`; false when the dialog was not closed with OK.
bool Recolhe_e_constraints(Workspace& ws, UiPort& ui, LimitationsEditor& editor, int optimized);
// limitsActive := some limitation on; the values of those off become 0.
void NormalizeLimitations(Workspace& ws);

// Typed weights of the weighted sum: each in [0, 1] ("Choose weights
// between 0 and 1" for each one that is not), not all zero; then normalized
// to sum 1 into ws.sumWeights. False when any is refused.
bool AcceptSumWeights(Workspace& ws, UiPort& ui, const QStringList& typed);
// Typed Tchebycheff weights: each >= 0 ("The weights must be >=0"), not all
// zero; into ws.tchebWeights, not normalized.
bool AcceptTchebWeights(Workspace& ws, UiPort& ui, const QStringList& typed);
// Typed reference point: "Invalid Values!" at the first text that is not a
// number. Writes ws.refPoint only when all convert.
bool AcceptReferencePoint(Workspace& ws, UiPort& ui, const QStringList& typed);

// A typed real by ParseReal's rules (base/RealParser.h).
bool ParseTypedReal(const QString& text, Real& value);
