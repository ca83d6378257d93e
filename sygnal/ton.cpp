// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/ton.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace wirlok {

namespace {

constexpr double NajnizszyPrazek = 180;
constexpr double OdstepPrazkow = 10;
constexpr std::size_t Prazkow = 384;  // up to 4010 Hz, where the rate carries it
constexpr double DlugoscRamki = 0.08;
constexpr double CzestoscWidma = 9000;  // hertz, at least: room for a whistle's 4 kHz
// The band a tone is looked for in: the pitches people key, whistle or buzz.
constexpr double NajnizszyTon = 200;
constexpr double NajwyzszyTon = 4000;
// A harmonic's fundamental counts when it is at least a tenth as strong,
// on average four times the noise's median, and keyed with it.
constexpr double Harmoniczna = 0.1;
constexpr double Wyrazny = 4;
constexpr double Wspolnie = 0.5;
constexpr std::size_t PamiecRamek = 50;
// The power of a tone of amplitude 1e-4 and less is silence.
constexpr double Cisza = 2.5e-9;

constexpr double Zapas = 5;  // seconds of samples kept before a tone is found
constexpr double KrokObwiedni = 0.001;
// The coherent sum spans all but the last 30 ms of the smoothing, from 40 ms
// (a band of 25 Hz, wide enough for a whistle's wavering) to 100 ms at slow
// speeds, where the narrower band pays: CER at -3 dB, 12 WPM, from 5 to 2 %.
constexpr double Spojnie = 0.04;  // seconds, at least
constexpr double NajdluzszeSpojnie = 0.1;
constexpr double Niespojnie = 0.03;
constexpr std::size_t NajdluzszeWygladzanie = 250;
constexpr double Wygladzanie = 0.85;  // of a dot
// A steady tone's frequency is measured to a fraction of a hertz from the
// turn of its phase between blocks of 20 ms (up to 25 Hz either way), over
// the last 10 s: the spectrum's peak wanders a hertz or two in noise, and
// ten now and then, which turns the phase of a sum over 100 ms round. Where
// the turn over the last 2.5 s is more than a hertz and a half off, the
// tone drifts, and the two tell how fast: the measure lags by its memory
// times that. The spectrum's is taken only where it moves farther than
// 20 Hz away.
constexpr std::size_t KrokowBloku = 20;
constexpr double PamiecObrotow = 10;  // seconds
constexpr double PamiecSzybkich = 2.5;
constexpr double Dryfuje = 1.5;  // hertz
constexpr double Przeskok = 20;  // hertz

// The loop following a wavering tone's phase: its gains for the phase and
// its change (a natural frequency of 55 Hz, quick enough for a vibrato of
// 50 Hz at 7 Hz). It moves where the power of pairs of steps summed (a band
// of 500 Hz: a phone's hum 300 Hz off the tone is not taken for the tone),
// over 8 steps, stands over 1.5 times the noise's, fully from 2.5 times.
// The noise's is the power's 30th percentile, followed over a few hundred
// steps: below a sender's marks. Whether it pays is told by sums of 40
// steps over the last 500 steps in a tone, from the first 200.
constexpr double PetlaFazy = 0.6;
constexpr double PetlaPredkosci = 0.12;
constexpr std::size_t KrokowMocy = 8;
constexpr double Brama = 1.5;
constexpr double NaSzum = 1.003;  // up, a step over the noise's
constexpr double PodSzum = 0.993;
constexpr std::size_t KrokowSpojnie = 40;
constexpr double Pamietane = 500;
constexpr double Pierwsze = 200;
// The sums turned back are taken once they are this many times as strong
// as those not, and left once they are less than the second.
constexpr double Placi = 2;
constexpr double NiePlaci = 1.5;

// A tone is found when it wins 30 frames in a row (2.4 s, enough marks and
// spaces to tell the speed from, which the samples kept still hold), keyed
// and this far above the noise; it is kept while keyed and half as far, and
// let go when it has not been for five frames past the four seconds of the
// spectrum, or twelve dots: a slow sender's four seconds may hold a word
// gap and a letter, too little for a weak tone to show keyed.
constexpr int ZgodnychDoZlapania = 30;
constexpr double DoZlapania = 6;
constexpr double DoTrzymania = 3;
// A dot whose energy is less than 6 times the noise's density (as the
// tone's ratio over it in the spectrum's 30 Hz tells it, a little high) is
// not tried: in noise that weak, a dot's length too short for the tone cuts
// noise into dots, which fit it better than the tone's own dots fit theirs
// (at 5 WPM and -7.5 dB, six times as many letters as were sent), and even
// a receiver told the timing reads most such dots wrong. 8 times kept a
// fast sender at -3 dB from its own dot (30 WPM: 57 % of letters wrong,
// against 37 %).
constexpr double NajmniejEnergii = 6;
constexpr double PasmoWidma = 30;  // hertz
constexpr double Dryf = 40;        // hertz between frames
// A wavering tone's band either way of its centre, and how much more of
// its power that holds than the 30 Hz about its peak.
constexpr double Rozmyty = 70;
constexpr double Rozmycie = 1.5;
constexpr double NowyNadawca = 2;  // seconds of silence
constexpr double PrzerwaKropek = 12;

// A dot first taken too long (in fading's troughs, or where a room's echo
// fills the gaps) merges marks, and the cut cannot make them short again;
// the receiver's unit still follows the sender. Where it stays 1.8 times
// under the dot's length at two checks 3 s apart, the dot is taken anew
// from it.
constexpr double Sprawdzane = 3;  // seconds
constexpr double ZaDluga = 1.8;
constexpr int ZlychDoZmiany = 2;

constexpr Kluczowanie::Ustawienia UstawieniaTonu{8000, 100, 1e-6, 1.25, true};

double Prazek(std::size_t k) { return NajnizszyPrazek + OdstepPrazkow * static_cast<double>(k); }

// A tone whose pitch wavers (a whistle's vibrato of 50 Hz) spreads over
// its band, strongest near the edges, where it dwells: its centre is the
// middle of its power over the noise's, in a window of 140 Hz moved onto
// it. A steady tone, nearly all within 10 Hz of its peak, has none: 0.
double Srodek(const std::vector<double>& srednie, std::size_t szczyt)
{
    std::vector<double> posortowane(srednie);
    const auto mediana = posortowane.begin() + static_cast<std::ptrdiff_t>(posortowane.size() / 2);
    std::nth_element(posortowane.begin(), mediana, posortowane.end());
    auto moc = [&](std::size_t k) { return std::max(srednie[k] - *mediana, 0.0); };
    const double wSzczycie = moc(szczyt - 1) + moc(szczyt) + moc(szczyt + 1);
    double srodek = Prazek(szczyt);
    for (int i = 0; i < 3; ++i) {
        double suma = 0;
        double wazona = 0;
        for (std::size_t k = 0; k < srednie.size(); ++k) {
            if (std::abs(Prazek(k) - srodek) <= Rozmyty) {
                suma += moc(k);
                wazona += moc(k) * Prazek(k);
            }
        }
        if (suma <= 0 || (i == 0 && suma < Rozmycie * wSzczycie))
            return 0;
        srodek = wazona / suma;
    }
    return srodek;
}

}  // namespace

