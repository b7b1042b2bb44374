// Reading the WKT dialects that other tools write: the `.prj` form of ESRI software and the
// WKT 1 that GDAL and PROJ write. A dialect front end beside the canonical reader: it splits
// the text into elements with a small scanner of its own, rewrites the constructs of the
// dialect into the equivalent canonical text and hands that to CreateFromWKT. Reading the
// canonical dialect never passes through here. Diagnostics of a rewritten reading point into
// the caller's text, not into the rewritten one.
#ifndef QUARN_WKT_WKTDIALECTS_H
#define QUARN_WKT_WKTDIALECTS_H

#include <quarn/interchange.h>
#include <quarn/model/Export.h>
#include <quarn/wkt/ParseDiagnostic.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarn {

// The canonical text that a text of a dialect stands for, with the way back from positions
// in the rewritten text to positions in the original.
struct QUARN_API DialectRewrite {
    // False when the text holds a construct of the dialect whose meaning no Quarn object
    // can carry (a vertical shift, a direction other than up or down, ...): `refusal` then
    // says where and why, and nothing is read.
    bool ok = true;
    // False when the text holds no construct of the dialect: `text` is the original.
    bool changed = false;
    std::wstring text;
    QuarnParseDiagnostic refusal;

    // One token of the rewritten text and the original characters it came from. A token
    // the rewriting made up points at the construct it stands for.
    struct Piece {
        std::size_t at, length;                 // in the rewritten text
        std::size_t originalAt, originalLength; // in the original text
    };
    std::vector<Piece> pieces;
    std::size_t originalLength = 0;

    // A diagnostic of the canonical reading of `text`, moved into the original text.
    QuarnParseDiagnostic ToOriginal(const QuarnParseDiagnostic& diagnostic,
                                    std::wstring_view original) const;
};

// Rewrites `text` of `dialect` into canonical text. With Canonical the text is returned as it
// is. A text the front end cannot split into elements (unbalanced brackets, characters that
// no WKT uses) is returned unchanged too, so that the canonical reader reports it.
QUARN_API DialectRewrite RewriteDialect(std::wstring_view text, WktDialect dialect);

// Reads `text` in `dialect` into `factory`: with Canonical exactly CreateFromWKT, otherwise
// CreateFromWKT of the rewritten text. The factory's last diagnostic afterwards points into
// `text`; a refused construct gives a null result and a diagnostic on the construct.
QUARN_API const CS_CoordinateSystem* ReadWktDialect(CQuarnCoordinateSystemFactory& factory,
                                                    std::wstring_view text, WktDialect dialect);

// A construct of another dialect found where a canonical reading stopped.
struct DialectConstruct {
    std::wstring construct; // what it is: "VERTCS", "EXTENSION", "AUTHORITY code 4326", ...
    bool gdal = false;      // read with the Gdal dialect
    bool esri = false;      // read with the Esri dialect
    explicit operator bool() const { return gdal || esri; }
};

// For a text whose canonical reading stopped at `offset` (the diagnostic's offset): the
// construct of the Gdal or Esri dialect that stands there or right after the token there,
// or an empty result when there is none.
QUARN_API DialectConstruct FindDialectConstruct(std::wstring_view text, std::size_t offset);

} // namespace quarn

#endif
