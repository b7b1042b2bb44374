// quarn-wkt run as a user runs it: real files, real exit statuses and the exact messages.
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out, err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A scratch folder of the running test, so that tests run in parallel apart.
fs::path Scratch() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    fs::path folder =
        fs::path(QUARN_TOOL_SCRATCH) / (std::string(test->test_suite_name()) + "." + test->name());
    fs::create_directories(folder);
    return folder;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs the tool in `folder` (names in messages are then as given) with `arguments`.
Result Tool(const std::string& arguments, const fs::path& folder) {
    fs::path scratch = Scratch();
    std::string command = "cd '" + folder.string() + "' && '" QUARN_WKT "' </dev/null " +
                          arguments + " >'" + (scratch / "stdout").string() + "' 2>'" +
                          (scratch / "stderr").string() + "'";
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(scratch / "stdout"),
            Slurp(scratch / "stderr")};
}

const fs::path kExamples = fs::path(QUARN_SOURCE_DIR) / "examples";

// One run: the exit status and both streams. With `prefix` the streams need only begin with
// the expected texts (an empty expected text is still exact).
struct Case {
    std::string arguments;
    int status;
    std::string out, err;
    bool prefix = false;
};

void ExpectRuns(const std::vector<Case>& cases, const fs::path& folder) {
    for (const Case& c : cases) {
        Result run = Tool(c.arguments, folder);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
        for (auto [actual, expected] : {std::pair(&run.out, &c.out), std::pair(&run.err, &c.err)})
            EXPECT_EQ(c.prefix && !expected->empty() ? actual->substr(0, expected->size())
                                                     : *actual,
                      *expected)
                << c.arguments;
    }
}

const std::string kNavd88 = "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical "
                            "Datum 1988\",2005],UNIT[\"metre\",1],AXIS[\"Gravity-related "
                            "height\",Up]]\n";
const std::string kSmall = "VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]]";
const std::string kSmallOut =
    "VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n";

