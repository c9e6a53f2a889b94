#include "content/question_bank.h"

#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace vantoriku;

// The whole bank as readable lines, against question_bank.txt, which was
// checked character by character: a changed text or year fails as that line.
TEST(QuestionBankTest, HoldsEveryEraAndQuestionExactly) {
    std::vector<std::string> bank;
    for (const Era& e : QuestionBank::eras()) {
        bank.push_back("era " + std::to_string(e.number) + "\t" + std::string(e.menuItem) + "\t" +
                       std::string(e.menuCaption) + "\tfirst event " + std::string(e.firstEvent) + "\t" +
                       std::to_string(e.rowCount) + " rows");
    }
    for (const Question& q : QuestionBank::questions()) {
        bank.push_back(std::to_string(q.era) + "\t" + std::to_string(q.row) + "\t" + std::string(q.event) + "\t" +
                       std::string(q.year));
    }
    std::ifstream file(VANTORIKU_QUESTION_TABLE);
    std::vector<std::string> table;
    for (std::string line; std::getline(file, line);) {
        table.push_back(line);
    }
    ASSERT_EQ(bank.size(), table.size()) << "lines in the bank and in " << VANTORIKU_QUESTION_TABLE;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(bank[i], table[i]) << "line " << i + 1 << " of " << VANTORIKU_QUESTION_TABLE;
    }
}

TEST(QuestionBankTest, FindsAnEraOnlyByItsWholeFirstEvent) {
    for (const Era& era : QuestionBank::eras()) {
        EXPECT_EQ(QuestionBank::eraByFirstEvent(std::string(era.firstEvent))->number, era.number);
    }
    const std::pair<const char*, const char*> others[] = {{"仏教伝来 ", "a trailing blank"},
                                                          {"仏教", "a first event's start"},
                                                          {"", "empty"},
                                                          {"聖徳太子が推古天皇の摂政となる", "row 2"}};
    for (const auto& [text, what] : others) {
        EXPECT_FALSE(QuestionBank::eraByFirstEvent(text)) << what;
    }
}

TEST(QuestionBankTest, HasAQuestionOnlyForTheRowsOfAnEra) {
    struct Row {
        int era, row;
        const char* year; // empty: no question there
    };
    const Row rows[] = {{1, 1, "538"}, {1, 23, "939"}, {1, 24, "1016"}, {1, 40, "1334"}, {4, 30, "1998"},
                        {4, 31, ""},   {1, 41, ""},    {1, 0, ""},      {0, 1, ""},      {5, 1, ""}};
    for (const Row& r : rows) {
        EXPECT_EQ(QuestionBank::question(r.era, r.row).value_or(Question{}).year, r.year)
            << "era " << r.era << ", row " << r.row;
    }
    EXPECT_THROW(QuestionBank::era(0), std::out_of_range);
    EXPECT_THROW(QuestionBank::era(5), std::out_of_range);
}
