// WKT 2 (ISO 19162) in and out: the reader rewrites a WKT 2 text into the canonical WKT 1
// text of the same system, with the way back to the original positions, or refuses what
// the model cannot hold; the writer writes a system as WKT 2 (2019 or 2015).
#ifndef QUARN_INTERCHANGE_WKT2INTERNAL_H
#define QUARN_INTERCHANGE_WKT2INTERNAL_H

#include <quarn/interchange.h>
#include <quarn/interchange/WktDialects.h>
#include <quarn/model/Model.h>

#include <string>
#include <string_view>

namespace quarn::detail {

// Whether the text's first keyword is one of WKT 2's (and none of WKT 1's).
bool StartsAsWkt2(std::wstring_view text);

// The canonical text of a WKT 2 text; `ok` false with the refusal on the construct that the
// model cannot hold or that is not WKT 2.
quarn::DialectRewrite RewriteWkt2(std::wstring_view text);

// Whether `dialect` is WKT 2, of either year (both read alike).
inline bool IsWkt2(quarn::WktDialect dialect) {
    return dialect == quarn::WktDialect::Wkt2 || dialect == quarn::WktDialect::Wkt2_2015;
}

// Writes `object` as WKT 2 into `out`: ISO 19162:2019, or with `iso2015` ISO 19162:2015 as PROJ
// writes it. False, with `reason`, when WKT 2 or this writer has no form for it.
bool WriteWkt2(const CS_Info& object, std::string& out, std::string& reason, bool iso2015 = false);

} // namespace quarn::detail

#endif
