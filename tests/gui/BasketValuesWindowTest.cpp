#include "ScriptedUiPort.h"
#include "flow/WindowCommands.h"
#include "solutions/BasketTable.h"
#include "solutions/ui/BasketValuesWindow.h"
#include "solutions/ui/SortDialog.h"
#include "base/NumberFormat.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// Runs `step` on the next modal window once it is up. The step has to close
// it; should no modal window appear, the timer gives up after a while so a
// broken test fails instead of hanging.
void onNextModal(std::function<void(QWidget*)> step)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < 10000)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal)
            step(modal);
    });
    timer->start();
}

// True when some pixel of `rect` in `image` is within `tolerance` of
// `colour` in every channel.
bool hasPixelNear(const QImage& image, const QRect& rect, const QColor& colour, int tolerance = 40)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                return true;
        }
    return false;
}

class BasketValuesWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitWorkspace(*ws);
        ws->numObjectives = 2;
        ws->numVariables = 2;
        ws->numConstraints = 1;
        ResetComputedState(*ws);
        ws->objName[1] = QStringLiteral("Profit");
        ws->objName[2] = QStringLiteral("Cost");
        ws->vars[1].name = QStringLiteral("X1");
        ws->vars[2].name = QStringLiteral("X2");
        ws->slackName[1] = QStringLiteral("s1");
        add({10, 7}, {1, 2, 0}, hexColor(0xFF0000));
        add({30, 5}, {3, 0, 1}, hexColor(0x0000FF));
        add({20, 9}, {2, 1, 4}, hexColor(0x00A000));
        window = std::make_unique<BasketValuesWindow>(*ws, ui);
    }

    void TearDown() override { window.reset(); }

    void add(std::initializer_list<Real> f, std::initializer_list<Real> xs, Color colour)
    {
        SolSolutionBasket sol;
        int i = 1;
        for (Real v : f)
            sol.f[i++] = v;
        int j = 1;
        for (Real v : xs)
            sol.x_s[j++] = v;
        sol.cor = colour;
        sol.vbs.emplace_back();
        (void)ws->appendSolution(sol);
    }

    QStringList rowTexts(int row) const
    {
        QStringList texts;
        for (int c = 0; c < window->grid()->columnCount(); ++c)
            texts << window->grid()->text(c, row);
        return texts;
    }

    QStringList indexColumn() const
    {
        QStringList texts;
        for (int r = 1; r < window->grid()->rowCount(); ++r)
            texts << window->grid()->text(0, r);
        return texts;
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    std::unique_ptr<BasketValuesWindow> window;
};

TEST_F(BasketValuesWindowTest, ShowsOneRowPerSolutionUnderTheNames)
{
    window->mostraValores();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Solution values"));

    TextGrid* grid = window->grid();
    EXPECT_EQ(grid->columnCount(), 1 + 2 + 2 + 1);
    EXPECT_EQ(grid->rowCount(), 3 + 1);
    EXPECT_EQ(grid->rowHeight(), 18);
    EXPECT_EQ(grid->defaultColumnWidth(), 45);
    EXPECT_EQ(rowTexts(0), (QStringList{QString(), "Profit", "Cost", "X1", "X2", "s1"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"[1]", "10", "7", "1", "2", "0"}));
    EXPECT_EQ(rowTexts(2), (QStringList{"[2]", "30", "5", "3", "0", "1"}));
    EXPECT_EQ(rowTexts(3), (QStringList{"[3]", "20", "9", "2", "1", "4"}));

    EXPECT_EQ(window->saveButton()->toolTip(), QStringLiteral("Save as a text file"));
    EXPECT_EQ(window->sortButton()->toolTip(), QStringLiteral("Sort"));
}

TEST_F(BasketValuesWindowTest, FixedRowAndColumnAndTheObjectivesAreBold)
{
    window->fill();
    EXPECT_TRUE(window->cellFont(0, 0).bold());
    EXPECT_TRUE(window->cellFont(3, 0).bold());  // a variable's name
    EXPECT_TRUE(window->cellFont(0, 2).bold());  // an index
    EXPECT_TRUE(window->cellFont(1, 2).bold());  // an objective value
    EXPECT_TRUE(window->cellFont(2, 3).bold());
    EXPECT_FALSE(window->cellFont(3, 1).bold()); // a variable's value
    EXPECT_FALSE(window->cellFont(5, 1).bold()); // a slack's value
}

