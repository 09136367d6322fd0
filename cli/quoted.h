// Texts from the user (arguments, fields of a file) made safe to print.
#pragma once

#include <string>

// The text with every byte that is not part of printable UTF-8 written as
// \xHH: C0 and C1 controls, DEL, bytes of no valid UTF-8 sequence, and the
// characters Unicode marks Bidi_Control (U+061C, U+200E, U+200F, U+202A to
// U+202E, U+2066 to U+2069). A terminal must not be driven, nor a line
// shown reordered, by what a user typed or a file held.
std::string Escaped(const std::string& text);

// The text escaped and in quotes, cut to its first 40 bytes (without
// splitting a UTF-8 sequence) and "..." when longer: a pasted 100 KB
// argument should not become a 100 KB message.
std::string Quoted(const std::string& text);
