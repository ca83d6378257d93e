// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/swiatlo.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace wirlok {

namespace {

constexpr std::size_t Komorka = 4;    // pixels along a cell's side
constexpr std::size_t Probka = 4;     // every this many pixels each way tell the exposure
constexpr double PamiecSredniej = 2;  // seconds of a pixel's mean, for the exposure
constexpr double OpadaDno = 0.1;      // seconds a pixel's floor falls in to a darker value
constexpr double RosnieDno = 4;       // and rises in, so a torch lit for a dash hardly lifts it
constexpr float Blisko = 0.3F;        // ratios this near the median tell the exposure
constexpr double CiemnaSrednia = 10;  // pixels darker than this tell nothing of the exposure
// Frames gone through again once a light is found, 8 s; and kept, 12 s,
// to go through when the older ones hold it as bright as it keys now: a
// torch that dims at 5 WPM may be found more than 8 s after its first
// letter began, while one that wandered into the place since would key
// there in part.
constexpr std::size_t Przegladanych = 240;
constexpr std::size_t PamiecKlatek = 360;
// The last of them, that a light is looked for in: enough for ten marks and
// spaces at 5 WPM, not so many that a dimming torch's lit frames fall
// between its dark and lit levels.
constexpr std::size_t Ogladanych = 200;
constexpr double Rozgrzewka = 3;       // seconds before a light is looked for
constexpr std::size_t Osiadaja = 10;   // frames the floors take to settle
constexpr std::size_t CoSzuka = 10;    // frames between two looks
constexpr std::size_t Kandydatow = 6;  // places tried for Morse's rhythm at each look
constexpr std::size_t Skraju = 1;      // cells off that a shaking light moves into
// A light's lit and dark readings stand this many grey levels apart at the
// least, and this many times the median place's spread: at dusk, with the
// exposure pumping, every place of the sky spreads, a 1 px torch 30 levels
// over it only some four times as much.
constexpr double NajmniejszaRoznica = 6;
constexpr double Wybija = 3;
// Morse's marks and spaces: this share of them within this part of a
// dot's length or three, of dots of these lengths.
constexpr double Pasuje = 0.92;
constexpr double Tolerancja = 0.3;
constexpr double Rzadsze = 0.15;
constexpr double Miarowo = 0.15;
constexpr double NajmniejDodaje = 0.3;     // the least a light adds around it, for its contrast
constexpr double Zabiera = 0.5;            // the most the ring around may lose, of that: a moved lamp leaves it
constexpr double NajkrotszaKropka = 0.06;  // 20 words per minute, two frames
constexpr double NajdluzszaKropka = 0.4;
constexpr std::size_t NajmniejOdcinkow = 10;
// The most of the frames between dark and lit: a lamp that a hand-held
// camera moves across a place lights it in part as often as a fifth of them.
constexpr double Miedzy = 0.15;
// A reading is the most of a place's light and of the noise of those
// around, so a frame lit in part reads less than that part: the light's
// keying cuts it this part of the way from dark to lit.
constexpr double Prog = 0.4;
constexpr float Boki = 3;
constexpr float Ponad = 2.5F;  // noise's deviations the places around may rise by
constexpr float Wielka = 16;   // a light larger still, held close: the contrast of its cells, a pixel's worth
constexpr float Ciszej = 64;   // a sum of 64 pixels against one of 4: its noise 4 times, and a wide margin
constexpr std::array<std::array<std::ptrdiff_t, 2>, 8> Obok
    = {{{-3, 0}, {3, 0}, {0, -3}, {0, 3}, {-3, -3}, {3, -3}, {-3, 3}, {3, 3}}};
constexpr double Podaza = 0.1;  // of the way to where a lit frame's light peaks
constexpr double Gubi = 5;      // seconds without a lit frame before the light is let go

constexpr Kluczowanie::Ustawienia UstawieniaSwiatla{90, 5, 4, 1, false, Prog};

double Odcien(double odstep, double stala) { return odstep > 0 ? 1 - std::exp(-odstep / stala) : 1; }

}  // namespace

WykrywaczSwiatla::WykrywaczSwiatla(Odbiornik& odbiornik)
    : odbiornik_(odbiornik)
    , kluczowanie_(UstawieniaSwiatla)
{
}

