// The problem editor's window, offscreen: it opens from New with the sizes,
// what is typed into its tables reaches the editor, its menus and buttons
// run the editor's commands, and every way of closing it asks the question.

#include "ScriptedUiPort.h"
#include "flow/ProblemEditor.h"
#include "problem/ui/ProblemEditorWindow.h"
#include "problem/ui/RandomNumbersDialog.h"
#include "help/ui/HelpWindow.h"
#include "problem/ui/VariableBoundsDialog.h"
#include "workspace/Workspace.h"
#include "flow/ui/MainWindow.h"
#include "flow/ui/SizesDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Runs `step` on the next modal widget of type T once it shows.
template <class T>
void whenModal(std::function<void(T*)> step, int attempts = 200)
{
    QTimer::singleShot(5, [step, attempts] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            step(modal);
            return;
        }
        ASSERT_GT(attempts, 0) << "no modal " << T::staticMetaObject.className();
        whenModal<T>(step, attempts - 1);
    });
}

QStringList tableRow(QTableWidget* t, int row)
{
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c)
        out << (t->item(row, c) ? t->item(row, c)->text() : QStringLiteral("<none>"));
    return out;
}

QStringList menuBarEntries(QMenuBar* bar)
{
    QStringList out;
    for (QAction* a : bar->actions())
        out << a->text();
    return out;
}

// Opens the cell's editor, as a double click or a key does, and types `text`
// into it; the text reaches the table when the editor closes.
void typeInto(QTableWidget* t, int row, int col, const QString& text)
{
    t->setCurrentCell(row, col);
    t->editItem(t->item(row, col));
    auto* edit = qobject_cast<QLineEdit*>(t->indexWidget(t->model()->index(row, col)));
    ASSERT_NE(edit, nullptr) << row << "," << col;
    edit->setText(text);
}

std::unique_ptr<ProblemData> NewProblem(int p, int n, int m)
{
    auto pb = std::make_unique<ProblemData>();
    ResetProblemData(*pb);
    pb->numObjectives = p;
    pb->numVariables = n;
    pb->numConstraints = m;
    for (int k = 1; k <= MaxObjectives; ++k)
        pb->objName[k] = DefaultObjectiveName(k);
    return pb;
}

