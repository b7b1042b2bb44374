// The description of a coordinate system that quarn-wkt --info writes.
#ifndef QUARN_TOOLS_WKTDESCRIBE_H
#define QUARN_TOOLS_WKTDESCRIBE_H

#include <quarn/model/Model.h>

#include <string>
#include <string_view>

// The kind of system, names, authority, type codes, axes, units, datum, prime meridian,
// projection and the parts of compound and fitted systems (nested), one fact a line.
std::string DescribeSystem(const CS_CoordinateSystem* system);

#endif