void WykrywaczSwiatla::Rozmiar(std::size_t szerokosc, std::size_t wysokosc)
{
    szerokosc_ = szerokosc;
    wysokosc_ = wysokosc;
    kolumn_ = szerokosc / Komorka;
    wierszy_ = wysokosc / Komorka;
    dno_.clear();
    kontrast_.assign(szerokosc * wysokosc, 0);
    punkty_.assign(szerokosc * wysokosc, 0);
    srednie_.clear();
    komorki_.assign(kolumn_ * wierszy_, 0);
    jasne_.assign(kolumn_ * wierszy_, 0);
    sumy_.clear();
    pierscienie_.clear();
    bloki_.assign(kolumn_ * wierszy_, 0);
    duze_.assign(kolumn_ * wierszy_, 0);
    odczyty_.clear();  // filled as frames come, lest a picture's every new size cost
    czasy_.assign(PamiecKlatek, 0);
    klatek_ = 0;
    pierwszy_ = -1;
    x_ = static_cast<double>(szerokosc) / 2;
    y_ = static_cast<double>(wysokosc) / 2;
    Pusc();
    wskazany_ = false;
}

void WykrywaczSwiatla::Obraz(
    std::span<const std::uint8_t> jasnosc, std::size_t szerokosc, std::size_t wysokosc, double czas)
{
    if (szerokosc < Komorka || wysokosc < Komorka || szerokosc > 8192 || wysokosc > 8192
        || jasnosc.size() < szerokosc * wysokosc || !std::isfinite(czas))
        return;
    if (szerokosc != szerokosc_ || wysokosc != wysokosc_)
        Rozmiar(szerokosc, wysokosc);
    if (pierwszy_ >= 0 && czas <= czas_) {
        if (czas < czas_)
            kluczowanie_.Koniec(zlapany_ ? &odbiornik_ : nullptr);
        czas_ = czas;
        return;
    }
    const double odstep = pierwszy_ < 0 ? 0 : std::min(czas - czas_, 0.5);
    if (pierwszy_ < 0)
        pierwszy_ = czas;
    czas_ = czas;
    Kontrast(jasnosc, Ekspozycja(jasnosc, odstep), odstep);
    Punkty();
    Komorki();
    czasy_[klatek_ % PamiecKlatek] = czas;
    ++klatek_;
    if (zlapany_)
        Sledz(odstep);
    else if (czas - pierwszy_ >= Rozgrzewka && klatek_ % CoSzuka == 0)
        Szukaj();
}

// How bright this frame is against the last ones: the ratio of a sample of
// pixels to their means, around their median, which a torch's few pixels, a lamp or a
// screen cannot move. The means are kept at that steady exposure.
double WykrywaczSwiatla::Ekspozycja(std::span<const std::uint8_t> jasnosc, double odstep)
{
    const bool pierwsza = srednie_.empty();
    ilorazy_.clear();
    std::size_t i = 0;
    for (std::size_t y = Probka / 2; y < wysokosc_; y += Probka) {
        for (std::size_t x = Probka / 2; x < szerokosc_; x += Probka, ++i) {
            const float piksel = jasnosc[y * szerokosc_ + x];
            if (pierwsza)
                srednie_.push_back(piksel);
            else if (srednie_[i] > CiemnaSrednia)
                ilorazy_.push_back(piksel / srednie_[i]);
        }
    }
    double wzmocnienie = 1;
    if (ilorazy_.size() >= 16) {
        robocze_ = ilorazy_;
        const auto mediana = robocze_.begin() + static_cast<std::ptrdiff_t>(robocze_.size() / 2);
        std::nth_element(robocze_.begin(), mediana, robocze_.end());
        // The mean of the ratios near the median: a median of dark pixels'
        // whole levels would move in steps of several per cent.
        double suma = 0;
        double ile = 0;
        for (const float iloraz : ilorazy_) {
            if (std::abs(iloraz - *mediana) < Blisko * *mediana) {
                suma += iloraz;
                ++ile;
            }
        }
        wzmocnienie = std::clamp(ile > 0 ? suma / ile : 1.0, 0.25, 4.0);
    }
    const auto a = static_cast<float>(Odcien(odstep, PamiecSredniej));
    const auto odwrotnosc = static_cast<float>(1 / wzmocnienie);
    i = 0;
    for (std::size_t y = Probka / 2; y < wysokosc_; y += Probka) {
        for (std::size_t x = Probka / 2; x < szerokosc_; x += Probka, ++i)
            srednie_[i] += a * (static_cast<float>(jasnosc[y * szerokosc_ + x]) * odwrotnosc - srednie_[i]);
    }
    return wzmocnienie;
}

