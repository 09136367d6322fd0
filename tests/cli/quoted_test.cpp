#include "cli/quoted.h"

#include <gtest/gtest.h>

namespace {

// Printable UTF-8 passes; every byte of anything else is \xHH.
TEST(Escaped, WritesEveryByteThatIsNotPrintableUtf8AsItsCode) {
    const std::pair<std::string, std::string> texts[] = {
        {"plain 8.5 in", "plain 8.5 in"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xa8 \xc2\xa0", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xa8 \xc2\xa0"},
        {"\x1b[2J\t\x7f", "\\x1B[2J\\x09\\x7F"},
        // The C1 control-sequence introducer raw, and in UTF-8.
        {"\x9b" "31m", "\\x9B31m"},
        {"\xc2\x9b" "31m", "\\xC2\\x9B31m"},
        // Bidi controls: right-to-left override, isolates, marks.
        {"a\xe2\x80\xae" "b", "a\\xE2\\x80\\xAEb"},
        {"\xe2\x80\xaa\xe2\x81\xa6\xe2\x81\xa9\xe2\x80\x8f\xd8\x9c",
         "\\xE2\\x80\\xAA\\xE2\\x81\\xA6\\xE2\\x81\\xA9\\xE2\\x80\\x8F\\xD8\\x9C"},
        // Next to them, characters that stay: U+2029 is no bidi control.
        {"\xe2\x80\xa9\xe2\x81\xaa", "\xe2\x80\xa9\xe2\x81\xaa"},
        // Overlong, surrogate, beyond U+10FFFF, cut short, no lead byte.
        {"\xc0\xaf", "\\xC0\\xAF"},
        {"\xf0\x90\x80\x80\xf0\x8f\xbf\xbf", "\xf0\x90\x80\x80\\xF0\\x8F\\xBF\\xBF"},
        {"\xe0\x80\xaf", "\\xE0\\x80\\xAF"},
        {"\xed\xa0\x80", "\\xED\\xA0\\x80"},
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xf8\x88\x80\x80\x80", "\\xF8\\x88\\x80\\x80\\x80"},
        {"\xe2\x82" "x", "\\xE2\\x82x"},
        {"\xe2\x82", "\\xE2\\x82"},
        {"\x80", "\\x80"},
    };
    for (const auto& [text, shown] : texts) EXPECT_EQ(Escaped(text), shown) << shown;
}

}  // namespace
