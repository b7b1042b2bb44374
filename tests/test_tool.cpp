// quarn-wkt run as a user runs it: real files, real exit statuses and the exact messages.
#include "quarn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
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

// Runs the tool in `folder` (names in messages are then as given) with `arguments`, standard
// input from `input`.
Result Tool(const std::string& arguments, const fs::path& folder = Scratch(),
            const std::string& input = "") {
    fs::path scratch = Scratch();
    WriteFile(scratch / "stdin", input);
    std::string command = "cd '" + folder.string() + "' && '" QUARN_WKT "' " + arguments + " <'" +
                          (scratch / "stdin").string() + "' >'" + (scratch / "stdout").string() +
                          "' 2>'" + (scratch / "stderr").string() + "'";
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(scratch / "stdout"),
            Slurp(scratch / "stderr")};
}

const fs::path kExamples = fs::path(QUARN_SOURCE_DIR) / "examples";

TEST(ToolOutput, EachFormOfOneSystem) {
    const std::string wkt = "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical "
                            "Datum 1988\",2005],UNIT[\"metre\",1],AXIS[\"Gravity-related "
                            "height\",Up]]\n";
    struct Case {
        const char* options;
        std::string out;
    } cases[] = {
        {"", wkt},
        {"--check", ""},
        {"--summary", wkt + "     1 vertical systems\n     1 vertical datums\n"
                            "     1 linear units\n"},
        {"--pretty", "VERT_CS[\"NAVD88 height\",\n"
                     "    VERT_DATUM[\"North American Vertical Datum 1988\",2005],\n"
                     "    UNIT[\"metre\",1],\n"
                     "    AXIS[\"Gravity-related height\",Up]]\n"},
        {"--info", "vertical coordinate system \"NAVD88 height\" (EPSG 5703)\n"
                   "  type codes: object 6, system 1000 (extended 1000), height 2\n"
                   "  dimension: 1\n"
                   "  axis 1: \"Gravity-related height\" up, unit \"metre\"\n"
                   "  linear unit: \"metre\", 1 metres\n"
                   "  vertical datum: \"North American Vertical Datum 1988\", type 2005\n\n"},
    };
    for (const Case& c : cases) {
        Result run = Tool(std::string(c.options) + " vertical.wkt", kExamples);
        EXPECT_EQ(run.status, 0) << c.options;
        EXPECT_EQ(run.out, c.out) << c.options;
        EXPECT_EQ(run.err, "") << c.options;
    }
}

TEST(ToolOutput, InfoNestsTheParts) {
    Result run = Tool("--info compound_with_height.wkt fitted_horizontal_site_grid.wkt "
                      "ground_system.wkt datum_threedim_grids.wkt",
                      kExamples);
    EXPECT_EQ(run.status, 0);
    for (const char* line :
         {"\n  head: geographic coordinate system \"WGS 84\"\n",
          "\n  tail: vertical coordinate system \"height\"\n",
          "\n  corrections (Local_Grid): E0 1000, N0 2000, K 1, DE 0, DN 0, Beta 1.5 degrees\n",
          "\n  base: projected coordinate system \"UTM 32N\"\n", "\n      central_meridian = 9\n",
          "\n  azimuth: 34.3188649440291 degrees\n",
          "\n    grid files: \"survey_grid.lbf\", \"survey_grid.cop\"\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

// Every example reads, and its indented form reads back to the same system.
TEST(ToolOutput, PrettyReadsBackForEveryExample) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        std::string ext = entry.path().extension().string();
        if (ext != ".wkt" && ext != ".prj") continue;
        std::string name = entry.path().filename().string();
        Result plain = Tool(name, kExamples);
        Result pretty = Tool("--pretty " + name, kExamples);
        Result again = Tool("-", kExamples, pretty.out);
        EXPECT_EQ(plain.status, 0) << name << plain.err;
        EXPECT_GT(pretty.out.size(), plain.out.size()) << name;
        EXPECT_EQ(again.out, plain.out) << name << again.err;
        ++count;
    }
    EXPECT_GE(count, 12);
}

TEST(ToolOutput, PrjFlagNormalisesProjectionFiles) {
    Result run = Tool("--prj esri_state_plane_feet.prj", kExamples);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("PROJECTION[\"Lambert_Conformal_Conic_2SP\"],PARAMETER[\"False_"
                           "Easting\",2000000"),
              std::string::npos)
        << run.out;
}

