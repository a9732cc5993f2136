#include "FlowFixture.h"
#include "ScriptedUiPort.h"
#include "flow/ProblemEditor.h"
#include "problem/ProblemFile.h"
#include "problem/RandomProblems.h"
#include "lp/Messages.h"
#include "flow/Session.h"
#include "flow/Messages.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A two-objective problem: max 3x1 + x2, min x1 + 2x2, x1 + x2 <= 10, x2 <= 5.
const char kSmallProblem[] =
    "2\t(number of O.F.)\r\n"
    "1\t(number of Constraints)\r\n"
    "2\t(number of variables}\r\n"
    "O.FUNCTIONS: type (1=MAX; -1=MIN) ; coefficients \r\n"
    "1\t 3.00000000000000E+0000\t 1.00000000000000E+0000\tF1\r\n"
    "-1\t 1.00000000000000E+0000\t 2.00000000000000E+0000\tCost\r\n"
    "CONSTRAINTS: coefficients; type (0 <=, 1 =, 2 >=); rhs\r\n"
    " 1.00000000000000E+0000\t 1.00000000000000E+0000\t0\t 1.00000000000000E+0001\r\n"
    "VARIABLES:  LB; UB (infinite=1e41); name\r\n"
    " 0.00000000000000E+0000\t 1.00000000000000E+0041\tX1\r\n"
    " 0.00000000000000E+0000\t 5.00000000000000E+0000\tX2\r\n";

class SessionTest : public FlowFixture {
protected:
    void openSmallProblem(const QString& name = QStringLiteral("small.mlp"))
    {
        flow.file().openProblemFile(writeFile(name, kSmallProblem));
        ASSERT_EQ(flow.phase(), Phase::Problem) << ui.log.join(QLatin1Char('\n')).toStdString();
    }

    void addHistory(int count)
    {
        for (int i = 0; i < count; ++i)
            ws->pushHistory(ComputedSolution{});
    }
};

QString tooBig() { return QStringLiteral("Error: ") + QString::fromUtf8(msg::kTooBig); }

TEST_F(SessionTest, EmptyPhaseOffersFileAndHelpOnly)
{
    const CommandStates& s = flow.states();
    EXPECT_EQ(flow.phase(), Phase::Empty);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - Interactive Multiple Objective Linear Programming"));
    for (Cmd menu : {Cmd::MenuFile, Cmd::MenuHelp})
        EXPECT_TRUE(s.isVisible(menu)) << toString(menu);
    for (Cmd menu : {Cmd::MenuFirst, Cmd::MenuCompute, Cmd::MenuLimits, Cmd::MenuMethods, Cmd::MenuSolutions})
        EXPECT_FALSE(s.isVisible(menu)) << toString(menu);
    for (Cmd c : {Cmd::New, Cmd::Open, Cmd::Exit, Cmd::HelpContents, Cmd::About})
        EXPECT_TRUE(s.isAvailable(c)) << toString(c);
    // Fixed-column MPS is offered from the start.
    EXPECT_TRUE(s.isAvailable(Cmd::OpenMps));
    EXPECT_FALSE(s.isAvailable(Cmd::Edit));
    EXPECT_FALSE(s.isVisible(Cmd::TabBar));
    EXPECT_FALSE(s.isAvailable(Cmd::BtnWeightedSum));
    EXPECT_FALSE(s.isVisible(Cmd::ReportPane));
}

TEST_F(SessionTest, SizesDialogShowsItsMessagesInOrder)
{
    struct Case {
        const char *p, *n, *m;
        QStringList expected;
        bool accepted;
    };
    const QString invalid = QStringLiteral("Error: Invalid Numbers!");
    const Case cases[] = {
        {"21", "5", "5", {QStringLiteral("Warning: Too many objective functions (max 20)")}, false},
        {"25", "200", "150",
         {QStringLiteral("Warning: Too many objective functions (max 20)"),
          QStringLiteral("Warning: Too many variables (max 101)"),
          QStringLiteral("Warning: Too many constraints (max 100)")},
         false},
        {"2", "x", "3", {invalid}, false},
        {"2", "3", "", {invalid}, false},
        {"2.5", "3", "1", {invalid}, false},
        {"0", "3", "1", {invalid}, false},
        {"2", "-3", "1", {invalid}, false},
        {"2", "3", "-1", {invalid}, false},
        {"20", "101", "100", {}, true},
        {"1", "1", "0", {}, true},
        {"2", "102", "5", {QStringLiteral("Warning: Too many variables (max 101)")}, false},
    };
    for (const Case& c : cases) {
        ui.clear();
        EXPECT_EQ(flow.file().acceptSizes(QString::fromLatin1(c.p), QString::fromLatin1(c.n), QString::fromLatin1(c.m)),
                  c.accepted)
            << c.p << "/" << c.n << "/" << c.m;
        EXPECT_EQ(ui.dialogs(), c.expected) << c.p << "/" << c.n << "/" << c.m;
    }
}

