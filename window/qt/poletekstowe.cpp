// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/qt/poletekstowe.h"

#include <QAccessible>
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace wirlok {
namespace {

// Space between the frame's contents and the text, as Qt's line edit keeps.
constexpr int MarginesPoziomy = 2;
constexpr int MarginesPionowy = 1;

// The first slice laid out, in UTF-16 units: more than a field's width of
// the narrowest characters; a slice that falls short grows fourfold.
constexpr qsizetype Wycinek = 256;

// Qt's text layout puts a tab stop every 80 pixels.
constexpr qreal OdstepTabulatora = 80;

// Tab stops every OdstepTabulatora from the start of the text, for a slice
// that starts wciecie past one, up to beyond zasieg.
QList<QTextOption::Tab> StopyTabulatora(qreal wciecie, qreal zasieg)
{
    QList<QTextOption::Tab> stopy;
    for (qreal x = OdstepTabulatora - wciecie; stopy.empty() || x <= zasieg + OdstepTabulatora; x += OdstepTabulatora)
        stopy.append(QTextOption::Tab(x, QTextOption::LeftTab));
    return stopy;
}

// Characters that would break the one line: shown as spaces, kept in the text.
bool LamieWiersz(QChar znak)
{
    return znak == u'\n' || znak == u'\r' || znak == QChar::LineSeparator || znak == QChar::ParagraphSeparator
        || znak == QChar::ObjectReplacementCharacter;
}

// A key that types its text: printable, not a Ctrl shortcut; AltGr (which
// some systems report as Ctrl+Alt) types.
bool Pisze(const QKeyEvent& zdarzenie)
{
    const QString tekst = zdarzenie.text();
    if (tekst.isEmpty())
        return false;
    const QChar znak = tekst.front();
    if (znak.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers mod = zdarzenie.modifiers() & ~Qt::KeypadModifier;
    if (mod == Qt::ControlModifier || mod == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return znak.isPrint() || znak.category() == QChar::Other_PrivateUse
        || (znak.isHighSurrogate() && tekst.size() > 1 && tekst.at(1).isLowSurrogate());
}

enum class Cel { Znak, Slowo, Kraniec };

// The cursor movements: the key, how far it goes, which way, whether it
// extends the selection.
struct Ruch {
    QKeySequence::StandardKey klawisz;
    Cel cel;
    int kierunek;
    bool zaznacza;
};

constexpr std::array<Ruch, 20> Ruchy{{
    {QKeySequence::MoveToNextChar, Cel::Znak, 1, false},
    {QKeySequence::MoveToPreviousChar, Cel::Znak, -1, false},
    {QKeySequence::SelectNextChar, Cel::Znak, 1, true},
    {QKeySequence::SelectPreviousChar, Cel::Znak, -1, true},
    {QKeySequence::MoveToNextWord, Cel::Slowo, 1, false},
    {QKeySequence::MoveToPreviousWord, Cel::Slowo, -1, false},
    {QKeySequence::SelectNextWord, Cel::Slowo, 1, true},
    {QKeySequence::SelectPreviousWord, Cel::Slowo, -1, true},
    {QKeySequence::MoveToStartOfLine, Cel::Kraniec, -1, false},
    {QKeySequence::MoveToEndOfLine, Cel::Kraniec, 1, false},
    {QKeySequence::SelectStartOfLine, Cel::Kraniec, -1, true},
    {QKeySequence::SelectEndOfLine, Cel::Kraniec, 1, true},
    {QKeySequence::MoveToStartOfBlock, Cel::Kraniec, -1, false},
    {QKeySequence::MoveToEndOfBlock, Cel::Kraniec, 1, false},
    {QKeySequence::SelectStartOfBlock, Cel::Kraniec, -1, true},
    {QKeySequence::SelectEndOfBlock, Cel::Kraniec, 1, true},
    {QKeySequence::MoveToStartOfDocument, Cel::Kraniec, -1, false},
    {QKeySequence::MoveToEndOfDocument, Cel::Kraniec, 1, false},
    {QKeySequence::SelectStartOfDocument, Cel::Kraniec, -1, true},
    {QKeySequence::SelectEndOfDocument, Cel::Kraniec, 1, true},
}};

}  // namespace

PoleTekstowe::PoleTekstowe(QWidget* rodzic)
    : QWidget(rodzic)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_Hover);
    setBackgroundRole(QPalette::Base);
    setCursor(Qt::IBeamCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAcceptDrops(true);
    Uloz();
}

void PoleTekstowe::setText(const QString& tekst)
{
    cofnij_.clear();
    ponow_.clear();
    Zastosuj(0, tekst_.size(), tekst);
    scalaj_ = false;
}

void PoleTekstowe::insert(const QString& tekst)
{
    Zmien(selectionStart(), selectionEnd() - selectionStart(), tekst, Rodzaj::Inne);
}

void PoleTekstowe::replace(qsizetype od, qsizetype ile, const QString& tekst)
{
    od = std::clamp<qsizetype>(od, 0, tekst_.size());
    Zmien(od, std::clamp<qsizetype>(ile, 0, tekst_.size() - od), tekst, Rodzaj::Inne);
}

void PoleTekstowe::setCursorPosition(qsizetype pozycja)
{
    Przesun(std::clamp<qsizetype>(pozycja, 0, tekst_.size()), false);
}

void PoleTekstowe::setSelection(qsizetype kotwica, qsizetype kursor)
{
    kotwica_ = std::clamp<qsizetype>(kotwica, 0, tekst_.size());
    Przesun(std::clamp<qsizetype>(kursor, 0, tekst_.size()), true);
}

QString PoleTekstowe::selectedText() const { return tekst_.mid(selectionStart(), selectionEnd() - selectionStart()); }

void PoleTekstowe::selectAll() { setSelection(0, tekst_.size()); }

void PoleTekstowe::deselect() { Przesun(kursor_, false); }

// Each undo and redo step is an edit as the user made it; the selection
// comes back as it was before it.
void PoleTekstowe::undo()
{
    if (cofnij_.empty())
        return;
    Edycja edycja = std::move(cofnij_.back());
    cofnij_.pop_back();
    Zastosuj(edycja.od, edycja.wstawione.size(), edycja.usuniete);
    kotwica_ = edycja.kotwica;
    Przesun(edycja.kursor, true);
    ponow_.push_back(std::move(edycja));
}

void PoleTekstowe::redo()
{
    if (ponow_.empty())
        return;
    Edycja edycja = std::move(ponow_.back());
    ponow_.pop_back();
    Zastosuj(edycja.od, edycja.usuniete.size(), edycja.wstawione);
    scalaj_ = false;
    cofnij_.push_back(std::move(edycja));
}

void PoleTekstowe::cut()
{
    if (!hasSelectedText())
        return;
    copy();
    UsunDo(kursor_, Rodzaj::Inne);
}

void PoleTekstowe::copy() const
{
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText());
}

// A pasted text is kept whole, line breaks too.
void PoleTekstowe::paste()
{
    const QString tekst = QGuiApplication::clipboard()->text();
    if (!tekst.isEmpty() || hasSelectedText())
        Wpisz(tekst, Rodzaj::Inne);
}

void PoleTekstowe::del() { UsunDo(Grafem(kursor_, 1), Rodzaj::Usun); }

// The field's own context menu, in the words and with the shortcuts of the
// toolkit's line edit, so that its translations apply.
QMenu* PoleTekstowe::createStandardContextMenu()
{
    auto* menu = new QMenu(this);
    const auto dodaj = [this, menu](const char* nazwa,
                           QKeySequence::StandardKey klawisz,
                           bool dostepna,
                           const std::function<void()>& co) {
        QString tekst = QCoreApplication::translate("QLineEdit", nazwa);
        const QKeySequence skrot(klawisz);
        if (!skrot.isEmpty() && QGuiApplication::styleHints()->showShortcutsInContextMenus())
            tekst += u'\t' + skrot.toString(QKeySequence::NativeText);
        menu->addAction(tekst, this, co)->setEnabled(dostepna);
    };
    const QMimeData* schowek = QGuiApplication::clipboard()->mimeData();
    dodaj("&Undo", QKeySequence::Undo, isUndoAvailable(), [this] { undo(); });
    dodaj("&Redo", QKeySequence::Redo, isRedoAvailable(), [this] { redo(); });
    menu->addSeparator();
    dodaj("Cu&t", QKeySequence::Cut, hasSelectedText(), [this] { cut(); });
    dodaj("&Copy", QKeySequence::Copy, hasSelectedText(), [this] { copy(); });
    dodaj("&Paste", QKeySequence::Paste, schowek != nullptr && schowek->hasText(), [this] { paste(); });
    dodaj("Delete", QKeySequence::UnknownKey, hasSelectedText(), [this] { UsunDo(kursor_, Rodzaj::Inne); });
    menu->addSeparator();
    dodaj("Select All", QKeySequence::SelectAll, selectionEnd() - selectionStart() < tekst_.size(), [this] {
        selectAll();
        Zaznaczono();
    });
    return menu;
}

QRect PoleTekstowe::characterRect(qsizetype pozycja) const
{
    if (pozycja < poczatek_ || pozycja >= koniec_)
        return {};
    const QTextLine linia = uklad_.lineAt(0);
    const qreal lewo = linia.cursorToX(static_cast<int>(pozycja - poczatek_));
    const qreal prawo = linia.cursorToX(static_cast<int>(Grafem(pozycja, 1) - poczatek_));
    const QPoint miejsce = MiejsceTekstu();
    return QRectF(miejsce.x() + Przesuniecie() + std::min(lewo, prawo),
        miejsce.y(),
        std::abs(prawo - lewo),
        linia.height())
        .toAlignedRect();
}

qsizetype PoleTekstowe::positionAt(QPoint punkt) const
{
    const qreal x = punkt.x() - MiejsceTekstu().x() - Przesuniecie();
    return poczatek_ + uklad_.lineAt(0).xToCursor(x);
}

QSize PoleTekstowe::sizeHint() const
{
    const QStyleOptionFrame opcja = Ramka();
    const QFontMetrics miary = fontMetrics();
    const QSize tresc(miary.horizontalAdvance(u'x') * 17 + 2 * MarginesPoziomy,
        miary.height() + 2 * MarginesPionowy + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcja, this));
    return style()->sizeFromContents(QStyle::CT_LineEdit, &opcja, tresc, this);
}

