// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/ocena.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

// Typed letters beyond twice the sent ones (and this margin) are not
// aligned, so that the alignment's table stays small.
constexpr std::size_t Margines = 16;

bool Litera(char z) { return z >= 'a' && z <= 'z'; }

// The typed letters in lower case; any other character but white space
// is one wrong letter ('?'), a UTF-8 sequence once.
std::string Wpisane(std::string_view tekst)
{
    std::string litery;
    for (const char z : tekst) {
        const auto bajt = static_cast<unsigned char>(z);
        if (z == ' ' || z == '\t' || z == '\n' || z == '\r' || (bajt >= 0x80 && bajt < 0xC0))
            continue;
        const char mala = z >= 'A' && z <= 'Z' ? static_cast<char>(z - 'A' + 'a') : z;
        litery += Litera(mala) ? mala : '?';
    }
    return litery;
}

// Counts stop at their type's top, the right ones never above the sent.
void Dolicz(std::uint16_t& ile)
{
    if (ile < std::numeric_limits<std::uint16_t>::max())
        ++ile;
}

enum Krok : std::uint8_t { Skos, WGore, WLewo };  // a pair, a missed letter, an extra letter

// Levenshtein's table over the sent letters (rows) and the typed ones,
// two rows of costs and every cell's step for the way back.
std::vector<Krok> Kroki(std::string_view a, std::string_view b, std::size_t& koszt)
{
    const std::size_t szer = b.size() + 1;
    std::vector<Krok> kroki((a.size() + 1) * szer, Skos);
    std::vector<std::size_t> poprzedni(szer);
    std::vector<std::size_t> biezacy(szer);
    for (std::size_t j = 0; j < szer; ++j) {
        poprzedni[j] = j;
        kroki[j] = WLewo;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        biezacy[0] = i;
        kroki[i * szer] = WGore;
        for (std::size_t j = 1; j < szer; ++j) {
            const std::size_t skos = poprzedni[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            const std::size_t gora = poprzedni[j] + 1;
            const std::size_t lewo = biezacy[j - 1] + 1;
            const std::size_t najmniej = std::min({skos, gora, lewo});
            biezacy[j] = najmniej;
            kroki[i * szer + j] = najmniej == skos ? Skos : najmniej == gora ? WGore : WLewo;
        }
        std::swap(poprzedni, biezacy);
    }
    koszt = poprzedni[b.size()];
    return kroki;
}

}  // namespace

Ocena Ocen(std::string_view wyslane, std::string_view wpisane)
{
    std::string litery;
    std::vector<bool> poOdstepie;  // a group starts at this letter
    bool odstep = false;
    for (const char z : wyslane) {
        if (Litera(z)) {
            poOdstepie.push_back(odstep && !litery.empty());
            litery += z;
        }
        odstep = z == ' ';
    }
    std::string wpisaneLitery = Wpisane(wpisane);
    const std::size_t nadmiar = wpisaneLitery.size() > 2 * litery.size() + Margines
        ? wpisaneLitery.size() - (2 * litery.size() + Margines)
        : 0;
    wpisaneLitery.resize(wpisaneLitery.size() - nadmiar);

    std::size_t koszt = 0;
    const std::vector<Krok> kroki = Kroki(litery, wpisaneLitery, koszt);
    koszt += nadmiar;

    Ocena ocena;
    std::size_t i = litery.size();
    std::size_t j = wpisaneLitery.size();
    const std::size_t szer = wpisaneLitery.size() + 1;
    while (i > 0 || j > 0) {
        const Krok krok = kroki[i * szer + j];
        if (krok == WLewo) {
            ocena.znaki.push_back({0, wpisaneLitery[--j], StanZnaku::Nadmiar});
            continue;
        }
        const char wyslana = litery[--i];
        const auto numer = static_cast<std::size_t>(wyslana - 'a');
        Dolicz(ocena.wyniki.wyslane[numer]);
        if (krok == WGore) {
            ocena.znaki.push_back({wyslana, 0, StanZnaku::Brak});
        } else {
            const char wpisana = wpisaneLitery[--j];
            const bool dobrze = wpisana == wyslana;
            ocena.znaki.push_back({wyslana, wpisana, dobrze ? StanZnaku::Dobrze : StanZnaku::Zle});
            if (dobrze)
                Dolicz(ocena.wyniki.trafione[numer]);
        }
        if (poOdstepie[i])
            ocena.znaki.push_back({' ', 0, StanZnaku::Dobrze});
    }
    std::reverse(ocena.znaki.begin(), ocena.znaki.end());
    const std::size_t n = litery.size();
    ocena.procent = n == 0 || koszt >= n ? 0 : static_cast<int>((n - koszt) * 100 / n);
    return ocena;
}

}  // namespace wirlok
