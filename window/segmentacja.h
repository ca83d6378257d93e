// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace wirlok {

// The most likely cut of a signal into marks and spaces of Morse's
// lengths, from evidence at each step of how much likelier a mark is than
// a space there. A mark lasts about one dot or three, a space one, three or
// more; shorter pieces are noise, however strong. The cut is decided a few
// dots behind the newest evidence, when what follows has confirmed it, by
// Viterbi's dynamic programme over the steps since (grouped into eighths of
// a dot), so the most likely sequence wins rather than each step's guess.
class Segmentacja {
public:
    struct Ustawienia {
        double opoznienie;  // how far behind the newest evidence the cut is decided, in dots
        double najdluzej;   // and in seconds at most, so that slow letters still come soon
        double kara;        // for each mark or space: fewer, longer pieces win over noise
        double ksztalt;     // for a length off a dot or a dash, or a short gap
    };
    explicit Segmentacja(const Ustawienia& ustawienia);

    // Evidence for the step that ends at `czas` (seconds, rising): the log
    // of how much likelier a mark is than a space over it.
    void Dodaj(double czas, double dowod, double kropka);
    // Cuts the rest without waiting for more: the signal is over.
    void Domknij(double kropka);
    // The time up to which the cut is decided.
    double Decyzja() const { return poczatek_; }
    // The times of the changes decided since the last call, oldest first;
    // the first change is from a space to a mark. The call empties them.
    const std::vector<double>& Zmiany();
    void OdNowa();

private:
    double Dlugosc(bool znak, double jednostek, bool skonczony) const;
    double Czas(std::size_t j) const;
    double Suma(std::size_t j) const;
    double Jednostek(std::size_t i, std::size_t j, double kropka) const;
    void Policz(double kropka);
    std::pair<bool, std::size_t> Ostatni(double kropka) const;
    void Tnij(double kropka, double opoznienie);

    Ustawienia ustawienia_;
    // The steps grouped since the decided time, each group's end and the
    // evidence summed up to it.
    std::vector<double> czasy_;
    std::vector<double> sumy_;
    double grupa_ = 0;
    double poczatek_ = 0;  // the decided time
    bool znak_ = false;    // at it
    double trwa_ = 0;      // seconds the mark or space at it had lasted
    bool pierwszy_ = true;
    std::vector<double> zmiany_;
    std::vector<double> zmianyWydane_;
    // The dynamic programme's tables, kept between calls.
    std::vector<double> znaki_;
    std::vector<double> przerwy_;
    std::vector<std::size_t> odZnaku_;
    std::vector<std::size_t> odPrzerwy_;
    std::vector<std::size_t> granice_;
};

}  // namespace wirlok
