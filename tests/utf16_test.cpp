// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace wirlok {
namespace {

struct Para {
    std::u16string utf16;
    std::u32string utf32;
};

void PrintTo(const Para& p, std::ostream* os) { *os << testing::PrintToString(p.utf32); }

class Utf16 : public testing::TestWithParam<Para> {};

TEST_P(Utf16, PrzechodziWObieStronyBezZmian)
{
    EXPECT_EQ(ZUtf16(GetParam().utf16), GetParam().utf32);
    EXPECT_EQ(DoUtf16(GetParam().utf32), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(Znaki,
    Utf16,
    testing::Values(Para{u"", U""},
        Para{u"Zażółć", U"Zażółć"},
        Para{u"\U0001F600a", U"\U0001F600a"},
        Para{u"\U0010FFFF", U"\U0010FFFF"},
        Para{u"a\xD800", U"a\xD800"},
        Para{u"\xDC00x", U"\xDC00x"},
        Para{u"\xDC00\xD800", U"\xDC00\xD800"},
        Para{u"\xD800\xD800\xDC00", U"\xD800\U00010000"}));

TEST(Utf16, ZnakSpozaUnicodeStajeSieZastepczym) { EXPECT_EQ(DoUtf16(U"a\x110000"), u"a\xFFFD"); }

}  // namespace
}  // namespace wirlok
