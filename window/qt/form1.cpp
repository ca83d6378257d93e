// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/form1.h"

#include "window/kontrolki.h"
#include "window/listaszyfrow.h"
#include "window/qt/dostepnosc.h"
#include "window/qt/poletekstowe.h"
#include "window/utf16.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <string_view>

namespace wirlok {
namespace {

QString Napis(std::u32string_view tekst)
{
    const std::u16string utf16 = DoUtf16(tekst);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

QString Napis(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

std::u32string Tekst(const QString& napis)
{
    return ZUtf16({reinterpret_cast<const char16_t*>(napis.utf16()), static_cast<std::size_t>(napis.size())});
}

// Replaces the field's text as an edit of its own, so that the field's undo
// brings the old text back.
void Zastap(PoleTekstowe& pole, const std::u32string& tekst)
{
    pole.selectAll();
    pole.insert(Napis(tekst));
    pole.setCursorPosition(0);
}

QComboBox* ListaRozwijana()
{
    auto* lista = new QComboBox;
    lista->setEditable(true);
    lista->setInsertPolicy(QComboBox::NoInsert);
    for (const WpisListy& wpis : ListaSzyfrow)
        lista->addItem(Napis(wpis.tekst));
    // A screen reader chooses an entry by selecting it in the closed list:
    // that chooses it, as a click in the open list does.
    QObject::connect(lista->view()->selectionModel(), &QItemSelectionModel::selectionChanged, lista, [lista] {
        const QModelIndexList wybrane = lista->view()->selectionModel()->selectedRows();
        if (!lista->view()->isVisible() && !wybrane.isEmpty())
            lista->setCurrentIndex(wybrane.first().row());
    });
    // Show a chosen entry from its first letter, also where it is wider
    // than the edit part.
    QObject::connect(lista, &QComboBox::currentIndexChanged, lista, [lista] {
        lista->lineEdit()->setCursorPosition(0);
    });
    return lista;
}

// A push button that Enter presses as Space does, as the Windows program's
// buttons do: the window has no default button that Enter would press instead.
class Przycisk : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* zdarzenie) override
    {
        if (zdarzenie->key() == Qt::Key_Return || zdarzenie->key() == Qt::Key_Enter)
            click();
        else
            QPushButton::keyPressEvent(zdarzenie);
    }
};

QPushButton* NowyPrzycisk(std::u32string_view podpis)
{
    auto* przycisk = new Przycisk(Napis(podpis));
    przycisk->setAutoDefault(false);
    return przycisk;
}

QWidget* Utworz(const Kontrolka& kontrolka)
{
    switch (kontrolka.rodzaj) {
    case Rodzaj::PoleTekstowe: return new PoleTekstowe;
    case Rodzaj::ListaRozwijana: return ListaRozwijana();
    case Rodzaj::Przycisk: return NowyPrzycisk(kontrolka.podpis);
    }
    return nullptr;
}

void Umiesc(QWidget& widzet, const Kontrolka& kontrolka, QWidget& okno)
{
    widzet.setParent(&okno);
    widzet.setObjectName(Napis(kontrolka.nazwa));
    widzet.setAccessibleName(Napis(kontrolka.podpis));
    const Prostokat& m = kontrolka.miejsce;
    widzet.setGeometry(Piksele(m.lewo), Piksele(m.gora), Piksele(m.szerokosc), Piksele(m.wysokosc));
}

QIcon Ikona()
{
    QIcon ikona;
    ikona.addFile(QStringLiteral(":/wirlok-32.xpm"));
    ikona.addFile(QStringLiteral(":/wirlok-16.xpm"));
    return ikona;
}

}  // namespace

Form1::Form1(QWidget* rodzic)
    : QWidget(rodzic, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    ZainstalujDostepnosc();
    setObjectName(Napis(NazwaOkna));
    setWindowTitle(Napis(TytulOkna));
    setWindowIcon(Ikona());
    UstawRozmiar();

    // Created in tab order, which Qt's focus chain follows.
    for (const Kontrolka& kontrolka : KontrolkiWKolejnosciTab())
        Umiesc(*Utworz(kontrolka), kontrolka, *this);
    a = findChild<PoleTekstowe*>(QStringLiteral("a"));
    b = findChild<PoleTekstowe*>(QStringLiteral("b"));
    listaszyfrow = findChild<QComboBox*>(QStringLiteral("listaszyfrow"));
    for (const Klikniecie& klikniecie : Klikniecia) {
        const Polecenie polecenie = klikniecie.polecenie;
        connect(findChild<QPushButton*>(Napis(klikniecie.przycisk)), &QPushButton::clicked, this, [this, polecenie] {
            Wykonaj(polecenie);
        });
    }

    Wykonaj(Form1_Load);
    findChild<QPushButton*>(QStringLiteral("Tlumacz"))->setFocus();
}

// A fixed size. On Wayland the title bar is Qt's own, which offers to
// maximise even a fixed window, and the compositor ends a program whose
// window then keeps its size: there the window only has its size as the
// least, may grow (the controls stay at their places) and comes back.
void Form1::UstawRozmiar()
{
    const QSize rozmiar(Piksele(SzerokoscOkna), Piksele(WysokoscOkna));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        setMinimumSize(rozmiar);
        resize(rozmiar);
    } else {
        setFixedSize(rozmiar);
    }
}

std::int16_t Form1::WybranyWpis() const
{
    return wirlok::WybranyWpis(listaszyfrow->currentIndex(), Tekst(listaszyfrow->currentText()));
}

void Form1::Wykonaj(Polecenie polecenie)
{
    StanOkna stan{Tekst(a->text()), Tekst(b->text()), WybranyWpis()};
    const Zmiany zmiany = wirlok::Wykonaj(polecenie, stan);
    if (zmiany.a)
        Zastap(*a, stan.a);
    if (zmiany.b)
        Zastap(*b, stan.b);
    if (zmiany.listaszyfrow)
        listaszyfrow->setCurrentIndex(stan.listaszyfrow);
}

}  // namespace wirlok
