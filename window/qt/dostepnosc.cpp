// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/dostepnosc.h"

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

// Interfaces are made when Qt first asks for them, which may be before a
// control has its name: the window is known by its class, the cipher list
// as the program's one combo box.
QAccessibleInterface* Fabryka(const QString& klasa, QObject* obiekt)
{
    if (klasa == QLatin1String("wirlok::Form1"))
        return new QAccessibleWidget(static_cast<QWidget*>(obiekt), QAccessible::Window);
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
