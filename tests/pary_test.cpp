// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "cipher/szyfruj.h"
#include "losowe_teksty.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace wirlok {
namespace {

struct Przyklad {
    std::uint8_t numer;
    std::u32string tekst;
    std::u32string wynik;
};

void PrintTo(const Przyklad& p, std::ostream* os) { *os << int{p.numer} << ' ' << testing::PrintToString(p.tekst); }

class Przyklady : public testing::TestWithParam<Przyklad> {};

TEST_P(Przyklady, SzyfrujeJakWTabeli)
{
    const Przyklad& p = GetParam();
    EXPECT_EQ(Szyfruj(p.numer, p.tekst), p.wynik);
}

INSTANTIATE_TEST_SUITE_P(SzyfryParowe,
    Przyklady,
    testing::Values(Przyklad{1, U"Ala ma kota", U"Gug mg iptg"},
        Przyklad{2, U"Ala ma kota", U"Sfs ms kins"},
        Przyklad{3, U"Ala ma kota", U"Mlm am okum"},
        Przyklad{1, U"GADERYPOLUKI", U"AGEDYROPULIK"},
        Przyklad{3, U"KONIECMATURY", U"OKINCEAMUTYR"},
        Przyklad{2, U"FLASHPOINT", U"LFSAPHIOTN"},
        Przyklad{1, U"gA", U"aG"},
        Przyklad{1, U"Zażółć 123", U"Zgżółć 123"},
        Przyklad{1, U"", U""},
        Przyklad{2, U"", U""},
        Przyklad{3, U"", U""},
        // Letters whose full Unicode lower case is a key letter stay as they are.
        Przyklad{1, U"\u212A\u0130", U"\u212A\u0130"},
        Przyklad{3, U"\u212A\u0130", U"\u212A\u0130"},
        Przyklad{2, U"\U0001F600 \xD800\n", U"\U0001F600 \xD800\n"}));

TEST(NieznanyNumer, DajePustyTekst)
{
    for (const std::uint8_t numer : {0, 4, 5, 9, 11, 100, 255}) {
        for (const std::u32string& tekst : {std::u32string(), std::u32string(U"Ala ma kota"), std::u32string(U"...\\")})
            EXPECT_EQ(Szyfruj(numer, tekst), U"") << "numer " << int{numer};
    }
}

bool WielkaAscii(char32_t z) { return z >= U'A' && z <= U'Z'; }
bool MalaAscii(char32_t z) { return z >= U'a' && z <= U'z'; }

TEST(SzyfryParowe, SaSwoimOdwrotnosciamiIZachowujaDlugoscIWielkosc)
{
    std::mt19937 los(2024);
    for (int proba = 0; proba < 500; ++proba) {
        const std::u32string tekst = testy::LosowyTekst(los, 64);
        for (const std::uint8_t numer : {1, 2, 3}) {
            const std::u32string raz = Szyfruj(numer, tekst);
            ASSERT_EQ(raz.size(), tekst.size());
            for (std::size_t i = 0; i < tekst.size(); ++i) {
                EXPECT_EQ(WielkaAscii(raz[i]), WielkaAscii(tekst[i]));
                EXPECT_EQ(MalaAscii(raz[i]), MalaAscii(tekst[i]));
            }
            EXPECT_EQ(Szyfruj(numer, raz), tekst);
        }
    }
}

}  // namespace
}  // namespace wirlok
