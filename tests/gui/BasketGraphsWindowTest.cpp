#include "ScriptedUiPort.h"
#include "flow/WindowCommands.h"
#include "solutions/BasketCharts.h"
#include "solutions/BasketTable.h"
#include "solutions/ui/AxisBoundsDialog.h"
#include "solutions/ui/BasketGraphsWindow.h"
#include "solutions/ui/BasketLineChartWindow.h"
#include "solutions/ui/SortDialog.h"
#include "base/NumberFormat.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QRgb Rgb(Color c) { return qRgb(int(colorRed(c)), int(colorGreen(c)), int(colorBlue(c))); }

const Color kRed = rgbColor(220, 30, 30);
const Color kGreen = rgbColor(30, 160, 60);
const Color kBlue = rgbColor(40, 60, 210);
const Color kYellow = rgbColor(230, 200, 40);

// k objectives, all maximized over the box [0, 10] but the second, which is
// minimized over [2, 12]; four stored solutions with bases and two edges.
std::unique_ptr<Workspace> GraphWorkspace(int k)
{
    auto ws = std::make_unique<Workspace>();
    InitWorkspace(*ws);
    ws->numObjectives = k;
    ws->numVariables = 2;
    ws->numConstraints = 0;
    for (int i = 1; i <= k; ++i) {
        ws->objName[i] = QStringLiteral("Obj") + QString::number(i);
        ws->objSense[i] = 1;
        ws->idealPoint[i] = 10;
        ws->nadirPoint[i] = 0;
        ws->AxisLow[i] = kNotComputed;
        ws->AxisHigh[i] = kNotComputed;
    }
    if (k >= 2) {
        ws->objSense[2] = -1;
        ws->idealPoint[2] = 2;
        ws->nadirPoint[2] = 12;
    }
    const Real values[4][4] = {{10, 9, 1, 2}, {1, 2, 9, 8}, {5, 7, 5, 5}, {8, 4, 2, 9}};
    const Color colours[4] = {kRed, kGreen, kBlue, kYellow};
    for (int s = 0; s < 4; ++s) {
        SolSolutionBasket sol;
        for (int i = 1; i <= k; ++i)
            sol.f[i] = values[s][(i - 1) % 4];
        vectorResEB_Int basis{};
        basis[1] = 1;
        basis[2] = 2;
        sol.vbs.push_back(StoredBasisOf(basis));
        sol.cor = colours[s];
        (void)ws->appendSolution(sol);
    }
    (void)ws->appendEdge(1, 3);
    (void)ws->appendEdge(3, 2);
    return ws;
}

// Runs `act` on the modal dialog of type D as soon as it is up. A modal
// window of another kind, or none within a few seconds, fails the test and
// is closed so that the test cannot hang.
template <class D>
void WhenModal(std::function<void(D*)> act)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool late = clock->elapsed() > 5000;
        if (!modal && !late)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        auto* dialog = qobject_cast<D*>(modal);
        if (!dialog) {
            ADD_FAILURE() << (modal ? modal->metaObject()->className() : "no modal dialog came up");
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        act(dialog);
    });
    timer->start();
}

class BasketGraphsWindowTest : public ::testing::Test {
protected:
    void make(int k)
    {
        ws = GraphWorkspace(k);
        window = std::make_unique<BasketGraphsWindow>(*ws, ui);
        window->resize(640, 480);
    }

    std::vector<int> barOrder() const
    {
        std::vector<int> order;
        SortBasketIndices(*ws, ws->GraphSortKey, ws->GraphSortAscending, order);
        return order;
    }

    bool shown(QWidget* w) const { return w->isVisibleTo(window.get()); }

    std::unique_ptr<Workspace> ws;
    ScriptedUiPort ui;
    std::unique_ptr<BasketGraphsWindow> window;
};

