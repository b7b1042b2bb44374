// Written text read back: every kind of coordinate system writes a text that reads back to
// the same object and writes the same text again, except in the known cases where writing
// loses something (a default zero rotation, an axis of orientation OTHER, a prime meridian
// under a unit other than the degree, digits beyond the fifteenth).
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr double kPi = 3.141592653589793;

// Reads `text` into a factory of its own and returns what the system writes, or an empty
// text when it forms no system.
std::wstring Rewrite(const std::wstring& text) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    return system != nullptr ? system->GetWKT(nullptr) : L"";
}

const CS_CoordinateSystem* ReadNew(CQuarnCoordinateSystemFactory& factory,
                                   const CS_CoordinateSystem* old) {
    const CS_CoordinateSystem* system = factory.CreateFromWKT(old->GetWKT(nullptr));
    EXPECT_NE(system, nullptr);
    EXPECT_NE(system, old);
    return system;
}

// Texts in the written form, with a datum that has a full shift so that nothing of it is
// lost in writing.
const std::wstring kDatum =
    L"DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel 1841\",6377397.155,299.1528128] "
    L",TOWGS84[598.1, 73.7, 418.2, 0.202, 0.045, -2.455, 6.7]],PRIMEM[\"Greenwich\",0],";
const std::wstring kDhdn = L"GEOGCS[\"DHDN\"," + kDatum +
                           L"UNIT[\"degree\",0.0174532925199433],AXIS[\"Lat\",North],"
                           L"AXIS[\"Lon\",East]]";
const std::wstring kZone3 =
    L"PROJCS[\"DHDN / zone 3\"," + kDhdn +
    L",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
    L"PARAMETER[\"central_meridian\",9],PARAMETER[\"scale_factor\",1],"
    L"PARAMETER[\"false_easting\",3500000],PARAMETER[\"false_northing\",0],"
    L"UNIT[\"metre\",1],AXIS[\"X\",North],AXIS[\"Y\",East]]";
const std::wstring kHeight = L"VERT_CS[\"DHHN92 height\",VERT_DATUM[\"DHHN92\",2005],"
                             L"UNIT[\"metre\",1],AXIS[\"H\",Up]]";

} // namespace

TEST(ReadBack, EveryKindOfSystemReachesAFixedPoint) {
    const std::wstring texts[] = {
        kDhdn,
        kZone3,
        kHeight,
        L"GEOCCS[\"DHDN geocentric\"," + kDatum +
            L"UNIT[\"metre\",1],AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]]",
        L"COMPD_CS[\"DHDN / zone 3 + DHHN92\"," + kZone3 + L"," + kHeight + L"]",
        L"LOCAL_CS[\"Site\",LOCAL_DATUM[\"Site datum\",10000],UNIT[\"foot\",0.3048],"
        L"AXIS[\"Easting\",East],AXIS[\"Northing\",North],AXIS[\"Depth\",Down]]",
        L"FITTED_CS[\"Site grid\",PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",1000],"
        L"\t\t\t\tPARAMETER[\"N0\",2000],\t\t\t\tPARAMETER[\"K\",1.0001],\t\t\t\t"
        L"PARAMETER[\"DE\",5],\t\t\t\tPARAMETER[\"DN\",-5],\t\t\t\tPARAMETER[\"Beta\",1.5]]," +
            kZone3 + L"]",
        L"FITTED_CS[\"Site heights\",PARAM_MT[\"Linear_Correction\",\t\t\t\t"
        L"PARAMETER[\"dH\",0.25],\t\t\t\tPARAMETER[\"Gl\",1E-05],\t\t\t\t"
        L"PARAMETER[\"Gg\",-2E-05],\t\t\t\tPARAMETER[\"L0\",47.5],\t\t\t\t"
        L"PARAMETER[\"G0\",8.25]]," +
            kHeight + L"]",
    };
    for (const std::wstring& text : texts) {
        // Written back as read, and read again into the same factory as the very same
        // object; the same text twice on one factory is the same pointer.
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
        ASSERT_NE(system, nullptr) << text;
        EXPECT_EQ(system->GetWKT(nullptr), text);
        EXPECT_EQ(factory.CreateFromWKT(system->GetWKT(nullptr)), system);
        EXPECT_EQ(factory.CreateFromWKT(text.c_str()), system);
    }
}

TEST(ReadBack, DefaultZeroRotationsSettleFromTheSecondRound) {
    const std::wstring head =
        L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]";
    const std::wstring tail = L"],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]";
    const std::wstring axes = L",AXIS[\"X\",East],AXIS[\"Y\",North]]";
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT((head + tail + L"]").c_str());
    ASSERT_NE(system, nullptr);
    // The zero rotations are negated on writing, so -0; "-0" reads as the integer 0, which
    // is stored negated and writes 0.
    const std::wstring first = system->GetWKT(nullptr);
    EXPECT_EQ(first, head + L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]" + tail + axes);
    const std::wstring second = Rewrite(first);
    EXPECT_EQ(second, head + L" ,TOWGS84[0, 0, 0, 0, 0, 0, 0]" + tail + axes);
    EXPECT_EQ(Rewrite(second), second);
    // Zero and negative zero are within tolerance: the same factory gives the same object.
    EXPECT_EQ(factory.CreateFromWKT(first.c_str()), system);
    EXPECT_EQ(factory.CreateFromWKT(second.c_str()), system);
}

