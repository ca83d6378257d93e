// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/zdarzenia.h"

namespace wirlok {

Zmiany Wykonaj(Polecenie polecenie, StanOkna& stan)
{
    const StanOkna przed = stan;
    polecenie(stan);
    return {stan.a != przed.a, stan.b != przed.b, stan.listaszyfrow != przed.listaszyfrow};
}

}  // namespace wirlok
