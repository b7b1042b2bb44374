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

// `item` seen as the implementation class T, keeping its constness.
template <class T, class Info> auto QuarnAs(Info* item) {
    return static_cast<std::conditional_t<std::is_const<Info>::value, const T*, T*>>(item);
}

// Destroys `item` through the implementation class its object type names. An object whose
// type is none of the library's is left alone: destroying it through a guessed type would
// be worse than keeping it.
void QuarnDestroyInfo(CS_Info* item);

// Stores an authority name and code in `item` (as its class's SetAuthority and
// SetAuthorityCode do); an object of no known type is left alone.
void QuarnSetAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code);

// Calls `action` with `item` seen as the implementation class of its object type.
template <class Info, class Action> void QuarnWithClass(Info* item, Action action) {
    switch (item->GetObjectType()) {
    case kQuarnCompoundCS:
        action(QuarnAs<CQuarnCompoundCoordinateSystem>(item));
        break;
    case kQuarnFittedHorizontalCS:
        action(QuarnAs<CQuarnFittedHorizontalCoordinateSystem>(item));
        break;
    case kQuarnFittedVerticalCS:
        action(QuarnAs<CQuarnFittedVerticalCoordinateSystem>(item));
        break;
    case kQuarnProjectedCS:
        action(QuarnAs<CQuarnProjectedCoordinateSystem>(item));
        break;
    case kQuarnGeographicCS:
        action(QuarnAs<CQuarnGeographicCoordinateSystem>(item));
        break;
    case kQuarnGeocentricCS:
        action(QuarnAs<CQuarnGeocentricCoordinateSystem>(item));
        break;
    case kQuarnVerticalCS:
        action(QuarnAs<CQuarnVerticalCoordinateSystem>(item));
        break;
    case kQuarnLocalCS:
        action(QuarnAs<CQuarnLocalCoordinateSystem>(item));
        break;
    case kQuarnPrimeMeridian:
        action(QuarnAs<CQuarnPrimeMeridian>(item));
        break;
    case kQuarnEllipsoid:
        action(QuarnAs<CQuarnEllipsoid>(item));
        break;
    case kQuarnProjection:
        action(QuarnAs<CQuarnProjection>(item));
        break;
    case kQuarnHorizontalDatum:
        action(QuarnAs<CQuarnHorizontalDatum>(item));
        break;
    case kQuarnVerticalDatum:
        action(QuarnAs<CQuarnVerticalDatum>(item));
        break;
    case kQuarnLocalDatum:
        action(QuarnAs<CQuarnLocalDatum>(item));
        break;
    case kQuarnLinearUnit:
        action(QuarnAs<CQuarnLinearUnit>(item));
        break;
    case kQuarnAngularUnit:
        action(QuarnAs<CQuarnAngularUnit>(item));
        break;
    default:
        break;
    }
}

#endif
