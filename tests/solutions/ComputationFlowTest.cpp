#include "ScriptedUiPort.h"
#include "solutions/Limitations.h"
#include "flow/Session.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

QString example(const char* name) { return QDir(QStringLiteral(QUILVANE_EXAMPLES_DIR)).filePath(QString::fromLatin1(name)); }

Real weighted(const Workspace& ws, const vectorObj& f, const vectorObj& w)
{
    Real sum = 0;
    for (int k = 1; k <= ws.numObjectives; ++k)
        sum += w[k] * ws.objSense[k] * f[k];
    return sum;
}

// The main window's computation commands on the three-objective example:
// max 3x1+x2+x3, x1+3x2+x3, x1+x2+3x3 s.t. x1+x2+x3 <= 6, 2x1+x2+x3 <= 8,
// x1+2x2+x3 <= 8, x1+x2+2x3 <= 8.
class ComputationFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flow.startUp(QStringLiteral("."));
        flow.file().openProblemFile(example("three_objectives_degenerate.mlp"));
        ASSERT_EQ(flow.phase(), Phase::Problem);
        ui.normalizations.push_back(false);
        flow.compute().computePayoffCommand();
        ASSERT_EQ(flow.phase(), Phase::Solutions) << ui.log.join(QLatin1Char('\n')).toStdString();
        ui.clear();
    }

    void weightedSum(const QStringList& typed)
    {
        ui.grids.push_back(typed);
        flow.compute().weightedSumCommand();
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow{*ws, ui, ui};
};

TEST_F(ComputationFlowTest, PayoffTableGivesIdealNadirAndTheFirstBasketEntries)
{
    // Each objective alone: x1 = 4 gives 12 for its own objective and 4 for
    // the others (the rows 2x1+x2+x3 <= 8 and x1+x2+x3 <= 6 bind).
    for (int k = 1; k <= 3; ++k) {
        EXPECT_NEAR(ws->idealPoint[k], 12, 1e-9) << k;
        EXPECT_NEAR(ws->refPoint[k], ws->idealPoint[k], 0) << k;
        EXPECT_EQ(ws->payoff[k].basketIndex, k);
    }
    for (int l = 1; l <= 3; ++l) {
        Real worst = ws->payoff[1].f[l];
        for (int k = 2; k <= 3; ++k)
            worst = std::min(worst, ws->payoff[k].f[l]);
        EXPECT_EQ(ws->nadirPoint[l], worst);
    }
    EXPECT_TRUE(ws->payoffComputed);
    EXPECT_EQ(ws->basketCount, 3);
    EXPECT_EQ(ws->historyCount, 3);
    EXPECT_EQ(ws->viewLastN, 3);
    // The last program weighted objective 3 with 0.999 and the others 0.0005.
    EXPECT_NEAR(ws->sumWeights[1], 0.0005L, 1e-15);
    EXPECT_NEAR(ws->sumWeights[3], 0.999L, 1e-15);
    EXPECT_EQ(ui.payoffTableShown, 1);
    EXPECT_TRUE(flow.report().toPlainText().startsWith(QStringLiteral("Last solution(s) computed")));
    // Every pay-off solution has its indifference region on the triangle.
    for (int k = 1; k <= 3; ++k)
        EXPECT_NE(ws->basket[k].indRegIndif, 0) << k;
}