// Each pixel at the steady exposure over its floor, which falls quickly to
// what is darker and rises slowly: a torch's pixel over its dark, a lamp's
// at its own brightness. Summed over 2 by 2 pixels, a torch of a pixel
// counts whole wherever it falls.
void WykrywaczSwiatla::Kontrast(std::span<const std::uint8_t> jasnosc, double wzmocnienie, double odstep)
{
    const auto odwrotnosc = static_cast<float>(1 / wzmocnienie);
    const std::size_t pikseli = szerokosc_ * wysokosc_;
    if (dno_.empty()) {
        dno_.resize(pikseli);
        for (std::size_t i = 0; i < pikseli; ++i)
            dno_[i] = static_cast<float>(jasnosc[i]) * odwrotnosc;
    }
    const auto opada = static_cast<float>(Odcien(odstep, OpadaDno));
    const auto rosnie = static_cast<float>(Odcien(odstep, RosnieDno));
    for (std::size_t i = 0; i < pikseli; ++i) {
        const float roznica = static_cast<float>(jasnosc[i]) * odwrotnosc - dno_[i];
        dno_[i] += (roznica < 0 ? opada : rosnie) * roznica;
        kontrast_[i] = roznica;
    }
    std::fill(jasne_.begin(), jasne_.end(), 0.0F);
    for (std::size_t y = 0; y < wierszy_ * Komorka; ++y) {
        const std::uint8_t* wiersz = &jasnosc[y * szerokosc_];
        float* komorki = &jasne_[y / Komorka * kolumn_];
        for (std::size_t k = 0; k < kolumn_; ++k, wiersz += Komorka)
            komorki[k] += static_cast<float>(wiersz[0] + wiersz[1] + wiersz[2] + wiersz[3]) * odwrotnosc;
    }
    for (std::size_t y = 0; y + 1 < wysokosc_; ++y) {
        float* w = &kontrast_[y * szerokosc_];
        const float* nizej = w + szerokosc_;
        for (std::size_t x = 0; x + 1 < szerokosc_; ++x)
            w[x] += w[x + 1] + nizej[x] + nizej[x + 1];
    }
}

// How far each place's contrast stands above twice the most of eight
// places around it, 3 pixels off, where that is more than noise: a torch is
// a point, while an edge that a shaking camera moves, or a screen, lights
// up beside itself as well (and at a corner, two thirds as much as at the
// corner itself).
void WykrywaczSwiatla::Punkty()
{
    // Contrast where nothing changes, as the pixels' floors lie below
    // their noise: the median of a sample, taken off each place's own.
    ilorazy_.clear();
    for (std::size_t y = Probka / 2; y + 1 < wysokosc_; y += Probka) {
        for (std::size_t x = Probka / 2; x + 1 < szerokosc_; x += Probka)
            ilorazy_.push_back(kontrast_[y * szerokosc_ + x]);
    }
    const auto srodkowy = ilorazy_.begin() + static_cast<std::ptrdiff_t>(ilorazy_.size() / 2);
    std::nth_element(ilorazy_.begin(), srodkowy, ilorazy_.end());
    zwykly_ = ilorazy_.empty() ? 0.0F : *srodkowy;
    const auto gorny = ilorazy_.begin() + static_cast<std::ptrdiff_t>(ilorazy_.size() * 84 / 100);
    std::nth_element(srodkowy, gorny, ilorazy_.end());
    szum_ = ilorazy_.empty() ? 0.0F : *gorny - zwykly_;
    const float zwykly = zwykly_;
    const float obok = zwykly_ + Ponad * szum_;
    const auto szerokosc = static_cast<std::ptrdiff_t>(szerokosc_);
    const auto wysokosc = static_cast<std::ptrdiff_t>(wysokosc_);
    for (std::ptrdiff_t y = 0; y < wysokosc; ++y) {
        for (std::ptrdiff_t x = 0; x < szerokosc; ++x) {
            const std::ptrdiff_t i = y * szerokosc + x;
            float najwiecej = -1e9F;
            for (const auto& [dx, dy] : Obok) {
                if (x + dx >= 0 && x + dx < szerokosc && y + dy >= 0 && y + dy < wysokosc)
                    najwiecej = std::max(najwiecej, kontrast_[static_cast<std::size_t>(i + dy * szerokosc + dx)]);
            }
            punkty_[static_cast<std::size_t>(i)]
                = kontrast_[static_cast<std::size_t>(i)] - zwykly - Boki * std::max(0.0F, najwiecej - obok);
        }
    }
}

