// The problem editor without its window: typing into the tables, renaming,
// inserting and deleting, the variable bounds, the random fill, saving and
// the close question; the program's random generator and the text listing.

#include "flow/ProblemEditor.h"
#include "problem/ProblemFile.h"
#include "problem/ProblemListing.h"
#include "problem/RandomGenerator.h"
#include "problem/VlpFile.h"

#include "ProblemTestData.h"
#include "ScriptedUiPort.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>
#include <set>

using namespace problemtest;

namespace {

// F1 maximizes 3 X1 + X2, Cost minimizes X1 + 2 X2, X1 + X2 <= 10, X2 <= 5.
std::unique_ptr<ProblemData> SmallProblem()
{
    auto pb = NewResetProblem();
    pb->numObjectives = 2;
    pb->numConstraints = 1;
    pb->numVariables = 2;
    pb->objCoef[1][1] = 3;
    pb->objCoef[1][2] = 1;
    pb->objName[1] = QStringLiteral("F1");
    pb->objCoef[2][1] = 1;
    pb->objCoef[2][2] = 2;
    pb->objSense[2] = -1;
    pb->objName[2] = QStringLiteral("Cost");
    pb->conCoef[1][1] = 1;
    pb->conCoef[1][2] = 1;
    pb->conRhs[1] = 10;
    pb->vars[2].ub = 5;
    return pb;
}

// A new problem as the main window makes it: zeros, F1.., X1...
std::unique_ptr<ProblemData> NewProblem(int p, int n, int m)
{
    auto pb = NewResetProblem();
    pb->numObjectives = p;
    pb->numVariables = n;
    pb->numConstraints = m;
    for (int k = 1; k <= MaxObjectives; ++k)
        pb->objName[k] = DefaultObjectiveName(k);
    return pb;
}

QStringList row(const ProblemEditor& e, int r)
{
    QStringList out;
    for (int c = 0; c < e.columnCount(); ++c)
        out << e.cellText(c, r);
    return out;
}

QString info(const char* s) { return QStringLiteral("Information: ") + QString::fromUtf8(s); }

class ProblemEditorTest : public ::testing::Test {
protected:
    void open(const ProblemData& pb, const QString& path = QStringLiteral("Untitled"))
    {
        editor = std::make_unique<ProblemEditor>(ui, pb, path);
        editor->showTables();
    }

    // Types `typed` into (col, row) and moves the cursor on, as the window
    // does when the person clicks another cell.
    bool type(int col, int row, const QString& typed)
    {
        editor->selectCell(col, row);
        editor->typeCell(col, row, typed);
        return editor->selectCell(col == 1 ? 2 : 1, row);
    }

    QTemporaryDir dir;
    ScriptedUiPort ui;
    std::unique_ptr<ProblemEditor> editor;
};

// ---------------------------------------------------------------------------
// Tables

TEST_F(ProblemEditorTest, OpensOnTheObjectivesTableWithTheFileNameInTheCaption)
{
    open(*SmallProblem(), QStringLiteral("/data/problems/small.v2.mlp"));
    EXPECT_EQ(editor->caption(), QStringLiteral("Edit problem:    small.v2.mlp"));
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    EXPECT_TRUE(editor->editCell().isNone());
    EXPECT_FALSE(editor->changed());
    EXPECT_FALSE(editor->fileCommandsEnabled());
    EXPECT_EQ(editor->switchCaption(), QStringLiteral("Edit Constraints"));
    ASSERT_EQ(editor->rowCount(), 3);
    ASSERT_EQ(editor->columnCount(), 4);
    EXPECT_EQ(row(*editor, 0), QStringList({"O.F.", "X1", "X2", "max/min"}));
    EXPECT_EQ(row(*editor, 1), QStringList({"F1", "3", "1", "max"}));
    EXPECT_EQ(row(*editor, 2), QStringList({"Cost", "1", "2", "min"}));

    ASSERT_TRUE(editor->switchTable());
    EXPECT_EQ(editor->view(), EditorView::Constraints);
    EXPECT_EQ(editor->switchCaption(), QStringLiteral("Edit Functions"));
    ASSERT_EQ(editor->columnCount(), 5);
    EXPECT_EQ(row(*editor, 0), QStringList({"Constr.", "X1", "X2", "(<,>,=)", "b"}));
    EXPECT_EQ(row(*editor, 1), QStringList({"(1)", "1", "1", "<", "10"}));

    ASSERT_TRUE(editor->validate());
    EXPECT_EQ(editor->view(), EditorView::None);
    EXPECT_EQ(editor->rowCount(), 0);
    EXPECT_TRUE(editor->fileCommandsEnabled());
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorTest, TypedCellsReachTheProblemWhenTheCursorMovesOn)
{
    open(*NewProblem(3, 4, 3));
    editor->selectCell(2, 1);
    editor->typeCell(2, 1, QStringLiteral("2.5"));
    // Not yet: the cell is still being edited.
    EXPECT_EQ(editor->problem().objCoef[1][2], 0);
    EXPECT_EQ(editor->editCell(), (EditorCell{2, 1}));
    EXPECT_TRUE(editor->selectCell(3, 2));
    EXPECT_EQ(editor->problem().objCoef[1][2], 2.5L);
    EXPECT_EQ(editor->editCell(), (EditorCell{3, 2}));
    EXPECT_EQ(editor->currentCell(), (EditorCell{3, 2}));
    EXPECT_TRUE(editor->changed());

    EXPECT_TRUE(type(4, 3, QStringLiteral("-1e3")));
    EXPECT_EQ(editor->problem().objCoef[3][4], -1000);
    // Full extended precision, as typed.
    EXPECT_TRUE(type(1, 2, QStringLiteral("0.1")));
    EXPECT_EQ(editor->problem().objCoef[2][1], 0.1L);

    ASSERT_TRUE(editor->switchTable());
    EXPECT_TRUE(type(3, 2, QStringLiteral("7")));
    EXPECT_TRUE(type(6, 2, QStringLiteral("12.25")));
    EXPECT_EQ(editor->problem().conCoef[2][3], 7);
    EXPECT_EQ(editor->problem().conRhs[2], 12.25L);
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorTest, InvalidTextStaysInTheTableAndTheProblemKeepsItsValue)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("3,5"));
    EXPECT_FALSE(editor->selectCell(2, 1));
    EXPECT_EQ(ui.dialogs(), QStringList{info("Invalid value")});
    EXPECT_EQ(editor->problem().objCoef[1][1], 3);
    EXPECT_EQ(editor->cellText(1, 1), QStringLiteral("3,5"));
    EXPECT_TRUE(editor->editCell().isNone());
    EXPECT_EQ(editor->currentCell(), (EditorCell{2, 1}));
    EXPECT_FALSE(editor->changed());

    // Going back and retyping it commits it.
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("3.5"));
    EXPECT_TRUE(editor->selectCell(2, 1));
    EXPECT_EQ(editor->problem().objCoef[1][1], 3.5L);

    for (const char* bad : {"", "abc", "1.2.3", "nan", "inf", "1e99999", "0x10"}) {
        ui.clear();
        editor->typeCell(2, 1, QString::fromLatin1(bad));
        EXPECT_FALSE(editor->selectCell(1, 2)) << bad;
        EXPECT_EQ(ui.dialogs(), QStringList{info("Invalid value")}) << bad;
        EXPECT_EQ(editor->problem().objCoef[1][2], 1) << bad;
        editor->selectCell(2, 1);
        editor->typeCell(2, 1, QStringLiteral("1"));
    }
}