TEST_F(BasketValuesWindowTest, ColumnsWidenToTheirWidestTextPlusTheirMargin)
{
    ws->objName[2] = QStringLiteral("Investment");
    ws->vars[1].name = QStringLiteral("Production");
    ws->basket[2].f[1] = 12345678;
    ws->basket[3].x_s[3] = -0.000123456789L;
    window->mostraValores();

    QFont boldFont = window->grid()->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    const QFontMetrics plain(window->grid()->font());
    TextGrid* grid = window->grid();
    // Objectives: widest bold text + 15.
    EXPECT_EQ(grid->columnWidth(1), std::max(45, std::max(bold.horizontalAdvance(QStringLiteral("Profit")),
                                                          bold.horizontalAdvance(QStringLiteral("12345678"))) +
                                                     15));
    EXPECT_EQ(grid->columnWidth(2), std::max(45, bold.horizontalAdvance(QStringLiteral("Investment")) + 15));
    // Variables and slacks: the bold name or the plain values + 10.
    EXPECT_EQ(grid->columnWidth(3), std::max(45, bold.horizontalAdvance(QStringLiteral("Production")) + 10));
    const int slackText = std::max(bold.horizontalAdvance(QStringLiteral("s1")),
                                   plain.horizontalAdvance(NumText(-0.000123456789L)));
    EXPECT_EQ(grid->columnWidth(5), std::max(45, slackText + 10));
    EXPECT_EQ(grid->columnWidth(4), 45);
    EXPECT_GT(grid->columnWidth(1), 45);
    EXPECT_GT(grid->columnWidth(3), 45);

    // A refill starts again from the default width.
    ws->objName[2] = QStringLiteral("C");
    window->mostraValores();
    EXPECT_EQ(grid->columnWidth(2), 45);
}

TEST_F(BasketValuesWindowTest, IndexCellsAreDrawnInTheSolutionColour)
{
    window->mostraValores();
    window->resize(500, 300);
    QApplication::processEvents();
    const QImage image = window->grid()->viewport()->grab().toImage();
    TextGrid* grid = window->grid();
    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 0xA0, 0);
    EXPECT_TRUE(hasPixelNear(image, grid->cellRect(0, 1), red));
    EXPECT_FALSE(hasPixelNear(image, grid->cellRect(0, 1), blue));
    EXPECT_TRUE(hasPixelNear(image, grid->cellRect(0, 2), blue));
    EXPECT_FALSE(hasPixelNear(image, grid->cellRect(0, 2), red));
    EXPECT_TRUE(hasPixelNear(image, grid->cellRect(0, 3), green));
    // The values themselves are black.
    for (const QColor& c : {red, blue, green})
        EXPECT_FALSE(hasPixelNear(image, grid->cellRect(1, 2), c));
}

TEST_F(BasketValuesWindowTest, SortDialogReordersTheRowsAndKeepsTheChoice)
{
    window->mostraValores();
    bool opened = false;
    onNextModal([&](QWidget* modal) {
        opened = true;
        auto* dialog = qobject_cast<SortDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Sort..."));
        EXPECT_TRUE(dialog->indexButton()->isChecked());
        EXPECT_EQ(dialog->indexButton()->text(), QStringLiteral("Solution index"));
        EXPECT_TRUE(dialog->objectiveButton()->text().isEmpty());
        ASSERT_EQ(dialog->objectiveList()->count(), 2);
        EXPECT_EQ(dialog->objectiveList()->itemText(0), QStringLiteral("Profit"));
        EXPECT_EQ(dialog->objectiveList()->itemText(1), QStringLiteral("Cost"));
        EXPECT_EQ(dialog->objectiveList()->currentIndex(), 0);
        EXPECT_TRUE(dialog->ascendingButton()->isChecked());
        dialog->objectiveButton()->setChecked(true);
        dialog->objectiveList()->setCurrentIndex(1);
        dialog->descendingButton()->setChecked(true);
        dialog->okButton()->click();
    });
    window->sortButton()->click();
    ASSERT_TRUE(opened);

    EXPECT_EQ(ws->ValuesSortKey, 2);
    EXPECT_FALSE(ws->ValuesSortAscending);
    EXPECT_EQ(indexColumn(), (QStringList{"[3]", "[1]", "[2]"}));
    EXPECT_EQ(rowTexts(1), (QStringList{"[3]", "20", "9", "2", "1", "4"}));
    EXPECT_EQ(window->order(), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BasketValuesWindowTest, SortDialogOpensResetAndCancelChangesNothing)
{
    ws->ValuesSortKey = 1;
    ws->ValuesSortAscending = true;
    window->mostraValores();
    EXPECT_EQ(indexColumn(), (QStringList{"[1]", "[3]", "[2]"}));

    // A choice left in the dialog from a former opening does not survive.
    window->sortDialog()->objectiveButton()->setChecked(true);
    window->sortDialog()->objectiveList()->setCurrentIndex(1);
    window->sortDialog()->descendingButton()->setChecked(true);

    bool opened = false;
    onNextModal([&](QWidget* modal) {
        opened = true;
        auto* dialog = qobject_cast<SortDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->indexButton()->isChecked());
        EXPECT_FALSE(dialog->objectiveButton()->isChecked());
        EXPECT_EQ(dialog->objectiveList()->currentIndex(), 0);
        EXPECT_TRUE(dialog->ascendingButton()->isChecked());
        EXPECT_FALSE(dialog->descendingButton()->isChecked());
        dialog->descendingButton()->setChecked(true);
        dialog->cancelButton()->click();
    });
    window->sortButton()->click();
    ASSERT_TRUE(opened);
    EXPECT_EQ(ws->ValuesSortKey, 1);
    EXPECT_TRUE(ws->ValuesSortAscending);
    EXPECT_EQ(indexColumn(), (QStringList{"[1]", "[3]", "[2]"}));
}

