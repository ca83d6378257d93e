// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace wirlok {

// Encodes plain text into Morse notation, or decodes Morse notation into
// plain text; the text itself decides which (see mors.cpp).
std::u32string Mors(std::u32string tekst);

// The separators between letters' codes: "\" as the encoder writes it, and
// "/" as it is accepted when reading.
constexpr bool MorsSeparator(char32_t znak) { return znak == U'\\' || znak == U'/'; }

// Whether Mors decodes the text: it starts with a dot or a dash, or ends
// with "\".
bool MorsDekoduje(std::u32string_view tekst);

}  // namespace wirlok