// The most contrast in each cell.
void WykrywaczSwiatla::Komorki()
{
    for (std::size_t w = 0; w < wierszy_; ++w) {
        for (std::size_t k = 0; k < kolumn_; ++k) {
            float najwiecej = punkty_[w * Komorka * szerokosc_ + k * Komorka];
            for (std::size_t y = w * Komorka; y < (w + 1) * Komorka; ++y) {
                const float* wiersz = &punkty_[y * szerokosc_ + k * Komorka];
                najwiecej = std::max({najwiecej, wiersz[0], wiersz[1], wiersz[2], wiersz[3]});
            }
            komorki_[w * kolumn_ + k] = najwiecej;
            const std::size_t y = std::min(w * Komorka, wysokosc_ - 4);
            const std::size_t x = std::min(k * Komorka, szerokosc_ - 4);
            const float* s = &kontrast_[y * szerokosc_ + x];
            bloki_[w * kolumn_ + k] = s[0] + s[2] + s[2 * szerokosc_] + s[2 * szerokosc_ + 2];
        }
    }
    Duze();
    for (std::size_t c = 0; c < komorki_.size(); ++c)
        komorki_[c] = std::max(komorki_[c], duze_[c]);
    Zapisz();
}

// Each cell's reading, the most in the 3 by 3 cells around it, their
// brightness and that of the ring of cells around those, kept for the last
// frames.
void WykrywaczSwiatla::Zapisz()
{
    const std::size_t ile = komorki_.size();
    odczyty_.resize(std::max(odczyty_.size(), (klatek_ % PamiecKlatek + 1) * ile));
    sumy_.resize(odczyty_.size());
    pierscienie_.resize(odczyty_.size());
    float* odczyt = &odczyty_[klatek_ % PamiecKlatek * ile];
    float* suma = &sumy_[klatek_ % PamiecKlatek * ile];
    float* pierscien = &pierscienie_[klatek_ % PamiecKlatek * ile];
    for (std::size_t w = 0; w < wierszy_; ++w) {
        for (std::size_t k = 0; k < kolumn_; ++k) {
            float najwiecej = komorki_[w * kolumn_ + k];
            for (std::size_t y = w > 0 ? w - 1 : 0; y <= std::min(w + 1, wierszy_ - 1); ++y) {
                for (std::size_t x = k > 0 ? k - 1 : 0; x <= std::min(k + 1, kolumn_ - 1); ++x)
                    najwiecej = std::max(najwiecej, komorki_[y * kolumn_ + x]);
            }
            const std::size_t c = w * kolumn_ + k;
            odczyt[c] = najwiecej;
            suma[c] = Jasnosc(w, k, 1);
            pierscien[c] = Jasnosc(w, k, 2) - suma[c];
        }
    }
}

// The brightness of the cells up to `promien` cells from a cell each way.
float WykrywaczSwiatla::Jasnosc(std::size_t w, std::size_t k, std::size_t promien) const
{
    float jasnosc = 0;
    for (std::size_t y = w - std::min(w, promien); y <= std::min(w + promien, wierszy_ - 1); ++y) {
        for (std::size_t x = k - std::min(k, promien); x <= std::min(k + promien, kolumn_ - 1); ++x)
            jasnosc += jasne_[y * kolumn_ + x];
    }
    return jasnosc;
}

