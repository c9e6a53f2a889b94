#include "sheet/drill_sheet.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace vantoriku {
namespace {

TEST(DrillSheetTest, StartState) {
    const DrillSheet sheet;
    for (int row = 1; row <= 40; ++row) {
        EXPECT_EQ(sheet.questionCaption(row), "");
        EXPECT_EQ(sheet.answer(row), "");
        EXPECT_TRUE(sheet.answerVisible(row));
    }
    EXPECT_EQ(sheet.caption(Cell::Label41), "\u3000最初に時代を選択してください");
    for (const Cell cell : kCells) {
        if (cell != Cell::Label41) {
            EXPECT_EQ(sheet.caption(cell), "") << static_cast<int>(cell);
        }
    }
    for (const Cell cell : kPercentageCells) {
        EXPECT_FALSE(sheet.foreground(cell));
    }
    EXPECT_TRUE(sheet.enabled(Button::Command1));
    EXPECT_TRUE(sheet.visible(Button::Command1));
    EXPECT_FALSE(sheet.enabled(Button::Command2));
    EXPECT_TRUE(sheet.visible(Button::Command2));
    for (int era = 1; era <= 4; ++era) {
        EXPECT_FALSE(sheet.eraChecked(era));
    }
}

TEST(DrillSheetTest, EveryWriteIsStoredAndReported) {
    DrillSheet sheet;
    std::vector<Member> seen;
    sheet.addListener([&](const Member& m) { seen.push_back(m); });
    using K = Member::Kind;

    sheet.setQuestionCaption(40, "大政奉還");
    sheet.setAnswer(1, "538");
    sheet.setAnswerVisible(31, false);
    sheet.setCaption(Cell::Label47, "12");
    sheet.setForeground(Cell::Label66, kBlue);
    sheet.setEnabled(Button::Command2, true);
    sheet.setVisible(Button::Command1, false);
    sheet.setEraChecked(3, true);
    sheet.setAnswer(1, "538"); // the same value again is still a write

    const std::vector<Member> expected{
        {K::QuestionCaption, 40}, {K::Answer, 1},      {K::AnswerVisible, 31},
        {K::Caption, 47},         {K::Foreground, 66}, {K::ButtonEnabled, 2},
        {K::ButtonVisible, 1},    {K::EraChecked, 3},  {K::Answer, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(sheet.questionCaption(40), "大政奉還");
    EXPECT_EQ(sheet.answer(1), "538");
    EXPECT_FALSE(sheet.answerVisible(31));
    EXPECT_EQ(sheet.caption(Cell::Label47), "12");
    EXPECT_EQ(sheet.foreground(Cell::Label66), kBlue);
    EXPECT_TRUE(sheet.enabled(Button::Command2));
    EXPECT_FALSE(sheet.visible(Button::Command1));
    EXPECT_TRUE(sheet.eraChecked(3));
}

TEST(DrillSheetTest, PercentageCellChangeRunsInsideTheWrite) {
    DrillSheet sheet;
    std::vector<std::string> order;
    sheet.addListener([&](const Member& m) {
        if (m.kind == Member::Kind::Caption) {
            order.push_back("caption " + std::to_string(m.index));
        }
    });
    for (const Cell cell : kPercentageCells) {
        sheet.setChangeHandler(cell, [&, cell] {
            order.push_back("change " + std::to_string(static_cast<int>(cell)) + " sees " +
                            sheet.caption(cell));
        });
    }
    sheet.setCaption(Cell::Label56, "75");
    sheet.setCaption(Cell::Label48, "30"); // a score cell has no change handler
    sheet.setCaption(Cell::Label66, "33");
    order.push_back("after");
    EXPECT_EQ(order, (std::vector<std::string>{"caption 56", "change 56 sees 75", "caption 48",
                                               "caption 66", "change 66 sees 33", "after"}));

    sheet.setChangeHandler(Cell::Label56, {});
    sheet.setCaption(Cell::Label56, "80");
    EXPECT_EQ(order.back(), "caption 56");
}

TEST(DrillSheetTest, OutOfRangeMembersAreRefused) {
    DrillSheet sheet;
    EXPECT_THROW((void)sheet.answer(0), std::out_of_range);
    EXPECT_THROW(sheet.setAnswer(41, "x"), std::out_of_range);
    EXPECT_THROW((void)sheet.questionCaption(41), std::out_of_range);
    EXPECT_THROW(sheet.setEraChecked(5, true), std::out_of_range);
    EXPECT_THROW((void)sheet.foreground(Cell::Label47), std::out_of_range);
    EXPECT_THROW(sheet.setChangeHandler(Cell::Label64, [] {}), std::out_of_range);
    EXPECT_EQ(cellOfLabel(54), Cell::Label54);
    EXPECT_FALSE(cellOfLabel(50)); // a fixed unit label, not a cell
    EXPECT_FALSE(cellOfLabel(1));
}

} // namespace
} // namespace vantoriku
