#include "cli/quoted.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr size_t kLongestShown = 40;

bool Continues(const std::string& text, size_t i) {
    return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
}

bool IsBidiControl(uint32_t code) {
    return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

// The length of the printable character that starts at text[i], or 0 when
// the byte there starts none. A valid sequence is the shortest for its
// character and no surrogate, at most U+10FFFF.
size_t PrintableAt(const std::string& text, size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    const size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    uint32_t code = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if (!Continues(text, i + k)) return 0;
        code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = length > 0 && code >= least[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
    return valid && code >= 0xA0 && !IsBidiControl(code) ? length : 0;
}

}  // namespace

std::string Escaped(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string shown;
    for (size_t i = 0; i < text.size();) {
        const size_t length = PrintableAt(text, i);
        if (length > 0) {
            shown.append(text, i, length);
            i += length;
        } else {
            const unsigned char c = static_cast<unsigned char>(text[i++]);
            shown += "\\x";
            shown += hex[c >> 4];
            shown += hex[c & 0xF];
        }
    }
    return shown;
}

std::string Quoted(const std::string& text) {
    size_t end = std::min(text.size(), kLongestShown);
    while (end > 0 && Continues(text, end)) --end;
    return "'" + Escaped(text.substr(0, end)) + (end < text.size() ? "...'" : "'");
}
