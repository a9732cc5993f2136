#include "MethodTestSupport.h"
#include "TchebycheffOracle.h"
#include "lp/Messages.h"
#include "methods/Messages.h"
#include "methods/ParetoRace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

struct RangesCase {
    const char* name;
    QStringList lower, upper;
    int orderMessages;
    bool accepted;
};

class RangesDialog : public ::testing::TestWithParam<RangesCase> {};

TEST_P(RangesDialog, ChecksEveryColumn)
{
    const RangesCase& c = GetParam();
    Workspace ws;
    ws.numObjectives = 3;
    const RaceRangesResult result = ParetoRace::AcceptRanges(ws, RaceRangeTexts{c.lower, c.upper});
    EXPECT_EQ(result.accepted, c.accepted);
    QStringList expected;
    for (int i = 0; i < c.orderMessages; ++i)
        expected << QStringLiteral("Warning: ") + text(msg::kRangesOrder);
    EXPECT_EQ(MessageLines(result.notices), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangesDialog,
    ::testing::Values(RangesCase{"Valid", {"0", "-5", "1"}, {"4", "1", "1.5"}, 0, true},
                      RangesCase{"EqualEnds", {"0", "2", "1"}, {"4", "2", "3"}, 1, false},
                      RangesCase{"NotANumberIsSilentAndTheRestChecked", {"x", "3", "1"}, {"4", "2", "0"}, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RaceSpeed, StepsOfTheSlider)
{
    EXPECT_NEAR(static_cast<double>(RaceStepForSpeed(8)), 0.001, 1e-15);
    EXPECT_NEAR(static_cast<double>(RaceStepForSpeed(7)), 0.005, 1e-15);
    EXPECT_NEAR(static_cast<double>(RaceStepForSpeed(6)), 0.025, 1e-15);
    EXPECT_NEAR(static_cast<double>(RaceStepForSpeed(1)), 78.125, 1e-12);
}

// The reported solution against the race program at the moving reference
// point, solved from scratch.
void expectProjection(const Workspace& ws, const ParetoRace& race, const char* where)
{
    TchebycheffProgram t;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        t.q[i] = ws.refPoint[i];
        t.scale[i] = 1;
        t.slope[i] = race.RaceProj[i];
        t.bounded[i] = ws.limitOn[i];
        t.bound[i] = ws.limitValue[i];
    }
    t.rho = 0.0001L;
    const ValueSolution oracle = solveOracle(ws, t);
    ASSERT_EQ(oracle.status, SolveStatus::Optimal) << where;
    Real violation = 0;
    const Real value = oracleValueAt(ws, t, currentX(ws), violation);
    EXPECT_LT(violation, 1e-6) << where;
    EXPECT_NEAR(static_cast<double>(value), static_cast<double>(oracle.objective),
                1e-7 * (1 + std::fabs(static_cast<double>(oracle.objective))))
        << where;
}

QStringList texts(const vectorObj& v, int p)
{
    QStringList out;
    for (int i = 1; i <= p; ++i)
        out << QString::number(static_cast<double>(v[i]), 'g', 17);
    return out;
}

// Starts a race on the session's problem from the midpoint of ideal and
// nadir with the ranges [nadir, ideal].
void startRace(MethodSession& s)
{
    Workspace& ws = *s.ws;
    const int p = ws.numObjectives;
    vectorObj q{}, low{}, high{};
    for (int i = 1; i <= p; ++i) {
        q[i] = (ws.idealPoint[i] + ws.nadirPoint[i]) / 2;
        low[i] = std::min(ws.idealPoint[i], ws.nadirPoint[i]);
        high[i] = std::max(ws.idealPoint[i], ws.nadirPoint[i]) + 1; // never empty
    }
    s.ui.grids.push_back(texts(q, p));
    s.ui.ranges.push_back(RaceRangeTexts{texts(low, p), texts(high, p)});
    s.flow.methods().raceStartCommand();
}

struct DriveCase {
    std::uint32_t seed;
    int objectives, variables, constraints;
};

class RaceDrive : public ::testing::TestWithParam<DriveCase> {};

// Drives at several speeds, backwards, after a change of direction, a Fix
// and a Relax: every reported solution is the projection of the moving
// reference point, and some steps change the basis.
TEST_P(RaceDrive, EveryStepIsTheProjectionOfTheMovingPoint)
{
    const DriveCase& c = GetParam();
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = c.objectives;
    shape.variables = c.variables;
    shape.constraints = c.constraints;
    s.loadRandom(c.seed, shape);
    Workspace& ws = *s.ws;
    startRace(s);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    const ParetoRace& race = *s.flow.methods().race();
    expectProjection(ws, race, "start");
    int basisChanges = 0, moves = 0;
    auto drive = [&](int steps, const char* where) {
        for (int k = 0; k < steps && ws.activeMethod == MethodKind::ParetoRace; ++k) {
            const bool solves = race.nextGoSolves();
            const Real t = race.RaceT;
            s.ui.objectiveChoices.push_back(ObjectiveChoice{0, {}});
            s.flow.methods().raceGoCommand();
            ASSERT_NE(s.flow.lastOutcome(), Outcome::Failed) << s.log().toStdString();
            basisChanges += solves;
            moves += !solves && race.RaceT != t;
            s.ui.objectiveChoices.clear();
            expectProjection(ws, race, where);
        }
    };
    s.flow.methods().raceSpeed(4);
    drive(12, "forward");
    s.flow.methods().raceSpeed(6);
    drive(6, "slower");
    s.flow.methods().raceReverse();
    s.flow.methods().raceSpeed(3);
    drive(5, "backward");
    s.ui.objectiveChoices.push_back(ObjectiveChoice{1, {}});
    s.flow.methods().raceChangeDirectionCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_TRUE(race.forward());
    expectProjection(ws, race, "new direction");
    s.flow.methods().raceSpeed(2);
    drive(8, "after direction");
    s.ui.objectiveChoices.push_back(ObjectiveChoice{0, {}});
    s.flow.methods().raceFixCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    expectProjection(ws, race, "fixed");
    drive(8, "fixed drive");
    s.flow.methods().raceRelaxCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_FALSE(ws.limitsActive);
    expectProjection(ws, race, "relaxed");
    EXPECT_GT(basisChanges, 0);
    EXPECT_GT(moves, 0);
}

INSTANTIATE_TEST_SUITE_P(Problems, RaceDrive,
                         ::testing::Values(DriveCase{1, 2, 5, 4}, DriveCase{8, 3, 8, 6}, DriveCase{23, 3, 10, 8},
                                           DriveCase{42, 4, 12, 10}, DriveCase{77, 5, 15, 12}));

TEST(RaceStart, DirectionAndProjectionFromTheRanges)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 2;
    auto problem = makeRandomProblem(9, shape);
    problem->objSense[1] = 1;
    problem->objSense[2] = 1;
    s.load(*problem);
    Workspace& ws = *s.ws;
    // Widths 4 and 6: direction (4, 6), norm 10, projection (0.4, 0.6).
    const Real lo1 = ws.nadirPoint[1] - 4, lo2 = ws.nadirPoint[2] - 6;
    s.ui.grids.push_back(texts(ws.idealPoint, 2));
    s.ui.ranges.push_back(RaceRangeTexts{{QString::number(static_cast<double>(lo1)), QString::number(static_cast<double>(lo2))},
                                         {QString::number(static_cast<double>(lo1 + 4)), QString::number(static_cast<double>(lo2 + 6))}});
    s.flow.methods().raceStartCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    const ParetoRace& race = *s.flow.methods().race();
    EXPECT_NEAR(static_cast<double>(race.RaceDir[1]), 4, 1e-12);
    EXPECT_NEAR(static_cast<double>(race.RaceDir[2]), 6, 1e-12);
    EXPECT_NEAR(static_cast<double>(race.RaceDirNorm), 10, 1e-12);
    EXPECT_NEAR(static_cast<double>(race.RaceProj[1]), 0.4, 1e-12);
    EXPECT_NEAR(static_cast<double>(race.RaceProj[2]), 0.6, 1e-12);
    EXPECT_NEAR(static_cast<double>(ws.tchebWeights[1]), 2.5, 1e-12);
    EXPECT_EQ(s.flow.phase(), Phase::Method);
    EXPECT_TRUE(s.flow.states().isVisible(Cmd::RacePanel));

    // Speed and direction button.
    EXPECT_NEAR(static_cast<double>(race.RaceStep), 0.001, 1e-15);
    s.flow.methods().raceSpeed(6);
    EXPECT_NEAR(static_cast<double>(race.RaceStep), 0.025, 1e-15);
    s.flow.methods().raceReverse();
    EXPECT_NEAR(static_cast<double>(race.RaceStep), -0.001, 1e-15);
    EXPECT_EQ(race.speedPosition(), ParetoRace::kSlowest);
    EXPECT_TRUE(s.ui.saw(UiEvent::RacePanelChanged));

    // Improving objective 2 of widths (4, 6): 6 + 3 = 9 rescaled to sum 10,
    // projection 0.6 / 1.5 = 0.4 renormalized with 0.4; forward again.
    const Real range2 = race.RaceHigh[2] - race.RaceLow[2];
    const Real range1 = race.RaceHigh[1] - race.RaceLow[1];
    s.ui.objectiveChoices.push_back(ObjectiveChoice{1, {}});
    s.flow.methods().raceChangeDirectionCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    const Real d2 = 6 + range2 / 2;
    EXPECT_NEAR(static_cast<double>(race.RaceDir[2]), static_cast<double>(d2 * 10 / (4 + d2)), 1e-9);
    EXPECT_NEAR(static_cast<double>(std::fabs(race.RaceDir[1]) + std::fabs(race.RaceDir[2])), 10, 1e-9);
    EXPECT_NEAR(static_cast<double>(race.RaceProj[1]), 0.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(race.RaceProj[2]), 0.5, 1e-12);
    EXPECT_GT(race.RaceStep, 0);
    EXPECT_EQ(ws.raceObjective, 2);
    (void)range1;
}

TEST(RaceGo, StopsAtTheEndOfTheSegmentAndThenChangesTheBasis)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 3;
    shape.variables = 8;
    shape.constraints = 6;
    s.loadRandom(31, shape);
    startRace(s);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    const ParetoRace& race = *s.flow.methods().race();
    ASSERT_LT(race.RaceTMax, kInfiniteBound);
    s.flow.methods().raceSpeed(ParetoRace::kFastest);
    const Real end = race.RaceTMax;
    const vectorObj q0 = race.RaceQ0;
    s.flow.methods().raceGoCommand();
    EXPECT_EQ(race.RaceT, end);
    EXPECT_TRUE(race.nextGoSolves());
    const vectorObj dir = race.RaceDir;
    s.flow.methods().raceGoCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    // Solved with the point pushed 0.0001 beyond the end: a new segment.
    EXPECT_EQ(race.RaceT, 0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(static_cast<double>(race.RaceQ0[i]), static_cast<double>(q0[i] + (end + 0.0001L) * dir[i]), 1e-9);
    expectProjection(*s.ws, race, "after the basis change");
}

TEST(RaceGo, BackwardsToTheStartOfTheSegmentAsksForADirection)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 3;
    shape.variables = 8;
    shape.constraints = 6;
    s.loadRandom(31, shape);
    startRace(s);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done);
    const ParetoRace& race = *s.flow.methods().race();
    s.flow.methods().raceReverse();
    s.flow.methods().raceSpeed(ParetoRace::kFastest);
    s.flow.methods().raceGoCommand();
    if (race.RaceTMin > -kInfiniteBound) {
        EXPECT_EQ(race.RaceT, race.RaceTMin);
    }
    s.ui.clear();
    s.flow.methods().raceGoCommand();
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Cancelled);
    EXPECT_EQ(s.ui.log.value(0), QStringLiteral("ChooseObjective: Change Direction | Objective function to be improved: | F1,F2,F3"));
}

