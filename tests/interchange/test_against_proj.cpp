// The interchange texts measured against PROJ: for every corpus text this library reads
// whole, PROJ must read the text written in each dialect as the same system as the original
// (PJ_COMP_EQUIVALENT). Gdal: at least 99% of the texts. Esri: at least as many as PROJ's own
// round trip through its ESRI writer. Failures are printed by cause.
#include "support/Corpus.h"
#include <quarn/equivalent.h>
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <gtest/gtest.h>
#include <proj.h>

#include <iostream>
#include <map>
#include <memory>

namespace {

using Pj = std::unique_ptr<PJ, PJ* (*)(PJ*)>;

// Outcomes of one dialect over one corpus file: the failures by cause, printed.
struct Tally {
    int read = 0, same = 0;
    std::map<std::string, std::vector<std::string>> failures;
    void Print(const std::string& title) const {
        std::cout << title << ": " << same << " of " << read << " equivalent\n";
        for (const auto& [cause, ids] : failures)
            std::cout << "  " << ids.size() << "  " << cause << " (e.g. " << ids[0] << ")\n";
    }
};

void Measure(const char* file, const std::string& title) {
    const std::vector<CorpusEntry> entries = ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/" + file);
    ASSERT_FALSE(entries.empty());
    PJ_CONTEXT* context = proj_context_create();
    proj_log_level(context, PJ_LOG_NONE);
    auto read = [&](const std::string& wkt) {
        return Pj(proj_create(context, wkt.c_str()), proj_destroy);
    };
    // Whether PROJ reads `text` as the system it read from the original, and if not, why.
    auto judge = [&](const PJ* original, const std::string& text, const std::string& unwritten,
                     const std::string& id, Tally& tally) {
        ++tally.read;
        Pj written = read(text);
        std::string cause = text.empty() ? "not written: " + unwritten
                            : !written   ? "PROJ does not read the text"
                                         : "not equivalent, PJ_TYPE " +
                                             std::to_string(proj_get_type(original)) + " read as " +
                                             std::to_string(proj_get_type(written.get()));
        if (written &&
            proj_is_equivalent_to_with_ctx(context, original, written.get(), PJ_COMP_EQUIVALENT))
            ++tally.same;
        else
            tally.failures[cause].push_back(id);
    };
    Tally gdal, esri, projEsri;
    // The Esri dialect against PROJ's own ESRI writer, method by method: equivalent texts of
    // each, keyed by the original's PROJECTION (or its kind).
    std::map<std::string, std::pair<int, int>> byMethod;
    for (const CorpusEntry& entry : entries) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(entry.wkt.c_str());
        const QuarnParseDiagnostic& diagnostic = factory.GetLastDiagnostic();
        // A system followed by a sibling element (an ESRI vertical system after the
        // horizontal one) is a compound to PROJ; only texts read whole count.
        if (system == nullptr || diagnostic.syntaxError || diagnostic.stray ||
            entry.wkt.find(L"],VERTCS[") != std::wstring::npos)
            continue;
        Pj theirs = read(QuarnEncodeUtf8(entry.wkt));
        ASSERT_TRUE(theirs) << entry.id;
        const int esriBefore = esri.same, projBefore = projEsri.same;
        for (auto [dialect, tally] : {std::pair{quarn::WktDialect::Gdal, &gdal},
                                      std::pair{quarn::WktDialect::Esri, &esri}}) {
            quarn::WktWriter writer(dialect);
            const std::string text = writer.Write(*system);
            judge(theirs.get(), text, writer.Reason(), entry.id, *tally);
        }
        const char* own = proj_as_wkt(context, theirs.get(), PJ_WKT1_ESRI, nullptr);
        judge(theirs.get(), own ? own : "", "PROJ's ESRI writer gives nothing", entry.id, projEsri);
        const std::size_t at = entry.wkt.find(L"PROJECTION[\"");
        const std::wstring method =
            at == std::wstring::npos
                ? L""
                : entry.wkt.substr(at + 12, entry.wkt.find(L'"', at + 12) - at - 12);
        auto& [ours, proj] = byMethod[method.empty() ? entry.kind : QuarnEncodeUtf8(method)];
        ours += esri.same - esriBefore;
        proj += projEsri.same - projBefore;
    }
    proj_context_destroy(context);
    gdal.Print(title + ", Gdal dialect");
    esri.Print(title + ", Esri dialect");
    projEsri.Print(title + ", PROJ's own ESRI round trip");
    EXPECT_GE(gdal.same * 100, gdal.read * 99) << title;
    EXPECT_GE(esri.same, projEsri.same) << title;
    for (const auto& [method, counts] : byMethod)
        if (counts.first != counts.second)
            std::cout << "  Esri dialect on " << method << ": " << counts.first << ", PROJ's "
                      << counts.second << "\n";
    for (const auto& [method, counts] : byMethod)
        EXPECT_GE(counts.first, counts.second) << title << ", Esri dialect on " << method;
}

