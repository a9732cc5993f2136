#include "ScriptedUiPort.h"
#include "flow/WindowCommands.h"
#include "solutions/BasketTable.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

class BasketTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitWorkspace(*ws);
        ws->numObjectives = 2;
        ws->numVariables = 3;
        ws->numConstraints = 1;
        ResetComputedState(*ws);
        ws->objName[1] = QStringLiteral("Profit");
        ws->objName[2] = QStringLiteral("Cost");
        ws->vars[1].name = QStringLiteral("X1");
        ws->vars[2].name = QStringLiteral("X2");
        ws->vars[3].name = QStringLiteral("X3");
        ws->slackName[1] = QStringLiteral("s1");
    }

    // Appends a solution with objective values `f` and decision variables
    // and slacks `xs` (1-based, in order).
    int add(std::initializer_list<Real> f, std::initializer_list<Real> xs = {}, Color colour = hexColor(0xFF0000))
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
        return ws->appendSolution(sol);
    }

    // A basket whose objective `key` takes the given values, one solution each.
    void basketWithKeys(int key, std::initializer_list<Real> values)
    {
        for (Real v : values) {
            SolSolutionBasket sol;
            sol.f[key] = v;
            (void)ws->appendSolution(sol);
        }
    }

    std::vector<int> sorted(int key, bool ascending)
    {
        std::vector<int> list{42, 42};
        SortBasketIndices(*ws, key, ascending, list);
        EXPECT_EQ(list.size(), static_cast<size_t>(ws->basketCount) + 1);
        EXPECT_EQ(list.at(0), 0);
        return std::vector<int>(list.begin() + 1, list.end());
    }

    static QList<QByteArray> linesOf(const QByteArray& bytes) { return bytes.split('\n'); }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
};

using Order = std::vector<int>;

// --------------------------------------------------------------- sorting

// Objective 2 of solutions 1..4 is 5, 9, 9, 1; descending.
//   sort(1,4): pivot = key at position 2 = 9. i stops at 1 (5 > 9 fails);
//     j: position 4 (1 < 9) moves on, stops at 3 (9). Swap 1 and 3:
//     [3 2 1 4], i = 2, j = 2. Neither moves (9 vs 9); swap 2 with itself,
//     i = 3, j = 1: done. lo < j fails; sort(3,4).
//   sort(3,4): pivot = key at position 3 = 5 (solution 1). i stops at 3;
//     j moves from 4 (1 < 5) to 3. Swap 3 with itself, i = 4, j = 2: done.
// Rows: 3, 2, 1, 4 - the two 9s with the later solution first.
TEST_F(BasketTableTest, DescendingKeepsThePartitionOrderOfEqualValues)
{
    basketWithKeys(2, {5, 9, 9, 1});
    EXPECT_EQ(sorted(2, false), (Order{3, 2, 1, 4}));
}

// Objective 1 of solutions 1..6 is 3, 1, 3, 2, 3, 1; ascending.
//   sort(1,6): pivot = key at position 3 = 3. i stops at 1 (3), j at 6 (1):
//     swap -> [6 2 3 4 5 1], i = 2, j = 5. i passes 2 (1), stops at 3 (3);
//     j stops at 5 (3): swap -> [6 2 5 4 3 1], i = 4, j = 4. i passes 4
//     (key 2), stops at 5 (3); j stays at 4 (2 > 3 fails). i > j: done.
//     sort(1,4) and sort(5,6).
//   sort(1,4) on [6 2 5 4] (keys 1 1 3 2): pivot = key at position 2 = 1.
//     i stops at 1; j passes 4 (2) and 3 (3), stops at 2. Swap ->
//     [2 6 5 4], i = 2, j = 1: done. sort(2,4).
//   sort(2,4) on [6 5 4] (keys 1 3 2): pivot = key at position 3 = 3.
//     i passes 2, stops at 3; j stops at 4. Swap -> [6 4 5], i = 4, j = 3:
//     done. sort(2,3) on [6 4] (keys 1 2): pivot 1, i stops at 2, j passes
//     3 and stops at 2; swap with itself. Unchanged.
//   sort(5,6) on [3 1] (keys 3 3): pivot 3, neither moves; swap -> [1 3].
// Rows: 2, 6, 4, 5, 1, 3 - the three 3s come out as 5, 1, 3.
TEST_F(BasketTableTest, AscendingWithThreeEqualValues)
{
    basketWithKeys(1, {3, 1, 3, 2, 3, 1});
    EXPECT_EQ(sorted(1, true), (Order{2, 6, 4, 5, 1, 3}));
}

