#include "drill/drill_fixture.h"

#include <random>

using namespace vantoriku;

// Random sessions of the commands and of typing, checked after each step
// against the rules of the sheet as written here, not as the program reckons.
TEST(RandomDrillTest, SessionsKeepTheRulesOfTheSheet) {
    for (std::uint32_t seed = 1; seed <= 2000 && !HasFailure(); ++seed) {
        std::mt19937 random(seed);
        DrillSheet sheet;
        vantoriku::testing::TestBox box;
        Drill drill(sheet, box);
        bool scoring = true;
        int era = 0;
        for (int step = 0; step < 60 && !HasFailure(); ++step) {
            const int action = std::uniform_int_distribution(0, 9)(random);
            const auto q = QuestionBank::question(std::max(era, 1), (step * 7 + action) % 40 + 1);
            if (action == 0) {
                drill.selectEra(era = step % 4 + 1);
            } else if (action == 1 && scoring) {
                drill.Command1_Click();
            } else if (action == 1) { // the evaluation, or the total alone while it is disabled
                sheet.enabled(Button::Command2) ? drill.Command2_Click() : drill.Label64_Click();
            } else if (action == 2 || action == 3) {
                action == 2 ? drill.Command3_Click() : drill.muncliaitem_Click();
            } else if (q && sheet.answerVisible(q->row)) { // typing, right or not
                sheet.setAnswer(q->row, action % 2 == 0 ? std::string(q->year) : std::to_string(step % 5) + "正解");
            }
            scoring = action == 0 || action == 2 || (scoring && action != 1);
            SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step));
            EXPECT_EQ(sheet.enabled(Button::Command1), scoring);
            EXPECT_TRUE(sheet.questionCaption(1) == (era == 0 ? "" : QuestionBank::era(era).firstEvent) &&
                        sheet.eraChecked(1) == (era == 1) && sheet.answerVisible(40) == (era != 4));
            for (const Cell cell : kPercentageCells) { // coloured by the value it holds
                const int value = sheet.caption(cell).empty() ? -1 : std::stoi(sheet.caption(cell));
                const auto grade = value < 30 ? kRed : value < 79 ? kBlack : kBlue;
                EXPECT_EQ(sheet.foreground(cell), value < 0 ? std::nullopt : std::optional(grade));
            }
        }
    }
}
