// The one table of projection method and parameter names across the dialects. Keys are
// NameKey spellings: "Lambert_Conformal_Conic_2SP", "Lambert Conic Conformal (2SP)" and
// "lambert conformal conic 2sp" all look the same up.
#include "interchange/ProjectionMethods.h"

#include "interchange/EsriNamesInternal.h"

#include <quarn/model/Constants.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <string>

namespace quarn::detail {
namespace {

// The parameters of EPSG that the methods below use.
const EpsgParameter kLatitudeOfNaturalOrigin{8801, "Latitude of natural origin",
                                             kRoleLatitudeOfOrigin};
const EpsgParameter kLongitudeOfNaturalOrigin{8802, "Longitude of natural origin",
                                              kRoleLongitudeOfOrigin};
const EpsgParameter kScaleAtNaturalOrigin{8805, "Scale factor at natural origin", kRoleScaleFactor};
const EpsgParameter kFalseEasting{8806, "False easting", kRoleFalseEasting};
const EpsgParameter kFalseNorthing{8807, "False northing", kRoleFalseNorthing};
const EpsgParameter kLatitudeOfCentre{8811, "Latitude of projection centre", kRoleLatitudeOfOrigin};
const EpsgParameter kLongitudeOfCentre{8812, "Longitude of projection centre",
                                       kRoleLongitudeOfOrigin};
const EpsgParameter kAzimuth{8813, "Azimuth of initial line", kRoleAzimuth};
const EpsgParameter kGridAngle{8814, "Angle from Rectified to Skew Grid", kRoleRectifiedGridAngle};
const EpsgParameter kScaleOnInitialLine{8815, "Scale factor on initial line", kRoleScaleFactor};
const EpsgParameter kEastingAtCentre{8816, "Easting at projection centre", kRoleFalseEasting};
const EpsgParameter kNorthingAtCentre{8817, "Northing at projection centre", kRoleFalseNorthing};
const EpsgParameter kPseudoParallel{8818, "Latitude of pseudo standard parallel",
                                    kRolePseudoParallel};
const EpsgParameter kScaleOnPseudoParallel{8819, "Scale factor on pseudo standard parallel",
                                           kRoleScaleFactor};
const EpsgParameter kLatitudeOfFalseOrigin{8821, "Latitude of false origin", kRoleLatitudeOfOrigin};
const EpsgParameter kLongitudeOfFalseOrigin{8822, "Longitude of false origin",
                                            kRoleLongitudeOfOrigin};
const EpsgParameter kFirstParallel{8823, "Latitude of 1st standard parallel",
                                   kRoleStandardParallel1};
const EpsgParameter kSecondParallel{8824, "Latitude of 2nd standard parallel",
                                    kRoleStandardParallel2};
const EpsgParameter kEastingAtFalseOrigin{8826, "Easting at false origin", kRoleFalseEasting};
const EpsgParameter kNorthingAtFalseOrigin{8827, "Northing at false origin", kRoleFalseNorthing};
const EpsgParameter kStandardParallelOfPole{8832, "Latitude of standard parallel",
                                            kRoleStandardParallel1};
const EpsgParameter kLongitudeOfOrigin{8833, "Longitude of origin", kRoleLongitudeOfOrigin};
const EpsgParameter kConeAxis{1036, "Co-latitude of cone axis", kRoleAzimuth};
const EpsgParameter kPlaneHeight{1039, "Projection plane origin height", kRolePlaneHeight};

const EpsgParameter* const kEpsgParameters[] = {
    &kLatitudeOfNaturalOrigin,
    &kLongitudeOfNaturalOrigin,
    &kScaleAtNaturalOrigin,
    &kFalseEasting,
    &kFalseNorthing,
    &kLatitudeOfCentre,
    &kLongitudeOfCentre,
    &kAzimuth,
    &kGridAngle,
    &kScaleOnInitialLine,
    &kEastingAtCentre,
    &kNorthingAtCentre,
    &kPseudoParallel,
    &kScaleOnPseudoParallel,
    &kLatitudeOfFalseOrigin,
    &kLongitudeOfFalseOrigin,
    &kFirstParallel,
    &kSecondParallel,
    &kEastingAtFalseOrigin,
    &kNorthingAtFalseOrigin,
    &kStandardParallelOfPole,
    &kLongitudeOfOrigin,
    &kConeAxis,
    &kPlaneHeight,
};

// The parameter sets that methods share, under their WKT 1 names.
const MethodParameter kNaturalOrigin[] = {
    {"latitude_of_origin", &kLatitudeOfNaturalOrigin},
    {"central_meridian", &kLongitudeOfNaturalOrigin},
    {"scale_factor", &kScaleAtNaturalOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kNaturalOriginNoScale[] = {
    {"latitude_of_origin", &kLatitudeOfNaturalOrigin},
    {"central_meridian", &kLongitudeOfNaturalOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kAzimuthalCentre[] = {
    {"latitude_of_center", &kLatitudeOfNaturalOrigin},
    {"longitude_of_center", &kLongitudeOfNaturalOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
    // ESRI's names of the centre, which a text of ESRI's gives (written by role).
    {"latitude_of_origin", &kLatitudeOfNaturalOrigin},
    {"central_meridian", &kLongitudeOfNaturalOrigin},
};
const MethodParameter kConicTwoParallels[] = {
    {"latitude_of_origin", &kLatitudeOfFalseOrigin}, {"central_meridian", &kLongitudeOfFalseOrigin},
    {"standard_parallel_1", &kFirstParallel},        {"standard_parallel_2", &kSecondParallel},
    {"false_easting", &kEastingAtFalseOrigin},       {"false_northing", &kNorthingAtFalseOrigin},
};
const MethodParameter kAlbers[] = {
    {"latitude_of_center", &kLatitudeOfFalseOrigin},
    {"longitude_of_center", &kLongitudeOfFalseOrigin},
    {"standard_parallel_1", &kFirstParallel},
    {"standard_parallel_2", &kSecondParallel},
    {"false_easting", &kEastingAtFalseOrigin},
    {"false_northing", &kNorthingAtFalseOrigin},
};
const MethodParameter kPolarVariantB[] = {
    {"latitude_of_origin", &kStandardParallelOfPole},
    {"central_meridian", &kLongitudeOfOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kStandardParallel[] = {
    {"standard_parallel_1", &kFirstParallel},
    {"central_meridian", &kLongitudeOfNaturalOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kEquidistantCylindrical[] = {
    {"standard_parallel_1", &kFirstParallel},
    {"latitude_of_origin", &kLatitudeOfNaturalOrigin},
    {"central_meridian", &kLongitudeOfNaturalOrigin},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kHotineA[] = {
    {"latitude_of_center", &kLatitudeOfCentre},
    {"longitude_of_center", &kLongitudeOfCentre},
    {"azimuth", &kAzimuth},
    {"rectified_grid_angle", &kGridAngle},
    {"scale_factor", &kScaleOnInitialLine},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};
const MethodParameter kHotineB[] = {
    {"latitude_of_center", &kLatitudeOfCentre},
    {"longitude_of_center", &kLongitudeOfCentre},
    {"azimuth", &kAzimuth},
    {"rectified_grid_angle", &kGridAngle},
    {"scale_factor", &kScaleOnInitialLine},
    {"false_easting", &kEastingAtCentre},
    {"false_northing", &kNorthingAtCentre},
};
const MethodParameter kKrovak[] = {
    {"latitude_of_center", &kLatitudeOfCentre},
    {"longitude_of_center", &kLongitudeOfOrigin},
    {"azimuth", &kConeAxis},
    {"pseudo_standard_parallel_1", &kPseudoParallel},
    {"scale_factor", &kScaleOnPseudoParallel},
    {"false_easting", &kFalseEasting},
    {"false_northing", &kFalseNorthing},
};

template <std::size_t N> constexpr int Count(const MethodParameter (&)[N]) {
    return static_cast<int>(N);
}
#define QUARN_PARAMETERS(list) list, Count(list)

// The methods with a WKT 2 form. Rows of one WKT 1 method are tried in order by the writer;
// the reader finds any of them.
const Method kMethods[] = {
    {9807, "Transverse Mercator", "Transverse_Mercator", 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {9808, "Transverse Mercator (South Orientated)", "Transverse_Mercator_South_Orientated", 0,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {9801, "Lambert Conic Conformal (1SP)", "Lambert_Conformal_Conic_1SP", 0,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {9802, "Lambert Conic Conformal (2SP)", "Lambert_Conformal_Conic_2SP", 0,
     QUARN_PARAMETERS(kConicTwoParallels)},
    {9803, "Lambert Conic Conformal (2SP Belgium)", "Lambert_Conformal_Conic_2SP_Belgium", 0,
     QUARN_PARAMETERS(kConicTwoParallels)},
    {9809, "Oblique Stereographic", "Oblique_Stereographic", 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {0, "Stereographic", "Stereographic", 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {9810, "Polar Stereographic (variant A)", "Polar_Stereographic", 1,
     QUARN_PARAMETERS(kNaturalOrigin)},
    {9829, "Polar Stereographic (variant B)", "Polar_Stereographic", -1,
     QUARN_PARAMETERS(kPolarVariantB)},
    {9820, "Lambert Azimuthal Equal Area", "Lambert_Azimuthal_Equal_Area", 0,
     QUARN_PARAMETERS(kAzimuthalCentre)},
    {1027, "Lambert Azimuthal Equal Area (Spherical)", "Lambert_Azimuthal_Equal_Area", 0,
     QUARN_PARAMETERS(kAzimuthalCentre)},
    {9822, "Albers Equal Area", "Albers_Conic_Equal_Area", 0, QUARN_PARAMETERS(kAlbers)},
    {9806, "Cassini-Soldner", "Cassini_Soldner", 0, QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {9818, "American Polyconic", "Polyconic", 0, QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {1024, "Popular Visualisation Pseudo Mercator", "Popular_Visualisation_Pseudo_Mercator", 0,
     QUARN_PARAMETERS(kNaturalOriginNoScale)},
    {9804, "Mercator (variant A)", "Mercator_1SP", 0, QUARN_PARAMETERS(kNaturalOrigin)},
    {9805, "Mercator (variant B)", "Mercator_2SP", 0, QUARN_PARAMETERS(kStandardParallel)},
    {9835, "Lambert Cylindrical Equal Area", "Cylindrical_Equal_Area", 0,
     QUARN_PARAMETERS(kStandardParallel)},
    {1028, "Equidistant Cylindrical", "Equirectangular", 0,
     QUARN_PARAMETERS(kEquidistantCylindrical)},
    {9812, "Hotine Oblique Mercator (variant A)", "Hotine_Oblique_Mercator", 0,
     QUARN_PARAMETERS(kHotineA)},
    {9815, "Hotine Oblique Mercator (variant B)", "Hotine_Oblique_Mercator_Azimuth_Center", 0,
     QUARN_PARAMETERS(kHotineB)},
    {1041, "Krovak (North Orientated)", "Krovak", 0, QUARN_PARAMETERS(kKrovak)},
    {9819, "Krovak", "Krovak", 0, QUARN_PARAMETERS(kKrovak)},
};

#undef QUARN_PARAMETERS

struct MethodName {
    const char* key;
    int code;
};

// The other names of methods, as NameKey spells them: ESRI's, GDAL's others, EPSG methods
// without a WKT 2 form here, and the names whose method depends on their parameters. They
// are looked up before the names of the rows above.
const MethodName kOtherMethodNames[] = {
    {"gausskruger", 9807},
    {"transversemercatorzonedgridsystem", 9824},
    {"transversemercator3d", 1111},
    {"lambertconicconformal2spmichigan", 1051},
    {"lambertconformalconic2spmichigan", 1051},
    {"lambertconicconformalwestorientated", 9826},
    {"lambertconicnearconformal", 9817},
    {"lambertconformalconic", kMethodEsriLambert},
    {"mercator", kMethodEsriMercator},
    {"mercator1spspherical", 9841},
    {"mercatorauxiliarysphere", kMethodAuxiliarySphere},
    {"doublestereographic", 9809},
    {"polarstereographicvariantc", 9830},
    {"polarstereographic", kMethodPolarStereographic},
    {"stereographicnorthpole", kMethodPolarStereographicParallel},
    {"stereographicsouthpole", kMethodPolarStereographicParallel},
    {"hotineobliquemercatorazimuthnaturalorigin", 9812},
    {"rectifiedskeworthomorphicnaturalorigin", 9812},
    {"rectifiedskeworthomorphiccenter", 9815},
    {"labordeobliquemercator", 9813},
    {"albers", 9822},
    {"lambertcylindricalequalarea", 9835},
    {"cylindricalequalarea", 9835},
    {"lambertcylindricalequalareaspherical", 9834},
    {"behrmann", kMethodBehrmann},
    {"cassini", 9806},
    {"hyperboliccassinisoldner", 9833},
    {"krovakmodified", 1042},
    {"krovakmodifiednorthorientated", 1043},
    {"equidistantcylindricalspherical", 1029},
    {"newzealandmapgrid", 9811},
    {"tunisiamininggrid", 9816},
    {"colombiaurban", 1052},
    {"igacplanocartesiano", 1052},
    {"equalearth", 1078},
    {"guamprojection", 9831},
    {"modifiedazimuthalequidistant", 9832},
    {"bonnesouthorientated", 9828},
};

struct RoleName {
    const char* key;
    ProjectionRole role;
};

// The other names of parameters, as NameKey spells them: WKT 1's and ESRI's, and EPSG's
// where several EPSG names have one role. EPSG's names of the parameters above come first.
const RoleName kRoleNames[] = {
    {"latitudeoforigin", kRoleLatitudeOfOrigin},
    {"latitudeofcenter", kRoleLatitudeOfOrigin},
    {"latitudeofprojectioncenter", kRoleLatitudeOfOrigin},
    {"centralmeridian", kRoleLongitudeOfOrigin},
    {"longitudeofcenter", kRoleLongitudeOfOrigin},
    {"longitudeofprojectioncenter", kRoleLongitudeOfOrigin},
    {"scalefactor", kRoleScaleFactor},
    {"falseeasting", kRoleFalseEasting},
    {"falsenorthing", kRoleFalseNorthing},
    {"standardparallel1", kRoleStandardParallel1},
    {"standardparallel2", kRoleStandardParallel2},
    {"azimuth", kRoleAzimuth},
    {"rectifiedgridangle", kRoleRectifiedGridAngle},
    {"xyplanerotation", kRoleRectifiedGridAngle},
    {"pseudostandardparallel1", kRolePseudoParallel},
    {"height", kRolePlaneHeight},
};

// The keys of the rows' names, made once: a method's EPSG and WKT 1 names, then the EPSG
// parameters' names.
struct Keys {
    std::string wkt2[std::size(kMethods)];
    std::string wkt1[std::size(kMethods)];
    std::string parameters[std::size(kEpsgParameters)];
};

const Keys& RowKeys() {
    static const Keys keys = [] {
        Keys k;
        for (std::size_t i = 0; i < std::size(kMethods); ++i) {
            k.wkt2[i] = NameKey(kMethods[i].wkt2);
            k.wkt1[i] = NameKey(kMethods[i].wkt1);
        }
        for (std::size_t i = 0; i < std::size(kEpsgParameters); ++i)
            k.parameters[i] = NameKey(kEpsgParameters[i]->name);
        return k;
    }();
    return keys;
}

bool SameName(std::string_view a, const char* b) {
    const std::string key = NameKey(a);
    return !key.empty() && key == NameKey(b);
}

// Angles in degrees that are the same after a conversion from another unit.
bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-9;
}

bool Has(unsigned written, ProjectionRole role) {
    return (written & (1u << role)) != 0;
}

double& At(Meaning& m, ProjectionRole role) {
    return m.parameters[role];
}

// The scale factor at the equator of a Mercator whose true-scale parallel is `degrees`.
double MercatorScale(const Meaning& m, double degrees) {
    const double f = m.inverseFlattening == 0.0 ? 0.0 : 1.0 / m.inverseFlattening;
    const double e2 = f * (2.0 - f);
    const double phi = degrees * kPi / 180.0;
    const double s = std::sin(phi);
    return std::cos(phi) / std::sqrt(1.0 - e2 * s * s);
}

// ESRI writes Krovak's orientation as scales and a rotation of the plane.
void SettleKrovak(Meaning& m) {
    double xScale = 1.0, yScale = 1.0;
    for (auto it = m.otherParameters.begin(); it != m.otherParameters.end();) {
        if (it->first == "xscale" || it->first == "yscale") {
            (it->first == "xscale" ? xScale : yScale) = it->second;
            it = m.otherParameters.erase(it);
        } else {
            ++it;
        }
    }
    const double rotation = At(m, kRoleRectifiedGridAngle);
    At(m, kRoleRectifiedGridAngle) = 0.0;
    if (xScale == -1.0 && yScale == 1.0 && Near(rotation, 90.0))
        m.method = m.method == 9819 ? 1041 : m.method == 1042 ? 1043 : m.method;
}

} // namespace

int MethodOfName(std::string_view key) {
    for (const MethodName& name : kOtherMethodNames)
        if (key == name.key) return name.code;
    const Keys& keys = RowKeys();
    for (std::size_t i = 0; i < std::size(kMethods); ++i)
        if (key == keys.wkt2[i]) return kMethods[i].code;
    for (std::size_t i = 0; i < std::size(kMethods); ++i)
        if (key == keys.wkt1[i]) return kMethods[i].code;
    return 0;
}

ProjectionRole RoleOfName(std::string_view key) {
    const Keys& keys = RowKeys();
    for (std::size_t i = 0; i < std::size(kEpsgParameters); ++i)
        if (key == keys.parameters[i]) return kEpsgParameters[i]->role;
    for (const RoleName& name : kRoleNames)
        if (key == name.key) return name.role;
    return kProjectionRoleCount;
}

ProjectionRole RoleOfEpsgParameter(int code) {
    for (const EpsgParameter* parameter : kEpsgParameters)
        if (parameter->code == code) return parameter->role;
    return kProjectionRoleCount;
}

ParameterKind MethodParameter::Kind() const {
    return IsAngleRole(epsg->role)    ? ParameterKind::Angle
           : IsLengthRole(epsg->role) ? ParameterKind::Length
                                      : ParameterKind::Scale;
}

const Method* FindMethod(int code, std::string_view name) {
    if (code > 0)
        for (const Method& method : kMethods)
            if (method.code == code) return &method;
    for (const Method& method : kMethods)
        if (SameName(name, method.wkt2) || SameName(name, method.wkt1)) return &method;
    return nullptr;
}

const Method* FindMethodForWkt1(std::string_view wkt1, double latitudeOfOrigin) {
    const bool pole = std::fabs(latitudeOfOrigin) == 90.0;
    for (const Method& method : kMethods)
        if (SameName(wkt1, method.wkt1) && (method.pole == 0 || (method.pole > 0) == pole))
            return &method;
    return nullptr;
}

const MethodParameter* FindParameter(const Method& method, int code, std::string_view name) {
    for (int i = 0; i < method.count; ++i)
        if (code > 0 && method.parameters[i].Code() == code) return &method.parameters[i];
    for (int i = 0; i < method.count; ++i)
        if (SameName(name, method.parameters[i].Wkt2()) ||
            SameName(name, method.parameters[i].wkt1))
            return &method.parameters[i];
    return nullptr;
}

ParameterKind KindOfParameter(std::string_view name) {
    const std::string key = NameKey(name);
    for (const char* length : {"easting", "northing", "height"})
        if (key.find(length) != std::string::npos) return ParameterKind::Length;
    if (key.find("scale") != std::string::npos) return ParameterKind::Scale;
    return ParameterKind::Angle;
}

bool IsAngleRole(ProjectionRole role) {
    return role == kRoleLatitudeOfOrigin || role == kRoleLongitudeOfOrigin ||
           role == kRoleStandardParallel1 || role == kRoleStandardParallel2 ||
           role == kRoleAzimuth || role == kRoleRectifiedGridAngle || role == kRolePseudoParallel;
}

bool IsLengthRole(ProjectionRole role) {
    return role == kRoleFalseEasting || role == kRoleFalseNorthing || role == kRolePlaneHeight;
}

void DescribeMethod(std::string_view method, const std::vector<HeldParameter>& parameters,
                    double radiansPerUnit, double metresPerUnit, Meaning& m) {
    m.methodKey = NameKey(method);
    m.method = MethodOfName(m.methodKey);
    unsigned written = 0;
    for (const HeldParameter& parameter : parameters) {
        std::string key = NameKey(parameter.name);
        const ProjectionRole role = RoleOfName(key);
        if (role == kProjectionRoleCount) {
            m.otherParameters.emplace_back(std::move(key), parameter.value);
            continue;
        }
        double value = parameter.value;
        if (IsAngleRole(role)) value *= radiansPerUnit / (kPi / 180.0);
        if (IsLengthRole(role)) value *= metresPerUnit;
        m.parameters[role] = value;
        written |= 1u << role;
    }
    SettleMethod(m, written);
}

ProjectionForm FormOf(std::string_view method, const std::vector<HeldParameter>& parameters,
                      double radiansPerUnit, double metresPerUnit, double inverseFlattening) {
    ProjectionForm form;
    double latitudeOfOrigin = 0.0;
    for (const HeldParameter& parameter : parameters)
        if (NameKey(parameter.name) == "latitudeoforigin") latitudeOfOrigin = parameter.value;
    const Method* known = FindMethodForWkt1(method, latitudeOfOrigin);
    Meaning m;
    m.inverseFlattening = inverseFlattening;
    DescribeMethod(method, parameters, radiansPerUnit, metresPerUnit, m);
    // Every parameter in its place in the row under the row's own WKT 1 name (a variant B
    // polar stereographic may hold a scale of 1 that EPSG's method has not), and every
    // parameter of the row held that counts: one left out whose value is not the default (a
    // Hotine's grid angle is its azimuth) is written.
    bool complete = known != nullptr;
    for (const HeldParameter& parameter : parameters) {
        const MethodParameter* row =
            known != nullptr ? FindParameter(*known, 0, parameter.name) : nullptr;
        if (row != nullptr) {
            complete =
                complete && SameName(parameter.name, FindParameter(*known, row->Code(), "")->wkt1);
        } else if (known != nullptr &&
                   !(NameKey(parameter.name) == "scalefactor" && parameter.value == 1.0)) {
            form.misplaced = parameter.name;
            break;
        }
    }
    for (int i = 0; known != nullptr && i < known->count; ++i) {
        bool held = false;
        for (const HeldParameter& parameter : parameters) {
            const MethodParameter* row = FindParameter(*known, 0, parameter.name);
            held = held || (row != nullptr && row->Code() == known->parameters[i].Code());
        }
        const ProjectionRole role = known->parameters[i].epsg->role;
        complete =
            complete && (held || m.parameters[role] == (role == kRoleScaleFactor ? 1.0 : 0.0));
    }
    form.row = known;
    std::copy(m.parameters, m.parameters + kProjectionRoleCount, form.degrees);
    if (complete && form.misplaced.empty()) return form;

    const Method* epsg = m.method > 0 ? FindMethod(m.method, "") : nullptr;
    if (epsg == nullptr || epsg->code != m.method || !m.otherParameters.empty() ||
        !(radiansPerUnit > 0.0) || !(metresPerUnit > 0.0))
        return form;
    bool placed[kProjectionRoleCount] = {};
    for (int i = 0; i < epsg->count; ++i)
        placed[epsg->parameters[i].epsg->role] = true;
    // A value that settling left as it was is the one held; another is taken back from
    // degrees and metres into the system's units.
    double held[kProjectionRoleCount] = {}, described[kProjectionRoleCount] = {};
    bool written[kProjectionRoleCount] = {};
    for (const HeldParameter& parameter : parameters) {
        const ProjectionRole role = RoleOfName(NameKey(parameter.name));
        if (role == kProjectionRoleCount) continue;
        held[role] = parameter.value;
        described[role] = parameter.value * (IsAngleRole(role)    ? radiansPerUnit / (kPi / 180.0)
                                             : IsLengthRole(role) ? metresPerUnit
                                                                  : 1.0);
        written[role] = true;
    }
    double values[kProjectionRoleCount];
    for (int r = 0; r < kProjectionRoleCount; ++r) {
        const ProjectionRole role = static_cast<ProjectionRole>(r);
        double value = m.parameters[r];
        if (!placed[r] && value != (role == kRoleScaleFactor ? 1.0 : 0.0)) return form;
        if (written[r] && value == described[r]) {
            value = held[r];
        } else {
            if (IsAngleRole(role)) value *= (kPi / 180.0) / radiansPerUnit;
            if (IsLengthRole(role)) value /= metresPerUnit;
        }
        values[r] = value;
    }
    form.row = epsg;
    form.byRole = true;
    form.misplaced.clear();
    std::copy(values, values + kProjectionRoleCount, form.values);
    return form;
}

const ImpliedAxis* ImpliedAxes(int method, double latitude) {
    const double none = std::nan("");
    static const ImpliedAxis kWestingSouthing[] = {{"westing (Y)", "west", none},
                                                   {"southing (X)", "south", none}};
    static const ImpliedAxis kSouthingWesting[] = {{"southing (X)", "south", none},
                                                   {"westing (Y)", "west", none}};
    static const ImpliedAxis kNorthPole[] = {{"(E)", "south", 90.0}, {"(N)", "south", 180.0}};
    static const ImpliedAxis kSouthPole[] = {{"(E)", "north", 90.0}, {"(N)", "north", 0.0}};
    switch (method) {
    case 9808:
        return kWestingSouthing;
    case 9819:
        return kSouthingWesting;
    case 9810:
    case 9820:
        return std::fabs(latitude - 90.0) < 1e-10   ? kNorthPole
               : std::fabs(latitude + 90.0) < 1e-10 ? kSouthPole
                                                    : nullptr;
    case 9829:
        return latitude > 0.0 ? kNorthPole : latitude < 0.0 ? kSouthPole : nullptr;
    default:
        return nullptr;
    }
}

void SettleMethod(Meaning& m, unsigned written) {
    if (!Has(written, kRoleScaleFactor)) At(m, kRoleScaleFactor) = 1.0;
    switch (m.method) {
    case kMethodEsriLambert:
        // One parallel and a scale factor: the one-parallel method at that parallel.
        if (Has(written, kRoleStandardParallel2)) {
            m.method = 9802;
        } else {
            m.method = 9801;
            if (!Has(written, kRoleLatitudeOfOrigin))
                At(m, kRoleLatitudeOfOrigin) = At(m, kRoleStandardParallel1);
            At(m, kRoleStandardParallel1) = 0.0;
        }
        break;
    case kMethodPolarStereographic:
        if (Near(std::fabs(At(m, kRoleLatitudeOfOrigin)), 90.0)) {
            m.method = 9810;
        } else {
            m.method = 9829;
            At(m, kRoleStandardParallel1) = At(m, kRoleLatitudeOfOrigin);
            At(m, kRoleLatitudeOfOrigin) = 0.0;
        }
        break;
    case kMethodPolarStereographicParallel:
        m.method = 9829;
        break;
    case kMethodEsriMercator:
    case 9805:
        m.method = 9804;
        if (Has(written, kRoleStandardParallel1) || !Has(written, kRoleScaleFactor))
            At(m, kRoleScaleFactor) = MercatorScale(m, At(m, kRoleStandardParallel1));
        At(m, kRoleStandardParallel1) = 0.0;
        At(m, kRoleLatitudeOfOrigin) = 0.0;
        break;
    case kMethodAuxiliarySphere: {
        bool sphereOfMajorAxis = false;
        for (auto it = m.otherParameters.begin(); it != m.otherParameters.end(); ++it)
            if (it->first == "auxiliaryspheretype") {
                sphereOfMajorAxis = it->second == 0.0;
                m.otherParameters.erase(it);
                break;
            }
        m.method = sphereOfMajorAxis ? 1024 : 0;
        break;
    }
    case kMethodBehrmann:
        m.method = 9835;
        At(m, kRoleStandardParallel1) = 30.0;
        break;
    case 9812:
    case 9815:
        if (!Has(written, kRoleRectifiedGridAngle))
            At(m, kRoleRectifiedGridAngle) = At(m, kRoleAzimuth);
        break;
    case 9819:
    case 1042:
        SettleKrovak(m);
        break;
    case 9802:
        // Two equal parallels at the latitude of origin: the one-parallel method, scale 1.
        if (Near(At(m, kRoleStandardParallel1), At(m, kRoleStandardParallel2)) &&
            Near(At(m, kRoleStandardParallel1), At(m, kRoleLatitudeOfOrigin))) {
            m.method = 9801;
            At(m, kRoleStandardParallel1) = At(m, kRoleStandardParallel2) = 0.0;
        }
        break;
    default:
        break;
    }
}

} // namespace quarn::detail
