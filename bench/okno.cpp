// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The Qt window with long texts: a 1,000,000-character Polish text to Morse
// and back, each from the click to the field painted; a keystroke in the
// field holding the Morse result; the CPU the process uses while idle with
// that field focused; the whole process's peak memory. Prints the numbers
// and sets no limit. Runs on any Qt platform (make bench: offscreen).

#include "bench/proza.h"
#include "bench/stoper.h"
#include "window/qt/form1.h"
#include "window/qt/poletekstowe.h"
#include "window/utf16.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace {

using wirlok::bench::Milisekundy;

double CzasProcesora()
{
    timespec czas{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &czas);
    return static_cast<double>(czas.tv_sec) + static_cast<double>(czas.tv_nsec) / 1e9;
}

long SzczytPamieciMB()
{
    rusage zuzycie{};
    getrusage(RUSAGE_SELF, &zuzycie);
    return zuzycie.ru_maxrss / 1024;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication aplikacja(argc, argv);
    wirlok::Form1 okno;
    okno.show();
    if (!QTest::qWaitForWindowExposed(&okno))
        return 1;
    auto* a = okno.findChild<wirlok::PoleTekstowe*>(QStringLiteral("a"));
    auto* b = okno.findChild<wirlok::PoleTekstowe*>(QStringLiteral("b"));
    auto* tlumacz = okno.findChild<QPushButton*>(QStringLiteral("Tlumacz"));
    auto* wyczysc1 = okno.findChild<QPushButton*>(QStringLiteral("Wyczysc1"));
    const auto kliknij = [&okno](QPushButton* przycisk) {
        QTest::mouseClick(przycisk, Qt::LeftButton);
        okno.repaint();
    };

    const std::u16string proza = wirlok::DoUtf16(wirlok::bench::Proza(1'000'000));
    a->setText(QString(reinterpret_cast<const QChar*>(proza.data()), static_cast<qsizetype>(proza.size())));
    std::printf("1,000,000 characters to Morse: %.0f ms\n", Milisekundy([&] { kliknij(tlumacz); }));
    kliknij(wyczysc1);
    std::printf("and back (%lld Morse characters): %.0f ms\n",
        static_cast<long long>(b->text().size()),
        Milisekundy([&] { kliknij(tlumacz); }));

    b->setFocus();
    constexpr int Uderzenia = 5;
    const double pisanie = Milisekundy([&] {
        for (int i = 0; i < Uderzenia; ++i) {
            QTest::keyClick(b, Qt::Key_X);
            b->repaint();
        }
    });
    std::printf("a keystroke in the Morse field: %.0f ms\n", pisanie / Uderzenia);

    constexpr int Bezczynnosc = 3000;
    const double przed = CzasProcesora();
    QEventLoop petla;  // as the program idles: no polling of its own
    QTimer::singleShot(Bezczynnosc, &petla, &QEventLoop::quit);
    petla.exec();
    std::printf("CPU while idle with that field focused: %.1f %%\n",
        100.0 * (CzasProcesora() - przed) / (Bezczynnosc / 1000.0));
    std::printf("peak memory of the process: %ld MB\n", SzczytPamieciMB());
    return 0;
}
