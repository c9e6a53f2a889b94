#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How numbers held as cell text are read and written. Every operation that
// reads or writes a number in a cell goes through these.
namespace vantoriku {

// Skips leading blanks, takes the longest prefix that forms a decimal number
// (optional sign, digits, optional fraction) and returns its value; a text
// without such a prefix reads as 0.
double leadingNumber(std::string_view text);

// A non-negative whole number as plain decimal digits: "0", "37", "150".
std::string wholeNumberText(std::int64_t value);

// A double as text: whole values as plain digits with no decimal point,
// others with up to 15 significant digits.
std::string doubleText(double value);

// Nearest whole number, ties to even, as a signed 32-bit integer. Values out
// of range saturate and NaN gives 0, so no input can overflow.
std::int32_t roundHalfEvenToInt32(double value);

// Integer division that drops the remainder, truncating toward zero.
// The divisor must not be 0.
std::int32_t divideTruncating(std::int32_t dividend, std::int32_t divisor);

// Points as a whole-number percentage of divisor: points times 100, rounded
// to a whole number, then divided with the remainder dropped.
std::int32_t percentageOf(double points, std::int32_t divisor);

} // namespace vantoriku
