#include "ToolParser.h"

#include <cwchar>

CTOOLParser::CTOOLParser()
    : m_input(nullptr), m_tokenStart(nullptr), m_cursor(nullptr), m_current(L'\0'),
      m_lookahead(L'\0') {}

CTOOLParser::~CTOOLParser() {
    delete[] m_input;
}

void CTOOLParser::SetInput(const wchar_t* text) {
    if (text == nullptr || text != m_input) {
        if (text == nullptr) text = L"";
        // Copy before freeing: `text` may point into the old copy (a token text).
        std::size_t length = std::wcslen(text);
        wchar_t* copy = new wchar_t[length + 1];
        std::wmemcpy(copy, text, length + 1);
        delete[] m_input;
        m_input = copy;
    }
    Rewind();
}

void CTOOLParser::ReportError(const wchar_t*) {}

void CTOOLParser::Rewind() {
    m_tokenStart = m_input;
    m_cursor = m_input;
    m_lookahead = m_input != nullptr ? *m_input : L'\0';
    m_current = m_lookahead;
}
