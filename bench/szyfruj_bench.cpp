// SPDX-FileCopyrightText: 2026 The Wirlok developers
//
// SPDX-License-Identifier: MIT

#include "bench/proza.h"
#include "cipher/szyfruj.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace wirlok::bench {
namespace {

constexpr std::uint8_t MORS = 10;

// The text a benchmark translates: prose, or for Morse decoding the
// encoder's own output for that prose.
std::u32string Wejscie(std::size_t dlugosc, bool dekodowanie)
{
    std::u32string proza = Proza(dlugosc);
    return dekodowanie ? Szyfruj(MORS, std::move(proza)) : proza;
}

// Args: cipher number, 1 to decode Morse, length of the prose.
void Tlumaczenie(benchmark::State& stan)
{
    const auto numer = static_cast<std::uint8_t>(stan.range(0));
    const std::u32string tekst = Wejscie(static_cast<std::size_t>(stan.range(2)), stan.range(1) != 0);
    for (auto _ : stan)
        benchmark::DoNotOptimize(Szyfruj(numer, tekst));
    stan.SetItemsProcessed(stan.iterations() * static_cast<std::int64_t>(tekst.size()));
}

// What memory allows: copying the text and the translation once each.
void Kopie(benchmark::State& stan)
{
    const std::u32string tekst = Wejscie(static_cast<std::size_t>(stan.range(2)), stan.range(1) != 0);
    const std::u32string wynik = Szyfruj(static_cast<std::uint8_t>(stan.range(0)), tekst);
    for (auto _ : stan) {
        benchmark::DoNotOptimize(std::u32string(tekst));
        benchmark::DoNotOptimize(std::u32string(wynik));
    }
    stan.SetItemsProcessed(stan.iterations() * static_cast<std::int64_t>(tekst.size()));
}

// The call against the two copies, timed in turn within one run, so that
// the ratio holds whatever else the machine is doing.
void Stosunek(benchmark::State& stan)
{
    using Zegar = std::chrono::steady_clock;
    const auto numer = static_cast<std::uint8_t>(stan.range(0));
    const std::u32string tekst = Wejscie(static_cast<std::size_t>(stan.range(2)), stan.range(1) != 0);
    const std::u32string wynik = Szyfruj(numer, tekst);
    Zegar::duration wywolania{};
    Zegar::duration kopie{};
    for (auto _ : stan) {
        const auto t0 = Zegar::now();
        benchmark::DoNotOptimize(std::u32string(tekst));
        benchmark::DoNotOptimize(std::u32string(wynik));
        const auto t1 = Zegar::now();
        benchmark::DoNotOptimize(Szyfruj(numer, tekst));
        const auto t2 = Zegar::now();
        kopie += t1 - t0;
        wywolania += t2 - t1;
        stan.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    stan.counters["stosunek"] = std::chrono::duration<double>(wywolania) / std::chrono::duration<double>(kopie);
}

constexpr std::int64_t KiB = 1024;
constexpr std::int64_t MiB = 1024 * KiB;

void Szyfry(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"szyfr", "dekodowanie", "znaki"});
    for (const std::int64_t numer : {1, 2, 3})
        b->ArgsProduct({{numer}, {0}, {KiB, 64 * KiB, MiB, 16 * MiB}});
    b->ArgsProduct({{MORS}, {0, 1}, {KiB, 64 * KiB, MiB, 16 * MiB}});
}

void SzyfryPrzy4MiB(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"szyfr", "dekodowanie", "znaki"});
    b->ArgsProduct({{1, 2, 3}, {0}, {4 * MiB}});
    b->ArgsProduct({{MORS}, {0, 1}, {4 * MiB}});
}

BENCHMARK(Tlumaczenie)->Apply(Szyfry);
BENCHMARK(Kopie)->Apply(Szyfry);
BENCHMARK(Stosunek)->Apply(SzyfryPrzy4MiB)->UseManualTime();

}  // namespace
}  // namespace wirlok::bench

BENCHMARK_MAIN();
