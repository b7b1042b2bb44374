// The dialect readers' scanner, elements and canonical token writer.
#include "interchange/DialectElements.h"

#include "wkt/WktCharacters.h"
#include <quarn/model/Text.h>

using namespace quarn::detail;
using quarn::DialectRewrite;

ScannedToken DialectScanner::Next() {
    while (m_at < m_text.size() && IsWktBlank(m_text[m_at]))
        ++m_at;
    std::size_t start = m_at;
    if (m_at >= m_text.size() || m_text[m_at] == L'\0') return {TokenKind::End, start, 0};
    wchar_t c = m_text[m_at++];
    TokenKind kind = TokenKind::Other;
    if (IsWktWordStart(c)) {
        while (m_at < m_text.size() && IsWktWordPart(m_text[m_at]))
            ++m_at;
        kind = TokenKind::Word;
    } else if (IsWktNumberStart(c)) {
        while (m_at < m_text.size() && IsWktNumberPart(m_text[m_at]))
            ++m_at;
        kind = TokenKind::Number;
    } else if (c == L'"') {
        for (;;) {
            std::size_t close = m_text.find(L'"', m_at);
            if (close == std::wstring_view::npos) return {TokenKind::Other, start, 1};
            m_at = close + 1;
            if (!m_wkt2 || m_at >= m_text.size() || m_text[m_at] != L'"') break;
            ++m_at; // a doubled quote inside the string
        }
        kind = TokenKind::String;
    } else if (c == L'[' || (m_wkt2 && c == L'(')) {
        kind = TokenKind::Open;
    } else if (c == L']' || (m_wkt2 && c == L')')) {
        kind = TokenKind::Close;
    } else if (c == L',') {
        kind = TokenKind::Comma;
    }
    return {kind, start, m_at - start};
}

bool quarn::detail::IsNode(const Element& e, const wchar_t* keyword) {
    return e.node && QuarnEqualNoCase(e.text.c_str(), keyword);
}
bool quarn::detail::IsString(const Element& e) {
    return !e.node && !e.text.empty() && e.text[0] == L'"';
}
bool quarn::detail::IsNumber(const Element& e) {
    return !e.node && !e.text.empty() && IsWktNumberStart(e.text[0]);
}

std::wstring quarn::detail::NameOf(const Element& e) {
    if (e.children.empty() || !IsString(e.children[0])) return {};
    return e.children[0].text.substr(1, e.children[0].text.size() - 2);
}

Element* quarn::detail::ChildNode(Element& e, const wchar_t* keyword) {
    for (Element& child : e.children)
        if (IsNode(child, keyword)) return &child;
    return nullptr;
}

bool quarn::detail::TakeChild(Element& e, const wchar_t* keyword, Element& taken) {
    for (auto it = e.children.begin(); it != e.children.end(); ++it) {
        if (!IsNode(*it, keyword)) continue;
        taken = std::move(*it);
        e.children.erase(it);
        return true;
    }
    return false;
}

Element quarn::detail::Made(std::wstring text, const Element& standsFor,
                            std::vector<Element> children, bool node) {
    Element e;
    e.text = std::move(text);
    e.at = standsFor.at;
    e.length = standsFor.length;
    e.made = true;
    e.node = node || !children.empty();
    e.children = std::move(children);
    return e;
}

std::wstring quarn::detail::Quoted(const std::wstring& name) {
    return L"\"" + name + L"\"";
}

namespace {

class Splitter {
public:
    Splitter(std::wstring_view text, bool wkt2) : m_text(text), m_scanner(text, wkt2) { Advance(); }

    bool Split(std::vector<Element>& top) {
        for (;;) {
            top.emplace_back();
            if (!Read(top.back(), 0)) return false;
            if (m_token.kind == TokenKind::End) return true;
            if (m_token.kind != TokenKind::Comma) return Fail(L"',' or the end of the text");
            Advance();
        }
    }

    const SplitFailure& Failure() const { return m_failure; }

private:
    static constexpr int kMaxDepth = 32;

    void Advance() { m_token = m_scanner.Next(); }

    bool Fail(const wchar_t* expected) {
        m_failure = {m_token, expected};
        return false;
    }

    bool Read(Element& e, int depth) {
        TokenKind kind = m_token.kind;
        if (depth > kMaxDepth) return Fail(L"fewer nested elements");
        if (kind != TokenKind::Word && kind != TokenKind::Number && kind != TokenKind::String)
            return Fail(L"a keyword, a quoted text or a number");
        e.text.assign(m_text.substr(m_token.at, m_token.length));
        e.at = m_token.at;
        e.length = m_token.length;
        Advance();
        if (kind != TokenKind::Word || m_token.kind != TokenKind::Open) return true;
        e.node = true;
        for (;;) {
            Advance();
            e.children.emplace_back();
            if (!Read(e.children.back(), depth + 1)) return false;
            if (m_token.kind == TokenKind::Comma) continue;
            if (m_token.kind != TokenKind::Close) return Fail(L"',' or ']'");
            e.close = m_token.at;
            Advance();
            return true;
        }
    }

    std::wstring_view m_text;
    DialectScanner m_scanner;
    ScannedToken m_token{TokenKind::End, 0, 0};
    SplitFailure m_failure;
};

class TokenWriter {
public:
    explicit TokenWriter(DialectRewrite& out) : m_out(out) {}

    void Write(const Element& e) {
        Put(e.text, e.at, e.length);
        if (!e.node) return;
        m_out.text += L'[';
        for (std::size_t i = 0; i < e.children.size(); ++i) {
            if (i > 0) m_out.text += L',';
            Write(e.children[i]);
        }
        if (e.made)
            Put(L"]", e.at, e.length);
        else
            Put(L"]", e.close, 1);
    }

private:
    void Put(const std::wstring& token, std::size_t at, std::size_t length) {
        m_out.pieces.push_back({m_out.text.size(), token.size(), at, length});
        m_out.text += token;
    }

    DialectRewrite& m_out;
};

} // namespace

bool quarn::detail::SplitElements(std::wstring_view text, std::vector<Element>& top, bool wkt2,
                                  SplitFailure* failure) {
    Splitter splitter(text, wkt2);
    if (splitter.Split(top)) return true;
    if (failure != nullptr) *failure = splitter.Failure();
    return false;
}

void quarn::detail::WriteElements(const std::vector<Element>& top, DialectRewrite& out) {
    TokenWriter writer(out);
    for (std::size_t i = 0; i < top.size(); ++i) {
        if (i > 0) out.text += L',';
        writer.Write(top[i]);
    }
}
