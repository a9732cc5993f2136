#pragma once

#include "base/UiPort.h"
#include "flow/DialogPort.h"

#include <functional>

class ChooseObjectiveDialog;
class EaParametersDialog;
class IcwSelectionDialog;
class LimitationsDialog;
class NormalizationDialog;
class RaceRangesDialog;
class RelaxationsDialog;
class PayoffWindow;
class QLabel;
class QProgressBar;
class QProgressDialog;
class QWidget;
class ReferencePointDialog;
class WeightsDialog;
struct Workspace;

// UiPort and DialogPort on Qt widgets: message boxes, input boxes, file and
// colour choosers parented to the main window, the status bar panels and
// the progress bar. Notifications go to the window through `onNotify`. The
// dialogs of the computations are built on first use, parented to the main
// window, and reused, so that they keep their place and size.
//
// For tests, `dialogs` can route every modal interaction of the UiPort
// (messages, questions, inputs, choosers) and `dialogPort` every dialog of
// the computations to another port while status texts, the busy cursor and
// notifications still reach the window.
class QtUiPort : public UiPort, public DialogPort {
public:
    explicit QtUiPort(QWidget* parent);
    ~QtUiPort() override;
    QtUiPort(const QtUiPort&) = delete;
    QtUiPort& operator=(const QtUiPort&) = delete;
    void attachStatusBar(QLabel* panel0, QLabel* panel1, QProgressBar* progress);
    // The workspace the pay-off window and the limitations dialog show.
    void setWorkspace(const Workspace* ws) { ws_ = ws; }

    std::function<void(UiEvent)> onNotify;
    // Called when a stoppable task's box goes (at its end, or while a box
    // of the task is up).
    std::function<void()> onTaskEnded;
    std::function<void(int, int)> onPairwiseDeleted;
    // Places the windows the port builds (the pay-off table) as it places
    // the main window's views.
    std::function<void(QWidget*, const QString&)> manageWindow;
    UiPort* dialogs = nullptr;
    DialogPort* dialogPort = nullptr;

    void showMessage(MsgKind kind, const QString& text) override;
    Answer ask(const QString& text, bool withCancel) override;
    SaveAnswer askSaveDiscard(const QString& text) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<Color> chooseColor(Color initial) override;
    std::optional<ObjectiveChoice> chooseObjective(const QString& title, const QString& prompt,
                                                   const QStringList& names, bool withValue, int x,
                                                   int y) override;
    std::optional<QStringList> editWeights(const QString& title, const QStringList& headers,
                                           const QStringList& values, const QString& acceptCaption) override;
    std::optional<QStringList> editReferencePoint(const QStringList& names, const QStringList& values,
                                                  const std::function<bool(const QStringList&)>& accept) override;
    LimitationsAnswer editLimitations(LimitationsEditor& editor, bool eConstraints) override;
    std::optional<bool> chooseNormalization() override;
    std::optional<EaParameterTexts> editEaParameters(const EaParameterTexts& defaults) override;
    std::optional<QStringList> editRelaxations(const QStringList& names, const QStringList& amounts,
                                               const std::function<bool(const QStringList&)>& accept) override;
    std::optional<RaceRangeTexts> editRaceRanges(const QStringList& names, const QStringList& lower,
                                                 const QStringList& upper) override;
    std::optional<int> selectIcwSolution(const QString& heading, const QStringList& choices,
                                         const QStringList& statusTexts) override;
    void showPayoffTable() override;
    // The editor's window is always the real one, parented to the main
    // window; its messages and questions come back through this port (and so
    // to `dialogs` when set).
    void runProblemEditor(ProblemEditor& editor) override;
    void setStatusText(int panel, const QString& text) override;
    void showProgress(int position, int maximum) override;
    void hideProgress() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void notify(UiEvent event) override;
    void beginStoppableTask(const QString& title, const QString& text) override;
    bool updateStoppableTask(const QString& text) override;
    void endStoppableTask() override;
    // A computation with a progress box is running.
    bool stoppableTaskRunning() const { return task_ != nullptr; }
    void pairwiseSolutionsDeleted(int from, int to) override;

    // The dialogs, built on first use.
    ChooseObjectiveDialog* chooseObjectiveDialog();
    WeightsDialog* weightsDialog();
    ReferencePointDialog* referencePointDialog();
    LimitationsDialog* limitationsDialog();
    NormalizationDialog* normalizationDialog();
    PayoffWindow* payoffWindow();

private:
    void rememberFolder(const QString& chosenPath);
    QString proposedSavePath(const QString& defaultSuffix) const;

    QWidget* parent_;
    QLabel* panels_[2] = {nullptr, nullptr};
    QProgressBar* progress_ = nullptr;
    QString lastDir_;
    const Workspace* ws_ = nullptr;
    ChooseObjectiveDialog* chooseObjective_ = nullptr;
    WeightsDialog* weights_ = nullptr;
    ReferencePointDialog* referencePoint_ = nullptr;
    LimitationsDialog* limitations_ = nullptr;
    NormalizationDialog* normalization_ = nullptr;
    RelaxationsDialog* relaxations_ = nullptr;
    RaceRangesDialog* raceRanges_ = nullptr;
    IcwSelectionDialog* icwSelection_ = nullptr;
    PayoffWindow* payoff_ = nullptr;
    EaParametersDialog* eaParameters_ = nullptr;
    QProgressDialog* task_ = nullptr;
    bool taskCursor_ = false;

    class TaskPause {
    public:
        explicit TaskPause(QtUiPort& port);
        ~TaskPause();
        TaskPause(const TaskPause&) = delete;
        TaskPause& operator=(const TaskPause&) = delete;

    private:
        QtUiPort& port_;
        bool paused_ = false;
        bool cancelled_ = false;
        QString title_;
        QString text_;
    };
};
