// Equality of two objects of one registry by the class its object type names: what the
// factory's create operations compare, the left object's class deciding.
#ifndef QUARN_TESTS_SUPPORT_CLASS_EQUAL_H
#define QUARN_TESTS_SUPPORT_CLASS_EQUAL_H

#include "quarn.h"

template <class T> bool EqualAs(const CS_Info* left, const CS_Info* right) {
    return (*static_cast<const T*>(left) == *static_cast<const T*>(right)) != 0;
}

inline bool ClassEqual(long type, const CS_Info* left, const CS_Info* right) {
    using Equal = bool (*)(const CS_Info*, const CS_Info*);
    static const Equal byType[kQuarnObjectTypeCount] = {
        EqualAs<CQuarnCompoundCoordinateSystem>,
        EqualAs<CQuarnFittedHorizontalCoordinateSystem>,
        EqualAs<CQuarnFittedVerticalCoordinateSystem>,
        EqualAs<CQuarnProjectedCoordinateSystem>,
        EqualAs<CQuarnGeographicCoordinateSystem>,
        EqualAs<CQuarnGeocentricCoordinateSystem>,
        EqualAs<CQuarnVerticalCoordinateSystem>,
        EqualAs<CQuarnLocalCoordinateSystem>,
        EqualAs<CQuarnPrimeMeridian>,
        EqualAs<CQuarnEllipsoid>,
        EqualAs<CQuarnProjection>,
        EqualAs<CQuarnHorizontalDatum>,
        EqualAs<CQuarnVerticalDatum>,
        EqualAs<CQuarnLocalDatum>,
        EqualAs<CQuarnLinearUnit>,
        EqualAs<CQuarnAngularUnit>};
    static_assert(kQuarnCompoundCS == 0 && kQuarnFittedVerticalCS == 2 && kQuarnLocalCS == 7 &&
                      kQuarnPrimeMeridian == 8 && kQuarnProjection == 10 && kQuarnAngularUnit == 15,
                  "byType follows the order of the object types");
    return byType[type](left, right);
}

#endif
