// The factory's create operations for units, ellipsoids, prime meridians, projections and
// datums: conversions on the way in, canonical results and the datum-name rules.
#include "quarn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

CBASESequence<CS_ProjectionParameter, 11>
Parameters(std::initializer_list<std::pair<const wchar_t*, double>> list) {
    CBASESequence<CS_ProjectionParameter, 11> parameters;
    parameters.Resize(static_cast<long>(list.size()));
    long i = 0;
    for (const auto& entry : list) {
        CQuarnProjectionParameter parameter;
        parameter.SetName(entry.first);
        parameter.SetValue(entry.second);
        CopyProjectionParameter(&parameters[i++], &parameter);
    }
    return parameters;
}

struct LoadingFlag {
    explicit LoadingFlag(bool on) { SetPrjLoading(on); }
    ~LoadingFlag() { SetPrjLoading(false); }
};

} // namespace

TEST(CreateObjects, XmlIsNotRead) {
    CQuarnCoordinateSystemFactory factory;
    EXPECT_EQ(factory.CreateFromXML(L"<CS/>"), nullptr);
    EXPECT_EQ(factory.CreateFromXML(nullptr), nullptr);
}

TEST(CreateObjects, EllipsoidFromTwoAxes) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Ellipsoid* wgs = factory.CreateEllipsoid(L"WGS 84", 6378137, 6356752.314245, nullptr);
    EXPECT_EQ(wgs->GetSemiMajorAxis(), 6378137.0);
    EXPECT_NEAR(wgs->GetInverseFlattening(), 298.257223563, 1e-6);

    // With a unit both axes are converted first, so the flattening stays the same.
    const CS_LinearUnit* foot = factory.CreateLinearUnit(L"foot", 0.3048);
    const CS_Ellipsoid* feet =
        factory.CreateEllipsoid(L"in feet", 6378137 / 0.3048, 6356752.314245 / 0.3048, foot);
    EXPECT_NEAR(feet->GetSemiMajorAxis(), 6378137.0, 1e-6);
    EXPECT_NEAR(feet->GetInverseFlattening(), 298.257223563, 1e-6);

    // A sphere has an infinite inverse flattening; two such spheres are one object.
    const CS_Ellipsoid* sphere = factory.CreateEllipsoid(L"Sphere", 6371000, 6371000, nullptr);
    EXPECT_TRUE(std::isinf(sphere->GetInverseFlattening()));
    EXPECT_EQ(factory.CreateEllipsoid(L"Sphere", 6371000, 6371000, nullptr), sphere);
}

TEST(CreateObjects, FlattenedSphereConvertsOnlyTheAxis) {
    CQuarnCoordinateSystemFactory factory;
    const CS_LinearUnit* km = factory.CreateLinearUnit(L"km", 1000);
    const CS_Ellipsoid* e = factory.CreateFlattenedSphere(L"GRS 1980", 6378.137, 298.257222101, km);
    EXPECT_EQ(e->GetSemiMajorAxis(), 6378137.0);
    EXPECT_EQ(e->GetInverseFlattening(), 298.257222101);
    EXPECT_STREQ(e->GetWKT(nullptr), L"SPHEROID[\"GRS 1980\",6378137,298.257222101]");
    // Same numbers under the same base name: the registered one.
    EXPECT_EQ(factory.CreateFlattenedSphere(L"GRS 1980", 6378137, 298.257222101, nullptr), e);
    // Another name (case counts): a new one.
    EXPECT_NE(factory.CreateFlattenedSphere(L"grs 1980", 6378137, 298.257222101, nullptr), e);
}

TEST(CreateObjects, PrimeMeridianInRadians) {
    CQuarnCoordinateSystemFactory factory;
    const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
    const CS_PrimeMeridian* paris = factory.CreatePrimeMeridian(L"Paris", degree, 2.33722917);
    EXPECT_EQ(paris->GetLongitude(), 2.33722917 * 0.0174532925199433);
    const CS_PrimeMeridian* raw = factory.CreatePrimeMeridian(L"Raw", nullptr, 0.5);
    EXPECT_EQ(raw->GetLongitude(), 0.5);
}

TEST(CreateObjects, FirstNameWinsAndNewNamesAreMadeUnique) {
    CQuarnCoordinateSystemFactory factory;
    const CS_VerticalDatum* a = factory.CreateVerticalDatum(L"Mean Sea Level", 2005);
    EXPECT_EQ(factory.CreateVerticalDatum(L"Mean Sea Level~3", 2005), a);
    const CS_VerticalDatum* b = factory.CreateVerticalDatum(L"Mean Sea Level", 2006);
    EXPECT_STREQ(b->GetName(), L"Mean Sea Level~1");
    // Ellipsoidal vertical datums are one whatever their names: the first name stays.
    const CS_VerticalDatum* e1 = factory.CreateVerticalDatum(L"Ellipsoid", 2002);
    EXPECT_EQ(factory.CreateVerticalDatum(L"Other", 2002), e1);
    EXPECT_STREQ(e1->GetName(), L"Ellipsoid");
    const CS_LocalDatum* local = factory.CreateLocalDatum(L"Site", 10000);
    EXPECT_EQ(factory.CreateLocalDatum(L"Site", 10000), local);
    EXPECT_NE(factory.CreateLocalDatum(L"Site", 10001), local);
    EXPECT_EQ(factory.GetProductLine(13).GetSize(), 2);
}

