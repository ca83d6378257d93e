// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <chrono>
#include <functional>

namespace wirlok::bench {

// How long a call takes, in milliseconds of the steady clock.
inline double Milisekundy(const std::function<void()>& co)
{
    const auto poczatek = std::chrono::steady_clock::now();
    co();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - poczatek).count();
}

}  // namespace wirlok::bench
