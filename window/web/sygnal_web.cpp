// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The module's way in for sound and pictures: the page writes samples from
// the microphone or a recording, or a camera's frame, into a buffer of the
// module, and the detectors feed the receivers of their sources.

#include "sygnal/swiatlo.h"
#include "sygnal/ton.h"
#include "window/web/eksport.h"
#include "window/web/odbiorniki.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace wirlok {
namespace {

std::vector<float> probki;
std::array<std::unique_ptr<WykrywaczTonu>, 4> tony;  // by source
std::array<double, 4> probkowania{};
std::array<double, 4> stanTonu{};

std::vector<std::uint8_t> obraz;
std::uint32_t szerokosc = 0;
std::uint32_t wysokosc = 0;
std::unique_ptr<WykrywaczSwiatla> swiatlo;
std::array<double, 4> stanSwiatla{};

std::size_t Numer(int zrodlo) { return zrodlo >= 0 && zrodlo < 4 ? static_cast<std::size_t>(zrodlo) : Mikrofon; }

WykrywaczSwiatla& Swiatlo()
{
    if (!swiatlo)
        swiatlo = std::make_unique<WykrywaczSwiatla>(OdbiornikZrodla(Aparat));
    return *swiatlo;
}

}  // namespace
}  // namespace wirlok

using namespace wirlok;

WIRLOK_EKSPORT(wirlok_dzwiek_bufor) float* wirlok_dzwiek_bufor(std::uint32_t ile)
{
    probki.resize(ile);
    return probki.data();
}

WIRLOK_EKSPORT(wirlok_dzwiek) void wirlok_dzwiek(int zrodlo, std::uint32_t ile, double probkowanie)
{
    const std::size_t z = Numer(zrodlo);
    if (!tony[z] || probkowania[z] != probkowanie) {
        tony[z] = std::make_unique<WykrywaczTonu>(probkowanie, OdbiornikZrodla(static_cast<int>(z)));
        probkowania[z] = probkowanie;
    }
    tony[z]->Dodaj(std::span<const float>(probki.data(), std::min<std::size_t>(ile, probki.size())));
}

WIRLOK_EKSPORT(wirlok_dzwiek_od_nowa) void wirlok_dzwiek_od_nowa(int zrodlo)
{
    const std::size_t z = Numer(zrodlo);
    tony[z].reset();
    OdbiornikZrodla(static_cast<int>(z)) = Odbiornik();
}

WIRLOK_EKSPORT(wirlok_dzwiek_stan) const double* wirlok_dzwiek_stan(int zrodlo)
{
    const WykrywaczTonu* ton = tony[Numer(zrodlo)].get();
    if (ton == nullptr)
        stanTonu = {};
    else
        stanTonu = {ton->Zlapany() ? 1.0 : 0.0, ton->Czestotliwosc(), ton->Slowa(), ton->Poziom()};
    return stanTonu.data();
}

WIRLOK_EKSPORT(wirlok_obraz_bufor) std::uint8_t* wirlok_obraz_bufor(std::uint32_t szer, std::uint32_t wys)
{
    szerokosc = szer;
    wysokosc = wys;
    obraz.resize(static_cast<std::size_t>(szer) * wys);
    return obraz.data();
}

WIRLOK_EKSPORT(wirlok_obraz) void wirlok_obraz(double czas) { Swiatlo().Obraz(obraz, szerokosc, wysokosc, czas); }

WIRLOK_EKSPORT(wirlok_obraz_wskaz) void wirlok_obraz_wskaz(double x, double y) { Swiatlo().Wskaz(x, y); }

WIRLOK_EKSPORT(wirlok_obraz_od_nowa) void wirlok_obraz_od_nowa()
{
    swiatlo.reset();
    OdbiornikZrodla(Aparat) = Odbiornik();
}

WIRLOK_EKSPORT(wirlok_obraz_stan) const double* wirlok_obraz_stan()
{
    const WykrywaczSwiatla& s = Swiatlo();
    stanSwiatla = {s.Zlapany() ? 1.0 : 0.0, s.X(), s.Y(), s.Slowa()};
    return stanSwiatla.data();
}
