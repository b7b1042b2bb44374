// Saying where and why a text did not read, in the words quarn-wkt and the Python module
// use: the line and column of a place, the message of a parse diagnostic, and the WKT
// indented one element a line for people to read.
#ifndef QUARN_INTERCHANGE_DIAGNOSTICS_H
#define QUARN_INTERCHANGE_DIAGNOSTICS_H

#include <quarn/model/Export.h>
#include <quarn/wkt/ParseDiagnostic.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quarn {

// A place in a text: line and column count from 1, the column in characters. `lineText` is
// the whole line (without its line end) and `caret` the index in it of the place.
struct SourcePlace {
    std::size_t line = 1;
    std::size_t column = 1;
    std::wstring_view lineText;
    std::size_t caret = 0;
};

// The place of character `offset` of `text`, a text that starts on line `firstLine` of its
// file.
QUARN_API SourcePlace Locate(std::wstring_view text, std::size_t offset, std::size_t firstLine = 1);

// Where to point at a text that did not read: the offending token; at the end of the text,
// just after its last character (not on a blank line after it); without a syntax error (a
// well-formed text that still forms no system), the start of the text.
QUARN_API std::size_t ErrorOffset(std::wstring_view text, const QuarnParseDiagnostic& diagnostic);

// The message of a parse diagnostic: what was found and what the grammar expected there
// ("unexpected UNIT; expected ','"), or that the text forms no coordinate system.
QUARN_API std::string DescribeSyntaxError(const QuarnParseDiagnostic& diagnostic);
// The message of tokens after a complete system ("VERT_CS after the end of the coordinate
// system is ignored").
QUARN_API std::string DescribeStrayText(const QuarnParseDiagnostic& diagnostic);

// The WKT with every element that follows a comma on a line of its own, indented by its
// depth. Only blanks outside quoted names change, so the text reads back to the same
// object.
QUARN_API std::wstring IndentWkt(std::wstring_view wkt);

} // namespace quarn

#endif
