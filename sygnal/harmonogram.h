// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string_view>
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
// at characters [znak, znak + znaki) of the marked field.
struct Litera {
    int poczatek;
    std::size_t znak;
    std::size_t znaki;
};

struct Nadanie {
    int pole = 0;      // the field sent: 0 the upper field a, 1 the lower field b
    int znaczone = 0;  // the field its letters are marked in
    std::vector<Ton> tony;
    std::vector<Litera> litery;
    int dlugosc = 0;  // units, with the word gaps after the last letter
};

// The time line of Morse notation in the engine's writing. Each letter is
// marked at its code in the notation itself, or, given the character each
// unit of the notation encodes (`znaki`), at that character.
Nadanie Harmonogram(std::u32string_view zapis, const std::vector<std::size_t>& znaki = {});

// The gaps between letters and between words in units: 3 and 7, or longer
// for Farnsworth's spacing, which slows the words and not the letters.
struct Odstepy {
    double litery = 3;
    double slowa = 7;
};

// The same time line with gaps of any length: starts become fractional.
struct TonCiagly {
    double poczatek;
    double dlugosc;
};

struct LiteraCiagla {
    double poczatek;
    std::size_t znak;
    std::size_t znaki;
};

struct NadanieCiagle {
    std::vector<TonCiagly> tony;
    std::vector<LiteraCiagla> litery;
    double dlugosc = 0;
};

NadanieCiagle Harmonogram(std::u32string_view zapis, Odstepy odstepy, const std::vector<std::size_t>& znaki = {});

}  // namespace wirlok