TEST_F(ComputationFlowTest, WeightedSumIsOptimalForTheNormalizedWeights)
{
    weightedSum({"0.5", "0.5", "0.5"});
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(ui.log.contains(QStringLiteral("Weights: Weights for weighted-sum | l1,l2,l3 | 1,1,1 | SOLVE")));
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(ws->sumWeights[k], 1.0L / 3, 1e-15);
    // No stored solution is better for these weights than the one found.
    const Real best = weighted(*ws, ws->currentF, ws->sumWeights);
    for (int i = 1; i <= ws->basketCount; ++i)
        EXPECT_LE(weighted(*ws, ws->basket[i].f, ws->sumWeights), best + 1e-9);
    // Equal weights: x1 = x2 = x3 = 2 on the plane x1+x2+x3 = 6, value 10 each.
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(ws->currentF[k], 10, 1e-9);
    const QString report = flow.report().toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("Optimization of the weighted-sum of the objectives with the weights:\n"
                                               "(0.3333333, 0.3333333, 0.3333333)")))
        << report.toStdString();
    EXPECT_TRUE(ui.status[1].startsWith(QStringLiteral("time: ")));
    EXPECT_EQ(ws->pickedWeights[1], kNotComputed);
    EXPECT_EQ(ws->history.front().basketIndex, 4);
}

TEST_F(ComputationFlowTest, WeightsOutOfRangeAreRefusedOncePerColumn)
{
    const int before = ws->historyCount;
    weightedSum({"1.5", "0.2", "1.5"});
    EXPECT_EQ(ui.dialogs(), QStringList({"Information: Choose weights between 0 and 1",
                                         "Information: Choose weights between 0 and 1"}));
    weightedSum({"x", "0.2", "0.3"}); // not a number: refused without a message
    weightedSum({"nan", "0.2", "0.3"});
    weightedSum({"0", "0", "0"});
    EXPECT_EQ(ui.dialogs().size(), 3);
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: At least one weight must be greater than 0"));
    EXPECT_EQ(ws->historyCount, before);
    weightedSum({"0", "1", "0"});
    EXPECT_EQ(ws->historyCount, std::min(before + 1, MaxHistory));
}

TEST_F(ComputationFlowTest, ComputingTheSameWeightsTwiceStoresOneRegion)
{
    weightedSum({"0.2", "0.3", "0.5"});
    const int regions = ws->regionCount;
    const int basket = ws->basketCount;
    weightedSum({"0.2", "0.3", "0.5"});
    EXPECT_EQ(ws->regionCount, regions);
    EXPECT_EQ(ws->basketCount, basket);
    EXPECT_TRUE(ui.dialogs().contains(QStringLiteral("Information: Solution already saved (index %1)").arg(basket)));
}

TEST_F(ComputationFlowTest, ReferencePointAsksAgainUntilTheValuesConvert)
{
    ui.grids.push_back(QStringList{"12", "abc", "12"});
    ui.grids.push_back(QStringList{"12", "12", "12"});
    ui.grids.push_back(QStringList{"1", "1", "1"});
    flow.compute().referencePointCommand();
    EXPECT_EQ(ui.dialogs(), QStringList{"Information: Invalid Values!"});
    EXPECT_TRUE(ui.log.contains(QStringLiteral("Weights: Weights for Tchebycheff metric | w1,w2,w3 | 1,1,1 | OK")));
    // Equal weights towards the ideal point: the balanced solution (10, 10, 10).
    for (int k = 1; k <= 3; ++k)
        EXPECT_NEAR(ws->currentF[k], 10, 1e-6);
    const QString report = flow.report().toPlainText();
    EXPECT_TRUE(report.contains(QStringLiteral("Min of the Tchebycheff distance to the Ref.point q:\nq=(12, 12, 12)")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral(" MinMax = 2 [positive]"))) << report.toStdString();

    ui.clear();
    ui.grids.push_back(QStringList{"12", "12", "12"});
    ui.grids.push_back(QStringList{"-1", "1", "1"});
    flow.compute().referencePointCommand();
    EXPECT_EQ(ui.dialogs(), QStringList{"Information: The weights must be >=0"});
}

