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
}

TEST(CharText, MakesOneByteFromTheLowBits) {
    EXPECT_EQ(CharText(13), "\r");
    EXPECT_EQ(CharText(0x141), "A");
    Text zero = CharText(0);
    EXPECT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0], '\0');
}

}  // namespace
