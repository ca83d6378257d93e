// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {

// What a hand keys, in the standard proportion 1 : 3 : 1 : 3 : 7.
enum class Element { Kropka, Kreska, WLiterze, MiedzyLiterami, MiedzySlowami };

// One kind's lengths: their mean in dots and their relative spread
// (standard deviation over the mean).
struct Rozklad {
    double dotow;
    double rozrzut;
};

// A mark or a gap as keyed, in dots of the hand's own dot, over its place
// on the standard grid.
struct Odcinek {
    Element rodzaj;
    double poczatek;
    double dlugosc;
    double wzorPoczatek;
    double wzorDlugosc;
};

struct Reka {
    std::string odczytane;  // what the receiver read
    bool zgodne = false;    // it is what was asked
    double kropkaMs = 0;
    double slowa = 0;  // the speed the dot gives
    std::optional<Rozklad> kropka, kreska, wLiterze, miedzyLiterami, miedzySlowami;
    std::vector<std::string> porady;  // a line for each proportion off by more than 15 %
    std::vector<Odcinek> wykres;
};

// Judges a keyed attempt at `zadane` (letters and spaces) from the key's
// timing in seconds: mark, space, mark, ..., mark. The receiver reads it;
// where it read what was asked, the asked code tells each mark and gap
// what it is, else their lengths do.
Reka OcenReke(std::string_view zadane, std::span<const double> czasy);

}  // namespace wirlok