TEST_F(SessionTest, RefusedSizesKeepThePreviousProblem)
{
    openSmallProblem();
    ASSERT_FALSE(flow.file().acceptSizes(QStringLiteral("25"), QStringLiteral("200"), QStringLiteral("150")));
    EXPECT_EQ(ws->numObjectives, 2);
    EXPECT_EQ(ws->numVariables, 2);
    EXPECT_EQ(ws->numConstraints, 1);
    EXPECT_EQ(ws->objCoef[1][1], 3);
    EXPECT_EQ(flow.phase(), Phase::Problem);
}

TEST_F(SessionTest, NewOpensTheEditorOnAFreshProblemOfTheGivenSize)
{
    openSmallProblem();
    ws->payoffComputed = true;
    flow.ShowSolutionPhase();
    ui.clear();
    ASSERT_TRUE(flow.file().acceptSizes(QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("2")));
    ui.editorScripts.push_back([](ProblemEditor& editor) {
        const ProblemData& pb = editor.problem();
        EXPECT_EQ(editor.view(), EditorView::Objectives);
        EXPECT_EQ(editor.caption(), QStringLiteral("Edit problem:    Untitled"));
        // Nothing of the previous problem: zeros, F1.., X1...
        EXPECT_EQ(pb.objCoef[1][1], 0);
        EXPECT_EQ(pb.objName[2], QStringLiteral("F2"));
        EXPECT_EQ(pb.objSense[2], 1);
        EXPECT_EQ(pb.vars[2].ub, kInfiniteBound);
        EXPECT_EQ(pb.vars[4].name, QStringLiteral("X4"));
        editor.selectCell(4, 3);
        editor.typeCell(4, 3, QStringLiteral("6"));
        editor.validate();
    });
    ui.answers.push_back(Answer::No);
    flow.file().newProblem(3, 4, 2);
    EXPECT_TRUE(ui.log.contains(QStringLiteral("ProblemEditor: Edit problem:    Untitled | 3x4x2")));
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: Save changes to Untitled?")});
    EXPECT_TRUE(ui.saw(UiEvent::ProblemViewsHidden));
    EXPECT_EQ(ws->numObjectives, 3);
    EXPECT_EQ(ws->numVariables, 4);
    EXPECT_EQ(ws->numConstraints, 2);
    EXPECT_EQ(ws->objCoef[3][4], 6);
    EXPECT_EQ(ws->objName[2], QStringLiteral("F2"));
    EXPECT_EQ(ws->slackName[2], QStringLiteral("s2"));
    EXPECT_EQ(ws->fileName, QStringLiteral("Untitled"));
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - Untitled"));
    EXPECT_TRUE(flow.states().isAvailable(Cmd::Edit));
}

TEST_F(SessionTest, ClosingTheEditorWithoutChangesStillAcceptsTheProblem)
{
    flow.file().newProblem(2, 2, 0);
    EXPECT_EQ(ui.editorsOpened, 1);
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_FALSE(ui.log.contains(QStringLiteral("EditorLeftOpen")));
    EXPECT_EQ(ws->numObjectives, 2);
    EXPECT_EQ(ws->numConstraints, 0);
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - Untitled"));
}

TEST_F(SessionTest, OpenLoadsTheProblemAndEntersTheProblemPhase)
{
    ui.files.push_back(writeFile(QStringLiteral("small.mlp"), kSmallProblem));
    flow.file().openProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(ui.log.contains(QStringLiteral("OpenFile: Open | MOLP data (*.mlp)")));
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - small"));
    EXPECT_EQ(ws->fileName, dir.filePath(QStringLiteral("small.mlp")));
    EXPECT_EQ(ws->objName[2], QStringLiteral("Cost"));
    EXPECT_EQ(ws->objSense[2], -1);
    EXPECT_EQ(ws->vars[2].ub, 5);
    EXPECT_EQ(ws->slackName[1], QStringLiteral("s1"));
    EXPECT_EQ(ws->payoff[1].f[1], kNotComputed);
    EXPECT_GT(ui.maxBusyDepth, 0);
    EXPECT_EQ(ui.busyDepth, 0);

    const CommandStates& s = flow.states();
    EXPECT_TRUE(s.isAvailable(Cmd::Edit));
    EXPECT_TRUE(s.isAvailable(Cmd::ComputePayoff));
    EXPECT_TRUE(s.isAvailable(Cmd::ImportSolutions));
    for (Cmd menu : {Cmd::MenuCompute, Cmd::MenuLimits, Cmd::MenuMethods, Cmd::MenuSolutions})
        EXPECT_FALSE(s.isVisible(menu)) << toString(menu);
    EXPECT_FALSE(s.isVisible(Cmd::TabBar));
}

