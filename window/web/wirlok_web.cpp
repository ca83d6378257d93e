// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The page's way into the window commands: a small C interface of the
// WebAssembly module. The page writes the two fields' texts as UTF-16 into
// buffers of the module, runs a command over them and the list's selected
// entry, and reads back only what the command changed. The shared tables of
// the window come out as one JSON text, so the page builds its window from
// them and writes none of them again.

#include "window/kontrolki.h"
#include "window/listaszyfrow.h"
#include "window/nadawanie.h"
#include "window/utf16.h"
#include "window/web/eksport.h"
#include "window/web/json.h"
#include "window/zdarzenia.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace wirlok {
namespace {

std::array<std::u16string, 2> pola;  // a and b
std::int16_t wybrany = -1;
std::string tabela;
std::vector<std::int32_t> nadanie;

std::u16string& Pole(int pole) { return pola[pole == 1 ? 1 : 0]; }

// A whole number in decimal; std::to_string would bring in printf's
// machinery, a fifth of the module.
std::string Liczba(int liczba)
{
    std::string cyfry;
    do {
        cyfry.insert(cyfry.begin(), static_cast<char>('0' + liczba % 10));
        liczba /= 10;
    } while (liczba > 0);
    return cyfry;
}

// A comma before every element of a JSON array but its first.
void Oddziel(std::string& json)
{
    if (json.back() != '[')
        json += ',';
}

constexpr std::string_view NazwaRodzaju(Rodzaj rodzaj)
{
    switch (rodzaj) {
    case Rodzaj::PoleTekstowe: return "pole";
    case Rodzaj::ListaRozwijana: return "lista";
    case Rodzaj::Przycisk: return "przycisk";
    }
    return "";
}

// The window in CSS pixels (96 to the inch), its controls in tab order.
std::string Tabela()
{
    std::string json = "{\"nazwa\":";
    DopiszNapis(json, NazwaOkna);
    json += ",\"tytul\":";
    DopiszNapis(json, TytulOkna);
    json += ",\"szerokosc\":" + Liczba(Piksele(SzerokoscOkna));
    json += ",\"wysokosc\":" + Liczba(Piksele(WysokoscOkna));
    json += ",\"kontrolki\":[";
    for (const Kontrolka& k : KontrolkiWKolejnosciTab()) {
        Oddziel(json);
        json += "{\"nazwa\":";
        DopiszNapis(json, k.nazwa);
        json += ",\"rodzaj\":";
        DopiszNapis(json, NazwaRodzaju(k.rodzaj));
        json += ",\"podpis\":";
        DopiszNapis(json, k.podpis);
        const Prostokat& m = k.miejsce;
        json += ",\"miejsce\":[" + Liczba(Piksele(m.lewo)) + ',' + Liczba(Piksele(m.gora)) + ','
            + Liczba(Piksele(m.szerokosc)) + ',' + Liczba(Piksele(m.wysokosc)) + "]}";
    }
    json += "],\"lista\":[";
    for (const WpisListy& wpis : ListaSzyfrow) {
        Oddziel(json);
        DopiszNapis(json, wpis.tekst);
    }
    json += "],\"klikniecia\":[";
    for (const Klikniecie& klikniecie : Klikniecia) {
        Oddziel(json);
        DopiszNapis(json, klikniecie.przycisk);
    }
    return json + "]}";
}

// Where each letter stands, from characters to UTF-16 code units of its
// field: the letters come in the order of the text, so one walk serves all.
void WUtf16(std::vector<Litera>& litery, std::u32string_view tekst)
{
    std::size_t znak = 0;
    std::size_t jednostka = 0;
    const auto idzDo = [&](std::size_t cel) {
        for (; znak < cel && znak < tekst.size(); ++znak)
            jednostka += tekst[znak] > 0xFFFF ? 2 : 1;
        return jednostka;
    };
    for (Litera& litera : litery) {
        const std::size_t od = idzDo(litera.znak);
        litera.znaki = idzDo(litera.znak + litera.znaki) - od;
        litera.znak = od;
    }
}

}  // namespace
}  // namespace wirlok

using namespace wirlok;

