// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace wirlok {

// A JSON string of UTF-8 text: quotes, backslashes and control characters
// escaped, every other byte as it is.
inline void DopiszNapis(std::string& json, std::string_view utf8)
{
    json += '"';
    for (const char z : utf8) {
        if (z == '"' || z == '\\') {
            json += '\\';
            json += z;
        } else if (static_cast<unsigned char>(z) < 0x20) {
            json += "\\u00";
            json += "0123456789abcdef"[(z >> 4) & 15];
            json += "0123456789abcdef"[z & 15];
        } else {
            json += z;
        }
    }
    json += '"';
}

// A JSON string of UTF-32 text, written as UTF-8.
inline void DopiszNapis(std::string& json, std::u32string_view tekst)
{
    std::string utf8;
    for (const char32_t z : tekst) {
        if (z < 0x80) {
            utf8 += static_cast<char>(z);
        } else if (z < 0x800) {
            utf8 += static_cast<char>(0xC0 | (z >> 6));
            utf8 += static_cast<char>(0x80 | (z & 0x3F));
        } else if (z < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (z >> 12));
            utf8 += static_cast<char>(0x80 | ((z >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (z & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (z >> 18));
            utf8 += static_cast<char>(0x80 | ((z >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((z >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (z & 0x3F));
        }
    }
    DopiszNapis(json, std::string_view(utf8));
}

}  // namespace wirlok
