#include "flow/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1280, 800);

struct Case {
    const char* name;
    QRect anchor;
    QSize size;
    int slot;
    QRect expected;
    int minimumWidth = 0;
};

class PlaceBesideTable : public ::testing::TestWithParam<Case> {};

TEST_P(PlaceBesideTable, OpensBesideTheMainWindowAndOnTheScreen)
{
    const Case& c = GetParam();
    const QRect placed = PlaceBeside(c.anchor, c.size, kScreen, c.slot, c.minimumWidth);
    EXPECT_EQ(placed, c.expected);
    EXPECT_TRUE(kScreen.contains(placed));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PlaceBesideTable,
    ::testing::Values(
        Case{"RoomOnTheRight", {16, 16, 600, 600}, {600, 460}, 0, {624, 16, 600, 460}},
        Case{"SecondWindowLower", {16, 16, 600, 600}, {600, 460}, 1, {624, 56, 600, 460}},
        Case{"RoomOnTheLeftOnly", {660, 16, 600, 600}, {600, 460}, 0, {52, 16, 600, 460}},
        // Room on neither side: flush with the side that has more, so that
        // it covers the least of the main window.
        Case{"NoRoomRightWider", {16, 16, 1000, 680}, {600, 460}, 0, {680, 16, 600, 460}},
        Case{"NoRoomLeftWider", {264, 16, 1000, 680}, {600, 460}, 0, {0, 16, 600, 460}},
        // Larger than the screen: shrunk to it.
        Case{"TallerThanTheScreen", {16, 16, 500, 600}, {640, 1000}, 0, {524, 0, 640, 800}},
        Case{"LowSlotKeptOnScreen", {16, 500, 500, 300}, {600, 460}, 2, {524, 340, 600, 460}},
        Case{"NarrowedToTheRoomOnTheRight", {16, 16, 760, 680}, {640, 517}, 0, {784, 16, 496, 517}, 400}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(WindowPlacement, ARememberedPlaceComesBackOntoASmallerScreen)
{
    EXPECT_EQ(KeepInside(QRect(1800, 900, 600, 400), kScreen), QRect(680, 400, 600, 400));
    EXPECT_EQ(KeepInside(QRect(-50, -20, 2000, 300), kScreen), QRect(0, 0, 1280, 300));
    // The main window leaves room for the views where it can.
    EXPECT_EQ(FirstMainWindowPlace(QSize(1000, 680), QRect(0, 0, 1600, 1000), 760), QRect(16, 16, 1000, 680));
    EXPECT_EQ(FirstMainWindowPlace(QSize(1000, 680), kScreen, 760), QRect(16, 16, 760, 680));
    EXPECT_EQ(FirstMainWindowPlace(QSize(1000, 680), QRect(0, 0, 800, 600), 760), QRect(16, 0, 760, 584));
}

} // namespace
