// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/kluczowanie.h"
#include "sygnal/odbieranie.h"

#include <algorithm>
#include <complex>
#include <cstddef>
#include <span>
#include <vector>

namespace wirlok {

// The spectrum of the band where a tone is looked for (180 to 4010 Hz in
// steps of 10 Hz, up to 0.45 of the rate it is taken at), in frames of
// 80 ms, kept for the last 4 seconds: the tone sought is the frequency
// whose power switches on and off in it.
class WidmoTonu {
public:
    explicit WidmoTonu(double probkowanie);
    // Adds a sample; true when it completes a frame.
    bool Dodaj(float probka);

    struct Ton {
        double czestotliwosc = 0;
        double stosunek = 0;      // the power while keyed over the noise's, in a 30 Hz band
        bool kluczowany = false;  // switched on and off, not a steady whistle
    };
    // The strongest tone between those frequencies over the frames kept.
    Ton Najsilniejszy(double od, double do_) const;
    std::size_t Ramek() const { return ramek_; }

private:
    bool Razem(std::size_t k1, std::size_t k2, std::size_t ramek) const;

    std::size_t dziesiatkowanie_;
    float suma_ = 0;
    std::size_t zsumowanych_ = 0;
    std::vector<float> okno_;
    std::vector<float> ramka_;
    std::size_t prazkow_;
    std::vector<double> wspolczynniki_;
    std::vector<float> historia_;  // a frame after a frame, a power for each step
    std::vector<float> tla_;       // each frame's median power, its noise
    std::vector<float> posortowane_;
    std::size_t pozycja_ = 0;
    std::size_t ramek_ = 0;
    std::size_t nastepna_ = 0;
};

// The sum of the last values added, over a window whose length can change.
template <typename T>
class SumaOkna {
public:
    explicit SumaOkna(std::size_t najdluzsze, std::size_t dlugosc = 1)
        : wartosci_(najdluzsze + 1)
        , dlugosc_(std::clamp<std::size_t>(dlugosc, 1, najdluzsze))
    {
    }
    void Dodaj(T wartosc)
    {
        suma_ += wartosc - wartosci_[(pozycja_ + wartosci_.size() - dlugosc_) % wartosci_.size()];
        wartosci_[pozycja_] = wartosc;
        pozycja_ = (pozycja_ + 1) % wartosci_.size();
        if (pozycja_ == 0)  // the running sum anew, lest rounding pile up
            Dlugosc(dlugosc_);
    }
    void Dlugosc(std::size_t dlugosc)
    {
        dlugosc_ = std::clamp<std::size_t>(dlugosc, 1, wartosci_.size() - 1);
        suma_ = T{};
        for (std::size_t i = 1; i <= dlugosc_; ++i)
            suma_ += wartosci_[(pozycja_ + wartosci_.size() - i) % wartosci_.size()];
    }
    std::size_t Dlugosc() const { return dlugosc_; }
    T Srednia() const { return suma_ / static_cast<double>(dlugosc_); }

private:
    std::vector<T> wartosci_;
    std::size_t pozycja_ = 0;
    std::size_t dlugosc_ = 1;
    T suma_{};
};

// A tone's phase followed by a loop locked to it within its marks, for a
// tone whose pitch wavers: a whistle's vibrato of 50 Hz turns its phase a
// dozen radians over a coherent sum of 40 ms. The loop moves on the steps
// where the tone stands well over the noise and is held between them. As
// following the phase in noise makes noise look coherent, the steps are
// turned back by it only once that has shown to pay: where the tone is, their
// sums over 40 ms twice as strong turned back as not. A steady tone's are
// not (its loop follows noise as well), and it is left as it is.
class FazaTonu {
public:
    FazaTonu();
    // A step mixed down to 0 Hz; the step to sum.
    std::complex<double> Dodaj(std::complex<double> krok);
    bool Chwiejny() const { return chwiejny_; }

private:
    std::complex<double> faza_{1, 0};  // the phase followed
    double predkosc_ = 0;              // its change a step, in radians
    SumaOkna<std::complex<double>> pary_;
    SumaOkna<double> moc_;  // the power of pairs of steps, over a few
    double szum_ = 0;       // a low quantile of that: the noise's
    SumaOkna<std::complex<double>> surowe_;
    SumaOkna<std::complex<double>> sledzone_;
    // The power of both sums where the tone is, averaged.
    Srednia spojneSurowe_;
    Srednia spojneSledzone_;
    bool chwiejny_ = false;
};

// The envelope of a tone at a known frequency: the samples mixed down to
// 0 Hz (and its phase followed, if it wavers) and summed coherently over 40
// to 100 ms (a band of 25 Hz and narrower at slow speeds), then the power
// averaged over the rest of a fraction of a dot.
class ObwiedniaTonu {
public:
    ObwiedniaTonu(double probkowanie, double czestotliwosc);
    void Dostroj(double czestotliwosc);
    // The same tone again from its start at that frequency: whether its
    // phase is followed stays as learnt.
    void OdNowa(double czestotliwosc);
    // How many envelope steps in all the envelope is smoothed over.
    void Wygladzaj(std::size_t krokow);
    std::size_t Wygladzanie() const { return wygladzanie_; }
    // Adds a sample; true when a new envelope value is ready.
    bool Dodaj(float probka);
    double Amplituda() const { return amplituda_; }
    // The step mixed down to 0 Hz at the middle of the smoothing, which the
    // amplitude is centred on.
    std::complex<double> Probka() const;
    double Krok() const { return krok_; }
    // How far the tone is above the frequency mixed down, in hertz, from
    // the last seconds' steps: a steady tone's, where it is heard.
    double Odstrojenie() const;
    bool Chwiejny() const { return sledzenie_.Chwiejny(); }
    // The noise's bandwidth of the coherent sum, in hertz.
    double Pasmo() const { return 1 / (krok_ * static_cast<double>(spojne_.Dlugosc())); }

private:
    double Blok() const;

