// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

// A function of the module's C interface, exported to the page by its name.
#define WIRLOK_EKSPORT(nazwa) extern "C" __attribute__((export_name(#nazwa)))
