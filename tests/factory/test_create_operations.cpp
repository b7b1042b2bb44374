// The factory's create operations: conversions on the way in, the datum-name rules, the
// projection method that gets an easting, the local dimension cap, the fitted vertical system
// built from its text, and a derived factory that refuses a registration.
#include "support/Parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

namespace {

// A small world of registered children to build systems from.
class CreateSystems : public ::testing::Test {
protected:
    CreateSystems() {
        const CS_Ellipsoid* grs =
            factory.CreateFlattenedSphere(L"GRS 1980", 6378137, 298.257222101, nullptr);
        datum = factory.CreateHorizontalDatum(
            L"NAD83", 1001, grs, QuarnDefaultWGS84ConversionInfo(), QuarnDefault3DIMInfo());
        geographic = factory.CreateGeographicCoordinateSystem(L"NAD83", degree, datum, greenwich,
                                                              east, north);
    }

    const CS_Projection* Projection(const wchar_t* name, double falseEasting) {
        return factory.CreateProjection(
            name, L"Transverse_Mercator",
            Parameters({{L"scale_factor", 0.9996}, {L"false_easting", falseEasting}}));
    }

    CQuarnCoordinateSystemFactory factory;
    const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    const CS_LinearUnit* foot = factory.CreateLinearUnit(L"foot", 0.3048);
    const CS_PrimeMeridian* greenwich = factory.CreatePrimeMeridian(L"Greenwich", nullptr, 0.0);
    const CS_HorizontalDatum* datum;
    const CS_GeographicCoordinateSystem* geographic;
    CQuarnAxisInfo east{L"E", CS_AO_East};
    CQuarnAxisInfo north{L"N", CS_AO_North};
    CQuarnAxisInfo up{L"H", CS_AO_Up};
};

const std::wstring kGeographicWkt =
    L"GEOGCS[\"A\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563]],PRIMEM[\"G\",0],"
    L"UNIT[\"degree\",0.0174532925199433]]";

// A factory that may refuse one type (the random sequence of the registry index's tests has
// derived factories that keep names or register objects themselves).
class HouseFactory : public CQuarnCoordinateSystemFactory {
public:
    int AddItem(long type, CS_Info* item) override {
        return type == refused ? -1 : CQuarnCoordinateSystemFactory::AddItem(type, item);
    }
    long refused = -1;
};

} // namespace

TEST_F(CreateSystems, VerticalCompoundAndLocal) {
    const CS_VerticalDatum* msl = factory.CreateVerticalDatum(L"MSL", 2005);
    const CS_VerticalCoordinateSystem* height =
        factory.CreateVerticalCoordinateSystem(L"Height", msl, metre, up);
    EXPECT_EQ(factory.CreateVerticalCoordinateSystem(L"Other", msl, metre, up), height);

    // The local system's dimension is capped at three axes.
    const CS_LocalDatum* site = factory.CreateLocalDatum(L"Site", 10000);
    CBASESequence<CS_AxisInfo, 3> axes;
    axes.Resize(3);
    EXPECT_EQ(factory.CreateLocalCoordinateSystem(L"Grid", site, metre, axes)->GetDimension(), 3);
    axes.Resize(0);
    EXPECT_STREQ(factory.CreateLocalCoordinateSystem(L"Grid", site, metre, axes)->GetWKT(nullptr),
                 L"LOCAL_CS[\"Grid~1\",LOCAL_DATUM[\"Site\",10000],UNIT[\"metre\",1]]");
}

TEST_F(CreateSystems, FittedSystems) {
    const CS_ProjectedCoordinateSystem* base = factory.CreateProjectedCoordinateSystem(
        L"UTM", geographic, Projection(L"UTM", 500000), metre, east, north);
    // CreateFittedCoordinateSystem builds a fitted vertical system.
    CBASESequence<CS_AxisInfo, 3> axes;
    const CS_FittedCoordinateSystem* plain =
        factory.CreateFittedCoordinateSystem(L"Fit", base, L"PARAM_MT[\"x\"]", axes);
    EXPECT_EQ(plain->GetObjectType(), 2);
    EXPECT_EQ(factory.CreateFittedVerticalCoordinateSystem(L"Other", base, 0, 0, 0, 0, 0), plain);
}

// A refused registration gives no object; the children stay registered.
TEST(CreateSystemsDerived, ARefusedRegistrationGivesNoObject) {
    HouseFactory refusing;
    refusing.refused = 4;
    EXPECT_EQ(refusing.CreateFromWKT(kGeographicWkt.c_str()), nullptr);
    EXPECT_EQ(refusing.GetProductLine(4).GetSize() * 10 + refusing.GetProductLine(11).GetSize(), 1);
}
