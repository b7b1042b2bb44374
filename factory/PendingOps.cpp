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
const CS_ProjectedCoordinateSystem* CQuarnCoordinateSystemFactory::CreateProjectedCoordinateSystem(
    const wchar_t*, const CS_GeographicCoordinateSystem*, const CS_Projection*,
    const CS_LinearUnit*, const CS_AxisInfo&, const CS_AxisInfo&) {
    return nullptr;
}
const CS_GeographicCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateGeographicCoordinateSystem(
    const wchar_t*, const CS_AngularUnit*, const CS_HorizontalDatum*, const CS_PrimeMeridian*,
    const CS_AxisInfo&, const CS_AxisInfo&) {
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
