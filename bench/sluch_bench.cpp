// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The tone detector with the receiver against multimon-ng's CW decoder on
// the same audio: random five-letter groups keyed as a 600 Hz tone (450 and
// 900 Hz too) in white noise, at 5 to 40 words per minute, by a machine
// and by a hand. The signal-to-noise ratio is the tone's power while keyed
// over the noise's in 500 Hz. multimon-ng gets its best showing: the audio
// band-passed around the tone by sox, and the dot's length given. Then the
// field (bench/pole.h): fading, echo, whistles, buzzers, a phone's band,
// a second sender, a change of sender and hands, at 16 kHz.

#include "bench/nadajnik.h"
#include "bench/pole.h"
#include "bench/stoper.h"
#include "sygnal/segmentacja.h"
#include "sygnal/ton.h"

#include <algorithm>
#include <array>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

namespace wirlok::bench {
namespace {

constexpr double Probkowanie = 48000;
constexpr std::size_t Blok = 128;
constexpr std::size_t Grup = 30;  // 179 characters a message

// The message with a second of noise before, as 16-bit samples.
Nagranie Nagraj(const Reka& reka, double czestotliwosc, double snr, unsigned ziarno)
{
    std::mt19937 los(ziarno);
    Nagranie n;
    n.tekst = Grupy(Grup, los);
    n.probkowanie = Probkowanie;
    n.czestotliwosc = czestotliwosc;
    n.slowa = reka.slowa;
    n.idealny = reka.nierownosc == 0;
    n.znaki = Znaki(n.tekst, reka, 1, los);
    const std::vector<float> dzwiek = Dzwiek(n.znaki, Probkowanie, czestotliwosc, czestotliwosc, snr, los);
    const double sigma = SigmaSzumu(Probkowanie, snr);
    const double skala = 0.5 / (1 + 4 * sigma);
    n.skala = skala * 32767;
    n.sigma = sigma * n.skala;
    n.probki.resize(dzwiek.size());
    for (std::size_t i = 0; i < dzwiek.size(); ++i)
        n.probki[i] = static_cast<std::int16_t>(std::clamp(dzwiek[i] * skala * 32767, -32767.0, 32767.0));
    return n;
}

std::string NaszeOdbiera(const Nagranie& n)
{
    Odbiornik odbiornik;
    WykrywaczTonu wykrywacz(n.probkowanie, odbiornik);
    std::u32string notacja;
    std::array<float, Blok> blok{};
    for (std::size_t i = 0; i < n.probki.size(); i += Blok) {
        const std::size_t ile = std::min(Blok, n.probki.size() - i);
        for (std::size_t j = 0; j < ile; ++j)
            blok[j] = static_cast<float>(n.probki[i + j]) / 32768;
        wykrywacz.Dodaj(std::span<const float>(blok.data(), ile));
        notacja += odbiornik.Odbierz();
    }
    wykrywacz.Koniec();
    notacja += odbiornik.Odbierz();
    return Tekst(notacja);
}

// What the ideal receiver hears in each dot's time of a machine's message:
// the samples, less a room's echo it is told, mixed down to 0 Hz and
// summed weighted by the tone's known amplitude (a matched filter), and
// that amplitude's energy over the noise's power.
struct Jednostki {
    std::vector<std::complex<double>> sumy;
    std::vector<double> energie;
};

Jednostki Dowody(const Nagranie& n, double kropka)
{
    const double od = n.znaki.front().poczatek;
    const auto jednostek = static_cast<std::size_t>(std::lround((n.znaki.back().koniec - od) / kropka));
    const double szum = n.sigma * n.sigma;
    const std::complex<double> obrot = std::polar(1.0, -2 * std::numbers::pi * n.czestotliwosc / n.probkowanie);
    Jednostki j{std::vector<std::complex<double>>(jednostek), std::vector<double>(jednostek)};
    for (std::size_t k = 0; k < jednostek; ++k) {
        const double t = od + static_cast<double>(k) * kropka;
        const auto poczatek = static_cast<std::size_t>(t * n.probkowanie);
        const auto konca = static_cast<std::size_t>((t + kropka) * n.probkowanie);
        const auto ms = static_cast<std::size_t>((t + kropka / 2) * 1000);
        const double c
            = n.skala / 2 * (n.wzmocnienie.empty() ? 1.0 : n.wzmocnienie[std::min(ms, n.wzmocnienie.size() - 1)]);
        std::complex<double> faza
            = std::polar(1.0, -2 * std::numbers::pi * n.czestotliwosc * static_cast<double>(poczatek) / n.probkowanie);
        std::complex<double> z;
        for (std::size_t i = poczatek; i < konca && i < n.probki.size(); ++i, faza *= obrot)
            z += (n.probki[i] - (n.poglos.empty() ? 0.0 : n.skala * n.poglos[i])) * faza;
        j.sumy[k] = c * z / szum;
        j.energie[k] = static_cast<double>(konca - poczatek) * c * c / szum;
    }
    return j;
}

// The International set: letters, digits, punctuation and the Polish
// letters' own codes; any but a to z reads as '#'.
constexpr std::array<std::pair<char, std::string_view>, 64> Kody = {{{'a', ".-"},
    {'b', "-..."},
    {'c', "-.-."},
    {'d', "-.."},
    {'e', "."},
    {'f', "..-."},
    {'g', "--."},
    {'h', "...."},
    {'i', ".."},
    {'j', ".---"},
    {'k', "-.-"},
    {'l', ".-.."},
    {'m', "--"},
    {'n', "-."},
    {'o', "---"},
    {'p', ".--."},
    {'q', "--.-"},
    {'r', ".-."},
    {'s', "..."},
    {'t', "-"},
    {'u', "..-"},
    {'v', "...-"},
    {'w', ".--"},
    {'x', "-..-"},
    {'y', "-.--"},
    {'z', "--.."},
    {'#', "-----"},
    {'#', ".----"},
    {'#', "..---"},
    {'#', "...--"},
    {'#', "....-"},
    {'#', "....."},
    {'#', "-...."},
    {'#', "--..."},
    {'#', "---.."},
    {'#', "----."},
    {'#', ".-.-.-"},
    {'#', "--..--"},
    {'#', "..--.."},
    {'#', ".----."},
    {'#', "-.-.--"},
    {'#', "-..-."},
    {'#', "-.--."},
    {'#', "-.--.-"},
    {'#', ".-..."},
    {'#', "---..."},
    {'#', "-.-.-."},
    {'#', "-...-"},
    {'#', ".-.-."},
    {'#', "-....-"},
    {'#', "..--.-"},
    {'#', ".-..-."},
    {'#', "...-..-"},
    {'#', ".--.-."},
    {'#', ".-.-"},
    {'#', "-.-.."},
    {'#', "..-.."},
    {'#', ".-..-"},
    {'#', "--.--"},
    {'#', "---."},
    {'#', "...-..."},
    {'#', "--..-."},
    {'#', "--..-"},
    {'#', "----"}}};

// The evidence of a letter whose code starts at unit s: each mark summed
// coherently whole (its phase does not change within it), against noise.
double Litera(const Jednostki& j, std::string_view kod, std::size_t s)
{
    double dowod = 0;
    for (const char e : kod) {
        const std::size_t d = e == '.' ? 1 : 3;
        std::complex<double> z;
        double energia = 0;
        for (std::size_t k = s; k < s + d; ++k) {
            z += j.sumy[k];
            energia += j.energie[k];
        }
        dowod += LogI0(2 * std::abs(z)) - energia;
        s += d + 1;
    }
    return dowod;
}

std::size_t Dlugosc(std::string_view kod)
{
    std::size_t d = kod.size() - 1;
    for (const char e : kod)
        d += e == '.' ? 1 : 3;
    return d;
}

constexpr double Nic = -1e300;
struct Krok {
    double wynik = Nic;
    std::size_t skad = 0;  // the unit the letter before ended at
    std::size_t kod = 0;
    bool slowo = false;  // a word gap before
};

// The best way to a letter starting at unit s: the message's start, or
// letters ending three or seven units before.
Krok Poprzedni(const std::vector<Krok>& koniec, std::size_t s)
{
    Krok krok;
    if (s == 0)
        krok.wynik = 0;
    for (const std::size_t przerwa : {3, 7})
        if (s > przerwa && koniec[s - przerwa].wynik > krok.wynik)
            krok = {koniec[s - przerwa].wynik, s - przerwa, 0, przerwa == 7};
    return krok;
}

// The bound: a receiver told the machine's dot, where the message starts
// and ends, the tone and the levels, that picks the likeliest letters of
// the International set with gaps of three dots or seven between them.
// Not a decoder: nothing real is told these.
std::string IdealOdbiera(const Nagranie& n)
{
    const Jednostki j = Dowody(n, 1.2 / n.slowa);
    const std::size_t u = j.sumy.size();
    std::vector<Krok> koniec(u + 1);  // the best letters ending at each unit
    for (std::size_t k = 1; k <= u; ++k)
        for (std::size_t c = 0; c < Kody.size(); ++c) {
            const std::size_t d = Dlugosc(Kody[c].second);
            if (d > k)
                continue;
            Krok krok = Poprzedni(koniec, k - d);
            if (krok.wynik <= Nic)
                continue;
            krok.wynik += Litera(j, Kody[c].second, k - d);
            krok.kod = c;
            if (krok.wynik > koniec[k].wynik)
                koniec[k] = krok;
        }
    std::string tekst;
    for (std::size_t k = u; k > 0 && koniec[k].wynik > Nic; k = koniec[k].skad) {
        tekst.insert(tekst.begin(), Kody[koniec[k].kod].first);
        if (koniec[k].slowo)
            tekst.insert(tekst.begin(), ' ');
    }
    return tekst;
}

void ZapiszWav(const std::filesystem::path& plik, const Nagranie& n)
{
    const std::vector<std::int16_t>& probki = n.probki;
    const auto probkowanie = static_cast<std::uint32_t>(n.probkowanie);
    std::ofstream wav(plik, std::ios::binary);
    auto slowo = [&](std::uint32_t w, int bajtow) {
        for (int i = 0; i < bajtow; ++i)
            wav.put(static_cast<char>((w >> (8 * i)) & 0xFF));
    };
    const auto dane = static_cast<std::uint32_t>(probki.size() * 2);
    wav << "RIFF";
    slowo(36 + dane, 4);
    wav << "WAVEfmt ";
    slowo(16, 4);
    slowo(1, 2);
    slowo(1, 2);
    slowo(probkowanie, 4);
    slowo(2 * probkowanie, 4);
    slowo(2, 2);
    slowo(16, 2);
    wav << "data";
    slowo(dane, 4);
    for (const std::int16_t p : probki)
        slowo(static_cast<std::uint16_t>(p), 2);
}

// multimon-ng prints the letters it decodes as they come, upper case, and
// what it cannot read in angle brackets. It reads best with its dot's and
// gap's length given and the band-passed audio brought to full scale.
std::string MultimonOdbiera(const std::filesystem::path& wav, double czestotliwosc, double slowa)
{
    const int kropka = static_cast<int>(std::lround(1200 / slowa));
    const std::string polecenie = "sox -q " + wav.string() + " -t raw -r 22050 -e signed -b 16 -c 1 - sinc "
        + std::to_string(static_cast<int>(std::max(czestotliwosc - 100, 50.0))) + "-"
        + std::to_string(static_cast<int>(czestotliwosc + 100)) + " gain -n -3 | multimon-ng -q -c -a MORSE_CW -d "
        + std::to_string(kropka) + " -g " + std::to_string(kropka) + " -t raw - 2>/dev/null";
    std::FILE* wyjscie = popen(polecenie.c_str(), "r");
    if (wyjscie == nullptr)
        return {};
    std::u32string notacja;
    std::string tekst;
    std::array<char, 4096> bufor{};
    std::size_t ile = 0;
    while ((ile = std::fread(bufor.data(), 1, bufor.size(), wyjscie)) > 0)
        tekst.append(bufor.data(), ile);
    pclose(wyjscie);
    std::string wynik;
    bool nieznany = false;  // within <...>: a code it does not know, or <ERR_n>
    for (const char z : tekst) {
        const char m = z >= 'A' && z <= 'Z' ? static_cast<char>(z - 'A' + 'a') : z;
        if (m == '<' || m == '>')
            nieznany = m == '<';
        else if (nieznany)
            continue;
        else if (m >= 'a' && m <= 'z')
            wynik += m;
        else if ((m == ' ' || m == '\n') && !wynik.empty() && wynik.back() != ' ')
            wynik += ' ';
    }
    while (!wynik.empty() && wynik.back() == ' ')
        wynik.pop_back();
    return wynik;
}

struct Wynik {
    double nasz = 0;
    double idealny = -1;  // where there is one
    double multimon = 0;
};

// Ours, multimon-ng's and the ideal's over the messages, on the same audio.
template <typename Nagrywanie>
Wynik Porownaj(int wiadomosci, Nagrywanie nagraj, const std::filesystem::path& wav)
{
    Wynik w;
    for (int i = 0; i < wiadomosci; ++i) {
        const Nagranie n = nagraj(i);
        ZapiszWav(wav, n);
        w.nasz += Blad(n.tekst, NaszeOdbiera(n)) / wiadomosci;
        if (n.idealny)
            w.idealny = std::max(w.idealny, 0.0) + Blad(n.tekst, IdealOdbiera(n)) / wiadomosci;
        w.multimon += Blad(n.tekst, MultimonOdbiera(wav, n.czestotliwosc, n.slowa)) / wiadomosci;
    }
    return w;
}

void Tabela(const char* tytul,
    const std::vector<double>& snry,
    double czestotliwosc,
    double nierownosc,
    double dryf,
    const std::filesystem::path& wav)
{
    static constexpr std::array<double, 5> predkosci = {5, 12, 20, 30, 40};
    std::printf("\n%s: CER %% ours / multimon-ng%s\n%8s",
        tytul,
        nierownosc == 0 ? " (the bound: an ideal receiver told the timing, of whole marks and valid letters)" : "",
        "SNR dB");
    for (const double s : predkosci)
        std::printf("   %4.0f WPM          ", s);
    std::printf("\n");
    unsigned ziarno = 1;
    for (const double snr : snry) {
        std::printf("%+8.0f", snr);
        for (const double s : predkosci) {
            // Over three messages, 537 characters.
            constexpr int Wiadomosci = 3;
            const unsigned z = ziarno++;
            const Wynik w = Porownaj(
                Wiadomosci,
                [&](int i) {
                    return Nagraj({s, nierownosc, dryf}, czestotliwosc, snr, z * Wiadomosci + static_cast<unsigned>(i));
                },
                wav);
            if (w.idealny >= 0)
                std::printf("  %5.1f / %5.1f (%4.1f)", 100 * w.nasz, 100 * w.multimon, 100 * w.idealny);
            else
                std::printf("  %5.1f / %5.1f       ", 100 * w.nasz, 100 * w.multimon);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
}

// The field's conditions at +10 dB, and those the goals name harder; the
// most CER each may read.
struct WierszPola {
    Warunek warunek;
    double cel;  // %
};

const std::vector<WierszPola>& Pola()
{
    using enum Rodzaj;
    static const std::vector<WierszPola> pola = {
        {{"pure tones 200 Hz-4 kHz", Czysty, 10, {200, 4000}}, 2},
        {{"fading 6-20 dB at 0.05-1 Hz", Zanik, 10, {400, 1000}, {10, 25}, {6, 20}, {0.05, 1}}, 2},
        {{"echo, RT60 0.2-1 s, 0-6 dB under", Poglos, 10, {400, 1000}, {10, 25}, {}, {}, {0.2, 1}, {0, 6}}, 2},
        {{"whistle 2-4 kHz, vibrato, breath", Gwizd, 10, {2000, 4000}}, 2},
        {{"buzzer (square wave)", Brzeczyk, 10, {300, 1000}}, 2},
        {{"phone band, hum, clipping", Telefon, 10}, 2},
        {{"second sender, -6 dB, 150-400 Hz off", Drugi, 10}, 2},
        {{"hand, sigma 0.1, drift 20 %", Czysty, 10, {400, 1000}, {10, 25}, {}, {}, {}, {}, 0.1}, 2},
        {{"fading 6-20 dB, troughs at 0 dB", Zanik, 0, {400, 1000}, {10, 25}, {6, 20}, {0.05, 1}}, 3},
        {{"echo as loud as the direct sound", Poglos, 10, {400, 1000}, {10, 25}, {}, {}, {0.2, 1}, {0, 0}}, 3},
        {{"new sender after 2-3 s, x2 or x0.5", Zmiana, 10, {400, 1000}, {10, 20}}, 3},
        {{"learner, sigma 0.15, dashes 2.5", Czysty, 10, {400, 1000}, {10, 25}, {}, {}, {}, {}, 0.15, 2.5}, 3},
        {{"echo 6 dB louder than the direct", Poglos, 10, {400, 1000}, {10, 25}, {}, {}, {0.2, 1}, {-6, -6}}, 5},
    };
    return pola;
}

// Each condition over three seeded recordings of 119 characters (the
// change of sender 120), drawn from its ranges; `jakie` picks conditions
// whose name holds it; `od`, if not 0, the first of `nagran` seeds every
// condition is drawn with instead.
void Pole(const std::string& jakie, const std::filesystem::path& wav, unsigned od = 0, unsigned nagran = 3)
{
    std::printf(
        "\nThe field, 16 kHz, +10 dB unless named: CER %% ours / multimon-ng (ideal receiver, where defined), goal\n");
    unsigned ziarno = 1000;
    for (const WierszPola& p : Pola()) {
        ziarno += 10;
        if (std::string(p.warunek.nazwa).find(jakie) == std::string::npos)
            continue;
        const unsigned z = od > 0 ? od : ziarno;
        const Wynik w = Porownaj(
            static_cast<int>(nagran),
            [&](int i) { return Nagraj(p.warunek, z + static_cast<unsigned>(i)); },
            wav);
        std::printf("%-40s %5.1f / %5.1f ", p.warunek.nazwa, 100 * w.nasz, 100 * w.multimon);
        if (w.idealny >= 0)
            std::printf("(%4.1f)", 100 * w.idealny);
        else
            std::printf("      ");
        std::printf("  %s %.0f\n", w.nasz * 100 <= p.cel ? "<=" : "> ", p.cel);
        std::fflush(stdout);
    }
}

void Koszt()
{
    Odbiornik odbiornik;
    WykrywaczTonu wykrywacz(Probkowanie, odbiornik);
    const Nagranie n = Nagraj({12}, 600, 0, 99);
    std::vector<float> probki(n.probki.begin(), n.probki.end());
    for (float& p : probki)
        p /= 32768;
    // Ten minutes: the message over and over.
    const auto dziesiec = static_cast<std::size_t>(600 * Probkowanie);
    std::size_t blokow = 0;
    const double ms = Milisekundy([&] {
        for (std::size_t i = 0; i + Blok <= dziesiec; i += Blok, ++blokow) {
            const std::size_t od = i % (probki.size() - Blok);
            wykrywacz.Dodaj(std::span<const float>(probki.data() + od, Blok));
        }
        wykrywacz.Koniec();
    });
    const double us = 1000 * ms / static_cast<double>(blokow);
    std::printf("\nCost at 48 kHz: %.2f us a block of 128 samples, %.2f %% of a core; 10 minutes of audio in %.2f s\n",
        us,
        100 * us / (1e6 * Blok / Probkowanie),
        ms / 1000);
}

void Szum(const std::filesystem::path& wav, const std::vector<double>& snry)
{
    Tabela("600 Hz", snry, 600, 0, 0, wav);
    if (snry.size() < 7)
        return;
    Tabela("450 Hz", {0, -3}, 450, 0, 0, wav);
    Tabela("900 Hz", {0, -3}, 900, 0, 0, wav);
    Tabela("600 Hz, a hand (each element and gap up to 15 % off, the speed wandering 20 %)",
        {10, 6, 3},
        600,
        0.15,
        0.2,
        wav);
}

// The number after `nazwa` among the arguments, or `domyslna`.
unsigned Opcja(const std::vector<std::string>& a, const std::string& nazwa, unsigned domyslna)
{
    const auto i = std::find(a.begin(), a.end(), nazwa);
    return i != a.end() && i + 1 != a.end() ? static_cast<unsigned>(std::stoul(*(i + 1))) : domyslna;
}

}  // namespace
}  // namespace wirlok::bench

// With no arguments, all; with "koszt", "szum [SNR]" or "pole [NAME]
// [--ziarno N --nagran M]", one part (the white noise's row at SNR dB at
// 600 Hz alone, the field's conditions whose name holds NAME, over M
// recordings from seed N); with SNR WPM HZ
// [UNEVENNESS DRIFT], one message, with what each decoder read.
int main(int argc, char** argv)
{
    using namespace wirlok::bench;
    // A folder of its own, so that runs of parts side by side keep apart.
    const std::filesystem::path katalog
        = std::filesystem::temp_directory_path() / ("wirlok_sluch_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(katalog);
    const std::filesystem::path wav = katalog / "nagranie.wav";
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() >= 3 && a[0] != "pole") {
        const Reka reka{std::stod(a[1]), a.size() > 3 ? std::stod(a[3]) : 0, a.size() > 4 ? std::stod(a[4]) : 0};
        const Nagranie n = Nagraj(reka, std::stod(a[2]), std::stod(a[0]), 1);
        ZapiszWav(wav, n);
        const std::string nasz = NaszeOdbiera(n);
        const std::string multimon = MultimonOdbiera(wav, n.czestotliwosc, reka.slowa);
        std::printf("sent:      %s\nours:      %s (%.1f %%)\nmultimon:  %s (%.1f %%)\n",
            n.tekst.c_str(),
            nasz.c_str(),
            100 * Blad(n.tekst, nasz),
            multimon.c_str(),
            100 * Blad(n.tekst, multimon));
    } else {
        const std::string czesc = a.empty() ? "" : a[0];
        if (czesc.empty() || czesc == "koszt")
            Koszt();
        if (czesc.empty() || czesc == "pole")
            Pole(a.size() > 1 && !a[1].starts_with("--") ? a[1] : "",
                wav,
                Opcja(a, "--ziarno", 0),
                Opcja(a, "--nagran", 3));
        std::vector<double> snry = {20, 10, 6, 3, 0, -3, -6};
        if (czesc == "szum" && a.size() > 1)
            snry = {std::stod(a[1])};
        if (czesc.empty() || czesc == "szum")
            Szum(wav, snry);
    }
    std::filesystem::remove_all(katalog);
}