TEST_F(BasketGraphsWindowTest, OpensOnThePointChartOfTwoObjectives)
{
    make(2);
    window->mostraGrafico();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Solution Graphs"));
    EXPECT_EQ(window->barButton()->toolTip(), QStringLiteral("Bar Chart"));
    EXPECT_EQ(window->pointButton()->toolTip(), QStringLiteral("F1F2 Point chart"));
    EXPECT_EQ(window->sortButton()->toolTip(), QStringLiteral("Sort solutions"));
    EXPECT_EQ(window->axisButton()->toolTip(), QStringLiteral("Change axis bounds"));
    EXPECT_TRUE(shown(window->lineChartButton()));

    EXPECT_TRUE(window->pointButton()->isChecked());
    EXPECT_FALSE(window->barButton()->isChecked());
    EXPECT_FALSE(shown(window->sortButton()));
    EXPECT_FALSE(shown(window->projectionList()));
    EXPECT_EQ(window->plan().kind, BasketChartKind::Points);

    // The axes took the ideal-nadir box, and the picture is the core's.
    EXPECT_EQ(ws->AxisLow[1], 0);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[2], 12);
    const QSize client = window->clientSize();
    EXPECT_EQ(client, window->currentClientSize());
    EXPECT_EQ(client, window->pictureArea()->maximumViewportSize());
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 1, 2, client));
    const QPoint p = MapBasketPoint(*ws, ComputeBasketPointLayout(client), 1, 2, ws->basket[3].f);
    EXPECT_EQ(window->picture().pixel(p), Rgb(kBlue));
}

TEST_F(BasketGraphsWindowTest, TheChartButtonsSwitchBetweenBarsAndPoints)
{
    make(2);
    window->mostraGrafico();
    window->barButton()->click();
    EXPECT_TRUE(window->barButton()->isChecked());
    EXPECT_FALSE(window->pointButton()->isChecked());
    EXPECT_EQ(window->plan().kind, BasketChartKind::Bars);
    EXPECT_TRUE(shown(window->sortButton()));
    EXPECT_FALSE(shown(window->projectionList()));
    const QSize client = window->clientSize();
    EXPECT_EQ(window->picture().size(), ComputeBasketBarLayout(2, 4, client, BasketChartTextHeight()).pictureSize);
    EXPECT_EQ(window->picture(), DrawBasketBarChart(*ws, client, barOrder()));

    window->pointButton()->click();
    EXPECT_TRUE(window->pointButton()->isChecked());
    EXPECT_EQ(window->plan().kind, BasketChartKind::Points);
    EXPECT_FALSE(shown(window->sortButton()));
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 1, 2, window->clientSize()));
}

TEST_F(BasketGraphsWindowTest, FourObjectivesOpenOnTheBarChart)
{
    make(4);
    window->mostraGrafico();
    EXPECT_FALSE(window->pointButton()->isEnabled());
    EXPECT_TRUE(window->barButton()->isChecked());
    EXPECT_EQ(window->plan().kind, BasketChartKind::Bars);
    EXPECT_TRUE(shown(window->sortButton()));
    EXPECT_FALSE(shown(window->projectionList()));
    EXPECT_EQ(window->picture(), DrawBasketBarChart(*ws, window->clientSize(), barOrder()));

    // Back to two objectives: the point chart is offered again, but the bar
    // chart stays pressed.
    ws->numObjectives = 2;
    window->mostraGrafico();
    EXPECT_TRUE(window->pointButton()->isEnabled());
    EXPECT_TRUE(window->barButton()->isChecked());
}

TEST_F(BasketGraphsWindowTest, TheProjectionListChoosesTheChartOfThreeObjectives)
{
    make(3);
    window->mostraGrafico();
    EXPECT_TRUE(shown(window->projectionList()));
    EXPECT_EQ(window->projectionList()->count(), 4);
    EXPECT_EQ(window->projectionList()->itemText(0), QStringLiteral("F1 - F2 - F3"));
    EXPECT_EQ(window->plan().kind, BasketChartKind::ThreeObjectives);
    EXPECT_EQ(window->picture(), DrawBasketTriChart(*ws, window->clientSize()));

    window->projectionList()->setCurrentIndex(2); // "F1 - F3"
    EXPECT_EQ(window->plan().kind, BasketChartKind::Points);
    EXPECT_EQ(window->plan().a, 1);
    EXPECT_EQ(window->plan().b, 3);
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 1, 3, window->clientSize()));

    window->projectionList()->setCurrentIndex(3); // "F2 - F3"
    EXPECT_EQ(window->plan().a, 2);
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 2, 3, window->clientSize()));

    window->barButton()->click();
    EXPECT_FALSE(shown(window->projectionList()));
    EXPECT_TRUE(shown(window->sortButton()));
    window->pointButton()->click();
    EXPECT_TRUE(shown(window->projectionList()));
    EXPECT_EQ(window->plan().b, 3);
}

