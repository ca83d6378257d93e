// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The character error rate of the receiver against libcw's adaptive
// receiver on the same timings: random words keyed by a human hand (each
// element and gap off by up to 20 %, the speed drifting by 20 % over the
// message), with standard and with Farnsworth spacing.
#include "cipher/szyfruj.h"
#include "sygnal/odbieranie.h"

#include <libcw.h>
#include <sys/time.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr std::uint8_t MORS = 10;
constexpr double Blok = 128.0 / 48000;  // the receiver is told of a space every block of audio
constexpr double Odpytanie = 0.005;     // libcw is polled through a space this often
constexpr int Wiadomosci = 10;
constexpr std::size_t Dlugosc = 350;

// A mark and the space after it, in seconds.
struct Element {
    double znak;
    double przerwa;
};

struct Wiadomosc {
    std::string tekst;
    std::vector<Element> elementy;
};

class Los {
public:
    explicit Los(unsigned ziarno)
        : silnik_(ziarno)
    {
    }
    double Rozrzut() { return 0.8 + 0.4 * static_cast<double>(silnik_()) / std::mt19937::max(); }
    std::size_t Ile(std::size_t od, std::size_t do_) { return od + silnik_() % (do_ - od + 1); }

private:
    std::mt19937 silnik_;
};

// Words of 1 to 8 random letters.
std::string Tekst(Los& los)
{
    std::string tekst;
    while (tekst.size() < Dlugosc) {
        if (!tekst.empty())
            tekst += ' ';
        for (std::size_t i = los.Ile(1, 8); i > 0; --i)
            tekst += static_cast<char>('a' + los.Ile(0, 25));
    }
    return tekst;
}

// Characters at `slowa` words per minute, the spacing at `ogolem`
// (Farnsworth) or the same.
Wiadomosc Nadaj(double slowa, double ogolem, unsigned ziarno)
{
    Los los(ziarno);
    Wiadomosc w{Tekst(los), {}};
    for (std::size_t i = 0; i < w.tekst.size(); ++i) {
        if (w.tekst[i] == ' ')
            continue;
        const double dryf = 1.1 - 0.2 * static_cast<double>(i) / static_cast<double>(w.tekst.size());
        const double u = 1.2 / (slowa * dryf);
        const double ta = ogolem < slowa ? (60 / (ogolem * dryf) - 31 * u) / 19 : u;
        const double odstep = i + 1 == w.tekst.size() ? 0 : w.tekst[i + 1] == ' ' ? 7 * ta : 3 * ta;
        const std::u32string kod = Szyfruj(MORS, std::u32string(1, static_cast<char32_t>(w.tekst[i])));
        for (std::size_t e = 1; e + 1 < kod.size(); ++e) {
            const double przerwa = e + 2 == kod.size() ? odstep : u;
            w.elementy.push_back({los.Rozrzut() * (kod[e] == U'.' ? u : 3 * u), los.Rozrzut() * przerwa});
        }
    }
    return w;
}

std::string Nasz(const Wiadomosc& w)
{
    Odbiornik odbiornik;
    std::u32string zapis;
    for (const Element& e : w.elementy) {
        odbiornik.Znak(e.znak);
        for (double t = Blok; t < e.przerwa; t += Blok)
            odbiornik.Przerwa(t);
        odbiornik.Przerwa(e.przerwa);
        zapis += odbiornik.Odbierz();
    }
    odbiornik.Koniec();
    zapis += odbiornik.Odbierz();
    const std::u32string tekst = Szyfruj(MORS, DoWstawienia(0, zapis));
    return {tekst.begin(), tekst.end()};
}

timeval Chwila(double sekundy)
{
    const auto us = static_cast<long long>(sekundy * 1e6);
    return {static_cast<time_t>(us / 1000000), static_cast<suseconds_t>(us % 1000000)};
}

// libcw starts at the message's true speed, in adaptive mode, and is polled
// through each space as a program would; a code it cannot read is an error,
// and its buffer is cleared for the next.
std::string Libcw(const Wiadomosc& w, double slowa)
{
    cw_reset_receive();
    cw_disable_adaptive_receive();
    cw_set_receive_speed(static_cast<int>(std::lround(slowa * 1.1)));
    cw_enable_adaptive_receive();
    std::string tekst;
    double t = 1000;
    for (const Element& e : w.elementy) {
        const timeval poczatek = Chwila(t);
        cw_start_receive_tone(&poczatek);
        t += e.znak;
        const timeval koniec = Chwila(t);
        cw_end_receive_tone(&koniec);
        const double przerwa = e.przerwa > 0 ? e.przerwa : 10;
        bool litera = false;
        for (double s = Odpytanie; s < przerwa; s += Odpytanie) {
            const timeval teraz = Chwila(t + s);
            char znak = 0;
            bool slowo = false;
            bool blad = false;
            if (cw_receive_character(&teraz, &znak, &slowo, &blad) != CW_SUCCESS) {
                if (errno == EAGAIN)  // the space is not over yet
                    continue;
                tekst += '?';  // a code libcw has no character for
                cw_clear_receive_buffer();
                break;
            }
            if (!litera)
                tekst += static_cast<char>(std::tolower(static_cast<unsigned char>(znak)));
            litera = true;
            if (slowo) {
                tekst += ' ';
                cw_clear_receive_buffer();
                break;
            }
        }
        if (litera)
            cw_clear_receive_buffer();
        t += przerwa;
    }
    while (!tekst.empty() && tekst.back() == ' ')
        tekst.pop_back();
    return tekst;
}

std::size_t Levenshtein(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> wiersz(b.size() + 1);
    std::iota(wiersz.begin(), wiersz.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t ukos = wiersz[0];
        wiersz[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t nad = wiersz[j];
            wiersz[j] = std::min({wiersz[j] + 1, wiersz[j - 1] + 1, ukos + (a[i - 1] == b[j - 1] ? 0 : 1)});
            ukos = nad;
        }
    }
    return wiersz[b.size()];
}

}  // namespace
}  // namespace wirlok::bench

int main()
{
    using namespace wirlok::bench;
    std::printf("Character error rate, %d messages of %zu characters a cell\n", Wiadomosci, Dlugosc);
    std::printf("%-6s %-12s %10s %10s\n", "WPM", "spacing", "Wirlok", "libcw");
    for (const double slowa : {5, 8, 12, 16, 20, 25, 30}) {
        for (const bool farnsworth : {false, true}) {
            if (farnsworth && slowa < 10)
                continue;
            std::size_t wyslane = 0;
            std::size_t nasze = 0;
            std::size_t libcw = 0;
            for (int i = 0; i < Wiadomosci; ++i) {
                const Wiadomosc w = Nadaj(slowa, farnsworth ? slowa / 2 : slowa, static_cast<unsigned>(slowa * 10 + i));
                wyslane += w.tekst.size();
                nasze += Levenshtein(Nasz(w), w.tekst);
                libcw += Levenshtein(Libcw(w, slowa), w.tekst);
            }
            std::printf("%-6.0f %-12s %9.2f%% %9.2f%%\n",
                slowa,
                farnsworth ? "Farnsworth" : "standard",
                100.0 * static_cast<double>(nasze) / static_cast<double>(wyslane),
                100.0 * static_cast<double>(libcw) / static_cast<double>(wyslane));
        }
    }
}
