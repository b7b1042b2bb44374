// The user-message report.
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>

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
