#pragma once

#include "base/Notices.h"
#include "base/Numeric.h"
#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// How the limitations dialog was closed.
enum class LimitationsAnswer { Accept, ClearAll, Cancel };

// Storing the controls of the shown objective: false, with the message,
// when the value does not convert.
struct LimitationStoreResult {
    bool stored = false;
    Notices notices;
};

// Switching the dialog's tab: false when the index is out of range or the
// shown value does not convert (then with its message).
struct TabSwitchResult {
    bool switched = false;
    Notices notices;
};

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
    // conversion error the current objective stays.
    [[nodiscard]] TabSwitchResult switchToTab(int index);
    // Stores the controls into the copy.
    [[nodiscard]] LimitationStoreResult storeCurrent();

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

// The limitations command once its dialog on `editor` (prepared with
// prepareLimitations) was closed with `answer`: the workspace takes the
// editor's limitations when they differ from its own.
struct LimitationsResult {
    bool changed = false;
    Notices notices;
};
[[nodiscard]] LimitationsResult RecolheLimitacoes(Workspace& ws, LimitationsEditor& editor, LimitationsAnswer answer);
// The bounds of an e-constraint computation on the objectives other than
// the optimized one, once the dialog on `editor` (prepared with
// prepareEConstraints) was closed with `answer`; accepted only on OK with
// a value that converts.
struct EConstraintsResult {
    bool accepted = false;
    Notices notices;
};
[[nodiscard]] EConstraintsResult Recolhe_e_constraints(Workspace& ws, LimitationsEditor& editor,
                                                       LimitationsAnswer answer);
// limitsActive := some limitation on; the values of those off become 0.
void NormalizeLimitations(Workspace& ws);

// Typed weights of the weighted sum: each in [0, 1] ("Choose weights
// between 0 and 1" for each one that is not), not all zero; then normalized
// to sum 1 in `weights` (for ws.sumWeights).
struct SumWeightsResult {
    bool accepted = false;
    vectorObj weights{};
    Notices notices;
};
[[nodiscard]] SumWeightsResult AcceptSumWeights(const Workspace& ws, const QStringList& typed);
// Typed Tchebycheff weights: each >= 0 ("The weights must be >=0"), not all
// zero; in `weights` (for ws.tchebWeights), not normalized.
struct TchebWeightsResult {
    bool accepted = false;
    vectorObj weights{};
    Notices notices;
};
[[nodiscard]] TchebWeightsResult AcceptTchebWeights(const Workspace& ws, const QStringList& typed);
// Typed reference point: "Invalid Values!" at the first text that is not a
// number; `point` (for ws.refPoint) is set only when all convert.
struct ReferencePointResult {
    bool accepted = false;
    vectorObj point{};
    Notices notices;
};
[[nodiscard]] ReferencePointResult AcceptReferencePoint(const Workspace& ws, const QStringList& typed);

// A typed real by ParseReal's rules (base/RealParser.h).
bool ParseTypedReal(const QString& text, Real& value);
