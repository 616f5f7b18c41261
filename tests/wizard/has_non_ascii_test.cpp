#include "wizard/has_non_ascii.h"

#include <gtest/gtest.h>

TEST(HasNonAscii, OnlyCodesAbove127Count) {
    EXPECT_FALSE(HasNonAscii(L""));
    EXPECT_FALSE(HasNonAscii(L"HU66_2-x.09 !~\x7f"));
    EXPECT_TRUE(HasNonAscii(L"caf\u00e9"));
    EXPECT_TRUE(HasNonAscii(L"\u4e2d"));
    EXPECT_TRUE(HasNonAscii(L"AB\u94a5"));
    EXPECT_TRUE(HasNonAscii(L"\x80"));
    // Beyond 16 bits: not taken for the ASCII letter its low bits spell.
    EXPECT_TRUE(HasNonAscii(L"\U00010041"));
}
