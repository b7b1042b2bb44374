// Interchange WKT and the UTF-8 face: texts of each dialect written out by hand and what a
// dialect refuses and why (the corpus is measured against PROJ where it is installed).
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quarn::WktDialect;

const CS_CoordinateSystem* Read(CQuarnCoordinateSystemFactory& factory, const std::string& wkt) {
    const CS_CoordinateSystem* system = quarn::FromWkt(factory, wkt);
    EXPECT_NE(system, nullptr) << wkt;
    return system;
}

const std::string kWgs84 =
    R"w(GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w";
const std::string kWgs84Esri =
    R"w(GEOGCS["WGS_84",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])w";

struct Written {
    const char* what;
    std::string in;
    std::string gdal; // "=" for the text read
    std::string esri;
};

const Written kWritten[] = {
    {"axes other than the default, authorities, no shift",
     R"w(GEOGCS["NAD27",DATUM["North_American_Datum_1927",SPHEROID["Clarke 1866",6378206.4,294.978698213898,AUTHORITY["EPSG","7008"]],AUTHORITY["EPSG","6267"]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433,AUTHORITY["EPSG","9122"]],AXIS["Latitude",NORTH],AXIS["Longitude",EAST],AUTHORITY["EPSG","4267"]])w",
     "=",
     R"w(GEOGCS["NAD27",DATUM["D_North_American_1927",SPHEROID["Clarke_1866",6378206.4,294.978698213898]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])w"},
    {"a shift, a meridian off Greenwich in grads, the one-parallel Lambert conic",
     R"w(PROJCS["NTF (Paris) / Lambert zone II",GEOGCS["NTF (Paris)",DATUM["Nouvelle_Triangulation_Francaise_Paris",SPHEROID["Clarke 1880 (IGN)",6378249.2,293.466021293627],TOWGS84[-168,-60,320,0,0,0,0]],PRIMEM["Paris",2.33722917],UNIT["grad",0.0157079632679489]],PROJECTION["Lambert_Conformal_Conic_1SP"],PARAMETER["latitude_of_origin",52],PARAMETER["central_meridian",0],PARAMETER["scale_factor",0.99987742],PARAMETER["false_easting",600000],PARAMETER["false_northing",2200000],UNIT["metre",1],AXIS["X",EAST],AXIS["Y",NORTH]])w", R"w(PROJCS["NTF (Paris) / Lambert zone II",GEOGCS["NTF (Paris)",DATUM["Nouvelle_Triangulation_Francaise_Paris",SPHEROID["Clarke 1880 (IGN)",6378249.2,293.466021293627],TOWGS84[-168,-60,320,0,0,0,0]],PRIMEM["Paris",2.33722917],UNIT["grad",0.0157079632679489]],PROJECTION["Lambert_Conformal_Conic_1SP"],PARAMETER["latitude_of_origin",52],PARAMETER["central_meridian",0],PARAMETER["scale_factor",0.99987742],PARAMETER["false_easting",600000],PARAMETER["false_northing",2200000],UNIT["metre",1]])w", R"w(PROJCS["NTF_Paris_Lambert_zone_II",GEOGCS["NTF_Paris",DATUM["D_NTF",SPHEROID["Clarke_1880_IGN",6378249.2,293.466021293627]],PRIMEM["Paris",2.33722917],UNIT["Grad",0.0157079632679489]],PROJECTION["Lambert_Conformal_Conic"],PARAMETER["Latitude_Of_Origin",52.0],PARAMETER["Central_Meridian",0.0],PARAMETER["Scale_Factor",0.99987742],PARAMETER["False_Easting",600000.0],PARAMETER["False_Northing",2200000.0],PARAMETER["Standard_Parallel_1",52.0],UNIT["Meter",1.0]])w"},
    {"depths",
     R"w(VERT_CS["NAVD88 depth",VERT_DATUM["North American Vertical Datum 1988",2005],UNIT["metre",1],AXIS["Depth",DOWN]])w",
     "=",
     R"w(VERTCS["NAVD88_depth",VDATUM["North_American_Vertical_Datum_1988"],PARAMETER["Vertical_Shift",0.0],PARAMETER["Direction",-1.0],UNIT["Meter",1.0]])w"},
    {"a compound, which ESRI writes as two siblings",
     R"w(COMPD_CS["WGS 84 + EGM96 height",GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]],VERT_CS["EGM96 height",VERT_DATUM["EGM96 geoid",2005],UNIT["metre",1]]])w", "=", R"w(GEOGCS["WGS_84",DATUM["D_WGS_1984",SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]],VERTCS["EGM96_height",VDATUM["EGM96_Geoid"],PARAMETER["Vertical_Shift",0.0],PARAMETER["Direction",1.0],UNIT["Meter",1.0]])w"},
    {"geocentric axes are written when they are not the default ones; ESRI has none",
     R"w(GEOCCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],PRIMEM["Greenwich",0],UNIT["metre",1],AXIS["Geocentric X",OTHER],AXIS["Geocentric Y",EAST],AXIS["Geocentric Z",NORTH]])w",
     "=", ""},
    {"a local system: GDAL has a form, ESRI none",
     R"w(LOCAL_CS["Site",LOCAL_DATUM["Site datum",10000],UNIT["metre",1],AXIS["X",EAST],AXIS["Y",NORTH]])w",
     "=", ""},
    {"a datum defined by grid files has no form in either",
     R"w(GEOGCS["G",DATUM["D 3DIM",SPHEROID["S",6378137,298.257223563],TOWGS84[0,0,0,0,0,0,0],THREEDIM["a.lbf","b.cop"]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w",
     "", ""},
    {"a method of this library's own has no form in either",
     R"w(PROJCS["P",GEOGCS["G",DATUM["D",SPHEROID["S",6378137,298.257223563]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]],PROJECTION["Transverse_Mercator_OSTN02"],UNIT["metre",1]])w",
     "", ""},
    {"a datum the Esri names know by its code only",
     R"w(GEOGCS["ED50",DATUM["ED50_by_code",SPHEROID["International 1924",6378388,297],AUTHORITY["EPSG","6230"]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w",
     "=",
     R"w(GEOGCS["ED50",DATUM["D_European_1950",SPHEROID["International_1924",6378388.0,297.0]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])w"},
    {"rotations keep their sign; a name ending in a bare ~; a datum the Esri names know by name",
     R"w(GEOGCS["G~",DATUM["European_Datum_1950",SPHEROID["International 1924",6378388,297],TOWGS84[-87,-98,-121,0.5,-0.25,1,2]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w",
     "=",
     R"w(GEOGCS["G",DATUM["D_European_1950",SPHEROID["International_1924",6378388.0,297.0]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])w"},
    {"a unit whose EPSG code a datum shares",
     R"w(VERT_CS["h",VERT_DATUM["d",2005],UNIT["millimetre",0.001,AUTHORITY["EPSG","1025"]]])w",
     "=",
     R"w(VERTCS["h",VDATUM["d"],PARAMETER["Vertical_Shift",0.0],PARAMETER["Direction",1.0],UNIT["Millimeter",0.001]])w"},
};

