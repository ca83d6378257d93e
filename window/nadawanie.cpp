// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/nadawanie.h"

#include "cipher/mors.h"
#include "cipher/szyfruj.h"
#include "window/listaszyfrow.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

constexpr std::uint8_t NumerMorsa = ListaSzyfrow[0].numerSzyfru;

// The encoder writes one unit for each character but a leading separator,
// which it drops; a separator within the text is its own unit, which reads
// as two empty ones.
std::vector<std::size_t> ZnakiJednostek(std::u32string_view tekst)
{
    std::vector<std::size_t> znaki;
    for (std::size_t i = !tekst.empty() && MorsSeparator(tekst.front()) ? 1 : 0; i < tekst.size(); ++i) {
        znaki.push_back(i);
        if (MorsSeparator(tekst[i]))
            znaki.push_back(i);
    }
    return znaki;
}

}  // namespace

Nadanie DoNadania(const StanOkna& okno)
{
    const int zrodlo = okno.a.empty() ? 1 : 0;
    const std::u32string& tekst = zrodlo == 0 ? okno.a : okno.b;
    const std::u32string& inne = zrodlo == 0 ? okno.b : okno.a;
    Nadanie nadanie;
    if (MorsDekoduje(tekst)) {
        nadanie = Harmonogram(tekst);
        nadanie.znaczone = zrodlo;
    } else {
        const std::u32string zapis = Szyfruj(NumerMorsa, tekst);
        const bool wInnym = inne == zapis;
        nadanie = Harmonogram(zapis, wInnym ? std::vector<std::size_t>{} : ZnakiJednostek(tekst));
        nadanie.znaczone = wInnym ? 1 - zrodlo : zrodlo;
    }
    nadanie.pole = zrodlo;
    return nadanie;
}

}  // namespace wirlok
