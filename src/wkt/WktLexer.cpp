// The WKT parser's life cycle, its value list and its lexer.
#include <quarn/wkt/WktParser.h>

#include "wkt/WktCharacters.h"
#include "wkt/WktReader.h"
#include "wkt/WktTablesInternal.h"
#include <quarn/model/Numbers.h>
#include <quarn/model/Text.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <string>
#include <vector>

using quarn::detail::WktParserAccess;
using namespace quarn::detail;

CQuarnWKTCoordinateSystemParser::CQuarnWKTCoordinateSystemParser(
    CQuarnCoordinateSystemFactory* factory)
    : m_factory(factory), m_result(nullptr) {
    WktParserAccess::Construct(*this);
}

CQuarnWKTCoordinateSystemParser::~CQuarnWKTCoordinateSystemParser() {
    WktParserAccess::State(*this).ReleaseValues();
    ReleaseWktReplayQueue();
    WktParserAccess::Destroy(*this);
}

void CQuarnWKTCoordinateSystemParser::ReportError(const wchar_t*) {}

void CQuarnWKTCoordinateSystemParser::Rewind() {
    CTOOLParser::Rewind();
    m_result = nullptr;
    ClearDiagnostic();
}

const QuarnParseDiagnostic& CQuarnWKTCoordinateSystemParser::GetDiagnostic() const {
    static const QuarnParseDiagnostic none;
    return m_diagnostic != nullptr ? *m_diagnostic : none;
}

QuarnParseDiagnostic& CQuarnWKTCoordinateSystemParser::Diagnostic() {
    if (m_diagnostic == nullptr) m_diagnostic.reset(new QuarnParseDiagnostic());
    return *m_diagnostic;
}

void CQuarnWKTCoordinateSystemParser::ClearDiagnostic() {
    if (m_diagnostic != nullptr) *m_diagnostic = QuarnParseDiagnostic();
}

const wchar_t* CQuarnWKTCoordinateSystemParser::GetTokenName(int code) {
    // The generated table names tokens in narrow text; widen it once.
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> wide(static_cast<std::size_t>(kWktTables.maxToken) + 1);
        for (std::size_t code = 0; code < wide.size(); ++code) {
            const char* name = kWktTables.tokenNames[code];
            if (name != nullptr)
                wide[code].assign(name, name + std::char_traits<char>::length(name));
        }
        return wide;
    }();
    if (code < 0 || code > kWktTables.maxToken) return nullptr;
    const std::wstring& name = names[static_cast<std::size_t>(code)];
    return name.empty() ? nullptr : name.c_str();
}

namespace {

using quarn::detail::IsWktBlank;
using quarn::detail::IsWktDigit;
using quarn::detail::IsWktNumberStart;
using quarn::detail::IsWktWordPart;
using quarn::detail::IsWktWordStart;

// The keywords in a small open-addressed table keyed by length and first letter, each
// entry holding its name: a lookup reads one or two entries of a table of one kilobyte,
// which stays in the cache between texts.
struct KeywordTable {
    static constexpr std::size_t kLongest = 16;
    static constexpr std::size_t kSlots = 64; // a power of two, twice the keywords at least
    struct Entry {
        std::int16_t code; // 0 for an empty slot
        std::uint8_t length;
        char name[kLongest + 1]; // upper case
    };
    Entry slots[kSlots] = {};

    static std::size_t SlotOf(std::size_t length, wchar_t first) {
        return (length * 7 + static_cast<std::size_t>(first)) & (kSlots - 1);
    }

    KeywordTable() {
        for (int code = kWktAuthority; code <= kWktString; ++code) {
            const wchar_t* name = CQuarnWKTCoordinateSystemParser::GetTokenName(code);
            std::size_t length = name != nullptr ? std::wcslen(name) : 0;
            if (length == 0 || length > kLongest || name[0] < L'A' || name[0] > L'Z') continue;
            std::size_t slot = SlotOf(length, name[0]);
            while (slots[slot].code != 0)
                slot = (slot + 1) & (kSlots - 1);
            slots[slot].code = static_cast<std::int16_t>(code);
            slots[slot].length = static_cast<std::uint8_t>(length);
            for (std::size_t i = 0; i < length; ++i)
                slots[slot].name[i] = static_cast<char>(name[i]);
        }
    }

