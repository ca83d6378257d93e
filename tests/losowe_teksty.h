// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <random>
#include <string>
#include <string_view>

namespace wirlok::testy {

// Characters that make the ciphers work hard: key letters in both cases,
// Polish letters, separators, dots and dashes, spaces and line breaks,
// letters whose full Unicode lower case is ASCII (Kelvin sign, dotted
// capital I), an emoji, a lone surrogate and a value beyond Unicode.
inline constexpr std::u32string_view TrudneZnaki
    = U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
      U"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ0123456789 \n\t.-\\/,;!?\u212A\u0130\U0001F600\xD800\x110000";

inline std::u32string LosowyTekst(std::mt19937& los, std::size_t najdluzszy)
{
    std::uniform_int_distribution<std::size_t> dlugosc(0, najdluzszy);
    std::uniform_int_distribution<std::size_t> znak(0, TrudneZnaki.size() - 1);
    std::u32string tekst(dlugosc(los), U' ');
    for (char32_t& z : tekst)
        z = TrudneZnaki[znak(los)];
    return tekst;
}

}  // namespace wirlok::testy
