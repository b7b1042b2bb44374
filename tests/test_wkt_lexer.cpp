// The WKT lexer: tokens, their codes and values, and the stored input it reads.
#include "wkt/WktParser.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using Parser = CQuarnWKTCoordinateSystemParser;

// All token codes of a text, the end (-1) included.
std::vector<int> Codes(const wchar_t* text) {
    Parser parser;
    parser.SetInput(text);
    std::vector<int> codes;
    for (int i = 0; i < 1000; ++i) {
        codes.push_back(parser.Lex());
        if (codes.back() < 0) break;
    }
    return codes;
}

std::wstring TokenText() {
    const wchar_t* text = Parser::GetTokenValue().text;
    return text != nullptr ? text : L"<null>";
}

TEST(WktLexer, KeywordsIgnoreCaseAndQuotedWordsAreStrings) {
    Parser parser;
    parser.SetInput(L"GEOGCS geogcs GeoGcs \"GEOGCS\" North");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(parser.Lex(), kQuarnWktGeogCs);
    }
    EXPECT_EQ(TokenText(), L"GeoGcs");
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    EXPECT_EQ(TokenText(), L"GEOGCS");
    EXPECT_EQ(parser.Lex(), kQuarnWktNorth);
    EXPECT_EQ(parser.Lex(), -1);
}

TEST(WktLexer, Words) {
    Parser parser;
    // The token names INTEGER, REAL and STRING are keywords too; unknown words are errors
    // that keep their text.
    parser.SetInput(L"integer Real sTrInG NULL _x1 PASSTHROUGH_MT");
    EXPECT_EQ(parser.Lex(), kQuarnWktInteger);
    EXPECT_EQ(TokenText(), L"integer");
    EXPECT_EQ(parser.Lex(), kQuarnWktReal);
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    EXPECT_EQ(parser.Lex(), kQuarnWktError);
    EXPECT_EQ(TokenText(), L"NULL");
    EXPECT_EQ(parser.Lex(), kQuarnWktError);
    EXPECT_EQ(TokenText(), L"_x1");
    EXPECT_EQ(parser.Lex(), kQuarnWktPassthroughMt);
    EXPECT_EQ(parser.Lex(), -1);
}

TEST(WktLexer, Numbers) {
    struct Case {
        const wchar_t* text;
        int code;
        double value;
    };
    const Case cases[] = {
        {L"6378137", kQuarnWktInteger, 6378137},
        {L"6378137.0", kQuarnWktReal, 6378137},
        {L"6.378137E6", kQuarnWktReal, 6378137},
        {L"-0.5", kQuarnWktReal, -0.5},
        {L"+5", kQuarnWktInteger, 5},
        {L"1-2", kQuarnWktInteger, 1},
        {L"-", kQuarnWktInteger, 0},
        {L"-.5", kQuarnWktReal, -0.5},
        {L"1.5.5", kQuarnWktReal, 1.5},
        {L"2e", kQuarnWktReal, 2},
        {L"1e-3", kQuarnWktReal, 0.001},
        {L"007", kQuarnWktInteger, 7},
        {L"2147483647", kQuarnWktInteger, INT32_MAX},
        // Beyond 32 bits the integer saturates.
        {L"99999999999999999999", kQuarnWktInteger, INT32_MAX},
        {L"-2147483648", kQuarnWktInteger, INT32_MIN},
        {L"-2147483649", kQuarnWktInteger, INT32_MIN},
        // Only a '.', 'e' or 'E' after the first character makes a number REAL.
        {L".5", kQuarnWktInteger, 0},
    };
    for (const Case& c : cases) {
        Parser parser;
        parser.SetInput(c.text);
        ASSERT_EQ(parser.Lex(), c.code) << c.text;
        const QuarnWktValue& value = Parser::GetTokenValue();
        EXPECT_EQ(c.code == kQuarnWktInteger ? value.integer : value.real, c.value) << c.text;
        EXPECT_EQ(parser.Lex(), -1) << c.text;
    }
}

TEST(WktLexer, Strings) {
    Parser parser;
    parser.SetInput(L"\"\"\"a [b], c\r\nd\"x\"tail");
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    EXPECT_EQ(TokenText(), L"");
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    EXPECT_EQ(TokenText(), L"a [b], c\r\nd");
    EXPECT_EQ(parser.Lex(), kQuarnWktError); // the word "x"
    EXPECT_EQ(parser.Lex(), kQuarnWktError); // "tail: an unterminated string
    EXPECT_EQ(parser.Lex(), -1);
    EXPECT_EQ(Codes(L"UNIT[\"metre"), (std::vector<int>{kQuarnWktUnit, '[', kQuarnWktError, -1}));
}

