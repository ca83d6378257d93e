// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/kluczowanie.h"
#include "sygnal/odbieranie.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace wirlok {

// Finds a blinking light in a camera's frames (brightness, a byte a pixel)
// and feeds a receiver with its marks and spaces. The picture is cut into a
// grid of blocks of about 80 by 60; each block's brightness keeps a mean and
// a variance over the last seconds, and the light is where the variance
// stands out: a lamp switched on and off, not a bright window or a shadow.
// The light's brightness is read as the blocks around it weighted by their
// variance, so it follows the light as it drifts.
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
    void Siatka(std::size_t szerokosc, std::size_t wysokosc);
    void Bloki(std::span<const std::uint8_t> jasnosc);
    void Statystyka(double odstep);
    void Szukaj();
    void Przejdz(Odbiornik* odbiornik);
    bool Wagi();
    double Odczyt(const float* bloki) const;
    void Sledz(double odstep);

    struct Waga {
        std::size_t blok;
        double waga;
    };

    Odbiornik& odbiornik_;
    Kluczowanie kluczowanie_;
    std::size_t szerokosc_ = 0;
    std::size_t wysokosc_ = 0;
    std::size_t blok_ = 1;
    std::size_t kolumn_ = 0;
    std::size_t wierszy_ = 0;
    std::vector<double> jasnosci_;  // of each block in this frame
    std::vector<double> srednie_;
    std::vector<double> wariancje_;
    std::vector<double> robocze_;
    std::vector<float> klatki_;  // the blocks of the last frames
    std::vector<double> czasy_;
    std::size_t klatek_ = 0;
    std::vector<Waga> wagi_;
    double progWariancji_ = 0;
    double czas_ = 0;
    double pierwszy_ = -1;
    bool zlapany_ = false;
    bool wskazany_ = false;
    double x_ = 0.5;  // in blocks
    double y_ = 0.5;
    double bezSwiatla_ = 0;  // seconds
};

}  // namespace wirlok