TEST_F(ProblemEditorTest, SwitchAndValidateStopAtAnInvalidCell)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("x"));
    EXPECT_FALSE(editor->switchTable());
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("y"));
    EXPECT_FALSE(editor->validate());
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    EXPECT_EQ(ui.dialogs(), QStringList({info("Invalid value"), info("Invalid value")}));
}

TEST_F(ProblemEditorTest, MovingThroughCellsWithoutTypingChangesNothing)
{
    auto pb = SmallProblem();
    pb->objCoef[1][1] = 1.0L / 3;
    open(*pb);
    EXPECT_EQ(editor->cellText(1, 1), QStringLiteral("0.3333333"));
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            EXPECT_TRUE(editor->selectCell(c, r));
    EXPECT_TRUE(editor->validate());
    EXPECT_EQ(editor->problem().objCoef[1][1], 1.0L / 3);
    EXPECT_FALSE(editor->changed());
}

TEST_F(ProblemEditorTest, SenseColumnReadsMaxAndMin)
{
    open(*SmallProblem());
    struct Case {
        const char* typed;
        bool valid;
        int sense;
    };
    const Case cases[] = {{"MAX", true, 1},      {"min", true, -1},    {"Maximize", true, 1},
                          {"Minimum", true, -1}, {"mn", false, -1},   {"", false, -1},
                          {"max ", true, 1},     {"  MIN", true, -1}, {"maxi-min", true, 1}};
    for (const Case& c : cases) {
        ui.clear();
        EXPECT_EQ(type(3, 1, QString::fromLatin1(c.typed)), c.valid) << c.typed;
        EXPECT_EQ(editor->problem().objSense[1], c.sense) << c.typed;
        EXPECT_EQ(ui.dialogs().size(), c.valid ? 0 : 1) << c.typed;
    }
}

TEST_F(ProblemEditorTest, TypeColumnReadsLessGreaterAndEqual)
{
    open(*SmallProblem());
    ASSERT_TRUE(editor->switchTable());
    struct Case {
        const char* typed;
        bool valid;
        std::uint8_t type;
    };
    const Case cases[] = {{"<=", true, ConLessEqual},  {"=>", true, ConGreaterEqual}, {" =", false, ConGreaterEqual},
                          {"=", true, ConEqual},       {">", true, ConGreaterEqual},  {"==", true, ConEqual},
                          {"<", true, ConLessEqual},   {"le", false, ConLessEqual},   {"= <", true, ConLessEqual},
                          {"", false, ConLessEqual}};
    for (const Case& c : cases) {
        ui.clear();
        EXPECT_EQ(type(3, 1, QString::fromLatin1(c.typed)), c.valid) << c.typed;
        EXPECT_EQ(editor->problem().conType[1], c.type) << c.typed;
        EXPECT_EQ(ui.dialogs(), c.valid ? QStringList() : QStringList{info("Invalid value")}) << c.typed;
    }
}

TEST_F(ProblemEditorTest, CaptionCellsRenameVariablesAndObjectives)
{
    open(*SmallProblem());
    ui.inputs.push_back(QStringLiteral("Production volume of X"));
    editor->clickCaptionCell(2, 0);
    EXPECT_EQ(ui.log.last(),
              QStringLiteral("Input: New name for the variable? | Name of the variable (max. 10 char.) | X2"));
    // Cut to 20 characters.
    EXPECT_EQ(editor->problem().vars[2].name, QStringLiteral("Production volume of"));
    EXPECT_EQ(editor->cellText(2, 0), QStringLiteral("Production volume of"));
    EXPECT_TRUE(editor->changed());

    ui.inputs.push_back(QStringLiteral("Environmental impact"));
    editor->clickCaptionCell(0, 2);
    EXPECT_EQ(ui.log.last(), QStringLiteral("Input: New name for the objective function? | "
                                            "Name of the objective function (max. 10 char.) | Cost"));
    EXPECT_EQ(editor->problem().objName[2], QStringLiteral("Environmen"));
    EXPECT_EQ(editor->cellText(0, 2), QStringLiteral("Environmen"));

    // Cancel keeps the name; the sense caption and the corner rename nothing.
    ui.inputs.push_back(std::nullopt);
    editor->clickCaptionCell(1, 0);
    EXPECT_EQ(editor->problem().vars[1].name, QStringLiteral("X1"));
    const int asked = ui.log.size();
    editor->clickCaptionCell(3, 0);
    editor->clickCaptionCell(0, 0);
    EXPECT_EQ(ui.log.size(), asked);

    // In the constraints table the variable captions rename too, the row
    // captions do not.
    ASSERT_TRUE(editor->switchTable());
    ui.inputs.push_back(QStringLiteral("Labour"));
    editor->clickCaptionCell(1, 0);
    EXPECT_EQ(editor->problem().vars[1].name, QStringLiteral("Labour"));
    EXPECT_EQ(editor->cellText(1, 0), QStringLiteral("Labour"));
    editor->clickCaptionCell(0, 1);
    EXPECT_EQ(ui.log.size(), asked + 1);
}

