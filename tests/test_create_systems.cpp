// The factory's create operations for coordinate systems: canonical results across types,
// the projected system's renaming and projection substitution, the local dimension cap,
// and the fitted systems.
#include "quarn.h"

#include <gtest/gtest.h>

namespace {

struct LoadingFlag {
    explicit LoadingFlag(bool on) { SetPrjLoading(on); }
    ~LoadingFlag() { SetPrjLoading(false); }
};

// A small world of registered children to build systems from.
class CreateSystems : public ::testing::Test {
protected:
    CreateSystems() {
        degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
        metre = factory.CreateLinearUnit(L"metre", 1.0);
        foot = factory.CreateLinearUnit(L"foot", 0.3048);
        const CS_Ellipsoid* grs =
            factory.CreateFlattenedSphere(L"GRS 1980", 6378137, 298.257222101, nullptr);
        datum = factory.CreateHorizontalDatum(
            L"NAD83", 1001, grs, QuarnDefaultWGS84ConversionInfo(), QuarnDefault3DIMInfo());
        otherDatum = factory.CreateHorizontalDatum(
            L"Other", 1001, grs, QuarnDefaultWGS84ConversionInfo(), QuarnDefault3DIMInfo());
        greenwich = factory.CreatePrimeMeridian(L"Greenwich", nullptr, 0.0);
        geographic =
            factory.CreateGeographicCoordinateSystem(L"NAD83", degree, datum, greenwich, lon, lat);
    }

    const CS_Projection* Projection(const wchar_t* name, double falseEasting) {
        CBASESequence<CS_ProjectionParameter, 11> parameters;
        parameters.Resize(2);
        CQuarnProjectionParameter scale, easting;
        scale.SetName(L"scale_factor");
        scale.SetValue(0.9996);
        easting.SetName(L"false_easting");
        easting.SetValue(falseEasting);
        CopyProjectionParameter(&parameters[0], &scale);
        CopyProjectionParameter(&parameters[1], &easting);
        return factory.CreateProjection(name, L"Transverse_Mercator", parameters);
    }

    CQuarnCoordinateSystemFactory factory;
    const CS_AngularUnit* degree;
    const CS_LinearUnit* metre;
    const CS_LinearUnit* foot;
    const CS_HorizontalDatum* datum;
    const CS_HorizontalDatum* otherDatum;
    const CS_PrimeMeridian* greenwich;
    const CS_GeographicCoordinateSystem* geographic;
    CQuarnAxisInfo lon{L"Lon", CS_AO_East};
    CQuarnAxisInfo lat{L"Lat", CS_AO_North};
    CQuarnAxisInfo east{L"E", CS_AO_East};
    CQuarnAxisInfo north{L"N", CS_AO_North};
    CQuarnAxisInfo up{L"H", CS_AO_Up};
};

} // namespace

TEST_F(CreateSystems, GeographicFirstNameWinsNewOneIsMadeUnique) {
    EXPECT_EQ(factory.CreateGeographicCoordinateSystem(L"B", degree, datum, greenwich, east, north),
              geographic); // names and axis names take no part
    EXPECT_STREQ(geographic->GetName(), L"NAD83");
    const CS_GeographicCoordinateSystem* other =
        factory.CreateGeographicCoordinateSystem(L"NAD83", degree, otherDatum, greenwich, lon, lat);
    EXPECT_NE(other, geographic);
    EXPECT_STREQ(other->GetName(), L"NAD83~1");
    // Swapped orientations make another system.
    EXPECT_NE(
        factory.CreateGeographicCoordinateSystem(L"NAD83", degree, datum, greenwich, lat, lon),
        geographic);
    EXPECT_STREQ(geographic->GetWKT(nullptr),
                 L"GEOGCS[\"NAD83\",DATUM[\"NAD83\",SPHEROID[\"GRS 1980\",6378137,298.257222101] "
                 L",TOWGS84[0, 0, 0, -0, -0, -0, 0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
                 L"0.0174532925199433],AXIS[\"Lon\",East],AXIS[\"Lat\",North]]");
}

TEST_F(CreateSystems, GeocentricComparesNames) {
    const CS_GeocentricCoordinateSystem* a = factory.CreateGeocentricCoordinateSystem(
        L"Geocentric", metre, datum, greenwich, east, north, up);
    EXPECT_EQ(factory.CreateGeocentricCoordinateSystem(L"Geocentric~4", metre, datum, greenwich,
                                                       east, north, up),
              a);
    const CS_GeocentricCoordinateSystem* b = factory.CreateGeocentricCoordinateSystem(
        L"Earth", metre, datum, greenwich, east, north, up);
    EXPECT_NE(b, a);
    EXPECT_EQ(b->GetDimension(), 3);
}

