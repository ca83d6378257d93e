// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "cipher/szyfruj.h"

#include "cipher/mors.h"
#include "cipher/pary.h"

#include <utility>

namespace wirlok {

std::u32string Szyfruj(std::uint8_t NumerSzyfru, std::u32string DoSzyfrowania)
{
    switch (NumerSzyfru) {
    case 1: return SzyfrParowy(Gaderypoluki, std::move(DoSzyfrowania));
    case 2: return SzyfrParowy(Flashpoint, std::move(DoSzyfrowania));
    case 3: return SzyfrParowy(Koniecmatury, std::move(DoSzyfrowania));
    case 10: return Mors(std::move(DoSzyfrowania));
    default: return {};
    }
}

}  // namespace wirlok
