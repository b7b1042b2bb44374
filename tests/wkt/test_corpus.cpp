// Texts written by another geodesy library, in two dialects: what reads, what does not and
// why, and whether what reads writes a text that settles.
#include "support/Corpus.h"
#include <quarn/quarn.h>

#include <gtest/gtest.h>

#include <array>

namespace {

const std::string kGdalFile = std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_gdal_sample.jsonl";
const std::string kEsriFile = std::string(QUARN_CORPUS_DIR) + "/epsg_wkt1_esri_sample.jsonl";

// What became of the texts of a file, counted by outcome.
enum Outcome {
    // No system, for a construct outside the dialect this library reads:
    kVertcs,   // a VERTCS element on its own
    kSiblings, // a compound written as a PROJCS followed by a sibling element
    kLinunit,  // a LINUNIT clause of a three-dimensional GEOGCS
    kUnread,   // none of these
    // A system, whose written text
    kSettled,       // reads back to the same text
    kSettledSecond, // does so only from the second round: default rotations written -0
    kMoving,        // does not read back (an axis of orientation OTHER, written NULL) or
                    // moves every round (a prime meridian under a non-degree unit; with the
                    // loading flag, a false origin converted every round)
    kSameObject,    // (also) reads into the same factory as the very same object
    kOutcomes
};
using Counts = std::array<int, kOutcomes>;
const char* const kOutcomeNames[kOutcomes] = {"VERTCS alone", "PROJCS,VERTCS", "LINUNIT",
                                              "unread",       "settled",       "settled second",
                                              "moving",       "same object"};

// The texts of each outcome, to name them when a count differs from the expected one.
struct Tally {
    Counts counts{};
    std::array<std::string, kOutcomes> ids;
    void Add(Outcome outcome, const std::string& id) {
        ++counts[outcome];
        ids[outcome] += " " + id;
    }
};

bool Contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

std::wstring Rewrite(const std::wstring& text) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    return system != nullptr ? system->GetWKT(nullptr) : L"";
}

// The text with its default rotations written as the second round writes them.
std::wstring Settle(std::wstring text) {
    const std::wstring from = L", -0, -0, -0, ", to = L", 0, 0, 0, ";
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at))
        text.replace(at, from.size(), to), at += to.size();
    return text;
}

Outcome WhyUnread(const CorpusEntry& entry) {
    const std::wstring& text = entry.wkt;
    if (text.compare(0, 7, L"VERTCS[") == 0) return kVertcs;
    if (text.compare(0, 7, L"PROJCS[") == 0 && Contains(text, L"]],VERTCS[")) return kSiblings;
    if (Contains(text, L"LINUNIT[")) return kLinunit;
    ADD_FAILURE() << entry.id << " gives no system";
    return kUnread;
}

Outcome WhatBecomes(const CS_CoordinateSystem* system) {
    const std::wstring first = system->GetWKT(nullptr);
    const std::wstring second = Rewrite(first);
    if (second == first) return kSettled;
    if (Settle(first) == second && Rewrite(second) == second) return kSettledSecond;
    return kMoving;
}

// Reads every text of `file`, each into a factory of its own, and counts the outcomes.
Tally ReadEach(const std::string& file) {
    Tally tally;
    const std::vector<CorpusEntry> entries = ReadCorpus(file);
    EXPECT_FALSE(entries.empty()) << file;
    for (const CorpusEntry& entry : entries) {
        CQuarnCoordinateSystemFactory factory;
        const CS_CoordinateSystem* system = factory.CreateFromWKT(entry.wkt.c_str());
        if (system == nullptr) {
            tally.Add(WhyUnread(entry), entry.id);
            continue;
        }
        tally.Add(WhatBecomes(system), entry.id);
        if (factory.CreateFromWKT(system->GetWKT(nullptr)) != system)
            tally.ids[kSameObject] += " not:" + entry.id;
        else
            ++tally.counts[kSameObject];
    }
    return tally;
}

} // namespace

TEST(Corpus, EachTextAlone) {
    struct Case {
        const std::string* file;
        bool loading;
        Counts expected;
    };
    const Case cases[] = {
        // Every one of the 696 texts gives a system. Datums with a TOWGS84 clause settle at
        // once, those without from the second round; geocentric systems have axes of
        // orientation OTHER (24) and Paris meridians are under the grad (4): they move. All but
        // those come back as the same object.
        {&kGdalFile, false, {0, 0, 0, 0, 29, 639, 28, 696 - 28}},
        // Vertical systems and compounds whose head is a PROJCS written with VERTCS, and
        // three-dimensional geographic systems do not read; compounds whose head is a GEOGCS
        // give that system. No datum carries a shift: every text settles from the second
        // round.
        {&kEsriFile, false, {25, 30, 26, 0, 0, 616, 4, 620 - 4}},
        // The flag changes names, shifts and false origins, not what reads. Most systems with
        // a converted origin (95 of the 99 moving) no longer come back as the same object.
        {&kEsriFile, true, {25, 30, 26, 0, 42, 479, 99, 537}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.file + (c.loading ? " with the loading flag" : ""));
        SetPrjLoading(c.loading);
        const Tally tally = ReadEach(*c.file);
        SetPrjLoading(false);
        for (int k = 0; k < kOutcomes; ++k)
            EXPECT_EQ(tally.counts[k], c.expected[k])
                << kOutcomeNames[k] << " texts:" << tally.ids[k].substr(0, 2000);
    }
}
