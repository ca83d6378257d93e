// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The first byte picks what is fuzzed, over what the page can hand the
// course. 0: a stored value loads as progress or not at all, and progress
// stores as a value that loads back the same. 1: typed text (after a 0xFF,
// the groups sent) scores 0–100 and counts no more letters right than
// sent. 2: a keyed attempt (the asked text up to a 0xFF, then doubles)
// gives finite figures and a chart entry for each time looked at.
#include "sygnal/nauka.h"
#include "sygnal/ocena.h"
#include "sygnal/reka.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

void Wymagaj(bool warunek)
{
    if (!warunek)
        std::abort();
}

void Zapis(std::string_view zapis)
{
    wirlok::Kurs kurs;
    const bool swiezy = !kurs.Wczytaj(zapis).empty();
    Wymagaj(swiezy == !wirlok::Odczytaj(zapis).has_value());
    const std::string zapisany = wirlok::Zapisz(kurs.Stan());
    const std::optional<wirlok::Postep> znowu = wirlok::Odczytaj(zapisany);
    Wymagaj(znowu && wirlok::Zapisz(*znowu) == zapisany);
}

void Ocena(std::string_view wpisane, std::string_view wyslane)
{
    const wirlok::Ocena ocena = wirlok::Ocen(wyslane, wpisane);
    Wymagaj(ocena.procent >= 0 && ocena.procent <= 100);
    for (std::size_t n = 0; n < ocena.wyniki.wyslane.size(); ++n)
        Wymagaj(ocena.wyniki.trafione[n] <= ocena.wyniki.wyslane[n]);
}

void Reka(std::string_view zadane, const std::uint8_t* dane, std::size_t rozmiar)
{
    std::vector<double> czasy(rozmiar / sizeof(double));
    if (!czasy.empty())
        std::memcpy(czasy.data(), dane, czasy.size() * sizeof(double));
    const wirlok::Reka reka = wirlok::OcenReke(zadane, czasy);
    Wymagaj(std::isfinite(reka.kropkaMs) && std::isfinite(reka.slowa));
    Wymagaj(reka.wykres.empty() || reka.wykres.size() == czasy.size() - (czasy.size() % 2 == 0 ? 1 : 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar)
{
    if (rozmiar == 0)
        return 0;
    const std::string_view tekst(reinterpret_cast<const char*>(dane + 1), rozmiar - 1);
    const std::size_t podzial = std::min(tekst.find('\xFF'), tekst.size());
    const std::string_view reszta = tekst.substr(std::min(podzial + 1, tekst.size()));
    switch (dane[0] % 3) {
    case 0: Zapis(tekst); break;
    case 1: Ocena(tekst.substr(0, podzial), reszta); break;
    default: Reka(tekst.substr(0, podzial), reinterpret_cast<const std::uint8_t*>(reszta.data()), reszta.size());
    }
    return 0;
}
