// Operations that need an object's implementation class, found from its object type code
// (internal). Registered objects are always objects of the library's classes: the factory's
// create operations make them.
#ifndef QUARN_FACTORY_BYOBJECTTYPE_H
#define QUARN_FACTORY_BYOBJECTTYPE_H

#include <quarn/model/Model.h>
#include <quarn/objects/Datums.h>
#include <quarn/objects/Ellipsoid.h>
#include <quarn/objects/PrimeMeridian.h>
#include <quarn/objects/Projection.h>
#include <quarn/objects/Units.h>
#include <quarn/systems/CompoundCoordinateSystem.h>
#include <quarn/systems/FittedCoordinateSystems.h>
#include <quarn/systems/GeocentricCoordinateSystem.h>
#include <quarn/systems/GeographicCoordinateSystem.h>
#include <quarn/systems/LocalCoordinateSystem.h>
#include <quarn/systems/ProjectedCoordinateSystem.h>
#include <quarn/systems/VerticalCoordinateSystem.h>

#include <type_traits>

namespace quarn::detail {

// `item` seen as the implementation class T, keeping its constness.
template <class T, class Info> auto ObjectAs(Info* item) {
    return static_cast<std::conditional_t<std::is_const<Info>::value, const T*, T*>>(item);
}

// Destroys `item` through the implementation class its object type names. An object whose
// type is none of the library's is left alone: destroying it through a guessed type would
// be worse than keeping it.
void DestroyInfo(CS_Info* item);

// Stores an authority name and code in `item` (as its class's SetAuthority and
// SetAuthorityCode do); an object of no known type is left alone.
void AssignAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code);

// Calls `action` with `item` seen as the implementation class of its object type.
template <class Info, class Action> void WithClass(Info* item, Action action) {
    switch (item->GetObjectType()) {
    case kQuarnCompoundCS:
        action(ObjectAs<CQuarnCompoundCoordinateSystem>(item));
        break;
    case kQuarnFittedHorizontalCS:
        action(ObjectAs<CQuarnFittedHorizontalCoordinateSystem>(item));
        break;
    case kQuarnFittedVerticalCS:
        action(ObjectAs<CQuarnFittedVerticalCoordinateSystem>(item));
        break;
    case kQuarnProjectedCS:
        action(ObjectAs<CQuarnProjectedCoordinateSystem>(item));
        break;
    case kQuarnGeographicCS:
        action(ObjectAs<CQuarnGeographicCoordinateSystem>(item));
        break;
    case kQuarnGeocentricCS:
        action(ObjectAs<CQuarnGeocentricCoordinateSystem>(item));
        break;
    case kQuarnVerticalCS:
        action(ObjectAs<CQuarnVerticalCoordinateSystem>(item));
        break;
    case kQuarnLocalCS:
        action(ObjectAs<CQuarnLocalCoordinateSystem>(item));
        break;
    case kQuarnPrimeMeridian:
        action(ObjectAs<CQuarnPrimeMeridian>(item));
        break;
    case kQuarnEllipsoid:
        action(ObjectAs<CQuarnEllipsoid>(item));
        break;
    case kQuarnProjection:
        action(ObjectAs<CQuarnProjection>(item));
        break;
    case kQuarnHorizontalDatum:
        action(ObjectAs<CQuarnHorizontalDatum>(item));
        break;
    case kQuarnVerticalDatum:
        action(ObjectAs<CQuarnVerticalDatum>(item));
        break;
    case kQuarnLocalDatum:
        action(ObjectAs<CQuarnLocalDatum>(item));
        break;
    case kQuarnLinearUnit:
        action(ObjectAs<CQuarnLinearUnit>(item));
        break;
    case kQuarnAngularUnit:
        action(ObjectAs<CQuarnAngularUnit>(item));
        break;
    default:
        break;
    }
}

} // namespace quarn::detail

#endif
