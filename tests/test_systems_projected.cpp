// Projected coordinate systems: equality, copying, the false easting/northing conversion
// while loading, the PROJCS element and the ground-system azimuth.
#include "test_systems_world.h"

#include <gtest/gtest.h>

#include <string>

using namespace systems_test;

namespace {

constexpr double kPi = 3.141592653589793;

double Parameter(const CS_Projection& projection, const wchar_t* name) {
    const CS_ProjectionParameter* p = projection.GetParameter(name);
    return p != nullptr ? p->value : -1.0;
}

// A projection in feet: false origin 1000/500 and a scale factor that must stay as it is.
void FeetProjection(CQuarnProjection& projection, const wchar_t* eastingName) {
    projection.SetClassName(L"Transverse_Mercator");
    projection.SetNumParameters(3);
    SetParameter(projection, 0, eastingName, 1000.0);
    SetParameter(projection, 1, L"false_northing", 500.0);
    SetParameter(projection, 2, L"scale_factor", 0.9996);
}

} // namespace

TEST(ProjectedSystem, DefaultObjectAndCodes) {
    CQuarnProjectedCoordinateSystem system;
    EXPECT_EQ(system.GetObjectType(), 3);
    EXPECT_EQ(system.GetDimension(), 2);
    EXPECT_EQ(system.GetSystemType(), 2002);
    EXPECT_EQ(system.GetSystemTypeEx(), 2002);
    EXPECT_EQ(system.GetHeightType(), 0);
    // Without children: no datum, no azimuth, no text.
    EXPECT_EQ(system.GetHorizontalDatum(), nullptr);
    EXPECT_EQ(system.GetAzimuth(), 0.0);
    EXPECT_STREQ(system.GetWKT(nullptr), L"");
}

TEST(ProjectedSystem, Getters) {
    World w;
    const CQuarnProjectedCoordinateSystem& p = w.projected;
    EXPECT_EQ(p.GetUnits(3), &w.metre);
    EXPECT_EQ(p.GetHorizontalDatum(), &w.datum);
    EXPECT_EQ(p.GetAxis(2), nullptr);
    EXPECT_EQ(p.GetAzimuth(), 0.0); // not a ground-system projection
}

TEST(ProjectedSystem, EqualityIgnoresNames) {
    World w;
    CQuarnProjectedCoordinateSystem other(w.projected);
    other.SetName(L"renamed");
    other.SetAuthority(L"EPSG");
    EXPECT_TRUE(other == w.projected);

    const CQuarnAxisInfo south(L"N", CS_AO_South);
    other.SetAxis(1, &south);
    EXPECT_TRUE(other != w.projected);

    CQuarnProjectedCoordinateSystem feet(w.projected);
    feet.SetUnits(0, &w.foot); // a unit is set already: plain store
    EXPECT_FALSE(feet == w.projected);

    CQuarnProjection twin(w.tm);
    CQuarnProjectedCoordinateSystem withTwin(w.projected);
    withTwin.SetProjection(&twin);
    EXPECT_FALSE(withTwin == w.projected);

    CQuarnGeographicCoordinateSystem geographicTwin(w.geographic);
    CQuarnProjectedCoordinateSystem withGeographic(w.projected);
    withGeographic.SetGeographicCoordinateSystem(&geographicTwin);
    EXPECT_FALSE(withGeographic == w.projected);
}

TEST(ProjectedSystem, CopyAndAssignment) {
    World w;
    w.projected.AddRef();
    const CQuarnProjectedCoordinateSystem copy(w.projected);
    EXPECT_EQ(copy.GetRefCount(), 1);
    EXPECT_TRUE(copy == w.projected);

    PT_Envelope box;
    box.minCP = CTesselCoordinatePoint(0.0, 0.0);
    box.maxCP = CTesselCoordinatePoint(800000.0, 9000000.0);
    w.projected.SetDefaultEnvelope(&box);

    CQuarnProjectedCoordinateSystem target;
    target = w.projected;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_STREQ(target.GetName(), L"UTM 32N");
    EXPECT_TRUE(EqualEnvelope(target.GetDefaultEnvelope(), &box));
    EXPECT_STREQ(target.GetAxis(1)->name, L"N");
    EXPECT_TRUE(target == w.projected);
}