TEST_F(SessionTest, CaptionKeepsOnlyTheLastProblemName)
{
    openSmallProblem(QStringLiteral("first.mlp"));
    openSmallProblem(QStringLiteral("second-try.mlp"));
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - second-try"));
    EXPECT_EQ(CaptionWithProblem(QStringLiteral("Quilvane"), QStringLiteral("p")),
              QStringLiteral("Quilvane - p"));
}

TEST_F(SessionTest, OpenCancelledDoesNothing)
{
    ui.files.push_back(std::nullopt);
    flow.file().openProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(flow.phase(), Phase::Empty);
}

TEST_F(SessionTest, MissingFileIsNotFound)
{
    openSmallProblem();
    ui.clear();
    flow.file().openProblemFile(dir.filePath(QStringLiteral("nothere.mlp")));
    flow.file().openProblemFile(QString());
    EXPECT_EQ(ui.dialogs(), QStringList({QStringLiteral("Error: File not found"), QStringLiteral("Error: File not found")}));
    EXPECT_EQ(ws->numObjectives, 2);
    EXPECT_EQ(flow.phase(), Phase::Problem);
}

TEST_F(SessionTest, RefusedFilesLeaveTheWorkspaceAndWindowAsTheyWere)
{
    openSmallProblem();
    ws->payoffComputed = true; // as after a pay-off table
    ws->idealPoint[1] = 30;
    flow.ShowSolutionPhase();
    ui.clear();

    flow.file().openProblemFile(writeFile(QStringLiteral("big.mlp"), "21\r\n1\r\n2\r\n"));
    EXPECT_EQ(ui.dialogs(), QStringList{tooBig()});
    flow.file().openProblemFile(writeFile(QStringLiteral("big2.mlp"), "2\r\n1\r\n102\r\n"));
    flow.file().openProblemFile(writeFile(QStringLiteral("garbage.mlp"), "2\r\n1\r\n2\r\nhead\r\n1 abc"));
    flow.file().openProblemFile(writeFile(QStringLiteral("cut.mlp"), QByteArray(kSmallProblem).left(200)));

    const QStringList dialogs = ui.dialogs();
    ASSERT_EQ(dialogs.size(), 4);
    EXPECT_EQ(dialogs[1], tooBig());
    EXPECT_TRUE(dialogs[2].startsWith(QStringLiteral("Error: Input error"))) << dialogs[2].toStdString();
    EXPECT_TRUE(dialogs[3].startsWith(QStringLiteral("Error: Input error"))) << dialogs[3].toStdString();
    EXPECT_EQ(ws->numObjectives, 2);
    EXPECT_EQ(ws->numVariables, 2);
    EXPECT_EQ(ws->objCoef[1][1], 3);
    EXPECT_EQ(ws->objName[2], QStringLiteral("Cost"));
    EXPECT_TRUE(ws->payoffComputed);
    EXPECT_EQ(flow.phase(), Phase::Solutions);
    EXPECT_TRUE(flow.states().isVisible(Cmd::TabBar));
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - small"));
}

TEST_F(SessionTest, SecondProblemResetsComputationsButNotTheIdealPoint)
{
    openSmallProblem();
    ws->payoffComputed = true;
    ws->idealPoint[1] = 30;
    (void)ws->appendSolution(SolSolutionBasket{});
    addHistory(2);
    flow.ShowSolutionPhase();
    openSmallProblem(QStringLiteral("again.mlp"));
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_EQ(ws->basketCount, 0);
    EXPECT_EQ(ws->historyCount, 0);
    EXPECT_EQ(ws->payoff[2].f[1], kNotComputed);
    EXPECT_EQ(ws->idealPoint[1], 30);
    EXPECT_FALSE(flow.states().isVisible(Cmd::TabBar));
    EXPECT_TRUE(flow.states().isVisible(Cmd::MenuFirst));
    EXPECT_TRUE(ui.saw(UiEvent::ProblemViewsHidden));
}

