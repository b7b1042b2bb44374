// Numbers are written exactly as "%.15G" writes them and read exactly as "%lf" reads them
// in the C locale, whatever locale the host selects.
#include <quarn/model/Numbers.h>
#include <quarn/wkt/WktParser.h>

#include "wkt/WktReader.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace quarn::detail;

namespace {

std::wstring Written(double value) {
    wchar_t text[kQuarnNumberText];
    QuarnFormatNumber(value, text);
    return text;
}

std::wstring Printed(double value) {
    wchar_t text[64];
    std::swprintf(text, 64, L"%.15G", value);
    return text;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::vector<double> VariedDoubles() {
    using limits = std::numeric_limits<double>;
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 6378137.0, 298.257223563, 1e-5, 1e15, 1e14};
    values.insert(values.end(), {0.0174532925199433, 0.017453292519943295, 0.1 + 0.2, 1e-4});
    values.insert(values.end(), {999999999999999.0, 9999999999999999.0, limits::epsilon()});
    values.insert(values.end(), {limits::infinity(), -limits::infinity(), limits::quiet_NaN()});
    values.insert(values.end(), {-limits::quiet_NaN(), limits::denorm_min(), limits::min()});
    values.insert(values.end(), {limits::max(), limits::lowest()});
    for (int e = -330; e <= 310; ++e)
        values.push_back(std::pow(10.0, e));
    for (long i = -100000; i <= 100000; i += 7)
        values.push_back(static_cast<double>(i));
    // Any bits, numbers around the usual sizes, and subnormals.
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> around(-1000.0, 1000.0);
    for (int i = 0; i < 200000; ++i)
        values.push_back(i % 4 != 0     ? FromBits(random())
                         : i % 100 != 0 ? around(random)
                                        : FromBits(random() & 0x000FFFFFFFFFFFFFull));
    // Decimals of 1 to 17 digits with 0 to 19 places, and their neighbouring doubles: texts
    // carry mostly such numbers, and a neighbour is the nearest miss.
    for (int i = 0; i < 60000; ++i) {
        std::uint64_t digits = random() % static_cast<std::uint64_t>(std::pow(10.0, 1 + i % 17));
        double value =
            static_cast<double>(digits) / std::pow(10.0, static_cast<int>(random() % 20));
        values.insert(values.end(),
                      {value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)});
    }
    return values;
}

// Restores the C locale however a test ends.
struct LocaleGuard {
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
};

} // namespace

TEST(Numbers, WritingMatchesPrintfOverManyDoubles) {
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(Written(1e-5) + Written(1e15) + Written(-0.0), L"1E-051E+15-0");
    size_t differences = 0;
    for (double value : VariedDoubles()) {
        if (Written(value) != Printed(value) && ++differences < 10)
            ADD_FAILURE() << "differs for " << Printed(value).size();
    }
    EXPECT_EQ(differences, 0u);
}

TEST(Numbers, ReadingMatchesScanfOverManyTexts) {
    std::setlocale(LC_ALL, "C");
    // Texts at the edges of the grammar and of the range; no-number texts must fail alike.
    std::vector<std::wstring> texts = {
        L"0",       L"-0",      L"+5",     L"1.5", L"-.5",   L"5.",    L"1e5",    L"1E+05",
        L"1e-05",   L"1.5e",    L"1.5e+",  L"1-2", L"1.2.3", L"1e999", L"-1e999", L"1e-999",
        L"-1e-400", L"0.0e999", L"1e-320", L"-",   L"+-1",   L"."};
    texts.insert(texts.end(), {L"2.4703282292062328e-324", L"123456789012345678901234567890"});
    texts.insert(texts.end(), {L"0.000000000000000000000000000000000001e-300"});
    texts.insert(texts.end(), {L"100000000000000000000000000e290"});
    for (double value : VariedDoubles()) {
        if (std::isfinite(value)) {
            texts.push_back(Printed(value));
            wchar_t full[64];
            std::swprintf(full, 64, L"%.17g", value);
            texts.push_back(full);
        }
    }
    // The lexer reads a REAL token as "%lf" reads its text, whichever way it takes.
    CQuarnWKTCoordinateSystemParser lexer;
    size_t differences = 0;
    size_t lexed = 0;
    for (const std::wstring& text : texts) {
        double scanned = 0.0;
        int matched = std::swscanf(text.c_str(), L"%lf", &scanned);
        bool ok = false;
        double read = QuarnReadNumber(text.c_str(), &ok);
        EXPECT_EQ(ok, matched == 1) << "text " << std::string(text.begin(), text.end());
        if (matched == 1 && std::memcmp(&read, &scanned, sizeof read) != 0 && ++differences < 10)
            ADD_FAILURE() << "differs for " << std::string(text.begin(), text.end());
        lexer.SetInput(text.c_str());
        if (lexer.Lex() != kWktReal || matched != 1) continue;
        ++lexed;
        read = WktGetReal(ThreadWktTokenValue());
        if (std::memcmp(&read, &scanned, sizeof read) != 0 && ++differences < 10)
            ADD_FAILURE() << "lexer differs for " << std::string(text.begin(), text.end());
    }
    EXPECT_EQ(differences, 0u);
    EXPECT_GT(lexed, texts.size() / 2);
    // A failed read answers 0, also for a null text.
    bool ok = true;
    EXPECT_EQ(QuarnReadNumber(L"+-1", &ok) + QuarnReadNumber(nullptr, &ok), 0.0);
    EXPECT_FALSE(ok);
}

TEST(Numbers, DecimalCommaLocaleChangesNothing) {
    LocaleGuard guard;
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (Debian package locales-all)";
    // The host's own formatting now uses a decimal comma ...
    wchar_t host[32];
    std::swprintf(host, 32, L"%.15G", 0.0174532925199433);
    ASSERT_STREQ(host, L"0,0174532925199433");
    // ... while the library's does not.
    EXPECT_EQ(Written(0.0174532925199433), L"0.0174532925199433");
    EXPECT_EQ(QuarnReadNumber(L"6378137.5"), 6378137.5);
}
