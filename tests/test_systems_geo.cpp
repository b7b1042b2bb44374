// Geographic and geocentric coordinate systems: equality rules, copying, delegation to the
// datum and the GEOGCS / GEOCCS elements.
#include "test_systems_world.h"

#include <gtest/gtest.h>

#include <string>

using namespace systems_test;

namespace {

CQuarnGeocentricCoordinateSystem MakeGeocentric(World& w, const wchar_t* name) {
    CQuarnGeocentricCoordinateSystem system;
    system.SetName(name);
    system.SetLinearUnit(&w.metre);
    system.SetHorizontalDatum(&w.datum);
    system.SetPrimeMeridian(&w.greenwich);
    const CQuarnAxisInfo x(L"X", CS_AO_Other), y(L"Y", CS_AO_East), z(L"Z", CS_AO_North);
    system.SetAxis(0, &x);
    system.SetAxis(1, &y);
    system.SetAxis(2, &z);
    return system;
}

} // namespace

TEST(GeographicSystem, DefaultObjectAndCodes) {
    CQuarnGeographicCoordinateSystem system;
    EXPECT_EQ(system.GetObjectType(), 4);
    EXPECT_EQ(system.GetDimension(), 2);
    EXPECT_EQ(system.GetSystemType(), 2001);
    EXPECT_EQ(system.GetSystemTypeEx(), 2001);
    EXPECT_EQ(system.GetHeightType(), 0);
    EXPECT_EQ(system.GetAzimuth(), 0.0);
    // No datum: no conversion record, and no text.
    EXPECT_EQ(system.GetWGS84ConversionInfo(0), nullptr);
    EXPECT_STREQ(system.GetWKT(nullptr), L"");
}

TEST(GeographicSystem, GettersAndAxisBounds) {
    World w;
    const CQuarnGeographicCoordinateSystem& g = w.geographic;
    EXPECT_EQ(g.GetUnits(7), &w.degree);
    EXPECT_EQ(g.GetUnits(-1), &w.degree);
    EXPECT_EQ(g.GetAxis(2), nullptr);
    EXPECT_EQ(g.GetAxis(-1), nullptr);

    CQuarnGeographicCoordinateSystem copy(g);
    const CQuarnAxisInfo up(L"Up", CS_AO_Up);
    copy.SetAxis(2, &up); // outside the two records: ignored
    copy.SetAxis(0, nullptr);
    EXPECT_TRUE(copy == g);
}

TEST(GeographicSystem, ConversionInfoIsTheDatumsWhateverTheIndex) {
    World w;
    EXPECT_EQ(w.geographic.GetNumConversionToWGS84(), 1);
    EXPECT_EQ(w.geographic.GetWGS84ConversionInfo(0), w.datum.GetWGS84Parameters());
    EXPECT_EQ(w.geographic.GetWGS84ConversionInfo(5), w.geographic.GetWGS84ConversionInfo(0));
}

TEST(GeographicSystem, EqualityIgnoresNamesAndComparesChildrenByIdentity) {
    World w;
    CQuarnGeographicCoordinateSystem other(w.geographic);
    other.SetName(L"another name");
    other.SetAuthority(L"EPSG");
    other.SetAuthorityCode(L"4019");
    EXPECT_TRUE(other == w.geographic);

    // Axis names take no part, orientations do.
    const CQuarnAxisInfo renamed(L"Longitude", CS_AO_East), west(L"Lon", CS_AO_West);
    other.SetAxis(0, &renamed);
    EXPECT_TRUE(other == w.geographic);
    other.SetAxis(0, &west);
    EXPECT_TRUE(other != w.geographic);

    // A distinct but identical unit is another child.
    CQuarnAngularUnit twin(w.degree);
    CQuarnGeographicCoordinateSystem withTwin(w.geographic);
    withTwin.SetAngularUnit(&twin);
    EXPECT_FALSE(withTwin == w.geographic);

    CQuarnPrimeMeridian otherMeridian(w.greenwich);
    CQuarnGeographicCoordinateSystem withMeridian(w.geographic);
    withMeridian.SetPrimeMeridian(&otherMeridian);
    EXPECT_FALSE(withMeridian == w.geographic);

    CQuarnGeographicCoordinateSystem withoutDatum(w.geographic);
    withoutDatum.SetHorizontalDatum(nullptr);
    EXPECT_FALSE(withoutDatum == w.geographic);
    CQuarnGeographicCoordinateSystem alsoWithout(withoutDatum);
    EXPECT_TRUE(alsoWithout == withoutDatum); // null children compare by identity too
}

TEST(GeographicSystem, CopyKeepsTheCountAssignmentKeepsTheTargets) {
    World w;
    w.geographic.AddRef();
    w.geographic.AddRef();
    const CQuarnGeographicCoordinateSystem copy(w.geographic);
    EXPECT_EQ(copy.GetRefCount(), 2);
    EXPECT_STREQ(copy.GetName(), L"GCS_GRS_1980");

    PT_Envelope box;
    box.minCP = CTesselCoordinatePoint(-10.0, -20.0);
    box.maxCP = CTesselCoordinatePoint(10.0, 20.0);
    w.geographic.SetDefaultEnvelope(&box);
    EXPECT_TRUE(EqualEnvelope(w.geographic.GetDefaultEnvelope(), &box));

    CQuarnGeographicCoordinateSystem target;
    target.AddRef();
    target = w.geographic;
    EXPECT_EQ(target.GetRefCount(), 1);
    EXPECT_STREQ(target.GetName(), L"GCS_GRS_1980");
    EXPECT_TRUE(EqualEnvelope(target.GetDefaultEnvelope(), &box));
    EXPECT_STREQ(target.GetAxis(1)->name, L"Lat");
    EXPECT_TRUE(target == w.geographic);
    EXPECT_EQ(std::wstring(target.GetWKT(nullptr)), kGeographicWkt);
}

