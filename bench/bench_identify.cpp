// Identification against PROJ's proj_identify on the same systems, in one run: the corpus
// samples with their AUTHORITY elements removed, each read in its own dialect. Quarn's
// systems are read once into one factory that lives for the whole benchmark, PROJ's objects
// are created once and destroyed at the end; only the identification is timed (for PROJ
// including the destruction of the list it returns). The first call of a fresh identifier
// is timed without and with the cache, and a folder of 10,000 .prj files is read and
// identified from the start.
#include <quarn/identify.h>
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include "support/Corpus.h"

#include <benchmark/benchmark.h>
#include <proj.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string WithoutAuthorities(std::string text) {
    for (std::size_t at; (at = text.find(",AUTHORITY[")) != std::string::npos;)
        text.erase(at, text.find(']', at) + 1 - at);
    return text;
}

struct Sample {
    std::vector<std::string> texts;
    std::vector<const CS_CoordinateSystem*> systems;
    std::vector<PJ*> proj;
};

CQuarnCoordinateSystemFactory& Factory() {
    static CQuarnCoordinateSystemFactory factory;
    return factory;
}

PJ_CONTEXT* Context() {
    static PJ_CONTEXT* context = proj_context_create();
    return context;
}

const Sample& Load(bool esri) {
    static Sample samples[2];
    Sample& s = samples[esri];
    if (!s.texts.empty()) return s;
    const std::string file =
        std::string(QUARN_CORPUS_DIR) +
        (esri ? "/epsg_wkt1_esri_sample.jsonl" : "/epsg_wkt1_gdal_sample.jsonl");
    for (const CorpusEntry& entry : ReadCorpus(file)) {
        std::string text = WithoutAuthorities(QuarnEncodeUtf8(entry.wkt));
        const CS_CoordinateSystem* system = quarn::FromWkt(
            Factory(), text, esri ? quarn::WktDialect::Esri : quarn::WktDialect::Gdal);
        PJ* crs = proj_create(Context(), text.c_str());
        if (system == nullptr || crs == nullptr) {
            proj_destroy(crs);
            continue;
        }
        s.texts.push_back(std::move(text));
        s.systems.push_back(system);
        s.proj.push_back(crs);
    }
    return s;
}

void QuarnIdentify(benchmark::State& state) {
    const Sample& s = Load(state.range(0) != 0);
    static quarn::EpsgIdentifier identifier;
    identifier.Identify(*s.systems[0]); // the first call is timed on its own below
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(identifier.Identify(*s.systems[i]));
        i = (i + 1) % s.systems.size();
    }
    state.SetLabel(state.range(0) ? "esri" : "gdal");
}

void ProjIdentify(benchmark::State& state) {
    const Sample& s = Load(state.range(0) != 0);
    std::size_t i = 0;
    for (auto _ : state) {
        int* confidences = nullptr;
        PJ_OBJ_LIST* list = proj_identify(Context(), s.proj[i], "EPSG", nullptr, &confidences);
        benchmark::DoNotOptimize(list);
        proj_int_list_destroy(confidences);
        proj_list_destroy(list);
        i = (i + 1) % s.proj.size();
    }
    state.SetLabel(state.range(0) ? "esri" : "gdal");
}

// The first call of a fresh identifier: range 0 with an empty cache folder, 1 with the cache
// the previous iteration wrote.
void FirstCall(benchmark::State& state) {
    const Sample& s = Load(false);
    const std::string folder = std::filesystem::temp_directory_path() / "quarn-bench-cache";
    setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    std::filesystem::remove_all(folder);
    if (state.range(0) != 0) quarn::EpsgIdentifier().Identify(*s.systems[0]);
    for (auto _ : state) {
        if (state.range(0) == 0) {
            state.PauseTiming();
            std::filesystem::remove_all(folder);
            state.ResumeTiming();
        }
        quarn::EpsgIdentifier identifier;
        benchmark::DoNotOptimize(identifier.Identify(*s.systems[0]));
    }
    state.SetLabel(state.range(0) ? "with cache" : "no cache");
}

// 10,000 .prj files (the ESRI sample over and over) read and identified from the start: a
// fresh identifier (its cache there) and one factory, as quarn-wkt --identify does.
void Folder(benchmark::State& state) {
    const Sample& s = Load(true);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quarn-bench-prj";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < 10000; ++i)
        std::ofstream(folder / (std::to_string(i) + ".prj")) << s.texts[i % s.texts.size()];
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        quarn::EpsgIdentifier identifier;
        std::size_t matched = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(entry.path());
            std::string text((std::istreambuf_iterator<char>(in)), {});
            if (auto system = quarn::FromWkt(factory, text, quarn::WktDialect::Esri))
                matched += !identifier.Identify(*system, 70).empty();
        }
        benchmark::DoNotOptimize(matched);
    }
    std::filesystem::remove_all(folder);
}

BENCHMARK(QuarnIdentify)->Arg(0)->Arg(1);
BENCHMARK(ProjIdentify)->Arg(0)->Arg(1);
BENCHMARK(FirstCall)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(Folder)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
