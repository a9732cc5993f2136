#include "ScriptedUiPort.h"
#include "flow/PortProgress.h"

#include <gtest/gtest.h>

namespace {

Notices storeNotices()
{
    Notices n;
    n.status(0, QStringLiteral("Last solution saved with the index 4"));
    n.event(UiEvent::BasketValuesChanged);
    n.message(MsgKind::Warning, QStringLiteral("No memory"));
    return n;
}

// What a run tells on the way reaches the port at once and in order; the
// box and the bar it opened close once, when the run is done.
TEST(PortProgress, TellsAtOnceAndClosesWhatTheRunOpened)
{
    ScriptedUiPort ui;
    {
        PortProgress progress(ui);
        progress.begin(QStringLiteral("VMA"), QStringLiteral("0 bases"));
        progress.step(1, 3);
        progress.tell(storeNotices());
        EXPECT_TRUE(progress.update(QStringLiteral("1 base")));
        progress.changed(UiEvent::WeightSpaceChanged);
        progress.done();
    }
    EXPECT_EQ(ui.log, QStringList({"Task: VMA", "Status0: Last solution saved with the index 4", "Warning: No memory",
                                   "TaskEnd"}));
    EXPECT_EQ(ui.events, (std::vector<UiEvent>{UiEvent::BasketValuesChanged, UiEvent::WeightSpaceChanged}));
    EXPECT_FALSE(ui.progressVisible);
    EXPECT_FALSE(ui.taskOpen);
    EXPECT_EQ(ui.taskUpdates, 1);
}

// A caller that shows nothing still hears of the views to redraw.
TEST(PortProgress, ProgressWithoutAPortPassesOnlyTheRedraws)
{
    struct Redraws : Progress {
        std::vector<UiEvent> seen;
        void changed(UiEvent event) override { seen.push_back(event); }
    } redraws;
    redraws.tell(storeNotices());
    EXPECT_EQ(redraws.seen, std::vector<UiEvent>{UiEvent::BasketValuesChanged});
}

} // namespace
