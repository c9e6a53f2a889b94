#include "drill/drill_fixture.h"

namespace vantoriku::testing {
namespace {

using EraSelectionTest = DrillTest;

void expectEraOnSheet(const DrillSheet& sheet, int era) {
    const int rows = QuestionBank::era(era).rowCount;
    for (int row = 1; row <= 40; ++row) {
        const auto q = QuestionBank::question(era, row);
        EXPECT_EQ(sheet.questionCaption(row), q ? q->event : "") << row;
        EXPECT_EQ(sheet.answer(row), "") << row;
        EXPECT_EQ(sheet.answerVisible(row), row <= rows) << row;
    }
    for (int e = 1; e <= 4; ++e) {
        EXPECT_EQ(sheet.eraChecked(e), e == era);
    }
    EXPECT_EQ(sheet.caption(Cell::Label41), "");
    EXPECT_TRUE(sheet.enabled(Button::Command1));
}

TEST_F(EraSelectionTest, EverySequenceOfTwoEras) {
    for (int first = 1; first <= 4; ++first) {
        for (int second = 1; second <= 4; ++second) {
            SCOPED_TRACE(std::to_string(first) + " then " + std::to_string(second));
            drill.selectEra(first);
            answerEra(first, 5, "1");
            drill.Command1_Click();
            drill.selectEra(second);
            expectEraOnSheet(sheet, second);
        }
    }
}

TEST_F(EraSelectionTest, NamedHandlersSelectTheirOwnEra) {
    const std::pair<void (Drill::*)(), int> handlers[] = {{&Drill::jidai1_Click, 1},
                                                          {&Drill::jidai2_Click, 2},
                                                          {&Drill::jidai3_Click, 3},
                                                          {&Drill::jidai4_Click, 4}};
    for (const auto& [handler, era] : handlers) {
        (drill.*handler)();
        expectEraOnSheet(sheet, era);
    }
}

TEST_F(EraSelectionTest, KeepsScoresTotalsAndEvaluationButton) {
    for (int era = 1; era <= 4; ++era) {
        scoreEra(era, era * 5);
    }
    drill.Command2_Click();
    scoreEra(1, 40); // enables the evaluation again
    std::vector<std::pair<std::string, std::optional<Colour>>> before;
    for (const Cell cell : kCells) {
        before.emplace_back(sheet.caption(cell),
                            isPercentageCell(cell) ? sheet.foreground(cell) : std::nullopt);
    }
    drill.selectEra(4);
    for (std::size_t i = 1; i < kCells.size(); ++i) { // all but the prompt
        EXPECT_EQ(sheet.caption(kCells[i]), before[i].first) << i;
        if (isPercentageCell(kCells[i])) {
            EXPECT_EQ(sheet.foreground(kCells[i]), before[i].second) << i;
        }
    }
    EXPECT_TRUE(sheet.enabled(Button::Command2));
}

TEST_F(EraSelectionTest, HiddenRowsAreEmptiedToo) {
    drill.selectEra(1);
    answerEra(1, 40);
    drill.selectEra(4);
    for (int row = 31; row <= 40; ++row) {
        EXPECT_EQ(sheet.answer(row), "");
    }
}

} // namespace
} // namespace vantoriku::testing
