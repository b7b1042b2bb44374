#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

std::size_t QuarnFormatNumber(double value, wchar_t* out) {
    // std::to_chars is specified as printf in the C locale, so it never sees a decimal comma.
    char text[kQuarnNumberText];
    std::to_chars_result r =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::general, 15);
    std::size_t length = static_cast<std::size_t>(r.ptr - text);
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        // "%G" writes the exponent mark and the words for infinity and NaN in upper case.
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        out[i] = static_cast<wchar_t>(c);
    }
    out[length] = L'\0';
    return length;
}

namespace {

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

// Decides the result of a number whose value lies outside the range of double: the decimal
// exponent of its first significant digit tells overflow from underflow.
double OutOfRange(const std::string& text) {
    bool negative = !text.empty() && text[0] == '-';
    long exponent = 0;
    long position = 0; // decimal exponent of the next digit read
    bool seenPoint = false;
    bool found = false;
    std::size_t i = negative ? 1 : 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (!found && c != '0') {
            found = true;
            exponent = position;
        }
        if (!seenPoint) {
            if (found) ++exponent;
        } else {
            --position;
        }
    }
    if (!found) return negative ? -0.0 : 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = text[j] == '-';
        if (text[j] == '+' || text[j] == '-') ++j;
        long e = 0;
        std::from_chars_result r = std::from_chars(text.data() + j, text.data() + text.size(), e);
        // An exponent too long for a long is huge either way.
        if (r.ec == std::errc::result_out_of_range) e = 1000000;
        exponent += negativeExponent ? -e : e;
    }
    double magnitude = exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

} // namespace

double QuarnReadNumber(const wchar_t* text, bool* ok) {
    if (ok != nullptr) *ok = false;
    if (text == nullptr) return 0.0;
    while (IsSpace(*text))
        ++text;

    // Narrow the candidate characters; anything outside ASCII cannot belong to a number.
    std::string narrow;
    const wchar_t* p = text;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = (*p == L'-');
        ++p;
    }
    if (negative) narrow.push_back('-');
    for (; *p != L'\0' && *p < 128 && !IsSpace(*p); ++p)
        narrow.push_back(static_cast<char>(*p));
    if (narrow.empty() || (negative && narrow.size() == 1)) return 0.0;
    // from_chars takes no plus sign, so a second sign ("+-1") is no number, as for "%lf".
    std::size_t start = negative ? 1 : 0;
    if (narrow[start] == '+' || narrow[start] == '-') return 0.0;

    double value = 0.0;
    std::from_chars_result r = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value,
                                               std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return 0.0;
    if (ok != nullptr) *ok = true;
    if (r.ec == std::errc::result_out_of_range) return OutOfRange(narrow);
    return value;
}
