// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The Morse course: whether a lesson's groups are played at exactly the
// speeds set (the letters' and Farnsworth's effective speed, counted as
// PARIS counts them, 50 units a word), and whether the hand's statistics
// from the key give the proportions as kluczowane.
#include "cipher/mors.h"
#include "sygnal/nauka.h"
#include "sygnal/reka.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr double TempoZnakow = 20;
constexpr double TempoEfektywne = 10;
constexpr double JednostekSlowa = 50;
constexpr int Ziarna = 20;

std::u32string Zapis(const std::string& tekst) { return Mors(std::u32string(tekst.begin(), tekst.end()) + U' '); }

// The plan's dots in ms and its rate in words a minute; and the rate the
// same text would have with ARRL's extra time per word taken literally.
struct Tempo {
    double najgorszaKropka = 0;  // ms off 60
    double slowa = 0;
    double slowaArrl = 0;
};

Tempo Zmierz(const PlanNauki& plan)
{
    const double jednostka = 1.2 / TempoZnakow;  // s
    Tempo tempo;
    for (const TonCiagly& ton : plan.nadanie.tony) {
        const double poczatek = ton.poczatek * jednostka;
        const double koniec = (ton.poczatek + ton.dlugosc) * jednostka;
        if (ton.dlugosc < 2)
            tempo.najgorszaKropka = std::max(tempo.najgorszaKropka, std::fabs((koniec - poczatek) * 1000 - 60));
    }
    const std::u32string zapis = Zapis(plan.tekst);
    const double slowa = Harmonogram(zapis, Odstepy{}).dlugosc / JednostekSlowa;
    tempo.slowa = slowa / (plan.nadanie.dlugosc * jednostka / 60);
    const double ta = (60 * TempoZnakow - 37.2 * TempoEfektywne) / (TempoEfektywne * TempoZnakow);
    const Odstepy arrl{3 * ta / 19 / jednostka, 7 * ta / 19 / jednostka};
    tempo.slowaArrl = slowa / (Harmonogram(zapis, arrl).dlugosc * jednostka / 60);
    return tempo;
}

void Tempa()
{
    std::printf("Lessons at %.0f/%.0f WPM, 1 minute, %d seeds each:\n", TempoZnakow, TempoEfektywne, Ziarna);
    std::printf("  lesson  worst dot off 60 ms  rate (WPM)         off 10 WPM  ARRL's t_a per word taken literally\n");
    for (const int lekcja : {1, 2, 5, 10, 18, OstatniaLekcja}) {
        double najgorszaKropka = 0;
        double najwolniej = 1e9;
        double najszybciej = 0;
        double arrlOd = 1e9;
        double arrlDo = 0;
        for (int ziarno = 0; ziarno < Ziarna; ++ziarno) {
            const Postep postep{lekcja, {}};
            const Tempo t = Zmierz(Przebieg(postep, {TempoZnakow, TempoEfektywne, 1}, static_cast<unsigned>(ziarno)));
            najgorszaKropka = std::max(najgorszaKropka, t.najgorszaKropka);
            najwolniej = std::min(najwolniej, t.slowa);
            najszybciej = std::max(najszybciej, t.slowa);
            arrlOd = std::min(arrlOd, t.slowaArrl);
            arrlDo = std::max(arrlDo, t.slowaArrl);
        }
        const double odchylenie
            = std::max(std::fabs(najwolniej / TempoEfektywne - 1), std::fabs(najszybciej / TempoEfektywne - 1));
        std::printf("  %6d  %16.2e ms  %7.4f–%7.4f  %8.4f %%  %.2f–%.2f WPM\n",
            lekcja,
            najgorszaKropka,
            najwolniej,
            najszybciej,
            100 * odchylenie,
            arrlOd,
            arrlDo);
    }
}

// A hand keying a text: each kind's length in dots times a normal spread.
struct Klucz {
    std::vector<double> czasy;
    std::vector<Element> rodzaje;
};

Klucz Kluczuj(const std::string& tekst, std::array<double, 5> dotow, double rozrzut, std::mt19937& los)
{
    std::normal_distribution<double> szum(1, rozrzut);
    Klucz k;
    const auto dodaj = [&](Element e) {
        k.rodzaje.push_back(e);
        k.czasy.push_back(0.06 * dotow[static_cast<std::size_t>(e)] * std::max(szum(los), 0.2));
    };
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == ' ')
            continue;
        if (i > 0)
            dodaj(tekst[i - 1] == ' ' ? Element::MiedzySlowami : Element::MiedzyLiterami);
        const std::string kod = KodLitery(tekst[i]);
        for (std::size_t e = 0; e < kod.size(); ++e) {
            if (e > 0)
                dodaj(Element::WLiterze);
            dodaj(kod[e] == '.' ? Element::Kropka : Element::Kreska);
        }
    }
    return k;
}

