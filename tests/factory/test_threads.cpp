// Threads: factories used in parallel, one per thread; one finished factory read from many
// threads; the projection-loading flag changed while others read. Every result must be what
// the same calls give in one thread. Run under ThreadSanitizer in CI.
#include "support/Corpus.h"
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kThreads = 4;

std::vector<std::wstring> CorpusTexts() {
    std::vector<std::wstring> texts;
    for (const char* file : {"/epsg_wkt1_gdal_sample.jsonl", "/epsg_wkt1_esri_sample.jsonl"})
        for (CorpusEntry& entry : ReadCorpus(std::string(QUARN_CORPUS_DIR) + file))
            texts.push_back(std::move(entry.wkt));
    return texts;
}

// Everything a reader can ask of an object, as one text: its WKT, names, the records its
// getters hand out and (unless other threads change it) its reference count.
std::wstring Describe(const CS_Info* object, bool withCount = true) {
    std::wstring out = object->GetWKT(nullptr) + (L'|' + std::wstring(object->GetName())) + L'|' +
                       object->GetAuthorityCode();
    if (withCount) out += L'|' + std::to_wstring(object->GetRefCount());
    if (auto* system = dynamic_cast<const CS_CoordinateSystem*>(object))
        for (long i = 0; i < system->GetDimension() && i < 3; ++i)
            if (const CS_AxisInfo* axis = system->GetAxis(i))
                out += L'|' + std::wstring(axis->name) + std::to_wstring(axis->orientation);
    if (auto* projection = dynamic_cast<const CS_Projection*>(object))
        for (long i = 0; i < projection->GetNumParameters(); ++i)
            if (const CS_ProjectionParameter* parameter = projection->GetParameter(i))
                out += L'|' + std::wstring(parameter->name) + std::to_wstring(parameter->value);
    if (auto* datum = dynamic_cast<const CS_HorizontalDatum*>(object))
        out += std::to_wstring(datum->GetWGS84Parameters()->Dx) +
               datum->Get3DIMParameters()->LBFFileName;
    return out;
}

// One factory reads every text in order; the written text of each result (or "-"), then
// every registered object described, registry by registry.
std::vector<std::wstring> ReadAll(const std::vector<std::wstring>& texts) {
    CQuarnCoordinateSystemFactory factory;
    std::vector<std::wstring> results;
    for (const std::wstring& text : texts) {
        const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
        results.push_back(system != nullptr ? system->GetWKT(nullptr) : L"-");
    }
    for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
        const CQuarnInfoArray& line = factory.GetProductLine(type);
        for (int i = 0; i < line.GetSize(); ++i)
            results.push_back(Describe(line.GetAt(i)));
    }
    return results;
}

TEST(Threads, FactoriesInParallelGiveTheSingleThreadResults) {
    const std::vector<std::wstring> texts = CorpusTexts();
    ASSERT_GT(texts.size(), 1000u);
    const std::vector<std::wstring> expected = ReadAll(texts);

    std::vector<std::vector<std::wstring>> got(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] { got[t] = ReadAll(texts); });
    for (int t = 0; t < kThreads; ++t) {
        threads[t].join();
        EXPECT_TRUE(got[t] == expected) << "thread " << t;
    }
}

TEST(Threads, AFinishedFactoryIsReadFromManyThreads) {
    CQuarnCoordinateSystemFactory factory;
    for (const std::wstring& text : CorpusTexts())
        factory.CreateFromWKT(text.c_str());
    std::vector<const CS_Info*> objects;
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        for (int i = 0; i < factory.GetProductLine(type).GetSize(); ++i)
            objects.push_back(factory.GetProductLine(type).GetAt(i));
    std::vector<std::wstring> expected;
    for (const CS_Info* object : objects)
        expected.push_back(Describe(object, false));

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (std::size_t i = 0; i < 2 * objects.size(); ++i) {
                objects[i / 2]->AddRef();
                if (Describe(objects[i / 2], false) != expected[i / 2]) ++mismatches;
                objects[i / 2]->Release();
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
    // Every AddRef was balanced by a Release: the counts are back where they were.
    for (const CS_Info* object : objects)
        ASSERT_EQ(object->GetRefCount(), 0) << "object " << object->GetName();
}

// A text that the projection-loading flag reads differently ("Degree" becomes "Degrees").
const wchar_t kFlagText[] = L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],"
                            L"PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]]";

std::wstring ReadFlagText() {
    CQuarnCoordinateSystemFactory factory;
    return factory.CreateFromWKT(kFlagText)->GetWKT(nullptr);
}

TEST(Threads, ARaceWithTheLoadingFlagSeesTheOldOrTheNewSetting) {
    SetPrjLoading(false);
    const std::wstring off = ReadFlagText();
    SetPrjLoading(true);
    const std::wstring on = ReadFlagText();
    SetPrjLoading(false);
    ASSERT_NE(off, on);

    std::atomic<bool> done{false};
    std::atomic<int> strange{0};
    std::thread toggler([&] {
        for (int i = 0; i < 2000; ++i)
            SetPrjLoading(i % 2 == 0);
        done = true;
    });
    auto read = [&] {
        for (int i = 0; i < 200 || !done; ++i) {
            const std::wstring text = ReadFlagText();
            if (text != off && text != on) ++strange;
            (void)IsPrjLoading();
        }
    };
    std::thread first(read), second(read);
    for (std::thread* thread : {&toggler, &first, &second})
        thread->join();
    SetPrjLoading(false);
    EXPECT_EQ(strange.load(), 0);
}

} // namespace
