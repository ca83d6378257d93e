// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/tlumaczenia.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace wirlok {

void ZaladujTlumaczeniaQt(QCoreApplication& aplikacja)
{
    auto* tlumacz = new QTranslator(&aplikacja);
    if (tlumacz->load(QLocale(QLocale::Polish, QLocale::Poland),
            QStringLiteral("qtbase"),
            QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(tlumacz);
}

}  // namespace wirlok