// ---------------------------------------------------------------------------
// Insert and delete

TEST_F(ProblemEditorTest, InsertStopsAtTheLimits)
{
    open(*NewProblem(MaxObjectives, MaxVariables, MaxConstraints));
    EXPECT_FALSE(editor->insertObjective());
    EXPECT_FALSE(editor->insertConstraint());
    EXPECT_FALSE(editor->insertVariable());
    EXPECT_EQ(ui.dialogs(), QStringList({info("No more objective functions are possible"),
                                         info("No more constraints are possible"),
                                         info("No more variables are possible")}));
    EXPECT_EQ(editor->problem().numObjectives, MaxObjectives);
    EXPECT_EQ(editor->problem().numConstraints, MaxConstraints);
    EXPECT_EQ(editor->problem().numVariables, MaxVariables);
    EXPECT_FALSE(editor->changed());
}

TEST_F(ProblemEditorTest, InsertUpToTheLimits)
{
    open(*NewProblem(MaxObjectives - 1, MaxVariables - 1, MaxConstraints - 1));
    EXPECT_TRUE(editor->insertObjective());
    EXPECT_EQ(editor->problem().numObjectives, MaxObjectives);
    EXPECT_EQ(editor->rowCount(), MaxObjectives + 1);
    EXPECT_TRUE(editor->insertConstraint());
    EXPECT_EQ(editor->view(), EditorView::Constraints);
    EXPECT_EQ(editor->rowCount(), MaxConstraints + 1);
    EXPECT_TRUE(editor->insertVariable());
    EXPECT_EQ(editor->columnCount(), MaxVariables + 3);
    EXPECT_EQ(editor->cellText(MaxVariables, 0), QStringLiteral("X101"));
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorTest, InsertedRowsAndColumnsShowWhatTheArraysHold)
{
    open(*SmallProblem());
    EXPECT_TRUE(editor->insertObjective());
    EXPECT_EQ(editor->problem().numObjectives, 3);
    EXPECT_EQ(row(*editor, 3), QStringList({"F3", "0", "0", "max"}));
    EXPECT_TRUE(editor->changed());

    // From the objectives table a constraint brings up the constraints table.
    EXPECT_TRUE(editor->insertConstraint());
    EXPECT_EQ(editor->view(), EditorView::Constraints);
    EXPECT_EQ(row(*editor, 2), QStringList({"(2)", "0", "0", "<", "0"}));
    EXPECT_TRUE(editor->insertConstraint());
    EXPECT_EQ(row(*editor, 3), QStringList({"(3)", "0", "0", "<", "0"}));

    // ... and from there an objective brings back the objectives table.
    EXPECT_TRUE(editor->insertObjective());
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    EXPECT_EQ(row(*editor, 4), QStringList({"F4", "0", "0", "max"}));

    EXPECT_TRUE(editor->insertVariable());
    const VariableDef& x3 = editor->problem().vars[3];
    EXPECT_EQ(x3.name, QStringLiteral("X3"));
    EXPECT_EQ(x3.lb, 0);
    EXPECT_EQ(x3.ub, kInfiniteBound);
    EXPECT_EQ(row(*editor, 0), QStringList({"O.F.", "X1", "X2", "X3", "max/min"}));
    EXPECT_EQ(row(*editor, 1), QStringList({"F1", "3", "1", "0", "max"}));

    // Without a table the counts still grow.
    ASSERT_TRUE(editor->validate());
    EXPECT_TRUE(editor->insertObjective());
    EXPECT_TRUE(editor->insertConstraint());
    EXPECT_TRUE(editor->insertVariable());
    EXPECT_EQ(editor->view(), EditorView::None);
    EXPECT_EQ(editor->problem().numObjectives, 5);
    EXPECT_EQ(editor->problem().numConstraints, 4);
    EXPECT_EQ(editor->problem().numVariables, 4);
}

TEST_F(ProblemEditorTest, InsertCommitsTheCellOfTheOtherTableFirst)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("bad"));
    EXPECT_FALSE(editor->insertConstraint());
    // After the message no cell is being edited; typing again makes it so.
    editor->typeCell(1, 1, QStringLiteral("worse"));
    EXPECT_FALSE(editor->insertVariable());
    EXPECT_EQ(editor->problem().numConstraints, 1);
    EXPECT_EQ(editor->problem().numVariables, 2);
    EXPECT_EQ(ui.dialogs(), QStringList({info("Invalid value"), info("Invalid value")}));
}

TEST_F(ProblemEditorTest, DeletingTheOnlyRowOrColumnDoesNothing)
{
    open(*NewProblem(1, 1, 1));
    for (int i = 0; i < 3; ++i)
        ui.inputs.push_back(QStringLiteral("1"));
    EXPECT_FALSE(editor->deleteObjective());
    EXPECT_FALSE(editor->deleteConstraint());
    EXPECT_FALSE(editor->deleteVariable());
    EXPECT_EQ(ui.log, QStringList({"Input: Delete... | Objective Function index: | 0",
                                   "Input: Delete... | Constraint index: | 0",
                                   "Input: Delete... | Variable index: | 0"}));
    EXPECT_EQ(editor->problem().numObjectives, 1);
    EXPECT_EQ(editor->problem().numConstraints, 1);
    EXPECT_EQ(editor->problem().numVariables, 1);
    EXPECT_FALSE(editor->changed());
}

TEST_F(ProblemEditorTest, DeleteAnswersOutsideTheRangeOrNotNumbersDoNothing)
{
    open(*SmallProblem());
    for (const char* answer : {"0", "3", "-1", "one", "1.5", ""})
        ui.inputs.push_back(QString::fromLatin1(answer));
    ui.inputs.push_back(std::nullopt);
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(editor->deleteObjective()) << i;
    EXPECT_EQ(editor->problem().numObjectives, 2);
    EXPECT_FALSE(editor->changed());
}

