// The EPSG authority factory against PROJ alone, over every system of the corpus that the
// authority factory hands out by code (all kinds but geocentric). A first look-up is timed
// as a whole pass over the codes with a fresh PROJ context (and a fresh factory), so PROJ's
// own caches start empty on both sides; a code asked again is timed one call at a time.
#include "support/Corpus.h"
#include <quarn/epsg.h>
#include <quarn/quarn.h>

#include <benchmark/benchmark.h>
#include <proj.h>

#include <string>
#include <vector>

namespace {

struct Code {
    std::string kind;
    std::string number;
    std::wstring text;
};

const std::vector<Code>& Codes() {
    static const std::vector<Code> codes = [] {
        std::vector<Code> result;
        for (const CorpusEntry& entry :
             ReadCorpus(QUARN_CORPUS_DIR "/epsg_wkt1_gdal_sample.jsonl")) {
            if (entry.kind == "geocentric") continue;
            std::string number = entry.id.substr(entry.id.find(':') + 1);
            result.push_back({entry.kind, number, std::wstring(entry.id.begin(), entry.id.end())});
        }
        return result;
    }();
    return codes;
}

const CS_Info* Ask(CQuarnEpsgAuthorityFactory& epsg, const Code& code) {
    if (code.kind == "vertical") return epsg.CreateVerticalCoordinateSystem(code.text.c_str());
    if (code.kind == "compound") return epsg.CreateCompoundCoordinateSystem(code.text.c_str());
    return epsg.CreateHorizontalCoordinateSystem(code.text.c_str());
}

// Baseline: PROJ creates each system from the database and writes its WKT 1 text.
void BM_ProjCreateAndWriteWkt(benchmark::State& state) {
    const char* options[] = {"MULTILINE=NO", nullptr};
    for (auto _ : state) {
        PJ_CONTEXT* context = proj_context_create();
        for (const Code& code : Codes()) {
            PJ* object = proj_create_from_database(context, "EPSG", code.number.c_str(),
                                                   PJ_CATEGORY_CRS, false, nullptr);
            benchmark::DoNotOptimize(proj_as_wkt(context, object, PJ_WKT1_GDAL, options));
            proj_destroy(object);
        }
        proj_context_destroy(context);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(Codes().size()));
}
BENCHMARK(BM_ProjCreateAndWriteWkt)->Unit(benchmark::kMillisecond);

// The same codes asked of a new authority factory on a new factory.
void BM_EpsgFirstLookUp(benchmark::State& state) {
    for (auto _ : state) {
        CQuarnCoordinateSystemFactory factory;
        CQuarnEpsgAuthorityFactory epsg(factory);
        for (const Code& code : Codes())
            if (Ask(epsg, code) == nullptr) state.SkipWithError("a code gave no system");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(Codes().size()));
}
BENCHMARK(BM_EpsgFirstLookUp)->Unit(benchmark::kMillisecond);

// A code asked again: the remembered answer.
void BM_EpsgAskedAgain(benchmark::State& state) {
    CQuarnCoordinateSystemFactory factory;
    CQuarnEpsgAuthorityFactory epsg(factory);
    for (const Code& code : Codes())
        Ask(epsg, code);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Ask(epsg, Codes()[next]));
        next = next + 1 == Codes().size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EpsgAskedAgain);

} // namespace
