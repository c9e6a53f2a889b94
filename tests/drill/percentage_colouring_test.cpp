#include "drill/drill_fixture.h"

namespace vantoriku::testing {
namespace {

using PercentageColouringTest = DrillTest;

TEST_F(PercentageColouringTest, EveryPercentageCellIsGradedOnEveryWrite) {
    struct Case {
        std::string caption;
        Colour colour;
    };
    const Case cases[] = {
        {"0", kRed},
        {"29", kRed},
        {"29.99", kRed},
        {"30", kBlack},
        {"78", kBlack},
        {"78.5", kBlack},
        {"79", kBlue},
        {"80", kBlue},
        {"100", kBlue},
        {"", kRed},
        {"abc", kRed},
        {"85点", kBlue},
        {" 50", kBlack},
        {"-5", kRed},
        {"７９", kRed},
        {"1e9", kRed},
        {std::string(300, '9'), kBlue},
    };
    for (const Cell cell : kPercentageCells) {
        EXPECT_FALSE(sheet.foreground(cell)) << "no colour before the first write";
        for (const Case& c : cases) {
            sheet.setCaption(cell, c.caption);
            EXPECT_EQ(sheet.foreground(cell), c.colour)
                << static_cast<int>(cell) << " " << c.caption;
        }
    }
}

TEST_F(PercentageColouringTest, NamedHandlersGradeTheirOwnCell) {
    const std::pair<void (Drill::*)(), Cell> handlers[] = {{&Drill::Label55_Change, Cell::Label55},
                                                           {&Drill::Label56_Change, Cell::Label56},
                                                           {&Drill::Label57_Change, Cell::Label57},
                                                           {&Drill::Label58_Change, Cell::Label58},
                                                           {&Drill::Label66_Change, Cell::Label66}};
    for (const auto& [handler, cell] : handlers) {
        (drill.*handler)();
        EXPECT_EQ(sheet.foreground(cell), kRed);
    }
}

TEST_F(PercentageColouringTest, OnlyTheWrittenCellChangesColour) {
    scoreEra(2, 40);
    EXPECT_EQ(sheet.foreground(Cell::Label56), kBlue);
    for (const Cell other : {Cell::Label55, Cell::Label57, Cell::Label58, Cell::Label66}) {
        EXPECT_FALSE(sheet.foreground(other));
    }
}

TEST_F(PercentageColouringTest, ADestroyedDrillNoLongerGrades) {
    DrillSheet other;
    {
        Drill scoped(other, box);
        other.setCaption(Cell::Label55, "100");
    }
    other.setCaption(Cell::Label55, "0");
    EXPECT_EQ(other.foreground(Cell::Label55), kBlue);
}

} // namespace
} // namespace vantoriku::testing
