// The factory's create operations for units, ellipsoids, prime meridians, projections and
// datums: conversions on the way in, canonical results and the datum-name rules.
#include "support/Parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <utility>

TEST(CreateObjects, UnitsAreConvertedOnTheWayIn) {
    CQuarnCoordinateSystemFactory factory;
    EXPECT_EQ(factory.CreateFromXML(L"<CS/>"), nullptr); // XML is never read
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

    // A flattened sphere converts only the axis.
    const CS_LinearUnit* km = factory.CreateLinearUnit(L"km", 1000);
    EXPECT_STREQ(
        factory.CreateFlattenedSphere(L"GRS", 6378.137, 298.257222101, km)->GetWKT(nullptr),
        L"SPHEROID[\"GRS\",6378137,298.257222101]");

    const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
    const CS_PrimeMeridian* paris = factory.CreatePrimeMeridian(L"Paris", degree, 2.33722917);
    EXPECT_EQ(paris->GetLongitude(), 2.33722917 * 0.0174532925199433);
    EXPECT_EQ(factory.CreatePrimeMeridian(L"Raw", nullptr, 0.5)->GetLongitude(), 0.5);
}

TEST(CreateObjects, TransverseMercator34GetsNegativeEasting) {
    CQuarnCoordinateSystemFactory factory;
    EXPECT_STREQ(
        factory
            .CreateProjection(L"", L"transverse_mercator_34", Parameters({{L"a", 1}, {L"b", 2}}))
            ->GetWKT(nullptr),
        L"PROJECTION[\"transverse_mercator_34\"],PARAMETER[\"a\",1],PARAMETER[\"b\",2],"
        L"PARAMETER[\"negative_easting\",0]");
    const CS_Projection* given = factory.CreateProjection(
        L"", L"Transverse_Mercator_34", Parameters({{L"Negative_Easting", 1}, {L"b", 2}}));
    EXPECT_EQ(given->GetNumParameters(), 2);
    // Eleven parameters leave no place: nothing is appended.
    QuarnParameters eleven;
    eleven.Resize(11);
    EXPECT_EQ(factory.CreateProjection(L"", L"Transverse_Mercator_34", eleven)->GetNumParameters(),
              11);
}

TEST(CreateObjects, DatumNameRulesOnlyWhileLoadingAndWithoutAShift) {
    CQuarnCoordinateSystemFactory factory;
    const CS_Ellipsoid* grs =
        factory.CreateFlattenedSphere(L"GRS 1980", 6378137, 298.257222101, nullptr);
    const CQuarnWGS84ConversionInfo& zero = QuarnDefaultWGS84ConversionInfo();
    CQuarn3DIMInfo first(L"a.lbf", L"a.cop");
    CQuarn3DIMInfo second(L"b.lbf", L"b.cop");
    const wchar_t* harn = L"D_North_American_1983_HARN";
    const CS_HorizontalDatum* clear = factory.CreateHorizontalDatum(harn, 1001, grs, zero, first);
    {
        LoadingFlag flag(true);
        // The shift differs, so this is a new datum with a unique name.
        const CS_HorizontalDatum* loaded =
            factory.CreateHorizontalDatum(harn, 1001, grs, zero, first);
        EXPECT_STREQ(loaded->GetName(), L"D_North_American_1983_HARN~1");
        EXPECT_EQ(loaded->GetWGS84Parameters()->Ppm, -0.00028);
        EXPECT_EQ(
            factory.CreateHorizontalDatum(L"", 1001, grs, zero, first)->GetWGS84Parameters()->Dx,
            0.0);
        // A given shift is never replaced; an equal datum keeps the first call's grid files.
        CQuarnWGS84ConversionInfo given(-146.414, 507.337, 680.507, 0, 0, 0, 0);
        const CS_HorizontalDatum* tokyo =
            factory.CreateHorizontalDatum(L"Tokyo", 1001, grs, given, first);
        EXPECT_EQ(tokyo->GetWGS84Parameters()->Dx, -146.414);
        EXPECT_EQ(factory.CreateHorizontalDatum(L"Tokyo", 1001, grs, given, second), tokyo);
        EXPECT_STREQ(tokyo->Get3DIMParameters()->LBFFileName, L"a.lbf");
    }
    // With the flag clear again the first datum comes back.
    EXPECT_EQ(factory.CreateHorizontalDatum(harn, 1001, grs, zero, second), clear);
}
