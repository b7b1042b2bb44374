// The one table of projection methods and their parameters under every name the dialects
// give them: EPSG codes and names (WKT 2 writes those), the names of WKT 1 as GDAL and PROJ
// write it and ESRI's names, mapped to EPSG method codes and to the roles of quarn::Meaning.
// Equivalence, the WKT 2 reader and the WKT 2 writer all go through it.
#ifndef QUARN_INTERCHANGE_PROJECTIONMETHODS_H
#define QUARN_INTERCHANGE_PROJECTIONMETHODS_H

#include <quarn/equivalent.h>

#include <string>
#include <string_view>
#include <vector>

namespace quarn::detail {

// Method codes for names whose EPSG method depends on the parameters written with them.
enum : int {
    kMethodEsriLambert = -1,                // ESRI's Lambert_Conformal_Conic: one parallel or two
    kMethodPolarStereographic = -2,         // GDAL's Polar_Stereographic: variant A or B
    kMethodEsriMercator = -3,               // ESRI's Mercator: by its standard parallel
    kMethodAuxiliarySphere = -4,            // ESRI's Mercator_Auxiliary_Sphere
    kMethodBehrmann = -5,                   // the cylindrical equal-area with 30 degree parallels
    kMethodPolarStereographicParallel = -6, // ESRI's Stereographic_North_Pole and _South_Pole
};

// The method of a name key (NameKey of the name): an EPSG code, one of the codes above, or
// 0 when no dialect uses the name.
int MethodOfName(std::string_view key);

// The role of a parameter by the key of its name, or kProjectionRoleCount when it has none.
ProjectionRole RoleOfName(std::string_view key);

// The role of an EPSG parameter code, or kProjectionRoleCount.
ProjectionRole RoleOfEpsgParameter(int code);

// Whether a role is an angle (degrees) or a length (metres); otherwise it is a ratio.
bool IsAngleRole(ProjectionRole role);
bool IsLengthRole(ProjectionRole role);

// What a parameter's value measures, and so which unit WKT 2 gives it.
enum class ParameterKind { Angle, Length, Scale };

// A parameter of EPSG: its code, its name and its role.
struct EpsgParameter {
    int code;
    const char* name;
    ProjectionRole role;
};

// A parameter of a method: its WKT 1 name and what EPSG calls it.
struct MethodParameter {
    const char* wkt1;          // latitude_of_origin
    const EpsgParameter* epsg; // Latitude of natural origin, 8801

    const char* Wkt2() const { return epsg->name; }
    int Code() const { return epsg->code; }
    ParameterKind Kind() const;
};

// A method with its WKT 1 and WKT 2 (EPSG) forms.
struct Method {
    int code;         // EPSG code, 0 when EPSG has none
    const char* wkt2; // EPSG name (Transverse Mercator)
    const char* wkt1; // WKT 1 name (Transverse_Mercator)
    // Only for writing WKT 1 names in WKT 2: the row is taken only when the latitude of
    // origin is a pole (+1), is not (-1), or in any case (0).
    int pole;
    const MethodParameter* parameters;
    int count;
};

// The method by its EPSG code when positive and known, else by its EPSG name or its WKT 1
// name (compared by NameKey). Null when the table does not know it.
const Method* FindMethod(int code, std::string_view name);

// The method of a WKT 1 name (compared by NameKey); `latitudeOfOrigin` picks between the
// rows of one WKT 1 method that differ by `pole`. Null when unknown.
const Method* FindMethodForWkt1(std::string_view wkt1, double latitudeOfOrigin);

// The parameter of `method` by its EPSG code when positive, else by its EPSG or WKT 1 name.
const MethodParameter* FindParameter(const Method& method, int code, std::string_view name);

// What a parameter measures, told from its name alone (for methods the table does not know):
// eastings, northings and heights are lengths, scale factors scales, the rest angles.
ParameterKind KindOfParameter(std::string_view name);

// Turns the provisional method and roles read from a text or a database into the method's
// one form: variants settled by their parameters, defaults put where nothing was written.
// `written` has a bit per role that was given.
void SettleMethod(Meaning& meaning, unsigned written);

// A parameter of a projection as a system holds it: its name, and its value in the system's
// units (angles in the geographic system's, lengths in the projected system's).
struct HeldParameter {
    std::string name;
    double value;
};

// The method and the parameters by role of a projection held under `method` with `parameters`,
// as equivalence describes them (degrees and metres, the variant settled); `m.inverseFlattening`
// is the ellipsoid's, for the methods whose form depends on it.
void DescribeMethod(std::string_view method, const std::vector<HeldParameter>& parameters,
                    double radiansPerUnit, double metresPerUnit, Meaning& m);

// How a projection is written under EPSG's names: by the row of its WKT 1 name, parameter by
// parameter, when that row places every parameter held (a scale of 1 aside) and misses none;
// otherwise in the EPSG form that equivalence settles from the parameters (ESRI's Gauss_Kruger,
// its Lambert_Conformal_Conic of one parallel or two, Albers, a Hotine without its grid angle,
// ...), each parameter of the row once with its value by role in the system's units.
struct ProjectionForm {
    const Method* row = nullptr; // null when the table knows neither form
    bool byRole = false;         // the parameters are the row's, with `values`
    double values[kProjectionRoleCount] = {};
    double degrees[kProjectionRoleCount] = {}; // the settled values in degrees and metres
    std::string misplaced; // a parameter that has no place in the row, when no EPSG form holds it
};
ProjectionForm FormOf(std::string_view method, const std::vector<HeldParameter>& parameters,
                      double radiansPerUnit, double metresPerUnit, double inverseFlattening);

// An axis of WKT 2 (its name, direction and, for a polar system, the meridian it runs along in
// degrees; NaN for none).
struct ImpliedAxis {
    const char* name;
    const char* direction;
    double meridian;
};

// The axes that a projected system of WKT 1 without AXIS has, as GDAL and PROJ read it, under
// the methods whose axes are not east then north: a south orientated transverse Mercator
// (westing, southing), Krovak (southing, westing), a polar stereographic or a Lambert
// azimuthal at a pole (along meridians, towards or away from the pole). Null for the others.
// `latitude` is the latitude of origin (variant A, Lambert) or of the standard parallel
// (variant B) in degrees.
const ImpliedAxis* ImpliedAxes(int method, double latitude);

} // namespace quarn::detail

#endif
