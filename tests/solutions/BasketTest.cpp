#include "ScriptedUiPort.h"
#include "solutions/Basket.h"
#include "base/ListGrowth.h"
#include "flow/Session.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <random>

namespace {

vectorResEB_Int basisOf(std::initializer_list<int> variables)
{
    vectorResEB_Int b{};
    int i = 1;
    for (int v : variables)
        b[i++] = v;
    return b;
}

class BasketTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitWorkspace(*ws);
        ws->numObjectives = 2;
        ws->numVariables = 3;
        ws->numConstraints = 1;
        ResetComputedState(*ws);
    }

    // A solution whose values are all `value`.
    StoreResult store(Real value, const vectorResEB_Int& basis, bool withBasis = true, Color colour = kNoColor)
    {
        vectorObj f{};
        tipoXcorr x{};
        for (int k = 1; k <= 2; ++k)
            f[k] = value;
        for (int j = 1; j <= 4; ++j)
            x[j] = value;
        StoreResult stored = StoreSolution(*ws, withBasis, basis, f, false, colour, x);
        ShowNotices(ui, stored.notices);
        return stored;
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
};

TEST_F(BasketTest, SameSolutionWithSameBasisIsAlreadySaved)
{
    const StoreResult first = store(1, basisOf({1, 4}));
    EXPECT_TRUE(first.isNew);
    EXPECT_TRUE(first.newBasis);
    EXPECT_EQ(first.index, 1);
    EXPECT_EQ(ui.status[0], QStringLiteral("Last solution saved with the index 1"));

    const StoreResult again = store(1, basisOf({1, 4}));
    EXPECT_FALSE(again.isNew);
    EXPECT_FALSE(again.newBasis);
    EXPECT_EQ(again.index, 1);
    EXPECT_EQ(ui.status[0], QStringLiteral("Solution already saved (index 1)"));
    EXPECT_EQ(ws->basketCount, 1);
    EXPECT_EQ(ws->basket[1].vbs.size(), 1u);
}

TEST_F(BasketTest, ANewBasisOfAStoredSolutionMakesItDegenerate)
{
    store(1, basisOf({1, 4}));
    const StoreResult second = store(1, basisOf({1, 5}));
    EXPECT_FALSE(second.isNew);
    EXPECT_TRUE(second.newBasis);
    EXPECT_EQ(ui.status[0], QStringLiteral("Solution 1 is degenerate: new basis computed"));
    ASSERT_EQ(ws->basket[1].vbs.size(), 2u);
    EXPECT_EQ(ws->basket[1].vbs[1][2], 5);

    for (const auto& b : {basisOf({1, 4}), basisOf({1, 5})}) {
        const StoreResult third = store(1, b);
        EXPECT_FALSE(third.newBasis);
        EXPECT_EQ(ui.status[0], QStringLiteral("Solution already saved (index 1)"));
    }
    EXPECT_EQ(ws->basket[1].vbs.size(), 2u);
}

TEST_F(BasketTest, ASolutionStoredWithoutBasisTakesTheFirstBasisFoundLater)
{
    const StoreResult manual = store(2, basisOf({2, 3}), false);
    ASSERT_EQ(ws->basket[1].vbs.size(), 1u);
    EXPECT_EQ(ws->basket[1].vbs[0][1], 0);
    EXPECT_TRUE(manual.isNew);

    const StoreResult computed = store(2, basisOf({2, 3}), true);
    EXPECT_TRUE(computed.newBasis);
    EXPECT_EQ(ws->basket[1].vbs.size(), 1u);
    EXPECT_EQ(ws->basket[1].vbs[0][1], 2);
    EXPECT_EQ(ui.status[0], QStringLiteral("Solution already saved (index 1)"));
}

TEST_F(BasketTest, DuplicateToleranceComparesObjectivesAndDecisionVariablesOnly)
{
    store(1, basisOf({1}));
    vectorObj f{0, 1 + 5e-7L, 1};
    tipoXcorr x{};
    x[1] = x[2] = x[3] = 1;
    x[4] = 99; // a slack: not compared
    EXPECT_EQ(FindStoredSolution(*ws, f, x), 1);
    x[3] = 1 + 2e-6L;
    EXPECT_EQ(FindStoredSolution(*ws, f, x), 0);
    x[3] = 1;
    f[2] = 1 - 2e-6L;
    EXPECT_EQ(FindStoredSolution(*ws, f, x), 0);
}

