// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/kluczowanie.h"

#include <algorithm>
#include <cmath>

namespace wirlok {

namespace {
// The threshold lies halfway between noise and signal; the hysteresis
// moves it this fraction of their difference up for a rise, down for a fall.
constexpr double Histereza = 0.08;
// Marks and spaces shorter than this part of a dot are glitches.
constexpr double Usterka = 0.35;
// The dot's lengths followed: 80 to 3 words per minute.
constexpr double NajkrotszaKropka = 0.015;
constexpr double NajdluzszaKropka = 0.4;
// How often a growing space is reported, in seconds.
constexpr double CoPrzerwa = 0.01;
// A tone's keying is cut three dots (0.35 s at most) behind the newest
// value; a mark or space costs 1 (in the log of likelihood), and a length
// off a dot or a dash 6 times the square of the logarithm of how far off.
constexpr Segmentacja::Ustawienia UstawieniaSegmentacji{3, 0.35, 1, 6};
// The steps' powers are averaged over three seconds' worth.
constexpr double Srednich = 3000;
// A tone summed over a dot shows less than its steps' amplitude (its edges,
// a frequency a little off): the cut goes by this much of it until it has
// measured the sums itself: at -3 dB and 20 and 25 WPM, 10 and 21 % of
// letters wrong, against 13 and 26 % with the whole amplitude.
constexpr double Spojny = 0.85;
// The tone's level held over a space falls 30 dB a second, as fast as
// fading of 20 dB at 1 Hz.
constexpr double Opadanie = 30 / 8.686;
// A tone whose marks stand 20 dB over the noise of its envelope; or 12 dB
// when the peaks of its last marks (6 at least) spread by more than 2 dB, a
// standard deviation: it fades, and its level where it is now pays even
// with the noise it carries.
constexpr double Wyraznie = 10;
constexpr double WyrazniePrzyZanikach = 4;
constexpr double Rozrzut = 2;
constexpr std::size_t NajmniejSzczytow = 6;
constexpr double NajkrotszySzczyt = 0.025;
// A dot's length tried that leaves more of the time than this unexplained
// has taken noise for marks.
constexpr double Wyjasnione = 0.5;
// A power falls 60 dB, by a factor of e to this, in a reverberation time.
constexpr double Opad60 = 13.82;
// An echo is learnt from the last ten seconds' spaces, steps counted; it is
// heard when its gain stands six standard errors from 0, and goes by if as
// loud as the tone to 6 dB over it: a quieter one the cut reads through as
// it is, and a fading tone's spaces can make one seem 7 dB louder than it is.
constexpr double PamiecPoglosu = 10000;
constexpr double PewnyPoglos = 6;
constexpr double NajcichszyPoglos = 1;
constexpr double NajglosniejszyPoglos = 4;
// The space after a mark is learnt from, from a third of a dot (the
// envelope's rest) to a fifth before the next.
constexpr double PoZnaku = 0.3;
constexpr double PrzedZnakiem = 0.2;
}  // namespace

Kluczowanie::Kluczowanie(const Ustawienia& ustawienia)
    : ustawienia_(ustawienia)
    , segmentacja_(UstawieniaSegmentacji)
{
    ustawienia_.pamiec = std::max<std::size_t>(ustawienia.pamiec, 8);
    ustawienia_.co = std::max<std::size_t>(ustawienia.co, 1);
}

// The echo of each reverberation time tried is fed by the tone's power in
// the step before, over the noise and the echo expected in it.
void Poglos::Krok(double czas, double moc)
{
    if (czas <= czas_) {  // the signal again from its start: what was learnt stays
        krokow_ = 0;
        ogony_ = {};
    }
    if (krokow_ > 0) {
        const double ton = std::max(zapisy_[(krokow_ - 1) % zapisy_.size()].moc - szum_ - ogon_, 0.0);
        for (std::size_t c = 0; c < Czasy.size(); ++c) {
            const double zostaje = std::exp(-Opad60 * (czas - czas_) / Czasy[c]);
            ogony_[c] = zostaje * ogony_[c] + (1 - zostaje) * ton;
        }
    }
    czas_ = czas;
    ogon_ = zysk_ * ogony_[najlepszy_];
    zapisy_[krokow_ % zapisy_.size()] = {czas, moc, ogony_};
    ++krokow_;
}

// The steps of the space against the echoes as they were at its start,
// dying away from there; the last ten seconds' spaces count.
void Poglos::Przerwa(double poczatek, double od, double do_)
{
    std::size_t k = krokow_;
    while (k > 0 && krokow_ - k < zapisy_.size() - 1 && zapisy_[(k - 1) % zapisy_.size()].czas > poczatek)
        --k;
    const Zapis& start = zapisy_[k % zapisy_.size()];
    Sumy nowe;
    for (; k < krokow_; ++k) {
        const Zapis& z = zapisy_[k % zapisy_.size()];
        if (z.czas <= od || z.czas > do_)
            continue;
        nowe.krokow += 1;
        nowe.mocy += z.moc;
        nowe.kwadratyMocy += z.moc * z.moc;
        for (std::size_t c = 0; c < Czasy.size(); ++c) {
            const double ogon = start.ogony[c] * std::exp(-Opad60 * (z.czas - start.czas) / Czasy[c]);
            nowe.ogonow[c] += ogon;
            nowe.razem[c] += z.moc * ogon;
            nowe.kwadraty[c] += ogon * ogon;
        }
    }
    if (nowe.krokow == 0)
        return;
    const double zostaje = std::exp(-nowe.krokow / PamiecPoglosu);
    sumy_.krokow = sumy_.krokow * zostaje + nowe.krokow;
    sumy_.mocy = sumy_.mocy * zostaje + nowe.mocy;
    sumy_.kwadratyMocy = sumy_.kwadratyMocy * zostaje + nowe.kwadratyMocy;
    for (std::size_t c = 0; c < Czasy.size(); ++c) {
        sumy_.ogonow[c] = sumy_.ogonow[c] * zostaje + nowe.ogonow[c];
        sumy_.razem[c] = sumy_.razem[c] * zostaje + nowe.razem[c];
        sumy_.kwadraty[c] = sumy_.kwadraty[c] * zostaje + nowe.kwadraty[c];
    }
    Dopasuj();
}

// Least squares of the spaces' power on each echo and a constant, the
// noise's: the echo that explains most of it, if it does surely (its gain
// six standard errors from 0) and is not much weaker than the tone.
void Poglos::Dopasuj()
{
    const double n = sumy_.krokow;
    double wyjasnione = 0;
    double zysk = 0;
    double wariancjaOgona = 0;
    for (std::size_t c = 0; c < Czasy.size(); ++c) {
        const double kowariancja = sumy_.razem[c] - sumy_.ogonow[c] * sumy_.mocy / n;
        const double wariancja = sumy_.kwadraty[c] - sumy_.ogonow[c] * sumy_.ogonow[c] / n;
        if (kowariancja > 0 && wariancja > 0 && kowariancja * kowariancja / wariancja > wyjasnione) {
            wyjasnione = kowariancja * kowariancja / wariancja;
            najlepszy_ = c;
            zysk = kowariancja / wariancja;
            wariancjaOgona = wariancja;
        }
    }
    szum_ = (sumy_.mocy - zysk * sumy_.ogonow[najlepszy_]) / n;
    const double reszta
        = std::max(sumy_.kwadratyMocy - sumy_.mocy * sumy_.mocy / n - wyjasnione, 1e-300) / std::max(n - 2, 1.0);
    const bool pewny = zysk * std::sqrt(wariancjaOgona / reszta) >= PewnyPoglos;
    zysk_ = pewny && zysk >= NajcichszyPoglos ? std::min(zysk, NajglosniejszyPoglos) : 0;
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
    auto dno = robocza_.begin() + static_cast<std::ptrdiff_t>(ile / 20);
    std::nth_element(robocza_.begin(), dno, dolny);
    dno_ = *dno;
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

// Between noise and signal, where the settings put it. For a tone, the
// amplitude of half the signal's where the tone is now with the noise's
// added in power, the noise's deviation taken from its mean amplitude (a
// Rayleigh distribution's, 0.886 of it), and an echo's expected: so a mark's
// edges are where the tone is half up, however weak it is, however it
// fades, and a room's echo of it is no mark.
double Kluczowanie::Srodek() const
{
    if (!ustawienia_.amplituda)
        return szum_ + ustawienia_.srodek * (sygnal_ - szum_);
    const double sygnal = Teraz();
    return std::sqrt(sygnal * sygnal / 4 + 0.75 * (szum_ / 0.886) * (szum_ / 0.886) + poglos_.Ogon());
}

// The tone where it is now: the envelope's, its noise and echo taken away,
// held over the spaces and let fall as fast as a fading tone does.
void Kluczowanie::Sledz(double czas, double wartosc, std::complex<double> probka)
{
    const double szumObwiedni = szum_ / 0.886;
    poglos_.Krok(czas, std::isfinite(std::norm(probka)) ? std::norm(probka) : 0.0);
    const double teraz = std::sqrt(std::max(wartosc * wartosc - szumObwiedni * szumObwiedni - poglos_.Ogon(), 0.0));
    poziom_ = std::max({teraz, poziom_ * std::exp(-Opadanie * (czas - poprzedniCzas_)), szumObwiedni});
    Szczyt(czas, wartosc);
}

// The signal's level where it is now, never above the last seconds' marks,
// which noise cannot lift.
double Kluczowanie::Teraz() const
{
    if (!ustawienia_.amplituda || !(Wyrazny(sygnal_) || Zmienny()))
        return sygnal_;
    const double szumObwiedni = szum_ / 0.886;
    return std::min(std::sqrt(poziom_ * poziom_ + szumObwiedni * szumObwiedni), sygnal_);
}

// Whether the tone stands 20 dB over the noise, whose values are the lowest
// twentieth, of a Rayleigh's distribution: a weaker tone's level where it
// is now is too much of its noise to go by, and it goes by the last seconds'.
bool Kluczowanie::Wyrazny(double sygnal) const { return sygnal > Wyraznie * dno_ / 0.226; }

bool Kluczowanie::Zmienny() const
{
    const std::size_t ile = std::min(ileSzczytow_, szczyty_.size());
    if (ile < NajmniejSzczytow || sygnal_ <= WyrazniePrzyZanikach * dno_ / 0.226)
        return false;
    double suma = 0;
    double kwadraty = 0;
    for (std::size_t i = 0; i < ile; ++i) {
        suma += szczyty_[i];
        kwadraty += szczyty_[i] * szczyty_[i];
    }
    const double wariancja = kwadraty - suma * suma / static_cast<double>(ile);
    return wariancja > Rozrzut * Rozrzut * static_cast<double>(ile);
}

void Kluczowanie::Szczyty(const Kluczowanie& uczony)
{
    szczyty_ = uczony.szczyty_;
    ileSzczytow_ = uczony.ileSzczytow_;
}

// A mark's peak: the most its level reaches while it stands twice over the
// noise, for half a dot and 25 ms at least, lest noise's bursts count.
void Kluczowanie::Szczyt(double czas, double wartosc)
{
    if (!Pewne()) {
        odSzczytu_ = -1;
        return;
    }
    if (wartosc > 2 * dno_ / 0.226) {
        if (odSzczytu_ < 0) {
            odSzczytu_ = czas;
            szczyt_ = 0;
        }
        szczyt_ = std::max(szczyt_, wartosc);
        return;
    }
    if (odSzczytu_ >= 0 && czas - odSzczytu_ >= std::max(NajkrotszySzczyt, 0.5 * kropka_) && szczyt_ > 0) {
        szczyty_[ileSzczytow_ % szczyty_.size()] = 20 * std::log10(szczyt_);
        ++ileSzczytow_;
    }
    odSzczytu_ = -1;
}

void Kluczowanie::Dodaj(double czas, double wartosc, Odbiornik* odbiornik, std::complex<double> probka)
{
    if (!std::isfinite(czas) || !std::isfinite(wartosc) || (!pierwsza_ && czas <= poprzedniCzas_))
        return;
    if (pamiec_.size() < ustawienia_.pamiec)
        pamiec_.push_back(static_cast<float>(wartosc));
    else
        pamiec_[wartosci_ % pamiec_.size()] = static_cast<float>(wartosc);
    ++wartosci_;
    if (wartosci_ % ustawienia_.co == 0 && wartosci_ >= ustawienia_.pamiec / 8)
        Przelicz();
    if (pierwsza_) {
        pierwsza_ = false;
        poczatek_ = czas;
        poprzedniCzas_ = czas;
        poprzedniaWartosc_ = wartosc;
        segmentacja_.Dodaj(czas, 0.0, kropka_);
        return;
    }
    if (ustawienia_.amplituda && odbiornik != nullptr) {
        Segmentuj(czas, wartosc, probka, odbiornik);
        return;
    }

    if (ustawienia_.amplituda)
        Sledz(czas, wartosc, probka);
    const double srodek = Srodek();
    const double prog = srodek + (surowy_ ? -Histereza : Histereza) * (Teraz() - szum_);
    const bool surowy = Pewne() && wartosc > prog;
    if (surowy != surowy_)
        Krawedz(czas, wartosc, prog, surowy, odbiornik);
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

// The threshold crossed, at the time it was between the last two values.
// A level's mark or space since the last edge, ended before it was
// confirmed, is a glitch only if it was short: at 15 WPM a dot may stand
// over the threshold in one frame alone.
void Kluczowanie::Krawedz(double czas, double wartosc, double prog, bool surowy, Odbiornik* odbiornik)
{
    surowy_ = surowy;
    const double krok = wartosc - poprzedniaWartosc_;
    const double czesc = krok != 0 ? std::clamp((prog - poprzedniaWartosc_) / krok, 0.0, 1.0) : 1.0;
    const double krawedz = poprzedniCzas_ + czesc * (czas - poprzedniCzas_);
    if (!ustawienia_.amplituda && zmiana_ >= 0 && krawedz - zmiana_ >= Usterka * kropka_)
        Potwierdz(odbiornik);
    zmiana_ = surowy != znak_ ? std::max(krawedz, poczatek_) : -1;
}

// A tone's step goes to the cut, with the tone's amplitude and the noise's
// power in a step as the steps on either side of the threshold show them.
void Kluczowanie::Segmentuj(double czas, double wartosc, std::complex<double> probka, Odbiornik* odbiornik)
{
    // Steps well within a mark or a space, by the smoothed amplitude and the
    // tone's level where it is now.
    Sledz(czas, wartosc, probka);
    const double sygnal = Teraz();
    const double moc = std::norm(probka);
    const double margines = 0.25 * (sygnal - szum_);
    if (std::isfinite(moc) && Pewne() && (wartosc > sygnal - margines || wartosc < szum_ + margines)) {
        (wartosc > sygnal - margines ? mocZnaku_ : mocSzumu_).Dodaj(moc, 1, Srednich);
    }
    const bool ton = Pewne() && mocZnaku_.Wartosc() > mocSzumu_.Wartosc() && mocZnaku_.Ile() > 0 && mocSzumu_.Ile() > 0;
    // A tone well over its noise, or fading, goes by its level where it is
    // now, which the cut scales to its sums; a weaker, steady one by the
    // last seconds' marks until the cut has learnt its amplitude.
    const double stale = ton ? std::sqrt(mocZnaku_.Wartosc() - mocSzumu_.Wartosc()) : 0;
    const bool tuTeraz = ton && (Wyrazny(sygnal_) || Zmienny());
    segmentacja_.Poziomy(Spojny * (tuTeraz ? poziom_ : stale), mocSzumu_.Wartosc(), !tuTeraz, poglos_.Ogon());
    poprzedniCzas_ = czas;
    poprzedniaWartosc_ = wartosc;
    segmentacja_.Dodaj(czas, std::isfinite(moc) ? probka : 0.0, kropka_);
    Zmiany(odbiornik);
}

void Kluczowanie::Zmiany(Odbiornik* odbiornik)
{
    for (const double zmiana : segmentacja_.Zmiany()) {
        zmiana_ = std::max(zmiana, poczatek_);
        Potwierdz(odbiornik);
        zgloszona_ = 0;
    }
    const double przerwa = segmentacja_.Decyzja() - poczatek_;
    if (!znak_ && odbiornik != nullptr && przerwa >= zgloszona_ + CoPrzerwa) {
        odbiornik->Przerwa(przerwa);
        zgloszona_ = przerwa;
    }
}

void Kluczowanie::Potwierdz(Odbiornik* odbiornik)
{
    const double dlugosc = zmiana_ - poczatek_;
    OcenKropke(dlugosc, znak_);
    if (!znak_)
        poglos_.Przerwa(poczatek_, poczatek_ + PoZnaku * kropka_, zmiana_ - PrzedZnakiem * kropka_);
    if (odbiornik != nullptr && znak_)
        odbiornik->Znak(dlugosc);
    else if (odbiornik != nullptr)
        odbiornik->Przerwa(dlugosc);
    znak_ = !znak_;
    poczatek_ = zmiana_;
    zmiana_ = -1;
}

// A dot's length from the last marks and spaces, each counted by the
// length known: a dot or a gap within a letter as it is, a dash or a gap
// between letters as a third, anything else not at all; the dot is their
// median, which a glitch or a broken dash cannot pull away. How many fit and
// how much of the time tells how well the length known fits the sender: a
// longer one merges them, a shorter one leaves the dashes and gaps out, or
// takes glitches for dots.
void Kluczowanie::OcenKropke(double dlugosc, bool znak)
{
    const double kropek = dlugosc / kropka_;
    const bool kropka = kropek >= 0.6 && kropek <= 1.5;
    const bool kreska = kropek >= 2.3 && kropek <= 4;
    wszystkie_ += dlugosc;
    if (kropka || kreska || (!znak && kropek >= 5.5 && kropek <= 9)) {
        zgodne_ += dlugosc;
        ++zgodnych_;
    }
    if (!kropka && !kreska)
        return;
    odcinki_[ileOdcinkow_ % odcinki_.size()] = kreska ? dlugosc / 3 : dlugosc;
    ++ileOdcinkow_;
    std::array<double, 24> kropki = odcinki_;
    double* const poczatek = kropki.data();
    double* const miejsce = poczatek + kropki.size() / 2;
    std::nth_element(poczatek, miejsce, poczatek + kropki.size());
    kropka_ = std::clamp(*miejsce, NajkrotszaKropka, NajdluzszaKropka);
}

double Kluczowanie::Przerwa() const
{
    if (znak_)
        return 0;
    return (ustawienia_.amplituda ? segmentacja_.Decyzja() : poprzedniCzas_) - poczatek_;
}

double Kluczowanie::Zgodnosc() const
{
    if (wszystkie_ <= 0)
        return 0;
    const double czesc = zgodne_ / wszystkie_;
    return std::sqrt(static_cast<double>(zgodnych_)) * czesc * (czesc >= Wyjasnione ? 1 : 0.1);
}

void Kluczowanie::Ustaw(double kropka)
{
    kropka_ = kropka;
    odcinki_.fill(kropka);
    zgodne_ = wszystkie_ = 0;
    zgodnych_ = 0;
}

void Kluczowanie::Koniec(Odbiornik* odbiornik)
{
    if (ustawienia_.amplituda && odbiornik != nullptr) {
        segmentacja_.Domknij(kropka_);
        Zmiany(odbiornik);
    }
    segmentacja_.OdNowa();
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
    segmentacja_.OdNowa();
    zgloszona_ = 0;
    if (wartosci_ >= 8)
        Przelicz();
    surowy_ = false;
    znak_ = false;
    zmiana_ = -1;
    pierwsza_ = true;
}

}  // namespace wirlok
