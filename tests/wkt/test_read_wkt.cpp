// Reading WKT through CreateFromWKT: what each element becomes, the defaults that stand in
// for omitted clauses, authority pairs, fitted and compound systems, what the reader makes of
// texts that do not form a coordinate system and records about where and why a text stopped,
// and written texts read back: every kind of coordinate system writes a text that reads back
// to the same object and writes the same text again, except where writing loses something.
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

const std::wstring kWgs84Spheroid = L"SPHEROID[\"WGS 84\",6378137,298.257223563]";
const std::wstring kGreenwichDegree =
    L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"UNIT[\"metre\",1]";

// A geographic system with every optional clause left out, and what it writes: the default
// zero shift (rotations negated, so -0) and the default axes.
const std::wstring kBareGeographic =
    L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid + L"]," + kGreenwichDegree + L"]";
const std::wstring kBareGeographicWritten =
    L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
    L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]]," + kGreenwichDegree +
    L",AXIS[\"X\",East],AXIS[\"Y\",North]]";
const std::wstring kVertical =
    L"VERT_CS[\"Height\",VERT_DATUM[\"Mean Sea Level\",2005]," + kMetre + L"]";

template <class T> const T* As(const CS_Info* object) {
    return dynamic_cast<const T*>(object);
}

std::wstring Written(const CS_Info* object) {
    return object != nullptr ? object->GetWKT(nullptr) : L"(no object)";
}

const CS_HorizontalDatum* DatumOf(const CS_CoordinateSystem* system) {
    const auto* geographic = As<CS_GeographicCoordinateSystem>(system);
    return geographic != nullptr ? geographic->GetHorizontalDatum() : nullptr;
}

// A geographic system whose datum ends in `datumTail`.
std::wstring GeographicWithDatum(const std::wstring& datum, const std::wstring& datumTail) {
    return L"GEOGCS[\"G\",DATUM[\"" + datum + L"\"," + datumTail + L"]," + kGreenwichDegree + L"]";
}

// The authority pair, as "AUTHORITY:CODE".
std::wstring Authority(const CS_Info* object) {
    return std::wstring(object->GetAuthority()) + L":" + object->GetAuthorityCode();
}

long Registered(const CQuarnCoordinateSystemFactory& factory, long type) {
    return factory.GetProductLine(type).GetSize();
}

// How many objects each registry holds, by object type.
std::vector<long> Counts(const CQuarnCoordinateSystemFactory& factory) {
    std::vector<long> counts;
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        counts.push_back(Registered(factory, type));
    return counts;
}

const CS_CoordinateSystem* ReadNew(CQuarnCoordinateSystemFactory& factory,
                                   const CS_CoordinateSystem* old) {
    const CS_CoordinateSystem* system = factory.CreateFromWKT(old->GetWKT(nullptr));
    EXPECT_NE(system, nullptr);
    EXPECT_NE(system, old);
    return system;
}

// Texts in the written form, with a datum that has a full shift so that nothing of it is
// lost in writing.
const std::wstring kDatum =
    L"DATUM[\"Deutsches_Hauptdreiecksnetz\",SPHEROID[\"Bessel 1841\",6377397.155,299.1528128] "
    L",TOWGS84[598.1, 73.7, 418.2, 0.202, 0.045, -2.455, 6.7]],PRIMEM[\"Greenwich\",0],";
const std::wstring kDhdn = L"GEOGCS[\"DHDN\"," + kDatum +
                           L"UNIT[\"degree\",0.0174532925199433],AXIS[\"Lat\",North],"
                           L"AXIS[\"Lon\",East]]";
const std::wstring kZone3 =
    L"PROJCS[\"DHDN / zone 3\"," + kDhdn +
    L",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
    L"PARAMETER[\"central_meridian\",9],PARAMETER[\"scale_factor\",1],"
    L"PARAMETER[\"false_easting\",3500000],PARAMETER[\"false_northing\",0],"
    L"UNIT[\"metre\",1],AXIS[\"X\",North],AXIS[\"Y\",East]]";