TEST_F(BasketTest, ANewSolutionWorseThanTheNadirWidensIt)
{
    ws->objSense[1] = 1;
    ws->objSense[2] = -1;
    ws->idealPoint[1] = 10;
    ws->nadirPoint[1] = 0;
    ws->idealPoint[2] = 2;
    ws->nadirPoint[2] = 12;
    ASSERT_TRUE(store(5, basisOf({1, 4})).isNew);
    EXPECT_EQ(ws->nadirPoint[1], 0);
    EXPECT_EQ(ws->nadirPoint[2], 12);
    ASSERT_TRUE(store(-4, basisOf({2, 4})).isNew);
    EXPECT_EQ(ws->nadirPoint[1], -4);
    ASSERT_TRUE(store(15, basisOf({3, 4})).isNew);
    EXPECT_EQ(ws->nadirPoint[2], 15);
}

TEST_F(BasketTest, ColoursFollowThePaletteAndWrapAfter86)
{
    for (int i = 1; i <= 87; ++i) {
        const StoreResult r = store(i, basisOf({1}));
        ASSERT_TRUE(r.isNew) << i;
    }
    EXPECT_EQ(ws->basket[1].cor, hexColor(0x008080));
    EXPECT_EQ(ws->basket[2].cor, hexColor(0x800000));
    EXPECT_EQ(ws->basket[86].cor, hexColor(0xFFC0CB));
    EXPECT_EQ(ws->basket[87].cor, hexColor(0x008080));
    EXPECT_EQ(ws->paletteIndex, 1);
    EXPECT_EQ(ws->lastColor, hexColor(0x008080));

    // The computed colour becomes its darker basket shade; a chosen colour
    // is kept without touching lastColor.
    store(200, basisOf({1}), true, kComputedColor);
    EXPECT_EQ(ws->basket[88].cor, hexColor(0x5353FF));
    EXPECT_EQ(ws->lastColor, hexColor(0x5353FF));
    store(201, basisOf({1}), true, hexColor(0x123456));
    EXPECT_EQ(ws->basket[89].cor, hexColor(0x123456));
    EXPECT_EQ(ws->lastColor, hexColor(0x5353FF));

    ws->activeMethod = MethodKind::ParetoRace;
    ws->raceObjective = 2;
    store(202, basisOf({1}), true, hexColor(0x123456));
    EXPECT_EQ(ws->basket[90].cor, ws->raceColors[8]);
}

TEST_F(BasketTest, OutOfMemoryStoresNothing)
{
    store(1, basisOf({1}));
    listgrowth::simulateFailureAfter(0);
    const StoreResult r = store(2, basisOf({1}));
    listgrowth::simulateFailureAfter(-1);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(ws->basketCount, 1);
    EXPECT_EQ(ws->basket.size(), 2u);
    EXPECT_EQ(ui.status[0], QStringLiteral("No more memory to save solutions!"));
    EXPECT_TRUE(store(2, basisOf({1})).isNew);
}

TEST_F(BasketTest, DeletingARangeRenumbersHistoryEdgesAndNadirSources)
{
    for (int i = 1; i <= 7; ++i)
        store(i, basisOf({1}));
    for (int i = 0; i < 3; ++i)
        ws->pushHistory(ComputedSolution{});
    ws->history[0].basketIndex = 4;
    ws->history[1].basketIndex = 7;
    ws->history[2].basketIndex = 2;
    (void)ws->appendEdge(1, 7);
    ws->nadirSource[1] = 6;
    ws->nadirSource[2] = 5;

    const DeleteOutcome out = DeleteSolutionRange(*ws, 3, 5);
    EXPECT_EQ(out.deleted, 3);
    EXPECT_EQ(ws->basketCount, 4);
    EXPECT_EQ(ws->basket.size(), 5u);
    // Former 6 and 7 are now 3 and 4.
    EXPECT_EQ(ws->basket[3].f[1], 6);
    EXPECT_EQ(ws->basket[4].f[1], 7);
    EXPECT_EQ(ws->history[0].basketIndex, 0);
    EXPECT_EQ(ws->history[1].basketIndex, 4);
    EXPECT_EQ(ws->history[2].basketIndex, 2);
    EXPECT_EQ(ws->edges[1].Sol1, 1);
    EXPECT_EQ(ws->edges[1].Sol2, 4);
    EXPECT_EQ(ws->nadirSource[1], 3);
    EXPECT_EQ(ws->nadirSource[2], 0);
}

