// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/dostepnosc.h"

#include "window/qt/poletekstowe.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace wirlok {
namespace {

// The cipher list. On Linux Qt names an editable combo box by its text, so
// a screen reader would announce "Mors, combo box"; here the name is the
// list's accessible name and the entry shown is its value. The children
// are Qt's own: the drop-down list with its entries, and the edit part.
class DostepnaLista : public QAccessibleWidget {
public:
    explicit DostepnaLista(QComboBox* lista)
        : QAccessibleWidget(lista, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text rodzaj) const override
    {
        return rodzaj == QAccessible::Value ? lista()->currentText() : QAccessibleWidget::text(rodzaj);
    }

    int childCount() const override { return 2; }

    QAccessibleInterface* child(int indeks) const override
    {
        if (indeks == 0)
            return QAccessible::queryAccessibleInterface(lista()->view());
        if (indeks == 1)
            return QAccessible::queryAccessibleInterface(lista()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* dziecko) const override
    {
        if (dziecko == nullptr)
            return -1;
        if (dziecko->object() == lista()->view())
            return 0;
        return dziecko->object() == lista()->lineEdit() ? 1 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& akcja) override
    {
        if (akcja == showMenuAction())
            lista()->showPopup();
        else
            QAccessibleWidget::doAction(akcja);
    }

private:
    QComboBox* lista() const { return static_cast<QComboBox*>(widget()); }
};

// A text field as a screen reader reads and edits it: its text is read
// piecewise, and every change goes through the field, so that it can be
// undone.
class DostepnePole : public QAccessibleWidget,
                     public QAccessibleTextInterface,
                     public QAccessibleEditableTextInterface {
public:
    explicit DostepnePole(PoleTekstowe* pole)
        : QAccessibleWidget(pole, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType rodzaj) override
    {
        if (rodzaj == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (rodzaj == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(rodzaj);
    }

    QString text(QAccessible::Text rodzaj) const override
    {
        return rodzaj == QAccessible::Value ? pole()->text() : QAccessibleWidget::text(rodzaj);
    }

    void setText(QAccessible::Text rodzaj, const QString& tekst) override
    {
        if (rodzaj == QAccessible::Value)
            pole()->replace(0, pole()->text().size(), tekst);
        else
            QAccessibleWidget::setText(rodzaj, tekst);
    }

    QAccessible::State state() const override
    {
        QAccessible::State stan = QAccessibleWidget::state();
        stan.editable = true;
        stan.selectableText = true;
        return stan;
    }

    void selection(int indeks, int* od, int* do_) const override
    {
        const bool jest = indeks == 0 && pole()->hasSelectedText();
        *od = jest ? static_cast<int>(pole()->selectionStart()) : 0;
        *do_ = jest ? static_cast<int>(pole()->selectionEnd()) : 0;
    }

    int selectionCount() const override { return pole()->hasSelectedText() ? 1 : 0; }
    void addSelection(int od, int do_) override { pole()->setSelection(od, do_); }
    void removeSelection(int) override { pole()->deselect(); }
    void setSelection(int, int od, int do_) override { pole()->setSelection(od, do_); }
    int cursorPosition() const override { return static_cast<int>(pole()->cursorPosition()); }
    void setCursorPosition(int pozycja) override { pole()->setCursorPosition(pozycja); }
    QString text(int od, int do_) const override { return pole()->text().mid(od, do_ - od); }
    int characterCount() const override { return static_cast<int>(pole()->text().size()); }

    QRect characterRect(int pozycja) const override
    {
        const QRect miejsce = pole()->characterRect(pozycja);
        return miejsce.isNull() ? miejsce : QRect(pole()->mapToGlobal(miejsce.topLeft()), miejsce.size());
    }

    int offsetAtPoint(const QPoint& punkt) const override
    {
        return static_cast<int>(pole()->positionAt(pole()->mapFromGlobal(punkt)));
    }

    void scrollToSubstring(int od, int do_) override
    {
        pole()->setCursorPosition(do_);
        pole()->setCursorPosition(od);
    }

    QString attributes(int pozycja, int* od, int* do_) const override
    {
        *od = *do_ = pozycja;
        return {};
    }

    void deleteText(int od, int do_) override { pole()->replace(od, do_ - od, {}); }
    void insertText(int pozycja, const QString& tekst) override { pole()->replace(pozycja, 0, tekst); }
    void replaceText(int od, int do_, const QString& tekst) override { pole()->replace(od, do_ - od, tekst); }

private:
    PoleTekstowe* pole() const { return static_cast<PoleTekstowe*>(widget()); }
};

// Interfaces are made when Qt first asks for them, which may be before a
// control has its name: the window is known by its class, the cipher list
// as the program's one combo box.
QAccessibleInterface* Fabryka(const QString& klasa, QObject* obiekt)
{
    if (klasa == QLatin1String("wirlok::Form1"))
        return new QAccessibleWidget(static_cast<QWidget*>(obiekt), QAccessible::Window);
    if (klasa == QLatin1String("wirlok::PoleTekstowe"))
        return new DostepnePole(static_cast<PoleTekstowe*>(obiekt));
    if (klasa == QLatin1String("QComboBox"))
        return new DostepnaLista(static_cast<QComboBox*>(obiekt));
    return nullptr;
}

}  // namespace

void ZainstalujDostepnosc()
{
    static const bool zainstalowana = [] {
        QAccessible::installFactory(Fabryka);
        return true;
    }();
    (void)zainstalowana;
}

}  // namespace wirlok
