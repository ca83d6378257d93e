// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/form1.h"
#include "window/qt/poletekstowe.h"
#include "window/qt/tlumaczenia.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethod>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace wirlok {

// What an input method sends, as one step of a QTestEventList.
class Wprowadzanie : public QTestEvent {
public:
    Wprowadzanie(QString preedit, QString zatwierdzone, QList<QInputMethodEvent::Attribute> atrybuty)
        : preedit_(std::move(preedit))
        , zatwierdzone_(std::move(zatwierdzone))
        , atrybuty_(std::move(atrybuty))
    {
    }

    void simulate(QWidget* widzet) override
    {
        QInputMethodEvent zdarzenie(preedit_, atrybuty_);
        zdarzenie.setCommitString(zatwierdzone_);
        QCoreApplication::sendEvent(widzet, &zdarzenie);
    }

    QTestEvent* clone() const override { return new Wprowadzanie(*this); }

private:
    QString preedit_, zatwierdzone_;
    QList<QInputMethodEvent::Attribute> atrybuty_;
};

class Form1Test : public QObject {
    Q_OBJECT

    Form1* okno = nullptr;
    PoleTekstowe* a = nullptr;
    PoleTekstowe* b = nullptr;
    QComboBox* lista = nullptr;

    template <typename T>
    T* Kontrolka(const char* nazwa) const
    {
        return okno->findChild<T*>(QString::fromLatin1(nazwa), Qt::FindDirectChildrenOnly);
    }

    void Kliknij(const char* przycisk) const
    {
        auto* p = Kontrolka<QPushButton>(przycisk);
        QTest::mouseClick(p, Qt::LeftButton, {}, p->rect().center());
    }

private slots:
    void initTestCase() { ZaladujTlumaczeniaQt(*QCoreApplication::instance()); }

    void init()
    {
        okno = new Form1;
        okno->show();
        QVERIFY(QTest::qWaitForWindowActive(okno));
        a = Kontrolka<PoleTekstowe>("a");
        b = Kontrolka<PoleTekstowe>("b");
        lista = Kontrolka<QComboBox>("listaszyfrow");
        QVERIFY(a && b && lista);
    }

    void cleanup() { delete okno; }