TEST_F(CreateSystems, ProjectedSystemTakesTheRequestedName) {
    const CS_Projection* utm = Projection(L"UTM", 500000);
    const CS_ProjectedCoordinateSystem* first =
        factory.CreateProjectedCoordinateSystem(L"UTM 15N", geographic, utm, metre, east, north);
    const CS_ProjectedCoordinateSystem* again =
        factory.CreateProjectedCoordinateSystem(L"Zone 15", geographic, utm, metre, east, north);
    EXPECT_EQ(again, first);
    EXPECT_STREQ(first->GetName(), L"Zone 15"); // renamed, not made unique
    EXPECT_EQ(factory.GetProductLine(3).GetSize(), 1);
    // Another unit gives another system; with the flag clear nothing is converted.
    const CS_ProjectedCoordinateSystem* feet =
        factory.CreateProjectedCoordinateSystem(L"Zone 15", geographic, utm, foot, east, north);
    EXPECT_NE(feet, first);
    EXPECT_STREQ(feet->GetName(), L"Zone 15~1");
    EXPECT_EQ(utm->GetParameter(L"false_easting")->value, 500000.0);
}

TEST_F(CreateSystems, LoadingConvertsFalseEastingAndSharesEqualProjections) {
    LoadingFlag flag(true);
    // Two reads of the same projection file in feet: the second projection equals the
    // first only once both are converted, and the system then uses the first one.
    const CS_Projection* p1 = Projection(L"TM", 1000);
    const CS_ProjectedCoordinateSystem* s1 =
        factory.CreateProjectedCoordinateSystem(L"A", geographic, p1, foot, east, north);
    EXPECT_NEAR(p1->GetParameter(L"false_easting")->value, 304.8, 1e-9);
    EXPECT_EQ(p1->GetParameter(L"scale_factor")->value, 0.9996);

    const CS_Projection* p2 = Projection(L"TM", 1000);
    EXPECT_NE(p2, p1); // p1 now holds metres
    const CS_ProjectedCoordinateSystem* s2 =
        factory.CreateProjectedCoordinateSystem(L"B", geographic, p2, foot, east, north);
    EXPECT_EQ(s2, s1);
    EXPECT_EQ(s1->GetProjection(), p1);
    EXPECT_STREQ(s1->GetName(), L"B");
}

TEST_F(CreateSystems, VerticalAndCompound) {
    const CS_VerticalDatum* msl = factory.CreateVerticalDatum(L"MSL", 2005);
    const CS_VerticalCoordinateSystem* height =
        factory.CreateVerticalCoordinateSystem(L"Height", msl, metre, up);
    EXPECT_EQ(factory.CreateVerticalCoordinateSystem(L"Other", msl, metre, up), height);
    EXPECT_EQ(height->GetVerticalUnit(), metre);
    EXPECT_EQ(height->GetHeightType(), 2);

    const CS_CompoundCoordinateSystem* compound =
        factory.CreateCompoundCoordinateSystem(L"NAD83 + Height", geographic, height);
    EXPECT_EQ(factory.CreateCompoundCoordinateSystem(L"NAD83 + Height~1", geographic, height),
              compound);
    EXPECT_NE(factory.CreateCompoundCoordinateSystem(L"Another", geographic, height), compound);
    EXPECT_EQ(compound->GetSystemTypeEx(), 3003);
    EXPECT_STREQ(compound->GetWKT(nullptr),
                 L"COMPD_CS[\"NAD83 + Height\",GEOGCS[\"NAD83\",DATUM[\"NAD83\",SPHEROID[\"GRS "
                 L"1980\",6378137,298.257222101] ,TOWGS84[0, 0, 0, -0, -0, -0, 0]],PRIMEM["
                 L"\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Lon\",East],AXIS["
                 L"\"Lat\",North]],VERT_CS[\"Height\",VERT_DATUM[\"MSL\",2005],UNIT[\"metre\",1],"
                 L"AXIS[\"H\",Up]]]");
}

