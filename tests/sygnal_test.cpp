// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "bench/nadajnik.h"
#include "bench/pole.h"
#include "bench/pole_swiatla.h"
#include "sygnal/swiatlo.h"
#include "sygnal/ton.h"

#include <gtest/gtest.h>

#include <limits>

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
            EXPECT_NEAR(wykrywacz.Czestotliwosc(), s.od + (s.do_ - s.od) * ile, 8);
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
        Warunki{"poglos_0_dB", {"", Poglos, 10, {600, 600}, {20, 20}, {}, {}, {0.5, 0.5}, {0, 0}, 0, 3, 8}, 10},
        Warunki{"gwizd_vibrato", {"", Gwizd, 10, {2000, 4000}, {15, 15}, {}, {}, {}, {}, 0, 3, 8}, 3}),
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
};

void PrintTo(const Latarka& l, std::ostream* os) { *os << l.nazwa; }

class Swiatla : public testing::TestWithParam<Latarka> {};

// A torch of a pixel or two in the field, as the page hands its frames over.
TEST_P(Swiatla, OdbieraLatarke)
{
    const Latarka& l = GetParam();
    std::mt19937 los(5);
    bench::PoleSwiatla pole(l.pole, bench::Znaki(l.tekst, {l.slowa}, l.pole.od, los), 5);
    Odbiornik odbiornik;
    WykrywaczSwiatla wykrywacz(odbiornik);
    for (const bench::Klatka* k = &pole.Nastepna(); k->czas < pole.Koniec(); k = &pole.Nastepna())
        wykrywacz.Obraz(k->jasnosc, bench::SzerokoscKlatki, bench::WysokoscKlatki, k->czas);
    odbiornik.Koniec();
    EXPECT_EQ(bench::Tekst(odbiornik.Odbierz()), l.tekst);
}

INSTANTIATE_TEST_SUITE_P(Pole,
    Swiatla,
    testing::Values(Latarka{"mala_dryfuje", "hej sokoly", {1, 3}},
        Latarka{"drzy_obok_latarni", "czuwaj harcerze", {1.5, 0, 1.2, 0, 0, 0, true}},
        Latarka{"przygasa", "sos ala", {2, 0, 0, 0, 10}},
        Latarka{"o_zmierzchu_aparat_pompuje", "czuwaj", {2, 0, 0, 0, 0, 0.3, false, true}},
        Latarka{"o_zmierzchu_szybko", "czuwaj harcerze czuwaj", {1, 0, 0, 0, 0, 0, false, true}, 15},
        Latarka{"w_reku_obok_latarni", "ognisko o zmroku", {0, 3, 1.2, 10, 0, 0.1, true}, 8}),
    [](const auto& info) { return std::string(info.param.nazwa); });

}  // namespace
}  // namespace wirlok
