#include "drill/drill_fixture.h"

#include <random>

using namespace vantoriku;

namespace {

enum class Action { ChooseEra, Score, Evaluate, ClearWithButton, ClearWithMenu, TypeYear, TypeOther };
constexpr const char* kActionNames[] = {"choose an era",
                                        "score",
                                        "evaluate or click the total",
                                        "clear with the button",
                                        "clear with the menu",
                                        "type a row's year",
                                        "type something else"};

} // namespace

// Random sessions of the commands and of typing, checked after each step
// against the rules of the sheet as written here, not as the program reckons.
TEST(RandomDrillTest, SessionsKeepTheRulesOfTheSheet) {
    for (std::uint32_t seed = 1; seed <= 2000 && !HasFailure(); ++seed) {
        std::mt19937 random(seed);
        DrillSheet sheet;
        vantoriku::testing::TestBox box;
        Drill drill(sheet, box);
        bool scoring = true; // what 採点 should be
        int era = 0;         // the era on the sheet, none at first
        for (int step = 0; step < 60 && !HasFailure(); ++step) {
            const auto action = static_cast<Action>(std::uniform_int_distribution(0, 6)(random));
            const auto row = QuestionBank::question(std::max(era, 1), step % kSheetRows + 1);
            switch (action) {
            case Action::ChooseEra:
                drill.selectEra(era = step % kEraCount + 1);
                scoring = true;
                break;
            case Action::Score:
                if (scoring) {
                    drill.Command1_Click();
                    scoring = false;
                }
                break;
            case Action::Evaluate:
                sheet.enabled(Button::Command2) ? drill.Command2_Click() : drill.Label64_Click();
                break;
            case Action::ClearWithButton:
                drill.Command3_Click();
                scoring = true;
                break;
            case Action::ClearWithMenu:
                drill.muncliaitem_Click();
                break;
            case Action::TypeYear:
            case Action::TypeOther:
                if (row && sheet.answerVisible(row->row)) {
                    sheet.setAnswer(row->row, action == Action::TypeYear ? std::string(row->year) : "正解 ");
                }
                break;
            }
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) + ": " +
                         kActionNames[static_cast<int>(action)]);
            EXPECT_EQ(sheet.enabled(Button::Command1), scoring) << "採点 enabled";
            EXPECT_EQ(sheet.questionCaption(1), era == 0 ? "" : QuestionBank::era(era).firstEvent) << "row 1";
            EXPECT_EQ(sheet.eraChecked(1), era == 1) << "mark of era 1";
            EXPECT_EQ(sheet.answerVisible(40), era != 4) << "Text40 shown";
            for (const Cell cell : kPercentageCells) { // coloured by the value it holds
                const std::string& caption = sheet.caption(cell);
                const int value = caption.empty() ? 0 : std::stoi(caption);
                const auto grade = value < 30 ? kRed : value < 79 ? kBlack : kBlue;
                EXPECT_EQ(sheet.foreground(cell), caption.empty() ? std::nullopt : std::optional(grade))
                    << "colour of Label" << static_cast<int>(cell) << " reading \"" << caption << '"';
            }
        }
    }
}