const std::wstring kHeight = L"VERT_CS[\"DHHN92 height\",VERT_DATUM[\"DHHN92\",2005],"
                             L"UNIT[\"metre\",1],AXIS[\"H\",Up]]";

const std::wstring kProjected = L"PROJCS[\"p\",\n  " + kBareGeographic +
                                L",\n  PROJECTION[\"tm\"],\n  PARAMETER[\"a\",1],\n"
                                L"  UNIT[\"m\",1]]";

} // namespace

TEST(ReadWkt, OmittedClausesTakeTheDefaults) {
    // Geographic and projected systems get X/East and Y/North (the other tests read them),
    // a geocentric system X/East, Y/North and Z/Up, a vertical one Z/Up.
    CQuarnCoordinateSystemFactory factory;
    EXPECT_EQ(Written(factory.CreateFromWKT((L"GEOCCS[\"E\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
                                             L"],PRIMEM[\"G\",0]," + kMetre + L"]")
                                                .c_str())),
              L"GEOCCS[\"E\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
                  L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]],PRIMEM[\"G\",0]," + kMetre +
                  L",AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]]");

    EXPECT_EQ(Written(factory.CreateFromWKT(kVertical.c_str())),
              L"VERT_CS[\"Height\",VERT_DATUM[\"Mean Sea Level\",2005],UNIT[\"metre\",1],"
              L"AXIS[\"Z\",Up]]");
}

TEST(ReadWkt, SpheroidThirdNumberAbove500IsTheSemiMinorAxis) {
    // 500 itself is still an inverse flattening; just above it is an axis. The third column
    // is the tolerance, zero for exact equality.
    const std::tuple<const wchar_t*, double, double> cases[] = {
        {L"500", 500.0, 0},
        {L"500.5", 6378137.0 / (6378137.0 - 500.5), 0},
        {L"6356752.314245", 298.257223563, 1e-6}};
    for (const auto& c : cases) {
        CQuarnCoordinateSystemFactory factory;
        const CS_HorizontalDatum* datum = DatumOf(
            factory.CreateFromWKT(GeographicWithDatum(L"D", L"SPHEROID[\"S\",6378137," +
                                                                std::wstring(std::get<0>(c)) + L"]")
                                      .c_str()));
        ASSERT_NE(datum, nullptr) << std::get<0>(c);
        EXPECT_EQ(datum->GetEllipsoid()->GetSemiMajorAxis(), 6378137.0);
        EXPECT_NEAR(datum->GetEllipsoid()->GetInverseFlattening(), std::get<1>(c), std::get<2>(c))
            << std::get<0>(c);
    }
}

TEST(ReadWkt, GridFileNamesAreCutAt254Characters) {
    const std::wstring name254(254, L'b'), name255(255, L'c'), name300(300, L'd');
    // Each case in a factory of its own: datums that differ only in their grid files are
    // one datum.
    const std::wstring cases[][4] = {{L"grid.lbf", L"grid.cop", L"grid.lbf", L"grid.cop"},
                                     {name254, name255, name254, name255.substr(0, 254)},
                                     {name300, L"", name300.substr(0, 254), L""}};
    for (const auto& c : cases) {
        CQuarnCoordinateSystemFactory factory;
        const CS_HorizontalDatum* datum = DatumOf(factory.CreateFromWKT(
            GeographicWithDatum(L"D", kWgs84Spheroid + L",TOWGS84[1,2,3,0,0,0,0],THREEDIM[\"" +
                                          c[0] + L"\",\"" + c[1] + L"\"]")
                .c_str()));
        ASSERT_NE(datum, nullptr);
        EXPECT_EQ(datum->Get3DIMParameters()->LBFFileName, c[2]);
        EXPECT_EQ(datum->Get3DIMParameters()->COPFileName, c[3]);
    }
}

