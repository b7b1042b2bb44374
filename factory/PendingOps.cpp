// Create operations whose object classes are not built yet: they answer null until then.
#include "Factory.h"

const CS_CoordinateSystem* CQuarnCoordinateSystemFactory::CreateFromWKT(const wchar_t*) {
    return nullptr;
}
const CS_CompoundCoordinateSystem* CQuarnCoordinateSystemFactory::CreateCompoundCoordinateSystem(
    const wchar_t*, const CS_CoordinateSystem*, const CS_CoordinateSystem*) {
    return nullptr;
}
const CS_FittedCoordinateSystem* CQuarnCoordinateSystemFactory::CreateFittedCoordinateSystem(
    const wchar_t*, const CS_CoordinateSystem*, const wchar_t*,
    const CBASESequence<CS_AxisInfo, 3>&) {
    return nullptr;
}
const CS_LocalCoordinateSystem* CQuarnCoordinateSystemFactory::CreateLocalCoordinateSystem(
    const wchar_t*, const CS_LocalDatum*, const CS_Unit*, const CBASESequence<CS_AxisInfo, 3>&) {
    return nullptr;
}
const CS_Ellipsoid* CQuarnCoordinateSystemFactory::CreateEllipsoid(const wchar_t*, double, double,
                                                                   const CS_LinearUnit*) {
    return nullptr;
}
const CS_Ellipsoid* CQuarnCoordinateSystemFactory::CreateFlattenedSphere(const wchar_t*, double,
                                                                         double,
                                                                         const CS_LinearUnit*) {
    return nullptr;
}
const CS_ProjectedCoordinateSystem* CQuarnCoordinateSystemFactory::CreateProjectedCoordinateSystem(
    const wchar_t*, const CS_GeographicCoordinateSystem*, const CS_Projection*,
    const CS_LinearUnit*, const CS_AxisInfo&, const CS_AxisInfo&) {
    return nullptr;
}
const CS_Projection*
CQuarnCoordinateSystemFactory::CreateProjection(const wchar_t*, const wchar_t*,
                                                const CBASESequence<CS_ProjectionParameter, 11>&) {
    return nullptr;
}
const CS_HorizontalDatum* CQuarnCoordinateSystemFactory::CreateHorizontalDatum(
    const wchar_t*, long, const CS_Ellipsoid*, const CS_WGS84ConversionInfo&, const CS_3DIMInfo&) {
    return nullptr;
}
const CS_PrimeMeridian*
CQuarnCoordinateSystemFactory::CreatePrimeMeridian(const wchar_t*, const CS_AngularUnit*, double) {
    return nullptr;
}
const CS_GeographicCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateGeographicCoordinateSystem(
    const wchar_t*, const CS_AngularUnit*, const CS_HorizontalDatum*, const CS_PrimeMeridian*,
    const CS_AxisInfo&, const CS_AxisInfo&) {
    return nullptr;
}
const CS_LocalDatum* CQuarnCoordinateSystemFactory::CreateLocalDatum(const wchar_t*, long) {
    return nullptr;
}
const CS_VerticalDatum* CQuarnCoordinateSystemFactory::CreateVerticalDatum(const wchar_t*, long) {
    return nullptr;
}
const CS_VerticalCoordinateSystem* CQuarnCoordinateSystemFactory::CreateVerticalCoordinateSystem(
    const wchar_t*, const CS_VerticalDatum*, const CS_LinearUnit*, const CS_AxisInfo&) {
    return nullptr;
}
const CS_FittedCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateFittedHorizontalCoordinateSystem(const wchar_t*,
                                                                      const CS_CoordinateSystem*,
                                                                      double, double, double,
                                                                      double, double, double) {
    return nullptr;
}
const CS_FittedCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateFittedVerticalCoordinateSystem(const wchar_t*,
                                                                    const CS_CoordinateSystem*,
                                                                    double, double, double, double,
                                                                    double) {
    return nullptr;
}
const CS_GeocentricCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateGeocentricCoordinateSystem(
    const wchar_t*, const CS_LinearUnit*, const CS_HorizontalDatum*, const CS_PrimeMeridian*,
    const CS_AxisInfo&, const CS_AxisInfo&, const CS_AxisInfo&) {
    return nullptr;
}
const CS_Projection*
CQuarnCoordinateSystemFactory::FindEqualProjection(const CS_Projection*) const {
    return nullptr;
}