TEST_F(BasketTest, ProtectedEntriesAreKeptAndTheRestOfTheRangeStillGoes)
{
    for (int i = 1; i <= 5; ++i)
        store(i, basisOf({1}));
    ws->chainRegion(4, ws->appendRegion(UmaOuMaisRegioes{}));
    const DeleteOutcome out = DeleteSolutionRange(*ws, 1, 5);
    EXPECT_EQ(out.deleted, 2); // 5 and 3
    EXPECT_TRUE(out.keptForRegion);
    EXPECT_TRUE(out.keptOptimum);
    EXPECT_EQ(ws->basketCount, 3);
    EXPECT_EQ(ws->basket[3].f[1], 4);

    EXPECT_EQ(DeleteSolutionRange(*ws, 20, 20).deleted, 0);
    EXPECT_EQ(DeleteSolutionRange(*ws, 5, 2).deleted, 0);
}

TEST(DeleteRange, ParsesOneIndexOrARange)
{
    int from = -1, to = -1;
    QString bad;
    EXPECT_TRUE(ParseDeleteRange(QStringLiteral("4"), from, to, bad));
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 4);
    EXPECT_TRUE(ParseDeleteRange(QStringLiteral("3-5"), from, to, bad));
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 5);
    EXPECT_FALSE(ParseDeleteRange(QStringLiteral("3-x"), from, to, bad));
    EXPECT_EQ(bad, QStringLiteral("x"));
    EXPECT_FALSE(ParseDeleteRange(QStringLiteral("-2"), from, to, bad));
    EXPECT_EQ(bad, QString());
}

// The basket commands of the main window, with their questions and messages.
class BasketCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        flow.startUp(QStringLiteral("."));
        ws->numObjectives = 2;
        ws->numVariables = 2;
        ws->numConstraints = 0;
        ws->fileName = QStringLiteral("p.mlp");
        flow.AccoesNovoProb();
        for (int i = 1; i <= 7; ++i) {
            vectorObj f{0, Real(i), Real(-i)};
            tipoXcorr x{};
            x[1] = i;
            static_cast<void>(StoreSolution(*ws, true, vectorResEB_Int{}, f, false, kNoColor, x));
        }
        ws->pushHistory(ComputedSolution{});
        ws->pushHistory(ComputedSolution{});
        ws->history[0].basketIndex = 4;
        ws->history[0].f = ws->basket[4].f;
        ws->history[0].x_s = ws->basket[4].x_s;
        ui.clear();
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    ScriptedUiPort ui;
    Session flow{*ws, ui, ui};
};

TEST_F(BasketCommandsTest, DeleteAsksForARangeAndExplainsRefusals)
{
    ui.inputs.push_back(QStringLiteral("3-5"));
    flow.basket().deleteSolutions();
    EXPECT_EQ(ui.log.first(),
              QStringLiteral("Input: Delete... | One solution or a Range of solutions: (Ex: 1 or 3-5) | 0"));
    EXPECT_EQ(ws->basketCount, 4);
    EXPECT_EQ(ws->history[0].basketIndex, 0);
    EXPECT_TRUE(ui.saw(UiEvent::ReportChanged));
    EXPECT_TRUE(flow.report().toPlainText().contains(QStringLiteral("Solution values:")));

    ui.clear();
    ui.inputs.push_back(std::nullopt); // cancelled: as "0"
    flow.basket().deleteSolutions();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: The individual optima cannot be deleted")});

    ui.clear();
    ui.inputs.push_back(QStringLiteral("a-3"));
    flow.basket().deleteSolutions();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Error: 'a' is not a valid integer value")});
    EXPECT_EQ(ws->basketCount, 4);

    ws->chainRegion(3, ws->appendRegion(UmaOuMaisRegioes{}));
    ui.clear();
    ui.inputs.push_back(QStringLiteral("1-4"));
    flow.basket().deleteSolutions();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral(
                                "Information: Basic efficient solutions represented on the Weight space cannot be deleted")});
    EXPECT_EQ(ws->basketCount, 3);
}

