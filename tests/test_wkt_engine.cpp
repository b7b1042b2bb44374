// The parse engine, run with a recording RunAction in place of the library's rule actions
// (see tests/wkt.cmake): which rules are reduced, in which order, with which values, and
// which texts the grammar accepts.
#include "wkt/WktParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// What the recording actions saw during one parse.
struct Record {
    std::vector<int> rules;
    std::vector<std::wstring> names;       // texts of `name` reductions, in order
    std::vector<std::wstring> projections; // "t:a=1;b=2;" per projection reduced
};
Record g_record;

using Texts = std::vector<std::wstring>;

} // namespace

// The recording rule actions. Values flow as the real actions will use them: names are
// texts, numbers doubles, parameters and parameter lists value objects in the value list.
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
    case 93: { // parameter : PARAMETER '[' name ',' value ']'
        std::wstring text = std::wstring(rhs[2].text) + L"=";
        double value = rhs[4].real;
        text += value == static_cast<int>(value) ? std::to_wstring(static_cast<int>(value))
                                                 : std::to_wstring(value);
        result.value = AddValue(new std::wstring(text + L";"));
        break;
    }
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
    std::vector<std::wstring> messages;
};

struct Outcome {
    int result;
    Record record;
    std::vector<std::wstring> messages;
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
const std::wstring kPrimem = L"PRIMEM[\"Greenwich\",0]";
const std::wstring kDegree = L"UNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"UNIT[\"metre\",1]";
const std::wstring kVertDatum = L"VERT_DATUM[\"v\",2005]";
const std::wstring kLocalDatum = L"LOCAL_DATUM[\"l\",0]";
const std::wstring kParamMt = L"PARAM_MT[\"Local_Grid\",PARAMETER[\"E0\",1],PARAMETER[\"K\",2]]";

std::wstring Axis(const wchar_t* direction) {
    return L"AXIS[\"x\"," + std::wstring(direction) + L"]";
}
std::wstring Datum(const std::wstring& tail = L"") {
    return L"DATUM[\"d\"," + kSpheroid + tail + L"]";
}
std::wstring Geogcs(const std::wstring& tail = L"") {
    return L"GEOGCS[\"g\"," + Datum() + L"," + kPrimem + L"," + kDegree + tail + L"]";
}
const std::wstring kParameters = L",PARAMETER[\"a\",1],PARAMETER[\"b\",2]";
std::wstring Projection(bool authority, const std::wstring& parameters) {
    return L"PROJECTION[\"t\"" + (authority ? L"," + kAuth : L"") + L"]" + parameters;
}
std::wstring Projcs(const std::wstring& projection = Projection(false, kParameters),
                    const std::wstring& tail = L"") {
    return L"PROJCS[\"p\"," + Geogcs() + L"," + projection + L"," + kMetre + tail + L"]";
}
std::wstring Geoccs(const std::wstring& tail = L"") {
    return L"GEOCCS[\"c\"," + Datum() + L"," + kPrimem + L"," + kMetre + tail + L"]";
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

// The reductions of Geogcs() inside another element, from its name to rule 18.
const std::vector<int> kGeogcsRules = {84, 84, 84, 85, 28, 86, 29, 26, 22,
                                       84, 85, 32, 30, 84, 86, 37, 33, 18};

std::vector<int> Concat(std::vector<std::vector<int>> parts) {
    std::vector<int> all;
    for (const std::vector<int>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(WktEngine, GeogcsReducesInOrder) {
    Outcome outcome = Parse(Geogcs());
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.record.rules, Concat({kGeogcsRules, {7, 1}}));
    EXPECT_EQ(outcome.record.names, (Texts{L"g", L"d", L"s", L"Greenwich", L"degree"}));
    EXPECT_TRUE(outcome.messages.empty());
}

TEST(WktEngine, ProjcsWithParametersReplaysTheTrialOnce) {
    Outcome outcome = Parse(Projcs());
    ASSERT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.messages.empty());
    // Every rule exactly once, in the order of the reductions; everything after the first
    // comma after the projection ran in the replay.
    EXPECT_EQ(outcome.record.rules, Concat({{84},
                                            kGeogcsRules,
                                            {84, 84, 85, 94, 93, 95, 84, 85, 94, 93, 96, 13},
                                            {84, 85, 37, 35, 10, 8, 1}}));
    EXPECT_EQ(outcome.record.names,
              (Texts{L"p", L"g", L"d", L"s", L"Greenwich", L"degree", L"t", L"a", L"b", L"metre"}));
    // The replayed values reach the actions intact.
    EXPECT_EQ(outcome.record.projections, Texts{L"t:a=1;b=2;"});
    // Each token is lexed once; the queued ones are read again.
    EXPECT_GT(outcome.nextTokenCalls, outcome.lexCalls);
}

TEST(WktEngine, ProjectionWithoutParametersTakesTheReduction) {
    Outcome outcome = Parse(Projcs(Projection(false, L"")));
    ASSERT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.record.rules,
              Concat({{84}, kGeogcsRules, {84, 14, 84, 85, 37, 35, 10, 8, 1}}));
    EXPECT_EQ(outcome.record.projections, Texts{L"t:"});
    // The shift alternative read ',' and UNIT before it failed; the reduction read them
    // again from the queue.
    EXPECT_GT(outcome.nextTokenCalls, outcome.lexCalls);
}

TEST(WktEngine, EveryProjcsForm) {
    struct Form {
        bool authority;
        std::wstring parameters;
        int rule;
    };
    const Form projections[] = {
        {false, kParameters, 13}, {false, L"", 14}, {true, kParameters, 15}, {true, L"", 16}};
    const std::wstring axes = L"," + Axis(L"EAST") + L"," + Axis(L"NORTH");
    // Tails of the PROJCS, with the rule they select and the names they add.
    struct Tail {
        std::wstring text;
        int rule;
        int names;
    };
    const Tail tails[] = {
        {axes, 9, 2}, {L"", 10, 0}, {axes + L"," + kAuth, 11, 3}, {L"," + kAuth, 12, 1}};
    for (const Form& projection : projections) {
        for (const Tail& tail : tails) {
            Outcome outcome =
                Parse(Projcs(Projection(projection.authority, projection.parameters), tail.text));
            SCOPED_TRACE(projection.rule * 100 + tail.rule);
            ASSERT_EQ(outcome.result, 0);
            EXPECT_TRUE(outcome.messages.empty());
            EXPECT_EQ(Count(outcome.record.rules, projection.rule), 1);
            EXPECT_EQ(Count(outcome.record.rules, tail.rule), 1);
            // Every name is reduced once: 8 of the plain text, the parameters', the
            // authorities' and the axes'.
            std::size_t names = 8 + (projection.parameters.empty() ? 0 : 2) +
                                (projection.authority ? 1 : 0) + tail.names;
            EXPECT_EQ(outcome.record.names.size(), names);
            EXPECT_EQ(outcome.record.projections.size(), 1u);
        }
    }
}

TEST(WktEngine, AcceptsEveryElementForm) {
    const std::wstring two = L"," + Axis(L"NORTH") + L"," + Axis(L"EAST");
    const std::wstring three = two + L"," + Axis(L"UP");
    const std::pair<std::wstring, std::vector<int>> cases[] = {
        {Geogcs(two), {17, 7, 1}},
        {Geogcs(), {18}},
        {Geogcs(two + L"," + kAuth), {19}},
        {Geogcs(L"," + kAuth), {20}},
        {L"GEOGCS[\"g\"," + Datum(L"," + kToWgs84) + L"," + kPrimem + L"," + kDegree + L"]",
         {21, 68, 69, 70, 71, 72, 73, 74, 75}},
        {L"GEOGCS[\"g\"," + Datum(L"," + kToWgs84 + L"," + kAuth) + L"," + kPrimem + L"," +
             kDegree + L"]",
         {23, 42, 87}},
        {L"GEOGCS[\"g\"," + Datum(L"," + kAuth) + L"," + kPrimem + L"," + kDegree + L"]", {24}},
        {L"GEOGCS[\"g\"," + Datum(L"," + kToWgs84 + L"," + kThreeDim) + L"," + kPrimem + L"," +
             kDegree + L"]",
         {25, 43, 44, 45}},
        {L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.3," + kAuth + L"]]," + kPrimem +
             L"," + kDegree + L"]",
         {27}},
        {L"GEOGCS[\"g\"," + Datum() + L",PRIMEM[\"p\",2.5," + kAuth + L"],UNIT[\"u\",1," + kAuth +
             L"]]",
         {31, 34}},
        {Geoccs(three), {38, 2}},
        {Geoccs(), {39}},
        {Geoccs(three + L"," + kAuth), {40}},
        {Geoccs(L"," + kAuth), {41}},
        {L"GEOCCS[\"c\"," + Datum() + L"," + kPrimem + L",UNIT[\"m\",1," + kAuth + L"]]", {36}},
        {VertCs(L"," + Axis(L"UP")), {46, 3, 50, 52}},
        {VertCs(), {47}},
        {VertCs(L"," + Axis(L"DOWN") + L"," + kAuth), {48, 66}},
        {VertCs(L"," + kAuth, L"VERT_DATUM[\"v\",2005," + kAuth + L"]"), {49, 51}},
        {CompdCs(Geogcs(), VertCs()), {53, 56, 58, 4}},
        {CompdCs(Projcs(), VertCs(), L"," + kAuth), {54, 8, 56}},
        {CompdCs(LocalCs(), FittedCs(VertCs())), {55, 59, 80, 76}},
        {CompdCs(FittedCs(Geogcs()), VertCs()), {57, 78}},
        {FittedCs(Geogcs()), {76, 77, 78, 90, 92, 5}},
        {FittedCs(VertCs(), L"PARAM_MT[\"Linear_Correction\"]"), {79, 91}},
        {FittedCs(Projcs()), {78, 10, 13}},
        {LocalCs(), {80, 82, 88, 6}},
        {LocalCs(Axis(L"WEST") + L"," + Axis(L"SOUTH") + L"," + Axis(L"OTHER"), L"," + kAuth,
                 L"LOCAL_DATUM[\"l\",0," + kAuth + L"]"),
         {81, 83, 64, 62, 67}},
        // Keywords in any case; blanks, tabs and line breaks between tokens.
        {L"geogcs [ \"g\" ,\r\n datum[\"d\",spheroid[\"s\",1,2]],\tPrimem[\"p\",0],"
         L"Unit[\"u\",1.0],Axis[\"n\",north],axis[\"e\",East]] \n\t",
         {17, 61, 63}},
        {L"FITTED_CS[\"f\",PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",1],\t\t\t\t"
         L"PARAMETER[\"N0\",2]]," +
             Geogcs() + L"]",
         {96, 90}},
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
    std::wstring posing = Geogcs();
    posing.replace(posing.find(L"DATUM"), 5, 1, static_cast<wchar_t>(kQuarnWktDatum));
    std::wstring posingString = Geogcs();
    posingString.replace(posingString.find(L"\"g\""), 3, 1, static_cast<wchar_t>(kQuarnWktString));
    std::wstring posingInteger = Geogcs();
    posingInteger.replace(posingInteger.find(L"6378137"), 7, 1,
                          static_cast<wchar_t>(kQuarnWktInteger));
    std::wstring projParams = Projcs();
    const std::wstring cases[] = {
        L"",
        L" \t\r\n",
        Geogcs() + L" x",
        Geogcs() + L"]",
        Geogcs() + L",",
        Projcs() + L" GEOGCS",
        Projcs(Projection(false, L"")) + L"]",
        Geogcs().substr(0, Geogcs().size() - 1),
        L"GEOGCS(\"g\"," + Datum() + L"," + kPrimem + L"," + kDegree + L")",
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s,6378137,298.257223563]]",
        posing,
        posingString,
        posingInteger,
        // CONCAT_MT is reachable from no start; INVERSE_MT and PASSTHROUGH_MT are in no rule.
        L"CONCAT_MT[" + kParamMt + L"]",
        FittedCs(Geogcs(), L"CONCAT_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"INVERSE_MT[" + kParamMt + L"]"),
        FittedCs(Geogcs(), L"PASSTHROUGH_MT[0," + kParamMt + L"]"),
        kParamMt,
        Datum(),
        // Optional parts in other places or counts than the rules allow.
        Geogcs(L"," + kAuth + L"," + Axis(L"NORTH") + L"," + Axis(L"EAST")),
        Geogcs(L"," + Axis(L"NORTH")),
        Geoccs(L"," + Axis(L"NORTH") + L"," + Axis(L"EAST")),
        VertCs(L"," + Axis(L"UP") + L"," + Axis(L"UP")),
        Geogcs(L"," + Axis(L"NULL") + L"," + Axis(L"EAST")),
        L"GEOGCS[\"g\"," + Datum(L"," + kThreeDim) + L"," + kPrimem + L"," + kDegree + L"]",
        L"GEOGCS[\"g\"," + Datum(L"," + kAuth + L"," + kToWgs84) + L"," + kPrimem + L"," + kDegree +
            L"]",
        L"PROJCS[\"p\"," + Geogcs() + L"," + Projection(false, kParameters) + L"]",
        L"PROJCS[\"p\"," + Geogcs() + L"," + Projection(false, kParameters + L"," + kAuth) + L"," +
            kMetre + L"]",
        L"PROJCS[\"p\"," + Geogcs() + L"," + Projection(false, L",") + L"," + kMetre + L"]",
        CompdCs(VertCs(), VertCs()),
        CompdCs(Geogcs(), Geogcs()),
        FittedCs(LocalCs()),
        VertCs(L"", L"VERT_DATUM[\"v\",2005.0]"),
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[s,1,2]]," + kPrimem + L"," + kDegree + L"]",
        L"GEOGCS[,]",
    };
    for (const std::wstring& text : cases) {
        Outcome outcome = Parse(text);
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(outcome.messages, Texts{L"syntax error"});
        EXPECT_EQ(CQuarnWKTCoordinateSystemParser::GetErrorCount(), 1);
    }
}

