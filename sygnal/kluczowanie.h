// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/odbieranie.h"
#include "sygnal/segmentacja.h"

#include <algorithm>
#include <array>
#include <complex>
#include <cstddef>
#include <vector>

namespace wirlok {

// A room's echo of a tone, learnt blindly: after a mark the tone goes on at
// its pitch, with a phase of its own, and dies away exponentially. Its
// power is predicted a step at a time from the tone's power before, for
// each of a few reverberation times; the spaces tell which of them, and how
// loud, by how their power falls after the marks.
class Poglos {
public:
    // A step's power.
    void Krok(double czas, double moc);
    // A space that began at `poczatek`, its steps from `od` to `do_`: the
    // echo then dies away unfed.
    void Przerwa(double poczatek, double od, double do_);
    // The echo's power expected in the newest step; 0 where none is heard.
    double Ogon() const { return ogon_; }

private:
    void Dopasuj();

    static constexpr std::array<double, 5> Czasy = {0.3, 0.45, 0.7, 1.0, 1.5};  // seconds to fall 60 dB
    struct Zapis {
        double czas = 0;
        double moc = 0;
        std::array<double, Czasy.size()> ogony{};
    };
    std::vector<Zapis> zapisy_ = std::vector<Zapis>(2048);  // the last steps
    std::size_t krokow_ = 0;
    double czas_ = 0;
    std::array<double, Czasy.size()> ogony_{};  // each echo, were it as loud as the tone
    // Over the spaces: their steps, the steps' powers and their squares,
    // each echo, the power times it, and its square.
    struct Sumy {
        double krokow = 0;
        double mocy = 0;
        double kwadratyMocy = 0;
        std::array<double, Czasy.size()> ogonow{};
        std::array<double, Czasy.size()> razem{};
        std::array<double, Czasy.size()> kwadraty{};
    };
    Sumy sumy_;
    std::size_t najlepszy_ = 0;
    double zysk_ = 0;  // of the echo heard, to the tone's power
    double szum_ = 0;  // a step's noise power
    double ogon_ = 0;
};

// Turns a level that rises while a sender keys (a tone's envelope, a
// light's brightness), sampled at known times, into marks and spaces for a
// receiver. The threshold lies between the signal's and the noise's levels
// learnt from the last values, with some hysteresis; an edge is taken at
// the time the level crosses it, and a mark or space shorter than a
// quarter of a dot is a glitch, which the segment around it swallows.
class Kluczowanie {
public:
    struct Ustawienia {
        std::size_t pamiec;  // how many values the levels are learnt from
        std::size_t co;      // the levels are learnt anew after this many values
        double roznica;      // the least difference between signal and noise
        double stosunek;     // the least ratio of signal to noise
        // The values are a tone's amplitude in noise, not a level over a
        // background: the amplitude while half keyed lies above halfway.
        // Received, they are cut into the most likely marks and spaces from
        // the tone itself (Segmentacja); a threshold, quicker, serves to
        // try the dot's lengths.
        bool amplituda;
        // Where between the noise's and the signal's levels the threshold
        // of a level lies: a light's reading, the most of the noise of
        // the places around and its light, shows a frame lit in part less.
        double srodek = 0.5;
    };
    explicit Kluczowanie(const Ustawienia& ustawienia);
    // The dot's lengths a signal is tried at when first found.
    static constexpr std::array<double, 7> Proby = {0.03, 0.042, 0.06, 0.085, 0.12, 0.17, 0.24};

    // A value at a time in seconds; the receiver, if any, gets what ended.
    // A tone's amplitude comes with its step mixed down to 0 Hz.
    void Dodaj(double czas, double wartosc, Odbiornik* odbiornik, std::complex<double> probka = {});
    // No more values: a mark in progress ends, then the message.
    void Koniec(Odbiornik* odbiornik);
    // The same signal again from its start: what was learnt stays, the
    // values kept among them.
    void OdNowa();

