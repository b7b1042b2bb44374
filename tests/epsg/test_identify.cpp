// The identifier on PROJ's database: the confidence steps, the systems other tools found
// hard to identify written as ESRI writes them, compounds, the cache and the failures.
#include <quarn/identify.h>
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <proj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using quarn::WktDialect;

// The cache goes to a folder of the test's own.
const std::string kCacheHome = [] {
    const std::string folder = (std::filesystem::temp_directory_path() /
                                ("quarn-identify-test-" + std::to_string(getpid())))
                                   .string();
    setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    return folder;
}();

class IdentifyTest : public ::testing::Test {
protected:
    static quarn::EpsgIdentifier& Identifier() {
        static quarn::EpsgIdentifier identifier;
        return identifier;
    }
    CQuarnCoordinateSystemFactory factory;

    std::vector<quarn::Match> Identify(const std::string& text, WktDialect dialect,
                                       int minConfidence = 0) {
        const CS_CoordinateSystem* system = quarn::FromWkt(factory, text, dialect);
        EXPECT_NE(system, nullptr) << text;
        if (system == nullptr) return {};
        return Identifier().Identify(*system, minConfidence);
    }
    // The top match as "CODE CONFIDENCE".
    std::string Top(const std::string& text, WktDialect dialect) {
        auto matches = Identify(text, dialect);
        return matches.empty() ? "none"
                               : matches[0].code + " " + std::to_string(matches[0].confidence);
    }
};

const std::string kUtm15Esri =
    "PROJCS[\"NAD_1983_UTM_Zone_15N\",GEOGCS[\"GCS_North_American_1983\",DATUM["
    "\"D_North_American_1983\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM["
    "\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],PARAMETER["
    "\"Central_Meridian\",-93.0],PARAMETER[\"Scale_Factor\",0.9996],PARAMETER["
    "\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST_F(IdentifyTest, ConfidenceSteps) {
    EXPECT_EQ(Top(kUtm15Esri, WktDialect::Esri), "26915 100");
    // The datum known, the name not: the one current system of that meaning.
    EXPECT_EQ(Top(Replace(kUtm15Esri, "NAD_1983_UTM_Zone_15N", "My grid"), WktDialect::Esri),
              "26915 90");
    // The datum known by its ellipsoid only.
    const std::string unknownDatum = Replace(kUtm15Esri, "D_North_American_1983", "D_Unknown");
    EXPECT_EQ(Top(unknownDatum, WktDialect::Esri), "26915 70");
    auto matches =
        Identify(Replace(unknownDatum, "NAD_1983_UTM_Zone_15N", "My grid"), WktDialect::Esri);
    ASSERT_GT(matches.size(), 3u); // every GRS 1980 datum with this UTM zone
    for (const quarn::Match& match : matches)
        EXPECT_EQ(match.confidence, 50) << match.code;
    // The name agrees, the meaning does not.
    matches = Identify(Replace(kUtm15Esri, "500000.0", "501234.5"), WktDialect::Esri);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].code + " " + std::to_string(matches[0].confidence), "26915 25");
    EXPECT_TRUE(
        Identify(Replace(kUtm15Esri, "500000.0", "501234.5"), WktDialect::Esri, 70).empty());
}

// Systems users found scored low or missed, written by PROJ's ESRI writer.
TEST_F(IdentifyTest, HardCasesAsEsriWritesThem) {
    PJ_CONTEXT* context = proj_context_create();
    for (const char* code : {"3059", "8353", "2193", "3912", "4544", "2954", "3035"}) {
        PJ* crs = proj_create_from_database(context, "EPSG", code, PJ_CATEGORY_CRS, 0, nullptr);
        ASSERT_NE(crs, nullptr) << code;
        const char* esri = proj_as_wkt(context, crs, PJ_WKT1_ESRI, nullptr);
        ASSERT_NE(esri, nullptr) << code;
        EXPECT_EQ(Top(esri, WktDialect::Esri), std::string(code) + " 100") << esri;
        proj_destroy(crs);
    }
    proj_context_destroy(context);
}