TEST(GeographicSystem, WritesItsElement) {
    World w;
    w.geographic.SetAuthority(L"EPSG");
    w.geographic.SetAuthorityCode(L"4019");
    EXPECT_EQ(std::wstring(w.geographic.GetWKT(nullptr)), kGeographicWkt);
}

TEST(GeographicSystem, PrimeMeridianIsWrittenInTheSystemsUnit) {
    World w;
    CQuarnAngularUnit grad;
    grad.SetName(L"grad");
    grad.SetRadiansPerUnit(kGrad);
    CQuarnPrimeMeridian paris;
    paris.SetName(L"Paris");
    paris.SetLongitude(2.5969213 * kGrad);
    w.geographic.SetAngularUnit(&grad);
    w.geographic.SetPrimeMeridian(&paris);
    EXPECT_EQ(std::wstring(w.geographic.GetWKT(nullptr)),
              L"GEOGCS[\"GCS_GRS_1980\"," + kDatumWkt +
                  L",PRIMEM[\"Paris\",2.5969213],UNIT[\"grad\",0.015707963267949],"
                  L"AXIS[\"Lon\",East],AXIS[\"Lat\",North]]");
}

TEST(GeographicSystem, LengthRuleAndMissingChildren) {
    World w;
    const long length = static_cast<long>(kGeographicWkt.size());
    std::wstring buffer(kGeographicWkt.size() + 8, L'?');
    EXPECT_STREQ(w.geographic.FormatWKT(&buffer[0], length), L"");
    EXPECT_EQ(std::wstring(w.geographic.FormatWKT(&buffer[0], length + 1)), kGeographicWkt);

    CQuarnGeographicCoordinateSystem noMeridian(w.geographic);
    noMeridian.SetPrimeMeridian(nullptr);
    EXPECT_STREQ(noMeridian.GetWKT(nullptr), L"");
    CQuarnGeographicCoordinateSystem noUnit(w.geographic);
    noUnit.SetAngularUnit(nullptr);
    EXPECT_STREQ(noUnit.GetWKT(nullptr), L"");
}

TEST(GeocentricSystem, CodesAndGetters) {
    World w;
    const CQuarnGeocentricCoordinateSystem g = MakeGeocentric(w, L"ECEF");
    EXPECT_EQ(g.GetObjectType(), 5);
    EXPECT_EQ(g.GetDimension(), 3);
    EXPECT_EQ(g.GetSystemType(), 3001);
    EXPECT_EQ(g.GetSystemTypeEx(), 3001);
    EXPECT_EQ(g.GetHeightType(), 0);
    EXPECT_EQ(g.GetAzimuth(), 0.0);
    EXPECT_EQ(g.GetUnits(7), &w.metre);
    EXPECT_STREQ(g.GetAxis(2)->name, L"Z");
    EXPECT_EQ(g.GetAxis(3), nullptr);
}

TEST(GeocentricSystem, EqualityTakesTheBaseName) {
    World w;
    const CQuarnGeocentricCoordinateSystem a = MakeGeocentric(w, L"ECEF");
    EXPECT_TRUE(MakeGeocentric(w, L"ECEF~1") == a);
    EXPECT_TRUE(a == MakeGeocentric(w, L"ECEF~2"));
    EXPECT_FALSE(MakeGeocentric(w, L"Earth centred") == a);
    EXPECT_FALSE(MakeGeocentric(w, L"ecef") == a);

    CQuarnGeocentricCoordinateSystem b = MakeGeocentric(w, L"ECEF");
    b.SetAuthority(L"EPSG");
    EXPECT_TRUE(b == a);
    const CQuarnAxisInfo down(L"Z", CS_AO_Down);
    b.SetAxis(2, &down);
    EXPECT_TRUE(b != a);
    b = a;
    CQuarnLinearUnit twin(w.metre);
    b.SetLinearUnit(&twin);
    EXPECT_FALSE(b == a);
}

TEST(GeocentricSystem, AssignmentAndCopy) {
    World w;
    CQuarnGeocentricCoordinateSystem source = MakeGeocentric(w, L"ECEF");
    source.AddRef();
    const CQuarnGeocentricCoordinateSystem copy(source);
    EXPECT_EQ(copy.GetRefCount(), 1);
    CQuarnGeocentricCoordinateSystem target;
    target = source;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_TRUE(target == source);
    EXPECT_STREQ(target.GetAxis(0)->name, L"X");
}

TEST(GeocentricSystem, WritesItsElementWithThePrimeMeridianInDegrees) {
    World w;
    CQuarnPrimeMeridian paris;
    paris.SetName(L"Paris");
    paris.SetLongitude(2.5 * kDegree);
    CQuarnGeocentricCoordinateSystem g = MakeGeocentric(w, L"ECEF");
    g.SetPrimeMeridian(&paris);
    g.SetLinearUnit(&w.foot);
    EXPECT_EQ(std::wstring(g.GetWKT(nullptr)),
              L"GEOCCS[\"ECEF\"," + kDatumWkt + L",PRIMEM[\"Paris\",2.5]," + kFootWkt +
                  L",AXIS[\"X\",NULL],AXIS[\"Y\",East],AXIS[\"Z\",North]]");

    g.SetHorizontalDatum(nullptr);
    EXPECT_STREQ(g.GetWKT(nullptr), L"");
}
