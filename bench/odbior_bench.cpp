// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The character error rate of the receiver against libcw's adaptive
// receiver on the same timings, and against an ideal receiver told the
// true timing: random words of letters, digits and punctuation keyed by
// human hands (every element and gap times a normal factor, the speed
// drifting by 20 % over the message), a learner's short dashes, shortened
// letter gaps, a new sender after a pause, and Farnsworth spacing.
#include "sygnal/odbieranie.h"

#include <libcw.h>
#include <sys/time.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr double Blok = 128.0 / 48000;  // the receiver is told of a space every block of audio
constexpr double Odpytanie = 0.005;     // libcw is polled through a space this often
constexpr int Wiadomosci = 10;
constexpr std::size_t Dlugosc = 350;
constexpr std::string_view Interpunkcja = ".,?/=+-:'";
constexpr double Dryf = 0.2;
constexpr double Pauza = 3;       // before a new sender
constexpr int NajdluzszyKod = 6;  // of the codes keyed

// A hand: the spread of its factor, its dash in dots, its letter gap in
// units, the speed of a sender after a pause halfway (times the first),
// Farnsworth spacing at half the characters' speed.
struct Reka {
    const char* nazwa;
    double sigma;
    double kreska = 3;
    double litera = 3;
    double nowy = 0;
    bool farnsworth = false;
};

constexpr std::array<Reka, 8> Rece{{
    {"hand s=0.05", 0.05},
    {"hand s=0.10", 0.10},
    {"hand s=0.15", 0.15},
    {"learner s=0.15, dash 2.5", 0.15, 2.5},
    {"letter gap 2 s=0.10", 0.10, 3, 2},
    {"new sender x2 s=0.10", 0.10, 3, 3, 2},
    {"new sender x0.5 s=0.10", 0.10, 3, 3, 0.5},
    {"Farnsworth s=0.10", 0.10, 3, 3, 0, true},
}};

// A mark and the space after it, in seconds, with what the hand meant: the
// unit then, and the lengths it meant for the mark and the space.
struct Element {
    double znak;
    double przerwa;
    bool koniec;  // of a letter
    double kropka;
    double kreska;
    double wLiterze;
    double litera;
    double slowo;
};

// The text as tokens: a letter's code, or " " for a word gap.
using Zetony = std::vector<std::u32string>;

struct Wiadomosc {
    Zetony zetony;
    std::vector<Element> elementy;
};

// The characters keyed: letters, digits and punctuation that libcw reads
// with the same code.
std::map<char, std::u32string> Znaki()
{
    std::map<char, std::u32string> znaki;
    for (const KodMorsa& k : KodyMorsa()) {
        const bool litera = (k.znak >= U'a' && k.znak <= U'z') || (k.znak >= U'0' && k.znak <= U'9');
        if (!litera && Interpunkcja.find(static_cast<char>(k.znak)) == std::string_view::npos)
            continue;
        char* cw = cw_character_to_representation(static_cast<int>(k.znak));
        if (cw != nullptr && std::u32string(cw, cw + std::char_traits<char>::length(cw)) == k.kod)
            znaki[static_cast<char>(k.znak)] = k.kod;
        std::free(cw);  // NOLINT(cppcoreguidelines-no-malloc): libcw allocates it
    }
    return znaki;
}

const std::map<char, std::u32string>& Kody()
{
    static const std::map<char, std::u32string> kody = Znaki();
    return kody;
}

// Words of 1 to 8 characters: four in five letters, the rest digits and
// punctuation.
std::string Tekst(std::mt19937& los)
{
    std::string inne;
    for (const auto& [znak, kod] : Kody())
        if (znak < 'a' || znak > 'z')
            inne += znak;
    std::string tekst;
    while (tekst.size() < Dlugosc) {
        if (!tekst.empty())
            tekst += ' ';
        for (std::size_t i = 1 + los() % 8; i > 0; --i)
            tekst += los() % 5 != 0 ? static_cast<char>('a' + los() % 26) : inne[los() % inne.size()];
    }
    return tekst;
}

