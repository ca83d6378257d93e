// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/utf16.h"

namespace wirlok {
namespace {

constexpr bool Wysoki(char32_t z) { return z >= 0xD800 && z <= 0xDBFF; }
constexpr bool Niski(char32_t z) { return z >= 0xDC00 && z <= 0xDFFF; }
constexpr char32_t PierwszyPozaBMP = 0x10000;
constexpr char32_t OstatniZnak = 0x10FFFF;
constexpr char32_t Zastepczy = 0xFFFD;

}  // namespace

std::u32string ZUtf16(std::u16string_view tekst)
{
    std::u32string wynik;
    wynik.reserve(tekst.size());
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        const char32_t z = tekst[i];
        if (Wysoki(z) && i + 1 < tekst.size() && Niski(tekst[i + 1]))
            wynik += static_cast<char32_t>(PierwszyPozaBMP + ((z - 0xD800) << 10) + (tekst[++i] - 0xDC00));
        else
            wynik += z;
    }
    return wynik;
}

std::u16string DoUtf16(std::u32string_view tekst)
{
    std::u16string wynik;
    wynik.reserve(tekst.size());
    for (const char32_t z : tekst) {
        if (z < PierwszyPozaBMP) {
            wynik += static_cast<char16_t>(z);
        } else if (z <= OstatniZnak) {
            wynik += static_cast<char16_t>(0xD800 + ((z - PierwszyPozaBMP) >> 10));
            wynik += static_cast<char16_t>(0xDC00 + ((z - PierwszyPozaBMP) & 0x3FF));
        } else {
            wynik += static_cast<char16_t>(Zastepczy);  // no UTF-16 form
        }
    }
    return wynik;
}

}  // namespace wirlok
