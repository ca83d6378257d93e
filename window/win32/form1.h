// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace wirlok {

// Registers the window class Form1 and creates the program's window, with
// the controls of the shared table, wired to the window commands.
HWND UtworzForm1(HINSTANCE instancja);

// Runs the message loop with the dialog keyboard (Tab, Shift+Tab, Space on
// a button) until the window is closed. Returns the exit code.
int PetlaKomunikatow(HWND okno);

}  // namespace wirlok
