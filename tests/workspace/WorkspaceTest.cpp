#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<Workspace> freshWorkspace()
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    return ws;
}

TEST(Palettes, ColoursAreStoredRedFirstAsWindowsDoes)
{
    // 008080 (teal) is R=0, G=0x80, B=0x80: 0x80*256 + 0x80*65536.
    EXPECT_EQ(hexColor(0x008080), 0x80u * 256u + 0x80u * 65536u);
    EXPECT_EQ(kNoColor, 16777215u);
    EXPECT_EQ(colorRed(hexColor(0x123456)), 0x12u);
    EXPECT_EQ(colorBlue(hexColor(0x123456)), 0x56u);
}

TEST(Palettes, BasketPaletteTakesTheWebTableColumnByColumn)
{
    auto ws = freshWorkspace();
    const BasketPalette& pal = ws->basketPalette;
    EXPECT_EQ(pal[1], hexColor(0x008080));
    EXPECT_EQ(pal[14], hexColor(0xFFFF00));
    // Position 15 + 6c + r holds row r, column c of the table.
    EXPECT_EQ(pal[15], hexColor(0xFFB6C1)); // r0 c0
    EXPECT_EQ(pal[16], hexColor(0xB8860B)); // r1 c0
    EXPECT_EQ(pal[20], hexColor(0xD2B48C)); // r5 c0
    EXPECT_EQ(pal[21], hexColor(0xFF69B4)); // r0 c1
    EXPECT_EQ(pal[15 + 6 * 7 + 3], hexColor(0x2E8B57)); // r3 c7
    EXPECT_EQ(pal[85], hexColor(0x00008B)); // r4 c11
    EXPECT_EQ(pal[86], hexColor(0xFFC0CB)); // r5 c11
}

TEST(Palettes, RaceColoursInOrder)
{
    auto ws = freshWorkspace();
    EXPECT_EQ(ws->raceColors[0], hexColor(0x91ECCA));
    EXPECT_EQ(ws->raceColors[5], hexColor(0xF79464));
    EXPECT_EQ(ws->raceColors[6], hexColor(0x63E4B4));
    EXPECT_EQ(ws->raceColors[11], hexColor(0xF47C42));
}

TEST(Reset, ResetProblemClearsCoefficientsButKeepsCountsAndNames)
{
    auto ws = freshWorkspace();
    ws->numObjectives = 2;
    ws->numVariables = 3;
    ws->numConstraints = 1;
    ws->objName[1] = QStringLiteral("Profit");
    ws->slackName[1] = QStringLiteral("S1");
    ws->objCoef[2][101] = 5;
    ws->conCoef[100][3] = 7;
    ws->conType[1] = ConGreaterEqual;
    ws->conRhs[1] = 9;
    ws->objSense[2] = -1;
    ws->vars[3] = VariableDef{-1, 4, QStringLiteral("Y")};
    ws->fileName = QStringLiteral("/tmp/a.mlp");

    ResetProblem(*ws);

    EXPECT_EQ(ws->numObjectives, 2);
    EXPECT_EQ(ws->numVariables, 3);
    EXPECT_EQ(ws->numConstraints, 1);
    EXPECT_EQ(ws->objName[1], QStringLiteral("Profit"));
    EXPECT_EQ(ws->slackName[1], QStringLiteral("S1"));
    EXPECT_EQ(ws->fileName, QStringLiteral("Untitled"));
    EXPECT_EQ(ws->objCoef[2][101], 0);
    EXPECT_EQ(ws->conCoef[100][3], 0);
    EXPECT_EQ(ws->conType[1], ConLessEqual);
    EXPECT_EQ(ws->conRhs[1], 0);
    EXPECT_EQ(ws->objSense[2], 1);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_EQ(ws->vars[j].lb, 0);
        EXPECT_EQ(ws->vars[j].ub, kInfiniteBound);
        EXPECT_EQ(ws->vars[j].name, QStringLiteral("X%1").arg(j));
    }
}

