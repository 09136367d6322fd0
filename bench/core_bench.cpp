// The portable core side by side with the standard library doing the
// nearest job; prints the times, the ratios against the budgets, and the
// allocations per call.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>

#include "calc/finished_sizes.h"
#include "calc/wrap.h"
#include "toolkit/text.h"

namespace {

size_t g_Allocations = 0;

// Allocations per iteration, as a counter beside the time.
template <typename Body>
void CountAllocations(benchmark::State& state, Body body) {
    const size_t before = g_Allocations;
    for (auto _ : state) body();
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(g_Allocations - before), benchmark::Counter::kAvgIterations);
}

const long double kSizes[] = {10.5L, 63.5L, 78.0L, 11.5L, 17.5L, 66.0L, 0.5L, 23.5L};

void FormatNumber7(benchmark::State& state) {
    size_t i = 0;
    CountAllocations(state, [&] { benchmark::DoNotOptimize(FormatNumber(kSizes[i++ & 7], 7)); });
}

void FormatNumber15(benchmark::State& state) {
    long double n = 8;
    CountAllocations(state, [&] {
        benchmark::DoNotOptimize(FormatNumber(n, 15));
        n = n > 70 ? 8 : n + 1;
    });
}

void ToCharsLongDouble(benchmark::State& state) {
    size_t i = 0;
    char buffer[64];
    CountAllocations(state, [&] {
        auto result = std::to_chars(buffer, buffer + sizeof buffer, kSizes[i++ & 7], std::chars_format::scientific, 17);
        benchmark::DoNotOptimize(result.ptr);
    });
}

const std::vector<Text> kEntries = FinishedSizeEntries(BarType::PreNotched);
const Text kLong = "  123456789012345678901234567890.123456789012345678901234567890E-12 and more";

void ParseNumberEntries(benchmark::State& state) {
    size_t i = 0;
    CountAllocations(state, [&] { benchmark::DoNotOptimize(ParseNumber(kEntries[i++ % kEntries.size()])); });
}

void StrtoldEntries(benchmark::State& state) {
    size_t i = 0;
    CountAllocations(state, [&] {
        benchmark::DoNotOptimize(std::strtold(kEntries[i++ % kEntries.size()].c_str(), nullptr));
    });
}

void ParseNumberLong(benchmark::State& state) {
    CountAllocations(state, [&] { benchmark::DoNotOptimize(ParseNumber(kLong)); });
}

void StrtoldLong(benchmark::State& state) {
    CountAllocations(state, [&] { benchmark::DoNotOptimize(std::strtold(kLong.c_str(), nullptr)); });
}

void CalculateWrapTypical(benchmark::State& state) {
    CountAllocations(state, [&] { benchmark::DoNotOptimize(CalculateWrap(BarType::Standard125, "8", "8")); });
}

// Every result applies, and no dimension has few enough binary digits for
// the short road: all four go through the full conversion.
void CalculateWrapWorst(benchmark::State& state) {
    CountAllocations(state, [&] {
        benchmark::DoNotOptimize(CalculateWrap(BarType::Pro175, "0.1234567891234", "0.3456789123456"));
    });
}

BENCHMARK(CalculateWrapTypical);
BENCHMARK(CalculateWrapWorst);
BENCHMARK(FormatNumber7);
BENCHMARK(FormatNumber15);
BENCHMARK(ToCharsLongDouble);
BENCHMARK(ParseNumberEntries);
BENCHMARK(StrtoldEntries);
BENCHMARK(ParseNumberLong);
BENCHMARK(StrtoldLong);

// Keeps each run's time per iteration for the ratios printed at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

void* operator new(size_t size) {
    ++g_Allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.times;
    std::printf("\nbudget                                   figure      budget\n");
    std::printf("CalculateWrap, typical                   %7.0f ns  <= 500 ns\n", t["CalculateWrapTypical"]);
    std::printf("CalculateWrap, worst                     %7.0f ns  <= 500 ns\n", t["CalculateWrapWorst"]);
    std::printf("FormatNumber(7) / to_chars               %7.2f x   <= 1 x\n", t["FormatNumber7"] / t["ToCharsLongDouble"]);
    std::printf("FormatNumber(15) / to_chars              %7.2f x   <= 1 x\n", t["FormatNumber15"] / t["ToCharsLongDouble"]);
    std::printf("ParseNumber / strtold, list entries      %7.2f x   <= 2 x\n", t["ParseNumberEntries"] / t["StrtoldEntries"]);
    std::printf("ParseNumber / strtold, long input        %7.2f x   <= 2 x\n", t["ParseNumberLong"] / t["StrtoldLong"]);
    benchmark::Shutdown();
    return 0;
}