TEST_F(ComputationFlowTest, EConstraintBoundsTheOtherObjectivesForOneComputation)
{
    ui.objectiveChoices.push_back(ObjectiveChoice{1, QString()});
    ui.limitationScripts.push_back([this](LimitationsEditor& editor) {
        EXPECT_EQ(editor.tabNames(*ws), QStringList({"Output A", "Output C"}));
        EXPECT_EQ(editor.checkCaption(*ws), QStringLiteral("Output A >="));
        editor.typeValue(QStringLiteral("9"));
        EXPECT_TRUE(editor.checked());
        return LimitationsAnswer::Accept;
    });
    flow.compute().eConstraintCommand();
    EXPECT_TRUE(ui.log.contains(QStringLiteral(
        "ChooseObjective: Objective selection | What is the objective function to be optimized? | Output A,Output B,Output C")));
    EXPECT_NEAR(ws->sumWeights[1], 0.0001L, 0);
    EXPECT_EQ(ws->sumWeights[2], 1);
    EXPECT_GE(ws->currentF[1], 9 - 1e-9);
    EXPECT_TRUE(flow.report().toPlainText().contains(QStringLiteral("Output A >= 9")));
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(ws->limitOn[1]);
    EXPECT_FALSE(flow.states().isChecked(Cmd::BtnLimitations));

    ui.clear();
    ui.objectiveChoices.push_back(ObjectiveChoice{-1, QString()});
    flow.compute().eConstraintCommand();
    EXPECT_EQ(ui.dialogs(), QStringList{"Information: Invalid function:"});
}

TEST_F(ComputationFlowTest, LimitationsChangeOnlyWhenAValueOrFlagChanges)
{
    auto setFirst = [](const QString& value) {
        return [value](LimitationsEditor& editor) {
            editor.typeValue(value);
            return LimitationsAnswer::Accept;
        };
    };
    ui.limitationScripts.push_back(setFirst(QStringLiteral("11")));
    flow.compute().limitationsCommand();
    EXPECT_TRUE(ws->limitsActive);
    EXPECT_EQ(ws->limitValue[1], 11);
    EXPECT_TRUE(flow.states().isChecked(Cmd::BtnLimitations));
    EXPECT_TRUE(ui.saw(UiEvent::BarsChanged));

    // The same value again is no change; Cancel changes nothing.
    ui.clear();
    ui.limitationScripts.push_back(setFirst(QStringLiteral("11.0")));
    flow.compute().limitationsCommand();
    EXPECT_FALSE(ui.saw(UiEvent::BarsChanged));
    ui.limitationScripts.push_back([](LimitationsEditor& editor) {
        editor.typeValue(QString());
        return LimitationsAnswer::Cancel;
    });
    flow.compute().limitationsCommand();
    EXPECT_TRUE(ws->limitsActive);

    // A value that is not a number stops the command.
    ui.clear();
    ui.limitationScripts.push_back(setFirst(QStringLiteral("1l")));
    flow.compute().limitationsCommand();
    EXPECT_EQ(ui.dialogs(), QStringList{"Error: '1l' is not a valid floating point value"});
    EXPECT_EQ(ws->limitValue[1], 11);

    // A tab switch with a bad value keeps the objective current.
    ui.limitationScripts.push_back([](LimitationsEditor& editor) {
        editor.typeValue(QStringLiteral("bad"));
        const TabSwitchResult refused = editor.switchToTab(1);
        EXPECT_FALSE(refused.switched);
        EXPECT_EQ(MessageLines(refused.notices), QStringList{"Error: 'bad' is not a valid floating point value"});
        EXPECT_EQ(editor.currentObjective(), 1);
        editor.typeValue(QStringLiteral("10"));
        const TabSwitchResult switched = editor.switchToTab(1);
        EXPECT_TRUE(switched.switched);
        EXPECT_TRUE(switched.notices.empty());
        EXPECT_EQ(editor.currentObjective(), 2);
        EXPECT_FALSE(editor.checked());
        return LimitationsAnswer::Accept;
    });
    flow.compute().limitationsCommand();
    EXPECT_EQ(ws->limitValue[1], 10);

    // The question before a weighted sum: Yes keeps the bound, No clears it.
    ui.clear();
    ui.answers.push_back(Answer::Yes);
    weightedSum({"0", "1", "0"});
    EXPECT_GE(ws->currentF[1], 10 - 1e-9);
    EXPECT_TRUE(flow.report().toPlainText().contains(QStringLiteral("Including the following limitations on the objectives:")));
    EXPECT_EQ(ws->history.front().basketIndex, 0); // stored only with the store-all option
    ui.answers.push_back(Answer::No);
    weightedSum({"0", "1", "0"});
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_EQ(ui.dialogs().count(QStringLiteral("Ask: Do you want to consider the limitations imposed on the o.f. values?")), 2);

    ui.limitationScripts.push_back([](LimitationsEditor&) { return LimitationsAnswer::ClearAll; });
    ui.clear();
    flow.compute().limitationsCommand();
    EXPECT_FALSE(ui.saw(UiEvent::BarsChanged)); // nothing was active
}