TEST_F(SessionTest, EditWarnsOnlyAfterComputations)
{
    openSmallProblem();
    ui.clear();
    flow.file().editProblem();
    EXPECT_TRUE(ui.dialogs().isEmpty()) << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(ui.editorsOpened, 1);
    EXPECT_TRUE(ui.log.contains(QStringLiteral("ProblemEditor: Edit problem:    small.mlp | 2x2x1")));

    ws->payoffComputed = true;
    ui.clear();
    ui.answers.push_back(Answer::No);
    flow.file().editProblem();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Ask: ") + QString::fromUtf8(msg::kEditWarning)});
    EXPECT_EQ(ui.dialogs().first(),
              QStringLiteral("Ask: With this operation you will loose previous computations. Do you want to continue?"));
    EXPECT_EQ(ui.editorsOpened, 1);
    EXPECT_TRUE(ws->payoffComputed);

    ui.clear();
    ui.answers.push_back(Answer::Yes);
    flow.file().editProblem();
    EXPECT_EQ(ui.dialogs().size(), 1);
    EXPECT_EQ(ui.editorsOpened, 2);
    // Closing the editor starts the problem afresh.
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_EQ(flow.phase(), Phase::Problem);
}

TEST_F(SessionTest, EditedProblemSavedUnderANewNameGivesTheCaption)
{
    openSmallProblem();
    ui.clear();
    const QString saved = dir.filePath(QStringLiteral("renamed.mlp"));
    ui.editorScripts.push_back([](ProblemEditor& editor) {
        EXPECT_EQ(editor.problem().objName[2], QStringLiteral("Cost"));
        editor.selectCell(1, 2);
        editor.typeCell(1, 2, QStringLiteral("5"));
        editor.validate();
    });
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(saved);
    flow.file().editProblem();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("AskCancel: Save changes to small.mlp?")});
    EXPECT_EQ(ws->objCoef[2][1], 5);
    EXPECT_EQ(ws->fileName, saved);
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - renamed"));
    EXPECT_TRUE(QFile::exists(saved));

    // Not saving forgets the file: the problem is no longer the file's.
    ui.clear();
    ui.editorScripts.push_back([](ProblemEditor& editor) {
        editor.selectCell(1, 1);
        editor.typeCell(1, 1, QStringLiteral("9"));
    });
    ui.answers.push_back(Answer::No);
    flow.file().editProblem();
    EXPECT_EQ(ws->objCoef[1][1], 9);
    EXPECT_EQ(ws->fileName, QStringLiteral("Untitled"));
    EXPECT_EQ(flow.caption(), QStringLiteral("Quilvane - Untitled"));
}

TEST_F(SessionTest, SolutionPhaseMenusDependOnTheNumberOfObjectives)
{
    openSmallProblem();
    ws->payoff[1].basketIndex = 1;
    ws->payoff[2].basketIndex = 2;
    flow.ShowSolutionPhase();
    const CommandStates& s = flow.states();
    EXPECT_EQ(flow.phase(), Phase::Solutions);
    EXPECT_FALSE(s.isVisible(Cmd::MenuFirst));
    for (Cmd c : {Cmd::WeightedSum, Cmd::RefPoint, Cmd::EConstraint, Cmd::VMA, Cmd::ImposeLimitations, Cmd::Stem1st,
                  Cmd::RaceStart, Cmd::Icw1st, Cmd::ViewPayoff, Cmd::ExportData, Cmd::BtnWeightedSum, Cmd::ViewLastN,
                  Cmd::EstimateNadirEA})
        EXPECT_TRUE(s.isAvailable(c)) << toString(c);
    for (Cmd c : {Cmd::StemNew, Cmd::StemExit, Cmd::RaceExit, Cmd::RaceFix, Cmd::IcwNew, Cmd::IcwExit,
                  Cmd::NadirMethod1})
        EXPECT_FALSE(s.isAvailable(c)) << toString(c);
    EXPECT_FALSE(s.isVisible(Cmd::RacePanel));
    // Two objectives: the pay-off solutions are the nadir solutions.
    EXPECT_TRUE(s.isAvailable(Cmd::ViewWeightSpace));
    EXPECT_FALSE(s.isAvailable(Cmd::NadirMethod2));
    EXPECT_EQ(ws->nadirSource[1], 2);
    EXPECT_EQ(ws->nadirSource[2], 1);

    for (int p : {3, 4, 1}) {
        ws->numObjectives = p;
        flow.ShowSolutionPhase();
        EXPECT_EQ(s.isVisible(Cmd::ViewWeightSpace), p == 3) << p;
        EXPECT_EQ(s.isVisible(Cmd::BtnWeightSpace), p == 3) << p;
        EXPECT_TRUE(s.isAvailable(Cmd::NadirMethod2)) << p;
    }
}

