// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The Windows window with long texts, measured as okno.cpp measures the Qt
// one: a 1,000,000-character Polish text to Morse and back, each from the
// click to the fields painted; a keystroke in the field holding the Morse
// result; the CPU the process uses while idle with that field focused; the
// process's peak memory. Prints the numbers and sets no limit. Runs on
// Windows or under Wine (make bench: under Xvfb).

#include "bench/proza.h"
#include "bench/stoper.h"
#include "window/utf16.h"
#include "window/win32/form1.h"

#include <psapi.h>

#include <cstdio>
#include <string>

namespace {

using wirlok::bench::Milisekundy;

double CzasProcesora()
{
    FILETIME utworzenie{}, koniec{}, jadro{}, uzytkownik{};
    GetProcessTimes(GetCurrentProcess(), &utworzenie, &koniec, &jadro, &uzytkownik);
    const auto sekundy = [](FILETIME czas) {
        return static_cast<double>((static_cast<unsigned long long>(czas.dwHighDateTime) << 32U) | czas.dwLowDateTime)
            / 1e7;
    };
    return sekundy(jadro) + sekundy(uzytkownik);
}

// Handles the window's messages as its loop does, for the given time.
void Czekaj(DWORD milisekundy)
{
    const ULONGLONG koniec = GetTickCount64() + milisekundy;
    for (ULONGLONG teraz = GetTickCount64(); teraz < koniec; teraz = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(koniec - teraz), QS_ALLINPUT);
        MSG komunikat{};
        while (PeekMessageW(&komunikat, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&komunikat);
            DispatchMessageW(&komunikat);
        }
    }
}

}  // namespace

int main()
{
    const HWND okno = wirlok::UtworzForm1(GetModuleHandleW(nullptr));
    if (okno == nullptr)
        return 1;
    ShowWindow(okno, SW_SHOW);
    Czekaj(500);
    // The fields in creation order, which is the tab order: b, then a.
    const HWND b = FindWindowExW(okno, nullptr, L"Edit", nullptr);
    const HWND a = FindWindowExW(okno, b, L"Edit", nullptr);
    const HWND tlumacz = FindWindowExW(okno, nullptr, L"Button", L"Przetłumacz");
    const HWND wyczysc1 = FindWindowExW(okno, nullptr, L"Button", L"Wyczyść górę");
    if (a == nullptr || b == nullptr || tlumacz == nullptr || wyczysc1 == nullptr)
        return 1;
    const auto kliknij = [okno](HWND przycisk) {
        SendMessageW(przycisk, BM_CLICK, 0, 0);
        RedrawWindow(okno, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };

    const std::u16string proza = wirlok::DoUtf16(wirlok::bench::Proza(1'000'000));
    SetWindowTextW(a, reinterpret_cast<const wchar_t*>(proza.c_str()));
    std::printf("1,000,000 characters to Morse: %.0f ms\n", Milisekundy([&] { kliknij(tlumacz); }));
    kliknij(wyczysc1);
    std::printf("and back (%d Morse characters): %.0f ms\n", GetWindowTextLengthW(b), Milisekundy([&] {
        kliknij(tlumacz);
    }));

    SetFocus(b);
    SendMessageW(b, EM_SETSEL, 0, 0);
    constexpr int Uderzenia = 5;
    const double pisanie = Milisekundy([&] {
        for (int i = 0; i < Uderzenia; ++i) {
            SendMessageW(b, WM_CHAR, L'x', 0);
            UpdateWindow(b);
        }
    });
    std::printf("a keystroke in the Morse field: %.0f ms\n", pisanie / Uderzenia);

    constexpr DWORD Bezczynnosc = 3000;
    const double przed = CzasProcesora();
    Czekaj(Bezczynnosc);
    std::printf("CPU while idle with that field focused: %.1f %%\n",
        100.0 * (CzasProcesora() - przed) / (Bezczynnosc / 1000.0));

    PROCESS_MEMORY_COUNTERS pamiec{};
    GetProcessMemoryInfo(GetCurrentProcess(), &pamiec, sizeof(pamiec));
    std::printf("peak memory of the process: %zu MB\n", pamiec.PeakWorkingSetSize / (1024 * 1024));
    DestroyWindow(okno);
    return 0;
}