TEST(WktLexer, AdjacentTokensKeepWholeTexts) {
    Parser parser;
    // A word or number right after a number starts where the number's text was cut.
    parser.SetInput(L"12abc 1.5GEOGCS 3\"s\"");
    EXPECT_EQ(parser.Lex(), kQuarnWktInteger);
    EXPECT_EQ(Parser::GetTokenValue().integer, 12);
    EXPECT_EQ(parser.Lex(), kQuarnWktError);
    EXPECT_EQ(TokenText(), L"abc");
    EXPECT_EQ(parser.Lex(), kQuarnWktReal);
    EXPECT_EQ(parser.Lex(), kQuarnWktGeogCs);
    EXPECT_EQ(TokenText(), L"GEOGCS");
    EXPECT_EQ(parser.Lex(), kQuarnWktInteger);
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    EXPECT_EQ(TokenText(), L"s");
}

TEST(WktLexer, SingleCharactersAndBlanks) {
    EXPECT_EQ(Codes(L" \t\r\n[\t\t\t\t],(){}\x7f\xff"),
              (std::vector<int>{'[', ']', ',', '(', ')', '{', '}', 0x7f, 0xff, -1}));
    EXPECT_EQ(Codes(L""), std::vector<int>{-1});
    EXPECT_EQ(Codes(L" \t\r\n "), std::vector<int>{-1});

    // Characters that could pose as named tokens are errors, like any beyond 255.
    std::wstring wide;
    for (wchar_t c = 256; c <= 290; ++c)
        wide += c;
    wide += static_cast<wchar_t>(0x10000);
    std::vector<int> codes = Codes(wide.c_str());
    ASSERT_EQ(codes.size(), wide.size() + 1);
    for (std::size_t i = 0; i < wide.size(); ++i)
        EXPECT_EQ(codes[i], kQuarnWktError) << i;
    EXPECT_EQ(codes.back(), -1);
}

TEST(WktLexer, EndOfInputRepeats) {
    Parser parser;
    parser.SetInput(L"UNIT");
    EXPECT_EQ(parser.Lex(), kQuarnWktUnit);
    EXPECT_EQ(parser.Lex(), -1);
    EXPECT_EQ(parser.Lex(), -1);
    // Without any input the parser reads the end at once.
    Parser empty;
    EXPECT_EQ(empty.Lex(), -1);
    empty.SetInput(nullptr);
    EXPECT_EQ(empty.Lex(), -1);
}

TEST(WktLexer, LookupKeyword) {
    Parser parser;
    for (int code = 257; code <= 289; ++code) {
        const wchar_t* name = Parser::GetTokenName(code);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(parser.LookupKeyword(name), code) << code;
    }
    EXPECT_EQ(parser.LookupKeyword(L"towgs84"), kQuarnWktToWgs84);
    EXPECT_EQ(parser.LookupKeyword(L"end-of-file"), kQuarnWktError);
    EXPECT_EQ(parser.LookupKeyword(L"','"), kQuarnWktError);
    EXPECT_EQ(parser.LookupKeyword(L""), kQuarnWktError);
    EXPECT_EQ(parser.LookupKeyword(L"GEOGCSX"), kQuarnWktError);
    EXPECT_EQ(parser.LookupKeyword(nullptr), kQuarnWktError);

    // Only the named tokens have wide names; the generated table is checked elsewhere.
    EXPECT_STREQ(Parser::GetTokenName(','), L"','");
    EXPECT_EQ(Parser::GetTokenName(256), nullptr);
    EXPECT_EQ(Parser::GetTokenName(-1), nullptr);
    EXPECT_EQ(Parser::GetTokenName(290), nullptr);
}

TEST(WktLexer, InputIsAPrivateCopy) {
    std::wstring text = L"DATUM[\"d\"]";
    Parser parser;
    parser.SetInput(text.c_str());
    text.assign(text.size(), L'x');
    EXPECT_EQ(parser.Lex(), kQuarnWktDatum);
    EXPECT_EQ(parser.Lex(), '[');
    EXPECT_EQ(parser.Lex(), kQuarnWktString);
    // A text that lies inside the stored copy is copied before the old copy goes.
    parser.SetInput(Parser::GetTokenValue().text);
    EXPECT_EQ(parser.Lex(), kQuarnWktError);
    EXPECT_EQ(TokenText(), L"d");
    EXPECT_EQ(parser.Lex(), -1);
}

} // namespace
