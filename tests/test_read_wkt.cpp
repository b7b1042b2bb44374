// Reading WKT through CreateFromWKT: what each element becomes, the defaults that stand in
// for omitted clauses, authority pairs, fitted and compound systems, and what the reader
// makes of texts that do not form a coordinate system.
#include "quarn.h"

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

} // namespace

TEST(ReadWkt, TextsThatFormNoSystem) {
    CQuarnCoordinateSystemFactory factory;
    // A null text reads as an empty one; an unknown word, an element that is no coordinate
    // system (the engine's tests reject the rest).
    EXPECT_EQ(factory.CreateFromWKT(nullptr), nullptr);
    for (const wchar_t* text : {L"GEOGRAPHIC[\"x\"]", L"UNIT[\"metre\",1]"})
        EXPECT_EQ(factory.CreateFromWKT(text), nullptr) << text;
    EXPECT_EQ(Counts(factory), std::vector<long>(kQuarnObjectTypeCount, 0));

    // A failed parse does not keep the last result.
    ASSERT_NE(factory.CreateFromWKT(kBareGeographic.c_str()), nullptr);
    EXPECT_EQ(factory.CreateFromWKT(L" "), nullptr);
}

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
        {L"298.257223563", 298.257223563, 0},
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

TEST(ReadWkt, ShiftRotationsAreStoredNegated) {
    CQuarnCoordinateSystemFactory factory;
    const CS_HorizontalDatum* datum = DatumOf(factory.CreateFromWKT(
        GeographicWithDatum(L"D", kWgs84Spheroid + L",TOWGS84[10,-20,30.5,1,2,-3,4.5]").c_str()));
    ASSERT_NE(datum, nullptr);
    const CS_WGS84ConversionInfo* s = datum->GetWGS84Parameters();
    EXPECT_EQ((std::vector<double>{s->Dx, s->Dy, s->Dz, s->Ex, s->Ey, s->Ez, s->Ppm}),
              (std::vector<double>{10, -20, 30.5, -1, -2, 3, 4.5}));
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