TEST_F(BasketValuesWindowTest, SolutionIndexChosenInTheDialogGivesTheIndexOrder)
{
    ws->ValuesSortKey = 2;
    window->mostraValores();
    EXPECT_EQ(indexColumn(), (QStringList{"[2]", "[1]", "[3]"}));
    onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<SortDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->descendingButton()->setChecked(true);
        dialog->okButton()->click();
    });
    window->sortButton()->click();
    EXPECT_EQ(ws->ValuesSortKey, 0);
    EXPECT_FALSE(ws->ValuesSortAscending);
    EXPECT_EQ(indexColumn(), (QStringList{"[1]", "[2]", "[3]"}));
}

TEST_F(BasketValuesWindowTest, PickingAnObjectiveSelectsItsItem)
{
    SortDialog* dialog = window->sortDialog();
    dialog->resetChoices();
    ASSERT_TRUE(dialog->indexButton()->isChecked());
    emit dialog->objectiveList()->activated(1);
    EXPECT_TRUE(dialog->objectiveButton()->isChecked());
    EXPECT_FALSE(dialog->indexButton()->isChecked());
}

TEST_F(BasketValuesWindowTest, SaveButtonWritesTheTableThroughThePort)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("basket.txt"));
    ws->ValuesSortKey = 1;
    ws->ValuesSortAscending = false;
    window->mostraValores();

    ui.files.push_back(path);
    window->saveButton()->click();
    ASSERT_FALSE(ui.log.isEmpty());
    EXPECT_TRUE(ui.log.first().startsWith(QStringLiteral("SaveFile: "))) << ui.log.first().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    EXPECT_EQ(written, BasketTableText(*ws));
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith("solution2\t")); // the window's order: 30, 20, 10
    EXPECT_TRUE(lines[2].startsWith("solution3\t"));
    EXPECT_TRUE(lines[3].startsWith("solution1\t"));

    // The file exists now: the question comes, and No keeps it.
    ws->ValuesSortKey = 0;
    ui.log.clear();
    ui.files.push_back(path);
    ui.answers.push_back(Answer::No);
    window->saveButton()->click();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: OK to overwrite ") + path});
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), written);
}

TEST_F(BasketValuesWindowTest, RefillFollowsTheBasket)
{
    window->mostraValores();
    add({40, 1}, {5, 5, 5}, hexColor(0x808000));
    window->mostraValores();
    EXPECT_EQ(window->grid()->rowCount(), 5);
    EXPECT_EQ(rowTexts(4), (QStringList{"[4]", "40", "1", "5", "5", "5"}));

    ws->clearSolutions();
    window->mostraValores();
    EXPECT_EQ(window->grid()->rowCount(), 1);
    EXPECT_EQ(window->grid()->columnCount(), 6);
    EXPECT_EQ(rowTexts(0), (QStringList{QString(), "Profit", "Cost", "X1", "X2", "s1"}));
}

TEST_F(BasketValuesWindowTest, FixedRowAndColumnStayWhileTheCellsScroll)
{
    for (int s = 4; s <= 60; ++s)
        add({Real(s), Real(100 - s)}, {1, 2, 3}, hexColor(0x404040));
    window->mostraValores();
    window->resize(200, 200);
    QApplication::processEvents();
    TextGrid* grid = window->grid();
    ASSERT_GT(grid->verticalScrollBar()->maximum(), 0);
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    const QRect headerBefore = grid->cellRect(2, 0);
    const QRect indexBefore = grid->cellRect(0, 5);
    const QRect cellBefore = grid->cellRect(2, 5);
    // The bars count whole columns and rows: the first scrolling column
    // (row) moves out under the fixed ones.
    grid->verticalScrollBar()->setValue(2);
    grid->horizontalScrollBar()->setValue(1);
    const int dx = grid->columnWidth(1) + 1;
    const int dy = 2 * (18 + 1);
    EXPECT_EQ(grid->cellRect(0, 0).topLeft(), QPoint(0, 0));
    EXPECT_EQ(grid->cellRect(2, 0).top(), 0);
    EXPECT_EQ(grid->cellRect(2, 0).left(), headerBefore.left() - dx);
    EXPECT_EQ(grid->cellRect(2, 0).left(), grid->columnWidth(0) + 1);
    EXPECT_EQ(grid->cellRect(0, 5).left(), 0);
    EXPECT_EQ(grid->cellRect(0, 5).top(), indexBefore.top() - dy);
    EXPECT_EQ(grid->cellRect(0, 3).top(), 18 + 1);
    EXPECT_EQ(grid->cellRect(2, 5).topLeft(), cellBefore.topLeft() - QPoint(dx, dy));

    // At the end of both bars the last row and column show in full.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    const QSize view = grid->viewport()->size();
    const QRect last = grid->cellRect(grid->columnCount() - 1, grid->rowCount() - 1);
    EXPECT_LE(last.right() + 1, view.width());
    EXPECT_LE(last.bottom() + 1, view.height());
    EXPECT_GT(last.bottom() + 1 + 19, view.height()); // no more rows than needed are hidden
}

} // namespace