// Projections under ESRI's names and parameters: the PROJECTION and PARAMETER elements of a
// projected system on WGS 84 in metres, as read and as the Esri dialect writes them.
const std::pair<const char*, const char*> kEsriProjections[] = {
    {R"w(PROJECTION["Cassini_Soldner"],PARAMETER["latitude_of_origin",10.5],PARAMETER["false_easting",1e-07])w",
     R"w(PROJECTION["Cassini"],PARAMETER["Latitude_Of_Origin",10.5],PARAMETER["False_Easting",1e-07],PARAMETER["Scale_Factor",1.0])w"},
    {R"w(PROJECTION["Polar_Stereographic"],PARAMETER["latitude_of_origin",-90],PARAMETER["scale_factor",0.994])w",
     R"w(PROJECTION["Polar_Stereographic"],PARAMETER["Latitude_Of_Origin",-90.0],PARAMETER["Scale_Factor",0.994])w"},
    {R"w(PROJECTION["Polar_Stereographic"],PARAMETER["latitude_of_origin",-71],PARAMETER["central_meridian",0])w",
     R"w(PROJECTION["Stereographic_South_Pole"],PARAMETER["Standard_Parallel_1",-71.0],PARAMETER["Central_Meridian",0.0])w"},
    {R"w(PROJECTION["Mercator_1SP"],PARAMETER["central_meridian",0],PARAMETER["scale_factor",0.9])w",
     R"w(PROJECTION["Mercator"],PARAMETER["Central_Meridian",0.0],PARAMETER["Standard_Parallel_1",25.917499691810526])w"},
    {R"w(PROJECTION["Hotine_Oblique_Mercator_Azimuth_Center"],PARAMETER["latitude_of_center",4],PARAMETER["azimuth",53.3],PARAMETER["rectified_grid_angle",53.1])w",
     R"w(PROJECTION["Rectified_Skew_Orthomorphic_Center"],PARAMETER["Latitude_Of_Center",4.0],PARAMETER["Azimuth",53.3],PARAMETER["XY_Plane_Rotation",53.1])w"},
    {R"w(PROJECTION["Albers_Conic_Equal_Area"],PARAMETER["latitude_of_center",40],PARAMETER["longitude_of_center",-96])w",
     R"w(PROJECTION["Albers"],PARAMETER["Latitude_Of_Origin",40.0],PARAMETER["Central_Meridian",-96.0])w"},
    {R"w(PROJECTION["Equirectangular"],PARAMETER["latitude_of_origin",0],PARAMETER["standard_parallel_1",30])w",
     R"w(PROJECTION["Equidistant_Cylindrical"],PARAMETER["Standard_Parallel_1",30.0])w"},
};