class ProblemEditorWindowTest : public ::testing::Test {
protected:
    void open(const ProblemData& pb)
    {
        editor = std::make_unique<ProblemEditor>(ui, pb, QStringLiteral("Untitled"));
        editor->showTables();
        window = std::make_unique<ProblemEditorWindow>(*editor);
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    QTableWidget* table() const { return window->table(); }

    ScriptedUiPort ui;
    std::unique_ptr<ProblemEditor> editor;
    std::unique_ptr<ProblemEditorWindow> window;
};

TEST(ProblemEditorWindowFromNew, OpensWithTheSizesAndTheTypedProblemReachesTheWorkspace)
{
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    MainWindow main(*ws);
    main.uiPort().dialogs = &ui;
    main.uiPort().dialogPort = &ui;
    main.show();

    QStringList seen;
    whenModal<SizesDialog>([&](SizesDialog* d) {
        d->objectivesEdit()->setText(QStringLiteral("3"));
        d->variablesEdit()->setText(QStringLiteral("4"));
        d->constraintsEdit()->setText(QStringLiteral("3"));
        whenModal<ProblemEditorWindow>([&](ProblemEditorWindow* w) {
            seen << w->windowTitle();
            QTableWidget* t = w->table();
            seen << QString::number(t->rowCount()) + QLatin1Char('x') + QString::number(t->columnCount());
            seen << tableRow(t, 0).join(QLatin1Char('|')) << tableRow(t, 3).join(QLatin1Char('|'));
            seen << menuBarEntries(w->menuBar()).join(QLatin1Char('|'));
            seen << w->switchButton()->text();
            EXPECT_FALSE(w->saveAction()->isEnabled());
            EXPECT_FALSE(w->exitAction()->isEnabled());
            EXPECT_TRUE(w->boundsAction()->isEnabled());
            // It covers the main window.
            EXPECT_EQ(w->geometry(), main.geometry());

            typeInto(t, 2, 3, QStringLiteral("4.5"));
            t->setCurrentCell(1, 1);
            w->validateButton()->click();
            EXPECT_TRUE(w->exitAction()->isEnabled());
            ui.answers.push_back(Answer::No);
            w->exitAction()->trigger();
            EXPECT_FALSE(w->isVisible());
        });
        d->accept();
    });
    main.action(Cmd::New)->trigger();

    EXPECT_EQ(seen, QStringList({
                        "Edit problem:    Untitled",
                        "4x6",
                        "O.F.|X1|X2|X3|X4|max/min",
                        "F3|0|0|0|0|max",
                        "&Obj. functions and Constraints|&Variable bounds|Save as ...|Save as text ...|Save as VLP ...|"
                        "E&xit Edit|&Insert|&Delete|Help",
                        "Edit Constraints",
                    }));
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: Save changes to Untitled?")});
    EXPECT_EQ(ws->numObjectives, 3);
    EXPECT_EQ(ws->numVariables, 4);
    EXPECT_EQ(ws->numConstraints, 3);
    EXPECT_EQ(ws->objCoef[2][3], 4.5L);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quilvane - Untitled"));
}

TEST_F(ProblemEditorWindowTest, TypedCellsReachTheEditorWhenTheCursorMoves)
{
    open(*NewProblem(3, 4, 3));
    typeInto(table(), 1, 2, QStringLiteral("12"));
    EXPECT_EQ(editor->problem().objCoef[1][2], 0);
    table()->setCurrentCell(2, 2);
    EXPECT_EQ(editor->problem().objCoef[1][2], 12);
    EXPECT_EQ(editor->currentCell(), (EditorCell{2, 2}));

    // Real keys: the first starts the cell editor, Tab moves on.
    table()->setFocus();
    QTest::keyClick(table(), Qt::Key_7);
    QWidget* cellEditor = QApplication::focusWidget();
    ASSERT_NE(cellEditor, nullptr);
    QTest::keyClicks(cellEditor, QStringLiteral(".25"));
    QTest::keyClick(cellEditor, Qt::Key_Tab);
    EXPECT_EQ(editor->problem().objCoef[2][2], 7.25L);
    EXPECT_EQ(editor->currentCell(), (EditorCell{3, 2}));

    // The sense column.
    typeInto(table(), 3, 5, QStringLiteral("MIN"));
    table()->setCurrentCell(1, 1);
    EXPECT_EQ(editor->problem().objSense[3], -1);
    typeInto(table(), 3, 5, QStringLiteral("mn"));
    table()->setCurrentCell(1, 1);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: Invalid value")});
    EXPECT_EQ(editor->problem().objSense[3], -1);
    EXPECT_EQ(table()->item(3, 5)->text(), QStringLiteral("mn"));
    EXPECT_TRUE(ui.status[0].isEmpty());
}

TEST_F(ProblemEditorWindowTest, SwitchValidateAndTheTypeColumn)
{
    open(*NewProblem(2, 2, 2));
    EXPECT_EQ(window->tableTitle()->text(), QStringLiteral("Objective functions"));
    window->switchButton()->click();
    EXPECT_EQ(window->switchButton()->text(), QStringLiteral("Edit Functions"));
    EXPECT_EQ(window->tableTitle()->text(), QStringLiteral("Constraints"));
    EXPECT_EQ(tableRow(table(), 0), QStringList({"Constr.", "X1", "X2", "(<,>,=)", "b"}));
    EXPECT_EQ(tableRow(table(), 2), QStringList({"(2)", "0", "0", "<", "0"}));

    typeInto(table(), 1, 3, QStringLiteral("=>"));
    typeInto(table(), 2, 3, QStringLiteral("="));
    typeInto(table(), 2, 4, QStringLiteral("30"));
    window->validateButton()->click();
    EXPECT_EQ(editor->problem().conType[1], ConGreaterEqual);
    EXPECT_EQ(editor->problem().conType[2], ConEqual);
    EXPECT_EQ(editor->problem().conRhs[2], 30);
    EXPECT_FALSE(table()->isVisible());
    EXPECT_FALSE(window->validateButton()->isVisible());
    EXPECT_TRUE(window->saveAction()->isEnabled());
    EXPECT_TRUE(window->showTablesAction()->isEnabled());

    window->showTablesAction()->trigger();
    EXPECT_TRUE(table()->isVisible());
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    EXPECT_FALSE(window->saveTextAction()->isEnabled());
}

TEST_F(ProblemEditorWindowTest, ClickingACaptionRenames)
{
    open(*NewProblem(2, 3, 1));
    ui.inputs.push_back(QStringLiteral("Wood"));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(0, 2)).center());
    EXPECT_EQ(editor->problem().vars[2].name, QStringLiteral("Wood"));
    EXPECT_EQ(table()->item(0, 2)->text(), QStringLiteral("Wood"));
    ui.inputs.push_back(QStringLiteral("Profit"));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(1, 0)).center());
    EXPECT_EQ(table()->item(1, 0)->text(), QStringLiteral("Profit"));
    EXPECT_EQ(editor->problem().objName[1], QStringLiteral("Profit"));
    // The cursor never lands on a caption.
    EXPECT_FALSE(editor->isCaptionCell(table()->currentColumn(), table()->currentRow()));
    EXPECT_EQ(ui.log.size(), 2);
}

