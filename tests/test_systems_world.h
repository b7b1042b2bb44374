// A small set of real reference objects for the coordinate-system tests, with the texts
// each one writes, spelled out from the element templates.
#ifndef QUARN_TESTS_TEST_SYSTEMS_WORLD_H
#define QUARN_TESTS_TEST_SYSTEMS_WORLD_H

#include "quarn.h"

#include "objects/Datums.h"
#include "objects/Ellipsoid.h"
#include "objects/PrimeMeridian.h"
#include "objects/Projection.h"
#include "systems/CompoundCoordinateSystem.h"
#include "systems/FittedCoordinateSystems.h"
#include "systems/GeocentricCoordinateSystem.h"
#include "systems/GeographicCoordinateSystem.h"
#include "systems/LocalCoordinateSystem.h"
#include "systems/ProjectedCoordinateSystem.h"
#include "systems/VerticalCoordinateSystem.h"

#include <string>

namespace systems_test {

constexpr double kDegree = 0.017453292519943295;
constexpr double kGrad = 0.015707963267948967;

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

inline void SetParameter(CQuarnProjection& projection, long index, const wchar_t* name,
                         double value) {
    CQuarnProjectionParameter parameter;
    parameter.SetName(name);
    parameter.SetValue(value);
    projection.SetParameter(index, parameter);
}

// Units, a datum on GRS 1980, Greenwich, a geographic system in degrees, a Transverse
// Mercator projection, a projected system in metres and a vertical system on NAP.
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

    World() {
        metre.SetName(L"metre");
        metre.SetMetersPerUnit(1.0);
        foot.SetName(L"foot");
        foot.SetMetersPerUnit(0.3048);
        degree.SetName(L"degree");
        degree.SetRadiansPerUnit(kDegree);

        grs80.SetName(L"GRS 1980");
        grs80.SetSemiMajorAxis(6378137.0);
        grs80.SetInverseFlattening(298.257222101);
        datum.SetName(L"D_GRS_1980");
        datum.SetEllipsoid(&grs80);
        CQuarnWGS84ConversionInfo zero;
        datum.SetWGS84Parameters(&zero);
        greenwich.SetName(L"Greenwich");

        geographic.SetName(L"GCS_GRS_1980");
        geographic.SetAngularUnit(&degree);
        geographic.SetHorizontalDatum(&datum);
        geographic.SetPrimeMeridian(&greenwich);
        const CQuarnAxisInfo lon(L"Lon", CS_AO_East), lat(L"Lat", CS_AO_North);
        geographic.SetAxis(0, &lon);
        geographic.SetAxis(1, &lat);

        tm.SetName(L"UTM 32N projection");
        tm.SetClassName(L"Transverse_Mercator");
        tm.SetNumParameters(4);
        SetParameter(tm, 0, L"central_meridian", 9.0);
        SetParameter(tm, 1, L"scale_factor", 0.9996);
        SetParameter(tm, 2, L"false_easting", 500000.0);
        SetParameter(tm, 3, L"false_northing", 0.0);

        projected.SetName(L"UTM 32N");
        projected.SetGeographicCoordinateSystem(&geographic);
        projected.SetProjection(&tm);
        projected.SetLinearUnit(&metre);
        const CQuarnAxisInfo east(L"E", CS_AO_East), north(L"N", CS_AO_North);
        projected.SetAxis(0, &east);
        projected.SetAxis(1, &north);

        nap.SetName(L"NAP");
        nap.SetDatumType(2005);
        vertical.SetName(L"NAP height");
        vertical.SetVerticalDatum(&nap);
        vertical.SetUnits(0, &metre);
        const CQuarnAxisInfo up(L"H", CS_AO_Up);
        vertical.SetAxis(0, &up);
    }
};

// Sets the projection-loading flag for the life of the guard.
class LoadingFlag {
public:
    explicit LoadingFlag(bool loading) : m_previous(IsPrjLoading()) { SetPrjLoading(loading); }
    ~LoadingFlag() { SetPrjLoading(m_previous); }
    LoadingFlag(const LoadingFlag&) = delete;
    LoadingFlag& operator=(const LoadingFlag&) = delete;

private:
    bool m_previous;
};

} // namespace systems_test

#endif
