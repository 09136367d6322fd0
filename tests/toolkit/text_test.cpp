#include <gtest/gtest.h>

#include "toolkit/text.h"

namespace {

TEST(TrimBlanks, RemovesBlanksAtBothEndsOnly) {
    EXPECT_EQ(TrimBlanks(" 8"), "8");
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("  "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\t8 "), "\t8");
    EXPECT_EQ(TrimBlanks(" 8\t"), "8\t");
}

TEST(RightPart, TakesTheLastCharacters) {
    EXPECT_EQ(RightPart("12-06-2026", 4), "2026");
    EXPECT_EQ(RightPart("abc", 5), "abc");
    EXPECT_EQ(RightPart("abc", 3), "abc");
    EXPECT_EQ(RightPart("abc", 1), "c");
    EXPECT_EQ(RightPart("abc", 0), "");
    EXPECT_EQ(RightPart("abc", -1), "");
}

TEST(CharText, MakesOneByteFromTheLowBits) {
    EXPECT_EQ(CharText(13), "\r");
    EXPECT_EQ(CharText(0x141), "A");
    Text zero = CharText(0);
    EXPECT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0], '\0');
}

TEST(Concat, JoinsLeftThenRight) {
    EXPECT_EQ(Concat("", "x"), "x");
    EXPECT_EQ(Concat("x", ""), "x");
    EXPECT_EQ(Concat(Concat("Corvalin Calculator", " - "), "v1.0"), "Corvalin Calculator - v1.0");
    EXPECT_EQ(Concat(Text("a\0b", 3), "c"), Text("a\0bc", 4));
}

TEST(TextEquals, ComparesLengthAndEveryByte) {
    EXPECT_TRUE(TextEquals("2026", "2026"));
    EXPECT_FALSE(TextEquals("2026", "2026 "));
    EXPECT_FALSE(TextEquals("abc", "ABC"));
    EXPECT_FALSE(TextEquals(Text("a\0b", 3), Text("a\0c", 3)));
    EXPECT_TRUE(TextEquals("", ""));
}

}  // namespace