TEST(ToolOutput, ByteOrderMarkAndCrlfAreAccepted) {
    fs::path folder = Scratch();
    std::string text = "VERT_CS[\"h\",\r\nVERT_DATUM[\"d\",2005],\r\nUNIT[\"metre\",1]]\r\n";
    WriteFile(folder / "bom.wkt", "\xEF\xBB\xBF" + text);
    WriteFile(folder / "lines.txt", "\xEF\xBB\xBFUNIT_IS_NO_SYSTEM\r\n\r\nVERT_CS[\"h\","
                                    "VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]]\r\n");
    const std::string wkt =
        "VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n";
    Result whole = Tool("bom.wkt");
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(whole.out, wkt);
    Result lines = Tool("--lines lines.txt");
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(lines.out, wkt);
    EXPECT_EQ(lines.err.rfind("lines.txt:1:1: error: ", 0), 0u) << lines.err;
}

// Each dialect on one system; a system a dialect has no form for is an error naming why.
TEST(ToolOutput, Dialects) {
    struct Case {
        const char* arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"--dialect=canonical geographic.wkt", 0,
         "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563] ,"
         "TOWGS84[0, 0, 0, 0, 0, 0, 0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
         "0.0174532925199433],AXIS[\"Latitude\",North],AXIS[\"Longitude\",East]]\n",
         ""},
        {"--dialect=gdal geographic.wkt", 0,
         "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,"
         "AUTHORITY[\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,"
         "AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\","
         "\"9122\"]],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST],AUTHORITY[\"EPSG\","
         "\"4326\"]]\n",
         ""},
        {"--dialect=esri geographic.wkt", 0,
         "GEOGCS[\"WGS_84\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
         "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]\n",
         ""},
        {"--pretty --dialect=esri vertical.wkt", 0,
         "VERTCS[\"NAVD88_height\",\n"
         "    VDATUM[\"North_American_Vertical_Datum_1988\"],\n"
         "    PARAMETER[\"Vertical_Shift\",0.0],\n"
         "    PARAMETER[\"Direction\",1.0],\n"
         "    UNIT[\"Meter\",1.0]]\n",
         ""},
        {"--dialect=gdal fitted_horizontal_site_grid.wkt vertical.wkt", 1,
         "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical Datum 1988\",2005],"
         "UNIT[\"metre\",1],AUTHORITY[\"EPSG\",\"5703\"]]\n",
         "fitted_horizontal_site_grid.wkt: error: the system has no gdal text: a fitted system "
         "(Local_Grid or Linear_Correction) has no form that other programs read\n"},
        {"--dialect=wkt2 vertical.wkt", 2, "",
         "quarn-wkt: unknown dialect 'wkt2' (canonical, gdal or esri)\nusage: "},
    };
    for (const Case& c : cases) {
        Result run = Tool(c.arguments, kExamples);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
        EXPECT_EQ(run.err.substr(0, std::string(c.err).size()), c.err) << c.arguments;
    }
}

