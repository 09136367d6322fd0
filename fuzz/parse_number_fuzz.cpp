// ParseNumber on arbitrary bytes: no crash or undefined behaviour, a finite
// result, and nothing after the number changes it.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "toolkit/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text input(reinterpret_cast<const char*>(data), size);
    const Text number = input.substr(0, size / 2);
    const long double value = ParseNumber(number);
    if (!std::isfinite(value)) std::abort();

    // A byte of 1 can continue no number, so whatever follows it is ignored.
    const Text followed = Concat(Concat(number, CharText(1)), input.substr(size / 2));
    const long double again = ParseNumber(followed);
    if (!(again == value || (std::isnan(again) && std::isnan(value)))) std::abort();
    if (std::signbit(again) != std::signbit(value)) std::abort();
    return 0;
}
