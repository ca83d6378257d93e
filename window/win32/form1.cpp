// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/win32/form1.h"

#include "window/kontrolki.h"
#include "window/listaszyfrow.h"
#include "window/utf16.h"
#include "window/win32/zasoby.h"
#include "window/zdarzenia.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace wirlok {
namespace {

constexpr const wchar_t* KlasaOkna = L"Form1";
constexpr DWORD StylOkna = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // close box only, fixed size
constexpr DWORD StylRozszerzony = WS_EX_TOOLWINDOW;                  // small caption, no taskbar button
// Control identifiers start clear of IDOK and IDCANCEL, which the dialog
// keyboard sends for Enter and Esc.
constexpr int PierwszyIdentyfikator = 100;

std::wstring Szerokie(std::u32string_view tekst)
{
    const std::u16string utf16 = DoUtf16(tekst);
    return {utf16.begin(), utf16.end()};
}

std::u32string Tekst(HWND kontrolka)
{
    std::wstring tekst(static_cast<std::size_t>(GetWindowTextLengthW(kontrolka)) + 1, L'\0');
    tekst.resize(static_cast<std::size_t>(GetWindowTextW(kontrolka, tekst.data(), static_cast<int>(tekst.size()))));
    return ZUtf16(std::u16string(tekst.begin(), tekst.end()));
}

// What the window keeps beside its controls.
struct Okno {
    std::array<HWND, Kontrolki.size()> kontrolki{};  // in the order of the table
    HFONT czcionka = nullptr;
    HWND skupienie = nullptr;  // the control that gets the focus back when the window is activated
};

// Null before the window is created and after it is destroyed.
Okno* DaneOkna(HWND okno) { return reinterpret_cast<Okno*>(GetWindowLongPtrW(okno, GWLP_USERDATA)); }

std::size_t Indeks(std::string_view nazwa)
{
    std::size_t i = 0;
    while (Kontrolki[i].nazwa != nazwa)
        ++i;
    return i;
}

HWND Uchwyt(const Okno& okno, std::string_view nazwa) { return okno.kontrolki[Indeks(nazwa)]; }

// Replaces the field's text as an edit of its own, so that the field's undo
// brings the old text back.
void Zastap(HWND pole, const std::u32string& tekst)
{
    const std::wstring nowy = Szerokie(tekst);
    SendMessageW(pole, EM_SETSEL, 0, -1);
    SendMessageW(pole, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(nowy.c_str()));
    SendMessageW(pole, EM_SETSEL, 0, 0);
}

std::int16_t WybranyWpis(HWND lista)
{
    return wirlok::WybranyWpis(static_cast<int>(SendMessageW(lista, CB_GETCURSEL, 0, 0)), Tekst(lista));
}

void Wykonaj(const Okno& okno, Polecenie polecenie)
{
    const HWND a = Uchwyt(okno, "a");
    const HWND b = Uchwyt(okno, "b");
    const HWND lista = Uchwyt(okno, "listaszyfrow");
    StanOkna stan{Tekst(a), Tekst(b), WybranyWpis(lista)};
    const Zmiany zmiany = wirlok::Wykonaj(polecenie, stan);
    if (zmiany.a)
        Zastap(a, stan.a);
    if (zmiany.b)
        Zastap(b, stan.b);
    if (zmiany.listaszyfrow)
        SendMessageW(lista, CB_SETCURSEL, static_cast<WPARAM>(stan.listaszyfrow), 0);
}

Polecenie PolecenieKontrolki(std::string_view nazwa)
{
    for (const Klikniecie& klikniecie : Klikniecia) {
        if (klikniecie.przycisk == nazwa)
            return klikniecie.polecenie;
    }
    return nullptr;
}

// A single-line field would keep only the first line of a pasted text;
// this one takes it whole.
LRESULT CALLBACK PoleTekstowe(HWND pole, UINT komunikat, WPARAM w, LPARAM l, UINT_PTR /*id*/, DWORD_PTR /*dane*/)
{
    if (komunikat != WM_PASTE || !OpenClipboard(pole))
        return DefSubclassProc(pole, komunikat, w, l);
    if (const HANDLE dane = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* tekst = static_cast<const wchar_t*>(GlobalLock(dane))) {
            const std::wstring wklejany(tekst);
            GlobalUnlock(dane);
            SendMessageW(pole, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wklejany.c_str()));
        }
    }
    CloseClipboard();
    return 0;
}