TEST(WktEngine, TrailingTokensAfterAProjcsStopTheActionsAtTheConflict) {
    Outcome outcome = Parse(Projcs() + L" x");
    EXPECT_EQ(outcome.result, 1);
    // The actions up to the projection's name ran; the trial from the comma on failed.
    EXPECT_EQ(outcome.record.rules, Concat({{84}, kGeogcsRules, {84}}));
    EXPECT_TRUE(outcome.record.projections.empty());
    // The error lies where the furthest alternative stopped: at the trailing word.
    EXPECT_STREQ(CQuarnWKTCoordinateSystemParser::GetTokenValue().text, L"x");

    // Inside the parameter list, the shift alternative gets furthest.
    Outcome inside =
        Parse(L"PROJCS[\"p\"," + Geogcs() +
              L",PROJECTION[\"t\"],PARAMETER[\"a\",1],PARAMETER[\"b\" 37]," + kMetre + L"]");
    EXPECT_EQ(inside.result, 1);
    EXPECT_EQ(CQuarnWKTCoordinateSystemParser::GetTokenValue().integer, 37);
}

TEST(WktEngine, AParseAfterAFailedTrialStartsAfresh) {
    TestParser parser;
    // The first parse fails inside a trial, with tokens queued.
    Outcome failed = Parse(parser, Projcs(Projection(false, kParameters + L",PARAMETER[\"c\"")));
    EXPECT_EQ(failed.result, 1);
    Outcome geogcs = Parse(parser, Geogcs());
    EXPECT_EQ(geogcs.result, 0);
    EXPECT_EQ(geogcs.record.rules, Concat({kGeogcsRules, {7, 1}}));
    EXPECT_EQ(geogcs.record.names.front(), L"g");
    Outcome failedAgain = Parse(parser, Projcs() + L",");
    EXPECT_EQ(failedAgain.result, 1);
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
        EXPECT_EQ(outcome.record.rules, Concat({kGeogcsRules, {7, 1}})) << throwAt;
    }
}