TEST_F(SessionTest, ViewLastNFollowsTheHistory)
{
    openSmallProblem();
    addHistory(3);
    flow.ShowSolutionPhase();
    EXPECT_EQ(ws->viewLastN, 3);

    ui.clear();
    flow.basket().setViewLastNText(QStringLiteral("9"));
    EXPECT_EQ(ws->viewLastN, 9);
    EXPECT_TRUE(ui.saw(UiEvent::ReportChanged));

    ui.clear();
    flow.basket().setViewLastNText(QStringLiteral("x"));
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Error: 'x' is not a valid integer value")});
    EXPECT_EQ(ws->viewLastN, 9);

    flow.basket().setViewLastNText(QStringLiteral("15"));
    EXPECT_EQ(ws->viewLastN, MaxHistory);
    flow.basket().setViewLastNText(QStringLiteral("0"));
    EXPECT_EQ(ws->viewLastN, 1);

    ui.clear();
    flow.basket().setViewLastNText(QStringLiteral("1"));
    EXPECT_TRUE(ui.saw(UiEvent::ViewLastNChanged));
    EXPECT_FALSE(ui.saw(UiEvent::ReportChanged)); // nothing changed, nothing rewritten

    addHistory(MaxHistory);
    flow.ShowSolutionPhase();
    EXPECT_EQ(ws->viewLastN, MaxHistory);
}

TEST_F(SessionTest, StemModeRestrictsCommandsAndLeavingAsksAboutLimitations)
{
    openSmallProblem();
    flow.ShowSolutionPhase();
    ws->limitsActive = true;
    ws->limitOn[1] = true;
    ws->limitValue[1] = 4;
    ws->activeMethod = MethodKind::Stem;
    ui.clear();
    flow.EnterMethodMode();

    const CommandStates& s = flow.states();
    EXPECT_EQ(flow.phase(), Phase::Method);
    for (Cmd c : {Cmd::WeightedSum, Cmd::ImposeLimitations, Cmd::BtnWeightedSum, Cmd::BtnRefPoint,
                  Cmd::BtnEConstraint, Cmd::BtnLimitations, Cmd::RaceStart, Cmd::Icw1st, Cmd::ViewWeightSpace,
                  Cmd::BtnWeightSpace})
        EXPECT_FALSE(s.isAvailable(c)) << toString(c);
    EXPECT_TRUE(s.isAvailable(Cmd::StemNew));
    EXPECT_TRUE(s.isAvailable(Cmd::StemExit));
    EXPECT_TRUE(s.isChecked(Cmd::StemMenu));
    EXPECT_TRUE(ui.saw(UiEvent::WeightSpaceHidden));

    ui.answers.push_back(Answer::No);
    ui.clear();
    flow.SaiMetodos(true);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Ask: Do you want to keep the limitations imposed on the o.f. values?")});
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(ws->limitOn[1]);
    EXPECT_TRUE(ui.saw(UiEvent::ReportChanged));
    EXPECT_EQ(ws->activeMethod, MethodKind::None);
    EXPECT_EQ(flow.phase(), Phase::Solutions);
    for (Cmd c : {Cmd::WeightedSum, Cmd::BtnLimitations, Cmd::RaceStart, Cmd::Icw1st, Cmd::ViewWeightSpace})
        EXPECT_TRUE(s.isAvailable(c)) << toString(c);
    EXPECT_FALSE(s.isAvailable(Cmd::StemNew));
    EXPECT_FALSE(s.isChecked(Cmd::StemMenu));
    EXPECT_FALSE(s.isChecked(Cmd::BtnLimitations));
}

TEST_F(SessionTest, KeepingLimitationsAfterAMethodPressesTheButton)
{
    openSmallProblem();
    flow.ShowSolutionPhase();
    ws->limitsActive = true;
    ws->activeMethod = MethodKind::ParetoRace;
    ws->raceObjective = 2;
    flow.EnterMethodMode();
    EXPECT_TRUE(flow.states().isVisible(Cmd::RacePanel));
    EXPECT_TRUE(flow.states().isAvailable(Cmd::RaceFix));
    EXPECT_FALSE(flow.states().isAvailable(Cmd::Stem1st));

    ui.answers.push_back(Answer::Yes);
    flow.SaiMetodos(true);
    EXPECT_TRUE(ws->limitsActive);
    EXPECT_TRUE(flow.states().isChecked(Cmd::BtnLimitations));
    EXPECT_FALSE(flow.states().isVisible(Cmd::RacePanel));
    EXPECT_EQ(ws->raceObjective, 0);
}

