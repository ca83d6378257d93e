// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/harmonogram.h"
#include "sygnal/ocena.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {

// Learning Morse by Koch's method: from the first lesson the letters come
// at full speed, two of them, and each lesson adds one in this order.
constexpr std::string_view KolejnoscKocha = "kmuresnaptlwijzfoyvgqhbcdx";
constexpr int OstatniaLekcja = static_cast<int>(KolejnoscKocha.size()) - 1;
constexpr int ProgLekcji = 90;  // the score in percent that opens the next lesson

// The letters of a lesson (1 to OstatniaLekcja, clamped), in Koch's order;
// the new one is their last.
std::string_view LiteryLekcji(int lekcja);
char NowaLitera(int lekcja);
// A letter's code in dots and dashes, as the engine encodes it.
std::string KodLitery(char litera);

// The letters' speed and the effective one (words a minute; Farnsworth's
// gaps make up the difference) and a run's length in minutes.
struct Ustawienia {
    double tempoZnakow = 20;
    double tempoEfektywne = 10;
    double minuty = 1;
};

// Settings into their ranges; anything not a number takes its default.
Ustawienia Popraw(Ustawienia ustawienia);

// Farnsworth's gaps for Morse notation: the letters keep their speed and
// the extra time goes to the gaps, 3/19 of it to each letter gap and 7/19
// to each word gap, as ARRL spreads it. ARRL's extra time per word,
// t = (60c - 37.2s) / (sc) s, is that of "PARIS ", whose letters fill 31 of
// its 50 units; for another text the extra time follows the same rule by
// the text's own units, so that it too runs at s words a minute counted as
// 50 units each. At s = c the gaps are 3 and 7.
Odstepy Farnsworth(std::u32string_view zapis, double tempoZnakow, double tempoEfektywne);

// The learner's progress: the lesson reached and the letters of the last
// scored runs.
constexpr std::size_t PamiecWynikow = 5;
struct Postep {
    int lekcja = 1;
    std::vector<Wyniki> ostatnie;  // oldest first, at most PamiecWynikow
};

// Progress as a short text for the browser's storage, and back: nullopt
// for anything that is not such a text (damaged, foreign, too long).
std::string Zapisz(const Postep& postep);
std::optional<Postep> Odczytaj(std::string_view zapis);

// A letter's accuracy over the last runs: percent right (nullopt before
// its first run) and how many times it was sent.
struct Trafnosc {
    char litera;
    std::optional<int> procent;
    int proby;
};
std::vector<Trafnosc> Trafnosci(const Postep& postep);

// A plan to play: the text (groups of letters a–z with spaces) and its
// time line in units of the letters' speed, each letter marked at its
// place in the text.
struct PlanNauki {
    std::string tekst;
    NadanieCiagle nadanie;
};

// The plan of a text at the letters' and the effective speed.
PlanNauki Zaplanuj(std::string_view tekst, double tempoZnakow, double tempoEfektywne);

// A group of five of the lesson's letters, drawn with weights 1 + k × the
// letter's miss rate over the last runs, the new letter a little more.
std::string Grupa(const Postep& postep, std::uint32_t ziarno);

// What a run of the course sends: groups enough to fill its minutes at
// the effective speed.
PlanNauki Przebieg(const Postep& postep, Ustawienia ustawienia, std::uint32_t ziarno);

// The lesson's new letter three times, word gaps between.
PlanNauki Posluchaj(int lekcja, double tempoZnakow);

// The course: progress, and the run now played, scored once.
class Kurs {
public:
    // Loads stored progress (nullopt: none); a value that is not progress
    // starts a fresh course, and the message says so ("" otherwise).
    std::string Wczytaj(std::optional<std::string_view> zapis);
    const Postep& Stan() const { return postep_; }
    PlanNauki Zacznij(Ustawienia ustawienia, std::uint32_t ziarno);

    struct Sprawdzenie {
        bool ocenione = false;       // scored now
        bool nastepna = false;       // the score opened the next lesson
        std::optional<Ocena> ocena;  // this run's, or the earlier one
    };
    // Scores the run once; again, or with no run, it changes nothing.
    Sprawdzenie Sprawdz(std::string_view wpisane);
    void OdNowa();

private:
    Postep postep_;
    std::string przebieg_;  // the run's text, while not scored
    Sprawdzenie wynik_;
};

// A number with the given places after the point (or a comma), as Polish
// and JSON write it: "2,2", "62.10", for up to 6 places and 10^12; what is no
// number comes out "0".
std::string Dziesietnie(double liczba, int miejsca, char przecinek = '.');

}  // namespace wirlok