WidmoTonu::WidmoTonu(double probkowanie)
    : dziesiatkowanie_(static_cast<std::size_t>(std::max(1.0, std::floor(probkowanie / CzestoscWidma))))
    , okno_(static_cast<std::size_t>(
          std::max(16.0, std::round(DlugoscRamki * probkowanie / static_cast<double>(dziesiatkowanie_)))))
    , ramka_(okno_.size())
    , prazkow_(std::min<std::size_t>(Prazkow,
          static_cast<std::size_t>(
              (0.45 * probkowanie / static_cast<double>(dziesiatkowanie_) - NajnizszyPrazek) / OdstepPrazkow)))
    , wspolczynniki_(prazkow_)
    , historia_(prazkow_ * PamiecRamek)
    , tla_(PamiecRamek)
{
    const auto n = static_cast<double>(okno_.size());
    double suma = 0;
    for (std::size_t i = 0; i < okno_.size(); ++i) {
        okno_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * (static_cast<double>(i) + 0.5) / n));
        suma += okno_[i];
    }
    for (float& w : okno_)
        w = static_cast<float>(w / suma);
    for (std::size_t k = 0; k < prazkow_; ++k)
        wspolczynniki_[k]
            = 2 * std::cos(2 * std::numbers::pi * Prazek(k) * static_cast<double>(dziesiatkowanie_) / probkowanie);
}

