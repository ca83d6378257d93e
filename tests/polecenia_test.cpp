// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/listaszyfrow.h"
#include "window/nadawanie.h"
#include "window/polecenia.h"
#include "window/zdarzenia.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// What is sent, in units: a dot 1, a dash 3, 1 between them, 3 between
// letters, 7 for each word gap.
TEST(Nadawanie, HarmonogramJakWTabeli)
{
    using Tony = std::vector<std::pair<int, int>>;  // start, length
    struct Przypadek {
        StanOkna stan;
        int pole;
        Tony tony;
        std::vector<std::vector<int>> litery;  // start, character, characters
        int dlugosc;
    };
    const Tony sos{{0, 1}, {2, 1}, {4, 1}, {8, 3}, {12, 3}, {16, 3}, {22, 1}, {24, 1}, {26, 1}};
    for (const auto& [stan, pole, tony, litery, dlugosc] : {
             Przypadek{{U"sos", U"", 0}, 0, sos, {{0, 0, 1}, {8, 1, 1}, {22, 2, 1}}, 27},
             Przypadek{{U"", U"SOS", 0}, 1, sos, {{0, 0, 1}, {8, 1, 1}, {22, 2, 1}}, 27},
             Przypadek{{U"sós", U"stare", 0}, 0, sos, {{0, 0, 1}, {8, 1, 1}, {22, 2, 1}}, 27},
             Przypadek{{U"e ", U"", 0}, 0, {{0, 1}}, {{0, 0, 1}}, 8},
             Przypadek{{U"/a  t", U"", 0}, 0, {{0, 1}, {2, 3}, {19, 3}}, {{0, 1, 1}, {19, 4, 1}}, 22},
             Przypadek{{U"a/t", U"", 0}, 0, {{0, 1}, {2, 3}, {19, 3}}, {{0, 0, 1}, {19, 2, 1}}, 22},
             Przypadek{{U"a1t", U"", 0}, 0, {{0, 1}, {2, 3}, {11, 3}}, {{0, 0, 1}, {8, 1, 1}, {11, 2, 1}}, 14},
             Przypadek{{U"", U".-/-/", 0}, 1, {{0, 1}, {2, 3}, {8, 3}}, {{0, 0, 2}, {8, 3, 1}}, 11},
             Przypadek{{U"kot", U"\\\\...\\x\\", 0}, 1, {{7, 1}, {9, 1}, {11, 1}}, {{7, 2, 3}, {15, 6, 1}}, 15},
             Przypadek{{U"", U"", 0}, 1, {}, {}, 0},
         }) {
        const Nadanie nadanie = DoNadania(stan);
        Tony jest;
        for (const Ton& ton : nadanie.tony)
            jest.emplace_back(ton.poczatek, ton.dlugosc);
        std::vector<std::vector<int>> jestLitery;
        for (const Litera& l : nadanie.litery)
            jestLitery.push_back({l.poczatek, static_cast<int>(l.znak), static_cast<int>(l.znaki)});
        const std::string przypadek = testing::PrintToString(stan.a) + ' ' + testing::PrintToString(stan.b);
        EXPECT_EQ(nadanie.pole, pole) << przypadek;
        EXPECT_EQ(jest, tony) << przypadek;
        EXPECT_EQ(jestLitery, litery) << przypadek;
        EXPECT_EQ(nadanie.dlugosc, dlugosc) << przypadek;
    }
}

}  // namespace
}  // namespace wirlok
