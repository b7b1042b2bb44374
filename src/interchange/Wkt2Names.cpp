// The WKT 1 naming rules of datums and axes read from WKT 2.
#include "interchange/Wkt2Names.h"

#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"

#include <quarn/model/Records.h>

using namespace quarn::detail;

std::string quarn::detail::Wkt1DatumName(std::string_view wkt2Name) {
    constexpr std::string_view kEnsemble = " ensemble";
    if (wkt2Name.size() > kEnsemble.size() &&
        wkt2Name.substr(wkt2Name.size() - kEnsemble.size()) == kEnsemble)
        wkt2Name.remove_suffix(kEnsemble.size());
    if (wkt2Name == "World Geodetic System 1984") return "WGS_1984";
    return UnderscoreSpelling(wkt2Name, true);
}

std::string quarn::detail::Wkt1AxisName(std::string_view wkt2Name, bool geocentric) {
    std::string_view name = wkt2Name, abbreviation;
    const std::size_t open = name.rfind('(');
    if (open != std::string_view::npos && !name.empty() && name.back() == ')') {
        abbreviation = name.substr(open + 1, name.size() - open - 2);
        name = name.substr(0, open);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
    }
    struct Known {
        const char* key;
        const char* wkt1;
    };
    static const Known kNames[] = {
        {"geodeticlatitude", "Latitude"},
        {"latitude", "Latitude"},
        {"lat", "Latitude"},
        {"geodeticlongitude", "Longitude"},
        {"longitude", "Longitude"},
        {"lon", "Longitude"},
        {"long", "Longitude"},
        {"e", "Easting"},
        {"n", "Northing"},
        {"h", "Gravity-related height"},
        {"d", "Depth"},
    };
    std::string key = NameKey(name.empty() ? abbreviation : name);
    if (name.empty() && abbreviation == "h") return "Ellipsoidal height";
    if (geocentric && (key == "x" || key == "y" || key == "z"))
        return std::string("Geocentric ") + static_cast<char>(key[0] - 'a' + 'A');
    for (const Known& known : kNames)
        if (key == known.key) return known.wkt1;
    std::string out(name.empty() ? abbreviation : name);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z')
        out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

namespace {

// The orientations of WKT 1 in their order first: the first entry of an orientation is the
// word written.
const Wkt2Direction kDirections[] = {
    {"other", L"OTHER", CS_AO_Other},       {"north", L"NORTH", CS_AO_North},
    {"south", L"SOUTH", CS_AO_South},       {"east", L"EAST", CS_AO_East},
    {"west", L"WEST", CS_AO_West},          {"up", L"UP", CS_AO_Up},
    {"down", L"DOWN", CS_AO_Down},          {"geocentricX", L"OTHER", CS_AO_Other},
    {"geocentricY", L"OTHER", CS_AO_Other}, {"geocentricZ", L"NORTH", CS_AO_North},
};

} // namespace

const Wkt2Direction* quarn::detail::FindWkt2Direction(std::wstring_view wkt2) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    for (const Wkt2Direction& d : kDirections) {
        const std::string_view word = d.wkt2;
        bool same = word.size() == wkt2.size();
        for (std::size_t i = 0; same && i < word.size(); ++i)
            same = lower(wkt2[i]) == lower(static_cast<wchar_t>(word[i]));
        if (same) return &d;
    }
    return nullptr;
}

const char* quarn::detail::Wkt2DirectionWord(long orientation) {
    for (const Wkt2Direction& d : kDirections)
        if (d.orientation == orientation) return d.wkt2;
    return nullptr;
}
