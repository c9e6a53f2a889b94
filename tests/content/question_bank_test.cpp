#include "content/question_bank.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace vantoriku;

TEST(QuestionBankTest, HoldsEveryTextAndYearExactly) {
    std::string table;
    for (const Era& e : QuestionBank::eras()) {
        table += std::to_string(e.number * 1000000 + e.rowCount * 10000 + e.scoreLabel * 100 + e.percentageLabel) +
                 std::string(e.menuItem) + "|" + std::string(e.menuCaption) + "|" + std::string(e.firstEvent) + "\n";
    }
    for (const Question& q : QuestionBank::questions()) {
        table += std::to_string(q.era * 100 + q.row) + "|" + std::string(q.event) + "|" + std::string(q.year) + "\n";
    }
    std::uint64_t digest = 14695981039346656037U; // FNV-1a
    for (const unsigned char c : table) {
        digest = (digest ^ c) * 1099511628211U;
    }
    // Taken from the table once it was checked character by character.
    EXPECT_EQ(digest, 0xAB861F5242429794U);
}

TEST(QuestionBankTest, FindsErasByTheWholeFirstEventAndQuestionsByEraAndRow) {
    for (const Era& era : QuestionBank::eras()) {
        EXPECT_EQ(QuestionBank::eraByFirstEvent(std::string(era.firstEvent))->number, era.number);
    }
    for (const char* text : {"仏教伝来 ", "仏教", "", "聖徳太子が推古天皇の摂政となる"}) {
        EXPECT_FALSE(QuestionBank::eraByFirstEvent(text)) << text;
    }
    // clang-format off
    const std::tuple<int, int, const char*> rows[] = {{1, 1, "538"}, {1, 40, "1334"}, {2, 1, "1338"},
        {3, 40, "1947"}, {4, 1, "1950"}, {4, 30, "1998"}, {4, 31, ""}, {1, 41, ""}, {1, 0, ""}, {0, 1, ""}, {5, 1, ""}};
    // clang-format on
    for (const auto& [era, row, year] : rows) {
        EXPECT_EQ(QuestionBank::question(era, row).value_or(Question{}).year, year) << era << "/" << row;
    }
    EXPECT_THROW(QuestionBank::era(0), std::out_of_range);
    EXPECT_THROW(QuestionBank::era(5), std::out_of_range);
}
