// The WKT 2 / WKT 1 table of methods and parameters, and the WKT 1 naming rules.
#include "interchange/Wkt2Names.h"

#include "interchange/EsriNamesInternal.h"

#include <cmath>

using namespace quarn::detail;

namespace {

constexpr ParameterKind kAngle = ParameterKind::Angle;
constexpr ParameterKind kLength = ParameterKind::Length;
constexpr ParameterKind kScale = ParameterKind::Scale;

// The parameter sets that methods share.
const Wkt2Parameter kNaturalOrigin[] = {
    {"latitude_of_origin", "Latitude of natural origin", 8801, kAngle},
    {"central_meridian", "Longitude of natural origin", 8802, kAngle},
    {"scale_factor", "Scale factor at natural origin", 8805, kScale},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kNaturalOriginNoScale[] = {
    {"latitude_of_origin", "Latitude of natural origin", 8801, kAngle},
    {"central_meridian", "Longitude of natural origin", 8802, kAngle},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kAzimuthalCentre[] = {
    {"latitude_of_center", "Latitude of natural origin", 8801, kAngle},
    {"longitude_of_center", "Longitude of natural origin", 8802, kAngle},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
    // ESRI's names of the centre, written under EPSG's and read back as GDAL's.
    {"latitude_of_origin", "Latitude of natural origin", 8801, kAngle},
    {"central_meridian", "Longitude of natural origin", 8802, kAngle},
};
const Wkt2Parameter kConicTwoParallels[] = {
    {"latitude_of_origin", "Latitude of false origin", 8821, kAngle},
    {"central_meridian", "Longitude of false origin", 8822, kAngle},
    {"standard_parallel_1", "Latitude of 1st standard parallel", 8823, kAngle},
    {"standard_parallel_2", "Latitude of 2nd standard parallel", 8824, kAngle},
    {"false_easting", "Easting at false origin", 8826, kLength},
    {"false_northing", "Northing at false origin", 8827, kLength},
};
const Wkt2Parameter kAlbers[] = {
    {"latitude_of_center", "Latitude of false origin", 8821, kAngle},
    {"longitude_of_center", "Longitude of false origin", 8822, kAngle},
    {"standard_parallel_1", "Latitude of 1st standard parallel", 8823, kAngle},
    {"standard_parallel_2", "Latitude of 2nd standard parallel", 8824, kAngle},
    {"false_easting", "Easting at false origin", 8826, kLength},
    {"false_northing", "Northing at false origin", 8827, kLength},
};
const Wkt2Parameter kPolarVariantB[] = {
    {"latitude_of_origin", "Latitude of standard parallel", 8832, kAngle},
    {"central_meridian", "Longitude of origin", 8833, kAngle},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kStandardParallel[] = {
    {"standard_parallel_1", "Latitude of 1st standard parallel", 8823, kAngle},
    {"central_meridian", "Longitude of natural origin", 8802, kAngle},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kEquidistantCylindrical[] = {
    {"standard_parallel_1", "Latitude of 1st standard parallel", 8823, kAngle},
    {"latitude_of_origin", "Latitude of natural origin", 8801, kAngle},
    {"central_meridian", "Longitude of natural origin", 8802, kAngle},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kHotineA[] = {
    {"latitude_of_center", "Latitude of projection centre", 8811, kAngle},
    {"longitude_of_center", "Longitude of projection centre", 8812, kAngle},
    {"azimuth", "Azimuth of initial line", 8813, kAngle},
    {"rectified_grid_angle", "Angle from Rectified to Skew Grid", 8814, kAngle},
    {"scale_factor", "Scale factor on initial line", 8815, kScale},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};
const Wkt2Parameter kHotineB[] = {
    {"latitude_of_center", "Latitude of projection centre", 8811, kAngle},
    {"longitude_of_center", "Longitude of projection centre", 8812, kAngle},
    {"azimuth", "Azimuth of initial line", 8813, kAngle},
    {"rectified_grid_angle", "Angle from Rectified to Skew Grid", 8814, kAngle},
    {"scale_factor", "Scale factor on initial line", 8815, kScale},
    {"false_easting", "Easting at projection centre", 8816, kLength},
    {"false_northing", "Northing at projection centre", 8817, kLength},
};
const Wkt2Parameter kKrovak[] = {
    {"latitude_of_center", "Latitude of projection centre", 8811, kAngle},
    {"longitude_of_center", "Longitude of origin", 8833, kAngle},
    {"azimuth", "Co-latitude of cone axis", 1036, kAngle},
    {"pseudo_standard_parallel_1", "Latitude of pseudo standard parallel", 8818, kAngle},
    {"scale_factor", "Scale factor on pseudo standard parallel", 8819, kScale},
    {"false_easting", "False easting", 8806, kLength},
    {"false_northing", "False northing", 8807, kLength},
};

template <std::size_t N> constexpr int Count(const Wkt2Parameter (&)[N]) {
    return static_cast<int>(N);
}
#define QUARN_PARAMETERS(list) list, Count(list)

// Rows of one WKT 1 method are tried in order by the writer; the reader finds any of them.
const Wkt2Method kMethods[] = {
    {"Transverse_Mercator", "Transverse Mercator", 9807, 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {"Transverse_Mercator_South_Orientated", "Transverse Mercator (South Orientated)", 9808, 0,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {"Lambert_Conformal_Conic_1SP", "Lambert Conic Conformal (1SP)", 9801, 0,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {"Lambert_Conformal_Conic_2SP", "Lambert Conic Conformal (2SP)", 9802, 0,
     QUARN_PARAMETERS(kConicTwoParallels)},
    {"Lambert_Conformal_Conic_2SP_Belgium", "Lambert Conic Conformal (2SP Belgium)", 9803, 0,
     QUARN_PARAMETERS(kConicTwoParallels)},
    {"Oblique_Stereographic", "Oblique Stereographic", 9809, 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {"Stereographic", "Stereographic", 0, 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {"Polar_Stereographic", "Polar Stereographic (variant A)", 9810, 1,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {"Polar_Stereographic", "Polar Stereographic (variant B)", 9829, -1,
     QUARN_PARAMETERS(kPolarVariantB)},
    {"Lambert_Azimuthal_Equal_Area", "Lambert Azimuthal Equal Area", 9820, 0,
     QUARN_PARAMETERS(kAzimuthalCentre)},
    {"Lambert_Azimuthal_Equal_Area", "Lambert Azimuthal Equal Area (Spherical)", 1027, 0,
     QUARN_PARAMETERS(kAzimuthalCentre)},
    {"Albers_Conic_Equal_Area", "Albers Equal Area", 9822, 0, QUARN_PARAMETERS(kAlbers)},
    {"Cassini_Soldner", "Cassini-Soldner", 9806, 0, QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {"Polyconic", "American Polyconic", 9818, 0, QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {"Popular_Visualisation_Pseudo_Mercator", "Popular Visualisation Pseudo Mercator", 1024, 0,
     QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {"Mercator_1SP", "Mercator (variant A)", 9804, 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {"Mercator_2SP", "Mercator (variant B)", 9805, 0, QUARN_PARAMETERS(kStandardParallel)},
    {"Equirectangular", "Equidistant Cylindrical", 1028, 0,
     QUARN_PARAMETERS(kEquidistantCylindrical)},
    {"Hotine_Oblique_Mercator", "Hotine Oblique Mercator (variant A)", 9812, 0,
     QUARN_PARAMETERS(kHotineA)},
    {"Hotine_Oblique_Mercator_Azimuth_Center", "Hotine Oblique Mercator (variant B)", 9815, 0,
     QUARN_PARAMETERS(kHotineB)},
    {"Krovak", "Krovak (North Orientated)", 1041, 0, QUARN_PARAMETERS(kKrovak)},
    {"Krovak", "Krovak", 9819, 0, QUARN_PARAMETERS(kKrovak)},
};

#undef QUARN_PARAMETERS

bool SameName(std::string_view a, const char* b) {
    const std::string key = NameKey(a);
    return !key.empty() && key == NameKey(b);
}

} // namespace

const Wkt2Method* quarn::detail::FindWkt2Method(int code, std::string_view name) {
    if (code > 0)
        for (const Wkt2Method& method : kMethods)
            if (method.code == code) return &method;
    for (const Wkt2Method& method : kMethods)
        if (SameName(name, method.wkt2) || SameName(name, method.wkt1)) return &method;
    return nullptr;
}

const Wkt2Method* quarn::detail::FindWkt2MethodForWkt1(std::string_view wkt1,
                                                       double latitudeOfOrigin) {
    const bool pole = std::fabs(latitudeOfOrigin) == 90.0;
    for (const Wkt2Method& method : kMethods)
        if (SameName(wkt1, method.wkt1) && (method.pole == 0 || (method.pole > 0) == pole))
            return &method;
    return nullptr;
}

const Wkt2Parameter* quarn::detail::FindWkt2Parameter(const Wkt2Method& method, int code,
                                                      std::string_view name) {
    for (int i = 0; i < method.count; ++i)
        if (code > 0 && method.parameters[i].code == code) return &method.parameters[i];
    for (int i = 0; i < method.count; ++i)
        if (SameName(name, method.parameters[i].wkt2) || SameName(name, method.parameters[i].wkt1))
            return &method.parameters[i];
    return nullptr;
}

ParameterKind quarn::detail::KindOfParameter(std::string_view name) {
    const std::string key = NameKey(name);
    for (const char* length : {"easting", "northing", "height"})
        if (key.find(length) != std::string::npos) return ParameterKind::Length;
    if (key.find("scale") != std::string::npos) return ParameterKind::Scale;
    return ParameterKind::Angle;
}

std::string quarn::detail::Wkt1DatumName(std::string_view wkt2Name) {
    constexpr std::string_view kEnsemble = " ensemble";
    if (wkt2Name.size() > kEnsemble.size() &&
        wkt2Name.substr(wkt2Name.size() - kEnsemble.size()) == kEnsemble)
        wkt2Name.remove_suffix(kEnsemble.size());
    if (wkt2Name == "World Geodetic System 1984") return "WGS_1984";
    std::string out;
    for (char c : wkt2Name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool kept = byte >= 0x80 || c == '-' || (c >= '0' && c <= '9') ||
                          (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (kept)
            out.push_back(c);
        else if (!out.empty() && out.back() != '_')
            out.push_back('_');
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out;
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
