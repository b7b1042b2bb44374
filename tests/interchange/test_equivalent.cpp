// Equivalence of meaning: the same system written in the three dialects, and pairs that
// differ in one thing only.
#include <quarn/equivalent.h>
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using quarn::WktDialect;

struct Pair {
    const char* what;
    const char* a;
    WktDialect aDialect;
    const char* b;
    WktDialect bDialect;
    bool equivalent;
};

// OSGB 1936 / British National Grid as each dialect writes it.
const char kBngGdal[] =
    "PROJCS[\"OSGB36 / British National Grid\",GEOGCS[\"OSGB36\",DATUM[\"Ordnance_Survey_of_"
    "Great_Britain_1936\",SPHEROID[\"Airy 1830\",6377563.396,299.3249646]],PRIMEM["
    "\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS["
    "\"Longitude\",EAST]],PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\","
    "49],PARAMETER[\"central_meridian\",-2],PARAMETER[\"scale_factor\",0.9996012717],PARAMETER["
    "\"false_easting\",400000],PARAMETER[\"false_northing\",-100000],UNIT[\"metre\",1],AXIS["
    "\"Easting\",EAST],AXIS[\"Northing\",NORTH]]";
const char kBngEsri[] =
    "PROJCS[\"British_National_Grid\",GEOGCS[\"GCS_OSGB_1936\",DATUM[\"D_OSGB_1936\",SPHEROID["
    "\"Airy_1830\",6377563.396,299.3249646]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\","
    "0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\","
    "400000.0],PARAMETER[\"False_Northing\",-100000.0],PARAMETER[\"Central_Meridian\",-2.0],"
    "PARAMETER[\"Scale_Factor\",0.9996012717],PARAMETER[\"Latitude_Of_Origin\",49.0],UNIT["
    "\"Meter\",1.0]]";
const char kBngCanonical[] =
    "PROJCS[\"My grid\",GEOGCS[\"g\",DATUM[\"OSGB 1936\",SPHEROID[\"Airy\",6377563.396,"
    "299.3249646]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION["
    "\"Transverse_Mercator\"],PARAMETER[\"false_northing\",-100000],PARAMETER[\"false_easting\","
    "400000],PARAMETER[\"scale_factor\",0.9996012717],PARAMETER[\"central_meridian\",-2],"
    "PARAMETER[\"latitude_of_origin\",49],UNIT[\"metre\",1]]";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

const std::string kMoved = Replace(kBngEsri, "400000.0", "401234.5");
const std::string kFeet = Replace(
    Replace(Replace(kBngEsri, "UNIT[\"Meter\",1.0]", "UNIT[\"Foot_US\",0.3048006096012192]"),
            "400000.0", "1312333.3333333333"),
    "-100000.0", "-328083.3333333333");
const std::string kFeetSameNumbers =
    Replace(kBngEsri, "UNIT[\"Meter\",1.0]", "UNIT[\"Foot_US\",0.3048006096012192]");
const std::string kUnknownDatum = Replace(kBngEsri, "D_OSGB_1936", "D_Unknown");
const std::string kOtherDatum = Replace(kBngEsri, "D_OSGB_1936", "D_WGS_1984");
const std::string kNorthFirst = Replace(kBngGdal, "AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]",
                                        "AXIS[\"Northing\",NORTH],AXIS[\"Easting\",EAST]");
const std::string kAxisLess =
    Replace(kBngGdal, ",AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]", "");
const std::string kLongerAxis = Replace(kBngEsri, "6377563.396", "6377563.397");
const std::string kFlatter = Replace(kBngEsri, "299.3249646", "299.3249676");

const char kWgs84Gdal[] =
    "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM["
    "\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS["
    "\"Longitude\",EAST]]";
const char kWgs84Esri[] =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
    "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
const char kWgs84Grads[] =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
    "PRIMEM[\"Greenwich\",0.0],UNIT[\"Grad\",0.01570796326794897]]";

// NTF (Paris): GDAL writes the meridian in the system's grads, ESRI in degrees.
const char kNtfGdal[] =
    "GEOGCS[\"NTF (Paris)\",DATUM[\"Nouvelle_Triangulation_Francaise_Paris\",SPHEROID[\"Clarke "
    "1880 (IGN)\",6378249.2,293.466021293627]],PRIMEM[\"Paris\",2.5969213],UNIT[\"grad\","
    "0.0157079632679489]]";
