// Reading the Esri and Gdal dialects: each construct written by hand in the style of those
// tools, the canonical text it stands for, what the factory makes of it, the refusals, the
// way back to the caller's text, and the proof that the canonical reading is untouched.
#include <quarn/interchange.h>
#include <quarn/interchange/WktDialects.h>
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using quarn::WktDialect;

const std::wstring kGeog =
    L"GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
    L"298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]";
const std::wstring kOsgb =
    L"GEOGCS[\"GCS_OSGB_1936\",DATUM[\"D_OSGB_1936\",SPHEROID[\"Airy_1830\",6377563.396,"
    L"299.3249646]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]";
// What the Esri dialect reads them as: the datum and the ellipsoid under their EPSG names.
const std::wstring kGeogRead =
    L"GEOGCS[\"GCS_WGS_1984\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137.0,"
    L"298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]";
const std::wstring kOsgbRead =
    L"GEOGCS[\"GCS_OSGB_1936\",DATUM[\"Ordnance_Survey_of_Great_Britain_1936\",SPHEROID["
    L"\"Airy 1830\",6377563.396,299.3249646]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\","
    L"0.0174532925199433]";
const std::wstring kTm = L",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\","
                         L"400000.0],PARAMETER[\"Scale_Factor\",0.9996012717]";
const std::wstring kBng = L"PROJCS[\"British_National_Grid\"," + kOsgb + L"]" + kTm;
const std::wstring kBngRead = L"PROJCS[\"British_National_Grid\"," + kOsgbRead + L"]" + kTm;
const std::wstring kNewlyn = L"VERTCS[\"Newlyn\",VDATUM[\"Ordnance_Datum_Newlyn\"],PARAMETER["
                             L"\"Vertical_Shift\",0.0],PARAMETER[\"Direction\",1.0],UNIT["
                             L"\"Meter\",1.0]]";
const std::wstring kNewlynCanonical = L"VERT_CS[\"Newlyn\",VERT_DATUM[\"Ordnance Datum Newlyn\","
                                      L"2005],UNIT[\"Meter\",1.0],AXIS[\"Gravity-related "
                                      L"height\",UP]]";
const std::wstring kHeight = L"VERT_CS[\"Ellipsoidal height\",VERT_DATUM[\"Ellipsoid\",2002],";

struct Case {
    const char* what;
    WktDialect dialect;
    std::wstring text;
    std::wstring canonical; // the text it stands for
    long objectType;        // of what the factory makes of it
    long heightType;
};

