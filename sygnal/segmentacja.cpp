// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/segmentacja.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace wirlok {

namespace {
constexpr double Niemozliwe = -std::numeric_limits<double>::infinity();
// A mark or a space shorter than this part of a dot is noise.
constexpr double Najkrotszy = 0.45;
constexpr double DlugoscGrupy = 0.125;  // of a dot: the steps are grouped so
// The most groups the programme spans; more, and the cut is decided sooner.
constexpr std::size_t Najwiecej = 160;
// The tone is summed coherently over a dot, and 70 ms at most, lest a
// frequency a little off turn its phase round; a fast sender's over a dash
// of 150 ms at most, which summed whole stands out of noise that its dots
// summed apart would not (at 30 WPM and -3 dB, 30 % of letters wrong
// against 37 %).
constexpr double NajdluzejSpojnie = 0.07;
constexpr double NajdluzszaKreska = 0.15;
constexpr double Kreska = 3;  // dots
const double Trzy = std::log(3.0);
// A space of 4 to 6 dots is most often a dash or a dot lost to noise.
const double Siedem = std::log(7.0);
// The levels learnt from the cut are taken after this many dots of marks
// and steps of spaces, and followed over about ten times as many.
constexpr double UczoneDoty = 20;
constexpr double UczoneKroki = 500;
// A step's noise is taken 40 dB under the tone at least: a recording's
// digital silence has none, and the evidence must stay finite.
constexpr double NajmniejSzumu = 1e-4;
// The marks the cut chose in noise are those its noise lifted more often
// than not, the more the weaker the tone: a dot's sum learnt from them has
// this many times the noise's power over the tone's energy in a dot, and
// three times the noise at most, taken away besides the noise itself. At
// -6 dB and 30 WPM the tone would be taken 1 dB too strong, its weaker
// dots lost and letters broken into pieces.
constexpr double Wybrane = 10;
constexpr double NajwiecejWybranych = 3;
}  // namespace

double LogI0(double x)
{
    if (x < 3.75) {  // Abramowitz and Stegun, 9.8.1
        const double t = x * x / (3.75 * 3.75);
        return std::log(1
            + t * (3.5156229 + t * (3.0899424 + t * (1.2067492 + t * (0.2659732 + t * (0.0360768 + t * 0.0045813))))));
    }
    return x - 0.5 * std::log(2 * std::numbers::pi * x) + std::log1p(1 / (8 * x));
}

Segmentacja::Segmentacja(const Ustawienia& ustawienia)
    : ustawienia_(ustawienia)
{
}

// The log of how likely a mark or a space is to last this many dots, ended
// or (`skonczony` false) still going: near a dot or a dash for a mark, near
// a dot for a space, three dots, or seven and more; each one piece more.
double Segmentacja::Dlugosc(bool znak, double jednostek, bool skonczony) const
{
    if (skonczony && jednostek < Najkrotszy)
        return Niemozliwe;
    const double l = std::log(std::max(jednostek, 1e-3));
    double od = 0;
    if (znak)
        od = l < Trzy / 2 ? std::abs(l) : std::abs(l - Trzy);
    else
        od = l < Trzy / 2 ? std::abs(l) : std::min(std::abs(l - Trzy), std::max(0.0, Siedem - l));
    if (!skonczony)
        od = znak ? std::max(0.0, l - Trzy) : 0.0;
    return -ustawienia_.kara - ustawienia_.ksztalt * od * od;
}

// Once the cut has shown enough of both, what it learnt goes before what
// is given: it holds the losses of a real tone's sums.
void Segmentacja::Poziomy(double ton, double szum, bool staly, double ogon)
{
    ogon_ = std::max(ogon, 0.0);
    const bool uczone = stosunekTonu_.Ile() >= UczoneDoty && mocSzumu_.Ile() >= UczoneKroki;
    ton_ = std::max(ton, 0.0);
    stosunek_ = uczone ? std::sqrt(std::max(stosunekTonu_.Wartosc(), 0.0)) : 1.0;
    if (staly && uczone && ton_ > 0) {
        ton_ = std::sqrt(std::max(kwadratTonu_.Wartosc(), 0.0));
        stosunek_ = 1;
    }
    szum_ = std::max({uczone ? mocSzumu_.Wartosc() : szum, ton_ * ton_ * stosunek_ * stosunek_ * NajmniejSzumu, 1e-30});
}