TEST(ReadWkt, AuthorityIsWrittenIntoAnExistingEqualObject) {
    CQuarnCoordinateSystemFactory factory;
    const auto* geographic =
        As<CS_GeographicCoordinateSystem>(factory.CreateFromWKT(kBareGeographic.c_str()));
    ASSERT_NE(geographic, nullptr);

    // Units compare by factor only: a unit of another name is the registered one, which
    // keeps its name and takes the new authority.
    const std::wstring withAuthority = L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
                                       L"],PRIMEM[\"Greenwich\",0],UNIT[\"Degree\","
                                       L"0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]],"
                                       L"AUTHORITY[\"EPSG\",\"4326\"]]";
    EXPECT_EQ(factory.CreateFromWKT(withAuthority.c_str()), geographic);
    EXPECT_EQ(Authority(geographic) + Authority(geographic->GetAngularUnit()) +
                  geographic->GetAngularUnit()->GetName(),
              L"EPSG:4326EPSG:9122degree");

    // A later pair replaces the earlier one; reading without a pair leaves it alone.
    const std::wstring other =
        kBareGeographic.substr(0, kBareGeographic.size() - 1) + L",AUTHORITY[\"Other\",\"7\"]]";
    EXPECT_EQ(factory.CreateFromWKT(other.c_str()), geographic);
    EXPECT_EQ(factory.CreateFromWKT(kBareGeographic.c_str()), geographic);
    EXPECT_EQ(Authority(geographic), L"Other:7");
}

TEST(ReadWkt, FittedSystemsTakeTheirParametersByExactName) {
    CQuarnCoordinateSystemFactory factory;
    auto fit = [&factory](const std::wstring& paramMt, const std::wstring& base) {
        return factory.CreateFromWKT(
            (L"FITTED_CS[\"F\",PARAM_MT[" + paramMt + L"]," + base + L"]").c_str());
    };
    // The classification in any case; "k" is not K (which stays 1); the first of two E0
    // counts; unknown names are ignored; angles in degrees.
    const auto* grid = As<CQuarnFittedHorizontalCoordinateSystem>(
        fit(L"\"LOCAL_grid\",PARAMETER[\"E0\",100],PARAMETER[\"N0\",200],PARAMETER[\"k\",5],"
            L"PARAMETER[\"DE\",3],PARAMETER[\"DN\",4],PARAMETER[\"Beta\",90],"
            L"PARAMETER[\"E0\",999],PARAMETER[\"Scale\",2]",
            kBareGeographic));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ((std::vector<double>{grid->GetE0(), grid->GetN0(), grid->GetK(), grid->GetDE(),
                                   grid->GetDN()}),
              (std::vector<double>{100, 200, 1, 3, 4}));
    EXPECT_DOUBLE_EQ(grid->GetBeta(), kPi / 2);
    EXPECT_EQ(grid->GetBaseCoordinateSystem(), factory.CreateFromWKT(kBareGeographic.c_str()));

    const auto* heights = As<CQuarnFittedVerticalCoordinateSystem>(
        fit(L"\"Linear_correction\",PARAMETER[\"dH\",1.5],PARAMETER[\"Gl\",2],"
            L"PARAMETER[\"Gg\",3],PARAMETER[\"L0\",45],PARAMETER[\"G0\",-30],"
            L"PARAMETER[\"gl\",9],PARAMETER[\"DH\",9]",
            kVertical));
    ASSERT_NE(heights, nullptr);
    EXPECT_EQ((std::vector<double>{heights->GetdH(), heights->GetGl(), heights->GetGg()}),
              (std::vector<double>{1.5, 2, 3}));
    EXPECT_DOUBLE_EQ(heights->GetL0(), kPi / 4);
    EXPECT_DOUBLE_EQ(heights->GetG0(), -kPi / 6);
}

