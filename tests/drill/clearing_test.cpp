#include "drill/drill_fixture.h"

#include <regex>

namespace vantoriku::testing {
namespace {

using ClearingTest = DrillTest;

// How each command leaves the score button, from the state each step leaves.
TEST_F(ClearingTest, ScoreButtonPacing) {
    struct Step {
        const char* name;
        void (Drill::*handler)();
        bool command1After;
    };
    const Step steps[] = {
        {"score with no era", &Drill::Command1_Click, false},
        {"menu clear", &Drill::muncliaitem_Click, false},
        {"button clear", &Drill::Command3_Click, true},
        {"button clear again", &Drill::Command3_Click, true},
        {"menu clear while enabled", &Drill::muncliaitem_Click, true},
        {"choose era 2", &Drill::jidai2_Click, true},
        {"score", &Drill::Command1_Click, false},
        {"menu clear after scoring", &Drill::muncliaitem_Click, false},
        {"choose era 4", &Drill::jidai4_Click, true},
        {"score", &Drill::Command1_Click, false},
        {"button clear after scoring", &Drill::Command3_Click, true},
        {"score again", &Drill::Command1_Click, false},
    };
    EXPECT_TRUE(sheet.enabled(Button::Command1));
    for (const Step& step : steps) {
        (drill.*step.handler)();
        EXPECT_EQ(sheet.enabled(Button::Command1), step.command1After) << step.name;
    }
}

TEST_F(ClearingTest, EmptiesEveryAnswerAndNothingElse) {
    for (auto handler : {&Drill::Command3_Click, &Drill::muncliaitem_Click}) {
        scoreEra(1, 12);
        scoreEra(4, 30); // hides rows 31 to 40
        drill.Label64_Click();
        for (int row = 1; row <= 40; ++row) {
            sheet.setAnswer(row, "x" + std::to_string(row)); // hidden rows too
        }
        // Expected: the same sheet with every answer emptied.
        std::string expected = std::regex_replace(dump(sheet), std::regex("=x[0-9]+"), "=");
        (drill.*handler)();
        if (handler == &Drill::Command3_Click) {
            expected.replace(expected.find("Command1 disabled"), 17, "Command1 enabled");
        }
        EXPECT_EQ(dump(sheet), expected);
        EXPECT_EQ(sheet.questionCaption(1), "朝鮮戦争開始");
        EXPECT_FALSE(sheet.answerVisible(31));
    }
}

} // namespace
} // namespace vantoriku::testing
