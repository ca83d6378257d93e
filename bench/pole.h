// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

// The field: seeded recordings of the conditions a keyed tone is heard in,
// each drawn from ranges (fading, a room's echo, a whistle, a buzzer, any
// pitch, a phone's band, a second sender, a change of sender, a human
// hand), at 16 kHz, as a recording is decoded.

#include "bench/nadajnik.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace wirlok::bench {

// A recording, and what an ideal receiver is told of it where one is
// defined: a machine's marks, the tone's amplitude in the samples at the
// reference level and its gain every millisecond, a room's echo (at a
// reference level of 1), the noise's deviation.
struct Nagranie {
    std::string tekst;
    double probkowanie = 0;
    std::vector<std::int16_t> probki;
    double czestotliwosc = 0;  // the (first) sender's, for multimon-ng and the ideal
    double slowa = 0;          // its speed
    bool idealny = false;
    std::vector<Odcinek> znaki;
    double skala = 0;
    std::vector<float> wzmocnienie;  // empty: 1
    std::vector<float> poglos;       // empty: none
    double sigma = 0;
};

struct Przedzial {
    double od;
    double do_;
};

enum class Rodzaj { Czysty, Zanik, Poglos, Gwizd, Brzeczyk, Telefon, Drugi, Zmiana };

// A condition: the signal-to-noise ratio of the reference level (a fading
// tone's troughs, an echoing tone's direct sound) over the noise in 500 Hz,
// and the ranges its recordings are drawn from.
struct Warunek {
    const char* nazwa;
    Rodzaj rodzaj;
    double snr;
    Przedzial ton{400, 1000};  // hertz
    Przedzial slowa{10, 25};
    Przedzial glebokosc{0, 0};  // fading, dB
    Przedzial tempo{0, 0};      // fading, Hz
    Przedzial rt60{0, 0};       // seconds
    Przedzial dr{0, 0};         // direct-to-echo, dB
    double sigma = 0;           // a hand's
    double kreska = 3;
    std::size_t grup = 20;  // five-letter groups, as many again after a change of sender
};

inline double Losuj(Przedzial p, std::mt19937& los) { return std::uniform_real_distribution<double>(p.od, p.do_)(los); }

// A room's echo of a tone: its complex envelope convolved, a millisecond a
// step, with an exponentially decaying noise impulse response whose power
// in all is `dr` dB under the direct sound's.
inline std::vector<std::complex<float>> Poglos(
    const std::vector<float>& e, double probkowanie, double rt60, double dr, std::mt19937& los)
{
    const auto krok = static_cast<std::size_t>(probkowanie / 1000);
    const std::size_t krokow = e.size() / krok + 1;
    std::vector<float> wolna(krokow);
    for (std::size_t k = 0; k < krokow; ++k)
        wolna[k] = e[std::min(k * krok, e.size() - 1)];
    const auto dlugosc = static_cast<std::size_t>(rt60 * 1000);
    std::normal_distribution<double> n(0, std::sqrt(0.5));
    std::vector<std::complex<double>> h(dlugosc);
    double moc = 0;
    for (std::size_t m = 1; m < dlugosc; ++m) {
        h[m] = std::complex<double>(n(los), n(los)) * std::exp(-6.91 * static_cast<double>(m) / 1000 / rt60);
        moc += std::norm(h[m]);
    }
    for (auto& w : h)
        w *= std::sqrt(std::pow(10, -dr / 10) / moc);
    std::vector<std::complex<float>> echo(krokow + 1);
    for (std::size_t k = 0; k < krokow; ++k) {
        std::complex<double> s;
        for (std::size_t m = 1; m < dlugosc && m <= k; ++m)
            s += h[m] * static_cast<double>(wolna[k - m]);
        echo[k] = std::complex<float>(s);
    }
    std::vector<std::complex<float>> wynik(e.size());
    for (std::size_t i = 0; i < e.size(); ++i) {
        const float u = static_cast<float>(i % krok) / static_cast<float>(krok);
        wynik[i] = echo[i / krok] * (1 - u) + echo[i / krok + 1] * u;
    }
    return wynik;
}

