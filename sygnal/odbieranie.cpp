// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/odbieranie.h"

#include "cipher/mors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace wirlok {
namespace {

// Seconds.
constexpr double NajkrotszySzum = 0.012;  // shorter is a click or a dropout at any speed
constexpr double NajdluzszyCzas = 1e6;
constexpr double NajkrotszaJednostka = 0.02;  // 60 words per minute
constexpr double NajdluzszaJednostka = 0.5;   // 2.4 words per minute
constexpr double NajdluzszaKropka = 0.3;      // 4 words per minute
constexpr double NajkrotszaKreska = 0.075;    // 48 words per minute
constexpr double DlugaPauza = 2;              // decides what the first marks left open

// Units: marks are 1 or 3, gaps in a letter 1, between letters 3 (or
// stretched), between words 7 (or stretched as much).
constexpr double UlamekSzumu = 0.3;  // a click or a dropout
constexpr double ProgLitery = 2;
constexpr double NajdluzszaKreska = 6;
constexpr double ProgSlowaBez = 4.5;
constexpr double RozciagnieteLitery = 6.5;  // a first gap this long may be a stretched letter gap
constexpr double TaSamaPrzerwa = 0.65;      // gaps closer than this are as long
constexpr char32_t Znacznik = U'|';         // a held gap in held notation
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
    if (watpliwych_ > 0)
        Rozstrzygnij(watpliwych_ == 1);
    poZnaku_ = false;
    przerwa_ = 0;
    scalona_ = 0;
    odstep_ = false;  // no letter follows
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

// Before the scale is pinned a space is held, unless nothing is: after a
// guessed scale only a long pause counts, as a word gap.
void Odbiornik::KoniecOdstepu(double dlugosc)
{
    if (jednostka_ > 0) {
        Zakoncz(dlugosc);
    } else if (ileZapasu_ > 0) {
        zapas_[ileZapasu_++] = dlugosc;
    } else if (!slowo_ && dlugosc >= DlugaPauza) {
        Slowo();
    }
}

// Dots are the shortest mark and those up to twice as long, dashes up to
// three times that (a key held far longer is neither). Dots and dashes pin
// the unit; marks of one kind are dashes with a gap half as long, or when
// too long for dots, and dots when too short for dashes; otherwise, when
// forced, a short mark is a dot.
double Odbiornik::Skala(bool wymus) const
{
    double krotki = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < ileZapasu_; i += 2)
        krotki = std::min(krotki, zapas_[i]);
    double kropki = 0;
    double ileKropek = 0;
    bool kreski = false;
    for (std::size_t i = 0; i < ileZapasu_; i += 2) {
        if (zapas_[i] < 2 * krotki) {
            kropki += zapas_[i];
            ++ileKropek;
        }
        kreski = kreski || (zapas_[i] >= 2 * krotki && zapas_[i] <= NajdluzszaKreska * krotki);
    }
    const double srednia = kropki / ileKropek;
    if (kreski)
        return srednia;
    bool krotkaPrzerwa = false;
    for (std::size_t i = 1; i < ileZapasu_; i += 2)
        krotkaPrzerwa = krotkaPrzerwa || zapas_[i] <= krotki / 2;
    const bool kropkiZaKrotkieNaKreski = srednia < NajkrotszaKreska;
    const bool kreskiZaDlugieNaKropki = srednia > NajdluzszaKropka && srednia < 3 * NajdluzszaKropka;
    if (krotkaPrzerwa || kreskiZaDlugieNaKropki)
        return srednia / 3;
    if (kropkiZaKrotkieNaKreski)
        return srednia;
    if (!wymus)
        return 0;
    return srednia > NajdluzszaKropka ? srednia / 3 : srednia;
}

