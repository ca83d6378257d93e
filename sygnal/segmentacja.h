// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <complex>
#include <cstddef>
#include <utility>
#include <vector>

namespace wirlok {

// The log of the modified Bessel function I0.
double LogI0(double x);

// The mean of the last values added, about `najwiecej` of them: each
// value counts for `waga` of them.
class Srednia {
public:
    void Dodaj(double wartosc, double waga, double najwiecej)
    {
        ile_ = std::min(ile_ + waga, najwiecej);
        srednia_ += (wartosc - srednia_) * waga / ile_;
    }
    double Wartosc() const { return srednia_; }
    double Ile() const { return ile_; }

private:
    double srednia_ = 0;
    double ile_ = 0;
};

// The most likely cut of a tone into marks and spaces of Morse's lengths,
// from its samples mixed down to 0 Hz, a step at a time. A mark is the tone
// at a steady amplitude in noise, its phase unknown: its evidence is the
// tone's sum over each dot's time within it (a fast sender's dash's), each
// of them a matched filter. A mark lasts about one dot or three, a space
// one, three, or seven and more; shorter pieces are noise, however strong.
// The cut is decided a few dots behind the newest step, when what follows
// has confirmed it, by Viterbi's dynamic programme over the steps since
// (grouped into eighths of a dot), so the most likely sequence wins rather
// than each step's guess.
class Segmentacja {
public:
    struct Ustawienia {
        double opoznienie;  // how far behind the newest evidence the cut is decided, in dots
        double najdluzej;   // and in seconds at most, so that slow letters still come soon
        double kara;        // for each mark or space: fewer, longer pieces win over noise
        double ksztalt;     // for a length off a dot or a dash, or a short gap
    };
    explicit Segmentacja(const Ustawienia& ustawienia);

    // The step that ends at `czas` (seconds, rising), mixed down to 0 Hz.
    void Dodaj(double czas, std::complex<double> probka, double kropka);
    // A step's tone amplitude (the level where the tone is now, however it
    // fades) and noise power, to go by until the cut has shown how the
    // tone's sums relate to them; a tone of 0: there is none, and marks cost.
    // A steady tone (`staly`) goes by the amplitude the cut has learnt
    // itself, once it has: a weak tone's level given is mostly its noise.
    // An echo's power expected in the step: the tone's own, at its pitch
    // and with a phase of its own, in marks and spaces alike.
    void Poziomy(double ton, double szum, bool staly, double ogon);
    // Cuts the rest without waiting for more: the signal is over.
    void Domknij(double kropka);
    // The time up to which the cut is decided.
    double Decyzja() const { return grupy_.empty() ? 0 : grupy_.front().czas; }
    // The times of the changes decided since the last call, oldest first;
    // the first change is from a space to a mark. The call empties them.
    const std::vector<double>& Zmiany();
    void OdNowa();

private:
    double Dlugosc(bool znak, double jednostek, bool skonczony) const;
    double Czas(std::size_t j) const { return grupy_[j].czas; }
    std::complex<double> Suma(std::size_t j) const { return grupy_[j].suma; }
    double Krokow(std::size_t j) const { return grupy_[j].krokow; }
    double Odcinek(std::size_t i, std::size_t j) const;
    double Znak(std::size_t i, std::size_t j, double kropka) const;
    double Jednostek(std::size_t i, std::size_t j, double kropka) const;
    void Policz(double kropka);
    std::pair<bool, std::size_t> Ostatni(double kropka) const;
    void Tnij(double kropka, double opoznienie);
    void Ucz(bool znak, std::size_t i, std::size_t j);

    Ustawienia ustawienia_;
    // The steps since the decided time, summed up to the end of each group.
    struct Grupa {
        double czas = 0;
        std::complex<double> suma;
        double krokow = 0;
        double energia = 0;           // of the steps, their power
        std::complex<double> wazona;  // the steps weighed by the tone's level given
        double kwadraty = 0;          // the squares of that level
        double ogon = 0;              // the echo's amplitudes expected, weighed so
        double ogony = 0;             // the echo's powers expected
    };
    // Position 0 is the decided time; empty before the first step.
    std::vector<Grupa> grupy_;
    Grupa biezaca_;   // the steps not grouped yet
    double ton_ = 0;  // a step's tone amplitude and noise power gone by
    double szum_ = 1;
    double ogon_ = 0;      // a step's echo power expected
    double stosunek_ = 1;  // of the tone's amplitude in the sums to the level given
    // Learnt from the marks and spaces cut: the square of that ratio, as the
    // tone's sums over a dot show it, frequency errors and all, and the
    // noise's power.
    Srednia stosunekTonu_;
    Srednia kwadratTonu_;  // the square of the tone's amplitude in the sums
    Srednia mocSzumu_;
    std::size_t spojnie_ = 8;    // groups summed coherently
    std::vector<double> pelne_;  // the evidence of spans of that many groups, from each on
    bool znak_ = false;          // at the decided time
    double trwa_ = 0;            // seconds the mark or space at it had lasted
    std::vector<double> zmiany_;
    std::vector<double> zmianyWydane_;
    // The dynamic programme's tables, kept between calls.
    std::vector<double> znaki_;
    std::vector<double> przerwy_;
    std::vector<std::size_t> odZnaku_;
    std::vector<std::size_t> odPrzerwy_;
    std::vector<std::size_t> granice_;
};

}  // namespace wirlok