// One writer of each dialect for all rows: a refusal's reason goes with the next success.
TEST(InterchangeWriter, WritesEachDialectAsOtherProgramsReadIt) {
    quarn::WktWriter gdal(WktDialect::Gdal), esri(WktDialect::Esri);
    for (const Written& c : kWritten) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = Read(factory, c.in);
        if (system == nullptr) continue;
        EXPECT_EQ(gdal.Write(*system), c.gdal == "=" ? c.in : c.gdal) << c.what;
        EXPECT_EQ(esri.Write(*system), c.esri) << c.what;
        EXPECT_EQ(gdal.Reason().empty(), !c.gdal.empty()) << c.what << ": " << gdal.Reason();
        EXPECT_EQ(esri.Reason().empty(), !c.esri.empty()) << c.what << ": " << esri.Reason();
    }
    for (const auto& [in, esri] : kEsriProjections) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system =
            Read(factory, "PROJCS[\"P\"," + kWgs84 + "," + in + ",UNIT[\"metre\",1]]");
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(quarn::ToWkt(*system, WktDialect::Esri),
                  "PROJCS[\"P\"," + kWgs84Esri + "," + esri + ",UNIT[\"Meter\",1.0]]");
    }
}

// The canonical text has a length limit (names are cut at 255 characters, the text at 2047):
// the writer says so, and forgets it after a success as the other dialects do (above).
TEST(InterchangeWriter, SaysWhyAndForgetsItAfterASuccess) {
    CQuarnCoordinateSystemFactory factory;
    std::string longNames =
        R"w(COMPD_CS["N",GEOGCS["N",DATUM["N",SPHEROID["N",6378137,298.257223563]],PRIMEM["N",0],UNIT["N",0.0174532925199433]],VERT_CS["N",VERT_DATUM["N",2005],UNIT["N",1]]])w";
    for (std::size_t at; (at = longNames.find("\"N\"")) != std::string::npos;)
        longNames.replace(at + 1, 1, std::string(255, 'n'));
    const CS_CoordinateSystem* refused = Read(factory, longNames);
    const CS_CoordinateSystem* geographic = Read(factory, kWritten[0].in);
    ASSERT_TRUE(refused && geographic);
    quarn::WktWriter writer(WktDialect::Canonical);
    EXPECT_EQ(writer.Write(*refused) + writer.Reason(),
              "the canonical text does not fit in 2047 characters");
    EXPECT_NE(writer.Write(*geographic), "");
    EXPECT_EQ(writer.Reason(), "");
}

