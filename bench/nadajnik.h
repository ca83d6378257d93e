// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Test messages for the detectors' tests and benchmarks: random five-letter
// groups, their Morse timing as a machine or a hand keys them, as a tone in
// noise, and the error rate of what came back.

#include "cipher/szyfruj.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok::bench {

// Groups of five letters a to z, a space between.
inline std::string Grupy(std::size_t ile, std::mt19937& los)
{
    std::uniform_int_distribution<int> litera('a', 'z');
    std::string tekst;
    for (std::size_t g = 0; g < ile; ++g) {
        if (g > 0)
            tekst += ' ';
        for (int i = 0; i < 5; ++i)
            tekst += static_cast<char>(litera(los));
    }
    return tekst;
}

struct Odcinek {
    double poczatek;
    double koniec;
};

// How the message is keyed: its speed, and a hand's unevenness (each
// element and gap off by up to this fraction, the speed wandering by
// `dryf` over the message); the gaps between letters and words can be
// stretched (Farnsworth's spacing). A hand can also be off by a normal
// factor of deviation `sigma`, and a learner's dash can be short.
struct Reka {
    double slowa;
    double nierownosc = 0;
    double dryf = 0;
    double odstepy = 1;
    double sigma = 0;
    double kreska = 3;  // dots
};

// The marks of a message, starting at `od` seconds.
inline std::vector<Odcinek> Znaki(std::string_view tekst, const Reka& reka, double od, std::mt19937& los)
{
    static constexpr std::array<std::string_view, 26> kody = {".-",
        "-...",
        "-.-.",
        "-..",
        ".",
        "..-.",
        "--.",
        "....",
        "..",
        ".---",
        "-.-",
        ".-..",
        "--",
        "-.",
        "---",
        ".--.",
        "--.-",
        ".-.",
        "...",
        "-",
        "..-",
        "...-",
        ".--",
        "-..-",
        "-.--",
        "--.."};
    std::uniform_real_distribution<double> odchylka(-reka.nierownosc, reka.nierownosc);
    std::normal_distribution<double> czynnik(1, reka.sigma);
    const double kropka = 1.2 / reka.slowa;
    double czas = od;
    std::size_t jednostek = 0;
    const std::size_t wszystkich = tekst.size() * 10;
    auto dlugosc = [&](double ile) {
        jednostek += static_cast<std::size_t>(ile);
        const double tempo = 1
            + reka.dryf / 2
                * std::sin(2 * std::numbers::pi * static_cast<double>(jednostek) / static_cast<double>(wszystkich));
        const double reki = reka.sigma > 0 ? std::max(0.3, czynnik(los)) : 1.0;
        return ile * kropka * (1 + odchylka(los)) * reki / tempo;
    };
    std::vector<Odcinek> znaki;
    for (const char z : tekst) {
        if (z == ' ') {
            czas += dlugosc(4) * reka.odstepy;  // with the letter gap before, seven
            continue;
        }
        const std::string_view kod = kody[static_cast<std::size_t>(z - 'a')];
        for (std::size_t i = 0; i < kod.size(); ++i) {
            if (i > 0)
                czas += dlugosc(1);
            const double d = dlugosc(kod[i] == '.' ? 1 : reka.kreska);
            znaki.push_back({czas, czas + d});
            czas += d;
        }
        czas += dlugosc(3) * reka.odstepy;
    }
    return znaki;
}

// The marks' envelope with 5 ms raised-cosine edges, a sample a sample.
inline std::vector<float> Obwiednia(const std::vector<Odcinek>& znaki, double probkowanie, std::size_t ile)
{
    constexpr double Zbocze = 0.005;
    std::vector<float> e(ile);
    for (const Odcinek& z : znaki) {
        const auto poczatek = static_cast<std::size_t>(z.poczatek * probkowanie);
        const auto koniec = std::min(ile, static_cast<std::size_t>((z.koniec + Zbocze) * probkowanie));
        for (std::size_t i = poczatek; i < koniec; ++i) {
            const double t = static_cast<double>(i) / probkowanie;
            const double a = std::clamp(std::min(t - z.poczatek, z.koniec + Zbocze - t) / Zbocze, 0.0, 1.0);
            e[i] = static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * a));
        }
    }
    return e;
}

// The marks as a tone with 5 ms raised-cosine edges, its frequency gliding
// from `od` to `do_` hertz, in white Gaussian noise: the signal-to-noise
// ratio is the tone's power while keyed over the noise's in 500 Hz. A
// second more of noise after the last mark.
inline std::vector<float> Dzwiek(
    const std::vector<Odcinek>& znaki, double probkowanie, double od, double do_, double snr, std::mt19937& los)
{
    const auto ile = static_cast<std::size_t>((znaki.back().koniec + 1) * probkowanie);
    std::vector<float> dzwiek = Obwiednia(znaki, probkowanie, ile);
    const double sigma = std::sqrt(0.5 * (probkowanie / 2) / 500 / std::pow(10, snr / 10));
    std::normal_distribution<double> szum(0, sigma);
    double faza = 0;
    for (std::size_t i = 0; i < ile; ++i) {
        faza += 2 * std::numbers::pi * (od + (do_ - od) * static_cast<double>(i) / static_cast<double>(ile))
            / probkowanie;
        dzwiek[i] = static_cast<float>(dzwiek[i] * std::sin(faza) + (std::isfinite(snr) ? szum(los) : 0));
    }
    return dzwiek;
}

// What received notation reads as: spaces at the ends dropped, runs of
// spaces as one.
inline std::string Tekst(const std::u32string& notacja)
{
    const std::u32string tekst = Szyfruj(10, U"\\" + notacja);
    std::string wynik;
    for (const char32_t z : tekst) {
        if (z == U' ' && (wynik.empty() || wynik.back() == ' '))
            continue;
        wynik += z < 128 ? static_cast<char>(z) : '?';
    }
    while (!wynik.empty() && wynik.back() == ' ')
        wynik.pop_back();
    return wynik;
}

// The character error rate: the edit distance over the sent length.
inline double Blad(std::string_view nadane, std::string_view odebrane)
{
    std::vector<std::size_t> wiersz(odebrane.size() + 1);
    for (std::size_t j = 0; j < wiersz.size(); ++j)
        wiersz[j] = j;
    for (std::size_t i = 1; i <= nadane.size(); ++i) {
        std::size_t ukos = wiersz[0];
        wiersz[0] = i;
        for (std::size_t j = 1; j <= odebrane.size(); ++j) {
            const std::size_t nad = wiersz[j];
            wiersz[j] = std::min({wiersz[j] + 1, wiersz[j - 1] + 1, ukos + (nadane[i - 1] != odebrane[j - 1] ? 1 : 0)});
            ukos = nad;
        }
    }
    return static_cast<double>(wiersz.back()) / static_cast<double>(std::max<std::size_t>(nadane.size(), 1));
}

}  // namespace wirlok::bench