// Goertzel's filter at each step: cheaper than a transform of the whole
// band up to the sampling rate, of which only this band matters. The
// samples are first averaged down to 9 kHz and more, which folds some noise
// from above into the band, a little, and costs a fifth at 48 kHz.
bool WidmoTonu::Dodaj(float probka)
{
    suma_ += probka;
    if (++zsumowanych_ < dziesiatkowanie_)
        return false;
    ramka_[pozycja_] = suma_ * okno_[pozycja_];
    suma_ = 0;
    zsumowanych_ = 0;
    if (++pozycja_ < ramka_.size())
        return false;
    pozycja_ = 0;
    float* moce = &historia_[nastepna_ * prazkow_];
    for (std::size_t k = 0; k < prazkow_; ++k) {
        const double c = wspolczynniki_[k];
        double s1 = 0;
        double s2 = 0;
        for (const float x : ramka_) {
            const double s = x + c * s1 - s2;
            s2 = s1;
            s1 = s;
        }
        moce[k] = static_cast<float>(s1 * s1 + s2 * s2 - c * s1 * s2);
    }
    posortowane_.assign(moce, moce + prazkow_);
    const auto srodek = posortowane_.begin() + static_cast<std::ptrdiff_t>(prazkow_ / 2);
    std::nth_element(posortowane_.begin(), srodek, posortowane_.end());
    tla_[nastepna_] = std::max(*srodek, static_cast<float>(Cisza / 100));
    nastepna_ = (nastepna_ + 1) % PamiecRamek;
    ++ramek_;
    return true;
}

// Whether two steps' powers over the frames kept rise and fall together
// (correlated by half or more), as a tone's harmonics do.
bool WidmoTonu::Razem(std::size_t k1, std::size_t k2, std::size_t ramek) const
{
    double s1 = 0;
    double s2 = 0;
    double s11 = 0;
    double s22 = 0;
    double s12 = 0;
    for (std::size_t r = 0; r < ramek; ++r) {
        const double a = historia_[r * prazkow_ + k1] / tla_[r];
        const double b = historia_[r * prazkow_ + k2] / tla_[r];
        s1 += a;
        s2 += b;
        s11 += a * a;
        s22 += b * b;
        s12 += a * b;
    }
    const auto n = static_cast<double>(ramek);
    const double kowariancja = s12 - s1 * s2 / n;
    const double wariancje = (s11 - s1 * s1 / n) * (s22 - s2 * s2 / n);
    return wariancje > 0 && kowariancja >= Wspolnie * std::sqrt(wariancje);
}