TEST(Reset, NewProblemStateEmptiesEverythingComputedButKeepsReferenceVectors)
{
    auto ws = freshWorkspace();
    ws->numObjectives = 3;
    ws->numConstraints = 2;
    ws->numVariables = 2;
    ws->conType[1] = ConEqual;
    ws->conType[2] = ConGreaterEqual;
    // Something computed for a previous problem.
    ws->idealPoint[1] = 42;
    ws->normFactor[2] = 0.5;
    ws->payoffComputed = true;
    ws->payoff[1].f[2] = 3;
    ws->payoff[1].basketIndex = 1;
    (void)ws->appendSolution(SolSolutionBasket{});
    (void)ws->appendRegion(UmaOuMaisRegioes{});
    (void)ws->appendEdge(1, 1);
    ws->pushHistory(ComputedSolution{});
    ws->paletteIndex = 7;
    ws->lastColor = 12;
    ws->guardaTodasSols = true;
    ws->limitsActive = true;
    ws->limitOn[2] = true;
    ws->limitValue[2] = 8;
    ws->activeMethod = MethodKind::Icw;
    ws->raceObjective = 2;
    ws->nadirSource[3] = 4;
    ws->pickedWeights[1] = 0.3L;
    ws->fileName = QStringLiteral("/data/problems/case.A.mlp");

    ResetComputedState(*ws);

    EXPECT_EQ(ws->problemName, QStringLiteral("case.A"));
    EXPECT_EQ(ws->slackName[1], QStringLiteral("t1"));
    EXPECT_EQ(ws->slackName[2], QStringLiteral("S2"));
    EXPECT_FALSE(ws->payoffComputed);
    for (int k = 1; k <= MaxObjectives; ++k) {
        EXPECT_EQ(ws->payoff[k].f[MaxObjectives], kNotComputed);
        EXPECT_EQ(ws->payoff[k].basketIndex, 0);
        EXPECT_EQ(ws->currentF[k], kNotComputed);
        EXPECT_EQ(ws->nadirSource[k], 0);
    }
    EXPECT_EQ(ws->payoff[1].f[2], -12345.456789L);
    EXPECT_EQ(ws->basketCount, 0);
    EXPECT_EQ(ws->regionCount, 0);
    EXPECT_EQ(ws->edgeCount, 0);
    // Each list keeps only its placeholder.
    EXPECT_EQ(ws->basket.size(), 1u);
    EXPECT_EQ(ws->regions.size(), 1u);
    EXPECT_EQ(ws->edges.size(), 1u);
    EXPECT_TRUE(ws->history.empty());
    EXPECT_EQ(ws->historyCount, 0);
    EXPECT_EQ(ws->paletteIndex, 0);
    EXPECT_EQ(ws->lastColor, kNoColor);
    EXPECT_FALSE(ws->guardaTodasSols);
    EXPECT_FALSE(ws->limitsActive);
    EXPECT_FALSE(ws->limitOn[2]);
    EXPECT_EQ(ws->limitValue[2], 0);
    EXPECT_EQ(ws->activeMethod, MethodKind::None);
    EXPECT_EQ(ws->raceObjective, 0);
    EXPECT_EQ(ws->pickedWeights[1], kNotComputed);
    EXPECT_TRUE(ws->weightSpace3);
    EXPECT_FALSE(ws->weightSpace2);
    // Overwritten only by the next computation that fills them.
    EXPECT_EQ(ws->idealPoint[1], 42);
    EXPECT_EQ(ws->normFactor[2], 0.5L);
}

TEST(Reset, ClearingTheStoreKeepsOnlyThePlaceholders)
{
    auto ws = freshWorkspace();
    (void)ws->appendSolution(SolSolutionBasket{});
    ClearSolutionStore(*ws);
    EXPECT_EQ(ws->basket.size(), 1u);
    EXPECT_EQ(ws->basketCount, 0);
}

TEST(Names, ProblemNameDropsDirectoryAndExtensionOnly)
{
    EXPECT_EQ(ProblemNameOf(QStringLiteral("/home/u/ex1.mlp")), QStringLiteral("ex1"));
    EXPECT_EQ(ProblemNameOf(QStringLiteral("Untitled")), QStringLiteral("Untitled"));
    EXPECT_EQ(ProblemNameOf(QStringLiteral("/x/plan.2026.mlp")), QStringLiteral("plan.2026"));
    EXPECT_EQ(ProblemNameOf(QStringLiteral("/x/AFIRO.MPS")), QStringLiteral("AFIRO"));
    // A long suffix is part of the name, not an extension.
    EXPECT_EQ(ProblemNameOf(QStringLiteral("/x/model.backup")), QStringLiteral("model.backup"));
}