const Case kCases[] = {
    Case{"numeric authority codes, Gdal, also nested", WktDialect::Gdal,
         L"VERT_CS[\"v\", VERT_DATUM[\"d\", 2005, AUTHORITY[\"E\", 5103]], UNIT[\"m\", 1], "
         L"AUTHORITY[\"E\", 5703]]",
         L"VERT_CS[\"v\",VERT_DATUM[\"d\",2005,AUTHORITY[\"E\",\"5103\"]],UNIT[\"m\",1],"
         L"AUTHORITY[\"E\",\"5703\"]]",
         kQuarnVerticalCS, 2},
    Case{"VERTCS with VDATUM and its authority", WktDialect::Esri,
         kNewlyn.substr(0, kNewlyn.size() - 1) + L",AUTHORITY[\"EPSG\",5701]]",
         kNewlynCanonical.substr(0, kNewlynCanonical.size() - 1) +
             L",AUTHORITY[\"EPSG\",\"5701\"]]",
         kQuarnVerticalCS, 2},
    Case{"VERTCS with direction -1: depths", WktDialect::Esri,
         L"VERTCS[\"MSL_Depth\",VDATUM[\"Mean_Sea_Level\"],PARAMETER[\"Vertical_Shift\",0.0E+0],"
         L"PARAMETER[\"Direction\",-1.0],UNIT[\"Foot_US\",0.3048006096012192]]",
         L"VERT_CS[\"MSL_Depth\",VERT_DATUM[\"Mean Sea Level\",2005],UNIT[\"Foot_US\","
         L"0.3048006096012192],AXIS[\"Depth\",DOWN]]",
         kQuarnVerticalCS, 2},
    Case{"VERTCS on a DATUM: heights above its ellipsoid", WktDialect::Esri,
         L"VERTCS[\"h\",DATUM[\"D_Luxembourg_Reference_Frame\",SPHEROID[\"I\",6378388.0,297.0]]"
         L",PARAMETER["
         L"\"Vertical_Shift\",0.0],PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]",
         L"VERT_CS[\"h\",VERT_DATUM[\"Luxembourg Reference Frame\",2002],UNIT[\"Meter\",1.0],"
         L"AXIS[\"Ellipsoidal height\",UP]]",
         kQuarnVerticalCS, 1},
    Case{"PROJCS followed by VERTCS", WktDialect::Esri, kBng + L",UNIT[\"Meter\",1.0]], " + kNewlyn,
         L"COMPD_CS[\"British_National_Grid + Newlyn\"," + kBngRead + L",UNIT[\"Meter\",1.0]]," +
             kNewlynCanonical + L"]",
         kQuarnCompoundCS, 2},
    Case{"GEOGCS followed by VERTCS", WktDialect::Esri, kGeog + L"], " + kNewlyn,
         L"COMPD_CS[\"GCS_WGS_1984 + Newlyn\"," + kGeogRead + L"]," + kNewlynCanonical + L"]",
         kQuarnCompoundCS, 2},
    Case{"TOWGS84 and numeric codes in a Gdal text", WktDialect::Gdal,
         L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378388,297],TOWGS84[-87.5,-98,-121,0.5,-0.25,1,"
         L"2e-1],AUTHORITY[\"EPSG\",6230]],PRIMEM[\"G\",0],UNIT[\"u\",0.0174532925199433]]",
         L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",6378388,297],TOWGS84[-87.5,-98,-121,0.5,-0.25,1,"
         L"2e-1],AUTHORITY[\"EPSG\",\"6230\"]],PRIMEM[\"G\",0],UNIT[\"u\",0.0174532925199433]]",
         kQuarnGeographicCS, 0},
    Case{"HVCOORDSYS", WktDialect::Esri,
         L"HVCOORDSYS[\"BNG_Newlyn\"," + kBng + L",UNIT[\"Meter\",1.0]]," + kNewlyn + L"]",
         L"COMPD_CS[\"BNG_Newlyn\"," + kBngRead + L",UNIT[\"Meter\",1.0]]," + kNewlynCanonical +
             L"]",
         kQuarnCompoundCS, 2},
    Case{"GXYZCS", WktDialect::Esri,
         L"GXYZCS[\"x\",DATUM[\"d\",SPHEROID[\"s\",1,2]],PRIMEM[\"G\",0],UNIT[\"m\",1]]",
         L"GEOCCS[\"x\",DATUM[\"d\",SPHEROID[\"s\",1,2]],PRIMEM[\"G\",0],UNIT[\"m\",1]]",
         kQuarnGeocentricCS, 0},
    Case{"three-dimensional GEOGCS", WktDialect::Esri,
         L"GEOGCS[\"WGS_1984_3D\"" + kGeog.substr(21) +
             L",LINUNIT[\"Meter\",1.0],AUTHORITY[\"EPSG\",4979]]",
         L"COMPD_CS[\"WGS_1984_3D\",GEOGCS[\"WGS_1984_3D\"" + kGeogRead.substr(21) + L"]," +
             kHeight +
             L"UNIT[\"Meter\",1.0],AXIS[\"Ellipsoidal height\",UP]],AUTHORITY[\"EPSG\","
             L"\"4979\"]]",
         kQuarnCompoundCS, 1},
    Case{"PROJCS on a 3D GEOGCS ending with its own LINUNIT", WktDialect::Esri,
         L"PROJCS[\"BNG_3D\"," + kOsgb + L",LINUNIT[\"Meter\",1.0]]" + kTm +
             L",UNIT[\"Foot\",0.3048],LINUNIT[\"Foot\",0.3048]]",
         L"COMPD_CS[\"BNG_3D\",PROJCS[\"BNG_3D\"," + kOsgbRead + L"]" + kTm +
             L",UNIT[\"Foot\",0.3048]]," + kHeight +
             L"UNIT[\"Foot\",0.3048],AXIS[\"Ellipsoidal height\",UP]]]",
         kQuarnCompoundCS, 1},
    Case{"EXTENSION of the web Mercator kept as its method", WktDialect::Gdal,
         L"PROJCS[\"p\"," + kGeog +
             L"],PROJECTION[\"Mercator_1SP\"],UNIT[\"metre\",1],EXTENSION[\"PROJ4\",\"+proj="
             L"merc "
             L"+a=6378137 +b=6378137 +lat_ts=0 +lon_0=0 +x_0=0 +y_0=0 +k=1 +units=m "
             L"+nadgrids=@null +wktext +no_defs\"]]",
         L"PROJCS[\"p\"," + kGeog +
             L"],PROJECTION[\"Popular_Visualisation_Pseudo_Mercator\"],UNIT[\"metre\",1]]",
         kQuarnProjectedCS, 0},
    Case{"other EXTENSION skipped", WktDialect::Gdal,
         L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",1,2],EXTENSION[\"PROJ4_GRIDS\",\"x\"]],"
         L"PRIMEM[\"G\",0],UNIT[\"u\",1]]",
         L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",1,2]],PRIMEM[\"G\",0],UNIT[\"u\",1]]",
         kQuarnGeographicCS, 0},
    Case{"a Mercator EXTENSION that names no sphere keeps its method", WktDialect::Gdal,
         L"PROJCS[\"p\"," + kGeog +
             L"],PROJECTION[\"Mercator_1SP\"],UNIT[\"metre\",1],EXTENSION[\"PROJ4\",\"+proj=merc "
             L"+nadgrids=@null\"]]",
         L"PROJCS[\"p\"," + kGeog + L"],PROJECTION[\"Mercator_1SP\"],UNIT[\"metre\",1]]",
         kQuarnProjectedCS, 0}};

