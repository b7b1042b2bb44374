#include <quarn/model/Numbers.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace {

// "%.15G" through std::to_chars, which is specified as printf in the C locale and so never
// sees a decimal comma. "%G" writes the exponent mark and the words for infinity and NaN in
// upper case.
std::size_t FormatWithPrecision(double value, wchar_t* out) {
    char text[kQuarnNumberText];
    std::to_chars_result r =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::general, 15);
    std::size_t length = static_cast<std::size_t>(r.ptr - text);
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        out[i] = static_cast<wchar_t>(c);
    }
    out[length] = L'\0';
    return length;
}

// The decimal digits of 0 to 99, two to each.
struct DigitPairs {
    char pair[100][2];
    constexpr DigitPairs() : pair() {
        for (int i = 0; i < 100; ++i) {
            pair[i][0] = static_cast<char>('0' + i / 10);
            pair[i][1] = static_cast<char>('0' + i % 10);
        }
    }
};
constexpr DigitPairs kDigitPairs;

// Writes the decimal digits of `n` (at least one) so that they end at `end`, two at a time;
// returns where they begin.
char* DigitsBefore(std::uint64_t n, char* end) {
    while (n >= 100) {
        const unsigned last = static_cast<unsigned>(n % 100);
        n /= 100;
        end -= 2;
        end[0] = kDigitPairs.pair[last][0];
        end[1] = kDigitPairs.pair[last][1];
    }
    if (n >= 10) {
        end -= 2;
        end[0] = kDigitPairs.pair[n][0];
        end[1] = kDigitPairs.pair[n][1];
    } else {
        *--end = static_cast<char>('0' + n);
    }
    return end;
}

// Writes the decimal digits of `n` (at least one) at `out`; returns the count.
std::size_t PutDigits(std::uint64_t n, wchar_t* out) {
    char text[20];
    const char* first = DigitsBefore(n, text + sizeof text);
    const std::size_t count = static_cast<std::size_t>(text + sizeof text - first);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<wchar_t>(first[i]);
    return count;
}

// Lays out significant digits (no trailing zeros) with decimal exponent `exponent` the way
// "%G" with precision 15 does: exponent form below -4 or from 15 on, else fixed notation,
// with no trailing point.
std::size_t LayOut(bool negative, const char* digits, std::size_t count, int exponent,
                   wchar_t* out) {
    std::size_t n = 0;
    if (negative) out[n++] = L'-';
    if (exponent < -4 || exponent >= 15) {
        out[n++] = static_cast<wchar_t>(digits[0]);
        if (count > 1) {
            out[n++] = L'.';
            for (std::size_t i = 1; i < count; ++i)
                out[n++] = static_cast<wchar_t>(digits[i]);
        }
        out[n++] = L'E';
        out[n++] = exponent < 0 ? L'-' : L'+';
        unsigned magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
        if (magnitude < 10) out[n++] = L'0';
        n += PutDigits(magnitude, out + n);
    } else if (exponent < 0) {
        out[n++] = L'0';
        out[n++] = L'.';
        for (int i = -1; i > exponent; --i)
            out[n++] = L'0';
        for (std::size_t i = 0; i < count; ++i)
            out[n++] = static_cast<wchar_t>(digits[i]);
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        for (std::size_t i = 0; i < whole; ++i)
            out[n++] = i < count ? static_cast<wchar_t>(digits[i]) : L'0';
        if (count > whole) {
            out[n++] = L'.';
            for (std::size_t i = whole; i < count; ++i)
                out[n++] = static_cast<wchar_t>(digits[i]);
        }
    }
    out[n] = L'\0';
    return n;
}

// Numbers of up to 15 significant digits with a few decimals (most numbers a text carries):
// the smallest power of ten k that makes the value a whole number w of at most 15 digits,
// checked by dividing back. When w / 10^k (both exact, so correctly rounded) is the value,
// w's digits are its shortest text and "%.15G" writes them. Returns 0 when none is found.
std::size_t FormatDecimals(bool negative, double magnitude, wchar_t* out) {
    static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                     1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    if (magnitude < 1e-3 || magnitude >= 1e14) return 0;
    for (int k = 1; k < 20; ++k) {
        const double scaled = magnitude * kPowers[k];
        if (scaled >= 1e15) return 0;
        const std::uint64_t whole = static_cast<std::uint64_t>(scaled + 0.5);
        if (static_cast<double>(whole) / kPowers[k] != magnitude) continue;
        // The smallest k leaves no trailing zero: w / 10 would have served with k - 1.
        char digits[20];
        const char* first = DigitsBefore(whole, digits + sizeof digits);
        const std::size_t count = static_cast<std::size_t>(digits + sizeof digits - first);
        return LayOut(negative, first, count, static_cast<int>(count) - 1 - k, out);
    }
    return 0;
}

} // namespace

std::size_t QuarnFormatNumber(double value, wchar_t* out) {
    if (!std::isfinite(value)) return FormatWithPrecision(value, out);
    const bool negative = std::signbit(value);
    const double magnitude = negative ? -value : value;
    // Whole numbers of at most 15 digits are written whole ("-0" for negative zero).
    if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
        std::size_t n = 0;
        if (negative) out[n++] = L'-';
        n += PutDigits(static_cast<std::uint64_t>(magnitude), out + n);
        out[n] = L'\0';
        return n;
    }
    // Below the normal range the spacing of doubles is coarse: only printf's rounding serves.
    if (magnitude < std::numeric_limits<double>::min()) return FormatWithPrecision(value, out);
    if (std::size_t length = FormatDecimals(negative, magnitude, out)) return length;
    // The shortest text that reads back as the value: when it has at most 15 significant
    // digits it is also the value rounded to 15 digits (the spacing of normal doubles is
    // finer than that of 15 digits), so "%.15G" writes the same digits and exponent.
    // Longer texts are rounded to 15 digits below.
    char text[kQuarnNumberText];
    std::to_chars_result r =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    char digits[20];
    std::size_t count = 0;
    const char* p = text;
    for (; p < r.ptr && *p != 'e'; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    // A 16-digit shortest text ending in 5 lies on a rounding midpoint of 15 digits: only
    // the exact value decides which way it goes.
    if (p == r.ptr || (count == 16 && digits[15] == '5')) return FormatWithPrecision(value, out);
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, exponent);
    if (count > 15) {
        // Otherwise no midpoint lies between the value and its shortest text (the shortest
        // text would be that midpoint), so rounding the text rounds the value.
        const bool up = digits[15] >= '5';
        count = 15;
        if (up) {
            std::size_t i = count;
            while (i > 0 && digits[i - 1] == '9')
                --i;
            if (i == 0) { // 999999999999999 rounds up to 1 of the next power of ten
                digits[0] = '1';
                count = 1;
                ++exponent;
            } else {
                ++digits[i - 1];
                count = i;
            }
        }
        while (count > 1 && digits[count - 1] == '0')
            --count;
    }
    return LayOut(negative, digits, count, exponent, out);
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
