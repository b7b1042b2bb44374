// The corpus read with a fresh factory per text (read and write back), its texts split
// between one and two threads: what threads add (the per-thread engine and buffers) and
// what they gain. Compare the two real times of one run: Threads:2 over Threads:1.
#include "support/Corpus.h"
#include <quarn/quarn.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<CorpusEntry>& GdalTexts() {
    static const std::vector<CorpusEntry> texts =
        ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_gdal_sample.jsonl");
    return texts;
}

void ReadCorpusSplitBetweenThreads(benchmark::State& state) {
    const std::vector<CorpusEntry>& texts = GdalTexts();
    const std::size_t threads = static_cast<std::size_t>(state.threads());
    const std::size_t index = static_cast<std::size_t>(state.thread_index());
    for (auto _ : state) {
        for (std::size_t i = index; i < texts.size(); i += threads) {
            CQuarnCoordinateSystemFactory factory;
            if (const CS_CoordinateSystem* system = factory.CreateFromWKT(texts[i].wkt.c_str()))
                benchmark::DoNotOptimize(system->GetWKT(nullptr));
        }
    }
    if (index == 0) state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(ReadCorpusSplitBetweenThreads)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