TEST_F(SessionTest, IcwModeAndANewProblemLeaveTheMethodWithoutAQuestion)
{
    openSmallProblem();
    flow.ShowSolutionPhase();
    ws->limitsActive = true;
    ws->activeMethod = MethodKind::Icw;
    flow.EnterMethodMode();
    const CommandStates& s = flow.states();
    EXPECT_TRUE(s.isChecked(Cmd::IcwMenu));
    EXPECT_TRUE(s.isAvailable(Cmd::IcwNew));
    // ICW keeps the weight space: its regions are what the method shows.
    EXPECT_TRUE(s.isAvailable(Cmd::ViewWeightSpace));
    EXPECT_FALSE(s.isAvailable(Cmd::Stem1st));

    ui.clear();
    openSmallProblem(QStringLiteral("other.mlp"));
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_TRUE(ui.saw(UiEvent::ContractedConeHidden));
    EXPECT_EQ(ws->activeMethod, MethodKind::None);
    EXPECT_FALSE(s.isChecked(Cmd::IcwMenu));
    EXPECT_FALSE(s.isEnabled(Cmd::IcwNew));
    EXPECT_EQ(flow.phase(), Phase::Problem);
}

TEST_F(SessionTest, LimitationQuestionClearsOnNo)
{
    openSmallProblem();
    flow.compute().askConsiderLimitations();
    EXPECT_TRUE(ui.dialogs().isEmpty());

    ws->limitsActive = true;
    ui.answers.push_back(Answer::Yes);
    flow.compute().askConsiderLimitations();
    EXPECT_TRUE(ws->limitsActive);
    ui.answers.push_back(Answer::No);
    flow.compute().askConsiderLimitations();
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_EQ(ui.dialogs().size(), 2);
    EXPECT_EQ(ui.dialogs().first(),
              QStringLiteral("Ask: Do you want to consider the limitations imposed on the o.f. values?"));
}

TEST_F(SessionTest, VmaConfirmationMentionsLimitationsOnlyWhenInForce)
{
    openSmallProblem();
    ui.answers.push_back(Answer::No);
    EXPECT_FALSE(flow.nadir().confirmVma());
    ws->limitsActive = true;
    ui.answers.push_back(Answer::Yes);
    EXPECT_TRUE(flow.nadir().confirmVma());
    EXPECT_FALSE(ws->limitsActive);
    const QStringList d = ui.dialogs();
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d[0], QStringLiteral("Ask: ") + QString::fromUtf8(msg::kVmaQuestion));
    EXPECT_TRUE(d[1].contains(QStringLiteral("Additional limitations on the objective functions will not be considered.")));
    EXPECT_TRUE(ui.log.contains(QStringLiteral("Status0: ")));
}

TEST_F(SessionTest, ColourGoesToTheNewestRecordAndItsBasketSolution)
{
    openSmallProblem();
    flow.basket().chooseColour(); // no history: nothing to colour, no dialog
    EXPECT_FALSE(ui.log.contains(QStringLiteral("ChooseColor")));

    (void)ws->appendSolution(SolSolutionBasket{});
    addHistory(2);
    ws->history.front().basketIndex = 1;
    ui.colors.push_back(std::nullopt);
    flow.basket().chooseColour();
    EXPECT_EQ(ws->history.front().cor, kNoColor);

    ui.colors.push_back(hexColor(0x00FF00));
    ui.clear();
    flow.basket().chooseColour();
    EXPECT_EQ(ws->history.front().cor, hexColor(0x00FF00));
    EXPECT_EQ(ws->basket[1].cor, hexColor(0x00FF00));
    EXPECT_EQ(ws->history.back().cor, kNoColor);
    EXPECT_TRUE(ui.saw(UiEvent::ReportChanged));
    EXPECT_TRUE(ui.saw(UiEvent::WeightSpaceChanged));
}

TEST_F(SessionTest, AskToleranceTogglesItsCheckMark)
{
    flow.basket().toggleAskTolerance();
    EXPECT_TRUE(flow.states().isChecked(Cmd::AskTolerance));
    EXPECT_TRUE(ws->askNadirTolerance);
    flow.basket().toggleAskTolerance();
    EXPECT_FALSE(flow.states().isChecked(Cmd::AskTolerance));
}