// The same keys 3, 1, 3, 2, 3, 1 descending.
//   sort(1,6): pivot = key at position 3 = 3. i stops at 1 (3 > 3 fails);
//     j passes 6 (1), stops at 5 (3). Swap -> [5 2 3 4 1 6], i = 2, j = 4.
//     i stops at 2 (1 > 3 fails); j passes 4 (2), stops at 3 (3). Swap ->
//     [5 3 2 4 1 6], i = 3, j = 2: done. sort(1,2) and sort(3,6).
//   sort(1,2) on [5 3] (keys 3 3): pivot 3; swap -> [3 5].
//   sort(3,6) on [2 4 1 6] (keys 1 2 3 1): pivot = key at position 4 = 2.
//     i stops at 3 (1); j passes 6 (1), stops at 5 (3). Swap ->
//     [1 4 2 6], i = 4, j = 4; swap 4 with itself, i = 5, j = 3: done.
//     sort(5,6) on [2 6] (keys 1 1): swap -> [6 2].
// Rows: 3, 5, 1, 4, 6, 2.
TEST_F(BasketTableTest, DescendingWithThreeEqualValues)
{
    basketWithKeys(1, {3, 1, 3, 2, 3, 1});
    EXPECT_EQ(sorted(1, false), (Order{3, 5, 1, 4, 6, 2}));
}

// Distinct values: the plain sorted order both ways.
TEST_F(BasketTableTest, DistinctValuesBothWays)
{
    basketWithKeys(2, {0.5L, -4, 12, 7.25L, 3});
    EXPECT_EQ(sorted(2, true), (Order{2, 1, 5, 4, 3}));
    EXPECT_EQ(sorted(2, false), (Order{3, 4, 5, 1, 2}));
}

TEST_F(BasketTableTest, KeyZeroIsTheIndexOrderWhateverTheDirection)
{
    basketWithKeys(1, {4, 2, 9, 1});
    EXPECT_EQ(sorted(0, true), (Order{1, 2, 3, 4}));
    EXPECT_EQ(sorted(0, false), (Order{1, 2, 3, 4}));
}

TEST_F(BasketTableTest, EmptyBasketGivesOnlyTheUnusedPlace)
{
    EXPECT_EQ(sorted(1, true), Order{});
    EXPECT_EQ(sorted(0, false), Order{});
}

TEST_F(BasketTableTest, OneSolution)
{
    basketWithKeys(1, {8});
    EXPECT_EQ(sorted(1, false), (Order{1}));
}

// ----------------------------------------------------------- values grid

TEST_F(BasketTableTest, TableHasANameRowAndOneRowPerSolution)
{
    add({10, 2.5L}, {1, 0, 3.14159265L, 0.0001L});
    add({12345678, -1}, {0, 2, 0, 5e-5L});
    const BasketTableModel table = MakeBasketTable(*ws);
    EXPECT_EQ(table.columnCount, 1 + 2 + 3 + 1);
    EXPECT_EQ(table.rowCount, 3);
    ASSERT_EQ(table.cells.size(), 3u);
    EXPECT_EQ(table.cells[0], (QStringList{QString(), "Profit", "Cost", "X1", "X2", "X3", "s1"}));
    EXPECT_EQ(table.cells[1], (QStringList{"[1]", "10", "2.5", "1", "0", "3.141593", "0.0001"}));
    EXPECT_EQ(table.cells[2], (QStringList{"[2]", "12345678", "-1", "0", "2", "0", "5E-5"}));
    EXPECT_EQ(table.kinds, (std::vector<BasketColumnKind>{BasketColumnKind::Index, BasketColumnKind::Objective,
                                                          BasketColumnKind::Objective, BasketColumnKind::Variable,
                                                          BasketColumnKind::Variable, BasketColumnKind::Variable,
                                                          BasketColumnKind::Slack}));
}

