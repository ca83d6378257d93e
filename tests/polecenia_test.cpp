// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/listaszyfrow.h"
#include "window/polecenia.h"
#include "window/zdarzenia.h"

#include <gtest/gtest.h>

#include <string>

namespace wirlok {
namespace {

TEST(Polecenia, PoZaladowaniuWybranyJestMors)
{
    StanOkna okno;
    Form1_Load(okno);
    EXPECT_EQ(okno.listaszyfrow, 0);
    EXPECT_EQ(okno.a, U"");
    EXPECT_EQ(okno.b, U"");
}

struct Klikniecie {
    std::u32string a, b;
    std::int16_t wpis;
    std::u32string poA, poB;
};

void PrintTo(const Klikniecie& k, std::ostream* os)
{
    *os << testing::PrintToString(k.a) << ' ' << testing::PrintToString(k.b) << ' ' << k.wpis;
}

class Tlumacz : public testing::TestWithParam<Klikniecie> {};

TEST_P(Tlumacz, ZmieniaTylkoPoleDocelowe)
{
    const Klikniecie& k = GetParam();
    StanOkna okno{k.a, k.b, k.wpis};
    Tlumacz_Click(okno);
    EXPECT_EQ(okno.a, k.poA);
    EXPECT_EQ(okno.b, k.poB);
    EXPECT_EQ(okno.listaszyfrow, k.wpis);
}

INSTANTIATE_TEST_SUITE_P(Przypadki,
    Tlumacz,
    testing::Values(Klikniecie{U"Ala ma kota", U"stare", 1, U"Ala ma kota", U"Gug mg iptg"},
        Klikniecie{U"", U"Gug mg iptg", 1, U"Ala ma kota", U"Gug mg iptg"},
        Klikniecie{U"", U"Mlm am okum", 2, U"Ala ma kota", U"Mlm am okum"},
        Klikniecie{U"", U"Sfs ms kins", 3, U"Ala ma kota", U"Sfs ms kins"},
        Klikniecie{U"sos", U"", 0, U"sos", U"\\...\\---\\...\\"},
        Klikniecie{U"", U"\\...\\---\\...\\", 0, U"sos", U"\\...\\---\\...\\"},
        Klikniecie{U"", U"", 0, U"\\", U""},
        Klikniecie{U"\\", U"", 0, U"\\", U""},
        Klikniecie{U"", U"", 1, U"", U""},
        Klikniecie{U"", U"", 2, U"", U""},
        Klikniecie{U"", U"", 3, U"", U""},
        Klikniecie{U" ", U"x", 1, U" ", U" "},
        Klikniecie{U"Ala", U"bez zmian", -1, U"Ala", U"bez zmian"},
        Klikniecie{U"Ala", U"bez zmian", 4, U"Ala", U"bez zmian"},
        Klikniecie{U"", U"bez zmian", -32768, U"", U"bez zmian"}));

TEST(ListaSzyfrow, WybranyJestWpisKtoregoTekstWidac)
{
    struct Przypadek {
        int indeks;
        std::u32string_view tekst;
        std::int16_t wybrany;
    };
    for (const auto& [indeks, tekst, wybrany] : {Przypadek{0, U"Mors", 0},
             Przypadek{3, U"Flashpoint", 3},
             Przypadek{1, U"Gaderypolukx", -1},
             Przypadek{1, U"gaderypoluki", -1},
             Przypadek{1, U"Koniecmatury", -1},
             Przypadek{-1, U"Mors", -1},
             Przypadek{-1, U"", -1},
             Przypadek{4, U"", -1}})
        EXPECT_EQ(WybranyWpis(indeks, tekst), wybrany) << indeks;
}

TEST(Zmiany, ZglaszajaTylkoToCoPolecenieZmienilo)
{
    struct Przypadek {
        StanOkna stan;
        Polecenie polecenie;
        bool a, b, listaszyfrow;
    };
    for (auto [stan, polecenie, a, b, lista] : {Przypadek{{U"", U"", -1}, Form1_Load, false, false, true},
             Przypadek{{U"Ala", U"stare", 1}, Tlumacz_Click, false, true, false},
             Przypadek{{U"", U"Gug", 1}, Tlumacz_Click, true, false, false},
             Przypadek{{U"Ala", U"Gug", 1}, Tlumacz_Click, false, false, false},
             Przypadek{{U"Ala", U"x", -1}, Tlumacz_Click, false, false, false},
             Przypadek{{U"", U"x", 0}, Wyczysc1_Click, false, false, false},
             Przypadek{{U"a", U"x", 0}, Wyczysc2_Click, false, true, false}}) {
        const Zmiany zmiany = Wykonaj(polecenie, stan);
        EXPECT_EQ(zmiany.a, a);
        EXPECT_EQ(zmiany.b, b);
        EXPECT_EQ(zmiany.listaszyfrow, lista);
    }
}

TEST(Polecenia, CzyszczeniaOprozniajaSwojePole)
{
    StanOkna okno{U"góra", U"dół", 2};
    Wyczysc1_Click(okno);
    EXPECT_EQ(okno.a, U"");
    EXPECT_EQ(okno.b, U"dół");
    okno.a = U"góra";
    Wyczysc2_Click(okno);
    EXPECT_EQ(okno.a, U"góra");
    EXPECT_EQ(okno.b, U"");
    EXPECT_EQ(okno.listaszyfrow, 2);
}

}  // namespace
}  // namespace wirlok
