// Quarn: coordinate-system descriptions, created canonically through a factory, read from
// and written to Well-Known Text. This header brings in the whole public API.
#ifndef QUARN_QUARN_H
#define QUARN_QUARN_H

#include "model/Export.h"
#include "model/InfoBase.h"
#include "model/Model.h"
#include "model/ModuleSetup.h"
#include "model/Numbers.h"
#include "model/Records.h"
#include "model/Sequence.h"
#include "model/Text.h"
#include "model/Utf8.h"
#include "model/ValueRecords.h"
#include "platform/MessageReport.h"
#include "platform/PtrArray.h"
#include "tessel/Tessel.h"

#include "objects/Datums.h"
#include "objects/Ellipsoid.h"
#include "objects/PrimeMeridian.h"
#include "objects/Projection.h"
#include "objects/Units.h"

#include "systems/CompoundCoordinateSystem.h"
#include "systems/FittedCoordinateSystems.h"
#include "systems/GeocentricCoordinateSystem.h"
#include "systems/GeographicCoordinateSystem.h"
#include "systems/LocalCoordinateSystem.h"
#include "systems/ProjectedCoordinateSystem.h"
#include "systems/VerticalCoordinateSystem.h"

#include "wkt/ParseDiagnostic.h"
#include "wkt/ToolParser.h"
#include "wkt/WktParser.h"

#include "factory/Factory.h"

#endif