TEST_F(BasketGraphsWindowTest, AResizeDrawsForTheNewClientArea)
{
    make(2);
    window->mostraGrafico();
    const QSize before = window->clientSize();
    window->resize(820, 560);
    QApplication::processEvents();
    const QSize after = window->clientSize();
    EXPECT_NE(after, before);
    EXPECT_EQ(after, window->currentClientSize());
    EXPECT_EQ(window->picture().size(), after);
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 1, 2, after));
}

TEST_F(BasketGraphsWindowTest, ManyBarsInANarrowWindowScrollSideways)
{
    make(4);
    for (int s = 5; s <= 16; ++s) {
        SolSolutionBasket sol = ws->basket[1];
        (void)ws->appendSolution(sol);
    }
    window->resize(300, 400);
    window->mostraGrafico();
    QApplication::processEvents();
    const BasketBarLayout l = ComputeBasketBarLayout(4, 16, window->clientSize(), BasketChartTextHeight());
    EXPECT_EQ(l.barWidth, 10);
    EXPECT_EQ(window->picture().size(), l.pictureSize);
    EXPECT_GT(window->picture().width(), window->clientSize().width());
    EXPECT_TRUE(window->pictureArea()->horizontalScrollBar()->isVisible());
    EXPECT_GT(window->pictureArea()->horizontalScrollBar()->maximum(), 0);
}

TEST_F(BasketGraphsWindowTest, NewAxisBoundsAreTypedInTheDialog)
{
    make(2);
    window->mostraGrafico();
    WhenModal<AxisBoundsDialog>([](AxisBoundsDialog* dialog) {
        QTableWidget* grid = dialog->grid();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Change axis bounds"));
        EXPECT_EQ(grid->rowCount(), 3);
        EXPECT_EQ(grid->columnCount(), 3);
        EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("Obj1"));
        EXPECT_EQ(grid->item(1, 0)->text(), QStringLiteral("Min"));
        EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("Max"));
        EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("2"));
        EXPECT_EQ(grid->item(2, 2)->text(), QStringLiteral("12"));
        EXPECT_EQ(dialog->changeButton()->text(), QStringLiteral("Change"));
        grid->item(1, 1)->setText(QStringLiteral("-5"));
        grid->item(2, 2)->setText(QStringLiteral("20"));
        dialog->changeButton()->click();
    });
    window->axisButton()->click();
    EXPECT_TRUE(ws->UserAxisBounds);
    EXPECT_EQ(ws->AxisLow[1], -5);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[2], 20);
    EXPECT_TRUE(ui.dialogs().isEmpty());
    EXPECT_EQ(window->picture(), DrawBasketPointChart(*ws, 1, 2, window->clientSize()));
}

TEST_F(BasketGraphsWindowTest, BoundsInsideTheBoxAreWidenedBackToIt)
{
    make(2);
    window->mostraGrafico();
    WhenModal<AxisBoundsDialog>([](AxisBoundsDialog* dialog) {
        dialog->grid()->item(1, 1)->setText(QStringLiteral("3"));
        dialog->grid()->item(2, 1)->setText(QStringLiteral("6"));
        dialog->changeButton()->click();
    });
    window->axisButton()->click();
    EXPECT_TRUE(ws->UserAxisBounds);
    EXPECT_EQ(ws->AxisLow[1], 0);
    EXPECT_EQ(ws->AxisHigh[1], 10);
}

TEST_F(BasketGraphsWindowTest, MaxNotAboveMinIsRefused)
{
    make(2);
    window->mostraGrafico();
    const QImage before = window->picture();
    WhenModal<AxisBoundsDialog>([](AxisBoundsDialog* dialog) {
        dialog->grid()->item(1, 2)->setText(QStringLiteral("15"));
        dialog->grid()->item(2, 1)->setText(QStringLiteral("-1"));
        dialog->changeButton()->click();
    });
    window->axisButton()->click();
    EXPECT_EQ(ui.dialogs(), (QStringList{QStringLiteral("Information: Max values must be larger than Min values"),
                                         QStringLiteral("Information: Max values must be larger than Min values")}));
    EXPECT_FALSE(ws->UserAxisBounds);
    EXPECT_EQ(ws->AxisLow[2], 2);
    EXPECT_EQ(ws->AxisHigh[1], 10);
    EXPECT_EQ(window->picture(), before);
}

