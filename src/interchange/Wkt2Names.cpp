// The WKT 1 naming rules of datums and axes read from WKT 2.
#include "interchange/Wkt2Names.h"

#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"

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
