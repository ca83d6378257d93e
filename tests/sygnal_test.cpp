// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "bench/nadajnik.h"
#include "bench/pole.h"
#include "bench/pole_swiatla.h"
#include "sygnal/swiatlo.h"
#include "sygnal/ton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace wirlok {
namespace {

constexpr double Cisza = std::numeric_limits<double>::infinity();  // no noise at all

struct Sygnal {
    const char* nazwa;
    const char* tekst;  // empty: noise or silence alone
    bench::Reka reka;
    double od;  // hertz, gliding to `do_`
    double do_;
    double snr;
    double probkowanie;
    double odchylenie = 8;  // hertz: the most the frequency found may be off
};

void PrintTo(const Sygnal& s, std::ostream* os) { *os << s.nazwa; }

class Ton : public testing::TestWithParam<Sygnal> {};

TEST_P(Ton, OdbieraTekst)
{
    const Sygnal& s = GetParam();
    std::mt19937 los(7);
    const std::vector<bench::Odcinek> znaki
        = *s.tekst != 0 ? bench::Znaki(s.tekst, s.reka, 1.5, los) : std::vector<bench::Odcinek>{{9, 9}};
    std::vector<float> dzwiek = bench::Dzwiek(znaki, s.probkowanie, s.od, s.do_, s.snr, los);
    if (*s.tekst == 0)
        std::fill(dzwiek.begin() + static_cast<std::ptrdiff_t>(dzwiek.size()) / 2, dzwiek.end(), 0.0F);
    Odbiornik odbiornik;
    WykrywaczTonu wykrywacz(s.probkowanie, odbiornik);
    bool zlapany = false;
    for (std::size_t i = 0; i < dzwiek.size(); i += 128) {
        wykrywacz.Dodaj(std::span<const float>(dzwiek).subspan(i, std::min<std::size_t>(128, dzwiek.size() - i)));
        zlapany = zlapany || wykrywacz.Zlapany();
        const double ile = static_cast<double>(i) / static_cast<double>(dzwiek.size());
        if (wykrywacz.Zlapany()) {
            EXPECT_NEAR(wykrywacz.Czestotliwosc(), s.od + (s.do_ - s.od) * ile, s.odchylenie);
        }
    }
    wykrywacz.Koniec();
    EXPECT_EQ(bench::Tekst(odbiornik.Odbierz()), s.tekst);
    EXPECT_EQ(zlapany, *s.tekst != 0);
}

INSTANTIATE_TEST_SUITE_P(Sygnaly,
    Ton,
    testing::Values(Sygnal{"czysty", "paris sos", {12}, 600, 600, Cisza, 48000},
        Sygnal{"zero_dB", "ala ma kota", {12}, 750, 750, 0, 8000},
        Sygnal{"Farnsworth", "zorza nad morzem", {18, 0, 0, 3}, 500, 500, 10, 8000},
        Sygnal{"dryf_30_Hz", "lato w lesie", {12}, 570, 600, 10, 11025},
        Sygnal{"wolny_i_slaby", "sos ala", {5}, 600, 600, -5.5, 8000},
        Sygnal{"wolny_i_slabszy", "hej", {5}, 600, 600, -6, 8000},
        Sygnal{"szybki_i_slaby", "zorza nad morzem", {30}, 600, 600, -1, 8000},
        Sygnal{"slaby_ton_co_do_herca", "ala ma kota", {12}, 703, 703, 0, 8000, 0.5},
        Sygnal{"ton_250_Hz", "hop hop", {15}, 250, 250, 10, 8000},
        Sygnal{"gwizd_3400_Hz", "hop hop", {15}, 3400, 3400, 10, 16000},
        Sygnal{"szum", "", {12}, 600, 600, -10, 8000},
        Sygnal{"cisza", "", {12}, 600, 600, Cisza, 44100}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// Recordings of the field (bench/pole.h), at 16 kHz and +10 dB.
struct Warunki {
    const char* nazwa;
    bench::Warunek warunek;
    unsigned ziarno;
};

void PrintTo(const Warunki& w, std::ostream* os) { *os << w.nazwa; }

class Pole : public testing::TestWithParam<Warunki> {};

TEST_P(Pole, OdbieraTekst)
{
    const bench::Nagranie n = bench::Nagraj(GetParam().warunek, GetParam().ziarno);
    std::vector<float> dzwiek(n.probki.begin(), n.probki.end());
    for (float& p : dzwiek)
        p /= 32768;
    Odbiornik odbiornik;
    WykrywaczTonu wykrywacz(n.probkowanie, odbiornik);
    wykrywacz.Dodaj(dzwiek);
    wykrywacz.Koniec();
    EXPECT_EQ(bench::Tekst(odbiornik.Odbierz()), n.tekst);
}

using enum bench::Rodzaj;
INSTANTIATE_TEST_SUITE_P(Warunki,
    Pole,
    testing::Values(
        Warunki{"zanik_20_dB", {"", Zanik, 10, {600, 600}, {15, 15}, {20, 20}, {0.2, 0.2}, {}, {}, 0, 3, 8}, 1},
        Warunki{"zanik_do_0_dB", {"", Zanik, 0, {600, 600}, {15, 15}, {15, 15}, {0.5, 0.5}, {}, {}, 0, 3, 8}, 2},
        Warunki{"nowy_nadawca", {"", Zmiana, 10, {400, 1000}, {12, 12}, {}, {}, {}, {}, 0, 3, 8}, 2},
        Warunki{"gwizd_vibrato", {"", Gwizd, 10, {2000, 4000}, {15, 15}, {}, {}, {}, {}, 0, 3, 8}, 3},
        Warunki{"drugi_oktawe_nizej", {"", Drugi, 10, {700, 700}, {15, 15}, {}, {}, {}, {}, 0, 3, 8}, 12}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// A room's echo of keyed marks, as step powers: the tone's power fed into
// a tail that falls 60 dB in its reverberation time, noise under both. The
// echo learnt from the spaces must be the one there where it is as loud as
// the tone or louder, and none where it is quieter or none.
struct Echo {
    const char* nazwa;
    double rt60;
    double zysk;  // of the echo, to the tone's power
    bool slyszany;
};

void PrintTo(const Echo& e, std::ostream* os) { *os << e.nazwa; }

class Echa : public testing::TestWithParam<Echo> {};

TEST_P(Echa, UczySieOgona)
{
    const Echo& e = GetParam();
    constexpr double Krok = 0.001;
    constexpr double Kropka = 0.06;
    constexpr double Szum = 0.01;
    // Dot, dash, and the gaps within a letter, between letters and words.
    const std::array<std::pair<int, int>, 4> wzor = {{{1, 1}, {3, 1}, {1, 3}, {3, 7}}};
    wirlok::Poglos poglos;
    double ogon = 0;
    double czas = 0;
    double bylTon = 0;
    std::size_t sprawdzonych = 0;
    for (int powtorzenie = 0; powtorzenie < 60; ++powtorzenie) {
        for (const auto& [znak, przerwa] : wzor) {
            for (int czesc = 0; czesc < 2; ++czesc) {
                const bool ton = czesc == 0;
                const double poczatek = czas;
                const int krokow = static_cast<int>((ton ? znak : przerwa) * Kropka / Krok);
                for (int k = 0; k < krokow; ++k) {
                    czas += Krok;
                    const double zostaje = std::exp(-13.82 * Krok / e.rt60);
                    ogon = zostaje * ogon + (1 - zostaje) * e.zysk * bylTon;
                    bylTon = ton ? 1 : 0;
                    poglos.Krok(czas, bylTon + ogon + Szum);
                    // Once learnt, the echo expected in a space is the one there.
                    if (!ton && powtorzenie >= 30 && k >= 5) {
                        EXPECT_NEAR(poglos.Ogon(), e.slyszany ? ogon : 0, 0.25 * ogon + 0.002) << czas;
                        ++sprawdzonych;
                    }
                }
                if (!ton)
                    poglos.Przerwa(poczatek, poczatek + 0.3 * Kropka, czas - 0.2 * Kropka);
            }
        }
    }
    EXPECT_GT(sprawdzonych, 1000U);
}

INSTANTIATE_TEST_SUITE_P(Pokoje,
    Echa,
    testing::Values(Echo{"klasa_6_dB_glosniej", 0.45, 3.5, true},
        Echo{"hala_6_dB_glosniej", 1, 3.5, true},
        Echo{"sala_6_dB_ciszej", 0.7, 0.25, false},
        Echo{"bez_echa", 0.7, 0, false}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// A tone's steps mixed down to 0 Hz, keyed 60 ms on and off at 7 dB over
// the noise of a step: a whistle's pitch wavering 50 Hz either way is
// followed, so that its sums over 40 ms add up again; a steady tone's steps
// are never touched.
struct Chwianie {
    const char* nazwa;
    double vibrato;  // hertz either way
    double spojnie;  // the least share of the amplitude a 40 ms sum keeps
};

void PrintTo(const Chwianie& c, std::ostream* os) { *os << c.nazwa; }

class Faza : public testing::TestWithParam<Chwianie> {};

TEST_P(Faza, SledziGwizd)
{
    const Chwianie& c = GetParam();
    std::mt19937 los(11);
    std::normal_distribution<double> szum(0, std::sqrt(0.1));
    FazaTonu faza;
    double kat = 0;
    double najmniej = 1;
    std::complex<double> suma;  // over 40 ms within a mark
    for (int k = 0; k < 8000; ++k) {
        const double t = k * 0.001;
        kat += 2 * std::numbers::pi * c.vibrato * std::sin(2 * std::numbers::pi * 5 * t) * 0.001;
        const bool ton = k % 120 < 60;
        const std::complex<double> krok
            = (ton ? std::polar(1.0, kat) : 0.0) + std::complex<double>(szum(los), szum(los));
        const std::complex<double> wynik = faza.Dodaj(krok);
        if (c.vibrato == 0) {
            ASSERT_EQ(wynik, krok) << k;
        }
        if (k % 120 == 10)
            suma = 0;
        if (k % 120 >= 10 && k % 120 < 50)
            suma += wynik;
        if (k % 120 == 49 && k > 4000)
            najmniej = std::min(najmniej, std::abs(suma) / 40);
    }
    EXPECT_GE(najmniej, c.spojnie);
}

INSTANTIATE_TEST_SUITE_P(Tony,
    Faza,
    testing::Values(Chwianie{"gwizd_50_Hz", 50, 0.7}, Chwianie{"staly", 0, 0}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// A light of 8 by 8 pixels blinking in a noisy 160 by 120 picture, drifting
// a few pixels a second.
TEST(Swiatlo, OdbieraPlamkeKtoraSiePrzesuwa)
{
    std::mt19937 los(3);
    const std::vector<bench::Odcinek> znaki = bench::Znaki("hej sokoly", {12}, 2, los);
    std::normal_distribution<double> szum(30, 6);
    std::vector<std::uint8_t> klatka(std::size_t{160} * 120);
    Odbiornik odbiornik;
    WykrywaczSwiatla wykrywacz(odbiornik);
    double x = 0;
    for (double czas = 0; czas < znaki.back().koniec + 1; czas += 1.0 / 30) {
        for (std::uint8_t& p : klatka)
            p = static_cast<std::uint8_t>(std::clamp(szum(los), 0.0, 255.0));
        const bool swieci = std::any_of(znaki.begin(), znaki.end(), [&](const auto& z) {
            return czas >= z.poczatek && czas < z.koniec;
        });
        x = 60 + 2 * czas;
        for (std::ptrdiff_t w = 50; w < 58 && swieci; ++w)
            std::fill_n(klatka.begin() + w * 160 + static_cast<std::ptrdiff_t>(x), 8, 220);
        wykrywacz.Obraz(klatka, 160, 120, czas);
    }
    odbiornik.Koniec();
    EXPECT_EQ(bench::Tekst(odbiornik.Odbierz()), "hej sokoly");
    EXPECT_TRUE(wykrywacz.Zlapany());
    EXPECT_NEAR(wykrywacz.X() * 160, x + 4, 8);
    EXPECT_NEAR(wykrywacz.Y() * 120, 54, 4);
}

struct Latarka {
    const char* nazwa;
    const char* tekst;
    bench::Pole pole;
    double slowa = 12;
    unsigned ziarno = 5;
};

void PrintTo(const Latarka& l, std::ostream* os) { *os << l.nazwa; }

class Swiatla : public testing::TestWithParam<Latarka> {};

// A torch of a pixel or two in the field, as the page hands its frames over.
TEST_P(Swiatla, OdbieraLatarke)
{
    const Latarka& l = GetParam();
    std::mt19937 los(l.ziarno);
    bench::PoleSwiatla pole(l.pole, bench::Znaki(l.tekst, {l.slowa}, l.pole.od, los), l.ziarno);
    Odbiornik odbiornik;
    WykrywaczSwiatla wykrywacz(odbiornik);
    for (const bench::Klatka* k = &pole.Nastepna(); k->czas < pole.Koniec(); k = &pole.Nastepna())
        wykrywacz.Obraz(k->jasnosc, bench::SzerokoscKlatki, bench::WysokoscKlatki, k->czas);
    odbiornik.Koniec();
    const std::string odczyt = bench::Tekst(odbiornik.Odbierz());
    EXPECT_EQ(odczyt, l.tekst);
}

INSTANTIATE_TEST_SUITE_P(Pole,
    Swiatla,
    testing::Values(Latarka{"mala_dryfuje", "hej sokoly", {1, 3}},
        Latarka{"drzy_obok_latarni", "czuwaj harcerze", {1.5, 0, 1.2, 0, 0, 0, true}},
        Latarka{"przygasa", "sos ala", {2, 0, 0, 0, 10}},
        Latarka{"o_zmierzchu_aparat_pompuje", "czuwaj", {2, 0, 0, 0, 0, 0.3, false, true}},
        Latarka{"o_zmierzchu_szybko", "czuwaj harcerze czuwaj", {1, 0, 0, 0, 0, 0, false, true}, 15},
        Latarka{"w_reku_obok_latarni", "ognisko o zmroku", {0, 3, 1.2, 10, 0, 0.1, true}, 8},
        Latarka{"drzy_wolno", "czuwaj harcerze", {0, 0, 1.2}, 5, 1016},
        Latarka{"w_reku_przy_oknie", "czuwaj", {0, 3, 1.2, 10, 0, 0.1, true}, 12, 1049},
        Latarka{"przygasa_wolno_od_ciemnej", "gesbi ocwsr yntyv", {0, 0, 0, 0, 10}, 5, 1014},
        Latarka{"o_zmierzchu_pompuje_mala", "czuwaj harcerze", {1, 0, 0, 0, 0, 0.1, false, true}, 12, 4},
        Latarka{"lampa_w_reku_przed_latarka", "czuwaj", {0, 3, 1.2, 10, 0, 0.1, true, false, 2, 30}, 12, 4}),
    [](const auto& info) { return std::string(info.param.nazwa); });

}  // namespace
}  // namespace wirlok
