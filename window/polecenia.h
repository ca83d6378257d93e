// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

namespace wirlok {

// What the window holds: the upper field a, the lower field b and the
// selected entry of the cipher list (-1: none).
struct StanOkna {
    std::u32string a;
    std::u32string b;
    std::int16_t listaszyfrow = -1;
};

void Form1_Load(StanOkna&);
void Tlumacz_Click(StanOkna&);
void Wyczysc1_Click(StanOkna&);
void Wyczysc2_Click(StanOkna&);

}  // namespace wirlok
