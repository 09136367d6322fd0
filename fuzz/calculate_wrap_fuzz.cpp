// CalculateWrap on arbitrary texts and every bar type: the eight texts are
// always "none", empty where the bar has no regular wrap, or number text.
#include <cstdint>
#include <cstdlib>

#include "calc/wrap.h"

namespace {

// What FormatNumber then TrimBlanks can make of a finite number.
bool IsNumberText(const Text& text) {
    if (text.empty() || text.size() > 25) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!digit) return false;
    if (i == text.size()) return true;
    return i + 2 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-');
}

bool IsSheetText(const Text& text) {
    return text == "none" || text == "17 x 22" || text == "13 x 19" || text == "8.5 x 11";
}

bool IsRollText(const Text& text) {
    for (const char* roll : {"none", "64", "60", "54", "50", "44", "42", "36", "24", "17"}) {
        if (text == roll) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const BarType bar = static_cast<BarType>(data[0] % 3);
    const Text rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const WrapResults r = CalculateWrap(bar, rest.substr(0, rest.size() / 2), rest.substr(rest.size() / 2));
    if (!IsNumberText(r.stapleWidth) || !IsNumberText(r.stapleLength)) std::abort();
    if (!IsSheetText(r.stapleSheet) || !IsRollText(r.stapleRoll)) std::abort();
    if (bar == BarType::PreNotched) {
        if (!r.regularWidth.empty() || !r.regularLength.empty() || !r.regularSheet.empty() ||
            !r.regularRoll.empty()) {
            std::abort();
        }
    } else if (!IsNumberText(r.regularWidth) || !IsNumberText(r.regularLength) ||
               !IsSheetText(r.regularSheet) || !IsRollText(r.regularRoll)) {
        std::abort();
    }
    return 0;
}
