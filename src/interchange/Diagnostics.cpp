#include <quarn/interchange/Diagnostics.h>

#include <quarn/model/Utf8.h>

#include <cwctype>

namespace quarn {
namespace {

// Tokens longer than this are cut in messages (a name can be megabytes long).
constexpr std::size_t kTokenWidth = 40;

std::string QuoteToken(std::wstring_view token) {
    if (token.size() > kTokenWidth) return QuarnEncodeUtf8(token.substr(0, kTokenWidth)) + "...";
    // Punctuation is quoted the way the expected tokens are (',' or ']'); words and
    // strings stand as they are in the text.
    bool punctuation =
        token.size() == 1 && !std::iswalnum(token[0]) && token[0] != L'"' && token[0] != L'_';
    std::string text = QuarnEncodeUtf8(token);
    return punctuation ? "'" + text + "'" : text;
}

std::string Expected(const QuarnParseDiagnostic& diagnostic) {
    if (diagnostic.expected.empty()) return "";
    return "; expected " + QuarnEncodeUtf8(diagnostic.expected);
}

bool StartsElement(std::wstring_view wkt, std::size_t at) {
    std::size_t end = at;
    while (end < wkt.size() && (std::iswalnum(wkt[end]) || wkt[end] == L'_'))
        ++end;
    while (end < wkt.size() && std::iswspace(wkt[end]))
        ++end;
    return end > at && end < wkt.size() && wkt[end] == L'[';
}

bool IsNegativeZero(std::wstring_view wkt, std::size_t at) {
    return wkt.substr(at, 2) == L"-0" &&
           (at + 2 == wkt.size() || wkt[at + 2] == L',' || wkt[at + 2] == L']');
}

} // namespace

SourcePlace Locate(std::wstring_view text, std::size_t offset, std::size_t firstLine) {
    if (offset > text.size()) offset = text.size();
    SourcePlace place;
    std::size_t lineStart = 0;
    place.line = firstLine;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == L'\n') {
            ++place.line;
            lineStart = i + 1;
        }
    }
    std::size_t lineEnd = text.find(L'\n', offset);
    if (lineEnd == std::wstring_view::npos) lineEnd = text.size();
    place.lineText = text.substr(lineStart, lineEnd - lineStart);
    if (!place.lineText.empty() && place.lineText.back() == L'\r') place.lineText.remove_suffix(1);
    place.caret = offset - lineStart;
    place.column = place.caret + 1;
    return place;
}

std::size_t ErrorOffset(std::wstring_view text, const QuarnParseDiagnostic& diagnostic) {
    const wchar_t* blanks = L" \t\r\n";
    if (!diagnostic.syntaxError) {
        std::size_t first = text.find_first_not_of(blanks);
        return first == std::wstring_view::npos ? text.size() : first;
    }
    if (!diagnostic.token.empty() || diagnostic.offset < text.size()) return diagnostic.offset;
    std::size_t last = text.find_last_not_of(blanks);
    return last == std::wstring_view::npos ? 0 : last + 1;
}

std::string DescribeSyntaxError(const QuarnParseDiagnostic& diagnostic) {
    if (!diagnostic.syntaxError) return "the text forms no coordinate system";
    if (diagnostic.token.empty()) return "unexpected end of text" + Expected(diagnostic);
    return "unexpected " + QuoteToken(diagnostic.token) + Expected(diagnostic);
}

std::string DescribeStrayText(const QuarnParseDiagnostic& diagnostic) {
    return QuoteToken(diagnostic.token) + " after the end of the coordinate system is ignored";
}

std::wstring IndentWkt(std::wstring_view wkt) {
    std::wstring out;
    int depth = 0;
    bool quoted = false;
    wchar_t previous = 0;
    for (std::size_t i = 0; i < wkt.size(); ++i) {
        wchar_t c = wkt[i];
        if (quoted || c == L'"') {
            if (c == L'"') quoted = !quoted;
        } else if (std::iswspace(c)) {
            continue;
        } else if (c == L'[') {
            ++depth;
        } else if (c == L']') {
            --depth;
        } else if (previous == L',' && StartsElement(wkt, i)) {
            out += L'\n';
            out.append(static_cast<std::size_t>(depth) * 4, L' ');
        } else if (IsNegativeZero(wkt, i)) {
            // The writer gives -0 for a negative zero, which reads back as the integer 0; the
            // real number -0.0 keeps the sign, so the text reads back to the same values.
            out += L"-0.0";
            ++i;
            previous = L'0';
            continue;
        }
        out += c;
        previous = c;
    }
    return out;
}

} // namespace quarn
