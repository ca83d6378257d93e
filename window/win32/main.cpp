// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "window/win32/form1.h"

int WINAPI wWinMain(HINSTANCE instancja, HINSTANCE /*poprzednia*/, PWSTR /*wiersz*/, int pokaz)
{
    const HWND okno = wirlok::UtworzForm1(instancja);
    if (okno == nullptr)
        return 1;
    ShowWindow(okno, pokaz);
    return wirlok::PetlaKomunikatow(okno);
}
