// What the reader records about the last text it read (where and why it stopped), and what
// the bare words INTEGER and REAL read as.
#include "quarn.h"

#include <gtest/gtest.h>

#include <memory>
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
        const QuarnParseDiagnostic& diagnostic = factory.GetLastDiagnostic();
        EXPECT_TRUE(diagnostic.syntaxError);
        EXPECT_EQ(diagnostic.stray, c.stray);
        std::size_t at = c.token.empty() ? c.after : c.text.find(c.token, c.after);
        EXPECT_EQ(diagnostic.offset, at);
        EXPECT_EQ(diagnostic.length, c.token.size());
        EXPECT_EQ(diagnostic.token, c.token);
        EXPECT_EQ(diagnostic.expected, c.expected);
    }
}

TEST(ReadDiagnostic, ACleanReadRecordsNothing) {
    CQuarnCoordinateSystemFactory factory;
    ASSERT_EQ(factory.CreateFromWKT(L"GEOGCS(\"g\""), nullptr);
    ASSERT_NE(factory.CreateFromWKT(kProjected.c_str()), nullptr);
    const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
    EXPECT_TRUE(!d.syntaxError && !d.stray && d.offset == 0 && d.token.empty() &&
                d.expected.empty());
}

// Every position that takes a number, given each bare number word, reads the same in two
// runs with different heaps: the words carry the number 0.
TEST(ReadNumberWords, CountAsZeroEverywhere) {
    const std::wstring templates[] = {
        L"PROJCS[\"p\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",#,#],TOWGS84[#,#,#,#,#,#,#]],"
        L"PRIMEM[\"G\",#],UNIT[\"degree\",#]],PROJECTION[\"Transverse_Mercator\"],"
        L"PARAMETER[\"scale_factor\",#],UNIT[\"metre\",#]]",
        L"COMPD_CS[\"c\",LOCAL_CS[\"l\",LOCAL_DATUM[\"ld\",#],UNIT[\"m\",#],AXIS[\"x\",East]],"
        L"VERT_CS[\"v\",VERT_DATUM[\"vd\",#],UNIT[\"m\",#]]]",
        L"FITTED_CS[\"f\",PARAM_MT[\"Local_Grid\",PARAMETER[\"E0\",#]],VERT_CS[\"v\","
        L"VERT_DATUM[\"vd\",7],UNIT[\"m\",#]]]",
    };
    std::vector<std::wstring> texts;
    for (const std::wstring& pattern : templates) {
        for (std::size_t at = pattern.find(L'#'); at != std::wstring::npos;
             at = pattern.find(L'#', at + 1)) {
            for (const wchar_t* word : {L"INTEGER", L"REAL", L"integer", L"Real"}) {
                std::wstring text = pattern;
                text.replace(at, 1, word);
                for (std::size_t other = text.find(L'#'); other != std::wstring::npos;
                     other = text.find(L'#'))
                    text.replace(other, 1, L"3");
                texts.push_back(text);
            }
        }
    }
    auto readAll = [&texts] {
        std::vector<std::wstring> written;
        for (const std::wstring& text : texts) {
            CQuarnCoordinateSystemFactory factory;
            written.push_back(Written(factory.CreateFromWKT(text.c_str())));
        }
        return written;
    };
    std::vector<std::wstring> first = readAll();
    // Other blocks on the heap, so that stale slot contents would differ.
    std::vector<std::unique_ptr<char[]>> ballast;
    for (int i = 1; i < 200; ++i)
        ballast.emplace_back(new char[static_cast<std::size_t>(i) * 37]());
    EXPECT_EQ(readAll(), first);

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
