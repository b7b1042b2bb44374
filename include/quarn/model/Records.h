// The plain value records passed between objects: an axis, a projection parameter, the
// seven-parameter datum shift to WGS 84 and the pair of grid-file names of a datum.
#ifndef QUARN_MODEL_RECORDS_H
#define QUARN_MODEL_RECORDS_H

#include <quarn/model/Export.h>

#include <cstdint>

// Room of every text field: 255 characters and the terminator, so that a stored text is
// always terminated.
constexpr int kQuarnTextField = 256;
// Longest text a field keeps; longer texts are cut.
constexpr int kQuarnTextLimit = 255;

// Axis orientation codes.
enum {
    CS_AO_Other = 0,
    CS_AO_North = 1,
    CS_AO_South = 2,
    CS_AO_East = 3,
    CS_AO_West = 4,
    CS_AO_Up = 5,
    CS_AO_Down = 6
};

struct CS_AxisInfo {
    std::int32_t orientation;
    wchar_t name[kQuarnTextField];
};

struct CS_ProjectionParameter {
    wchar_t name[kQuarnTextField];
    double value;
};

struct CS_WGS84ConversionInfo {
    double Dx;
    double Dy;
    double Dz;
    double Ex;
    double Ey;
    double Ez;
    double Ppm;
    wchar_t areaOfUse[kQuarnTextField];
};

struct CS_3DIMInfo {
    wchar_t LBFFileName[kQuarnTextField];
    wchar_t COPFileName[kQuarnTextField];
};

// Copy and compare the bare records. Each returns false, touching nothing, when either
// pointer is null.
QUARN_API bool CopyAxisInfo(CS_AxisInfo* destination, const CS_AxisInfo* source);
QUARN_API bool CopyProjectionParameter(CS_ProjectionParameter* destination,
                                       const CS_ProjectionParameter* source);
QUARN_API bool CopyWGS84ConversionInfo(CS_WGS84ConversionInfo* destination,
                                       const CS_WGS84ConversionInfo* source);
QUARN_API bool Copy3DIMInfo(CS_3DIMInfo* destination, const CS_3DIMInfo* source);

// Axes are equal when their orientations are; names take no part.
QUARN_API bool EqualAxisInfo(const CS_AxisInfo* a, const CS_AxisInfo* b);
// Names equal ignoring the case of A to Z, values within 1e-12.
QUARN_API bool EqualProjectionParameter(const CS_ProjectionParameter* a,
                                        const CS_ProjectionParameter* b);
// The seven numbers within 1e-12 each; the area of use takes no part.
QUARN_API bool EqualWGS84ConversionInfo(const CS_WGS84ConversionInfo* a,
                                        const CS_WGS84ConversionInfo* b);
// Both file names equal ignoring the case of A to Z.
QUARN_API bool Equal3DIMInfo(const CS_3DIMInfo* a, const CS_3DIMInfo* b);

#endif
