// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/form1.h"
#include "window/qt/tlumaczenia.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication aplikacja(argc, argv);
    wirlok::ZaladujTlumaczeniaQt(aplikacja);
    // Qt does not quit when its last window is a tool window, so closing
    // the window ends the program here.
    auto* okno = new wirlok::Form1;
    okno->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(okno, &QObject::destroyed, &aplikacja, &QApplication::quit);
    okno->show();
    return QApplication::exec();
}
