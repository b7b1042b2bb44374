// The kinds of object, by object type code: the WKT element that holds each and the words
// that name it in messages. The one table every reader, writer and tool names kinds from.
#ifndef QUARN_MODEL_OBJECTKINDS_H
#define QUARN_MODEL_OBJECTKINDS_H

#include <quarn/model/Model.h>

#include <cstring>

namespace quarn {

struct ObjectKind {
    long type;           // the object type code (kQuarnCompoundCS ... kQuarnAngularUnit)
    const char* keyword; // the WKT 1 element that holds such an object
    const char* name;    // in a sentence: "projected coordinate system"
    const char* plural;  // in a count: "projected systems"
};

inline constexpr ObjectKind kObjectKinds[kQuarnObjectTypeCount] = {
    {kQuarnCompoundCS, "COMPD_CS", "compound coordinate system", "compound systems"},
    {kQuarnFittedHorizontalCS, "FITTED_CS", "fitted horizontal coordinate system",
     "fitted horizontal systems"},
    {kQuarnFittedVerticalCS, "FITTED_CS", "fitted vertical coordinate system",
     "fitted vertical systems"},
    {kQuarnProjectedCS, "PROJCS", "projected coordinate system", "projected systems"},
    {kQuarnGeographicCS, "GEOGCS", "geographic coordinate system", "geographic systems"},
    {kQuarnGeocentricCS, "GEOCCS", "geocentric coordinate system", "geocentric systems"},
    {kQuarnVerticalCS, "VERT_CS", "vertical coordinate system", "vertical systems"},
    {kQuarnLocalCS, "LOCAL_CS", "local coordinate system", "local systems"},
    {kQuarnPrimeMeridian, "PRIMEM", "prime meridian", "prime meridians"},
    {kQuarnEllipsoid, "SPHEROID", "ellipsoid", "ellipsoids"},
    {kQuarnProjection, "PROJECTION", "projection", "projections"},
    {kQuarnHorizontalDatum, "DATUM", "geodetic datum", "horizontal datums"},
    {kQuarnVerticalDatum, "VERT_DATUM", "vertical datum", "vertical datums"},
    {kQuarnLocalDatum, "LOCAL_DATUM", "local datum", "local datums"},
    {kQuarnLinearUnit, "UNIT", "linear unit", "linear units"},
    {kQuarnAngularUnit, "UNIT", "angular unit", "angular units"},
};

// The kind of an object type code; null for a code outside 0 to 15.
inline const ObjectKind* ObjectKindOf(long type) {
    return type >= 0 && type < kQuarnObjectTypeCount ? &kObjectKinds[type] : nullptr;
}

// Whether an object type code is a coordinate system's (codes 0 to 7).
inline bool IsSystemType(long type) {
    return type >= kQuarnCompoundCS && type <= kQuarnLocalCS;
}

} // namespace quarn

#endif