TEST_F(BasketGraphsWindowTest, CancelAndUntouchedBoundsChangeNothing)
{
    make(2);
    window->mostraGrafico();
    WhenModal<AxisBoundsDialog>([](AxisBoundsDialog* dialog) { dialog->cancelButton()->click(); });
    window->axisButton()->click();
    EXPECT_FALSE(ws->UserAxisBounds);
    WhenModal<AxisBoundsDialog>([](AxisBoundsDialog* dialog) { dialog->changeButton()->click(); });
    window->axisButton()->click();
    EXPECT_FALSE(ws->UserAxisBounds);
    EXPECT_TRUE(ui.dialogs().isEmpty());
}

TEST_F(BasketGraphsWindowTest, SortingOrdersTheBars)
{
    make(2);
    window->mostraGrafico();
    window->barButton()->click();
    WhenModal<SortDialog>([](SortDialog* dialog) {
        dialog->objectiveButton()->setChecked(true);
        dialog->objectiveList()->setCurrentIndex(0);
        dialog->descendingButton()->setChecked(true);
        dialog->okButton()->click();
    });
    window->sortButton()->click();
    EXPECT_EQ(ws->GraphSortKey, 1);
    EXPECT_FALSE(ws->GraphSortAscending);
    EXPECT_EQ(window->plan().kind, BasketChartKind::Bars);
    // Objective 1 descending: 10, 8, 5, 1 are solutions 1, 4, 3, 2.
    EXPECT_EQ(barOrder(), (std::vector<int>{0, 1, 4, 3, 2}));
    const QSize client = window->clientSize();
    EXPECT_EQ(window->picture(), DrawBasketBarChart(*ws, client, barOrder()));
    const BasketBarLayout l = ComputeBasketBarLayout(2, 4, client, BasketChartTextHeight());
    EXPECT_EQ(window->picture().pixel(l.groupX(1) + l.barWidth + 1, l.baseY() - 2), Rgb(kYellow));
    EXPECT_EQ(window->picture().pixel(l.groupX(1) + 3 * l.barWidth + 1, l.baseY() - 2), Rgb(kGreen));
}

TEST_F(BasketGraphsWindowTest, AnUnstoredSolutionIsMarkedOnThePointChartOnly)
{
    make(2);
    vectorObj f{};
    f[1] = 3;
    f[2] = 4;
    // Hidden: nothing to mark.
    window->MostraSolNaoGuardada(f, kComputedColor);
    EXPECT_TRUE(window->picture().isNull());

    window->mostraGrafico();
    const QPoint p = MapBasketPoint(*ws, ComputeBasketPointLayout(window->clientSize()), 1, 2, f);
    EXPECT_EQ(window->picture().pixel(p), qRgb(255, 255, 255));
    window->MostraSolNaoGuardada(f, kComputedColor);
    EXPECT_EQ(window->picture().pixel(p), Rgb(kComputedColor));
    // The next drawing removes it.
    window->mostraGrafico();
    EXPECT_EQ(window->picture().pixel(p), qRgb(255, 255, 255));

    window->barButton()->click();
    const QImage bars = window->picture();
    window->MostraSolNaoGuardada(f, kComputedColor);
    EXPECT_EQ(window->picture(), bars);
}

TEST_F(BasketGraphsWindowTest, TheLineChartButtonOpensTheLineChart)
{
    make(3);
    BasketLineChartWindow lines(*ws);
    window->setLineChartWindow(&lines);
    window->mostraGrafico();
    EXPECT_FALSE(lines.isVisible());
    window->lineChartButton()->click();
    EXPECT_TRUE(lines.isVisible());
    EXPECT_EQ(lines.series(1)->count(), 4);
    EXPECT_EQ(lines.series(3)->at(1), QPointF(2, 9));
}

// ---- Line chart window ----------------------------------------------------------

