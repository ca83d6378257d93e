// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {

// A character of the International Morse set and its code.
struct KodMorsa {
    char32_t znak;
    std::u32string kod;
};

// The codes the receiver reads as letters: the engine's own, and the
// standard ones it lacks (digits, punctuation, the Polish letters' own).
const std::vector<KodMorsa>& KodyMorsa();

// Morse code received by its timing: marks (a key held down, a tone, a
// light) and the spaces between them, with their lengths in seconds, as a
// hand, a whistle or a torch sends them. It learns the sender's speed and
// follows it, and writes each letter in the engine's notation as it ends:
// the letter's code and "\", and one more "\" for a word gap. Marks and
// spaces too short to end a letter are read as the likeliest letters of
// KodyMorsa (a code that is none is written as received), at most a letter
// behind. Until the marks show the speed (dots and dashes, or a gap within
// a letter) the first letters are held, and so are the letters after the
// first long gaps until they show plain or stretched (Farnsworth) spacing;
// after a pause of 2 s the next letters learn the speed again from their own
// marks. A mark or a space shorter than 0.3 of a unit (at least 12 ms) is a
// click or a dropout.
class Odbiornik {
    static constexpr std::size_t Zapas = 128;
    static constexpr std::size_t Znaki = 32;
    static constexpr std::size_t Przerwy = 16;

public:
    // A mark that lasted this long.
    void Znak(double sekundy);
    // The space since the last mark has lasted this long so far. Called
    // again as it grows, so that a letter ends while the sender pauses;
    // the next mark ends the space at the length given last, so a key gives
    // the space's whole length when it goes down.
    void Przerwa(double sekundy);
    // The message is over: the letter being received is written out.
    void Koniec();
    // The notation received since the last call; the call empties it.
    std::u32string Odbierz();
    // The unit (a dot's length) followed now, in seconds; 0 until known.
    double Jednostka() const;

private:
    // Raw marks and spaces: a mark or a space far shorter than a unit is
    // a click or a dropout, merged into what surrounds it.
    void Element(double znak);
    void Odstep(double dlugosc);
    void KoniecOdstepu(double dlugosc);
    double Szum() const;

    // Until the marks pin the scale, the elements are held and then
    // replayed at the scale learned from them.
    double Skala(bool wymus) const;
    void Przypnij(bool wymus);

    // Letters and word gaps at the scale followed: a mark, the space after
    // it so far, the space ended by the next mark.
    void Dodaj(double znak);
    void Trwa(double dlugosc);
    void Zakoncz(double dlugosc);
    // The group of marks whose spaces may be within a letter or between
    // letters, as the likeliest letters; all but the last `zostaw` written,
    // the last open while any are left.
    struct Litera {
        std::size_t od;
        std::size_t dlugosc;
        unsigned kreski;  // bit i: the letter's i-th mark is a dash
        bool znana;
    };
    std::size_t Litery(std::array<Litera, Znaki>& litery, bool otwarta) const;
    void Wypisz(std::size_t zostaw);
    void ZamknijLitere();
    void UczLitery(const Litera& litera);
    void Ucz(double jednostka);
    void Sprawdz(double znak);
    void NowyNadawca();
    bool Watpliwa(double jednostki);
    double SredniaWatpliwych() const;
    void Rozstrzygnij(bool slowo);
    void DodajPrzerwe(double jednostki);
    double OdstepLiter() const;
    double ProgSlowa() const;
    void Pisz(std::u32string_view zapis);
    void Slowo();

    std::u32string odebrane_;
    std::u32string wstrzymane_;  // written after a gap not yet told
    double jednostka_ = 0;
    double staraJednostka_ = 0;  // before the last long pause
    double kreska_ = 3;          // a dash's length in units

    double znak_ = 0;  // a mark not yet ended by a long enough space
    double przerwa_ = 0;
    double scalona_ = 0;  // the space before a click merged into it
    bool poZnaku_ = false;

    std::array<double, Zapas> zapas_{};  // marks and spaces in turn
    std::size_t ileZapasu_ = 0;

    std::array<double, Znaki> znaki_{};
    std::array<double, 8> ostatnie_{};  // the last marks, whichever letters they were of
    std::size_t ileOstatnich_ = 0;
    std::array<double, Znaki> odstepy_{};
    std::size_t ileZnakow_ = 0;
    bool slowo_ = true;    // a word gap since the last letter, or none yet
    bool odstep_ = false;  // a word gap not yet written

    std::array<double, Przerwy> przerwy_{};  // the last gaps between letters, in units
    std::size_t ilePrzerw_ = 0;
    bool skalaPrzerw_ = false;
    bool rozciagniete_ = false;         // Farnsworth spacing
    std::array<double, 2> watpliwe_{};  // the first long gaps: word gaps or stretched spacing
    std::size_t watpliwych_ = 0;
};

// The keys of the Morse keypad.
enum class Klawisz { Kropka, Kreska, KoniecLitery, Odstep };

// What a key of the keypad puts into a field at its caret, after the
// character `przed` (0 at the field's start): the notation, with the "\"
// that opens a letter where the text before does not end in a separator.
std::u32string DoWstawienia(char32_t przed, Klawisz klawisz);

// What a received piece of notation (Odbiornik::Odbierz) puts into a field
// at its caret, after the character `przed` (0 at the field's start).
// `dalej`: the caret stands where the same receiver's text last went in,
// the field unchanged since; elsewhere the word gap it heard before its
// letter is left out, as what stands before the caret has its own.
std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane, bool dalej = true);

}  // namespace wirlok
