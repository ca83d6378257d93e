// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string>
#include <string_view>

namespace wirlok {

// What a letter-pair cipher makes of each ASCII character; every other
// character passes unchanged.
using Zamiany = std::array<char32_t, 128>;

// Builds the replacements from a key written as its pairs, "ga-de-ry-po-lu-ki".
// Each letter swaps with its partner, upper case with upper case.
constexpr Zamiany ZamianyKlucza(std::string_view klucz)
{
    constexpr char32_t odstepWielkich = U'a' - U'A';
    Zamiany zamiany{};
    for (std::size_t znak = 0; znak < zamiany.size(); ++znak)
        zamiany[znak] = static_cast<char32_t>(znak);
    for (std::size_t i = 0; i + 1 < klucz.size(); i += 3) {
        const char32_t x = static_cast<unsigned char>(klucz[i]);
        const char32_t y = static_cast<unsigned char>(klucz[i + 1]);
        zamiany[x] = y;
        zamiany[y] = x;
        zamiany[x - odstepWielkich] = y - odstepWielkich;
        zamiany[y - odstepWielkich] = x - odstepWielkich;
    }
    return zamiany;
}

inline constexpr Zamiany Gaderypoluki = ZamianyKlucza("ga-de-ry-po-lu-ki");
inline constexpr Zamiany Flashpoint = ZamianyKlucza("fl-as-hp-oi-nt");
inline constexpr Zamiany Koniecmatury = ZamianyKlucza("ko-ni-ec-ma-tu-ry");

// Swaps the key letters of the text in place and returns it.
std::u32string SzyfrParowy(const Zamiany& zamiany, std::u32string tekst);

}  // namespace wirlok
