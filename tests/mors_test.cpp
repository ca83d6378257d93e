// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "cipher/szyfruj.h"
#include "losowe_teksty.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace wirlok {
namespace {

constexpr std::uint8_t MORS = 10;

struct Przeklad {
    std::u32string tekst;
    std::u32string wynik;
};

void PrintTo(const Przeklad& p, std::ostream* os) { *os << testing::PrintToString(p.tekst); }

class Mors : public testing::TestWithParam<Przeklad> {};

TEST_P(Mors, TlumaczyJakWTabeli) { EXPECT_EQ(Szyfruj(MORS, GetParam().tekst), GetParam().wynik); }

INSTANTIATE_TEST_SUITE_P(Kodowanie,
    Mors,
    testing::Values(Przeklad{U"sos", U"\\...\\---\\...\\"},
        Przeklad{U"SOS", U"\\...\\---\\...\\"},
        Przeklad{U"a b", U"\\.-\\\\-...\\"},
        Przeklad{U"a  b", U"\\.-\\\\\\-...\\"},
        Przeklad{U"Ala ma kota", U"\\.-\\.-..\\.-\\\\--\\.-\\\\-.-\\---\\-\\.-\\"},
        Przeklad{U"Zażółć", U"\\--..\\.-\\--..\\---\\.-..\\-.-.\\"},
        Przeklad{U"ĄĆĘŁŃÓŚŹŻ", U"\\.-\\-.-.\\.\\.-..\\-.\\---\\...\\--..\\--..\\"},
        Przeklad{U"a1", U"\\.-\\1\\"},
        Przeklad{U"a.", U"\\.-\\.\\"},
        Przeklad{U"a-b", U"\\.-\\-\\-...\\"},
        Przeklad{U"a.b", U"\\.-\\.\\-...\\"},
        Przeklad{U"a/b", U"\\.-\\/\\-...\\"},
        Przeklad{U" a", U"\\\\.-\\"},
        Przeklad{U"a ", U"\\.-\\\\"},
        Przeklad{U"", U"\\"},
        Przeklad{U"x/", U"\\-..-\\/\\"},
        Przeklad{U"/ab", U"\\.-\\-...\\"},
        Przeklad{U"\\ab", U"\\.-\\-...\\"},
        Przeklad{U"/", U"\\"},
        Przeklad{U"\U0001F600\u212A", U"\\\U0001F600\\\u212A\\"},
        Przeklad{U"abcdefghijklm", U"\\.-\\-...\\-.-.\\-..\\.\\..-.\\--.\\....\\..\\.---\\-.-\\.-..\\--\\"},
        Przeklad{U"nopqrstuvwxyz", U"\\-.\\---\\.--.\\--.-\\.-.\\...\\-\\..-\\...-\\.--\\-..-\\-.--\\--..\\"}));

INSTANTIATE_TEST_SUITE_P(Dekodowanie,
    Mors,
    testing::Values(Przeklad{U"\\...\\---\\...\\", U"sos"},
        Przeklad{U"...\\---\\...\\", U"sos"},
        Przeklad{U".-/-.../", U"ab"},
        Przeklad{U"\\.-\\\\-...\\", U"a b"},
        Przeklad{U"\\--..\\.-\\--..\\---\\.-..\\-.-.\\", U"zazolc"},
        Przeklad{U"\\.-\\1\\", U"a1"},
        Przeklad{U"\\\\.-\\", U" a"},
        Przeklad{U"\\.-\\\\", U"a "},
        Przeklad{U"\\", U""},
        Przeklad{U"/\\", U" "},
        Przeklad{U"....../", U"."},
        Przeklad{U".- \\", U"."},
        Przeklad{U".-\\ \\-...\\", U"ab"},
        Przeklad{U"ab\\", U"a"},
        Przeklad{U"Ab\\", U"A"},
        Przeklad{U"A\\Ł\\ż\\", U"alz"},
        Przeklad{U"\\.-\\.\\-...\\", U"aeb"},
        Przeklad{U"\\.-\\/\\-...\\", U"a  b"},
        Przeklad{U"..--\\---.\\", U".-"},
        // A token that no separator closes is read as if one followed it.
        Przeklad{U".-", U"a"},
        Przeklad{U".-/-...", U"ab"},
        Przeklad{U"-", U"t"},
        Przeklad{U"-x", U"-"}));

std::u32string Dlugi(
    std::u32string_view poczatek, std::size_t dlugosc, char32_t wypelnienie, std::u32string_view koniec)
{
    std::u32string tekst(poczatek);
    tekst.append(dlugosc, wypelnienie);
    return tekst.append(koniec);
}

TEST(Mors, TokenDowolnejDlugosciToJedenToken)
{
    for (const std::size_t dlugosc : {253, 254, 255, 256, 300, 10000}) {
        EXPECT_EQ(Szyfruj(MORS, Dlugi(U"", dlugosc, U'.', U"\\.-\\")), U".a") << dlugosc;
        EXPECT_EQ(Szyfruj(MORS, Dlugi(U"-", dlugosc, U'x', U"/")), U"-") << dlugosc;
        EXPECT_EQ(Szyfruj(MORS, Dlugi(U".-\\", dlugosc, U'-', U"")), U"a-") << dlugosc;
    }
}

// The encoder's input as decoding gives it back: no leading separator,
// ASCII letters in lower case, Polish letters on their base letter, "."
// and "-" as e and t, a separator as two spaces.
std::u32string Zlozony(std::u32string_view tekst)
{
    constexpr std::u32string_view polskie = U"ąĄćĆęĘłŁńŃóÓśŚżŻźŹ";
    constexpr std::u32string_view bazowe = U"aacceellnnoosszzzz";
    if (!tekst.empty() && (tekst.front() == U'\\' || tekst.front() == U'/'))
        tekst.remove_prefix(1);
    std::u32string wynik;
    for (const char32_t z : tekst) {
        if (z >= U'A' && z <= U'Z')
            wynik += static_cast<char32_t>(z + 32);
        else if (const auto p = polskie.find(z); p != std::u32string_view::npos)
            wynik += bazowe[p];
        else if (z == U'.')
            wynik += U'e';
        else if (z == U'-')
            wynik += U't';
        else if (z == U'\\' || z == U'/')
            wynik += U"  ";
        else
            wynik += z;
    }
    return wynik;
}

bool WygladaNaMorsa(std::u32string_view t)
{
    return !t.empty() && (t.front() == U'.' || t.front() == U'-' || t.back() == U'\\');
}

TEST(Mors, DekodujeWszystkoCoZakodowal)
{
    std::mt19937 los(1410);
    for (int proba = 0; proba < 2000; ++proba) {
        const std::u32string tekst = testy::LosowyTekst(los, 48);
        if (WygladaNaMorsa(tekst))
            continue;
        const std::u32string kod = Szyfruj(MORS, tekst);
        ASSERT_TRUE(kod.front() == U'\\' && kod.back() == U'\\');
        EXPECT_EQ(Szyfruj(MORS, kod), Zlozony(tekst));
    }
}

}  // namespace
}  // namespace wirlok
