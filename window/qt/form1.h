// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "window/zdarzenia.h"

#include <QWidget>

#include <cstdint>

class QComboBox;

namespace wirlok {

class PoleTekstowe;

// The program's window: the controls of the shared table, wired to the
// window commands. It holds no cipher logic of its own.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* rodzic = nullptr);

private:
    void UstawRozmiar();
    void Wykonaj(Polecenie polecenie);
    std::int16_t WybranyWpis() const;

    PoleTekstowe* a = nullptr;
    PoleTekstowe* b = nullptr;
    QComboBox* listaszyfrow = nullptr;
};

}  // namespace wirlok
