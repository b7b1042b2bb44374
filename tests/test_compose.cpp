// Composition of WKT texts in the class-wide buffers: the 2047/2048 boundary, overflow
// without writing past the buffer, and refusal of a nested composition of one class.
#include "model/WktCompose.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QuarnWktClassState g_state;

std::wstring Compose(const std::wstring& text, long limit, std::size_t* length = nullptr) {
    static wchar_t out[4096];
    QuarnWktComposer wkt(g_state);
    wkt.Text(text.c_str());
    if (length != nullptr) *length = wkt.Length();
    return wkt.Finish(out, limit);
}

} // namespace

TEST(Compose, TextOf2047CharactersFitsAnd2048DoesNot) {
    const std::wstring text2047(2047, L'a'), text2048(2048, L'a');
    EXPECT_EQ(Compose(text2047, 2048), text2047);
    // A caller's larger buffer does not help: the composition buffer holds 2047 at most.
    EXPECT_EQ(Compose(text2048, 2048) + Compose(text2048, 4096), L"");

    std::size_t length = 0;
    EXPECT_EQ(Compose(std::wstring(3000, L'b'), 2048, &length), L"");
    EXPECT_EQ(length, 3000u);                // the length counts what did not fit
    EXPECT_EQ(g_state.compose[2047], L'\0'); // nothing written past the buffer
}

TEST(Compose, TemplatesAreFilledInOrderAndALimitOfZeroWritesNothing) {
    wchar_t out[64] = L"P";
    QuarnWktComposer wkt(g_state);
    wkt.Format(L"[\"%s\",%.15G,%d]").Arg(L"k").Arg(0.9996).ArgInteger(-2002).Text(L"]");
    EXPECT_EQ(wkt.Length(), 19u);
    EXPECT_EQ(wkt.Finish(out, 0), out); // no room even for a terminator
    EXPECT_EQ(out[0], L'P');
}

TEST(Compose, NestedCompositionOfOneClassAndFailedElementsAreEmpty) {
    wchar_t outer[64], inner[64];
    {
        QuarnWktComposer first(g_state);
        first.Text(L"OUTER[");
        {
            QuarnWktComposer second(g_state);
            second.Text(L"INNER");
            EXPECT_TRUE(second.Failed());
            EXPECT_STREQ(second.Finish(inner, 64), L"");
        }
        first.Text(inner).Text(L"]");
        EXPECT_STREQ(first.Finish(outer, 64), L"OUTER[]");
    }
    // Once the outer composition ends the class composes again.
    EXPECT_EQ(Compose(L"again", 64), L"again");

    QuarnWktComposer wkt(g_state);
    wkt.Text(L"DATUM[").Fail();
    EXPECT_STREQ(wkt.Finish(outer, 64), L"");
}
