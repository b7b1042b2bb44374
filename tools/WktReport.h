// What quarn-wkt tells the user on standard error: problems with a file, diagnostics in the
// form compilers use (FILE:LINE:COLUMN: error: MESSAGE, the line of the text and a caret
// under the place), and a progress line while many texts are read on a terminal.
#ifndef QUARN_TOOLS_WKTREPORT_H
#define QUARN_TOOLS_WKTREPORT_H

#include <quarn/interchange/Diagnostics.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

class Reporter {
public:
    // Shows a progress line only when `enabled` (standard error is a terminal).
    explicit Reporter(bool enabled) : m_progressEnabled(enabled) {}

    // "FILE: error: MESSAGE".
    void FileError(const std::string& file, const std::string& message);
    // "FILE:LINE:COLUMN: SEVERITY: MESSAGE", then the line around the place and a caret.
    void Diagnostic(const std::string& file, const char* severity, const quarn::SourcePlace& place,
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
