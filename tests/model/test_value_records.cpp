// Value records and their wrappers.
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

TEST(Records, EqualityRulesOfEachRecord) {
    // Axes: orientation only.
    CQuarnAxisInfo lat(L"Lat", CS_AO_North);
    EXPECT_TRUE(lat == CQuarnAxisInfo(L"Northing", CS_AO_North));
    EXPECT_TRUE(lat != CQuarnAxisInfo(L"Lat", CS_AO_South));

    // Parameters: whole name ignoring case of letters, value within 1e-12; NaN counts equal
    // because its difference is not greater than 1e-12.
    const CS_ProjectionParameter a{L"false_easting", 1.0};
    const CS_ProjectionParameter others[] = {
        {L"FALSE_EASTING", 1.0000000000005},
        {L"false_easting", 1.000000000002},
        {L"false_eastinG ", 1.0},
        {L"false_easting", std::numeric_limits<double>::quiet_NaN()}};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(EqualProjectionParameter(&a, &others[i]), i == 0 || i == 3) << i;

    // Shifts: the seven numbers within 1e-12, the area of use ignored.
    CQuarnWGS84ConversionInfo s1(1, 2, 3, 4, 5, 6, 7);
    CQuarnWGS84ConversionInfo s2(1, 2, 3, 4, 5, 6 + 1e-13, 7);
    s1.SetName(L"Europe");
    EXPECT_TRUE(s1 == s2);
    s2.SetPpm(7 + 2e-12);
    EXPECT_FALSE(s1 == s2);

    // Grid files: names ignoring case of letters.
    CQuarn3DIMInfo g1(L"grid.lbf", L"zone.cop");
    CQuarn3DIMInfo g2(L"GRID.LBF", L"ZONE.Cop");
    EXPECT_TRUE(Equal3DIMInfo(&g1, &g2));
    EXPECT_TRUE(g1 != CQuarn3DIMInfo(L"grid.lbf", L"zone2.cop"));
}

TEST(Records, NullPointersAreRefusedAndIgnored) {
    CS_AxisInfo axis{};
    CS_ProjectionParameter parameter{};
    CS_WGS84ConversionInfo shift{};
    CS_3DIMInfo files{};
    EXPECT_FALSE(CopyAxisInfo(nullptr, &axis) || CopyAxisInfo(&axis, nullptr) ||
                 CopyProjectionParameter(nullptr, &parameter) ||
                 CopyWGS84ConversionInfo(&shift, nullptr) || Copy3DIMInfo(nullptr, &files) ||
                 EqualAxisInfo(&axis, nullptr) || EqualWGS84ConversionInfo(nullptr, &shift) ||
                 Equal3DIMInfo(&files, nullptr));

    CQuarnAxisInfo east(L"E", CS_AO_East);
    east = static_cast<const CS_AxisInfo*>(nullptr); // ignored
    EXPECT_STREQ(east.GetWKT(), L"AXIS[\"E\",East]");
}

TEST(Records, TextsAreCutAt255Characters) {
    std::wstring longName(300, L'n');
    longName[254] = L'a';
    longName[255] = L'b';
    EXPECT_EQ(std::wstring(CQuarnAxisInfo(longName.c_str(), 1).GetName()), longName.substr(0, 255));
    CQuarn3DIMInfo files(longName.c_str(), L"x");
    EXPECT_EQ(std::wcslen(files.GetLBFFileName()), 255u);
}

TEST(Records, AxisAndParameterElements) {
    // A code that names no direction (7, -1) is written like "other".
    std::wstring axes;
    for (long code = -1; code <= 7; ++code)
        axes += CQuarnAxisInfo(L"A", code).GetWKT();
    EXPECT_EQ(axes,
              L"AXIS[\"A\",NULL]AXIS[\"A\",NULL]AXIS[\"A\",North]AXIS[\"A\",South]AXIS[\"A\",East]"
              L"AXIS[\"A\",West]AXIS[\"A\",Up]AXIS[\"A\",Down]AXIS[\"A\",NULL]");

    CQuarnProjectionParameter parameter;
    parameter.SetName(L"scale_factor");
    parameter.SetValue(1e-5);
    EXPECT_STREQ(parameter.GetWKT(), L"PARAMETER[\"scale_factor\",1E-05]");
}
