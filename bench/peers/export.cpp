// Writes the WKT1_GDAL texts of every EPSG coordinate system in PROJ's database (deprecated
// ones included), one JSON line per system in the corpus files' form, by kind and then by
// code: the full export of which tests/data/epsg_wkt1_gdal_sample.jsonl is every tenth text.
// The peers program reads its output.
//
//   quarn_epsg_export > epsg_wkt1_gdal.jsonl
#include <proj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct System {
    int kind; // the order of the kinds in the file
    long code;
};

const char* const kKinds[] = {"projected", "geographic", "geocentric", "vertical", "compound"};

int KindOf(PJ_TYPE type) {
    switch (type) {
    case PJ_TYPE_PROJECTED_CRS:
        return 0;
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
        return 1;
    case PJ_TYPE_GEOCENTRIC_CRS:
        return 2;
    case PJ_TYPE_VERTICAL_CRS:
        return 3;
    case PJ_TYPE_COMPOUND_CRS:
        return 4;
    default:
        return -1;
    }
}

// The text as a JSON string: the texts are ASCII, and only quotes and backslashes need
// escaping.
std::string Quoted(const char* text) {
    std::string out;
    for (; *text != '\0'; ++text) {
        if (*text == '"' || *text == '\\') out += '\\';
        out += *text;
    }
    return out;
}

} // namespace

int main() {
    PJ_CONTEXT* context = proj_context_create();
    int count = 0;
    PROJ_CRS_INFO** list = proj_get_crs_info_list_from_database(context, "EPSG", nullptr, &count);
    std::vector<System> systems;
    for (int i = 0; i < count; ++i) {
        int kind = KindOf(list[i]->type);
        if (kind >= 0) systems.push_back({kind, std::atol(list[i]->code)});
    }
    proj_crs_info_list_destroy(list);
    std::sort(systems.begin(), systems.end(), [](const System& a, const System& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.code < b.code;
    });

    const char* const options[] = {"MULTILINE=NO", nullptr};
    int written = 0;
    for (const System& system : systems) {
        const std::string code = std::to_string(system.code);
        PJ* crs =
            proj_create_from_database(context, "EPSG", code.c_str(), PJ_CATEGORY_CRS, 0, nullptr);
        if (crs == nullptr) continue;
        if (const char* wkt = proj_as_wkt(context, crs, PJ_WKT1_GDAL, options)) {
            std::printf("{\"id\": \"EPSG:%s\", \"kind\": \"%s\", \"wkt\": \"%s\"}\n", code.c_str(),
                        kKinds[system.kind], Quoted(wkt).c_str());
            ++written;
        }
        proj_destroy(crs);
    }
    proj_context_destroy(context);
    std::fprintf(stderr, "%d texts\n", written);
    return written > 0 ? 0 : 1;
}
