// The parse engine, run with a recording RunAction in place of the library's rule actions
// (see tests/wkt.cmake): which rules are reduced, in which order, with which values, and
// which texts the grammar accepts.
#include "wkt/WktParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

// What the recording actions saw during one parse.
struct Record {
    std::vector<int> rules;
    Texts names;       // texts of `name` reductions, in order
    Texts projections; // "t:a=1;b=2;" per projection reduced
};
Record g_record;

} // namespace

// The recording rule actions. Values flow as the real actions use them: names are texts,
// numbers doubles, parameters and parameter lists value objects in the value list.
void CQuarnWKTCoordinateSystemParser::RunAction(int rule, QuarnWktValue* rhs,
                                                QuarnWktValue& result) {
    g_record.rules.push_back(rule);
    switch (rule) {
    case 84: // name : STRING
        g_record.names.push_back(rhs[0].text);
        result.text = rhs[0].text;
        break;
    case 85: // number : INTEGER
        result.real = rhs[0].integer;
        break;
    case 86: // number : REAL
    case 94: // value : number
        result.real = rhs[0].real;
        break;
    case 93: // parameter : PARAMETER '[' name ',' value ']' (whole values in these texts)
        result.value = AddValue(new std::wstring(
            rhs[2].text + (L"=" + std::to_wstring(static_cast<int>(rhs[4].real))) + L";"));
        break;
    case 95: // parameter_list : parameter
        result.value = AddValue(new Texts{*static_cast<std::wstring*>(rhs[0].value)});
        break;
    case 96: // parameter_list : parameter_list ',' parameter
        static_cast<Texts*>(rhs[0].value)->push_back(*static_cast<std::wstring*>(rhs[2].value));
        result.value = rhs[0].value;
        break;
    case 13: // projection : PROJECTION '[' name ']' ',' parameter_list
    case 15: // ... with authority: the list is $8
    {
        std::wstring text = std::wstring(rhs[2].text) + L":";
        for (const std::wstring& parameter : *static_cast<Texts*>(rhs[rule == 13 ? 5 : 7].value))
            text += parameter;
        g_record.projections.push_back(text);
        break;
    }
    case 14:
    case 16:
        g_record.projections.push_back(std::wstring(rhs[2].text) + L":");
        break;
    default:
        break;
    }
}

namespace {

class TestParser : public CQuarnWKTCoordinateSystemParser {
public:
    int Lex() override {
        ++lexCalls;
        return CQuarnWKTCoordinateSystemParser::Lex();
    }
    int NextToken() override {
        if (++nextTokenCalls == throwAt) throw std::runtime_error("interrupted");
        return CQuarnWKTCoordinateSystemParser::NextToken();
    }
    void ReportError(const wchar_t* message) override { messages.push_back(message); }

