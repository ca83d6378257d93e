// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The module's way into the Morse course: the page writes a text (UTF-8)
// or the key's times into buffers of the module, and reads back JSON
// (UTF-8) and, for a plan to play, its tones and letters as numbers.

#include "sygnal/nauka.h"
#include "sygnal/reka.h"
#include "window/web/eksport.h"
#include "window/web/json.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

Kurs kurs;
std::string wejscie;
std::vector<double> czasy;
std::string json;
std::vector<double> tony;
std::vector<double> litery;

// A JSON string of UTF-8 text.
std::string Napis(std::string_view tekst)
{
    std::string napis;
    DopiszNapis(napis, tekst);
    return napis;
}

std::string Liczba(double liczba, int miejsca = 3) { return Dziesietnie(liczba, miejsca); }

std::string Wynik(std::string tekst)
{
    json = std::move(tekst);
    return json;
}

std::string Stan()
{
    const Postep& postep = kurs.Stan();
    const char nowa = NowaLitera(postep.lekcja);
    std::string stan = "{\"lekcja\":" + Liczba(postep.lekcja, 0);
    stan += ",\"litery\":" + Napis(LiteryLekcji(postep.lekcja));
    stan += ",\"nowa\":" + Napis(std::string_view(&nowa, 1));
    stan += ",\"kodNowej\":" + Napis(KodLitery(nowa));
    stan += ",\"ostatnia\":" + Liczba(OstatniaLekcja, 0);
    stan += ",\"trafnosc\":[";
    for (const Trafnosc& t : Trafnosci(postep)) {
        stan += stan.back() == '[' ? "" : ",";
        stan += "{\"litera\":" + Napis(std::string_view(&t.litera, 1));
        stan += ",\"procent\":" + (t.procent ? Liczba(*t.procent, 0) : "null");
        stan += ",\"proby\":" + Liczba(t.proby, 0) + '}';
    }
    return stan + "],\"zapis\":" + Napis(Zapisz(postep)) + '}';
}

// The plan's numbers for the page, in the shape of "Nadaj"'s: tones as
// start, length; letters as start, place in the text, 1.
std::uint32_t Plan(const PlanNauki& plan)
{
    tony.clear();
    for (const TonCiagly& ton : plan.nadanie.tony)
        tony.insert(tony.end(), {ton.poczatek, ton.dlugosc});
    litery.clear();
    for (const LiteraCiagla& litera : plan.nadanie.litery)
        litery.insert(litery.end(), {litera.poczatek, static_cast<double>(litera.znak), 1});
    return Wynik("{\"tekst\":" + Napis(plan.tekst) + ",\"dlugosc\":" + Liczba(plan.nadanie.dlugosc, 6) + '}').size();
}

constexpr std::array<std::string_view, 4> NazwyStanow{"dobrze", "zle", "brak", "nadmiar"};
constexpr std::array<std::string_view, 5> NazwyElementow{
    "kropka", "kreska", "wLiterze", "miedzyLiterami", "miedzySlowami"};

std::string Znak(char z) { return z == 0 ? "\"\"" : Napis(std::string_view(&z, 1)); }

std::string Sprawdzenie(const Kurs::Sprawdzenie& s)
{
    std::string wynik = "{\"procent\":" + (s.ocena ? Liczba(s.ocena->procent, 0) : "null");
    wynik += std::string(",\"ocenione\":") + (s.ocenione ? "true" : "false");
    wynik += std::string(",\"nastepna\":") + (s.nastepna ? "true" : "false") + ",\"znaki\":[";
    for (const ZnakOceny& z : s.ocena ? s.ocena->znaki : std::vector<ZnakOceny>{}) {
        wynik += wynik.back() == '[' ? "{" : ",{";
        wynik += "\"wyslana\":" + Znak(z.wyslana) + ",\"wpisana\":" + Znak(z.wpisana);
        wynik += ",\"stan\":" + Napis(NazwyStanow[static_cast<std::size_t>(z.stan)]) + '}';
    }
    return wynik + "],\"stan\":" + Stan() + '}';
}

std::string JsonRozkladu(const std::optional<Rozklad>& r)
{
    return r ? "{\"dotow\":" + Liczba(r->dotow) + ",\"rozrzut\":" + Liczba(r->rozrzut) + '}' : "null";
}

std::string JsonReki(const Reka& r)
{
    std::string wynik = "{\"odczytane\":" + Napis(r.odczytane);
    wynik += std::string(",\"zgodne\":") + (r.zgodne ? "true" : "false");
    wynik += ",\"kropkaMs\":" + Liczba(r.kropkaMs, 1) + ",\"slowa\":" + Liczba(r.slowa, 1);
    wynik += ",\"kropka\":" + JsonRozkladu(r.kropka) + ",\"kreska\":" + JsonRozkladu(r.kreska);
    wynik += ",\"wLiterze\":" + JsonRozkladu(r.wLiterze) + ",\"miedzyLiterami\":" + JsonRozkladu(r.miedzyLiterami);
    wynik += ",\"miedzySlowami\":" + JsonRozkladu(r.miedzySlowami) + ",\"porady\":[";
    for (const std::string& porada : r.porady)
        wynik += (wynik.back() == '[' ? "" : ",") + Napis(porada);
    wynik += "],\"wykres\":[";
    for (const Odcinek& o : r.wykres) {
        wynik += wynik.back() == '[' ? "{" : ",{";
        wynik += "\"rodzaj\":" + Napis(NazwyElementow[static_cast<std::size_t>(o.rodzaj)]);
        wynik += ",\"poczatek\":" + Liczba(o.poczatek) + ",\"dlugosc\":" + Liczba(o.dlugosc);
        wynik += ",\"wzorPoczatek\":" + Liczba(o.wzorPoczatek) + ",\"wzorDlugosc\":" + Liczba(o.wzorDlugosc) + '}';
    }
    return wynik + "]}";
}

