// Linear and angular units: equality by factor, the UNIT element and the length rule.
#include "quarn.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <limits>
#include <string>

TEST(Units, DefaultUnitWritesAnEmptyNameAndZero) {
    CQuarnLinearUnit unit;
    EXPECT_EQ(unit.GetMetersPerUnit(), 0.0);
    EXPECT_STREQ(unit.GetWKT(nullptr), L"UNIT[\"\",0]");
}

TEST(Units, EqualityIsTheFactorAlone) {
    CQuarnLinearUnit a, b;
    a.SetName(L"metre");
    a.SetAuthority(L"EPSG");
    a.SetMetersPerUnit(1.0);
    b.SetName(L"Meter");
    b.SetAuthority(L"ESRI");
    b.SetMetersPerUnit(1.0);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);

    CQuarnAngularUnit zero, tiny, small;
    tiny.SetRadiansPerUnit(1e-12);
    small.SetRadiansPerUnit(2e-12);
    EXPECT_TRUE(zero == tiny);
    EXPECT_FALSE(zero == small);

    CQuarnAngularUnit nan;
    nan.SetRadiansPerUnit(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(nan == small); // the difference is not greater than 1e-12
    EXPECT_TRUE(small == nan);
}

TEST(Units, UnitElementUsesTheNumberFormat) {
    CQuarnAngularUnit degree;
    degree.SetName(L"degree");
    degree.SetRadiansPerUnit(0.017453292519943295);
    EXPECT_STREQ(degree.GetWKT(nullptr), L"UNIT[\"degree\",0.0174532925199433]");
    CQuarnLinearUnit foot;
    foot.SetName(L"US survey foot");
    foot.SetMetersPerUnit(1200.0 / 3937.0);
    EXPECT_STREQ(foot.GetWKT(&degree), L"UNIT[\"US survey foot\",0.304800609601219]");
    foot.SetAuthority(L"EPSG");
    foot.SetAuthorityCode(L"9003");
    EXPECT_STREQ(foot.GetWKT(nullptr), L"UNIT[\"US survey foot\",0.304800609601219]");
}

TEST(Units, LongNamesAreCut) {
    std::wstring name(300, L'x');
    CQuarnLinearUnit unit;
    unit.SetName(name.c_str());
    EXPECT_EQ(std::wstring(unit.GetName()), name.substr(0, 255));
}

TEST(Units, LengthRuleAtTheLimit) {
    CQuarnLinearUnit unit;
    unit.SetName(L"metre");
    unit.SetMetersPerUnit(1.0);
    const std::wstring text = L"UNIT[\"metre\",1]";
    wchar_t buffer[64];
    EXPECT_STREQ(unit.FormatWKT(buffer, static_cast<long>(text.size())), L"");
    EXPECT_EQ(unit.FormatWKT(buffer, static_cast<long>(text.size()) + 1), buffer);
    EXPECT_EQ(std::wstring(buffer), text);
}

TEST(Units, WholeTextOf2047FitsAnd2048DoesNot) {
    // UNIT["",1] is 10 characters; the name fills the rest. Names are cut at 255, so the
    // boundary is reached through a caller's own limit here and through composition in the
    // composer's tests.
    CQuarnLinearUnit unit;
    unit.SetMetersPerUnit(1.0);
    std::wstring name(255, L'n');
    unit.SetName(name.c_str());
    const long length = 10 + 255;
    std::wstring buffer(length + 1, L'?');
    EXPECT_STREQ(unit.FormatWKT(&buffer[0], length), L"");
    EXPECT_EQ(std::wcslen(unit.FormatWKT(&buffer[0], length + 1)), static_cast<size_t>(length));
}

TEST(Units, AssignmentKeepsTheCountCopyTakesIt) {
    CQuarnLinearUnit source;
    source.SetName(L"foot");
    source.SetAuthority(L"EPSG");
    source.SetAuthorityCode(L"9002");
    source.SetMetersPerUnit(0.3048);
    source.AddRef();
    source.AddRef();

    CQuarnLinearUnit copy(source);
    EXPECT_EQ(copy.GetRefCount(), 2);
    EXPECT_STREQ(copy.GetAuthorityCode(), L"9002");

    CQuarnLinearUnit target;
    target.AddRef();
    target = source;
    EXPECT_EQ(target.GetRefCount(), 1);
    EXPECT_STREQ(target.GetName(), L"foot");
    EXPECT_STREQ(target.GetAuthority(), L"EPSG");
    EXPECT_STREQ(target.GetAuthorityCode(), L"9002");
    EXPECT_EQ(target.GetMetersPerUnit(), 0.3048);
}
