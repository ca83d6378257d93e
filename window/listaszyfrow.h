// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace wirlok {

struct WpisListy {
    std::u32string_view tekst;
    std::uint8_t numerSzyfru;
};

// The cipher list in display order. The index of an entry is not its
// cipher number: "Koniecmatury" is cipher 3 and "Flashpoint" cipher 2.
inline constexpr std::array<WpisListy, 4> ListaSzyfrow{{
    {U"Mors", 10},
    {U"Gaderypoluki", 1},
    {U"Koniecmatury", 3},
    {U"Flashpoint", 2},
}};

// The entry the commands see as selected: none (-1) when the list's edit
// part holds typed text other than the text of the entry the list shows.
constexpr std::int16_t WybranyWpis(int indeks, std::u32string_view tekstEdycji)
{
    if (indeks < 0 || static_cast<std::size_t>(indeks) >= ListaSzyfrow.size()
        || ListaSzyfrow[indeks].tekst != tekstEdycji)
        return -1;
    return static_cast<std::int16_t>(indeks);
}

}  // namespace wirlok
