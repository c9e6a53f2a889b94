#include "sheet/cell_number.h"
#include "sheet/drill_sheet.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using namespace vantoriku;

TEST(CellNumberTest, ReadsTheLeadingNumberOfACaption) {
    const std::string nines(400, '9'), tiny = "0." + std::string(400, '0') + "1";
    // clang-format off
    const std::pair<std::string, double> cases[] = {{"", 0}, {"37", 37}, {"  42", 42}, {"\t7", 7}, {"\r\n7", 7},
        {"12abc", 12}, {"abc12", 0}, {"3.5", 3.5}, {".5", .5}, {"5.", 5}, {"-4", -4}, {"+4", 4}, {"--5", 0}, {".", 0},
        {"1.2.3", 1.2}, {"079", 79}, {"1e3", 1}, {"１２", 0}, {"\u300012", 0}, {tiny, 0},
        {nines, std::numeric_limits<double>::infinity()}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(text), value)
            << "reading \"" << (text.size() > 20 ? "a long text" : text) << '"';
    }
    EXPECT_DOUBLE_EQ(leadingNumber(std::string_view("2024", 2)), 20) << "read past the end of \"20\"";
}

TEST(CellNumberTest, WritesNumbersAsPlainDigitsRoundsHalfToEvenAndDividesTowardZero) {
    // clang-format off
    const std::pair<double, const char*> written[] = {{0.0, "0"}, {-0.0, "0"}, {150, "150"}, {2.5, "2.5"},
        {1e20, "1e+20"}, {-3, "-3"}, {HUGE_VAL, "Infinity"}, {-HUGE_VAL, "-Infinity"}};
    // clang-format on
    for (const auto& [value, text] : written)
        EXPECT_EQ(doubleText(value), text) << value;
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::pair<double, std::int32_t> rounded[] = {{0.5, 0}, {1.5, 2},    {2.5, 2},          {-1.5, -2},
                                                       {2.6, 3}, {1e12, max}, {-1e12, -max - 1}, {std::nan(""), 0}};
    for (const auto& [value, whole] : rounded)
        EXPECT_EQ(roundHalfEvenToInt32(value), whole) << "rounding " << value;
    EXPECT_EQ(divideTruncating(-7, 2), -3);
    EXPECT_EQ(divideTruncating(-max - 1, -1), max) << "the one quotient that overflows";
    EXPECT_THROW(divideTruncating(1, 0), std::invalid_argument);
}

TEST(DrillSheetTest, RefusesMembersThatAreNotThere) {
    DrillSheet sheet;
    EXPECT_THROW(sheet.setAnswer(41, "x"), std::out_of_range);
    EXPECT_THROW((void)sheet.foreground(Cell::Era1Score), std::out_of_range) << "a score cell has no colour";
    EXPECT_THROW((void)Member::ofEra(1).row(), std::logic_error) << "an era's mark has no row";
}
