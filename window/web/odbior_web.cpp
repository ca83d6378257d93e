// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The module's receivers: what the keypad, the key and the detectors
// receive, put into a field at its caret.

#include "window/web/odbiorniki.h"

#include <array>

namespace wirlok {

Odbiornik& OdbiornikZrodla(int zrodlo)
{
    static std::array<Odbiornik, 4> odbiorniki;
    return odbiorniki[zrodlo >= 0 && zrodlo < 4 ? zrodlo : Klucz];
}

}  // namespace wirlok
