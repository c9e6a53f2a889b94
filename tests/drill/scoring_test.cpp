#include "drill/drill_fixture.h"

namespace vantoriku::testing {
namespace {

using ScoringTest = DrillTest;

TEST_F(ScoringTest, WithNoEraChosenAsksForOneThenOnlyDisablesScoring) {
    sheet.setAnswer(1, "538");
    const std::string before = dump(sheet);
    std::string whileOpen;
    box.onShow = [&] { whileOpen = dump(sheet); };
    drill.Command1_Click();
    EXPECT_EQ(box.shown, std::vector<std::string>{"時代を選択してください"});
    EXPECT_EQ(whileOpen, before); // nothing happens before OK
    std::string expected = before;
    expected.replace(expected.find("Command1 enabled"), 16, "Command1 disabled");
    EXPECT_EQ(dump(sheet), expected);
}

TEST_F(ScoringTest, ACaptionThatIsNoFirstEventScoresNothingSilently) {
    sheet.setQuestionCaption(1, "仏教伝来 ");
    sheet.setAnswer(1, "正解");
    drill.Command1_Click();
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(sheet.answer(1), "正解");
    EXPECT_EQ(sheet.caption(Cell::Label47), "");
    EXPECT_FALSE(sheet.enabled(Button::Command1));
}

// Only the exact year text is right; anything else becomes the year.
TEST_F(ScoringTest, AnswersAreComparedAsExactText) {
    struct Case {
        std::string answer;
        bool right;
    };
    const Case cases[] = {
        {"538", true},        {"", false},
        {"0538", false},      {" 538", false},
        {"538 ", false},      {"５３８", false},
        {"538年", false},     {"正解", false},
        {"539", false},       {"538.0", false},
        {"\u3000538", false}, {"53８", false},
        {"538\n", false},     {std::string("538\0", 4), false},
    };
    for (const Case& c : cases) {
        drill.selectEra(1);
        sheet.setAnswer(1, c.answer);
        drill.Command1_Click();
        EXPECT_EQ(sheet.answer(1), c.right ? "正解" : "538") << c.answer;
        EXPECT_EQ(sheet.caption(Cell::Label47), c.right ? "1" : "0") << c.answer;
    }
}

TEST_F(ScoringTest, MarksEveryRowOnceAndPostsScoreAndPercentage) {
    struct Case {
        int era, right;
        const char *score, *percentage;
        Cell scoreCell, percentageCell;
    };
    using enum Cell;
    const Case cases[] = {
        {1, 0, "0", "0", Label47, Label55},    {1, 1, "1", "2", Label47, Label55},
        {1, 39, "39", "97", Label47, Label55}, {2, 40, "40", "100", Label48, Label56},
        {3, 10, "10", "25", Label49, Label57}, {4, 30, "30", "100", Label54, Label58},
        {4, 20, "20", "66", Label54, Label58}, {4, 1, "1", "3", Label54, Label58},
        {4, 0, "0", "0", Label54, Label58},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.era) + ": " + std::to_string(c.right));
        const Era& era = QuestionBank::era(c.era);
        scoreEra(c.era, c.right);
        for (const Question& q : QuestionBank::questionsOf(c.era)) {
            EXPECT_EQ(sheet.answer(q.row), q.row <= c.right ? "正解" : q.year);
        }
        for (int row = era.rowCount + 1; row <= 40; ++row) {
            EXPECT_EQ(sheet.answer(row), "");
            EXPECT_FALSE(sheet.answerVisible(row));
        }
        EXPECT_EQ(sheet.caption(c.scoreCell), c.score);
        EXPECT_EQ(sheet.caption(c.percentageCell), c.percentage);
        EXPECT_FALSE(sheet.enabled(Button::Command1));
    }
}

TEST_F(ScoringTest, EmptyEraOneShowsEveryYear) {
    scoreEra(1, 0);
    EXPECT_EQ(sheet.answer(1), "538");
    EXPECT_EQ(sheet.answer(40), "1334");
}

TEST_F(ScoringTest, EvaluationIsEnabledOnceAllFourEraScoresHoldText) {
    for (const auto& order : {std::vector{1, 2, 3, 4}, std::vector{4, 3, 1, 2}}) {
        DrillSheet fresh;
        Drill freshDrill(fresh, box);
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_FALSE(fresh.enabled(Button::Command2));
            freshDrill.selectEra(order[i]);
            freshDrill.Command1_Click();
        }
        EXPECT_TRUE(fresh.enabled(Button::Command2));
        freshDrill.Command2_Click();
        EXPECT_FALSE(fresh.enabled(Button::Command2));
        // Scoring never disables it; any run after the evaluation enables it again.
        freshDrill.Command3_Click();
        freshDrill.Command1_Click();
        EXPECT_TRUE(fresh.enabled(Button::Command2));
    }
}

TEST_F(ScoringTest, RescoringReplacesOnlyThatEra) {
    scoreEra(1, 10);
    scoreEra(2, 20);
    drill.Command3_Click();
    answerEra(2, 39);
    drill.Command1_Click();
    EXPECT_EQ(sheet.caption(Cell::Label47), "10");
    EXPECT_EQ(sheet.caption(Cell::Label55), "25");
    EXPECT_EQ(sheet.caption(Cell::Label48), "39");
    EXPECT_EQ(sheet.caption(Cell::Label56), "97");
}

} // namespace
} // namespace vantoriku::testing
