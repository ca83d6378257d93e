// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

// A torch keying Morse seen by a phone's camera, as the page hands its
// frames over: 160 by 120 pixels of brightness at about 30 frames a second,
// each pixel a little square of the scene integrated over the frame's
// exposure. The torch is 1 to 2 pixels across; the camera drifts, shakes
// and wanders (the whole scene moves), the torch dims, the exposure pumps
// while it is lit, a street lamp and a flickering screen stand beside it,
// the sky at dusk is almost as bright, the sensor is noisy. What an ideal
// receiver is told (the torch's pixels and the timing) comes with each
// frame.

#include "bench/nadajnik.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

namespace wirlok::bench {

constexpr std::size_t SzerokoscKlatki = 160;
constexpr std::size_t WysokoscKlatki = 120;
constexpr double Klatek = 30;  // a second

// What a scene holds; 0 or false leaves a thing out.
struct Pole {
    double rozmiar;         // the torch's side in pixels; 0: 1 to 2, a message's own
    double dryf = 0;        // pixels over 20 s
    double drganie = 0;     // pixels each of two swings on each axis, at 2 to 8 Hz
    double wedrowka = 0;    // pixels across a slow wandering
    double gasnie = 0;      // dB the torch dims by and comes back, every 20 s
    double pompa = 0;       // the part of the exposure lost while the torch is lit
    bool inne = false;      // a street lamp and a flickering screen beside the torch
    bool zmierzch = false;  // a grey sky; the torch 30 levels above it
    double szum = 2;        // the sensor noise's deviation, in levels
    double od = 2;          // seconds before the message starts
};

// One frame, with what the ideal receiver knows of it: each torch pixel,
// its brightness were the torch off, and what the lit torch adds.
struct Klatka {
    double czas;
    std::vector<std::uint8_t> jasnosc;
    struct Piksel {
        std::size_t i;
        double bez;
        double latarka;
    };
    std::vector<Piksel> latarka;
};

class PoleSwiatla {
public:
    PoleSwiatla(const Pole& pole, std::vector<Odcinek> znaki, unsigned ziarno)
        : pole_(pole)
        , znaki_(std::move(znaki))
        , los_(ziarno)
        , szumy_(SzerokoscKlatki * WysokoscKlatki * 2)
        , obraz_(SzerokoscKlatki * WysokoscKlatki)
    {
        std::normal_distribution<float> szum(0, 1);
        for (float& s : szumy_)
            s = szum(los_);
        std::uniform_real_distribution<double> jeden(0, 1);
        rozmiar_ = pole.rozmiar > 0 ? pole.rozmiar : 1 + jeden(los_);
        x_ = 70 + 20 * jeden(los_);
        y_ = 45 + 20 * jeden(los_);
        for (double& f : faza_)
            f = 2 * std::numbers::pi * jeden(los_);
        for (double& c : czestosc_)
            c = 2 + 6 * jeden(los_);
        kierunek_ = 2 * std::numbers::pi * jeden(los_);
        migotanie_ = 3 + 3 * jeden(los_);
    }

    double Koniec() const { return znaki_.back().koniec + 2; }

    // The frame taken at `czas`, exposed over the frame's time before it.
    const Klatka& Nastepna()
    {
        std::uniform_real_distribution<double> drganie(-0.003, 0.003);
        const double czas = static_cast<double>(++numer_) / Klatek + drganie(los_);
        klatka_.czas = czas;
        const double swieci = Swieci(czas - 1 / Klatek, czas);
        // The camera's exposure follows the scene a few frames late.
        pompa_ += (1 - std::exp(-1 / Klatek / 0.15)) * (Swieci(czas - 0.1 - 1 / Klatek, czas - 0.1) - pompa_);
        const double wzmocnienie = 1 - pole_.pompa * pompa_;
        const auto [dx, dy] = Ruch(czas);
        Scena(czas, dx, dy);
        const double jasnosc = (pole_.zmierzch ? 30 : 200)
            * std::pow(10, -pole_.gasnie / 20 * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * czas / 20)));
        klatka_.latarka.clear();
        const double x = x_ + dx;
        const double y = y_ + dy;
        const double r = rozmiar_ / 2;
        Prostokat(x - r, y - r, x + r, y + r, swieci * jasnosc, [&](std::size_t i, double c) {
            klatka_.latarka.push_back({i, obraz_[i] * wzmocnienie, c * jasnosc * wzmocnienie});
        });
        std::uniform_int_distribution<std::size_t> przesuniecie(0, SzerokoscKlatki * WysokoscKlatki);
        const float* szum = szumy_.data() + przesuniecie(los_);
        klatka_.jasnosc.resize(obraz_.size());
        for (std::size_t i = 0; i < obraz_.size(); ++i) {
            const double j = obraz_[i] * wzmocnienie + pole_.szum * szum[i];
            klatka_.jasnosc[i] = static_cast<std::uint8_t>(std::clamp(std::round(j), 0.0, 255.0));
        }
        return klatka_;
    }

