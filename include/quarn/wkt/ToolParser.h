// CTOOLParser: the base of the generated-table parsers. It owns a private copy of the text to
// parse and a character cursor over it, which the lexer of a derived parser drives.
#ifndef QUARN_WKT_TOOLPARSER_H
#define QUARN_WKT_TOOLPARSER_H

#include <quarn/model/Export.h>

#include <cstddef>
#include <cwchar>

class QUARN_API CTOOLParser {
public:
    CTOOLParser();
    CTOOLParser(const CTOOLParser&) = delete;
    CTOOLParser& operator=(const CTOOLParser&) = delete;

    // Frees the stored input.
    virtual ~CTOOLParser();

    // Stores a private copy of `text` (unless `text` is the stored copy itself), then
    // rewinds. A null text is stored as an empty one. The lexer cuts token texts out of the
    // copy by writing terminators into it, so a text is read once per SetInput.
    virtual void SetInput(const wchar_t* text);
    // The token code of a keyword, or the error code when `word` is none.
    virtual int LookupKeyword(const wchar_t* word) = 0;
    // The next token code from the cursor on; -1 at the end of the input.
    virtual int Lex() = 0;
    // 0 when the stored input was accepted, 1 when it was not.
    virtual int Parse() = 0;
    // Called with a message when the input does not parse; does nothing here.
    virtual void ReportError(const wchar_t* message);
    // Puts the cursor back at the start of the stored input.
    virtual void Rewind();
    // The next token for the parse engine.
    virtual int NextToken() = 0;

    // Gives up the stored copy (GetInput is null after), keeping its block for the thread's
    // next SetInput.
    void ReleaseInput();
    // Room for a text of `length` characters and its terminator as the stored copy, for a
    // caller that writes the text there itself (decoding it, say): SetInput of the room then
    // reads it without a copy. What the room held before is not kept.
    wchar_t* InputRoom(std::size_t length);

    // The stored copy of the text, null before the first SetInput. The lexer writes
    // terminators into it after tokens.
    const wchar_t* GetInput() const { return m_input; }

protected:
    // Character offset of the token start and of the cursor in the stored input.
    long TokenOffset() const { return static_cast<long>(m_tokenStart - m_input); }
    long CursorOffset() const { return static_cast<long>(m_cursor - m_input); }

    // Cursor operations of the lexer. The lookahead character is the character at the
    // cursor as it was before EndToken wrote a terminator there.

    // Starts a token at the cursor; returns its first character.
    wchar_t BeginToken() {
        m_current = m_lookahead;
        m_tokenStart = m_cursor;
        return m_current;
    }
    // Steps over the character at the cursor, which belongs to no token, and starts the
    // next token after it; returns the new current character.
    wchar_t Skip() {
        if (!AtEndOfInput()) m_lookahead = *++m_cursor;
        m_current = m_lookahead;
        m_tokenStart = m_cursor;
        return m_current;
    }
    // Adds the character at the cursor to the token; returns the next one.
    wchar_t Extend() {
        if (!AtEndOfInput()) m_lookahead = *++m_cursor;
        return m_lookahead;
    }
    // Extend while `part` accepts the next character; returns the first it refuses (the
    // terminator at the end of the input). The cursor is kept in locals meanwhile: a stored
    // character could otherwise alias it, and every step would reload it.
    template <class Part> wchar_t ExtendWhile(Part part) {
        wchar_t* cursor = m_cursor;
        wchar_t next = m_lookahead;
        do {
            if (next != L'\0') next = *++cursor;
        } while (part(next));
        m_cursor = cursor;
        m_lookahead = next;
        return next;
    }
    // ExtendWhile for a quoted text: up to the next quote or the end of the input, found
    // with the library's vectorised search since names are the longest tokens.
    wchar_t ExtendToQuote() {
        if (m_lookahead == L'\0') return L'\0';
        wchar_t* quote = std::wcschr(m_cursor + 1, L'"');
        m_cursor = quote != nullptr ? quote : m_cursor + 1 + std::wcslen(m_cursor + 1);
        m_lookahead = *m_cursor;
        return m_lookahead;
    }
    // Terminates the token text at the cursor.
    void EndToken() {
        if (m_cursor != nullptr) *m_cursor = L'\0';
    }
    // Where EndToken of the previous token wrote its terminator on the first character of
    // this token (a word or number right after a word or number), puts the character back
    // so that this token's text is whole. The previous token's text then runs on; only
    // texts of numbers (already converted) and of words before a word or number (never a
    // valid sequence) are affected.
    void ReopenToken() {
        if (m_tokenStart != nullptr && *m_tokenStart == L'\0') *m_tokenStart = m_current;
    }
    // The current token as a terminated text.
    const wchar_t* TokenText() const { return m_tokenStart; }
    // The current character is the terminator.
    bool AtEnd() const { return m_current == L'\0'; }
    // The character at the cursor is the end of the input.
    bool AtEndOfInput() const { return m_lookahead == L'\0'; }
    wchar_t Current() const { return m_current; }
    wchar_t Lookahead() const { return m_lookahead; }

private:
    wchar_t* m_input;       // owned copy of the text; null until the first SetInput
    std::size_t m_capacity; // characters m_input has room for
    wchar_t* m_tokenStart;  // where the current token begins
    wchar_t* m_cursor;      // the character being looked at
    wchar_t m_current;
    wchar_t m_lookahead;
};

#endif
