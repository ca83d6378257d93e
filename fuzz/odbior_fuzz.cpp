// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The first byte picks what is fuzzed. Even: the receiver gets any
// durations (NaN, infinities, negative, huge) in any order, as a byte for
// the call and eight for its double, and may write nothing but notation.
// Odd: the sending time line of any two fields (split at 0xFF, a byte a
// character, the low ones Morse and Polish characters) keeps its tones and
// letters in order and within bounds.
#include "sygnal/odbieranie.h"
#include "window/nadawanie.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Wymagaj(bool warunek)
{
    if (!warunek)
        std::abort();
}

void Zapis(std::u32string_view zapis)
{
    for (const char32_t z : zapis)
        Wymagaj(z == U'.' || z == U'-' || z == U'\\');
}

void Odbior(const std::uint8_t* dane, std::size_t rozmiar)
{
    wirlok::Odbiornik odbiornik;
    for (std::size_t i = 0; i < rozmiar; i += 9) {
        double sekundy = 0;
        std::memcpy(&sekundy, dane + i + 1, std::min<std::size_t>(8, rozmiar - i - 1));
        switch (dane[i] % 4) {
        case 0: odbiornik.Znak(sekundy); break;
        case 1: odbiornik.Przerwa(sekundy); break;
        case 2: odbiornik.Koniec(); break;
        default: Zapis(odbiornik.Odbierz());
        }
        Wymagaj(odbiornik.Jednostka() >= 0);
    }
    odbiornik.Koniec();
    Zapis(odbiornik.Odbierz());
}

void Nadawanie(const std::uint8_t* dane, std::size_t rozmiar)
{
    static constexpr std::array<char32_t, 8> niskie = {U'.', U'-', U'\\', U'/', U' ', U'a', U'ą', U'\U0001F600'};
    wirlok::StanOkna okno;
    std::u32string* pole = &okno.a;
    for (std::size_t i = 0; i < rozmiar; ++i) {
        if (dane[i] == 0xFF)
            pole = &okno.b;
        else
            *pole += dane[i] < niskie.size() ? niskie.at(dane[i]) : char32_t{dane[i]};
    }
    const wirlok::Nadanie nadanie = wirlok::DoNadania(okno);
    Wymagaj((nadanie.pole == 0 || nadanie.pole == 1) && (nadanie.znaczone == 0 || nadanie.znaczone == 1));
    int koniec = 0;
    for (const wirlok::Ton& ton : nadanie.tony) {
        Wymagaj(ton.poczatek >= koniec && (ton.dlugosc == 1 || ton.dlugosc == 3));
        koniec = ton.poczatek + ton.dlugosc;
    }
    Wymagaj(koniec <= nadanie.dlugosc);
    const std::size_t znaki = (nadanie.znaczone == 0 ? okno.a : okno.b).size();
    for (std::size_t i = 0; i < nadanie.litery.size(); ++i) {
        const wirlok::Litera& l = nadanie.litery[i];
        Wymagaj(l.poczatek <= nadanie.dlugosc && l.znaki > 0 && l.znak + l.znaki <= znaki);
        if (i > 0)
            Wymagaj(l.poczatek > nadanie.litery[i - 1].poczatek && l.znak > nadanie.litery[i - 1].znak);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar)
{
    if (rozmiar == 0)
        return 0;
    if (dane[0] % 2 == 0)
        Odbior(dane + 1, rozmiar - 1);
    else
        Nadawanie(dane + 1, rozmiar - 1);
    return 0;
}
