// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/polecenia.h"

#include "cipher/szyfruj.h"
#include "window/listaszyfrow.h"

namespace wirlok {

void Form1_Load(StanOkna& okno) { okno.listaszyfrow = 0; }

// The upper field is the source unless it is empty; the other field gets
// the result. The same cipher serves both directions.
void Tlumacz_Click(StanOkna& okno)
{
    if (okno.listaszyfrow < 0 || static_cast<std::size_t>(okno.listaszyfrow) >= ListaSzyfrow.size())
        return;
    const std::uint8_t numer = ListaSzyfrow[static_cast<std::size_t>(okno.listaszyfrow)].numerSzyfru;
    if (!okno.a.empty())
        okno.b = Szyfruj(numer, okno.a);
    else
        okno.a = Szyfruj(numer, okno.b);
}

void Wyczysc1_Click(StanOkna& okno) { okno.a.clear(); }

void Wyczysc2_Click(StanOkna& okno) { okno.b.clear(); }

}  // namespace wirlok
