// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/odbieranie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace wirlok {
namespace {

// The codes keyed: the receiver's, and "#" for one that is no letter's.
std::u32string Kod(char32_t znak)
{
    const auto& kody = KodyMorsa();
    const auto k = std::find_if(kody.begin(), kody.end(), [&](const KodMorsa& m) { return m.znak == znak; });
    return znak == U'#' ? U"..--" : k->kod;
}

// The text of received notation: a code as its character, an empty one as
// a word gap.
std::u32string Tekst(std::u32string_view zapis)
{
    std::u32string tekst;
    std::u32string kod;
    for (const char32_t z : zapis.substr(1)) {
        if (z != U'\\') {
            kod += z;
            continue;
        }
        const auto& kody = KodyMorsa();
        const auto k = std::find_if(kody.begin(), kody.end(), [&](const KodMorsa& m) { return m.kod == kod; });
        tekst += kod.empty() ? U' ' : kod == Kod(U'#') ? U'#' : k != kody.end() ? k->znak : U'?';
        kod.clear();
    }
    return tekst;
}

// A sender: the text (" " a word gap, "_" a pause) at a speed that changes
// to another halfway or steadily, with Farnsworth spacing at an overall
// speed, each element and gap off by up to a part of it, a 5 ms dropout in
// each dash and a 5 ms click in each letter gap, a mark of noise amid each
// word gap, letter gaps shortened.
struct Nadawca {
    const char* nazwa;
    std::u32string tekst;
    double slowa;
    double slowaPotem = 0;
    bool plynnie = false;
    double ogolem = 0;
    double rozrzut = 0;
    bool zaklocenia = false;
    bool bzdury = false;              // first durations no sender keys, and a key held for a minute
    std::u32string odebrane = tekst;  // from character `od` on
    std::size_t od = 0;
    double szum = 0;      // units
    double litera = 3;    // units
    double pauza = 3600;  // seconds
    int trzaski = 0;      // first marks of 0.4 of a dot, as a light being found keys
};

void PrintTo(const Nadawca& n, std::ostream* os) { *os << n.nazwa; }

class Odbior : public testing::TestWithParam<Nadawca> {};

TEST_P(Odbior, OdczytujeTekst)
{
    const Nadawca& n = GetParam();
    std::mt19937 los(7);
    const auto czas
        = [&](double t) { return t * (1 + n.rozrzut * (2.0 * static_cast<double>(los()) / std::mt19937::max() - 1)); };
    Odbiornik odbiornik;
    const auto przerwa = [&](double t) {
        for (double s = 0.01; s < t; s += 0.01)
            odbiornik.Przerwa(s);
        odbiornik.Przerwa(t);
    };
    if (n.bzdury) {
        constexpr double nic = std::numeric_limits<double>::quiet_NaN();
        constexpr double wiecznosc = std::numeric_limits<double>::infinity();
        for (const double t : {nic, -1.0, 0.0, wiecznosc, 1e300})
            odbiornik.Znak(t), odbiornik.Przerwa(t), odbiornik.Przerwa(-t);
        odbiornik.Koniec();
        odbiornik.Znak(60);
        przerwa(1);
    }
    for (int i = 0; i < n.trzaski; ++i) {
        odbiornik.Znak(0.4 * 1.2 / n.slowa);
        przerwa(1.5 * 1.2 / n.slowa);
    }
    for (std::size_t i = 0; i < n.tekst.size(); ++i) {
        const double postep = n.plynnie ? static_cast<double>(i) / static_cast<double>(n.tekst.size())
            : i >= n.tekst.size() / 2   ? 1
                                        : 0;
        const double u = 1.2 / (n.slowa + postep * ((n.slowaPotem > 0 ? n.slowaPotem : n.slowa) - n.slowa));
        const double ta = n.ogolem > 0 ? (60 / n.ogolem - 31 * u) / 19 : u;
        const std::u32string kod = Kod(n.tekst[i]);
        for (std::size_t e = 0; e < kod.size(); ++e) {
            const double znak = czas(kod[e] == U'.' ? u : 3 * u);
            if (n.zaklocenia && kod[e] == U'-') {
                odbiornik.Znak(znak / 2);
                przerwa(0.005);
            }
            odbiornik.Znak(n.zaklocenia && kod[e] == U'-' ? znak / 2 : znak);
            if (e + 1 < kod.size())
                przerwa(czas(u));
        }
        const char32_t potem = i + 1 < n.tekst.size() ? n.tekst[i + 1] : U'x';
        if (potem == U' ' && n.szum > 0) {
            przerwa(czas(3 * ta));
            odbiornik.Znak(n.szum * u);
        }
        const double slowo = n.szum > 0 ? 7 * ta - 3 * ta - n.szum * u : 7 * ta;
        const double odstep = potem == U'_' ? n.pauza
                                            : czas(potem == U' '             ? slowo
                                                    : i + 1 < n.tekst.size() ? n.litera * ta
                                                                             : 3 * ta);
        if (n.zaklocenia) {
            przerwa(odstep / 2);
            odbiornik.Znak(0.005);
        }
        przerwa(n.zaklocenia ? odstep / 2 : odstep);
        i += potem == U' ' || potem == U'_' ? 1 : 0;
    }
    // Letters are written as the spaces after them pass, not at the end.
    const std::u32string naZywo = odbiornik.Odbierz();
    odbiornik.Koniec();
    const std::u32string naKoniec = odbiornik.Odbierz();
    EXPECT_LE(std::count(naKoniec.begin(), naKoniec.end(), U'\\'), 1);
    const std::u32string tekst = Tekst(DoWstawienia(0, naZywo + naKoniec));
    const std::size_t od = tekst.size() - std::min(tekst.size(), n.odebrane.size() - n.od);
    EXPECT_EQ(tekst.substr(od), n.odebrane.substr(n.od)) << testing::PrintToString(tekst);
}

INSTANTIATE_TEST_SUITE_P(Nadawcy,
    Odbior,
    testing::Values(Nadawca{"sos5", U"sos", 5},
        Nadawca{"sos12", U"sos", 12},
        Nadawca{"sos25", U"sos", 25},
        Nadawca{"sos_sos", U"sos sos", 20},
        Nadawca{"paris_farnsworth", U"paris paris", 18, 0, false, 5},
        Nadawca{"zmiana_12_20", U"paris paris paris", 12, 20, false, 0, 0, false, false, U"paris paris paris", 11},
        Nadawca{"i", U"i", 12},
        Nadawca{"t", U"test", 15},
        Nadawca{"godzina_pauzy", U"sos_sos", 12, 0, false, 0, 0, false, false, U"sos sos"},
        Nadawca{"pauza_na_koncu", U"sos_", 12, 0, false, 0, 0, false, false, U"sos"},
        Nadawca{"reka", U"the quick brown fox jumps over the lazy dog", 18, 15, true, 0, 0.2},
        Nadawca{"zaklocenia", U"paris paris", 20, 0, false, 0, 0, true},
        Nadawca{"bzdury", U"sos", 15, 0, false, 0, 0, false, true},
        Nadawca{"skrocone_odstepy", U"so so", 15, 0, false, 0, 0, false, false, U"so so", 0, 0, 1.8},
        Nadawca{"szum_w_odstepie", U"paris paris", 20, 0, false, 0, 0, false, false, U"pariseparis", 0, 1},
        Nadawca{"nowy_dwa_razy_szybszy", U"paris_paris", 12, 24, false, 0, 0, false, false, U"paris paris", 0, 0, 3, 3},
        Nadawca{"nieznany_kod", U"s#s", 15},
        Nadawca{
            "trzaski_na_poczatku", U"ala ma kota", 5, 0, false, 0, 0, false, false, U"ala ma kota", 5, 0, 3, 3600, 2},
        Nadawca{"cyfry_reka", U"73 sp5zhp 1944 qth 0?", 15, 0, false, 0, 0.15}),
    [](const testing::TestParamInfo<Nadawca>& p) { return p.param.nazwa; });

struct Wstawka {
    char32_t przed;
    std::u32string co;
    std::u32string wstawka;
};

TEST(DoWstawienia, OtwieraIZamykaLitery)
{
    const std::initializer_list<Wstawka> tabela = {
        {0, U".", U"\\."},
        {U'a', U"-", U"\\-"},
        {U'\\', U".", U"."},
        {U'/', U"-", U"-"},
        {U'.', U"-", U"-"},
        {U'-', U"z", U"\\"},
        {U'\\', U"z", U""},
        {U'.', U" ", U"\\\\"},
        {0, U" ", U"\\\\"},
        {U'\\', U" ", U"\\"},
        {0, U"...\\---\\...\\\\...\\---\\...\\", U"\\...\\---\\...\\\\...\\---\\...\\"},
        {U'.', U"-\\", U"\\-\\"},
        {U'/', U"-\\", U"-\\"},
    };
    for (const Wstawka& w : tabela) {
        const Klawisz klawisz = w.co == U"." ? Klawisz::Kropka
            : w.co == U"-"                   ? Klawisz::Kreska
            : w.co == U"z"                   ? Klawisz::KoniecLitery
                                             : Klawisz::Odstep;
        EXPECT_EQ(w.co.size() > 1 ? DoWstawienia(w.przed, w.co) : DoWstawienia(w.przed, klawisz), w.wstawka)
            << testing::PrintToString(w.co);
    }
}

}  // namespace
}  // namespace wirlok