TEST(ReadWkt, FitsAndCompoundsOfTheWrongKindFormNoSystem) {
    CQuarnCoordinateSystemFactory factory;
    const std::wstring horizontalFit =
        L"FITTED_CS[\"H fit\",PARAM_MT[\"Local_Grid\"]," + kBareGeographic + L"]";
    const std::wstring verticalFit =
        L"FITTED_CS[\"V fit\",PARAM_MT[\"Linear_Correction\"]," + kVertical + L"]";

    // An unknown classification: no fit; its base stays registered.
    const std::wstring affine = L"FITTED_CS[\"A\",PARAM_MT[\"Affine\"]," + kBareGeographic + L"]";
    EXPECT_EQ(factory.CreateFromWKT(affine.c_str()), nullptr);
    EXPECT_EQ(Registered(factory, kQuarnGeographicCS) * 10 +
                  Registered(factory, kQuarnFittedHorizontalCS),
              10);

    // A vertical fit as head, a horizontal fit as tail, an unknown fit as head.
    for (const std::wstring& parts :
         {verticalFit + L"," + kVertical, kBareGeographic + L"," + horizontalFit,
          affine + L"," + kVertical})
        EXPECT_EQ(factory.CreateFromWKT((L"COMPD_CS[\"C\"," + parts + L"]").c_str()), nullptr);
    // The fits themselves were created before the compound failed.
    EXPECT_EQ(Counts(factory), (std::vector<long>{0, 1, 1, 0, 1, 0, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1}));

    // The right kinds in the right places.
    EXPECT_NE(factory.CreateFromWKT(
                  (L"COMPD_CS[\"C\"," + horizontalFit + L"," + verticalFit + L"]").c_str()),
              nullptr);
}

TEST(ReadWkt, TokensAfterACompleteSystem) {
    CQuarnCoordinateSystemFactory factory;
    // Without a PROJCS the system stands, whatever follows it.
    const CS_CoordinateSystem* geographic =
        factory.CreateFromWKT((kBareGeographic + L" ]").c_str());
    ASSERT_NE(geographic, nullptr);
    EXPECT_EQ(Written(geographic), kBareGeographicWritten);
    EXPECT_EQ(factory.CreateFromWKT((kBareGeographic + L"," + kVertical).c_str()), geographic);

    // With a PROJCS, what follows its PROJECTION is read on trial and fails: no system,
    // no projection, no linear unit; the geographic system made before stays registered.
    CQuarnCoordinateSystemFactory other;
    const std::wstring projected = L"PROJCS[\"P\"," + kBareGeographic +
                                   L",PROJECTION[\"Transverse_Mercator\"],"
                                   L"PARAMETER[\"scale_factor\",0.9996],UNIT[\"foot\",0.3048]]";
    EXPECT_EQ(other.CreateFromWKT((projected + L"," + kVertical).c_str()), nullptr);
    // By object type: the geographic system, meridian, ellipsoid, datum and angular unit.
    EXPECT_EQ(Counts(other), (std::vector<long>{0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1}));

    // The same PROJCS alone reads, on the geographic system already there.
    ASSERT_NE(other.CreateFromWKT(projected.c_str()), nullptr);
    EXPECT_EQ(Registered(other, kQuarnGeographicCS), 1);
}

TEST(ReadWkt, ListsBeyondTheirCapacityKeepTheirFirstEntries) {
    CQuarnCoordinateSystemFactory factory;
    // A fourth axis has no place: the system has the first three.
    const std::wstring local = L"LOCAL_CS[\"L\",LOCAL_DATUM[\"LD\",10000],UNIT[\"metre\",1],"
                               L"AXIS[\"a\",North],AXIS[\"b\",East],AXIS[\"c\",Up]";
    EXPECT_EQ(Written(factory.CreateFromWKT((local + L",AXIS[\"d\",Down]]").c_str())),
              local + L"]");

    // A twelfth parameter is dropped.
    std::wstring parameters;
    for (int i = 1; i <= 12; ++i)
        parameters += L",PARAMETER[\"p" + std::to_wstring(i) + L"\"," + std::to_wstring(i) + L"]";
    const auto* map = As<CS_ProjectedCoordinateSystem>(
        factory.CreateFromWKT((L"PROJCS[\"P\"," + kBareGeographic + L",PROJECTION[\"Method\"]" +
                               parameters + L"," + kMetre + L"]")
                                  .c_str()));
    ASSERT_NE(map, nullptr);
    const std::wstring written = Written(map->GetProjection());
    EXPECT_EQ(written.substr(written.size() - 39), L"PARAMETER[\"p10\",10],PARAMETER[\"p11\",11]");
}