const char kNtfEsri[] =
    "GEOGCS[\"GCS_NTF_Paris\",DATUM[\"D_NTF\",SPHEROID[\"Clarke_1880_IGN\",6378249.2,"
    "293.466021293627]],PRIMEM[\"Paris\",2.33722917],UNIT[\"Grad\",0.0157079632679489]]";

#define QUARN_NAD83                                                                                \
    "GEOGCS[\"NAD83\",DATUM[\"North_American_Datum_1983\",SPHEROID[\"GRS "                         \
    "1980\",6378137,298.257222101]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]"
#define QUARN_NAD83_ESRI                                                                           \
    "GEOGCS[\"GCS_North_American_1983\",DATUM[\"D_North_American_1983\",SPHEROID[\"GRS_1980\","    \
    "6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]"

// Variants of one method told apart by their parameters.
const char kLcc1Gdal[] = "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Lambert_Conformal_Conic_1SP\"],"
                         "PARAMETER[\"latitude_of_origin\",18],PARAMETER[\"central_meridian\",-77],"
                         "PARAMETER[\"scale_factor\",1],PARAMETER[\"false_easting\",250000],"
                         "PARAMETER[\"false_northing\",150000],UNIT[\"metre\",1]]";
const char kLcc1Esri[] =
    "PROJCS[\"b\"," QUARN_NAD83_ESRI ",PROJECTION[\"Lambert_Conformal_Conic\"],"
    "PARAMETER[\"False_Easting\",250000.0],PARAMETER[\"False_Northing\",150000.0],"
    "PARAMETER[\"Central_Meridian\",-77.0],PARAMETER[\"Standard_Parallel_1\",18.0],"
    "PARAMETER[\"Scale_Factor\",1.0],PARAMETER[\"Latitude_Of_Origin\",18.0],"
    "UNIT[\"Meter\",1.0]]";