// A second-order section (Robert Bristow-Johnson's high and low pass).
class Dwukwadrat {
public:
    Dwukwadrat(double probkowanie, double czestotliwosc, bool gorny)
    {
        const double w = 2 * std::numbers::pi * czestotliwosc / probkowanie;
        const double alfa = std::sin(w) / std::numbers::sqrt2;  // Q of 1/sqrt(2)
        const double c = std::cos(w);
        const double a0 = 1 + alfa;
        b_ = gorny ? std::array<double, 3>{(1 + c) / 2, -(1 + c), (1 + c) / 2}
                   : std::array<double, 3>{(1 - c) / 2, 1 - c, (1 - c) / 2};
        for (double& b : b_)
            b /= a0;
        a1_ = -2 * c / a0;
        a2_ = (1 - alfa) / a0;
    }
    double operator()(double x)
    {
        const double y = b_[0] * x + b_[1] * x1_ + b_[2] * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    std::array<double, 3> b_{};
    double a1_ = 0;
    double a2_ = 0;
    double x1_ = 0;
    double x2_ = 0;
    double y1_ = 0;
    double y2_ = 0;
};

// One sender's tone: its envelope times each harmonic's sine, or a square
// wave's odd harmonics below the band's top; a whistle's pitch wavers.
struct Glos {
    double czestotliwosc;
    double vibrato = 0;  // hertz either way
    double vibratoTempo = 5;
    std::vector<double> harmoniczne{1};  // amplitudes of the 1st, 2nd, ... harmonic
};

inline void Zagraj(std::vector<double>& x,
    const std::vector<float>& e,
    const Glos& g,
    double amplituda,
    double probkowanie,
    std::mt19937& los)
{
    double faza = std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(los);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / probkowanie;
        faza += 2 * std::numbers::pi
            * (g.czestotliwosc + g.vibrato * std::sin(2 * std::numbers::pi * g.vibratoTempo * t)) / probkowanie;
        if (e[i] == 0)
            continue;
        double s = 0;
        for (std::size_t h = 0; h < g.harmoniczne.size(); ++h)
            if (static_cast<double>(h + 1) * g.czestotliwosc < 0.45 * probkowanie)
                s += g.harmoniczne[h] * std::sin(static_cast<double>(h + 1) * faza);
        x[i] += amplituda * e[i] * s;
    }
}

inline double SigmaSzumu(double probkowanie, double snr)
{
    return std::sqrt(0.5 * (probkowanie / 2) / 500 / std::pow(10, snr / 10));
}

// The samples as 16-bit, their loudest at 70 % of full scale; the ideal's
// levels scaled with them.
inline void DoProbek(Nagranie& n, const std::vector<double>& x)
{
    double najwiecej = 1e-9;
    for (const double v : x)
        najwiecej = std::max(najwiecej, std::abs(v));
    const double skala = 0.7 * 32767 / najwiecej;
    n.probki.resize(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        n.probki[i] = static_cast<std::int16_t>(std::lround(x[i] * skala));
    n.skala *= skala;
    n.sigma *= skala;
}

// A change of sender after a pause of 2 to 3 s: twice or half as fast, at
// a pitch 150 Hz and more away; its marks.
inline std::vector<Odcinek> Zmiana(const Warunek& w, Nagranie& n, Glos& drugi, std::mt19937& los)
{
    const std::string dalej = Grupy(w.grup / 2, los);
    const double pauza = Losuj({2, 3}, los);
    const bool szybciej = (los() & 1) != 0;
    const double slowa = n.slowa * (szybciej ? 2 : 0.5);
    double f = n.czestotliwosc;
    while (std::abs(f - n.czestotliwosc) < 150)
        f = Losuj(w.ton, los);
    drugi.czestotliwosc = f;
    n.tekst += " " + dalej;
    return Znaki(dalej, {slowa}, n.znaki.back().koniec + pauza, los);
}

// A whistle's vibrato and harmonics, a buzzer's square wave.
inline void Barwa(const Warunek& w, Nagranie& n, Glos& glos, std::mt19937& los)
{
    if (w.rodzaj == Rodzaj::Gwizd) {
        glos.vibrato = 50;
        glos.vibratoTempo = Losuj({4, 7}, los);
        glos.harmoniczne = {1, std::pow(10, -Losuj({10, 20}, los) / 20), std::pow(10, -Losuj({20, 30}, los) / 20)};
    } else if (w.rodzaj == Rodzaj::Brzeczyk) {
        glos.harmoniczne.assign(40, 0);
        for (std::size_t h = 0; h < glos.harmoniczne.size(); h += 2)
            glos.harmoniczne[h] = 4 / std::numbers::pi / static_cast<double>(h + 1);
        n.skala = 4 / std::numbers::pi;  // of the fundamental the ideal hears
    }
}

// Fading's gain every millisecond: from 1 at the troughs up by its depth.
inline std::vector<float> Zanik(const Warunek& w, std::size_t ile, std::mt19937& los)
{
    const double glebokosc = Losuj(w.glebokosc, los);
    const double tempo = Losuj(w.tempo, los);
    const double faza = Losuj({0, 2 * std::numbers::pi}, los);
    std::vector<float> zanik(ile / 16 + 1);
    for (std::size_t k = 0; k < zanik.size(); ++k)
        zanik[k] = static_cast<float>(std::pow(10,
            glebokosc / 20
                * (0.5 + 0.5 * std::cos(2 * std::numbers::pi * tempo * static_cast<double>(k) / 1000 + faza))));
    return zanik;
}

// A phone's band, mains hum, clipped at the tone's amplitude.
inline void Telefon(std::vector<double>& x, double probkowanie, std::mt19937& los)
{
    Dwukwadrat gorny(probkowanie, 300, true);
    Dwukwadrat dolny(probkowanie, 3400, false);
    const double brum = Losuj({0.3, 1}, los);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) / probkowanie;
        const double h
            = brum * (std::sin(2 * std::numbers::pi * 50 * t) + 0.5 * std::sin(2 * std::numbers::pi * 150 * t));
        x[i] = std::clamp(dolny(gorny(x[i])) + h, -1.0, 1.0);
    }
}

