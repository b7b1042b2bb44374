// The reference-counted root, the type codes of the unit classes, module set-up and the
// user-message report.
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReferenceCount, StartsAtZeroAndReturnsThePreviousCount) {
    CQuarnLinearUnit unit;
    EXPECT_EQ(unit.GetRefCount(), 0);
    EXPECT_EQ(unit.AddRef(), 0);
    EXPECT_EQ(unit.GetRefCount(), 1);
    EXPECT_EQ(unit.Release(), 1);
    EXPECT_EQ(unit.GetRefCount(), 0);
}

TEST(ReferenceCount, ReleaseBelowZeroKeepsTheObject) {
    CQuarnAngularUnit unit;
    unit.SetRadiansPerUnit(2.0);
    EXPECT_EQ(unit.Release(), 0);
    EXPECT_EQ(unit.GetRefCount(), -1);
    EXPECT_EQ(unit.GetRadiansPerUnit(), 2.0);
}

TEST(ReferenceCount, ConstantFormsChangeTheSameCount) {
    CQuarnLinearUnit unit;
    const CS_Info& info = unit;
    EXPECT_EQ(info.AddRef(), 0);
    EXPECT_EQ(info.AddRef(), 1);
    EXPECT_EQ(unit.GetRefCount(), 2);
    EXPECT_EQ(info.Release(), 2);
    EXPECT_EQ(unit.GetRefCount(), 1);
}

TEST(Interfaces, UnitFactorThroughTheUnitInterface) {
    CQuarnLinearUnit foot;
    foot.SetMetersPerUnit(0.3048);
    CQuarnAngularUnit grad;
    grad.SetRadiansPerUnit(0.015707963267948967);
    const CS_Unit& linear = foot;
    const CS_Unit& angular = grad;
    EXPECT_EQ(linear.GetIUnitsPerUnit(), 0.3048);
    EXPECT_EQ(angular.GetIUnitsPerUnit(), 0.015707963267948967);
    EXPECT_EQ(linear.GetObjectType(), 14);
    EXPECT_EQ(angular.GetObjectType(), 15);
}

TEST(Interfaces, UnkeptTextsAreNullNotEmpty) {
    CQuarnLinearUnit unit;
    EXPECT_EQ(unit.GetAlias(), nullptr);
    EXPECT_EQ(unit.GetAbbreviation(), nullptr);
    EXPECT_EQ(unit.GetRemarks(), nullptr);
    EXPECT_EQ(unit.GetXML(), nullptr);
    EXPECT_STREQ(unit.GetName(), L"");
    EXPECT_STREQ(unit.GetAuthority(), L"");
    EXPECT_STREQ(unit.GetAuthorityCode(), L"");
}

TEST(ModuleSetup, DefaultRecords) {
    const CQuarnAxisInfo* axes = QuarnDefaultAxes();
    EXPECT_STREQ(axes[0].GetName(), L"X");
    EXPECT_EQ(axes[0].GetOrientation(), 3);
    EXPECT_STREQ(axes[1].GetName(), L"Y");
    EXPECT_EQ(axes[1].GetOrientation(), 1);
    EXPECT_STREQ(axes[2].GetName(), L"Z");
    EXPECT_EQ(axes[2].GetOrientation(), 5);
    EXPECT_NE(&axes[0], &QuarnDefaultAxisX()); // the list holds copies

    EXPECT_STREQ(QuarnDefault3DIMInfo().GetLBFFileName(), L"");
    EXPECT_STREQ(QuarnDefault3DIMInfo().GetCOPFileName(), L"");
    const CQuarnWGS84ConversionInfo& shift = QuarnDefaultWGS84ConversionInfo();
    EXPECT_EQ(shift.GetDx() + shift.GetDy() + shift.GetDz() + shift.GetEx() + shift.GetEy() +
                  shift.GetEz() + shift.GetPpm(),
              0.0);
    EXPECT_STREQ(shift.GetAreaOfUse(), L"");
    EXPECT_EQ(QuarnDefaultParameters().GetSize(), 0);
}

TEST(ModuleSetup, ProjectionLoadingFlag) {
    EXPECT_FALSE(IsPrjLoading());
    SetPrjLoading(true);
    EXPECT_TRUE(IsPrjLoading());
    SetPrjLoading(false);
    EXPECT_FALSE(IsPrjLoading());
}

namespace {
std::wstring g_captured;
void Capture(const wchar_t* text) {
    g_captured = text;
}
} // namespace

TEST(MessageReport, HandlerReplacesAndRestoresTheDefault) {
    QuarnMessageHandler previous = SetQuarnMessageHandler(&Capture);
    ASSERT_NE(previous, nullptr);
    QuarnReportMessage(L"hello");
    EXPECT_EQ(g_captured, L"hello");
    EXPECT_EQ(SetQuarnMessageHandler(nullptr), &Capture);

    // The default writes the text and a newline to standard error.
    testing::internal::CaptureStderr();
    QuarnReportMessage(L"WKT length: 3000 > 2048");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "WKT length: 3000 > 2048\n");
}