TEST(InterchangeAgainstProj, GdalCorpus) {
    Measure("epsg_wkt1_gdal_sample.jsonl", "GDAL-dialect corpus");
}
TEST(InterchangeAgainstProj, EsriCorpus) {
    Measure("epsg_wkt1_esri_sample.jsonl", "ESRI-dialect corpus");
}

// The name of the first `keyword` element of a WKT 1 text ("" when it has none).
std::string NameOf(const std::string& text, const std::string& keyword) {
    const std::size_t at = text.find(keyword + "[\"");
    if (at == std::string::npos) return "";
    const std::size_t begin = at + keyword.size() + 2;
    return text.substr(begin, text.find('"', begin) - begin);
}

// Read in the Esri dialect and written as Gdal, an ESRI text names its datum and ellipsoid
// as PROJ's WKT1_GDAL of the same text does, for at least 99% of the texts both read.
TEST(InterchangeAgainstProj, EsriNamesAsProjWritesThemInGdal) {
    const std::vector<CorpusEntry> entries =
        ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_esri_sample.jsonl");
    PJ_CONTEXT* context = proj_context_create();
    proj_log_level(context, PJ_LOG_NONE);
    int compared = 0, same = 0;
    for (const CorpusEntry& entry : entries) {
        const std::string original = QuarnEncodeUtf8(entry.wkt);
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system =
            quarn::FromWkt(factory, original, quarn::WktDialect::Esri);
        Pj theirs(proj_create(context, original.c_str()), proj_destroy);
        const char* projText =
            theirs ? proj_as_wkt(context, theirs.get(), PJ_WKT1_GDAL, nullptr) : nullptr;
        if (system == nullptr || projText == nullptr || NameOf(projText, "DATUM").empty()) continue;
        const std::string ours = quarn::ToWkt(*system, quarn::WktDialect::Gdal);
        ++compared;
        const bool equal = NameOf(ours, "DATUM") == NameOf(projText, "DATUM") &&
                           NameOf(ours, "SPHEROID") == NameOf(projText, "SPHEROID");
        same += equal;
        if (!equal)
            std::cout << entry.id << ": " << NameOf(ours, "DATUM") << ", "
                      << NameOf(ours, "SPHEROID") << " where PROJ writes "
                      << NameOf(projText, "DATUM") << ", " << NameOf(projText, "SPHEROID") << "\n";
    }
    proj_context_destroy(context);
    std::cout << "ESRI names as PROJ writes them: " << same << " of " << compared << "\n";
    EXPECT_GT(compared, 600);
    EXPECT_GE(same * 100, compared * 99);
}