QSize PoleTekstowe::minimumSizeHint() const { return {sizeHint().height(), sizeHint().height()}; }

QVariant PoleTekstowe::inputMethodQuery(Qt::InputMethodQuery zapytanie) const
{
    // Input methods see the text around the cursor, not all of it.
    const qsizetype od = PoczatekOtoczenia();
    const qsizetype do_ = std::min(tekst_.size(), kursor_ + 512);
    switch (zapytanie) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle: return ProstokatKursora();
    case Qt::ImFont: return font();
    case Qt::ImCursorPosition: return static_cast<int>(kursor_ - od);
    case Qt::ImAnchorPosition: return static_cast<int>(std::clamp(kotwica_, od, do_) - od);
    case Qt::ImSurroundingText: return tekst_.mid(od, do_ - od);
    case Qt::ImCurrentSelection: return selectedText();
    case Qt::ImHints: return static_cast<int>(inputMethodHints());
    default: return QWidget::inputMethodQuery(zapytanie);
    }
}

void PoleTekstowe::paintEvent(QPaintEvent*)
{
    QPainter malarz(this);
    const QStyleOptionFrame ramka = Ramka();
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &ramka, &malarz, this);

    malarz.setClipRect(Obszar());
    QList<QTextLayout::FormatRange> zaznaczenie;
    const qsizetype od = std::max(selectionStart(), poczatek_);
    const qsizetype do_ = std::min(selectionEnd(), koniec_);
    if (hasFocus() && do_ > od) {
        QTextLayout::FormatRange zakres;
        zakres.start = static_cast<int>(od - poczatek_);
        zakres.length = static_cast<int>(do_ - od);
        zakres.format.setBackground(palette().brush(QPalette::Highlight));
        zakres.format.setForeground(palette().brush(QPalette::HighlightedText));
        zaznaczenie.append(zakres);
    }
    malarz.setPen(palette().color(QPalette::Text));
    const QPointF miejsce = MiejsceTekstu() + QPointF(Przesuniecie(), 0);
    uklad_.draw(&malarz, miejsce, zaznaczenie);
    if (upuszczenie_ && *upuszczenie_ >= poczatek_ && *upuszczenie_ <= koniec_)
        uklad_.drawCursor(&malarz, miejsce, static_cast<int>(*upuszczenie_ - poczatek_));
    if (hasFocus() && kursorWidoczny_)
        uklad_.drawCursor(&malarz,
            miejsce,
            WUkladzie(poczatek_, kursor_),
            style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this));
}

