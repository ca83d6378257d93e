// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/nauka.h"

#include "cipher/mors.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

constexpr std::size_t WGrupie = 5;
constexpr double JednostekSlowa = 50;  // "PARIS " with its word gap
constexpr double WagaBledow = 4;       // how much more often a letter always missed comes
constexpr double WagaNowej = 0.5;      // and the new letter

constexpr std::string_view Naglowek = "N1;";
constexpr std::size_t NajdluzszyZapis = 2048;
constexpr int NajwiecejProb = 9999;  // a letter's count in a stored run: four digits

// A whole number in decimal; std::to_string would bring printf's machinery
// into the page's module.
std::string Cyfry(unsigned long long liczba)
{
    std::string cyfry;
    do {
        cyfry.insert(cyfry.begin(), static_cast<char>('0' + liczba % 10));
        liczba /= 10;
    } while (liczba > 0);
    return cyfry;
}

double Zakres(double liczba, double od, double doLiczby, double domyslna)
{
    return std::isfinite(liczba) ? std::clamp(liczba, od, doLiczby) : domyslna;
}

std::u32string DoZapisu(std::string_view tekst) { return Mors(std::u32string(tekst.begin(), tekst.end())); }

std::size_t Numer(char litera) { return static_cast<std::size_t>(litera - 'a'); }

// A whole number of 1 to 4 digits, no leading zero, at `i`.
std::optional<int> Liczba(std::string_view zapis, std::size_t& i)
{
    const std::size_t od = i;
    int liczba = 0;
    for (; i < zapis.size() && zapis[i] >= '0' && zapis[i] <= '9' && i - od < 4; ++i)
        liczba = liczba * 10 + (zapis[i] - '0');
    if (i == od || (zapis[od] == '0' && i - od > 1) || (i < zapis.size() && zapis[i] >= '0' && zapis[i] <= '9'))
        return std::nullopt;
    return liczba;
}

// One run's letters: "k12/14m3/4", each a letter of the lesson once.
std::optional<Wyniki> OdczytajWyniki(std::string_view zapis, std::string_view litery)
{
    Wyniki wyniki;
    std::size_t i = 0;
    if (zapis.empty())
        return std::nullopt;
    while (i < zapis.size()) {
        const char litera = zapis[i++];
        if (litery.find(litera) == std::string_view::npos || wyniki.wyslane[Numer(litera)] > 0)
            return std::nullopt;
        const std::optional<int> trafione = Liczba(zapis, i);
        if (!trafione || i >= zapis.size() || zapis[i++] != '/')
            return std::nullopt;
        const std::optional<int> wyslane = Liczba(zapis, i);
        if (!wyslane || *wyslane == 0 || *trafione > *wyslane)
            return std::nullopt;
        wyniki.wyslane[Numer(litera)] = static_cast<std::uint16_t>(*wyslane);
        wyniki.trafione[Numer(litera)] = static_cast<std::uint16_t>(*trafione);
    }
    return wyniki;
}

// A number from the generator in [0, 1): its raw output is the same on
// every system, unlike the standard distributions'.
double Ulamek(std::mt19937& los) { return static_cast<double>(los()) / 4294967296.0; }

std::string Grupa(const Postep& postep, std::mt19937& los)
{
    const std::vector<Trafnosc> trafnosci = Trafnosci(postep);
    std::vector<double> wagi;
    double suma = 0;
    for (const Trafnosc& t : trafnosci) {
        const double bledy = t.procent ? 1 - *t.procent / 100.0 : 0;
        wagi.push_back(1 + WagaBledow * bledy + (t.litera == NowaLitera(postep.lekcja) ? WagaNowej : 0));
        suma += wagi.back();
    }
    std::string grupa;
    while (grupa.size() < WGrupie) {
        double los01 = Ulamek(los) * suma;
        std::size_t i = 0;
        for (; i + 1 < wagi.size() && los01 >= wagi[i]; ++i)
            los01 -= wagi[i];
        grupa += trafnosci[i].litera;
    }
    return grupa;
}

}  // namespace

std::string_view LiteryLekcji(int lekcja)
{
    return KolejnoscKocha.substr(0, static_cast<std::size_t>(std::clamp(lekcja, 1, OstatniaLekcja)) + 1);
}

