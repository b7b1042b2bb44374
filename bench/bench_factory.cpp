// Creating objects through the factory: what a request costs as the registries grow, and the
// heap a factory holds per text it has read.
#include "support/Corpus.h"
#include <quarn/quarn.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// CPU time of the calling thread: other work on a shared machine does not count. `user`
// leaves out the time the kernel spends for the thread (mostly first touches of new heap
// pages).
double ThreadSeconds(bool user = false) {
    if (user) {
        rusage usage;
        getrusage(RUSAGE_THREAD, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec) * 1e-6;
    }
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Heap in use: small blocks and mapped blocks together.
double HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// A distinct projected system of about 370 characters: one of five datums and four methods,
// five parameters of which the central meridian and the false easting vary with `i`.
std::wstring GeneratedSystem(long i) {
    static const wchar_t* datums[5][3] = {
        {L"WGS_1984", L"WGS 84", L"6378137,298.257223563"},
        {L"North_American_Datum_1983", L"GRS 1980", L"6378137,298.257222101"},
        {L"European_Datum_1950", L"International 1924", L"6378388,297"},
        {L"Ordnance_Survey_of_Great_Britain_1936", L"Airy 1830", L"6377563.396,299.3249646"},
        {L"Tokyo", L"Bessel 1841", L"6377397.155,299.1528128"}};
    static const wchar_t* methods[4] = {L"Transverse_Mercator", L"Mercator_1SP",
                                        L"Lambert_Conformal_Conic_1SP", L"Polyconic"};
    const wchar_t* const* datum = datums[i % 5];
    wchar_t text[1024];
    std::swprintf(
        text, 1024,
        L"PROJCS[\"Generated grid %ld\",GEOGCS[\"GCS %ls\",DATUM[\"%ls\",SPHEROID[\"%ls\","
        L"%ls]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],"
        L"PROJECTION[\"%ls\"],PARAMETER[\"latitude_of_origin\",0],"
        L"PARAMETER[\"central_meridian\",%.4f],PARAMETER[\"scale_factor\",0.9996],"
        L"PARAMETER[\"false_easting\",%ld],PARAMETER[\"false_northing\",0],"
        L"UNIT[\"metre\",1]]",
        i, datum[0], datum[0], datum[1], datum[2], methods[(i / 5) % 4],
        -180.0 + static_cast<double>(i % 3600) * 0.1, 100000 + (i / 3600) * 1000);
    return text;
}

// Reads `texts` into one factory; the cost per text of the first and of the last `window`
// texts, and the heap held per text.
// Reads `texts` into one factory per iteration; the thread CPU time per text of the first
// and of the last `window` texts (summed over the iterations, all of it and user time
// alone), and the heap held per text.
void ReadIntoOneFactory(benchmark::State& state, const std::vector<std::wstring>& texts,
                        std::size_t window) {
    double first[2] = {}, last[2] = {}, heap = 0.0, rounds = 0.0;
    auto mark = [](double* total, double sign) {
        total[0] += sign * ThreadSeconds();
        total[1] += sign * ThreadSeconds(true);
    };
    for (auto _ : state) {
        double heapBefore = HeapInUse();
        auto* factory = new CQuarnCoordinateSystemFactory();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i == 0) mark(first, -1.0);
            if (i == texts.size() - window) mark(last, -1.0);
            benchmark::DoNotOptimize(factory->CreateFromWKT(texts[i].c_str()));
            if (i + 1 == window) mark(first, 1.0);
        }
        mark(last, 1.0);
        heap += HeapInUse() - heapBefore;
        rounds += 1.0;
        delete factory;
    }
    const double perWindow = static_cast<double>(window) * rounds;
    state.counters["first_us_per_text"] = first[0] * 1e6 / perWindow;
    state.counters["last_us_per_text"] = last[0] * 1e6 / perWindow;
    state.counters["last_over_first"] = last[0] / first[0];
    state.counters["last_over_first_user"] = last[1] / first[1];
    state.counters["heap_bytes_per_text"] = heap / rounds / static_cast<double>(texts.size());
}

// Figures 1 and 2: 100,000 distinct generated systems into one factory.
void GeneratedSystemsIntoOneFactory(benchmark::State& state) {
    std::vector<std::wstring> texts;
    for (long i = 0; i < state.range(0); ++i)
        texts.push_back(GeneratedSystem(i));
    ReadIntoOneFactory(state, texts, 1000);
}
BENCHMARK(GeneratedSystemsIntoOneFactory)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);