TEST_F(CreateSystems, LocalDimensionIsCappedAtThree) {
    const CS_LocalDatum* site = factory.CreateLocalDatum(L"Site", 10000);
    CBASESequence<CS_AxisInfo, 3> axes;
    axes.Resize(3);
    CopyAxisInfo(&axes[0], &east);
    CopyAxisInfo(&axes[1], &north);
    CopyAxisInfo(&axes[2], &up);
    const CS_LocalCoordinateSystem* three =
        factory.CreateLocalCoordinateSystem(L"Grid", site, metre, axes);
    EXPECT_EQ(three->GetDimension(), 3);
    EXPECT_EQ(three->GetSystemType(), 3000);
    EXPECT_EQ(three->GetHeightType(), 3);

    axes.Resize(0);
    const CS_LocalCoordinateSystem* none =
        factory.CreateLocalCoordinateSystem(L"Grid", site, metre, axes);
    EXPECT_EQ(none->GetDimension(), 0);
    EXPECT_STREQ(none->GetName(), L"Grid~1");
    EXPECT_STREQ(none->GetWKT(nullptr),
                 L"LOCAL_CS[\"Grid~1\",LOCAL_DATUM[\"Site\",10000],UNIT[\"metre\",1]]");

    // A local system may carry an angular unit.
    axes.Resize(1);
    const CS_LocalCoordinateSystem* angular =
        factory.CreateLocalCoordinateSystem(L"Turns", site, degree, axes);
    EXPECT_EQ(angular->GetUnits(0), degree);
    EXPECT_EQ(angular->GetSystemType(), 1000);
    EXPECT_EQ(angular->GetHeightType(), 0);
}

TEST_F(CreateSystems, FittedSystems) {
    const CS_Projection* utm = Projection(L"UTM", 500000);
    const CS_ProjectedCoordinateSystem* base =
        factory.CreateProjectedCoordinateSystem(L"UTM", geographic, utm, metre, east, north);

    CBASESequence<CS_AxisInfo, 3> axes;
    const CS_FittedCoordinateSystem* plain =
        factory.CreateFittedCoordinateSystem(L"Fit", base, L"PARAM_MT[\"x\"]", axes);
    EXPECT_EQ(plain->GetObjectType(), 2);
    EXPECT_EQ(plain->GetSystemType(), 1001);
    EXPECT_EQ(plain->GetToBase(), nullptr);
    EXPECT_EQ(factory.CreateFittedVerticalCoordinateSystem(L"Other", base, 0, 0, 0, 0, 0), plain);

    const CS_FittedCoordinateSystem* grid = factory.CreateFittedHorizontalCoordinateSystem(
        L"Site grid", base, 1000, 2000, 1, 0, 0, 3.141592653589793 / 2);
    EXPECT_EQ(grid->GetObjectType(), 1);
    EXPECT_EQ(grid->GetAzimuth(), 3.141592653589793 / 2);
    EXPECT_EQ(factory.CreateFittedHorizontalCoordinateSystem(L"x", base, 1000 + 5e-13, 2000, 1, 0,
                                                             0, 3.141592653589793 / 2),
              grid);
    EXPECT_NE(factory.CreateFittedHorizontalCoordinateSystem(L"x", base, 1000 + 2e-12, 2000, 1, 0,
                                                             0, 3.141592653589793 / 2),
              grid);
}

namespace {

// A factory that keeps its own list of every registration and names nothing.
class KeepingFactory : public CQuarnCoordinateSystemFactory {
public:
    int AddItem(long type, CS_Info* item) override {
        ++registrations[type];
        return CQuarnCoordinateSystemFactory::AddItem(type, item);
    }
    const wchar_t* GetUniqueName(long, const wchar_t* name) const override { return name; }
    int registrations[16] = {};
};

// A factory that refuses geographic systems.
class RefusingFactory : public CQuarnCoordinateSystemFactory {
public:
    int AddItem(long type, CS_Info* item) override {
        if (type == 4) return -1;
        return CQuarnCoordinateSystemFactory::AddItem(type, item);
    }
};

} // namespace

TEST(CreateSystemsDerived, CreateOperationsGoThroughTheOverrides) {
    KeepingFactory factory;
    const CS_CoordinateSystem* cs = factory.CreateFromWKT(
        L"GEOGCS[\"A\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563]],PRIMEM[\"G\",0],"
        L"UNIT[\"degree\",0.0174532925199433]]");
    ASSERT_NE(cs, nullptr);
    for (long type : {4L, 8L, 9L, 11L, 15L})
        EXPECT_EQ(factory.registrations[type], 1) << type;
    // Without unique names a second geographic system named A stays A.
    const CS_CoordinateSystem* second = factory.CreateFromWKT(
        L"GEOGCS[\"A\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563]],PRIMEM[\"G\",0],"
        L"UNIT[\"grad\",0.015707963267948967]]");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, cs);
    EXPECT_STREQ(second->GetName(), L"A");

    RefusingFactory refusing;
    EXPECT_EQ(refusing.CreateFromWKT(
                  L"GEOGCS[\"A\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563]],PRIMEM[\"G\","
                  L"0],UNIT[\"degree\",0.0174532925199433]]"),
              nullptr);
    EXPECT_EQ(refusing.GetProductLine(4).GetSize(), 0);
    EXPECT_EQ(refusing.GetProductLine(11).GetSize(), 1);
}
