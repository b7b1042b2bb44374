// The EPSG authority factory on PROJ's database: objects by code against the texts the factory
// writes for them, the same objects as reading the database's texts, and the failures.
#include <quarn/epsg.h>
#include <quarn/quarn.h>

#include "support/Corpus.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kWgs84Datum =
    L"DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563] ,TOWGS84[0, 0, 0, -0, -0, -0, "
    L"0]]";
constexpr const wchar_t* kNavd88 =
    L"VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical Datum 1988\",2005],"
    L"UNIT[\"metre\",1],AXIS[\"Gravity-related height\",Up]]";

class EpsgTest : public ::testing::Test {
protected:
    CQuarnCoordinateSystemFactory factory;
    CQuarnEpsgAuthorityFactory epsg{factory};

    const CS_Info* Create(const std::string& kind, const wchar_t* code) {
        if (kind == "projected") return epsg.CreateProjectedCoordinateSystem(code);
        if (kind == "geographic") return epsg.CreateGeographicCoordinateSystem(code);
        if (kind == "horizontal") return epsg.CreateHorizontalCoordinateSystem(code);
        if (kind == "vertical") return epsg.CreateVerticalCoordinateSystem(code);
        if (kind == "compound") return epsg.CreateCompoundCoordinateSystem(code);
        if (kind == "datum") return epsg.CreateHorizontalDatum(code);
        if (kind == "vertical datum") return epsg.CreateVerticalDatum(code);
        if (kind == "ellipsoid") return epsg.CreateEllipsoid(code);
        if (kind == "prime meridian") return epsg.CreatePrimeMeridian(code);
        if (kind == "linear unit") return epsg.CreateLinearUnit(code);
        if (kind == "angular unit") return epsg.CreateAngularUnit(code);
        ADD_FAILURE() << "unknown kind " << kind;
        return nullptr;
    }
};