    void ramaOkna()
    {
        QCOMPARE(okno->objectName(), QStringLiteral("Form1"));
        QCOMPARE(okno->windowTitle(), QStringLiteral("Wirlok by DREVNOK"));
        QCOMPARE(okno->size(), QSize(312, 131));
        QCOMPARE(okno->minimumSize(), okno->maximumSize());
        const Qt::WindowFlags flagi = okno->windowFlags();
        QCOMPARE(flagi & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flagi & Qt::WindowCloseButtonHint);
        QVERIFY(!(flagi & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QList<QSize> rozmiary = okno->windowIcon().availableSizes();
        QVERIFY(rozmiary.contains(QSize(16, 16)));
        QVERIFY(rozmiary.contains(QSize(32, 32)));
    }

    void kontrolki_data()
    {
        QTest::addColumn<QString>("klasa");
        QTest::addColumn<QRect>("miejsce");
        QTest::addColumn<QString>("podpis");
        QTest::newRow("a") << "wirlok::PoleTekstowe" << QRect(8, 8, 209, 21) << "";
        QTest::newRow("listaszyfrow") << "QComboBox" << QRect(224, 8, 81, 21) << "Mors";
        QTest::newRow("Wyczysc2") << "QPushButton" << QRect(208, 107, 100, 20) << "Wyczyść dół";
        QTest::newRow("Wyczysc1") << "QPushButton" << QRect(112, 107, 93, 20) << "Wyczyść górę";
        QTest::newRow("b") << "wirlok::PoleTekstowe" << QRect(8, 32, 297, 69) << "";
        QTest::newRow("Tlumacz") << "QPushButton" << QRect(8, 107, 100, 20) << "Przetłumacz";
    }

    // Each control sits where the window's table puts it, and is what a
    // click at its centre reaches.
    void kontrolki()
    {
        QFETCH(QString, klasa);
        QFETCH(QRect, miejsce);
        QFETCH(QString, podpis);
        auto* widzet = Kontrolka<QWidget>(QTest::currentDataTag());
        QVERIFY(widzet);
        QCOMPARE(QString::fromLatin1(widzet->metaObject()->className()), klasa);
        QCOMPARE(widzet->geometry(), miejsce);
        QWidget* trafiony = okno->childAt(miejsce.center());
        QVERIFY(trafiony == widzet || widzet->isAncestorOf(trafiony));
        if (auto* przycisk = qobject_cast<QPushButton*>(widzet)) {
            QCOMPARE(przycisk->text(), podpis);
            QVERIFY(!przycisk->isDefault() && !przycisk->autoDefault());
        } else if (auto* pole = qobject_cast<PoleTekstowe*>(widzet)) {
            QCOMPARE(pole->text(), podpis);
            QVERIFY(!widzet->accessibleName().isEmpty());
        } else {
            QCOMPARE(lista->currentText(), podpis);
            QVERIFY(!widzet->accessibleName().isEmpty());
        }
    }

    // A window manager or compositor that maximises the window anyway (a
    // Wayland title bar drawn by Qt offers it) leaves it working at its size.
    void maksymalizacjaZostawiaOkno()
    {
        okno->showMaximized();
        QTest::qWait(500);
        QVERIFY(okno->isVisible());
        a->setText(QStringLiteral("sos"));
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("\\...\\---\\...\\"));
        okno->showNormal();
        QTest::qWait(200);
        QCOMPARE(okno->size(), QSize(312, 131));
    }

    void wpisyListy()
    {
        QCOMPARE(lista->count(), 4);
        const QStringList wpisy{"Mors", "Gaderypoluki", "Koniecmatury", "Flashpoint"};
        for (int i = 0; i < wpisy.size(); ++i)
            QCOMPARE(lista->itemText(i), wpisy[i]);
        QCOMPARE(lista->currentIndex(), 0);
        QVERIFY(lista->isEditable());
    }

    void kolejnoscTab()
    {
        QCOMPARE(QApplication::focusWidget(), Kontrolka<QWidget>("Tlumacz"));
        for (const char* nazwa : {"b", "Wyczysc1", "Wyczysc2", "listaszyfrow", "a", "Tlumacz"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* skupienie = QApplication::focusWidget();
            auto* oczekiwany = Kontrolka<QWidget>(nazwa);
            QVERIFY2(skupienie == oczekiwany || oczekiwany->isAncestorOf(skupienie), nazwa);
        }
    }

    void przyciski()
    {
        QTest::keyClicks(a, QStringLiteral("Ala ma kota"));
        lista->setCurrentIndex(1);
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("Gug mg iptg"));
        QCOMPARE(a->text(), QStringLiteral("Ala ma kota"));
        Kliknij("Wyczysc1");
        QCOMPARE(a->text(), QString());
        Kliknij("Tlumacz");
        QCOMPARE(a->text(), QStringLiteral("Ala ma kota"));
        Kliknij("Wyczysc2");
        QCOMPARE(b->text(), QString());
        QCOMPARE(a->text(), QStringLiteral("Ala ma kota"));
        QCOMPARE(lista->currentIndex(), 1);
    }

    void enterNaciskaPrzycisk_data()
    {
        QTest::addColumn<Qt::Key>("klawisz");
        QTest::addColumn<Qt::KeyboardModifiers>("modyfikatory");
        QTest::newRow("Enter") << Qt::Key_Return << Qt::KeyboardModifiers{};
        QTest::newRow("Enter na klawiaturze numerycznej") << Qt::Key_Enter << Qt::KeyboardModifiers{Qt::KeypadModifier};
    }

    void enterNaciskaPrzycisk()
    {
        QFETCH(Qt::Key, klawisz);
        QFETCH(Qt::KeyboardModifiers, modyfikatory);
        a->setText(QStringLiteral("sos"));
        QTest::keyClick(Kontrolka<QPushButton>("Tlumacz"), klawisz, modyfikatory);
        QCOMPARE(b->text(), QStringLiteral("\\...\\---\\...\\"));
        QTest::keyClick(Kontrolka<QPushButton>("Wyczysc2"), klawisz, modyfikatory);
        QCOMPARE(b->text(), QString());
    }

    // Qt's own texts in the window speak Polish, whatever the locale.
    void menuPolaPoPolsku()
    {
        a->setText(QStringLiteral("Ala"));
        a->selectAll();
        const std::unique_ptr<QMenu> menu(a->createStandardContextMenu());
        QStringList pozycje;
        for (const QAction* akcja : menu->actions())
            if (!akcja->isSeparator())
                pozycje << akcja->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        QCOMPARE(pozycje,
            QStringList({"Cofnij", "Przywróć", "Wytnij", "Skopiuj", "Wklej", "Usuń", "Zaznacz wszystko"}));
    }

    // Text typed into the list that is no entry selects nothing: Translate
    // does nothing until an entry is chosen again.
    void listaBezWyboru()
    {
        a->setText(QStringLiteral("sos"));
        lista->lineEdit()->selectAll();
        QTest::keyClicks(lista->lineEdit(), QStringLiteral("Gaderypolukx"));
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QString());
        QCOMPARE(lista->count(), 4);
        QTest::keyClick(lista, Qt::Key_Backspace);
        QTest::keyClicks(lista->lineEdit(), QStringLiteral("i"));
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QString());
        lista->setFocus();
        QTest::keyClick(lista, Qt::Key_Down);
        QCOMPARE(lista->currentText(), QStringLiteral("Gaderypoluki"));
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("sps"));
        QCOMPARE(lista->count(), 4);
    }

    void dlugiTekst()
    {
        QString tekst;
        while (tekst.size() < 1'000'000)
            tekst += QStringLiteral("Zażółć gęślą jaźń, ");
        a->setText(tekst);
        QCOMPARE(a->text().size(), tekst.size());
        Kliknij("Tlumacz");
        QVERIFY(b->text().size() > 3'000'000);
        QVERIFY(b->text().endsWith(QStringLiteral("\\,\\\\")));
        Kliknij("Wyczysc1");
        Kliknij("Tlumacz");
        QString zlozony = tekst.toLower();
        for (const auto& [polska, bazowa] : {std::pair{u'ż', u'z'},
                 {u'ó', u'o'},
                 {u'ł', u'l'},
                 {u'ć', u'c'},
                 {u'ę', u'e'},
                 {u'ś', u's'},
                 {u'ą', u'a'},
                 {u'ź', u'z'},
                 {u'ń', u'n'}})
            zlozony.replace(QChar(polska), QChar(bazowa));
        QCOMPARE(a->text().size(), zlozony.size());
        QVERIFY(a->text() == zlozony);
    }

    void cofanie()
    {
        a->setText(QStringLiteral("Ala"));
        b->setText(QStringLiteral("moje"));
        lista->setCurrentIndex(1);
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("Gug"));
        b->undo();
        QCOMPARE(b->text(), QStringLiteral("moje"));
        Kliknij("Wyczysc1");
        QCOMPARE(a->text(), QString());
        QTest::keyClick(a, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(a->text(), QStringLiteral("Ala"));
        Kliknij("Wyczysc2");
        b->undo();
        QCOMPARE(b->text(), QStringLiteral("moje"));
    }

    void wklejanieWieluWierszy()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("Ala\nma\r\nkota"));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(a->text(), QStringLiteral("Ala\nma\r\nkota"));
        lista->setCurrentIndex(1);
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("Gug\nmg\r\niptg"));
    }

    // Editing keys, mouse and input methods, as in Qt's line edit of the
    // same width; a surrogate pair and a line break count as one character.
    // A null result is whatever the line edit makes of it (the platform's
    // key bindings).
    void edycja_data()
    {
        QTest::addColumn<QString>("poczatek");
        QTest::addColumn<QTestEventList>("klawisze");
        QTest::addColumn<QString>("wynik");
        // Keys pressed, then a text typed.
        const auto klawisze = [](std::initializer_list<QKeyCombination> naciski, const QString& tekst = {}) {
            QTestEventList lista;
            for (const QKeyCombination nacisk : naciski)
                lista.addKeyClick(nacisk.key(), nacisk.keyboardModifiers());
            lista.addKeyClicks(tekst);
            return lista;
        };
        // Where a position of a text shows in either field.
        const auto tu = [](const QString& tekst, int pozycja) {
            return QPoint(4 + QFontMetrics(QApplication::font()).horizontalAdvance(tekst.left(pozycja)), 10);
        };
        const auto wprowadzanie = [](const QString& preedit,
                                      const QString& zatwierdzone = {},
                                      const QList<QInputMethodEvent::Attribute>& atrybuty = {}) {
            QTestEventList lista;
            lista.append(new Wprowadzanie(preedit, zatwierdzone, atrybuty));
            return lista;
        };
        const QString emoji = QString::fromUtf8("a\xF0\x9F\x98\x80");
        QTest::newRow("Backspace po parze") << emoji << klawisze({Qt::Key_Backspace}) << "a";
        QTest::newRow("Lewo przez pare, Delete") << emoji << klawisze({Qt::Key_Left, Qt::Key_Delete}) << "a";
        QTest::newRow("Ctrl+Backspace") << "Ala ma" << klawisze({Qt::CTRL | Qt::Key_Backspace}) << "Ala ";
        QTest::newRow("Shift+Home i pisanie") << "Ala ma" << klawisze({Qt::SHIFT | Qt::Key_Home}, "kot") << "kot";
        QTest::newRow("Ctrl+Lewo i pisanie") << "Ala ma" << klawisze({Qt::CTRL | Qt::Key_Left}, "kot") << "Ala kotma";
        QTest::newRow("Enter nic nie wstawia") << "Ala\nma" << klawisze({Qt::Key_Return}) << "Ala\nma";
        QTest::newRow("Lewo przez koniec wiersza, Backspace")
            << "Ala\nma" << klawisze({Qt::Key_Left, Qt::Key_Left, Qt::Key_Backspace}) << "Alama";

        const QString ala = QStringLiteral("Ala ma kota");
        QTestEventList przeciaganie;
        przeciaganie.addMouseDClick(Qt::LeftButton, {}, tu(ala, 5));
        przeciaganie.addMouseMove(tu(ala, 9));
        przeciaganie.addMouseRelease(Qt::LeftButton, {}, tu(ala, 9));
        przeciaganie.addKeyClicks(QStringLiteral("X"));
        QTest::newRow("Dwuklik i ciagniecie") << ala << przeciaganie << "Ala Xta";
        QTestEventList daleko;
        daleko.addMouseDClick(Qt::LeftButton, {}, tu(ala, 1));
        daleko.addMouseClick(Qt::LeftButton, {}, tu(ala, 9));
        daleko.addKeyClicks(QStringLiteral("X"));
        QTest::newRow("Klik zaraz po dwukliku, gdzie indziej") << ala << daleko << "Ala ma koXta";
        QTestEventList potrojne;
        potrojne.addMouseDClick(Qt::LeftButton, {}, tu(ala, 1));
        potrojne.addMouseClick(Qt::LeftButton, {}, tu(ala, 1));
        potrojne.addKeyClicks(QStringLiteral("X"));
        QTest::newRow("Trzy kliki") << ala << potrojne << "X";

        const QString tabulatory = QStringLiteral("ma\tfoo.bar\tźdźbło  a_b ma\tfoo.bar\tźdźbło  a_b");
        QTest::newRow("Tabulatory, Home i End")
            << tabulatory << klawisze({Qt::Key_Home, Qt::Key_End}, "x") << tabulatory + u'x';
        QTest::newRow("Tabulatory, Ctrl+Prawo")
            << tabulatory << klawisze({Qt::Key_Home, Qt::CTRL | Qt::Key_Right, Qt::CTRL | Qt::Key_Right}) << tabulatory;

        const QString zdanie = QStringLiteral("Ala ma kota, a kot ma Alę; Ala ma kota, a kot ma Alę");
        const QString slowo = QStringLiteral("długie słowo w trakcie");
        QTest::newRow("Skladanie na koncu") << zdanie << wprowadzanie(slowo) << zdanie;
        QTest::newRow("Skladanie z kursorem w srodku")
            << zdanie << wprowadzanie(slowo, {}, {{QInputMethodEvent::Cursor, 3, 1}}) << zdanie;
        QTest::newRow("Zatwierdzenie") << zdanie << wprowadzanie({}, slowo) << zdanie + slowo;
        QTestEventList wybor = wprowadzanie({}, {}, {{QInputMethodEvent::Selection, 0, 3}});
        wybor.addKeyClicks(QStringLiteral("B"));
        QTest::newRow("Zaznaczenie od metody wprowadzania") << "A" << wybor << "B";

        QTest::newRow("Prawo od prawej do lewej") << "ש" << klawisze({Qt::Key_Right}, "x") << "xש";
        QTest::newRow("Ctrl+Lewo od prawej do lewej")
            << "שלום abc עולם" << klawisze({Qt::Key_Home, Qt::CTRL | Qt::Key_Left}, "x") << "שלום xabc עולם";
        QTest::newRow("Prawo w tekscie mieszanym")
            << "abc שלום def" << klawisze({Qt::Key_Home, Qt::CTRL | Qt::Key_Right, Qt::Key_Right}, "x")
            << "abc שxלום def";
        QTestEventList odPrawej;
        odPrawej.addMouseClick(Qt::LeftButton, {}, QPoint(330, 10));
        odPrawej.addKeyClicks(QStringLiteral("x"));
        QTest::newRow("Klik w tekscie od prawej do lewej") << "שלום abc עולם" << odPrawej << QString();

        QTest::newRow("Ctrl+K") << ala << klawisze({Qt::Key_Home, Qt::CTRL | Qt::Key_Right, Qt::CTRL | Qt::Key_K})
                                << QString();
        QTest::newRow("Ctrl+U") << ala << klawisze({Qt::Key_Left, Qt::CTRL | Qt::Key_U}) << QString();
        QTest::newRow("Ctrl+E") << ala << klawisze({Qt::Key_Home, Qt::CTRL | Qt::Key_E}, "x") << QString();
    }

    // The field and the line edit side by side get the same events: the
    // text, cursor and selection come out the same, the caret stays in
    // sight, and the input method hears of the caret's moves.
    void edycja()
    {
        QFETCH(QString, poczatek);
        QFETCH(QTestEventList, klawisze);
        QFETCH(QString, wynik);
        QWidget obok;
        PoleTekstowe pole(&obok);
        QLineEdit wzor(&obok);
        pole.setGeometry(0, 0, 360, 21);
        wzor.setGeometry(0, 30, 360, 21);
        obok.show();
        QVERIFY(QTest::qWaitForWindowActive(&obok));
        struct Stan {
            QString tekst, zaznaczenie;
            qsizetype kursor;
            bool widac, zmiany;
        };
        const auto sprawdz = [&](auto& widzet) {
            widzet.setText(poczatek);
            widzet.setFocus();
            widzet.repaint();  // where the line edit's text shows is settled in painting
            QSignalSpy zmiany(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged);
            klawisze.simulate(&widzet);
            widzet.repaint();
            const QRect kursor = widzet.inputMethodQuery(Qt::ImCursorRectangle).toRect();
            return Stan{widzet.text(),
                widzet.selectedText(),
                widzet.cursorPosition(),
                widzet.rect().contains(kursor.center()),
                !zmiany.isEmpty()};
        };
        const Stan mamy = sprawdz(pole);
        const Stan ma = sprawdz(wzor);
        QCOMPARE(mamy.tekst, ma.tekst);
        QCOMPARE(mamy.zaznaczenie, ma.zaznaczenie);
        QCOMPARE(mamy.kursor, ma.kursor);
        QVERIFY(mamy.widac && ma.widac);
        QCOMPARE(mamy.zmiany, ma.zmiany);
        if (!wynik.isNull())
            QCOMPARE(mamy.tekst, wynik);
    }

    // Undo takes back a typed run or a run of Backspaces at once, and each
    // command of the window as one step (Translate of two empty fields
    // writes "\" to the upper one).
    void cofanieKrokami()
    {
        a->setFocus();
        QTest::keyClicks(a, QStringLiteral("Ala ma"));
        QTest::keyClick(a, Qt::Key_Backspace);
        QTest::keyClick(a, Qt::Key_Backspace);
        QTest::keyClicks(a, QStringLiteral("kota"));
        Kliknij("Wyczysc1");
        Kliknij("Tlumacz");
        for (const char* krok : {"\\", "", "Ala kota", "Ala ", "Ala ma", ""}) {
            QCOMPARE(a->text(), QString::fromUtf8(krok));
            a->undo();
        }
        a->redo();
        QCOMPARE(a->text(), QStringLiteral("Ala ma"));
    }

    // Text dropped on a field goes where it fell, as one undo step.
    void upuszczenie()
    {
        a->setText(QStringLiteral("Ala kota"));
        QMimeData dane;
        dane.setText(QStringLiteral("ma "));
        const QRect litera = a->characterRect(4);
        const QPoint gdzie(litera.left(), litera.center().y());
        QDragEnterEvent wejscie(gdzie, Qt::CopyAction, &dane, Qt::LeftButton, {});
        QCoreApplication::sendEvent(a, &wejscie);
        QVERIFY(wejscie.isAccepted());
        QDropEvent upuszczenie(gdzie, Qt::CopyAction, &dane, Qt::LeftButton, {});
        QCoreApplication::sendEvent(a, &upuszczenie);
        QCOMPARE(a->text(), QStringLiteral("Ala ma kota"));
        a->undo();
        QCOMPARE(a->text(), QStringLiteral("Ala kota"));
    }

    // In a field holding millions of characters the cursor's end stays in
    // sight and typing there changes just that end.
    void dlugiTekstWPolu()
    {
        const QString mors = QStringLiteral("\\.-").repeated(1'000'000);
        b->setText(mors);
        b->setFocus();
        QTest::keyClick(b, Qt::Key_End);
        QTest::keyClicks(b, QStringLiteral("x"));
        QCOMPARE(b->text().size(), mors.size() + 1);
        QVERIFY(b->text().endsWith(QStringLiteral("-x")));
        QVERIFY(!b->characterRect(mors.size()).isNull());
        QVERIFY(b->characterRect(0).isNull());
        QTest::keyClick(b, Qt::Key_Home);
        QVERIFY(!b->characterRect(0).isNull());
        QCOMPARE(b->positionAt(b->characterRect(1).center()), qsizetype{1});
    }

    // Source keeps its cursor and undo history; lone surrogates survive.
    void zrodloNietkniete()
    {
        QTest::keyClicks(a, QStringLiteral("gada"));
        a->setText(a->text() + QChar(0xD800));
        QTest::keyClicks(a, QStringLiteral("x"));
        a->setCursorPosition(2);
        lista->setCurrentIndex(1);
        Kliknij("Tlumacz");
        QCOMPARE(b->text(), QStringLiteral("ageg") + QChar(0xD800) + QStringLiteral("x"));
        QCOMPARE(a->cursorPosition(), qsizetype{2});
        QVERIFY(a->isUndoAvailable());
    }
};

}  // namespace wirlok

QTEST_MAIN(wirlok::Form1Test)
#include "form1_test.moc"