TEST(RaceRelax, MessagesOfTheIndexPrompt)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 3;
    shape.variables = 8;
    shape.constraints = 6;
    s.loadRandom(12, shape);
    startRace(s);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done);
    Workspace& ws = *s.ws;
    s.ui.clear();
    s.flow.methods().raceRelaxCommand();
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kNothingBounded)});

    for (int c : {0, 2}) {
        s.ui.objectiveChoices.push_back(ObjectiveChoice{c, {}});
        s.flow.methods().raceFixCommand();
        ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    }
    EXPECT_TRUE(ws.limitOn[1] && ws.limitOn[3] && ws.limitsActive);
    const QString invalid = QStringLiteral("Error: ") + text(msg::kRelaxInvalidData);
    const QString notBounded = QStringLiteral("Information: ") + text(msg::kRelaxNotBounded);
    const struct {
        const char* typed;
        QStringList messages;
    } prompts[] = {{"4", {invalid}}, {"2", {notBounded}}, {"x", {}}};
    for (const auto& prompt : prompts) {
        s.ui.clear();
        s.ui.inputs.push_back(QString::fromLatin1(prompt.typed));
        s.flow.methods().raceRelaxCommand();
        EXPECT_EQ(s.flow.lastOutcome(), Outcome::Refused) << prompt.typed;
        EXPECT_EQ(s.ui.dialogs(), prompt.messages) << prompt.typed;
    }
    s.ui.clear();
    s.ui.inputs.push_back(QStringLiteral("3"));
    s.flow.methods().raceRelaxCommand();
    EXPECT_EQ(s.ui.log.value(0), QStringLiteral("Input: Relax objective function | Index of thr objective function to be relaxed: | "));
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kRelaxWillResolve).arg(3)});
    EXPECT_FALSE(ws.limitOn[3]);
    // One bound left: relaxed without asking for its index.
    s.ui.clear();
    s.flow.methods().raceRelaxCommand();
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kRelaxWillResolve).arg(1)});
    EXPECT_FALSE(ws.limitsActive);
}

// A failed re-projection after Fix shows its status and leaves the race
// where it was, still running.
TEST(RaceFix, FailedSolveShowsItsStatusAndKeepsTheRace)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 3;
    s.loadRandom(14, shape);
    startRace(s);
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done);
    Workspace& ws = *s.ws;
    const vectorObj f = ws.currentF;
    const vectorObj q = ws.refPoint;
    const int history = ws.historyCount;
    s.ui.clear();
    s.ui.objectiveChoices.push_back(ObjectiveChoice{1, {}});
    s.ui.cancelAtUpdate = 1;
    s.flow.methods().raceFixCommand();
    s.ui.cancelAtUpdate = 0;
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Failed);
    EXPECT_TRUE(s.ui.dialogs().contains(QStringLiteral("Warning: ") + text(msg::kStopped)));
    EXPECT_EQ(ws.activeMethod, MethodKind::ParetoRace);
    EXPECT_TRUE(ws.limitOn[2]);
    EXPECT_EQ(ws.currentF, f);
    EXPECT_EQ(ws.refPoint, q);
    EXPECT_EQ(ws.historyCount, history);
    s.flow.methods().raceGoCommand();
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Done);
}

} // namespace
