#include "sheet/cell_number.h"

#include <cmath>

// Whatever a cell holds reads as a number, never NaN, that the percentage
// arithmetic takes without undefined behaviour.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const double value = vantoriku::leadingNumber({reinterpret_cast<const char*>(data), size});
    if (std::isnan(value)) {
        __builtin_trap();
    }
    return vantoriku::percentageOf(value, 150) * 0;
}
