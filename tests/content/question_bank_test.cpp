#include "content/question_bank.h"

#include <charconv>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>

namespace vantoriku {
namespace {

int yearValue(std::string_view year) {
    int value = 0;
    std::from_chars(year.data(), year.data() + year.size(), value);
    return value;
}

TEST(QuestionBankTest, EveryEraHasRowsOneToItsCountInRisingYears) {
    int total = 0;
    for (const Era& era : QuestionBank::eras()) {
        SCOPED_TRACE(era.number);
        const auto rows = QuestionBank::questionsOf(era.number);
        ASSERT_EQ(static_cast<int>(rows.size()), era.rowCount);
        ASSERT_LE(era.rowCount, kSheetRows);
        EXPECT_EQ(rows.front().event, era.firstEvent);
        int previousYear = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].era, era.number);
            EXPECT_EQ(rows[i].row, static_cast<int>(i) + 1);
            EXPECT_GT(yearValue(rows[i].year), previousYear) << rows[i].event;
            previousYear = yearValue(rows[i].year);
        }
        total += era.rowCount;
    }
    EXPECT_EQ(total, kQuestionCount);
    EXPECT_EQ(QuestionBank::questions().size(), static_cast<std::size_t>(kQuestionCount));
}

TEST(QuestionBankTest, NoEventTwiceAndYearsArePlainHalfWidthDigits) {
    std::set<std::string_view> events;
    for (const Question& q : QuestionBank::questions()) {
        EXPECT_TRUE(events.insert(q.event).second) << "twice: " << q.event;
        ASSERT_GE(q.year.size(), 3u);
        ASSERT_LE(q.year.size(), 4u);
        EXPECT_NE(q.year.front(), '0');
        EXPECT_EQ(q.year.find_first_not_of("0123456789"), std::string_view::npos) << q.year;
        // Only the first 23 rows of the first era lie before the year 1000.
        const bool threeDigits = q.era == 1 && q.row <= 23;
        EXPECT_EQ(q.year.size(), threeDigits ? 3u : 4u) << q.event;
    }
}

// Characters that look alike but are not, spelled out as code points.
TEST(QuestionBankTest, EasilyConfusedCharactersAreExact) {
    struct Case {
        int era, row;
        const char* event;
    };
    const Case cases[] = {
        {3, 32, "\u4E8C\u30FB\u30CB\u516D\u4E8B\u4EF6"}, // 二・ニ六事件: kanji two, katakana ni
        {2, 18, "\u95A2\u30F6\u539F\u306E\u6226\u3044"}, // 関ヶ原の戦い, small ke
        {3, 23, "\u5BFE\u83EF\uFF12\uFF11\u30F6\u6761\u306E\u8981\u6C42"}, // full-width 21
        {3, 13, "\u7B2C\uFF11\u56DE\u5E1D\u56FD\u8B70\u4F1A"},
        {3, 35, "\u7B2C\uFF12\u6B21\u4E16\u754C\u5927\u6226\u958B\u59CB"},
        {4, 4, "\u7B2C\uFF11\u56DE\u539F\u6C34\u7206\u7981\u6B62\u4E16\u754C\u5927\u4F1A"},
        {2, 20, "\u5927\u962A\u590F\u306E\u9663,\u6B66\u5BB6\u8AF8\u6CD5\u5EA6"}, // ASCII comma
        {3, 4, "\u5FB4\u5175\u4EE4,\u5730\u79DF\u6539\u6B63"},
        {3, 28, "\u666E\u901A\u9078\u6319\u6CD5,\u6CBB\u5B89\u7DAD\u6301\u6CD5"},
        {4, 17, "\u30A4\u30E9\u30F3\u30FB\u30A4\u30E9\u30AF\u6226\u4E89"},
        {4, 30,
         "\u30A4\u30F3\u30C9\u30FB\u30D1\u30AD\u30B9\u30BF\u30F3\u304C\u6838\u5B9F\u9A13\u5B9F"
         "\u65BD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuestionBank::question(c.era, c.row)->event, c.event) << c.era << "/" << c.row;
    }
}

TEST(QuestionBankTest, EraByFirstEventTakesTheWholeTextExactly) {
    struct Case {
        std::string text;
        int era; // 0: none
    };
    const Case cases[] = {
        {"仏教伝来", 1},
        {"足利尊氏が室町幕府を開く", 2},
        {"五箇条の御誓文", 3},
        {"朝鮮戦争開始", 4},
        {"仏教伝来 ", 0},
        {" 仏教伝来", 0},
        {"仏教伝来\u3000", 0},
        {"仏教", 0},
        {"", 0},
        {"聖徳太子が推古天皇の摂政となる", 0}, // an event, but not a first one
        {std::string("仏教伝来\0", 13), 0},
    };
    for (const Case& c : cases) {
        const auto era = QuestionBank::eraByFirstEvent(c.text);
        EXPECT_EQ(era ? era->number : 0, c.era) << c.text;
    }
}

TEST(QuestionBankTest, RowsPastAnEraOrOutOfRangeHaveNoQuestion) {
    for (int row = 31; row <= 40; ++row) {
        EXPECT_FALSE(QuestionBank::question(4, row)) << row;
        for (int era = 1; era <= 3; ++era) {
            EXPECT_TRUE(QuestionBank::question(era, row)) << era << "/" << row;
        }
    }
    EXPECT_FALSE(QuestionBank::question(1, 0));
    EXPECT_FALSE(QuestionBank::question(1, 41));
    EXPECT_FALSE(QuestionBank::question(0, 1));
    EXPECT_FALSE(QuestionBank::question(5, 1));
    EXPECT_THROW(QuestionBank::era(0), std::out_of_range);
    EXPECT_THROW(QuestionBank::era(5), std::out_of_range);
}

} // namespace
} // namespace vantoriku
