// The WKT lexer: tokens, their codes and values, and the stored input it reads.
#include <quarn/wkt/WktParser.h>

#include "wkt/WktReader.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using namespace quarn::detail;

namespace {

using Parser = CQuarnWKTCoordinateSystemParser;

std::wstring TokenText() {
    const wchar_t* text = ThreadWktTokenValue().text;
    return text != nullptr ? text : L"<null>";
}

// The tokens of a text up to its end, one word each: I<integer>, R<real>, "<string>",
// ?<text of an error token>, NAME(<text>) for a keyword, a single character as itself.
std::wstring Tokens(const wchar_t* text) {
    Parser parser;
    parser.SetInput(text);
    std::wstring out;
    for (int code = parser.Lex(), n = 0; code >= 0 && n < 1000; code = parser.Lex(), ++n) {
        const WktValue& value = ThreadWktTokenValue();
        wchar_t number[64];
        if (!out.empty()) out += L' ';
        if (code == kWktInteger) {
            out += L"I" + std::to_wstring(value.integer);
        } else if (code == kWktReal) {
            std::swprintf(number, 64, L"R%.15g", value.real);
            out += number;
        } else if (code == kWktString) {
            out += L"\"" + TokenText() + L"\"";
        } else if (code == kWktError) {
            out += L"?" + (value.text != nullptr ? std::wstring(value.text) : L"");
        } else if (code > kWktError) {
            out += Parser::GetTokenName(code) + (L"(" + TokenText() + L")");
        } else {
            out += static_cast<wchar_t>(code);
        }
    }
    return out;
}

TEST(WktLexer, TokensOfTexts) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        // Keywords ignore case; quoted words are strings; unknown words are errors that keep
        // their text.
        {L"GEOGCS geogcs GeoGcs \"GEOGCS\" North",
         L"GEOGCS(GEOGCS) GEOGCS(geogcs) GEOGCS(GeoGcs) \"GEOGCS\" NORTH(North)"},
        {L"NULL _x1 PASSTHROUGH_MT", L"?NULL ?_x1 PASSTHROUGH_MT(PASSTHROUGH_MT)"},
        // Strings have no escapes; an unterminated one is an error.
        {L"\"\"\"a [b], c\r\nd\"x\"tail", L"\"\" \"a [b], c\r\nd\" ?x ?"},
        {L"UNIT[\"metre", L"UNIT(UNIT) [ ?"},
        // A word or number right after a number starts where the number's text was cut.
        {L"12abc 1.5GEOGCS 3\"s\"", L"I12 ?abc R1.5 GEOGCS(GEOGCS) I3 \"s\""},
        // Numbers: a '.', 'e' or 'E' after the first character makes one REAL; "%lf"
        // reads as far as it can ("1-2" is 1); integers saturate at 32 bits.
        {L"6378137 6.378137E6 -0.5 +5 1-2 - -.5 1.5.5 2e 1e-3 007 .5",
         L"I6378137 R6378137 R-0.5 I5 I1 I0 R-0.5 R1.5 R2 R0.001 I7 I0"},
        {L"2147483647 99999999999999999999 -2147483648 -2147483649",
         L"I2147483647 I2147483647 I-2147483648 I-2147483648"},
        {L" \t\r\n[\t\t\t\t],(){}\x7f\xff", L"[ ] , ( ) { } \x7f \xff"},
        {L"", L""},
        {L" \t\r\n ", L""},
        // Characters beyond 255 are errors, also those that could pose as named tokens.
        {L"\x100\x101\x120\x121\x122\U00010000", L"? ? ? ? ? ?"},
        // The token names are keywords too: the number words carry the number 0.
        {L"integer Real sTrInG", L"I0 R0 \"sTrInG\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokens(c.first), c.second) << c.first;
}

TEST(WktLexer, KeywordsValuesAndThePrivateCopyOfTheInput) {
    // Without any input the parser reads the end at once, and again.
    Parser parser;
    EXPECT_EQ(parser.Lex(), -1);
    parser.SetInput(nullptr);
    EXPECT_EQ(parser.Lex() + parser.Lex(), -2);
    // A number word clears all eight bytes of the token's value.
    parser.SetInput(L"\"s\" integer");
    parser.Lex();
    EXPECT_EQ(parser.Lex(), kWktInteger);
    EXPECT_EQ(ThreadWktTokenValue().text, nullptr);
    for (const wchar_t* word : {L"end-of-file", L"','", L"", (const wchar_t*)nullptr})
        EXPECT_EQ(parser.LookupKeyword(word), kWktError) << word;
    // Only the named tokens have wide names.
    EXPECT_FALSE(Parser::GetTokenName(256) || Parser::GetTokenName(-1) ||
                 Parser::GetTokenName(290));

    // The input is a private copy.
    std::wstring text = L"DATUM[\"d\"]";
    parser.SetInput(text.c_str());
    text.assign(text.size(), L'x');
    EXPECT_EQ(parser.Lex(), kWktDatum);
    EXPECT_EQ(parser.Lex(), '[');
    EXPECT_EQ(parser.Lex(), kWktString);
    // A text that lies inside the stored copy is copied before the old copy goes.
    parser.SetInput(ThreadWktTokenValue().text);
    EXPECT_EQ(parser.Lex(), kWktError);
    EXPECT_EQ(TokenText(), L"d");
    EXPECT_EQ(parser.Lex(), -1);
}

} // namespace
