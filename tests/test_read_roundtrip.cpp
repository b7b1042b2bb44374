// Written text read back: every kind of coordinate system writes a text that reads back to
// the same object and writes the same text again, except where writing loses something (a
// prime meridian under a unit other than the degree, digits beyond the fifteenth; the default
// zero rotations and axes of orientation OTHER are counted over the corpus).
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

// Where writing loses something, the text read back into the same factory is another
// system under a unique name: a semi-major axis with digits beyond the fifteenth is another
// ellipsoid, hence another datum and system (a prime meridian under the grad, which moves
// too, is counted over the corpus).
TEST(ReadBack, WhatWritingLosesReadsBackAsAnotherSystem) {
    const std::wstring tail = L",TOWGS84[1, 2, 3, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],"
                              L"UNIT[\"degree\",0.0174532925199433],AXIS[\"X\",East],"
                              L"AXIS[\"Y\",North]]";
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        (L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001234,298.257223563]" + tail)
            .c_str());
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetWKT(nullptr),
              L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001,298.257223563] " + tail);
    EXPECT_STREQ(ReadNew(factory, system)->GetName(), L"G~1");
}
