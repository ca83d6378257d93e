// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The light detector with the receiver on a generated camera's picture:
// 640 by 480 at about 30 frames a second, a dark and noisy scene with a few
// bright windows that never change, and a light of 16 by 16 pixels that
// drifts a few pixels a second and now and then jumps a little, keying
// random five-letter groups at 5 to 15 words per minute.

#include "bench/nadajnik.h"
#include "bench/stoper.h"
#include "sygnal/swiatlo.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr std::size_t Szerokosc = 640;
constexpr std::size_t Wysokosc = 480;
constexpr std::size_t Bok = 16;
constexpr double Tlo = 20;
constexpr double Szum = 8;
constexpr double Lampa = 230;

struct Prostokat {
    std::size_t x;
    std::size_t y;
    std::size_t szerokosc;
    std::size_t wysokosc;
};

// Bright windows of the scene.
constexpr std::array<Prostokat, 3> okna = {{{40, 40, 60, 90}, {500, 60, 80, 40}, {300, 380, 120, 50}}};

class Scena {
public:
    explicit Scena(unsigned ziarno)
        : los_(ziarno)
        , szum_(Szerokosc * Wysokosc * 2)
    {
        std::normal_distribution<double> szum(Tlo, Szum);
        for (std::uint8_t& s : szum_)
            s = static_cast<std::uint8_t>(std::clamp(szum(los_), 0.0, 255.0));
    }

    // The frame at a time: the light lit for this part of the exposure.
    const std::vector<std::uint8_t>& Klatka(double czas, double swieci)
    {
        std::uniform_int_distribution<std::size_t> przesuniecie(0, Szerokosc * Wysokosc);
        const std::size_t od = przesuniecie(los_);
        klatka_.assign(szum_.begin() + static_cast<std::ptrdiff_t>(od),
            szum_.begin() + static_cast<std::ptrdiff_t>(od + Szerokosc * Wysokosc));
        for (const Prostokat& o : okna)
            Rysuj(o, 200);
        // A slow circle of 40 pixels across, a few pixels a second, and a
        // jump of 4 pixels every 7 seconds.
        const double kat = czas / 20;
        const double skok = static_cast<int>(czas / 7) % 2 * 4;
        x_ = 320 + 20 * std::cos(kat) + skok;
        y_ = 240 + 20 * std::sin(kat);
        if (swieci > 0)
            Rysuj({static_cast<std::size_t>(x_) - Bok / 2, static_cast<std::size_t>(y_) - Bok / 2, Bok, Bok},
                Tlo + swieci * Lampa);
        return klatka_;
    }
    double X() const { return x_ / static_cast<double>(Szerokosc); }
    double Y() const { return y_ / static_cast<double>(Wysokosc); }

private:
    void Rysuj(const Prostokat& p, double jasnosc)
    {
        for (std::size_t y = p.y; y < p.y + p.wysokosc; ++y) {
            for (std::size_t x = p.x; x < p.x + p.szerokosc; ++x) {
                std::uint8_t& piksel = klatka_[y * Szerokosc + x];
                piksel = static_cast<std::uint8_t>(std::clamp(jasnosc + piksel - Tlo, 0.0, 255.0));
            }
        }
    }

    std::mt19937 los_;
    std::vector<std::uint8_t> szum_;
    std::vector<std::uint8_t> klatka_;
    double x_ = 0;
    double y_ = 0;
};

// How long the light is lit between two times.
double Swieci(const std::vector<Odcinek>& znaki, double od, double do_)
{
    double swieci = 0;
    for (const Odcinek& z : znaki)
        swieci += std::max(0.0, std::min(do_, z.koniec) - std::max(od, z.poczatek));
    return swieci / (do_ - od);
}

struct Wynik {
    double blad;
    double us;
    double odleglosc;  // of the place found from the light's, in pixels, at the end
};

Wynik Odbierz(double slowa, unsigned ziarno)
{
    std::mt19937 los(ziarno);
    const std::string tekst = Grupy(30, los);
    const std::vector<Odcinek> znaki = Znaki(tekst, {slowa}, 2, los);
    Scena scena(ziarno);
    Odbiornik odbiornik;
    WykrywaczSwiatla wykrywacz(odbiornik);
    std::u32string notacja;
    std::uniform_real_distribution<double> drganie(-0.004, 0.004);
    double ms = 0;
    std::size_t klatek = 0;
    for (double czas = 0; czas < znaki.back().koniec + 2; czas += 1.0 / 30 + drganie(los), ++klatek) {
        const std::vector<std::uint8_t>& klatka = scena.Klatka(czas, Swieci(znaki, czas - 1.0 / 30, czas));
        ms += Milisekundy([&] { wykrywacz.Obraz(klatka, Szerokosc, Wysokosc, czas); });
        notacja += odbiornik.Odbierz();
    }
    odbiornik.Koniec();
    notacja += odbiornik.Odbierz();
    const double dx = (wykrywacz.X() - scena.X()) * static_cast<double>(Szerokosc);
    const double dy = (wykrywacz.Y() - scena.Y()) * static_cast<double>(Wysokosc);
    return {Blad(tekst, Tekst(notacja)), 1000 * ms / static_cast<double>(klatek), std::hypot(dx, dy)};
}

}  // namespace
}  // namespace wirlok::bench

int main()
{
    using namespace wirlok::bench;
    std::printf("A light of 16 by 16 pixels in 640 by 480 at 30 frames a second\n%6s %8s %12s %14s %16s\n",
        "WPM",
        "CER %",
        "us a frame",
        "% of a core",
        "off by, pixels");
    unsigned ziarno = 1;
    for (const double slowa : {5.0, 8.0, 12.0, 15.0}) {
        const Wynik w = Odbierz(slowa, ziarno++);
        std::printf("%6.0f %8.1f %12.0f %14.2f %16.1f\n", slowa, 100 * w.blad, w.us, w.us * 30 / 1e4, w.odleglosc);
    }
}
