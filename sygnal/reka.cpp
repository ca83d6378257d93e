// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "sygnal/reka.h"

#include "cipher/mors.h"
#include "sygnal/nauka.h"
#include "sygnal/odbieranie.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {
namespace {

constexpr std::size_t NajwiecejCzasow = 4001;  // marks and spaces of an attempt looked at
constexpr double NajdluzszyCzas = 600;         // s; a mark or a space longer is this long
constexpr double NajkrotszaKropka = 0.001;     // s; a hand's dot shorter is no dot to measure
constexpr double Tolerancja = 0.15;            // off the standard by more is worth a word
constexpr int Iteracje = 32;                   // of the two means
constexpr double RozdzielenieKresek = 1.5;     // means of marks closer are one kind

// The standard length of each kind in dots, and how advice names it.
struct Wzor {
    double dotow;
    std::string_view nazwa;
};
constexpr std::array<Wzor, 5> Wzory{{
    {1, "Kropki"},
    {3, "Kreski"},
    {1, "Odstępy w literach"},
    {3, "Odstępy między literami"},
    {7, "Odstępy między słowami"},
}};

constexpr const Wzor& WzorDla(Element e) { return Wzory[static_cast<std::size_t>(e)]; }

// Gaps are told apart halfway (geometrically) between their standard lengths.
const double ProgLitery = std::sqrt(1.0 * 3.0);
const double ProgSlowa = std::sqrt(3.0 * 7.0);

// The asked text: letters a–z and one space between words.
std::string Zadane(std::string_view tekst)
{
    std::string zadane;
    for (char z : tekst) {
        z = z >= 'A' && z <= 'Z' ? static_cast<char>(z - 'A' + 'a') : z;
        if (z >= 'a' && z <= 'z')
            zadane += z;
        else if (!zadane.empty() && zadane.back() != ' ')
            zadane += ' ';
    }
    if (!zadane.empty() && zadane.back() == ' ')
        zadane.pop_back();
    return zadane;
}

// What the receiver reads from the timing, as letters and single spaces;
// a code it knows no letter for is "?". `jednostka`: the unit it followed.
std::string Odczytaj(std::span<const double> czasy, double& jednostka)
{
    Odbiornik odbiornik;
    for (std::size_t i = 0; i < czasy.size(); ++i) {
        if (i % 2 == 0)
            odbiornik.Znak(czasy[i]);
        else
            odbiornik.Przerwa(czasy[i]);
    }
    odbiornik.Koniec();
    jednostka = odbiornik.Jednostka();
    const std::u32string zapis = odbiornik.Odbierz();
    std::string tekst;
    for (const char32_t z : zapis.empty() ? std::u32string() : Mors(zapis)) {
        if (z != U' ')
            tekst += z >= U'a' && z <= U'z' ? static_cast<char>(z) : '?';
        else if (!tekst.empty() && tekst.back() != ' ')
            tekst += ' ';
    }
    if (!tekst.empty() && tekst.back() == ' ')
        tekst.pop_back();
    return tekst;
}

// The kinds that keying `zadane` by the book gives, mark and gap in turn.
std::vector<Element> ZKodu(std::string_view zadane)
{
    std::vector<Element> elementy;
    for (std::size_t i = 0; i < zadane.size(); ++i) {
        if (zadane[i] == ' ')
            continue;
        if (!elementy.empty())
            elementy.push_back(zadane[i - 1] == ' ' ? Element::MiedzySlowami : Element::MiedzyLiterami);
        const std::string kod = KodLitery(zadane[i]);
        for (std::size_t e = 0; e < kod.size(); ++e) {
            if (e > 0)
                elementy.push_back(Element::WLiterze);
            elementy.push_back(kod[e] == '.' ? Element::Kropka : Element::Kreska);
        }
    }
    return elementy;
}

double Srednia(const std::vector<double>& liczby)
{
    return liczby.empty() ? 0 : std::accumulate(liczby.begin(), liczby.end(), 0.0) / static_cast<double>(liczby.size());
}

// Marks split by two means over their logarithms; marks all alike are all
// dots or all dashes by the receiver's unit.
std::vector<bool> Kreski(const std::vector<double>& znaki, double jednostka)
{
    std::vector<double> logi;
    logi.reserve(znaki.size());
    for (const double z : znaki)
        logi.push_back(std::log(std::max(z, 1e-4)));
    const auto [min, max] = std::minmax_element(logi.begin(), logi.end());
    std::array<double, 2> srodki{*min, *max};
    std::vector<bool> kreski(logi.size());
    for (int i = 0; i < Iteracje; ++i) {
        std::array<std::vector<double>, 2> grupy;
        for (std::size_t z = 0; z < logi.size(); ++z) {
            kreski[z] = std::fabs(logi[z] - srodki[1]) < std::fabs(logi[z] - srodki[0]);
            grupy[kreski[z] ? 1 : 0].push_back(logi[z]);
        }
        for (std::size_t g = 0; g < 2; ++g)
            srodki[g] = grupy[g].empty() ? srodki[g] : Srednia(grupy[g]);
    }
    if (srodki[1] - srodki[0] < std::log(RozdzielenieKresek)) {
        const double srednia = std::exp(Srednia(logi));
        const bool kreska = jednostka > 0 && srednia > 2 * jednostka;
        kreski.assign(kreski.size(), kreska);
    }
    return kreski;
}

// The kinds from the lengths alone: marks by two means, gaps against the dot.
std::vector<Element> ZDlugosci(std::span<const double> czasy, double jednostka)
{
    std::vector<double> znaki;
    for (std::size_t i = 0; i < czasy.size(); i += 2)
        znaki.push_back(czasy[i]);
    const std::vector<bool> kreski = Kreski(znaki, jednostka);
    std::vector<double> kropki;
    std::vector<double> dlugie;
    for (std::size_t z = 0; z < znaki.size(); ++z)
        (kreski[z] ? dlugie : kropki).push_back(znaki[z]);
    const double kropka = !kropki.empty() ? Srednia(kropki) : jednostka > 0 ? jednostka : Srednia(dlugie) / 3;
    std::vector<Element> elementy;
    for (std::size_t i = 0; i < czasy.size(); ++i) {
        const double dotow = czasy[i] / kropka;
        elementy.push_back(i % 2 == 0 ? (kreski[i / 2] ? Element::Kreska : Element::Kropka)
                : dotow < ProgLitery  ? Element::WLiterze
                : dotow < ProgSlowa   ? Element::MiedzyLiterami
                                      : Element::MiedzySlowami);
    }
    return elementy;
}

std::optional<Rozklad> Rozloz(const std::vector<double>& dlugosci, double kropka)
{
    if (dlugosci.empty())
        return std::nullopt;
    const double srednia = Srednia(dlugosci);
    double kwadraty = 0;
    for (const double d : dlugosci)
        kwadraty += (d - srednia) * (d - srednia);
    const double odchylenie = std::sqrt(kwadraty / static_cast<double>(dlugosci.size()));
    return Rozklad{srednia / kropka, srednia > 0 ? odchylenie / srednia : 0};
}

std::string Porada(Element e, double dotow)
{
    const Wzor& wzor = WzorDla(e);
    return std::string(wzor.nazwa) + " są za " + (dotow < wzor.dotow ? "krótkie" : "długie") + ": "
        + Dziesietnie(dotow, 1, ',') + " kropki zamiast " + Dziesietnie(wzor.dotow, 0) + ".";
}

void Statystyki(Reka& reka, std::span<const double> czasy, const std::vector<Element>& elementy)
{
    std::array<std::vector<double>, Wzory.size()> dlugosci;
    for (std::size_t i = 0; i < czasy.size(); ++i)
        dlugosci[static_cast<std::size_t>(elementy[i])].push_back(czasy[i]);
    const auto& kropki = dlugosci[static_cast<std::size_t>(Element::Kropka)];
    const auto& kreski = dlugosci[static_cast<std::size_t>(Element::Kreska)];
    // Without dots, a gap within a letter is the dot's length by the book.
    const auto& wLiterze = dlugosci[static_cast<std::size_t>(Element::WLiterze)];
    const double kropka = !kropki.empty() ? Srednia(kropki)
        : !wLiterze.empty()               ? Srednia(wLiterze)
                                          : Srednia(kreski) / WzorDla(Element::Kreska).dotow;
    if (!(kropka >= NajkrotszaKropka))
        return;
    reka.kropkaMs = kropka * 1000;
    reka.slowa = 1.2 / kropka;
    std::array<std::optional<Rozklad>*, Wzory.size()> pola{&reka.kropka,
        &reka.kreska,
        &reka.wLiterze,
        &reka.miedzyLiterami,
        &reka.miedzySlowami};
    for (std::size_t e = 0; e < Wzory.size(); ++e) {
        *pola[e] = Rozloz(dlugosci[e], kropka);
        if (*pola[e] && std::fabs((*pola[e])->dotow / Wzory[e].dotow - 1) > Tolerancja)
            reka.porady.push_back(Porada(static_cast<Element>(e), (*pola[e])->dotow));
    }
    double poczatek = 0;
    double wzorPoczatek = 0;
    for (std::size_t i = 0; i < czasy.size(); ++i) {
        const double wzor = WzorDla(elementy[i]).dotow;
        reka.wykres.push_back({elementy[i], poczatek, czasy[i] / kropka, wzorPoczatek, wzor});
        poczatek += czasy[i] / kropka;
        wzorPoczatek += wzor;
    }
}

}  // namespace

Reka OcenReke(std::string_view zadane, std::span<const double> czasySurowe)
{
    std::vector<double> czasy;
    for (std::size_t i = 0; i < czasySurowe.size() && i < NajwiecejCzasow; ++i)
        czasy.push_back(std::isfinite(czasySurowe[i]) ? std::clamp(czasySurowe[i], 0.0, NajdluzszyCzas) : 0.0);
    if (czasy.size() % 2 == 0 && !czasy.empty())
        czasy.pop_back();  // a space after the last mark says nothing

    Reka reka;
    double jednostka = 0;
    reka.odczytane = Odczytaj(czasy, jednostka);
    const std::string litery = Zadane(zadane);
    reka.zgodne = !litery.empty() && reka.odczytane == litery;
    if (czasy.empty())
        return reka;
    // A click the receiver merged leaves more marks than the code has.
    std::vector<Element> elementy = ZKodu(litery);
    if (!reka.zgodne || elementy.size() != czasy.size())
        elementy = ZDlugosci(czasy, jednostka);
    Statystyki(reka, czasy, elementy);
    return reka;
}

}  // namespace wirlok