// A recording of the condition: its five-letter groups (half either side
// of a change of sender), starting after a second.
inline Nagranie Nagraj(const Warunek& w, unsigned ziarno)
{
    constexpr double Fs = 16000;
    std::mt19937 los(ziarno);
    Nagranie n;
    n.probkowanie = Fs;
    n.slowa = Losuj(w.slowa, los);
    n.czestotliwosc = Losuj(w.ton, los);
    const bool reczna = w.sigma > 0 || w.kreska != 3;
    const Reka reka{n.slowa, 0, reczna ? 0.2 : 0, 1, w.sigma, w.kreska};
    n.tekst = Grupy(w.rodzaj == Rodzaj::Zmiana ? w.grup / 2 : w.grup, los);
    n.znaki = Znaki(n.tekst, reka, 1, los);
    Glos glos{n.czestotliwosc};
    Glos drugi{0};
    const std::vector<Odcinek> drugie = w.rodzaj == Rodzaj::Zmiana ? Zmiana(w, n, drugi, los) : std::vector<Odcinek>{};
    const double koniec = std::max(n.znaki.back().koniec, drugie.empty() ? 0.0 : drugie.back().koniec) + 1;
    const auto ile = static_cast<std::size_t>(koniec * Fs);
    const std::vector<float> e = Obwiednia(n.znaki, Fs, ile);
    std::vector<double> x(ile);
    n.sigma = SigmaSzumu(Fs, w.snr);
    n.skala = 1;
    n.idealny = !reczna && w.rodzaj != Rodzaj::Gwizd && w.rodzaj != Rodzaj::Telefon && w.rodzaj != Rodzaj::Zmiana;

    Barwa(w, n, glos, los);
    if (w.rodzaj == Rodzaj::Zanik) {
        const std::vector<float> zanik = Zanik(w, ile, los);
        std::vector<float> ez(ile);
        for (std::size_t i = 0; i < ile; ++i)
            ez[i] = e[i] * zanik[i / 16];
        Zagraj(x, ez, glos, 1, Fs, los);
        n.wzmocnienie = zanik;
    } else if (w.rodzaj == Rodzaj::Poglos) {
        const std::vector<std::complex<float>> echo = Poglos(e, Fs, Losuj(w.rt60, los), Losuj(w.dr, los), los);
        double faza = 0;
        n.poglos.resize(ile);
        for (std::size_t i = 0; i < ile; ++i) {
            faza += 2 * std::numbers::pi * n.czestotliwosc / Fs;
            const std::complex<double> obrot = std::polar(1.0, faza);
            x[i] = std::imag((std::complex<double>(e[i]) + std::complex<double>(echo[i])) * obrot);
            n.poglos[i] = static_cast<float>(std::imag(std::complex<double>(echo[i]) * obrot));
        }
    } else {
        Zagraj(x, e, glos, 1, Fs, los);
    }
    if (w.rodzaj == Rodzaj::Zmiana)
        Zagraj(x, Obwiednia(drugie, Fs, ile), drugi, 1, Fs, los);
    if (w.rodzaj == Rodzaj::Drugi) {
        const double f = n.czestotliwosc + ((los() & 1) != 0 ? 1 : -1) * Losuj({150, 400}, los);
        const std::string tekst = Grupy(20, los);
        const std::vector<Odcinek> jego = Znaki(tekst, {n.slowa * Losuj({0.7, 1.4}, los)}, Losuj({0, 2}, los), los);
        Zagraj(x, Obwiednia(jego, Fs, ile), Glos{f}, std::pow(10, -6.0 / 20), Fs, los);
    }
    std::normal_distribution<double> szum(0, n.sigma);
    if (w.rodzaj == Rodzaj::Gwizd) {  // breath while whistling, 10 to 16 dB under the tone in 500 Hz
        std::normal_distribution<double> oddech(0, SigmaSzumu(Fs, Losuj({10, 16}, los)));
        for (std::size_t i = 0; i < ile; ++i)
            x[i] += e[i] * oddech(los);
    }
    for (double& v : x)
        v += szum(los);
    if (w.rodzaj == Rodzaj::Telefon)
        Telefon(x, Fs, los);
    DoProbek(n, x);
    return n;
}
}  // namespace wirlok::bench
