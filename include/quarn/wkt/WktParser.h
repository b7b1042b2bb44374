// The WKT reader: a lexer and a backtracking LR parse engine over tables generated from the
// grammar, whose rule actions create the objects through the factory. CreateFromWKT of the
// factory drives it.
#ifndef QUARN_WKT_WKTPARSER_H
#define QUARN_WKT_WKTPARSER_H

#include <quarn/wkt/ParseDiagnostic.h>
#include <quarn/wkt/ToolParser.h>

#include <cstddef>
#include <memory>

class CQuarnCoordinateSystemFactory;
class CS_CoordinateSystem;
class CS_Info;

namespace quarn::detail {
struct WktParserAccess;
}

class QUARN_API CQuarnWKTCoordinateSystemParser : public CTOOLParser {
public:
    explicit CQuarnWKTCoordinateSystemParser(CQuarnCoordinateSystemFactory* factory = nullptr);

    // Frees the value objects, the stored input and what the replay queue holds beyond its
    // first chunk.
    ~CQuarnWKTCoordinateSystemParser() override;

    // Keyword lookup: `word` compared, ignoring the case of A to Z, with the token names
    // 257 to 289 in ascending order; the first match, or 256. A null word gives 256.
    int LookupKeyword(const wchar_t* word) override;
    // Reads the next token and leaves its value in the thread's token slot.
    int Lex() override;
    // Runs the parse engine on the stored input: 0 when accepted, 1 when not. One parse
    // at a time per thread: the engine's state belongs to the thread, shared by its parsers.
    // Records in the diagnostic where and why the text did not read.
    int Parse() override;
    // Reports nothing.
    void ReportError(const wchar_t* message) override;
    // The base rewind; the result is cleared.
    void Rewind() override;
    // The next token: from the replay queue while it holds unread tokens (a trial that
    // backed up to a conflict reads them again), otherwise from Lex, queued while a trial
    // parse runs.
    int NextToken() override;

    CQuarnCoordinateSystemFactory* GetFactory() const { return m_factory; }
    void SetFactory(CQuarnCoordinateSystemFactory* factory) { m_factory = factory; }
    // The coordinate system the last parse produced, null before one.
    const CS_CoordinateSystem* GetResult() const { return m_result; }
    void SetResult(const CS_CoordinateSystem* result) { m_result = result; }
    // Where and why the last parse stopped; cleared by Rewind (and so by SetInput).
    const QuarnParseDiagnostic& GetDiagnostic() const;
    QuarnParseDiagnostic& Diagnostic();

    // Syntax errors counted by the last parse.
    static int GetErrorCount();
    // The name of a token code ("end-of-file", "','", "GEOGCS", ...), null when the code
    // has none.
    static const wchar_t* GetTokenName(int code);

private:
    // The lexer, the engine and the rule actions reach the parts below (wkt/WktReader.h).
    friend struct quarn::detail::WktParserAccess;

    // Lex from the token's first character on, for every token but brackets and commas:
    // kept out of line so that those take a short call.
    __attribute__((noinline)) int LexFrom(wchar_t c);
    // Empties the diagnostic.
    void ClearDiagnostic();

    CQuarnCoordinateSystemFactory* m_factory;
    const CS_CoordinateSystem* m_result;
    // Where and why the last parse stopped; made when there is something to say (a text that
    // reads has the empty diagnostic).
    std::unique_ptr<QuarnParseDiagnostic> m_diagnostic;
    // The reader's working state (the rule actions' value objects, the engine of the running
    // parse), kept in place so that a factory and its parser are one allocation.
    static constexpr std::size_t kStateBytes = 128;
    alignas(std::max_align_t) unsigned char m_state[kStateBytes];
};

#endif
