// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include "sygnal/nauka.h"
#include "sygnal/reka.h"

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok {

// A hand keying a text: each mark and gap its kind's length in dots
// (dot, dash, within letters, between letters, between words), times a
// normal spread, and the true kinds.
struct Klucz {
    std::vector<double> czasy;
    std::vector<Element> rodzaje;
};

inline Klucz Kluczuj(std::string_view tekst, std::array<double, 5> dotow, double rozrzut, std::mt19937& los)
{
    std::normal_distribution<double> szum(1, rozrzut);
    Klucz k;
    const auto dodaj = [&](Element e) {
        k.rodzaje.push_back(e);
        k.czasy.push_back(0.06 * dotow[static_cast<std::size_t>(e)] * std::max(szum(los), 0.2));
    };
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == ' ')
            continue;
        if (i > 0)
            dodaj(tekst[i - 1] == ' ' ? Element::MiedzySlowami : Element::MiedzyLiterami);
        const std::string kod = KodLitery(tekst[i]);
        for (std::size_t e = 0; e < kod.size(); ++e) {
            if (e > 0)
                dodaj(Element::WLiterze);
            dodaj(kod[e] == '.' ? Element::Kropka : Element::Kreska);
        }
    }
    return k;
}

// Each kind's mean over the dots' mean, as keyed (0 for a kind not keyed).
inline std::array<double, 5> Proporcje(const Klucz& k)
{
    std::array<double, 5> suma{};
    std::array<double, 5> ile{};
    for (std::size_t i = 0; i < k.czasy.size(); ++i) {
        suma[static_cast<std::size_t>(k.rodzaje[i])] += k.czasy[i];
        ++ile[static_cast<std::size_t>(k.rodzaje[i])];
    }
    std::array<double, 5> proporcje{};
    for (std::size_t e = 0; e < suma.size(); ++e)
        proporcje[e] = ile[e] > 0 ? suma[e] / ile[e] / (suma[0] / ile[0]) : 0;
    return proporcje;
}

}  // namespace wirlok
