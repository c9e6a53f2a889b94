#include "sheet/cell_number.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>
#include <string>

namespace vantoriku {
namespace {

TEST(CellNumberTest, LeadingNumber) {
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"", 0},         {"0", 0},      {"37", 37},   {"150", 150},       {"  42", 42},
        {"\t7", 7},      {"12abc", 12}, {"abc12", 0}, {"3.5", 3.5},       {".5", 0.5},
        {"5.", 5},       {"-4", -4},    {"+4", 4},    {"-", 0},           {".", 0},
        {"1.2.3", 1.2},  {"079", 79},   {"1e3", 1},   {"78.999", 78.999}, {"  ", 0},
        {"１２", 0},     // full-width digits are no number
        {"\u300012", 0}, // nor does a full-width blank count as blank
        {"100%", 100},   {"29 ", 29},   {"- 5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(CellNumberTest, LeadingNumberOfEndlessDigitsStaysFinite) {
    EXPECT_TRUE(std::isinf(leadingNumber(std::string(400, '9'))));
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(leadingNumber(std::string(400, '0')), 0.0);
}

TEST(CellNumberTest, WholeAndDoubleText) {
    EXPECT_EQ(wholeNumberText(0), "0");
    EXPECT_EQ(wholeNumberText(37), "37");
    EXPECT_EQ(wholeNumberText(150), "150");
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.0, "0"},   {-0.0, "0"},     {150.0, "150"}, {44.0, "44"},
                          {2.5, "2.5"}, {1e20, "1e+20"}, {-3.0, "-3"}};
    for (const Case& c : cases) {
        EXPECT_EQ(doubleText(c.value), c.text) << c.value;
    }
}

TEST(CellNumberTest, RoundHalfToEvenIntoInt32) {
    struct Case {
        double value;
        std::int32_t rounded;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {2.4, 2},
        {2.6, 3},
        {14900, 14900},
        {1e12, kMax},
        {-1e12, kMin},
        {std::numeric_limits<double>::infinity(), kMax},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(roundHalfEvenToInt32(c.value), c.rounded) << c.value;
    }
}

TEST(CellNumberTest, DivisionTruncatesTowardZero) {
    EXPECT_EQ(divideTruncating(14900, 150), 99);
    EXPECT_EQ(divideTruncating(-7, 2), -3);
    EXPECT_EQ(divideTruncating(std::numeric_limits<std::int32_t>::min(), -1),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_THROW(divideTruncating(1, 0), std::invalid_argument);
}

// Right answers to the percentage an era or the whole drill shows.
TEST(CellNumberTest, PercentageTable) {
    struct Case {
        int points, divisor, percentage;
    };
    const Case cases[] = {
        {0, 40, 0},     {1, 40, 2},     {3, 40, 7},     {10, 40, 25},   {20, 40, 50},
        {29, 40, 72},   {30, 40, 75},   {39, 40, 97},   {40, 40, 100},  {0, 30, 0},
        {1, 30, 3},     {3, 30, 10},    {10, 30, 33},   {20, 30, 66},   {29, 30, 96},
        {30, 30, 100},  {0, 150, 0},    {44, 150, 29},  {45, 150, 30},  {50, 150, 33},
        {118, 150, 78}, {119, 150, 79}, {120, 150, 80}, {149, 150, 99}, {150, 150, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(percentageOf(c.points, c.divisor), c.percentage) << c.points << "/" << c.divisor;
    }
}

} // namespace
} // namespace vantoriku