// Each output form, each dialect, and the usage errors, on the examples.
TEST(ToolOutput, FormsDialectsAndUsage) {
    ExpectRuns(
        {
            {"vertical.wkt", 0, kNavd88, ""},
            {"--check vertical.wkt", 0, "", ""},
            {"--check --summary vertical.wkt", 0, "", ""},
            {"--min-confidence=100 vertical.wkt", 0, kNavd88, ""},
            {"--summary vertical.wkt", 0,
             kNavd88 + "     1 vertical systems\n     1 vertical datums\n     1 linear units\n",
             ""},
            {"--pretty vertical.wkt", 0,
             "VERT_CS[\"NAVD88 height\",\n"
             "    VERT_DATUM[\"North American Vertical Datum 1988\",2005],\n"
             "    UNIT[\"metre\",1],\n"
             "    AXIS[\"Gravity-related height\",Up]]\n",
             ""},
            {"--info vertical.wkt", 0,
             "vertical coordinate system \"NAVD88 height\" (EPSG 5703)\n"
             "  type codes: object 6, system 1000 (extended 1000), height 2\n"
             "  dimension: 1\n"
             "  axis 1: \"Gravity-related height\" up, unit \"metre\"\n"
             "  linear unit: \"metre\", 1 metres\n"
             "  vertical datum: \"North American Vertical Datum 1988\", type 2005\n\n",
             ""},
            {"--dialect=esri vertical.wkt", 0,
             "VERTCS[\"NAVD88_height\",VDATUM[\"North_American_Vertical_Datum_1988\"],PARAMETER["
             "\"Vertical_Shift\",0.0],PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]\n",
             ""},
            // A system a dialect has no form for is an error naming why; the others print.
            {"--dialect=gdal fitted_horizontal_site_grid.wkt vertical.wkt", 1,
             "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical Datum 1988\",2005],"
             "UNIT[\"metre\",1],AUTHORITY[\"EPSG\",\"5703\"]]\n",
             "fitted_horizontal_site_grid.wkt: error: the system has no gdal text: a fitted "
             "system (Local_Grid or Linear_Correction) has no form that other programs read\n"},
            // While loading a .prj: the HARN shift, "Degrees", the 2SP method and the false
            // origin in metres.
            {"--prj esri_state_plane_feet.prj", 0,
             "PROJCS[\"Example_State_Plane_Feet\",GEOGCS[\"GCS_North_American_1983_HARN\","
             "DATUM[\"D_North_American_1983_HARN\",SPHEROID[\"GRS_1980\",6378137,298.257222101] ,"
             "TOWGS84[-0.9991, 1.9048, 0.519, 0.02625, 0.005641, 0.011344, -0.00028]],"
             "PRIMEM[\"Greenwich\",0],UNIT[\"Degrees\",0.0174532925199433],AXIS[\"X\",East],"
             "AXIS[\"Y\",North]],PROJECTION[\"Lambert_Conformal_Conic_2SP\"],"
             "PARAMETER[\"False_Easting\",2000000],PARAMETER[\"False_Northing\",500000],"
             "PARAMETER[\"Central_Meridian\",-120.5],PARAMETER[\"Standard_Parallel_1\","
             "44.3333333333333],PARAMETER[\"Standard_Parallel_2\",46],"
             "PARAMETER[\"Latitude_Of_Origin\",43.6666666666667],UNIT[\"Foot_US\","
             "0.304800609601219],AXIS[\"X\",East],AXIS[\"Y\",North]]\n",
             ""},
            // ISO 19162:2015: BASEGEODCRS, without the base's identifier.
            {"--dialect=wkt2_2015 projected_utm_metres.wkt", 0,
             "PROJCRS[\"NAD83 / UTM zone 15N\",BASEGEODCRS[\"NAD83\",DATUM[\"North American Datum "
             "1983\",ELLIPSOID[\"GRS 1980\",6378137,298.257222101,LENGTHUNIT[\"metre\",1]]],"
             "PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\",0.0174532925199433]],ANGLEUNIT["
             "\"degree\",0.0174532925199433]],CONVERSION[\"unnamed\",METHOD[\"Transverse "
             "Mercator\",ID[\"EPSG\",9807]],PARAMETER[\"Latitude of natural origin\",0,ANGLEUNIT["
             "\"degree\",0.0174532925199433],ID[\"EPSG\",8801]],PARAMETER[\"Longitude of natural "
             "origin\",-93,ANGLEUNIT[\"degree\",0.0174532925199433],ID[\"EPSG\",8802]],PARAMETER["
             "\"Scale factor at natural origin\",0.9996,SCALEUNIT[\"unity\",1],ID[\"EPSG\",8805]],"
             "PARAMETER[\"False easting\",500000,LENGTHUNIT[\"metre\",1],ID[\"EPSG\",8806]],"
             "PARAMETER[\"False northing\",0,LENGTHUNIT[\"metre\",1],ID[\"EPSG\",8807]]],CS["
             "Cartesian,2],AXIS[\"Easting\",east,ORDER[1],LENGTHUNIT[\"metre\",1]],AXIS["
             "\"Northing\",north,ORDER[2],LENGTHUNIT[\"metre\",1]],ID[\"EPSG\",26915]]\n",
             ""},
            {"--help", 0, "usage: quarn-wkt [OPTION]... [FILE | FOLDER | EPSG:CODE]...\n", "",
             true},
            {"--version", 0, "quarn-wkt ", "", true},
            {"--nonsense vertical.wkt", 2, "",
             "quarn-wkt: unknown option '--nonsense'\nusage: ", true},
            {"--dialect=wkt3 vertical.wkt", 2, "",
             "quarn-wkt: unknown dialect 'wkt3' (canonical, gdal, esri, wkt2 or "
             "wkt2_2015)\nusage: ",
             true},
            {"--from=wkt3 vertical.wkt", 2, "", "quarn-wkt: ", true},
        },
        kExamples);
}

