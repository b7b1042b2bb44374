// The two readable forms of a coordinate system that quarn-wkt writes besides its one-line
// WKT: a description of what it holds, and its WKT indented one element a line.
#ifndef QUARN_TOOLS_WKTDESCRIBE_H
#define QUARN_TOOLS_WKTDESCRIBE_H

#include <quarn/model/Model.h>

#include <string>
#include <string_view>

// The kind of system, names, authority, type codes, axes, units, datum, prime meridian,
// projection and the parts of compound and fitted systems (nested), one fact a line.
std::string DescribeSystem(const CS_CoordinateSystem* system);

// The WKT with every element that follows a comma on a line of its own, indented by its
// depth. Only blanks outside quoted names change, so the text reads back to the same
// object.
std::wstring IndentWkt(std::wstring_view wkt);

#endif