// Each frame's power over its own noise, so that noise which starts or
// stops is not taken for keying.
WidmoTonu::Ton WidmoTonu::Najsilniejszy(double od, double do_) const
{
    const std::size_t ramek = std::min(ramek_, PamiecRamek);
    if (ramek == 0)
        return {};
    std::vector<double> srednie(prazkow_);
    for (std::size_t r = 0; r < ramek; ++r)
        for (std::size_t k = 0; k < prazkow_; ++k)
            srednie[k] += historia_[r * prazkow_ + k] / tla_[r];
    auto trzy = [&](std::size_t k) { return srednie[k - 1] + srednie[k] + srednie[k + 1]; };
    auto najwiekszy = [&](double f1, double f2) {
        std::size_t k = 0;
        for (std::size_t j = 1; j + 1 < prazkow_; ++j)
            if (Prazek(j) >= f1 && Prazek(j) <= f2 && (k == 0 || trzy(j) > trzy(k)))
                k = j;
        return k;
    };
    std::size_t najlepszy = najwiekszy(od, do_);
    if (najlepszy == 0)
        return {};
    // A harmonic gives way to the tone under it, a half or a third as high,
    // when that is clearly there and keyed with it: a whistle's or a
    // buzzer's fundamental, not another sender's tone an octave down.
    for (const double dzielnik : {2.0, 3.0}) {
        const double f = Prazek(najlepszy) / dzielnik;
        const std::size_t k = najwiekszy(std::max(f - 20, od), f + 20);
        if (k != 0 && trzy(k) >= Harmoniczna * trzy(najlepszy) && trzy(k) >= Wyrazny * 3 * static_cast<double>(ramek)
            && Razem(k, najlepszy, ramek)) {
            najlepszy = k;
            break;
        }
    }

    std::array<float, PamiecRamek> wRamkach{};
    double najglosniej = 0;
    for (std::size_t r = 0; r < ramek; ++r) {
        const float* moce = &historia_[r * prazkow_ + najlepszy];
        wRamkach[r] = (moce[-1] + moce[0] + moce[1]) / (3 * tla_[r]);
        najglosniej = std::max<double>(najglosniej, moce[0]);
    }
    float* const koniec = wRamkach.data() + ramek;
    float* const wysoko = wRamkach.data() + ramek * 4 / 5;
    std::nth_element(wRamkach.data(), wysoko, koniec);
    const double gora = *wysoko;
    float* const nisko = wRamkach.data() + ramek / 20;
    std::nth_element(wRamkach.data(), nisko, koniec);
    const double dol = *nisko;

    // The peak between steps, from a parabola through the logarithms.
    const double a = std::log(srednie[najlepszy - 1] + 1e-30);
    const double b = std::log(srednie[najlepszy] + 1e-30);
    const double c = std::log(srednie[najlepszy + 1] + 1e-30);
    const double mianownik = a - 2 * b + c;
    const double przesuniecie = mianownik < 0 ? std::clamp(0.5 * (a - c) / mianownik, -1.0, 1.0) : 0.0;

    Ton ton;
    const double srodek = Srodek(srednie, najlepszy);
    ton.czestotliwosc = srodek > 0 ? srodek : Prazek(najlepszy) + przesuniecie * OdstepPrazkow;
    ton.stosunek = gora;
    ton.kluczowany = najglosniej > Cisza && dol < 0.3 * gora;
    return ton;
}

FazaTonu::FazaTonu()
    : pary_(2, 2)
    , moc_(KrokowMocy, KrokowMocy)
    , surowe_(KrokowSpojnie, KrokowSpojnie)
    , sledzone_(KrokowSpojnie, KrokowSpojnie)
{
}

std::complex<double> FazaTonu::Dodaj(std::complex<double> krok)
{
    pary_.Dodaj(krok);
    moc_.Dodaj(std::norm(pary_.Srednia()));
    const double moc = moc_.Srednia();
    szum_ = std::max(szum_ > 0 ? szum_ * (moc > szum_ ? NaSzum : PodSzum) : moc, 1e-30);
    const double waga = std::clamp(moc / szum_ - Brama, 0.0, 1.0);
    const std::complex<double> sledzony = krok * std::conj(faza_);
    const double blad = waga * std::arg(sledzony);
    faza_ *= std::polar(1.0, predkosc_ + PetlaFazy * blad);
    faza_ /= std::abs(faza_);
    predkosc_ += PetlaPredkosci * blad;
    surowe_.Dodaj(krok);
    sledzone_.Dodaj(sledzony);
    if (waga >= 1) {
        spojneSurowe_.Dodaj(std::norm(surowe_.Srednia()), 1, Pamietane);
        spojneSledzone_.Dodaj(std::norm(sledzone_.Srednia()), 1, Pamietane);
        chwiejny_ = spojneSurowe_.Ile() >= Pierwsze
            && spojneSledzone_.Wartosc() > (chwiejny_ ? NiePlaci : Placi) * spojneSurowe_.Wartosc();
    }
    return chwiejny_ ? sledzony : krok;
}