TEST_F(ProblemEditorWindowTest, MenuCommandsTakeTheCellStillBeingTyped)
{
    open(*NewProblem(2, 2, 1));
    typeInto(table(), 1, 1, QStringLiteral("3"));
    window->insertVariableAction()->trigger();
    EXPECT_EQ(editor->problem().objCoef[1][1], 3);
    EXPECT_EQ(table()->columnCount(), 5);
    EXPECT_EQ(tableRow(table(), 0), QStringList({"O.F.", "X1", "X2", "X3", "max/min"}));

    window->insertConstraintAction()->trigger();
    EXPECT_EQ(editor->view(), EditorView::Constraints);
    EXPECT_EQ(table()->rowCount(), 3);

    ui.inputs.push_back(QStringLiteral("1"));
    window->deleteObjectiveAction()->trigger();
    EXPECT_EQ(editor->problem().numObjectives, 1);
    EXPECT_EQ(table()->rowCount(), 2);
    EXPECT_EQ(tableRow(table(), 1), QStringList({"F2", "0", "0", "0", "max"}));
}

TEST_F(ProblemEditorWindowTest, EveryWayOfClosingAsksTheQuestion)
{
    open(*NewProblem(2, 2, 1));
    typeInto(table(), 1, 1, QStringLiteral("2"));
    // The close box while a table is shown.
    ui.answers.push_back(Answer::Cancel);
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: Save changes to Untitled?")});
    EXPECT_EQ(editor->problem().objCoef[1][1], 2);

    // Escape.
    ui.clear();
    ui.answers.push_back(Answer::Cancel);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ui.dialogs().size(), 1);

    // "E&xit Edit".
    ui.clear();
    ui.answers.push_back(Answer::No);
    ASSERT_TRUE(window->exitAction()->isEnabled());
    window->exitAction()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(editor->isClosed());
    EXPECT_EQ(editor->fileName(), QStringLiteral("Untitled"));
}

TEST_F(ProblemEditorWindowTest, InvalidCellKeepsTheWindowOpen)
{
    open(*NewProblem(1, 1, 1));
    typeInto(table(), 1, 1, QStringLiteral("x"));
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: Invalid value")});
}

