// Identification measured on the corpus samples: every AUTHORITY element removed, each text
// read in its own dialect, the top match against the code the text carried. Also the texts
// with every system and datum name replaced ("meaning alone") and with a false easting
// moved by 1,234.5 units. The figures are printed; the test holds them to their bounds.
#include <quarn/identify.h>
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include "support/Corpus.h"

#include <proj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Narrow(const std::wstring& text) {
    return QuarnEncodeUtf8(text);
}

std::string WithoutAuthorities(std::string text) {
    for (std::size_t at; (at = text.find(",AUTHORITY[")) != std::string::npos;)
        text.erase(at, text.find(']', at) + 1 - at);
    return text;
}

// Every system's name "My grid", every datum's name "D_Unknown".
std::string Renamed(std::string text) {
    for (const char* keyword : {"PROJCS[\"", "GEOGCS[\"", "GEOCCS[\"", "VERT_CS[\"", "VERTCS[\"",
                                "COMPD_CS[\"", "DATUM[\"", "VDATUM[\"", "VERT_DATUM[\""}) {
        const bool datum = std::string(keyword).find("DATUM") != std::string::npos;
        const std::string key = keyword;
        for (std::size_t at = text.find(key); at != std::string::npos;
             at = text.find(key, at + 1)) {
            if (at > 0 &&
                (std::isalpha(static_cast<unsigned char>(text[at - 1])) || text[at - 1] == '_'))
                continue;
            const std::size_t start = at + key.size();
            text.replace(start, text.find('"', start) - start, datum ? "D_Unknown" : "My grid");
        }
    }
    return text;
}

// The false easting moved by 1,234.5; empty for a text without one.
std::string Moved(std::string text) {
    for (const char* key : {"PARAMETER[\"false_easting\",", "PARAMETER[\"False_Easting\","}) {
        const std::size_t at = text.find(key);
        if (at == std::string::npos) continue;
        const std::size_t start = at + std::string(key).size();
        const std::size_t end = text.find(']', start);
        char moved[64];
        std::snprintf(moved, sizeof moved, "%.17g",
                      std::stod(text.substr(start, end - start)) + 1234.5);
        return text.replace(start, end - start, moved);
    }
    return {};
}

struct Figures {
    int texts = 0, current = 0;
    int top = 0, topCurrent = 0, sure = 0, wrongSure = 0;
    int meaningListed = 0, meaningTexts = 0, movedTexts = 0, movedListed = 0;
};

double Share(int part, int whole) {
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

Figures Measure(const std::string& file, quarn::WktDialect dialect) {
    Figures f;
    quarn::EpsgIdentifier identifier;
    PJ_CONTEXT* context = proj_context_create();
    for (const CorpusEntry& entry : ReadCorpus(std::string(QUARN_CORPUS_DIR) + "/" + file)) {
        const std::string code = entry.id.substr(entry.id.find(':') + 1);
        const std::string text = WithoutAuthorities(Narrow(entry.wkt));
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = quarn::FromWkt(factory, text, dialect);
        if (system == nullptr) continue;
        PJ* crs =
            proj_create_from_database(context, "EPSG", code.c_str(), PJ_CATEGORY_CRS, 0, nullptr);
        const bool current = crs != nullptr && !proj_is_deprecated(crs);
        proj_destroy(crs);
        ++f.texts;
        f.current += current;
        const std::vector<quarn::Match> matches = identifier.Identify(*system);
        const bool top = !matches.empty() && matches[0].code == code;
        f.top += top;
        if (!current) continue;
        f.topCurrent += top;
        for (const quarn::Match& m : matches)
            f.sure += m.code == code && m.confidence >= 90;
        f.wrongSure += !matches.empty() && !top && matches[0].confidence >= 90;

        const CS_CoordinateSystem* renamed = quarn::FromWkt(factory, Renamed(text), dialect);
        if (renamed != nullptr) {
            ++f.meaningTexts;
            for (const quarn::Match& m : identifier.Identify(*renamed, 50))
                if (m.code == code) ++f.meaningListed;
        }
        const std::string moved = Moved(text);
        if (const CS_CoordinateSystem* other =
                moved.empty() ? nullptr : quarn::FromWkt(factory, moved, dialect)) {
            ++f.movedTexts;
            for (const quarn::Match& m : identifier.Identify(*other, 70))
                if (m.code == code) ++f.movedListed;
        }
    }
    proj_context_destroy(context);
    std::printf("%s: %d texts (%d of current codes)\n"
                "  top match is the carried code: %.2f%% of all, %.2f%% of current\n"
                "  carried code at confidence >= 90: %.2f%% of current\n"
                "  wrong top match at confidence >= 90: %.2f%% of current\n"
                "  meaning alone, carried code listed: %.2f%% of %d\n"
                "  false easting moved, carried code at >= 70: %d of %d\n",
                file.c_str(), f.texts, f.current, Share(f.top, f.texts),
                Share(f.topCurrent, f.current), Share(f.sure, f.current),
                Share(f.wrongSure, f.current), Share(f.meaningListed, f.meaningTexts),
                f.meaningTexts, f.movedListed, f.movedTexts);
    return f;
}

// PROJ's figures on the same texts: 97.4% and 96.2% top matches of all texts.
void ExpectBounds(const Figures& f, double projShare) {
    ASSERT_GT(f.texts, 600);
    EXPECT_GE(Share(f.top, f.texts), projShare);
    EXPECT_GE(Share(f.topCurrent, f.current), 99.9);
    EXPECT_GE(Share(f.sure, f.current), 99.0);
    EXPECT_LE(Share(f.wrongSure, f.current), 0.2);
    EXPECT_GE(Share(f.meaningListed, f.meaningTexts), 99.0);
    EXPECT_GT(f.movedTexts, 400);
    EXPECT_EQ(f.movedListed, 0);
}

TEST(IdentifyCorpus, GdalTexts) {
    ExpectBounds(Measure("epsg_wkt1_gdal_sample.jsonl", quarn::WktDialect::Gdal), 97.4);
}

TEST(IdentifyCorpus, EsriTexts) {
    ExpectBounds(Measure("epsg_wkt1_esri_sample.jsonl", quarn::WktDialect::Esri), 96.2);
}

} // namespace
