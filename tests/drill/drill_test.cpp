#include "drill/drill_fixture.h"

using namespace vantoriku;
using vantoriku::testing::DrillTest;

// Choosing an era writes its events, empties the answers, shows or hides the
// last ten rows, moves the mark and enables scoring; clearing empties the
// answers, and only the button enables scoring. Nothing else is written.
TEST_F(DrillTest, ChoosingAnEraAndClearingWriteOnlyWhatTheyShould) {
    const std::string chosen = "0:1-40 3:41 2:31-40 1:1-40 7:1-4 5:1";
    const std::tuple<void (Drill::*)(), int, std::string> steps[] = {
        {&Drill::jidai4_Click, 4, chosen},         {&Drill::muncliaitem_Click, 4, "1:1-40"},
        {&Drill::jidai1_Click, 1, chosen},         {&Drill::jidai3_Click, 3, chosen},
        {&Drill::Command3_Click, 3, "1:1-40 5:1"}, {&Drill::jidai2_Click, 2, chosen}};
    for (const auto& [handler, era, written] : steps) {
        sheet.setAnswer(40, "x");
        drill.Command1_Click(); // disables scoring
        writes();
        (drill.*handler)();
        EXPECT_EQ(writes(), written);
        for (int row = 1; row <= 40; ++row) {
            const auto question = QuestionBank::question(era, row);
            EXPECT_EQ(sheet.questionCaption(row), question ? question->event : "") << row;
            EXPECT_TRUE(sheet.answerVisible(row) == question.has_value() && sheet.answer(row).empty());
        }
        EXPECT_TRUE(sheet.eraChecked(era) && !sheet.eraChecked(era % 4 + 1));
        EXPECT_EQ(sheet.enabled(Button::Command1), written != "1:1-40");
    }
}

// Each scored row becomes 正解 or its year; the count and its share of the
// era's rows go to the era's cells; only the exact year text is right.
TEST_F(DrillTest, ScoringMarksEachRowAndPostsScoreAndPercentage) {
    const std::tuple<int, int, std::string, std::string> cases[] = {{1, 1, "1/2", "3:47 3:55 4:55"},
                                                                    {2, 40, "40/100", "3:48 3:56 4:56"},
                                                                    {3, 39, "39/97", "3:49 3:57 4:57"},
                                                                    {4, 20, "20/66", "3:54 3:58 4:58 5:2"}};
    for (const auto& [era, right, posted, cells] : cases) {
        drill.selectEra(era);
        answer(era, right, "1000");
        writes();
        drill.Command1_Click();
        const Era& e = QuestionBank::era(era);
        EXPECT_EQ(writes(), "1:1-" + std::to_string(e.rowCount) + " " + cells + " 5:1");
        EXPECT_EQ(sheet.caption(Cell(e.scoreLabel)) + "/" + sheet.caption(Cell(e.percentageLabel)), posted);
        for (const Question& q : QuestionBank::questionsOf(era)) {
            EXPECT_EQ(sheet.answer(q.row), q.row <= right ? "正解" : q.year) << era << "/" << q.row;
        }
    }
    for (const std::string typed : {"538", "0538", " 538", "538 ", "５３８", "538年", "正解", "538\n"}) {
        drill.selectEra(1);
        sheet.setAnswer(1, typed);
        drill.Command1_Click();
        EXPECT_EQ(sheet.answer(1) + sheet.caption(Cell::Label47), typed == "538" ? "正解1" : "5380");
    }
    std::string shown; // no era chosen: a message, then nothing but the flags
    box.onShow = [&](const std::string& text) { shown += text + writes(); };
    sheet.setQuestionCaption(1, "");
    writes();
    drill.Command1_Click();
    EXPECT_EQ(shown + "|" + writes(), "時代を選択してください|5:2 5:1");
}

TEST_F(DrillTest, PercentagesAreGradedInsideTheWriteAndTheTotalRatedInFourLevels) {
    const std::pair<std::string, Colour> grades[] = {{"29", kRed}, {"30", kBlack},  {"78.5", kBlack}, {"79", kBlue},
                                                     {"", kRed},   {"85点", kBlue}, {"７９", kRed}};
    for (const Cell cell : kPercentageCells) {
        for (const auto& [caption, colour] : grades) {
            sheet.setCaption(cell, caption);
            EXPECT_EQ(sheet.foreground(cell), colour) << static_cast<int>(cell) << " " << caption;
        }
    }
    const std::tuple<std::array<int, 4>, std::string, std::string> totals[] = {
        {{20, 20, 4, 0}, "44/29", "初級です。残念でした"},   {{20, 20, 5, 0}, "45/30", "中級です。なかなか!!"},
        {{40, 40, 39, 0}, "119/79", "中級です。なかなか!!"}, {{40, 40, 40, 0}, "120/80", "上級です。すごい!!"},
        {{40, 40, 40, 29}, "149/99", "上級です。すごい!!"},  {{40, 40, 40, 30}, "150/100", "完璧です。すばらしい!!"}};
    std::string shown;
    box.onShow = [&](const std::string& text) { shown = text + sheet.caption(Cell::Label69); };
    for (const auto& [scores, posted, level] : totals) {
        for (std::size_t era = 0; era < 4; ++era) {
            sheet.setCaption(kScoreCells[era], std::to_string(scores[era]));
        }
        sheet.setCaption(Cell::Label69, "前");
        sheet.setEnabled(Button::Command2, true);
        for (const bool evaluate : {false, true}) { // a click on the total, then the evaluation
            writes();
            evaluate ? drill.Command2_Click() : drill.Label64_Click();
            EXPECT_EQ(writes(), evaluate ? "3:64 3:66 4:66 3:69 5:2" : "3:64 3:66 4:66");
            EXPECT_EQ(sheet.caption(Cell::Label64) + "/" + sheet.caption(Cell::Label66), posted);
        }
        EXPECT_EQ(shown + sheet.caption(Cell::Label69), "あなたのレベルは" + level + "前" + level.substr(0, 6));
        EXPECT_FALSE(sheet.enabled(Button::Command2));
    }
    DrillSheet other; // a drill that is gone grades no more
    std::make_unique<Drill>(other, box).reset();
    other.setCaption(Cell::Label55, "0");
    EXPECT_FALSE(other.foreground(Cell::Label55));
}