TEST_F(SessionTest, MenuLayoutHasEveryCommandOnce)
{
    std::vector<int> seen(kCommandCount, 0);
    std::function<void(const std::vector<MenuEntry>&)> walk = [&](const std::vector<MenuEntry>& entries) {
        for (const MenuEntry& e : entries) {
            if (e.cmd == Cmd::Separator)
                continue;
            ++seen[static_cast<int>(e.cmd)];
            EXPECT_EQ(commandInfo(e.cmd).cmd, e.cmd);
            walk(e.children);
        }
    };
    walk(mainMenuLayout());
    for (Cmd c : searchPanelButtons())
        ++seen[static_cast<int>(c)];
    for (Cmd c : viewPanelButtons())
        ++seen[static_cast<int>(c)];
    for (int i = 0; i < kCommandCount; ++i) {
        const Cmd c = static_cast<Cmd>(i);
        const bool area = c == Cmd::TabBar || c == Cmd::BarPicture || c == Cmd::ReportPane || c == Cmd::RacePanel;
        EXPECT_EQ(seen[i], area ? 0 : 1) << toString(c);
    }
    EXPECT_STREQ(commandInfo(Cmd::EConstraint).caption, " &e-constraint technique");
    EXPECT_STREQ(commandInfo(Cmd::BtnBasketValues).hint, "Values of  solutions in Basket");
}

} // namespace

namespace {

class DiscardQuestionTest : public SessionTest {
protected:
    // Yes is Save, No is Discard.
    const QString question = QStringLiteral("AskCancel: ") + QString::fromUtf8(msg::kDiscardSolutions);

    void computePayoff()
    {
        openSmallProblem();
        ui.normalizations.push_back(false);
        flow.compute().computePayoffCommand();
        ASSERT_EQ(flow.lastOutcome(), Outcome::Done);
        ui.clear();
    }
};

TEST_F(DiscardQuestionTest, AskedOnlyWhileComputedSolutionsAreNotExported)
{
    // Nothing computed: nothing to lose.
    openSmallProblem();
    ui.files.push_back(std::nullopt);
    flow.file().openProblem();
    EXPECT_FALSE(ui.log.contains(question));

    computePayoff();
    // Cancel keeps everything and cancels the command before its file dialog.
    ui.answers.push_back(Answer::Cancel);
    flow.file().openProblem();
    EXPECT_EQ(ui.dialogs(), QStringList{question});
    EXPECT_EQ(flow.lastOutcome(), Outcome::Cancelled);
    EXPECT_EQ(flow.phase(), Phase::Solutions);
    EXPECT_EQ(ws->basketCount, 2);
    for (auto command : {&FileCommands::openMpsProblem, &FileCommands::importResultsCommand}) {
        ui.clear();
        ui.answers.push_back(Answer::Cancel);
        (flow.file().*command)();
        EXPECT_EQ(ui.dialogs(), QStringList{question});
        EXPECT_EQ(ws->basketCount, 2);
    }
    ui.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(flow.file().exitProgram());
    EXPECT_NE(flow.engine(), nullptr);

    // Once exported, nothing is asked until the basket changes again.
    ui.clear();
    ui.files.push_back(dir.filePath(QStringLiteral("work.out")));
    flow.file().exportResultsCommand();
    ASSERT_EQ(flow.lastOutcome(), Outcome::Done) << ui.log.join(QLatin1Char('\n')).toStdString();
    ui.files.push_back(std::nullopt);
    flow.file().openProblem();
    EXPECT_FALSE(ui.log.contains(question));
    // A new colour changes the basket.
    ui.colors.push_back(0x00FF00);
    flow.basket().chooseColour();
    ui.clear();
    ui.answers.push_back(Answer::No);
    EXPECT_TRUE(flow.file().exitProgram());
    EXPECT_EQ(ui.dialogs(), QStringList{question});
    EXPECT_EQ(flow.engine(), nullptr);
}

TEST_F(DiscardQuestionTest, SaveExportsFirstAndGoesOnOnlyOnceWritten)
{
    computePayoff();
    // Save, then the export's own dialog is cancelled: nothing is lost.
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(std::nullopt);
    EXPECT_FALSE(flow.file().exitProgram());
    EXPECT_NE(flow.engine(), nullptr);

    const QString path = dir.filePath(QStringLiteral("kept.out"));
    ui.clear();
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(path);
    EXPECT_TRUE(flow.file().exitProgram());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ui.status[0], QStringLiteral("2 solution(s) exported to %1").arg(QDir::toNativeSeparators(path)));
}

// The pay-off table and an import bring the basket chart forward; a new
// problem tells the views to start again.
TEST_F(DiscardQuestionTest, ThePayoffShowsTheBasketChart)
{
    openSmallProblem();
    EXPECT_TRUE(ui.saw(UiEvent::ProblemLoaded));
    ui.normalizations.push_back(false);
    flow.compute().computePayoffCommand();
    EXPECT_TRUE(ui.saw(UiEvent::BasketChartShown));
}

