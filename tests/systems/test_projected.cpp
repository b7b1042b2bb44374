// Projected coordinate systems: equality, copying, the false easting/northing conversion
// while loading, the PROJCS element and the ground-system azimuth.
#include "support/SystemsWorld.h"

using namespace systems_test;

namespace {

// A projection in feet: false origin 1000/500 and a scale factor that must stay as it is.
void FeetProjection(CQuarnProjection& projection, const wchar_t* eastingName) {
    SetMethod(projection, L"Transverse_Mercator",
              {{eastingName, 1000.0}, {L"false_northing", 500.0}, {L"scale_factor", 0.9996}});
}

} // namespace

TEST(ProjectedSystem, CodesEqualityCopyAndItsElement) {
    ExpectCodes(CQuarnProjectedCoordinateSystem(), 3, 2, 2002, 2002, 0);
    World w;
    EXPECT_EQ(w.projected.GetHorizontalDatum(), &w.datum);
    CQuarnProjectedCoordinateSystem noGeographic(w.projected); // no datum, no text
    noGeographic.SetGeographicCoordinateSystem(nullptr);
    EXPECT_TRUE(noGeographic.GetHorizontalDatum() == nullptr && !*noGeographic.GetWKT(nullptr));

    const CQuarnAxisInfo south(L"N", CS_AO_South);
    const CQuarnProjection twin(w.tm);
    const CQuarnGeographicCoordinateSystem geographicTwin(w.geographic);
    EXPECT_TRUE(EqualAfter(w.projected, [](auto& s) {
        s.SetName(L"renamed");
        s.SetAuthority(L"EPSG");
    }));
    EXPECT_FALSE(EqualAfter(w.projected, [&](auto& s) { s.SetAxis(1, &south); }));
    // A unit is set already: a plain store, and another unit.
    EXPECT_FALSE(EqualAfter(w.projected, [&](auto& s) { s.SetUnits(0, &w.foot); }));
    EXPECT_FALSE(EqualAfter(w.projected, [&](auto& s) { s.SetProjection(&twin); }));
    EXPECT_FALSE(EqualAfter(w.projected,
                            [&](auto& s) { s.SetGeographicCoordinateSystem(&geographicTwin); }));

    w.projected.SetAuthority(L"EPSG");
    w.projected.SetAuthorityCode(L"25832");
    EXPECT_EQ(std::wstring(w.projected.GetWKT(nullptr)), kProjectedWkt);
    // FormatWKT writes nothing into a buffer one short of the text and its end.
    std::wstring buffer(kProjectedWkt.size() + 1, L'?');
    const long length = static_cast<long>(kProjectedWkt.size());
    EXPECT_STREQ(w.projected.FormatWKT(&buffer[0], length), L"");
    EXPECT_EQ(std::wstring(w.projected.FormatWKT(&buffer[0], length + 1)), kProjectedWkt);
    ExpectCopyAndAssignment(w.projected);
}

// In feet, the false origin is stored in metres, once, on the first unit set while loading;
// names match in any case, and the PARAMETER elements follow PROJECTION in the stored order.
TEST(FalseOriginConversion, ConvertsOnceOnTheFirstUnitWhileLoading) {
    for (const wchar_t* easting : {L"false_easting", L"FALSE_EASTING"}) {
        World w;
        CQuarnProjection projection;
        FeetProjection(projection, easting);
        const LoadingFlag loading(true);
        CQuarnProjectedCoordinateSystem system;
        World::Named(system, L"Feet grid").SetGeographicCoordinateSystem(&w.geographic);
        system.SetProjection(&projection);
        system.SetUnits(0, &w.foot);
        system.SetUnits(1, &w.foot); // finds a unit set already
        system.SetLinearUnit(&w.foot);
        EXPECT_EQ(std::wstring(system.GetWKT(nullptr)),
                  L"PROJCS[\"Feet grid\"," + kGeographicWkt +
                      L",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"" + easting +
                      L"\",304.8],PARAMETER[\"false_northing\",152.4],"
                      L"PARAMETER[\"scale_factor\",0.9996]," +
                      kFootWkt + L",AXIS[\"\",NULL],AXIS[\"\",NULL]]");
    }
}