TEST_F(ProblemEditorWindowTest, VariableBoundsDialog)
{
    open(*NewProblem(1, 3, 1));
    QStringList shown;
    whenModal<VariableBoundsDialog>([&](VariableBoundsDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Variable definition"));
        EXPECT_TRUE(d->nextButton()->isDefault());
        shown << d->indexLabel()->text() + QLatin1Char(' ') + d->nameEdit()->text() + QLatin1Char(' ')
                     + d->lowerEdit()->text() + QLatin1Char(' ') + d->upperEdit()->text();
        d->upperEdit()->setText(QStringLiteral("1M"));
        d->lowerEdit()->setText(QStringLiteral("2"));
        d->nextButton()->click();
        shown << d->indexLabel()->text();
        d->upperEdit()->setText(QStringLiteral("-5"));
        d->previousButton()->click();
        shown << d->indexLabel()->text() + QLatin1Char(' ') + d->lowerEdit()->text() + QLatin1Char(' ')
                     + d->upperEdit()->text();
        ui.inputs.push_back(QStringLiteral("4"));
        d->goToButton()->click();
        shown << d->indexLabel()->text();
        ui.inputs.push_back(QStringLiteral("3"));
        d->goToButton()->click();
        d->nameEdit()->setText(QStringLiteral("Steel"));
        d->lowerEdit()->setText(QStringLiteral("7"));
        d->upperEdit()->setText(QStringLiteral("3"));
        d->okButton()->click();
        EXPECT_FALSE(d->isVisible());
    });
    window->boundsAction()->trigger();
    EXPECT_EQ(shown, QStringList({"1 X1 0 M", "2", "1 2 M", "1"}));
    const ProblemData& pb = editor->problem();
    EXPECT_EQ(pb.vars[1].lb, 2);
    EXPECT_EQ(pb.vars[1].ub, kInfiniteBound);
    EXPECT_EQ(pb.vars[2].ub, 0);
    EXPECT_EQ(pb.vars[3].name, QStringLiteral("Steel"));
    EXPECT_EQ(pb.vars[3].ub, 7);
    EXPECT_EQ(table()->item(0, 3)->text(), QStringLiteral("Steel"));
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(ui.dialogs(), QStringList({"Information: Only non-negative values are accepted: UB will be set to 0",
                                         "Information: UB must be >= than LB: UB will be set to LB"}));
}

TEST_F(ProblemEditorWindowTest, RandomDialogOnACoefficientAndOnTheTypeColumn)
{
    open(*NewProblem(2, 3, 2));
    table()->setCurrentCell(1, 2);
    QStringList items;
    whenModal<RandomNumbersDialog>([&](RandomNumbersDialog* d) {
        for (int i = 0; i < 3; ++i)
            items << (d->objectButton(i)->isHidden() ? QStringLiteral("-") : d->objectButton(i)->text());
        EXPECT_FALSE(d->minEdit(1)->isEnabled());
        EXPECT_FALSE(d->r3Check()->isEnabled());
        d->r2Check()->setChecked(true);
        EXPECT_TRUE(d->minEdit(1)->isEnabled());
        EXPECT_TRUE(d->r3Check()->isEnabled());
        d->r2Check()->setChecked(false);
        d->minEdit(0)->setText(QStringLiteral("5"));
        d->maxEdit(0)->setText(QStringLiteral("5"));
        d->objectButton(2)->setChecked(true);
        d->okButton()->click();
    });
    window->randomButton()->click();
    EXPECT_EQ(items, QStringList({"for current cell", "for current row", "for all coefficients"}));
    for (int k = 1; k <= 2; ++k)
        EXPECT_EQ(tableRow(table(), k).mid(1), QStringList({"5", "5", "5", "max"})) << k;
    EXPECT_EQ(editor->problem().objCoef[2][3], 5);

    // The type column is not numerical: a message and no dialog.
    window->switchButton()->click();
    table()->setCurrentCell(1, 4);
    window->randomButton()->click();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: This is not a numerical cell")});

    // The right-hand sides: two items, R1 up to the row's sum; the dialog
    // keeps its entries.
    typeInto(table(), 1, 1, QStringLiteral("2"));
    typeInto(table(), 1, 3, QStringLiteral("4.5"));
    table()->setCurrentCell(1, 5);
    QString presetMax;
    QString keptMin;
    items.clear();
    whenModal<RandomNumbersDialog>([&](RandomNumbersDialog* d) {
        for (int i = 0; i < 3; ++i)
            items << (d->objectButton(i)->isHidden() ? QStringLiteral("-") : d->objectButton(i)->text());
        presetMax = d->maxEdit(0)->text();
        keptMin = d->minEdit(0)->text();
        EXPECT_TRUE(d->objectButton(0)->isChecked());
        d->reject();
    });
    window->randomButton()->click();
    EXPECT_EQ(items, QStringList({"for current cell", "for all RHS values", "-"}));
    EXPECT_EQ(presetMax, QStringLiteral("6.5"));
    EXPECT_EQ(keptMin, QStringLiteral("5"));
    EXPECT_EQ(editor->problem().conRhs[1], 0);
}

