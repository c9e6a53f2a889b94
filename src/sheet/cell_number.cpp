#include "sheet/cell_number.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace vantoriku {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t integerDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++integerDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
        }
    }
    double value = 0.0; // and so it stays where no digit stands, as in "" or "."
    const auto result =
        std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: huge if the integer part is not zero, else tiny.
        const bool huge =
            text.substr(start, integerDigits).find_first_not_of('0') != std::string_view::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::string wholeNumberText(std::int64_t value) {
    return std::to_string(value);
}

std::string doubleText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0.0) {
        return "0"; // also for -0
    }
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        return wholeNumberText(static_cast<std::int64_t>(value));
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::int32_t roundHalfEvenToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless somebody changed it; do it by hand so that cannot matter.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    return static_cast<std::int32_t>(rounded);
}

std::int32_t divideTruncating(std::int32_t dividend, std::int32_t divisor) {
    if (divisor == 0) {
        throw std::invalid_argument("division by zero");
    }
    if (divisor == -1) {
        // Avoid the one overflowing case, INT32_MIN / -1.
        return dividend == std::numeric_limits<std::int32_t>::min()
                   ? std::numeric_limits<std::int32_t>::max()
                   : -dividend;
    }
    return dividend / divisor; // C++ division truncates toward zero
}

std::int32_t percentageOf(double points, std::int32_t divisor) {
    return divideTruncating(roundHalfEvenToInt32(points * 100.0), divisor);
}

} // namespace vantoriku