TEST(ReadBack, EveryKindOfSystemReachesAFixedPoint) {
    const std::wstring texts[] = {
        kDhdn,
        kZone3,
        kHeight,
        L"GEOCCS[\"DHDN geocentric\"," + kDatum +
            L"UNIT[\"metre\",1],AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]]",
        L"COMPD_CS[\"DHDN / zone 3 + DHHN92\"," + kZone3 + L"," + kHeight + L"]",
        L"LOCAL_CS[\"Site\",LOCAL_DATUM[\"Site datum\",10000],UNIT[\"foot\",0.3048],"
        L"AXIS[\"Easting\",East],AXIS[\"Northing\",North],AXIS[\"Depth\",Down]]",
        L"FITTED_CS[\"Site grid\",PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",1000],"
        L"\t\t\t\tPARAMETER[\"N0\",2000],\t\t\t\tPARAMETER[\"K\",1.0001],\t\t\t\t"
        L"PARAMETER[\"DE\",5],\t\t\t\tPARAMETER[\"DN\",-5],\t\t\t\tPARAMETER[\"Beta\",1.5]]," +
            kZone3 + L"]",
        L"FITTED_CS[\"Site heights\",PARAM_MT[\"Linear_Correction\",\t\t\t\t"
        L"PARAMETER[\"dH\",0.25],\t\t\t\tPARAMETER[\"Gl\",1E-05],\t\t\t\t"
        L"PARAMETER[\"Gg\",-2E-05],\t\t\t\tPARAMETER[\"L0\",47.5],\t\t\t\t"
        L"PARAMETER[\"G0\",8.25]]," +
            kHeight + L"]",
    };
    for (const std::wstring& text : texts) {
        // Written back as read, and read again into the same factory as the very same
        // object; the same text twice on one factory is the same pointer.
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
        ASSERT_NE(system, nullptr) << text;
        EXPECT_EQ(system->GetWKT(nullptr), text);
        EXPECT_EQ(factory.CreateFromWKT(system->GetWKT(nullptr)), system);
        EXPECT_EQ(factory.CreateFromWKT(text.c_str()), system);
    }
}

// Where writing loses something, the text read back into the same factory is another
// system under a unique name: a semi-major axis with digits beyond the fifteenth is another
// ellipsoid, hence another datum and system (a prime meridian under the grad, which moves
// too, is counted over the corpus).
TEST(ReadBack, WhatWritingLosesReadsBackAsAnotherSystem) {
    const std::wstring tail = L",TOWGS84[1, 2, 3, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],"
                              L"UNIT[\"degree\",0.0174532925199433],AXIS[\"X\",East],"
                              L"AXIS[\"Y\",North]]";
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(
        (L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001234,298.257223563]" + tail)
            .c_str());
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->GetWKT(nullptr),
              L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378137.00000001,298.257223563] " + tail);
    EXPECT_STREQ(ReadNew(factory, system)->GetName(), L"G~1");
}

TEST(ReadDiagnostic, WhereAndWhyATextStopped) {
    const std::wstring unclosed = kBareGeographic.substr(0, kBareGeographic.size() - 1);
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
        {kBareGeographic + L"\n VERT_CS[\"v\"]", L"VERT_CS", 0, L"end-of-file", true, true},
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