// WKT 2 against PROJ on both samples, equivalence as PROJ judges it with the order of a
// geographic system's axes aside (a WKT 1 text without AXIS holds east, then north; PROJ
// gives a system with an EPSG code its database's order):
// - PROJ's WKT2_2019 and WKT2_2015 of each system, read by Quarn and written as Gdal: PROJ
//   reads that text as the system it read from the original, for at least 99%;
// - Quarn's Wkt2 and Wkt2_2015 texts of each system it reads: PROJ reads each as the original,
//   and Quarn reads the Wkt2 text back to the same object, each for at least 99% of each sample.
TEST(InterchangeAgainstProj, Wkt2BothWays) {
    PJ_CONTEXT* context = proj_context_create();
    proj_log_level(context, PJ_LOG_NONE);
    auto same = [&](const PJ* original, const std::string& text) {
        Pj read(proj_create(context, text.c_str()), proj_destroy);
        return read && proj_is_equivalent_to_with_ctx(context, original, read.get(),
                                                      PJ_COMP_EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS);
    };
    const std::pair<const char*, quarn::WktDialect> samples[] = {
        {"epsg_wkt1_gdal_sample.jsonl", quarn::WktDialect::Gdal},
        {"epsg_wkt1_esri_sample.jsonl", quarn::WktDialect::Esri}};
    const std::pair<PJ_WKT_TYPE, const char*> exports[] = {{PJ_WKT2_2019, "WKT2_2019"},
                                                           {PJ_WKT2_2015, "WKT2_2015"}};
    Tally fromProj[2], toProj[2], toProj2015[2], back[2];
    for (const auto& [file, dialect] : samples) {
        Tally& toProjHere = toProj[dialect == quarn::WktDialect::Esri];
        Tally& backHere = back[dialect == quarn::WktDialect::Esri];
        Tally& toProj2015Here = toProj2015[dialect == quarn::WktDialect::Esri];
        for (const CorpusEntry& entry : ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/" + file)) {
            const std::string text = QuarnEncodeUtf8(entry.wkt);
            Pj original(proj_create(context, text.c_str()), proj_destroy);
            if (!original) continue;
            for (int i = 0; i < 2; ++i) {
                const char* wkt2 = proj_as_wkt(context, original.get(), exports[i].first, nullptr);
                if (wkt2 == nullptr) continue;
                ++fromProj[i].read;
                CQuarnCoordinateSystemFactory factory;
                const CS_CoordinateSystem* system =
                    quarn::FromWkt(factory, wkt2, quarn::WktDialect::Wkt2);
                const std::string gdal =
                    system != nullptr ? quarn::ToWkt(*system, quarn::WktDialect::Gdal) : "";
                if (same(original.get(), gdal))
                    ++fromProj[i].same;
                else
                    fromProj[i]
                        .failures[system == nullptr ? "not read" : "not equivalent"]
                        .push_back(entry.id);
            }
            CQuarnCoordinateSystemFactory factory;
            const CS_CoordinateSystem* system = quarn::FromWkt(factory, text, dialect);
            if (system == nullptr) continue;
            quarn::WktWriter writer(quarn::WktDialect::Wkt2);
            const std::string wkt2 = writer.Write(*system);
            ++backHere.read;
            // A WKT 1 text without AXIS states east, then north; PROJ gives one with an
            // EPSG code its database's axes, which only the text's own statement settles:
            // the original without its EPSG code.
            std::string stated = text;
            if (entry.wkt.find(L"AXIS[") == std::wstring::npos) {
                const std::size_t code = stated.rfind(",AUTHORITY[");
                if (code != std::string::npos && stated.find(']', code) + 2 == stated.size())
                    stated.erase(code, stated.size() - 1 - code);
            }
            Pj asStated(proj_create(context, stated.c_str()), proj_destroy);
            auto judge = [&](const std::string& written, const std::string& reason, Tally& tally) {
                ++tally.read;
                if (same(original.get(), written) || (asStated && same(asStated.get(), written)))
                    ++tally.same;
                else
                    tally.failures[written.empty() ? "not written: " + reason : "not equivalent"]
                        .push_back(entry.id);
            };
            judge(wkt2, writer.Reason(), toProjHere);
            quarn::WktWriter writer2015(quarn::WktDialect::Wkt2_2015);
            judge(writer2015.Write(*system), writer2015.Reason(), toProj2015Here);
            const CS_CoordinateSystem* read =
                wkt2.empty() ? nullptr : quarn::FromWkt(factory, wkt2, quarn::WktDialect::Wkt2);
            if (read == system)
                ++backHere.same;
            else
                backHere.failures[wkt2.empty() ? "not written" : "another object"].push_back(
                    entry.id);
        }
    }
    proj_context_destroy(context);
    fromProj[0].Print("PROJ's WKT2_2019, read and written as Gdal");
    fromProj[1].Print("PROJ's WKT2_2015, read and written as Gdal");
    toProj[0].Print("Quarn's Wkt2 of the GDAL sample, read by PROJ");
    toProj[1].Print("Quarn's Wkt2 of the ESRI sample, read by PROJ");
    toProj2015[0].Print("Quarn's Wkt2_2015 of the GDAL sample, read by PROJ");
    toProj2015[1].Print("Quarn's Wkt2_2015 of the ESRI sample, read by PROJ");
    back[0].Print("Quarn's Wkt2 of the GDAL sample, read back by Quarn (same object)");
    back[1].Print("Quarn's Wkt2 of the ESRI sample, read back by Quarn (same object)");
    for (const Tally& tally : fromProj) {
        EXPECT_GT(tally.read, 1390);
        EXPECT_GE(tally.same * 100, tally.read * 99);
    }
    for (const Tally& tally :
         {toProj[0], toProj[1], toProj2015[0], toProj2015[1], back[0], back[1]}) {
        EXPECT_GT(tally.read, 690);
        EXPECT_GE(tally.same * 100, tally.read * 99);
    }
}