// A seed from the page: any number, whole or not, to 32 bits.
std::uint32_t Ziarno(double ziarno)
{
    return std::isfinite(ziarno) ? static_cast<std::uint32_t>(std::fmod(std::fabs(ziarno), 4294967296.0)) : 0;
}

std::string_view Wejscie(std::uint32_t dlugosc) { return std::string_view(wejscie).substr(0, dlugosc); }

}  // namespace
}  // namespace wirlok

using namespace wirlok;

// Room for a text (UTF-8 bytes) for the page to write into.
WIRLOK_EKSPORT(wirlok_nauka_bufor) char* wirlok_nauka_bufor(std::uint32_t dlugosc)
{
    wejscie.resize(dlugosc);
    return wejscie.data();
}

// Room for the key's times (seconds) for the page to write into.
WIRLOK_EKSPORT(wirlok_nauka_czasy) double* wirlok_nauka_czasy(std::uint32_t ile)
{
    czasy.resize(ile);
    return czasy.data();
}

// Each call below leaves its answer as JSON at wirlok_nauka_json and
// returns its length in bytes.
WIRLOK_EKSPORT(wirlok_nauka_json) const char* wirlok_nauka_json() { return json.data(); }

// Loads the stored progress in the buffer; `brak`: nothing was stored.
WIRLOK_EKSPORT(wirlok_nauka_wczytaj) std::uint32_t wirlok_nauka_wczytaj(std::uint32_t dlugosc, int brak)
{
    const std::string komunikat = kurs.Wczytaj(brak != 0 ? std::nullopt : std::optional(Wejscie(dlugosc)));
    std::string stan = Stan();
    stan.pop_back();
    return Wynik(stan + ",\"komunikat\":" + Napis(komunikat) + '}').size();
}

WIRLOK_EKSPORT(wirlok_nauka_stan) std::uint32_t wirlok_nauka_stan() { return Wynik(Stan()).size(); }

WIRLOK_EKSPORT(wirlok_nauka_ustawienia)
std::uint32_t wirlok_nauka_ustawienia(double tempoZnakow, double tempoEfektywne, double minuty)
{
    const Ustawienia u = Popraw({tempoZnakow, tempoEfektywne, minuty});
    return Wynik("{\"tempoZnakow\":" + Liczba(u.tempoZnakow) + ",\"tempoEfektywne\":" + Liczba(u.tempoEfektywne)
        + ",\"minuty\":" + Liczba(u.minuty) + '}')
        .size();
}

// A run's plan, and the new letter's: the numbers are at wirlok_nauka_tony
// and wirlok_nauka_litery.
WIRLOK_EKSPORT(wirlok_nauka_grupy)
std::uint32_t wirlok_nauka_grupy(double tempoZnakow, double tempoEfektywne, double minuty, double ziarno)
{
    return Plan(kurs.Zacznij({tempoZnakow, tempoEfektywne, minuty}, Ziarno(ziarno)));
}

WIRLOK_EKSPORT(wirlok_nauka_posluchaj) std::uint32_t wirlok_nauka_posluchaj(double tempoZnakow)
{
    return Plan(Posluchaj(kurs.Stan().lekcja, tempoZnakow));
}

WIRLOK_EKSPORT(wirlok_nauka_tony) const double* wirlok_nauka_tony() { return tony.data(); }
WIRLOK_EKSPORT(wirlok_nauka_tonow) std::uint32_t wirlok_nauka_tonow() { return tony.size(); }
WIRLOK_EKSPORT(wirlok_nauka_litery) const double* wirlok_nauka_litery() { return litery.data(); }
WIRLOK_EKSPORT(wirlok_nauka_liter) std::uint32_t wirlok_nauka_liter() { return litery.size(); }

// Scores the run against the typed text in the buffer.
WIRLOK_EKSPORT(wirlok_nauka_sprawdz) std::uint32_t wirlok_nauka_sprawdz(std::uint32_t dlugosc)
{
    return Wynik(Sprawdzenie(kurs.Sprawdz(Wejscie(dlugosc)))).size();
}

WIRLOK_EKSPORT(wirlok_nauka_od_nowa) std::uint32_t wirlok_nauka_od_nowa()
{
    kurs.OdNowa();
    return Wynik(Stan()).size();
}

WIRLOK_EKSPORT(wirlok_nauka_grupa) std::uint32_t wirlok_nauka_grupa(double ziarno)
{
    return Wynik("{\"tekst\":" + Napis(Grupa(kurs.Stan(), Ziarno(ziarno))) + '}').size();
}

// Judges the attempt at the group in the buffer from the times in theirs.
WIRLOK_EKSPORT(wirlok_nauka_reka) std::uint32_t wirlok_nauka_reka(std::uint32_t dlugosc, std::uint32_t ile)
{
    return Wynik(JsonReki(OcenReke(Wejscie(dlugosc), std::span(czasy).first(std::min<std::size_t>(ile, czasy.size())))))
        .size();
}