    int Find(const wchar_t* word, std::size_t length) const {
        if (length == 0 || length > kLongest) return kWktError;
        const wchar_t first = QuarnUpperAZ(word[0]);
        if (first < L'A' || first > L'Z') return kWktError;
        // Keywords earlier in the code order take the earlier slots of a probe sequence, so
        // the first match is the first keyword of that name, as a walk in code order finds.
        for (std::size_t slot = SlotOf(length, first); slots[slot].code != 0;
             slot = (slot + 1) & (kSlots - 1)) {
            const Entry& entry = slots[slot];
            if (entry.length != length || entry.name[0] != first) continue;
            // Texts mostly write keywords in capitals: the exact comparison first, the
            // case-blind one from the first difference on.
            std::size_t i = 1;
            while (i < length && word[i] == static_cast<wchar_t>(entry.name[i]))
                ++i;
            while (i < length && QuarnUpperAZ(word[i]) == static_cast<wchar_t>(entry.name[i]))
                ++i;
            if (i == length) return entry.code;
        }
        return kWktError;
    }
};

// The decimal integer at the start of `text`: an optional sign and the digits up to the
// first other character ("1-2" reads as 1, "-" as 0). Saturates at the 32-bit range
// instead of overflowing.
std::int32_t ReadInteger(const wchar_t* text) {
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = (*text++ == L'-');
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    for (; IsWktDigit(*text); ++text) {
        magnitude = magnitude * 10 + (*text - L'0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// Digits below this and the powers of ten up to 10^22 are exact doubles: one division or
// multiplication of the two is the correctly rounded value of a decimal.
constexpr unsigned long long kExact = 1ULL << 53;
constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A number as "%lf" reads it. Most numbers have at most 15 significant digits and a small
// exponent: their digits and the power of ten are both exact doubles, so one division or
// multiplication gives the correctly rounded value, as the full conversion would. Any other
// text goes to the full conversion.
double ReadReal(const wchar_t* text) {
    const wchar_t* c = text;
    bool negative = *c == L'-';
    if (*c == L'+' || *c == L'-') ++c;
    unsigned long long digits = 0;
    int scale = 0; // power of ten of the last digit read
    bool any = false;
    for (; IsWktDigit(*c); ++c, any = true) {
        digits = digits * 10 + static_cast<unsigned>(*c - L'0');
        if (digits >= kExact) return QuarnReadNumber(text);
    }
    if (*c == L'.') {
        for (++c; IsWktDigit(*c); ++c, any = true, --scale) {
            digits = digits * 10 + static_cast<unsigned>(*c - L'0');
            if (digits >= kExact) return QuarnReadNumber(text);
        }
    }
    if (!any) return QuarnReadNumber(text);
    if (*c == L'e' || *c == L'E') {
        const wchar_t* e = c + 1;
        bool negativeExponent = *e == L'-';
        if (*e == L'+' || *e == L'-') ++e;
        if (IsWktDigit(*e)) {
            int exponent = 0;
            for (; IsWktDigit(*e); ++e) {
                exponent = exponent * 10 + (*e - L'0');
                if (exponent > 400) return QuarnReadNumber(text);
            }
            scale += negativeExponent ? -exponent : exponent;
        }
    }
    if (scale < -22 || scale > 22) return QuarnReadNumber(text);
    double value = static_cast<double>(digits);
    value = scale < 0 ? value / kPowers[-scale] : value * kPowers[scale];
    return negative ? -value : value;
}

// Reads a number token as the lexer extends it, character by character, for the common
// shapes: a sign, digits and at most one point, in at most 15 significant digits. Their
// value is what ReadInteger or ReadReal would make of the text, computed the same way; any
// other shape (an exponent, a sign inside, a leading point, more digits) is left to them.
class NumberScan {
public:
    explicit NumberScan(wchar_t first) {
        if (IsWktDigit(first)) {
            m_digits = static_cast<unsigned>(first - L'0');
            m_any = true;
        } else if (first == L'-') {
            m_negative = true;
        } else if (first != L'+') {
            m_exact = false; // a leading point: the token may still read as a whole number
        }
    }

    // Whether `next` continues the token (a digit, a point, e, E or a sign), noting what it is.
    bool Step(wchar_t next) {
        if (IsWktDigit(next)) {
            m_digits = m_digits * 10 + static_cast<unsigned>(next - L'0');
            m_any = true;
            if (m_fraction) --m_scale;
            if (m_digits >= kExact) m_exact = false;
            return true;
        }
        if (next == L'.') {
            real = true;
            if (m_fraction) m_exact = false;
            m_fraction = true;
            return true;
        }
        if (next == L'e' || next == L'E') {
            real = true;
            m_exact = false;
            return true;
        }
        if (next == L'+' || next == L'-') {
            m_exact = false;
            return true;
        }
        return false;
    }

    // The token held the written characters after its first one: '.', 'e' or 'E'.
    bool real = false;

    // Whether Real or Integer gives the value.
    bool Exact() const { return m_exact && (!real || (m_any && m_scale >= -22)); }
    double Real() const {
        const double value = static_cast<double>(m_digits) / kPowers[-m_scale];
        return m_negative ? -value : value;
    }
    std::int32_t Integer() const {
        const long long limit = m_negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
        const long long magnitude = std::min(static_cast<long long>(m_digits), limit);
        return static_cast<std::int32_t>(m_negative ? -magnitude : magnitude);
    }

private:
    unsigned long long m_digits = 0;
    int m_scale = 0; // power of ten of the last digit
    bool m_negative = false;
    bool m_any = false;      // a digit was read
    bool m_fraction = false; // the point was read
    bool m_exact = true;     // the shape is one this scan computes
};

} // namespace

int quarn::detail::WktKeywordOf(const wchar_t* word, std::size_t length) {
    static const KeywordTable table;
    return table.Find(word, length);
}

int CQuarnWKTCoordinateSystemParser::LookupKeyword(const wchar_t* word) {
    if (word == nullptr) return kWktError;
    std::size_t length = 0;
    while (word[length] != L'\0') {
        if (length == KeywordTable::kLongest) return kWktError;
        ++length;
    }
    return WktKeywordOf(word, length);
}

int CQuarnWKTCoordinateSystemParser::Lex() {
    // Brackets and commas, most of the tokens of a text, take the short way.
    const wchar_t c = BeginToken();
    if (c == L'[' || c == L']' || c == L',') {
        const long start = TokenOffset();
        Extend();
        WktParserAccess::StoreToken(*this, WktValue{}, start, 1);
        return static_cast<int>(c);
    }
    return LexFrom(c);
}

int CQuarnWKTCoordinateSystemParser::LexFrom(wchar_t c) {
    WktValue value{};
    while (IsWktBlank(c))
        c = Skip();
    if (AtEnd()) {
        WktParserAccess::StoreToken(*this, value, CursorOffset(), 0);
        return -1;
    }
    const long start = TokenOffset();

    if (IsWktWordStart(c)) {
        ReopenToken();
        ExtendWhile(IsWktWordPart);
        EndToken();
        int code = WktKeywordOf(TokenText(), static_cast<std::size_t>(CursorOffset() - start));
        // The bare words INTEGER and REAL carry no number: they count as 0.
        if (code == kWktInteger)
            WktSetInteger(value, 0);
        else if (code == kWktReal)
            WktSetReal(value, 0.0);
        else
            WktSetText(value, TokenText());
        WktParserAccess::StoreToken(*this, value, start, CursorOffset() - start);
        return code;
    }

    if (IsWktNumberStart(c)) {
        ReopenToken();
        NumberScan scan(c);
        ExtendWhile([&scan](wchar_t next) { return scan.Step(next); });
        EndToken();
        if (scan.real)
            WktSetReal(value, scan.Exact() ? scan.Real() : ReadReal(TokenText()));
        else
            WktSetInteger(value, scan.Exact() ? scan.Integer() : ReadInteger(TokenText()));
        WktParserAccess::StoreToken(*this, value, start, CursorOffset() - start);
        return scan.real ? kWktReal : kWktInteger;
    }

    if (c == L'"') {
        // The text runs from after the opening quote to the closing one; no escapes.
        c = Skip();
        if (c != L'"' && c != L'\0') c = ExtendToQuote();
        if (c == L'\0') { // unterminated
            WktParserAccess::StoreToken(*this, value, start, CursorOffset() - start);
            return kWktError;
        }
        EndToken();
        WktSetText(value, TokenText());
        Extend(); // the closing quote
        WktParserAccess::StoreToken(*this, value, start, CursorOffset() - start);
        return kWktString;
    }

    if (c < 1 || c > 255) ReopenToken(); // keep it in the stored input for diagnostics
    Extend();
    WktParserAccess::StoreToken(*this, value, start, 1);
    // A character outside 1 to 255 (wchar_t may be signed) could pose as a named token
    // or as the end of input: it is the error token instead.
    if (c < 1 || c > 255) return kWktError;
    return static_cast<int>(c);
}
