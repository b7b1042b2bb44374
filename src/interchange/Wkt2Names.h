// The one table between WKT 2 and WKT 1 names of projection methods and their parameters
// (WKT 2 names them as EPSG does, with EPSG codes; WKT 1 as GDAL and this library do), and
// the naming rules that WKT 1 readers expect of datums and axes. The WKT 2 reader and writer
// both go through it.
#ifndef QUARN_INTERCHANGE_WKT2NAMES_H
#define QUARN_INTERCHANGE_WKT2NAMES_H

#include <string>
#include <string_view>

namespace quarn::detail {

// What a parameter's value measures, and so which unit WKT 2 gives it.
enum class ParameterKind { Angle, Length, Scale };

struct Wkt2Parameter {
    const char* wkt1; // WKT 1 name (latitude_of_origin)
    const char* wkt2; // EPSG name (Latitude of natural origin)
    int code;         // EPSG code, 0 when EPSG has none
    ParameterKind kind;
};

struct Wkt2Method {
    const char* wkt1; // WKT 1 method (Transverse_Mercator)
    const char* wkt2; // EPSG method (Transverse Mercator)
    int code;         // EPSG code, 0 when EPSG has none
    // Only for the writer: the method is written with this row only when the latitude of
    // origin is a pole (+1), is not (-1), or in any case (0).
    int pole;
    const Wkt2Parameter* parameters;
    int count;
};

// The method of WKT 2 by its EPSG code when positive and known, else by its EPSG name or
// its WKT 1 name (compared by NameKey). Null when the table does not know it.
const Wkt2Method* FindWkt2Method(int code, std::string_view name);

// The WKT 2 form of a WKT 1 method (compared by NameKey); `latitudeOfOrigin` picks between
// the rows of one WKT 1 method that differ by `pole`. Null when unknown.
const Wkt2Method* FindWkt2MethodForWkt1(std::string_view wkt1, double latitudeOfOrigin);

// The parameter of `method` by its EPSG code when positive, else by its EPSG or WKT 1 name.
const Wkt2Parameter* FindWkt2Parameter(const Wkt2Method& method, int code, std::string_view name);

// What a parameter measures, told from its name alone (for methods the table does not know):
// eastings, northings and heights are lengths, scale factors scales, the rest angles.
ParameterKind KindOfParameter(std::string_view name);

// The WKT 1 name of a geodetic datum as GDAL writes it from its EPSG name: every run of
// characters other than ASCII letters, digits and '-' becomes one '_', none at either end;
// a datum ensemble goes by the name of its datum (without " ensemble"); and World Geodetic
// System 1984 is WGS_1984.
std::string Wkt1DatumName(std::string_view wkt2Name);

// The WKT 1 name of an axis from its WKT 2 name and abbreviation ("geodetic latitude (Lat)"
// is Latitude, "(E)" Easting, "gravity-related height (H)" Gravity-related height).
std::string Wkt1AxisName(std::string_view wkt2Name, bool geocentric);

} // namespace quarn::detail

#endif
