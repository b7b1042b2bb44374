// Quarn for hosts that hold their texts as UTF-8: writing WKT in the dialect another
// program reads, reading WKT from UTF-8, and the few text getters needed to walk objects.
//
// Dialects:
//  - Canonical: the library's own text, exactly what GetWKT writes (read back as it is).
//  - Gdal: WKT 1 as GDAL and PROJ write and read it: AUTHORITY clauses, TOWGS84 only for a
//    shift that is not all zeros, AXIS only where the axes are not the default ones of the
//    kind of system, numbers in their shortest exact form.
//  - Esri: the .prj form: ESRI's names of datums, ellipsoids, units, methods and parameters,
//    no AUTHORITY, no AXIS, no TOWGS84 (ESRI names the datum instead).
// Where a dialect has no form for an object (a fitted or local system, a datum defined by
// grid files, a method that is the library's own...) nothing is written: the writer gives an
// empty text and says why, rather than a text that would mean another system.
#ifndef QUARN_INTERCHANGE_H
#define QUARN_INTERCHANGE_H

#include <quarn/factory/Factory.h>
#include <quarn/model/Export.h>
#include <quarn/model/Model.h>

#include <string>
#include <string_view>

namespace quarn {

// Wkt2 is ISO 19162:2019; Wkt2_2015 writes ISO 19162:2015 (GEODCRS for a geographic system,
// BASEGEODCRS without an identifier in a projected one) and reads exactly as Wkt2.
enum class WktDialect { Canonical, Gdal, Esri, Wkt2, Wkt2_2015 };

// Writes objects in one dialect and keeps why the last object could not be written. The
// texts belong to the caller; writers on different threads do not share anything, but the
// objects must not change meanwhile (and the Canonical dialect goes through GetWKT, whose
// class-wide buffers allow one writer at a time).
class QUARN_API WktWriter {
public:
    explicit WktWriter(WktDialect dialect = WktDialect::Canonical) : m_dialect(dialect) {}

    // The object as UTF-8 WKT in the writer's dialect; empty when the dialect has no form
    // for it (or, in the canonical dialect, when GetWKT gives no text).
    std::string Write(const CS_Info& object);
    // Why the last Write gave an empty text, in words; empty after a text was written.
    const std::string& Reason() const { return m_reason; }
    WktDialect Dialect() const { return m_dialect; }

private:
    WktDialect m_dialect;
    std::string m_reason;
};

// WktWriter(dialect).Write(object): the object's text, empty when it has none in `dialect`.
QUARN_API std::string ToWkt(const CS_Info& object, WktDialect dialect = WktDialect::Canonical);

// Reads a UTF-8 WKT text of `dialect`: Canonical with the factory's CreateFromWKT alone;
// Gdal and Esri also take the constructs of those dialects (wkt/WktDialects.h). Text that
// is not well-formed UTF-8 gives null and a diagnostic (GetLastDiagnostic) at the first bad
// byte, counted in characters as every diagnostic is.
QUARN_API const CS_CoordinateSystem* FromWkt(CQuarnCoordinateSystemFactory& factory,
                                             std::string_view utf8,
                                             WktDialect dialect = WktDialect::Canonical);

// The object's name, authority and authority code as UTF-8.
QUARN_API std::string Name(const CS_Info& object);
QUARN_API std::string Authority(const CS_Info& object);
QUARN_API std::string AuthorityCode(const CS_Info& object);

} // namespace quarn

#endif