private:
    // How much of the time between two times the torch is lit.
    double Swieci(double od, double do_) const
    {
        double swieci = 0;
        for (const Odcinek& z : znaki_) {
            if (z.poczatek >= do_)
                break;
            swieci += std::max(0.0, std::min(do_, z.koniec) - std::max(od, z.poczatek));
        }
        return swieci / (do_ - od);
    }

    std::pair<double, double> Ruch(double czas) const
    {
        using std::numbers::pi;
        const double dryf = pole_.dryf * czas / 20;
        double dx = dryf * std::cos(kierunek_)
            + pole_.wedrowka / 2 * (std::sin(2 * pi * czas / 17 + faza_[0]) - std::sin(faza_[0]));
        double dy = dryf * std::sin(kierunek_)
            + pole_.wedrowka / 2 * (std::sin(2 * pi * czas / 23 + faza_[1]) - std::sin(faza_[1]));
        for (std::size_t i = 0; i < 2; ++i) {
            dx += pole_.drganie * std::sin(2 * pi * czestosc_[i] * czas + faza_[2 + i]);
            dy += pole_.drganie * std::sin(2 * pi * czestosc_[2 + i] * czas + faza_[4 + i]);
        }
        return {dx, dy};
    }

    // The scene without the torch, moved by the camera.
    void Scena(double czas, double dx, double dy)
    {
        const double ziemia = 95 + dy;
        for (std::size_t w = 0; w < WysokoscKlatki; ++w) {
            const auto y = static_cast<double>(w);
            const double niebo = pole_.zmierzch ? 160 + 20 * y / WysokoscKlatki : 12;
            const double wiersz = std::clamp(ziemia - y, 0.0, 1.0);
            const double poziom = wiersz * niebo + (1 - wiersz) * (pole_.zmierzch ? 50 : 8);
            std::fill_n(obraz_.begin() + static_cast<std::ptrdiff_t>(w * SzerokoscKlatki), SzerokoscKlatki, poziom);
        }
        // Two lit windows far off, which shake with the rest.
        Dodaj(20 + dx, 20 + dy, 30 + dx, 34 + dy, 120);
        Dodaj(130 + dx, 90 + dy, 146 + dx, 100 + dy, 140);
        if (!pole_.inne)
            return;
        const double x = x_ + dx;
        const double y = y_ + dy;
        // A street lamp with its halo, and a screen flickering at a steady rate.
        Dodaj(x - 27, y - 11, x - 17, y - 1, 50);
        Dodaj(x - 23.5, y - 7.5, x - 20.5, y - 4.5, 200);
        const double fala = std::fmod(czas * migotanie_, 1.0);
        const double zapalony = std::clamp((0.5 - fala) * Klatek * 2 / migotanie_, 0.0, 1.0);
        Dodaj(x + 14, y + 2, x + 24, y + 9, 80 + 70 * zapalony);
    }

    void Dodaj(double x0, double y0, double x1, double y1, double jasnosc)
    {
        Prostokat(x0, y0, x1, y1, jasnosc, [](std::size_t, double) {});
    }

    // Adds a rectangle of a brightness to the pixels it covers, in part at
    // its edges; `kazdy(i, pokrycie)` is told each pixel.
    template <typename Kazdy>
    void Prostokat(double x0, double y0, double x1, double y1, double jasnosc, Kazdy kazdy)
    {
        const auto od = [](double a) { return static_cast<std::size_t>(std::max(0.0, std::floor(a))); };
        const auto do_ = [](double a, std::size_t n) {
            return static_cast<std::size_t>(std::clamp(std::ceil(a), 0.0, static_cast<double>(n)));
        };
        for (std::size_t w = od(y0); w < do_(y1, WysokoscKlatki); ++w) {
            const auto gora = static_cast<double>(w);
            const double cy = std::min(y1, gora + 1) - std::max(y0, gora);
            for (std::size_t k = od(x0); k < do_(x1, SzerokoscKlatki); ++k) {
                const auto lewo = static_cast<double>(k);
                const double c = cy * (std::min(x1, lewo + 1) - std::max(x0, lewo));
                if (c <= 0)
                    continue;
                kazdy(w * SzerokoscKlatki + k, c);
                obraz_[w * SzerokoscKlatki + k] += static_cast<float>(c * jasnosc);
            }
        }
    }

    Pole pole_;
    std::vector<Odcinek> znaki_;
    std::mt19937 los_;
    std::vector<float> szumy_;
    std::vector<float> obraz_;
    Klatka klatka_;
    std::size_t numer_ = 0;
    double rozmiar_;
    double x_;
    double y_;
    std::array<double, 6> faza_{};
    std::array<double, 4> czestosc_{};
    double kierunek_;
    double migotanie_;
    double pompa_ = 0;
};

}  // namespace wirlok::bench