TEST(Names, SlackNamesFollowRowTypes)
{
    EXPECT_EQ(SlackNameFor(ConLessEqual, 1), QStringLiteral("s1"));
    EXPECT_EQ(SlackNameFor(ConGreaterEqual, 2), QStringLiteral("S2"));
    EXPECT_EQ(SlackNameFor(ConEqual, 3), QStringLiteral("t3"));
    EXPECT_EQ(SlackNameFor(ConLessEqual, 100), QStringLiteral("s100"));
}


// ---------------------------------------------------------------- the store

// Random sequences of the store's changes keep it consistent, and the counts
// follow the lists.
TEST(SolutionStore, EveryChangeKeepsItConsistent)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto ws = freshWorkspace();
        for (int step = 0; step < 200; ++step) {
            const int s = ws->basketCount;
            switch (pick(7)) {
            case 0:
            case 1: ASSERT_EQ(ws->appendSolution(SolSolutionBasket{}), s + 1); break;
            case 2:
                if (s > 0)
                    ws->chainRegion(1 + pick(s), ws->appendRegion(UmaOuMaisRegioes{}));
                break;
            case 3:
                if (s > 1) {
                    ASSERT_TRUE(ws->appendEdge(1 + pick(s), 1 + pick(s)));
                }
                break;
            case 4: {
                ComputedSolution record;
                record.basketIndex = pick(s + 1);
                ws->pushHistory(record);
                break;
            }
            case 5: {
                // Only solutions without regions are ever deleted.
                const int k = s > 0 ? 1 + pick(s) : 0;
                if (k > 0 && ws->basket[k].indRegIndif == 0)
                    ws->eraseSolution(k);
                break;
            }
            case 6:
                if (pick(10) == 0)
                    ws->truncate(pick(s + 1));
                break;
            }
            ASSERT_TRUE(ws->isConsistent()) << "seed " << seed << " step " << step;
            ASSERT_EQ(ws->basket.size(), static_cast<std::size_t>(ws->basketCount) + 1);
            ASSERT_EQ(ws->history.size(), static_cast<std::size_t>(ws->historyCount));
        }
    }
}

// What each broken reference looks like to the check.
TEST(SolutionStore, FindsEveryKindOfBrokenReference)
{
    const std::vector<std::pair<const char*, std::function<void(Workspace&)>>> damages = {
        {"region index past the list", [](Workspace& ws) { ws.basket[1].indRegIndif = 5; }},
        {"region on two chains", [](Workspace& ws) { ws.basket[2].indRegIndif = ws.basket[1].indRegIndif; }},
        {"chain that loops", [](Workspace& ws) { ws.regions[1].IndiceProx = 1; }},
        {"edge to a missing solution", [](Workspace& ws) { ws.edges[1].Sol2 = 3; }},
        {"pair with two edges",
         [](Workspace& ws) {
             ASSERT_TRUE(ws.appendEdge(1, ws.appendSolution(SolSolutionBasket{})));
             ws.edges[2] = UmaAresta{2, 1};
         }},
        {"history of a missing solution", [](Workspace& ws) { ws.history.front().basketIndex = 9; }},
        {"pay-off of a missing solution", [](Workspace& ws) { ws.payoff[1].basketIndex = 3; }},
        {"ICW vector of a missing solution", [](Workspace& ws) { ws.icwSolutions[1] = 4; }},
        {"solution without a basis list", [](Workspace& ws) { ws.basket[2].vbs.clear(); }},
    };
    for (const auto& [what, damage] : damages) {
        auto ws = freshWorkspace();
        const int a = ws->appendSolution(SolSolutionBasket{});
        (void)ws->appendSolution(SolSolutionBasket{});
        ws->chainRegion(a, ws->appendRegion(UmaOuMaisRegioes{}));
        ASSERT_TRUE(ws->appendEdge(1, 2));
        ws->pushHistory(ComputedSolution{});
        ws->resetIcwVectors(1);
        ASSERT_TRUE(ws->isConsistent()) << what;
        damage(*ws);
        EXPECT_FALSE(ws->isConsistent()) << what;
    }
}

} // namespace