void PoleTekstowe::keyPressEvent(QKeyEvent* zdarzenie) { zdarzenie->setAccepted(Klawisz(zdarzenie)); }

// The cursor movement keys; false for any other key.
bool PoleTekstowe::Przesuwa(QKeyEvent* zdarzenie)
{
    for (const Ruch& ruch : Ruchy) {
        if (!zdarzenie->matches(ruch.klawisz))
            continue;
        // In right-to-left text the arrows go through it the other way,
        // as it reads; Home and End keep to its start and end.
        const int kierunek = ruch.cel != Cel::Kraniec && OdPrawej() ? -ruch.kierunek : ruch.kierunek;
        qsizetype cel = kierunek > 0 ? tekst_.size() : 0;
        if (ruch.cel == Cel::Znak && hasSelectedText() && !ruch.zaznacza)
            cel = kierunek > 0 ? selectionEnd() : selectionStart();
        else if (ruch.cel == Cel::Znak)
            cel = Grafem(kursor_, kierunek);
        else if (ruch.cel == Cel::Slowo)
            cel = Slowo(kursor_, kierunek);
        Przesun(cel, ruch.zaznacza);
        if (ruch.zaznacza)
            Zaznaczono();
        return true;
    }
    return false;
}

bool PoleTekstowe::Klawisz(QKeyEvent* zdarzenie)
{
    if (Przesuwa(zdarzenie))
        return true;
    // Each platform's own bindings: on X11 Ctrl+K and Ctrl+U cut to the
    // end of the line and the whole line, as line edits do.
    const std::array<std::pair<QKeySequence::StandardKey, std::function<void()>>, 11> polecenia{{
        {QKeySequence::Undo, [this] { undo(); }},
        {QKeySequence::Redo, [this] { redo(); }},
        {QKeySequence::Cut, [this] { cut(); }},
        {QKeySequence::Copy, [this] { copy(); }},
        {QKeySequence::Paste, [this] { paste(); }},
        {QKeySequence::SelectAll,
            [this] {
                selectAll();
                Zaznaczono();
            }},
        {QKeySequence::Delete, [this] { del(); }},
        {QKeySequence::DeleteStartOfWord, [this] { UsunDo(Slowo(kursor_, -1), Rodzaj::Inne); }},
        {QKeySequence::DeleteEndOfWord, [this] { UsunDo(Slowo(kursor_, 1), Rodzaj::Inne); }},
        {QKeySequence::DeleteEndOfLine,
            [this] {
                setSelection(kursor_, tekst_.size());
                cut();
            }},
        {QKeySequence::DeleteCompleteLine,
            [this] {
                selectAll();
                cut();
            }},
    }};
    for (const auto& [klawisz, polecenie] : polecenia) {
        if (zdarzenie->matches(klawisz)) {
            polecenie();
            return true;
        }
    }
    const Qt::KeyboardModifiers mod = zdarzenie->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (zdarzenie->key() == Qt::Key_Backspace && mod == Qt::NoModifier) {
        // Backspace takes back one character, so an accent typed apart
        // goes alone, and never half of a surrogate pair.
        qsizetype cel = std::max<qsizetype>(0, kursor_ - 1);
        if (cel > 0 && tekst_.at(cel).isLowSurrogate() && tekst_.at(cel - 1).isHighSurrogate())
            --cel;
        UsunDo(cel, Rodzaj::Wstecz);
        return true;
    }
    if (Pisze(*zdarzenie)) {
        Wpisz(zdarzenie->text(), Rodzaj::Pisanie);
        return true;
    }
    return false;
}

