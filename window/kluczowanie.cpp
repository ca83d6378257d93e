// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/kluczowanie.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace wirlok {

namespace {
// The threshold lies halfway between noise and signal; the hysteresis
// moves it this fraction of their difference up for a rise, down for a fall.
constexpr double Histereza = 0.08;
// Marks and spaces shorter than this part of a dot are glitches.
constexpr double Usterka = 0.45;
// How often a growing space is reported, in seconds.
constexpr double CoPrzerwa = 0.01;
}  // namespace

Kluczowanie::Kluczowanie(const Ustawienia& ustawienia)
    : ustawienia_(ustawienia)
    , pamiec_(std::max<std::size_t>(ustawienia.pamiec, 8))
{
}

bool Kluczowanie::Pewne() const
{
    return sygnal_ - szum_ > ustawienia_.roznica && sygnal_ > ustawienia_.stosunek * szum_;
}

// The levels: a first threshold between a low and a high percentile of the
// values kept (a space is most of a Morse message, a mark a good part), then
// the means of the values on either side of it.
void Kluczowanie::Przelicz()
{
    const std::size_t ile = std::min(wartosci_, pamiec_.size());
    robocza_.assign(pamiec_.begin(), pamiec_.begin() + static_cast<std::ptrdiff_t>(ile));
    auto dolny = robocza_.begin() + static_cast<std::ptrdiff_t>(ile / 4);
    std::nth_element(robocza_.begin(), dolny, robocza_.end());
    const double nisko = *dolny;
    auto gorny = robocza_.begin() + static_cast<std::ptrdiff_t>(ile * 19 / 20);
    std::nth_element(robocza_.begin(), gorny, robocza_.end());
    const double prog = (nisko + *gorny) / 2;
    double dol = 0;
    double gora = 0;
    std::size_t ileDol = 0;
    for (const float w : robocza_) {
        if (w < prog) {
            dol += w;
            ++ileDol;
        } else {
            gora += w;
        }
    }
    szum_ = ileDol > 0 ? dol / static_cast<double>(ileDol) : nisko;
    sygnal_ = ileDol < ile ? gora / static_cast<double>(ile - ileDol) : prog;
}

void Kluczowanie::Dodaj(double czas, double wartosc, Odbiornik* odbiornik)
{
    if (!std::isfinite(czas) || !std::isfinite(wartosc) || (!pierwsza_ && czas <= poprzedniCzas_))
        return;
    pamiec_[wartosci_ % pamiec_.size()] = static_cast<float>(wartosc);
    ++wartosci_;
    if (wartosci_ % ustawienia_.co == 0 && wartosci_ >= pamiec_.size() / 8)
        Przelicz();
    if (pierwsza_) {
        pierwsza_ = false;
        poczatek_ = czas;
        poprzedniCzas_ = czas;
        poprzedniaWartosc_ = wartosc;
        return;
    }

    const double srodek = (szum_ + sygnal_) / 2;
    const double prog = srodek + (surowy_ ? -Histereza : Histereza) * (sygnal_ - szum_);
    const bool surowy = Pewne() && wartosc > prog;
    if (surowy != surowy_) {
        surowy_ = surowy;
        const double krok = wartosc - poprzedniaWartosc_;
        const double czesc = krok != 0 ? std::clamp((prog - poprzedniaWartosc_) / krok, 0.0, 1.0) : 1.0;
        const double krawedz = poprzedniCzas_ + czesc * (czas - poprzedniCzas_);
        zmiana_ = surowy != znak_ ? std::max(krawedz, poczatek_) : -1;
    }
    const double odstep = czas - poprzedniCzas_;
    poprzedniCzas_ = czas;
    poprzedniaWartosc_ = wartosc;
    if (zmiana_ >= 0 && czas - zmiana_ >= Usterka * kropka_)
        Potwierdz(odbiornik);

    if (!znak_ && zmiana_ < 0 && odbiornik != nullptr) {
        const double przerwa = czas - poczatek_;
        if (std::floor(przerwa / CoPrzerwa) != std::floor((przerwa - odstep) / CoPrzerwa))
            odbiornik->Przerwa(przerwa);
    }
}

void Kluczowanie::Potwierdz(Odbiornik* odbiornik)
{
    const double dlugosc = zmiana_ - poczatek_;
    if (znak_) {
        OcenKropke(dlugosc);
        if (odbiornik != nullptr)
            odbiornik->Znak(dlugosc);
    } else if (odbiornik != nullptr) {
        odbiornik->Przerwa(dlugosc);
    }
    znak_ = !znak_;
    poczatek_ = zmiana_;
    zmiana_ = -1;
}

// A dot's length from the last marks. The first few part where one mark
// is longest past the one before, sorted; a dash is three dots. Then each
// mark is a dot or a dash by the length known, and the dot is the median of
// what they make of it, which a glitch or a broken dash cannot pull away.
void Kluczowanie::OcenKropke(double znak)
{
    if (ileZnakow_ >= 8 && znak < 0.4 * kropka_)
        return;
    znaki_[ileZnakow_ % znaki_.size()] = znak;
    ++ileZnakow_;
    const std::size_t ile = std::min(ileZnakow_, znaki_.size());
    std::array<double, 20> kropki = znaki_;
    double* const poczatek = kropki.data();
    double* const koniec = poczatek + ile;
    if (ileZnakow_ < 8) {
        std::sort(poczatek, koniec);
        std::size_t podzial = 0;
        double najwiekszy = 1.8;
        for (std::size_t i = 1; i < ile; ++i) {
            if (kropki[i] > najwiekszy * kropki[i - 1]) {
                najwiekszy = kropki[i] / kropki[i - 1];
                podzial = i;
            }
        }
        if (podzial > 0) {
            double* const srodek = poczatek + podzial;
            kropka_ = (std::accumulate(poczatek, srodek, 0.0) + std::accumulate(srodek, koniec, 0.0) / 3)
                / static_cast<double>(ile);
            return;
        }
    }
    for (double* k = poczatek; k != koniec; ++k)
        *k = *k < 2 * kropka_ ? *k : *k / 3;
    double* const mediana = poczatek + ile / 2;
    std::nth_element(poczatek, mediana, koniec);
    kropka_ = *mediana;
}

void Kluczowanie::Koniec(Odbiornik* odbiornik)
{
    if (znak_) {
        zmiana_ = poprzedniCzas_;
        Potwierdz(odbiornik);
    }
    if (odbiornik != nullptr)
        odbiornik->Koniec();
    surowy_ = false;
    zmiana_ = -1;
    pierwsza_ = true;
}

void Kluczowanie::OdNowa()
{
    if (wartosci_ >= 8)
        Przelicz();
    surowy_ = false;
    znak_ = false;
    zmiana_ = -1;
    pierwsza_ = true;
}

}  // namespace wirlok