    int lexCalls = 0;
    int nextTokenCalls = 0;
    int throwAt = 0; // the NextToken call that throws, 0 for none
    Texts messages;
};

struct Outcome {
    int result;
    Record record;
    Texts messages;
    int lexCalls;
    int nextTokenCalls;
};

Outcome Parse(TestParser& parser, const std::wstring& text) {
    g_record = Record();
    parser.messages.clear();
    parser.lexCalls = parser.nextTokenCalls = 0;
    parser.SetInput(text.c_str());
    int result = parser.Parse();
    return Outcome{result, g_record, parser.messages, parser.lexCalls, parser.nextTokenCalls};
}

Outcome Parse(const std::wstring& text) {
    TestParser parser;
    return Parse(parser, text);
}

int Count(const std::vector<int>& rules, int rule) {
    return static_cast<int>(std::count(rules.begin(), rules.end(), rule));
}

// ---- building blocks of texts ----
const std::wstring kAuth = L"AUTHORITY[\"EPSG\",\"1\"]";
const std::wstring kSpheroid = L"SPHEROID[\"s\",6378137,298.257223563]";
const std::wstring kToWgs84 = L"TOWGS84[1,2,3,4.5,5,6,7]";
const std::wstring kThreeDim = L"THREEDIM[\"a.lbf\",\"b.cop\"]";
const std::wstring kPrimemDegree = L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"UNIT[\"metre\",1]";
const std::wstring kVertDatum = L"VERT_DATUM[\"v\",2005]";
const std::wstring kLocalDatum = L"LOCAL_DATUM[\"l\",0]";
const std::wstring kParamMt = L"PARAM_MT[\"Local_Grid\",PARAMETER[\"E0\",1],PARAMETER[\"K\",2]]";
const std::wstring kParameters = L",PARAMETER[\"a\",1],PARAMETER[\"b\",2]";

std::wstring Axis(const wchar_t* direction) {
    return L"AXIS[\"x\"," + std::wstring(direction) + L"]";
}
std::wstring Axes(std::initializer_list<const wchar_t*> directions) {
    std::wstring text;
    for (const wchar_t* direction : directions)
        text += L"," + Axis(direction);
    return text;
}
std::wstring Datum(const std::wstring& tail = L"") {
    return L"DATUM[\"d\"," + kSpheroid + tail + L"]";
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
std::wstring Geoccs(const std::wstring& tail = L"") {
    return L"GEOCCS[\"c\"," + Datum() + L",PRIMEM[\"Greenwich\",0]," + kMetre + tail + L"]";
}
std::wstring VertCs(const std::wstring& tail = L"", const std::wstring& datum = kVertDatum) {
    return L"VERT_CS[\"v\"," + datum + L"," + kMetre + tail + L"]";
}
std::wstring LocalCs(const std::wstring& axes = Axis(L"NORTH"), const std::wstring& tail = L"",
                     const std::wstring& datum = kLocalDatum) {
    return L"LOCAL_CS[\"l\"," + datum + L"," + kMetre + L"," + axes + tail + L"]";
}
std::wstring FittedCs(const std::wstring& base, const std::wstring& paramMt = kParamMt) {
    return L"FITTED_CS[\"f\"," + paramMt + L"," + base + L"]";
}
std::wstring CompdCs(const std::wstring& head, const std::wstring& tail,
                     const std::wstring& authority = L"") {
    return L"COMPD_CS[\"cc\"," + head + L"," + tail + authority + L"]";
}

const Texts kGeogcsNames = {L"g", L"d", L"s", L"Greenwich", L"degree"};

TEST(WktEngine, ProjectionEndsReplayTheTrialOrTakeTheReduction) {
    Outcome outcome = Parse(Projcs());
    ASSERT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.messages.empty());
    // The names in the order of the reductions; everything after the first comma after the
    // projection ran in the replay.
    EXPECT_EQ(outcome.record.names,
              (Texts{L"p", L"g", L"d", L"s", L"Greenwich", L"degree", L"t", L"a", L"b", L"metre"}));
    // The replayed values reach the actions intact.
    EXPECT_EQ(outcome.record.projections, Texts{L"t:a=1;b=2;"});
    // Each token is lexed once; the queued ones are read again.
    EXPECT_GT(outcome.nextTokenCalls, outcome.lexCalls);

    // Without parameters the shift alternative reads ',' and UNIT before it fails; the
    // reduction then reads them again from the queue.
    Outcome reduced = Parse(Projcs(Projection(false, L"")));
    ASSERT_EQ(reduced.result, 0);
    EXPECT_TRUE(reduced.messages.empty());
    EXPECT_EQ(reduced.record.rules.size(), 28u);
    EXPECT_EQ(reduced.record.projections, Texts{L"t:"});
    EXPECT_GT(reduced.nextTokenCalls, reduced.lexCalls);
}

TEST(WktEngine, EveryProjcsFormRunsEachActionOnce) {
    // Projection forms (authority, parameters) by rule, and PROJCS tails by rule with the
    // names they add.
    const std::pair<bool, int> projections[] = {{false, 13}, {false, 14}, {true, 15}, {true, 16}};
    const std::wstring axes = Axes({L"EAST", L"NORTH"});
    struct Tail {
        std::wstring text;
        int rule;
        std::size_t names;
    };
    const Tail tails[] = {
        {axes, 9, 2}, {L"", 10, 0}, {axes + L"," + kAuth, 11, 3}, {L"," + kAuth, 12, 1}};
    for (const auto& projection : projections) {
        for (const auto& tail : tails) {
            bool parameters = projection.second % 2 == 1;
            Outcome outcome = Parse(
                Projcs(Projection(projection.first, parameters ? kParameters : L""), tail.text));
            SCOPED_TRACE(projection.second * 100 + tail.rule);
            ASSERT_EQ(outcome.result, 0);
            EXPECT_EQ(Count(outcome.record.rules, projection.second), 1);
            EXPECT_EQ(Count(outcome.record.rules, tail.rule), 1);
            // Every name reduced once: 8 of the plain text, the parameters', the
            // authorities' and the axes'.
            EXPECT_EQ(outcome.record.names.size(),
                      8 + (parameters ? 2 : 0) + (projection.first ? 1 : 0) + tail.names);
            EXPECT_EQ(outcome.record.projections.size(), 1u);
        }
    }
}

TEST(WktEngine, AcceptsEveryElementForm) {
    const std::wstring two = Axes({L"NORTH", L"EAST"});
    const std::wstring three = two + Axes({L"UP"});
    const std::pair<std::wstring, std::vector<int>> cases[] = {
        {Geogcs(two), {17, 7, 1}},
        {Geogcs(two + L"," + kAuth), {19}},
        {Geogcs(L"," + kAuth), {20}},
        {Geogcs(L"", Datum(L"," + kToWgs84)), {21, 68, 69, 70, 71, 72, 73, 74, 75}},
        {Geogcs(L"", Datum(L"," + kToWgs84 + L"," + kAuth)), {23, 42, 87}},
        {Geogcs(L"", Datum(L"," + kAuth)), {24}},
        {Geogcs(L"", Datum(L"," + kToWgs84 + L"," + kThreeDim)), {25, 43, 44, 45}},
        {Geogcs(L"", L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.3," + kAuth + L"]]"), {27}},
        {L"GEOGCS[\"g\"," + Datum() + L",PRIMEM[\"p\",2.5," + kAuth + L"],UNIT[\"u\",1," + kAuth +
             L"]]",
         {31, 34}},
        {Geoccs(three), {38, 2}},
        {Geoccs(), {39}},
        {Geoccs(three + L"," + kAuth), {40}},
        {Geoccs(L"," + kAuth), {41}},
        {L"GEOCCS[\"c\"," + Datum() + L",PRIMEM[\"p\",0],UNIT[\"m\",1," + kAuth + L"]]", {36}},
        {VertCs(Axes({L"UP"})), {46, 3, 50, 52}},
        {VertCs(Axes({L"DOWN"}) + L"," + kAuth), {48, 66}},
        {VertCs(L"," + kAuth, L"VERT_DATUM[\"v\",2005," + kAuth + L"]"), {49, 51}},
        {CompdCs(Geogcs(), VertCs()), {53, 56, 58, 4, 18, 47}},
        {CompdCs(Projcs(), VertCs(), L"," + kAuth), {54, 8, 56}},
        {CompdCs(LocalCs(), FittedCs(VertCs())), {55, 59, 80, 76}},
        {CompdCs(FittedCs(Geogcs()), VertCs()), {57, 78}},
        {FittedCs(Geogcs()), {76, 77, 78, 90, 92, 5}},
        {FittedCs(VertCs(), L"PARAM_MT[\"Linear_Correction\"]"), {79, 91}},
        {LocalCs(), {80, 82, 88, 6}},
        {LocalCs(Axis(L"WEST") + Axes({L"SOUTH", L"OTHER"}), L"," + kAuth,
                 L"LOCAL_DATUM[\"l\",0," + kAuth + L"]"),
         {81, 83, 64, 62, 67}},
        // Keywords in any case; blanks, tabs and line breaks between tokens.
        {L"geogcs [ \"g\" ,\r\n datum[\"d\",spheroid[\"s\",1,2]],\tPrimem[\"p\",0],"
         L"Unit[\"u\",1.0],Axis[\"n\",north],axis[\"e\",East]] \n\t",
         {17, 61, 63}},
    };
    for (const auto& c : cases) {
        Outcome outcome = Parse(c.first);
        SCOPED_TRACE(std::string(c.first.begin(), c.first.end()));
        ASSERT_EQ(outcome.result, 0);
        EXPECT_TRUE(outcome.messages.empty());
        for (int rule : c.second)
            EXPECT_EQ(Count(outcome.record.rules, rule), 1) << rule;
    }
}

TEST(WktEngine, RejectsTextsOutsideTheGrammar) {
    // Characters 256 to 289 may not pose as the tokens whose codes they are.
    auto posing = [](const wchar_t* token, int code) {
        std::wstring text = Geogcs();
        return text.replace(text.find(token), std::wcslen(token), 1, static_cast<wchar_t>(code));
    };
    const std::wstring cases[] = {
        L"", L" \t\r\n", Geogcs() + L" x", Geogcs() + L"]", Projcs() + L" GEOGCS",
        Projcs(Projection(false, L"")) + L"]", Geogcs().substr(0, Geogcs().size() - 1),
        L"GEOGCS(\"g\"," + Datum() + L"," + kPrimemDegree + L")",
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s,6378137,298.257223563]]",
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[s,1,2]]," + kPrimemDegree + L"]",
        posing(L"DATUM", kQuarnWktDatum), posing(L"\"g\"", kQuarnWktString),
        posing(L"6378137", kQuarnWktInteger),
        // CONCAT_MT is reachable from no start; INVERSE_MT and PASSTHROUGH_MT are in no rule.
        L"CONCAT_MT[" + kParamMt + L"]", FittedCs(Geogcs(), L"CONCAT_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"INVERSE_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"PASSTHROUGH_MT[0," + kParamMt + L"]"), Datum(),
        // Optional parts in other places or counts than the rules allow.
        Geogcs(L"," + kAuth + Axes({L"NORTH", L"EAST"})), Geogcs(Axes({L"NORTH"})),
        Geoccs(Axes({L"NORTH", L"EAST"})), VertCs(Axes({L"UP", L"UP"})),
        Geogcs(Axes({L"NULL", L"EAST"})), Geogcs(L"", Datum(L"," + kThreeDim)),
        Geogcs(L"", Datum(L"," + kAuth + L"," + kToWgs84)),
        L"PROJCS[\"p\"," + Geogcs() + L"," + Projection(false, kParameters) + L"]",
        Projcs(Projection(false, kParameters + L"," + kAuth)), Projcs(Projection(false, L",")),
        CompdCs(VertCs(), VertCs()), CompdCs(Geogcs(), Geogcs()), FittedCs(LocalCs()),
        VertCs(L"", L"VERT_DATUM[\"v\",2005.0]")};
    for (const std::wstring& text : cases) {
        Outcome outcome = Parse(text);
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(outcome.messages, Texts{L"syntax error"});
        EXPECT_EQ(CQuarnWKTCoordinateSystemParser::GetErrorCount(), 1);
    }
    // Without any input at all.
    TestParser parser;
    EXPECT_EQ(parser.Parse(), 1);
    EXPECT_EQ(parser.messages, Texts{L"syntax error"});
    EXPECT_EQ(parser.GetResult(), nullptr);
}