// Each kind's mean over the dots' mean, as kluczowane.
std::array<double, 5> Proporcje(const Klucz& k)
{
    std::array<double, 5> suma{};
    std::array<double, 5> ile{};
    for (std::size_t i = 0; i < k.czasy.size(); ++i) {
        suma[static_cast<std::size_t>(k.rodzaje[i])] += k.czasy[i];
        ++ile[static_cast<std::size_t>(k.rodzaje[i])];
    }
    std::array<double, 5> proporcje{};
    for (std::size_t e = 0; e < suma.size(); ++e)
        proporcje[e] = ile[e] > 0 ? suma[e] / ile[e] / (suma[0] / ile[0]) : 0;
    return proporcje;
}

void Reki()
{
    const std::array<double, 5> dotow{1, 2.2, 1, 3, 7};
    std::printf("\nThe hand: dashes %.1f dots, every element and gap with a 10 %% spread, two groups of five of\n"
                "lesson %d's letters, %d seeds; each ratio's worst error against the ratio as keyed:\n",
        dotow[1],
        OstatniaLekcja,
        Ziarna);
    const std::array<const char*, 5> nazwy{"dot", "dash", "within letters", "between letters", "between words"};
    std::array<double, 5> najgorzej{};
    std::array<double, 5> srednio{};
    int odczytane = 0;
    double kropkaMs = 0;
    const Postep postep{OstatniaLekcja, {}};
    for (int ziarno = 0; ziarno < Ziarna; ++ziarno) {
        std::mt19937 los(static_cast<unsigned>(ziarno));
        const std::string tekst = Grupa(postep, los()) + ' ' + Grupa(postep, los());
        const Klucz k = Kluczuj(tekst, dotow, 0.1, los);
        const Reka r = OcenReke(tekst, k.czasy);
        odczytane += r.zgodne ? 1 : 0;
        kropkaMs = std::max(kropkaMs, std::fabs(r.kropkaMs - 60));
        const std::array<double, 5> kluczowane = Proporcje(k);
        const std::array<const std::optional<Rozklad>*, 5> zmierzone{&r.kropka,
            &r.kreska,
            &r.wLiterze,
            &r.miedzyLiterami,
            &r.miedzySlowami};
        for (std::size_t e = 1; e < kluczowane.size(); ++e) {
            const double blad = *zmierzone[e] ? std::fabs((*zmierzone[e])->dotow / kluczowane[e] - 1) : 1;
            najgorzej[e] = std::max(najgorzej[e], blad);
            srednio[e] += (*zmierzone[e] ? (*zmierzone[e])->dotow : 0) / Ziarna;
        }
    }
    for (std::size_t e = 1; e < nazwy.size(); ++e)
        std::printf("  %-16s  keyed %.1f, measured %.2f on average, worst error %.3f %%\n",
            nazwy[e],
            dotow[e],
            srednio[e],
            100 * najgorzej[e]);
    std::printf("  read as asked by the receiver: %d of %d; the dot off 60 ms by at most %.1f ms\n",
        odczytane,
        Ziarna,
        kropkaMs);
}

void Koszt()
{
    const Postep postep{OstatniaLekcja, {}};
    const PlanNauki plan = Przebieg(postep, {35, 35, 10}, 1);
    std::string wpisane = plan.tekst;
    std::reverse(wpisane.begin(), wpisane.end());
    const auto start = std::chrono::steady_clock::now();
    const Ocena ocena = Ocen(plan.tekst, wpisane + std::string(1'000'000, 'e'));
    const std::chrono::duration<double, std::milli> czas = std::chrono::steady_clock::now() - start;
    std::printf("\nScoring the longest run (%zu letters, 10 min at 35 WPM) against a reversed copy and a\n"
                "million letters more: %.1f ms (%d %%)\n",
        plan.tekst.size(),
        czas.count(),
        ocena.procent);
}

}  // namespace
}  // namespace wirlok::bench

int main()
{
    wirlok::bench::Tempa();
    wirlok::bench::Reki();
    wirlok::bench::Koszt();
}
