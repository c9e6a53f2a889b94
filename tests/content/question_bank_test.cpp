#include "content/question_bank.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using namespace vantoriku;

// The whole bank as readable lines, against question_bank.txt, which was
// checked character by character: a changed text or year fails as that line.
TEST(QuestionBankTest, HoldsEveryEraAndQuestionExactly) {
    std::ostringstream bank;
    for (const Era& e : QuestionBank::eras()) {
        bank << "era " << e.number << '\t' << e.name << "\tfirst event " << e.firstEvent << '\t' << e.rowCount
             << " rows\n";
    }
    for (const Question& q : QuestionBank::questions())
        bank << q.era << '\t' << q.row << '\t' << q.event << '\t' << q.year << '\n';
    std::ifstream file(VANTORIKU_QUESTION_TABLE);
    std::istringstream fromBank(bank.str());
    std::string expected, actual;
    for (int line = 1; std::getline(file, expected); ++line) {
        EXPECT_EQ(std::getline(fromBank, actual) ? actual : "(no line)", expected)
            << "line " << line << " of question_bank.txt";
    }
    EXPECT_FALSE(std::getline(fromBank, actual)) << "the bank has more than question_bank.txt: " << actual;
}

TEST(QuestionBankTest, HasAQuestionOnlyForTheRowsOfAnEra) {
    // clang-format off
    const std::tuple<int, int, const char*> rows[] = {{1, 1, "538"}, {1, 23, "939"}, {1, 24, "1016"}, {1, 40, "1334"},
        {4, 30, "1998"}, {4, 31, ""}, {1, 41, ""}, {1, 0, ""}, {0, 1, ""}, {5, 1, ""}}; // era, row, year; "": none
    // clang-format on
    for (const auto& [era, row, year] : rows)
        EXPECT_EQ(QuestionBank::question(era, row).value_or(Question{}).year, year) << "era " << era << ", row " << row;
    EXPECT_THROW(QuestionBank::era(0), std::out_of_range);
    EXPECT_THROW(QuestionBank::era(5), std::out_of_range);
}
