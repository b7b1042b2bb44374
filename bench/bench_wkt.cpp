// Reading and writing the corpus of real WKT texts.
#include "support/Corpus.h"
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <benchmark/benchmark.h>

#include <cwctype>
#include <string>
#include <vector>

namespace {

const std::vector<CorpusEntry>& Texts(const char* file) {
    static std::vector<CorpusEntry> gdal =
        ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_gdal_sample.jsonl");
    static std::vector<CorpusEntry> esri =
        ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_esri_sample.jsonl");
    return std::string(file) == "gdal" ? gdal : esri;
}

// Every text of a corpus file read into one factory: later texts find most of their
// objects registered already.
void ReadCorpusIntoOneFactory(benchmark::State& state, const char* file) {
    const std::vector<CorpusEntry>& texts = Texts(file);
    if (texts.empty()) state.SkipWithError("corpus not found");
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        for (const CorpusEntry& entry : texts)
            benchmark::DoNotOptimize(factory.CreateFromWKT(entry.wkt.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK_CAPTURE(ReadCorpusIntoOneFactory, gdal, "gdal")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadCorpusIntoOneFactory, esri, "esri")->Unit(benchmark::kMillisecond);

// Each text read into a fresh factory, the way a host opening one .prj file works.
void ReadOneText(benchmark::State& state, const char* file) {
    const std::vector<CorpusEntry>& texts = Texts(file);
    if (texts.empty()) state.SkipWithError("corpus not found");
    std::size_t i = 0;
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        benchmark::DoNotOptimize(factory.CreateFromWKT(texts[i++ % texts.size()].wkt.c_str()));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(ReadOneText, gdal, "gdal");
BENCHMARK_CAPTURE(ReadOneText, esri, "esri");

// Writing a projected system: the whole tree of elements through the class buffers.
void WriteProjected(benchmark::State& state) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = nullptr;
    for (const CorpusEntry& entry : Texts("gdal")) {
        if (entry.kind == "projected" && (system = factory.CreateFromWKT(entry.wkt.c_str()))) break;
    }
    if (system == nullptr) state.SkipWithError("no projected system in the corpus");
    for (auto _ : state)
        benchmark::DoNotOptimize(system->GetWKT(nullptr));
}
BENCHMARK(WriteProjected);

// ---- Reading against a bare tokenising pass ------------------------------------------------

// The least any reader must do: split the wide characters into words, numbers, strings and
// single characters. Reading the corpus is measured against this pass over the same texts.
long CountTokens(const wchar_t* c) {
    long tokens = 0;
    while (*c != L'\0') {
        wchar_t first = *c++;
        if (first == L' ' || first == L'\t' || first == L'\r' || first == L'\n') continue;
        ++tokens;
        if (first == L'"') {
            while (*c != L'\0' && *c++ != L'"') {
            }
        } else if (std::iswalnum(static_cast<wint_t>(first)) || first == L'_' || first == L'.' ||
                   first == L'-' || first == L'+') {
            while (std::iswalnum(static_cast<wint_t>(*c)) || *c == L'_' || *c == L'.' ||
                   *c == L'-' || *c == L'+')
                ++c;
        }
    }
    return tokens;
}

void TokeniseCorpus(benchmark::State& state) {
    const std::vector<CorpusEntry>& texts = Texts("gdal");
    if (texts.empty()) state.SkipWithError("corpus not found");
    for (auto _ : state) {
        for (const CorpusEntry& entry : texts)
            benchmark::DoNotOptimize(CountTokens(entry.wkt.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(TokeniseCorpus)->Unit(benchmark::kMillisecond);

// Reading the same texts, each into a fresh factory (its construction counted).
void ReadCorpusFreshFactories(benchmark::State& state) {
    const std::vector<CorpusEntry>& texts = Texts("gdal");
    if (texts.empty()) state.SkipWithError("corpus not found");
    for (auto _ : state) {
        for (const CorpusEntry& entry : texts) {
            CQuarnCoordinateSystemFactory factory;
            benchmark::DoNotOptimize(factory.CreateFromWKT(entry.wkt.c_str()));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(ReadCorpusFreshFactories)->Unit(benchmark::kMillisecond);

// The same texts as UTF-8 through quarn::FromWkt, in the canonical (0) and the GDAL (1)
// dialect: the UTF-8 face must cost no more than the wide reading above.
void ReadCorpusUtf8FreshFactories(benchmark::State& state) {
    std::vector<std::string> texts;
    for (const CorpusEntry& entry : Texts("gdal"))
        texts.push_back(QuarnEncodeUtf8(entry.wkt));
    if (texts.empty()) state.SkipWithError("corpus not found");
    quarn::WktDialect dialect =
        state.range(0) == 0 ? quarn::WktDialect::Canonical : quarn::WktDialect::Gdal;
    for (auto _ : state) {
        for (const std::string& text : texts) {
            CQuarnCoordinateSystemFactory factory;
            benchmark::DoNotOptimize(quarn::FromWkt(factory, text, dialect));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(ReadCorpusUtf8FreshFactories)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// ---- Long lists and long tokens --------------------------------------------------------
// Each text is built with n elements (or n times ten characters); the reading time must
// grow linearly: compare the 80000 run with the 10000 run of the same benchmark.

const wchar_t* const kGeographic =
    L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],PRIMEM[\"G\",0],"
    L"UNIT[\"degree\",0.0174532925199433]]";

std::wstring Repeat(const std::wstring& item, long n, const wchar_t* separator) {
    std::wstring text;
    text.reserve(static_cast<std::size_t>(n) * (item.size() + 1));
    for (long i = 0; i < n; ++i) {
        if (i > 0) text += separator;
        text += item;
    }
    return text;
}

std::wstring ProjectedWithParameters(long n) {
    return std::wstring(L"PROJCS[\"p\",") + kGeographic + L",PROJECTION[\"Transverse_Mercator\"]," +
           Repeat(L"PARAMETER[\"scale_factor\",0.9996]", n, L",") + L",UNIT[\"metre\",1]]";
}
std::wstring FittedWithParameters(long n) {
    return L"FITTED_CS[\"f\",PARAM_MT[\"Local_Grid\"," +
           Repeat(L"PARAMETER[\"E0\",12.5]", n, L",") + L"]," + kGeographic + L"]";
}
std::wstring LocalWithAxes(long n) {
    return L"LOCAL_CS[\"l\",LOCAL_DATUM[\"d\",10000],UNIT[\"metre\",1]," +
           Repeat(L"AXIS[\"x\",East]", n, L",") + L"]";
}
std::wstring LongName(long n) {
    return L"VERT_CS[\"" + std::wstring(static_cast<std::size_t>(n) * 10, L'n') +
           L"\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]]";
}
std::wstring LongNumber(long n) {
    return L"VERT_CS[\"v\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1." +
           std::wstring(static_cast<std::size_t>(n) * 10, L'0') + L"1]]";
}
// Fails at its last token, after every parameter was read in a trial parse.
std::wstring ProjectedFailingAtEnd(long n) {
    return ProjectedWithParameters(n) + L"]";
}

void ReadLong(benchmark::State& state, std::wstring (*make)(long)) {
    const std::wstring text = make(state.range(0));
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        benchmark::DoNotOptimize(factory.CreateFromWKT(text.c_str()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}
#define QUARN_LONG_BENCH(make)                                                                     \
    BENCHMARK_CAPTURE(ReadLong, make, make)                                                        \
        ->Arg(10000)                                                                               \
        ->Arg(80000)                                                                               \
        ->Iterations(1)                                                                            \
        ->Repetitions(3)                                                                           \
        ->ReportAggregatesOnly(true)                                                               \
        ->Unit(benchmark::kMillisecond)
QUARN_LONG_BENCH(ProjectedWithParameters);
QUARN_LONG_BENCH(FittedWithParameters);
QUARN_LONG_BENCH(LocalWithAxes);
QUARN_LONG_BENCH(LongName);
QUARN_LONG_BENCH(LongNumber);
QUARN_LONG_BENCH(ProjectedFailingAtEnd);
#undef QUARN_LONG_BENCH

} // namespace
