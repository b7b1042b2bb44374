// The interchange texts measured against PROJ: for every corpus text this library reads
// whole, PROJ must read the text written in each dialect as the same system as the original
// (PJ_COMP_EQUIVALENT). Gdal: at least 99% of the texts. Esri: at least as many as PROJ's own
// round trip through its ESRI writer. Failures are printed by cause.
#include "interchange.h"
#include "quarn.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct PjDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using Pj = std::unique_ptr<PJ, PjDeleter>;

class ProjContext {
public:
    ProjContext() : m_context(proj_context_create()) { proj_log_level(m_context, PJ_LOG_NONE); }
    ~ProjContext() { proj_context_destroy(m_context); }
    Pj Read(const std::string& wkt) const { return Pj(proj_create(m_context, wkt.c_str())); }
    std::string EsriOf(const PJ* object) const {
        const char* text = proj_as_wkt(m_context, object, PJ_WKT1_ESRI, nullptr);
        return text != nullptr ? text : "";
    }
    bool Same(const PJ* a, const PJ* b) const {
        return proj_is_equivalent_to_with_ctx(m_context, a, b, PJ_COMP_EQUIVALENT) != 0;
    }
    static std::string TypeName(const PJ* object) {
        static const std::map<PJ_TYPE, const char*> names = {
            {PJ_TYPE_BOUND_CRS, "bound"},
            {PJ_TYPE_COMPOUND_CRS, "compound"},
            {PJ_TYPE_PROJECTED_CRS, "projected"},
            {PJ_TYPE_GEOGRAPHIC_2D_CRS, "geographic"},
            {PJ_TYPE_GEOCENTRIC_CRS, "geocentric"},
            {PJ_TYPE_VERTICAL_CRS, "vertical"},
            {PJ_TYPE_ENGINEERING_CRS, "engineering"}};
        auto found = names.find(proj_get_type(object));
        return found != names.end() ? found->second : "other";
    }

private:
    PJ_CONTEXT* m_context;
};

// Outcomes of one dialect over one corpus file, counted by cause.
struct Tally {
    int read = 0;
    int same = 0;
    std::map<std::string, std::vector<std::string>> failures;

    void Fail(const std::string& cause, const std::string& id) { failures[cause].push_back(id); }
    void Print(const std::string& title) const {
        std::cout << title << ": " << same << " of " << read << " equivalent\n";
        for (const auto& [cause, ids] : failures) {
            std::cout << "  " << ids.size() << "  " << cause << " (e.g.";
            for (std::size_t i = 0; i < ids.size() && i < 3; ++i)
                std::cout << ' ' << ids[i];
            std::cout << ")\n";
        }
    }
};

// Whether PROJ reads `text` as the system it read from the original, and if not, why.
void Judge(const ProjContext& proj, const PJ* original, const std::string& text,
           const std::string& unwritten, const std::string& id, Tally& tally) {
    if (text.empty()) return tally.Fail("not written: " + unwritten, id);
    Pj written = proj.Read(text);
    if (!written) return tally.Fail("PROJ does not read the text", id);
    if (proj.Same(original, written.get())) {
        ++tally.same;
        return;
    }
    std::string kinds = proj.TypeName(original);
    if (kinds != proj.TypeName(written.get())) kinds += " read as " + proj.TypeName(written.get());
    tally.Fail("not equivalent, " + kinds, id);
}

void Measure(const char* file, const std::string& title) {
    const std::vector<CorpusEntry> entries = ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/" + file);
    ASSERT_FALSE(entries.empty());
    ProjContext proj;
    Tally gdal, esri, projEsri;
    for (const CorpusEntry& entry : entries) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(entry.wkt.c_str());
        const QuarnParseDiagnostic& read = factory.GetLastDiagnostic();
        // A system followed by a sibling element (an ESRI vertical system after the
        // horizontal one) is a compound to PROJ; only texts read whole count.
        if (system == nullptr || read.syntaxError || read.stray ||
            entry.wkt.find(L"],VERTCS[") != std::wstring::npos)
            continue;
        const std::string original = QuarnEncodeUtf8(entry.wkt);
        Pj theirs = proj.Read(original);
        ASSERT_TRUE(theirs) << entry.id;
        for (auto [dialect, tally] : {std::pair{quarn::WktDialect::Gdal, &gdal},
                                      std::pair{quarn::WktDialect::Esri, &esri}}) {
            ++tally->read;
            quarn::WktWriter writer(dialect);
            std::string text = writer.Write(*system);
            Judge(proj, theirs.get(), text, writer.Reason(), entry.id, *tally);
        }
        ++projEsri.read;
        Judge(proj, theirs.get(), proj.EsriOf(theirs.get()), "PROJ's ESRI writer gives nothing",
              entry.id, projEsri);
    }
    gdal.Print(title + ", Gdal dialect");
    esri.Print(title + ", Esri dialect");
    projEsri.Print(title + ", PROJ's own ESRI round trip");
    EXPECT_GE(gdal.same * 100, gdal.read * 99) << title;
    EXPECT_GE(esri.same, projEsri.same) << title;
}

TEST(InterchangeAgainstProj, GdalCorpus) {
    Measure("epsg_wkt1_gdal_sample.jsonl", "GDAL-dialect corpus");
}
TEST(InterchangeAgainstProj, EsriCorpus) {
    Measure("epsg_wkt1_esri_sample.jsonl", "ESRI-dialect corpus");
}

} // namespace
