#pragma once

#include "base/UiPort.h"
#include "solutions/Limitations.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabBar;
struct Workspace;

// "Limitations on the objective functions": a tab per objective and, for the
// objective of the current tab, a check box (the limitation is in force) and
// its value. The widgets mirror a LimitationsEditor and report every user
// action to it; the editor decides what the controls show.
class LimitationsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LimitationsDialog(QWidget* parent = nullptr);

    // Shows the dialog modally on `editor` (already prepared by the caller).
    // With `eConstraints` the first button reads "OK" and "Clear all" is
    // hidden; otherwise it reads "Insert". Messages of a refused tab switch
    // go through `ui`.
    LimitationsAnswer edit(LimitationsEditor& editor, const Workspace& ws, UiPort& ui, bool eConstraints);

    QTabBar* tabBar() const { return tabs_; }
    QCheckBox* limitBox() const { return check_; }
    QLineEdit* valueEdit() const { return value_; }
    QPushButton* acceptButton() const { return accept_; }
    QPushButton* clearAllButton() const { return clearAll_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    enum Result { ResultCancel = 0, ResultAccept = 1, ResultClearAll = 2 };

    void showCurrent();
    void tabChanged(int index);
    void boxToggled(bool on);
    void valueTyped(const QString& text);

    QTabBar* tabs_;
    QCheckBox* check_;
    QLineEdit* value_;
    QPushButton* accept_;
    QPushButton* clearAll_;
    QPushButton* cancel_;

    // Set only while the dialog is open.
    LimitationsEditor* editor_ = nullptr;
    const Workspace* ws_ = nullptr;
    UiPort* ui_ = nullptr;
    int shownTab_ = 0;
    bool syncing_ = false;
};
