// Value records, their wrappers and the point and envelope records.
#include "quarn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

TEST(Records, AxisEqualityLooksAtOrientationOnly) {
    CQuarnAxisInfo lat(L"Lat", CS_AO_North);
    CQuarnAxisInfo northing(L"Northing", CS_AO_North);
    CQuarnAxisInfo south(L"Lat", CS_AO_South);
    EXPECT_TRUE(EqualAxisInfo(&lat, &northing));
    EXPECT_FALSE(EqualAxisInfo(&lat, &south));
    EXPECT_TRUE(lat == northing);
    EXPECT_TRUE(lat != south);
    EXPECT_FALSE(lat == static_cast<const CS_AxisInfo*>(nullptr));
    EXPECT_TRUE(lat != static_cast<const CS_AxisInfo*>(nullptr));
}

TEST(Records, ParameterEqualityIgnoresCaseAndTolerates1e12) {
    CS_ProjectionParameter a{L"false_easting", 1.0};
    CS_ProjectionParameter b{L"FALSE_EASTING", 1.0000000000005};
    CS_ProjectionParameter c{L"false_easting", 1.000000000002};
    CS_ProjectionParameter d{L"false_eastinG ", 1.0};
    EXPECT_TRUE(EqualProjectionParameter(&a, &b));
    EXPECT_FALSE(EqualProjectionParameter(&a, &c));
    EXPECT_FALSE(EqualProjectionParameter(&a, &d));
    CS_ProjectionParameter nan{L"false_easting", std::numeric_limits<double>::quiet_NaN()};
    EXPECT_TRUE(EqualProjectionParameter(&a, &nan)); // a NaN difference is not > 1e-12
}

TEST(Records, ShiftEqualityIgnoresTheAreaOfUse) {
    CQuarnWGS84ConversionInfo a(1, 2, 3, 4, 5, 6, 7);
    CQuarnWGS84ConversionInfo b(1, 2, 3, 4, 5, 6, 7);
    a.SetName(L"Europe");
    b.SetName(L"Africa");
    EXPECT_TRUE(EqualWGS84ConversionInfo(&a, &b));
    EXPECT_TRUE(a == b);
    b.SetPpm(7 + 2e-12);
    EXPECT_FALSE(a == b);
    b.SetPpm(7);
    b.SetEz(6 + 1e-13);
    EXPECT_TRUE(a == b);
}

TEST(Records, GridFileEqualityIgnoresCaseOfLetters) {
    CQuarn3DIMInfo a(L"grid.lbf", L"grid.cop");
    CQuarn3DIMInfo b(L"GRID.LBF", L"Grid.Cop");
    CQuarn3DIMInfo c(L"grid.lbf", L"grid2.cop");
    EXPECT_TRUE(Equal3DIMInfo(&a, &b));
    EXPECT_FALSE(Equal3DIMInfo(&a, &c));
    EXPECT_TRUE(a != c);
}

TEST(Records, FreeFunctionsRefuseNullPointers) {
    CS_AxisInfo axis{};
    CS_ProjectionParameter parameter{};
    CS_WGS84ConversionInfo shift{};
    CS_3DIMInfo files{};
    EXPECT_FALSE(CopyAxisInfo(nullptr, &axis));
    EXPECT_FALSE(CopyAxisInfo(&axis, nullptr));
    EXPECT_FALSE(CopyProjectionParameter(nullptr, &parameter));
    EXPECT_FALSE(CopyProjectionParameter(&parameter, nullptr));
    EXPECT_FALSE(CopyWGS84ConversionInfo(nullptr, &shift));
    EXPECT_FALSE(CopyWGS84ConversionInfo(&shift, nullptr));
    EXPECT_FALSE(Copy3DIMInfo(nullptr, &files));
    EXPECT_FALSE(Copy3DIMInfo(&files, nullptr));
    EXPECT_FALSE(EqualAxisInfo(&axis, nullptr));
    EXPECT_FALSE(EqualProjectionParameter(nullptr, &parameter));
    EXPECT_FALSE(EqualWGS84ConversionInfo(&shift, nullptr));
    EXPECT_FALSE(Equal3DIMInfo(nullptr, &files));
}

TEST(Records, TextsAreCutAt255Characters) {
    std::wstring longName(300, L'n');
    longName[254] = L'a';
    longName[255] = L'b';
    CQuarnAxisInfo axis(longName.c_str(), 1);
    EXPECT_EQ(std::wstring(axis.GetName()), longName.substr(0, 255));
    CQuarn3DIMInfo files(longName.c_str(), L"x");
    EXPECT_EQ(std::wcslen(files.GetLBFFileName()), 255u);
    CQuarnWGS84ConversionInfo shift;
    shift.SetName(longName.c_str());
    EXPECT_EQ(std::wcslen(shift.GetAreaOfUse()), 255u);
    CQuarnProjectionParameter parameter;
    parameter.SetName(longName.c_str());
    EXPECT_EQ(std::wcslen(parameter.GetName()), 255u);
}

