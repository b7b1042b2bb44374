// Times reading and writing back every text of one corpus file with PROJ, GDAL and Quarn in
// one process, with a bare pass that only splits the text into tokens as the floor. Rounds
// interleave the four so that a busy machine slows all of them alike; the medians of the
// rounds and their ratios are printed.
//
//   quarn_peers [corpus.jsonl] [rounds]
#include "support/Corpus.h"
#include <quarn/quarn.h>

#include <ogr_spatialref.h>
#include <proj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

double ThreadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Texts {
    std::vector<std::wstring> wide;
    std::vector<std::string> narrow;
};

// proj_create + proj_as_wkt (WKT1_GDAL); objects kept until the end of the round.
std::size_t RunProj(const Texts& texts) {
    PJ_CONTEXT* context = proj_context_create();
    std::vector<PJ*> kept;
    std::size_t written = 0;
    for (const std::string& text : texts.narrow) {
        PJ* object = proj_create(context, text.c_str());
        if (object == nullptr) continue;
        const char* wkt = proj_as_wkt(context, object, PJ_WKT1_GDAL, nullptr);
        if (wkt != nullptr) written += std::strlen(wkt);
        kept.push_back(object);
    }
    for (PJ* object : kept)
        proj_destroy(object);
    proj_context_destroy(context);
    return written;
}

// importFromWkt + exportToWkt; objects kept until the end of the round.
std::size_t RunGdal(const Texts& texts) {
    std::vector<std::unique_ptr<OGRSpatialReference>> kept;
    std::size_t written = 0;
    for (const std::string& text : texts.narrow) {
        auto reference = std::make_unique<OGRSpatialReference>();
        if (reference->importFromWkt(text.c_str()) != OGRERR_NONE) continue;
        char* wkt = nullptr;
        if (reference->exportToWkt(&wkt) == OGRERR_NONE && wkt != nullptr)
            written += std::strlen(wkt);
        CPLFree(wkt);
        kept.push_back(std::move(reference));
    }
    return written;
}

// Splits the wide characters into names, numbers, quoted texts and punctuation: the least
// any reader must do.
std::size_t RunTokens(const Texts& texts) {
    std::size_t tokens = 0;
    for (const std::wstring& text : texts.wide) {
        const wchar_t* c = text.c_str();
        while (*c != L'\0') {
            if (*c == L'"') {
                for (++c; *c != L'\0' && *c != L'"'; ++c) {
                }
                if (*c == L'"') ++c;
            } else if (std::iswalpha(*c) || *c == L'_') {
                while (std::iswalnum(*c) || *c == L'_')
                    ++c;
            } else if (std::iswdigit(*c) || *c == L'-' || *c == L'+' || *c == L'.') {
                ++c;
                while (std::iswdigit(*c) || *c == L'.' || *c == L'E' || *c == L'e' || *c == L'-' ||
                       *c == L'+')
                    ++c;
            } else {
                ++c;
            }
            ++tokens;
        }
    }
    return tokens;
}

// A fresh factory per text, its construction counted; CreateFromWKT, and GetWKT when
// `write`; factories kept until the end of the round, as a host keeps its objects.
std::size_t RunQuarn(const Texts& texts, bool write) {
    std::vector<std::unique_ptr<CQuarnCoordinateSystemFactory>> kept;
    kept.reserve(texts.wide.size());
    std::size_t written = 0;
    for (const std::wstring& text : texts.wide) {
        kept.push_back(std::make_unique<CQuarnCoordinateSystemFactory>());
        const CS_CoordinateSystem* system = kept.back()->CreateFromWKT(text.c_str());
        if (write && system != nullptr) written += std::wcslen(system->GetWKT(nullptr));
    }
    return written;
}

// The allocator leaves the small blocks a run freed unmerged until the next request of a
// kilobyte or more, which then merges them all. A contender is charged for its own: each
// timed run ends with such a request.
void SettleHeap() {
    void* volatile block = std::malloc(4096); // volatile: the pair must not be optimised out
    std::free(block);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    std::string file = argc > 1 ? argv[1] : QUARN_CORPUS_DIR "/epsg_wkt1_gdal_sample.jsonl";
    int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
    Texts texts;
    for (const CorpusEntry& entry : ReadCorpus(file)) {
        texts.wide.push_back(entry.wkt);
        texts.narrow.emplace_back(entry.wkt.begin(), entry.wkt.end());
    }
    if (texts.wide.empty() || rounds < 1) {
        std::fprintf(stderr, "no texts in %s\n", file.c_str());
        return 1;
    }

    struct Contender {
        const char* name;
        std::function<std::size_t()> run;
        std::vector<double> seconds;
    };
    std::vector<Contender> contenders = {
        {"PROJ read+write", [&] { return RunProj(texts); }, {}},
        {"GDAL read+write", [&] { return RunGdal(texts); }, {}},
        {"tokens only", [&] { return RunTokens(texts); }, {}},
        {"Quarn read", [&] { return RunQuarn(texts, false); }, {}},
        {"Quarn read+write", [&] { return RunQuarn(texts, true); }, {}},
    };
    // One warm-up round, then the timed ones; each round starts with another contender.
    for (int round = -1; round < rounds; ++round) {
        for (std::size_t k = 0; k < contenders.size(); ++k) {
            Contender& c =
                contenders[(k + static_cast<std::size_t>(round + 1)) % contenders.size()];
            double start = ThreadSeconds();
            volatile std::size_t sink = c.run();
            (void)sink;
            SettleHeap();
            if (round >= 0) c.seconds.push_back(ThreadSeconds() - start);
        }
    }

    const double count = static_cast<double>(texts.wide.size());
    std::printf("%zu texts from %s, %d rounds (thread CPU time, medians)\n", texts.wide.size(),
                file.c_str(), rounds);
    for (const Contender& c : contenders)
        std::printf("  %-18s %9.2f us/text\n", c.name, Median(c.seconds) * 1e6 / count);
    const double quarn = Median(contenders[4].seconds);
    std::printf("  PROJ / Quarn read+write:   %6.1fx\n", Median(contenders[0].seconds) / quarn);
    std::printf("  GDAL / Quarn read+write:   %6.1fx\n", Median(contenders[1].seconds) / quarn);
    std::printf("  Quarn read / tokens only:  %6.1fx\n",
                Median(contenders[3].seconds) / Median(contenders[2].seconds));
    return 0;
}
