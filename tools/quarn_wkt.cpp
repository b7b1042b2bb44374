// quarn-wkt: reads coordinate-system texts (WKT, as in .prj files) or systems by EPSG code,
// says where and why a text does not read, and writes each system back as WKT in the dialect
// asked for (the library's canonical one by default), indented, or as a readable description.
#include "WktDescribe.h"
#include "WktInput.h"
#include "WktReport.h"

#include <quarn/interchange.h>
#include <quarn/interchange/Diagnostics.h>
#include <quarn/interchange/WktDialects.h>
#include <quarn/model/ObjectKinds.h>
#include <quarn/quarn.h>
#ifdef QUARN_WKT_EPSG
#include <quarn/epsg.h>
#include <quarn/identify.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace {

const char kUsage[] =
    "usage: quarn-wkt [OPTION]... [FILE | FOLDER | EPSG:CODE]...\n"
    "Reads coordinate-system texts (WKT, as in .prj files) and writes each back in the\n"
    "library's canonical form. Each FILE holds one text; '-' or no FILE reads standard input.\n"
    "A FOLDER is read as every .prj and .wkt file in it.\n"
    "EPSG:CODE reads that system from PROJ's EPSG database (./EPSG:CODE names a file)"
#ifndef QUARN_WKT_EPSG
    ";\nthis build has no EPSG support"
#endif
    ".\nInput and output are UTF-8.\n"
    "\n"
    "  --lines     every non-blank line is a text of its own\n"
    "  --prj       read with the projection-file conveniences (SetPrjLoading)\n"
    "  --from=NAME read the texts in the dialect NAME:\n"
    "      canonical   the library's own dialect (default)\n"
    "      gdal        also what GDAL and PROJ write: EXTENSION nodes, numeric codes\n"
    "      esri        also ESRI's .prj constructs: VERTCS, LINUNIT, GXYZCS, HVCOORDSYS, ...\n"
    "      wkt2        WKT 2 (ISO 19162:2015 and 2019), as PROJ writes it; gdal and esri\n"
    "                  read a text that starts with a WKT 2 keyword as WKT 2 too\n"
    "      wkt2_2015   the same as wkt2\n"
    "  --dialect=NAME  write the WKT in the dialect NAME:\n"
    "      canonical   the library's own text (default); to store texts Quarn reads again\n"
    "      gdal        WKT 1 as GDAL and PROJ read it; to pass files on to GDAL, PROJ, QGIS\n"
    "      esri        the .prj form with ESRI's names; for .prj files that ArcGIS reads\n"
    "      wkt2        WKT 2 (ISO 19162:2019); for PROJ, GeoPackage and the newer tools\n"
    "      wkt2_2015   WKT 2 of ISO 19162:2015; for readers of that first edition\n"
    "    A system that has no form in that dialect (a fitted or local system, a datum on\n"
    "    grid files, ...) is an error rather than a text that means another system.\n"
    "  --pretty    write the WKT indented, one element a line (in any dialect)\n"
    "  --info      describe each system instead of writing its WKT\n"
    "  --identify  for each system, the EPSG system it is: SOURCE: EPSG:CODE CONFIDENCE NAME,\n"
    "              or SOURCE: no match\n"
    "  --min-confidence=N  with --identify, candidates of confidence N (0 to 100) or more\n"
    "              (default 70)\n"
    "  --all       with --identify, every candidate, one line each\n"
    "  -r          read the sub-folders of a FOLDER too\n"
    "  --check     write nothing but the diagnostics\n"
    "  --summary   end with the number of objects of each kind the factory holds\n"
    "  --help      show this help\n"
    "  --version   show the version\n"
    "\n"
    "A text that does not read gives FILE:LINE:COLUMN: error: MESSAGE on standard error.\n"
    "Exit status: 0 when every text read, 1 when any did not, 2 for a usage error.\n";

enum class Output { kWkt, kPretty, kInfo, kIdentify, kNone };

struct Options {
    bool lines = false;
    bool summary = false;
    bool recursive = false;
    bool all = false;
    int minConfidence = 70;
    Output output = Output::kWkt;
    quarn::WktDialect dialect = quarn::WktDialect::Canonical; // written
    quarn::WktDialect from = quarn::WktDialect::Canonical;    // read
    std::vector<std::string> paths;
};