// A light of up to 8 pixels, a torch held near, is a point in the cells'
// contrasts, 2 by 2 cells summed, as a torch far off is in the pixels'; a
// light larger still lights a cell and the four beside it whole, where the
// edge of a lit window that a shaking camera moves lights a row of cells in
// part (those inside it stay lit). They count for much less than a point
// of a pixel or two, lest such a window be taken for a light.
void WykrywaczSwiatla::Duze()
{
    const auto kolumn = static_cast<std::ptrdiff_t>(kolumn_);
    const auto wierszy = static_cast<std::ptrdiff_t>(wierszy_);
    const auto suma = [&](std::ptrdiff_t k, std::ptrdiff_t w) {
        float s = 0;
        for (std::ptrdiff_t y = w; y < std::min(w + 2, wierszy); ++y) {
            for (std::ptrdiff_t x = k; x < std::min(k + 2, kolumn); ++x)
                s += bloki_[static_cast<std::size_t>(y * kolumn + x)];
        }
        return s;
    };
    const float zwykly = 16 * zwykly_;
    const float obok = zwykly + 4 * Ponad * szum_;
    for (std::ptrdiff_t w = 0; w < wierszy; ++w) {
        for (std::ptrdiff_t k = 0; k < kolumn; ++k) {
            float najwiecej = -1e9F;
            for (const auto& [dx, dy] : Obok) {
                if (k + dx >= 0 && k + dx < kolumn && w + dy >= 0 && w + dy < wierszy)
                    najwiecej = std::max(najwiecej, suma(k + dx, w + dy));
            }
            const auto c = static_cast<std::size_t>(w * kolumn + k);
            const float wnetrze = k > 0 && k + 1 < kolumn && w > 0 && w + 1 < wierszy
                ? std::min({bloki_[c], bloki_[c - 1], bloki_[c + 1], bloki_[c - kolumn_], bloki_[c + kolumn_]})
                : -1e9F;
            duze_[c] = std::max((suma(k, w) - zwykly - Boki * std::max(0.0F, najwiecej - obok)) / Ciszej,
                (wnetrze - 4 * zwykly_) / Wielka);
        }
    }
}

// The cells whose readings spread the most are tried for Morse's rhythm;
// the one that keys best is the light, and the frames kept are gone
// through at it, as a tone's samples are: at each dot's length
// tried, then to learn the levels, then to receive them.
void WykrywaczSwiatla::Szukaj()
{
    const std::size_t ile = komorki_.size();
    const std::size_t klatek = Ogladane();
    if (klatek < NajmniejOdcinkow)  // frames come seconds apart
        return;
    std::vector<std::pair<float, std::size_t>> rozrzuty(ile);
    poziomy_.resize(ile);
    przecietne_.resize(ile);
    for (std::size_t c = 0; c < ile; ++c) {
        robocze_.resize(klatek);
        float suma = 0;
        for (std::size_t k = 0; k < klatek; ++k) {
            robocze_[k] = Odczyt(klatek_ - klatek + k, c);
            suma += robocze_[k];
        }
        const auto dolny = robocze_.begin() + static_cast<std::ptrdiff_t>(klatek / 10);
        std::nth_element(robocze_.begin(), dolny, robocze_.end());
        const float nisko = *dolny;
        const auto gorny = robocze_.begin() + static_cast<std::ptrdiff_t>(klatek * 9 / 10);
        std::nth_element(robocze_.begin(), gorny, robocze_.end());
        rozrzuty[c] = {*gorny - nisko, c};
        poziomy_[c] = {nisko, *gorny};
        przecietne_[c] = suma / static_cast<float>(klatek) - nisko;
    }
    const auto sredni = rozrzuty.begin() + static_cast<std::ptrdiff_t>(ile / 2);
    std::nth_element(rozrzuty.begin(), sredni, rozrzuty.end());
    const double prog = std::max(NajmniejszaRoznica, Wybija * sredni->first);
    std::sort(rozrzuty.begin(), rozrzuty.end(), std::greater<>());
    std::vector<std::size_t> sprawdzone;
    Rytm najlepszy;
    std::size_t c = 0;
    for (const auto& [rozrzut, komorka] : rozrzuty) {
        if (rozrzut < prog || sprawdzone.size() >= Kandydatow)
            break;
        const std::size_t k = komorka;
        if (Najjasniejsza(k) != k)
            continue;
        const bool obok = std::any_of(sprawdzone.begin(), sprawdzone.end(), [&](std::size_t s) {
            const auto dx = static_cast<std::ptrdiff_t>(s % kolumn_) - static_cast<std::ptrdiff_t>(k % kolumn_);
            const auto dy = static_cast<std::ptrdiff_t>(s / kolumn_) - static_cast<std::ptrdiff_t>(k / kolumn_);
            return std::abs(dx) <= 1 && std::abs(dy) <= 1;
        });
        if (obok)
            continue;
        sprawdzone.push_back(k);
        const Rytm rytm = Ocena(k, poziomy_[k].first, poziomy_[k].second);
        if (rytm.pasuje > najlepszy.pasuje) {
            najlepszy = rytm;
            c = k;
        }
    }
    if (najlepszy.pasuje < Pasuje)
        return;
    const std::size_t kolumna = c % kolumn_;
    const std::size_t wiersz = c / kolumn_;
    x_ = (static_cast<double>(kolumna) + 0.5) * Komorka;
    y_ = (static_cast<double>(wiersz) + 0.5) * Komorka;
    zlapany_ = true;
    bezSwiatla_ = 0;
    kluczowanie_ = Kluczowanie(UstawieniaSwiatla);
    kluczowanie_.Ustaw(najlepszy.kropka);
    Przejdz(c, nullptr);
    kluczowanie_.OdNowa();
    Przejdz(c, &odbiornik_);
}