TEST_F(ProblemEditorTest, DeleteObjectiveMovesTheOthersUp)
{
    auto pb = SmallProblem();
    pb->numObjectives = 3;
    pb->objName[3] = QStringLiteral("Third");
    pb->objCoef[3][2] = 9;
    pb->objSense[3] = -1;
    open(*pb);
    ASSERT_TRUE(editor->switchTable());
    ui.inputs.push_back(QStringLiteral("2"));
    EXPECT_TRUE(editor->deleteObjective());
    const ProblemData& out = editor->problem();
    EXPECT_EQ(out.numObjectives, 2);
    EXPECT_EQ(out.objName[2], QStringLiteral("Third"));
    EXPECT_EQ(out.objCoef[2][2], 9);
    EXPECT_EQ(out.objSense[2], -1);
    EXPECT_EQ(out.objCoef[3][2], 0);
    EXPECT_EQ(out.objSense[3], 1);
    EXPECT_EQ(editor->view(), EditorView::Objectives);
    EXPECT_EQ(row(*editor, 2), QStringList({"Third", "0", "9", "min"}));
    EXPECT_TRUE(editor->changed());
}

TEST_F(ProblemEditorTest, DeleteConstraintAndVariable)
{
    auto pb = SmallProblem();
    pb->numConstraints = 2;
    pb->numVariables = 3;
    pb->conCoef[2][1] = 4;
    pb->conCoef[2][3] = 6;
    pb->conType[2] = ConGreaterEqual;
    pb->conRhs[2] = 8;
    pb->objCoef[1][3] = 5;
    pb->vars[3] = VariableDef{1, 9, QStringLiteral("Z")};
    open(*pb);

    ui.inputs.push_back(QStringLiteral(" 1 "));
    EXPECT_TRUE(editor->deleteConstraint());
    EXPECT_EQ(editor->view(), EditorView::Constraints);
    EXPECT_EQ(editor->problem().numConstraints, 1);
    EXPECT_EQ(row(*editor, 1), QStringList({"(1)", "4", "0", "6", ">", "8"}));
    EXPECT_EQ(editor->problem().conRhs[2], 0);
    EXPECT_EQ(editor->problem().conType[2], ConLessEqual);

    ui.inputs.push_back(QStringLiteral("2"));
    EXPECT_TRUE(editor->deleteVariable());
    const ProblemData& out = editor->problem();
    EXPECT_EQ(out.numVariables, 2);
    EXPECT_EQ(out.vars[2].name, QStringLiteral("Z"));
    EXPECT_EQ(out.vars[2].lb, 1);
    EXPECT_EQ(out.vars[2].ub, 9);
    EXPECT_EQ(out.vars[3].name, QString());
    EXPECT_EQ(out.vars[3].ub, kInfiniteBound);
    EXPECT_EQ(out.objCoef[1][2], 5);
    EXPECT_EQ(out.objCoef[1][3], 0);
    EXPECT_EQ(out.conCoef[1][2], 6);
    EXPECT_EQ(out.conCoef[1][3], 0);
    EXPECT_EQ(row(*editor, 0), QStringList({"Constr.", "X1", "Z", "(<,>,=)", "b"}));
    EXPECT_EQ(row(*editor, 1), QStringList({"(1)", "4", "6", ">", "8"}));
}

// ---------------------------------------------------------------------------
// Variable bounds

TEST_F(ProblemEditorTest, BoundsDialogShowsNameAndBounds)
{
    open(*SmallProblem());
    const VariableFields first = editor->Poe_Dados(1);
    EXPECT_EQ(first.index, 1);
    EXPECT_EQ(first.name, QStringLiteral("X1"));
    EXPECT_EQ(first.lower, QStringLiteral("0"));
    EXPECT_EQ(first.upper, QStringLiteral("M"));
    EXPECT_EQ(editor->Poe_Dados(2).upper, QStringLiteral("5"));
}

TEST_F(ProblemEditorTest, BoundsAreCheckedWhenStored)
{
    open(*SmallProblem());
    bool converted = false;

    // "1M" has no upper bound.
    EXPECT_EQ(editor->Recolhe_TipoVars({2, QStringLiteral("X2"), QStringLiteral("1"), QStringLiteral("1M")}, converted), 2);
    EXPECT_TRUE(converted);
    EXPECT_EQ(editor->problem().vars[2].ub, kInfiniteBound);
    EXPECT_EQ(editor->problem().vars[2].lb, 1);

    editor->Recolhe_TipoVars({1, QStringLiteral("X1"), QStringLiteral("0"), QStringLiteral("-5")}, converted);
    EXPECT_EQ(editor->problem().vars[1].ub, 0);
    editor->Recolhe_TipoVars({1, QStringLiteral("X1"), QStringLiteral("-5"), QStringLiteral("M")}, converted);
    EXPECT_EQ(editor->problem().vars[1].lb, 0);
    editor->Recolhe_TipoVars({1, QStringLiteral("X1"), QStringLiteral("7"), QStringLiteral("3")}, converted);
    EXPECT_EQ(editor->problem().vars[1].lb, 7);
    EXPECT_EQ(editor->problem().vars[1].ub, 7);
    EXPECT_TRUE(converted);
    // Above the infinite bound is the infinite bound.
    editor->Recolhe_TipoVars({1, QStringLiteral("X1"), QStringLiteral("0"), QStringLiteral("1e50")}, converted);
    EXPECT_EQ(editor->problem().vars[1].ub, kInfiniteBound);
    EXPECT_EQ(ui.dialogs(), QStringList({info("Only non-negative values are accepted: UB will be set to 0"),
                                         info("Only non-negative values are accepted: LB will be set to 0"),
                                         info("UB must be >= than LB: UB will be set to LB")}));
}

