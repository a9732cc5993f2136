#include "ScriptedUiPort.h"
#include "help/ui/HelpWindow.h"
#include "problem/ui/ProblemEditorWindow.h"
#include "workspace/Workspace.h"
#include "flow/ui/MainWindow.h"
#include "solutions/ui/BasketGraphsWindow.h"
#include "solutions/ui/BasketValuesWindow.h"
#include "flow/ui/SizesDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Texts of the visible entries of a menu; "-" for a separator.
QStringList visibleEntries(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions) {
        if (!a->isVisible())
            continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QMenu* menuNamed(QMainWindow& w, const QString& title)
{
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

// Runs `step` once the next modal dialog is showing.
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        step(modal);
    });
}

const char kProblem[] =
    "2\t(number of O.F.)\r\n1\t(number of Constraints)\r\n2\t(number of variables}\r\n"
    "O.FUNCTIONS: type (1=MAX; -1=MIN) ; coefficients \r\n"
    "1\t 3.00000000000000E+0000\t 1.00000000000000E+0000\tF1\r\n"
    "-1\t 1.00000000000000E+0000\t 2.00000000000000E+0000\tCost\r\n"
    "CONSTRAINTS: coefficients; type (0 <=, 1 =, 2 >=); rhs\r\n"
    " 1.00000000000000E+0000\t 1.00000000000000E+0000\t0\t 1.00000000000000E+0001\r\n"
    "VARIABLES:  LB; UB (infinite=1e41); name\r\n"
    " 0.00000000000000E+0000\t 1.00000000000000E+0041\tX1\r\n"
    " 0.00000000000000E+0000\t 5.00000000000000E+0000\tX2\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(*ws);
        window->uiPort().dialogs = &ui;
        window->uiPort().dialogPort = &ui;
        window->show();
    }

    void openProblem()
    {
        const QString path = dir.filePath(QStringLiteral("two.mlp"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kProblem);
        f.close();
        ui.files.push_back(path);
        window->action(Cmd::Open)->trigger();
    }

    QTemporaryDir dir;
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, EmptyPhaseShowsFileAndHelpMenusOnly)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quilvane - Interactive Multiple Objective Linear Programming"));
    EXPECT_EQ(visibleEntries(window->menuBar()->actions()), QStringList({QStringLiteral("&File"), QStringLiteral("&Help")}));
    QMenu* file = menuNamed(*window, QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(visibleEntries(file->actions()),
              QStringList({"&New", "&Open", "Open MPS", "Open VLP ...", "&Edit", "Save as VLP ...", "-", "E&xit"}));
    EXPECT_FALSE(window->action(Cmd::Edit)->isEnabled());
    EXPECT_FALSE(window->action(Cmd::SaveVlp)->isEnabled());
    EXPECT_TRUE(window->action(Cmd::OpenMps)->isEnabled());
    EXPECT_TRUE(window->action(Cmd::OpenVlp)->isEnabled());
    EXPECT_EQ(window->action(Cmd::New)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(window->action(Cmd::Open)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(window->action(Cmd::Edit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QMenu* help = menuNamed(*window, QStringLiteral("&Help"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(visibleEntries(help->actions()), QStringList({"Quilvane Help", "-", "About ..."}));
    EXPECT_FALSE(window->tabs()->isVisible());
    EXPECT_FALSE(window->report()->isVisible());
}

TEST_F(MainWindowTest, OpeningAProblemShowsTheFirstMenu)
{
    openProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quilvane - two"));
    EXPECT_EQ(visibleEntries(window->menuBar()->actions()),
              QStringList({QStringLiteral("&File"), QStringLiteral("Firs&t"), QStringLiteral("&Help")}));
    EXPECT_EQ(visibleEntries(menuNamed(*window, QStringLiteral("Firs&t"))->actions()),
              QStringList({"Compute Pay-off table", "-", "Import solutions from disk"}));
    EXPECT_TRUE(window->action(Cmd::Edit)->isEnabled());
}

TEST_F(MainWindowTest, SolutionPhaseShowsTabsMenusAndTheViewLastNControl)
{
    openProblem();
    for (int i = 0; i < 3; ++i)
        ws->pushHistory(ComputedSolution{});
    window->flow().ShowSolutionPhase();
    EXPECT_EQ(visibleEntries(window->menuBar()->actions()),
              QStringList({"&File", "&Compute", "&Limits", "&Methods", "&Solutions", "&Help"}));
    EXPECT_TRUE(window->tabs()->isVisible());
    EXPECT_EQ(window->tabs()->currentIndex(), 0);
    EXPECT_EQ(window->tabs()->tabText(0), QStringLiteral("SEARCH options"));
    EXPECT_EQ(window->tabs()->tabText(1), QStringLiteral("VIEW options"));
    EXPECT_TRUE(window->report()->isVisible());
    EXPECT_EQ(window->viewLastNBox()->value(), 3);
    EXPECT_TRUE(window->action(Cmd::ViewWeightSpace)->isVisible());
    EXPECT_FALSE(window->action(Cmd::NadirMenu)->isEnabled());

    window->viewLastNBox()->setValue(9);
    EXPECT_EQ(ws->viewLastN, 9);
    EXPECT_EQ(window->action(Cmd::BtnWeightedSum)->toolTip(), QStringLiteral("Optimize weighted-sum"));
}

TEST_F(MainWindowTest, TheBasketViewsEventShowsBothBasketWindows)
{
    openProblem();
    ASSERT_FALSE(window->basketValues()->isVisible());
    window->uiPort().notify(UiEvent::BasketViewsShown);
    EXPECT_TRUE(window->basketValues()->isVisible());
    EXPECT_TRUE(window->basketGraphs()->isVisible());
}

TEST_F(MainWindowTest, SizesDialogStaysOpenUntilTheCountsAreValid)
{
    auto type = [](SizesDialog* d, const char* p, const char* n, const char* m) {
        d->objectivesEdit()->setText(QString::fromLatin1(p));
        d->variablesEdit()->setText(QString::fromLatin1(n));
        d->constraintsEdit()->setText(QString::fromLatin1(m));
        d->accept();
    };
    QString editorTitle;
    int editorRows = 0;
    int editorColumns = 0;
    // The editor window opens once the sizes are accepted.
    std::function<void()> closeEditor = [&] {
        auto* editor = qobject_cast<ProblemEditorWindow*>(QApplication::activeModalWidget());
        if (!editor) {
            QTimer::singleShot(10, closeEditor);
            return;
        }
        editorTitle = editor->windowTitle();
        editorRows = editor->table()->rowCount();
        editorColumns = editor->table()->columnCount();
        editor->close();
    };
    whenModal([&](QWidget* modal) {
        auto* d = qobject_cast<SizesDialog*>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Parameters"));
        EXPECT_EQ(d->objectivesEdit()->text(), QStringLiteral("0"));
        type(d, "21", "5", "5");
        type(d, "25", "200", "150");
        type(d, "2", "x", "3");
        EXPECT_TRUE(d->isVisible());
        QTimer::singleShot(10, closeEditor);
        type(d, "3", "4", "2");
    });
    window->action(Cmd::New)->trigger();
    EXPECT_EQ(ui.dialogs(), QStringList({
                                "Warning: Too many objective functions (max 20)",
                                "Warning: Too many objective functions (max 20)",
                                "Warning: Too many variables (max 101)",
                                "Warning: Too many constraints (max 100)",
                                "Error: Invalid Numbers!",
                            }));
    EXPECT_EQ(editorTitle, QStringLiteral("Edit problem:    Untitled"));
    EXPECT_EQ(editorRows, 4);
    EXPECT_EQ(editorColumns, 6);
    EXPECT_EQ(ws->numObjectives, 3);
    EXPECT_EQ(ws->numVariables, 4);
    EXPECT_EQ(ws->numConstraints, 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quilvane - Untitled"));
    EXPECT_TRUE(window->action(Cmd::Edit)->isEnabled());
}

TEST_F(MainWindowTest, HelpWindowShowsTheHelpPageOfTheStartDirectory)
{
    ws->startDir = QStringLiteral(QUILVANE_HELP_DIR);
    whenModal([](QWidget* modal) {
        auto* help = qobject_cast<HelpWindow*>(modal);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->windowTitle(), QStringLiteral("Quilvane Help"));
        EXPECT_TRUE(help->browser()->source().toLocalFile().endsWith(QStringLiteral("Help2.htm")));
        EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Quilvane")));
        help->reject();
    });
    window->action(Cmd::HelpContents)->trigger();
}

TEST_F(MainWindowTest, ExitReleasesTheWorkspaceTables)
{
    openProblem();
    window->action(Cmd::Exit)->trigger();
    EXPECT_EQ(window->flow().engine(), nullptr);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
