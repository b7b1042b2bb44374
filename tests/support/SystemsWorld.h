// A small set of real reference objects for the coordinate-system tests, with the texts
// each one writes, spelled out from the element templates.
#ifndef QUARN_TESTS_TEST_SYSTEMS_WORLD_H
#define QUARN_TESTS_TEST_SYSTEMS_WORLD_H

#include "support/Parameters.h"
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace systems_test {

constexpr double kDegree = 0.017453292519943295;

inline const std::wstring kSpheroidWkt = L"SPHEROID[\"GRS 1980\",6378137,298.257222101]";
// A zero shift: the rotations are written negated, so as -0.
inline const std::wstring kDatumWkt =
    L"DATUM[\"D_GRS_1980\"," + kSpheroidWkt + L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]]";
inline const std::wstring kGreenwichWkt = L"PRIMEM[\"Greenwich\",0]";
inline const std::wstring kDegreeWkt = L"UNIT[\"degree\",0.0174532925199433]";
inline const std::wstring kMetreWkt = L"UNIT[\"metre\",1]";
inline const std::wstring kFootWkt = L"UNIT[\"foot\",0.3048]";
inline const std::wstring kGeographicWkt = L"GEOGCS[\"GCS_GRS_1980\"," + kDatumWkt + L"," +
                                           kGreenwichWkt + L"," + kDegreeWkt +
                                           L",AXIS[\"Lon\",East],AXIS[\"Lat\",North]]";
inline const std::wstring kProjectionWkt =
    L"PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"central_meridian\",9],"
    L"PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],"
    L"PARAMETER[\"false_northing\",0]";
inline const std::wstring kProjectedWkt = L"PROJCS[\"UTM 32N\"," + kGeographicWkt + L"," +
                                          kProjectionWkt + L"," + kMetreWkt +
                                          L",AXIS[\"E\",East],AXIS[\"N\",North]]";
inline const std::wstring kVerticalWkt =
    L"VERT_CS[\"NAP height\",VERT_DATUM[\"NAP\",2005]," + kMetreWkt + L",AXIS[\"H\",Up]]";

using NamedValues = QuarnParameterList;

// Gives the projection its method and exactly the parameters listed, in that order.
inline void SetMethod(CQuarnProjection& projection, const wchar_t* className,
                      const NamedValues& parameters) {
    projection.SetClassName(className);
    SetParameters(projection, parameters);
}

// Sets the axes in order from index 0.
template <class System> void SetAxes(System& system, std::initializer_list<CQuarnAxisInfo> axes) {
    long index = 0;
    for (const CQuarnAxisInfo& axis : axes)
        system.SetAxis(index++, &axis);
}

// Units, a datum on GRS 1980, Greenwich, a geographic system in degrees, a Transverse
// Mercator projection, a projected system in metres, a vertical system on NAP and a local
// system of dimension 2 with three axis records.
struct World {
    CQuarnLinearUnit metre, foot;
    CQuarnAngularUnit degree;
    CQuarnEllipsoid grs80;
    CQuarnHorizontalDatum datum;
    CQuarnPrimeMeridian greenwich;
    CQuarnGeographicCoordinateSystem geographic;
    CQuarnProjection tm;
    CQuarnProjectedCoordinateSystem projected;
    CQuarnVerticalDatum nap;
    CQuarnVerticalCoordinateSystem vertical;
    CQuarnLocalDatum yard;
    CQuarnLocalCoordinateSystem local;