ObwiedniaTonu::ObwiedniaTonu(double probkowanie, double czestotliwosc)
    : probkowanie_(probkowanie)
    , dziesiatkowanie_(static_cast<std::size_t>(std::max(1.0, std::round(KrokObwiedni * probkowanie))))
    , krok_(static_cast<double>(dziesiatkowanie_) / probkowanie)
    , spojne_(NajdluzszeWygladzanie)
    , moce_(NajdluzszeWygladzanie)
    , probki_(NajdluzszeWygladzanie + 1)
{
    Dostroj(czestotliwosc);
    Wygladzaj(static_cast<std::size_t>(Spojnie / krok_));
}

void ObwiedniaTonu::Dostroj(double czestotliwosc)
{
    const std::complex<double> wstecz
        = std::polar(1.0, -2 * std::numbers::pi * (czestotliwosc - czestotliwosc_) * Blok());
    obroty_ *= wstecz;
    szybkie_ *= wstecz;
    czestotliwosc_ = czestotliwosc;
    obrot_ = std::polar(1.0, -2 * std::numbers::pi * czestotliwosc / probkowanie_);
}

void ObwiedniaTonu::OdNowa(double czestotliwosc)
{
    const FazaTonu sledzenie = sledzenie_;
    const std::complex<double> obroty = obroty_;
    const std::complex<double> szybkie = szybkie_;
    const double poprzednia = czestotliwosc_;
    *this = ObwiedniaTonu(probkowanie_, poprzednia);
    sledzenie_ = sledzenie;
    obroty_ = obroty;
    szybkie_ = szybkie;
    Dostroj(czestotliwosc);
}

double ObwiedniaTonu::Blok() const { return krok_ * static_cast<double>(KrokowBloku); }

double ObwiedniaTonu::Odstrojenie() const
{
    const double wolno = std::arg(obroty_) / (2 * std::numbers::pi * Blok());
    const double szybko = std::arg(szybkie_) / (2 * std::numbers::pi * Blok());
    if (std::abs(szybko - wolno) <= Dryfuje)
        return wolno;
    return szybko + (szybko - wolno) * PamiecSzybkich / (PamiecObrotow - PamiecSzybkich);
}

void ObwiedniaTonu::Wygladzaj(std::size_t krokow)
{
    wygladzanie_ = krokow;
    const auto najmniej = static_cast<std::size_t>(Spojnie / krok_);
    const auto najwiecej = static_cast<std::size_t>(NajdluzszeSpojnie / krok_);
    const auto niespojnych = static_cast<std::size_t>(Niespojnie / krok_);
    const std::size_t spojnych = std::clamp(krokow > niespojnych ? krokow - niespojnych : 0, najmniej, najwiecej);
    spojne_.Dlugosc(std::min(krokow, spojnych));
    moce_.Dlugosc(krokow - spojne_.Dlugosc() + 1);
}

std::complex<double> ObwiedniaTonu::Probka() const
{
    return probki_[(pozycja_ + probki_.size() - wygladzanie_ / 2) % probki_.size()];
}

bool ObwiedniaTonu::Dodaj(float probka)
{
    suma_ += static_cast<double>(probka) * faza_;
    // By hand: the library's product guards against infinities, at a call a sample.
    faza_ = {faza_.real() * obrot_.real() - faza_.imag() * obrot_.imag(),
        faza_.real() * obrot_.imag() + faza_.imag() * obrot_.real()};
    if (++licznik_ < dziesiatkowanie_)
        return false;
    licznik_ = 0;
    faza_ /= std::abs(faza_);
    pozycja_ = (pozycja_ + 1) % probki_.size();
    const std::complex<double> krok = suma_ / static_cast<double>(dziesiatkowanie_);
    blok_ += krok;
    if (++wBloku_ == KrokowBloku) {
        const std::complex<double> obrot = blok_ * std::conj(poprzedni_);
        obroty_ = obroty_ * std::exp(-Blok() / PamiecObrotow) + obrot;
        szybkie_ = szybkie_ * std::exp(-Blok() / PamiecSzybkich) + obrot;
        poprzedni_ = blok_;
        blok_ = 0;
        wBloku_ = 0;
    }
    probki_[pozycja_] = sledzenie_.Dodaj(krok);
    spojne_.Dodaj(probki_[pozycja_]);
    suma_ = 0;
    moce_.Dodaj(std::norm(spojne_.Srednia()));
    amplituda_ = std::sqrt(std::max(0.0, moce_.Srednia()));
    return true;
}

