#include "solutions/ui/BasketLineChartWindow.h"
#include "workspace/Workspace.h"

#include <QValueAxis>

#include <gtest/gtest.h>

namespace {

// A large line chart window gets the larger labels of the basket graphs.
TEST(LineChartLabels, GrowWhenTheWindowDoes)
{
    Workspace ws;
    InitWorkspace(ws);
    BasketLineChartWindow window(ws);
    window.resize(640, 420);
    window.show();
    const int small = window.valueAxis()->labelsFont().pixelSize();
    window.resize(1600, 1200);
    EXPECT_EQ(small, 11);
    EXPECT_GT(window.valueAxis()->labelsFont().pixelSize(), small);
    EXPECT_EQ(window.solutionAxis()->labelsFont(), window.valueAxis()->labelsFont());
}

} // namespace
