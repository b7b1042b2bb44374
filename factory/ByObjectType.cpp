#include "ByObjectType.h"

#include "../objects/Datums.h"
#include "../objects/Ellipsoid.h"
#include "../objects/PrimeMeridian.h"
#include "../objects/Projection.h"
#include "../objects/Units.h"
#include "../systems/CompoundCoordinateSystem.h"
#include "../systems/FittedCoordinateSystems.h"
#include "../systems/GeocentricCoordinateSystem.h"
#include "../systems/GeographicCoordinateSystem.h"
#include "../systems/LocalCoordinateSystem.h"
#include "../systems/ProjectedCoordinateSystem.h"
#include "../systems/VerticalCoordinateSystem.h"

namespace {

// Calls `action` with `item` seen as the implementation class of its object type.
template <class Action> void WithClass(CS_Info* item, Action action) {
    switch (item->GetObjectType()) {
    case kQuarnCompoundCS:
        action(static_cast<CQuarnCompoundCoordinateSystem*>(item));
        break;
    case kQuarnFittedHorizontalCS:
        action(static_cast<CQuarnFittedHorizontalCoordinateSystem*>(item));
        break;
    case kQuarnFittedVerticalCS:
        action(static_cast<CQuarnFittedVerticalCoordinateSystem*>(item));
        break;
    case kQuarnProjectedCS:
        action(static_cast<CQuarnProjectedCoordinateSystem*>(item));
        break;
    case kQuarnGeographicCS:
        action(static_cast<CQuarnGeographicCoordinateSystem*>(item));
        break;
    case kQuarnGeocentricCS:
        action(static_cast<CQuarnGeocentricCoordinateSystem*>(item));
        break;
    case kQuarnVerticalCS:
        action(static_cast<CQuarnVerticalCoordinateSystem*>(item));
        break;
    case kQuarnLocalCS:
        action(static_cast<CQuarnLocalCoordinateSystem*>(item));
        break;
    case kQuarnPrimeMeridian:
        action(static_cast<CQuarnPrimeMeridian*>(item));
        break;
    case kQuarnEllipsoid:
        action(static_cast<CQuarnEllipsoid*>(item));
        break;
    case kQuarnProjection:
        action(static_cast<CQuarnProjection*>(item));
        break;
    case kQuarnHorizontalDatum:
        action(static_cast<CQuarnHorizontalDatum*>(item));
        break;
    case kQuarnVerticalDatum:
        action(static_cast<CQuarnVerticalDatum*>(item));
        break;
    case kQuarnLocalDatum:
        action(static_cast<CQuarnLocalDatum*>(item));
        break;
    case kQuarnLinearUnit:
        action(static_cast<CQuarnLinearUnit*>(item));
        break;
    case kQuarnAngularUnit:
        action(static_cast<CQuarnAngularUnit*>(item));
        break;
    default:
        break;
    }
}

} // namespace

void QuarnDestroyInfo(CS_Info* item) {
    if (item == nullptr) return;
    WithClass(item, [](auto* object) { delete object; });
}

void QuarnSetAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code) {
    if (item == nullptr) return;
    WithClass(item, [authority, code](auto* object) {
        object->SetAuthority(authority);
        object->SetAuthorityCode(code);
    });
}
