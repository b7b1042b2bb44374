// The parse engine under the library's own rule actions: the trial parse at a projection's
// end and its replay, the direct reader against the tables, the texts the grammar rejects,
// and that a failed or interrupted parse leaves nothing behind for the next one.
#include "support/Corpus.h"
#include "wkt/WktTablesInternal.h"
#include <quarn/quarn.h>
#include <quarn/wkt/WktParser.h>

#include "wkt/WktReader.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quarn::detail;

namespace {

using Texts = std::vector<std::wstring>;

class TestParser : public CQuarnWKTCoordinateSystemParser {
public:
    TestParser() : CQuarnWKTCoordinateSystemParser(&factory) {}
    int NextToken() override {
        if (++calls == throwAt) throw std::runtime_error("interrupted");
        return CQuarnWKTCoordinateSystemParser::NextToken();
    }
    void ReportError(const wchar_t* message) override { messages.push_back(message); }

    // What the system read from `text` writes; empty when the text does not read.
    std::wstring Read(const std::wstring& text) {
        messages.clear();
        calls = 0;
        SetInput(text.c_str());
        return Parse() == 0 && GetResult() != nullptr ? GetResult()->GetWKT(nullptr) : L"";
    }

    CQuarnCoordinateSystemFactory factory;
    int calls = 0;
    int throwAt = 0; // the NextToken call that throws, 0 for none
    Texts messages;
};

// ---- building blocks of texts ----
const std::wstring kAuth = L"AUTHORITY[\"EPSG\",\"1\"]";
const std::wstring kToWgs84 = L"TOWGS84[1,2,3,4.5,5,6,7]";
const std::wstring kThreeDim = L"THREEDIM[\"a.lbf\",\"b.cop\"]";
const std::wstring kPrimemDegree = L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"UNIT[\"metre\",1]";
const std::wstring kParamMt = L"PARAM_MT[\"Local_Grid\",PARAMETER[\"E0\",1],PARAMETER[\"K\",2]]";
const std::wstring kParameters = L",PARAMETER[\"a\",1],PARAMETER[\"b\",2]";
const std::wstring kLocalCs =
    L"LOCAL_CS[\"l\",LOCAL_DATUM[\"l\",0]," + kMetre + L",AXIS[\"x\",NORTH]]";

std::wstring Axes(std::initializer_list<const wchar_t*> directions) {
    std::wstring text;
    for (const wchar_t* direction : directions)
        text += L",AXIS[\"x\"," + std::wstring(direction) + L"]";
    return text;
}
std::wstring Datum(const std::wstring& tail = L"") {
    return L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]" + tail + L"]";
}
std::wstring Geogcs(const std::wstring& tail = L"", const std::wstring& datum = Datum()) {
    return L"GEOGCS[\"g\"," + datum + L"," + kPrimemDegree + tail + L"]";
}
std::wstring Projection(bool authority, const std::wstring& parameters) {
    return L"PROJECTION[\"t\"" + (authority ? L"," + kAuth : L"") + L"]" + parameters;
}
std::wstring Projcs(const std::wstring& projection = Projection(false, kParameters),
                    const std::wstring& tail = L"") {
    return L"PROJCS[\"p\"," + Geogcs() + L"," + projection + L"," + kMetre + tail + L"]";
}
std::wstring VertCs(const std::wstring& tail = L"", const wchar_t* type = L"2005") {
    return L"VERT_CS[\"v\",VERT_DATUM[\"v\"," + std::wstring(type) + L"]," + kMetre + tail + L"]";
}
std::wstring FittedCs(const std::wstring& base, const std::wstring& paramMt = kParamMt) {
    return L"FITTED_CS[\"f\"," + paramMt + L"," + base + L"]";
}
std::wstring CompdCs(const std::wstring& head, const std::wstring& tail,
                     const std::wstring& authority = L"") {
    return L"COMPD_CS[\"cc\"," + head + L"," + tail + authority + L"]";
}