    // The signal's and the noise's levels apart enough to key by.
    bool Pewne() const;
    double Sygnal() const { return sygnal_; }
    double Szum() const { return szum_; }
    // A dot's length in seconds, from the last marks and spaces.
    double Kropka() const { return kropka_; }
    // How long the space decided by now has lasted; 0 in a mark.
    double Przerwa() const;
    // Takes a dot's length to start from.
    void Ustaw(double kropka);
    // Sets the keying of a signal just found to the dot's length, of those
    // tried from `najkrotsza` on, that its kept values fit best, with the
    // levels learnt from them: `przejdz()` goes through them with the
    // keying `kluczowanie`.
    template <typename Przejscie>
    static void Dobierz(
        Kluczowanie& kluczowanie, const Ustawienia& ustawienia, Przejscie przejdz, double najkrotsza = 0)
    {
        const double od = std::min(najkrotsza, Proby.back());
        double kropka = *std::lower_bound(Proby.begin(), Proby.end(), od);
        double najlepiej = 0;
        // A first pass learns whether the marks' peaks fade, which every
        // trial then goes by from its start.
        kluczowanie = Kluczowanie(ustawienia);
        przejdz();
        const Kluczowanie uczony = kluczowanie;
        for (const double proba : Proby) {
            if (proba < od)
                continue;
            kluczowanie = Kluczowanie(ustawienia);
            kluczowanie.Szczyty(uczony);
            kluczowanie.Ustaw(proba);
            przejdz();
            if (kluczowanie.Zgodnosc() > najlepiej) {
                najlepiej = kluczowanie.Zgodnosc();
                kropka = proba;
            }
        }
        kluczowanie = Kluczowanie(ustawienia);
        kluczowanie.Szczyty(uczony);
        kluczowanie.Ustaw(kropka);
        przejdz();
        kluczowanie.OdNowa();
    }
    // How well the marks and spaces since fit dots, dashes and gaps at the
    // length taken: the root of how many fit, times the share of the time
    // they last, and a tenth of that where they leave most of it unfitted
    // (a length too short for the signal cuts noise into dots).
    double Zgodnosc() const;

private:
    void Przelicz();
    double Srodek() const;
    void Sledz(double czas, double wartosc, std::complex<double> probka);
    double Teraz() const;
    bool Wyrazny(double sygnal) const;
    void Krawedz(double czas, double wartosc, double prog, bool surowy, Odbiornik* odbiornik);
    bool Zmienny() const;
    void Szczyty(const Kluczowanie& uczony);
    void Szczyt(double czas, double wartosc);
    void Potwierdz(Odbiornik* odbiornik);
    void OcenKropke(double dlugosc, bool znak);
    void Segmentuj(double czas, double wartosc, std::complex<double> probka, Odbiornik* odbiornik);
    void Zmiany(Odbiornik* odbiornik);

    Ustawienia ustawienia_;
    std::vector<float> pamiec_;
    std::vector<float> robocza_;
    std::size_t wartosci_ = 0;
    double sygnal_ = 0;
    double szum_ = 0;
    double dno_ = 0;  // the lowest twentieth's top

    bool surowy_ = false;  // over the threshold, before glitches are removed
    bool znak_ = false;    // the confirmed state
    double poczatek_ = 0;  // of the confirmed segment
    double zmiana_ = -1;   // an edge not confirmed yet, or -1
    double poprzedniCzas_ = 0;
    double poprzedniaWartosc_ = 0;
    bool pierwsza_ = true;
    Segmentacja segmentacja_;
    double zgloszona_ = 0;  // the space told the receiver last
    // A tone's step's power in the spaces and in the marks.
    Srednia mocSzumu_;
    Srednia mocZnaku_;
    double poziom_ = 0;  // the tone's amplitude where it is now
    // The peaks of the last marks, in dB, which tell a fading tone from a
    // steady one; and the mark being measured.
    std::array<double, 12> szczyty_{};
    std::size_t ileSzczytow_ = 0;
    double szczyt_ = 0;
    double odSzczytu_ = -1;  // when the level rose, or -1
    Poglos poglos_;          // a tone's

    std::array<double, 24> odcinki_{};  // the last marks and spaces, as dots
    std::size_t ileOdcinkow_ = 0;
    std::size_t zgodnych_ = 0;
    double zgodne_ = 0;  // seconds
    double wszystkie_ = 0;
    double kropka_ = 0.06;
};

}  // namespace wirlok
