// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/odbieranie.h"

#include "cipher/mors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace wirlok {
namespace {

// Seconds.
constexpr double NajkrotszySzum = 0.012;  // shorter is a click or a dropout at any speed
constexpr double NajdluzszyCzas = 1e6;
constexpr double NajkrotszaJednostka = 0.02;  // 60 words per minute
constexpr double NajdluzszaJednostka = 0.5;   // 2.4 words per minute
constexpr double NajdluzszaKropka = 0.3;      // a lone kind of mark longer than this is a dash
constexpr double DlugaPauza = 2;              // decides what the first marks left open

// Units: marks are 1 or 3, gaps in a letter 1, between letters 3 (or
// stretched), between words 7 (or stretched as much).
constexpr double UlamekSzumu = 0.3;
constexpr double ProgLitery = 2;
constexpr double ProgSlowaBez = 5;
constexpr double SlowoDoLitery = 1.53;  // the square root of 7 / 3
constexpr double TaSamaPrzerwa = 0.7;   // a gap at least this part of the one before is as long

constexpr double Nauka = 0.2;  // how far each element moves the unit

}  // namespace

void Odbiornik::Znak(double sekundy)
{
    if (!(sekundy > 0))
        return;
    sekundy = std::min(sekundy, NajdluzszyCzas);
    if (sekundy < Szum() && znak_ == 0) {  // a click in a space
        scalona_ = przerwa_ + sekundy;
        przerwa_ = scalona_;
        return;
    }
    if (znak_ > 0) {  // a dropout in a mark
        znak_ += przerwa_ + sekundy;
    } else {
        if (poZnaku_)
            KoniecOdstepu(przerwa_);
        znak_ = sekundy;
    }
    przerwa_ = 0;
    scalona_ = 0;
}

void Odbiornik::Przerwa(double sekundy)
{
    if (!(sekundy >= 0))
        return;
    przerwa_ = scalona_ + std::min(sekundy, NajdluzszyCzas);
    if (znak_ > 0 && przerwa_ >= Szum()) {
        Element(std::exchange(znak_, 0));
        poZnaku_ = true;
    }
    if (poZnaku_ && znak_ == 0)
        Odstep(przerwa_);
}

void Odbiornik::Koniec()
{
    if (znak_ > 0)
        Element(std::exchange(znak_, 0));
    Przypnij(true);
    if (ileZnakow_ > 0)
        ZamknijLitere();
    if (watpliwa_ > 0)
        Rozstrzygnij(true);
    poZnaku_ = false;
    przerwa_ = 0;
    scalona_ = 0;
}

std::u32string Odbiornik::Odbierz() { return std::exchange(odebrane_, {}); }

double Odbiornik::Jednostka() const { return jednostka_; }

double Odbiornik::Szum() const { return std::max(NajkrotszySzum, UlamekSzumu * jednostka_); }

void Odbiornik::Element(double znak)
{
    if (jednostka_ > 0) {
        Dodaj(znak);
        return;
    }
    zapas_[ileZapasu_++] = znak;
    Przypnij(ileZapasu_ + 2 > Zapas);
}

void Odbiornik::Odstep(double dlugosc)
{
    if (jednostka_ == 0 && dlugosc >= DlugaPauza)
        Przypnij(true);
    if (jednostka_ > 0)
        Trwa(dlugosc);
}

void Odbiornik::KoniecOdstepu(double dlugosc)
{
    if (jednostka_ > 0)
        Zakoncz(dlugosc);
    else
        zapas_[ileZapasu_++] = dlugosc;
}

// Marks of two kinds are dots and dashes; marks of one kind with a gap half
// as long are dashes; otherwise, when forced, a short mark is a dot.
void Odbiornik::Przypnij(bool wymus)
{
    if (jednostka_ > 0 || ileZapasu_ == 0)
        return;
    double krotki = std::numeric_limits<double>::max();
    double dlugi = 0;
    double suma = 0;
    double znaki = 0;
    for (std::size_t i = 0; i < ileZapasu_; i += 2) {
        krotki = std::min(krotki, zapas_[i]);
        dlugi = std::max(dlugi, zapas_[i]);
        suma += zapas_[i];
        ++znaki;
    }
    double jednostka = 0;
    if (dlugi >= 2 * krotki) {
        const double prog = std::sqrt(krotki * dlugi);
        double kropki = 0;
        int ile = 0;
        for (std::size_t i = 0; i < ileZapasu_; i += 2) {
            if (zapas_[i] < prog) {
                kropki += zapas_[i];
                ++ile;
            }
        }
        jednostka = kropki / ile;
    } else {
        bool kreski = false;
        for (std::size_t i = 1; i < ileZapasu_; i += 2)
            kreski = kreski || zapas_[i] <= krotki / 2;
        const double srednia = suma / znaki;
        if (kreski || wymus)
            jednostka = kreski || srednia > NajdluzszaKropka ? srednia / 3 : srednia;
    }
    if (jednostka == 0)
        return;
    jednostka_ = std::clamp(jednostka, NajkrotszaJednostka, NajdluzszaJednostka);
    for (std::size_t i = 0; i < ileZapasu_; ++i) {
        if (i % 2 == 0)
            Dodaj(zapas_[i]);
        else
            Zakoncz(zapas_[i]);
    }
    ileZapasu_ = 0;
}

