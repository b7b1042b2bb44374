// The one table of projection method and parameter names across the dialects. Keys are
// NameKey spellings: "Lambert_Conformal_Conic_2SP", "Lambert Conic Conformal (2SP)" and
// "lambert conformal conic 2sp" all look the same up.
#include "interchange/ProjectionMethods.h"

#include <quarn/model/Constants.h>

#include <cmath>

namespace quarn::detail {
namespace {

struct MethodName {
    const char* key;
    int code;
};

// EPSG names first, then the WKT 1 (GDAL) names, then ESRI's.
const MethodName kMethodNames[] = {
    // Transverse Mercator and its relatives.
    {"transversemercator", 9807},
    {"gausskruger", 9807},
    {"transversemercatorsouthorientated", 9808},
    {"transversemercatorzonedgridsystem", 9824},
    {"transversemercator3d", 1111},
    // Lambert conic conformal.
    {"lambertconicconformal1sp", 9801},
    {"lambertconformalconic1sp", 9801},
    {"lambertconicconformal2sp", 9802},
    {"lambertconformalconic2sp", 9802},
    {"lambertconicconformal2spbelgium", 9803},
    {"lambertconformalconic2spbelgium", 9803},
    {"lambertconicconformal2spmichigan", 1051},
    {"lambertconformalconic2spmichigan", 1051},
    {"lambertconicconformalwestorientated", 9826},
    {"lambertconicnearconformal", 9817},
    {"lambertconformalconic", kMethodEsriLambert},
    // Mercator.
    {"mercatorvarianta", 9804},
    {"mercator1sp", 9804},
    {"mercatorvariantb", 9805},
    {"mercator2sp", 9805},
    {"mercator", kMethodEsriMercator},
    {"mercator1spspherical", 9841},
    {"popularvisualisationpseudomercator", 1024},
    {"mercatorauxiliarysphere", kMethodAuxiliarySphere},
    // Stereographic.
    {"obliquestereographic", 9809},
    {"doublestereographic", 9809},
    {"polarstereographicvarianta", 9810},
    {"polarstereographicvariantb", 9829},
    {"polarstereographicvariantc", 9830},
    {"polarstereographic", kMethodPolarStereographic},
    {"stereographicnorthpole", kMethodPolarStereographicParallel},
    {"stereographicsouthpole", kMethodPolarStereographicParallel},
    // Oblique Mercator.
    {"hotineobliquemercatorvarianta", 9812},
    {"hotineobliquemercator", 9812},
    {"hotineobliquemercatorazimuthnaturalorigin", 9812},
    {"rectifiedskeworthomorphicnaturalorigin", 9812},
    {"hotineobliquemercatorvariantb", 9815},
    {"hotineobliquemercatorazimuthcenter", 9815},
    {"rectifiedskeworthomorphiccenter", 9815},
    {"labordeobliquemercator", 9813},
    // Conic, azimuthal and cylindrical equal-area and others.
    {"albersequalarea", 9822},
    {"albersconicequalarea", 9822},
    {"albers", 9822},
    {"lambertazimuthalequalarea", 9820},
    {"lambertazimuthalequalareaspherical", 1027},
    {"lambertcylindricalequalarea", 9835},
    {"cylindricalequalarea", 9835},
    {"lambertcylindricalequalareaspherical", 9834},
    {"behrmann", kMethodBehrmann},
    {"cassinisoldner", 9806},
    {"cassini", 9806},
    {"hyperboliccassinisoldner", 9833},
    {"americanpolyconic", 9818},
    {"polyconic", 9818},
    {"krovak", 9819},
    {"krovaknorthorientated", 1041},
    {"krovakmodified", 1042},
    {"krovakmodifiednorthorientated", 1043},
    {"equidistantcylindrical", 1028},
    {"equirectangular", 1028},
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

const RoleName kRoleNames[] = {
    {"latitudeoforigin", kRoleLatitudeOfOrigin},
    {"latitudeofcenter", kRoleLatitudeOfOrigin},
    {"latitudeofnaturalorigin", kRoleLatitudeOfOrigin},
    {"latitudeoffalseorigin", kRoleLatitudeOfOrigin},
    {"latitudeofprojectioncentre", kRoleLatitudeOfOrigin},
    {"latitudeofprojectioncenter", kRoleLatitudeOfOrigin},
    {"centralmeridian", kRoleLongitudeOfOrigin},
    {"longitudeoforigin", kRoleLongitudeOfOrigin},
    {"longitudeofcenter", kRoleLongitudeOfOrigin},
    {"longitudeofnaturalorigin", kRoleLongitudeOfOrigin},
    {"longitudeoffalseorigin", kRoleLongitudeOfOrigin},
    {"longitudeofprojectioncentre", kRoleLongitudeOfOrigin},
    {"longitudeofprojectioncenter", kRoleLongitudeOfOrigin},
    {"scalefactor", kRoleScaleFactor},
    {"scalefactoratnaturalorigin", kRoleScaleFactor},
    {"scalefactoroninitialline", kRoleScaleFactor},
    {"scalefactoronpseudostandardparallel", kRoleScaleFactor},
    {"falseeasting", kRoleFalseEasting},
    {"eastingatfalseorigin", kRoleFalseEasting},
    {"eastingatprojectioncentre", kRoleFalseEasting},
    {"falsenorthing", kRoleFalseNorthing},
    {"northingatfalseorigin", kRoleFalseNorthing},
    {"northingatprojectioncentre", kRoleFalseNorthing},
    {"standardparallel1", kRoleStandardParallel1},
    {"latitudeof1ststandardparallel", kRoleStandardParallel1},
    {"latitudeofstandardparallel", kRoleStandardParallel1},
    {"standardparallel2", kRoleStandardParallel2},
    {"latitudeof2ndstandardparallel", kRoleStandardParallel2},
    {"azimuth", kRoleAzimuth},
    {"azimuthofinitialline", kRoleAzimuth},
    {"colatitudeofconeaxis", kRoleAzimuth},
    {"rectifiedgridangle", kRoleRectifiedGridAngle},
    {"anglefromrectifiedtoskewgrid", kRoleRectifiedGridAngle},
    {"xyplanerotation", kRoleRectifiedGridAngle},
    {"pseudostandardparallel1", kRolePseudoParallel},
    {"latitudeofpseudostandardparallel", kRolePseudoParallel},
    {"height", kRolePlaneHeight},
    {"projectionplaneoriginheight", kRolePlaneHeight},
};

struct RoleCode {
    int code;
    ProjectionRole role;
};

const RoleCode kRoleCodes[] = {
    {8801, kRoleLatitudeOfOrigin},   {8811, kRoleLatitudeOfOrigin},  {8821, kRoleLatitudeOfOrigin},
    {8802, kRoleLongitudeOfOrigin},  {8812, kRoleLongitudeOfOrigin}, {8822, kRoleLongitudeOfOrigin},
    {8833, kRoleLongitudeOfOrigin},  {8805, kRoleScaleFactor},       {8815, kRoleScaleFactor},
    {8819, kRoleScaleFactor},        {8806, kRoleFalseEasting},      {8816, kRoleFalseEasting},
    {8826, kRoleFalseEasting},       {8807, kRoleFalseNorthing},     {8817, kRoleFalseNorthing},
    {8827, kRoleFalseNorthing},      {8823, kRoleStandardParallel1}, {8832, kRoleStandardParallel1},
    {8824, kRoleStandardParallel2},  {8813, kRoleAzimuth},           {1036, kRoleAzimuth},
    {8814, kRoleRectifiedGridAngle}, {8818, kRolePseudoParallel},    {1039, kRolePlaneHeight},
};

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
    for (const MethodName& name : kMethodNames)
        if (key == name.key) return name.code;
    return 0;
}

ProjectionRole RoleOfName(std::string_view key) {
    for (const RoleName& name : kRoleNames)
        if (key == name.key) return name.role;
    return kProjectionRoleCount;
}

ProjectionRole RoleOfEpsgParameter(int code) {
    for (const RoleCode& entry : kRoleCodes)
        if (entry.code == code) return entry.role;
    return kProjectionRoleCount;
}

bool IsAngleRole(ProjectionRole role) {
    return role == kRoleLatitudeOfOrigin || role == kRoleLongitudeOfOrigin ||
           role == kRoleStandardParallel1 || role == kRoleStandardParallel2 ||
           role == kRoleAzimuth || role == kRoleRectifiedGridAngle || role == kRolePseudoParallel;
}

bool IsLengthRole(ProjectionRole role) {
    return role == kRoleFalseEasting || role == kRoleFalseNorthing || role == kRolePlaneHeight;
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
