// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Resources of the program file, shared by wirlok.rc and the code.
#define IDI_WIRLOK 1
