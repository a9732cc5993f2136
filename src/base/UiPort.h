#pragma once

#include "base/Colors.h"
#include "base/Notices.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class Answer { Yes, No, Cancel };
// The answer to "save your work first?".
enum class SaveAnswer { Save, Discard, Cancel };

// How the core talks to the person. The GUI implements it with Qt widgets;
// tests use a scripted implementation that answers from a queue and records
// every call. Every text passed here is shown exactly as given.
class UiPort {
public:
    virtual ~UiPort() = default;

    virtual void showMessage(MsgKind kind, const QString& text) = 0;
    // A Yes/No question, or Yes/No/Cancel when withCancel.
    virtual Answer ask(const QString& text, bool withCancel = false) = 0;
    // Unsaved work about to be lost: Save, Discard or Cancel. A port without
    // such a box asks Yes (save) / No (discard) / Cancel.
    virtual SaveAnswer askSaveDiscard(const QString& text)
    {
        switch (ask(text, true)) {
        case Answer::Yes: return SaveAnswer::Save;
        case Answer::No: return SaveAnswer::Discard;
        default: return SaveAnswer::Cancel;
        }
    }
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

    // Status bar: panel 0 for progress and store messages, panel 1 for times.
    virtual void setStatusText(int panel, const QString& text) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    virtual void hideProgress() = 0;
    virtual void setBusy(bool busy) = 0;
    // Lets pending window events (repaints) run inside a long command.
    virtual void processEvents() = 0;
    virtual void notify(UiEvent event) = 0;
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