struct DialectName {
    const char* name;
    quarn::WktDialect dialect;
};
const DialectName kDialects[] = {{"canonical", quarn::WktDialect::Canonical},
                                 {"gdal", quarn::WktDialect::Gdal},
                                 {"esri", quarn::WktDialect::Esri},
                                 {"wkt2", quarn::WktDialect::Wkt2},
                                 {"wkt2_2015", quarn::WktDialect::Wkt2_2015}};

// The dialect of that name; false for a name that is none.
bool FindDialect(const char* name, quarn::WktDialect& dialect) {
    for (const DialectName& entry : kDialects)
        if (std::strcmp(name, entry.name) == 0) {
            dialect = entry.dialect;
            return true;
        }
    return false;
}

const char* NameOf(quarn::WktDialect dialect) {
    for (const DialectName& entry : kDialects)
        if (entry.dialect == dialect) return entry.name;
    return "";
}

// The value of an option written NAME=VALUE (`name` ends with '='); null for another option.
const char* OptionValue(const char* argument, const char* name) {
    std::size_t length = std::strlen(name);
    return std::strncmp(argument, name, length) == 0 ? argument + length : nullptr;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "quarn-wkt: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// An argument that names a system by its EPSG code rather than a file.
bool IsEpsgCode(const std::string& argument) {
    return argument.size() > 5 && strncasecmp(argument.c_str(), "EPSG:", 5) == 0;
}

// Returns -1 when the options are good, otherwise the exit status.
int ParseOptions(int argc, char** argv, Options& options) {
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (optionsEnd || argument == "-" || argument[0] != '-') {
            options.paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argument == "--version") {
            std::printf("quarn-wkt %s\n", QUARN_VERSION);
            return 0;
        } else if (argument == "--prj") {
            SetPrjLoading(true);
        } else if (argument == "--lines") {
            options.lines = true;
        } else if (argument == "--summary") {
            options.summary = true;
        } else if (argument == "--pretty") {
            options.output = Output::kPretty;
        } else if (argument == "--info") {
            options.output = Output::kInfo;
        } else if (argument == "--check") {
            options.output = Output::kNone;
        } else if (argument == "--identify") {
#ifndef QUARN_WKT_EPSG
            return UsageError("--identify needs EPSG support, which this build has not (it "
                              "needs libquarn-epsg, built when PROJ is found)");
#endif
            options.output = Output::kIdentify;
        } else if (argument == "--all") {
            options.all = true;
        } else if (argument == "-r") {
            options.recursive = true;
        } else if (const char* value = OptionValue(argv[i], "--min-confidence=")) {
            char* end = nullptr;
            long n = std::strtol(value, &end, 10);
            if (*value == '\0' || *end != '\0' || n < 0 || n > 100)
                return UsageError("--min-confidence takes a number from 0 to 100");
            options.minConfidence = static_cast<int>(n);
        } else if (const char* name = OptionValue(argv[i], "--from=")) {
            if (!FindDialect(name, options.from))
                return UsageError("unknown dialect '" + std::string(name) +
                                  "' (canonical, gdal, esri, wkt2 or wkt2_2015)");
        } else if (const char* name = OptionValue(argv[i], "--dialect=")) {
            if (!FindDialect(name, options.dialect))
                return UsageError("unknown dialect '" + std::string(name) +
                                  "' (canonical, gdal, esri, wkt2 or wkt2_2015)");
        } else {
            return UsageError("unknown option '" + argument + "'");
        }
    }
    if (options.paths.empty()) options.paths.push_back("-");
    return -1;
}

class Reader {
public:
    Reader(const Options& options)
        : m_options(options), m_reporter(options.lines && isatty(STDERR_FILENO)) {}

    // Reads every text of one input; false when any of them did not read.
    bool ReadInput(const std::string& path) {
        if (IsEpsgCode(path)) return ReadCode(path);
        std::error_code code;
        if (path != "-" && std::filesystem::is_directory(path, code)) return ReadFolder(path);
        std::string name = path == "-" ? "<stdin>" : path;
        std::string bytes;
        std::string error;
        if (!ReadSource(path, bytes, error)) {
            m_reporter.FileError(name, error);
            return false;
        }
        std::string_view contents = SkipByteOrderMark(bytes);
        if (contents.empty()) {
            m_reporter.FileError(name, "empty file, no text to read");
            return false;
        }
        std::vector<SourceText> texts = SplitTexts(contents, m_options.lines);
        if (texts.empty()) {
            m_reporter.FileError(name, "only blanks, no text to read");
            return false;
        }
        bool allRead = true;
        m_reporter.Progress(name, 0, texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            allRead = ReadText(name, texts[i]) && allRead;
            m_reporter.Progress(name, i + 1, texts.size());
        }
        m_reporter.HideProgress();
        return allRead;
    }

