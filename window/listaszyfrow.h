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

}  // namespace wirlok
