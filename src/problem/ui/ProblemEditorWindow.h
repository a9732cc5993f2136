#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class EditorTable;
class HelpWindow;
class ProblemEditor;
class QAction;
class QLabel;
class QMenuBar;
class QPushButton;
class QTableWidget;
class RandomNumbersDialog;
class VariableBoundsDialog;

// "Edit problem": the window of the problem editor. It shows the table the
// editor holds (objectives or constraints), passes every typed text, cursor
// move and command to the editor, and then shows the result. A new window is
// made for every opening; every way of closing it goes through the editor's
// close question.
class ProblemEditorWindow : public QDialog {
    Q_OBJECT
public:
    // Does not own `editor`; it must outlive the window.
    ProblemEditorWindow(ProblemEditor& editor, QWidget* parent = nullptr);
    ~ProblemEditorWindow() override;

    ProblemEditor& editor() const { return editor_; }
    QTableWidget* table() const;
    QMenuBar* menuBar() const { return menuBar_; }
    QAction* showTablesAction() const { return showTables_; }
    QAction* boundsAction() const { return bounds_; }
    QAction* saveAction() const { return save_; }
    QAction* saveTextAction() const { return saveText_; }
    QAction* exitAction() const { return exit_; }
    QAction* insertObjectiveAction() const { return insertObjective_; }
    QAction* insertConstraintAction() const { return insertConstraint_; }
    QAction* insertVariableAction() const { return insertVariable_; }
    QAction* deleteObjectiveAction() const { return deleteObjective_; }
    QAction* deleteConstraintAction() const { return deleteConstraint_; }
    QAction* deleteVariableAction() const { return deleteVariable_; }
    QAction* helpAction() const { return help_; }
    QPushButton* switchButton() const { return switch_; }
    QPushButton* validateButton() const { return validate_; }
    QPushButton* randomButton() const { return random_; }
    QLabel* tableTitle() const { return tableTitle_; }
    VariableBoundsDialog* boundsDialog() const { return boundsDialog_; }
    RandomNumbersDialog* randomDialog() const { return randomDialog_; }

    // Shows the editor's state: caption, table, buttons, enabled commands.
    void refresh();

public slots:
    // Escape, the close box and "E&xit Edit" all end here.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    // Ends a cell still being typed (its text reaches the editor), runs
    // `command` on the editor and shows the result.
    void run(const std::function<void()>& command);
    void fillTable();
    void editBounds();
    void randomFill();
    void showHelp();
    std::optional<QString> chooseSaveFile(const QString& title, const QStringList& filters, const QString& suffix,
                                          const QString& proposedName);

    ProblemEditor& editor_;
    EditorTable* table_;
    QMenuBar* menuBar_;
    QLabel* tableTitle_;
    QLabel* idle_;
    QPushButton* switch_;
    QPushButton* validate_;
    QPushButton* random_;
    QAction* showTables_ = nullptr;
    QAction* bounds_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveText_ = nullptr;
    QAction* saveVlp_ = nullptr;
    QAction* exit_ = nullptr;
    QAction* insertObjective_ = nullptr;
    QAction* insertConstraint_ = nullptr;
    QAction* insertVariable_ = nullptr;
    QAction* deleteObjective_ = nullptr;
    QAction* deleteConstraint_ = nullptr;
    QAction* deleteVariable_ = nullptr;
    QAction* help_ = nullptr;
    VariableBoundsDialog* boundsDialog_;
    RandomNumbersDialog* randomDialog_;
    HelpWindow* helpWindow_ = nullptr;
    int shownView_ = -1;
    bool updating_ = false;
};
