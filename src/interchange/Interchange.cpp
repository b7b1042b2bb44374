// The UTF-8 face for hosts: writing in a chosen dialect, reading UTF-8 text, names as UTF-8.
#include <quarn/interchange.h>

#include "interchange/InterchangeInternal.h"
#include "interchange/Wkt2Internal.h"
#include <quarn/interchange/WktDialects.h>

#include <quarn/model/Utf8.h>

#include "model/Utf8Internal.h"

using namespace quarn::detail;

namespace quarn {

std::string WktWriter::Write(const CS_Info& object) {
    m_reason.clear();
    std::string text;
    if (m_dialect == WktDialect::Canonical) {
        text = QuarnEncodeUtf8(object.GetWKT(nullptr));
        if (text.empty()) m_reason = "the canonical text does not fit in 2047 characters";
        return text;
    }
    if (IsWkt2(m_dialect)) {
        if (!WriteWkt2(object, text, m_reason, m_dialect == WktDialect::Wkt2_2015)) text.clear();
        return text;
    }
    const InterchangeDialect dialect =
        m_dialect == WktDialect::Esri ? InterchangeDialect::Esri : InterchangeDialect::Gdal;
    // Room for a system's text at once, rather than a growth at every doubling.
    text.reserve(1024);
    if (!WriteInterchange(object, dialect, text, m_reason)) text.clear();
    return text;
}

std::string ToWkt(const CS_Info& object, WktDialect dialect) {
    return WktWriter(dialect).Write(object);
}

const CS_CoordinateSystem* FromWkt(CQuarnCoordinateSystemFactory& factory, std::string_view utf8,
                                   WktDialect dialect) {
    // Decoded straight into the parser's own copy (at most one character a byte), which
    // CreateFromWKT then reads as it stands.
    wchar_t* room = factory.WktInputRoom(utf8.size());
    bool good = true;
    const std::size_t length = detail::DecodeUtf8(utf8, room, good);
    room[length] = L'\0';
    if (!good) {
        QuarnParseDiagnostic diagnostic;
        diagnostic.syntaxError = true;
        // Diagnostics count characters: the bad byte stands after the characters decoded.
        diagnostic.offset = length;
        diagnostic.length = 1;
        diagnostic.token = L"invalid UTF-8";
        diagnostic.expected = L"well-formed UTF-8 text";
        factory.SetLastDiagnostic(diagnostic);
        return nullptr;
    }
    return detail::ReadWktDialectText(factory, std::wstring_view(room, length), utf8, dialect);
}

std::string Name(const CS_Info& object) {
    return QuarnEncodeUtf8(object.GetName());
}

std::string Authority(const CS_Info& object) {
    return QuarnEncodeUtf8(object.GetAuthority());
}

std::string AuthorityCode(const CS_Info& object) {
    return QuarnEncodeUtf8(object.GetAuthorityCode());
}

} // namespace quarn
