#include "drill/drill_fixture.h"

using namespace vantoriku;
using vantoriku::testing::DrillTest;

// Whatever came before, choosing an era writes its events, empties the prompt
// and every answer, shows the rows it has, moves the mark and enables
// scoring, and nothing else; only the button's clear also enables scoring.
TEST_F(DrillTest, ChoosingAnEraPutsItsEventsOnAFreshSheetAndClearingEmptiesIt) {
    for (const int era : {4, 1, 3, 3, 2}) { // era 1 after era 4 shows the last ten rows again
        SCOPED_TRACE("era " + std::to_string(era));
        sheet.setAnswer(40, "1000");
        drill.score(); // scores whatever is on the sheet, then disables scoring
        writes();
        drill.selectEra(era);
        EXPECT_EQ(writes(), "question 1 to 40, caption prompt, shown answer 31 to 40, answer 1 to 40, checked era 1 "
                            "to 4, enabled score button");
        for (int row = 1; row <= kSheetRows; ++row) {
            const auto question = QuestionBank::question(era, row);
            EXPECT_EQ(sheet.questionCaption(row), question ? question->event : "") << "row " << row;
            EXPECT_EQ(sheet.answerVisible(row), question.has_value()) << "row " << row;
            EXPECT_EQ(sheet.answer(row), "") << "row " << row;
        }
        EXPECT_EQ(sheet.eraChecked(era % kEraCount + 1), false) << "the mark of the next era";
        EXPECT_TRUE(sheet.eraChecked(era));
    }
    drill.score();
    writes();
    drill.clearAnswers();
    EXPECT_EQ(writes(), "answer 1 to 40") << "the menu's clear";
    drill.clearForAnotherTry();
    EXPECT_EQ(writes(), "answer 1 to 40, enabled score button") << "the button's clear";
}

// Each scored row becomes 正解 or its year; the count and its share of the
// era's rows, remainder dropped, go to the era's cells, the percentage
// coloured inside its write; all four scored, the evaluation is enabled.
TEST_F(DrillTest, ScoringMarksEachAnswerAndPostsTheCountAndPercentage) {
    struct Case {
        int era, right;
        const char *score, *percentage, *cells;
    };
    const Case cases[] = {
        {1, 1, "1", "2", "caption era 1 score, caption era 1 percentage, colour era 1 percentage"},
        {2, 40, "40", "100", "caption era 2 score, caption era 2 percentage, colour era 2 percentage"},
        {3, 39, "39", "97", "caption era 3 score, caption era 3 percentage, colour era 3 percentage"},
        {4, 20, "20", "66",
         "caption era 4 score, caption era 4 percentage, colour era 4 percentage, enabled evaluate button"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("era " + std::to_string(c.era) + " with " + std::to_string(c.right) + " right");
        drill.selectEra(c.era);
        for (const Question& q : QuestionBank::questionsOf(c.era)) // the year in the first rows, a wrong one after
            sheet.setAnswer(q.row, q.row <= c.right ? std::string(q.year) : "1000");
        writes();
        drill.score();
        const std::string rows = std::to_string(QuestionBank::era(c.era).rowCount);
        EXPECT_EQ(writes(), "answer 1 to " + rows + ", " + c.cells + ", enabled score button");
        EXPECT_EQ(sheet.caption(eraCells(c.era).score), c.score);
        EXPECT_EQ(sheet.caption(eraCells(c.era).percentage), c.percentage);
        for (const Question& q : QuestionBank::questionsOf(c.era))
            EXPECT_EQ(sheet.answer(q.row), q.row <= c.right ? "正解" : q.year) << "row " << q.row;
    }
}

TEST_F(DrillTest, PercentagesAreColouredByTheirLeadingNumber) {
    const std::pair<const char*, Colour> grades[] = {{"29", kRed}, {"30", kBlack},  {"78.5", kBlack}, {"79", kBlue},
                                                     {"", kRed},   {"85点", kBlue}, {"７９", kRed},   {"100", kBlue}};
    for (const Cell cell : kPercentageCells) {
        for (const auto& [caption, colour] : grades) {
            sheet.setCaption(cell, caption);
            EXPECT_EQ(sheet.foreground(cell), colour)
                << vantoriku::testing::named(Member::ofCell(Member::Kind::Caption, cell)).first << " \"" << caption
                << '"';
        }
    }
    DrillSheet other; // a drill that is gone colours no more
    std::make_unique<Drill>(other, box).reset();
    other.setCaption(Cell::Era1Percentage, "0");
    EXPECT_FALSE(other.foreground(Cell::Era1Percentage)) << "coloured by a drill that is gone";
}

// The four scores add up to the total and its share of 150 questions; a
// click on the total posts those two alone, the evaluation rates them too.
TEST_F(DrillTest, TheEvaluationTotalsTheScoresAndRatesTheLevel) {
    struct Case {
        std::array<int, kEraCount> scores;
        const char *total, *percentage, *level, *comment;
    };
    const Case cases[] = {
        {{20, 20, 4, 0}, "44", "29", "初級", "残念でした"},   {{20, 20, 5, 0}, "45", "30", "中級", "なかなか!!"},
        {{40, 40, 39, 0}, "119", "79", "中級", "なかなか!!"}, {{40, 40, 40, 0}, "120", "80", "上級", "すごい!!"},
        {{40, 40, 40, 29}, "149", "99", "上級", "すごい!!"},  {{40, 40, 40, 30}, "150", "100", "完璧", "すばらしい!!"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("total ") + c.total);
        for (int era = 1; era <= kEraCount; ++era)
            sheet.setCaption(eraCells(era).score, std::to_string(c.scores[static_cast<std::size_t>(era - 1)]));
        sheet.setCaption(Cell::Level, "前");
        writes();
        drill.postTotal();
        EXPECT_EQ(writes(), "caption total, caption total percentage, colour total percentage")
            << "a click on the total";
        EXPECT_EQ(sheet.caption(Cell::Total), c.total);
        EXPECT_EQ(sheet.caption(Cell::TotalPercentage), c.percentage);
        std::string levelWhileShown;
        box.onShow = [&](const std::string& text) {
            EXPECT_EQ(text, std::string("あなたのレベルは") + c.level + "です。" + c.comment);
            levelWhileShown = sheet.caption(Cell::Level);
        };
        drill.evaluate();
        EXPECT_EQ(
            writes(),
            "caption total, caption total percentage, colour total percentage, caption level, enabled evaluate button");
        EXPECT_EQ(levelWhileShown, "前") << "the level shows only after OK";
        EXPECT_EQ(sheet.caption(Cell::Level), c.level);
        EXPECT_FALSE(sheet.enabled(Button::Evaluate));
    }
}