char NowaLitera(int lekcja) { return LiteryLekcji(lekcja).back(); }

std::string KodLitery(char litera)
{
    std::string kod;
    for (const char32_t z : DoZapisu(std::string_view(&litera, 1)))
        if (!MorsSeparator(z))
            kod += static_cast<char>(z);
    return kod;
}

Ustawienia Popraw(Ustawienia u)
{
    const Ustawienia domyslne;
    u.tempoZnakow = Zakres(u.tempoZnakow, 12, 35, domyslne.tempoZnakow);
    u.tempoEfektywne = Zakres(u.tempoEfektywne, 4, u.tempoZnakow, std::min(domyslne.tempoEfektywne, u.tempoZnakow));
    u.minuty = Zakres(u.minuty, 0.5, 10, domyslne.minuty);
    return u;
}

Odstepy Farnsworth(std::u32string_view zapis, double tempoZnakow, double tempoEfektywne)
{
    const double litery = Harmonogram(zapis, Odstepy{0, 0}).dlugosc;
    const double calosc = Harmonogram(zapis, Odstepy{}).dlugosc;
    const double odstepy = calosc - litery;
    const double rozciagniecie = odstepy > 0 ? (calosc * tempoZnakow / tempoEfektywne - litery) / odstepy : 1;
    return {Odstepy{}.litery * rozciagniecie, Odstepy{}.slowa * rozciagniecie};
}

std::string Zapisz(const Postep& postep)
{
    std::string zapis(Naglowek);
    zapis += Cyfry(static_cast<unsigned>(postep.lekcja));
    for (const Wyniki& wyniki : postep.ostatnie) {
        zapis += ';';
        for (const char litera : KolejnoscKocha) {
            const std::size_t n = Numer(litera);
            if (wyniki.wyslane[n] > 0)
                zapis += litera + Cyfry(wyniki.trafione[n]) + '/' + Cyfry(wyniki.wyslane[n]);
        }
    }
    return zapis;
}

std::optional<Postep> Odczytaj(std::string_view zapis)
{
    if (zapis.size() > NajdluzszyZapis || !zapis.starts_with(Naglowek))
        return std::nullopt;
    std::size_t i = Naglowek.size();
    const std::optional<int> lekcja = Liczba(zapis, i);
    if (!lekcja || *lekcja < 1 || *lekcja > OstatniaLekcja)
        return std::nullopt;
    Postep postep{*lekcja, {}};
    while (i < zapis.size()) {
        if (zapis[i++] != ';' || postep.ostatnie.size() == PamiecWynikow)
            return std::nullopt;
        const std::size_t koniec = std::min(zapis.find(';', i), zapis.size());
        const std::optional<Wyniki> wyniki = OdczytajWyniki(zapis.substr(i, koniec - i), LiteryLekcji(*lekcja));
        if (!wyniki)
            return std::nullopt;
        postep.ostatnie.push_back(*wyniki);
        i = koniec;
    }
    return postep;
}

std::vector<Trafnosc> Trafnosci(const Postep& postep)
{
    std::vector<Trafnosc> trafnosci;
    for (const char litera : LiteryLekcji(postep.lekcja)) {
        int wyslane = 0;
        int trafione = 0;
        for (const Wyniki& wyniki : postep.ostatnie) {
            wyslane += wyniki.wyslane[Numer(litera)];
            trafione += wyniki.trafione[Numer(litera)];
        }
        trafnosci.push_back({litera,
            wyslane > 0 ? std::optional<int>((trafione * 200 + wyslane) / (2 * wyslane)) : std::nullopt,
            wyslane});
    }
    return trafnosci;
}

PlanNauki Zaplanuj(std::string_view tekst, double tempoZnakow, double tempoEfektywne)
{
    // The text and a word gap after it, as "PARIS " is counted; each unit
    // of the notation encodes the character at its own place.
    const std::u32string zapis = DoZapisu(std::string(tekst) + ' ');
    std::vector<std::size_t> znaki(tekst.size() + 1);
    for (std::size_t i = 0; i < znaki.size(); ++i)
        znaki[i] = i;
    return {std::string(tekst), Harmonogram(zapis, Farnsworth(zapis, tempoZnakow, tempoEfektywne), znaki)};
}

