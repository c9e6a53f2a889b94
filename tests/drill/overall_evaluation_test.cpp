#include "drill/drill_fixture.h"

namespace vantoriku::testing {
namespace {

class OverallEvaluationTest : public DrillTest {
  protected:
    // Posts four era scores as scoring would and enables the evaluation.
    void postScores(int e1, int e2, int e3, int e4) {
        const int scores[] = {e1, e2, e3, e4};
        for (std::size_t i = 0; i < kScoreCells.size(); ++i) {
            sheet.setCaption(kScoreCells[i], std::to_string(scores[i]));
        }
        sheet.setEnabled(Button::Command2, true);
    }
};

TEST_F(OverallEvaluationTest, WorkedValuesAndLevels) {
    struct Case {
        int e1, e2, e3, e4;
        const char *total, *percentage;
        Colour colour;
        const char *level, *message;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "0", "0", kRed, "初級", "あなたのレベルは初級です。残念でした"},
        {20, 20, 4, 0, "44", "29", kRed, "初級", "あなたのレベルは初級です。残念でした"},
        {20, 20, 5, 0, "45", "30", kBlack, "中級", "あなたのレベルは中級です。なかなか!!"},
        {30, 20, 0, 0, "50", "33", kBlack, "中級", "あなたのレベルは中級です。なかなか!!"},
        {40, 40, 38, 0, "118", "78", kBlack, "中級", "あなたのレベルは中級です。なかなか!!"},
        {40, 40, 39, 0, "119", "79", kBlue, "中級", "あなたのレベルは中級です。なかなか!!"},
        {40, 40, 40, 0, "120", "80", kBlue, "上級", "あなたのレベルは上級です。すごい!!"},
        {40, 40, 40, 29, "149", "99", kBlue, "上級", "あなたのレベルは上級です。すごい!!"},
        {40, 40, 40, 30, "150", "100", kBlue, "完璧", "あなたのレベルは完璧です。すばらしい!!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        postScores(c.e1, c.e2, c.e3, c.e4);
        box.shown.clear();
        drill.Command2_Click();
        EXPECT_EQ(sheet.caption(Cell::Label64), c.total);
        EXPECT_EQ(sheet.caption(Cell::Label66), c.percentage);
        EXPECT_EQ(sheet.foreground(Cell::Label66), c.colour);
        EXPECT_EQ(box.shown, std::vector<std::string>{c.message});
        EXPECT_EQ(sheet.caption(Cell::Label69), c.level);
        EXPECT_FALSE(sheet.enabled(Button::Command2));
    }
}

TEST_F(OverallEvaluationTest, LevelIsPostedOnlyAfterTheBoxIsClosed) {
    postScores(40, 40, 40, 30);
    sheet.setCaption(Cell::Label69, "前");
    box.onShow = [&] {
        EXPECT_EQ(sheet.caption(Cell::Label66), "100");
        EXPECT_EQ(sheet.caption(Cell::Label69), "前");
        EXPECT_TRUE(sheet.enabled(Button::Command2));
    };
    drill.Command2_Click();
    EXPECT_EQ(sheet.caption(Cell::Label69), "完璧");
}

TEST_F(OverallEvaluationTest, LevelThresholdsAreSeparateTests) {
    struct Case {
        double percentage;
        int level;
    };
    const Case cases[] = {{0, 1},  {29.9, 1}, {30, 2},  {79, 2},    {79.9, 2},
                          {80, 3}, {99, 3},   {100, 4}, {100.5, 3}, {-1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(levelFor(c.percentage).number, c.level) << c.percentage;
    }
}

TEST_F(OverallEvaluationTest, TotalCellClickRecomputesOnly) {
    struct Case {
        std::vector<std::pair<Cell, std::string>> scores;
        const char *total, *percentage;
        Colour colour;
    };
    const Case cases[] = {
        {{}, "0", "0", kRed},
        {{{Cell::Label47, "30"}, {Cell::Label48, "20"}}, "50", "33", kBlack},
        {{{Cell::Label47, "30"}, {Cell::Label48, "20"}}, "50", "33", kBlack}, // again, same
        {{{Cell::Label54, "30"}, {Cell::Label49, "40"}}, "120", "80", kBlue},
    };
    sheet.setCaption(Cell::Label69, "中級");
    for (const Case& c : cases) {
        for (const auto& [cell, text] : c.scores) {
            sheet.setCaption(cell, text);
        }
        drill.Label64_Click();
        EXPECT_EQ(sheet.caption(Cell::Label64), c.total);
        EXPECT_EQ(sheet.caption(Cell::Label66), c.percentage);
        EXPECT_EQ(sheet.foreground(Cell::Label66), c.colour);
        EXPECT_EQ(sheet.caption(Cell::Label69), "中級");
        EXPECT_FALSE(sheet.enabled(Button::Command2));
        EXPECT_TRUE(box.shown.empty());
    }
}

} // namespace
} // namespace vantoriku::testing
