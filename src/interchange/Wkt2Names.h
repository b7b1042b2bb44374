// The naming rules that WKT 1 readers expect of datums and axes read from WKT 2 (methods and
// parameters are in the table of interchange/ProjectionMethods.h).
#ifndef QUARN_INTERCHANGE_WKT2NAMES_H
#define QUARN_INTERCHANGE_WKT2NAMES_H

#include <string>
#include <string_view>

namespace quarn::detail {

// The WKT 1 name of a geodetic datum as GDAL writes it from its EPSG name: every run of
// characters other than ASCII letters, digits and '-' becomes one '_', none at either end;
// a datum ensemble goes by the name of its datum (without " ensemble"); and World Geodetic
// System 1984 is WGS_1984.
std::string Wkt1DatumName(std::string_view wkt2Name);

// The WKT 1 name of an axis from its WKT 2 name and abbreviation ("geodetic latitude (Lat)"
// is Latitude, "(E)" Easting, "gravity-related height (H)" Gravity-related height).
std::string Wkt1AxisName(std::string_view wkt2Name, bool geocentric);

// An axis direction of WKT 2 that WKT 1 has, with the WKT 1 word and the orientation
// (CS_AO_*) it stands for.
struct Wkt2Direction {
    const char* wkt2;    // north
    const wchar_t* wkt1; // NORTH
    long orientation;    // CS_AO_North
};

// The direction of a WKT 2 word (any case; geocentricX, Y and Z are WKT 1's other, other and
// north), or null when WKT 1 has none.
const Wkt2Direction* FindWkt2Direction(std::wstring_view wkt2);

// The WKT 2 word of an orientation, or null for none.
const char* Wkt2DirectionWord(long orientation);

} // namespace quarn::detail

#endif
