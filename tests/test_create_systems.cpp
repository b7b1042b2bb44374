// The factory's create operations for coordinate systems: canonical results across types,
// the projected system's renaming and projection substitution, the local dimension cap,
// the fitted systems, and a derived factory's own registration and naming.
#include "support/Parameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

namespace {

const std::wstring kGeographicWkt =
    L"GEOGCS[\"A\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563]],PRIMEM[\"G\",0],"
    L"UNIT[\"degree\",0.0174532925199433]]";

// A factory that counts every registration, names nothing and may refuse one type.
class HouseFactory : public CQuarnCoordinateSystemFactory {
public:
    int AddItem(long type, CS_Info* item) override {
        ++registrations[type];
        return type == refused ? -1 : CQuarnCoordinateSystemFactory::AddItem(type, item);
    }
    const wchar_t* GetUniqueName(long, const wchar_t* name) const override { return name; }
    int registrations[16] = {};
    long refused = -1;
};

} // namespace

TEST(CreateSystemsDerived, CreateOperationsGoThroughTheOverrides) {
    HouseFactory factory;
    const CS_CoordinateSystem* cs = factory.CreateFromWKT(kGeographicWkt.c_str());
    ASSERT_NE(cs, nullptr);
    EXPECT_EQ(std::vector<int>(factory.registrations, factory.registrations + 16),
              (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1}));
    // Without unique names a second, different geographic system named A stays A.
    std::wstring grad = kGeographicWkt;
    grad.replace(grad.find(L"degree"), std::wstring::npos, L"grad\",0.015707963267948967]]");
    const CS_CoordinateSystem* second = factory.CreateFromWKT(grad.c_str());
    ASSERT_TRUE(second != nullptr && second != cs);
    EXPECT_STREQ(second->GetName(), L"A");

    // A refused registration gives no object; the children stay registered.
    HouseFactory refusing;
    refusing.refused = 4;
    EXPECT_EQ(refusing.CreateFromWKT(kGeographicWkt.c_str()), nullptr);
    EXPECT_EQ(refusing.GetProductLine(4).GetSize() * 10 + refusing.GetProductLine(11).GetSize(), 1);
}