HWND UtworzKontrolke(HWND okno, const Kontrolka& kontrolka)
{
    const auto id = static_cast<INT_PTR>(PierwszyIdentyfikator + Indeks(kontrolka.nazwa));
    const auto utworz = [&](const wchar_t* klasa, DWORD styl, DWORD rozszerzony, const std::wstring& tekst) {
        return CreateWindowExW(rozszerzony,
            klasa,
            tekst.c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | styl,
            0,
            0,
            0,
            0,
            okno,
            reinterpret_cast<HMENU>(id),
            GetModuleHandleW(nullptr),
            nullptr);
    };
    switch (kontrolka.rodzaj) {
    case Rodzaj::PoleTekstowe: {
        const HWND pole = utworz(L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {});
        SendMessageW(pole, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows: the default would cut long results
        SetWindowSubclass(pole, PoleTekstowe, 0, 0);
        return pole;
    }
    case Rodzaj::ListaRozwijana: {
        const HWND lista = utworz(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0, {});
        for (const WpisListy& wpis : ListaSzyfrow)
            SendMessageW(lista, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Szerokie(wpis.tekst).c_str()));
        return lista;
    }
    case Rodzaj::Przycisk: return utworz(L"BUTTON", BS_PUSHBUTTON, 0, Szerokie(kontrolka.podpis));
    }
    return nullptr;
}

// A drop-down list's own height includes its open list; closed, it is as
// tall as its selection field with its border.
void UstawWysokoscZamknietej(HWND lista, int wysokosc)
{
    constexpr auto poleWyboru = static_cast<WPARAM>(-1);  // not an entry: the selection field
    const auto wysokoscPola = static_cast<int>(SendMessageW(lista, CB_GETITEMHEIGHT, poleWyboru, 0));
    RECT r{};
    GetWindowRect(lista, &r);
    const int brzegi = (r.bottom - r.top) - wysokoscPola;
    SendMessageW(lista, CB_SETITEMHEIGHT, poleWyboru, std::max(1, wysokosc - brzegi));
}

// Places the controls, and sizes the window, at the window's resolution,
// with the platform's dialog font for that resolution.
void Rozmiesc(HWND hwnd, Okno& okno, UINT dpi)
{
    const int d = static_cast<int>(dpi);
    NONCLIENTMETRICSW metryki{};
    metryki.cbSize = sizeof(metryki);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metryki), &metryki, 0, dpi);
    const HFONT stara = okno.czcionka;
    okno.czcionka = CreateFontIndirectW(&metryki.lfMessageFont);

    for (std::size_t i = 0; i < Kontrolki.size(); ++i) {
        const Prostokat& m = Kontrolki[i].miejsce;
        const HWND kontrolka = okno.kontrolki[i];
        SendMessageW(kontrolka, WM_SETFONT, reinterpret_cast<WPARAM>(okno.czcionka), TRUE);
        int wysokosc = Piksele(m.wysokosc, d);
        if (Kontrolki[i].rodzaj == Rodzaj::ListaRozwijana) {
            UstawWysokoscZamknietej(kontrolka, wysokosc);
            wysokosc *= static_cast<int>(ListaSzyfrow.size()) + 2;  // with room for the open list
        }
        MoveWindow(kontrolka, Piksele(m.lewo, d), Piksele(m.gora, d), Piksele(m.szerokosc, d), wysokosc, TRUE);
    }
    if (stara != nullptr)
        DeleteObject(stara);

    RECT r{0, 0, Piksele(SzerokoscOkna, d), Piksele(WysokoscOkna, d)};
    AdjustWindowRectExForDpi(&r, StylOkna, FALSE, StylRozszerzony, dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Utworzono(HWND hwnd)
{
    auto* okno = new Okno;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(okno));
    // Created in tab order: the dialog keyboard follows the creation order.
    for (const Kontrolka& kontrolka : KontrolkiWKolejnosciTab())
        okno->kontrolki[Indeks(kontrolka.nazwa)] = UtworzKontrolke(hwnd, kontrolka);
    Rozmiesc(hwnd, *okno, GetDpiForWindow(hwnd));
    Wykonaj(*okno, Form1_Load);
    okno->skupienie = Uchwyt(*okno, "Tlumacz");
    return 0;
}

