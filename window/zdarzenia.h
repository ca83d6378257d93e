// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "window/polecenia.h"

#include <array>
#include <string_view>

namespace wirlok {

using Polecenie = void (*)(StanOkna&);

// Which command a click on each button runs; the window's load runs
// Form1_Load. No other event is handled.
struct Klikniecie {
    std::string_view przycisk;
    Polecenie polecenie;
};

inline constexpr std::array<Klikniecie, 3> Klikniecia{{
    {"Tlumacz", Tlumacz_Click},
    {"Wyczysc1", Wyczysc1_Click},
    {"Wyczysc2", Wyczysc2_Click},
}};

// What a command changed in the window state: a front end writes back only
// that, and leaves every other control with its cursor and undo history.
struct Zmiany {
    bool a;
    bool b;
    bool listaszyfrow;
};

Zmiany Wykonaj(Polecenie polecenie, StanOkna& stan);

}  // namespace wirlok
