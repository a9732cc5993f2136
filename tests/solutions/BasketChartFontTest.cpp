#include "solutions/BasketCharts.h"

#include "GuiApp.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

struct FontCase {
    QSize client;
    int pixels;
};

class ChartLabels : public ::testing::TestWithParam<FontCase> {};

// Small and usual windows keep 11-pixel labels; a large one gets larger ones.
TEST_P(ChartLabels, GrowWithTheSmallerSideOfTheWindow)
{
    GuiApp();
    EXPECT_EQ(BasketChartFont(GetParam().client).pixelSize(), GetParam().pixels);
    EXPECT_EQ(BasketChartTextHeight(GetParam().client), QFontMetrics(BasketChartFont(GetParam().client)).height());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChartLabels,
                         ::testing::Values(FontCase{QSize(), 11}, FontCase{QSize(640, 480), 11},
                                           FontCase{QSize(1900, 527), 11}, FontCase{QSize(1900, 528), 12},
                                           FontCase{QSize(1400, 880), 20}));

// The bar chart lays its text out with the grown labels: two text lines
// below the bars, as the layout promises.
TEST(ChartLabelsInTheBarChart, PictureHeightFollowsTheGrownText)
{
    GuiApp();
    Workspace ws;
    InitWorkspace(ws);
    ws.numObjectives = 2;
    const QSize client(1400, 880);
    const int th = BasketChartTextHeight(client);
    ASSERT_GT(th, BasketChartTextHeight());
    const BasketBarLayout l = ComputeBasketBarLayout(2, 0, client, th);
    EXPECT_EQ(DrawBasketBarChart(ws, client, {}).size(), l.pictureSize);
}

} // namespace