TEST_F(EpsgTest, ObjectsByCodeWriteTheirDatabaseDefinition) {
    const struct {
        const char* kind;
        const wchar_t* code;
        std::wstring wkt;
    } cases[] = {
        {"vertical", L"5703", kNavd88},
        {"datum", L"6326", kWgs84Datum},
        {"vertical datum", L"5103", L"VERT_DATUM[\"North American Vertical Datum 1988\",2005]"},
        {"ellipsoid", L"7030", L"SPHEROID[\"WGS 84\",6378137,298.257223563]"},
        {"prime meridian", L"8903", L"PRIMEM[\"Paris\",2.33722917]"},
        {"linear unit", L"9003", L"UNIT[\"US survey foot\",0.304800609601219]"},
        {"angular unit", L"9105", L"UNIT[\"grad\",0.0157079632679489]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const CS_Info* object = Create(c.kind, c.code);
        ASSERT_NE(object, nullptr) << epsg.GetLastFailure();
        EXPECT_STREQ(epsg.GetLastFailure(), L"");
        EXPECT_EQ(object->GetWKT(nullptr), c.wkt);
        EXPECT_STREQ(object->GetAuthority(), L"EPSG");
        EXPECT_EQ(Create(c.kind, c.code), object) << "asked again";
    }
    EXPECT_STREQ(epsg.GetAuthority(), L"EPSG");
    CQuarnEpsgAuthorityFactory missing(factory, "/nonexistent/proj.db");
    EXPECT_EQ(missing.CreateGeographicCoordinateSystem(L"4326"), nullptr);
    EXPECT_STREQ(missing.GetLastFailure(), L"cannot open the EPSG database /nonexistent/proj.db");
}

TEST_F(EpsgTest, PartsAreThoseInsideTheSystemsAndHelpersGoAgain) {
    const CS_HorizontalDatum* datum = epsg.CreateHorizontalDatum(L"6326");
    const CS_Info* parts[] = {datum->GetEllipsoid(), epsg.CreateAngularUnit(L"9122"),
                              epsg.CreatePrimeMeridian(L"8901"), epsg.CreateLinearUnit(L"9001")};
    // No helper system stays behind.
    for (long type : {kQuarnGeographicCS, kQuarnGeocentricCS, kQuarnVerticalCS})
        EXPECT_EQ(factory.GetProductLine(type).GetSize(), 0) << type;

    const CS_GeographicCoordinateSystem* wgs84 = epsg.CreateGeographicCoordinateSystem(L"4326");
    const CS_ProjectedCoordinateSystem* utm = epsg.CreateProjectedCoordinateSystem(L"32631");
    ASSERT_TRUE(wgs84 && utm);
    EXPECT_TRUE(wgs84->GetHorizontalDatum() == datum && wgs84->GetAngularUnit() == parts[1] &&
                wgs84->GetPrimeMeridian() == parts[2] && utm->GetLinearUnit() == parts[3] &&
                utm->GetGeographicCoordinateSystem() == wgs84);
    EXPECT_EQ(epsg.CreateEllipsoid(L"7030"), parts[0]);
    EXPECT_EQ(factory.GetProductLine(kQuarnHorizontalDatum).GetSize(), 1); // no helper datum
    EXPECT_EQ(epsg.CreateHorizontalCoordinateSystem(L"EPSG:32631"), utm);
    // A helper equal to the host's own system is left in place.
    EXPECT_EQ(epsg.CreateHorizontalDatum(L"6326"), datum);
    EXPECT_EQ(epsg.CreateGeographicCoordinateSystem(L"4326"), wgs84);
    EXPECT_EQ(factory.GetProductLine(kQuarnGeographicCS).GetSize(), 1);
    // After the host empties the factory, Forget lets the same codes be made again.
    factory.RemoveAll();
    epsg.Forget();
    const CS_GeographicCoordinateSystem* again = epsg.CreateGeographicCoordinateSystem(L"4326");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(factory.GetProductLine(kQuarnGeographicCS)[0], again);
}

// A system the host already holds, equal to the helper around a part, stays; remembered
// answers are kept apart for each setting of the projection-loading flag.
TEST_F(EpsgTest, HelpersTheHostHoldsAndTheLoadingFlag) {
    const CS_CoordinateSystem* held = factory.CreateFromWKT(
        L"GEOGCS[\"\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,AUTHORITY["
        L"\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,AUTHORITY["
        L"\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]]]");
    ASSERT_NE(held, nullptr);
    EXPECT_NE(epsg.CreateHorizontalDatum(L"6326"), nullptr);
    ASSERT_EQ(factory.GetProductLine(kQuarnGeographicCS).GetSize(), 1);
    EXPECT_EQ(factory.GetProductLine(kQuarnGeographicCS)[0], held);

    // While projection files load, a datum without a shift takes the one its name implies.
    const CS_GeographicCoordinateSystem* plain = epsg.CreateGeographicCoordinateSystem(L"4301");
    SetPrjLoading(true);
    const CS_GeographicCoordinateSystem* loading = epsg.CreateGeographicCoordinateSystem(L"4301");
    SetPrjLoading(false);
    EXPECT_TRUE(plain && loading && plain != loading);
}

// Every system of the corpus (PROJ 9.1.1's export): the factory's object by code is the one
// reading the corpus text gives, and so are its datum, ellipsoid and units by their codes.
TEST_F(EpsgTest, SameObjectsAsReadingTheDatabaseTexts) {
    std::vector<CorpusEntry> corpus = ReadCorpus(QUARN_CORPUS_DIR "/epsg_wkt1_gdal_sample.jsonl");
    ASSERT_GT(corpus.size(), 600u);
    int matched = 0, compared = 0;
    std::string mismatches;
    for (const CorpusEntry& entry : corpus) {
        if (entry.kind == "geocentric") continue; // no operation asks for one by code
        ++compared;
        std::wstring code(entry.id.begin(), entry.id.end());
        const CS_Info* byCode = Create(entry.kind, code.c_str());
        std::wstring reason = epsg.GetLastFailure();
        const CS_CoordinateSystem* read = factory.CreateFromWKT(entry.wkt.c_str());
        if (byCode != nullptr && byCode == read) {
            ++matched;
        } else {
            mismatches += entry.id + " (" + QuarnEncodeUtf8(reason) + ")\n";
        }
    }
    EXPECT_EQ(matched, compared) << mismatches;
}

TEST_F(EpsgTest, NamesAndDatumNames) {
    EXPECT_EQ(std::wstring(epsg.DescriptionText(L"4326")) + L"|" + epsg.WKTGeoidName(L"6326") +
                  L"|" + epsg.GeoidFromWKTName(L"WGS_1984"),
              L"WGS 84|WGS_1984|6326");
    EXPECT_EQ(epsg.GeoidFromWKTName(L"World Geodetic System 1984"), nullptr);
    EXPECT_STREQ(epsg.GetLastFailure(), L"no geodetic datum that WKT 1 names \"World Geodetic "
                                        L"System 1984\" in the database");
    EXPECT_TRUE(epsg.WKTGeoidName(L"5103") == nullptr &&
                epsg.DescriptionText(L"999999") == nullptr);
    EXPECT_STREQ(epsg.GetLastFailure(), L"EPSG:999999: no object of this code in the database");
}

TEST_F(EpsgTest, FailuresGiveNullAndAReason) {
    const struct {
        const char* kind;
        const wchar_t* code;
        const wchar_t* reason;
    } cases[] = {
        {"projected", L"4326",
         L"EPSG:4326 is a geographic coordinate system, not a projected coordinate system"},
        {"angular unit", L"9201", L"EPSG:9201 is a scale unit, not an angular unit"},
        {"geographic", L"4979",
         L"EPSG:4979 (WGS 84) has no WKT 1 form (PROJ: proj_as_wkt: WKT1 does not support "
         L"Geographic 3D CRS.)"},
        {"geographic", L"999999",
         L"EPSG:999999: no geographic coordinate system of this code in the database (PROJ: "
         L"proj_create_from_database: crs not found)"},
        {"geographic", L"123456789",
         L"EPSG:123456789: no geographic coordinate system of this code in the database (PROJ: "
         L"proj_create_from_database: crs not found)"},
    };
    for (const auto& c : cases)
        for (const char* time : {"first", "asked again"}) {
            EXPECT_EQ(Create(c.kind, c.code), nullptr) << time;
            EXPECT_STREQ(epsg.GetLastFailure(), c.reason) << time;
        }
    for (const wchar_t* code : {static_cast<const wchar_t*>(nullptr), L"EPSG:", L"ESRI:102100",
                                L"4326x", L"-4326", L"1234567890"}) {
        EXPECT_EQ(epsg.CreateGeographicCoordinateSystem(code), nullptr);
        EXPECT_STREQ(epsg.GetLastFailure(), L"not an EPSG code: expected 4326 or EPSG:4326");
    }
    EXPECT_EQ(factory.GetProductLine(kQuarnGeographicCS).GetSize(), 0);
    EXPECT_NE(epsg.CreateAngularUnit(L"9122"), nullptr);
    EXPECT_STREQ(epsg.GetLastFailure(), L""); // after a success, no failure of before
}

} // namespace
