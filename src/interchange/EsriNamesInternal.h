// ESRI's names of datums, ellipsoids, prime meridians and units, beside the EPSG names they
// stand for (generated into EsriNames.inc from PROJ's database). The Esri dialect of the
// interchange writer names objects with them; readers of that dialect go back through them.
#ifndef QUARN_WKT_ESRINAMESINTERNAL_H
#define QUARN_WKT_ESRINAMESINTERNAL_H

#include <string>
#include <string_view>

namespace quarn::detail {

enum EsriNameKind { kEsriDatum, kEsriVerticalDatum, kEsriEllipsoid, kEsriPrimeMeridian, kEsriUnit };

struct EsriNameRecord {
    EsriNameKind kind;
    int epsgCode;
    const char* epsgName; // UTF-8
    const char* esriName;
    const char* epsgKey; // NameKey of epsgName
    const char* esriKey; // NameKey of esriName without its D_ prefix
};

// The lookup key of a UTF-8 name: ASCII letters in lower case and digits, every other ASCII
// character dropped, characters beyond ASCII kept; "Grenada 1953" and "GRENADA_1953" meet.
std::string NameKey(std::string_view utf8);

// The record of an object of `kind`: by its EPSG code when `epsgCode` is positive and
// known, otherwise by its name, which may be the EPSG name or the ESRI one, in any spelling
// that has the same key. Null when the table does not know the object.
const EsriNameRecord* FindEsriName(EsriNameKind kind, int epsgCode, std::string_view name);

// As FindEsriName by name, among the datums on a prime meridian other than Greenwich
// (EPSG names them "NTF (Paris)"; ESRI names them as their Greenwich datum, "D_NTF").
const EsriNameRecord* FindEsriDatumOffGreenwich(std::string_view name);

// The record whose ESRI name is `esriName` (spelt exactly, else with the same key after
// the D_ prefix): the way back from an ESRI name to the EPSG name and code. Null if none.
const EsriNameRecord* FindByEsriName(EsriNameKind kind, std::string_view esriName);

} // namespace quarn::detail

#endif
