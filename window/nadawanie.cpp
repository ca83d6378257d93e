// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/nadawanie.h"

#include "cipher/mors.h"
#include "cipher/szyfruj.h"
#include "window/listaszyfrow.h"

#include <algorithm>
#include <cstdint>
#include <string>
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

constexpr std::uint8_t NumerMorsa = ListaSzyfrow[0].numerSzyfru;

bool ZaczynaSeparatorem(std::u32string_view tekst) { return !tekst.empty() && MorsSeparator(tekst.front()); }

bool Kod(std::u32string_view jednostka)
{
    return std::all_of(jednostka.begin(), jednostka.end(), [](char32_t z) { return z == U'.' || z == U'-'; });
}

// Where a letter stands in its field: the unit itself in a field of
// notation, or the character it encodes.
struct Miejsce {
    bool wZapisie;
    std::vector<std::size_t> znaki;  // the character of each unit of the encoding

    Litera operator()(int poczatek, std::size_t jednostka, std::size_t od, std::size_t dlugosc) const
    {
        return wZapisie ? Litera{poczatek, od, dlugosc} : Litera{poczatek, znaki[jednostka], 1};
    }
};

// The encoder writes one unit for each character but a leading separator,
// which it drops; a separator within the text is its own unit, which reads
// as two empty ones.
std::vector<std::size_t> ZnakiJednostek(std::u32string_view tekst)
{
    std::vector<std::size_t> znaki;
    for (std::size_t i = ZaczynaSeparatorem(tekst) ? 1 : 0; i < tekst.size(); ++i) {
        znaki.push_back(i);
        if (MorsSeparator(tekst[i]))
            znaki.push_back(i);
    }
    return znaki;
}

// Letters are three units apart, or seven for each empty unit (a word gap)
// between them. A unit with anything but dots and dashes (a digit, a mark
// the encoder keeps) is a letter of silence: no tones, but its place
// between two letter gaps.
Nadanie Harmonogram(std::u32string_view zapis, const Miejsce& miejsce)
{
    Nadanie nadanie;
    int czas = 0;
    int przerwy = 0;  // word gaps since the last letter
    std::size_t jednostka = 0;
    for (std::size_t i = ZaczynaSeparatorem(zapis) ? 1 : 0; i < zapis.size(); ++jednostka) {
        const std::size_t koniec = std::find_if(zapis.begin() + i, zapis.end(), MorsSeparator) - zapis.begin();
        const std::u32string_view kod = zapis.substr(i, koniec - i);
        if (kod.empty()) {
            ++przerwy;
        } else {
            czas += przerwy > 0 ? przerwy * OdstepSlow : nadanie.litery.empty() ? 0 : OdstepLiter;
            przerwy = 0;
            nadanie.litery.push_back(miejsce(czas, jednostka, i, kod.size()));
            for (std::size_t e = 0; Kod(kod) && e < kod.size(); ++e) {
                czas += e > 0 ? OdstepWLiterze : 0;
                const int dlugosc = kod[e] == U'.' ? Kropka : Kreska;
                nadanie.tony.push_back({czas, dlugosc});
                czas += dlugosc;
            }
        }
        i = koniec + 1;
    }
    nadanie.dlugosc = czas + przerwy * OdstepSlow;
    return nadanie;
}

}  // namespace

Nadanie DoNadania(const StanOkna& okno)
{
    const int zrodlo = okno.a.empty() ? 1 : 0;
    for (const int pole : {zrodlo, 1 - zrodlo}) {
        const std::u32string& tekst = pole == 0 ? okno.a : okno.b;
        if (MorsDekoduje(tekst)) {
            Nadanie nadanie = Harmonogram(tekst, {true, {}});
            nadanie.pole = pole;
            return nadanie;
        }
    }
    const std::u32string& tekst = zrodlo == 0 ? okno.a : okno.b;
    Nadanie nadanie = Harmonogram(Szyfruj(NumerMorsa, tekst), {false, ZnakiJednostek(tekst)});
    nadanie.pole = zrodlo;
    return nadanie;
}

}  // namespace wirlok
