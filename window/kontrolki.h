// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace wirlok {

// The window and its controls as the window system draws them, in twips
// (1/1440 inch), measured from the top-left corner of the client area.
// Every front end builds its window from this table.

inline constexpr int TwipyNaCal = 1440;

// Twips to pixels at the given resolution, rounded to the nearest pixel.
constexpr int Piksele(int twipy, int dpi = 96) { return (twipy * dpi + TwipyNaCal / 2) / TwipyNaCal; }

struct Prostokat {
    int lewo, gora, szerokosc, wysokosc;
};

enum class Rodzaj { PoleTekstowe, ListaRozwijana, Przycisk };

struct Kontrolka {
    std::string_view nazwa;
    Rodzaj rodzaj;
    std::u32string_view podpis;  // the caption of a button, the name a screen reader speaks
    Prostokat miejsce;
    int kolejnoscTab;
};

inline constexpr std::string_view NazwaOkna = "Form1";
inline constexpr std::u32string_view TytulOkna = U"Wirlok by DREVNOK";
inline constexpr int SzerokoscOkna = 4680;
inline constexpr int WysokoscOkna = 1965;

// In the order the window declares them.
// clang-format off
inline constexpr std::array<Kontrolka, 6> Kontrolki{{
    {"a",            Rodzaj::PoleTekstowe,   U"Pole górne",    {120, 120, 3135, 315},   5},
    {"listaszyfrow", Rodzaj::ListaRozwijana, U"Lista szyfrów", {3360, 120, 1215, 315},  4},
    {"Wyczysc2",     Rodzaj::Przycisk,       U"Wyczyść dół",   {3120, 1600, 1495, 300}, 3},
    {"Wyczysc1",     Rodzaj::Przycisk,       U"Wyczyść górę",  {1680, 1600, 1400, 300}, 2},
    {"b",            Rodzaj::PoleTekstowe,   U"Pole dolne",    {120, 480, 4455, 1035},  1},
    {"Tlumacz",      Rodzaj::Przycisk,       U"Przetłumacz",   {120, 1600, 1495, 300},  0},
}};
// clang-format on

// The controls in the order the keyboard focus visits them.
constexpr std::array<Kontrolka, Kontrolki.size()> KontrolkiWKolejnosciTab()
{
    auto kontrolki = Kontrolki;
    // std::sort, not std::ranges::sort: libc++ 14 (the WebAssembly build's)
    // has no ranges algorithms yet.
    std::sort(kontrolki.begin(), kontrolki.end(), [](const Kontrolka& x, const Kontrolka& y) {
        return x.kolejnoscTab < y.kolejnoscTab;
    });
    return kontrolki;
}

}  // namespace wirlok