WykrywaczTonu::WykrywaczTonu(double probkowanie, Odbiornik& odbiornik)
    : odbiornik_(odbiornik)
    , probkowanie_(probkowanie >= 4000 && probkowanie <= 192000 ? probkowanie : 8000)
    , dziala_(probkowanie >= 4000 && probkowanie <= 192000)
    , widmo_(probkowanie_)
    , obwiednia_(probkowanie_, 0)
    , kluczowanie_(UstawieniaTonu)
    , pojemnosc_(static_cast<std::size_t>(Zapas * probkowanie_))
{
}

void WykrywaczTonu::Dodaj(std::span<const float> probki)
{
    if (!dziala_)
        return;
    for (const float p : probki)
        Probka(std::isfinite(p) ? std::clamp(p, -16.0F, 16.0F) : 0.0F);
}

void WykrywaczTonu::Probka(float probka)
{
    if (zapas_.size() < pojemnosc_) {
        zapas_.push_back(probka);
    } else {
        zapas_[zapasPozycja_] = probka;
        zapasPozycja_ = (zapasPozycja_ + 1) % zapas_.size();
    }
    if (zlapany_) {
        Obwiednia(probka, &odbiornik_);
        // After a pause of two seconds (and longer than a slow sender's word
        // gap) another sender may key, at another pitch and speed: the tone
        // is looked for anew, from a clean spectrum.
        const double przerwa = kluczowanie_.Przerwa();
        slyszany_ = slyszany_ || przerwa == 0;
        if (slyszany_ && przerwa >= std::max(NowyNadawca, PrzerwaKropek * kluczowanie_.Kropka())) {
            Pusc(false);
            widmo_ = WidmoTonu(probkowanie_);
        }
    } else
        nieprzejrzane_ = std::min(nieprzejrzane_ + 1, zapas_.size());
    if (widmo_.Dodaj(probka))
        OcenWidmo();
}

void WykrywaczTonu::Obwiednia(float probka, Odbiornik* odbiornik)
{
    if (!obwiednia_.Dodaj(probka))
        return;
    czas_ += obwiednia_.Krok();
    kluczowanie_.Dodaj(czas_, obwiednia_.Amplituda(), odbiornik, obwiednia_.Probka());
    // The envelope is smoothed over a fraction of a dot.
    const double krokow = Wygladzanie * kluczowanie_.Kropka() / obwiednia_.Krok();
    const auto wygladzanie = static_cast<std::size_t>(std::clamp(krokow, 1.0, 200.0));
    if (wygladzanie * 5 < obwiednia_.Wygladzanie() * 4 || wygladzanie * 4 > obwiednia_.Wygladzanie() * 5)
        obwiednia_.Wygladzaj(wygladzanie);
}

void WykrywaczTonu::OcenWidmo()
{
    if (widmo_.Ramek() < 10)
        return;
    if (!zlapany_) {
        const WidmoTonu::Ton ton = widmo_.Najsilniejszy(NajnizszyTon, NajwyzszyTon);
        if (!ton.kluczowany || ton.stosunek < DoZlapania) {
            zgodnych_ = 0;
            return;
        }
        zgodnych_ = std::abs(ton.czestotliwosc - kandydat_) < Dryf / 2 ? zgodnych_ + 1 : 1;
        kandydat_ = ton.czestotliwosc;
        if (zgodnych_ >= ZgodnychDoZlapania)
            Zlap(kandydat_, ton.stosunek);
        return;
    }
    const WidmoTonu::Ton ton = widmo_.Najsilniejszy(czestotliwosc_ - Dryf, czestotliwosc_ + Dryf);
    if (ton.kluczowany && ton.stosunek >= DoTrzymania) {
        bezTonu_ = 0;
        const bool daleko = obwiednia_.Chwiejny() || std::abs(ton.czestotliwosc - czestotliwosc_) > Przeskok;
        czestotliwosc_ = daleko ? ton.czestotliwosc : czestotliwosc_ + obwiednia_.Odstrojenie();
        obwiednia_.Dostroj(czestotliwosc_);
        SprawdzKropke();
    } else if (++bezTonu_ >= std::max(5.0, PrzerwaKropek * kluczowanie_.Kropka() / DlugoscRamki)) {
        Pusc();
    }
}

