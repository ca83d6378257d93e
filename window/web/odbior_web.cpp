// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The module's receivers: what the keypad, the key and the detectors
// receive, put into a field at its caret. The page hands over the timing
// and the code unit before the caret; the notation is made here.

#include "window/utf16.h"
#include "window/web/eksport.h"
#include "window/web/odbiorniki.h"

#include <array>
#include <cstdint>
#include <string>

namespace wirlok {

Odbiornik& OdbiornikZrodla(int zrodlo)
{
    static std::array<Odbiornik, 4> odbiorniki;
    return odbiorniki[zrodlo >= 0 && zrodlo < 4 ? zrodlo : Klucz];
}

namespace {

std::u16string wstawka;

std::uint32_t Wstaw(std::u32string_view tekst)
{
    wstawka = DoUtf16(tekst);
    return wstawka.size();
}

// The UTF-16 code unit before the caret; anything out of range is the
// field's start.
char32_t Przed(int przed) { return przed > 0 && przed <= 0xFFFF ? static_cast<char32_t>(przed) : 0; }

}  // namespace
}  // namespace wirlok

using namespace wirlok;

// A mark of the source, the space after it so far, and the message's end.
WIRLOK_EKSPORT(wirlok_odbior_znak) void wirlok_odbior_znak(int zrodlo, double sekundy)
{
    OdbiornikZrodla(zrodlo).Znak(sekundy);
}

WIRLOK_EKSPORT(wirlok_odbior_przerwa) void wirlok_odbior_przerwa(int zrodlo, double sekundy)
{
    OdbiornikZrodla(zrodlo).Przerwa(sekundy);
}

WIRLOK_EKSPORT(wirlok_odbior_koniec) void wirlok_odbior_koniec(int zrodlo) { OdbiornikZrodla(zrodlo).Koniec(); }

// A new receiver for the source: the sender's speed is forgotten.
WIRLOK_EKSPORT(wirlok_odbior_od_nowa) void wirlok_odbior_od_nowa(int zrodlo) { OdbiornikZrodla(zrodlo) = {}; }

WIRLOK_EKSPORT(wirlok_odbior_jednostka) double wirlok_odbior_jednostka(int zrodlo)
{
    return OdbiornikZrodla(zrodlo).Jednostka();
}

// What the source has received, taken from its receiver, as it goes into
// a field after the code unit `przed` (0 at the field's start). Returns its
// length in UTF-16 code units; the text is at wirlok_wstawka.
WIRLOK_EKSPORT(wirlok_odebrane) std::uint32_t wirlok_odebrane(int zrodlo, int przed, int dalej)
{
    return Wstaw(DoWstawienia(Przed(przed), OdbiornikZrodla(zrodlo).Odbierz(), dalej != 0));
}

// The same for a key of the keypad: 0 Kropka, 1 Kreska, 2 KoniecLitery,
// 3 Odstep; any other number puts nothing.
WIRLOK_EKSPORT(wirlok_klawisz) std::uint32_t wirlok_klawisz(int klawisz, int przed)
{
    if (klawisz < 0 || klawisz > static_cast<int>(Klawisz::Odstep))
        return Wstaw({});
    return Wstaw(DoWstawienia(Przed(przed), static_cast<Klawisz>(klawisz)));
}

WIRLOK_EKSPORT(wirlok_wstawka) const char16_t* wirlok_wstawka() { return wstawka.data(); }
