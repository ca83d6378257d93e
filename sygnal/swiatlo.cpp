// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/swiatlo.h"

#include <algorithm>
#include <cmath>

namespace wirlok {

namespace {

constexpr double KolumnSiatki = 80;
constexpr double WierszySiatki = 60;
constexpr std::size_t PikseliBoku = 8;  // read along a block's side, at most
constexpr double Pamiec = 3;            // seconds of a block's mean and variance
constexpr double Rozgrzewka = 1;        // seconds before a light is looked for
// A light stands out when its block's deviation is this many times the
// median block's and this many grey levels.
constexpr double Wybija = 4;
constexpr double NajmniejszeOdchylenie = 4;
constexpr std::size_t PamiecKlatek = 100;  // kept to go through again once a light is found
constexpr double Gubi = 5;                 // seconds without a light before it is let go

constexpr Kluczowanie::Ustawienia UstawieniaSwiatla{300, 10, 4, 1, false};

}  // namespace

WykrywaczSwiatla::WykrywaczSwiatla(Odbiornik& odbiornik)
    : odbiornik_(odbiornik)
    , kluczowanie_(UstawieniaSwiatla)
{
}

void WykrywaczSwiatla::Siatka(std::size_t szerokosc, std::size_t wysokosc)
{
    szerokosc_ = szerokosc;
    wysokosc_ = wysokosc;
    const double blok = std::ceil(
        std::max(static_cast<double>(szerokosc) / KolumnSiatki, static_cast<double>(wysokosc) / WierszySiatki));
    blok_ = std::max<std::size_t>(1, static_cast<std::size_t>(blok));
    kolumn_ = std::max<std::size_t>(1, szerokosc / blok_);
    wierszy_ = std::max<std::size_t>(1, wysokosc / blok_);
    jasnosci_.assign(kolumn_ * wierszy_, 0);
    srednie_.assign(kolumn_ * wierszy_, 0);
    wariancje_.assign(kolumn_ * wierszy_, 0);
    klatki_.clear();  // filled as frames come, lest a picture's every new size cost
    czasy_.assign(PamiecKlatek, 0);
    klatek_ = 0;
    pierwszy_ = -1;
    x_ = static_cast<double>(kolumn_) / 2;
    y_ = static_cast<double>(wierszy_) / 2;
    if (zlapany_)
        kluczowanie_.Koniec(&odbiornik_);
    zlapany_ = wskazany_ = false;
}

void WykrywaczSwiatla::Obraz(
    std::span<const std::uint8_t> jasnosc, std::size_t szerokosc, std::size_t wysokosc, double czas)
{
    if (szerokosc == 0 || wysokosc == 0 || szerokosc > 8192 || wysokosc > 8192 || jasnosc.size() < szerokosc * wysokosc
        || !std::isfinite(czas))
        return;
    if (szerokosc != szerokosc_ || wysokosc != wysokosc_)
        Siatka(szerokosc, wysokosc);
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
    Bloki(jasnosc);
    klatki_.resize(std::max(klatki_.size(), (klatek_ % PamiecKlatek + 1) * jasnosci_.size()));
    std::copy(jasnosci_.begin(),
        jasnosci_.end(),
        klatki_.begin() + static_cast<std::ptrdiff_t>(klatek_ % PamiecKlatek * jasnosci_.size()));
    czasy_[klatek_ % PamiecKlatek] = czas;
    ++klatek_;
    Statystyka(odstep);
    if (czas - pierwszy_ < Rozgrzewka)
        return;
    if (zlapany_)
        Sledz(odstep);
    else
        Szukaj();
}

// Each block's mean brightness, from at most 8 by 8 of its pixels.
void WykrywaczSwiatla::Bloki(std::span<const std::uint8_t> jasnosc)
{
    const std::size_t co = std::max<std::size_t>(1, blok_ / PikseliBoku);
    const std::size_t naBok = (blok_ + co - 1) / co;
    std::fill(jasnosci_.begin(), jasnosci_.end(), 0.0);
    for (std::size_t w = 0; w < wierszy_; ++w) {
        for (std::size_t y = w * blok_; y < (w + 1) * blok_; y += co) {
            const std::uint8_t* wiersz = jasnosc.data() + y * szerokosc_;
            double* suma = &jasnosci_[w * kolumn_];
            for (std::size_t k = 0; k < kolumn_; ++k) {
                unsigned bloku = 0;
                for (std::size_t x = k * blok_; x < (k + 1) * blok_; x += co)
                    bloku += wiersz[x];
                suma[k] += bloku;
            }
        }
    }
    const auto pikseli = static_cast<double>(naBok * naBok);
    for (double& j : jasnosci_)
        j /= pikseli;
}

void WykrywaczSwiatla::Statystyka(double odstep)
{
    const double a = odstep > 0 ? 1 - std::exp(-odstep / Pamiec) : 1;
    for (std::size_t i = 0; i < jasnosci_.size(); ++i) {
        const double roznica = jasnosci_[i] - srednie_[i];
        srednie_[i] += a * roznica;
        wariancje_[i] += a * (roznica * roznica * (1 - a) - wariancje_[i]);
    }
    robocze_ = wariancje_;
    const auto mediana = robocze_.begin() + static_cast<std::ptrdiff_t>(robocze_.size() / 2);
    std::nth_element(robocze_.begin(), mediana, robocze_.end());
    progWariancji_ = std::max(Wybija * Wybija * *mediana, NajmniejszeOdchylenie * NajmniejszeOdchylenie);
}

// The frames kept are gone through at the light found, as a tone's samples
// are: at each dot's length tried, then to learn the levels, then to
// receive them.
void WykrywaczSwiatla::Szukaj()
{
    const auto najwieksza = std::max_element(wariancje_.begin(), wariancje_.end());
    if (*najwieksza <= progWariancji_)
        return;
    const auto i = static_cast<std::size_t>(najwieksza - wariancje_.begin());
    x_ = static_cast<double>(i % kolumn_) + 0.5;
    const std::size_t wiersz = i / kolumn_;
    y_ = static_cast<double>(wiersz) + 0.5;
    zlapany_ = true;
    bezSwiatla_ = 0;
    Wagi();
    Kluczowanie::Dobierz(kluczowanie_, UstawieniaSwiatla, [this] { Przejdz(nullptr); });
    Przejdz(&odbiornik_);
}

void WykrywaczSwiatla::Przejdz(Odbiornik* odbiornik)
{
    for (std::size_t k = klatek_ - std::min(klatek_, PamiecKlatek); k < klatek_; ++k) {
        const std::size_t miejsce = k % PamiecKlatek;
        kluczowanie_.Dodaj(czasy_[miejsce], Odczyt(&klatki_[miejsce * jasnosci_.size()]), odbiornik);
    }
}

// The blocks around the light weighted by how far their variance stands
// above the rest; the light is at their centre. False when none does.
bool WykrywaczSwiatla::Wagi()
{
    const int promien = std::max(2, static_cast<int>(kolumn_) / 20);
    const auto srodekX = static_cast<int>(x_);
    const auto srodekY = static_cast<int>(y_);
    wagi_.clear();
    double wag = 0;
    double x = 0;
    double y = 0;
    for (int w = std::max(0, srodekY - promien); w <= std::min(static_cast<int>(wierszy_) - 1, srodekY + promien);
         ++w) {
        for (int k = std::max(0, srodekX - promien); k <= std::min(static_cast<int>(kolumn_) - 1, srodekX + promien);
             ++k) {
            const std::size_t i = static_cast<std::size_t>(w) * kolumn_ + static_cast<std::size_t>(k);
            const double waga = std::max(0.0, wariancje_[i] - progWariancji_ / 2);
            if (waga > 0)
                wagi_.push_back({i, waga});
            wag += waga;
            x += waga * (k + 0.5);
            y += waga * (w + 0.5);
        }
    }
    if (wag <= 0)
        return false;
    x_ = x / wag;
    y_ = y / wag;
    return true;
}

double WykrywaczSwiatla::Odczyt(const float* bloki) const
{
    double wag = 0;
    double jasnosc = 0;
    for (const Waga& w : wagi_) {
        wag += w.waga;
        jasnosc += w.waga * bloki[w.blok];
    }
    return wag > 0 ? jasnosc / wag : 0;
}

void WykrywaczSwiatla::Sledz(double odstep)
{
    if (!Wagi() && wskazany_) {
        // Where the user pointed and nothing blinks yet: the blocks there.
        const std::size_t kolumna = std::min(static_cast<std::size_t>(x_), kolumn_ - 1);
        const std::size_t wiersz = std::min(static_cast<std::size_t>(y_), wierszy_ - 1);
        wagi_.assign(1, {wiersz * kolumn_ + kolumna, 1.0});
    }
    if (!wagi_.empty()) {
        bezSwiatla_ = 0;
        kluczowanie_.Dodaj(czas_, Odczyt(&klatki_[(klatek_ - 1) % PamiecKlatek * jasnosci_.size()]), &odbiornik_);
        return;
    }
    bezSwiatla_ += odstep;
    if (bezSwiatla_ > Gubi) {
        kluczowanie_.Koniec(&odbiornik_);
        zlapany_ = false;
    }
}

void WykrywaczSwiatla::Wskaz(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y) || kolumn_ == 0)
        return;
    x_ = std::clamp(x, 0.0, 1.0) * static_cast<double>(kolumn_);
    y_ = std::clamp(y, 0.0, 1.0) * static_cast<double>(wierszy_);
    zlapany_ = wskazany_ = true;
    kluczowanie_.Koniec(&odbiornik_);
    kluczowanie_ = Kluczowanie(UstawieniaSwiatla);
}

double WykrywaczSwiatla::X() const
{
    return kolumn_ > 0 ? std::clamp(x_ / static_cast<double>(kolumn_), 0.0, 1.0) : 0.5;
}

double WykrywaczSwiatla::Y() const
{
    return wierszy_ > 0 ? std::clamp(y_ / static_cast<double>(wierszy_), 0.0, 1.0) : 0.5;
}

double WykrywaczSwiatla::Slowa() const
{
    const double jednostka = odbiornik_.Jednostka();
    return jednostka > 0 ? 1.2 / jednostka : 0;
}

}  // namespace wirlok