TEST(Records, NullPointerAssignmentLeavesTheTarget) {
    CQuarnAxisInfo axis(L"E", CS_AO_East);
    axis = static_cast<const CS_AxisInfo*>(nullptr);
    EXPECT_STREQ(axis.GetName(), L"E");
    EXPECT_EQ(axis.GetOrientation(), CS_AO_East);
    CQuarnProjectionParameter parameter;
    parameter.SetName(L"k");
    parameter = static_cast<const CS_ProjectionParameter*>(nullptr);
    EXPECT_STREQ(parameter.GetName(), L"k");
}

TEST(Records, DefaultsOfTheWrappers) {
    CQuarnAxisInfo axis;
    EXPECT_STREQ(axis.GetName(), L"");
    EXPECT_EQ(axis.GetOrientation(), 0);
    CQuarnProjectionParameter parameter;
    EXPECT_STREQ(parameter.GetName(), L"");
    EXPECT_EQ(parameter.GetValue(), 0.0);
    CQuarnWGS84ConversionInfo shift;
    EXPECT_STREQ(shift.GetAreaOfUse(), L"");
}

TEST(Records, AxisAndParameterElements) {
    CQuarnAxisInfo axis(L"Lat", CS_AO_North);
    EXPECT_STREQ(axis.GetWKT(), L"AXIS[\"Lat\",North]");
    const wchar_t* first = axis.GetWKT();
    CQuarnAxisInfo other(L"Up", CS_AO_Down);
    EXPECT_EQ(other.GetWKT(), first); // one buffer for the class
    EXPECT_STREQ(first, L"AXIS[\"Up\",Down]");

    const wchar_t* words[] = {L"NULL", L"North", L"South", L"East", L"West", L"Up", L"Down"};
    for (long code = 0; code <= 6; ++code) {
        CQuarnAxisInfo a(L"A", code);
        EXPECT_EQ(std::wstring(a.GetWKT()), std::wstring(L"AXIS[\"A\",") + words[code] + L"]");
    }
    // A code that names no direction is written like "other".
    EXPECT_STREQ(CQuarnAxisInfo(L"A", 7).GetWKT(), L"AXIS[\"A\",NULL]");
    EXPECT_STREQ(CQuarnAxisInfo(L"A", -1).GetWKT(), L"AXIS[\"A\",NULL]");

    CQuarnProjectionParameter parameter;
    parameter.SetName(L"scale_factor");
    parameter.SetValue(0.9996);
    EXPECT_STREQ(parameter.GetWKT(), L"PARAMETER[\"scale_factor\",0.9996]");
    parameter.SetValue(1e-5);
    EXPECT_STREQ(parameter.GetWKT(), L"PARAMETER[\"scale_factor\",1E-05]");
}

TEST(Sequence, ResizeUpToTheCapacity) {
    CBASESequence<CS_ProjectionParameter, 11> parameters;
    EXPECT_EQ(parameters.GetSize(), 0);
    EXPECT_TRUE(parameters.Resize(11));
    EXPECT_EQ(parameters.GetSize(), 11);
    EXPECT_FALSE(parameters.Resize(12));
    EXPECT_EQ(parameters.GetSize(), 11);
    EXPECT_FALSE(parameters.Resize(-1));
    EXPECT_TRUE(parameters.Resize(0));
    CBASESequence<CS_ProjectionParameter, 11> copy(parameters);
    EXPECT_EQ(copy.GetSize(), 0);
}

TEST(Tessel, PointsAndEnvelopes) {
    CTesselCoordinatePoint point(1.0, 2.0);
    EXPECT_EQ(point.GetSize(), 2);
    EXPECT_FALSE(point.Resize(4));
    EXPECT_EQ(point.GetSize(), 2);
    CTesselCoordinatePoint three(1.0, 2.0, 3.0);
    EXPECT_TRUE(point != three);
    EXPECT_TRUE(point.Resize(3));
    point[2] = 3.0;
    EXPECT_TRUE(point == three);

    CTesselEnvelope envelope;
    EXPECT_EQ(envelope.minCP.ord.GetSize(), 0);
    PT_Envelope box{};
    CopyCoordinatePoint(&box.minCP, &three);
    CopyCoordinatePoint(&box.maxCP, CTesselCoordinatePoint(4.0, 5.0, 6.0));
    EXPECT_FALSE(envelope == box);
    envelope = box;
    EXPECT_TRUE(envelope == box);
    CTesselEnvelope copy(envelope);
    EXPECT_TRUE(EqualEnvelope(copy, &box));
    EXPECT_FALSE(EqualEnvelope(nullptr, &box));
    EXPECT_FALSE(CopyEnvelope(nullptr, &box));

    // Ordinates compare exactly.
    CTesselCoordinatePoint nearly(1.0, 2.0 + 1e-15, 3.0);
    EXPECT_FALSE(nearly == three);
    CTesselCoordinatePoint nan(std::nan(""), 2.0, 3.0);
    EXPECT_FALSE(nan == nan);
}
