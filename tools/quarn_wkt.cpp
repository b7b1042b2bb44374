// quarn-wkt: reads coordinate-system texts (WKT, as in .prj files) and writes each back in
// its canonical form, as the library keeps it.
//
//   quarn-wkt [--prj] [--lines] [--summary] [FILE...]
//
// Each FILE (or standard input when none is given) holds one text; with --lines every
// non-empty line is a text of its own. --prj reads with the projection-loading conveniences
// on. --summary ends with the number of objects of each kind the factory holds. The exit
// status is 1 when any text formed no coordinate system.
#include "quarn.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

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

// The texts are ASCII or UTF-8; characters beyond ASCII are decoded as UTF-8.
std::wstring Widen(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        unsigned long code = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 0; k < extra && i + 1 < bytes.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(bytes[++i]) & 0x3F);
        text.push_back(static_cast<wchar_t>(code));
    }
    return text;
}

std::string Narrow(const wchar_t* text) {
    std::string bytes;
    for (; text != nullptr && *text != L'\0'; ++text) {
        unsigned long c = static_cast<unsigned long>(*text);
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | ((c >> 18) & 0x07)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

bool Read(const std::string& path, std::string& contents) {
    if (path == "-") {
        std::ostringstream all;
        all << std::cin.rdbuf();
        contents = all.str();
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    contents = all.str();
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: quarn-wkt [--prj] [--lines] [--summary] [FILE...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    bool lines = false;
    bool summary = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--prj") == 0) {
            SetPrjLoading(true);
        } else if (std::strcmp(argv[i], "--lines") == 0) {
            lines = true;
        } else if (std::strcmp(argv[i], "--summary") == 0) {
            summary = true;
        } else if (std::strcmp(argv[i], "--help") == 0 ||
                   (argv[i][0] == '-' && argv[i][1] != '\0')) {
            return Usage();
        } else {
            paths.push_back(argv[i]);
        }
    }
    if (paths.empty()) paths.push_back("-");

    CQuarnCoordinateSystemFactory factory;
    int failures = 0;
    for (const std::string& path : paths) {
        std::string contents;
        if (!Read(path, contents)) {
            std::fprintf(stderr, "quarn-wkt: cannot read %s\n", path.c_str());
            ++failures;
            continue;
        }
        std::vector<std::string> texts;
        if (lines) {
            std::istringstream in(contents);
            for (std::string line; std::getline(in, line);)
                if (line.find_first_not_of(" \t\r") != std::string::npos) texts.push_back(line);
        } else {
            texts.push_back(contents);
        }
        for (const std::string& text : texts) {
            const CS_CoordinateSystem* system = factory.CreateFromWKT(Widen(text).c_str());
            if (system == nullptr) {
                std::fprintf(stderr, "quarn-wkt: %s: no coordinate system\n", path.c_str());
                ++failures;
                continue;
            }
            std::printf("%s\n", Narrow(system->GetWKT(nullptr)).c_str());
        }
    }
    if (summary) {
        for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
            int count = factory.GetProductLine(type).GetSize();
            if (count > 0) std::printf("%6d %s\n", count, kKinds[type]);
        }
    }
    return failures == 0 ? 0 : 1;
}