    void Summary() {
        m_reporter.HideProgress();
        for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
            int count = m_factory.GetProductLine(type).GetSize();
            if (count > 0) std::printf("%6d %s\n", count, quarn::kObjectKinds[type].plural);
        }
    }

private:
    bool ReadFolder(const std::string& folder) {
        std::vector<std::string> files;
        std::string error;
        if (!ListFolder(folder, m_options.recursive, files, error)) {
            m_reporter.FileError(folder, error);
            return false;
        }
        if (files.empty()) {
            m_reporter.FileError(folder, m_options.recursive
                                             ? "no .prj or .wkt file in the folder or below it"
                                             : "no .prj or .wkt file in the folder (-r reads "
                                               "its sub-folders)");
            return false;
        }
        bool allRead = true;
        for (const std::string& file : files)
            allRead = ReadInput(file) && allRead;
        return allRead;
    }

    // A system by its EPSG code: a horizontal one (the most asked for), else compound or
    // vertical, the kinds a code of the tool's output forms can name. When none answers, the
    // reason is the horizontal look-up's, which names an unknown code or what the code is.
    bool ReadCode(const std::string& argument) {
#ifdef QUARN_WKT_EPSG
        if (!m_epsg) m_epsg = std::make_unique<CQuarnEpsgAuthorityFactory>(m_factory);
        std::wstring code;
        QuarnDecodeUtf8(argument, code);
        const CS_CoordinateSystem* system = m_epsg->CreateHorizontalCoordinateSystem(code.c_str());
        std::string reason = QuarnEncodeUtf8(m_epsg->GetLastFailure());
        if (system == nullptr) system = m_epsg->CreateCompoundCoordinateSystem(code.c_str());
        if (system == nullptr) system = m_epsg->CreateVerticalCoordinateSystem(code.c_str());
        if (system == nullptr) {
            m_reporter.FileError(argument, reason);
            return false;
        }
        return Write(argument, system);
#else
        m_reporter.FileError(argument, "this quarn-wkt was built without EPSG support (it needs "
                                       "libquarn-epsg, built when PROJ is found)");
        return false;
#endif
    }

    bool ReadText(const std::string& name, const SourceText& source) {
        std::wstring text;
        DecodeFault fault = DecodeText(source.bytes, text);
        if (fault.kind != DecodeFault::kNone) {
            ReportDecodeFault(name, source, text, fault);
            return false;
        }
        const CS_CoordinateSystem* system = quarn::ReadWktDialect(m_factory, text, m_options.from);
        const QuarnParseDiagnostic& diagnostic = m_factory.GetLastDiagnostic();
        if (system == nullptr) {
            m_reporter.Diagnostic(
                name, "error",
                quarn::Locate(text, quarn::ErrorOffset(text, diagnostic), source.firstLine),
                quarn::DescribeSyntaxError(diagnostic) + OtherDialectHint(text));
            return false;
        }
        if (diagnostic.stray || diagnostic.syntaxError)
            m_reporter.Diagnostic(name, "warning",
                                  quarn::Locate(text, diagnostic.offset, source.firstLine),
                                  quarn::DescribeStrayText(diagnostic));
        if (m_options.output == Output::kIdentify && m_options.lines)
            return Write(name + ":" + std::to_string(source.firstLine), system);
        return Write(name, system);
    }

    // When a construct of a dialect not being read stands where the reading stopped, the
    // option that reads it: "; VERTCS is read with --from=esri".
    std::string OtherDialectHint(const std::wstring& text) const {
        const QuarnParseDiagnostic& diagnostic = m_factory.GetLastDiagnostic();
        if (!diagnostic.syntaxError) return "";
        quarn::DialectConstruct found = quarn::FindDialectConstruct(text, diagnostic.offset);
        bool gdal = found.gdal && m_options.from != quarn::WktDialect::Gdal;
        bool esri = found.esri && m_options.from != quarn::WktDialect::Esri;
        if (!gdal && !esri) return "";
        return "; " + QuarnEncodeUtf8(found.construct) + " is read with " +
               (gdal && esri ? "--from=gdal or --from=esri"
                : gdal       ? "--from=gdal"
                             : "--from=esri");
    }

    bool Write(const std::string& name, const CS_CoordinateSystem* system) {
        if (m_options.output == Output::kNone) return true;
        if (m_options.output == Output::kIdentify) return Identify(name, system);
        if (m_options.output == Output::kInfo) {
            m_reporter.HideProgress();
            std::printf("%s\n", DescribeSystem(system).c_str());
            return true;
        }
        quarn::WktWriter writer(m_options.dialect);
        std::string wkt = writer.Write(*system);
        if (wkt.empty()) {
            m_reporter.FileError(name, std::string("the system has no ") +
                                           NameOf(m_options.dialect) + " text: " + writer.Reason());
            return false;
        }
        if (m_options.output == Output::kPretty) {
            std::wstring wide;
            QuarnDecodeUtf8(wkt, wide);
            wkt = QuarnEncodeUtf8(quarn::IndentWkt(wide));
        }
        m_reporter.HideProgress();
        std::printf("%s\n", wkt.c_str());
        return true;
    }

    // One line per candidate (only the best without --all), or "no match".
    bool Identify(const std::string& name, const CS_CoordinateSystem* system) {
#ifdef QUARN_WKT_EPSG
        if (!m_identifier) m_identifier = std::make_unique<quarn::EpsgIdentifier>();
        std::vector<quarn::Match> matches =
            m_identifier->Identify(*system, m_options.minConfidence);
        m_reporter.HideProgress();
        if (matches.empty() && !m_identifier->LastFailure().empty()) {
            m_reporter.FileError(name, "cannot identify: " + m_identifier->LastFailure());
            return false;
        }
        if (matches.empty()) std::printf("%s: no match\n", name.c_str());
        for (const quarn::Match& match : matches) {
            std::string matchName = match.name;
            for (const quarn::Match& part : match.parts)
                matchName += (matchName.empty() ? "" : " + ") + part.name;
            std::printf("%s: EPSG:%s %d %s%s\n", name.c_str(), match.code.c_str(), match.confidence,
                        matchName.c_str(), match.deprecated ? " (deprecated)" : "");
            if (!m_options.all) break;
        }
        return true;
#else
        (void)system;
        m_reporter.FileError(name, "this quarn-wkt was built without EPSG support");
        return false;
#endif
    }

    // The place of an invalid byte or a NUL: the line is shown decoded as far as it can be.
    void ReportDecodeFault(const std::string& name, const SourceText& source,
                           const std::wstring& before, const DecodeFault& fault) {
        std::size_t lineStart = before.rfind(L'\n');
        lineStart = lineStart == std::wstring::npos ? 0 : lineStart + 1;
        std::string_view rest = source.bytes.substr(fault.byteOffset);
        rest = rest.substr(0, rest.find('\n'));
        // Enough of the rest of the line for the excerpt, without decoding megabytes.
        std::wstring line = before.substr(lineStart) + DecodeLossy(rest.substr(0, 400));
        quarn::SourcePlace place = quarn::Locate(before, before.size(), source.firstLine);
        place.lineText = line;
        char message[96];
        if (fault.kind == DecodeFault::kInvalidUtf8)
            std::snprintf(message, sizeof message,
                          "invalid UTF-8 (byte 0x%02X); the text is not read", fault.byte);
        else
            std::snprintf(message, sizeof message,
                          "NUL character: this is not a text; the text is not read");
        m_reporter.Diagnostic(name, "error", place, message);
    }

    const Options& m_options;
    Reporter m_reporter;
    CQuarnCoordinateSystemFactory m_factory;
#ifdef QUARN_WKT_EPSG
    // Made at the first code, so that reading files never opens the database.
    std::unique_ptr<CQuarnEpsgAuthorityFactory> m_epsg;
    // Made at the first system to identify.
    std::unique_ptr<quarn::EpsgIdentifier> m_identifier;
#endif
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    int status = ParseOptions(argc, argv, options);
    if (status >= 0) return status;

    Reader reader(options);
    bool allRead = true;
    for (const std::string& path : options.paths)
        allRead = reader.ReadInput(path) && allRead;
    if (options.summary && options.output != Output::kNone) reader.Summary();
    return allRead ? 0 : 1;
}
