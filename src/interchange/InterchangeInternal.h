// The interchange writer behind quarn::WktWriter: WKT 1 as other programs read it, in the
// GDAL or the ESRI dialect, built as UTF-8 in the caller's string; and the dialect reading
// of a text that quarn::FromWkt decoded.
#ifndef QUARN_WKT_INTERCHANGEINTERNAL_H
#define QUARN_WKT_INTERCHANGEINTERNAL_H

#include <quarn/factory/Factory.h>
#include <quarn/interchange.h>
#include <quarn/model/Model.h>

#include <string>
#include <string_view>
#include <vector>

namespace quarn::detail {

enum class InterchangeDialect { Gdal, Esri };

// Writes `object` into `out`. Returns false, with `reason` saying why in words and `out`
// unspecified, when the dialect has no form for the object or for something in it.
bool WriteInterchange(const CS_Info& object, InterchangeDialect dialect, std::string& out,
                      std::string& reason);

// A number in its shortest form that reads back to the same double: plain decimal notation
// for magnitudes from 1e-5 to 1e21, exponent notation beyond; 0 for both zeros.
std::string ShortestNumber(double value);

// `name` with every run of other characters than ASCII letters, digits (and, when asked,
// hyphens) and bytes of non-ASCII characters made one underscore, none at either end: how
// ESRI spells names, and how GDAL spells WKT 1 datum names.
std::string UnderscoreSpelling(std::string_view name, bool keepHyphens);

// The object's name without the registry's unique-name suffix (`~` and digits), which only
// tells apart two objects of one factory and means nothing to another program; BaseName
// gives it as UTF-8.
std::wstring_view BaseNameOf(const wchar_t* name);
std::string BaseName(const wchar_t* name);

// The object's EPSG code, or 0 when it has none.
int EpsgCode(const CS_Info& object);

// The longitude in degrees, in the fewest digits that the reader turns back into the very
// longitude held (it reads degrees and multiplies by pi / 180).
std::string DegreesOf(double radians);

// Methods that only this library knows: another program would read an unknown method, or
// worse a known one with other formulas.
bool OwnMethod(EProjectionType type);

// One parameter of a projection as the Esri dialect writes it.
struct EsriParameter {
    std::string name;
    double value;
};

// The method and parameters of `projection` under ESRI's names (ESRI names some methods
// differently and describes some by other parameters, for which it may need the ellipsoid
// of the system; null when there is none). False, with `reason`, when ESRI's form cannot
// describe the projection.
bool EsriProjection(const CS_Projection& projection, const CS_Ellipsoid* ellipsoid,
                    std::string& method, std::vector<EsriParameter>& parameters,
                    std::string& reason);

// ReadWktDialect for a text decoded from `utf8` into the factory's WktInputRoom: read in
// place, without a copy, when the text needs no rewriting (which is seen in the UTF-8, a
// quarter of the bytes).
const CS_CoordinateSystem* ReadWktDialectText(CQuarnCoordinateSystemFactory& factory,
                                              std::wstring_view text, std::string_view utf8,
                                              WktDialect dialect);

} // namespace quarn::detail

#endif
