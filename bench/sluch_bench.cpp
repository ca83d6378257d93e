// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

// The tone detector with the receiver against multimon-ng's CW decoder on
// the same audio: random five-letter groups keyed as a 600 Hz tone (450 and
// 900 Hz too) in white noise, at 5 to 40 words per minute, by a machine
// and by a hand. The signal-to-noise ratio is the tone's power while keyed
// over the noise's in 500 Hz. multimon-ng gets its best showing: the audio
// band-passed around the tone by sox, and the dot's length given.

#include "bench/nadajnik.h"
#include "bench/stoper.h"
#include "sygnal/segmentacja.h"
#include "sygnal/ton.h"

#include <array>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace wirlok::bench {
namespace {

constexpr double Probkowanie = 48000;
constexpr std::size_t Blok = 128;
constexpr std::size_t Grup = 30;  // 179 characters a message

struct Nagranie {
    std::string tekst;
    std::vector<Odcinek> znaki;
    double skala;  // of the tone in the samples
    double sigma;  // the noise's deviation in them
    std::vector<std::int16_t> probki;
};

// The message with a second of noise before, as 16-bit samples.
Nagranie Nagraj(const Reka& reka, double czestotliwosc, double snr, unsigned ziarno)
{
    std::mt19937 los(ziarno);
    Nagranie n{Grupy(Grup, los), {}, 0, 0, {}};
    n.znaki = Znaki(n.tekst, reka, 1, los);
    const std::vector<float> dzwiek = Dzwiek(n.znaki, Probkowanie, czestotliwosc, czestotliwosc, snr, los);
    const double sigma = std::sqrt(0.5 * (Probkowanie / 2) / 500 / std::pow(10, snr / 10));
    const double skala = 0.5 / (1 + 4 * sigma);
    n.skala = skala * 32767;
    n.sigma = sigma * n.skala;
    n.probki.resize(dzwiek.size());
    for (std::size_t i = 0; i < dzwiek.size(); ++i)
        n.probki[i] = static_cast<std::int16_t>(std::clamp(dzwiek[i] * skala * 32767, -32767.0, 32767.0));
    return n;
}

std::string NaszeOdbiera(const std::vector<std::int16_t>& probki)
{
    Odbiornik odbiornik;
    WykrywaczTonu wykrywacz(Probkowanie, odbiornik);
    std::u32string notacja;
    std::array<float, Blok> blok{};
    for (std::size_t i = 0; i < probki.size(); i += Blok) {
        const std::size_t ile = std::min(Blok, probki.size() - i);
        for (std::size_t j = 0; j < ile; ++j)
            blok[j] = static_cast<float>(probki[i + j]) / 32768;
        wykrywacz.Dodaj(std::span<const float>(blok.data(), ile));
        notacja += odbiornik.Odbierz();
    }
    wykrywacz.Koniec();
    notacja += odbiornik.Odbierz();
    return Tekst(notacja);
}

// The evidence for a mark in each dot's time of a machine's message, summed
// from its start: what a receiver that hears the tone without its phase
// takes from it, told the tone and the levels.
std::vector<double> Dowody(const Nagranie& n, double czestotliwosc, double kropka)
{
    const double od = n.znaki.front().poczatek;
    const auto jednostek = static_cast<std::size_t>(std::lround((n.znaki.back().koniec - od) / kropka));
    const auto dlugosc = static_cast<std::size_t>(kropka * Probkowanie);
    const double szum = static_cast<double>(dlugosc) * n.sigma * n.sigma;  // E|z|^2 of the noise
    const double ton = static_cast<double>(dlugosc) * n.skala / 2;         // |z| of the tone
    std::vector<double> sumy(jednostek + 1);
    for (std::size_t k = 0; k < jednostek; ++k) {
        std::complex<double> z;
        const auto poczatek = static_cast<std::size_t>((od + static_cast<double>(k) * kropka) * Probkowanie);
        for (std::size_t i = poczatek; i < poczatek + dlugosc && i < n.probki.size(); ++i)
            z += static_cast<double>(n.probki[i])
                * std::polar(1.0, -2 * std::numbers::pi * czestotliwosc * static_cast<double>(i) / Probkowanie);
        sumy[k + 1] = sumy[k] + LogI0(2 * ton * std::abs(z) / szum) - ton * ton / szum;
    }
    return sumy;
}

// The notation of the marks and gaps whose lengths, in dots, end at each
// dot: back from the last mark.
std::u32string Zapis(const std::vector<int>& dlZnaku, const std::vector<int>& dlPrzerwy)
{
    std::u32string notacja = U"\\";
    bool znak = true;
    for (std::size_t k = dlZnaku.size() - 1; k > 0; znak = !znak) {
        const int d = znak ? dlZnaku[k] : dlPrzerwy[k];
        notacja.insert(0, znak ? (d == 1 ? U"." : U"-") : (d == 1 ? U"" : d == 3 ? U"\\" : U"\\\\"));
        k -= static_cast<std::size_t>(d);
    }
    return notacja;
}

// The bound: that receiver, told the machine's dot and where the message
// starts as well, finds the likeliest marks of one or three dots and gaps
// of one, three or seven. Not a decoder: nothing real is told these.
std::string IdealOdbiera(const Nagranie& n, double czestotliwosc, double slowa)
{
    const std::vector<double> sumy = Dowody(n, czestotliwosc, 1.2 / slowa);
    const std::size_t jednostek = sumy.size() - 1;
    constexpr double Nic = -1e300;
    std::vector<double> znak(jednostek + 1, Nic);  // the best with a mark, or a gap, ending at each unit
    std::vector<double> przerwa(jednostek + 1, Nic);
    std::vector<int> dlZnaku(jednostek + 1);
    std::vector<int> dlPrzerwy(jednostek + 1);
    przerwa[0] = 0;
    for (std::size_t k = 1; k <= jednostek; ++k) {
        for (const int d : {1, 3})
            if (k >= static_cast<std::size_t>(d) && przerwa[k - d] + sumy[k] - sumy[k - d] > znak[k]) {
                znak[k] = przerwa[k - d] + sumy[k] - sumy[k - d];
                dlZnaku[k] = d;
            }
        for (const int d : {1, 3, 7})
            if (k >= static_cast<std::size_t>(d) && znak[k - d] > przerwa[k]) {
                przerwa[k] = znak[k - d];
                dlPrzerwy[k] = d;
            }
    }
    return Tekst(Zapis(dlZnaku, dlPrzerwy));
}

void ZapiszWav(const std::filesystem::path& plik, const std::vector<std::int16_t>& probki)
{
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
    slowo(48000, 4);
    slowo(96000, 4);
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
        + std::to_string(static_cast<int>(czestotliwosc - 100)) + "-"
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
    double idealny = 0;
    double multimon = 0;
};

// Over three messages, 537 characters.
Wynik Porownaj(const Reka& reka, double czestotliwosc, double snr, unsigned ziarno, const std::filesystem::path& wav)
{
    constexpr int Wiadomosci = 3;
    Wynik w;
    for (int i = 0; i < Wiadomosci; ++i) {
        const Nagranie n = Nagraj(reka, czestotliwosc, snr, ziarno * Wiadomosci + i);
        ZapiszWav(wav, n.probki);
        w.nasz += Blad(n.tekst, NaszeOdbiera(n.probki)) / Wiadomosci;
        if (reka.nierownosc == 0)
            w.idealny += Blad(n.tekst, IdealOdbiera(n, czestotliwosc, reka.slowa)) / Wiadomosci;
        w.multimon += Blad(n.tekst, MultimonOdbiera(wav, czestotliwosc, reka.slowa)) / Wiadomosci;
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
        nierownosc == 0 ? " (the bound: an ideal receiver told the timing)" : "",
        "SNR dB");
    for (const double s : predkosci)
        std::printf("   %4.0f WPM          ", s);
    std::printf("\n");
    unsigned ziarno = 1;
    for (const double snr : snry) {
        std::printf("%+8.0f", snr);
        for (const double s : predkosci) {
            const Wynik w = Porownaj({s, nierownosc, dryf}, czestotliwosc, snr, ziarno++, wav);
            if (nierownosc == 0)
                std::printf("  %5.1f / %5.1f (%4.1f)", 100 * w.nasz, 100 * w.multimon, 100 * w.idealny);
            else
                std::printf("  %5.1f / %5.1f       ", 100 * w.nasz, 100 * w.multimon);
            std::fflush(stdout);
        }
        std::printf("\n");
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

}  // namespace
}  // namespace wirlok::bench

// With arguments SNR WPM HZ [UNEVENNESS DRIFT]: one message, with what each decoder read.
int main(int argc, char** argv)
{
    using namespace wirlok::bench;
    const std::filesystem::path katalog = std::filesystem::temp_directory_path() / "wirlok_sluch_bench";
    std::filesystem::create_directories(katalog);
    const std::filesystem::path wav = katalog / "nagranie.wav";
    if (argc >= 4) {
        const std::vector<std::string> a(argv + 1, argv + argc);
        const Reka reka{std::stod(a[1]), a.size() > 3 ? std::stod(a[3]) : 0, a.size() > 4 ? std::stod(a[4]) : 0};
        const Nagranie n = Nagraj(reka, std::stod(a[2]), std::stod(a[0]), 1);
        ZapiszWav(wav, n.probki);
        const std::string nasz = NaszeOdbiera(n.probki);
        const std::string multimon = MultimonOdbiera(wav, std::stod(a[2]), reka.slowa);
        std::printf("sent:      %s\nours:      %s (%.1f %%)\nmultimon:  %s (%.1f %%)\n",
            n.tekst.c_str(),
            nasz.c_str(),
            100 * Blad(n.tekst, nasz),
            multimon.c_str(),
            100 * Blad(n.tekst, multimon));
        std::filesystem::remove_all(katalog);
        return 0;
    }
    Koszt();
    Tabela("600 Hz", {20, 10, 6, 3, 0, -3, -6}, 600, 0, 0, wav);
    Tabela("450 Hz", {0, -3}, 450, 0, 0, wav);
    Tabela("900 Hz", {0, -3}, 900, 0, 0, wav);
    Tabela("600 Hz, a hand (each element and gap up to 15 % off, the speed wandering 20 %)",
        {10, 6, 3},
        600,
        0.15,
        0.2,
        wav);
    std::filesystem::remove_all(katalog);
}