TEST(DialectConstruct, RewritesIntoCanonicalTextAndReads) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        quarn::DialectRewrite rewrite = quarn::RewriteDialect(c.text, c.dialect);
        EXPECT_TRUE(rewrite.ok && rewrite.changed);
        EXPECT_EQ(rewrite.text, c.canonical);
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system =
            quarn::FromWkt(factory, QuarnEncodeUtf8(c.text), c.dialect);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(system->GetObjectType() * 10 + system->GetHeightType(),
                  c.objectType * 10 + c.heightType);
        EXPECT_FALSE(factory.GetLastDiagnostic().syntaxError);
        // The dialect is opt-in: the canonical reading does not make the same of these texts.
        CQuarnCoordinateSystemFactory canonical;
        const CS_CoordinateSystem* plain =
            quarn::ReadWktDialect(canonical, c.text, WktDialect::Canonical);
        EXPECT_TRUE(plain == nullptr || plain->GetObjectType() != c.objectType);
    }
}

// A text of a dialect is read in place when nothing in it needs rewriting: the constructs
// are still found in any case, with blanks around their brackets, and a name that only
// looks like one reads as it stands.
TEST(DialectConstruct, FoundInAnyCaseAndSpacingButNotInNames) {
    const std::wstring geog = L"GEOGCS[\"g\",DATUM[\"d\",SPHEROID[\"s\",1,2]],PRIMEM[\"G\",0],"
                              L"UNIT[\"u\",1]";
    struct Spelling {
        WktDialect dialect;
        std::wstring text;
        std::wstring read; // type, code and name of what it reads to
    } spellings[] = {
        {WktDialect::Gdal, geog + L",authority [ \"EPSG\" ,\n 4326 ]]", L"4 4326 g"},
        {WktDialect::Gdal, geog + L",Extension\t[\"PROJ4\",\"+proj=longlat\"]]", L"4  g"},
        {WktDialect::Gdal, L"GEOGCS[\"a EXTENSION[ AUTHORITY[\"," + geog.substr(11) + L"]",
         L"4  a EXTENSION[ AUTHORITY["},
        {WktDialect::Gdal, geog + L",AUTHORITY[\"EPSG\",\"4326\"]]", L"4 4326 g"},
        {WktDialect::Esri, geog + L",linUnit [\"Meter\",1]]", L"0  g"},
        {WktDialect::Esri, geog + L"]," + kHeight + L"UNIT[\"m\",1]]",
         L"0  g + Ellipsoidal height"},
        {WktDialect::Esri,
         L"gxyzcs [\"x\",DATUM[\"d\",SPHEROID[\"s\",1,2]],PRIMEM[\"G\",0],UNIT[\"m\",1]]",
         L"5  x"}};
    for (const Spelling& spelling : spellings) {
        SCOPED_TRACE(QuarnEncodeUtf8(spelling.text));
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system =
            quarn::FromWkt(factory, QuarnEncodeUtf8(spelling.text), spelling.dialect);
        ASSERT_NE(system, nullptr);
        EXPECT_EQ(std::to_wstring(system->GetObjectType()) + L" " + system->GetAuthorityCode() +
                      L" " + system->GetName(),
                  spelling.read);
    }
}

