#include "MethodTestSupport.h"
#include "TchebycheffOracle.h"
#include "methods/Messages.h"
#include "methods/Stem.h"
#include "flow/Messages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

struct RawWeightCase {
    const char* name;
    int sense;
    Real best, worst, norm, expected;
};

class StemRawWeightTest : public ::testing::TestWithParam<RawWeightCase> {};

TEST_P(StemRawWeightTest, FollowsTheFormulaOfTheSideOfZero)
{
    const RawWeightCase& c = GetParam();
    EXPECT_NEAR(static_cast<double>(StemRawWeight(c.sense, c.best, c.worst, c.norm)),
                static_cast<double>(c.expected), 1e-15);
}

// ((10 - 4)/10)/5 for coefficients (3, 4); ((-8 - -2)/-8)/2; a minimized
// ideal 0 takes the second formula; constant columns and zero coefficients
// give no weight (and no division by a zero norm).
INSTANTIATE_TEST_SUITE_P(Cases, StemRawWeightTest,
                         ::testing::Values(RawWeightCase{"MaxPositiveIdeal", 1, 10, 4, 5, 0.12L},
                                           RawWeightCase{"MinNegativeIdeal", -1, -8, -2, 2, 0.375L},
                                           RawWeightCase{"MinZeroIdeal", -1, 0, 6, 3, 1.0L / 3},
                                           RawWeightCase{"MaxNegativeIdeal", 1, -2, -6, 1, 2.0L / 3},
                                           RawWeightCase{"ConstantColumn", 1, 5, 5, 3, 0},
                                           RawWeightCase{"ZeroCoefficients", -1, 0, 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RelaxCase {
    const char* name;
    QStringList typed;
    QStringList messages;
    bool accepted;
};

class RelaxationDialog : public ::testing::TestWithParam<RelaxCase> {};

TEST_P(RelaxationDialog, ShowsEveryApplicableMessageInOrder)
{
    const RelaxCase& c = GetParam();
    Workspace ws;
    ws.numObjectives = 3;
    StemState stem;
    stem.StemAlpha = {0, 0.5L, 0, 0.25L}; // objective 2 has no weight
    stem.StemAlphaSum = 0.75L;
    const RelaxationsResult result = AcceptRelaxations(ws, stem, c.typed);
    EXPECT_EQ(result.accepted, c.accepted);
    EXPECT_EQ(MessageLines(result.notices), c.messages);
}

const QString kNeg = QStringLiteral("Warning: ") + text(msg::kRelaxNegative);

INSTANTIATE_TEST_SUITE_P(
    Cases, RelaxationDialog,
    ::testing::Values(
        RelaxCase{"NotANumberStopsTheChecks", {"-1", "x", "0"}, {"Error: Invalid numbers!"}, false},
        RelaxCase{"EachNegativeAmount", {"-1", "0", "-2"}, {kNeg, kNeg}, false},
        RelaxCase{"NothingRelaxed", {"0", "0", "0"}, {"Warning: At least one objective must be relaxed"}, false},
        RelaxCase{"AllRelaxed", {"1", "2", "3"}, {"Warning: No more than 2 can be relaxed"}, false},
        RelaxCase{"NegativeAndAll", {"-1", "-1", "-1"}, {kNeg, kNeg, kNeg, "Warning: No more than 2 can be relaxed"}, false},
        RelaxCase{"OnlyTheWeightlessLeft", {"1", "0", "2"}, {QStringLiteral("Warning: ") + text(msg::kStemNoWeightLeft)}, false},
        RelaxCase{"OneRelaxed", {"2.5", "0", "0"}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StemRelaxations, BoundEveryObjectiveAndWeighOnlyTheUnrelaxed)
{
    Workspace ws;
    ws.numObjectives = 3;
    ws.objSense = {0, 1, -1, 1};
    ws.currentF = {0, 20, 20, 7};
    StemState stem;
    stem.StemAlpha = {0, 0.2L, 0.3L, 0.5L};
    stem.StemAlphaSum = 1;
    ApplyRelaxations(ws, stem, vectorObj{0, 5, 0, 1});
    // Relaxed by 5: a maximized 20 may fall to 15; the minimized one, not
    // relaxed, stays at most 20; only objective 2 carries weight, 1.
    EXPECT_EQ(ws.limitValue[1], 15);
    EXPECT_EQ(ws.limitValue[2], 20);
    EXPECT_EQ(ws.limitValue[3], 6);
    EXPECT_TRUE(ws.limitsActive && ws.limitOn[1] && ws.limitOn[2] && ws.limitOn[3]);
    EXPECT_EQ(ws.tchebWeights[1], 0);
    EXPECT_EQ(ws.tchebWeights[2], 1);
    EXPECT_EQ(ws.tchebWeights[3], 0);

    ws.objSense[1] = -1;
    ApplyRelaxations(ws, stem, vectorObj{0, 5, 0, 1});
    EXPECT_EQ(ws.limitValue[1], 25);
}

// The weights of the first iteration, from the pay-off table as the method
// defines them.
vectorObj expectedFirstWeights(const Workspace& ws)
{
    vectorObj alpha{};
    Real sum = 0;
    for (int i = 1; i <= ws.numObjectives; ++i) {
        const int s = ws.objSense[i];
        const Real best = ws.payoff[i].f[i];
        Real worst = best;
        for (int h = 1; h <= ws.numObjectives; ++h)
            if (s * ws.payoff[h].f[i] < s * worst)
                worst = ws.payoff[h].f[i];
        Real norm = 0;
        for (int j = 1; j <= ws.numVariables; ++j)
            norm += ws.objCoef[i][j] * ws.objCoef[i][j];
        norm = std::sqrt(norm);
        if (best != worst)
            alpha[i] = ((s > 0) == (best > 0) && best != 0 ? (best - worst) / best : (worst - best) / worst) / norm;
        sum += alpha[i];
    }
    for (int i = 1; i <= ws.numObjectives; ++i)
        alpha[i] /= sum;
    return alpha;
}

// The proposal in the workspace is the optimum of the Tchebycheff program
// to the ideal point with `weights` and the bounds `t.bound`.
void expectProposalIsOptimal(const Workspace& ws, TchebycheffProgram t, const vectorObj& weights)
{
    for (int i = 1; i <= ws.numObjectives; ++i) {
        t.q[i] = ws.payoff[i].f[i];
        t.scale[i] = weights[i];
        t.slope[i] = 1;
    }
    t.rho = 0.00001L;
    const ValueSolution oracle = solveOracle(ws, t);
    ASSERT_EQ(oracle.status, SolveStatus::Optimal);
    Real violation = 0;
    const Real value = oracleValueAt(ws, t, currentX(ws), violation);
    EXPECT_LT(violation, 1e-6);
    EXPECT_NEAR(static_cast<double>(value), static_cast<double>(oracle.objective),
                1e-7 * (1 + std::fabs(static_cast<double>(oracle.objective))));
}

class StemSession : public ::testing::TestWithParam<std::uint32_t> {};

// First iteration, then objective 1 relaxed by a tenth of its range, then
// the last objective by a fifth: each proposal against its own program.
TEST_P(StemSession, EveryProposalIsTheOptimumOfItsIteration)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 3;
    shape.variables = 8;
    shape.constraints = 6;
    s.loadRandom(GetParam(), shape);
    Workspace& ws = *s.ws;
    const vectorObj weights = expectedFirstWeights(ws);
    s.flow.methods().stemFirstIterationCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_EQ(s.flow.phase(), Phase::Method);
    EXPECT_FALSE(ws.limitsActive);
    expectProposalIsOptimal(ws, TchebycheffProgram{}, weights);

    for (int relaxed : {1, 3}) {
        const Real amount = std::fabs(ws.idealPoint[relaxed] - ws.nadirPoint[relaxed]) / 10 + 1;
        QStringList typed{"0", "0", "0"};
        typed[relaxed - 1] = QString::number(static_cast<double>(amount));
        s.ui.grids.push_back(typed);
        TchebycheffProgram t;
        vectorObj w = weights;
        Real sum = 0;
        for (int i = 1; i <= 3; ++i) {
            t.bounded[i] = true;
            t.bound[i] = ws.currentF[i] - (i == relaxed ? ws.objSense[i] * static_cast<Real>(typed[i - 1].toDouble()) : 0);
            w[i] = i == relaxed ? 0 : w[i];
            sum += w[i];
        }
        if (sum == 0)
            continue;
        for (int i = 1; i <= 3; ++i)
            w[i] /= sum;
        s.flow.methods().stemNewIterationCommand();
        ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
        expectProposalIsOptimal(ws, t, w);
    }
    EXPECT_EQ(ws.methodIteration, 3);
}

INSTANTIATE_TEST_SUITE_P(Seeds, StemSession, ::testing::Values(3u, 17u, 40u, 71u, 112u));

TEST(StemFlow, ExampleSessionReportsEachProposalAndAsksAtTheEnd)
{
    MethodSession s;
    Workspace problem;
    InitWorkspace(problem);
    // max 3x1+x2+x3, x1+3x2+x3, x1+x2+3x3 with x1+x2+x3 <= 6 and three
    // rows that make the vertices degenerate.
    problem.numObjectives = 3;
    problem.numVariables = 3;
    problem.numConstraints = 4;
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            problem.objCoef[i][j] = i == j ? 3 : 1;
    problem.objSense = {0, 1, 1, 1};
    for (int i = 1; i <= 3; ++i)
        problem.objName[i] = DefaultObjectiveName(i);
    const Real rows[4][4] = {{1, 1, 1, 6}, {2, 1, 1, 8}, {1, 2, 1, 8}, {1, 1, 2, 8}};
    for (int c = 1; c <= 4; ++c) {
        for (int j = 1; j <= 3; ++j)
            problem.conCoef[c][j] = rows[c - 1][j - 1];
        problem.conType[c] = ConLessEqual;
        problem.conRhs[c] = rows[c - 1][3];
    }
    for (int j = 1; j <= 3; ++j)
        problem.vars[j] = VariableDef{0, kInfiniteBound, DefaultVariableName(j)};
    s.load(problem);
    Workspace& ws = *s.ws;
    // Symmetric problem: equal weights, the proposal is the symmetric point.
    s.flow.methods().stemFirstIterationCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_NEAR(static_cast<double>(ws.tchebWeights[i]), 1.0 / 3, 1e-12);
        EXPECT_NEAR(static_cast<double>(ws.currentF[i]), 10, 1e-7);
    }
    EXPECT_TRUE(s.flow.report().toPlainText().contains(QStringLiteral("Min of the Tchebycheff distance")));

    // Cancelled: iteration and view count still advance.
    s.flow.methods().stemNewIterationCommand();
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Cancelled);
    EXPECT_EQ(ws.methodIteration, 2);
    EXPECT_EQ(ws.viewLastN, 2);
    EXPECT_TRUE(s.ui.log.contains(QStringLiteral("Relax: F1 :,F2 :,F3 : | 0,0,0")));

    // F1 may lose 2: at F1 = 8 the others meet at x = (8/7, 16/7, 16/7),
    // where 3x1 + 2y = 8 and x1 + 3y = 8 cross: F2 = F3 = 72/7.
    s.ui.grids.push_back(QStringList{"2", "0", "0"});
    s.flow.methods().stemNewIterationCommand();
    ASSERT_EQ(s.flow.lastOutcome(), Outcome::Done) << s.log().toStdString();
    EXPECT_NEAR(static_cast<double>(ws.currentF[1]), 8, 1e-7);
    EXPECT_NEAR(static_cast<double>(ws.currentF[2]), 72.0 / 7, 1e-7);
    EXPECT_NEAR(static_cast<double>(ws.currentF[3]), 72.0 / 7, 1e-7);
    EXPECT_EQ(ws.viewLastN, 3);

    s.ui.clear();
    s.ui.answers.push_back(Answer::No);
    s.flow.SaiMetodos(true);
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Ask: ") + text(msg::kKeepLimitations)});
    EXPECT_FALSE(ws.limitsActive);
    EXPECT_EQ(s.flow.phase(), Phase::Solutions);
}

TEST(StemFlow, ConstantObjectivesAreRefusedBeforeAnyComputation)
{
    MethodSession s;
    RandomProblemSpec shape;
    shape.objectives = 2;
    auto problem = makeRandomProblem(5, shape);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= problem->numVariables; ++j)
            problem->objCoef[i][j] = 0;
    s.load(*problem);
    const int history = s.ws->historyCount;
    s.flow.methods().stemFirstIterationCommand();
    EXPECT_EQ(s.flow.lastOutcome(), Outcome::Refused);
    EXPECT_EQ(s.ui.dialogs(), QStringList{QStringLiteral("Information: ") + text(msg::kStemNoWeights)});
    EXPECT_EQ(s.ws->historyCount, history);
    EXPECT_EQ(s.ws->activeMethod, MethodKind::None);
    EXPECT_EQ(s.flow.phase(), Phase::Solutions);
}

} // namespace