// Room for a field's text of the given length (UTF-16 code units), for the
// page to write into; 0 is the upper field a, 1 the lower field b.
WIRLOK_EKSPORT(wirlok_bufor) char16_t* wirlok_bufor(int pole, std::uint32_t dlugosc)
{
    Pole(pole).resize(dlugosc);
    return Pole(pole).data();
}

WIRLOK_EKSPORT(wirlok_tekst) const char16_t* wirlok_tekst(int pole) { return Pole(pole).data(); }

WIRLOK_EKSPORT(wirlok_dlugosc) std::uint32_t wirlok_dlugosc(int pole) { return Pole(pole).size(); }

// Runs a command over the fields in the buffers and the given selected
// entry (-1: none): -1 is the window's load, 0 and up the buttons in the
// order of "klikniecia". Returns what it changed: 1 the field a, 2 the
// field b, 4 the selection (then wirlok_wybrany). Any other number does
// nothing.
WIRLOK_EKSPORT(wirlok_wykonaj) int wirlok_wykonaj(int polecenie, int wybranyWpis)
{
    if (polecenie < -1 || polecenie >= static_cast<int>(Klikniecia.size()))
        return 0;
    const bool naLiscie = wybranyWpis >= 0 && static_cast<std::size_t>(wybranyWpis) < ListaSzyfrow.size();
    StanOkna stan{ZUtf16(pola[0]), ZUtf16(pola[1]), static_cast<std::int16_t>(naLiscie ? wybranyWpis : -1)};
    const Zmiany zmiany = Wykonaj(polecenie < 0 ? Form1_Load : Klikniecia[polecenie].polecenie, stan);
    if (zmiany.a)
        pola[0] = DoUtf16(stan.a);
    if (zmiany.b)
        pola[1] = DoUtf16(stan.b);
    wybrany = stan.listaszyfrow;
    return (zmiany.a ? 1 : 0) | (zmiany.b ? 2 : 0) | (zmiany.listaszyfrow ? 4 : 0);
}

WIRLOK_EKSPORT(wirlok_wybrany) int wirlok_wybrany() { return wybrany; }

// The window's tables as JSON (UTF-8), and its length in bytes.
WIRLOK_EKSPORT(wirlok_tabela) const char* wirlok_tabela()
{
    if (tabela.empty())
        tabela = Tabela();
    return tabela.c_str();
}

WIRLOK_EKSPORT(wirlok_tabela_dlugosc) std::uint32_t wirlok_tabela_dlugosc()
{
    wirlok_tabela();  // makes the table on the first call
    return tabela.size();
}

// What "Nadaj" sends from the fields in the buffers, as 32-bit numbers:
// the field sent (0 a, 1 b), the field its letters are marked in, the
// length in units, the number of tones and of letters, then each tone's
// start and length, then each letter's start in units and its place in the
// marked field (first UTF-16 code unit, how many).
// Returns how many numbers wirlok_nadanie holds.
WIRLOK_EKSPORT(wirlok_nadaj) std::uint32_t wirlok_nadaj()
{
    const StanOkna stan{ZUtf16(pola[0]), ZUtf16(pola[1]), -1};
    Nadanie plan = DoNadania(stan);
    WUtf16(plan.litery, plan.znaczone == 0 ? stan.a : stan.b);
    nadanie = {plan.pole,
        plan.znaczone,
        plan.dlugosc,
        static_cast<std::int32_t>(plan.tony.size()),
        static_cast<std::int32_t>(plan.litery.size())};
    nadanie.reserve(nadanie.size() + 2 * plan.tony.size() + 3 * plan.litery.size());
    for (const Ton& ton : plan.tony)
        nadanie.insert(nadanie.end(), {ton.poczatek, ton.dlugosc});
    for (const Litera& litera : plan.litery)
        nadanie.insert(nadanie.end(),
            {litera.poczatek, static_cast<std::int32_t>(litera.znak), static_cast<std::int32_t>(litera.znaki)});
    return nadanie.size();
}

WIRLOK_EKSPORT(wirlok_nadanie) const std::int32_t* wirlok_nadanie() { return nadanie.data(); }