// The cell beside a cell, or itself, that reads the most light on the whole: a
// light that a shaking camera moves in and out of a cell's reading keys
// there with the shaking, and steadily where it is, the one cell tried.
std::size_t WykrywaczSwiatla::Najjasniejsza(std::size_t komorka) const
{
    const std::size_t k = komorka % kolumn_;
    const std::size_t w = komorka / kolumn_;
    std::size_t najjasniejsza = komorka;
    for (std::size_t y = w - std::min<std::size_t>(w, Skraju); y <= std::min(w + Skraju, wierszy_ - 1); ++y) {
        for (std::size_t x = k - std::min<std::size_t>(k, Skraju); x <= std::min(k + Skraju, kolumn_ - 1); ++x) {
            if (przecietne_[y * kolumn_ + x] > przecietne_[najjasniejsza])
                najjasniejsza = y * kolumn_ + x;
        }
    }
    return najjasniejsza;
}

// Whether a cell's readings key as Morse does, cut halfway between their
// dark and lit levels with some hysteresis: 1 if they do, else 0. They stay
// dark or lit, seldom between (a light drifting onto a pixel rises slowly),
// their marks and spaces last a few frames (noise flips at every frame).
WykrywaczSwiatla::Rytm WykrywaczSwiatla::Ocena(std::size_t komorka, float nisko, float wysoko)
{
    const std::size_t klatek = Ogladane();
    robocze_.clear();  // the lengths of the marks, and of the spaces below 0
    bool znak = Odczyt(klatek_ - klatek, komorka) > (nisko + wysoko) / 2;
    double poczatek = -1;
    std::size_t miedzy = 0;
    for (std::size_t k = klatek_ - klatek; k < klatek_; ++k) {
        const float czesc = (Odczyt(k, komorka) - nisko) / (wysoko - nisko);
        miedzy += czesc > 0.3F && czesc < 0.7F ? 1 : 0;
        if ((czesc > (znak ? 0.4F : 0.6F)) == znak)
            continue;
        const double czas = czasy_[k % PamiecKlatek];
        if (poczatek >= 0)
            robocze_.push_back(static_cast<float>(znak ? czas - poczatek : poczatek - czas));
        poczatek = czas;
        znak = !znak;
    }
    if (robocze_.size() < NajmniejOdcinkow || static_cast<double>(miedzy) > Miedzy * static_cast<double>(klatek))
        return {};
    const double dodaje = Dodaje(sumy_, komorka, nisko, wysoko);
    if (Miarowy(robocze_) || dodaje < NajmniejDodaje * (wysoko - nisko)
        || Dodaje(pierscienie_, komorka, nisko, wysoko) < -Zabiera * dodaje)
        return {};
    return Dopasuj(robocze_);
}

// How much brighter the cells around are while a cell's reading is lit
// than while it is dark: a light adds to it, a lamp that a shaking camera
// moves about only moves it.
double WykrywaczSwiatla::Dodaje(const std::vector<float>& sumy, std::size_t komorka, float nisko, float wysoko) const
{
    const std::size_t ile = komorki_.size();
    std::array<double, 2> jasnosci{};  // while dark and while lit
    std::array<double, 2> ilu{};
    for (std::size_t k = klatek_ - Ogladane(); k < klatek_; ++k) {
        const float czesc = (Odczyt(k, komorka) - nisko) / (wysoko - nisko);
        if (czesc < 0.3F || czesc > 0.7F) {
            jasnosci[czesc > 0.5F ? 1 : 0] += sumy[k % PamiecKlatek * ile + komorka];
            ++ilu[czesc > 0.5F ? 1 : 0];
        }
    }
    return jasnosci[1] / std::max(1.0, ilu[1]) - jasnosci[0] / std::max(1.0, ilu[0]);
}

