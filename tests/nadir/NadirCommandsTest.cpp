#include "flow/Session.h"

#include "ScriptedUiPort.h"
#include "nadir/EaNadir.h"
#include "nadir/NadirMessages.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// The window's nadir commands: their prompts, the tolerance, the answer for
// a known value, and the EA dialog's parameters reaching the run.

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

class NadirCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        flow.startUp(dir.path());
        // x1 in [1, 4], x2 in [0, 3], x3 in [0, 1], x1 + x2 <= 4: max x1, x2, x3.
        ws->numObjectives = 3;
        ws->numVariables = 3;
        ws->numConstraints = 1;
        for (int k = 1; k <= 3; ++k) {
            ws->objSense[k] = 1;
            ws->objCoef[k][k] = 1;
            ws->objName[k] = DefaultObjectiveName(k);
        }
        ws->vars[1] = VariableDef{1, 4, DefaultVariableName(1)};
        ws->vars[2] = VariableDef{0, 3, DefaultVariableName(2)};
        ws->vars[3] = VariableDef{0, 1, DefaultVariableName(3)};
        ws->conCoef[1][1] = ws->conCoef[1][2] = 1;
        ws->conType[1] = ConLessEqual;
        ws->conRhs[1] = 4;
        ws->fileName = dir.filePath(QStringLiteral("box.mlp"));
        flow.AccoesNovoProb();
        ui.normalizations = {false};
        flow.compute().computePayoffCommand();
        ASSERT_EQ(flow.phase(), Phase::Solutions);
        ui.clear();
    }

    QTemporaryDir dir;
    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow{*ws, ui, ui};
};

TEST_F(NadirCommands, AnIndexOutsideTheObjectivesComputesNothing)
{
    for (const char* typed : {"0", "4", "x1"}) {
        ui.clear();
        ui.inputs = {QString::fromLatin1(typed)};
        flow.nadir().nadirCommand(NadirMethod::Two);
        EXPECT_EQ(flow.lastOutcome(), Outcome::Refused) << typed;
        EXPECT_EQ(ui.log, QStringList{QStringLiteral("Input: Compute the nadir value (Method 2) | objective "
                                                     "function index | ")})
            << typed;
    }
    ui.inputs = {std::nullopt};
    flow.nadir().nadirCommand(NadirMethod::One);
    EXPECT_EQ(flow.lastOutcome(), Outcome::Cancelled);
}

TEST_F(NadirCommands, TheToleranceIsAskedWhenChecked)
{
    flow.basket().toggleAskTolerance();
    ui.inputs = {QStringLiteral("1"), QStringLiteral("1,5")};
    flow.nadir().nadirCommand(NadirMethod::Two);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Error: Invalid Number!")});
    EXPECT_EQ(ws->nadirSource[1], 0);
    ui.clear();
    ui.inputs = {QStringLiteral("1"), QStringLiteral("2.5")};
    flow.nadir().nadirCommand(NadirMethod::Two);
    EXPECT_EQ(ui.log.value(1), QStringLiteral("Input: Maximum error for the nadir value | Maximum accepted error (%) "
                                              "for the function value | 0.05"));
    EXPECT_EQ(ws->nadirErrorPct, 2.5L);
    EXPECT_EQ(flow.lastOutcome(), Outcome::Done);
}

TEST_F(NadirCommands, AKnownValueIsReportedInsteadOfComputed)
{
    ui.inputs = {QStringLiteral("1")};
    flow.nadir().nadirCommand(NadirMethod::Two);
    ASSERT_EQ(flow.lastOutcome(), Outcome::Done);
    const int source = ws->nadirSource[1];
    ASSERT_GE(source, 1);
    EXPECT_TRUE(ui.dialogs().last().startsWith(QStringLiteral("Information: FOUND: the nadir for F1 is 1.000")));
    EXPECT_TRUE(flow.report().toPlainText().contains(QStringLiteral(" - Nadir of \nF1:  1")));
    ui.clear();
    ui.inputs = {QStringLiteral("1")};
    flow.nadir().nadirCommand(NadirMethod::Two);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: ALREADY KNOWN: the nadir for F1 is 1.000, given "
                                                       "by solution %1")
                                            .arg(source)});
}