// A letter's elements as the hand keys them, a pause before a new sender
// as it is; `wzor` holds the lengths meant, and the space after the letter.
template <typename Czynnik>
void Klucz(Wiadomosc& w, std::u32string_view kod, Element wzor, Czynnik& reka)
{
    for (std::size_t e = 0; e < kod.size(); ++e) {
        Element element = wzor;
        element.koniec = e + 1 == kod.size();
        element.znak = reka(kod[e] == U'.' ? wzor.kropka : wzor.kreska);
        element.przerwa = !element.koniec ? reka(wzor.wLiterze) : wzor.przerwa == Pauza ? Pauza : reka(wzor.przerwa);
        w.elementy.push_back(element);
    }
}

Wiadomosc Nadaj(const Reka& r, double slowa, unsigned ziarno)
{
    std::mt19937 los(ziarno);
    const std::string tekst = Tekst(los);
    std::normal_distribution<double> czynnik(1, r.sigma);
    const auto reka = [&](double t) { return t * std::max(0.2, czynnik(los)); };
    const std::size_t polowa = tekst.find(' ', tekst.size() / 2);  // the pause before a new sender
    Wiadomosc w;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        if (tekst[i] == ' ') {
            w.zetony.emplace_back(U" ");
            continue;
        }
        const double postep = static_cast<double>(i) / static_cast<double>(tekst.size());
        const double drugi = r.nowy > 0 && i > polowa ? r.nowy : 1;
        const double u = 1.2 / (slowa * drugi * (1 + Dryf / 2 - Dryf * postep));
        const double ta = r.farnsworth ? (60 / (slowa * drugi * (1 + Dryf / 2 - Dryf * postep) / 2) - 31 * u) / 19 : u;
        const bool zmiana = r.nowy > 0 && i + 1 == polowa;
        const double slowo = zmiana ? Pauza : 7 * ta;
        const double odstep = i + 1 == tekst.size() ? 0 : tekst[i + 1] == ' ' ? slowo : r.litera * ta;
        const std::u32string& kod = Kody().at(tekst[i]);
        w.zetony.push_back(kod);
        Klucz(w, kod, {0, odstep, false, u, r.kreska * u, u, r.litera * ta, slowo}, reka);
    }
    return w;
}

Zetony ZZapisu(std::u32string_view zapis)
{
    Zetony z;
    std::u32string kod;
    for (const char32_t c : zapis) {
        if (c != U'\\') {
            kod += c;
            continue;
        }
        z.push_back(kod.empty() ? U" " : kod);
        kod.clear();
    }
    if (!z.empty() && z.front() == U" ")
        z.erase(z.begin());
    return z;
}

// What the receiver writes, and how long after each letter's end (while
// the letters written keep count with those sent).
Zetony Nasz(const Wiadomosc& w, std::vector<double>* opoznienia = nullptr)
{
    Odbiornik odbiornik;
    std::u32string zapis;
    std::vector<double> konce;
    std::size_t napisane = 0;
    double czas = 0;
    const auto odbierz = [&](double teraz) {
        const std::u32string nowe = odbiornik.Odbierz();
        zapis += nowe;
        for (std::size_t i = 0; i < nowe.size(); ++i) {
            const bool litera = nowe[i] == U'\\' && i > 0 && nowe[i - 1] != U'\\';
            if (litera && opoznienia != nullptr && napisane < konce.size())
                opoznienia->push_back(teraz - konce[napisane]);
            napisane += litera ? 1 : 0;
        }
    };
    for (const Element& e : w.elementy) {
        odbiornik.Znak(e.znak);
        czas += e.znak;
        if (e.koniec)
            konce.push_back(czas);
        for (double t = Blok; t < e.przerwa; t += Blok) {
            odbiornik.Przerwa(t);
            odbierz(czas + t);
        }
        odbiornik.Przerwa(e.przerwa);
        czas += e.przerwa;
        odbierz(czas);
    }
    odbiornik.Koniec();
    odbierz(czas);
    return ZZapisu(zapis);
}

