// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/odbieranie.h"

#include "cipher/mors.h"

#include <utility>

namespace wirlok {

// A first, fixed-speed receiver (12 words per minute) that keeps the
// interface; the adaptive one replaces it.
namespace {
constexpr double Jednostka12 = 0.1;
}

void Odbiornik::Znak(double sekundy)
{
    if (!(sekundy > 0))
        return;
    if (!koniecLitery_ && przerwa_ >= 2 * Jednostka12)
        Przerwa(przerwa_);
    litera_ += sekundy < 2 * Jednostka12 ? U'.' : U'-';
    koniecLitery_ = false;
    odstep_ = false;
    przerwa_ = 0;
}

void Odbiornik::Przerwa(double sekundy)
{
    if (!(sekundy >= 0))
        return;
    przerwa_ = sekundy;
    if (!koniecLitery_ && sekundy >= 2 * Jednostka12) {
        odebrane_ += litera_ + U'\\';
        litera_.clear();
        koniecLitery_ = true;
    }
    if (koniecLitery_ && !odstep_ && sekundy >= 5 * Jednostka12) {
        odebrane_ += U'\\';
        odstep_ = true;
    }
}

void Odbiornik::Koniec() { Przerwa(5 * Jednostka12); }

std::u32string Odbiornik::Odbierz() { return std::exchange(odebrane_, {}); }

double Odbiornik::Jednostka() const { return jednostka_; }

std::u32string DoWstawienia(char32_t przed, Klawisz klawisz)
{
    const bool wLiterze = przed == U'.' || przed == U'-';
    switch (klawisz) {
    case Klawisz::Kropka: return DoWstawienia(przed, U".");
    case Klawisz::Kreska: return DoWstawienia(przed, U"-");
    case Klawisz::KoniecLitery: return wLiterze ? U"\\" : U"";
    case Klawisz::Odstep: return wLiterze ? U"\\\\" : DoWstawienia(przed, U"\\");
    }
    return {};
}

std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane)
{
    if (odebrane.empty())
        return {};
    const bool wLiterze = przed == U'.' || przed == U'-';
    const bool element = odebrane.front() == U'.' || odebrane.front() == U'-';
    const bool otwarte = MorsSeparator(przed) || (wLiterze && element && odebrane.size() == 1);
    return otwarte ? std::u32string(odebrane) : U"\\" + std::u32string(odebrane);
}

}  // namespace wirlok