TEST(WktEngine, TrailingTokensAfterAProjcsStopTheActionsAtTheConflict) {
    Outcome outcome = Parse(Projcs() + L" x");
    EXPECT_EQ(outcome.result, 1);
    // The actions up to the projection's name ran; the trial from the comma on failed.
    EXPECT_EQ(outcome.record.names.size(), 7u);
    EXPECT_TRUE(outcome.record.projections.empty());
    // The error lies where the furthest alternative stopped: at the trailing word.
    EXPECT_STREQ(CQuarnWKTCoordinateSystemParser::GetTokenValue().text, L"x");

    // Inside the parameter list, the shift alternative gets furthest.
    Parse(L"PROJCS[\"p\"," + Geogcs() +
          L",PROJECTION[\"t\"],PARAMETER[\"a\",1],PARAMETER[\"b\" 37]," + kMetre + L"]");
    EXPECT_EQ(CQuarnWKTCoordinateSystemParser::GetTokenValue().integer, 37);
}

TEST(WktEngine, AParseAfterAFailedTrialStartsAfresh) {
    TestParser parser;
    // The first parse fails inside a trial, with tokens queued.
    EXPECT_EQ(Parse(parser, Projcs(Projection(false, kParameters + L",PARAMETER[\"c\""))).result,
              1);
    Outcome geogcs = Parse(parser, Geogcs());
    EXPECT_EQ(geogcs.result, 0);
    EXPECT_EQ(geogcs.record.names, kGeogcsNames);
    EXPECT_EQ(Parse(parser, Projcs() + L",").result, 1);
    Outcome projcs = Parse(parser, Projcs());
    EXPECT_EQ(projcs.result, 0);
    EXPECT_EQ(projcs.record.projections, Texts{L"t:a=1;b=2;"});
    EXPECT_TRUE(projcs.messages.empty());
    // A second parser shares the engine; destroying one frees the replay queue, which the
    // next conflict makes anew.
    {
        TestParser other;
        EXPECT_EQ(Parse(other, Projcs()).result, 0);
    }
    EXPECT_EQ(Parse(parser, Projcs()).record.projections, Texts{L"t:a=1;b=2;"});
}