TEST(BasketLineChartWindowTest, SeriesFollowTheBasket)
{
    auto ws = GraphWorkspace(3);
    BasketLineChartWindow lines(*ws);
    EXPECT_EQ(lines.windowTitle(), QStringLiteral("Charts"));
    EXPECT_EQ(lines.chart()->title(), QStringLiteral("Solution Basket"));
    EXPECT_EQ(lines.solutionAxis()->titleText(), QStringLiteral("Solution number"));
    EXPECT_EQ(lines.valueAxis()->titleText(), QStringLiteral("Objective value"));
    EXPECT_EQ(lines.zoomInButton()->text(), QStringLiteral("Zoom In"));
    EXPECT_EQ(lines.undoZoomButton()->text(), QStringLiteral("Undo Zoom"));
    lines.DesenhaChart();
    for (int i = 1; i <= kLineChartSeries; ++i) {
        QLineSeries* s = lines.series(i);
        const bool used = i <= 3;
        // The legend names the objectives.
        EXPECT_EQ(s->name(), used ? ws->objName[i] : QStringLiteral("F") + QString::number(i));
        EXPECT_EQ(s->isVisible(), used) << i;
        EXPECT_EQ(s->count(), used ? 4 : 0) << i;
        const auto markers = lines.chart()->legend()->markers(s);
        ASSERT_EQ(markers.size(), 1);
        EXPECT_EQ(markers.front()->isVisible(), used) << i;
        EXPECT_EQ(s->color(), QColor::fromRgb(Rgb(LineChartSeriesStyle(i).colour))) << i;
        EXPECT_TRUE(s->pointsVisible());
    }
    EXPECT_EQ(lines.series(2)->points(),
              (QList<QPointF>{QPointF(1, 9), QPointF(2, 2), QPointF(3, 7), QPointF(4, 4)}));
    EXPECT_EQ(lines.solutionAxis()->min(), 1);
    EXPECT_EQ(lines.solutionAxis()->max(), 4);
    EXPECT_EQ(lines.solutionAxis()->tickInterval(), 1);
    EXPECT_LE(lines.valueAxis()->min(), 1);
    EXPECT_GE(lines.valueAxis()->max(), 10);

    // A smaller basket with two objectives empties and hides the rest.
    ws->numObjectives = 2;
    ws->truncate(2);
    lines.DesenhaChart();
    EXPECT_FALSE(lines.series(3)->isVisible());
    EXPECT_EQ(lines.series(3)->count(), 0);
    EXPECT_EQ(lines.series(1)->count(), 2);
    EXPECT_EQ(lines.solutionAxis()->max(), 2);
}

TEST(BasketLineChartWindowTest, ZoomInAndUndoZoom)
{
    auto ws = GraphWorkspace(2);
    BasketLineChartWindow lines(*ws);
    lines.resize(640, 420);
    lines.show();
    lines.DesenhaChart();
    QApplication::processEvents();
    const qreal min = lines.solutionAxis()->min();
    const qreal max = lines.solutionAxis()->max();
    lines.zoomInButton()->click();
    const qreal span = lines.solutionAxis()->max() - lines.solutionAxis()->min();
    EXPECT_NEAR(span, (max - min) / 1.1, 1e-6);
    lines.zoomInButton()->click();
    EXPECT_LT(lines.solutionAxis()->max() - lines.solutionAxis()->min(), span);
    lines.undoZoomButton()->click();
    EXPECT_DOUBLE_EQ(lines.solutionAxis()->min(), min);
    EXPECT_DOUBLE_EQ(lines.solutionAxis()->max(), max);
}

TEST(BasketLineChartWindowTest, AClickOnASeriesTogglesItsValues)
{
    auto ws = GraphWorkspace(2);
    BasketLineChartWindow lines(*ws);
    lines.DesenhaChart();
    QLineSeries* s = lines.series(2);
    EXPECT_FALSE(s->pointLabelsVisible());
    emit s->clicked(QPointF(1, 9));
    EXPECT_TRUE(s->pointLabelsVisible());
    EXPECT_FALSE(lines.series(1)->pointLabelsVisible());
    emit s->clicked(QPointF(2, 2));
    EXPECT_FALSE(s->pointLabelsVisible());
}

TEST(BasketLineChartWindowTest, EachSeriesHasItsOwnMark)
{
    // The marks differ from one another: no two series look alike.
    std::vector<QImage> marks;
    for (int i = 1; i <= kLineChartSeries; ++i) {
        const LineSeriesStyle style = LineChartSeriesStyle(i);
        marks.push_back(BasketLineChartWindow::markImage(style.mark, Qt::black, 9));
    }
    for (std::size_t a = 0; a < marks.size(); ++a)
        for (std::size_t b = a + 1; b < marks.size(); ++b)
            EXPECT_NE(marks[a], marks[b]) << a + 1 << " " << b + 1;
    // A down triangle is wide at the top, a triangle at the bottom.
    const QImage down = BasketLineChartWindow::markImage(LineMark::DownTriangle, Qt::black, 9);
    const QImage up = BasketLineChartWindow::markImage(LineMark::Triangle, Qt::black, 9);
    EXPECT_GT(qAlpha(down.pixel(1, 2)), 0);
    EXPECT_EQ(qAlpha(up.pixel(1, 2)), 0);
}

} // namespace