TEST_F(IdentifyTest, CompoundsAndThreeDimensions) {
    const std::string wgs84 = "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,"
                              "298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
                              "0.0174532925199433]]";
    const std::string egm96 = "VERT_CS[\"EGM96 height\",VERT_DATUM[\"EGM96 geoid\",2005],UNIT["
                              "\"metre\",1],AXIS[\"Gravity-related height\",UP]]";
    auto matches = Identify("COMPD_CS[\"WGS 84 + EGM96 height\"," + wgs84 + "," + egm96 + "]",
                            WktDialect::Gdal);
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(matches[0].code, "9707");
    EXPECT_EQ(matches[0].confidence, 100);
    // A pair the database does not have: named by its parts.
    const std::string navd88 = "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical "
                               "Datum 1988\",2005],UNIT[\"metre\",1],AXIS[\"Up\",UP]]";
    matches = Identify("COMPD_CS[\"x\"," + wgs84 + "," + navd88 + "]", WktDialect::Gdal);
    ASSERT_FALSE(matches.empty());
    EXPECT_EQ(matches[0].code, "4326+5703");
    EXPECT_EQ(matches[0].name, "");
    ASSERT_EQ(matches[0].parts.size(), 2u);
    EXPECT_EQ(matches[0].parts[0].name + " + " + matches[0].parts[1].name,
              "WGS 84 + NAVD88 height");
    EXPECT_EQ(Top("GEOGCS[\"TWD_1997_3D\",DATUM[\"D_TWD_1997\",SPHEROID[\"GRS_1980\",6378137.0,"
                  "298.257222101]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433],"
                  "LINUNIT[\"Meter\",1.0]]",
                  WktDialect::Esri),
              "3823 100");
}

TEST_F(IdentifyTest, AddsNothingToTheFactory) {
    const CS_CoordinateSystem* system = quarn::FromWkt(factory, kUtm15Esri, WktDialect::Esri);
    ASSERT_NE(system, nullptr);
    std::vector<long> before;
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        before.push_back(factory.GetProductLine(type).GetSize());
    Identifier().Identify(*system);
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        EXPECT_EQ(factory.GetProductLine(type).GetSize(), before[type]) << type;
}

TEST_F(IdentifyTest, Failures) {
    const CS_CoordinateSystem* local = quarn::FromWkt(
        factory, "LOCAL_CS[\"site\",LOCAL_DATUM[\"d\",10000],UNIT[\"metre\",1],AXIS[\"X\",EAST],"
                 "AXIS[\"Y\",NORTH]]");
    ASSERT_NE(local, nullptr);
    EXPECT_TRUE(Identifier().Identify(*local).empty());
    EXPECT_EQ(Identifier().LastFailure(), "");

    const CS_CoordinateSystem* utm = quarn::FromWkt(factory, kUtm15Esri, WktDialect::Esri);
    quarn::EpsgIdentifier missing("/nonexistent/proj.db");
    EXPECT_TRUE(missing.Identify(*utm).empty());
    EXPECT_NE(missing.LastFailure(), "");
}

// A damaged or foreign cache file is rebuilt, never believed.
TEST_F(IdentifyTest, DamagedCacheIsRebuilt) {
    const CS_CoordinateSystem* utm = quarn::FromWkt(factory, kUtm15Esri, WktDialect::Esri);
    Identifier().Identify(*utm); // writes the cache
    std::filesystem::path file;
    for (const auto& entry : std::filesystem::directory_iterator(kCacheHome + "/quarn"))
        file = entry.path();
    ASSERT_FALSE(file.empty());
    const auto size = std::filesystem::file_size(file);
    for (auto damage : {0, 1, 2}) {
        {
            std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
            if (damage == 0) f.seekp(static_cast<std::streamoff>(size / 2)), f.put('\x7f');
            if (damage == 1) f.seekp(0), f.put('X');
        }
        if (damage == 2) std::filesystem::resize_file(file, size / 3);
        quarn::EpsgIdentifier fresh;
        auto matches = fresh.Identify(*utm);
        ASSERT_FALSE(matches.empty()) << damage;
        EXPECT_EQ(matches[0].code, "26915") << damage;
        EXPECT_EQ(std::filesystem::file_size(file), size) << damage; // written again
    }
    std::filesystem::remove_all(kCacheHome);
}

} // namespace
