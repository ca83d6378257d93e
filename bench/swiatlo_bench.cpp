// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The light detector with the receiver in the field (bench/pole_swiatla.h):
// a torch of 1 to 2 pixels in 160 by 120 frames at 30 a second keying
// random five-letter groups at 5 to 15 words per minute, in each condition
// beside the ideal receiver, which is told the torch's pixels, its
// brightness on and off and the timing, and decides each dot's time by the
// frames within it.
//     wirlok_swiatlo_bench [--ziarno N] [--wiadomosci M] [CONDITION ...]
// (a part of a row's name; the first seed, 1, and messages a cell, 2)

#include "bench/nadajnik.h"
#include "bench/pole_swiatla.h"
#include "bench/stoper.h"
#include "sygnal/swiatlo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr std::size_t Grup = 6;
constexpr std::array<double, 4> Predkosci = {5, 8, 12, 15};

struct Warunek {
    const char* nazwa;
    Pole pole;
};

const std::array<Warunek, 13> Warunki = {{
    {"tripod, 2 px", {2}},
    {"tripod, 1 px", {1}},
    {"drift 3 px in 20 s", {0, 3}},
    {"shake 2-8 Hz", {0, 0, 1.2}},
    {"wander 10 px", {0, 0, 0, 10}},
    {"dims by 10 dB", {0, 0, 0, 0, 10}},
    {"exposure pumps", {0, 0, 0, 0, 0, 0.15, true}},
    {"street lamp, screen", {0, 0, 0, 0, 0, 0, true}},
    {"dusk, 30 levels", {0, 0, 0, 0, 0, 0, false, true}},
    {"dusk, pumping", {0, 0, 0, 0, 0, 0.1, false, true}},
    {"sensor noise 6", {0, 0, 0, 0, 0, 0, false, false, 6}},
    {"first group at once", {0, 0, 0, 0, 0, 0, false, false, 2, 0.1}},
    {"hand-held, all of it", {0, 3, 1.2, 10, 0, 0.1, true}},
}};

// The notation of lit dots' times: runs of one and three, gaps of one,
// three and seven.
std::u32string Notacja(const std::vector<bool>& jednostki)
{
    std::u32string notacja;
    std::size_t i = 0;
    while (i < jednostki.size()) {
        std::size_t j = i;
        while (j < jednostki.size() && jednostki[j] == jednostki[i])
            ++j;
        const std::size_t ile = j - i;
        if (jednostki[i])
            notacja += ile >= 2 ? U'-' : U'.';
        else if (ile >= 5 && !notacja.empty())
            notacja += U"\\\\";
        else if (ile >= 2 && !notacja.empty())
            notacja += U'\\';
        i = j;
    }
    return notacja + U'\\';
}

// The ideal receiver: each frame's lit part from the torch's pixels, then
// each dot's time lit or not by the frames taken within it.
class Idealny {
public:
    Idealny(double od, double kropka)
        : od_(od)
        , kropka_(kropka)
    {
    }

    void Klatka(const bench::Klatka& k)
    {
        double suma = 0;
        double wag = 0;
        for (const bench::Klatka::Piksel& p : k.latarka) {
            suma += p.latarka * (k.jasnosc[p.i] - p.bez);
            wag += p.latarka * p.latarka;
        }
        klatki_.emplace_back(k.czas, wag > 0 ? suma / wag : 0);
    }

    std::u32string Odbierz(double koniec) const
    {
        std::vector<bool> jednostki;
        for (double t = od_; t + kropka_ <= koniec; t += kropka_) {
            double suma = 0;
            double ile = 0;
            double najwiecej = 0;
            double najblizsza = 0;
            for (const auto& [czas, swieci] : klatki_) {
                const double wspolne = std::min(czas, t + kropka_) - std::max(czas - 1 / Klatek, t);
                if (wspolne >= 1 / Klatek - 1e-9) {
                    suma += swieci;
                    ++ile;
                }
                if (wspolne > najwiecej) {
                    najwiecej = wspolne;
                    najblizsza = swieci;
                }
            }
            jednostki.push_back((ile > 0 ? suma / ile : najblizsza) > 0.5);
        }
        return Notacja(jednostki);
    }

private:
    double od_;
    double kropka_;
    std::vector<std::pair<double, double>> klatki_;
};