TEST_F(BasketTableTest, TableRowsFollowTheValuesSortOptions)
{
    add({1, 30});
    add({2, 10});
    add({3, 20});
    SetBasketSort(*ws, BasketSortView::Values, {2, true});
    // Each view keeps its own order.
    EXPECT_EQ(BasketSort(*ws, BasketSortView::Values).key, 2);
    EXPECT_EQ(BasketSort(*ws, BasketSortView::Graphs).key, 0);
    SetBasketSort(*ws, BasketSortView::Graphs, {1, false});
    EXPECT_EQ(ws->GraphSortKey, 1);
    EXPECT_FALSE(ws->GraphSortAscending);
    EXPECT_TRUE(ws->ValuesSortAscending);
    const BasketTableModel table = MakeBasketTable(*ws);
    EXPECT_EQ(table.order, (std::vector<int>{0, 2, 3, 1}));
    EXPECT_EQ(table.text(1, 0), QStringLiteral("[2]"));
    EXPECT_EQ(table.text(1, 2), QStringLiteral("10"));
    EXPECT_EQ(table.text(3, 0), QStringLiteral("[1]"));
    EXPECT_EQ(table.text(3, 2), QStringLiteral("30"));
}

TEST_F(BasketTableTest, EmptyBasketGivesTheNameRowOnly)
{
    const BasketTableModel table = MakeBasketTable(*ws);
    EXPECT_EQ(table.rowCount, 1);
    EXPECT_EQ(table.columnCount, 7);
    EXPECT_EQ(table.cells.size(), 1u);
}

TEST_F(BasketTableTest, ColumnsWidenByTheirMarginAndNeverShrink)
{
    EXPECT_EQ(BasketColumnMargin(BasketColumnKind::Objective), 15);
    EXPECT_EQ(BasketColumnMargin(BasketColumnKind::Variable), 10);
    EXPECT_EQ(BasketColumnMargin(BasketColumnKind::Slack), 10);
    EXPECT_EQ(BasketColumnMargin(BasketColumnKind::Index), 10);
    EXPECT_EQ(WidenBasketColumn(45, 20, BasketColumnKind::Objective), 45);
    EXPECT_EQ(WidenBasketColumn(45, 31, BasketColumnKind::Objective), 46);
    EXPECT_EQ(WidenBasketColumn(45, 31, BasketColumnKind::Variable), 45);
    EXPECT_EQ(WidenBasketColumn(45, 40, BasketColumnKind::Slack), 50);
    EXPECT_EQ(WidenBasketColumn(80, 40, BasketColumnKind::Objective), 80);
}

TEST_F(BasketTableTest, IndexTextsReadBack)
{
    EXPECT_EQ(BasketIndexText(7), QStringLiteral("[7]"));
    EXPECT_EQ(BasketIndexFromText(QStringLiteral("[7]")), 7);
    EXPECT_EQ(BasketIndexFromText(QStringLiteral("[123]")), 123);
    EXPECT_EQ(BasketIndexFromText(QStringLiteral("7")), 0);
    EXPECT_EQ(BasketIndexFromText(QStringLiteral("[]")), 0);
    EXPECT_EQ(BasketIndexFromText(QStringLiteral("[x]")), 0);
    EXPECT_EQ(BasketIndexFromText(QString()), 0);
}

// ------------------------------------------------------------ text file

TEST_F(BasketTableTest, TextFileLayoutLineByLine)
{
    add({1.5L, -2}, {0, 10, 0.25L, 3});
    add({4, 0.001L}, {1, 0, 2, -0.5L});
    const QByteArray text = BasketTableText(*ws);

    const QByteArray expected = "solution #\tProfit\tCost\tX1\tX2\tX3\ts1\r\n"
                                "solution1\t 1.50000000000000E+0000\t-2.00000000000000E+0000"
                                "\t 0.00000000000000E+0000\t 1.00000000000000E+0001"
                                "\t 2.50000000000000E-0001\t 3.00000000000000E+0000\r\n"
                                "solution2\t 4.00000000000000E+0000\t 1.00000000000000E-0003"
                                "\t 1.00000000000000E+0000\t 0.00000000000000E+0000"
                                "\t 2.00000000000000E+0000\t-5.00000000000000E-0001";
    EXPECT_EQ(text, expected);

    // Three lines, CR LF between them and none after the last; six fields
    // after the first on each.
    const QList<QByteArray> lines = linesOf(text);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith('\r'));
    EXPECT_TRUE(lines[1].endsWith('\r'));
    EXPECT_FALSE(lines[2].endsWith('\r'));
    for (const QByteArray& line : lines)
        EXPECT_EQ(line.count('\t'), 6) << line.constData();
}

