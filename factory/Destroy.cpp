#include "Destroy.h"

#include "../objects/Datums.h"
#include "../objects/Ellipsoid.h"
#include "../objects/PrimeMeridian.h"
#include "../objects/Projection.h"
#include "../objects/Units.h"

namespace {

template <class T> void DestroyAs(CS_Info* item) {
    delete static_cast<T*>(item);
}

} // namespace

void QuarnDestroyInfo(CS_Info* item) {
    if (item == nullptr) return;
    switch (item->GetObjectType()) {
    case kQuarnPrimeMeridian:
        DestroyAs<CQuarnPrimeMeridian>(item);
        break;
    case kQuarnEllipsoid:
        DestroyAs<CQuarnEllipsoid>(item);
        break;
    case kQuarnProjection:
        DestroyAs<CQuarnProjection>(item);
        break;
    case kQuarnHorizontalDatum:
        DestroyAs<CQuarnHorizontalDatum>(item);
        break;
    case kQuarnVerticalDatum:
        DestroyAs<CQuarnVerticalDatum>(item);
        break;
    case kQuarnLocalDatum:
        DestroyAs<CQuarnLocalDatum>(item);
        break;
    case kQuarnLinearUnit:
        DestroyAs<CQuarnLinearUnit>(item);
        break;
    case kQuarnAngularUnit:
        DestroyAs<CQuarnAngularUnit>(item);
        break;
    default:
        break;
    }
}
