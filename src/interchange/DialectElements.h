// The element tree of the dialect readers: a scanner that follows the canonical lexer's
// token rules (wkt/WktCharacters.h) and keeps positions, elements split from a text, and the
// writer that turns rewritten elements back into canonical text while remembering where
// each token came from. The WKT 1 dialect front end and the WKT 2 reader share them.
#ifndef QUARN_INTERCHANGE_DIALECTELEMENTS_H
#define QUARN_INTERCHANGE_DIALECTELEMENTS_H

#include <quarn/interchange/WktDialects.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarn::detail {

enum class TokenKind { Word, Number, String, Open, Close, Comma, Other, End };

struct ScannedToken {
    TokenKind kind;
    std::size_t at, length;
};

class DialectScanner {
public:
    // `wkt2`: parentheses delimit elements as brackets do, and a doubled quote inside a
    // string stands for one quote (ISO 19162); WKT 1 has neither.
    explicit DialectScanner(std::wstring_view text, bool wkt2 = false)
        : m_text(text), m_wkt2(wkt2) {}
    ScannedToken Next();

private:
    std::wstring_view m_text;
    bool m_wkt2;
    std::size_t m_at = 0;
};

// A keyword element (`KEYWORD[...]`) or a single value (a string with its quotes, a number,
// a bare word), with the place in the original text it stands for.
struct Element {
    std::wstring text;
    std::size_t at = 0, length = 0;
    bool node = false;
    bool made = false;     // made up by the rewriting: `at` is the construct it stands for
    std::size_t close = 0; // the original closing bracket of a node that was read
    std::vector<Element> children;
};

bool IsNode(const Element& e, const wchar_t* keyword);
bool IsString(const Element& e);
bool IsNumber(const Element& e);
// The name of a node: its first child without the quotes, or empty.
std::wstring NameOf(const Element& e);
Element* ChildNode(Element& e, const wchar_t* keyword);
// Takes the first child node of `keyword` out of `e`; false when there is none.
bool TakeChild(Element& e, const wchar_t* keyword, Element& taken);
// An element made by the rewriting, standing for `standsFor` in the original.
Element Made(std::wstring text, const Element& standsFor, std::vector<Element> children = {},
             bool node = false);
std::wstring Quoted(const std::wstring& name);

// Where and why a text did not split into elements.
struct SplitFailure {
    ScannedToken token{TokenKind::End, 0, 0};
    const wchar_t* expected = L"";
};

// Splits a text into its top-level elements (separated by commas). Fails on anything that
// is not elements, values, brackets and commas, and on nesting deeper than WKT goes; then
// `failure`, when given, says where.
bool SplitElements(std::wstring_view text, std::vector<Element>& top, bool wkt2 = false,
                   SplitFailure* failure = nullptr);

// Writes `top` (separated by commas) into `out.text`, one piece per token.
void WriteElements(const std::vector<Element>& top, quarn::DialectRewrite& out);

} // namespace quarn::detail

#endif