TEST(ProjectedSystem, WritesItsElement) {
    World w;
    w.projected.SetAuthority(L"EPSG");
    w.projected.SetAuthorityCode(L"25832");
    EXPECT_EQ(std::wstring(w.projected.GetWKT(nullptr)), kProjectedWkt);

    std::wstring buffer(kProjectedWkt.size() + 1, L'?');
    const long length = static_cast<long>(kProjectedWkt.size());
    EXPECT_STREQ(w.projected.FormatWKT(&buffer[0], length), L"");
    EXPECT_EQ(std::wstring(w.projected.FormatWKT(&buffer[0], length + 1)), kProjectedWkt);

    CQuarnProjectedCoordinateSystem noGeographic(w.projected);
    noGeographic.SetGeographicCoordinateSystem(nullptr);
    EXPECT_STREQ(noGeographic.GetWKT(nullptr), L"");
    EXPECT_EQ(noGeographic.GetHorizontalDatum(), nullptr);
}

TEST(FalseOriginConversion, ConvertsOnceOnTheFirstUnitWhileLoading) {
    World w;
    CQuarnProjection projection;
    FeetProjection(projection, L"false_easting");
    const LoadingFlag loading(true);

    CQuarnProjectedCoordinateSystem system;
    system.SetGeographicCoordinateSystem(&w.geographic);
    system.SetProjection(&projection);
    system.SetUnits(0, &w.foot);
    EXPECT_DOUBLE_EQ(Parameter(projection, L"false_easting"), 304.8);
    EXPECT_DOUBLE_EQ(Parameter(projection, L"false_northing"), 152.4);
    EXPECT_EQ(Parameter(projection, L"scale_factor"), 0.9996);
    EXPECT_EQ(system.GetLinearUnit(), &w.foot);

    // The second axis's unit finds a unit set already.
    system.SetUnits(1, &w.foot);
    EXPECT_DOUBLE_EQ(Parameter(projection, L"false_easting"), 304.8);
    system.SetLinearUnit(&w.foot);
    EXPECT_DOUBLE_EQ(Parameter(projection, L"false_northing"), 152.4);
}

TEST(FalseOriginConversion, NamesInCapitalsAreConverted) {
    World w;
    CQuarnProjection projection;
    FeetProjection(projection, L"FALSE_EASTING");
    const LoadingFlag loading(true);
    CQuarnProjectedCoordinateSystem system;
    system.SetProjection(&projection);
    system.SetLinearUnit(&w.foot);
    EXPECT_DOUBLE_EQ(Parameter(projection, L"false_easting"), 304.8);
}

TEST(FalseOriginConversion, OnlyUnderAllThreeConditions) {
    World w;
    CQuarnProjection projection;
    FeetProjection(projection, L"false_easting");

    { // flag clear
        const LoadingFlag loading(false);
        CQuarnProjectedCoordinateSystem system;
        system.SetProjection(&projection);
        system.SetLinearUnit(&w.foot);
        EXPECT_EQ(system.GetLinearUnit(), &w.foot);
    }
    const LoadingFlag loading(true);
    { // no projection yet: the unit is stored, the later projection is not converted
        CQuarnProjectedCoordinateSystem system;
        system.SetLinearUnit(&w.foot);
        system.SetProjection(&projection);
        system.SetLinearUnit(&w.foot);
        EXPECT_EQ(system.GetLinearUnit(), &w.foot);
    }
    { // a unit set already
        CQuarnProjectedCoordinateSystem system(w.projected);
        system.SetProjection(&projection);
        system.SetLinearUnit(&w.foot);
        EXPECT_EQ(system.GetLinearUnit(), &w.foot);
    }
    { // assignment stores the unit without converting
        CQuarnProjectedCoordinateSystem source;
        source.SetProjection(&projection);
        {
            const LoadingFlag off(false);
            source.SetLinearUnit(&w.foot);
        }
        CQuarnProjectedCoordinateSystem target;
        target = source;
        EXPECT_EQ(target.GetLinearUnit(), &w.foot);
    }
    EXPECT_EQ(Parameter(projection, L"false_easting"), 1000.0);
    EXPECT_EQ(Parameter(projection, L"false_northing"), 500.0);
}

TEST(FalseOriginConversion, WrittenTextShowsMetres) {
    World w;
    CQuarnProjection projection;
    FeetProjection(projection, L"false_easting");
    const LoadingFlag loading(true);
    CQuarnProjectedCoordinateSystem system;
    system.SetName(L"Feet grid");
    system.SetGeographicCoordinateSystem(&w.geographic);
    system.SetProjection(&projection);
    system.SetUnits(0, &w.foot);
    system.SetUnits(1, &w.foot);
    EXPECT_EQ(std::wstring(system.GetWKT(nullptr)),
              L"PROJCS[\"Feet grid\"," + kGeographicWkt +
                  L",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"false_easting\",304.8],"
                  L"PARAMETER[\"false_northing\",152.4],PARAMETER[\"scale_factor\",0.9996]," +
                  kFootWkt + L",AXIS[\"\",NULL],AXIS[\"\",NULL]]");
}

