// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/harmonogram.h"

#include "cipher/mors.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

// The standard timing, in units.
constexpr int Kropka = 1;
constexpr int Kreska = 3;
constexpr int OdstepWLiterze = 1;
constexpr int OdstepLiter = 3;
constexpr int OdstepSlow = 7;

bool Kod(std::u32string_view jednostka)
{
    return std::all_of(jednostka.begin(), jednostka.end(), [](char32_t z) { return z == U'.' || z == U'-'; });
}

// A letter's tones from `czas` on; returns the time at its end.
double DodajTony(std::u32string_view kod, double czas, std::vector<TonCiagly>& tony)
{
    for (std::size_t e = 0; Kod(kod) && e < kod.size(); ++e) {
        czas += e > 0 ? OdstepWLiterze : 0;
        const int dlugosc = kod[e] == U'.' ? Kropka : Kreska;
        tony.push_back({czas, static_cast<double>(dlugosc)});
        czas += dlugosc;
    }
    return czas;
}

}  // namespace

// Letters are `odstepy.litery` units apart, or `odstepy.slowa` for each
// empty unit (a word gap) between them. A unit with anything but dots and
// dashes (a digit, a mark the encoder keeps) is a letter of silence: no
// tones, but its place between two letter gaps.
NadanieCiagle Harmonogram(std::u32string_view zapis, Odstepy odstepy, const std::vector<std::size_t>& znaki)
{
    NadanieCiagle nadanie;
    double czas = 0;
    int przerwy = 0;  // word gaps since the last letter
    std::size_t jednostka = 0;
    const bool zaczynaSeparatorem = !zapis.empty() && MorsSeparator(zapis.front());
    for (std::size_t i = zaczynaSeparatorem ? 1 : 0; i < zapis.size(); ++jednostka) {
        const std::size_t koniec = std::find_if(zapis.begin() + i, zapis.end(), MorsSeparator) - zapis.begin();
        const std::u32string_view kod = zapis.substr(i, koniec - i);
        if (kod.empty()) {
            ++przerwy;
        } else {
            czas += przerwy > 0 ? przerwy * odstepy.slowa : nadanie.litery.empty() ? 0 : odstepy.litery;
            przerwy = 0;
            nadanie.litery.push_back(
                znaki.empty() ? LiteraCiagla{czas, i, kod.size()} : LiteraCiagla{czas, znaki[jednostka], 1});
            czas = DodajTony(kod, czas, nadanie.tony);
        }
        i = koniec + 1;
    }
    nadanie.dlugosc = czas + przerwy * odstepy.slowa;
    return nadanie;
}

// At the standard gaps every time is a whole number of units, exact in a
// double.
Nadanie Harmonogram(std::u32string_view zapis, const std::vector<std::size_t>& znaki)
{
    const NadanieCiagle ciagle = Harmonogram(zapis, Odstepy{OdstepLiter, OdstepSlow}, znaki);
    const auto calkowita = [](double czas) { return static_cast<int>(std::lround(czas)); };
    Nadanie nadanie;
    nadanie.tony.reserve(ciagle.tony.size());
    for (const TonCiagly& ton : ciagle.tony)
        nadanie.tony.push_back({calkowita(ton.poczatek), calkowita(ton.dlugosc)});
    nadanie.litery.reserve(ciagle.litery.size());
    for (const LiteraCiagla& litera : ciagle.litery)
        nadanie.litery.push_back({calkowita(litera.poczatek), litera.znak, litera.znaki});
    nadanie.dlugosc = calkowita(ciagle.dlugosc);
    return nadanie;
}

}  // namespace wirlok