void Segmentacja::Dodaj(double czas, std::complex<double> probka, double kropka)
{
    if (grupy_.empty()) {
        grupy_.push_back({czas, {}, 0, 0, {}, 0, 0, 0});
        return;
    }
    biezaca_.suma += probka;
    biezaca_.krokow += 1;
    biezaca_.energia += std::norm(probka);
    biezaca_.wazona += ton_ * probka;
    biezaca_.kwadraty += ton_ * ton_;
    biezaca_.ogon += ton_ * std::sqrt(ogon_);
    biezaca_.ogony += ogon_;
    const Grupa& ostatnia = grupy_.back();
    if (czas - ostatnia.czas < DlugoscGrupy * kropka)
        return;
    grupy_.push_back({czas,
        ostatnia.suma + biezaca_.suma,
        ostatnia.krokow + biezaca_.krokow,
        ostatnia.energia + biezaca_.energia,
        ostatnia.wazona + biezaca_.wazona,
        ostatnia.kwadraty + biezaca_.kwadraty,
        ostatnia.ogon + biezaca_.ogon,
        ostatnia.ogony + biezaca_.ogony});
    biezaca_ = {};
    spojnie_ = Kreska * kropka <= NajdluzszaKreska
        ? static_cast<std::size_t>(Kreska / DlugoscGrupy)
        : static_cast<std::size_t>(std::clamp(NajdluzejSpojnie / (DlugoscGrupy * kropka), 1.0, 1 / DlugoscGrupy));
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
    grupy_.clear();
    biezaca_ = {};
    zmiany_.clear();
    znak_ = false;
    trwa_ = 0;
}

// How much likelier the tone is than noise alone over groups i to j, summed
// coherently, each step weighed by the tone's level at it (a matched
// filter to a fading tone): the log of the ratio of Rice's density to
// Rayleigh's. An echo expected adds to the noise of the sum, in marks and
// spaces alike: summed coherently within a group, its phase wandering
// between them.
double Segmentacja::Odcinek(std::size_t i, std::size_t j) const
{
    const double z = std::abs(grupy_[j].wazona - grupy_[i].wazona);
    const double kwadraty = grupy_[j].kwadraty - grupy_[i].kwadraty;
    const double ogon = grupy_[j].ogon - grupy_[i].ogon;
    if (ogon <= 0)
        return LogI0(2 * stosunek_ * z / szum_) - stosunek_ * stosunek_ * kwadraty / szum_;
    const double wariancja = szum_ * kwadraty + ogon * ogon / static_cast<double>(j - i);
    return LogI0(2 * stosunek_ * kwadraty * z / wariancja) - stosunek_ * stosunek_ * kwadraty * kwadraty / wariancja;
}

// The evidence for a mark from group i to j: of its spans summed coherently,
// the whole ones from the table, the rest anew.
double Segmentacja::Znak(std::size_t i, std::size_t j, double kropka) const
{
    if (ton_ <= 0)
        return -(Czas(j) - Czas(i)) / kropka;
    const std::size_t calych = (j - i) / spojnie_;
    const std::size_t reszta = i + calych * spojnie_;
    return pelne_[i] - pelne_[reszta] + (reszta < j ? Odcinek(reszta, j) : 0.0);
}
double Segmentacja::Jednostek(std::size_t i, std::size_t j, double kropka) const
{
    return (Czas(j) - Czas(i) + (i == 0 ? trwa_ : 0)) / kropka;
}