// ---- Ground-system azimuth ----------------------------------------------------------------

namespace {

struct GroundCase {
    double latTarget, lonTarget, expected;
};

double GroundAzimuthOf(const wchar_t* className, double latOrigin, double lonOrigin,
                       double latTarget, double lonTarget) {
    CQuarnProjection projection;
    projection.SetClassName(className);
    projection.SetNumParameters(4);
    SetParameter(projection, 0, L"latitude_of_origin", latOrigin);
    SetParameter(projection, 1, L"longitude_of_origin", lonOrigin);
    SetParameter(projection, 2, L"latitude_of_target", latTarget);
    SetParameter(projection, 3, L"longitude_of_target", lonTarget);
    CQuarnProjectedCoordinateSystem system;
    system.SetProjection(&projection);
    return system.GetAzimuth();
}

} // namespace

TEST(GroundAzimuth, DirectionFromOriginToTargetClockwiseFromNorth) {
    const GroundCase cases[] = {
        {1, 0, 0.0},
        {0, 1, 1.5707963267948966},
        {-1, 0, kPi},
        {0, -1, 4.71238898038469},
        {1, 1, 0.7853981633974483},
        {-1, -1, 3.9269908169872414},
        {1, -1, 5.497787143782138},
        {-1, 1, 2.356194490192345},
        {0, 0, 0.0},
    };
    for (const GroundCase& c : cases) {
        EXPECT_DOUBLE_EQ(GroundAzimuthOf(L"Ground_System", 0, 0, c.latTarget, c.lonTarget),
                         c.expected)
            << c.latTarget << "," << c.lonTarget;
    }
    // The cosine of the origin's latitude shortens the east offset, not the direction.
    EXPECT_DOUBLE_EQ(GroundAzimuthOf(L"Ground_System", 60, 0, 60, 1), 1.5707963267948966);
    EXPECT_DOUBLE_EQ(GroundAzimuthOf(L"ground_system", 0, 0, 0, 1), 1.5707963267948966);
}

TEST(GroundAzimuth, NeedsExactlyTheFourPoints) {
    CQuarnProjection projection;
    projection.SetClassName(L"Ground_System");
    projection.SetNumParameters(3);
    SetParameter(projection, 0, L"LATITUDE_OF_ORIGIN", 0);
    SetParameter(projection, 1, L"Longitude_Of_Origin", 0);
    SetParameter(projection, 2, L"latitude_of_target", 1);
    CQuarnProjectedCoordinateSystem system;
    system.SetProjection(&projection);
    EXPECT_EQ(system.GetAzimuth(), 0.0); // no longitude of target

    projection.SetNumParameters(4);
    SetParameter(projection, 3, L"LONGITUDE_OF_TARGET", 1);
    EXPECT_DOUBLE_EQ(system.GetAzimuth(), 0.7853981633974483); // names in any case

    projection.SetNumParameters(5); // one name twice: not a usable point pair
    SetParameter(projection, 4, L"latitude_of_target", 2);
    EXPECT_EQ(system.GetAzimuth(), 0.0);
}

TEST(GroundAzimuth, AzimuthMethodIsMatchedExactly) {
    CQuarnProjection projection;
    projection.SetClassName(L"Ground_System_Azimuth");
    projection.SetNumParameters(2);
    SetParameter(projection, 0, L"scale_factor", 1);
    SetParameter(projection, 1, L"azimuth_of_target", 45);
    CQuarnProjectedCoordinateSystem system;
    system.SetProjection(&projection);
    EXPECT_DOUBLE_EQ(system.GetAzimuth(), 0.7853981633974483);

    SetParameter(projection, 1, L"Azimuth_Of_Target", 45);
    EXPECT_EQ(system.GetAzimuth(), 0.0);
    SetParameter(projection, 1, L"azimuth_of_target", 45);
    projection.SetClassName(L"ground_system_azimuth");
    EXPECT_EQ(system.GetAzimuth(), 0.0);

    EXPECT_EQ(GroundAzimuthOf(L"Transverse_Mercator", 0, 0, 1, 1), 0.0);
}
