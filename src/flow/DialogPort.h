#pragma once

#include "methods/ParetoRace.h"
#include "nadir/EaNadir.h"
#include "solutions/Limitations.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class ProblemEditor;

// The answer of the choose-an-objective dialog: the selected row of the
// list (-1 when none) and, when a value was asked for, the typed text.
struct ObjectiveChoice {
    int selected = -1;
    QString valueText;
};

// The dialogs and windows of the commands, beside the small UiPort. Each
// dialog returns what the user typed; the core validates it. The GUI
// implements it with its dialogs; the batch tool answers from the command
// line; tests answer from queues.
class DialogPort {
public:
    virtual ~DialogPort() = default;

    // Choose an objective among `names` (none preselected); with `withValue`
    // also a "Limitation value:" field. Placed at (x, y) when both are
    // positive, else centred on the main window. nullopt on Cancel.
    virtual std::optional<ObjectiveChoice> chooseObjective(const QString& title, const QString& prompt,
                                                           const QStringList& names, bool withValue, int x,
                                                           int y) = 0;
    // A one-row grid of weights with column headers ("l1" / "w1", shown as
    // Greek lambda / omega); the accept button reads `acceptCaption`.
    // nullopt unless closed with that button.
    virtual std::optional<QStringList> editWeights(const QString& title, const QStringList& headers,
                                                   const QStringList& values, const QString& acceptCaption) = 0;
    // The reference point grid: names above, values below. OK calls
    // `accept` with the typed texts; the dialog closes only when it returns
    // true. nullopt on Cancel.
    virtual std::optional<QStringList> editReferencePoint(const QStringList& names, const QStringList& values,
                                                          const std::function<bool(const QStringList&)>& accept) = 0;
    // The limitations dialog on `editor` (tabs, check box, value field);
    // `eConstraints` hides "Clear all" and captions the first button "OK"
    // instead of "Insert".
    virtual LimitationsAnswer editLimitations(LimitationsEditor& editor, bool eConstraints) = 0;
    // "Normalization of the objective function": true for L2; nullopt when
    // closed without OK.
    virtual std::optional<bool> chooseNormalization() = 0;
    // STEM's relaxation dialog: a row per objective ("name :" and its
    // amount). OK calls `accept` with the typed amounts; the dialog closes
    // only when it returns true. nullopt on Cancel (a port without the
    // dialog cancels).
    virtual std::optional<QStringList> editRelaxations(const QStringList& names, const QStringList& amounts,
                                                       const std::function<bool(const QStringList&)>& accept)
    {
        (void)names;
        (void)amounts;
        (void)accept;
        return std::nullopt;
    }
    // Pareto Race's ranges dialog: the objectives' lower and upper values;
    // nullopt unless closed with OK (a port without the dialog cancels).
    virtual std::optional<RaceRangeTexts> editRaceRanges(const QStringList& names, const QStringList& lower,
                                                         const QStringList& upper)
    {
        (void)names;
        (void)lower;
        (void)upper;
        return std::nullopt;
    }
    // The ICW selection dialog: `heading` above the choices, in two columns,
    // none selected; selecting choice i shows statusTexts[i] in the dialog's
    // status line. Returns the chosen position 1..choices.size(), 0 for OK
    // without a choice, nullopt on Cancel (a port without the dialog cancels).
    virtual std::optional<int> selectIcwSolution(const QString& heading, const QStringList& choices,
                                                 const QStringList& statusTexts)
    {
        (void)heading;
        (void)choices;
        (void)statusTexts;
        return std::nullopt;
    }
    // The modal pay-off window.
    virtual void showPayoffTable() = 0;
    // The problem editor's window on `editor`, modal: returns once the editor
    // has closed (every way of closing the window goes through
    // ProblemEditor::requestClose). A port without windows has nothing to
    // show and leaves the editor as it is.
    virtual void runProblemEditor(ProblemEditor& editor) { (void)editor; }
    // Solutions from..to were asked to be deleted: the weight space drops the
    // pairwise preferences that name them.
    virtual void pairwiseSolutionsDeleted(int from, int to)
    {
        (void)from;
        (void)to;
    }
    // The evolutionary algorithm's parameters dialog, opened with `defaults`;
    // nullopt on Cancel. A port without that dialog cancels.
    virtual std::optional<EaParameterTexts> editEaParameters(const EaParameterTexts& defaults)
    {
        (void)defaults;
        return std::nullopt;
    }
};
