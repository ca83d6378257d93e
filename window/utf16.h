// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace wirlok {

// Conversions at the edge of a window system that holds UTF-16. A lone
// surrogate passes through as it is, in both directions, so nothing the
// user typed is changed on the way through the engine.
std::u32string ZUtf16(std::u16string_view tekst);
std::u16string DoUtf16(std::u32string_view tekst);

}  // namespace wirlok