// What Geogcs() and Projcs() write, with and without the projection's parameters.
const std::wstring kGeogcsWritten =
    L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563] ,TOWGS84[0, 0, 0, -0, -0, "
    L"-0, 0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"X\",East],"
    L"AXIS[\"Y\",North]]";
const std::wstring kProjcsEnd = L",UNIT[\"metre\",1],AXIS[\"X\",East],AXIS[\"Y\",North]]";
const std::wstring kProjcsBareWritten =
    L"PROJCS[\"p\"," + kGeogcsWritten + L",PROJECTION[\"t\"]" + kProjcsEnd;
const std::wstring kProjcsWritten = L"PROJCS[\"p\"," + kGeogcsWritten +
                                    L",PROJECTION[\"t\"],PARAMETER[\"a\",1],PARAMETER[\"b\",2]" +
                                    kProjcsEnd;

TEST(WktEngine, EveryProjectionEndReadsItsParametersOnce) {
    // Projection forms (authority, parameters) and PROJCS tails (axes, authority): after the
    // projection the engine tries a parameter list and replays the tokens read on trial, or
    // takes the reduction. Authorities are not written; the axes are the default ones.
    const std::wstring axes = L",AXIS[\"X\",EAST],AXIS[\"Y\",NORTH]";
    for (bool authority : {false, true}) {
        for (bool parameters : {false, true}) {
            for (const std::wstring& tail :
                 {axes, std::wstring(), axes + L"," + kAuth, L"," + kAuth}) {
                TestParser parser;
                const std::wstring text =
                    Projcs(Projection(authority, parameters ? kParameters : L""), tail);
                EXPECT_EQ(parser.Read(text), parameters ? kProjcsWritten : kProjcsBareWritten)
                    << std::string(text.begin(), text.end());
                EXPECT_TRUE(parser.messages.empty());
            }
        }
    }
}

// Everything a host sees of reading `text` into a fresh factory: the result, the diagnostic
// and every registered object with its name.
std::wstring Observed(const std::wstring& text) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
    std::wstring seen = system != nullptr ? system->GetWKT(nullptr) : L"null";
    seen += L"|" + std::to_wstring(d.syntaxError) + std::to_wstring(d.stray) + L" " +
            std::to_wstring(d.offset) + L" " + std::to_wstring(d.length) + L" " + d.token + L" " +
            d.expected + L"|";
    for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
        const CQuarnInfoArray& line = factory.GetProductLine(type);
        for (int i = 0; i < line.GetSize(); ++i)
            seen += std::to_wstring(type) + L":" + line.GetAt(i)->GetName() + L" ";
    }
    return seen;
}

// Reads `text` with the direct reader and with the tables alone; both must agree.
void ExpectBothWaysAlike(const std::wstring& text) {
    const std::wstring direct = Observed(text);
    SetWktDirectReading(false);
    const std::wstring tables = Observed(text);
    SetWktDirectReading(true);
    EXPECT_EQ(direct, tables) << std::string(text.begin(), text.end());
}

TEST(WktEngine, TheDirectReaderReadsAsTheTablesDo) {
    // Every optional part of every element the direct reader takes, and every prefix of
    // a text that has them all: the prefixes fail at each point the reader can stop.
    const std::wstring axes = Axes({L"NORTH", L"EAST"});
    const std::wstring auth = L"," + kAuth;
    const std::wstring datums[] = {Datum(), Datum(auth), Datum(L"," + kToWgs84),
                                   Datum(L"," + kToWgs84 + auth),
                                   L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.3" + auth + L"]]"};
    Texts texts{VertCs(),
                VertCs(auth),
                VertCs(Axes({L"UP"})),
                VertCs(Axes({L"DOWN"}) + auth),
                L"VERT_CS[\"v\",VERT_DATUM[\"v\",2005" + auth + L"],UNIT[\"m\",1" + auth + L"]]",
                L"GEOCCS[\"c\"," + Datum() + L",PRIMEM[\"G\",0" + auth + L"]," + kMetre +
                    Axes({L"OTHER", L"EAST", L"NORTH"}) + auth + L"]",
                L"GEOCCS[\"c\"," + Datum() + L",PRIMEM[\"G\",0]," + kMetre + auth + L"]",
                CompdCs(Projcs(), VertCs()),
                CompdCs(Geogcs(), VertCs(), auth),
                CompdCs(FittedCs(Geogcs()), VertCs()),
                kLocalCs,
                Geogcs(L"", Datum(L"," + kToWgs84 + L"," + kThreeDim))};
    for (const std::wstring& datum : datums) {
        for (const std::wstring& tail : {std::wstring(), auth, axes, axes + auth})
            texts.push_back(Geogcs(tail, datum));
    }
    for (bool authority : {false, true}) {
        for (const std::wstring& parameters : {std::wstring(), kParameters})
            for (const std::wstring& tail : {std::wstring(), auth, axes, axes + auth})
                texts.push_back(Projcs(Projection(authority, parameters), tail));
    }
    for (const std::wstring& text : texts)
        ExpectBothWaysAlike(text);
    const std::wstring rich = CompdCs(Projcs(Projection(true, kParameters), axes + auth),
                                      VertCs(Axes({L"UP"}) + auth), auth);
    for (std::size_t length = 0; length < rich.size(); ++length)
        ExpectBothWaysAlike(rich.substr(0, length));
    // A text of thousands of tokens, which the direct reader leaves to the tables part way.
    std::wstring parameters;
    for (int i = 0; i < 700; ++i)
        parameters += L",PARAMETER[\"p" + std::to_wstring(i) + L"\"," + std::to_wstring(i) + L"]";
    ExpectBothWaysAlike(Projcs(Projection(true, parameters), axes + auth));
    for (const char* file : {"epsg_wkt1_gdal_sample.jsonl", "epsg_wkt1_esri_sample.jsonl"}) {
        for (const CorpusEntry& entry : ReadCorpus(std::string(QUARN_CORPUS_DIR "/") + file))
            ExpectBothWaysAlike(entry.wkt);
    }
}