struct Wynik {
    double bledow = 0;  // characters
    double idealnie = 0;
    double znakow = 0;
    double ms = 0;
    double klatek = 0;
};

void Odbierz(const Pole& pole, double slowa, unsigned ziarno, Wynik& wynik)
{
    std::mt19937 los(ziarno);
    const std::string tekst = Grupy(Grup, los);
    const std::vector<Odcinek> znaki = Znaki(tekst, {slowa}, pole.od, los);
    PoleSwiatla scena(pole, znaki, ziarno);
    Idealny idealny(pole.od, 1.2 / slowa);
    Odbiornik odbiornik;
    WykrywaczSwiatla wykrywacz(odbiornik);
    std::u32string notacja;
    while (true) {
        const Klatka& k = scena.Nastepna();
        if (k.czas > scena.Koniec())
            break;
        wynik.ms += Milisekundy([&] { wykrywacz.Obraz(k.jasnosc, SzerokoscKlatki, WysokoscKlatki, k.czas); });
        ++wynik.klatek;
        notacja += odbiornik.Odbierz();
        idealny.Klatka(k);
    }
    odbiornik.Koniec();
    notacja += odbiornik.Odbierz();
    const auto n = static_cast<double>(tekst.size());
    wynik.znakow += n;
    wynik.bledow += n * Blad(tekst, Tekst(notacja));
    wynik.idealnie += n * Blad(tekst, Tekst(idealny.Odbierz(znaki.back().koniec + 1)));
}

struct Wybor {
    unsigned ziarno = 1;
    unsigned wiadomosci = 2;  // a cell
    std::vector<const char*> warunki;

    bool Wybrany(const char* nazwa) const
    {
        return warunki.empty() || std::any_of(warunki.begin(), warunki.end(), [&](const char* w) {
            return std::strstr(nazwa, w) != nullptr;
        });
    }
};

Wybor Argumenty(int argc, char** argv)
{
    Wybor wybor;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ziarno") == 0 && i + 1 < argc)
            wybor.ziarno = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--wiadomosci") == 0 && i + 1 < argc)
            wybor.wiadomosci = std::max(1U, static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10)));
        else
            wybor.warunki.push_back(argv[i]);
    }
    return wybor;
}

}  // namespace
}  // namespace wirlok::bench

int main(int argc, char** argv)
{
    using namespace wirlok::bench;
    const Wybor wybor = Argumenty(argc, argv);
    std::printf("CER %%, ours (the ideal receiver's), %zu groups of five letters x %u a cell from seed %u\n%-22s",
        Grup,
        wybor.wiadomosci,
        wybor.ziarno,
        "160 x 120, 30 fps");
    for (const double slowa : Predkosci)
        std::printf(" %9.0f WPM", slowa);
    std::printf("\n");
    Wynik razem;
    for (const Warunek& w : Warunki) {
        if (!wybor.Wybrany(w.nazwa))
            continue;
        std::printf("%-22s", w.nazwa);
        unsigned ziarno = wybor.ziarno;
        for (const double slowa : Predkosci) {
            Wynik wynik;
            for (unsigned m = 0; m < wybor.wiadomosci; ++m)
                Odbierz(w.pole, slowa, ziarno++, wynik);
            std::printf(" %5.1f (%4.1f)", 100 * wynik.bledow / wynik.znakow, 100 * wynik.idealnie / wynik.znakow);
            std::fflush(stdout);
            razem.ms += wynik.ms;
            razem.klatek += wynik.klatek;
        }
        std::printf("\n");
    }
    const double us = 1000 * razem.ms / razem.klatek;
    std::printf("%.0f us a frame: %.2f %% of a core at 30 frames a second\n", us, us * 30 / 1e4);
}
