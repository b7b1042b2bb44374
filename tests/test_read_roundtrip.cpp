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

// Reads `input`, expects it to write `written`, and expects that text to read back into the
// same factory as the very same object and into a new factory as the same text.
void ExpectFixedPoint(const std::wstring& input, const std::wstring& written) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(input.c_str());
    ASSERT_NE(system, nullptr) << input;
    const std::wstring first = system->GetWKT(nullptr);
    EXPECT_EQ(first, written);
    EXPECT_EQ(factory.CreateFromWKT(first.c_str()), system);
    EXPECT_EQ(Rewrite(first), first);
}

// Pieces of the texts: a datum with a full shift, so that nothing of it is lost in writing.
const std::wstring kDhdnIn =
    L"GEOGCS[\"DHDN\",DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel 1841\","
    L"6377397.155,299.1528128],TOWGS84[598.1,73.7,418.2,0.202,0.045,-2.455,6.7]],"
    L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Lat\",North],"
    L"AXIS[\"Lon\",East]]";
const std::wstring kDhdnOut =
    L"GEOGCS[\"DHDN\",DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel 1841\","
    L"6377397.155,299.1528128] ,TOWGS84[598.1, 73.7, 418.2, 0.202, 0.045, -2.455, 6.7]],"
    L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Lat\",North],"
    L"AXIS[\"Lon\",East]]";
const std::wstring kZone3Tail =
    L"PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
    L"PARAMETER[\"central_meridian\",9],PARAMETER[\"scale_factor\",1],"
    L"PARAMETER[\"false_easting\",3500000],PARAMETER[\"false_northing\",0],"
    L"UNIT[\"metre\",1],AXIS[\"X\",North],AXIS[\"Y\",East]]";
const std::wstring kZone3In = L"PROJCS[\"DHDN / zone 3\"," + kDhdnIn + L"," + kZone3Tail;
const std::wstring kZone3Out = L"PROJCS[\"DHDN / zone 3\"," + kDhdnOut + L"," + kZone3Tail;
const std::wstring kHeightIn = L"VERT_CS[\"DHHN92 height\",VERT_DATUM[\"DHHN92\",2005],"
                               L"UNIT[\"metre\",1],AXIS[\"H\",Up]]";
const std::wstring kHeightOut = kHeightIn;

} // namespace

TEST(ReadBack, EveryKindOfSystemReachesAFixedPoint) {
    ExpectFixedPoint(kDhdnIn, kDhdnOut);
    ExpectFixedPoint(kZone3In, kZone3Out);
    ExpectFixedPoint(kHeightIn, kHeightOut);
    ExpectFixedPoint(
        L"GEOCCS[\"DHDN geocentric\",DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel "
        L"1841\",6377397.155,299.1528128],TOWGS84[598.1,73.7,418.2,0.202,0.045,-2.455,6.7]],"
        L"PRIMEM[\"Greenwich\",0],UNIT[\"metre\",1],AXIS[\"X\",East],AXIS[\"Y\",North],"
        L"AXIS[\"Z\",Up]]",
        L"GEOCCS[\"DHDN geocentric\",DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel "
        L"1841\",6377397.155,299.1528128] ,TOWGS84[598.1, 73.7, 418.2, 0.202, 0.045, -2.455, "
        L"6.7]],PRIMEM[\"Greenwich\",0],UNIT[\"metre\",1],AXIS[\"X\",East],AXIS[\"Y\",North],"
        L"AXIS[\"Z\",Up]]");
    ExpectFixedPoint(L"COMPD_CS[\"DHDN / zone 3 + DHHN92\"," + kZone3In + L"," + kHeightIn + L"]",
                     L"COMPD_CS[\"DHDN / zone 3 + DHHN92\"," + kZone3Out + L"," + kHeightOut +
                         L"]");
    ExpectFixedPoint(L"LOCAL_CS[\"Site\",LOCAL_DATUM[\"Site datum\",10000],UNIT[\"foot\",0.3048],"
                     L"AXIS[\"Easting\",East],AXIS[\"Northing\",North],AXIS[\"Depth\",Down]]",
                     L"LOCAL_CS[\"Site\",LOCAL_DATUM[\"Site datum\",10000],UNIT[\"foot\",0.3048],"
                     L"AXIS[\"Easting\",East],AXIS[\"Northing\",North],AXIS[\"Depth\",Down]]");
    ExpectFixedPoint(
        L"FITTED_CS[\"Site grid\",PARAM_MT[\"Local_Grid\",PARAMETER[\"E0\",1000],"
        L"PARAMETER[\"N0\",2000],PARAMETER[\"K\",1.0001],PARAMETER[\"DE\",5],"
        L"PARAMETER[\"DN\",-5],PARAMETER[\"Beta\",1.5]]," +
            kZone3In + L"]",
        L"FITTED_CS[\"Site grid\",PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",1000],"
        L"\t\t\t\tPARAMETER[\"N0\",2000],\t\t\t\tPARAMETER[\"K\",1.0001],\t\t\t\t"
        L"PARAMETER[\"DE\",5],\t\t\t\tPARAMETER[\"DN\",-5],\t\t\t\tPARAMETER[\"Beta\",1.5]]," +
            kZone3Out + L"]");
    ExpectFixedPoint(
        L"FITTED_CS[\"Site heights\",PARAM_MT[\"Linear_Correction\",PARAMETER[\"dH\",0.25],"
        L"PARAMETER[\"Gl\",1E-05],PARAMETER[\"Gg\",-2E-05],PARAMETER[\"L0\",47.5],"
        L"PARAMETER[\"G0\",8.25]]," +
            kHeightIn + L"]",
        L"FITTED_CS[\"Site heights\",PARAM_MT[\"Linear_Correction\",\t\t\t\t"
        L"PARAMETER[\"dH\",0.25],\t\t\t\tPARAMETER[\"Gl\",1E-05],\t\t\t\t"
        L"PARAMETER[\"Gg\",-2E-05],\t\t\t\tPARAMETER[\"L0\",47.5],\t\t\t\t"
        L"PARAMETER[\"G0\",8.25]]," +
            kHeightOut + L"]");
}