void Kliknieto(const Okno& okno, WPARAM w)
{
    const auto i = static_cast<std::size_t>(LOWORD(w) - PierwszyIdentyfikator);
    if (HIWORD(w) != BN_CLICKED || i >= Kontrolki.size())
        return;
    if (const Polecenie polecenie = PolecenieKontrolki(Kontrolki[i].nazwa))
        Wykonaj(okno, polecenie);
}

// As in a dialog: the control that had the focus gets it back when the
// window is activated again.
void Aktywacja(HWND hwnd, Okno& okno, WPARAM w)
{
    if (LOWORD(w) != WA_INACTIVE) {
        SetFocus(okno.skupienie);
        return;
    }
    const HWND skupienie = GetFocus();
    if (skupienie != nullptr && IsChild(hwnd, skupienie))
        okno.skupienie = skupienie;
}

LRESULT CALLBACK ProceduraOkna(HWND hwnd, UINT komunikat, WPARAM w, LPARAM l)
{
    if (komunikat == WM_CREATE)
        return Utworzono(hwnd);
    Okno* okno = DaneOkna(hwnd);
    if (okno == nullptr)
        return DefWindowProcW(hwnd, komunikat, w, l);
    switch (komunikat) {
    case WM_COMMAND: Kliknieto(*okno, w); return 0;
    case WM_ACTIVATE: Aktywacja(hwnd, *okno, w); return 0;
    case WM_DPICHANGED: {
        Rozmiesc(hwnd, *okno, HIWORD(w));
        const auto* sugerowany = reinterpret_cast<const RECT*>(l);
        SetWindowPos(hwnd,
            nullptr,
            sugerowany->left,
            sugerowany->top,
            0,
            0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        DeleteObject(okno->czcionka);
        delete okno;
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcW(hwnd, komunikat, w, l);
    }
}

HICON Ikona(HINSTANCE instancja, int metryka)
{
    const int rozmiar = GetSystemMetrics(metryka);
    return static_cast<HICON>(
        LoadImageW(instancja, MAKEINTRESOURCEW(IDI_WIRLOK), IMAGE_ICON, rozmiar, rozmiar, LR_DEFAULTCOLOR));
}

}  // namespace

HWND UtworzForm1(HINSTANCE instancja)
{
    const INITCOMMONCONTROLSEX kontrolki{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&kontrolki);

    WNDCLASSEXW klasa{};
    klasa.cbSize = sizeof(klasa);
    klasa.lpfnWndProc = ProceduraOkna;
    klasa.hInstance = instancja;
    klasa.hIcon = Ikona(instancja, SM_CXICON);
    klasa.hIconSm = Ikona(instancja, SM_CXSMICON);
    klasa.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasa.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    klasa.lpszClassName = KlasaOkna;
    if (RegisterClassExW(&klasa) == 0)
        return nullptr;

    return CreateWindowExW(StylRozszerzony,
        KlasaOkna,
        Szerokie(TytulOkna).c_str(),
        StylOkna,
        CW_USEDEFAULT,
        CW_USEDEFAULT,
        CW_USEDEFAULT,
        CW_USEDEFAULT,
        nullptr,
        nullptr,
        instancja,
        nullptr);
}

int PetlaKomunikatow(HWND okno)
{
    MSG komunikat{};
    while (GetMessageW(&komunikat, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(okno, &komunikat)) {
            TranslateMessage(&komunikat);
            DispatchMessageW(&komunikat);
        }
    }
    return static_cast<int>(komunikat.wParam);
}

}  // namespace wirlok