TEST(ToolOutput, InfoNestsTheParts) {
    fs::path paris = Scratch() / "paris.wkt";
    WriteFile(
        paris,
        R"w(GEOGCS["NTF (Paris)",DATUM["NTF",SPHEROID["Clarke 1880 (IGN)",6378249.2,293.466021293627],TOWGS84[-168,-60,320,0.5,-0.25,1,2]],PRIMEM["Paris",2.33722917],UNIT["grad",0.0157079632679489]])w");
    Result run = Tool("--info compound_with_height.wkt fitted_horizontal_site_grid.wkt "
                      "ground_system.wkt datum_threedim_grids.wkt " +
                          paris.string(),
                      kExamples);
    EXPECT_EQ(run.status, 0);
    for (const char* line :
         {"\n  head: geographic coordinate system \"WGS 84\"\n",
          "\n  tail: vertical coordinate system \"height\"\n",
          "\n  corrections (Local_Grid): E0 1000, N0 2000, K 1, DE 0, DN 0, Beta 1.5 degrees\n",
          "\n  base: projected coordinate system \"UTM 32N\"\n", "\n      central_meridian = 9\n",
          "\n  azimuth: 34.3188649440291 degrees\n",
          "\n    grid files: \"survey_grid.lbf\", \"survey_grid.cop\"\n",
          "\n    shift to WGS 84: dx -168, dy -60, dz 320, rx 0.5, ry -0.25, rz 1, ppm 2\n",
          "\n  prime meridian: \"Paris\", longitude 2.33722917 degrees\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

// Files that hold no text, texts that are not UTF-8, syntax errors with line, column and
// caret, warnings, and the other dialects' constructs: each named, the others still read.
TEST(ToolInput, BadInputAndDiagnostics) {
    fs::path folder = Scratch();
    fs::create_directories(folder / "folder");
    const std::pair<const char*, std::string> files[] = {
        {"bom.wkt",
         "\xEF\xBB\xBFVERT_CS[\"h\",\r\nVERT_DATUM[\"d\",2005],\r\nUNIT[\"metre\",1]]\r\n"},
        {"bom_lines.txt", "\xEF\xBB\xBFUNIT_IS_NO_SYSTEM\r\n\r\n" + kSmall + "\r\n"},
        {"empty.wkt", ""},
        {"blank.wkt", " \r\n\t\n"},
        {"binary.prj", std::string("\x7F"
                                   "ELF\x02\x01\x01\0\0\0",
                                   10)},
        {"latin1.wkt", "VERT_CS[\"h\",\n  VERT_DATUM[\"Z\xFCrich\",2005],\n"},
        {"utf8_lines.txt", kSmall + "\nVERT_CS[\"\xC3\x28\"]\n" + kSmall + "\n"},
        {"one.wkt", "VERT_CS[\"h\",VERT_DATUM[\"d\",2005] UNIT[\"metre\",1]]\r\n"},
        {"nul.wkt", std::string("VERT_CS[\"Z\xC3\xBCrich\0x\"]", 20)},
        {"cut.wkt", "VERT_CS[\"h\",\n  VERT_DATUM[\"d\",2005],\n\n"},
        {"lines.txt", kSmall + "\n\n  VERT_CS[\"b\"]\n" + kSmall + "\n"},
        {"stray.wkt", kSmall + " VERT_CS[\"again\"]\n"},
        {"v.prj", "VERTCS[\"h\",VDATUM[\"EGM2008_Geoid\"],PARAMETER[\"Vertical_Shift\",0.0],"
                  "PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]\n"},
    };
    for (const auto& [name, bytes] : files)
        WriteFile(folder / name, bytes);
    const std::string smallTwice = kSmallOut + kSmallOut;
    ExpectRuns(
        {
            {"bom.wkt", 0, kSmallOut, ""},
            {"--lines bom_lines.txt", 1, kSmallOut, "bom_lines.txt:1:1: error: ", true},
            {"missing.wkt", 1, "", "missing.wkt: error: cannot open: No such file or directory\n"},
            {"folder", 1, "",
             "folder: error: no .prj or .wkt file in the folder (-r reads its sub-folders)\n"},
            {"empty.wkt", 1, "", "empty.wkt: error: empty file, no text to read\n"},
            {"blank.wkt", 1, "", "blank.wkt: error: only blanks, no text to read\n"},
            {"- < empty.wkt", 1, "", "<stdin>: error: empty file, no text to read\n"},
            {"binary.prj", 1, "",
             "binary.prj:1:8: error: NUL character: this is not a text; the text is not read\n"
             "    \xEF\xBF\xBD"
             "ELF\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\n"
             "           ^\n"},
            {"nul.wkt", 1, "",
             "nul.wkt:1:16: error: NUL character: this is not a text; the text is not read\n"
             "    VERT_CS[\"Z\xC3\xBCrich\xEF\xBF\xBDx\"]\n" +
                 std::string(4 + 15, ' ') + "^\n"},
            {"latin1.wkt", 1, "",
             "latin1.wkt:2:16: error: invalid UTF-8 (byte 0xFC); the text is not read\n"
             "      VERT_DATUM[\"Z\xEF\xBF\xBDrich\",2005],\n"
             "                   ^\n"},
            {"--lines utf8_lines.txt folder", 1, smallTwice,
             "utf8_lines.txt:2:10: error: invalid UTF-8 (byte 0xC3); the text is not read\n"
             "    VERT_CS[\"\xEF\xBF\xBD(\"]\n"
             "             ^\n"
             "folder: error: no .prj or .wkt file in the folder (-r reads its sub-folders)\n"},
            {"one.wkt", 1, "",
             "one.wkt:1:34: error: unexpected UNIT; expected ','\n"
             "    VERT_CS[\"h\",VERT_DATUM[\"d\",2005] UNIT[\"metre\",1]]\n"
             "                                     ^\n"},
            {"cut.wkt", 1, "",
             "cut.wkt:2:24: error: unexpected end of text; expected UNIT\n"
             "      VERT_DATUM[\"d\",2005],\n"
             "                           ^\n"},
            {"--lines lines.txt", 1, smallTwice,
             "lines.txt:3:14: error: unexpected ']'; expected ','\n"
             "      VERT_CS[\"b\"]\n"
             "                 ^\n"},
            {"stray.wkt", 0, kSmallOut,
             "stray.wkt:1:51: warning: VERT_CS after the end of the coordinate system is "
             "ignored\n    " +
                 kSmall + " VERT_CS[\"again\"]\n" + std::string(4 + 50, ' ') + "^\n"},
            {"v.prj", 1, "",
             "v.prj:1:1: error: unexpected VERTCS; expected COMPD_CS, FITTED_CS, GEOCCS, GEOGCS, "
             "LOCAL_CS, PROJCS or VERT_CS; VERTCS is read with --from=esri\n",
             true},
            {"--from=esri v.prj", 0,
             "VERT_CS[\"h\",VERT_DATUM[\"EGM2008 geoid\",2005],UNIT[\"Meter\",1],"
             "AXIS[\"Gravity-related height\",Up]]\n",
             ""},
        },
        folder);
}

// A text on one line of 10 MB reads like any other; on such a line a diagnostic shows 80
// characters around the place.
TEST(ToolInput, TenMegabyteLine) {
    fs::path folder = Scratch();
    std::string name(10 << 20, 'n');
    WriteFile(folder / "long.wkt",
              "VERT_CS[\"" + name + "\",VERT_DATUM[\"d\",2005],UNIT[\"m\",1]]");
    WriteFile(folder / "bad.wkt",
              "VERT_CS[\"" + std::string(5000, 'x') + "\xFF" + std::string(5000, 'y') + "\"]");
    WriteFile(folder / "end.wkt", "VERT_CS[\"" + std::string(200, 'x') + "\"]");
    ExpectRuns({{"end.wkt", 1, "",
                 "end.wkt:1:211: error: unexpected ']'; expected ','\n    ..." +
                     std::string(78, 'x') + "\"]\n" + std::string(4 + 3 + 79, ' ') + "^\n"},
                {"long.wkt", 0,
                 "VERT_CS[\"" + name.substr(0, 255) +
                     "\",VERT_DATUM[\"d\",2005],UNIT[\"m\",1],AXIS[\"Z\",Up]]\n",
                 ""},
                {"bad.wkt", 1, "",
                 "bad.wkt:1:5010: error: invalid UTF-8 (byte 0xFF); the text is not read\n    ..." +
                     std::string(40, 'x') + "\xEF\xBF\xBD" + std::string(39, 'y') + "...\n" +
                     std::string(4 + 3 + 40, ' ') + "^\n"}},
               folder);
}

// EPSG:CODE reads from the database even when a file of that name exists; ./EPSG:CODE is the
// file. Without the EPSG component the tool says so.
TEST(ToolEpsg, CodesAndFilesOfTheirName) {
    fs::path folder = Scratch();
    fs::copy_file(kExamples / "vertical.wkt", folder / "EPSG:4326",
                  fs::copy_options::overwrite_existing);
#ifdef QUARN_TOOL_EPSG
    const std::string wgs84 =
        "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563] ,"
        "TOWGS84[0, 0, 0, -0, -0, -0, 0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
        "0.0174532925199433],AXIS[\"X\",East],AXIS[\"Y\",North]]\n";
    ExpectRuns(
        {
            {"EPSG:4326 ./EPSG:4326 epsg:5703", 0, wgs84 + kNavd88 + kNavd88, ""},
            {"EPSG:999999 EPSG:4978", 1, "",
             "EPSG:999999: error: EPSG:999999: no horizontal coordinate system of this code in "
             "the database (PROJ: proj_create_from_database: crs not found)\n"
             "EPSG:4978: error: EPSG:4978 is a geocentric coordinate system, not a horizontal "
             "coordinate system\n"},
        },
        folder);
#else
    ExpectRuns({{"./EPSG:4326", 0, kNavd88, ""},
                {"EPSG:4326 epsg:4326", 1, "",
                 "EPSG:4326: error: this quarn-wkt was built without EPSG support (it needs "
                 "libquarn-epsg, built when PROJ is found)\nepsg:4326: error: this quarn-wkt "
                 "was built without EPSG support (it needs libquarn-epsg, built when PROJ is "
                 "found)\n"}},
               folder);
#endif
}

// Folders: their .prj and .wkt files in the order of their names, sub-folders with -r.
TEST(ToolInput, Folders) {
    fs::path folder = Scratch();
    fs::create_directories(folder / "in" / "deeper");
    WriteFile(folder / "in" / "b.prj", kSmall);
    WriteFile(folder / "in" / "a.WKT", kSmall);
    WriteFile(folder / "in" / "notes.txt", "not a system");
    WriteFile(folder / "in" / "deeper" / "c.prj", kSmall);
    fs::create_directories(folder / "empty");
    ExpectRuns({{"--check in", 0, "", ""},
                {"in", 0, kSmallOut + kSmallOut, ""},
                {"-r in", 0, kSmallOut + kSmallOut + kSmallOut, ""},
                {"empty", 1, "",
                 "empty: error: no .prj or .wkt file in the folder (-r reads its sub-folders)\n"}},
               folder);
}

TEST(ToolEpsg, Identify) {
    fs::path folder = Scratch();
    const std::string utm =
        "PROJCS[\"NAD_1983_UTM_Zone_15N\",GEOGCS[\"GCS_North_American_1983\",DATUM["
        "\"D_North_American_1983\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM["
        "\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],PROJECTION["
        "\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",500000.0],PARAMETER["
        "\"False_Northing\",0.0],PARAMETER[\"Central_Meridian\",-93.0],PARAMETER["
        "\"Scale_Factor\",0.9996],PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";
    WriteFile(folder / "utm.prj", utm);
    WriteFile(folder / "site.wkt", "LOCAL_CS[\"site\",LOCAL_DATUM[\"d\",10000],UNIT[\"metre\",1],"
                                   "AXIS[\"X\",EAST],AXIS[\"Y\",NORTH]]");
    std::string unknown = utm;
    unknown.replace(unknown.find("D_North_American_1983"), 21, "D_Unknown");
    WriteFile(folder / "unknown.prj", unknown);
    WriteFile(folder / "lines.txt", "\n" + kSmall + "\nGEOGCS[\n");
#ifdef QUARN_TOOL_EPSG
    ExpectRuns({{"--identify --from=esri utm.prj site.wkt", 0,
                 "utm.prj: EPSG:26915 100 NAD83 / UTM zone 15N\nsite.wkt: no match\n", ""},
                {"--identify --min-confidence=101 utm.prj", 2, "",
                 "quarn-wkt: --min-confidence takes a number from 0 to 100\n", true}},
               folder);
    // Every candidate: the datum known by its ellipsoid only, the name agreeing first.
    Result all = Tool("--identify --all --min-confidence=50 --from=esri unknown.prj", folder);
    EXPECT_EQ(all.out.substr(0, 57), "unknown.prj: EPSG:26915 70 NAD83 / UTM zone 15N\nunknown.p");
    EXPECT_GT(std::count(all.out.begin(), all.out.end(), '\n'), 3);
    // With --lines the source is the line; a text that does not read gets no line.
    Result lines = Tool("--identify --lines --min-confidence=0 lines.txt", folder);
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(lines.out.substr(0, 18), "lines.txt:2: EPSG:");
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 1);
    EXPECT_EQ(lines.err.substr(0, 13), "lines.txt:3:8");
#else
    ExpectRuns({{"--identify utm.prj", 2, "",
                 "quarn-wkt: --identify needs EPSG support, which this build has not (it needs "
                 "libquarn-epsg, built when PROJ is found)\n",
                 true}},
               folder);
#endif
}

} // namespace
