#pragma once

#include "workspace/UiPort.h"

#include <functional>

class QLabel;
class QProgressBar;
class QWidget;

// UiPort on Qt widgets: message boxes, input boxes, file and colour choosers
// parented to the main window, the status bar panels and the progress bar.
// Notifications go to the window through `onNotify`.
//
// For tests, `dialogs` can route every modal interaction (messages,
// questions, inputs, choosers) to another port while status texts, the busy
// cursor and notifications still reach the window.
class QtUiPort : public UiPort {
public:
    explicit QtUiPort(QWidget* parent);
    void attachStatusBar(QLabel* panel0, QLabel* panel1, QProgressBar* progress);

    std::function<void(UiEvent)> onNotify;
    UiPort* dialogs = nullptr;

    void showMessage(MsgKind kind, const QString& text) override;
    Answer ask(const QString& text, bool withCancel) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& defaultText) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters,
                                          const QString& defaultSuffix) override;
    std::optional<Color> chooseColor(Color initial) override;
    void setStatusText(int panel, const QString& text) override;
    void showProgress(int position, int maximum) override;
    void hideProgress() override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void notify(UiEvent event) override;

private:
    QWidget* parent_;
    QLabel* panels_[2] = {nullptr, nullptr};
    QProgressBar* progress_ = nullptr;
    QString lastDir_;
};
