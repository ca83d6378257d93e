// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The first byte picks the detector. Even: the tone detector at the sample
// rate of the next eight bytes (a double, any), fed the rest as floats
// (NaN, infinities, huge) in blocks of the sizes the bytes give. Odd: the
// light detector, fed frames of any small size at any times (backwards,
// NaN), with a tap now and then. Each may write nothing but notation.
#include "sygnal/swiatlo.h"
#include "sygnal/ton.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace {

void Wymagaj(bool warunek)
{
    if (!warunek)
        std::abort();
}

void Zapis(const std::u32string& zapis)
{
    for (const char32_t z : zapis)
        Wymagaj(z == U'.' || z == U'-' || z == U'\\');
}

double Liczba(const std::uint8_t* dane)
{
    double liczba = 0;
    std::memcpy(&liczba, dane, sizeof liczba);
    return liczba;
}

void Ton(const std::uint8_t* dane, std::size_t rozmiar)
{
    if (rozmiar < 9)
        return;
    wirlok::Odbiornik odbiornik;
    wirlok::WykrywaczTonu wykrywacz(Liczba(dane + 1), odbiornik);
    std::vector<float> probki((rozmiar - 9) / sizeof(float));
    if (!probki.empty())
        std::memcpy(probki.data(), dane + 9, probki.size() * sizeof(float));
    // Each sample twice, so that the longest inputs make a second of sound
    // at the lowest rate.
    std::vector<float> dlugie;
    for (const float p : probki)
        dlugie.insert(dlugie.end(), 2, p);
    const std::span<const float> wszystkie(dlugie);
    for (std::size_t i = 0, blok = 1; i < wszystkie.size(); i += blok, blok = blok * 7 % 300 + 1)
        wykrywacz.Dodaj(wszystkie.subspan(i, std::min(blok, wszystkie.size() - i)));
    wykrywacz.Koniec();
    Zapis(odbiornik.Odbierz());
    Wymagaj(!std::isnan(wykrywacz.Poziom()) && !std::isnan(wykrywacz.Slowa()));
}

// Each frame: a byte of width, one of height, eight of time, a byte of
// brightness for all of it and one for its middle; a width of zero taps
// at the next two bytes. Five seconds of frames at most.
void Swiatlo(const std::uint8_t* dane, std::size_t rozmiar)
{
    wirlok::Odbiornik odbiornik;
    wirlok::WykrywaczSwiatla wykrywacz(odbiornik);
    std::vector<std::uint8_t> klatka;
    for (std::size_t i = 1; i + 11 <= rozmiar && i < std::size_t{11} * 150; i += 11) {
        const std::size_t szerokosc = dane[i] % 17;
        const std::size_t wysokosc = dane[i + 1] % 16 + 1;
        if (szerokosc == 0) {
            wykrywacz.Wskaz(dane[i + 1] / 100.0 - 0.5, dane[i + 2] / 100.0 - 0.5);
            continue;
        }
        klatka.assign(szerokosc * wysokosc, dane[i + 10]);
        klatka[klatka.size() / 2] = dane[i + 9];
        wykrywacz.Obraz(klatka, szerokosc, wysokosc, Liczba(dane + i + 2));
        Zapis(odbiornik.Odbierz());
        Wymagaj(wykrywacz.X() >= 0 && wykrywacz.X() <= 1 && wykrywacz.Y() >= 0 && wykrywacz.Y() <= 1);
    }
    odbiornik.Koniec();
    Zapis(odbiornik.Odbierz());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dane, std::size_t rozmiar)
{
    if (rozmiar == 0)
        return 0;
    if (dane[0] % 2 == 0)
        Ton(dane, rozmiar);
    else
        Swiatlo(dane, rozmiar);
    return 0;
}