TEST_F(NadirCommands, TheReaderIsTakenToWhatTheNadirAdded)
{
    ui.grids = {QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}};
    flow.compute().weightedSumCommand();
    ASSERT_EQ(flow.lastOutcome(), Outcome::Done);
    ASSERT_EQ(flow.report().firstUnseenLine(), 0); // a report written anew: from its top
    flow.reportSeen();
    ASSERT_EQ(flow.report().firstUnseenLine(), -1);
    const int before = static_cast<int>(flow.report().lines().size());
    ui.inputs = {QStringLiteral("1")};
    flow.nadir().nadirCommand(NadirMethod::Two);
    ASSERT_EQ(flow.lastOutcome(), Outcome::Done);
    ASSERT_GT(static_cast<int>(flow.report().lines().size()), before);
    EXPECT_EQ(flow.report().firstUnseenLine(), before);
}

TEST_F(NadirCommands, TheEstimateRunsWithTheDialogsParameters)
{
    EaParameterTexts typed;
    typed.popSize = QStringLiteral("250");
    typed.mutation = QStringLiteral("0.01");
    typed.iterations = QStringLiteral("2");
    typed.randomize = false;
    typed.seed = QStringLiteral("1234");
    ui.eaParameters = {typed};
    flow.nadir().eaNadirCommand();
    EXPECT_EQ(ui.eaDefaults.popSize, QStringLiteral("18"));
    EXPECT_EQ(ui.eaDefaults.iterations, QStringLiteral("30"));
    EXPECT_EQ(flow.lastOutcome(), Outcome::Done);
    EXPECT_EQ(ui.dialogs().value(0), QStringLiteral("Warning: ") + text(msg::kEaMaxPopulation).arg(200));
    const QString report = flow.report().toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("\nPopulation size = 200\n"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("\nNo. of iterations = 2\n")));

    ui.clear();
    ui.eaParameters = {typed};
    ui.inputs = {QStringLiteral("two")};
    flow.nadir().eaRunsCommand();
    EXPECT_EQ(flow.lastOutcome(), Outcome::Refused);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Error: 'two' is not a valid integer value"));
    // Within a run the dialog opens with what was last accepted.
    EXPECT_EQ(ui.eaDefaults.popSize, QStringLiteral("250"));
    EXPECT_EQ(ui.eaDefaults.iterations, QStringLiteral("2"));
    EXPECT_FALSE(ui.eaDefaults.randomize);
}

// VMA after a weighted sum and a stored reference point: the closing box
// counts the vertices only, and the report, the bars and the status bar
// are brought up to date.
TEST_F(NadirCommands, VmaCountsTheVerticesAndRefreshesTheViews)
{
    ws->guardaTodasSols = true;
    ui.grids = {QStringList{"1", "2", "3"}};
    flow.compute().weightedSumCommand();
    ui.grids = {QStringList{"3", "3", "1"}, QStringList{"1", "1", "1"}};
    flow.compute().referencePointCommand();
    ASSERT_EQ(ws->basketCount, 3) << ui.log.join(QLatin1Char('\n')).toStdString();
    ui.setStatusText(0, QStringLiteral("Solution already saved (index 1)"));
    ui.clear();
    ui.answers = {Answer::Yes};
    flow.nadir().vmaCommand(10000);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: VMA has computed 2 eficient vertex solutions"));
    EXPECT_TRUE(ui.saw(UiEvent::ReportChanged));
    EXPECT_TRUE(ui.saw(UiEvent::BarsChanged));
    EXPECT_TRUE(ui.status[0].isEmpty());
}

// The EA's bar runs over the generations of every run; the status bar keeps
// nothing of the solutions stored on the way.
TEST_F(NadirCommands, TheEaBarCountsGenerationsOverRuns)
{
    EaParameterTexts typed = EaDefaultTexts(3);
    typed.iterations = QStringLiteral("4");
    for (const int runs : {1, 3}) {
        ui.setStatusText(0, QStringLiteral("Solution already saved (index 1)"));
        ui.eaParameters = {typed};
        if (runs == 1) {
            flow.nadir().eaNadirCommand();
        } else {
            ui.inputs = {QString::number(runs)};
            ui.answers = {Answer::Yes};
            flow.nadir().eaRunsCommand();
        }
        EXPECT_EQ(flow.lastOutcome(), Outcome::Done) << ui.log.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(ui.progressMaximum, 4 * runs);
        EXPECT_EQ(ui.progressPosition, 4 * runs - 1);
        EXPECT_TRUE(ui.status[0].isEmpty());
    }
}

} // namespace
