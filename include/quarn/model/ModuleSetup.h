// What exists from the moment the library is loaded: the projection-loading flag and the
// process-wide default records that stand in for omitted WKT clauses.
#ifndef QUARN_MODEL_MODULESETUP_H
#define QUARN_MODEL_MODULESETUP_H

#include <quarn/Sequence.h>
#include <quarn/model/Export.h>
#include <quarn/model/Records.h>
#include <quarn/model/ValueRecords.h>

// The projection-loading flag: false when the library is loaded. Only the host sets it;
// while it is set the factory applies its name-based conveniences (unit and method names,
// datum shifts by datum name, false easting and northing in metres).
QUARN_API void SetPrjLoading(bool loading);
QUARN_API bool IsPrjLoading();

// The default axes: X (east), Y (north) and Z (up).
QUARN_API const CQuarnAxisInfo& QuarnDefaultAxisX();
QUARN_API const CQuarnAxisInfo& QuarnDefaultAxisY();
QUARN_API const CQuarnAxisInfo& QuarnDefaultAxisZ();
// The default axis list: three copies of X, Y and Z in that order.
QUARN_API const CQuarnAxisInfo* QuarnDefaultAxes();
// A grid-file record with both names empty.
QUARN_API const CQuarn3DIMInfo& QuarnDefault3DIMInfo();
// A datum shift of seven zeros with an empty area of use.
QUARN_API const CQuarnWGS84ConversionInfo& QuarnDefaultWGS84ConversionInfo();
// A parameter list holding no parameter.
QUARN_API const CBASESequence<CS_ProjectionParameter, 11>& QuarnDefaultParameters();

#endif