// How well marks and spaces (a space as its length below 0) fit a dot's
// length, and the length that fits best: the share, over the lengths
// tried, of marks of one or three dots and spaces of one, three or seven
// and more, within a third, where both short and long ones are many (a
// flickering screen's are all alike, a shaking lamp's edges' spread
// everywhere); of lengths that fit as many, the one they are nearest.
// Whether marks and spaces (a space as its length below 0) come at a
// steady rate, as a screen flickers: a mark and the space after it last
// about as long each time, where Morse's vary by half.
bool WykrywaczSwiatla::Miarowy(const std::vector<float>& odcinki)
{
    double suma = 0;
    double kwadratow = 0;
    double cykli = 0;
    for (std::size_t i = 0; i + 1 < odcinki.size(); ++i) {
        if (odcinki[i] > 0) {
            const double cykl = odcinki[i] - odcinki[i + 1];
            suma += cykl;
            kwadratow += cykl * cykl;
            ++cykli;
        }
    }
    if (cykli < 2)
        return false;
    const double srednia = suma / cykli;
    return kwadratow / cykli - srednia * srednia < Miarowo * Miarowo * srednia * srednia;
}

WykrywaczSwiatla::Rytm WykrywaczSwiatla::Dopasuj(const std::vector<float>& odcinki)
{
    Rytm najlepszy;
    double najlepiej = 0;
    for (double kropka = NajkrotszaKropka; kropka < NajdluzszaKropka; kropka *= 1.05) {
        std::size_t pasuje = 0;
        double odchylenia = 0;
        std::size_t krotkich = 0;
        std::size_t dlugich = 0;
        for (const float odcinek : odcinki) {
            const double kropek = std::abs(odcinek) / kropka;
            const bool jedna = std::abs(kropek - 1) < Tolerancja;
            const bool trzy = std::abs(kropek / 3 - 1) < Tolerancja;
            const bool przerwa = odcinek < 0 && kropek > 5;
            pasuje += jedna || trzy || przerwa ? 1 : 0;
            odchylenia += jedna ? std::abs(kropek - 1) : trzy ? std::abs(kropek / 3 - 1) : 0;
            krotkich += jedna ? 1 : 0;
            dlugich += trzy ? 1 : 0;
        }
        const auto ile = static_cast<double>(odcinki.size());
        const double ocena = static_cast<double>(pasuje) / ile - 0.1 * odchylenia / ile;
        const double rzadszych = static_cast<double>(std::min(krotkich, dlugich)) / ile;
        if (rzadszych >= Rzadsze && ocena > najlepiej) {
            najlepiej = ocena;
            najlepszy = {static_cast<double>(pasuje) / ile, kropka};
        }
    }
    return najlepszy;
}

// The frames kept that a light is looked for in: not the first few, while
// the pixels' floors settle.
std::size_t WykrywaczSwiatla::Ogladane() const { return std::min(klatek_ - std::min(klatek_, Osiadaja), Ogladanych); }

float WykrywaczSwiatla::Odczyt(std::size_t klatka, std::size_t komorka) const
{
    return odczyty_[klatka % PamiecKlatek * komorki_.size() + komorka];
}

// The frames to go through again (Przegladanych, or all kept) go through
// from the first dark one: a mark that the oldest frame cuts into would be
// read short, a dot for a dash.
void WykrywaczSwiatla::Przejdz(std::size_t komorka, Odbiornik* odbiornik)
{
    const float srodek = (poziomy_[komorka].first + poziomy_[komorka].second) / 2;
    std::size_t od = klatek_ - std::min(klatek_, Przegladanych);
    const std::size_t najstarsza = klatek_ - std::min(klatek_, PamiecKlatek);
    if (najstarsza < od) {
        robocze_.clear();
        for (std::size_t k = najstarsza; k < od; ++k)
            robocze_.push_back(Odczyt(k, komorka));
        const auto gorny = robocze_.begin() + static_cast<std::ptrdiff_t>(robocze_.size() * 9 / 10);
        std::nth_element(robocze_.begin(), gorny, robocze_.end());
        if (*gorny >= poziomy_[komorka].second)
            od = najstarsza;
    }
    while (od < klatek_ && Odczyt(od, komorka) > srodek)
        ++od;
    for (std::size_t k = od; k < klatek_; ++k)
        kluczowanie_.Dodaj(czasy_[k % PamiecKlatek], Odczyt(k, komorka), odbiornik);
}

