// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "window/polecenia.h"

#include <cstddef>
#include <vector>

namespace wirlok {

// A message sent as Morse code: its tones and letters on a time line
// counted in units (a dot's length), so that a front end only multiplies by
// the unit of its speed.

struct Ton {
    int poczatek;  // units from the message's start
    int dlugosc;   // 1 a dot, 3 a dash
};

// A letter is marked from its start until the next one starts. It stands
// at characters [znak, znak + znaki) of the field that is sent.
struct Litera {
    int poczatek;
    std::size_t znak;
    std::size_t znaki;
};

struct Nadanie {
    int pole = 0;  // 0 the upper field a, 1 the lower field b
    std::vector<Ton> tony;
    std::vector<Litera> litery;
    int dlugosc = 0;  // units, with the word gaps after the last letter
};

// What the window sends: a field that holds Morse notation (one the
// translator would decode) as it stands, the field Translate would read
// first; or else the Morse encoding of the field Translate would read.
Nadanie DoNadania(const StanOkna& okno);

}  // namespace wirlok
