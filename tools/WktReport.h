// What quarn-wkt tells the user on standard error: problems with a file, diagnostics in the
// form compilers use (FILE:LINE:COLUMN: error: MESSAGE, the line of the text and a caret
// under the place), and a progress line while many texts are read on a terminal.
#ifndef QUARN_TOOLS_WKTREPORT_H
#define QUARN_TOOLS_WKTREPORT_H

#include <quarn/wkt/ParseDiagnostic.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

// A place in a file: line and column count from 1, the column in characters. `lineText` is
// the whole line (without its line end) and `caret` the index in it of the place.
struct SourcePlace {
    std::size_t line = 1;
    std::size_t column = 1;
    std::wstring_view lineText;
    std::size_t caret = 0;
};

// The place of character `offset` of `text`, a text that starts on line `firstLine` of its
// file.
SourcePlace Locate(std::wstring_view text, std::size_t offset, std::size_t firstLine);

// The message of a parse diagnostic: what was found and what the grammar expected there.
std::string DescribeSyntaxError(const QuarnParseDiagnostic& diagnostic);
std::string DescribeStrayText(const QuarnParseDiagnostic& diagnostic);

class Reporter {
public:
    // Shows a progress line only when `enabled` (standard error is a terminal).
    explicit Reporter(bool enabled) : m_progressEnabled(enabled) {}

    // "FILE: error: MESSAGE".
    void FileError(const std::string& file, const std::string& message);
    // "FILE:LINE:COLUMN: SEVERITY: MESSAGE", then the line around the place and a caret.
    void Diagnostic(const std::string& file, const char* severity, const SourcePlace& place,
                    const std::string& message);
    // Redraws "FILE: DONE of TOTAL texts, N texts/s", at most ten times a second.
    void Progress(const std::string& file, std::size_t done, std::size_t total);
    // Clears the progress line, so that other output starts on a clean line.
    void HideProgress();

private:
    using Clock = std::chrono::steady_clock;
    bool m_progressEnabled;
    bool m_progressShown = false;
    Clock::time_point m_lastDraw{};
    Clock::time_point m_start = Clock::now();
};

#endif