TEST(WktEngine, AParseInterruptedAnywhereLeavesNothingBehind) {
    // A host's NextToken may throw at any point, also while the engine reads back queued
    // tokens; the next parse must not see the records or tokens of the interrupted one.
    const std::wstring text = Projcs(Projection(false, L""));
    int calls = Parse(text).nextTokenCalls;
    for (int throwAt = 1; throwAt <= calls; ++throwAt) {
        TestParser parser;
        parser.throwAt = throwAt;
        parser.SetInput(text.c_str());
        EXPECT_THROW(parser.Parse(), std::runtime_error);
        parser.throwAt = 0;
        Outcome outcome = Parse(parser, Geogcs());
        EXPECT_EQ(outcome.result, 0) << throwAt;
        EXPECT_EQ(outcome.record.names, kGeogcsNames) << throwAt;
    }
}

TEST(WktEngine, LongListsAndDeepNestingGrowTheQueueAndStacks) {
    std::wstring parameters;
    std::wstring expected = L"t:";
    const int count = 300;
    for (int i = 0; i < count; ++i) {
        parameters += L",PARAMETER[\"p" + std::to_wstring(i) + L"\"," + std::to_wstring(i) + L"]";
        expected += L"p" + std::to_wstring(i) + L"=" + std::to_wstring(i) + L";";
    }
    TestParser parser;
    Outcome outcome = Parse(parser, Projcs(Projection(true, parameters)));
    ASSERT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.record.projections, Texts{expected});
    EXPECT_EQ(Count(outcome.record.rules, 93), count);
    EXPECT_EQ(Count(outcome.record.rules, 96), count - 1);
    // Parameters and the list are value objects, released at the end of the parse.
    EXPECT_EQ(parser.GetValueCount(), 0);

    // Deeper than 32 entries: a compound of fitted systems on a projected system whose
    // datum has a shift and grid files and whose elements all carry authorities.
    const std::wstring datum = L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.3," + kAuth + L"]," +
                               kToWgs84 + L"," + kThreeDim + L"]";
    const std::wstring projcs = L"PROJCS[\"p\"," +
                                Geogcs(Axes({L"NORTH", L"EAST"}) + L"," + kAuth, datum) + L"," +
                                Projection(true, kParameters) + L"," + kMetre + L"," + kAuth + L"]";
    Outcome deep = Parse(CompdCs(FittedCs(projcs), FittedCs(VertCs()), L"," + kAuth));
    ASSERT_EQ(deep.result, 0);
    for (int rule : {54, 57, 59, 12, 15, 19, 25, 27, 68})
        EXPECT_EQ(Count(deep.record.rules, rule), 1) << rule;
    EXPECT_EQ(Count(deep.record.rules, 76), 2);
    EXPECT_EQ(deep.record.projections, Texts{L"t:a=1;b=2;"});
}

} // namespace