const char kLcc2Gdal[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Lambert_Conformal_Conic_2SP\"],"
    "PARAMETER[\"standard_parallel_1\",18],PARAMETER[\"standard_parallel_2\",20],"
    "PARAMETER[\"latitude_of_origin\",18],PARAMETER[\"central_meridian\",-77],"
    "PARAMETER[\"false_easting\",250000],PARAMETER[\"false_northing\",150000],"
    "UNIT[\"metre\",1]]";
const char kLcc2Swapped[] =
    "PROJCS[\"b\"," QUARN_NAD83_ESRI ",PROJECTION[\"Lambert_Conformal_Conic\"],"
    "PARAMETER[\"False_Easting\",250000.0],PARAMETER[\"False_Northing\",150000.0],"
    "PARAMETER[\"Central_Meridian\",-77.0],PARAMETER[\"Standard_Parallel_1\",20.0],"
    "PARAMETER[\"Standard_Parallel_2\",18.0],PARAMETER[\"Scale_Factor\",1.0],"
    "PARAMETER[\"Latitude_Of_Origin\",18.0],UNIT[\"Meter\",1.0]]";
const char kMercator1[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Mercator_1SP\"],"
    "PARAMETER[\"central_meridian\",110],PARAMETER[\"scale_factor\",0.997],"
    "PARAMETER[\"false_easting\",3900000],PARAMETER[\"false_northing\",900000],"
    "UNIT[\"metre\",1]]";
// The parallel at which the GRS 1980 Mercator has the scale 0.997 at the equator.
const char kMercatorEsri[] =
    "PROJCS[\"b\"," QUARN_NAD83_ESRI ",PROJECTION[\"Mercator\"],"
    "PARAMETER[\"False_Easting\",3900000.0],PARAMETER[\"False_Northing\",900000.0],"
    "PARAMETER[\"Central_Meridian\",110.0],"
    "PARAMETER[\"Standard_Parallel_1\",4.454096223328282],UNIT[\"Meter\",1.0]]";
const char kPolarBGdal[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Polar_Stereographic\"],"
    "PARAMETER[\"latitude_of_origin\",-71],PARAMETER[\"central_meridian\",0],"
    "PARAMETER[\"scale_factor\",1],PARAMETER[\"false_easting\",0],"
    "PARAMETER[\"false_northing\",0],UNIT[\"metre\",1]]";
const char kPolarBEsri[] =
    "PROJCS[\"b\"," QUARN_NAD83_ESRI ",PROJECTION[\"Stereographic_South_Pole\"],"
    "PARAMETER[\"False_Easting\",0.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Central_Meridian\",0.0],PARAMETER[\"Standard_Parallel_1\",-71.0],"
    "UNIT[\"Meter\",1.0]]";
const char kPolarAGdal[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Polar_Stereographic\"],"
    "PARAMETER[\"latitude_of_origin\",-90],PARAMETER[\"central_meridian\",0],"
    "PARAMETER[\"scale_factor\",1],PARAMETER[\"false_easting\",0],"
    "PARAMETER[\"false_northing\",0],UNIT[\"metre\",1]]";
const char kHotineGdal[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Hotine_Oblique_Mercator_Azimuth_Center\"],"
    "PARAMETER[\"latitude_of_center\",57],PARAMETER[\"longitude_of_center\",-133.6666666666667],"
    "PARAMETER[\"azimuth\",323.1301023611111],PARAMETER[\"rectified_grid_angle\",323.1301023611111]"
    ","
    "PARAMETER[\"scale_factor\",0.9999],PARAMETER[\"false_easting\",5000000],"
    "PARAMETER[\"false_northing\",-5000000],UNIT[\"metre\",1]]";
const char kHotineEsri[] =
    "PROJCS[\"b\"," QUARN_NAD83_ESRI ",PROJECTION[\"Hotine_Oblique_Mercator_Azimuth_Center\"],"
    "PARAMETER[\"False_Easting\",5000000.0],PARAMETER[\"False_Northing\",-5000000.0],"
    "PARAMETER[\"Scale_Factor\",0.9999],PARAMETER[\"Azimuth\",323.1301023611111],"
    "PARAMETER[\"Longitude_Of_Center\",-133.6666666666667],"
    "PARAMETER[\"Latitude_Of_Center\",57.0],UNIT[\"Meter\",1.0]]";
const char kHotineA[] =
    "PROJCS[\"a\"," QUARN_NAD83 ",PROJECTION[\"Hotine_Oblique_Mercator\"],"
    "PARAMETER[\"latitude_of_center\",57],PARAMETER[\"longitude_of_center\",-133.6666666666667],"
    "PARAMETER[\"azimuth\",323.1301023611111],PARAMETER[\"rectified_grid_angle\",323.1301023611111]"
    ","
    "PARAMETER[\"scale_factor\",0.9999],PARAMETER[\"false_easting\",5000000],"
    "PARAMETER[\"false_northing\",-5000000],UNIT[\"metre\",1]]";

const Pair kPairs[] = {
    {"GDAL and ESRI", kBngGdal, WktDialect::Gdal, kBngEsri, WktDialect::Esri, true},
    {"ESRI and canonical", kBngEsri, WktDialect::Esri, kBngCanonical, WktDialect::Canonical, true},
    {"a false easting moved", kBngEsri, WktDialect::Esri, kMoved.c_str(), WktDialect::Esri, false},
    {"the same numbers in feet", kBngEsri, WktDialect::Esri, kFeetSameNumbers.c_str(),
     WktDialect::Esri, false},
    {"the same place in feet", kBngEsri, WktDialect::Esri, kFeet.c_str(), WktDialect::Esri, false},
    {"an unknown datum by its ellipsoid", kBngEsri, WktDialect::Esri, kUnknownDatum.c_str(),
     WktDialect::Esri, true},
    {"another known datum", kBngEsri, WktDialect::Esri, kOtherDatum.c_str(), WktDialect::Esri,
     false},
    {"projected axes in another order", kBngGdal, WktDialect::Gdal, kNorthFirst.c_str(),
     WktDialect::Gdal, false},
    {"projected axes stated on one side only", kAxisLess.c_str(), WktDialect::Gdal,
     kNorthFirst.c_str(), WktDialect::Gdal, true},
    {"a semi-major axis 1 mm longer", kBngEsri, WktDialect::Esri, kLongerAxis.c_str(),
     WktDialect::Esri, false},
    {"an inverse flattening 1e-8 apart", kBngEsri, WktDialect::Esri, kFlatter.c_str(),
     WktDialect::Esri, false},
    {"geographic latitude first and without axes", kWgs84Gdal, WktDialect::Gdal, kWgs84Esri,
     WktDialect::Esri, true},
    {"geographic in grads", kWgs84Esri, WktDialect::Esri, kWgs84Grads, WktDialect::Esri, false},
    {"a prime meridian in grads and in degrees", kNtfGdal, WktDialect::Gdal, kNtfEsri,
     WktDialect::Esri, true},
    {"Lambert 1SP as GDAL and ESRI write it", kLcc1Gdal, WktDialect::Gdal, kLcc1Esri,
     WktDialect::Esri, true},
    {"Lambert 2SP with its parallels swapped", kLcc2Gdal, WktDialect::Gdal, kLcc2Swapped,
     WktDialect::Esri, true},
    {"Lambert 1SP and 2SP", kLcc1Esri, WktDialect::Esri, kLcc2Gdal, WktDialect::Gdal, false},
    {"Mercator by scale and by parallel", kMercator1, WktDialect::Gdal, kMercatorEsri,
     WktDialect::Esri, true},
    {"polar stereographic B as GDAL and ESRI write it", kPolarBGdal, WktDialect::Gdal, kPolarBEsri,
     WktDialect::Esri, true},
    {"polar stereographic A and B", kPolarAGdal, WktDialect::Gdal, kPolarBGdal, WktDialect::Gdal,
     false},
    {"Hotine B without its grid angle", kHotineGdal, WktDialect::Gdal, kHotineEsri,
     WktDialect::Esri, true},
    {"Hotine A and B", kHotineA, WktDialect::Gdal, kHotineGdal, WktDialect::Gdal, false},
};

TEST(Equivalent, PairsOfTexts) {
    for (const Pair& pair : kPairs) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* a = quarn::FromWkt(factory, pair.a, pair.aDialect);
        const CS_CoordinateSystem* b = quarn::FromWkt(factory, pair.b, pair.bDialect);
        ASSERT_NE(a, nullptr) << pair.what;
        ASSERT_NE(b, nullptr) << pair.what;
        EXPECT_EQ(quarn::Equivalent(*a, *b), pair.equivalent) << pair.what;
        EXPECT_EQ(quarn::Equivalent(*b, *a), pair.equivalent) << pair.what << " (reversed)";
    }
}

TEST(Equivalent, KindsAndParts) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* geographic = quarn::FromWkt(factory, kWgs84Esri, WktDialect::Esri);
    const CS_CoordinateSystem* threeD = quarn::FromWkt(
        factory,
        "GEOGCS[\"WGS_1984_3D\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
        "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433],"
        "LINUNIT[\"Meter\",1.0]]",
        WktDialect::Esri);
    const CS_CoordinateSystem* egm96 = quarn::FromWkt(
        factory, "VERT_CS[\"EGM96 height\",VERT_DATUM[\"EGM96 geoid\",2005],UNIT[\"metre\",1]]");
    const CS_CoordinateSystem* someHeight =
        quarn::FromWkt(factory,
                       "VERTCS[\"h\",VDATUM[\"My levelling\"],PARAMETER[\"Vertical_Shift\",0.0],"
                       "PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]",
                       WktDialect::Esri);
    const CS_CoordinateSystem* navd88 = quarn::FromWkt(
        factory, "VERT_CS[\"NAVD88\",VERT_DATUM[\"North American Vertical Datum 1988\",2005],"
                 "UNIT[\"metre\",1]]");
    const CS_CoordinateSystem* depth = quarn::FromWkt(
        factory,
        "VERT_CS[\"d\",VERT_DATUM[\"EGM96 geoid\",2005],UNIT[\"metre\",1],AXIS[\"D\",DOWN]]");
    ASSERT_TRUE(geographic && threeD && egm96 && someHeight && navd88 && depth);
    quarn::Meaning meaning;
    ASSERT_TRUE(quarn::Describe(*threeD, meaning));
    EXPECT_EQ(meaning.kind, quarn::MeaningKind::Geographic3D);
    EXPECT_EQ(meaning.datumCode, 6326);
    EXPECT_FALSE(quarn::Equivalent(*geographic, *threeD));
    EXPECT_TRUE(quarn::Equivalent(*egm96, *someHeight)); // an unknown vertical datum
    EXPECT_FALSE(quarn::Equivalent(*egm96, *navd88));    // two known ones
    EXPECT_FALSE(quarn::Equivalent(*egm96, *depth));     // up and down
    EXPECT_FALSE(quarn::Equivalent(*egm96, *geographic));
}

} // namespace
