// What the reader records about the last text it read (where and why it stopped), and what
// the bare words INTEGER and REAL read as.
#include "quarn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::wstring kGeographic =
    L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],PRIMEM[\"G\",0],"
    L"UNIT[\"degree\",0.0174532925199433]]";
const std::wstring kProjected = L"PROJCS[\"p\",\n  " + kGeographic +
                                L",\n  PROJECTION[\"tm\"],\n  PARAMETER[\"a\",1],\n"
                                L"  UNIT[\"m\",1]]";

std::wstring Written(const CS_Info* object) {
    return object != nullptr ? object->GetWKT(nullptr) : L"(no object)";
}

TEST(ReadDiagnostic, WhereAndWhyATextStopped) {
    const std::wstring unclosed = kGeographic.substr(0, kGeographic.size() - 1);
    auto replace = [](const std::wstring& from, const std::wstring& to) {
        std::wstring text = kProjected;
        return text.replace(text.find(from), from.size(), to);
    };
    struct Case {
        std::wstring text;
        std::wstring token; // also where it stands: its first occurrence from `after` on
        std::size_t after;
        const wchar_t* expected;
        bool stray;
        bool result;
    };
    const Case cases[] = {
        {L"", L"", 0, L"COMPD_CS, FITTED_CS, GEOCCS, GEOGCS, LOCAL_CS, PROJCS or VERT_CS", false,
         false},
        {L"GEOGCS(\"g\"", L"(", 0, L"'['", false, false},
        {L"GEOGCS[\"g\" DATUM", L"DATUM", 0, L"','", false, false},
        {L"GEOGCS[\"g", L"\"g", 0, L"STRING", false, false},
        {L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,x", L"x", 0, L"INTEGER or REAL", false,
         false},
        // At the end of the text: offset of the end, no token.
        {unclosed, L"", unclosed.size(), L"',' or ']'", false, false},
        // Broken on a later line of a PROJCS: every alternative tried at the comma after the
        // projection fails on the same token, and both say what they wanted.
        {replace(L"PARAMETER[\"a\",1]", L"PARAMETER[\"a\",1],\n  FOO"), L"FOO", 0,
         L"PARAMETER or UNIT", false, false},
        {replace(L"UNIT[\"m\",1]]", L"UNIT[\"m\",1,\"x\"]]"), L"\"x\"", 0, L"AUTHORITY", false,
         false},
        // Stray tokens after a whole system: the system is still the result, except after a
        // PROJCS, whose trial parse takes the stray tokens in.
        {kGeographic + L"\n VERT_CS[\"v\"]", L"VERT_CS", 0, L"end-of-file", true, true},
        {kProjected + L" ]", L"]", kProjected.size(), L"end-of-file", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(factory.CreateFromWKT(c.text.c_str()) != nullptr, c.result);
        const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
        EXPECT_TRUE(d.syntaxError);
        EXPECT_EQ(d.stray, c.stray);
        const std::size_t at = c.token.empty() ? c.after : c.text.find(c.token, c.after);
        EXPECT_EQ(std::to_wstring(d.offset) + L"+" + std::to_wstring(d.length) + L" " + d.token +
                      L" (" + d.expected + L")",
                  std::to_wstring(at) + L"+" + std::to_wstring(c.token.size()) + L" " + c.token +
                      L" (" + c.expected + L")");
    }
}

TEST(ReadDiagnostic, ACleanReadRecordsNothing) {
    CQuarnCoordinateSystemFactory factory;
    ASSERT_EQ(factory.CreateFromWKT(L"GEOGCS(\"g\""), nullptr);
    ASSERT_NE(factory.CreateFromWKT(kProjected.c_str()), nullptr);
    const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
    EXPECT_TRUE(!d.syntaxError && !d.stray && !d.offset && d.token.empty() && d.expected.empty());
}

// The bare number words carry the number 0 wherever a number stands.
TEST(ReadNumberWords, CountAsZeroEverywhere) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"VERT_CS[\"v\",VERT_DATUM[\"d\",INTEGER],UNIT[\"u\",REAL]]",
         L"VERT_CS[\"v\",VERT_DATUM[\"d\",0],UNIT[\"u\",0],AXIS[\"Z\",Up]]"},
        {L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",REAL,INTEGER]],PRIMEM[\"G\",INTEGER],"
         L"UNIT[\"degree\",REAL]]",
         L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",0,0] ,TOWGS84[0, 0, 0, -0, -0, -0, 0]],"
         L"PRIMEM[\"G\",-NAN],UNIT[\"degree\",0],AXIS[\"X\",East],AXIS[\"Y\",North]]"},
    };
    for (const auto& c : cases) {
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(Written(factory.CreateFromWKT(c.first)), c.second);
    }
}

} // namespace
