// The reference-counted root, the type codes of the unit classes and the user-message
// report.
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReferenceCount, ReturnsThePreviousCountAndMayGoBelowZero) {
    CQuarnLinearUnit unit;
    const CS_Info& info = unit; // the constant forms change the same count
    EXPECT_EQ(info.AddRef(), 0);
    EXPECT_EQ(unit.AddRef(), 1);
    EXPECT_EQ(info.Release(), 2);
    EXPECT_EQ(unit.Release(), 1);
    EXPECT_EQ(unit.Release(), 0); // below zero the object is kept, not destroyed
    EXPECT_EQ(unit.GetRefCount(), -1);
}

TEST(Interfaces, UnitCodesFactorsAndUnkeptTexts) {
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
    // Texts the objects do not keep are null, not empty.
    EXPECT_TRUE(!foot.GetAlias() && !foot.GetAbbreviation() && !foot.GetRemarks() &&
                !foot.GetXML());
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
