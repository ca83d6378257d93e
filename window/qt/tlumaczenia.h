// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

class QCoreApplication;

namespace wirlok {

// Loads the system's Polish translations of Qt itself (qtbase_pl.qm, from
// Debian's qt6-translations-l10n), so that what the toolkit shows in the
// window (the fields' context menu, its shortcuts) is Polish like the rest
// of it, whatever the user's locale. Without them Qt stays English.
void ZaladujTlumaczeniaQt(QCoreApplication& aplikacja);

}  // namespace wirlok
