// WKT 2 in and out: one hand-written WKT 2 text per kind of system with the canonical text it
// stands for, every refusal with its diagnostic, the writer's text of each kind, and the
// table of methods and parameters by rows, both ways.
#include "interchange/ProjectionMethods.h"
#include "interchange/Wkt2Internal.h"
#include "interchange/Wkt2Names.h"
#include <quarn/interchange.h>
#include <quarn/interchange/WktDialects.h>
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using quarn::WktDialect;

const std::wstring kDeg = L"ANGLEUNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"LENGTHUNIT[\"metre\",1]";
const std::wstring kWgs84Datum =
    L"ENSEMBLE[\"World Geodetic System 1984 ensemble\",MEMBER[\"World Geodetic System 1984 "
    L"(G730)\"],ELLIPSOID[\"WGS 84\",6378137,298.257223563," +
    kMetre + L"],ENSEMBLEACCURACY[2.0]]";
const std::wstring kNtfBase =
    L"BASEGEOGCRS[\"NTF (Paris)\",DATUM[\"Nouvelle Triangulation Francaise (Paris)\","
    L"ELLIPSOID[\"Clarke 1880 (IGN)\",6378249.2,293.466021293627," +
    kMetre +
    L"]],PRIMEM[\"Paris\",2.5969213,ANGLEUNIT[\"grad\",0.0157079632679489]],ID[\"EPSG\",4807]]";

struct Case {
    const char* what;
    std::wstring wkt2;
    std::wstring canonical;
};

const Case kReadCases[] = {
    {"geographic, 2019, ensemble, usage left aside",
     L"GEOGCRS[\"WGS 84\"," + kWgs84Datum + L",PRIMEM[\"Greenwich\",0," + kDeg +
         L"],CS[ellipsoidal,2],AXIS[\"geodetic latitude (Lat)\",north,ORDER[1]," + kDeg +
         L"],AXIS[\"geodetic longitude (Lon)\",east,ORDER[2]," + kDeg +
         L"],USAGE[SCOPE[\"Horizontal component of 3D system.\"],AREA[\"World.\"],BBOX[-90,-180,"
         L"90,180]],ID[\"EPSG\",4326]]",
     L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM["
     L"\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS["
     L"\"Longitude\",EAST],AUTHORITY[\"EPSG\",\"4326\"]]"},
    {"geographic 3D, simplified 2015: the compound with an ellipsoidal height",
     L"GEODCRS[\"ETRS89\",DATUM[\"European Terrestrial Reference System 1989\",ELLIPSOID["
     L"\"GRS 1980\",6378137,298.257222101]],CS[ellipsoidal,3],AXIS[\"(Lat)\",north],AXIS[\"(Lon)\","
     L"east],AXIS[\"ellipsoidal height (h)\",up,LENGTHUNIT[\"metre\",1]],UNIT[\"degree\","
     L"0.0174532925199433],ID[\"EPSG\",4937]]",
     L"COMPD_CS[\"ETRS89\",GEOGCS[\"ETRS89\",DATUM[\"European_Terrestrial_Reference_System_1989\","
     L"SPHEROID[\"GRS 1980\",6378137,298.257222101]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
     L"0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST]],VERT_CS["
     L"\"Ellipsoidal height\",VERT_DATUM[\"Ellipsoid\",2002],UNIT[\"metre\",1],AXIS[\"Ellipsoidal "
     L"height\",UP]],AUTHORITY[\"EPSG\",\"4937\"]]"},
    {"geocentric",
     L"GEODCRS[\"WGS 84\"," + kWgs84Datum +
         L",CS[Cartesian,3],AXIS[\"(X)\",geocentricX],AXIS["
         L"\"(Y)\",geocentricY],AXIS[\"(Z)\",geocentricZ],LENGTHUNIT[\"metre\",1]]",
     L"GEOCCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM["
     L"\"Greenwich\",0],UNIT[\"metre\",1],AXIS[\"Geocentric X\",OTHER],AXIS[\"Geocentric Y\","
     L"OTHER],AXIS[\"Geocentric Z\",NORTH]]"},
    {"projected: grads, the base unit from the meridian, parameters by id",
     L"PROJCRS[\"NTF (Paris) / Lambert zone II\"," + kNtfBase +
         L",CONVERSION[\"Lambert zone II\",METHOD[\"Lambert Conic Conformal (1SP)\",ID[\"EPSG\","
         L"9801]],PARAMETER[\"Latitude of natural origin\",52,ANGLEUNIT[\"grad\","
         L"0.0157079632679489],ID[\"EPSG\",8801]],PARAMETER[\"Longitude of natural origin\",0,"
         L"ANGLEUNIT[\"grad\",0.0157079632679489],ID[\"EPSG\",8802]],PARAMETER[\"Scale factor "
         L"at natural origin\",0.99987742,SCALEUNIT[\"unity\",1],ID[\"EPSG\",8805]],PARAMETER["
         L"\"False easting\",600,LENGTHUNIT[\"kilometre\",1000],ID[\"EPSG\",8806]],PARAMETER["
         L"\"False northing\",2200000," +
         kMetre + L",ID[\"EPSG\",8807]]],CS[Cartesian,2],AXIS[\"easting (X)\",east,ORDER[1]," +
         kMetre + L"],AXIS[\"northing (Y)\",north,ORDER[2]," + kMetre + L"],ID[\"EPSG\",27572]]",
     L"PROJCS[\"NTF (Paris) / Lambert zone II\",GEOGCS[\"NTF (Paris)\",DATUM["
     L"\"Nouvelle_Triangulation_Francaise_Paris\",SPHEROID[\"Clarke 1880 (IGN)\",6378249.2,"
     L"293.466021293627]],PRIMEM[\"Paris\",2.33722916999999],UNIT[\"grad\",0.0157079632679489],"
     L"AUTHORITY[\"EPSG\",\"4807\"]],PROJECTION[\"Lambert_Conformal_Conic_1SP\"],PARAMETER["
     L"\"latitude_of_origin\",52],PARAMETER[\"central_meridian\",0],PARAMETER[\"scale_factor\","
     L"0.99987742],PARAMETER[\"false_easting\",600000],PARAMETER[\"false_northing\",2200000],"
     L"UNIT[\"metre\",1],AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH],AUTHORITY[\"EPSG\","
     L"\"27572\"]]"},
    {"vertical",
     L"VERTCRS[\"NAVD88 height (ftUS)\",VDATUM[\"North American Vertical Datum 1988\",ID["
     L"\"EPSG\",5103]],CS[vertical,1],AXIS[\"gravity-related height (H)\",up,LENGTHUNIT[\"US "
     L"survey foot\",0.304800609601219]],ID[\"EPSG\",6360]]",
     L"VERT_CS[\"NAVD88 height (ftUS)\",VERT_DATUM[\"North American Vertical Datum 1988\",2005,"
     L"AUTHORITY[\"EPSG\",\"5103\"]],UNIT[\"US survey foot\",0.304800609601219],AXIS["
     L"\"Gravity-related height\",UP],AUTHORITY[\"EPSG\",\"6360\"]]"},
    {"compound, in parentheses",
     L"COMPOUNDCRS(\"h + v\",GEOGCRS(\"h\",DATUM(\"D\",ELLIPSOID(\"E\",6378137,300)),CS("
     L"ellipsoidal,2),AXIS(\"lat\",north),AXIS(\"lon\",east),ANGLEUNIT(\"degree\","
     L"0.0174532925199433)),VERTCRS(\"v\",VDATUM(\"V\"),CS(vertical,1),AXIS(\"depth (D)\",down),"
     L"LENGTHUNIT(\"metre\",1)))",
     L"COMPD_CS[\"h + v\",GEOGCS[\"h\",DATUM[\"D\",SPHEROID[\"E\",6378137,300]],PRIMEM["
     L"\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS["
     L"\"Longitude\",EAST]],VERT_CS[\"v\",VERT_DATUM[\"V\",2005],UNIT[\"metre\",1],AXIS[\"Depth\","
     L"DOWN]]]"},
    {"engineering",
     L"ENGCRS[\"Site\",EDATUM[\"Site datum\"],CS[Cartesian,2],AXIS[\"x\",east,ORDER[1],"
     L"LENGTHUNIT[\"foot\",0.3048]],AXIS[\"y\",north,ORDER[2],LENGTHUNIT[\"foot\",0.3048]]]",
     L"LOCAL_CS[\"Site\",LOCAL_DATUM[\"Site datum\",32767],UNIT[\"foot\",0.3048],AXIS[\"X\",EAST],"
     L"AXIS[\"Y\",NORTH]]"},
    {"bound: a Helmert transformation to WGS 84 is the source's TOWGS84",
     L"BOUNDCRS[SOURCECRS[GEOGCRS[\"Ain el Abd\",DATUM[\"Ain el Abd 1970\",ELLIPSOID["
     L"\"International 1924\",6378388,297]],CS[ellipsoidal,2],AXIS[\"lat\",north],AXIS[\"lon\","
     L"east],UNIT[\"degree\",0.0174532925199433]]],TARGETCRS[GEOGCRS[\"WGS 84\",DATUM[\"World "
     L"Geodetic System 1984\",ELLIPSOID[\"WGS 84\",6378137,298.257223563]],CS[ellipsoidal,2],AXIS["
     L"\"lat\",north],AXIS[\"lon\",east],UNIT[\"degree\",0.0174532925199433]]],"
     L"ABRIDGEDTRANSFORMATION[\"t\",METHOD[\"Coordinate Frame rotation (geog2D domain)\",ID["
     L"\"EPSG\",9607]],PARAMETER[\"X-axis translation\",-143,ID[\"EPSG\",8605]],PARAMETER["
     L"\"Y-axis translation\",-236,ID[\"EPSG\",8606]],PARAMETER[\"Z-axis translation\",7,ID["
     L"\"EPSG\",8607]],PARAMETER[\"X-axis rotation\",0.1,ID[\"EPSG\",8608]],PARAMETER[\"Y-axis "
     L"rotation\",0,ID[\"EPSG\",8609]],PARAMETER[\"Z-axis rotation\",-0.3,ID[\"EPSG\",8610]],"
     L"PARAMETER[\"Scale difference\",1.0000024,ID[\"EPSG\",8611]]]]",
     L"GEOGCS[\"Ain el Abd\",DATUM[\"Ain_el_Abd_1970\",SPHEROID[\"International 1924\",6378388,"
     L"297],TOWGS84[-143,-236,7,-0.1,-0,0.3,2.4]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
     L"0.0174532925199433],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST]]"},
};

TEST(Wkt2Reader, EachKindStandsForItsCanonicalText) {
    for (const Case& c : kReadCases) {
        SCOPED_TRACE(c.what);
        quarn::DialectRewrite rewrite = quarn::RewriteDialect(c.wkt2, WktDialect::Wkt2);
        ASSERT_TRUE(rewrite.ok) << QuarnEncodeUtf8(rewrite.refusal.expected);
        EXPECT_EQ(QuarnEncodeUtf8(rewrite.text), QuarnEncodeUtf8(c.canonical));
        // The Gdal and Esri dialects take a WKT 2 text as WKT 2.
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system =
            quarn::FromWkt(factory, QuarnEncodeUtf8(c.wkt2), WktDialect::Esri);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system, factory.CreateFromWKT(c.canonical.c_str()));
    }
}

struct Refusal {
    std::wstring text;
    std::wstring at; // the refusal is on the last place of `at` in the text
    std::wstring token, expected;
};

TEST(Wkt2Reader, RefusesWhatTheModelCannotHoldOnItsKeyword) {
    const std::wstring geog = L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",6378137,300]],CS["
                              L"ellipsoidal,2],AXIS[\"lat\",north],AXIS[\"lon\",east],UNIT[\"deg\","
                              L"0.0174532925199433]]";
    const std::wstring model = L"a construct the model holds; ";
    const Refusal kRefusals[] = {
        // A dimension no number of axes can be (once undefined in its conversion).
        {L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",6378137,300]],CS[ellipsoidal,1e300],AXIS["
         L"\"lat\",north],AXIS[\"lon\",east]]",
         L"CS", L"CS", L"as many AXIS elements as the CS has dimensions"},
        {L"TIMECRS[\"t\",TDATUM[\"x\"],CS[TemporalDateTime,1],AXIS[\"time\",future]]", L"TIMECRS",
         L"TIMECRS", model + L"a temporal system has no place in it"},
        {L"PARAMETRICCRS[\"p\",PDATUM[\"x\"],CS[parametric,1],AXIS[\"p\",up]]", L"PARAMETRICCRS",
         L"PARAMETRICCRS", model + L"a parametric system has no place in it"},
        {L"GEOGCRS[\"g\",DYNAMIC[FRAMEEPOCH[2010]],DATUM[\"d\",ELLIPSOID[\"e\",1,2]],CS["
         L"ellipsoidal,2],AXIS[\"a\",north],AXIS[\"b\",east]]",
         L"DYNAMIC", L"DYNAMIC", model + L"a dynamic datum (its frame epoch) has no place in it"},
        {L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",1,2],ANCHOREPOCH[2010]],CS[ellipsoidal,2],"
         L"AXIS[\"a\",north],AXIS[\"b\",east]]",
         L"ANCHOREPOCH", L"ANCHOREPOCH", model + L"a datum's anchor epoch has no place in it"},
        {L"GEOGCRS[\"d\",BASEGEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",1,2]]],DERIVINGCONVERSION["
         L"\"c\",METHOD[\"m\"]],CS[ellipsoidal,2],AXIS[\"a\",north],AXIS[\"b\",east]]",
         L"BASEGEOGCRS", L"BASEGEOGCRS", model + L"a derived system has no place in it"},
        {L"BOUNDCRS[SOURCECRS[" + geog + L"],TARGETCRS[" + geog +
             L"],ABRIDGEDTRANSFORMATION[\"t\",METHOD[\"NTv2\"]]]",
         L"TARGETCRS[GEOGCRS", L"GEOGCRS",
         L"WGS 84 as the target of BOUNDCRS (the model shifts to WGS 84 only)"},
        {L"BOUNDCRS[SOURCECRS[" + geog + L"],TARGETCRS[" +
             L"GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID[\"e\",6378137,"
             L"298.257223563]],CS[ellipsoidal,2],AXIS[\"lat\",north],AXIS[\"lon\",east]]"
             L"],ABRIDGEDTRANSFORMATION[\"t\",METHOD[\"NTv2\",ID[\"EPSG\",9615]]]]",
         L"METHOD", L"METHOD",
         L"a geocentric translation or a Helmert 7-parameter transformation (position vector or "
         L"coordinate frame) to WGS 84"},
        {L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",1,2]],CS[spherical,2],AXIS[\"a\",north],"
         L"AXIS[\"b\",east]]",
         L"CS", L"CS",
         L"CS[ellipsoidal,2], CS[ellipsoidal,3] or CS[Cartesian,3] in a geodetic system"},
        {L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",1,2]],CS[ellipsoidal,2],AXIS[\"a\",north,"
         L"ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"b\",east,ANGLEUNIT[\"grad\",0.0157]]]",
         L"AXIS", L"AXIS", L"axes of one unit (WKT 1 gives a system one unit)"},
        {L"GEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"e\",1,2]],CS[ellipsoidal,2],AXIS[\"a\",north],"
         L"AXIS[\"b\",clockwise]]",
         L"clockwise", L"clockwise",
         L"a direction WKT 1 has: north, south, east, west, up, down, other or geocentricX, Y, Z"},
        {L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"e\",1,2]]]", L"GEOGCS", L"GEOGCS",
         L"GEOGCRS, GEODCRS, PROJCRS, VERTCRS, COMPOUNDCRS, ENGCRS or BOUNDCRS"},
        {L"VERTCRS[\"v\",VDATUM[\"d\"],CS[vertical,1],AXIS[\"h\",up],FOO[1]]", L"FOO", L"FOO",
         L"VDATUM, CS, AXIS, a unit, USAGE or ID in VERTCRS"},
        {L"VERTCRS[\"v\" VDATUM[\"d\"]]", L"VDATUM", L"VDATUM", L"',' or ']'"},
    };
    for (const Refusal& r : kRefusals) {
        SCOPED_TRACE(QuarnEncodeUtf8(r.text));
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(quarn::ReadWktDialect(factory, r.text, WktDialect::Wkt2), nullptr);
        const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
        EXPECT_TRUE(d.syntaxError);
        const std::size_t at = r.text.rfind(r.at);
        EXPECT_EQ(d.offset, at + r.at.size() - r.token.size());
        EXPECT_EQ(QuarnEncodeUtf8(d.token), QuarnEncodeUtf8(r.token));
        EXPECT_EQ(QuarnEncodeUtf8(d.expected), QuarnEncodeUtf8(r.expected));
    }
}