TEST_F(ComputationFlowTest, ImpossibleLimitationsMakeTheProgramUnfeasible)
{
    ui.limitationScripts.push_back([](LimitationsEditor& editor) {
        editor.typeValue(QStringLiteral("13")); // above the ideal value 12
        return LimitationsAnswer::Accept;
    });
    flow.compute().limitationsCommand();
    const int before = ws->historyCount;
    ui.clear();
    ui.answers.push_back(Answer::Yes);
    weightedSum({"1", "1", "1"});
    EXPECT_EQ(ui.dialogs().last(), QStringLiteral("Information: Unfeasible Problem"));
    EXPECT_EQ(ws->historyCount, before);
}

TEST_F(ComputationFlowTest, SaveTextWritesRichOrPlainTextAndAsksBeforeOverwriting)
{
    QTemporaryDir dir;
    const QString rtf = dir.filePath(QStringLiteral("report.rtf"));
    const QString txt = dir.filePath(QStringLiteral("report.txt"));
    ui.files.push_back(rtf);
    flow.file().saveReport();
    ui.files.push_back(txt);
    flow.file().saveReport();
    EXPECT_TRUE(ui.dialogs().isEmpty());
    QFile rich(rtf), plain(txt);
    ASSERT_TRUE(rich.open(QIODevice::ReadOnly));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QByteArray richBytes = rich.readAll();
    EXPECT_TRUE(richBytes.startsWith("{\\rtf1"));
    EXPECT_TRUE(richBytes.contains("Last solution(s) computed"));
    EXPECT_TRUE(plain.readAll().startsWith("Last solution(s) computed\r\n"));
    plain.close();

    // An existing file: No and Cancel keep it, Yes replaces it.
    QFile marker(txt);
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.write("keep");
    marker.close();
    for (Answer a : {Answer::No, Answer::Cancel}) {
        ui.files.push_back(txt);
        ui.answers.push_back(a);
        flow.file().saveReport();
        ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
        EXPECT_EQ(marker.readAll(), QByteArray("keep"));
        marker.close();
    }
    EXPECT_EQ(ui.dialogs().first(), QStringLiteral("AskCancel: OK to overwrite ") + txt);
    ui.files.push_back(txt);
    ui.answers.push_back(Answer::Yes);
    flow.file().saveReport();
    ASSERT_TRUE(marker.open(QIODevice::ReadOnly));
    EXPECT_TRUE(marker.readAll().startsWith("Last solution(s) computed"));
}

TEST(ComputationFlow, InfeasibleProblemShowsTheStatusAndNoPayoffWindow)
{
    auto ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow(*ws, ui, ui);
    flow.startUp(QStringLiteral("."));
    flow.file().openProblemFile(example("infeasible.mlp"));
    ui.normalizations.push_back(true);
    flow.compute().computePayoffCommand();
    EXPECT_EQ(ui.dialogs(), QStringList{"Information: Unfeasible Problem"});
    EXPECT_EQ(ui.payoffTableShown, 0);
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_FALSE(ui.progressVisible);
    // L2 factors were applied: Gain = x1 + 2x2 has norm sqrt(5).
    EXPECT_NEAR(ws->normFactor[1], 1 / std::sqrt(5.0L), 1e-15);
}

} // namespace
