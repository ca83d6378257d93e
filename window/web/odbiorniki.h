// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/odbieranie.h"

namespace wirlok {

// The module's receivers, one for each way Morse comes in.
enum Zrodlo : int { Klucz = 0, Mikrofon = 1, Aparat = 2, Nagranie = 3 };

// The receiver of a source; any other number gets the key's.
Odbiornik& OdbiornikZrodla(int zrodlo);

}  // namespace wirlok
