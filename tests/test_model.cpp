// The reference-counted root and the user-message report.
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
