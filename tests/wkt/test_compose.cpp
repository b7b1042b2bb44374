// Composition of WKT texts in the class-wide buffers: refusal of a nested composition of one
// class and of a failed element (the systems' tests show the 2047/2048 boundary).
#include "wkt/WktCompose.h"

#include <gtest/gtest.h>

#include <string>

using namespace quarn::detail;

namespace {

WktClassState g_state;

std::wstring Compose(const std::wstring& text, long limit) {
    static wchar_t out[4096];
    WktComposer wkt(g_state);
    return wkt.Text(text.c_str()).Finish(out, limit);
}

} // namespace

TEST(Compose, NestedCompositionOfOneClassAndFailedElementsAreEmpty) {
    wchar_t outer[64], inner[64];
    {
        WktComposer first(g_state);
        first.Text(L"OUTER[");
        {
            WktComposer second(g_state);
            second.Text(L"INNER");
            EXPECT_TRUE(second.Failed());
            EXPECT_STREQ(second.Finish(inner, 64), L"");
        }
        first.Text(inner).Text(L"]");
        EXPECT_STREQ(first.Finish(outer, 64), L"OUTER[]");
    }
    // Once the outer composition ends the class composes again.
    EXPECT_EQ(Compose(L"again", 64), L"again");

    WktComposer wkt(g_state);
    wkt.Text(L"DATUM[").Fail();
    EXPECT_STREQ(wkt.Finish(outer, 64), L"");
}
