#include "drill/drill_fixture.h"
#include "sheet/cell_number.h"

#include <algorithm>
#include <random>

namespace vantoriku::testing {
namespace {

// Random sessions of every command and of typing, checked after every step
// against what must always hold on the sheet.
class RandomDrill {
  public:
    explicit RandomDrill(std::uint32_t seed) : random_(seed) {}

    void run(int steps) {
        for (int step = 0; step < steps; ++step) {
            const std::string action = act();
            SCOPED_TRACE(action);
            check();
            if (::testing::Test::HasFailure()) {
                return;
            }
        }
    }

  private:
    int pick(int from, int to) { return std::uniform_int_distribution(from, to)(random_); }

    int currentEra() const {
        const auto era = QuestionBank::eraByFirstEvent(sheet_.questionCaption(1));
        return era ? era->number : 0;
    }

    std::string act() {
        switch (pick(0, 9)) {
        case 0: {
            const int era = pick(1, 4);
            drill_.selectEra(era);
            command1_ = true;
            return "choose era " + std::to_string(era);
        }
        case 1:
            if (!sheet_.enabled(Button::Command1) || !sheet_.visible(Button::Command1)) {
                return "score (disabled)";
            }
            drill_.Command1_Click();
            command1_ = false;
            if (std::ranges::none_of(kScoreCells,
                                     [&](Cell c) { return sheet_.caption(c).empty(); })) {
                command2_ = true;
            }
            return "score";
        case 2:
            if (!sheet_.enabled(Button::Command2)) {
                return "evaluate (disabled)";
            }
            drill_.Command2_Click();
            command2_ = false;
            return "evaluate";
        case 3:
            drill_.Command3_Click();
            command1_ = true;
            return "clear button";
        case 4:
            drill_.muncliaitem_Click();
            return "clear menu";
        case 5:
            drill_.Label64_Click();
            return "click total";
        default:
            return type();
        }
    }

    std::string type() {
        const int row = pick(1, 40);
        if (!sheet_.answerVisible(row)) {
            return "type into hidden row (not possible)";
        }
        const auto q = QuestionBank::question(currentEra() == 0 ? 1 : currentEra(), row);
        static const char* const odd[] = {"",      "正解",   "１２３４", " 1600",
                                          "1600 ", "\u3000", "0538",     "\xF0\x9F\x98\x80",
                                          "1e3",   "-5",     "年"};
        std::string text;
        switch (pick(0, 2)) {
        case 0:
            text = q ? std::string(q->year) : "1000";
            break;
        case 1:
            text = std::to_string(pick(0, 2100));
            break;
        default:
            text = odd[pick(0, static_cast<int>(std::size(odd)) - 1)];
            break;
        }
        sheet_.setAnswer(row, text);
        return "type '" + text + "' into row " + std::to_string(row);
    }

    void check() {
        EXPECT_EQ(sheet_.enabled(Button::Command1), command1_);
        EXPECT_EQ(sheet_.enabled(Button::Command2), command2_);
        if (sheet_.enabled(Button::Command2)) {
            for (const Cell cell : kScoreCells) {
                EXPECT_FALSE(sheet_.caption(cell).empty());
            }
        }

        int checked = 0;
        for (int era = 1; era <= 4; ++era) {
            checked += sheet_.eraChecked(era) ? 1 : 0;
            if (sheet_.eraChecked(era)) {
                EXPECT_EQ(currentEra(), era);
            }
        }
        EXPECT_EQ(checked, currentEra() == 0 ? 0 : 1);
        EXPECT_EQ(sheet_.questionCaption(1).empty(), currentEra() == 0);

        for (const Era& era : QuestionBank::eras()) {
            const std::string& score = sheet_.caption(static_cast<Cell>(era.scoreLabel));
            const std::string& percent = sheet_.caption(static_cast<Cell>(era.percentageLabel));
            EXPECT_EQ(score.empty(), percent.empty());
            if (!score.empty()) {
                EXPECT_EQ(score, wholeNumberText(static_cast<int>(leadingNumber(score))));
                EXPECT_LE(leadingNumber(score), era.rowCount);
                EXPECT_EQ(percent,
                          wholeNumberText(percentageOf(leadingNumber(score), era.rowCount)));
            }
        }
        for (const Cell cell : kPercentageCells) {
            const auto colour = sheet_.foreground(cell);
            if (colour) {
                EXPECT_EQ(*colour, gradeColour(leadingNumber(sheet_.caption(cell))));
            } else {
                EXPECT_EQ(sheet_.caption(cell), "");
            }
        }
        for (int row = 1; row <= 40; ++row) {
            if (!sheet_.answerVisible(row)) {
                EXPECT_EQ(sheet_.answer(row), "") << row;
                EXPECT_GT(row, 30);
            }
        }
        // The box asks for an era only when there is none.
        if (!box_.shown.empty()) {
            for (const std::string& text : box_.shown) {
                if (text == kChooseEraMessage) {
                    EXPECT_EQ(currentEra(), 0);
                } else {
                    EXPECT_TRUE(text.starts_with("あなたのレベルは")) << text;
                }
            }
            box_.shown.clear();
        }
    }

    std::mt19937 random_;
    DrillSheet sheet_;
    RecordingMessageBox box_;
    Drill drill_{sheet_, box_};
    bool command1_ = true;
    bool command2_ = false;
};

TEST(RandomDrillTest, InvariantsHoldThroughThousandsOfSessions) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomDrill(seed).run(60);
        if (HasFailure()) {
            return;
        }
    }
}

} // namespace
} // namespace vantoriku::testing
