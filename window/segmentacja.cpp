// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/segmentacja.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wirlok {

namespace {
constexpr double Niemozliwe = -std::numeric_limits<double>::infinity();
// A mark or a space shorter than this part of a dot is noise.
constexpr double Najkrotszy = 0.45;
constexpr double Grupa = 0.125;  // of a dot: the steps are grouped so
// The most groups the programme spans; more, and the cut is decided sooner.
constexpr std::size_t Najwiecej = 160;
const double Trzy = std::log(3.0);
}  // namespace

Segmentacja::Segmentacja(const Ustawienia& ustawienia)
    : ustawienia_(ustawienia)
{
}

// The log of how likely a mark or a space is to last this many dots, ended
// or (`skonczony` false) still going: near a dot or a dash for a mark, near
// a dot for a space or three dots and more; each one piece more.
double Segmentacja::Dlugosc(bool znak, double jednostek, bool skonczony) const
{
    if (skonczony && jednostek < Najkrotszy)
        return Niemozliwe;
    const double l = std::log(std::max(jednostek, 1e-3));
    double od = 0;
    if (znak)
        od = l < Trzy / 2 ? std::abs(l) : std::abs(l - Trzy);
    else
        od = l < Trzy / 2 ? std::abs(l) : std::max(0.0, Trzy - l);
    if (!skonczony)
        od = znak ? std::max(0.0, l - Trzy) : 0.0;
    return -ustawienia_.kara - ustawienia_.ksztalt * od * od;
}

void Segmentacja::Dodaj(double czas, double dowod, double kropka)
{
    if (pierwszy_) {
        pierwszy_ = false;
        poczatek_ = czas;
        return;
    }
    grupa_ += dowod;
    const double ostatni = czasy_.empty() ? poczatek_ : czasy_.back();
    if (czas - ostatni < Grupa * kropka)
        return;
    czasy_.push_back(czas);
    sumy_.push_back((sumy_.empty() ? 0 : sumy_.back()) + grupa_);
    grupa_ = 0;
    Tnij(kropka, std::min(ustawienia_.opoznienie * kropka, ustawienia_.najdluzej));
}

void Segmentacja::Domknij(double kropka) { Tnij(kropka, 0); }

const std::vector<double>& Segmentacja::Zmiany()
{
    zmianyWydane_.clear();
    std::swap(zmiany_, zmianyWydane_);
    return zmianyWydane_;
}

void Segmentacja::OdNowa()
{
    czasy_.clear();
    sumy_.clear();
    zmiany_.clear();
    grupa_ = 0;
    znak_ = false;
    trwa_ = 0;
    pierwszy_ = true;
}

double Segmentacja::Czas(std::size_t j) const { return j == 0 ? poczatek_ : czasy_[j - 1]; }
double Segmentacja::Suma(std::size_t j) const { return j == 0 ? 0.0 : sumy_[j - 1]; }
double Segmentacja::Jednostek(std::size_t i, std::size_t j, double kropka) const
{
    return (Czas(j) - Czas(i) + (i == 0 ? trwa_ : 0)) / kropka;
}

// The programme over the groups since the decided time (position 0): the
// best score of the cuts with a mark, or a space, ending at each position,
// and where it began.
void Segmentacja::Policz(double kropka)
{
    const std::size_t n = czasy_.size();
    znaki_.assign(n + 1, Niemozliwe);
    przerwy_.assign(n + 1, Niemozliwe);
    odZnaku_.assign(n + 1, 0);
    odPrzerwy_.assign(n + 1, 0);
    for (std::size_t j = 1; j <= n; ++j) {
        // The piece going on at the decided time has paid for starting.
        const double pierwszy = Dlugosc(znak_, Jednostek(0, j, kropka), true) + ustawienia_.kara;
        (znak_ ? znaki_[j] : przerwy_[j]) = pierwszy + (znak_ ? Suma(j) : 0);
        for (std::size_t i = 1; i < j; ++i) {
            const double znak = przerwy_[i] + Suma(j) - Suma(i) + Dlugosc(true, Jednostek(i, j, kropka), true);
            if (znak > znaki_[j]) {
                znaki_[j] = znak;
                odZnaku_[j] = i;
            }
            const double przerwa = znaki_[i] + Dlugosc(false, Jednostek(i, j, kropka), true);
            if (przerwa > przerwy_[j]) {
                przerwy_[j] = przerwa;
                odPrzerwy_[j] = i;
            }
        }
    }
}

// The best way to end at the newest position, with the piece it ends in
// still going: the piece's kind and where it began.
std::pair<bool, std::size_t> Segmentacja::Ostatni(double kropka) const
{
    const std::size_t n = czasy_.size();
    std::pair<bool, std::size_t> ostatni{znak_, 0};
    double najlepiej = Dlugosc(znak_, Jednostek(0, n, kropka), false) + ustawienia_.kara + (znak_ ? Suma(n) : 0);
    for (std::size_t i = 1; i <= n; ++i) {
        const double doZnaku = przerwy_[i] + Suma(n) - Suma(i) + Dlugosc(true, Jednostek(i, n, kropka), false);
        const double doPrzerwy = znaki_[i] + Dlugosc(false, Jednostek(i, n, kropka), false);
        if (doZnaku > najlepiej) {
            najlepiej = doZnaku;
            ostatni = {true, i};
        }
        if (doPrzerwy > najlepiej) {
            najlepiej = doPrzerwy;
            ostatni = {false, i};
        }
    }
    return ostatni;
}

// The changes of the best cut far enough behind the newest are decided.
void Segmentacja::Tnij(double kropka, double opoznienie)
{
    const std::size_t n = czasy_.size();
    if (n == 0)
        return;
    Policz(kropka);
    auto [znak, od] = Ostatni(kropka);
    // A space two dots long already is a space, and the receiver is told
    // of it half a dot behind, lest a letter wait for the cut.
    double granica = Czas(n) - opoznienie;
    if (!znak && Jednostek(od, n, kropka) >= 2)
        granica = std::max(granica, Czas(n) - kropka / 2);
    std::size_t p = 0;
    while (p < n && Czas(p + 1) <= granica)
        ++p;
    if (n > Najwiecej)
        p = std::max(p, n - Najwiecej);
    if (p == 0)
        return;

    // Back from the newest: where each piece began, the newest first.
    granice_.clear();
    while (od > 0) {
        granice_.push_back(od);
        od = znak ? odPrzerwy_[od] : odZnaku_[od];
        znak = !znak;
    }
    double poczatekKawalka = -1;
    for (; !granice_.empty() && granice_.back() <= p; granice_.pop_back()) {
        zmiany_.push_back(Czas(granice_.back()));
        znak_ = !znak_;
        poczatekKawalka = Czas(granice_.back());
    }
    trwa_ = poczatekKawalka >= 0 ? Czas(p) - poczatekKawalka : trwa_ + Czas(p) - poczatek_;
    poczatek_ = Czas(p);
    const double odjac = Suma(p);
    czasy_.erase(czasy_.begin(), czasy_.begin() + static_cast<std::ptrdiff_t>(p));
    sumy_.erase(sumy_.begin(), sumy_.begin() + static_cast<std::ptrdiff_t>(p));
    for (double& s : sumy_)
        s -= odjac;
}

}  // namespace wirlok
