// Reading and writing the corpus of real WKT texts.
#include "Corpus.h"
#include "quarn.h"

#include <benchmark/benchmark.h>

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

} // namespace