timeval Chwila(double sekundy)
{
    const auto us = static_cast<long long>(sekundy * 1e6);
    return {static_cast<time_t>(us / 1000000), static_cast<suseconds_t>(us % 1000000)};
}

std::u32string KodLibcw(char znak)
{
    const auto kod = Kody().find(static_cast<char>(std::tolower(static_cast<unsigned char>(znak))));
    return kod == Kody().end() ? U"?" : kod->second;
}

// libcw starts at the message's true speed, in adaptive mode, and is polled
// through each space as a program would; a code it cannot read is an error,
// and its buffer is cleared for the next.
Zetony Libcw(const Wiadomosc& w, double slowa)
{
    cw_reset_receive();
    cw_disable_adaptive_receive();
    cw_set_receive_speed(static_cast<int>(std::lround(slowa * (1 + Dryf / 2))));
    cw_enable_adaptive_receive();
    Zetony z;
    double t = 1000;
    for (const Element& e : w.elementy) {
        const timeval poczatek = Chwila(t);
        cw_start_receive_tone(&poczatek);
        t += e.znak;
        const timeval koniec = Chwila(t);
        cw_end_receive_tone(&koniec);
        if (cw_get_receive_buffer_length() > NajdluzszyKod) {  // libcw would crash reading it
            z.emplace_back(U"?");
            cw_clear_receive_buffer();
        }
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
                z.emplace_back(U"?");  // a code libcw has no character for
                cw_clear_receive_buffer();
                break;
            }
            if (!litera)
                z.push_back(KodLibcw(znak));
            litera = true;
            if (slowo) {
                z.emplace_back(U" ");
                cw_clear_receive_buffer();
                break;
            }
        }
        if (litera)
            cw_clear_receive_buffer();
        t += przerwa;
    }
    while (!z.empty() && z.back() == U" ")
        z.pop_back();
    return z;
}

// Minus the log-likelihood of a length the hand meant as `wzor`, its factor
// normal around 1 with the hand's spread.
double Koszt(double dlugosc, double wzor, double sigma)
{
    const double x = (dlugosc / wzor - 1) / sigma;
    return x * x / 2 + std::log(wzor);
}

// A letter's marks and the gaps within it.
double KosztLitery(const std::vector<Element>& e, std::size_t od, std::u32string_view kod, double sigma)
{
    double c = 0;
    for (std::size_t m = 0; m < kod.size(); ++m) {
        c += Koszt(e[od + m].znak, kod[m] == U'.' ? e[od + m].kropka : e[od + m].kreska, sigma);
        if (m + 1 < kod.size())
            c += Koszt(e[od + m].przerwa, e[od + m].wLiterze, sigma);
    }
    return c;
}

// The ideal receiver: told the unit and the lengths the hand meant at each
// element, and its spread, it finds the likeliest letters of KodyMorsa and
// gaps by dynamic programming over where letters end.
Zetony Idealny(const Wiadomosc& w, double sigma)
{
    const std::vector<Element>& e = w.elementy;
    const std::size_t n = e.size();
    std::vector<double> koszt(n + 1, std::numeric_limits<double>::infinity());
    std::vector<std::pair<std::size_t, std::u32string>> skad(n + 1);
    koszt[0] = 0;
    for (std::size_t i = 0; i < n; ++i) {
        for (const KodMorsa& k : KodyMorsa()) {
            const std::size_t j = i + k.kod.size();
            if (j > n)
                continue;
            double c = koszt[i] + KosztLitery(e, i, k.kod, sigma);
            if (j < n)
                c += std::min(Koszt(e[j - 1].przerwa, e[j - 1].litera, sigma),
                    Koszt(e[j - 1].przerwa, e[j - 1].slowo, sigma));
            if (c < koszt[j]) {
                koszt[j] = c;
                skad[j] = {i, k.kod};
            }
        }
    }
    Zetony z;
    for (std::size_t j = n; j > 0; j = skad[j].first) {
        const Element& ostatni = e[j - 1];
        if (j < n && Koszt(ostatni.przerwa, ostatni.slowo, sigma) < Koszt(ostatni.przerwa, ostatni.litera, sigma))
            z.emplace_back(U" ");
        z.push_back(skad[j].second);
    }
    std::reverse(z.begin(), z.end());
    return z;
}

