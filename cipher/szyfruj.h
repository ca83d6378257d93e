// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

namespace wirlok {

// Translates a text with the cipher of the given number: 1 GA-DE-RY-PO-LU-KI,
// 2 FL-AS-HP-OI-NT, 3 KO-NI-EC-MA-TU-RY, 10 Morse (encodes or decodes, as
// the text itself shows). Any other number gives the empty text.
// One element of a text is one character (code point).
std::u32string Szyfruj(std::uint8_t NumerSzyfru, std::u32string DoSzyfrowania);

}  // namespace wirlok