void PoleTekstowe::mousePressEvent(QMouseEvent* zdarzenie)
{
    if (zdarzenie->button() != Qt::LeftButton)
        return;
    // A third click soon after a double click, and where it was, selects
    // the whole line; dragging on from there moves the selection's end.
    const QPoint punkt = zdarzenie->position().toPoint();
    const QStyleHints* wskazowki = QGuiApplication::styleHints();
    const bool trzecie = podwojne_
        && zdarzenie->timestamp() - podwojne_->kiedy < static_cast<quint64>(wskazowki->mouseDoubleClickInterval())
        && (punkt - podwojne_->gdzie).manhattanLength() < wskazowki->startDragDistance();
    podwojne_.reset();
    ciagnie_ = true;
    if (trzecie) {
        selectAll();
        return;
    }
    const qsizetype pozycja = positionAt(punkt);
    const bool shift = zdarzenie->modifiers().testFlag(Qt::ShiftModifier);
    // A press on the selection may start dragging it away.
    if (!shift && hasSelectedText() && pozycja >= selectionStart() && pozycja < selectionEnd()) {
        ciagnie_ = false;
        chwyt_ = punkt;
        return;
    }
    Przesun(pozycja, shift);
}

// Dragging past an edge scrolls the text a character at a time.
void PoleTekstowe::mouseMoveEvent(QMouseEvent* zdarzenie)
{
    const QPoint punkt = zdarzenie->position().toPoint();
    if (chwyt_ && (punkt - *chwyt_).manhattanLength() >= QGuiApplication::styleHints()->startDragDistance()) {
        chwyt_.reset();
        Przeciagnij();
        return;
    }
    if (!ciagnie_ || !(zdarzenie->buttons() & Qt::LeftButton))
        return;
    qsizetype cel = positionAt(punkt);
    const bool lewo = punkt.x() < Obszar().left();
    const bool prawo = punkt.x() > Obszar().right();
    if (OdPrawej() ? prawo : lewo)
        cel = Grafem(poczatek_, -1);
    else if (OdPrawej() ? lewo : prawo)
        cel = Grafem(cel, 1);
    Przesun(cel, true);
}

void PoleTekstowe::mouseReleaseEvent(QMouseEvent* zdarzenie)
{
    if (zdarzenie->button() == Qt::LeftButton && chwyt_) {
        chwyt_.reset();
        Przesun(positionAt(zdarzenie->position().toPoint()), false);
    } else if (zdarzenie->button() == Qt::LeftButton) {
        ciagnie_ = false;
        Zaznaczono();
    } else if (zdarzenie->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        const QString tekst = QGuiApplication::clipboard()->text(QClipboard::Selection);
        if (!tekst.isEmpty()) {
            Przesun(positionAt(zdarzenie->position().toPoint()), false);
            Wpisz(tekst, Rodzaj::Inne);
        }
    }
}

void PoleTekstowe::mouseDoubleClickEvent(QMouseEvent* zdarzenie)
{
    if (zdarzenie->button() != Qt::LeftButton)
        return;
    // Dragging on from a double click moves the end of the selected word.
    const QPoint punkt = zdarzenie->position().toPoint();
    podwojne_ = Klikniecie{zdarzenie->timestamp(), punkt};
    chwyt_.reset();
    ciagnie_ = true;
    ZaznaczSlowo(positionAt(punkt));
}

void PoleTekstowe::dragEnterEvent(QDragEnterEvent* zdarzenie)
{
    if (zdarzenie->mimeData()->hasText())
        zdarzenie->acceptProposedAction();
}

// While text is dragged over the field, a second caret shows where it
// would go.
void PoleTekstowe::dragMoveEvent(QDragMoveEvent* zdarzenie)
{
    if (!zdarzenie->mimeData()->hasText())
        return;
    upuszczenie_ = positionAt(zdarzenie->position().toPoint());
    update();
    zdarzenie->acceptProposedAction();
}