// EPSG:CODE reads from the database even when a file of that name exists; ./EPSG:CODE is the
// file. Without the EPSG component the tool says so.
TEST(ToolEpsg, CodesAndFilesOfTheirName) {
    fs::path folder = Scratch();
    fs::copy_file(kExamples / "vertical.wkt", folder / "EPSG:4326",
                  fs::copy_options::overwrite_existing);
    const std::string navd88 = "VERT_CS[\"NAVD88 height\",VERT_DATUM[\"North American Vertical "
                               "Datum 1988\",2005],UNIT[\"metre\",1],AXIS[\"Gravity-related "
                               "height\",Up]]\n";
    Result file = Tool("./EPSG:4326", folder);
    EXPECT_EQ(file.status, 0);
    EXPECT_EQ(file.out, navd88);
#ifdef QUARN_TOOL_EPSG
    const std::string wgs84 =
        "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563] ,"
        "TOWGS84[0, 0, 0, -0, -0, -0, 0]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\","
        "0.0174532925199433],AXIS[\"X\",East],AXIS[\"Y\",North]]\n";
    struct Case {
        const char* arguments;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"EPSG:4326 ./EPSG:4326 epsg:5703", 0, wgs84 + navd88 + navd88, ""},
        {"--info EPSG:4326", 0,
         "geographic coordinate system \"WGS 84\" (EPSG 4326)\n"
         "  type codes: object 4, system 2001 (extended 2001), height 0\n"
         "  dimension: 2\n"
         "  axis 1: \"X\" east, unit \"degree\"\n"
         "  axis 2: \"Y\" north, unit \"degree\"\n"
         "  angular unit: \"degree\" (EPSG 9122), 0.0174532925199433 radians\n"
         "  datum: \"WGS_1984\" (EPSG 6326), type 1001\n"
         "    ellipsoid: \"WGS 84\" (EPSG 7030), semi-major axis 6378137 metres, inverse "
         "flattening 298.257223563\n"
         "    shift to WGS 84: dx 0, dy 0, dz 0, rx 0, ry 0, rz 0, ppm 0\n"
         "  prime meridian: \"Greenwich\" (EPSG 8901), longitude 0 degrees\n\n",
         ""},
        // The .prj form of a compound system is its two parts one after the other.
        {"--dialect=esri EPSG:5498", 0,
         "GEOGCS[\"NAD83\",DATUM[\"D_North_American_1983\",SPHEROID[\"GRS_1980\",6378137.0,"
         "298.257222101]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
         "VERTCS[\"NAVD88_height\",VDATUM[\"North_American_Vertical_Datum_1988\"],PARAMETER["
         "\"Vertical_Shift\",0.0],PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]\n",
         ""},
        {"EPSG:999999 EPSG:4978", 1, "",
         "EPSG:999999: error: EPSG:999999: no horizontal coordinate system of this code in the "
         "database (PROJ: proj_create_from_database: crs not found)\n"
         "EPSG:4978: error: EPSG:4978 is a geocentric coordinate system, not a horizontal "
         "coordinate system\n"},
    };
    for (const Case& c : cases) {
        Result run = Tool(c.arguments, folder);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.out, c.out) << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.arguments;
    }
#else
    Result code = Tool("EPSG:4326", folder);
    EXPECT_EQ(code.status, 1);
    EXPECT_EQ(code.out, "");
    EXPECT_EQ(code.err, "EPSG:4326: error: this quarn-wkt was built without EPSG support (it "
                        "needs libquarn-epsg, built when PROJ is found)\n");
#endif
}

TEST(ToolUsage, HelpVersionAndBadOptions) {
    Result help = Tool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: quarn-wkt [OPTION]... [FILE | EPSG:CODE]...\n", 0), 0u);
    EXPECT_EQ(help.err, "");
    Result version = Tool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("quarn-wkt ", 0), 0u);
    Result bad = Tool("--nonsense vertical.wkt", kExamples);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("quarn-wkt: unknown option '--nonsense'\nusage: ", 0), 0u);
}