    double probkowanie_;
    double czestotliwosc_ = 0;
    std::complex<double> obrot_;
    std::complex<double> faza_{1, 0};
    std::complex<double> suma_;
    std::size_t dziesiatkowanie_;
    std::size_t licznik_ = 0;
    double krok_;
    std::size_t wygladzanie_ = 1;
    SumaOkna<std::complex<double>> spojne_;
    SumaOkna<double> moce_;
    double amplituda_ = 0;
    std::vector<std::complex<double>> probki_;  // the last steps, the newest at pozycja_
    std::size_t pozycja_ = 0;
    FazaTonu sledzenie_;
    // The steps summed in blocks, and each block times the one before,
    // summed over the last seconds (and the last few): its angle is the
    // tone's turn a block.
    std::complex<double> blok_;
    std::complex<double> poprzedni_;
    std::size_t wBloku_ = 0;
    std::complex<double> obroty_;
    std::complex<double> szybkie_;
};

// Finds a keyed tone of 200 to 4000 Hz in mono samples, follows its
// frequency as it drifts and the sender's speed, and feeds a receiver with
// its marks and spaces. The samples before a tone is found are kept a few
// seconds and gone through again once it is, so the first letter counts.
class WykrywaczTonu {
public:
    // Sample rates outside 4 to 192 kHz, or not numbers, make a detector
    // that takes nothing.
    WykrywaczTonu(double probkowanie, Odbiornik& odbiornik);
    // Samples of -1 to 1, any number at a time.
    void Dodaj(std::span<const float> probki);
    // The recording is over: the mark or letter being received is written.
    void Koniec();

    bool Zlapany() const { return zlapany_; }
    double Czestotliwosc() const { return czestotliwosc_; }
    // Words per minute of the sender, from the receiver's unit.
    double Slowa() const;
    // The tone's power while keyed over the noise's in 500 Hz, in dB.
    double Poziom() const;

private:
    void Probka(float probka);
    void Obwiednia(float probka, Odbiornik* odbiornik);
    void OcenWidmo();
    void Zlap(double czestotliwosc, double stosunek);
    void Pusc(bool koniec = true);
    void Przejdz(Odbiornik* odbiornik);
    void SprawdzKropke();

    Odbiornik& odbiornik_;
    double probkowanie_;
    bool dziala_;
    WidmoTonu widmo_;
    ObwiedniaTonu obwiednia_;
    Kluczowanie kluczowanie_;
    std::vector<float> zapas_;  // the last seconds of samples, the oldest at zapasPozycja_
    std::size_t pojemnosc_;
    std::size_t zapasPozycja_ = 0;
    std::size_t nieprzejrzane_ = 0;  // samples not yet gone through at the tone
    double czas_ = 0;                // of the envelope
    bool zlapany_ = false;
    bool slyszany_ = false;  // a mark received since
    double czestotliwosc_ = 0;
    double kandydat_ = 0;
    int zgodnych_ = 0;
    int bezTonu_ = 0;
    double sprawdzona_ = 0;  // the time the dot's length was checked last
    int zlych_ = 0;          // checks in a row where it seemed too long
};

}  // namespace wirlok