// Every polar stereographic system of PROJ's database (EPSG 5482, 5937 and 5940 are variant
// A at a pole) written in the Esri dialect from its WKT 1: PROJ reads it as the system it is
// wherever it so reads its own ESRI text (not variant C, which neither form holds).
TEST(InterchangeAgainstProj, PolarStereographicInTheEsriDialect) {
    PJ_CONTEXT* context = proj_context_create();
    proj_log_level(context, PJ_LOG_NONE);
    PROJ_CRS_LIST_PARAMETERS* parameters = proj_get_crs_list_parameters_create();
    PJ_TYPE projected = PJ_TYPE_PROJECTED_CRS;
    parameters->types = &projected;
    parameters->typesCount = 1;
    int count = 0;
    PROJ_CRS_INFO** list =
        proj_get_crs_info_list_from_database(context, "EPSG", parameters, &count);
    auto same = [&](const PJ* original, const char* text) {
        Pj written(proj_create(context, text != nullptr ? text : ""), proj_destroy);
        return written &&
               proj_is_equivalent_to_with_ctx(context, original, written.get(), PJ_COMP_EQUIVALENT);
    };
    int systems = 0, ours = 0, theirs = 0;
    for (int i = 0; i < count; ++i) {
        const char* method = list[i]->projection_method_name;
        if (method == nullptr || std::string(method).rfind("Polar Stereographic", 0) != 0) continue;
        Pj original(proj_create_from_database(context, "EPSG", list[i]->code, PJ_CATEGORY_CRS,
                                              false, nullptr),
                    proj_destroy);
        const char* gdal = proj_as_wkt(context, original.get(), PJ_WKT1_GDAL, nullptr);
        ASSERT_NE(gdal, nullptr) << list[i]->code;
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = quarn::FromWkt(factory, gdal, quarn::WktDialect::Gdal);
        ASSERT_NE(system, nullptr) << list[i]->code;
        const std::string text = quarn::ToWkt(*system, quarn::WktDialect::Esri);
        const bool ourSame = same(original.get(), text.c_str());
        const bool theirSame =
            same(original.get(), proj_as_wkt(context, original.get(), PJ_WKT1_ESRI, nullptr));
        ++systems;
        ours += ourSame;
        theirs += theirSame;
        EXPECT_TRUE(ourSame || !theirSame) << "EPSG:" << list[i]->code << " " << text;
    }
    proj_crs_info_list_destroy(list);
    proj_get_crs_list_parameters_destroy(parameters);
    proj_context_destroy(context);
    std::cout << "polar stereographic systems, Esri dialect: " << ours << " of " << systems
              << " (PROJ's own ESRI round trip: " << theirs << ")\n";
    EXPECT_GT(systems, 30);
}

} // namespace