TEST_F(DiscardQuestionTest, AnImportedBasketIsSavedWork)
{
    computePayoff();
    ui.files.push_back(dir.filePath(QStringLiteral("work.out")));
    flow.file().exportResultsCommand();
    ui.files.push_back(dir.filePath(QStringLiteral("work.out")));
    flow.file().importResultsCommand();
    ASSERT_EQ(flow.lastOutcome(), Outcome::Done) << ui.log.join(QLatin1Char('\n')).toStdString();
    ui.clear();
    EXPECT_TRUE(flow.confirmDiscardSolutions());
    EXPECT_TRUE(ui.dialogs().isEmpty());
    flow.setConfirmDiscard(false);
    ws->basket[1].cor = 0x123456;
    EXPECT_TRUE(flow.confirmDiscardSolutions());
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

} // namespace

namespace {

TEST_F(DiscardQuestionTest, VmaWithLimitationsAsksTheLongerQuestionAndClearsThem)
{
    computePayoff();
    ws->limitsActive = true;
    ws->limitOn[1] = true;
    ws->limitValue[1] = 5;
    const QString question = QStringLiteral("Ask: ") + QString::fromUtf8(msg::kVmaQuestionWithLimits);

    ui.answers.push_back(Answer::No);
    flow.nadir().vmaCommand(10000);
    EXPECT_EQ(ui.dialogs(), QStringList{question});
    EXPECT_EQ(flow.lastOutcome(), Outcome::Cancelled);
    EXPECT_TRUE(ws->limitsActive);

    ui.clear();
    ui.answers.push_back(Answer::Yes);
    flow.nadir().vmaCommand(10000);
    EXPECT_EQ(flow.lastOutcome(), Outcome::Done);
    EXPECT_FALSE(ws->limitsActive);
    ASSERT_FALSE(ui.dialogs().isEmpty());
    EXPECT_EQ(ui.dialogs().front(), question);
    EXPECT_EQ(ui.dialogs().back(),
              QStringLiteral("Information: VMA has computed %1 eficient vertex solutions").arg(ws->basketCount));
}

} // namespace

namespace {

// Cancel in the box of a long computation stops the solve: the command fails
// with its own message and nothing of it is kept.
TEST_F(SessionTest, CancelStopsTheSolveAndKeepsThePreviousState)
{
    RandomProblemSpec shape;
    shape.objectives = MaxObjectives;
    shape.variables = MaxVariables;
    shape.constraints = MaxConstraints;
    const auto big = makeRandomProblem(20261209u, shape);
    const QString path = dir.filePath(QStringLiteral("big.mlp"));
    ASSERT_TRUE(WriteProblemFile(path, *big).ok);
    flow.file().openProblemFile(path);
    ASSERT_EQ(flow.phase(), Phase::Problem);

    ui.clear();
    ui.normalizations.push_back(false);
    ui.cancelAtUpdate = 1;
    flow.compute().computePayoffCommand();
    EXPECT_EQ(flow.lastOutcome(), Outcome::Failed);
    EXPECT_TRUE(ui.log.contains(QStringLiteral("Task: Computing")));
    EXPECT_TRUE(ui.dialogs().contains(QStringLiteral("Warning: ") + QString::fromUtf8(msg::kStopped)))
        << ui.log.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(ui.taskOpen);
    EXPECT_EQ(flow.phase(), Phase::Problem);
    EXPECT_EQ(ws->basketCount, 0);
    EXPECT_FALSE(ws->payoffComputed);
    EXPECT_EQ(flow.engine()->control.cancelRequested, nullptr);
}

} // namespace

namespace {

// An unbounded objective fails the table: its message names the objective
// and no empty pay-off window follows.
TEST_F(SessionTest, UnboundedPayoffNamesTheObjectiveAndShowsNoTable)
{
    flow.file().openVlpFile(QStringLiteral(QUILVANE_TESTDATA_DIR "/molp/bensolve_ex01.vlp"));
    ASSERT_EQ(flow.phase(), Phase::Problem) << ui.log.join(QLatin1Char('\n')).toStdString();
    ui.clear();
    ui.normalizations.push_back(false);
    flow.compute().computePayoffCommand();
    EXPECT_EQ(flow.lastOutcome(), Outcome::Failed);
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: ") + QString::fromUtf8(msg::kUnbounded) +
                                        QLatin1Char('\n') + ws->objName[1]});
    EXPECT_EQ(ui.payoffTableShown, 0);
}

} // namespace