TEST(ReadBack, DefaultZeroRotationsSettleFromTheSecondRound) {
    const std::wstring bare =
        L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],"
        L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]";
    const std::wstring tail = L"],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],"
                              L"AXIS[\"X\",East],AXIS[\"Y\",North]]";
    const std::wstring head =
        L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563] ";

    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(bare.c_str());
    ASSERT_NE(system, nullptr);
    // The zero rotations are negated on writing, so -0; "-0" reads as the integer 0, which
    // is stored negated and writes 0.
    const std::wstring first = system->GetWKT(nullptr);
    EXPECT_EQ(first, head + L",TOWGS84[0, 0, 0, -0, -0, -0, 0]" + tail);
    const std::wstring second = Rewrite(first);
    EXPECT_EQ(second, head + L",TOWGS84[0, 0, 0, 0, 0, 0, 0]" + tail);
    EXPECT_EQ(Rewrite(second), second);
    // Zero and negative zero are within tolerance: the same factory gives the same object.
    EXPECT_EQ(factory.CreateFromWKT(first.c_str()), system);
    EXPECT_EQ(factory.CreateFromWKT(second.c_str()), system);
}

TEST(ReadBack, AnAxisOfOrientationOtherDoesNotReadBack) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        L"GEOCCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563],"
        L"TOWGS84[1,2,3,0,0,0,0]],PRIMEM[\"Greenwich\",0],UNIT[\"metre\",1],"
        L"AXIS[\"Geocentric X\",OTHER],AXIS[\"Geocentric Y\",Other],AXIS[\"Geocentric Z\",North]]");
    ASSERT_NE(system, nullptr);
    const std::wstring written = system->GetWKT(nullptr);
    EXPECT_EQ(written, L"GEOCCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137,298.257223563] "
                       L",TOWGS84[1, 2, 3, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],"
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
    const std::wstring unit = L",UNIT[\"grad\",0.0157079632679489]]";
    CQuarnCoordinateSystemFactory factory;
    const auto* system = dynamic_cast<const CS_GeographicCoordinateSystem*>(
        factory.CreateFromWKT((head + L"PRIMEM[\"Paris\",2.7]" + unit).c_str()));
    ASSERT_NE(system, nullptr);
    const std::wstring first = system->GetWKT(nullptr);
    // The unit's factor is pi/200 to 15 digits only, hence the last digit.
    EXPECT_NE(first.find(L"PRIMEM[\"Paris\",3.00000000000001]"), std::wstring::npos) << first;

    // Read back into the same factory: a new meridian of 3 degrees, so a new system.
    const auto* again =
        dynamic_cast<const CS_GeographicCoordinateSystem*>(factory.CreateFromWKT(first.c_str()));
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, system);
    EXPECT_STREQ(again->GetName(), L"NTF (Paris)~1");
    EXPECT_NEAR(again->GetPrimeMeridian()->GetLongitude(), 3 * kPi / 180, 1e-15);

    // In new factories the text never settles.
    const std::wstring second = Rewrite(first);
    // 3 degrees in grad, give or take the last digit.
    EXPECT_NE(second.find(L"PRIMEM[\"Paris\",3.3333333333333"), std::wstring::npos) << second;
    EXPECT_NE(second, first);
    EXPECT_NE(Rewrite(second), second);

    // Under the degree itself the text settles at once.
    const std::wstring degrees =
        head + L"PRIMEM[\"Paris\",2.33722917],UNIT[\"degree\",0.0174532925199433]]";
    const std::wstring written = Rewrite(degrees);
    EXPECT_NE(written.find(L"PRIMEM[\"Paris\",2.33722917]"), std::wstring::npos) << written;
    EXPECT_EQ(Rewrite(written), written);
}

TEST(ReadBack, DigitsBeyondTheFifteenthAreLost) {
    const std::wstring tail = L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]";
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        (L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001234,298.257223563],"
         L"TOWGS84[1,2,3,0,0,0,0]]," +
         tail)
            .c_str());
    ASSERT_NE(system, nullptr);
    const std::wstring first = system->GetWKT(nullptr);
    EXPECT_EQ(first, L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001,298.257223563] "
                     L",TOWGS84[1, 2, 3, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],"
                     L"UNIT[\"degree\",0.0174532925199433],AXIS[\"X\",East],AXIS[\"Y\",North]]");

    // The moved semi-major axis is another ellipsoid, hence another datum and system, each
    // under a unique name.
    const auto* again =
        dynamic_cast<const CS_GeographicCoordinateSystem*>(factory.CreateFromWKT(first.c_str()));
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, system);
    EXPECT_STREQ(again->GetName(), L"G~1");
    EXPECT_STREQ(again->GetHorizontalDatum()->GetName(), L"D~1");
    EXPECT_STREQ(again->GetHorizontalDatum()->GetEllipsoid()->GetName(), L"S~1");
    // From there on the text is stable.
    EXPECT_EQ(factory.CreateFromWKT(again->GetWKT(nullptr)), again);
    EXPECT_EQ(Rewrite(first), first);
}
