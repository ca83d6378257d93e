// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace wirlok {

// Morse code received by its timing: marks (a key held down, a tone, a
// light) and the spaces between them, with their lengths in seconds, as a
// hand, a whistle or a torch sends them. It learns the sender's speed and
// follows it, and writes each letter in the engine's notation as it ends:
// the letter's code and "\", and one more "\" for a word gap.
class Odbiornik {
public:
    // A mark that lasted this long.
    void Znak(double sekundy);
    // The space since the last mark has lasted this long so far. Called
    // again as it grows, so that a letter ends while the sender pauses;
    // the next mark ends the space at the length given last.
    void Przerwa(double sekundy);
    // The message is over: the letter being received is written out.
    void Koniec();
    // The notation received since the last call; the call empties it.
    std::u32string Odbierz();
    // The unit (a dot's length) followed now, in seconds; 0 until known.
    double Jednostka() const;

private:
    std::u32string odebrane_;
    std::u32string litera_;
    double jednostka_ = 0.1;
    double przerwa_ = 0;
    bool koniecLitery_ = true;
    bool odstep_ = true;
};

// The keys of the Morse keypad.
enum class Klawisz { Kropka, Kreska, KoniecLitery, Odstep };

// What a key of the keypad puts into a field at its caret, after the
// character `przed` (0 at the field's start): the notation, with the "\"
// that opens a letter where the text before does not end in a separator.
std::u32string DoWstawienia(char32_t przed, Klawisz klawisz);

// What a received piece of notation (Odbiornik::Odbierz) puts into a field
// at its caret, after the character `przed` (0 at the field's start).
std::u32string DoWstawienia(char32_t przed, std::u32string_view odebrane);

}  // namespace wirlok
