// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <QBasicTimer>
#include <QString>
#include <QTextLayout>
#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QMenu;
class QStyleOptionFrame;

namespace wirlok {

// A single-line edit field that stays quick with texts of millions of
// characters: it lays out only the slice it shows, keeps one undo record
// per edit rather than per character, and repaints only its caret when the
// caret blinks. It behaves as the platform's line edit does (keys, mouse,
// clipboard, context menu, input methods); the text does not wrap, and line
// breaks that come with pasted text are kept and shown as spaces.
class PoleTekstowe : public QWidget {
    Q_OBJECT

public:
    explicit PoleTekstowe(QWidget* rodzic = nullptr);

    QString text() const { return tekst_; }
    // A new text with no undo history, as a new field has.
    void setText(const QString& tekst);
    // Replaces the selection (or inserts at the cursor) as one undo step.
    void insert(const QString& tekst);
    // Replaces the given range as one undo step.
    void replace(qsizetype od, qsizetype ile, const QString& tekst);

    qsizetype cursorPosition() const { return kursor_; }
    void setCursorPosition(qsizetype pozycja);
    void setSelection(qsizetype kotwica, qsizetype kursor);
    bool hasSelectedText() const { return kursor_ != kotwica_; }
    QString selectedText() const;
    qsizetype selectionStart() const { return std::min(kursor_, kotwica_); }
    qsizetype selectionEnd() const { return std::max(kursor_, kotwica_); }

    bool isUndoAvailable() const { return !cofnij_.empty(); }
    bool isRedoAvailable() const { return !ponow_.empty(); }
    QMenu* createStandardContextMenu();

    // Where a character of the text shows, in the field's coordinates; an
    // empty rectangle for one scrolled out of sight.
    QRect characterRect(qsizetype pozycja) const;
    // The position nearest to a point, among the characters shown.
    qsizetype positionAt(QPoint punkt) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery zapytanie) const override;

    void selectAll();
    void deselect();
    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();
    void del();

protected:
    void paintEvent(QPaintEvent* zdarzenie) override;
    void keyPressEvent(QKeyEvent* zdarzenie) override;
    void mousePressEvent(QMouseEvent* zdarzenie) override;
    void mouseMoveEvent(QMouseEvent* zdarzenie) override;
    void mouseReleaseEvent(QMouseEvent* zdarzenie) override;
    void mouseDoubleClickEvent(QMouseEvent* zdarzenie) override;
    void dragEnterEvent(QDragEnterEvent* zdarzenie) override;
    void dragMoveEvent(QDragMoveEvent* zdarzenie) override;
    void dragLeaveEvent(QDragLeaveEvent* zdarzenie) override;
    void dropEvent(QDropEvent* zdarzenie) override;
    void contextMenuEvent(QContextMenuEvent* zdarzenie) override;
    void focusInEvent(QFocusEvent* zdarzenie) override;
    void focusOutEvent(QFocusEvent* zdarzenie) override;
    void inputMethodEvent(QInputMethodEvent* zdarzenie) override;
    void timerEvent(QTimerEvent* zdarzenie) override;
    void changeEvent(QEvent* zdarzenie) override;
    void resizeEvent(QResizeEvent* zdarzenie) override;

private:
    // How an edit joins the one before it in the undo history: typing,
    // Backspace and Delete each join a run of their own kind until the
    // cursor is moved.
    enum class Rodzaj { Pisanie, Wstecz, Usun, Inne };
    struct Edycja {
        qsizetype od;
        QString usuniete;
        QString wstawione;
        qsizetype kursor, kotwica;  // before the edit
        Rodzaj rodzaj;
    };

    void Zmien(qsizetype od, qsizetype ile, const QString& nowy, Rodzaj rodzaj);
    void Dopisz(Edycja edycja);
    void Zastosuj(qsizetype od, qsizetype ile, const QString& nowy);
    void Przesun(qsizetype pozycja, bool zaznaczaj);
    void Zaznaczono() const;
    bool Klawisz(QKeyEvent* zdarzenie);
    bool Przesuwa(QKeyEvent* zdarzenie);
    void Wpisz(const QString& tekst, Rodzaj rodzaj);
    void UsunDo(qsizetype pozycja, Rodzaj rodzaj);
    void ZaznaczSlowo(qsizetype pozycja);
    void Przeciagnij();

    qsizetype Grafem(qsizetype pozycja, int kierunek) const;
    qsizetype Slowo(qsizetype pozycja, int kierunek) const;
    bool OdPrawej() const;
    qsizetype PoczatekOtoczenia() const;
    QStyleOptionFrame Ramka() const;
    QRect Obszar() const;
    QPoint MiejsceTekstu() const;
    int SzerokoscTekstu() const;
    void Uloz();
    void UlozWycinek(QTextLayout& uklad, qsizetype od, qsizetype do_) const;
    qreal Wciecie(qsizetype od) const;
    int WUkladzie(qsizetype od, qsizetype pozycja) const;
    bool ZPreeditem(qsizetype od, qsizetype do_) const;
    qreal Odleglosc(const QTextLine& linia, int pozycja) const;
    int PozycjaW(const QTextLine& linia, qreal odleglosc) const;
    qreal Przesuniecie() const;
    void PokazKursor();
    qsizetype PoczatekPrzed(qsizetype koniec) const;
    QRect ProstokatKursora() const;
    void Migaj();

    QString tekst_;
    qsizetype kursor_ = 0;
    qsizetype kotwica_ = 0;
    std::vector<Edycja> cofnij_;
    std::vector<Edycja> ponow_;
    bool scalaj_ = false;
    bool odPrawej_ = false;  // the text's direction, from its first letter

    // The slice shown: the text from poczatek_ to koniec_, laid out.
    QTextLayout uklad_;
    qsizetype poczatek_ = 0;
    qsizetype koniec_ = 0;
    QString preedit_;
    int kursorPreedit_ = 0;
    // Runs without tabs measured last: from a run's start od to do_.
    struct Bieg {
        qsizetype od = -1;
        qsizetype do_ = 0;
        qreal szerokosc = 0;
    };
    mutable std::array<Bieg, 2> biegi_;

    QBasicTimer miganie_;
    bool kursorWidoczny_ = true;
    bool ciagnie_ = false;
    std::optional<QPoint> chwyt_;           // where a press on the selection was
    std::optional<qsizetype> upuszczenie_;  // where dragged text would drop
    struct Klikniecie {
        quint64 kiedy;
        QPoint gdzie;
    };
    std::optional<Klikniecie> podwojne_;  // a double click that a third click may follow
};

}  // namespace wirlok
