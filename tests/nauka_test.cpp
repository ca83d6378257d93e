// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "bench/klucz.h"
#include "sygnal/nauka.h"
#include "sygnal/reka.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace wirlok {
namespace {

// [what, sent, typed, percent, each step: d right, z wrong, b missed,
// n extra, ' ' a gap between groups]
struct Porownanie {
    const char* nazwa;
    std::string wyslane;
    std::string wpisane;
    int procent;
    std::string kroki;
};

void PrintTo(const Porownanie& p, std::ostream* os) { *os << p.nazwa; }

class Ocenianie : public testing::TestWithParam<Porownanie> {};

TEST_P(Ocenianie, WyrownujeIPunktuje)
{
    const Porownanie& p = GetParam();
    const Ocena ocena = Ocen(p.wyslane, p.wpisane);
    std::string kroki;
    for (const ZnakOceny& z : ocena.znaki)
        kroki += z.wyslana == ' ' ? ' ' : "dzbn"[static_cast<int>(z.stan)];
    EXPECT_EQ(ocena.procent, p.procent);
    EXPECT_EQ(kroki, p.kroki);
}

INSTANTIATE_TEST_SUITE_P(Tabela,
    Ocenianie,
    testing::Values(Porownanie{"all right", "kmkmk mkmkm", "kmkmk mkmkm", 100, "ddddd ddddd"},
        Porownanie{"a missed letter costs one", "kmkmk mkmkm", "kmmk mkmkm", 90, "ddbdd ddddd"},
        Porownanie{"an extra letter costs one", "kmkmk mkmkm", "kmkmuk mkmkm", 90, "ddddnd ddddd"},
        Porownanie{"a swapped pair costs two", "kmkmk mkmkm", "mkkmk mkmkm", 80, "zzddd ddddd"},
        Porownanie{"a wrong letter", "kmkmk mkmkm", "kmkmk mkmkk", 90, "ddddd ddddz"},
        Porownanie{"empty input", "kmkmk mkmkm", "", 0, "bbbbb bbbbb"},
        Porownanie{"capitals and spaces ignored", "kmkmk mkmkm", "  KMkmK   mk m km \n", 100, "ddddd ddddd"},
        Porownanie{"a Polish letter is one wrong letter", "kmkmk", "kmkmą", 80, "ddddz"},
        Porownanie{"surplus beyond what is aligned still costs",
            "kmkmk",
            "kmkmk" + std::string(1000, 'x'),
            0,
            "ddddd" + std::string(21, 'n')},
        Porownanie{"nothing sent", "", "km", 0, "nn"}));

TEST(Lekcje, KolejnoscKochaIKodyZSilnika)
{
    EXPECT_EQ(LiteryLekcji(1), "km");
    EXPECT_EQ(LiteryLekcji(2), "kmu");
    EXPECT_EQ(LiteryLekcji(OstatniaLekcja), "kmuresnaptlwijzfoyvgqhbcdx");
    EXPECT_EQ(LiteryLekcji(0), "km");
    EXPECT_EQ(LiteryLekcji(99).size(), 26u);
    EXPECT_EQ(NowaLitera(1), 'm');
    EXPECT_EQ(NowaLitera(OstatniaLekcja), 'x');
    EXPECT_EQ(KodLitery('k'), "-.-");
    EXPECT_EQ(KodLitery('q'), "--.-");
}

TEST(Lekcje, UstawieniaWZakresach)
{
    const auto jak = [](Ustawienia u) { return std::array{u.tempoZnakow, u.tempoEfektywne, u.minuty}; };
    EXPECT_EQ(jak(Popraw({NAN, INFINITY, NAN})), (std::array{20.0, 10.0, 1.0}));
    EXPECT_EQ(jak(Popraw({5, 30, 20})), (std::array{12.0, 12.0, 10.0}));
    EXPECT_EQ(jak(Popraw({40, 1, 0})), (std::array{35.0, 4.0, 0.5}));
}

TEST(Lekcje, FarnsworthDlaParisToWzorArrl)
{
    const std::u32string paris = U"\\.--.\\.-\\.-.\\..\\...\\\\";
    const Odstepy rowne = Farnsworth(paris, 20, 20);
    EXPECT_DOUBLE_EQ(rowne.litery, 3);
    EXPECT_DOUBLE_EQ(rowne.slowa, 7);
    const double ta = (60 * 20 - 37.2 * 10) / (10 * 20);  // s per word
    const double jednostka = 1.2 / 20;
    const Odstepy wolne = Farnsworth(paris, 20, 10);
    EXPECT_NEAR(wolne.litery * jednostka, 3 * ta / 19, 1e-12);
    EXPECT_NEAR(wolne.slowa * jednostka, 7 * ta / 19, 1e-12);
}

// The run's letters typed with `bledow` of them wrong.
std::string Wpisz(std::string tekst, std::size_t bledow)
{
    for (std::size_t i = 0; i < tekst.size() && bledow > 0; ++i)
        if (tekst[i] != ' ') {
            tekst[i] = 'x';
            --bledow;
        }
    return tekst;
}

// [what, stored, errors in tenths of the letters (+1 one more), lesson after, opened]
struct Przejscie {
    const char* nazwa;
    const char* zapis;
    std::size_t dziesiatych;
    int dodatkowych;
    int lekcja;
    bool nastepna;
};

void PrintTo(const Przejscie& p, std::ostream* os) { *os << p.nazwa; }

class Postepy : public testing::TestWithParam<Przejscie> {};

TEST_P(Postepy, OtwieraLekcjeRazNaPrzebieg)
{
    const Przejscie& p = GetParam();
    Kurs kurs;
    ASSERT_EQ(kurs.Wczytaj(p.zapis), "");
    EXPECT_FALSE(kurs.Sprawdz("km").ocenione) << "no run";
    const PlanNauki plan = kurs.Zacznij({20, 20, 0.5}, 3);
    const std::size_t liter = plan.tekst.size() - plan.tekst.size() / 6;
    const Kurs::Sprawdzenie s = kurs.Sprawdz(Wpisz(plan.tekst, liter * p.dziesiatych / 10 + p.dodatkowych));
    ASSERT_TRUE(s.ocenione && s.ocena);
    EXPECT_EQ(s.nastepna, p.nastepna);
    EXPECT_EQ(kurs.Stan().lekcja, p.lekcja);
    const Kurs::Sprawdzenie znowu = kurs.Sprawdz(plan.tekst);
    EXPECT_FALSE(znowu.ocenione || znowu.nastepna);
    EXPECT_EQ(znowu.ocena->procent, s.ocena->procent);
    EXPECT_EQ(kurs.Stan().lekcja, p.lekcja);
    EXPECT_EQ(kurs.Stan().ostatnie.size(), 1u);
    EXPECT_EQ(Odczytaj(Zapisz(kurs.Stan()))->lekcja, p.lekcja);
}

INSTANTIATE_TEST_SUITE_P(Tabela,
    Postepy,
    testing::Values(Przejscie{"90 % opens", "N1;1", 1, 0, 2, true},
        Przejscie{"below 90 % does not", "N1;1", 1, 1, 1, false},
        Przejscie{"all right opens", "N1;7", 0, 0, 8, true},
        Przejscie{"the last lesson stays", "N1;25", 0, 0, 25, false}));

TEST(Postepy, PamietaOstatniePrzebiegiINietrafioneLiteryWracajaCzesciej)
{
    Kurs kurs;
    kurs.Wczytaj("N1;2");
    for (std::uint32_t ziarno = 0; ziarno < 7; ++ziarno) {
        std::string tekst = kurs.Zacznij({20, 20, 0.5}, ziarno).tekst;
        std::replace(tekst.begin(), tekst.end(), 'u', 'k');  // every u missed
        kurs.Sprawdz(tekst);
    }
    ASSERT_EQ(kurs.Stan().ostatnie.size(), PamiecWynikow);
    EXPECT_EQ(Trafnosci(kurs.Stan())[2].procent, 0);
    const std::string grupy = kurs.Zacznij({20, 20, 10}, 1).tekst;
    EXPECT_GT(std::count(grupy.begin(), grupy.end(), 'u'), 2 * std::count(grupy.begin(), grupy.end(), 'k'));
}

TEST(Zapis, WracaTakiSam)
{
    Postep postep{4, {Wyniki{}, Wyniki{}}};
    postep.ostatnie[0].wyslane[10] = 14;  // k
    postep.ostatnie[0].trafione[10] = 12;
    postep.ostatnie[1].wyslane[17] = 9999;  // r
    const std::string zapis = Zapisz(postep);
    EXPECT_EQ(zapis, "N1;4;k12/14;r0/9999");
    const std::optional<Postep> wczytany = Odczytaj(zapis);
    ASSERT_TRUE(wczytany);
    EXPECT_EQ(Zapisz(*wczytany), zapis);
    EXPECT_EQ(Trafnosci(*wczytany)[0].procent, 86);
    EXPECT_EQ(Trafnosci(*wczytany)[1].procent, std::nullopt);
}

class ZlyZapis : public testing::TestWithParam<std::string> {};

TEST_P(ZlyZapis, ZaczynaOdNowa)
{
    EXPECT_FALSE(Odczytaj(GetParam()));
    Kurs kurs;
    EXPECT_NE(kurs.Wczytaj(GetParam()), "");
    EXPECT_EQ(kurs.Stan().lekcja, 1);
    EXPECT_TRUE(kurs.Stan().ostatnie.empty());
}

INSTANTIATE_TEST_SUITE_P(Tabela,
    ZlyZapis,
    testing::Values("",
        "N1;",
        "N1;0",
        "N1;26",
        "N1;03",
        "N2;3",
        "n1;3",
        "{\"lekcja\":3}",
        "N1;3;",
        "N1;3;k5/4",
        "N1;3;k0/0",
        "N1;3;x1/1",
        "N1;3;k1/1k1/1",
        "N1;3;k1/1;",
        "N1;3;k12345/12345",
        "N1;3;k-1/1",
        "N1;3;k1/1 ",
        "N1;3" + std::string(5, '\0'),
        "N1;2" + std::string(6, ';') + "k1/1",
        "N1;2;k1/1;k1/1;k1/1;k1/1;k1/1;k1/1",
        "N1;2" + std::string(3000, ' ')));

// The kind's mean over the dots' mean, as keyed.
double Wzgledem(const Klucz& k, Element e) { return Proporcje(k)[static_cast<std::size_t>(e)]; }

// [what, asked, keyed, proportions, spread, read, advice beginnings]
struct Proba {
    const char* nazwa;
    std::string zadane;
    std::string kluczowane;
    std::array<double, 5> dotow;
    double rozrzut;
    std::string odczytane;
    std::vector<std::string> porady;
};

void PrintTo(const Proba& p, std::ostream* os) { *os << p.nazwa; }

class StatystykiReki : public testing::TestWithParam<Proba> {};

TEST_P(StatystykiReki, MierzyProporcje)
{
    const Proba& p = GetParam();
    std::mt19937 los(11);
    const Klucz k = Kluczuj(p.kluczowane, p.dotow, p.rozrzut, los);
    const Reka r = OcenReke(p.zadane, k.czasy);
    EXPECT_EQ(r.odczytane, p.odczytane);
    EXPECT_EQ(r.zgodne, p.zadane == p.odczytane);
    ASSERT_TRUE(r.kropka && r.kreska && r.wLiterze && r.miedzyLiterami);
    EXPECT_NEAR(r.kreska->dotow, Wzgledem(k, Element::Kreska), 1e-9);
    EXPECT_NEAR(r.miedzyLiterami->dotow, Wzgledem(k, Element::MiedzyLiterami), 1e-9);
    EXPECT_NEAR(r.kreska->rozrzut, p.rozrzut, p.rozrzut / 2 + 0.01);
    ASSERT_EQ(r.porady.size(), p.porady.size());
    for (std::size_t i = 0; i < p.porady.size(); ++i)
        EXPECT_EQ(r.porady[i].substr(0, p.porady[i].size()), p.porady[i]);
    ASSERT_EQ(r.wykres.size(), k.czasy.size());
    for (std::size_t i = 0; i < k.rodzaje.size(); ++i)
        EXPECT_EQ(r.wykres[i].rodzaj, k.rodzaje[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Tabela,
    StatystykiReki,
    testing::Values(Proba{"a standard hand", "paris paris", "paris paris", {1, 3, 1, 3, 7}, 0.05, "paris paris", {}},
        Proba{"short dashes",
            "kmkmkkmmkm",
            "kmkmkkmmkm",
            {1, 2.2, 1, 3, 7},
            0.1,
            "kmkmkkmmkm",
            {"Kreski są za krótkie: 2,2 kropki zamiast 3."}},
        Proba{"short letter gaps",
            "kmurukmuru",
            "kmurukmuru",
            {1, 3, 1, 2, 7},
            0.05,
            "kmurukmuru",
            {"Odstępy między literami są za krótkie: 2,1 kropki zamiast 3."}},
        Proba{"long word gaps and gaps within letters",
            "km mk",
            "km mk",
            {1, 3, 1.4, 3, 10},
            0.05,
            "km mk",
            {"Odstępy w literach są za długie: 1,", "Odstępy między słowami są za długie: "}},
        Proba{"keyed not as asked: the lengths tell",
            "kmkmkmkmkm",
            "kmkkkmkkkm",
            {1, 2.2, 1, 3.8, 7},
            0.05,
            "k mk kkmkkkm",
            {"Kreski są za krótkie: 2,3 kropki zamiast 3.",
                "Odstępy między literami są za długie: 4,1 kropki zamiast 3."}}));

// Dashes alone have no dot to be measured against but the gaps within letters.
TEST(StatystykiReki, SameKreskiWzgledemOdstepowWLiterach)
{
    std::mt19937 los(5);
    const Klucz k = Kluczuj("mmoom", {1, 2.2, 1, 3, 7}, 0.03, los);
    const Reka r = OcenReke("mmoom", k.czasy);
    ASSERT_TRUE(r.kreska);
    EXPECT_NEAR(r.kreska->dotow, 2.2, 0.1);
    ASSERT_FALSE(r.porady.empty());
    EXPECT_EQ(r.porady[0].rfind("Kreski są za krótkie: 2,", 0), 0u) << r.porady[0];
}

TEST(StatystykiReki, ZleCzasyNicNiePsuja)
{
    EXPECT_EQ(OcenReke("km", {}).odczytane, "");
    const std::vector<double> zle{NAN, -1, INFINITY, 1e308, 60, 0, 0.06};
    const Reka r = OcenReke("km", zle);
    EXPECT_FALSE(r.zgodne);
    EXPECT_TRUE(std::isfinite(r.kropkaMs) && std::isfinite(r.slowa));
    const Reka trzymany = OcenReke("t", std::vector<double>{60});
    EXPECT_EQ(trzymany.wykres.size(), 1u);
}

}  // namespace
}  // namespace wirlok
