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
constexpr double ProgSlowaBez = 4.5;
constexpr double RozciagnieteLitery = 8.5;  // beyond a word gap off by a fifth: letter gaps stretched?
constexpr double TaSamaPrzerwa = 0.7;       // a gap at least this part of the one before is as long
// Word gaps are 7 / 3 of letter gaps; a hand off by a fifth keeps letter
// gaps below 1.2 of their mean and word gaps above 1.87 of it.
constexpr double SlowoDoLitery = 1.5;
constexpr double GrupaLiter = 1.55;  // the longest letter gap to the shortest

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
double Odbiornik::Skala(bool wymus) const
{
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
    if (dlugi >= 2 * krotki)
        return std::sqrt(krotki * dlugi) / 2;
    bool kreski = false;
    for (std::size_t i = 1; i < ileZapasu_; i += 2)
        kreski = kreski || zapas_[i] <= krotki / 2;
    const double srednia = suma / znaki;
    if (!kreski && !wymus)
        return 0;
    return kreski || srednia > NajdluzszaKropka ? srednia / 3 : srednia;
}

// The unit from all the marks and the gaps within letters held, then the
// held elements at it.
void Odbiornik::Przypnij(bool wymus)
{
    if (jednostka_ > 0 || ileZapasu_ == 0)
        return;
    const double skala = Skala(wymus);
    if (skala == 0)
        return;
    double suma = 0;
    double ile = 0;
    for (std::size_t i = 0; i < ileZapasu_; ++i) {
        const double e = zapas_[i];
        if (i % 2 == 0 || e < ProgLitery * skala) {
            suma += std::clamp(e < ProgLitery * skala ? e : e / 3, skala / 2, skala * 2);
            ++ile;
        }
    }
    jednostka_ = std::clamp(suma / ile, NajkrotszaJednostka, NajdluzszaJednostka);
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
        rozciagniete_ = rozciagniete_ || jednostki >= RozciagnieteLitery;
    } else if (!skalaPrzerw_ && !slowo_ && jednostki >= RozciagnieteLitery) {
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
    else
        rozciagniete_ = true;
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

// The letter gap is the mean of the last gaps between letters that are
// close to the second shortest (which stays a letter gap even after a run
// of one-letter words or one gap cut short); until there are a few, it is
// 3 units unless the first gaps showed stretched spacing.
double Odbiornik::ProgSlowa() const
{
    const std::size_t ile = std::min(ilePrzerw_, Przerwy);
    if (ile < 3 && !rozciagniete_)
        return ProgSlowaBez * jednostka_;
    std::array<double, Przerwy> przerwy = przerwy_;
    auto* const koniec = przerwy.begin() + ile;
    std::nth_element(przerwy.begin(), przerwy.begin() + 1, koniec);
    const double krotka = przerwy[ile >= 3 ? 1 : 0];
    double suma = 0;
    double litery = 0;
    for (auto* p = przerwy.begin(); p != koniec; ++p) {
        if (*p <= GrupaLiter * krotka) {
            suma += *p;
            ++litery;
        }
    }
    return jednostka_ * SlowoDoLitery * suma / litery;
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
