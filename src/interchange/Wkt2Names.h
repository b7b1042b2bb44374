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

} // namespace quarn::detail

#endif