// Files that hold no text to read, and texts that are not UTF-8: each is named, the others
// are still read, and the status is 1.
TEST(ToolBadInput, FilesAndBytes) {
    fs::path folder = Scratch();
    fs::create_directories(folder / "folder");
    WriteFile(folder / "empty.wkt", "");
    WriteFile(folder / "bom_only.wkt", "\xEF\xBB\xBF");
    WriteFile(folder / "blank.wkt", " \r\n\t\n");
    WriteFile(folder / "binary.prj", std::string("\x7F"
                                                 "ELF\x02\x01\x01\0\0\0",
                                                 10));
    WriteFile(folder / "latin1.wkt", "VERT_CS[\"h\",\n  VERT_DATUM[\"Z\xFCrich\",2005],\n");
    WriteFile(folder / "lines.txt", "VERT_CS[\"a\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]]\n"
                                    "VERT_CS[\"\xC3\x28\"]\n"
                                    "VERT_CS[\"c\",VERT_DATUM[\"d\",2006],UNIT[\"metre\",1]]\n");
    struct Case {
        const char* arguments;
        const char* err;
    } cases[] = {
        {"missing.wkt", "missing.wkt: error: cannot open: No such file or directory\n"},
        {"folder", "folder: error: is a directory, not a file\n"},
        {"empty.wkt", "empty.wkt: error: empty file, no text to read\n"},
        {"bom_only.wkt", "bom_only.wkt: error: empty file, no text to read\n"},
        {"blank.wkt", "blank.wkt: error: only blanks, no text to read\n"},
        {"binary.prj",
         "binary.prj:1:8: error: NUL character: this is not a text; the text is "
         "not read\n"
         "    \xEF\xBF\xBD"
         "ELF\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\n"
         "           ^\n"},
        {"latin1.wkt", "latin1.wkt:2:16: error: invalid UTF-8 (byte 0xFC); the text is not read\n"
                       "      VERT_DATUM[\"Z\xEF\xBF\xBDrich\",2005],\n"
                       "                   ^\n"},
        {"- < empty.wkt", "<stdin>: error: empty file, no text to read\n"},
    };
    for (const Case& c : cases) {
        Result run = Tool(c.arguments, folder);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.arguments;
    }
    Result lines = Tool("--lines lines.txt folder", folder);
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(lines.out,
              "VERT_CS[\"a\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n"
              "VERT_CS[\"c\",VERT_DATUM[\"d~1\",2006],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n");
    EXPECT_EQ(lines.err, "lines.txt:2:10: error: invalid UTF-8 (byte 0xC3); the text is not read\n"
                         "    VERT_CS[\"\xEF\xBF\xBD(\"]\n"
                         "             ^\n"
                         "folder: error: is a directory, not a file\n");
}

// A text on one line of 10 MB reads like any other; on such a line a diagnostic shows 80
// characters around the place.
TEST(ToolBadInput, TenMegabyteLine) {
    fs::path folder = Scratch();
    std::string name(10 << 20, 'n');
    WriteFile(folder / "long.wkt",
              "VERT_CS[\"" + name + "\",VERT_DATUM[\"d\",2005],UNIT[\"m\",1]]");
    Result run = Tool("long.wkt", folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "VERT_CS[\"" + name.substr(0, 255) +
                           "\",VERT_DATUM[\"d\",2005],UNIT[\"m\",1],AXIS[\"Z\",Up]]\n");

    WriteFile(folder / "bad.wkt",
              "VERT_CS[\"" + std::string(5000, 'x') + "\xFF" + std::string(5000, 'y') + "\"]");
    Result bad = Tool("bad.wkt", folder);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "bad.wkt:1:5010: error: invalid UTF-8 (byte 0xFF); the text is not read\n"
                       "    ..." +
                           std::string(40, 'x') + "\xEF\xBF\xBD" + std::string(39, 'y') + "...\n" +
                           std::string(4 + 3 + 40, ' ') + "^\n");
}