void PoleTekstowe::dragLeaveEvent(QDragLeaveEvent*)
{
    upuszczenie_.reset();
    update();
}

// Dropped text is inserted where it fell, as one undo step; the field's
// own selection dragged within it moves there, also as one step.
void PoleTekstowe::dropEvent(QDropEvent* zdarzenie)
{
    upuszczenie_.reset();
    update();
    if (!zdarzenie->mimeData()->hasText())
        return;
    const qsizetype cel = positionAt(zdarzenie->position().toPoint());
    const QString tekst = zdarzenie->mimeData()->text();
    if (zdarzenie->source() == this && zdarzenie->dropAction() == Qt::MoveAction) {
        const qsizetype poczatek = selectionStart();
        const qsizetype koniec = selectionEnd();
        if (cel >= poczatek && cel <= koniec)
            return zdarzenie->ignore();
        // The text between the selection and the drop swaps places with it.
        const bool wlewo = cel < poczatek;
        const QString miedzy = wlewo ? tekst_.mid(cel, poczatek - cel) : tekst_.mid(koniec, cel - koniec);
        Zmien(wlewo ? cel : poczatek,
            miedzy.size() + tekst.size(),
            wlewo ? tekst + miedzy : miedzy + tekst,
            Rodzaj::Inne);
        const qsizetype gdzie = wlewo ? cel : cel - tekst.size();
        setSelection(gdzie, gdzie + tekst.size());
    } else {
        Przesun(cel, false);
        Wpisz(tekst, Rodzaj::Inne);
        setSelection(cel, cel + tekst.size());
    }
    zdarzenie->acceptProposedAction();
}

void PoleTekstowe::contextMenuEvent(QContextMenuEvent* zdarzenie)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(zdarzenie->globalPos());
}

// Tabbing into the field selects its text, as line edits do; leaving it
// for another control drops the selection.
void PoleTekstowe::focusInEvent(QFocusEvent* zdarzenie)
{
    const Qt::FocusReason powod = zdarzenie->reason();
    if (powod == Qt::TabFocusReason || powod == Qt::BacktabFocusReason || powod == Qt::ShortcutFocusReason)
        selectAll();
    Migaj();
    update();
}

void PoleTekstowe::focusOutEvent(QFocusEvent* zdarzenie)
{
    const Qt::FocusReason powod = zdarzenie->reason();
    if (powod != Qt::ActiveWindowFocusReason && powod != Qt::PopupFocusReason)
        deselect();
    miganie_.stop();
    update();
}

void PoleTekstowe::inputMethodEvent(QInputMethodEvent* zdarzenie)
{
    // Positions the input method names count from the text it was shown.
    const qsizetype otoczenie = PoczatekOtoczenia();
    if (!zdarzenie->commitString().isEmpty() || zdarzenie->replacementLength() > 0) {
        qsizetype od = selectionStart();
        qsizetype ile = selectionEnd() - od;
        if (!hasSelectedText() && zdarzenie->replacementLength() > 0) {
            od = std::clamp<qsizetype>(kursor_ + zdarzenie->replacementStart(), 0, tekst_.size());
            ile = std::min<qsizetype>(zdarzenie->replacementLength(), tekst_.size() - od);
        }
        Zmien(od, ile, zdarzenie->commitString(), Rodzaj::Pisanie);
    }
    preedit_ = zdarzenie->preeditString();
    biegi_ = {};
    kursorPreedit_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& atrybut : zdarzenie->attributes()) {
        if (atrybut.type == QInputMethodEvent::Cursor)
            kursorPreedit_ = atrybut.start;
        else if (atrybut.type == QInputMethodEvent::Selection)
            setSelection(otoczenie + atrybut.start, otoczenie + atrybut.start + atrybut.length);
    }
    PokazKursor();
}

void PoleTekstowe::timerEvent(QTimerEvent* zdarzenie)
{
    if (zdarzenie->timerId() != miganie_.timerId())
        return QWidget::timerEvent(zdarzenie);
    kursorWidoczny_ = !kursorWidoczny_;
    update(ProstokatKursora());
}

void PoleTekstowe::changeEvent(QEvent* zdarzenie)
{
    if (zdarzenie->type() == QEvent::FontChange || zdarzenie->type() == QEvent::StyleChange
        || zdarzenie->type() == QEvent::LayoutDirectionChange) {
        biegi_ = {};
        PokazKursor();
    }
    QWidget::changeEvent(zdarzenie);
}

void PoleTekstowe::resizeEvent(QResizeEvent*) { PokazKursor(); }

// One edit, recorded for undo: replaces ile characters at od with nowy.
void PoleTekstowe::Zmien(qsizetype od, qsizetype ile, const QString& nowy, Rodzaj rodzaj)
{
    if (ile == 0 && nowy.isEmpty())
        return;
    Dopisz({od, tekst_.mid(od, ile), nowy, kursor_, kotwica_, rodzaj});
    ponow_.clear();
    Zastosuj(od, ile, nowy);
    scalaj_ = rodzaj != Rodzaj::Inne;
}