std::string Grupa(const Postep& postep, std::uint32_t ziarno)
{
    std::mt19937 los(ziarno);
    return Grupa(postep, los);
}

PlanNauki Przebieg(const Postep& postep, Ustawienia ustawienia, std::uint32_t ziarno)
{
    ustawienia = Popraw(ustawienia);
    std::mt19937 los(ziarno);
    const double sekundyJednostki = 60 / (ustawienia.tempoEfektywne * JednostekSlowa);
    std::string tekst;
    for (double sekundy = 0; sekundy < ustawienia.minuty * 60;) {
        const std::string grupa = Grupa(postep, los);
        tekst += (tekst.empty() ? "" : " ") + grupa;
        sekundy += Harmonogram(DoZapisu(grupa + ' '), Odstepy{}).dlugosc * sekundyJednostki;
    }
    return Zaplanuj(tekst, ustawienia.tempoZnakow, ustawienia.tempoEfektywne);
}

PlanNauki Posluchaj(int lekcja, double tempoZnakow)
{
    const char nowa = NowaLitera(lekcja);
    const double tempo = Popraw({tempoZnakow, tempoZnakow, 1}).tempoZnakow;
    return Zaplanuj(std::string{nowa, ' ', nowa, ' ', nowa}, tempo, tempo);
}

std::string Kurs::Wczytaj(std::optional<std::string_view> zapis)
{
    przebieg_.clear();
    wynik_ = {};
    const std::optional<Postep> postep = zapis ? Odczytaj(*zapis) : Postep{};
    postep_ = postep.value_or(Postep{});
    return postep ? "" : "Zapisany postęp nauki był uszkodzony, więc kurs zaczyna się od nowa.";
}

PlanNauki Kurs::Zacznij(Ustawienia ustawienia, std::uint32_t ziarno)
{
    PlanNauki plan = Przebieg(postep_, ustawienia, ziarno);
    przebieg_ = plan.tekst;
    wynik_ = {};
    return plan;
}

Kurs::Sprawdzenie Kurs::Sprawdz(std::string_view wpisane)
{
    if (przebieg_.empty())
        return {false, false, wynik_.ocena};
    const Ocena ocena = Ocen(przebieg_, wpisane);
    przebieg_.clear();
    Wyniki wyniki = ocena.wyniki;
    for (std::size_t n = 0; n < wyniki.wyslane.size(); ++n) {
        wyniki.wyslane[n] = std::min<std::uint16_t>(wyniki.wyslane[n], NajwiecejProb);
        wyniki.trafione[n] = std::min(wyniki.trafione[n], wyniki.wyslane[n]);
    }
    postep_.ostatnie.push_back(wyniki);
    if (postep_.ostatnie.size() > PamiecWynikow)
        postep_.ostatnie.erase(postep_.ostatnie.begin());
    const bool nastepna = ocena.procent >= ProgLekcji && postep_.lekcja < OstatniaLekcja;
    postep_.lekcja += nastepna ? 1 : 0;
    wynik_ = {false, false, ocena};
    return {true, nastepna, ocena};
}

void Kurs::OdNowa()
{
    postep_ = {};
    przebieg_.clear();
    wynik_ = {};
}

std::string Dziesietnie(double liczba, int miejsca, char przecinek)
{
    if (!std::isfinite(liczba))
        return "0";
    const double skala = std::pow(10.0, miejsca);
    const auto calosc = static_cast<unsigned long long>(std::llround(std::min(std::fabs(liczba), 1e12) * skala));
    const auto mnoznik = static_cast<unsigned long long>(std::llround(skala));
    std::string tekst = liczba < 0 && calosc > 0 ? "-" : "";
    tekst += Cyfry(calosc / mnoznik);
    if (miejsca > 0) {
        std::string ulamek = Cyfry(calosc % mnoznik);
        tekst += przecinek + std::string(static_cast<std::size_t>(miejsca) - ulamek.size(), '0') + ulamek;
    }
    return tekst;
}

}  // namespace wirlok
