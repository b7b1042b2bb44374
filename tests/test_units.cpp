// Linear and angular units: equality by factor, the UNIT element and the length rule.
#include "quarn.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Units, EqualityIsTheFactorAloneWithinTolerance) {
    CQuarnLinearUnit a, b;
    a.SetName(L"metre");
    a.SetMetersPerUnit(1.0);
    b.SetName(L"Meter");
    b.SetMetersPerUnit(1.0 + 1e-13);
    EXPECT_TRUE(a == b);
    CQuarnAngularUnit zero, tiny, small, nan;
    tiny.SetRadiansPerUnit(1e-12);
    small.SetRadiansPerUnit(2e-12);
    nan.SetRadiansPerUnit(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(zero == tiny);
    EXPECT_TRUE(zero != small);
    EXPECT_TRUE(nan == small); // the difference is not greater than 1e-12
    EXPECT_EQ(a.GetObjectType() * 100 + zero.GetObjectType(), 1415);
}

TEST(Units, UnitElement) {
    EXPECT_STREQ(CQuarnLinearUnit().GetWKT(nullptr), L"UNIT[\"\",0]");
    CQuarnAngularUnit degree;
    degree.SetName(L"degree");
    degree.SetRadiansPerUnit(0.017453292519943295);
    EXPECT_STREQ(degree.GetWKT(nullptr), L"UNIT[\"degree\",0.0174532925199433]");
    CQuarnLinearUnit foot;
    foot.SetName(L"US survey foot");
    foot.SetMetersPerUnit(1200.0 / 3937.0);
    foot.SetAuthority(L"EPSG"); // authorities are not written
    EXPECT_STREQ(foot.GetWKT(&degree), L"UNIT[\"US survey foot\",0.304800609601219]");
}
