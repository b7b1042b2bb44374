// What the last reading of a WKT text found: whether it stopped on a syntax error, where,
// on which token, and what the grammar would have accepted there. The factory keeps one
// record for its last CreateFromWKT (GetLastDiagnostic); hosts and the command-line tool
// use it to say where and why a text did not read.
#ifndef QUARN_WKT_PARSEDIAGNOSTIC_H
#define QUARN_WKT_PARSEDIAGNOSTIC_H

#include <cstddef>
#include <string>

struct QuarnParseDiagnostic {
    // The parse reported a syntax error (the text may still have formed a system before
    // it: see `stray`).
    bool syntaxError = false;
    // A complete coordinate system was read and further tokens followed it.
    bool stray = false;
    // Where the error was detected: the furthest point any alternative reached. Offset and
    // length in characters of the text passed to CreateFromWKT; at the end of the text the
    // offset is the text's length and the length 0.
    std::size_t offset = 0;
    std::size_t length = 0;
    // The offending token as it stands in the text (empty at the end of the text).
    std::wstring token;
    // The tokens the grammar would have accepted there, readable: `',' or ']'`.
    std::wstring expected;
};

#endif
