// Projection methods and their parameters under every name the dialects give them: the
// EPSG names, the names of WKT 1 as GDAL and PROJ write it and ESRI's names, mapped to EPSG
// method codes and to the roles of quarn::Meaning.
#ifndef QUARN_INTERCHANGE_PROJECTIONMETHODS_H
#define QUARN_INTERCHANGE_PROJECTIONMETHODS_H

#include <quarn/equivalent.h>

#include <string_view>

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

// Turns the provisional method and roles read from a text or a database into the method's
// one form: variants settled by their parameters, defaults put where nothing was written.
// `written` has a bit per role that was given.
void SettleMethod(Meaning& meaning, unsigned written);

} // namespace quarn::detail

#endif
