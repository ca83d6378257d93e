// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok::bench {

// Polish prose of the given length, the same for every run: sentences of
// common words, with capitals, commas, full stops and line breaks.
inline std::u32string Proza(std::size_t dlugosc)
{
    constexpr std::u32string_view slownik = U"ala ma kota i psa w lesie harcerze rozpalili ognisko nad jeziorem "
                                            U"zastęp wyruszył o świcie na szlak przez góry wiatr szumiał między "
                                            U"sosnami drużynowy odczytał szyfrowaną wiadomość że obóz będzie jutro "
                                            U"żółw źródło gęś łąka ćma dźwięk się pośpiechu";
    std::vector<std::u32string_view> slowa;
    for (std::size_t od = 0; od < slownik.size();) {
        const std::size_t spacja = std::min(slownik.find(U' ', od), slownik.size());
        slowa.push_back(slownik.substr(od, spacja - od));
        od = spacja + 1;
    }
    std::mt19937 los(1910);
    std::uniform_int_distribution<std::size_t> slowo(0, slowa.size() - 1);
    std::uniform_int_distribution<int> kostka(0, 11);
    std::u32string tekst;
    tekst.reserve(dlugosc + 32);
    bool poczatekZdania = true;
    while (tekst.size() < dlugosc) {
        std::u32string_view s = slowa[slowo(los)];
        const std::size_t poczatek = tekst.size();
        tekst += s;
        if (poczatekZdania && tekst[poczatek] >= U'a' && tekst[poczatek] <= U'z')
            tekst[poczatek] -= U'a' - U'A';
        const int rzut = kostka(los);
        poczatekZdania = rzut < 2;
        tekst += rzut == 0 ? U".\n" : rzut == 1 ? U". " : rzut == 2 ? U", " : U" ";
    }
    tekst.resize(dlugosc);
    return tekst;
}

}  // namespace wirlok::bench