TEST(WktEngine, ParseWithoutInput) {
    TestParser parser;
    EXPECT_EQ(parser.Parse(), 1);
    EXPECT_EQ(parser.messages, Texts{L"syntax error"});
    EXPECT_EQ(parser.GetResult(), nullptr);
}

TEST(WktEngine, LongListsGrowTheQueueAndValueList) {
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
    EXPECT_EQ(Count(outcome.record.rules, 15), 1);
    // Parameters and the list are value objects, owned by the parser until it dies.
    EXPECT_EQ(parser.GetValueCount(), count + 1);

    std::wstring axes = Axis(L"NORTH");
    for (int i = 1; i < 200; ++i)
        axes += L"," + Axis(L"EAST");
    Outcome local = Parse(LocalCs(axes));
    ASSERT_EQ(local.result, 0);
    EXPECT_EQ(Count(local.record.rules, 89), 199);
}

TEST(WktEngine, DeepNestingGrowsTheStacks) {
    // Deeper than 32 entries: a compound of fitted systems on a projected system whose
    // datum has a shift and grid files and whose elements all carry authorities.
    const std::wstring datum = L"DATUM[\"d\",SPHEROID[\"s\",6378137,298.3," + kAuth + L"]," +
                               kToWgs84 + L"," + kThreeDim + L"]";
    const std::wstring geogcs = L"GEOGCS[\"g\"," + datum + L"," + kPrimem + L"," + kDegree + L"," +
                                Axis(L"NORTH") + L"," + Axis(L"EAST") + L"," + kAuth + L"]";
    const std::wstring projcs = L"PROJCS[\"p\"," + geogcs + L"," + Projection(true, kParameters) +
                                L"," + kMetre + L"," + kAuth + L"]";
    Outcome outcome = Parse(CompdCs(FittedCs(projcs), FittedCs(VertCs()), L"," + kAuth));
    ASSERT_EQ(outcome.result, 0);
    for (int rule : {54, 57, 59, 12, 15, 19, 25, 27, 68})
        EXPECT_EQ(Count(outcome.record.rules, rule), 1) << rule;
    EXPECT_EQ(Count(outcome.record.rules, 76), 2);
    EXPECT_EQ(outcome.record.projections, Texts{L"t:a=1;b=2;"});
}

} // namespace
