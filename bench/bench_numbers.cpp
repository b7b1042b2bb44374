// Writing and reading numbers, the innermost step of every WKT text.
#include <quarn/quarn.h>

#include <benchmark/benchmark.h>

#include <cwchar>
#include <random>
#include <vector>

namespace {

std::vector<double> Values() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-1e7, 1e7);
    std::vector<double> values(4096);
    for (double& value : values)
        value = spread(random);
    return values;
}

void FormatNumber(benchmark::State& state) {
    std::vector<double> values = Values();
    wchar_t text[kQuarnNumberText];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QuarnFormatNumber(values[i++ & 4095], text));
    }
}
BENCHMARK(FormatNumber);

// The C library's formatting of the same values, for comparison.
void FormatNumberPrintf(benchmark::State& state) {
    std::vector<double> values = Values();
    wchar_t text[64];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::swprintf(text, 64, L"%.15G", values[i++ & 4095]));
    }
}
BENCHMARK(FormatNumberPrintf);

void ReadNumber(benchmark::State& state) {
    std::vector<double> values = Values();
    std::vector<std::wstring> texts;
    wchar_t text[kQuarnNumberText];
    for (double value : values) {
        QuarnFormatNumber(value, text);
        texts.push_back(text);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QuarnReadNumber(texts[i++ & 4095].c_str()));
    }
}
BENCHMARK(ReadNumber);

} // namespace
