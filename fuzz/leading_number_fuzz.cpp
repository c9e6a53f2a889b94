#include "sheet/cell_number.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = vantoriku::leadingNumber(text);
    if (std::isnan(value)) {
        __builtin_trap(); // no text reads as NaN
    }
    // Whatever a cell holds, the percentage arithmetic must stay defined.
    (void)vantoriku::percentageOf(value, 150);
    (void)vantoriku::doubleText(value);
    return 0;
}