// The unit from all the marks and the gaps within letters held, then the
// held elements at it. A unit guessed when forced is forgotten after them,
// so that a key held for a minute leaves no scale behind.
void Odbiornik::Przypnij(bool wymus)
{
    if (jednostka_ > 0 || ileZapasu_ == 0)
        return;
    const double skala = Skala(wymus);
    if (skala == 0)
        return;
    const bool zgadnieta = Skala(false) == 0;
    double suma = 0;
    double ile = 0;
    for (std::size_t i = 0; i < ileZapasu_; ++i) {
        const double e = zapas_[i];
        if (e < (i % 2 == 0 ? NajdluzszaKreska : ProgLitery) * skala) {
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
    if (zgadnieta) {  // serves the held letters only
        if (ileZnakow_ > 0)
            ZamknijLitere();
        if (watpliwych_ > 0)
            Rozstrzygnij(watpliwych_ == 1);
        jednostka_ = 0;
    }
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
    if (watpliwych_ > 0 && dlugosc * TaSamaPrzerwa > SredniaWatpliwych() * jednostka_)
        Rozstrzygnij(false);
    if (!slowo_ && watpliwych_ == 0 && (skalaPrzerw_ || dlugosc >= DlugaPauza) && dlugosc >= ProgSlowa()) {
        Slowo();
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
    if (Watpliwa(jednostki))
        return;
    DodajPrzerwe(jednostki);
    if (!slowo_ && dlugosc >= ProgSlowa()) {
        Slowo();
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

// The first long gaps between letters: word gaps, or letter gaps of
// stretched spacing? The letters after them wait for a gap that tells: a far
// shorter one follows word gaps, a far longer one letter gaps; a third as
// long makes them letter gaps.
bool Odbiornik::Watpliwa(double jednostki)
{
    if (watpliwych_ == 0) {
        if (skalaPrzerw_ || slowo_ || jednostki < RozciagnieteLitery)
            return false;
        watpliwe_[watpliwych_++] = jednostki;
        return true;
    }
    const double watpliwa = SredniaWatpliwych();
    if (jednostki < TaSamaPrzerwa * watpliwa) {
        Rozstrzygnij(true);
        rozciagniete_ = rozciagniete_ || jednostki >= RozciagnieteLitery;
        return false;
    }
    if (jednostki * TaSamaPrzerwa > watpliwa || watpliwych_ == watpliwe_.size()) {
        Rozstrzygnij(false);
        return false;
    }
    wstrzymane_ += Znacznik;
    watpliwe_[watpliwych_++] = jednostki;
    return true;
}

double Odbiornik::SredniaWatpliwych() const
{
    return std::accumulate(watpliwe_.begin(), watpliwe_.begin() + watpliwych_, 0.0) / static_cast<double>(watpliwych_);
}

// The held letters go out with the gaps before them decided; a word gap
// decided while they were held comes after them.
void Odbiornik::Rozstrzygnij(bool slowo)
{
    const bool poWstrzymanych = std::exchange(odstep_, slowo);
    for (const char32_t z : wstrzymane_) {
        if (z == Znacznik) {
            odstep_ = odstep_ || slowo;
            continue;
        }
        if (std::exchange(odstep_, false))
            odebrane_ += U'\\';
        odebrane_ += z;
    }
    odstep_ = odstep_ || poWstrzymanych;
    wstrzymane_.clear();
    for (std::size_t i = 0; i < watpliwych_; ++i)
        DodajPrzerwe(watpliwe_[i]);
    watpliwych_ = 0;
    rozciagniete_ = rozciagniete_ || !slowo;
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

void Odbiornik::Pisz(std::u32string_view zapis)
{
    std::u32string& cel = watpliwych_ > 0 ? wstrzymane_ : odebrane_;
    if (std::exchange(odstep_, false))
        cel += U'\\';
    cel += zapis;
}

// A word gap is written with the letter after it, so that a message that
// ends in a pause ends in its last letter, as the encoder writes it.
void Odbiornik::Slowo()
{
    odstep_ = true;
    slowo_ = true;
}

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
std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane, bool dalej)
{
    if (!dalej && !odebrane.empty() && MorsSeparator(odebrane.front()))
        odebrane.remove_prefix(1);
    if (odebrane.empty() || MorsSeparator(przed))
        return std::u32string(odebrane);
    return U"\\" + std::u32string(odebrane);
}

}  // namespace wirlok
