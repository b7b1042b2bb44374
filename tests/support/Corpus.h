// Reads the corpus of WKT texts written by another geodesy library: one JSON object per line,
// {"id": "...", "kind": "...", "wkt": "..."}. Shared by tests and benchmarks.
#ifndef QUARN_TESTS_SUPPORT_CORPUS_H
#define QUARN_TESTS_SUPPORT_CORPUS_H

#include <fstream>
#include <string>
#include <vector>

struct CorpusEntry {
    std::string id;
    std::string kind;
    std::wstring wkt;
};

namespace corpus_detail {

// The value of a string field of one JSON line, with its escapes resolved (the texts are
// ASCII; \uXXXX escapes are decoded as single characters).
inline bool Field(const std::string& line, const std::string& key, std::wstring& out) {
    std::string marker = "\"" + key + "\": \"";
    std::size_t at = line.find(marker);
    if (at == std::string::npos) at = line.find(marker = "\"" + key + "\":\"");
    if (at == std::string::npos) return false;
    out.clear();
    for (std::size_t i = at + marker.size(); i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') return true;
        if (c != '\\' || i + 1 >= line.size()) {
            out.push_back(static_cast<unsigned char>(c));
            continue;
        }
        const char e = line[++i];
        if (e == 'u' && i + 4 < line.size()) {
            out.push_back(static_cast<wchar_t>(std::stoul(line.substr(i + 1, 4), nullptr, 16)));
            i += 4;
        } else if (e != 'u') {
            const std::size_t control = std::string("ntr").find(e);
            out.push_back(control != std::string::npos ? L"\n\t\r"[control]
                                                       : static_cast<unsigned char>(e));
        }
    }
    return false;
}

} // namespace corpus_detail

// Every entry of a corpus file; empty when the file cannot be read.
inline std::vector<CorpusEntry> ReadCorpus(const std::string& path) {
    std::vector<CorpusEntry> entries;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::wstring wkt, id, kind;
        if (!corpus_detail::Field(line, "wkt", wkt)) continue;
        corpus_detail::Field(line, "id", id);
        corpus_detail::Field(line, "kind", kind);
        entries.push_back({std::string(id.begin(), id.end()), std::string(kind.begin(), kind.end()),
                           std::move(wkt)});
    }
    return entries;
}

#endif
