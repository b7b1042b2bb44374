// Equivalence of meaning: two coordinate systems that describe the same system whatever
// their names, the dialect they were written in and the units they were written with.
// Installed as <quarn/equivalent.h>; part of the core library.
//
// A system is first reduced to its meaning (quarn::Meaning): the kind of system, the
// ellipsoid in metres, the prime meridian in degrees, the datum as the EPSG code its name
// maps to through the alias tables (EPSG, GDAL and ESRI spellings), the projection method
// as its EPSG method code with every parameter under one role in degrees, metres or unity,
// the units as factors, and the axis directions that the text states. Two meanings are
// equivalent when, within the tolerances below, all of that agrees:
//
//  - ellipsoid: semi-major axes within 1e-4 m (a tenth of a millimetre: texts write axes
//    with millimetres at most, so anything larger is another ellipsoid), inverse
//    flattenings within 1e-9 relative (an ellipsoid given by its semi-minor axis written
//    with 15 digits of inverse flattening agrees to about 1e-15), a sphere only with a
//    sphere;
//  - prime meridian: longitudes within 1e-7 degree (ESRI writes the Paris meridian as
//    2.33722917 degrees where EPSG has 2.5969213 grads, 3e-9 degrees apart; ESRI writes a
//    prime meridian in degrees whatever the unit of its system, which is taken into
//    account);
//  - units: factors within 1e-12 relative (15 written digits of a factor agree to 1e-15);
//  - method: the same after the GDAL, ESRI and EPSG names are mapped to one; variants are
//    told apart by their parameters (ESRI's Lambert_Conformal_Conic is the one-parallel
//    method when it has one parallel and a scale factor; a Mercator by its standard parallel
//    is the Mercator by the scale factor that parallel gives on the ellipsoid; a polar
//    stereographic is variant A at a pole and variant B elsewhere; an oblique Mercator
//    without a rectified grid angle has the angle of its azimuth);
//  - parameters: equal after name mapping and unit conversion, within 1e-9 relative, or
//    1e-9 degree, 1 mm or 1e-9 of a scale absolute where a value is zero; a parameter
//    that is not written has its method's default (0, or 1 for a scale factor); the two
//    standard parallels in either order where the method is symmetric in them (Albers,
//    Lambert conic 2SP);
//  - datum: equal when both names map to the same EPSG datum, unequal when both map to
//    different ones; when a name maps to none, the datum matches by its ellipsoid (and, when
//    both sides state a non-zero shift to WGS 84, by that shift, 1e-6 m and 1e-9 of a
//    second or of a ppm); an unknown vertical datum matches every vertical datum;
//  - axes: compared only where both sides state them (the reader's default axes state
//    nothing); the order of a geographic system's axes never makes two systems differ.
#ifndef QUARN_EQUIVALENT_H
#define QUARN_EQUIVALENT_H

#include <quarn/model/Export.h>
#include <quarn/model/Model.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarn {

enum class MeaningKind : std::uint8_t {
    None,         // a system the meaning does not describe (local, fitted, ...)
    Geographic,   // two-dimensional
    Geographic3D, // with an ellipsoidal height (ESRI's GEOGCS closed by LINUNIT)
    Projected,
    Geocentric,
    Vertical,
    Compound
};

// The parameters of a projection by what they mean, whatever a dialect calls them.
enum ProjectionRole : std::uint8_t {
    kRoleLatitudeOfOrigin, // also of the centre, of the false origin, of the projection centre
    kRoleLongitudeOfOrigin,
    kRoleScaleFactor,
    kRoleFalseEasting,
    kRoleFalseNorthing,
    kRoleStandardParallel1,
    kRoleStandardParallel2,
    kRoleAzimuth,            // of the initial line; Krovak's co-latitude of the cone axis
    kRoleRectifiedGridAngle, // ESRI's XY_Plane_Rotation
    kRolePseudoParallel,     // Krovak's pseudo standard parallel
    kRolePlaneHeight,        // the projection plane's height (Colombia urban)
    kProjectionRoleCount
};

struct Meaning {
    MeaningKind kind = MeaningKind::None;
    std::string nameKey; // the system's name as NameKey spells it

    // Geodetic part: geographic, projected (its geographic system), geocentric, 3D.
    int datumCode = 0;              // the EPSG datum its name maps to; 0 when the name is unknown
    std::string datumKey;           // the datum's name as DatumNameKey spells it
    double semiMajorAxis = 0.0;     // metres
    double inverseFlattening = 0.0; // 0 for a sphere
    double primeMeridian = 0.0;     // degrees east of Greenwich
    double primeMeridianWritten = 0.0; // the number written, in case it means degrees
    double shift[7] = {};              // to WGS 84: metres, seconds, ppm; all 0 when none
    double angularUnit = 0.0;          // radians per unit (geographic systems)

    // Projection (projected systems).
    int method = 0;        // EPSG method code; 0 when the method is not known by name
    std::string methodKey; // the method's name as NameKey spells it (for unknown methods)
    double parameters[kProjectionRoleCount] = {};                // degrees, metres or unity
    std::vector<std::pair<std::string, double>> otherParameters; // by name key, as written

    double linearUnit = 0.0; // metres per unit (projected, geocentric, vertical, 3D)

    // Vertical systems.
    int verticalDatumCode = 0;
    std::string verticalDatumKey;

    // Axis orientations (CS_AO_ codes), 0 where the text states none.
    std::int8_t axes[3] = {};

    // A compound system's head and tail.
    std::vector<Meaning> parts;
};

// The meaning of a coordinate system. False for an object that is not a geographic,
// projected, geocentric, vertical or compound system of such parts.
QUARN_API bool Describe(const CS_Info& system, Meaning& meaning);

// Whether two meanings describe the same system (the rules above).
QUARN_API bool Equivalent(const Meaning& a, const Meaning& b);

// Whether two objects describe the same coordinate system: Describe both and compare. False
// when either is not a system Describe takes.
QUARN_API bool Equivalent(const CS_Info& a, const CS_Info& b);

// Sets the projection of `meaning` from an EPSG method code and parameters by EPSG parameter
// code, values in degrees, metres and unity (a database's definition of a conversion).
// Parameters of codes that have no role are kept by the given names. The ellipsoid must be
// set first (the Mercator by its parallel needs it). False when the method is unknown.
QUARN_API bool SetEpsgProjection(Meaning& meaning, int methodCode, const int* parameterCodes,
                                 const double* values, const char* const* names, int count);

// The lookup key of a UTF-8 name: ASCII letters in lower case and digits, every other ASCII
// character dropped, characters beyond ASCII kept ("Grenada 1953" and "GRENADA_1953"
// meet).
QUARN_API std::string NameKey(std::string_view utf8);
// The key of a datum's name: ESRI's D_ prefix left out first.
QUARN_API std::string DatumNameKey(std::string_view utf8);

} // namespace quarn

#endif