TEST_F(BasketTableTest, TextFileFollowsTheValuesWindowOrder)
{
    add({1, 5});
    add({2, 9});
    add({3, 9});
    add({4, 1});
    ws->ValuesSortKey = 2;
    ws->ValuesSortAscending = false;
    const QList<QByteArray> lines = linesOf(BasketTableText(*ws));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith("solution3\t 3.00000000000000E+0000\t 9.00000000000000E+0000\t"));
    EXPECT_TRUE(lines[2].startsWith("solution2\t 2.00000000000000E+0000\t 9.00000000000000E+0000\t"));
    EXPECT_TRUE(lines[3].startsWith("solution1\t 1.00000000000000E+0000\t 5.00000000000000E+0000\t"));
    EXPECT_TRUE(lines[4].startsWith("solution4\t 4.00000000000000E+0000\t 1.00000000000000E+0000\t"));
}

TEST_F(BasketTableTest, TextFileOfAnEmptyBasketIsTheNameLine)
{
    EXPECT_EQ(BasketTableText(*ws), QByteArray("solution #\tProfit\tCost\tX1\tX2\tX3\ts1"));
}

TEST_F(BasketTableTest, TextFileNamesAreWindows1252)
{
    ws->objName[1] = QStringLiteral("Lucro\u20AC");
    ws->vars[2].name = QStringLiteral("Ma\u00E7\u00E3s");
    EXPECT_EQ(BasketTableText(*ws), QByteArray("solution #\tLucro\x80\tCost\tX1\tMa\xE7\xE3s\tX3\ts1"));
}

// ----------------------------------------------------------------- saving

class BasketSaveTest : public BasketTableTest {
protected:
    void SetUp() override
    {
        BasketTableTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        add({1.5L, -2}, {0, 10, 0.25L, 3});
        path = dir.filePath(QStringLiteral("values.txt"));
    }

    void writeOld()
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
    }

    QByteArray contents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(BasketSaveTest, NewFileIsWrittenWithoutAQuestion)
{
    ui.files.push_back(path);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Saved);
    EXPECT_EQ(contents(), BasketTableText(*ws));
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(ui.log.isEmpty());
    EXPECT_EQ(ui.log.first(), QStringLiteral("SaveFile: Save as a text file | Text Files (*.TXT)"));
}

TEST_F(BasketSaveTest, ExistingFileIsReplacedAfterYes)
{
    writeOld();
    ui.files.push_back(path);
    ui.answers.push_back(Answer::Yes);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Saved);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: OK to overwrite ") + path});
    EXPECT_EQ(contents(), BasketTableText(*ws));
}

TEST_F(BasketSaveTest, ExistingFileIsKeptAfterNo)
{
    writeOld();
    ui.files.push_back(path);
    ui.answers.push_back(Answer::No);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Cancelled);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: OK to overwrite ") + path});
    EXPECT_EQ(contents(), QByteArray("old contents"));
}

TEST_F(BasketSaveTest, ExistingFileIsKeptAfterCancel)
{
    writeOld();
    ui.files.push_back(path);
    ui.answers.push_back(Answer::Cancel);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Cancelled);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: OK to overwrite ") + path});
    EXPECT_EQ(contents(), QByteArray("old contents"));
}

TEST_F(BasketSaveTest, CancelledChooserWritesNothing)
{
    ui.files.push_back(std::nullopt);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Cancelled);
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BasketSaveTest, WriteErrorIsReported)
{
    const QString missing = dir.filePath(QStringLiteral("no such folder/values.txt"));
    ui.files.push_back(missing);
    EXPECT_EQ(SaveBasketTable(*ws, ui), BasketSaveResult::Failed);
    const QStringList shown = ui.dialogs();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Error: Cannot write ") + missing)) << shown[0].toStdString();
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
