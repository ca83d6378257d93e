// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/kluczowanie.h"
#include "sygnal/odbieranie.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace wirlok {

// Finds a keyed light in a camera's frames (brightness, a byte a pixel) and
// feeds a receiver with its marks and spaces. A torch far off is a pixel or
// two that a hand-held camera shakes about, beside lamps, screens and a
// bright sky. So each frame is first put back to a steady exposure (the
// median of the pixels' ratios to their recent means: a camera darkens the
// whole frame while a torch is lit); each pixel's rise over its own recent
// floor, summed over 2 by 2 pixels, is its contrast; a place's reading is
// the most contrast within 12 by 12 pixels around it, which a shaking light
// never leaves. A light is a place whose reading keys as Morse does: lit
// and dark apart, with short and long marks and spaces of no steady rhythm,
// unlike a steady lamp or a flickering screen. It is followed by where its
// contrast peaks while lit.
class WykrywaczSwiatla {
public:
    explicit WykrywaczSwiatla(Odbiornik& odbiornik);
    // A frame taken at a time in seconds, row after row; a frame of another
    // size starts anew, a frame out of time order starts a new message.
    void Obraz(std::span<const std::uint8_t> jasnosc, std::size_t szerokosc, std::size_t wysokosc, double czas);
    // The light is at this place of the picture (0 to 1 of its width and
    // height): it is followed from there.
    void Wskaz(double x, double y);

    bool Zlapany() const { return zlapany_; }
    double X() const;
    double Y() const;
    // Words per minute of the sender, from the receiver's unit.
    double Slowa() const;

private:
    void Rozmiar(std::size_t szerokosc, std::size_t wysokosc);
    double Ekspozycja(std::span<const std::uint8_t> jasnosc, double odstep);
    void Kontrast(std::span<const std::uint8_t> jasnosc, double wzmocnienie, double odstep);
    void Punkty();
    void Komorki();
    void Duze();
    void Zapisz();
    float Jasnosc(std::size_t w, std::size_t k, std::size_t promien) const;
    void Szukaj();
    struct Rytm {
        double pasuje = 0;  // the share of marks and spaces that fit Morse's lengths
        double kropka = 0;  // at this dot's length
    };
    std::size_t Najjasniejsza(std::size_t komorka) const;
    Rytm Ocena(std::size_t komorka, float nisko, float wysoko);
    double Dodaje(const std::vector<float>& sumy, std::size_t komorka, float nisko, float wysoko) const;
    static Rytm Dopasuj(const std::vector<float>& odcinki);
    static bool Miarowy(const std::vector<float>& odcinki);
    std::size_t Ogladane() const;
    void Przejdz(std::size_t komorka, Odbiornik* odbiornik);
    // A cell's reading in a frame kept, frames counted from the first.
    float Odczyt(std::size_t klatka, std::size_t komorka) const;
    void Sledz(double odstep);
    void Pusc();

    Odbiornik& odbiornik_;
    Kluczowanie kluczowanie_;
    std::size_t szerokosc_ = 0;
    std::size_t wysokosc_ = 0;
    std::size_t kolumn_ = 0;  // of cells, 4 by 4 pixels each
    std::size_t wierszy_ = 0;
    std::vector<float> dno_;       // each pixel's floor, at a steady exposure
    std::vector<float> kontrast_;  // over it, summed over 2 by 2 pixels from each
    std::vector<float> punkty_;    // that above the most of the places around
    std::vector<float> srednie_;   // of every 4th pixel each way, for the exposure
    std::vector<float> ilorazy_;
    float zwykly_ = 0;                // contrast where nothing changes
    float szum_ = 0;                  // and its deviation
    std::vector<float> komorki_;      // the most contrast in each cell
    std::vector<float> bloki_;        // the sum of each cell's
    std::vector<float> duze_;         // and 2 by 2 cells' over those around
    std::vector<float> jasne_;        // each cell's brightness
    std::vector<float> odczyty_;      // the last frames' readings of every cell, as a ring
    std::vector<float> sumy_;         // and brightness of the cells around it
    std::vector<float> pierscienie_;  // and of the ring of cells around those
    std::vector<double> czasy_;
    std::vector<float> robocze_;
    std::vector<std::pair<float, float>> poziomy_;  // a cell's dark and lit readings
    std::vector<float> przecietne_;                 // and its mean reading over the dark
    std::size_t klatek_ = 0;
    double czas_ = 0;
    double pierwszy_ = -1;
    bool zlapany_ = false;
    bool wskazany_ = false;
    double x_ = 0;  // in pixels
    double y_ = 0;
    double bezSwiatla_ = 0;  // seconds
};

}  // namespace wirlok
