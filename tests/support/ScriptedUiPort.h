#pragma once

#include "base/UiPort.h"
#include "flow/DialogPort.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

// A UiPort and DialogPort for tests: answers questions and dialogs from
// queues and records every message, question and notification as a line of
// text, e.g.
// "Error: File not found", "Ask: Do you want ...?", "Status0: ...".
// An unexpected question (empty queue) is recorded and answered No/cancel.
class ScriptedUiPort : public UiPort, public DialogPort {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<Color>> colors;
    std::deque<std::optional<ObjectiveChoice>> objectiveChoices;
    // Each answer of a weights or reference-point dialog: the typed texts,
    // or nullopt for Cancel.
    std::deque<std::optional<QStringList>> grids;
    // Each opening of the limitations dialog runs the next script on the
    // editor (as the user would, through the editor's operations) and
    // returns its answer.
    std::deque<std::function<LimitationsAnswer(LimitationsEditor&)>> limitationScripts;
    std::deque<std::optional<bool>> normalizations;
    // Each answer of the evolutionary algorithm's parameters dialog; nullopt
    // (or none left) for Cancel. The defaults of the last opening are kept.
    std::deque<std::optional<EaParameterTexts>> eaParameters;
    EaParameterTexts eaDefaults;
    // Each answer of the race's ranges dialog; nullopt for Cancel. The
    // relaxation dialog answers from `grids` as the reference point does.
    std::deque<std::optional<RaceRangeTexts>> ranges;
    // Each answer of the ICW selection dialog: the chosen position (1-based),
    // 0 for OK without a choice, nullopt (or none left) for Cancel.
    std::deque<std::optional<int>> icwChoices;
    int payoffTableShown = 0;
    // Each opening of the problem editor runs the next script on the editor,
    // through its operations as the window would. An editor still open
    // afterwards is closed as by the window's close box (its question is
    // answered from `answers`); one that stays open even then is logged.
    std::deque<std::function<void(ProblemEditor&)>> editorScripts;
    int editorsOpened = 0;

    QStringList log;                // messages, questions, inputs, files, status texts
    std::vector<UiEvent> events;    // notifications in order (basket views shown: logged and counted)
    QString status[2];
    int busyDepth = 0;
    int maxBusyDepth = 0;
    bool progressVisible = false;
    int progressPosition = 0;
    int progressMaximum = 0;
    // The stoppable-task box: its updates, the last text, and Cancel pressed
    // at update number cancelAtUpdate (1-based; 0 never).
    bool taskOpen = false;
    int taskUpdates = 0;
    int cancelAtUpdate = 0;
    QString taskText;
    int basketViewsShown = 0;

    void showMessage(MsgKind kind, const QString& text) override;
    Answer ask(const QString& text, bool withCancel) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<Color> chooseColor(Color initial) override;
    std::optional<ObjectiveChoice> chooseObjective(const QString& title, const QString& prompt,
                                                   const QStringList& names, bool withValue, int x, int y) override;
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
    void runProblemEditor(ProblemEditor& editor) override;
    void setStatusText(int panel, const QString& text) override;
    void showProgress(int position, int maximum) override;
    void hideProgress() override;
    void setBusy(bool busy) override;
    void processEvents() override {}
    void notify(UiEvent event) override;
    void beginStoppableTask(const QString& title, const QString& text) override;
    bool updateStoppableTask(const QString& text) override;
    void endStoppableTask() override;

    // The log lines that are messages ("Information: ...", "Warning: ...",
    // "Error: ...", "Confirmation: ...") and questions ("Ask: ...").
    QStringList dialogs() const;
    bool saw(UiEvent event) const;
    void clear();
};

// The message boxes among `notices` as the scripted port logs them
// ("Warning: ...").
QStringList MessageLines(const Notices& notices);

