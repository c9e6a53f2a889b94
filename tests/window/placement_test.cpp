#include "window/placement.h"

#include <gtest/gtest.h>

using namespace vantoriku;

// The help opens beside the main window on the side with room for it, narrowed where neither side
// has enough, else over it; on the screen either way.
TEST(PlacementTest, ASecondWindowOpensBesideTheMainWindowWhereThereIsRoomElseOverIt) {
    const QSize help(824, 564);
    // clang-format off
    const std::tuple<QRect, QRect, QRect, const char*> cases[] = {
        {{0, 0, 1600, 900}, {0, 0, 776, 555}, {776, 0, 824, 564}, "just room on the right"},
        {{0, 0, 1600, 900}, {824, 10, 730, 555}, {0, 10, 824, 564}, "just room on the left only"},
        {{0, 0, 1920, 1080}, {595, 40, 730, 555}, {1325, 40, 595, 564}, "room for a narrower help on either side"},
        {{200, 0, 1600, 900}, {900, 10, 730, 555}, {200, 10, 700, 564}, "more room on the left of a screen further right"},
        {{0, 0, 1366, 768}, {318, 0, 730, 555}, {318, 0, 824, 564}, "too little room on either side"},
        {{0, 0, 800, 600}, {40, 20, 730, 555}, {0, 20, 800, 564}, "a screen narrower than the help"}};
    // clang-format on
    for (const auto& [screen, main, placed, what] : cases)
        EXPECT_EQ(besideOrOver(help, 560, main, screen), placed) << what;
}
