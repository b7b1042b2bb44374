// quarn-wkt: reads coordinate-system texts (WKT, as in .prj files), says where and why a text
// does not read, and writes each system back in the library's canonical WKT, indented, or as
// a readable description.
#include "WktDescribe.h"
#include "WktInput.h"
#include "WktReport.h"

#include "quarn.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char kUsage[] =
    "usage: quarn-wkt [OPTION]... [FILE]...\n"
    "Reads coordinate-system texts (WKT, as in .prj files) and writes each back in the\n"
    "library's canonical form. Each FILE holds one text; '-' or no FILE reads standard input.\n"
    "Input and output are UTF-8.\n"
    "\n"
    "  --lines     every non-blank line is a text of its own\n"
    "  --prj       read with the projection-file conveniences (SetPrjLoading)\n"
    "  --pretty    write the WKT indented, one element a line\n"
    "  --info      describe each system instead of writing its WKT\n"
    "  --check     write nothing but the diagnostics\n"
    "  --summary   end with the number of objects of each kind the factory holds\n"
    "  --help      show this help\n"
    "  --version   show the version\n"
    "\n"
    "A text that does not read gives FILE:LINE:COLUMN: error: MESSAGE on standard error.\n"
    "Exit status: 0 when every text read, 1 when any did not, 2 for a usage error.\n";

const char* const kKinds[kQuarnObjectTypeCount] = {"compound systems",
                                                   "fitted horizontal systems",
                                                   "fitted vertical systems",
                                                   "projected systems",
                                                   "geographic systems",
                                                   "geocentric systems",
                                                   "vertical systems",
                                                   "local systems",
                                                   "prime meridians",
                                                   "ellipsoids",
                                                   "projections",
                                                   "horizontal datums",
                                                   "vertical datums",
                                                   "local datums",
                                                   "linear units",
                                                   "angular units"};

enum class Output { kWkt, kPretty, kInfo, kNone };

struct Options {
    bool lines = false;
    bool summary = false;
    Output output = Output::kWkt;
    std::vector<std::string> paths;
};

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
        } else {
            std::fprintf(stderr, "quarn-wkt: unknown option '%s'\n%s", argument.c_str(), kUsage);
            return 2;
        }
    }
    if (options.paths.empty()) options.paths.push_back("-");
    return -1;
}

// Where to point at a text that does not read: the offending token; at the end of the text,
// just after its last character (not on a blank line after it); without a syntax error (a
// well-formed text that still forms no system), the start of the text.
std::size_t ErrorOffset(const std::wstring& text, const QuarnParseDiagnostic& diagnostic) {
    const wchar_t* blanks = L" \t\r\n";
    if (!diagnostic.syntaxError) return text.find_first_not_of(blanks);
    if (!diagnostic.token.empty() || diagnostic.offset < text.size()) return diagnostic.offset;
    std::size_t last = text.find_last_not_of(blanks);
    return last == std::wstring::npos ? 0 : last + 1;
}

class Reader {
public:
    Reader(const Options& options)
        : m_options(options), m_reporter(options.lines && isatty(STDERR_FILENO)) {}

    // Reads every text of one input; false when any of them did not read.
    bool ReadInput(const std::string& path) {
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
            if (count > 0) std::printf("%6d %s\n", count, kKinds[type]);
        }
    }

private:
    bool ReadText(const std::string& name, const SourceText& source) {
        std::wstring text;
        DecodeFault fault = DecodeText(source.bytes, text);
        if (fault.kind != DecodeFault::kNone) {
            ReportDecodeFault(name, source, text, fault);
            return false;
        }
        const CS_CoordinateSystem* system = m_factory.CreateFromWKT(text.c_str());
        const QuarnParseDiagnostic& diagnostic = m_factory.GetLastDiagnostic();
        if (system == nullptr) {
            m_reporter.Diagnostic(name, "error",
                                  Locate(text, ErrorOffset(text, diagnostic), source.firstLine),
                                  DescribeSyntaxError(diagnostic));
            return false;
        }
        if (diagnostic.stray || diagnostic.syntaxError)
            m_reporter.Diagnostic(name, "warning",
                                  Locate(text, diagnostic.offset, source.firstLine),
                                  DescribeStrayText(diagnostic));
        return Write(name, system);
    }

    bool Write(const std::string& name, const CS_CoordinateSystem* system) {
        if (m_options.output == Output::kNone) return true;
        if (m_options.output == Output::kInfo) {
            m_reporter.HideProgress();
            std::printf("%s\n", DescribeSystem(system).c_str());
            return true;
        }
        std::wstring wkt = system->GetWKT(nullptr);
        if (wkt.empty()) {
            m_reporter.FileError(name, "the system read, but its WKT is too long to be written "
                                       "(2048 characters or more)");
            return false;
        }
        if (m_options.output == Output::kPretty) wkt = IndentWkt(wkt);
        m_reporter.HideProgress();
        std::printf("%s\n", QuarnEncodeUtf8(wkt).c_str());
        return true;
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
        SourcePlace place = Locate(before, before.size(), source.firstLine);
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
