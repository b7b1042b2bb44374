// Geographic and geocentric coordinate systems: equality rules, copying, delegation to the
// datum and the GEOGCS / GEOCCS elements.
#include "support/SystemsWorld.h"

using namespace systems_test;

namespace {

CQuarnGeocentricCoordinateSystem MakeGeocentric(World& w, const wchar_t* name) {
    CQuarnGeocentricCoordinateSystem system;
    system.SetName(name);
    system.SetLinearUnit(&w.metre);
    system.SetHorizontalDatum(&w.datum);
    system.SetPrimeMeridian(&w.greenwich);
    SetAxes(system, {{L"X", CS_AO_Other}, {L"Y", CS_AO_East}, {L"Z", CS_AO_North}});
    return system;
}

} // namespace

TEST(GeographicSystem, CodesAxesEqualityCopyAndItsElement) {
    World w;
    const CQuarnGeographicCoordinateSystem empty;
    ExpectCodes(empty, 4, 2, 2001, 2001, 0);
    EXPECT_EQ(empty.GetWGS84ConversionInfo(0), nullptr); // no datum, no record

    const CQuarnGeographicCoordinateSystem& g = w.geographic;
    EXPECT_EQ(g.GetAxis(2), nullptr);
    EXPECT_EQ(g.GetWGS84ConversionInfo(5), w.datum.GetWGS84Parameters()); // any index
    // An axis outside the two records and a null axis are ignored.
    const CQuarnAxisInfo up(L"Up", CS_AO_Up);
    EXPECT_TRUE(EqualAfter(g, [&](auto& s) {
        s.SetAxis(2, &up);
        s.SetAxis(0, nullptr);
    }));

    // A missing child gives no text.
    CQuarnGeographicCoordinateSystem noMeridian(w.geographic);
    noMeridian.SetPrimeMeridian(nullptr);
    EXPECT_STREQ(noMeridian.GetWKT(nullptr), L"");

    // Equality by identity of the children; names and authorities take no part.
    const CQuarnAxisInfo renamed(L"Longitude", CS_AO_East), west(L"Lon", CS_AO_West);
    const CQuarnAngularUnit twin(w.degree);
    const CQuarnPrimeMeridian otherMeridian(w.greenwich);
    EXPECT_TRUE(EqualAfter(g, [](auto& s) {
        s.SetName(L"x");
        s.SetAuthorityCode(L"4019");
    }));
    EXPECT_TRUE(EqualAfter(g, [&](auto& s) { s.SetAxis(0, &renamed); }));
    EXPECT_FALSE(EqualAfter(g, [&](auto& s) { s.SetAxis(0, &west); }));
    EXPECT_FALSE(EqualAfter(g, [&](auto& s) { s.SetAngularUnit(&twin); }));
    EXPECT_FALSE(EqualAfter(g, [&](auto& s) { s.SetPrimeMeridian(&otherMeridian); }));
    EXPECT_FALSE(EqualAfter(g, [](auto& s) { s.SetHorizontalDatum(nullptr); }));

    w.geographic.SetAuthority(L"EPSG"); // authorities are not written
    w.geographic.SetAuthorityCode(L"4019");
    EXPECT_EQ(std::wstring(w.geographic.GetWKT(nullptr)), kGeographicWkt);
    ExpectCopyAndAssignment(w.geographic);
}

TEST(GeocentricSystem, CodesCopyEqualityByBaseNameAndItsElement) {
    World w;
    CQuarnGeocentricCoordinateSystem g = MakeGeocentric(w, L"ECEF");
    ExpectCodes(g, 5, 3, 3001, 3001, 0);
    EXPECT_EQ(g.GetAxis(3), nullptr);
    ExpectCopyAndAssignment(g);

    g.SetLinearUnit(&w.foot);
    EXPECT_EQ(std::wstring(g.GetWKT(nullptr)),
              L"GEOCCS[\"ECEF\"," + kDatumWkt + L"," + kGreenwichWkt + L"," + kFootWkt +
                  L",AXIS[\"X\",NULL],AXIS[\"Y\",East],AXIS[\"Z\",North]]");

    const CQuarnGeocentricCoordinateSystem a = MakeGeocentric(w, L"ECEF");
    EXPECT_TRUE(MakeGeocentric(w, L"ECEF~1") == a);
    EXPECT_FALSE(MakeGeocentric(w, L"ecef") == a);

    const CQuarnAxisInfo down(L"Z", CS_AO_Down);
    const CQuarnLinearUnit twin(w.metre);
    EXPECT_TRUE(EqualAfter(a, [](auto& s) { s.SetAuthority(L"EPSG"); }));
    EXPECT_FALSE(EqualAfter(a, [&](auto& s) { s.SetAxis(2, &down); }));
    EXPECT_FALSE(EqualAfter(a, [&](auto& s) { s.SetLinearUnit(&twin); }));
}
