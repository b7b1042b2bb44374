// Quarn: coordinate-system descriptions, created canonically through a factory, read from
// and written to Well-Known Text. This header brings in the whole public API.
#ifndef QUARN_QUARN_H
#define QUARN_QUARN_H

#include <quarn/Sequence.h>
#include <quarn/factory/PtrArray.h>
#include <quarn/model/Constants.h>
#include <quarn/model/Export.h>
#include <quarn/model/InfoBase.h>
#include <quarn/model/MessageReport.h>
#include <quarn/model/Model.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Numbers.h>
#include <quarn/model/ObjectKinds.h>
#include <quarn/model/Records.h>
#include <quarn/model/Text.h>
#include <quarn/model/Utf8.h>
#include <quarn/model/ValueRecords.h>
#include <quarn/tessel/Tessel.h>

#include <quarn/objects/Datums.h>
#include <quarn/objects/Ellipsoid.h>
#include <quarn/objects/PrimeMeridian.h>
#include <quarn/objects/Projection.h>
#include <quarn/objects/Units.h>

#include <quarn/systems/CompoundCoordinateSystem.h>
#include <quarn/systems/FittedCoordinateSystems.h>
#include <quarn/systems/GeocentricCoordinateSystem.h>
#include <quarn/systems/GeographicCoordinateSystem.h>
#include <quarn/systems/LocalCoordinateSystem.h>
#include <quarn/systems/ProjectedCoordinateSystem.h>
#include <quarn/systems/VerticalCoordinateSystem.h>

#include <quarn/wkt/ParseDiagnostic.h>
#include <quarn/wkt/ToolParser.h>
#include <quarn/wkt/WktParser.h>

#include <quarn/factory/Factory.h>

#endif