TEST(ToolDiagnostics, LineColumnAndCaret) {
    fs::path folder = Scratch();
    WriteFile(folder / "one.wkt", "VERT_CS[\"h\",VERT_DATUM[\"d\",2005] UNIT[\"metre\",1]]\n");
    WriteFile(folder / "cut.wkt", "VERT_CS[\"h\",\n  VERT_DATUM[\"d\",2005],\n\n");
    WriteFile(folder / "lines.txt", "VERT_CS[\"a\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]]\n\n"
                                    "  VERT_CS[\"b\"]\n"
                                    "VERT_CS[\"c\",VERT_DATUM[\"d\",2006],UNIT[\"metre\",1]]\n");
    struct Case {
        const char* arguments;
        fs::path folder;
        const char* err;
    } cases[] = {
        {"one.wkt", folder,
         "one.wkt:1:34: error: unexpected UNIT; expected ','\n"
         "    VERT_CS[\"h\",VERT_DATUM[\"d\",2005] UNIT[\"metre\",1]]\n"
         "                                     ^\n"},
        {"missing_comma.wkt", kExamples / "broken",
         "missing_comma.wkt:5:5: error: unexpected UNIT; expected ','\n"
         "        UNIT[\"degree\",0.0174532925199433]]\n"
         "        ^\n"},
        {"cut.wkt", folder,
         "cut.wkt:2:24: error: unexpected end of text; expected UNIT\n"
         "      VERT_DATUM[\"d\",2005],\n"
         "                           ^\n"},
        {"--lines lines.txt", folder,
         "lines.txt:3:14: error: unexpected ']'; expected ','\n"
         "      VERT_CS[\"b\"]\n"
         "                 ^\n"},
    };
    for (const Case& c : cases) {
        Result run = Tool(c.arguments, c.folder);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.arguments;
    }
    EXPECT_EQ(Tool("--lines lines.txt", folder).out,
              "VERT_CS[\"a\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n"
              "VERT_CS[\"c\",VERT_DATUM[\"d~1\",2006],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n");
}

TEST(ToolDiagnostics, StrayTokensWarnAndStillPrint) {
    fs::path folder = Scratch();
    WriteFile(folder / "stray.wkt",
              "VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]] VERT_CS[\"again\"]\n");
    Result run = Tool("stray.wkt", folder);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]\n");
    EXPECT_EQ(run.err, "stray.wkt:1:51: warning: VERT_CS after the end of the coordinate system "
                       "is ignored\n"
                       "    VERT_CS[\"h\",VERT_DATUM[\"d\",2005],UNIT[\"metre\",1]] "
                       "VERT_CS[\"again\"]\n" +
                           std::string(4 + 50, ' ') + "^\n");
}

TEST(ToolDiagnostics, ReadingDialectsAndTheHintAtTheirConstructs) {
    fs::path folder = Scratch();
    WriteFile(folder / "v.prj", "VERTCS[\"h\",VDATUM[\"EGM2008_Geoid\"],PARAMETER[\"Vertical_Shift\","
                                "0.0],PARAMETER[\"Direction\",1.0],UNIT[\"Meter\",1.0]]\n");
    Result canonical = Tool("v.prj", folder);
    EXPECT_EQ(canonical.status, 1);
    EXPECT_EQ(canonical.err.substr(0, canonical.err.find('\n')),
              "v.prj:1:1: error: unexpected VERTCS; expected COMPD_CS, FITTED_CS, GEOCCS, GEOGCS, "
              "LOCAL_CS, PROJCS or VERT_CS; VERTCS is read with --from=esri");
    Result esri = Tool("--from=esri v.prj", folder);
    EXPECT_EQ(esri.status, 0) << esri.err;
    EXPECT_EQ(esri.out, "VERT_CS[\"h\",VERT_DATUM[\"EGM2008 geoid\",2005],UNIT[\"Meter\",1],"
                        "AXIS[\"Gravity-related height\",Up]]\n");
    EXPECT_EQ(Tool("--from=wkt2 v.prj", folder).status, 2);
}

} // namespace