TEST(WktEngine, RejectsTextsOutsideTheGrammar) {
    const std::wstring cases[] = {
        L"", L" \t\r\n", Geogcs() + L" x", Geogcs() + L"]", Projcs() + L" GEOGCS",
        Projcs(Projection(false, L"")) + L"]", Geogcs().substr(0, Geogcs().size() - 1),
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s,6378137,298.257223563]]",
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[s,1,2]]," + kPrimemDegree + L"]",
        // CONCAT_MT is reachable from no start; INVERSE_MT and PASSTHROUGH_MT are in no rule.
        L"CONCAT_MT[" + kParamMt + L"]", FittedCs(Geogcs(), L"CONCAT_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"INVERSE_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"PASSTHROUGH_MT[0," + kParamMt + L"]"), Datum(),
        // Optional parts in other places or counts than the rules allow.
        Geogcs(L"," + kAuth + Axes({L"NORTH", L"EAST"})), VertCs(Axes({L"UP", L"UP"})),
        Geogcs(Axes({L"NULL", L"EAST"})), Geogcs(L"", Datum(L"," + kThreeDim)),
        Geogcs(L"", Datum(L"," + kAuth + L"," + kToWgs84)),
        L"PROJCS[\"p\"," + Geogcs() + L"," + Projection(false, kParameters) + L"]",
        Projcs(Projection(false, kParameters + L"," + kAuth)), Projcs(Projection(false, L",")),
        CompdCs(VertCs(), VertCs()), CompdCs(Geogcs(), Geogcs()), FittedCs(kLocalCs),
        VertCs(L"", L"2005.0")};
    for (const std::wstring& text : cases) {
        TestParser parser;
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(parser.Read(text), L"");
        EXPECT_EQ(parser.messages, Texts{L"syntax error"});
        EXPECT_EQ(CQuarnWKTCoordinateSystemParser::GetErrorCount(), 1);
    }
    // Without any input at all.
    TestParser parser;
    EXPECT_EQ(parser.Parse(), 1);
    EXPECT_EQ(parser.messages, Texts{L"syntax error"});
    EXPECT_EQ(parser.GetResult(), nullptr);
}

TEST(WktEngine, AParseAfterAFailedTrialStartsAfresh) {
    TestParser parser;
    // The first parse fails inside a trial, with tokens queued.
    EXPECT_EQ(parser.Read(Projcs(Projection(false, kParameters + L",PARAMETER[\"c\""))), L"");
    EXPECT_EQ(parser.Read(Geogcs()), kGeogcsWritten);
    EXPECT_EQ(parser.Read(Projcs() + L","), L"");
    EXPECT_EQ(parser.Read(Projcs()), kProjcsWritten);
    EXPECT_TRUE(parser.messages.empty());
    // A second parser shares the engine; destroying one frees the replay queue, which the
    // next conflict makes anew.
    EXPECT_EQ(TestParser().Read(Projcs()), kProjcsWritten);
    EXPECT_EQ(parser.Read(Projcs()), kProjcsWritten);
}

TEST(WktEngine, AParseInterruptedAnywhereLeavesNothingBehind) {
    // A host's NextToken may throw at any point, also while the engine reads back queued
    // tokens; the next parse must not see the values or tokens of the interrupted one.
    const std::wstring text = Projcs(Projection(false, L""));
    TestParser counter;
    counter.Read(text);
    for (int throwAt = 1; throwAt <= counter.calls; ++throwAt) {
        TestParser parser;
        parser.throwAt = throwAt;
        EXPECT_THROW(parser.Read(text), std::runtime_error);
        parser.throwAt = 0;
        EXPECT_EQ(parser.Read(Geogcs()), kGeogcsWritten) << throwAt;
    }
}

TEST(WktEngine, LongListsAndDeepNestingGrowTheQueueAndStacks) {
    // 300 parameters on trial and replayed: the projection keeps the first eleven; the
    // parameters and the list are value objects, released at the end of the parse.
    std::wstring parameters;
    for (int i = 0; i < 300; ++i)
        parameters += L",PARAMETER[\"p" + std::to_wstring(i) + L"\"," + std::to_wstring(i) + L"]";
    TestParser parser;
    const std::wstring written = parser.Read(Projcs(Projection(true, parameters)));
    EXPECT_NE(written.find(L"PARAMETER[\"p10\",10],UNIT"), std::wstring::npos) << written;
    EXPECT_EQ(WktParserAccess::State(parser).ValueCount(), 0);

    // Deeper than 32 entries: a compound of fitted systems on a projected system whose
    // datum has a shift and grid files and whose elements all carry authorities.
    const std::wstring datum = L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.3," + kAuth + L"]," +
                               kToWgs84 + L"," + kThreeDim + L"]";
    const std::wstring projcs = L"PROJCS[\"p\"," +
                                Geogcs(Axes({L"NORTH", L"EAST"}) + L"," + kAuth, datum) + L"," +
                                Projection(true, kParameters) + L"," + kMetre + L"," + kAuth + L"]";
    const std::wstring deep = CompdCs(FittedCs(projcs), FittedCs(VertCs()), L"," + kAuth);
    parser.SetInput(deep.c_str());
    EXPECT_EQ(parser.Parse(), 0);
    // The long list again, after a parse that gave back the records it left spare.
    EXPECT_EQ(parser.Read(Projcs(Projection(true, parameters))), written);
}

} // namespace