std::size_t Levenshtein(const Zetony& a, const Zetony& b)
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

double Procent(std::size_t bledy, std::size_t wszystkie)
{
    return 100.0 * static_cast<double>(bledy) / static_cast<double>(wszystkie);
}

void Wiersz(const Reka& r, const std::vector<double>& predkosci)
{
    std::printf("%-26s", r.nazwa);
    for (const double slowa : predkosci) {
        const double drugi = r.nowy > 0 ? slowa * r.nowy : slowa;
        if ((r.farnsworth && slowa < 10) || drugi < 5 || drugi > 40) {
            std::printf(" %17s", "");
            continue;
        }
        std::size_t wyslane = 0;
        std::array<std::size_t, 3> bledy{};
        for (int i = 0; i < Wiadomosci; ++i) {
            const Wiadomosc w = Nadaj(r, slowa, static_cast<unsigned>(slowa * 100 + i));
            wyslane += w.zetony.size();
            bledy[0] += Levenshtein(Nasz(w), w.zetony);
            bledy[1] += Levenshtein(Libcw(w, slowa), w.zetony);
            bledy[2] += Levenshtein(Idealny(w, r.sigma), w.zetony);
        }
        std::printf(" %4.1f/%5.1f/%4.1f  ",
            Procent(bledy[0], wyslane),
            Procent(bledy[1], wyslane),
            Procent(bledy[2], wyslane));
        std::fflush(stdout);
    }
    std::printf("\n");
}

// How soon letters come: the median and the longest delay from a letter's
// end to its being written, the first ten letters of each message (held
// until the speed shows) left out.
void Opoznienia(const std::vector<double>& predkosci)
{
    std::printf("%-26s", "delay, median / max (s)");
    for (const double slowa : predkosci) {
        std::vector<double> opoznienia;
        for (int i = 0; i < Wiadomosci; ++i) {
            std::vector<double> tej;
            Nasz(Nadaj(Rece[1], slowa, static_cast<unsigned>(slowa * 100 + i)), &tej);
            opoznienia.insert(opoznienia.end(), tej.begin() + std::min<std::ptrdiff_t>(10, std::ssize(tej)), tej.end());
        }
        std::sort(opoznienia.begin(), opoznienia.end());
        std::printf("   %5.2f / %5.2f  ", opoznienia[opoznienia.size() / 2], opoznienia.back());
    }
    std::printf("\n");
}

}  // namespace
}  // namespace wirlok::bench

// Arguments: the hands to run (their numbers from 0), else all.
int main(int argc, char** argv)
{
    using namespace wirlok::bench;
    const std::vector<double> predkosci = {5, 8, 12, 16, 20, 25, 30, 40};
    std::printf("Character error rate %%, ours / libcw / ideal, %d messages of %zu characters a cell\n",
        Wiadomosci,
        Dlugosc);
    std::printf("%-26s", "hand \\ WPM");
    for (const double slowa : predkosci)
        std::printf(" %17.0f", slowa);
    std::printf("\n");
    for (std::size_t r = 0; r < Rece.size(); ++r) {
        bool wybrana = argc < 2;
        for (int a = 1; a < argc; ++a)
            wybrana = wybrana || std::atoi(argv[a]) == static_cast<int>(r);  // NOLINT(cert-err34-c)
        if (wybrana)
            Wiersz(Rece.at(r), predkosci);
    }
    Opoznienia(predkosci);
}
