// Prints everything a host can observe of reading texts: the written result, the parse
// diagnostic and the registries, for every text of the given corpus files and for damaged
// copies of each (cut short, characters dropped or replaced, elements inserted, keywords
// swapped, tokens appended, constructs of the GDAL and ESRI dialects put in), read into one
// shared factory and into a fresh one, as wide text by CreateFromWKT and as UTF-8 by
// quarn::FromWkt in the GDAL and the ESRI dialect, each system then written in those two
// dialects. Two builds that print the same digest read and write alike;
// bench/compare-builds.sh runs it on two revisions.
//
//   wkt_digest corpus.jsonl...
#include "support/Corpus.h"
#include <quarn/factory/Factory.h>
#include <quarn/interchange.h>
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
    case 5:
        text += Next() % 2 ? L"]" : L",AUTHORITY[\"EPSG\",\"1\"]";
        break;
    case 6:
        text.insert(at, L",EXTENSION[\"PROJ4\",\"+proj=merc +a=1 +b=1 +nadgrids=@null\"]");
        break;
    case 7: {
        // An authority code written as a number.
        std::size_t p = text.find(L"\"EPSG\",\"");
        if (p != std::wstring::npos) text.erase(p + 7, 1);
        if (p != std::wstring::npos) text.erase(text.find(L'"', p + 7), 1);
        break;
    }
    case 8:
        text += L",VERTCS[\"h\",VDATUM[\"v\"],PARAMETER[\"Vertical_Shift\",0],"
                L"PARAMETER[\"Direction\",1],UNIT[\"Meter\",1]]";
        break;
    default:
        if (!text.empty()) text.insert(text.size() - 1, L",LINUNIT[\"Meter\",1]");
    }
    return text;
}

constexpr int kDamages = 10;

// Reads `text` as wide text (reader 0) or as UTF-8 in the GDAL (1) or the ESRI (2) dialect.
void Print(CQuarnCoordinateSystemFactory& factory, const std::wstring& text, int reader) {
    const CS_CoordinateSystem* system =
        reader == 0
            ? factory.CreateFromWKT(text.c_str())
            : quarn::FromWkt(factory, QuarnEncodeUtf8(text),
                             reader == 1 ? quarn::WktDialect::Gdal : quarn::WktDialect::Esri);
    const QuarnParseDiagnostic& d = factory.GetLastDiagnostic();
    std::printf("%ls\n  %d %d %zu %zu [%ls] [%ls]\n ", system ? system->GetWKT(nullptr) : L"null",
                d.syntaxError, d.stray, d.offset, d.length, d.token.c_str(), d.expected.c_str());
    if (system != nullptr) {
        // What the writers of the other dialects make of it, or why they make nothing.
        for (quarn::WktDialect dialect : {quarn::WktDialect::Gdal, quarn::WktDialect::Esri}) {
            quarn::WktWriter writer(dialect);
            std::string text = writer.Write(*system);
            std::printf("%s\n ", text.empty() ? writer.Reason().c_str() : text.c_str());
        }
    }
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
            for (int kind = 0; kind < kDamages; ++kind)
                texts.push_back(Damaged(entry.wkt, kind));
            for (const std::wstring& text : texts) {
                for (int reader = 0; reader < 3; ++reader) {
                    Print(shared, text, reader);
                    CQuarnCoordinateSystemFactory fresh;
                    Print(fresh, text, reader);
                }
            }
        }
    }
    return 0;
}
