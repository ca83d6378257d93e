// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/harmonogram.h"

#include "cipher/mors.h"

#include <algorithm>
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

// A letter's tones from `czas` on; returns the time after its last one.
int DodajTony(std::u32string_view kod, int czas, std::vector<Ton>& tony)
{
    for (std::size_t e = 0; Kod(kod) && e < kod.size(); ++e) {
        czas += e > 0 ? OdstepWLiterze : 0;
        const int dlugosc = kod[e] == U'.' ? Kropka : Kreska;
        tony.push_back({czas, dlugosc});
        czas += dlugosc;
    }
    return czas;
}

}  // namespace

// Letters are three units apart, or seven for each empty unit (a word gap)
// between them. A unit with anything but dots and dashes (a digit, a mark
// the encoder keeps) is a letter of silence: no tones, but its place
// between two letter gaps.
Nadanie Harmonogram(std::u32string_view zapis, const std::vector<std::size_t>& znaki)
{
    Nadanie nadanie;
    int czas = 0;
    int przerwy = 0;  // word gaps since the last letter
    std::size_t jednostka = 0;
    const bool zaczynaSeparatorem = !zapis.empty() && MorsSeparator(zapis.front());
    for (std::size_t i = zaczynaSeparatorem ? 1 : 0; i < zapis.size(); ++jednostka) {
        const std::size_t koniec = std::find_if(zapis.begin() + i, zapis.end(), MorsSeparator) - zapis.begin();
        const std::u32string_view kod = zapis.substr(i, koniec - i);
        if (kod.empty()) {
            ++przerwy;
        } else {
            czas += przerwy > 0 ? przerwy * OdstepSlow : nadanie.litery.empty() ? 0 : OdstepLiter;
            przerwy = 0;
            nadanie.litery.push_back(znaki.empty() ? Litera{czas, i, kod.size()} : Litera{czas, znaki[jednostka], 1});
            czas = DodajTony(kod, czas, nadanie.tony);
        }
        i = koniec + 1;
    }
    nadanie.dlugosc = czas + przerwy * OdstepSlow;
    return nadanie;
}

}  // namespace wirlok