TEST_F(ProblemEditorTest, BoundsThatAreNotNumbersAreReset)
{
    open(*SmallProblem());
    bool converted = true;
    editor->Recolhe_TipoVars({2, QStringLiteral("Long name of twenty-five"), QStringLiteral("low"), QStringLiteral("3")},
                             converted);
    EXPECT_FALSE(converted);
    const VariableDef& x2 = editor->problem().vars[2];
    EXPECT_EQ(x2.name, QStringLiteral("Long name of twenty-"));
    EXPECT_EQ(x2.lb, 0);
    // The upper bound was not read.
    EXPECT_EQ(x2.ub, 5);

    editor->Recolhe_TipoVars({2, QStringLiteral("X2"), QStringLiteral("-2"), QStringLiteral("many")}, converted);
    EXPECT_FALSE(converted);
    EXPECT_EQ(x2.ub, kInfiniteBound);
    // A bad upper bound does not leave a negative lower bound behind.
    EXPECT_EQ(x2.lb, 0);
    EXPECT_EQ(ui.dialogs(), QStringList({"Error: 'low' is not a valid floating point value",
                                         "Error: 'many' is not a valid floating point value",
                                         info("Only non-negative values are accepted: LB will be set to 0")}));
}

TEST_F(ProblemEditorTest, BoundsDialogMovesBetweenVariables)
{
    auto pb = SmallProblem();
    pb->numVariables = 3;
    open(*pb);
    VariableFields shown = editor->Poe_Dados(1);
    shown.upper = QStringLiteral("8");
    shown = editor->boundsNext(shown);
    EXPECT_EQ(shown.index, 2);
    EXPECT_EQ(editor->problem().vars[1].ub, 8);
    shown = editor->boundsNext(editor->boundsNext(shown));
    EXPECT_EQ(shown.index, 1);
    shown = editor->boundsPrevious(shown);
    EXPECT_EQ(shown.index, 3);

    // Go to 0 and to n + 1 keep the variable (and what is typed in it).
    shown.name = QStringLiteral("typed");
    for (const char* answer : {"0", "4", "two"}) {
        ui.inputs.push_back(QString::fromLatin1(answer));
        const VariableFields kept = editor->boundsGoTo(shown);
        EXPECT_EQ(kept.index, 3) << answer;
        EXPECT_EQ(kept.name, QStringLiteral("typed")) << answer;
    }
    EXPECT_EQ(ui.log.last(), QStringLiteral("Input: Go to... | Variable index: | 3"));
    EXPECT_EQ(editor->problem().vars[3].name, QStringLiteral("X3"));
    ui.inputs.push_back(QStringLiteral("2"));
    shown = editor->boundsGoTo(shown);
    EXPECT_EQ(shown.index, 2);
    EXPECT_EQ(editor->problem().vars[3].name, QStringLiteral("typed"));

    // A bound that does not convert keeps the dialog on its variable.
    shown.lower = QStringLiteral("?");
    shown = editor->boundsNext(shown);
    EXPECT_EQ(shown.index, 2);
    EXPECT_EQ(shown.lower, QStringLiteral("0"));
}

TEST_F(ProblemEditorTest, BoundsOkMarksTheChangeAndShowsTheNames)
{
    open(*SmallProblem());
    EXPECT_FALSE(editor->boundsAccept({1, QStringLiteral("Steel"), QStringLiteral("x"), QStringLiteral("M")}));
    EXPECT_TRUE(editor->boundsAccept({1, QStringLiteral("Steel"), QStringLiteral("2"), QStringLiteral("M")}));
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(editor->cellText(1, 0), QStringLiteral("Steel"));
    EXPECT_EQ(editor->problem().vars[1].lb, 2);
}

// ---------------------------------------------------------------------------
// Random numbers

RandomFillSettings Range(const char* min, const char* max, RandomObject object)
{
    RandomFillSettings s;
    s.ranges[0] = RandomRangeTexts{QString::fromLatin1(min), QString::fromLatin1(max), QStringLiteral("1")};
    s.object = object;
    return s;
}

TEST_F(ProblemEditorTest, RandomRangeWithEqualLimitsAlwaysGivesThatValue)
{
    open(*NewProblem(3, 4, 3));
    editor->selectCell(2, 2);
    ASSERT_TRUE(editor->startRandomFill().has_value());
    ASSERT_TRUE(editor->applyRandomFill(Range("5", "5", RandomObject::AllCoefficients)));
    for (int k = 1; k <= 3; ++k) {
        for (int j = 1; j <= 4; ++j) {
            EXPECT_EQ(editor->problem().objCoef[k][j], 5) << k << "," << j;
            EXPECT_EQ(editor->cellText(j, k), QStringLiteral("5"));
        }
        EXPECT_EQ(editor->cellText(5, k), QStringLiteral("max"));
    }
    EXPECT_TRUE(editor->changed());
    // The typed limits are reals rounded to integers.
    ASSERT_TRUE(editor->applyRandomFill(Range("6.6", "7.4", RandomObject::CurrentCell)));
    EXPECT_EQ(editor->problem().objCoef[2][2], 7);
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorTest, RandomRangeZeroToOneGivesZerosAndOnes)
{
    open(*NewProblem(1, 101, 100));
    ASSERT_TRUE(editor->switchTable());
    editor->selectCell(3, 4);
    ASSERT_TRUE(editor->startRandomFill().has_value());
    ASSERT_TRUE(editor->applyRandomFill(Range("0", "1", RandomObject::AllCoefficients)));
    std::set<Real> seen;
    for (int i = 1; i <= 100; ++i)
        for (int j = 1; j <= 101; ++j)
            seen.insert(editor->problem().conCoef[i][j]);
    EXPECT_EQ(seen, (std::set<Real>{0, 1}));
}

TEST_F(ProblemEditorTest, RandomFillFollowsTheProgramsGenerator)
{
    open(*NewProblem(2, 3, 1));
    editor->setSeedSource([] { return std::uint32_t(12345); });
    editor->selectCell(1, 2);
    ASSERT_TRUE(editor->startRandomFill().has_value());
    RandomFillSettings s = Range("-10", "10", RandomObject::SecondItem);
    s.useR2 = true;
    s.ranges[0].prob = QStringLiteral("0.5");
    s.ranges[1] = RandomRangeTexts{QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("0.5")};
    ASSERT_TRUE(editor->applyRandomFill(s));

    // The same draws, by the generator's definition: for each cell a real
    // picks the range, then an integer in it.
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 134775813u + 1u; };
    for (int j = 1; j <= 3; ++j) {
        const double u = double(next()) / 4294967296.0;
        const bool first = u <= 0.5;
        const std::int64_t low = first ? -10 : 100;
        const std::uint64_t count = first ? 21 : 101;
        const std::int64_t value = low + std::int64_t((std::uint64_t(next()) * count) >> 32);
        EXPECT_EQ(editor->problem().objCoef[2][j], Real(value)) << j;
    }
    // The other row is untouched.
    EXPECT_EQ(editor->problem().objCoef[1][1], 0);
}

