#include "ui/about_text.h"

namespace {

const char* const ABOUT_REFERENCE_YEAR = "2017";
const char* const AUTHOR_NOTICE = "Copyright (c) ";
const char* const AUTHOR_NAME = " Maplestead, Inc.";
const char* const MAKER_LINE = "Corvalin is a product line of Maplestead, Inc.";
const char* const WEB_ADDRESS_LINE = "www.maplestead.example";

}  // namespace

Text BuildAboutText(const Text& caption, const Text& dateText) {
    const Text year = RightPart(dateText, 4);
    const Text lineBreak = CharText(13);
    Text text = Concat(caption, lineBreak);
    if (TextEquals(year, ABOUT_REFERENCE_YEAR)) {
        text = Concat(text, Concat(Concat(AUTHOR_NOTICE, ABOUT_REFERENCE_YEAR), AUTHOR_NAME));
        text = Concat(text, Concat(lineBreak, lineBreak));
    } else {
        const Text years = Concat(Concat(ABOUT_REFERENCE_YEAR, "-"), year);
        text = Concat(text, Concat(Concat(AUTHOR_NOTICE, years), AUTHOR_NAME));
        text = Concat(text, lineBreak);
    }
    text = Concat(text, Concat(MAKER_LINE, lineBreak));
    return Concat(text, WEB_ADDRESS_LINE);
}
