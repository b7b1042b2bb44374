// Measures the dialect readers against PROJ on texts PROJ writes itself: every EPSG and ESRI
// coordinate system of PROJ's database written as WKT1_ESRI, read with the Esri dialect; every
// EPSG system written as WKT1_GDAL, read with the Gdal dialect. Prints the share read, the
// texts not read grouped by the diagnostic, and (with --equivalence) how many of the texts
// read come back from PROJ as the same system. Built and run by bench/measure-dialects.sh;
// not part of the build, as it needs PROJ.
#include <interchange.h>
#include <quarn.h>
#include <wkt/WktDialects.h>

#include <proj.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Text {
    std::string id;
    std::string wkt;
};

// Every CRS of `authority` that PROJ can write in `type`.
std::vector<Text> Export(PJ_CONTEXT* ctx, const char* authority, PJ_WKT_TYPE type) {
    std::vector<Text> texts;
    PROJ_STRING_LIST codes = proj_get_codes_from_database(ctx, authority, PJ_TYPE_CRS, 0);
    const char* options[] = {"MULTILINE=NO", nullptr};
    for (PROJ_STRING_LIST code = codes; code && *code; ++code) {
        PJ* crs = proj_create_from_database(ctx, authority, *code, PJ_CATEGORY_CRS, 0, nullptr);
        if (crs == nullptr) continue;
        if (const char* wkt = proj_as_wkt(ctx, crs, type, options))
            texts.push_back({std::string(authority) + ":" + *code, wkt});
        proj_destroy(crs);
    }
    proj_string_list_destroy(codes);
    return texts;
}

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}
std::string Narrow(const std::wstring& text) {
    return QuarnEncodeUtf8(text);
}

struct Tally {
    int total = 0, read = 0;
    std::map<std::string, std::vector<std::string>> failures; // cause -> ids
};

// Reads every text in `dialect`; failures are grouped by the token they stopped at.
Tally Read(const std::vector<Text>& texts, quarn::WktDialect dialect) {
    Tally tally;
    for (const Text& text : texts) {
        CQuarnCoordinateSystemFactory factory;
        ++tally.total;
        const CS_CoordinateSystem* cs = quarn::ReadWktDialect(factory, Widen(text.wkt), dialect);
        if (cs != nullptr) {
            ++tally.read;
            continue;
        }
        const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
        std::string cause =
            d.syntaxError ? "stops at '" + Narrow(d.token) + "', expected " + Narrow(d.expected)
                          : "no system formed from " + text.wkt.substr(0, text.wkt.find('['));
        tally.failures[cause].push_back(text.id);
    }
    return tally;
}

void Report(const char* what, const Tally& tally) {
    std::printf("%s: %d of %d read (%.2f%%)\n", what, tally.read, tally.total,
                tally.total ? 100.0 * tally.read / tally.total : 0.0);
    for (const auto& [cause, ids] : tally.failures) {
        std::printf("  %4zu  %s  e.g. %s\n", ids.size(), cause.c_str(), ids.front().c_str());
    }
}

// PROJ's reading of `wkt`, null when it reads none.
PJ* ProjRead(PJ_CONTEXT* ctx, const std::string& wkt) {
    const char* options[] = {"STRICT=NO", nullptr};
    return wkt.empty() ? nullptr
                       : proj_create_from_wkt(ctx, wkt.c_str(), options, nullptr, nullptr);
}

bool Equivalent(PJ_CONTEXT* ctx, PJ* a, PJ* b) {
    return a != nullptr && b != nullptr &&
           proj_is_equivalent_to_with_ctx(ctx, a, b, PJ_COMP_EQUIVALENT);
}

// For each text: PROJ's reading of the original against PROJ's reading of Quarn's Gdal
// interchange text of what Quarn read in `dialect`, and against PROJ's own round trip (its
// reading written as WKT1_GDAL and read back).
void Equivalence(PJ_CONTEXT* ctx, const char* what, const std::vector<Text>& texts,
                 quarn::WktDialect dialect) {
    int quarnSame = 0, projSame = 0, quarnRead = 0, unwritten = 0;
    std::map<std::string, std::vector<std::string>> differ;
    for (const Text& text : texts) {
        PJ* original = ProjRead(ctx, text.wkt);
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* cs = quarn::FromWkt(factory, text.wkt, dialect);
        if (original != nullptr) {
            const char* options[] = {"MULTILINE=NO", nullptr};
            const char* gdal = proj_as_wkt(ctx, original, PJ_WKT1_GDAL, options);
            PJ* back = ProjRead(ctx, gdal ? gdal : "");
            projSame += Equivalent(ctx, original, back);
            proj_destroy(back);
        }
        if (cs != nullptr) {
            ++quarnRead;
            quarn::WktWriter writer(quarn::WktDialect::Gdal);
            std::string written = writer.Write(*cs);
            if (written.empty()) {
                ++unwritten;
                differ["not written: " + writer.Reason()].push_back(text.id);
            } else {
                PJ* mine = ProjRead(ctx, written);
                if (Equivalent(ctx, original, mine))
                    ++quarnSame;
                else
                    differ[original == nullptr ? "PROJ reads no original"
                           : mine == nullptr
                               ? "PROJ reads no interchange text"
                               : "not equivalent, " + text.wkt.substr(0, text.wkt.find('['))]
                        .push_back(text.id);
                proj_destroy(mine);
            }
        }
        proj_destroy(original);
    }
    std::printf("%s: PROJ finds Quarn's Gdal text equivalent for %d of %zu (%d read, %d not "
                "written); PROJ's own round trip: %d\n",
                what, quarnSame, texts.size(), quarnRead, unwritten, projSame);
    for (const auto& [cause, ids] : differ)
        std::printf("  %4zu  %s  e.g. %s\n", ids.size(), cause.c_str(), ids.front().c_str());
}

} // namespace

int main(int argc, char** argv) {
    bool verbose = argc > 1 && std::strcmp(argv[1], "-v") == 0;
    PJ_CONTEXT* ctx = proj_context_create();
    proj_log_level(ctx, PJ_LOG_NONE);

    std::vector<Text> esri = Export(ctx, "EPSG", PJ_WKT1_ESRI);
    std::vector<Text> esriOwn = Export(ctx, "ESRI", PJ_WKT1_ESRI);
    esri.insert(esri.end(), esriOwn.begin(), esriOwn.end());
    std::vector<Text> gdal = Export(ctx, "EPSG", PJ_WKT1_GDAL);

    Report("ESRI texts, canonical reading", Read(esri, quarn::WktDialect::Canonical));
    Report("ESRI texts, Esri reading", Read(esri, quarn::WktDialect::Esri));
    Report("GDAL texts, canonical reading", Read(gdal, quarn::WktDialect::Canonical));
    Report("GDAL texts, Gdal reading", Read(gdal, quarn::WktDialect::Gdal));
    if (argc > 1 && std::strcmp(argv[1], "--equivalence") == 0) {
        Equivalence(ctx, "ESRI texts", esri, quarn::WktDialect::Esri);
        Equivalence(ctx, "GDAL texts", gdal, quarn::WktDialect::Gdal);
    }
    if (verbose) {
        for (const Text& t : esri)
            std::printf("%s\t%s\n", t.id.c_str(), t.wkt.c_str());
    }
    proj_context_destroy(ctx);
    return 0;
}
