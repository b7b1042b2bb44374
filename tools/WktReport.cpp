#include "WktReport.h"

#include <quarn/quarn.h>

#include <cstdio>
#include <cwctype>

namespace {

// Lines longer than this are shown cut to this many characters around the place.
constexpr std::size_t kExcerptWidth = 80;
// Control characters (a binary file has many) would garble the terminal: each shows as one
// replacement character, which keeps the caret aligned.
std::wstring Printable(std::wstring_view text) {
    std::wstring shown(text);
    for (wchar_t& c : shown)
        if ((c < 0x20 && c != L'\t') || c == 0x7F) c = L'\xFFFD';
    return shown;
}

} // namespace

void Reporter::FileError(const std::string& file, const std::string& message) {
    HideProgress();
    std::fprintf(stderr, "%s: error: %s\n", file.c_str(), message.c_str());
}

void Reporter::Diagnostic(const std::string& file, const char* severity,
                          const quarn::SourcePlace& place, const std::string& message) {
    HideProgress();
    std::fprintf(stderr, "%s:%zu:%zu: %s: %s\n", file.c_str(), place.line, place.column, severity,
                 message.c_str());
    // The line around the place, cut on long lines, and a caret under the place; tabs are
    // kept in the caret's line so that it stays aligned with the text above it.
    std::wstring_view line = place.lineText;
    std::size_t first = 0;
    if (line.size() > kExcerptWidth) {
        first = place.caret > kExcerptWidth / 2 ? place.caret - kExcerptWidth / 2 : 0;
        if (first + kExcerptWidth > line.size()) first = line.size() - kExcerptWidth;
    }
    std::wstring_view shown = line.substr(first, kExcerptWidth);
    std::string lead = first > 0 ? "..." : "";
    std::string tail = first + shown.size() < line.size() ? "..." : "";
    std::string caret(lead.size(), ' ');
    for (std::size_t i = first; i < place.caret && i < line.size(); ++i)
        caret += line[i] == L'\t' ? '\t' : ' ';
    std::fprintf(stderr, "    %s%s%s\n    %s^\n", lead.c_str(),
                 QuarnEncodeUtf8(Printable(shown)).c_str(), tail.c_str(), caret.c_str());
}

void Reporter::Progress(const std::string& file, std::size_t done, std::size_t total) {
    if (!m_progressEnabled) return;
    Clock::time_point now = Clock::now();
    if (done == 0) {
        m_start = now;
        return;
    }
    if (now - m_lastDraw < std::chrono::milliseconds(100)) return;
    double seconds = std::chrono::duration<double>(now - m_start).count();
    double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    std::fprintf(stderr, "\r%s: %zu of %zu texts, %.0f texts/s\033[K", file.c_str(), done, total,
                 rate);
    std::fflush(stderr);
    m_progressShown = true;
    m_lastDraw = now;
}

void Reporter::HideProgress() {
    if (!m_progressShown) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    m_progressShown = false;
}