TEST(InterchangeWriter, NumbersNamesAndSingleObjects) {
    CQuarnCoordinateSystemFactory factory;
    const struct {
        double factor;
        const char* gdal;
    } kNumbers[] = {{0.1 + 0.2, R"w(UNIT["u",0.30000000000000004])w"},
                    {1e-5, R"w(UNIT["u",0.00001])w"},
                    {1e25, R"w(UNIT["u",1e+25])w"},
                    {-1.5e-7, R"w(UNIT["u",-1.5e-07])w"},
                    {304800, R"w(UNIT["u",304800])w"},
                    {-4503599627370495.0, R"w(UNIT["u",-4503599627370495])w"},
                    {9007199254740992.0, R"w(UNIT["u",9007199254740992])w"}};
    for (const auto& c : kNumbers) {
        const CS_LinearUnit* unit = factory.CreateLinearUnit(L"u", c.factor);
        EXPECT_EQ(quarn::ToWkt(*unit, WktDialect::Gdal), c.gdal);
        factory.DeleteItem(unit);
    }
    // A sphere made from two equal axes is written as WKT 1 writes spheres.
    const CS_Ellipsoid* sphere = factory.CreateEllipsoid(L"Sphere", 6371000, 6371000, nullptr);
    EXPECT_EQ(quarn::ToWkt(*sphere, WktDialect::Gdal), R"w(SPHEROID["Sphere",6371000,0])w");
    // Methods of this library's own have no WKT 1 form.
    for (const wchar_t* method :
         {L"Oblique_Mercator_83", L"Lambert_Conformal_Conic_27", L"Transverse_Mercator_27",
          L"Transverse_Mercator_Alaska_27", L"Oblique_Mercator_27", L"Ground_System",
          L"Ground_System_Azimuth", L"Transverse_Mercator_OSTN02", L"Oblique_Stereographic_RD2000",
          L"Oblique_Stereographic_RD2004", L"Transverse_Mercator_34", L"Oblique_Mercator_HD72",
          L"Transverse_Mercator_GGRS87", L"Oblique_Stereographic_SP1930",
          L"Oblique_Stereographic_SP1970"})
        EXPECT_EQ(quarn::ToWkt(*factory.CreateProjection(L"", method, {}), WktDialect::Gdal), "")
            << QuarnEncodeUtf8(method);

    // The registry's unique-name suffix is the factory's business, not the text's.
    Read(
        factory,
        R"w(GEOGCS["A",DATUM["D",SPHEROID["S",6378137,298.257223563],TOWGS84[1,2,3,0,0,0,0]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w");
    const CS_CoordinateSystem* second = Read(
        factory,
        R"w(GEOGCS["B",DATUM["D",SPHEROID["S",6378137,298.257223563],TOWGS84[4,5,6,0,0,0,0.5]],PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]])w");
    ASSERT_NE(second, nullptr);
    const auto* datum =
        static_cast<const CS_GeographicCoordinateSystem*>(second)->GetHorizontalDatum();
    EXPECT_EQ(quarn::Name(*datum), "D~1");
    EXPECT_EQ(quarn::ToWkt(*datum, WktDialect::Gdal),
              R"w(DATUM["D",SPHEROID["S",6378137,298.257223563],TOWGS84[4,5,6,0,0,0,0.5]])w");
    EXPECT_EQ(quarn::ToWkt(*second), QuarnEncodeUtf8(second->GetWKT(nullptr)));
}

TEST(InterchangeFace, ReadsUtf8AndRefusesWhatIsNot) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system =
        Read(factory, "VERT_CS[\"R\xC3\xA9seau\",VERT_DATUM[\"N\",2005],UNIT[\"metre\",1],"
                      "AUTHORITY[\"X\",\"7\"]]");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(quarn::Name(*system) + quarn::Authority(*system) + quarn::AuthorityCode(*system),
              "R\xC3\xA9seauX7");

    // Ill-formed sequences (a cut one, an encoded surrogate, overlong forms, beyond U+10FFFF,
    // a stray continuation byte, C0, F5) are refused at their first byte, counted in
    // characters; the first and last code points of each length read. The text is not
    // terminated, so that a read past its end is one.
    const std::pair<std::string, std::size_t> kBytes[] = {
        {"\xC3\xA9\xC3(", 10},
        {"\xED\xA0\x80", 9},
        {"\xE0\x82\x80", 9},
        {"\xF0\x8F\xBF\xBF", 9},
        {"\xF4\x90\x80\x80", 9},
        {"\x80", 9},
        {"\xC0\xAF", 9},
        {"\xF5\x80\x80\x80", 9},
        {"\xE2\x82", 9},
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", 0}};
    for (const auto& [bytes, offset] : kBytes) {
        std::string text = "VERT_CS[\"" + bytes;
        if (offset == 0) text += "\",VERT_DATUM[\"d\",2005],UNIT[\"m\",1]]";
        std::vector<char> exact(text.begin(), text.end());
        const CS_CoordinateSystem* read =
            quarn::FromWkt(factory, std::string_view(exact.data(), exact.size()));
        const QuarnParseDiagnostic& diagnostic = factory.GetLastDiagnostic();
        if (offset == 0) {
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(quarn::Name(*read), bytes);
            continue;
        }
        EXPECT_TRUE(read == nullptr && diagnostic.syntaxError && diagnostic.offset == offset)
            << bytes;
        EXPECT_EQ(diagnostic.token, L"invalid UTF-8") << bytes;
    }
    // A lone surrogate in a name has no UTF-8 form: it is written as U+FFFD.
    EXPECT_EQ(quarn::Name(*factory.CreateLinearUnit(L"\xD800", 7)), "\xEF\xBF\xBD");
}

} // namespace