    World() {
        Named(metre, L"metre").SetMetersPerUnit(1.0);
        Named(foot, L"foot").SetMetersPerUnit(0.3048);
        Named(degree, L"degree").SetRadiansPerUnit(kDegree);
        Named(grs80, L"GRS 1980").SetSemiMajorAxis(6378137.0);
        grs80.SetInverseFlattening(298.257222101);
        Named(datum, L"D_GRS_1980").SetEllipsoid(&grs80);
        CQuarnWGS84ConversionInfo zero;
        datum.SetWGS84Parameters(&zero);
        Named(greenwich, L"Greenwich");

        Named(geographic, L"GCS_GRS_1980").SetAngularUnit(&degree);
        geographic.SetHorizontalDatum(&datum);
        geographic.SetPrimeMeridian(&greenwich);
        SetAxes(geographic, {{L"Lon", CS_AO_East}, {L"Lat", CS_AO_North}});
        SetBox(geographic, {-10.0, -20.0}, {10.0, 20.0});

        Named(tm, L"UTM 32N projection");
        SetMethod(tm, L"Transverse_Mercator",
                  {{L"central_meridian", 9.0},
                   {L"scale_factor", 0.9996},
                   {L"false_easting", 500000.0},
                   {L"false_northing", 0.0}});
        Named(projected, L"UTM 32N").SetGeographicCoordinateSystem(&geographic);
        projected.SetProjection(&tm);
        projected.SetLinearUnit(&metre);
        SetAxes(projected, {{L"E", CS_AO_East}, {L"N", CS_AO_North}});
        SetBox(projected, {0.0, 0.0}, {800000.0, 9000000.0});

        Named(nap, L"NAP").SetDatumType(2005);
        Named(vertical, L"NAP height").SetVerticalDatum(&nap);
        vertical.SetUnits(0, &metre);
        SetAxes(vertical, {{L"H", CS_AO_Up}});

        Named(local, L"Site grid").SetLocalDatum(&Named(yard, L"Yard"));
        local.SetLinearUnit(&metre);
        SetAxes(local, {{L"X", CS_AO_East}, {L"Y", CS_AO_North}, {L"Z", CS_AO_Up}});
        SetBox(local, {0.0, 0.0, 0.0}, {10.0, 10.0, 5.0});
    }
    template <class T> static T& Named(T& object, const wchar_t* name) {
        object.SetName(name);
        return object;
    }
    template <class System>
    static void SetBox(System& system, const CTesselCoordinatePoint& min,
                       const CTesselCoordinatePoint& max) {
        PT_Envelope box;
        box.minCP = min;
        box.maxCP = max;
        system.SetDefaultEnvelope(&box);
    }
};

// Whether a copy of `base` still equals it after `change` has been applied to the copy.
template <class System, class Change> bool EqualAfter(const System& base, Change change) {
    System other(base);
    change(other);
    return other == base;
}

// A copy takes the source's reference count, an assignment keeps the target's; both carry
// names, axes, envelope and children over, so they equal the source and write its text.
template <class System> void ExpectCopyAndAssignment(System& source) {
    source.AddRef();
    source.AddRef();
    const std::wstring wkt = source.GetWKT(nullptr);
    const System copy(source);
    EXPECT_EQ(copy.GetRefCount(), source.GetRefCount());
    EXPECT_TRUE(copy == source);
    System target;
    target.AddRef();
    target = source;
    EXPECT_EQ(target.GetRefCount(), 1);
    EXPECT_TRUE(target == source &&
                EqualEnvelope(target.GetDefaultEnvelope(), source.GetDefaultEnvelope()));
    EXPECT_EQ(std::wstring(target.GetName()) + L"|" + target.GetAuthorityCode() + L"|" +
                  target.GetWKT(nullptr),
              std::wstring(source.GetName()) + L"|" + source.GetAuthorityCode() + L"|" + wkt);
}

// Object type, dimension, system type, extended system type and height type.
inline void ExpectCodes(const CS_CoordinateSystem& s, long object, long dimension, long type,
                        long typeEx, long height) {
    EXPECT_EQ((std::vector<long>{s.GetObjectType(), s.GetDimension(), s.GetSystemType(),
                                 s.GetSystemTypeEx(), s.GetHeightType()}),
              (std::vector<long>{object, dimension, type, typeEx, height}));
}

} // namespace systems_test

#endif