// A meaning no Quarn object can hold is refused, not dropped, with the place in the text.
TEST(DialectRefused, GivesNoSystemAndPointsAtTheConstruct) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        // the text, the refused construct
        {L"VERTCS[\"v\",VDATUM[\"d\"],PARAMETER[\"Vertical_Shift\",12.5],PARAMETER["
         L"\"Direction\",1.0],UNIT[\"Meter\",1.0]]",
         L"12.5"},
        {L"VERTCS[\"v\",VDATUM[\"d\"],PARAMETER[\"Direction\",0.5],UNIT[\"Meter\",1.0]]", L"0.5"},
        {L"VERTCS[\"v\",VDATUM[\"d\"],PARAMETER[\"Tilt\",0.0],UNIT[\"Meter\",1.0]]", L"PARAMETER"},
        {L"VERTCS[\"v\",UNIT[\"Meter\",1.0]]", L"VERTCS"}};
    for (const auto& [text, token] : cases) {
        CQuarnCoordinateSystemFactory factory;
        EXPECT_EQ(quarn::ReadWktDialect(factory, text, WktDialect::Esri), nullptr);
        const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
        EXPECT_TRUE(d.syntaxError && !d.expected.empty());
        EXPECT_EQ(d.token + L"@" + text.substr(d.offset, d.length), token + L"@" + token);
    }
}

// Diagnostics of the canonical reading of a rewritten text point into the caller's text.
TEST(DialectDiagnostic, MovesBackToTheOriginalText) {
    const std::wstring text =
        L"VERTCS[\"v\" ,\n\tVDATUM[\"d\"],UNIT[\"Meter\",1.0],AUTHORITY[\"X\",7]]";
    quarn::DialectRewrite rewrite = quarn::RewriteDialect(text, WktDialect::Esri);
    ASSERT_TRUE(rewrite.changed);
    auto at = [&](const std::wstring& token) {
        QuarnParseDiagnostic d;
        d.syntaxError = true;
        d.offset = rewrite.text.find(token);
        d.length = token.size();
        d.token = token;
        return rewrite.ToOriginal(d, text);
    };
    // A token copied as it was; a token that changed; one made up for a construct.
    EXPECT_EQ(at(L"UNIT").offset, text.find(L"UNIT"));
    EXPECT_EQ(at(L"\"7\"").token + at(L"VERT_DATUM").token, L"7VDATUM");
    EXPECT_EQ(at(L"AXIS").offset, text.find(L"VERTCS"));
    // A comma between tokens: the caller's comma, though blanks and a line end follow it.
    QuarnParseDiagnostic comma;
    comma.syntaxError = true;
    comma.offset = rewrite.text.find(L",VERT_DATUM");
    comma.length = 1;
    comma.token = L",";
    EXPECT_EQ(rewrite.ToOriginal(comma, text).offset, text.find(L','));
    QuarnParseDiagnostic end;
    end.syntaxError = true;
    end.offset = rewrite.text.size();
    EXPECT_EQ(rewrite.ToOriginal(end, text).offset, text.size());
}