// Figure 1 without the reading: the create operations the reader calls for each generated
// system, made directly, so that what is left is the registries' share.
void GeneratedSystemsThroughCreateOperations(benchmark::State& state) {
    static const wchar_t* methods[4] = {L"Transverse_Mercator", L"Mercator_1SP",
                                        L"Lambert_Conformal_Conic_1SP", L"Polyconic"};
    static const wchar_t* names[5] = {L"latitude_of_origin", L"central_meridian", L"scale_factor",
                                      L"false_easting", L"false_northing"};
    const long count = state.range(0), window = 1000;
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        double first = 0.0, last = 0.0;
        for (long i = 0; i < count; ++i) {
            if (i == 0) first -= ThreadSeconds();
            if (i == count - window) last -= ThreadSeconds();
            const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
            const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
            const CS_Ellipsoid* ellipsoid = factory.CreateFlattenedSphere(
                L"Spheroid", 6378137.0 + static_cast<double>(i % 5), 298.257223563, nullptr);
            const CS_HorizontalDatum* datum = factory.CreateHorizontalDatum(
                L"Datum", 1001, ellipsoid, CQuarnWGS84ConversionInfo(), CQuarn3DIMInfo());
            const CS_PrimeMeridian* greenwich =
                factory.CreatePrimeMeridian(L"Greenwich", nullptr, 0.0);
            const CS_GeographicCoordinateSystem* geographic =
                factory.CreateGeographicCoordinateSystem(L"GCS", degree, datum, greenwich,
                                                         CQuarnAxisInfo(), CQuarnAxisInfo());
            const double values[5] = {0.0, -180.0 + static_cast<double>(i % 3600) * 0.1, 0.9996,
                                      100000.0 + static_cast<double>(i / 3600) * 1000.0, 0.0};
            CBASESequence<CS_ProjectionParameter, 11> parameters;
            parameters.Resize(5);
            for (int k = 0; k < 5; ++k) {
                std::wcscpy(parameters[k].name, names[k]);
                parameters[k].value = values[k];
            }
            const CS_Projection* projection =
                factory.CreateProjection(L"", methods[(i / 5) % 4], parameters);
            wchar_t name[64];
            std::swprintf(name, 64, L"Generated grid %ld", i);
            benchmark::DoNotOptimize(factory.CreateProjectedCoordinateSystem(
                name, geographic, projection, metre, CQuarnAxisInfo(), CQuarnAxisInfo()));
            if (i + 1 == window) first += ThreadSeconds();
        }
        last += ThreadSeconds();
        state.counters["first_us_per_system"] = first * 1e6 / static_cast<double>(window);
        state.counters["last_us_per_system"] = last * 1e6 / static_cast<double>(window);
        state.counters["last_over_first"] = last / first;
    }
}
BENCHMARK(GeneratedSystemsThroughCreateOperations)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Figure 1 on the corpus: the last fifth of the texts against the first fifth.
void CorpusIntoOneFactory(benchmark::State& state, const char* file) {
    std::vector<std::wstring> texts;
    for (const CorpusEntry& entry : ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/" + file))
        texts.push_back(entry.wkt);
    if (texts.empty()) {
        state.SkipWithError("corpus not found");
        return;
    }
    ReadIntoOneFactory(state, texts, texts.size() / 5);
}
BENCHMARK_CAPTURE(CorpusIntoOneFactory, gdal, "epsg_wkt1_gdal_sample.jsonl")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CorpusIntoOneFactory, esri, "epsg_wkt1_esri_sample.jsonl")
    ->Unit(benchmark::kMillisecond);

// Figure 3: one text read 1,000,000 times into one factory; the heap after the last read
// against the heap after the 10,000th. The shorter run shows the trend where every read
// still leaves memory behind.
void SameTextReadAgain(benchmark::State& state) {
    const std::wstring text = GeneratedSystem(7);
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        double early = 0.0;
        for (long i = 1; i <= state.range(0); ++i) {
            benchmark::DoNotOptimize(factory.CreateFromWKT(text.c_str()));
            if (i == 10000) early = HeapInUse();
        }
        state.counters["heap_growth_bytes"] = HeapInUse() - early;
    }
}
BENCHMARK(SameTextReadAgain)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kSecond);

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

// Registers n units of one name: each new one needs a unique name.
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