TEST_F(ProblemEditorTest, RandomProbabilitiesMustAddUpToOne)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    const auto before = std::make_unique<ProblemData>(editor->problem());
    struct Case {
        const char* p1;
        const char* p2;
        const char* p3;
        bool useR3;
    };
    const Case bad[] = {{"0.5", "0.4", "0", false}, {"1.2", "-0.2", "0", false}, {"0.5", "0.2", "0.3", false},
                        {"0.5", "0.5", "0.5", true}, {"-1", "1", "1", true}};
    for (const Case& c : bad) {
        ui.clear();
        RandomFillSettings s = Range("1", "9", RandomObject::AllCoefficients);
        s.useR2 = true;
        s.useR3 = c.useR3;
        s.ranges[0].prob = QString::fromLatin1(c.p1);
        s.ranges[1].prob = QString::fromLatin1(c.p2);
        s.ranges[2].prob = QString::fromLatin1(c.p3);
        EXPECT_FALSE(editor->applyRandomFill(s)) << c.p1 << " " << c.p2;
        EXPECT_EQ(ui.dialogs(), QStringList{info("Atention to probabilities")});
    }
    EXPECT_TRUE(SameProblem(editor->problem(), *before));
    EXPECT_FALSE(editor->changed());

    // Decimal probabilities that add up to 1 are accepted.
    RandomFillSettings s = Range("1", "9", RandomObject::CurrentCell);
    s.useR2 = s.useR3 = true;
    s.ranges[0].prob = QStringLiteral("0.6");
    s.ranges[1].prob = QStringLiteral("0.3");
    s.ranges[2].prob = QStringLiteral("0.1");
    s.ranges[1].min = s.ranges[2].min = QStringLiteral("1");
    EXPECT_TRUE(editor->applyRandomFill(s));
}

TEST_F(ProblemEditorTest, RandomRangesMustBeNumbersWithMaxAtLeastMin)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    EXPECT_FALSE(editor->applyRandomFill(Range("9", "1", RandomObject::CurrentCell)));
    EXPECT_FALSE(editor->applyRandomFill(Range("a", "1", RandomObject::CurrentCell)));
    EXPECT_FALSE(editor->applyRandomFill(Range("0", "3e9", RandomObject::CurrentCell)));
    // A second range that is switched off is not looked at.
    RandomFillSettings s = Range("2", "4", RandomObject::CurrentCell);
    s.ranges[1] = RandomRangeTexts{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")};
    EXPECT_TRUE(editor->applyRandomFill(s));
    const QStringList dialogs = ui.dialogs();
    ASSERT_EQ(dialogs.size(), 3);
    EXPECT_EQ(dialogs[0], QStringLiteral("Warning: Range R1: the upper limit (1) is below the lower limit (9). "
                                         "Choose an upper limit at least as large."));
    EXPECT_EQ(dialogs[1], QStringLiteral("Error: 'a' is not a valid floating point value"));
    EXPECT_TRUE(dialogs[2].startsWith(QStringLiteral("Warning: Range R1: '3e9' is too large")));
    EXPECT_GE(editor->problem().objCoef[1][1], 2);
    EXPECT_LE(editor->problem().objCoef[1][1], 4);
}

TEST_F(ProblemEditorTest, RandomOffersDependOnTheCell)
{
    auto pb = SmallProblem();
    pb->conCoef[1][1] = 2.5;
    pb->conCoef[1][2] = 4;
    open(*pb);
    editor->selectCell(3, 1);
    EXPECT_FALSE(editor->startRandomFill().has_value());
    editor->selectCell(2, 1);
    auto offer = editor->startRandomFill();
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->secondItem, QStringLiteral("for current row"));
    EXPECT_TRUE(offer->allCoefficients);

    ASSERT_TRUE(editor->switchTable());
    editor->selectCell(3, 1);
    EXPECT_FALSE(editor->startRandomFill().has_value());
    editor->selectCell(1, 1);
    offer = editor->startRandomFill();
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->secondItem, QStringLiteral("for current row (except RHS)"));
    EXPECT_TRUE(offer->allCoefficients);

    editor->selectCell(4, 1);
    offer = editor->startRandomFill();
    ASSERT_TRUE(offer.has_value());
    EXPECT_EQ(offer->secondItem, QStringLiteral("for all RHS values"));
    EXPECT_FALSE(offer->allCoefficients);
    EXPECT_EQ(editor->randomSettings().ranges[0].max, QStringLiteral("6.5"));
    EXPECT_EQ(ui.dialogs(), QStringList({info("This is not a numerical cell"), info("This is not a numerical cell")}));

    // "for all RHS values" fills the right-hand sides only.
    ASSERT_TRUE(editor->insertConstraint());
    editor->selectCell(4, 2);
    ASSERT_TRUE(editor->applyRandomFill(Range("3", "3", RandomObject::SecondItem)));
    EXPECT_EQ(editor->problem().conRhs[1], 3);
    EXPECT_EQ(editor->problem().conRhs[2], 3);
    EXPECT_EQ(editor->problem().conCoef[2][1], 0);
}

// ---------------------------------------------------------------------------
// Files and closing