TEST(CreateObjects, ProjectionsIgnoreOrderAndKeepTheFirstName) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Projection* first = factory.CreateProjection(
        L"UTM 32", L"Transverse_Mercator", Parameters({{L"scale_factor", 0.9996}, {L"k", 1}}));
    const CS_Projection* again = factory.CreateProjection(
        L"other", L"transverse_mercator", Parameters({{L"K", 1}, {L"Scale_Factor", 0.9996}}));
    EXPECT_EQ(again, first);
    EXPECT_STREQ(first->GetName(), L"UTM 32");
    // Projections are not made unique by name.
    const CS_Projection* second = factory.CreateProjection(L"UTM 32", L"Transverse_Mercator",
                                                           Parameters({{L"scale_factor", 0.9996}}));
    EXPECT_NE(second, first);
    EXPECT_STREQ(second->GetName(), L"UTM 32");
    EXPECT_STREQ(first->GetWKT(nullptr), L"PROJECTION[\"Transverse_Mercator\"],"
                                         L"PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"k\",1]");
}

TEST(CreateObjects, TransverseMercator34GetsNegativeEasting) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Projection* p = factory.CreateProjection(
        L"", L"transverse_mercator_34",
        Parameters({{L"a", 1}, {L"b", 2}, {L"c", 3}, {L"d", 4}, {L"e", 5}}));
    ASSERT_EQ(p->GetNumParameters(), 6);
    EXPECT_STREQ(p->GetParameter(5L)->name, L"negative_easting");
    EXPECT_EQ(p->GetParameter(5L)->value, 0.0);

    const CS_Projection* given = factory.CreateProjection(
        L"", L"Transverse_Mercator_34", Parameters({{L"Negative_Easting", 1}, {L"b", 2}}));
    EXPECT_EQ(given->GetNumParameters(), 2);

    // Eleven parameters leave no place: nothing is appended.
    const CS_Projection* full = factory.CreateProjection(L"", L"Transverse_Mercator_34",
                                                         Parameters({{L"p1", 1},
                                                                     {L"p2", 2},
                                                                     {L"p3", 3},
                                                                     {L"p4", 4},
                                                                     {L"p5", 5},
                                                                     {L"p6", 6},
                                                                     {L"p7", 7},
                                                                     {L"p8", 8},
                                                                     {L"p9", 9},
                                                                     {L"p10", 10},
                                                                     {L"p11", 11}}));
    EXPECT_EQ(full->GetNumParameters(), 11);
    EXPECT_EQ(full->GetParameter(L"negative_easting"), nullptr);

    // The rule looks at the name as passed, before any rewriting.
    const CS_Projection* plain =
        factory.CreateProjection(L"", L"Transverse_Mercator", Parameters({{L"a", 1}}));
    EXPECT_EQ(plain->GetNumParameters(), 1);
}

TEST(CreateObjects, FindEqualProjectionSkipsTheProjectionItself) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Projection* a =
        factory.CreateProjection(L"a", L"Krovak", Parameters({{L"x", 1}, {L"y", 2}}));
    EXPECT_EQ(factory.FindEqualProjection(a), nullptr);
    const CS_Projection* b = factory.CreateProjection(L"b", L"Krovak", Parameters({{L"x", 1}}));
    EXPECT_EQ(factory.FindEqualProjection(b), nullptr);
    // An equal projection made outside the factory finds the registered one.
    CQuarnProjection outside;
    outside.SetClassName(L"KROVAK");
    outside.SetNumParameters(2);
    outside.SetParameter(0, a->GetParameter(1L));
    outside.SetParameter(1, a->GetParameter(0L));
    EXPECT_EQ(factory.FindEqualProjection(&outside), a);
    EXPECT_EQ(factory.FindEqualProjection(nullptr), nullptr);
}

