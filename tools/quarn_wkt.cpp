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

// The texts are UTF-8; an ill-formed sequence is not guessed at.
std::wstring Widen(const std::string& bytes) {
    std::wstring text;
    QuarnDecodeUtf8(bytes, text);
    return text;
}

std::string Narrow(const wchar_t* text) {
    return QuarnEncodeUtf8(text);
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