TEST_F(ProblemEditorTest, SaveAsThenReadBackGivesTheSameProblem)
{
    auto start = NewProblem(2, 3, 2);
    for (int k = 3; k <= MaxObjectives; ++k)
        start->objName[k].clear();
    editor = std::make_unique<ProblemEditor>(ui, *start, QStringLiteral("Untitled"));
    editor->showTables();
    type(1, 1, QStringLiteral("3"));
    type(2, 1, QStringLiteral("-2"));
    type(3, 1, QStringLiteral("1.5"));
    type(4, 2, QStringLiteral("min"));
    type(2, 2, QStringLiteral("0.125"));
    ui.inputs.push_back(QStringLiteral("Profit"));
    editor->clickCaptionCell(0, 1);
    editor->switchTable();
    type(1, 1, QStringLiteral("1"));
    type(2, 1, QStringLiteral("1"));
    type(5, 1, QStringLiteral("10"));
    type(4, 2, QStringLiteral("="));
    type(3, 2, QStringLiteral("4"));
    type(5, 2, QStringLiteral("6"));
    ASSERT_TRUE(editor->boundsAccept({2, QStringLiteral("Y"), QStringLiteral("1"), QStringLiteral("5")}));
    ASSERT_TRUE(editor->validate());
    ASSERT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();

    ui.files.push_back(dir.filePath(QStringLiteral("saved")));
    ASSERT_TRUE(editor->saveAs());
    EXPECT_EQ(ui.log.last(), QStringLiteral("SaveFile: Save as | MOLP Data (*.mlp)"));
    const QString path = dir.filePath(QStringLiteral("saved.mlp"));
    EXPECT_EQ(editor->fileName(), path);
    EXPECT_EQ(editor->caption(), QStringLiteral("Edit problem:    saved.mlp"));
    EXPECT_FALSE(editor->changed());

    auto read = NewResetProblem();
    ASSERT_EQ(ReadProblemFile(path, *read).status, ProblemReadStatus::Ok);
    read->slackName = editor->problem().slackName;
    EXPECT_TRUE(SameProblem(*read, editor->problem()));
    EXPECT_EQ(read->objName[1], QStringLiteral("Profit"));
    EXPECT_EQ(read->objCoef[2][2], 0.125L);
    EXPECT_EQ(read->conType[2], ConEqual);
    EXPECT_EQ(read->vars[2].name, QStringLiteral("Y"));
    EXPECT_EQ(read->vars[2].ub, 5);

    // Closing now asks nothing.
    ui.clear();
    EXPECT_TRUE(editor->requestClose());
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(ProblemEditorTest, SaveAsTextWritesTheListingAndKeepsTheChangeMark)
{
    open(*SmallProblem(), dir.filePath(QStringLiteral("small.mlp")));
    type(1, 1, QStringLiteral("4"));
    editor->validate();
    ui.files.push_back(dir.filePath(QStringLiteral("listing")));
    ASSERT_TRUE(editor->saveAsText());
    EXPECT_EQ(ui.log.last(),
              QStringLiteral("SaveFile: Save as text. Don\u00B4t forget to save as data! | Text File (*.txt)"));
    QFile f(dir.filePath(QStringLiteral("listing.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), ProblemListingText(editor->problem()));
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(editor->fileName(), dir.filePath(QStringLiteral("small.mlp")));
}

TEST_F(ProblemEditorTest, SaveAsVlpWritesTheEditedProblemAndKeepsTheChangeMark)
{
    open(*SmallProblem(), dir.filePath(QStringLiteral("small.mlp")));
    type(1, 1, QStringLiteral("4"));
    editor->validate();
    ui.files.push_back(dir.filePath(QStringLiteral("small")));
    ASSERT_TRUE(editor->saveAsVlp());
    EXPECT_EQ(ui.log.last(), QStringLiteral("SaveFile: Save as VLP | Vector linear program (*.vlp)"));
    QFile f(dir.filePath(QStringLiteral("small.vlp")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), VlpFileText(editor->problem()));
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(editor->fileName(), dir.filePath(QStringLiteral("small.mlp")));
}

TEST_F(ProblemEditorTest, SaveDialogsProposeTheBaseName)
{
    open(*SmallProblem(), QStringLiteral("/tmp/x/case.a.mlp"));
    EXPECT_EQ(editor->proposedFileName(), QStringLiteral("case"));
    QStringList asked;
    editor->setSaveFileChooser([&asked](const QString& title, const QStringList&, const QString& suffix,
                                        const QString& proposed) -> std::optional<QString> {
        asked << title + QLatin1Char('|') + suffix + QLatin1Char('|') + proposed;
        return std::nullopt;
    });
    editor->validate();
    EXPECT_FALSE(editor->saveAs());
    EXPECT_FALSE(editor->saveAsText());
    EXPECT_EQ(asked, QStringList({QStringLiteral("Save as|mlp|case"),
                                  QStringLiteral("Save as text. Don\u00B4t forget to save as data!|txt|case")}));
    open(*SmallProblem());
    EXPECT_EQ(editor->proposedFileName(), QStringLiteral("Untitled"));
}

TEST_F(ProblemEditorTest, SaveFailureShowsTheReasonAndKeepsTheState)
{
    open(*SmallProblem());
    type(1, 1, QStringLiteral("4"));
    editor->validate();
    ui.files.push_back(dir.filePath(QStringLiteral("no/such/dir/p.mlp")));
    EXPECT_FALSE(editor->saveAs());
    ASSERT_EQ(ui.dialogs().size(), 1);
    EXPECT_TRUE(ui.dialogs().first().startsWith(QStringLiteral("Error: Cannot write")));
    EXPECT_TRUE(editor->changed());
    EXPECT_EQ(editor->fileName(), QStringLiteral("Untitled"));
}

TEST_F(ProblemEditorTest, ClosingWithoutChangesAsksNothing)
{
    open(*SmallProblem(), QStringLiteral("/p/small.mlp"));
    EXPECT_TRUE(editor->requestClose());
    EXPECT_TRUE(editor->isClosed());
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(editor->fileName(), QStringLiteral("/p/small.mlp"));
}

TEST_F(ProblemEditorTest, ClosingAsksAboutUnsavedChanges)
{
    open(*SmallProblem(), QStringLiteral("/p/small.mlp"));
    type(1, 1, QStringLiteral("8"));

    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(editor->requestClose());
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: Save changes to small.mlp?")});
    EXPECT_FALSE(editor->isClosed());
    // The table was validated on the way.
    EXPECT_EQ(editor->view(), EditorView::None);

    ui.answers.push_back(Answer::No);
    EXPECT_TRUE(editor->requestClose());
    EXPECT_TRUE(editor->isClosed());
    EXPECT_EQ(editor->fileName(), QStringLiteral("Untitled"));
    EXPECT_EQ(editor->problem().objCoef[1][1], 8);
}

TEST_F(ProblemEditorTest, ClosingWithAnInvalidCellStaysOpen)
{
    open(*SmallProblem());
    editor->selectCell(1, 1);
    editor->typeCell(1, 1, QStringLiteral("eight"));
    EXPECT_FALSE(editor->requestClose());
    EXPECT_FALSE(editor->isClosed());
    EXPECT_EQ(ui.dialogs(), QStringList{info("Invalid value")});
}

TEST_F(ProblemEditorTest, AnsweringYesSavesAndCancellingTheSaveStillCloses)
{
    open(*SmallProblem());
    type(1, 1, QStringLiteral("8"));
    editor->validate();
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(dir.filePath(QStringLiteral("kept.mlp")));
    EXPECT_TRUE(editor->requestClose());
    EXPECT_EQ(editor->fileName(), dir.filePath(QStringLiteral("kept.mlp")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("kept.mlp"))));

    open(*SmallProblem(), QStringLiteral("/p/first.mlp"));
    type(1, 1, QStringLiteral("9"));
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(std::nullopt);
    EXPECT_TRUE(editor->requestClose());
    EXPECT_EQ(editor->fileName(), QStringLiteral("/p/first.mlp"));
}

// ---------------------------------------------------------------------------
// The generator and the listing

TEST(RandomGenerator, FollowsTheLinearCongruentialRecurrence)
{
    RandomGenerator g(0);
    EXPECT_EQ(g.next(), 1u);
    EXPECT_EQ(g.next(), 134775814u);
    // 134775814 * 134775813 + 1 modulo 2^32.
    const std::uint64_t third = (std::uint64_t(134775814u) * 134775813u + 1u) & 0xFFFFFFFFu;
    EXPECT_EQ(g.next(), std::uint32_t(third));

    // The seed wraps around 2^32: -1 * 134775813 + 1.
    g.setSeed(0xFFFFFFFFu);
    EXPECT_EQ(g.next(), 4160191484u);

    // An integer below n is the high half of the product with the new seed.
    g.setSeed(0);
    EXPECT_EQ(g.integer(10), 0u); // seed 1
    EXPECT_EQ(g.integer(100), std::uint32_t((std::uint64_t(134775814u) * 100) >> 32));
    g.setSeed(0xFFFFFFFFu);
    EXPECT_EQ(g.integer(1000), std::uint32_t((std::uint64_t(4160191484u) * 1000) >> 32));
    // The real is the new seed over 2^32.
    g.setSeed(0xFFFFFFFFu);
    EXPECT_DOUBLE_EQ(g.real(), 4160191484.0 / 4294967296.0);
}

TEST(RandomGenerator, BetweenCoversTheWholeRangeOnly)
{
    RandomGenerator g(7);
    std::set<std::int64_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t v = g.between(-3, 3);
        ASSERT_GE(v, -3);
        ASSERT_LE(v, 3);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
    // The widest range: the integer is the new seed itself.
    g.setSeed(0);
    EXPECT_EQ(g.between(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()),
              std::int64_t(std::numeric_limits<std::int32_t>::min()) + 1);
    for (int i = 0; i < 100; ++i) {
        const double u = g.real();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TEST(ProblemListing, TermsAsInTheExamples)
{
    auto pb = NewResetProblem();
    pb->numObjectives = 2;
    pb->numConstraints = 1;
    pb->numVariables = 3;
    pb->objName[1] = QStringLiteral("Profit");
    pb->objCoef[1][1] = 3;
    pb->objCoef[1][2] = -2;
    pb->objCoef[1][3] = 1.5L;
    pb->objName[2] = QStringLiteral("Late");
    pb->objSense[2] = -1;
    pb->objCoef[2][3] = 4;
    pb->conCoef[1][1] = 1;
    pb->conCoef[1][2] = 1;
    pb->conRhs[1] = 10;
    const QStringList lines = ProblemListingLines(*pb);
    EXPECT_EQ(lines.at(4), QStringLiteral("Max Profit= 3X1 -2X2 +1.5X3 "));
    // A positive X3 after a zero X1 and X2 still gets "+".
    EXPECT_EQ(lines.at(5), QStringLiteral("Min Late= +4X3 "));
    EXPECT_EQ(lines.at(7), QStringLiteral("(1):1X1 +1X2 <=  10"));

    pb->objCoef[2][1] = 2;
    pb->objCoef[2][2] = 2;
    pb->objCoef[2][3] = 0;
    EXPECT_EQ(ListingTerms(*pb, pb->objCoef[2]), QStringLiteral("2X1 +2X2 "));
}

TEST(ProblemListing, WholeListing)
{
    auto pb = SmallProblem();
    pb->numConstraints = 3;
    pb->conCoef[2][2] = 1;
    pb->conType[2] = ConEqual;
    pb->conRhs[2] = 2.5L;
    pb->conCoef[3][1] = -0.5L;
    pb->conType[3] = ConGreaterEqual;
    pb->conRhs[3] = -1;
    pb->vars[1].lb = 1.25L;
    const QByteArray expected =
        "Number of objective functions: 2\r\n"
        "Number of functional constraints: 3\r\n"
        "Number of decision variables: 2\r\n"
        "Objective functions:\r\n"
        "Max F1= 3X1 +1X2 \r\n"
        "Min Cost= 1X1 +2X2 \r\n"
        "Constraints:\r\n"
        "(1):1X1 +1X2 <=  10\r\n"
        "(2):+1X2 =  2.5\r\n"
        "(3):-0.5X1 >=  -1\r\n"
        "Variable Definition: name, Lower bound, Upper bound\r\n"
        "X1: 1.25  M\r\n"
        "X2: 0  5\r\n";
    EXPECT_EQ(ProblemListingText(*pb), expected);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.txt"));
    ASSERT_TRUE(WriteProblemText(path, *pb).ok);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_FALSE(WriteProblemText(dir.filePath(QStringLiteral("none/p.txt")), *pb).ok);
}

TEST(ProblemListing, NamesAreWrittenInTheSingleByteCodePage)
{
    auto pb = SmallProblem();
    pb->objName[1] = QStringLiteral("Preço");
    const QByteArray text = ProblemListingText(*pb);
    EXPECT_TRUE(text.contains("Max Pre\xE7o= 3X1 +1X2 \r\n"));
}

} // namespace