TEST(FalseOriginConversion, OnlyUnderAllThreeConditions) {
    World w;
    CQuarnProjection projection;
    FeetProjection(projection, L"false_easting");
    CQuarnProjectedCoordinateSystem noProjectionYet, unitSetAlready(w.projected), source, assigned;
    source.SetProjection(&projection); // the flag is clear
    source.SetLinearUnit(&w.foot);

    const LoadingFlag loading(true);
    noProjectionYet.SetLinearUnit(&w.foot);
    noProjectionYet.SetProjection(&projection); // not converted later either
    noProjectionYet.SetLinearUnit(&w.foot);
    unitSetAlready.SetProjection(&projection);
    unitSetAlready.SetLinearUnit(&w.foot);
    assigned = source; // stores the unit without converting
    EXPECT_EQ(assigned.GetLinearUnit(), &w.foot);
    EXPECT_EQ(projection.GetParameter(0L)->value + projection.GetParameter(1L)->value, 1500.0);
}

namespace {

NamedValues Points(double latOrigin, double lonOrigin, double latTarget, double lonTarget) {
    return {{L"latitude_of_origin", latOrigin},
            {L"longitude_of_origin", lonOrigin},
            {L"latitude_of_target", latTarget},
            {L"longitude_of_target", lonTarget}};
}

} // namespace

// The ground-system azimuth: the direction from origin to target, clockwise from north in
// radians, read from the projection at each call.
TEST(GroundAzimuth, TableOfMethodsAndParameters) {
    const double east = 1.5707963267948966, northEast = 0.7853981633974483;
    const NamedValues threeOfFour = {
        {L"LATITUDE_OF_ORIGIN", 0}, {L"Longitude_Of_Origin", 0}, {L"latitude_of_target", 1}};
    NamedValues anyCase = threeOfFour, twice;
    anyCase.push_back({L"LONGITUDE_OF_TARGET", 1});
    twice = anyCase;
    twice.push_back({L"latitude_of_target", 2}); // one name twice: no usable point pair
    const struct {
        const wchar_t* method;
        NamedValues parameters;
        double expected;
    } cases[] = {
        {L"Ground_System", Points(0, 0, 0, 1), east},
        {L"Ground_System", Points(0, 0, 1, 1), northEast},
        {L"Ground_System", Points(0, 0, -1, -1), 3.9269908169872414},
        // The cosine of the origin's latitude shortens the east offset, not the direction.
        {L"Ground_System", Points(60, 0, 60, 1), east},
        {L"ground_system", Points(0, 0, 0, 1), east},
        {L"Transverse_Mercator", Points(0, 0, 1, 1), 0.0},
        {L"Ground_System", threeOfFour, 0.0},
        {L"Ground_System", anyCase, northEast},
        {L"Ground_System", twice, 0.0},
        // The azimuth method and its parameter are matched exactly.
        {L"Ground_System_Azimuth", {{L"scale_factor", 1}, {L"azimuth_of_target", 45}}, northEast},
        {L"Ground_System_Azimuth", {{L"Azimuth_Of_Target", 45}}, 0.0},
        {L"ground_system_azimuth", {{L"azimuth_of_target", 45}}, 0.0},
    };
    CQuarnProjection projection;
    CQuarnProjectedCoordinateSystem system;
    system.SetProjection(&projection);
    for (const auto& c : cases) {
        SetMethod(projection, c.method, c.parameters);
        EXPECT_DOUBLE_EQ(system.GetAzimuth(), c.expected)
            << &c - cases << ": " << c.parameters.size() << " parameters";
    }
}