TEST(CreateObjects, HorizontalDatumNameRulesFollowTheFlag) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Ellipsoid* grs =
        factory.CreateFlattenedSphere(L"GRS 1980", 6378137, 298.257222101, nullptr);
    const CQuarnWGS84ConversionInfo& zero = QuarnDefaultWGS84ConversionInfo();
    const CQuarn3DIMInfo& noFiles = QuarnDefault3DIMInfo();

    const CS_HorizontalDatum* clear =
        factory.CreateHorizontalDatum(L"D_North_American_1983_HARN", 1001, grs, zero, noFiles);
    EXPECT_EQ(clear->GetWGS84Parameters()->Dx, 0.0);

    const CS_HorizontalDatum* loaded = nullptr;
    {
        LoadingFlag flag(true);
        loaded =
            factory.CreateHorizontalDatum(L"D_North_American_1983_HARN", 1001, grs, zero, noFiles);
    }
    // The shift differs, so this is a new datum with a unique name.
    EXPECT_NE(loaded, clear);
    EXPECT_STREQ(loaded->GetName(), L"D_North_American_1983_HARN~1");
    const CS_WGS84ConversionInfo* shift = loaded->GetWGS84Parameters();
    EXPECT_EQ(shift->Dx, -0.9991);
    EXPECT_EQ(shift->Ppm, -0.00028);
    // Written with the rotations negated.
    EXPECT_STREQ(loaded->GetWKT(nullptr),
                 L"DATUM[\"D_North_American_1983_HARN~1\",SPHEROID[\"GRS 1980\",6378137,"
                 L"298.257222101] ,TOWGS84[-0.9991, 1.9048, 0.519, 0.02625, 0.005641, 0.011344, "
                 L"-0.00028]]");

    // With the flag clear again the first datum comes back.
    EXPECT_EQ(
        factory.CreateHorizontalDatum(L"D_North_American_1983_HARN", 1001, grs, zero, noFiles),
        clear);
}

TEST(CreateObjects, GivenShiftAndGridFilesOfTheFirstCall) {
    CQuarnCoordinateSystemFactory factory;
    LoadingFlag flag(true);
    const CS_Ellipsoid* bessel =
        factory.CreateFlattenedSphere(L"Bessel", 6377397.155, 299.1528128, nullptr);
    CQuarnWGS84ConversionInfo given(-146.414, 507.337, 680.507, 0, 0, 0, 0);
    CQuarn3DIMInfo first(L"a.lbf", L"a.cop");
    CQuarn3DIMInfo second(L"b.lbf", L"b.cop");
    const CS_HorizontalDatum* tokyo =
        factory.CreateHorizontalDatum(L"Tokyo", 1001, bessel, given, first);
    EXPECT_EQ(tokyo->GetWGS84Parameters()->Dx, -146.414);
    EXPECT_EQ(factory.CreateHorizontalDatum(L"Tokyo", 1001, bessel, given, second), tokyo);
    EXPECT_STREQ(tokyo->Get3DIMParameters()->LBFFileName, L"a.lbf");

    // Without a shift the name's rule applies; "Cape Verde" knows none.
    const CS_HorizontalDatum* rule = factory.CreateHorizontalDatum(
        L"Tokyo", 1001, bessel, QuarnDefaultWGS84ConversionInfo(), first);
    EXPECT_EQ(rule->GetWGS84Parameters()->Dx, -148.0);
    const CS_HorizontalDatum* verde = factory.CreateHorizontalDatum(
        L"Cape Verde", 1001, bessel, QuarnDefaultWGS84ConversionInfo(), first);
    EXPECT_EQ(verde->GetWGS84Parameters()->Dx, 0.0);
    const CS_HorizontalDatum* norway = factory.CreateHorizontalDatum(
        L"European 1950 (Norway)", 1001, bessel, QuarnDefaultWGS84ConversionInfo(), first);
    EXPECT_EQ(norway->GetWGS84Parameters()->Dx, 0.0);
    const CS_HorizontalDatum* empty =
        factory.CreateHorizontalDatum(L"", 1001, bessel, QuarnDefaultWGS84ConversionInfo(), first);
    EXPECT_EQ(empty->GetWGS84Parameters()->Dx, 0.0);
}

TEST(CreateObjects, ThousandsOfObjectsDieWithTheFactory) {
    // Under the sanitizer a leak or a double destruction is reported here.
    CQuarnCoordinateSystemFactory factory;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 500; ++i) {
            factory.CreateLinearUnit(L"u", 1 + i % 50);
            const CS_Ellipsoid* e = factory.CreateFlattenedSphere(L"e", 6e6 + i % 40, 300, nullptr);
            const CS_PrimeMeridian* pm = factory.CreatePrimeMeridian(L"pm", nullptr, i % 30);
            factory.CreateHorizontalDatum(L"d", 1001, e, QuarnDefaultWGS84ConversionInfo(),
                                          QuarnDefault3DIMInfo());
            factory.CreateProjection(L"p", L"Krovak", Parameters({{L"x", i % 20}}));
            factory.CreateVerticalDatum(L"v", 2000 + i % 10);
            (void)pm;
        }
    }
    EXPECT_EQ(factory.GetProductLine(14).GetSize(), 50);
    EXPECT_EQ(factory.GetProductLine(9).GetSize(), 40);
    EXPECT_EQ(factory.GetProductLine(8).GetSize(), 30);
    EXPECT_EQ(factory.GetProductLine(10).GetSize(), 20);
    EXPECT_EQ(factory.GetProductLine(12).GetSize(), 10);
    factory.DeleteItem(factory.GetProductLine(9).GetAt(3));
    EXPECT_EQ(factory.GetProductLine(9).GetSize(), 39);
}