// The samples kept are gone through at the tone found: to measure its
// frequency, at each dot's length tried (those long enough for the tone's
// strength) to take the one whose marks and spaces fit best, then to learn
// the levels, then to receive them.
void WykrywaczTonu::Zlap(double czestotliwosc, double stosunek)
{
    zlapany_ = true;
    czestotliwosc_ = czestotliwosc;
    bezTonu_ = 0;
    // A first pass learns whether the tone wavers, lest each pass after it
    // learn that anew from its start.
    obwiednia_ = ObwiedniaTonu(probkowanie_, czestotliwosc_);
    Przejdz(nullptr);
    if (!obwiednia_.Chwiejny())
        czestotliwosc_ += obwiednia_.Odstrojenie();
    const double najkrotsza = NajmniejEnergii / (std::max(stosunek - 1, 1e-3) * PasmoWidma);
    Kluczowanie::Dobierz(
        kluczowanie_,
        UstawieniaTonu,
        [this] { Przejdz(nullptr); },
        najkrotsza);
    Przejdz(&odbiornik_);
    nieprzejrzane_ = 0;
    zlych_ = 0;
    sprawdzona_ = czas_;
}

void WykrywaczTonu::SprawdzKropke()
{
    if (czas_ < sprawdzona_ + Sprawdzane)
        return;
    sprawdzona_ = czas_;
    const double jednostka = odbiornik_.Jednostka();
    zlych_ = jednostka > 0 && kluczowanie_.Kropka() > ZaDluga * jednostka ? zlych_ + 1 : 0;
    if (zlych_ < ZlychDoZmiany)
        return;
    zlych_ = 0;
    kluczowanie_.Ustaw(jednostka);
}

void WykrywaczTonu::Przejdz(Odbiornik* odbiornik)
{
    obwiednia_.OdNowa(czestotliwosc_);
    obwiednia_.Wygladzaj(static_cast<std::size_t>(Wygladzanie * kluczowanie_.Kropka() / obwiednia_.Krok()));
    czas_ = 0;
    const std::size_t poczatek = zapasPozycja_ + zapas_.size() - nieprzejrzane_;
    for (std::size_t i = 0; i < nieprzejrzane_; ++i)
        Obwiednia(zapas_[(poczatek + i) % zapas_.size()], odbiornik);
}

// A pause that ends a sender leaves the receiver in its word gap, which
// the next sender's first letter ends.
void WykrywaczTonu::Pusc(bool koniec)
{
    kluczowanie_.Koniec(koniec ? &odbiornik_ : nullptr);
    zlapany_ = false;
    slyszany_ = false;
    zgodnych_ = 0;
    nieprzejrzane_ = 0;
}

void WykrywaczTonu::Koniec()
{
    if (zlapany_)
        Pusc();
}

double WykrywaczTonu::Slowa() const
{
    const double jednostka = odbiornik_.Jednostka();
    return jednostka > 0 ? 1.2 / jednostka : 0;
}

double WykrywaczTonu::Poziom() const
{
    const double s = kluczowanie_.Sygnal();
    const double n = std::max(kluczowanie_.Szum(), 1e-12);
    const double stosunek = (s * s - n * n) / (n * n) * obwiednia_.Pasmo() / 500;
    return std::clamp(10 * std::log10(std::max(stosunek, 1e-3)), -30.0, 60.0);
}

}  // namespace wirlok