// The programme over the groups since the decided time (position 0): the
// best score of the cuts with a mark, or a space, ending at each position,
// and where it began.
void Segmentacja::Policz(double kropka)
{
    const std::size_t n = grupy_.size() - 1;
    // From each group on, the spans summed coherently that follow in a row.
    pelne_.assign(n + 1, 0);
    if (ton_ > 0)
        for (std::size_t k = n + 1; k-- > 0;)
            pelne_[k] = k + spojnie_ <= n ? Odcinek(k, k + spojnie_) + pelne_[k + spojnie_] : 0;
    znaki_.assign(n + 1, Niemozliwe);
    przerwy_.assign(n + 1, Niemozliwe);
    odZnaku_.assign(n + 1, 0);
    odPrzerwy_.assign(n + 1, 0);
    for (std::size_t j = 1; j <= n; ++j) {
        // The piece going on at the decided time has paid for starting.
        const double pierwszy = Dlugosc(znak_, Jednostek(0, j, kropka), true) + ustawienia_.kara;
        (znak_ ? znaki_[j] : przerwy_[j]) = pierwszy + (znak_ ? Znak(0, j, kropka) : 0);
        for (std::size_t i = 1; i < j; ++i) {
            const double znak = przerwy_[i] + Znak(i, j, kropka) + Dlugosc(true, Jednostek(i, j, kropka), true);
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
    const std::size_t n = grupy_.size() - 1;
    std::pair<bool, std::size_t> ostatni{znak_, 0};
    double najlepiej
        = Dlugosc(znak_, Jednostek(0, n, kropka), false) + ustawienia_.kara + (znak_ ? Znak(0, n, kropka) : 0);
    for (std::size_t i = 1; i <= n; ++i) {
        const double doZnaku = przerwy_[i] + Znak(i, n, kropka) + Dlugosc(true, Jednostek(i, n, kropka), false);
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
    if (grupy_.size() < 2)
        return;
    const std::size_t n = grupy_.size() - 1;
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
    std::size_t poprzednia = 0;
    for (; !granice_.empty() && granice_.back() <= p; granice_.pop_back()) {
        Ucz(znak_, poprzednia, granice_.back());
        poprzednia = granice_.back();
        zmiany_.push_back(Czas(granice_.back()));
        znak_ = !znak_;
        poczatekKawalka = Czas(granice_.back());
    }
    Ucz(znak_, poprzednia, p);
    trwa_ = poczatekKawalka >= 0 ? Czas(p) - poczatekKawalka : trwa_ + Czas(p) - Czas(0);
    // The decided time moves to group p, the sums counted from it.
    const Grupa nowa = grupy_[p];
    grupy_.erase(grupy_.begin(), grupy_.begin() + static_cast<std::ptrdiff_t>(p));
    for (Grupa& g : grupy_) {
        g.suma -= nowa.suma;
        g.krokow -= nowa.krokow;
        g.energia -= nowa.energia;
        g.wazona -= nowa.wazona;
        g.kwadraty -= nowa.kwadraty;
        g.ogon -= nowa.ogon;
        g.ogony -= nowa.ogony;
    }
}

// A mark or space cut from group i to j teaches the levels: a mark by its
// sums over each whole dot's time (or less, where less is summed), the
// noise taken away and the lift of its choice (Wybrane), against the
// level it was given there; a space by its steps' power over the echo
// expected, a group at either end left out.
void Segmentacja::Ucz(bool znak, std::size_t i, std::size_t j)
{
    if (znak) {
        const std::size_t kropka = std::min(spojnie_, static_cast<std::size_t>(1 / DlugoscGrupy));
        for (std::size_t k = i; k + kropka <= j; k += kropka) {
            const double krokow = Krokow(k + kropka) - Krokow(k);
            const double energia = krokow * kwadratTonu_.Wartosc();
            const double wybrane = energia > 0 ? std::min(Wybrane * szum_ / energia, NajwiecejWybranych) : 0.0;
            const double kwadrat
                = (std::norm(Suma(k + kropka) - Suma(k)) - (1 + wybrane) * krokow * szum_) / (krokow * krokow);
            const double dany = (grupy_[k + kropka].kwadraty - grupy_[k].kwadraty) / krokow;
            if (dany > 0)
                stosunekTonu_.Dodaj(kwadrat / dany, 1, 10 * UczoneDoty);
            kwadratTonu_.Dodaj(kwadrat, 1, 10 * UczoneDoty);
        }
    } else if (j > i + 2) {
        const double krokow = Krokow(j - 1) - Krokow(i + 1);
        const double echo = grupy_[j - 1].ogony - grupy_[i + 1].ogony;
        mocSzumu_.Dodaj((grupy_[j - 1].energia - grupy_[i + 1].energia - echo) / krokow, krokow, 10 * UczoneKroki);
    }
}

}  // namespace wirlok