// The light's reading: the most contrast within 12 by 12 pixels around
// it. While it is lit it moves a little towards where that peaks.
void WykrywaczSwiatla::Sledz(double odstep)
{
    const auto promien = static_cast<std::ptrdiff_t>(Komorka * 3 / 2);
    const auto srodekX = static_cast<std::ptrdiff_t>(std::floor(x_));
    const auto srodekY = static_cast<std::ptrdiff_t>(std::floor(y_));
    const auto szerokosc = static_cast<std::ptrdiff_t>(szerokosc_);
    const auto wysokosc = static_cast<std::ptrdiff_t>(wysokosc_);
    float najwiecej = -1e9F;
    std::ptrdiff_t gdzieX = srodekX;
    std::ptrdiff_t gdzieY = srodekY;
    for (std::ptrdiff_t y = std::max<std::ptrdiff_t>(0, srodekY - promien);
         y < std::min(wysokosc - 1, srodekY + promien);
         ++y) {
        for (std::ptrdiff_t x = std::max<std::ptrdiff_t>(0, srodekX - promien);
             x < std::min(szerokosc - 1, srodekX + promien);
             ++x) {
            const float k = punkty_[static_cast<std::size_t>(y * szerokosc + x)];
            if (k > najwiecej) {
                najwiecej = k;
                gdzieX = x;
                gdzieY = y;
            }
        }
    }
    // Or a larger light, in the cells around: 2 by 2 cells from one.
    const auto kolumn = static_cast<std::ptrdiff_t>(kolumn_);
    const auto wierszy = static_cast<std::ptrdiff_t>(wierszy_);
    const auto komorka = static_cast<std::ptrdiff_t>(Komorka);
    for (std::ptrdiff_t w = std::max<std::ptrdiff_t>(0, srodekY / komorka - 1);
         w <= std::min(wierszy - 1, srodekY / komorka + 1);
         ++w) {
        for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, srodekX / komorka - 1);
             k <= std::min(kolumn - 1, srodekX / komorka + 1);
             ++k) {
            const float d = duze_[static_cast<std::size_t>(w * kolumn + k)];
            if (d > najwiecej) {
                najwiecej = d;
                gdzieX = (k + 1) * komorka - 1;
                gdzieY = (w + 1) * komorka - 1;
            }
        }
    }
    kluczowanie_.Dodaj(czas_, najwiecej, &odbiornik_);
    const bool swieci = kluczowanie_.Pewne() && najwiecej > (kluczowanie_.Sygnal() + kluczowanie_.Szum()) / 2;
    if (swieci) {
        // A 2 by 2 sum from a pixel is centred on that pixel's corner.
        x_ += Podaza * (static_cast<double>(gdzieX + 1) - x_);
        y_ += Podaza * (static_cast<double>(gdzieY + 1) - y_);
        bezSwiatla_ = 0;
        return;
    }
    bezSwiatla_ += odstep;
    if (bezSwiatla_ > Gubi && !wskazany_)
        Pusc();
}

void WykrywaczSwiatla::Pusc()
{
    if (zlapany_)
        kluczowanie_.Koniec(&odbiornik_);
    kluczowanie_ = Kluczowanie(UstawieniaSwiatla);
    zlapany_ = false;
}

void WykrywaczSwiatla::Wskaz(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y) || szerokosc_ == 0)
        return;
    Pusc();
    x_ = std::clamp(x, 0.0, 1.0) * static_cast<double>(szerokosc_);
    y_ = std::clamp(y, 0.0, 1.0) * static_cast<double>(wysokosc_);
    zlapany_ = wskazany_ = true;
    bezSwiatla_ = 0;
}

double WykrywaczSwiatla::X() const
{
    return szerokosc_ > 0 ? std::clamp(x_ / static_cast<double>(szerokosc_), 0.0, 1.0) : 0.5;
}

double WykrywaczSwiatla::Y() const
{
    return wysokosc_ > 0 ? std::clamp(y_ / static_cast<double>(wysokosc_), 0.0, 1.0) : 0.5;
}

double WykrywaczSwiatla::Slowa() const
{
    const double jednostka = odbiornik_.Jednostka();
    return jednostka > 0 ? 1.2 / jednostka : 0;
}

}  // namespace wirlok