TEST(DialectConstruct, NamesTheDialectThatReadsWhatStoppedTheCanonicalReading) {
    struct Row {
        std::wstring text;
        std::wstring at; // where the canonical reading stopped
        std::wstring construct;
        bool gdal, esri;
    };
    const Row rows[] = {
        {kNewlyn, L"VERTCS", L"VERTCS", false, true},
        {kBng + L",UNIT[\"Meter\",1.0]]," + kNewlyn, L"]," + kNewlyn, L"VERTCS", false, true},
        {kGeog + L"]]," + kNewlyn, L"]]," + kNewlyn, L"VERTCS", false, true},
        {kGeog + L",LINUNIT[\"Meter\",1.0]]", L"LINUNIT", L"LINUNIT", false, true},
        {kGeog + L",AUTHORITY[\"EPSG\",4326]]", L"4326", L"AUTHORITY code 4326", true, true},
        {L"PROJCS[\"p\",UNIT[\"m\",1],EXTENSION[\"PROJ4\",\"\"]]", L"EXTENSION", L"EXTENSION", true,
         false},
        {kGeog + L",FOO[1]]", L"FOO", L"", false, false},
    };
    for (const Row& row : rows) {
        std::size_t offset = row.text.rfind(row.at);
        if (row.at.front() == L']') ++offset; // the comma after the complete system
        quarn::DialectConstruct found = quarn::FindDialectConstruct(row.text, offset);
        EXPECT_EQ(found.construct + L"|" + L"-G"[found.gdal] + L"-E"[found.esri],
                  row.construct + L"|" + L"-G"[row.gdal] + L"-E"[row.esri]);
    }
}

// The Esri dialect names datums and ellipsoids as GDAL and PROJ do in WKT 1, and the Gdal
// writer writes those names; the canonical dialect, and the projection-file conveniences
// (whose shifts go by the datum's name as the file gives it), keep the names as written.
TEST(DialectNames, EsriDatumsAndEllipsoidsReadUnderTheirEpsgNames) {
    const std::string unit = R"w(UNIT["Degree",0.0174532925199433]])w";
    const std::pair<std::string, std::string> rows[] = {
        {R"w(DATUM["D_NZGD_2000",SPHEROID["GRS_1980",6378137.0,298.257222101]],PRIMEM["Greenwich",0.0],)w",
         R"w(DATUM["New_Zealand_Geodetic_Datum_2000",SPHEROID["GRS 1980",6378137,298.257222101]],PRIMEM["Greenwich",0],)w"},
        // Off Greenwich, ESRI names the datum as its Greenwich one.
        {R"w(DATUM["D_NTF",SPHEROID["Clarke_1880_IGN",6378249.2,293.466021293627]],PRIMEM["Paris",2.33722917],)w",
         R"w(DATUM["Nouvelle_Triangulation_Francaise_Paris",SPHEROID["Clarke 1880 (IGN)",6378249.2,293.466021293627]],PRIMEM["Paris",2.33722917],)w"},
        {R"w(DATUM["D_Moon_Base",SPHEROID["Moon_Sphere",1737400.0,0.0]],PRIMEM["Greenwich",0.0],)w",
         R"w(DATUM["Moon_Base",SPHEROID["Moon_Sphere",1737400,0]],PRIMEM["Greenwich",0],)w"},
    };
    for (const auto& [esri, gdal] : rows) {
        const std::string text = R"w(GEOGCS["g",)w" + esri + unit;
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* read = quarn::FromWkt(factory, text, WktDialect::Esri);
        ASSERT_NE(read, nullptr) << text;
        EXPECT_EQ(quarn::ToWkt(*read, WktDialect::Gdal), R"w(GEOGCS["g",)w" + gdal + unit);
        EXPECT_EQ(quarn::ToWkt(*read, WktDialect::Esri), text) << "and back";
        // The canonical dialect, and the Esri one with the projection-file conveniences on.
        const CS_CoordinateSystem* asWritten = quarn::FromWkt(factory, text);
        CQuarnCoordinateSystemFactory prjFactory;
        SetPrjLoading(true);
        const CS_CoordinateSystem* prj = quarn::FromWkt(prjFactory, text, WktDialect::Esri);
        SetPrjLoading(false);
        for (const CS_CoordinateSystem* kept : {asWritten, prj}) {
            const auto* geographic = dynamic_cast<const CS_GeographicCoordinateSystem*>(kept);
            ASSERT_NE(geographic, nullptr);
            const CS_HorizontalDatum* datum = geographic->GetHorizontalDatum();
            EXPECT_EQ(R"w(DATUM[")w" + QuarnEncodeUtf8(datum->GetName()) + R"w(",SPHEROID[")w" +
                          QuarnEncodeUtf8(datum->GetEllipsoid()->GetName()),
                      esri.substr(0, esri.find("\",", esri.find("SPHEROID"))));
        }
    }
}

} // namespace