TEST(Wkt2Reader, CanonicalErrorsPointIntoTheWkt2Text) {
    // The bad number is copied into the canonical text; its diagnostic is on the original.
    const std::wstring text = L"VERTCRS[\"v\",VDATUM[\"d\"],CS[vertical,1],AXIS[\"h\",up,"
                              L"LENGTHUNIT[\"m\",1]],ID[\"EPSG\",\"5703\"]], trailing";
    CQuarnCoordinateSystemFactory factory;
    EXPECT_NE(quarn::ReadWktDialect(factory, text, WktDialect::Wkt2), nullptr);
    EXPECT_TRUE(factory.GetLastDiagnostic().stray);
    EXPECT_EQ(factory.GetLastDiagnostic().offset, text.find(L", trailing"));
}

TEST(Wkt2Writer, WritesEachKindAndReadsBackToTheSameObject) {
    struct Written {
        std::wstring canonical;
        std::string wkt2;
    };
    const Written kWritten[] = {
        {L"VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical Datum 1988\",2005,"
         L"AUTHORITY[\"EPSG\",\"5103\"]],UNIT[\"metre\",1],AXIS[\"Gravity-related height\",UP]]",
         "VERTCRS[\"NAVD88 height\",VDATUM[\"North American Vertical Datum 1988\",ID[\"EPSG\","
         "5103]],CS[vertical,1],AXIS[\"Gravity-related height\",up,ORDER[1],LENGTHUNIT[\"metre\","
         "1]]]"},
        {L"GEOGCS[\"Ain el Abd\",DATUM[\"Ain_el_Abd_1970\",SPHEROID[\"International 1924\","
         L"6378388,297],TOWGS84[-143,-236,7,0,0,0,0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
         L"0.0174532925199433],AXIS[\"Lat\",NORTH],AXIS[\"Lon\",EAST]]",
         "BOUNDCRS[SOURCECRS[GEOGCRS[\"Ain el Abd\",DATUM[\"Ain el Abd 1970\",ELLIPSOID["
         "\"International 1924\",6378388,297,LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,"
         "ANGLEUNIT[\"degree\",0.0174532925199433]],CS[ellipsoidal,2],AXIS[\"Lat\",north,ORDER[1],"
         "ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"Lon\",east,ORDER[2],ANGLEUNIT["
         "\"degree\",0.0174532925199433]]]],TARGETCRS[GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic "
         "System 1984\",ELLIPSOID[\"WGS 84\",6378137,298.257223563,LENGTHUNIT[\"metre\",1]]],"
         "PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\",0.0174532925199433]],CS[ellipsoidal,2],"
         "AXIS[\"latitude\",north,ORDER[1],ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS["
         "\"longitude\",east,ORDER[2],ANGLEUNIT[\"degree\",0.0174532925199433]],ID[\"EPSG\","
         "4326]]],ABRIDGEDTRANSFORMATION[\"Transformation from Ain el Abd to WGS84\",METHOD["
         "\"Geocentric translations (geog2D domain)\",ID[\"EPSG\",9603]],PARAMETER[\"X-axis "
         "translation\",-143,ID[\"EPSG\",8605]],PARAMETER[\"Y-axis translation\",-236,ID[\"EPSG\","
         "8606]],PARAMETER[\"Z-axis translation\",7,ID[\"EPSG\",8607]]]]"},
        // Without AXIS a polar stereographic at the north pole has axes along meridians, as
        // GDAL and PROJ read WKT 1; they read back as none.
        {L"PROJCS[\"UPS\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],"
         L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION["
         L"\"Polar_Stereographic\"],PARAMETER[\"latitude_of_origin\",90],PARAMETER["
         L"\"central_meridian\",0],PARAMETER[\"scale_factor\",0.994],PARAMETER[\"false_easting\","
         L"2000000],PARAMETER[\"false_northing\",2000000],UNIT[\"metre\",1]]",
         "PROJCRS[\"UPS\",BASEGEOGCRS[\"g\",DATUM[\"d\",ELLIPSOID[\"s\",6378137,298.257223563,"
         "LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\","
         "0.0174532925199433]],ANGLEUNIT[\"degree\",0.0174532925199433]],CONVERSION[\"unnamed\","
         "METHOD[\"Polar Stereographic (variant A)\",ID[\"EPSG\",9810]],PARAMETER[\"Latitude of "
         "natural origin\",90,ANGLEUNIT[\"degree\",0.0174532925199433],ID[\"EPSG\",8801]],"
         "PARAMETER[\"Longitude of natural origin\",0,ANGLEUNIT[\"degree\",0.0174532925199433],"
         "ID[\"EPSG\",8802]],PARAMETER[\"Scale factor at natural origin\",0.994,SCALEUNIT["
         "\"unity\",1],ID[\"EPSG\",8805]],PARAMETER[\"False easting\",2000000,LENGTHUNIT["
         "\"metre\",1],ID[\"EPSG\",8806]],PARAMETER[\"False northing\",2000000,LENGTHUNIT["
         "\"metre\",1],ID[\"EPSG\",8807]]],CS[Cartesian,2],AXIS[\"(E)\",south,MERIDIAN[90,"
         "ANGLEUNIT[\"degree\",0.0174532925199433]],ORDER[1],LENGTHUNIT[\"metre\",1]],AXIS["
         "\"(N)\",south,MERIDIAN[180,ANGLEUNIT[\"degree\",0.0174532925199433]],ORDER[2],"
         "LENGTHUNIT[\"metre\",1]]]"},
    };
    for (const Written& w : kWritten) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(w.canonical.c_str());
        ASSERT_NE(system, nullptr);
        const std::string text = quarn::ToWkt(*system, WktDialect::Wkt2);
        EXPECT_EQ(text, w.wkt2);
        EXPECT_EQ(quarn::FromWkt(factory, text, WktDialect::Wkt2), system);
    }
    // A method under ESRI's name is read as the method its parameters make it, as GDAL names
    // it: ESRI's Lambert_Conformal_Conic of one parallel with a scale is the 1SP method at that
    // parallel (28.5 in the text's degree, not its rounding through radians), each value as the
    // text gives it; its WKT 2 reads back to the same object.
    {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* esri = quarn::FromWkt(
            factory,
            "PROJCS[\"X\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\","
            "6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\","
            "0.0174532925199433]],PROJECTION[\"Lambert_Conformal_Conic\"],PARAMETER["
            "\"False_Easting\",0.0],PARAMETER[\"False_Northing\",0.0],PARAMETER["
            "\"Central_Meridian\",10.0],PARAMETER[\"Standard_Parallel_1\",28.5],PARAMETER["
            "\"Scale_Factor\",0.9996],UNIT[\"Meter\",1.0]]",
            WktDialect::Esri);
        ASSERT_NE(esri, nullptr);
        const std::string text = quarn::ToWkt(*esri, WktDialect::Wkt2);
        EXPECT_NE(
            text.find("CONVERSION[\"unnamed\",METHOD[\"Lambert Conic Conformal (1SP)\",ID["
                      "\"EPSG\",9801]],PARAMETER[\"Latitude of natural origin\",28.5,ANGLEUNIT["
                      "\"Degree\",0.0174532925199433],ID[\"EPSG\",8801]],PARAMETER["
                      "\"Longitude of natural origin\",10,"),
            std::string::npos)
            << text;
        EXPECT_NE(text.find("PARAMETER[\"Scale factor at natural origin\",0.9996,SCALEUNIT["
                            "\"unity\",1],ID[\"EPSG\",8805]]"),
                  std::string::npos)
            << text;
        const std::wstring canonical = esri->GetWKT(nullptr);
        EXPECT_NE(canonical.find(L"PROJECTION[\"Lambert_Conformal_Conic_1SP\"],PARAMETER["
                                 L"\"latitude_of_origin\",28.5],PARAMETER[\"central_meridian\",10],"
                                 L"PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\","
                                 L"0],PARAMETER[\"false_northing\",0],UNIT"),
                  std::wstring::npos)
            << QuarnEncodeUtf8(canonical);
        EXPECT_EQ(quarn::FromWkt(factory, text, WktDialect::Wkt2), esri);
    }
    // ESRI's names of a Lambert azimuthal's centre are GDAL's once read, in GDAL's order.
    {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* laea = quarn::FromWkt(
            factory,
            "PROJCS[\"L\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\","
            "6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\","
            "0.0174532925199433]],PROJECTION[\"Lambert_Azimuthal_Equal_Area\"],PARAMETER["
            "\"False_Easting\",4321000.0],PARAMETER[\"False_Northing\",3210000.0],PARAMETER["
            "\"Central_Meridian\",10.0],PARAMETER[\"Latitude_Of_Origin\",52.0],UNIT[\"Meter\","
            "1.0]]",
            WktDialect::Esri);
        ASSERT_NE(laea, nullptr);
        const std::wstring canonical = laea->GetWKT(nullptr);
        EXPECT_NE(canonical.find(L"PARAMETER[\"latitude_of_center\",52],PARAMETER["
                                 L"\"longitude_of_center\",10],PARAMETER[\"false_easting\","
                                 L"4321000],PARAMETER[\"false_northing\",3210000],UNIT"),
                  std::wstring::npos)
            << QuarnEncodeUtf8(canonical);
        EXPECT_EQ(quarn::FromWkt(factory, quarn::ToWkt(*laea, WktDialect::Wkt2), WktDialect::Wkt2),
                  laea);
    }
    // Rotations (held with the opposite sign) read back to the same object; a quote inside a
    // name is written twice.
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* rotated = factory.CreateFromWKT(
        L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"S\",6378388,297],TOWGS84[-87,-98,-121,0.5,-0.25,1,2]"
        L"],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]");
    ASSERT_NE(rotated, nullptr);
    const std::string text = quarn::ToWkt(*rotated, WktDialect::Wkt2);
    EXPECT_EQ(quarn::FromWkt(factory, text, WktDialect::Wkt2), rotated) << text;
    CQuarnAxisInfo up;
    up.orientation = CS_AO_Up;
    const CS_CoordinateSystem* quoted = factory.CreateVerticalCoordinateSystem(
        L"say \"h\"", factory.CreateVerticalDatum(L"d", 2005),
        factory.CreateLinearUnit(L"metre", 1), up);
    EXPECT_EQ(
        quarn::ToWkt(*quoted, WktDialect::Wkt2),
        R"w(VERTCRS["say ""h""",VDATUM["d"],CS[vertical,1],AXIS["",up,ORDER[1],LENGTHUNIT["metre",1]]])w");
    // A geographic system with an ellipsoidal height is one three-dimensional GEOGCRS.
    const CS_CoordinateSystem* threeD = factory.CreateFromWKT(
        L"COMPD_CS[\"x\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],PRIMEM["
        L"\"G\",0],UNIT[\"degree\",0.0174532925199433]],VERT_CS[\"h\",VERT_DATUM[\"Ellipsoid\","
        L"2002],UNIT[\"metre\",1],AXIS[\"Ellipsoidal height\",UP]]]");
    ASSERT_NE(threeD, nullptr);
    EXPECT_EQ(
        quarn::ToWkt(*threeD, WktDialect::Wkt2),
        R"w(GEOGCRS["x",DATUM["d",ELLIPSOID["s",6378137,298.257223563,LENGTHUNIT["metre",1]]],PRIMEM["G",0,ANGLEUNIT["degree",0.0174532925199433]],CS[ellipsoidal,3],AXIS["X",east,ORDER[1],ANGLEUNIT["degree",0.0174532925199433]],AXIS["Y",north,ORDER[2],ANGLEUNIT["degree",0.0174532925199433]],AXIS["ellipsoidal height (h)",up,ORDER[3],LENGTHUNIT["metre",1]]])w");
    // ISO 19162:2015 has no GEOGCRS: a geographic system is a GEODCRS; nor the identifier of
    // a projected system's base.
    EXPECT_EQ(quarn::ToWkt(*threeD, WktDialect::Wkt2_2015).substr(0, 13), "GEODCRS[\"x\",D");
    const CS_CoordinateSystem* utm = factory.CreateFromWKT(
        L"PROJCS[\"u\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,"
        L"298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AUTHORITY["
        L"\"EPSG\",\"4326\"]],PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"central_meridian\","
        L"3],PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],UNIT["
        L"\"metre\",1]]");
    ASSERT_NE(utm, nullptr);
    EXPECT_NE(quarn::ToWkt(*utm, WktDialect::Wkt2).find("ID[\"EPSG\",4326]"), std::string::npos);
    EXPECT_EQ(quarn::ToWkt(*utm, WktDialect::Wkt2_2015).find("ID[\"EPSG\",4326]"),
              std::string::npos);
    // What WKT 2 cannot say is not written.
    quarn::WktWriter writer(WktDialect::Wkt2);
    const CS_CoordinateSystem* local = factory.CreateFromWKT(
        L"LOCAL_CS[\"l\",LOCAL_DATUM[\"d\",10000],UNIT[\"m\",1],AXIS[\"x\",EAST]]");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(writer.Write(*local), "");
    EXPECT_EQ(writer.Reason(),
              "the local datum type 10000 has no WKT 2 form (an engineering datum has no type)");
    // A unit the canonical reader holds with a factor of 0 (found by the fuzzer).
    const CS_CoordinateSystem* zero = factory.CreateFromWKT(
        L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],PRIMEM[\"G\",0],"
        L"UNIT[\"Degree\",0]]");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(writer.Write(*zero), "");
    EXPECT_EQ(writer.Reason(), "the unit Degree has no positive conversion factor");
    // A polar stereographic on a standard parallel with a scale other than 1.
    const CS_CoordinateSystem* polar = factory.CreateFromWKT(
        L"PROJCS[\"p\",GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378137,298.257223563]],PRIMEM["
        L"\"G\",0]"
        L",UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Polar_Stereographic\"],PARAMETER["
        L"\"latitude_of_origin\",-71],PARAMETER[\"scale_factor\",0.99],UNIT[\"metre\",1]]");
    ASSERT_NE(polar, nullptr);
    EXPECT_EQ(
        writer.Write(*polar) + writer.Reason(),
        "the parameter scale_factor has no place in the method Polar Stereographic (variant B)");
}

TEST(ProjectionMethods, Wkt2AndWkt1NamesByRowsBothWays) {
    using namespace quarn::detail;
    struct Row {
        const char* wkt1;
        double latitude;
        const char* wkt2;
        int code;
    };
    const Row kRows[] = {
        {"Transverse_Mercator", 0, "Transverse Mercator", 9807},
        {"Lambert_Conformal_Conic_2SP", 0, "Lambert Conic Conformal (2SP)", 9802},
        {"Polar_Stereographic", -90, "Polar Stereographic (variant A)", 9810},
        {"Polar_Stereographic", -71, "Polar Stereographic (variant B)", 9829},
        {"Hotine_Oblique_Mercator_Azimuth_Center", 0, "Hotine Oblique Mercator (variant B)", 9815},
        {"Krovak", 0, "Krovak (North Orientated)", 1041},
        {"Equirectangular", 0, "Equidistant Cylindrical", 1028},
    };
    for (const Row& row : kRows) {
        const Method* out = FindMethodForWkt1(row.wkt1, row.latitude);
        ASSERT_NE(out, nullptr) << row.wkt1;
        EXPECT_STREQ(out->wkt2, row.wkt2);
        EXPECT_EQ(out->code, row.code);
        EXPECT_EQ(FindMethod(row.code, ""), out);
        EXPECT_EQ(FindMethod(0, row.wkt2), out); // by name where the id is missing
        EXPECT_STREQ(FindMethod(row.code, "")->wkt1, row.wkt1);
    }
    EXPECT_EQ(FindMethod(9999, "no such method"), nullptr);
    struct ParameterRow {
        int method;
        const char* wkt1;
        const char* wkt2;
        int code;
        ParameterKind kind;
    };
    const ParameterRow kParameters[] = {
        {9802, "latitude_of_origin", "Latitude of false origin", 8821, ParameterKind::Angle},
        {9802, "false_easting", "Easting at false origin", 8826, ParameterKind::Length},
        {9807, "latitude_of_origin", "Latitude of natural origin", 8801, ParameterKind::Angle},
        {9807, "scale_factor", "Scale factor at natural origin", 8805, ParameterKind::Scale},
        {9829, "latitude_of_origin", "Latitude of standard parallel", 8832, ParameterKind::Angle},
        {9815, "false_northing", "Northing at projection centre", 8817, ParameterKind::Length},
        {1041, "azimuth", "Co-latitude of cone axis", 1036, ParameterKind::Angle},
    };
    for (const ParameterRow& row : kParameters) {
        const Method& method = *FindMethod(row.method, "");
        const MethodParameter* byCode = FindParameter(method, row.code, "");
        ASSERT_NE(byCode, nullptr) << row.wkt2;
        EXPECT_STREQ(byCode->wkt1, row.wkt1);
        EXPECT_EQ(byCode->Kind(), row.kind);
        const MethodParameter* byName = FindParameter(method, 0, row.wkt1);
        ASSERT_NE(byName, nullptr) << row.wkt1;
        EXPECT_STREQ(byName->Wkt2(), row.wkt2);
        EXPECT_EQ(byName->Code(), row.code);
    }
    // The naming rules of WKT 1 readers.
    EXPECT_EQ(Wkt1DatumName("World Geodetic System 1984 ensemble"), "WGS_1984");
    EXPECT_EQ(Wkt1DatumName("European Terrestrial Reference System 1989 ensemble"),
              "European_Terrestrial_Reference_System_1989");
    EXPECT_EQ(Wkt1DatumName("St. Stephen (Ferro)"), "St_Stephen_Ferro");
    EXPECT_EQ(Wkt1DatumName("Reseau Geodesique de Nouvelle Caledonie 91-93"),
              "Reseau_Geodesique_de_Nouvelle_Caledonie_91-93");
    EXPECT_EQ(Wkt1AxisName("(E)", false), "Easting");
    EXPECT_EQ(Wkt1AxisName("(X)", true), "Geocentric X");
    EXPECT_EQ(Wkt1AxisName("gravity-related height (H)", false), "Gravity-related height");
    EXPECT_EQ(KindOfParameter("Easting at false origin"), ParameterKind::Length);
    EXPECT_EQ(KindOfParameter("Scale factor on initial line"), ParameterKind::Scale);
}

} // namespace
