// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wirlok {

// Letters sent and letters received right, by letter a–z.
struct Wyniki {
    std::array<std::uint16_t, 26> wyslane{};
    std::array<std::uint16_t, 26> trafione{};
};

enum class StanZnaku { Dobrze, Zle, Brak, Nadmiar };

// One step of the alignment: the letter sent (' ' a gap between groups,
// 0 none) and the letter typed (0 none).
struct ZnakOceny {
    char wyslana;
    char wpisana;
    StanZnaku stan;
};

struct Ocena {
    int procent = 0;
    std::vector<ZnakOceny> znaki;
    Wyniki wyniki;
};

// Scores typed text against the groups sent (letters a–z, one space
// between groups): case and spaces typed are ignored, and the letters are
// aligned by edit distance, so that a missed letter or an extra one costs
// one and a swapped pair two. The score is the sent letters less the cost,
// in percent of the sent letters, 0–100. Typed text far longer than sent
// is cut: the rest only adds to the cost.
Ocena Ocen(std::string_view wyslane, std::string_view wpisane);

}  // namespace wirlok
