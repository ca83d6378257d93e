// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/harmonogram.h"
#include "window/polecenia.h"

namespace wirlok {

// What the window sends: the field Translate would read, as it stands
// when it holds Morse notation (one the translator would decode), or else
// its Morse encoding. The other field never decides what is sent; its
// letters are marked there only when it holds that very encoding (the
// translation is current), where a learner follows the dots and dashes.
Nadanie DoNadania(const StanOkna& okno);

}  // namespace wirlok
