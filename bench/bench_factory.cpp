// Creating objects through the factory: each request scans the registry of its type, so the
// cost grows with the number of registered objects.
#include "quarn.h"

#include <benchmark/benchmark.h>

namespace {

// Asks again for one of n registered units: the answer is the registered object.
void CreateExistingUnit(benchmark::State& state) {
    CQuarnCoordinateSystemFactory factory;
    const long n = state.range(0);
    for (long i = 0; i < n; ++i)
        factory.CreateLinearUnit(L"unit", 1.0 + static_cast<double>(i));
    for (auto _ : state) {
        benchmark::DoNotOptimize(factory.CreateLinearUnit(L"unit", static_cast<double>(n)));
    }
    state.SetComplexityN(n);
}
BENCHMARK(CreateExistingUnit)->RangeMultiplier(4)->Range(1, 4096)->Complexity();

// Registers n units of one name: each new one needs a unique name, found by scanning.
void RegisterSameName(benchmark::State& state) {
    const long n = state.range(0);
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        for (long i = 0; i < n; ++i)
            factory.CreateLinearUnit(L"unit", 1.0 + static_cast<double>(i));
    }
    state.SetComplexityN(n);
}
BENCHMARK(RegisterSameName)->RangeMultiplier(4)->Range(4, 256)->Complexity();

void UnitWkt(benchmark::State& state) {
    CQuarnLinearUnit unit;
    unit.SetName(L"US survey foot");
    unit.SetMetersPerUnit(0.304800609601219);
    for (auto _ : state)
        benchmark::DoNotOptimize(unit.GetWKT(nullptr));
}
BENCHMARK(UnitWkt);

} // namespace
