// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// Feeds Szyfruj any cipher number and any sequence of char32_t values, valid
// characters or not, and checks what must hold for every text.
#include "cipher/szyfruj.h"

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

bool Separator(char32_t z) { return z == U'\\' || z == U'/'; }

// What decoding gives back for an encoded text: no leading separator, ASCII
// letters in lower case, Polish letters on their base letter, "." and "-"
// as e and t, each separator as two spaces, anything else as it was.
std::u32string Zlozony(std::u32string_view tekst)
{
    static constexpr std::u32string_view polskie = U"ąĄćĆęĘłŁńŃóÓśŚżŻźŹ";
    static constexpr std::u32string_view bazowe = U"aacceellnnoosszzzz";
    if (!tekst.empty() && Separator(tekst.front()))
        tekst.remove_prefix(1);
    std::u32string wynik;
    for (const char32_t z : tekst) {
        if (z >= U'A' && z <= U'Z')
            wynik += z - U'A' + U'a';
        else if (const std::size_t p = polskie.find(z); p != std::u32string_view::npos)
            wynik += bazowe[p];
        else if (z == U'.' || z == U'-')
            wynik += z == U'.' ? U'e' : U't';
        else if (Separator(z))
            wynik += U"  ";
        else
            wynik += z;
    }
    return wynik;
}

bool Morse(std::u32string_view t)
{
    return !t.empty() && (t.front() == U'.' || t.front() == U'-' || t.back() == U'\\');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar)
{
    if (rozmiar == 0)
        return 0;
    const std::uint8_t numer = dane[0];
    std::u32string tekst((rozmiar - 1) / sizeof(char32_t), U'\0');
    std::memcpy(tekst.data(), dane + 1, tekst.size() * sizeof(char32_t));

    const std::u32string wynik = wirlok::Szyfruj(numer, tekst);
    switch (numer) {
    case 1:
    case 2:
    case 3:
        Wymagaj(wynik.size() == tekst.size());
        Wymagaj(wirlok::Szyfruj(numer, wynik) == tekst);
        break;
    case 10:
        if (Morse(tekst)) {
            Wymagaj(wynik.size() <= tekst.size());
        } else {
            Wymagaj(wynik.front() == U'\\' && wynik.back() == U'\\' && Morse(wynik));
            Wymagaj(wirlok::Szyfruj(numer, wynik) == Zlozony(tekst));
        }
        break;
    default: Wymagaj(wynik.empty());
    }
    return 0;
}
