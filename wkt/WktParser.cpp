// The WKT parser's life cycle, its value list and its lexer.
#include "WktParser.h"

#include "../model/Numbers.h"
#include "../model/Text.h"
#include "WktTablesInternal.h"

#include <climits>
#include <string>
#include <vector>

CQuarnWKTCoordinateSystemParser::CQuarnWKTCoordinateSystemParser(
    CQuarnCoordinateSystemFactory* factory)
    : m_factory(factory), m_result(nullptr) {}

CQuarnWKTCoordinateSystemParser::~CQuarnWKTCoordinateSystemParser() {
    for (const Owned& owned : m_values)
        owned.destroy(owned.object);
    ReleaseReplayQueue();
}

void CQuarnWKTCoordinateSystemParser::ReportError(const wchar_t*) {}

void CQuarnWKTCoordinateSystemParser::Rewind() {
    CTOOLParser::Rewind();
    m_result = nullptr;
    m_diagnostic = QuarnParseDiagnostic();
}

const wchar_t* CQuarnWKTCoordinateSystemParser::GetTokenName(int code) {
    // The generated table names tokens in narrow text; widen it once.
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> wide(static_cast<std::size_t>(kQuarnWktTables.maxToken) + 1);
        for (std::size_t code = 0; code < wide.size(); ++code) {
            const char* name = kQuarnWktTables.tokenNames[code];
            if (name != nullptr)
                wide[code].assign(name, name + std::char_traits<char>::length(name));
        }
        return wide;
    }();
    if (code < 0 || code > kQuarnWktTables.maxToken) return nullptr;
    const std::wstring& name = names[static_cast<std::size_t>(code)];
    return name.empty() ? nullptr : name.c_str();
}

int CQuarnWKTCoordinateSystemParser::LookupKeyword(const wchar_t* word) {
    if (word == nullptr) return kQuarnWktError;
    for (int code = kQuarnWktAuthority; code <= kQuarnWktString; ++code) {
        const wchar_t* name = GetTokenName(code);
        if (name != nullptr && QuarnEqualNoCase(word, name)) return code;
    }
    return kQuarnWktError;
}

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}
bool IsLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsWordStart(wchar_t c) {
    return IsLetter(c) || c == L'_';
}
bool IsWordPart(wchar_t c) {
    return IsWordStart(c) || IsDigit(c);
}
bool IsNumberStart(wchar_t c) {
    return IsDigit(c) || c == L'.' || c == L'-' || c == L'+';
}
bool IsNumberPart(wchar_t c) {
    return IsNumberStart(c) || c == L'e' || c == L'E';
}

// The decimal integer at the start of `text`: an optional sign and the digits up to the
// first other character ("1-2" reads as 1, "-" as 0). Saturates at the 32-bit range
// instead of overflowing.
std::int32_t ReadInteger(const wchar_t* text) {
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = (*text++ == L'-');
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    for (; IsDigit(*text); ++text) {
        magnitude = magnitude * 10 + (*text - L'0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

int CQuarnWKTCoordinateSystemParser::Lex() {
    QuarnWktValue& value = TokenSlot();
    value = QuarnWktValue{};
    wchar_t c = BeginToken();
    while (IsBlank(c))
        c = Skip();
    if (AtEnd()) return -1;

    if (IsWordStart(c)) {
        ReopenToken();
        while (IsWordPart(Extend())) {
        }
        EndToken();
        value.text = TokenText();
        return LookupKeyword(value.text);
    }

    if (IsNumberStart(c)) {
        ReopenToken();
        bool real = false;
        for (wchar_t next = Extend(); IsNumberPart(next); next = Extend())
            real = real || next == L'.' || next == L'e' || next == L'E';
        EndToken();
        if (real) {
            value.real = QuarnReadNumber(TokenText());
            return kQuarnWktReal;
        }
        value.integer = ReadInteger(TokenText());
        return kQuarnWktInteger;
    }

    if (c == L'"') {
        // The text runs from after the opening quote to the closing one; no escapes.
        for (c = Skip(); c != L'"'; c = Extend()) {
            if (c == L'\0') return kQuarnWktError; // unterminated
        }
        EndToken();
        value.text = TokenText();
        Extend(); // the closing quote
        return kQuarnWktString;
    }

    Extend();
    // A character outside 1 to 255 (wchar_t may be signed) could pose as a named token
    // or as the end of input: it is the error token instead.
    if (c < 1 || c > 255) return kQuarnWktError;
    return static_cast<int>(c);
}