void Odbiornik::Dodaj(double znak)
{
    if (ileZnakow_ == Znaki)
        ZamknijLitere();
    znaki_[ileZnakow_++] = znak;
}

void Odbiornik::Trwa(double dlugosc)
{
    if (ileZnakow_ > 0 && dlugosc >= ProgLitery * jednostka_)
        ZamknijLitere();
    if (ileZnakow_ > 0)
        return;
    // The first long gap was a stretched letter gap if the next is as long.
    if (watpliwa_ > 0 && dlugosc >= TaSamaPrzerwa * watpliwa_ * jednostka_)
        Rozstrzygnij(false);
    if (!slowo_ && watpliwa_ == 0 && (skalaPrzerw_ || dlugosc >= DlugaPauza) && dlugosc >= ProgSlowa()) {
        Pisz(U"\\");
        slowo_ = true;
    }
}

void Odbiornik::Zakoncz(double dlugosc)
{
    Trwa(dlugosc);
    if (ileZnakow_ > 0) {
        odstepy_[ileZnakow_ - 1] = dlugosc;
        return;
    }
    const double jednostki = dlugosc / jednostka_;
    if (watpliwa_ > 0) {
        Rozstrzygnij(true);
    } else if (!skalaPrzerw_ && !slowo_ && jednostki >= ProgSlowaBez) {
        watpliwa_ = jednostki;  // the letters after it wait for the next gap
        return;
    }
    DodajPrzerwe(jednostki);
    if (!slowo_ && dlugosc >= ProgSlowa()) {
        Pisz(U"\\");
        slowo_ = true;
    }
}

// Within a letter of dots and dashes the letter itself splits them, so that
// a change of speed cannot; a letter of one kind goes by the unit.
void Odbiornik::ZamknijLitere()
{
    const auto [krotki, dlugi] = std::minmax_element(znaki_.begin(), znaki_.begin() + ileZnakow_);
    const double prog = *dlugi >= 2 * *krotki ? std::sqrt(*krotki * *dlugi) : ProgLitery * jednostka_;
    std::array<char32_t, Znaki + 1> kod{};
    for (std::size_t i = 0; i < ileZnakow_; ++i) {
        const bool kropka = znaki_[i] < prog;
        kod[i] = kropka ? U'.' : U'-';
        Ucz(kropka ? znaki_[i] : znaki_[i] / 3);
        if (i + 1 < ileZnakow_)
            Ucz(odstepy_[i]);
    }
    kod[ileZnakow_] = U'\\';
    Pisz({kod.data(), ileZnakow_ + 1});
    ileZnakow_ = 0;
    slowo_ = false;
}

// One odd element (a key held for a minute) moves the unit a little only.
void Odbiornik::Ucz(double jednostka)
{
    jednostka_ += Nauka * (std::clamp(jednostka, jednostka_ / 2, jednostka_ * 2) - jednostka_);
    jednostka_ = std::clamp(jednostka_, NajkrotszaJednostka, NajdluzszaJednostka);
}

void Odbiornik::Rozstrzygnij(bool slowo)
{
    const double przerwa = std::exchange(watpliwa_, 0);
    if (slowo)
        odebrane_ += U'\\';
    odebrane_ += wstrzymane_;
    wstrzymane_.clear();
    DodajPrzerwe(przerwa);
}

void Odbiornik::DodajPrzerwe(double jednostki)
{
    przerwy_[ilePrzerw_ % Przerwy] = jednostki;
    ++ilePrzerw_;
    skalaPrzerw_ = true;
}

// Word gaps are longer than letter gaps as 7 to 3 whatever the spacing; most
// gaps between letters are letter gaps, so a low one of the last is one.
double Odbiornik::ProgSlowa() const
{
    const std::size_t ile = std::min(ilePrzerw_, Przerwy);
    if (ile == 0)
        return ProgSlowaBez * jednostka_;
    std::array<double, Przerwy> przerwy = przerwy_;
    auto* const litera = przerwy.begin() + static_cast<std::ptrdiff_t>(ile / 3);
    std::nth_element(przerwy.begin(), litera, przerwy.begin() + static_cast<std::ptrdiff_t>(ile));
    return jednostka_ * std::max(ProgSlowaBez, SlowoDoLitery * *litera);
}

void Odbiornik::Pisz(std::u32string_view zapis) { (watpliwa_ > 0 ? wstrzymane_ : odebrane_) += zapis; }

std::u32string DoWstawienia(char32_t przed, Klawisz klawisz)
{
    const bool wLiterze = przed == U'.' || przed == U'-';
    const std::u32string_view otwarcie = wLiterze || MorsSeparator(przed) ? U"" : U"\\";
    switch (klawisz) {
    case Klawisz::Kropka: return std::u32string(otwarcie) + U'.';
    case Klawisz::Kreska: return std::u32string(otwarcie) + U'-';
    case Klawisz::KoniecLitery: return wLiterze ? U"\\" : U"";
    case Klawisz::Odstep: return wLiterze ? U"\\\\" : DoWstawienia(przed, U"\\");
    }
    return {};
}

// A received letter is whole: it closes a letter being keyed before it.
std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane)
{
    if (odebrane.empty() || MorsSeparator(przed))
        return std::u32string(odebrane);
    return U"\\" + std::u32string(odebrane);
}

}  // namespace wirlok