TEST(ReadBack, AnAxisOfOrientationOtherDoesNotReadBack) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        (L"GEOCCS[\"G\"," + kDatum +
         L"UNIT[\"metre\",1],AXIS[\"Geocentric X\",OTHER],AXIS[\"Geocentric Y\",Other],"
         L"AXIS[\"Geocentric Z\",North]]")
            .c_str());
    ASSERT_NE(system, nullptr);
    const std::wstring written = system->GetWKT(nullptr);
    EXPECT_EQ(written, L"GEOCCS[\"G\"," + kDatum +
                           L"UNIT[\"metre\",1],AXIS[\"Geocentric X\",NULL],"
                           L"AXIS[\"Geocentric Y\",NULL],AXIS[\"Geocentric Z\",North]]");
    EXPECT_EQ(factory.CreateFromWKT(written.c_str()), nullptr);
    EXPECT_EQ(Rewrite(written), L"");
}

TEST(ReadBack, APrimeMeridianUnderAnotherUnitMovesEveryRound) {
    // 2.7 degrees is 3 grad; written in grad, the 3 is read back as degrees.
    const std::wstring head =
        L"GEOGCS[\"NTF (Paris)\",DATUM[\"NTF\",SPHEROID[\"Clarke 1880 "
        L"(IGN)\",6378249.2,293.466021293627],TOWGS84[-168,-60,320,0,0,0,0]],";
    CQuarnCoordinateSystemFactory factory;
    const auto* system = dynamic_cast<const CS_GeographicCoordinateSystem*>(factory.CreateFromWKT(
        (head + L"PRIMEM[\"Paris\",2.7],UNIT[\"grad\",0.0157079632679489]]").c_str()));
    ASSERT_NE(system, nullptr);
    EXPECT_DOUBLE_EQ(system->GetPrimeMeridian()->GetLongitude(), 2.7 * kPi / 180);
    const std::wstring first = system->GetWKT(nullptr);
    // The unit's factor is pi/200 to 15 digits only, hence the last digit.
    EXPECT_NE(first.find(L"PRIMEM[\"Paris\",3.00000000000001]"), std::wstring::npos) << first;

    // Read back into the same factory: a new meridian of 3 degrees, so a new system.
    const auto* again =
        dynamic_cast<const CS_GeographicCoordinateSystem*>(ReadNew(factory, system));
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->GetName(), L"NTF (Paris)~1");
    EXPECT_NEAR(again->GetPrimeMeridian()->GetLongitude(), 3 * kPi / 180, 1e-15);

    // In new factories the text never settles: 3 degrees in grad, give or take a digit.
    const std::wstring second = Rewrite(first);
    EXPECT_NE(second.find(L"PRIMEM[\"Paris\",3.3333333333333"), std::wstring::npos) << second;
    EXPECT_NE(Rewrite(second), second);

    // Under the degree itself the text settles at once.
    const std::wstring degrees =
        head + L"PRIMEM[\"Paris\",2.33722917],UNIT[\"degree\",0.0174532925199433]]";
    const std::wstring written = Rewrite(degrees);
    EXPECT_NE(written.find(L"PRIMEM[\"Paris\",2.33722917]"), std::wstring::npos) << written;
    EXPECT_EQ(Rewrite(written), written);
}

TEST(ReadBack, DigitsBeyondTheFifteenthAreLost) {
    const std::wstring tail = L",TOWGS84[1, 2, 3, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],"
                              L"UNIT[\"degree\",0.0174532925199433],AXIS[\"X\",East],"
                              L"AXIS[\"Y\",North]]";
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        (L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001234,298.257223563]" + tail)
            .c_str());
    ASSERT_NE(system, nullptr);
    const std::wstring first = system->GetWKT(nullptr);
    EXPECT_EQ(first,
              L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001,298.257223563] " + tail);

    // The moved semi-major axis is another ellipsoid, hence another datum and system, each
    // under a unique name.
    const auto* again =
        dynamic_cast<const CS_GeographicCoordinateSystem*>(ReadNew(factory, system));
    ASSERT_NE(again, nullptr);
    EXPECT_STREQ(again->GetName(), L"G~1");
    EXPECT_STREQ(again->GetHorizontalDatum()->GetName(), L"D~1");
    EXPECT_STREQ(again->GetHorizontalDatum()->GetEllipsoid()->GetName(), L"S~1");
    // From there on the text is stable.
    EXPECT_EQ(factory.CreateFromWKT(again->GetWKT(nullptr)), again);
    EXPECT_EQ(Rewrite(first), first);
}