// Typing, Backspace and Delete join the run they continue, so that undo
// takes back a typed word rather than a letter.
void PoleTekstowe::Dopisz(Edycja edycja)
{
    if (scalaj_ && !cofnij_.empty() && cofnij_.back().rodzaj == edycja.rodzaj) {
        Edycja& ostatnia = cofnij_.back();
        if (edycja.rodzaj == Rodzaj::Pisanie && edycja.usuniete.isEmpty()
            && edycja.od == ostatnia.od + ostatnia.wstawione.size()) {
            ostatnia.wstawione += edycja.wstawione;
            return;
        }
        if (edycja.rodzaj == Rodzaj::Wstecz && edycja.od + edycja.usuniete.size() == ostatnia.od) {
            ostatnia.usuniete.prepend(edycja.usuniete);
            ostatnia.od = edycja.od;
            return;
        }
        if (edycja.rodzaj == Rodzaj::Usun && edycja.od == ostatnia.od) {
            ostatnia.usuniete += edycja.usuniete;
            return;
        }
    }
    cofnij_.push_back(std::move(edycja));
}

// Changes the text, puts the cursor after the new part and tells
// assistive technology.
void PoleTekstowe::Zastosuj(qsizetype od, qsizetype ile, const QString& nowy)
{
    const QString usuniete = QAccessible::isActive() ? tekst_.mid(od, ile) : QString();
    tekst_.replace(od, ile, nowy);
    odPrawej_ = tekst_.isRightToLeft();
    for (Bieg& bieg : biegi_)
        if (od < bieg.do_)
            bieg = {};
    kursor_ = kotwica_ = od + nowy.size();
    PokazKursor();
    Migaj();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent zmiana(this, static_cast<int>(od), usuniete, nowy);
        QAccessible::updateAccessibility(&zmiana);
    }
}

void PoleTekstowe::Przesun(qsizetype pozycja, bool zaznaczaj)
{
    const bool bylo = hasSelectedText();
    kursor_ = pozycja;
    if (!zaznaczaj)
        kotwica_ = pozycja;
    scalaj_ = false;
    PokazKursor();
    Migaj();
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent ruch(this, static_cast<int>(kursor_));
        QAccessible::updateAccessibility(&ruch);
        if (bylo || hasSelectedText()) {
            QAccessibleTextSelectionEvent zaznaczenie(this,
                static_cast<int>(selectionStart()),
                static_cast<int>(selectionEnd()));
            QAccessible::updateAccessibility(&zaznaczenie);
        }
    }
}

// What the user selected goes to the X11 primary selection, for a middle
// click elsewhere.
void PoleTekstowe::Zaznaczono() const
{
    if (hasSelectedText() && QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
}

void PoleTekstowe::Wpisz(const QString& tekst, Rodzaj rodzaj)
{
    Zmien(selectionStart(), selectionEnd() - selectionStart(), tekst, rodzaj);
}

// Deletes the selection, or else the text between the cursor and pozycja.
void PoleTekstowe::UsunDo(qsizetype pozycja, Rodzaj rodzaj)
{
    if (hasSelectedText())
        Wpisz({}, rodzaj);
    else
        Zmien(std::min(kursor_, pozycja), std::abs(kursor_ - pozycja), {}, rodzaj);
}

// Drags the selection out: copied, or moved when it lands elsewhere (a move
// within the field is the drop's work).
void PoleTekstowe::Przeciagnij()
{
    const qsizetype od = selectionStart();
    const QString tekst = selectedText();
    auto* dane = new QMimeData;
    dane->setText(tekst);
    auto* przeciaganie = new QDrag(this);
    przeciaganie->setMimeData(dane);
    const Qt::DropAction wynik = przeciaganie->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (wynik == Qt::MoveAction && przeciaganie->target() != this && tekst_.mid(od, tekst.size()) == tekst)
        Zmien(od, tekst.size(), {}, Rodzaj::Inne);
}

void PoleTekstowe::ZaznaczSlowo(qsizetype pozycja)
{
    const qsizetype od = Slowo(std::min(pozycja + 1, tekst_.size()), -1);
    qsizetype do_ = Slowo(od, 1);
    while (do_ > pozycja && do_ > od && tekst_.at(do_ - 1).isSpace())
        --do_;
    kotwica_ = od;
    Przesun(std::max(do_, od), true);
}

// The grapheme boundary after (kierunek 1), before (-1) or at or before (0)
// a position, found in the characters around it.
qsizetype PoleTekstowe::Grafem(qsizetype pozycja, int kierunek) const
{
    constexpr qsizetype Zasieg = 32;
    const qsizetype od = std::max<qsizetype>(0, pozycja - Zasieg);
    const qsizetype do_ = std::min(tekst_.size(), pozycja + Zasieg);
    QTextBoundaryFinder szukacz(QTextBoundaryFinder::Grapheme, tekst_.constData() + od, do_ - od);
    szukacz.setPosition(pozycja - od);
    qsizetype wynik = pozycja - od;
    if (kierunek > 0)
        wynik = szukacz.toNextBoundary();
    else if (kierunek < 0 || !szukacz.isAtBoundary())
        wynik = szukacz.toPreviousBoundary();
    return wynik < 0 ? pozycja : od + wynik;
}

// Where Ctrl+Right (kierunek 1) or Ctrl+Left (-1) takes the cursor, as the
// toolkit's text layout has it, from the text around the cursor.
qsizetype PoleTekstowe::Slowo(qsizetype pozycja, int kierunek) const
{
    for (qsizetype zasieg = Wycinek;; zasieg *= 4) {
        const qsizetype od = std::max<qsizetype>(0, pozycja - zasieg);
        const qsizetype do_ = std::min(tekst_.size(), pozycja + zasieg);
        const QTextLayout uklad(tekst_.mid(od, do_ - od));
        const int w = static_cast<int>(pozycja - od);
        const qsizetype wynik = od
            + (kierunek > 0 ? uklad.nextCursorPosition(w, QTextLayout::SkipWords)
                            : uklad.previousCursorPosition(w, QTextLayout::SkipWords));
        if (kierunek > 0 ? wynik < do_ || do_ == tekst_.size() : wynik > od || od == 0)
            return wynik;
    }
}

// The style's sunken frame of a line edit.
QStyleOptionFrame PoleTekstowe::Ramka() const
{
    QStyleOptionFrame ramka;
    ramka.initFrom(this);
    ramka.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &ramka, this);
    ramka.state |= QStyle::State_Sunken;
    return ramka;
}

