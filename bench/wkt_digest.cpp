// Prints everything a host can observe of reading texts: the written result, the parse
// diagnostic and the registries, for every text of the given corpus files and for damaged
// copies of each (cut short, characters dropped or replaced, elements inserted, keywords
// swapped, tokens appended), read into one shared factory and into a fresh one. Two builds
// that print the same digest read alike; bench/compare-builds.sh runs it on two revisions.
//
//   wkt_digest corpus.jsonl...
#include "support/Corpus.h"
#include <quarn/factory/Factory.h>
#include <quarn/quarn.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

unsigned long long state = 88172645463325252ULL;
unsigned Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<unsigned>(state);
}

std::wstring Damaged(std::wstring text, int kind) {
    std::size_t at = Next() % (text.size() + 1);
    switch (kind) {
    case 0:
        text.resize(at);
        break;
    case 1:
        if (at < text.size()) text.erase(at, 1 + Next() % 12);
        break;
    case 2:
        if (at < text.size()) text[at] = L",]["[Next() % 3];
        break;
    case 3:
        text.insert(at, Next() % 2 ? L",PARAMETER[\"x\",1]" : L",UNIT[\"m\",1]");
        break;
    case 4: {
        std::size_t p = text.find(L"PARAMETER");
        if (p != std::wstring::npos) text.replace(p, 9, Next() % 2 ? L"UNIT" : L"AXIS");
        break;
    }
    default:
        text += Next() % 2 ? L"]" : L",AUTHORITY[\"EPSG\",\"1\"]";
    }
    return text;
}

void Print(CQuarnCoordinateSystemFactory& factory, const std::wstring& text) {
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
    std::printf("%ls\n  %d %d %zu %zu [%ls] [%ls]\n ", system ? system->GetWKT(nullptr) : L"null",
                d.syntaxError, d.stray, d.offset, d.length, d.token.c_str(), d.expected.c_str());
    for (long type = 0; type < kQuarnObjectTypeCount; ++type) {
        const CQuarnInfoArray& line = factory.GetProductLine(type);
        for (int i = 0; i < line.GetSize(); ++i)
            std::printf(" %ld.%d:%ls", type, i, line.GetAt(i)->GetName());
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    CQuarnCoordinateSystemFactory shared;
    for (int file = 1; file < argc; ++file) {
        for (const CorpusEntry& entry : ReadCorpus(argv[file])) {
            std::vector<std::wstring> texts{entry.wkt};
            for (int kind = 0; kind < 6; ++kind)
                texts.push_back(Damaged(entry.wkt, kind));
            for (const std::wstring& text : texts) {
                Print(shared, text);
                CQuarnCoordinateSystemFactory fresh;
                Print(fresh, text);
            }
        }
    }
    return 0;
}