TEST_F(BasketCommandsTest, StoreCurrentSolutionLinksTheNewestRecord)
{
    ws->history[0].basketIndex = 0;
    ws->currentF = vectorObj{0, 50, -50};
    ws->currentXS = tipoXcorr{};
    ws->currentXS[1] = 50;
    ws->lastColor = kComputedColor;
    flow.basket().storeCurrentSolution();
    EXPECT_EQ(ws->basketCount, 8);
    EXPECT_EQ(ws->history[0].basketIndex, 8);
    EXPECT_EQ(ws->history[0].cor, hexColor(0x5353FF));
    EXPECT_EQ(ws->basket[8].vbs.size(), 1u);
    EXPECT_EQ(ws->basket[8].vbs[0][1], 0);
    EXPECT_EQ(ui.dialogs(), QStringList{});
    EXPECT_EQ(ui.status[0], QStringLiteral("Last solution saved with the index 8"));

    // Storing it again only says where it is, in a box.
    flow.basket().storeCurrentSolution();
    EXPECT_EQ(ui.dialogs(), QStringList{QStringLiteral("Information: Solution already saved (index 8)")});

    flow.basket().setStoreAllSolutions(true);
    EXPECT_FALSE(flow.states().isEnabled(Cmd::StoreCurrent));
    EXPECT_FALSE(flow.states().isEnabled(Cmd::BtnStore));
    flow.basket().setStoreAllSolutions(false);
    EXPECT_TRUE(flow.states().isEnabled(Cmd::BtnStore));
}

} // namespace

// The lookup answers as the scan does: values straddling the lookup's cell
// edges (multiples of 1e-3), matches within the tolerance of several
// entries (the smallest index wins), values without a cell (not finite,
// huge), and entries filed through StoreSolution as they are stored; so
// does its test for a basis an entry holds already (empty bases, which an
// entry's first basis may be and a later one replaces, included).
TEST(SolutionLookupTest, FindsWhatTheScanFinds)
{
    std::mt19937 rng(7);
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const Real offsets[] = {0, 4e-7L, -4e-7L, 1.5e-6L, -1.5e-6L, 3e-6L, 1e-3L};
    const Real specials[] = {std::numeric_limits<Real>::quiet_NaN(), std::numeric_limits<Real>::infinity(), 1e20L};
    auto value = [&]() -> Real {
        if (pick(20) == 0)
            return specials[pick(3)];
        return Real(pick(7) - 3) * 1e-3L + offsets[pick(7)];
    };
    auto scanned = std::make_unique<Workspace>();
    auto looked = std::make_unique<Workspace>();
    for (Workspace* ws : {scanned.get(), looked.get()}) {
        InitWorkspace(*ws);
        ws->numObjectives = 2;
        ws->numVariables = 1;
        ResetComputedState(*ws);
    }
    SolutionLookup lookup(*looked);
    for (int i = 0; i < 400; ++i) {
        vectorObj f{};
        tipoXcorr x{};
        f[1] = value();
        f[2] = pick(2);
        x[1] = pick(2) == 0 ? 0 : 1e-6L * pick(3);
        ASSERT_EQ(lookup.find(*looked, f, x), FindStoredSolution(*scanned, f, x)) << "query " << i;
        const vectorResEB_Int basis = pick(8) == 0 ? vectorResEB_Int{} : basisOf({pick(3) + 1, pick(3) + 4});
        const StoreResult a = StoreSolution(*scanned, true, basis, f, false, kNoColor, x);
        const StoreResult b = StoreSolution(*looked, true, basis, f, false, kNoColor, x, &lookup);
        ASSERT_EQ(a.index, b.index) << "store " << i;
        ASSERT_EQ(a.isNew, b.isNew);
        ASSERT_EQ(a.newBasis, b.newBasis) << "store " << i;
        ASSERT_EQ(scanned->basket[a.index].vbs, looked->basket[b.index].vbs);
    }
    EXPECT_GT(scanned->basketCount, 50);
    // A lookup made over a full basket files every entry.
    const SolutionLookup made(*scanned);
    for (int i = 1; i <= scanned->basketCount; ++i) {
        const SolSolutionBasket& entry = scanned->basket[i];
        const vectorObj f{0, entry.f[1], entry.f[2]};
        const tipoXcorr x{0, entry.x_s[1]};
        EXPECT_EQ(made.find(*scanned, f, x), FindStoredSolution(*scanned, f, x)) << "entry " << i;
        for (int first = 1; first <= 3; ++first) {
            const vectorResEB_Int basis = basisOf({first, 5});
            EXPECT_EQ(made.hasBasis(*scanned, i, basis), SameBasisStored(*scanned, i, basis)) << "entry " << i;
        }
    }
}