QRect PoleTekstowe::Obszar() const
{
    const QStyleOptionFrame ramka = Ramka();
    return style()->subElementRect(QStyle::SE_LineEditContents, &ramka, this);
}

// Where the text starts: one line at the top of the field, however tall it is.
QPoint PoleTekstowe::MiejsceTekstu() const
{
    const QRect obszar = Obszar();
    return {obszar.left() + MarginesPoziomy, obszar.top() + MarginesPionowy};
}

int PoleTekstowe::SzerokoscTekstu() const { return Obszar().width() - 2 * MarginesPoziomy; }

// Lays out the slice from poczatek_ that fills the field's width.
void PoleTekstowe::Uloz()
{
    const int szerokosc = SzerokoscTekstu();
    for (qsizetype ile = Wycinek;; ile *= 4) {
        koniec_ = std::min(tekst_.size(), poczatek_ + ile);
        if (koniec_ < tekst_.size() && tekst_.at(koniec_ - 1).isHighSurrogate())
            ++koniec_;
        UlozWycinek(uklad_, poczatek_, koniec_);
        if (koniec_ == tekst_.size() || uklad_.lineAt(0).naturalTextWidth() > szerokosc)
            return;
    }
}

// Lays out the text from od to do_ in the text's direction, with what an
// input method composes at the cursor, and with the tab stops of the whole
// text rather than of the slice.
void PoleTekstowe::UlozWycinek(QTextLayout& uklad, qsizetype od, qsizetype do_) const
{
    QString wycinek = tekst_.mid(od, do_ - od);
    std::replace_if(wycinek.begin(), wycinek.end(), LamieWiersz, QChar(u' '));
    QTextOption opcja;
    opcja.setWrapMode(QTextOption::NoWrap);
    opcja.setTextDirection(OdPrawej() ? Qt::RightToLeft : Qt::LeftToRight);
    opcja.setFlags(QTextOption::IncludeTrailingSpaces);
    uklad.setText(wycinek);
    uklad.setFont(font());
    const bool preedit = ZPreeditem(od, do_);
    uklad.setPreeditArea(preedit ? static_cast<int>(kursor_ - od) : -1, preedit ? preedit_ : QString());
    const qreal wciecie = wycinek.contains(u'\t') && !OdPrawej() ? Wciecie(od) : 0;
    for (qreal zasieg = 0;;) {
        if (wciecie > 0)
            opcja.setTabs(StopyTabulatora(wciecie, zasieg));
        uklad.clearLayout();
        uklad.setTextOption(opcja);
        uklad.beginLayout();
        uklad.createLine();
        uklad.endLayout();
        // Once more with stops as far as the text runs.
        const qreal szerokosc = uklad.lineAt(0).naturalTextWidth();
        if (wciecie == 0 || szerokosc <= zasieg)
            return;
        zasieg = szerokosc + OdstepTabulatora;
    }
}

// How far past a tab stop the text from od starts: the width from the last
// tab before it, or from the start of the text. A long run without tabs is
// measured once; later the width to a nearby od is measured from there (two
// runs are remembered: the slice's and one a scroll looks back into).
qreal PoleTekstowe::Wciecie(qsizetype od) const
{
    const qsizetype poTabulatorze = od > 0 ? tekst_.lastIndexOf(u'\t', od - 1) + 1 : 0;
    if (poTabulatorze == od)
        return 0;
    const auto szerokosc = [this](qsizetype poczatek, qsizetype koniec) {
        QTextLayout uklad;
        UlozWycinek(uklad, poczatek, koniec);
        return uklad.lineAt(0).naturalTextWidth();
    };
    if (biegi_[1].od != poTabulatorze)
        std::swap(biegi_[0], biegi_[1]);
    Bieg& bieg = biegi_[1];
    if (bieg.od != poTabulatorze)
        bieg = {poTabulatorze, poTabulatorze, 0};
    bieg.szerokosc += od > bieg.do_ ? szerokosc(bieg.do_, od) : -szerokosc(od, bieg.do_);
    bieg.do_ = od;
    return std::fmod(bieg.szerokosc, OdstepTabulatora);
}

