// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "cipher/pary.h"

namespace wirlok {

std::u32string SzyfrParowy(const Zamiany& zamiany, std::u32string tekst)
{
    // Without a branch: ASCII and the Polish letters mix unpredictably.
    constexpr char32_t maskaAscii = 0x7F;
    for (char32_t& znak : tekst) {
        const char32_t zamiana = zamiany[znak & maskaAscii];
        znak = znak <= maskaAscii ? zamiana : znak;
    }
    return tekst;
}

}  // namespace wirlok