TEST_F(ProblemEditorWindowTest, SaveAsProposesTheProblemsNameInItsFolder)
{
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("plant.v1.mlp"));
    QFile touch(original);
    ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    touch.close();
    editor = std::make_unique<ProblemEditor>(ui, *NewProblem(1, 2, 1), original);
    editor->showTables();
    window = std::make_unique<ProblemEditorWindow>(*editor);
    window->show();
    typeInto(table(), 1, 1, QStringLiteral("4"));
    window->validateButton()->click();
    ASSERT_TRUE(window->saveAction()->isEnabled());
    EXPECT_EQ(window->saveAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));

    QString proposed;
    QString folder;
    whenModal<QFileDialog>([&](QFileDialog* d) {
        proposed = QFileInfo(d->selectedFiles().value(0)).fileName();
        folder = d->directory().absolutePath();
        d->selectFile(dir.filePath(QStringLiteral("plant2")));
        static_cast<QDialog*>(d)->accept();
    });
    window->saveAction()->trigger();
    // The base name, to which the dialog adds the suffix.
    EXPECT_EQ(proposed, QStringLiteral("plant.mlp"));
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    const QString saved = dir.filePath(QStringLiteral("plant2.mlp"));
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(editor->fileName(), saved);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Edit problem:    plant2.mlp"));
    EXPECT_FALSE(editor->changed());
    window->exitAction()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorWindowTest, HelpShowsTheHelpPage)
{
    open(*NewProblem(1, 1, 1));
    editor->setHelpPage(QDir(QStringLiteral(QUILVANE_HELP_DIR)).filePath(QStringLiteral("Help2.htm")));
    QString shown;
    whenModal<HelpWindow>([&](HelpWindow* help) {
        shown = help->browser()->toPlainText();
        help->reject();
    });
    window->helpAction()->trigger();
    EXPECT_TRUE(shown.contains(QStringLiteral("Creating and editing a problem")));
}

} // namespace

TEST_F(ProblemEditorWindowTest, TabReachesEveryColumn)
{
    for (const bool constraints : {false, true}) {
        window.reset();
        open(*NewProblem(2, 3, 2));
        if (constraints)
            window->switchButton()->click();
        table()->setFocus();
        table()->setCurrentCell(1, 1);
        QSet<int> reached{table()->currentColumn()};
        for (int i = 0; i < 2 * table()->columnCount(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            QTest::keyClick(focus, Qt::Key_Tab);
            reached.insert(table()->currentColumn());
        }
        for (int c = 1; c < table()->columnCount(); ++c)
            EXPECT_TRUE(reached.contains(c)) << "column " << c << (constraints ? " of the constraints" : "");
    }
}