// Where a position of the text falls in the slice laid out from od: the
// cursor stands where it is in what is being composed, and the text after
// it follows that.
int PoleTekstowe::WUkladzie(qsizetype od, qsizetype pozycja) const
{
    qsizetype wynik = pozycja - od;
    if (ZPreeditem(od, pozycja))
        wynik += pozycja == kursor_ ? kursorPreedit_ : preedit_.size();
    return static_cast<int>(wynik);
}

// Whether a slice from od to do_ holds what an input method is composing.
bool PoleTekstowe::ZPreeditem(qsizetype od, qsizetype do_) const
{
    return !preedit_.isEmpty() && od <= kursor_ && kursor_ <= do_;
}

// How far from the slice's start a position shows: from its left in
// left-to-right text, from its right in right-to-left text.
qreal PoleTekstowe::Odleglosc(const QTextLine& linia, int pozycja) const
{
    const qreal x = linia.cursorToX(pozycja);
    return OdPrawej() ? linia.naturalTextWidth() - x : x;
}

int PoleTekstowe::PozycjaW(const QTextLine& linia, qreal odleglosc) const
{
    return linia.xToCursor(OdPrawej() ? linia.naturalTextWidth() - odleglosc : odleglosc);
}

// Where the slice's layout starts in the field: the slice's start meets
// the left edge, or in right-to-left text the right one, two pixels short
// as in Qt's line edit.
qreal PoleTekstowe::Przesuniecie() const
{
    return OdPrawej() ? SzerokoscTekstu() - std::round(uklad_.lineAt(0).naturalTextWidth()) - 2 : 0;
}

// Scrolls as little as keeps the cursor in sight, and no further right
// than the text's end needs.
void PoleTekstowe::PokazKursor()
{
    const int szerokosc = SzerokoscTekstu();
    poczatek_ = Grafem(std::min({poczatek_, kursor_, tekst_.size()}), 0);
    Uloz();
    const QTextLine linia = uklad_.lineAt(0);
    if (Odleglosc(linia, WUkladzie(poczatek_, kursor_)) > szerokosc) {
        poczatek_ = PoczatekPrzed(kursor_);
        Uloz();
    } else if (poczatek_ > 0 && koniec_ == tekst_.size() && linia.naturalTextWidth() < szerokosc) {
        poczatek_ = std::min(poczatek_, PoczatekPrzed(tekst_.size()));
        Uloz();
    }
    update();
    // An input method's candidate window follows the caret.
    updateMicroFocus();
}

// The first position from which the text up to koniec fits the width (to
// the caret in what is being composed, when koniec is the cursor).
qsizetype PoleTekstowe::PoczatekPrzed(qsizetype koniec) const
{
    const int szerokosc = SzerokoscTekstu() - 1;
    for (qsizetype ile = Wycinek;; ile *= 4) {
        qsizetype od = std::max<qsizetype>(0, koniec - ile);
        if (od > 0 && tekst_.at(od).isLowSurrogate())
            --od;
        QTextLayout uklad;
        UlozWycinek(uklad, od, koniec);
        const QTextLine linia = uklad.lineAt(0);
        const qreal prawo = Odleglosc(linia, WUkladzie(od, koniec));
        if (prawo > szerokosc) {
            int p = PozycjaW(linia, prawo - szerokosc);
            if (Odleglosc(linia, p) < prawo - szerokosc)
                p = uklad.nextCursorPosition(p);
            return std::min(od + p, ZPreeditem(od, koniec) ? kursor_ : koniec);
        }
        if (od == 0)
            return 0;
    }
}

QRect PoleTekstowe::ProstokatKursora() const
{
    const qreal x = Przesuniecie() + uklad_.lineAt(0).cursorToX(WUkladzie(poczatek_, kursor_));
    const QPoint miejsce = MiejsceTekstu();
    return {miejsce.x() + static_cast<int>(x) - 2,
        miejsce.y(),
        5,
        static_cast<int>(std::ceil(uklad_.lineAt(0).height()))};
}

// The text's own direction, as line edits take it from its first letter;
// an empty field follows the window's (asking the input method, as line
// edits do, crashes Qt 6.4 on Wayland before the window is shown).
bool PoleTekstowe::OdPrawej() const { return tekst_.isEmpty() ? layoutDirection() == Qt::RightToLeft : odPrawej_; }

// Where the text that input methods see starts.
qsizetype PoleTekstowe::PoczatekOtoczenia() const { return std::max<qsizetype>(0, kursor_ - 512); }

// Shows the caret and starts it blinking anew, as after every keystroke.
void PoleTekstowe::Migaj()
{
    kursorWidoczny_ = true;
    const int okres = QGuiApplication::styleHints()->cursorFlashTime() / 2;
    if (hasFocus() && okres > 0)
        miganie_.start(okres, this);
    else
        miganie_.stop();
}

}  // namespace wirlok
