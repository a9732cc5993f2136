#pragma once

#include "base/Colors.h"
#include "base/Notices.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

enum class Answer { Yes, No, Cancel };

class LimitationsEditor;
class ProblemEditor;

// The answer of the choose-an-objective dialog: the selected row of the
// list (-1 when none) and, when a value was asked for, the typed text.
struct ObjectiveChoice {
    int selected = -1;
    QString valueText;
};

// The typed cells of the Pareto Race ranges dialog, one per objective.
struct RaceRangeTexts {
    QStringList lower;
    QStringList upper;
};

// How the limitations dialog was closed.
enum class LimitationsAnswer { Accept, ClearAll, Cancel };

// The fields of the evolutionary algorithm's parameters dialog as typed.
struct EaParameterTexts {
    QString popSize;
    QString mutation;
    QString iterations;
    bool randomize = true;
    QString seed;
    bool trace = false; // write the trace file
};

// How the core talks to the person. The GUI implements it with Qt widgets;
// tests use a scripted implementation that answers from a queue and records
// every call. Every text passed here is shown exactly as given.
class UiPort {
public:
    virtual ~UiPort() = default;

    virtual void showMessage(MsgKind kind, const QString& text) = 0;
    // A Yes/No question, or Yes/No/Cancel when withCancel.
    virtual Answer ask(const QString& text, bool withCancel = false) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& defaultText) = 0;
    // File choosers; nullopt when cancelled. `filters` are Qt filter strings
    // such as "MOLP data (*.mlp)"; defaultSuffix is added to a typed name
    // without extension.
    virtual std::optional<QString> chooseOpenFile(const QString& title, const QStringList& filters,
                                                  const QString& defaultSuffix) = 0;
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters,
                                                  const QString& defaultSuffix) = 0;

    // A solid colour; nullopt when cancelled.
    virtual std::optional<Color> chooseColor(Color initial) = 0;

    // Dialogs of the computations. Each returns what the user typed; the
    // core validates it.

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

    // Status bar: panel 0 for progress and store messages, panel 1 for times.
    virtual void setStatusText(int panel, const QString& text) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    virtual void hideProgress() = 0;
    virtual void setBusy(bool busy) = 0;
    // Lets pending window events (repaints) run inside a long command.
    virtual void processEvents() = 0;
    virtual void notify(UiEvent event) = 0;
    // Solutions from..to were asked to be deleted: the weight space drops the
    // pairwise preferences that name them.
    virtual void pairwiseSolutionsDeleted(int from, int to)
    {
        (void)from;
        (void)to;
    }

    // A long computation that the user may stop: a box titled `title` that
    // shows `text` and has a Cancel button. The core rewrites the text at
    // least every 0.2 s while it runs; each update also lets pending window
    // events run and returns false once Cancel was pressed. A port without
    // windows shows nothing and never cancels.
    virtual void beginStoppableTask(const QString& title, const QString& text)
    {
        (void)title;
        (void)text;
    }
    virtual bool updateStoppableTask(const QString& text)
    {
        (void)text;
        processEvents();
        return true;
    }
    virtual void endStoppableTask() {}
    // Shows the basket values and basket graph windows; each refreshes.
    virtual void showBasketViews() {}
    // The evolutionary algorithm's parameters dialog, opened with `defaults`;
    // nullopt on Cancel. A port without that dialog cancels.
    virtual std::optional<EaParameterTexts> editEaParameters(const EaParameterTexts& defaults)
    {
        (void)defaults;
        return std::nullopt;
    }
};

// Shows the busy cursor for the lifetime of the guard.
class BusyCursor {
public:
    explicit BusyCursor(UiPort& ui) : ui_(ui) { ui_.setBusy(true); }
    ~BusyCursor() { ui_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    UiPort& ui_;
};

// Shows what a computation had to tell, in order: message boxes, status
// texts and view events.
void ShowNotices(UiPort& ui, const Notices& notices);
