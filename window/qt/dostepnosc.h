// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

namespace wirlok {

// Makes the window speak to screen readers as it looks: the window is a
// frame, and the cipher list is named by its accessible name whatever entry
// it shows. Installs once, for every window made after it.
void ZainstalujDostepnosc();

}  // namespace wirlok
