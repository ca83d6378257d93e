#pragma once

#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace wirlok::bench {

// Polish prose of the given length, the same for every run: sentences of
// common words, with capitals, commas, full stops and line breaks.
inline std::u32string Proza(std::size_t dlugosc)
{
    static constexpr std::array<std::u32string_view, 40> slowa{
        U"ala", U"ma", U"kota", U"i", U"psa", U"w", U"lesie", U"harcerze", U"rozpalili", U"ognisko",
        U"nad", U"jeziorem", U"zastęp", U"wyruszył", U"o", U"świcie", U"na", U"szlak", U"przez", U"góry",
        U"wiatr", U"szumiał", U"między", U"sosnami", U"drużynowy", U"odczytał", U"szyfrowaną", U"wiadomość",
        U"że", U"obóz", U"będzie", U"jutro", U"żółw", U"źródło", U"gęś", U"łąka", U"ćma", U"dźwięk",
        U"się", U"pośpiechu"};
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
