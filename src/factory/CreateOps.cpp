// The create operations of the factory for units, ellipsoids, prime meridians, projections
// and datums (coordinate systems: CreateSystems.cpp). Each builds a new object, fills it in a fixed
// order, and hands out the first registered object equal to it (destroying the new one) or
// registers the new one (Canonical).
#include "factory/Canonical.h"
#include "factory/DatumRules.h"
#include <quarn/factory/Factory.h>

#include <quarn/model/ModuleSetup.h>
#include <quarn/objects/Datums.h>
#include <quarn/objects/Ellipsoid.h>
#include <quarn/objects/PrimeMeridian.h>
#include <quarn/objects/Projection.h>
#include <quarn/objects/Units.h>

#include <cwchar>

using namespace quarn::detail;

const CS_CoordinateSystem* CQuarnCoordinateSystemFactory::CreateFromXML(const wchar_t*) {
    return nullptr;
}

// ---- Units, ellipsoids, prime meridians ---------------------------------------------------

const CS_LinearUnit* CQuarnCoordinateSystemFactory::CreateLinearUnit(const wchar_t* name,
                                                                     double metersPerUnit) {
    std::unique_ptr<CQuarnLinearUnit> unit = NewInStore<CQuarnLinearUnit>(m_objects);
    if (!unit) return nullptr;
    unit->SetName(name);
    unit->SetMetersPerUnit(metersPerUnit);
    return Canonical(*this, std::move(unit));
}

const CS_AngularUnit* CQuarnCoordinateSystemFactory::CreateAngularUnit(const wchar_t* name,
                                                                       double radiansPerUnit) {
    std::unique_ptr<CQuarnAngularUnit> unit = NewInStore<CQuarnAngularUnit>(m_objects);
    if (!unit) return nullptr;
    // While projection files are loaded their "Degree" is the library's "Degrees".
    if (IsPrjLoading() && name != nullptr && std::wcscmp(name, L"Degree") == 0) name = L"Degrees";
    unit->SetName(name);
    unit->SetRadiansPerUnit(radiansPerUnit);
    return Canonical(*this, std::move(unit));
}

const CS_Ellipsoid* CQuarnCoordinateSystemFactory::CreateEllipsoid(const wchar_t* name,
                                                                   double semiMajorAxis,
                                                                   double semiMinorAxis,
                                                                   const CS_LinearUnit* unit) {
    std::unique_ptr<CQuarnEllipsoid> ellipsoid = NewInStore<CQuarnEllipsoid>(m_objects);
    if (!ellipsoid) return nullptr;
    if (unit != nullptr) {
        semiMajorAxis *= unit->GetMetersPerUnit();
        semiMinorAxis *= unit->GetMetersPerUnit();
    }
    ellipsoid->SetName(name);
    ellipsoid->SetSemiMajorAxis(semiMajorAxis);
    // Two equal axes give an infinite inverse flattening: a sphere, not an error.
    ellipsoid->SetInverseFlattening(semiMajorAxis / (semiMajorAxis - semiMinorAxis));
    return Canonical(*this, std::move(ellipsoid));
}

const CS_Ellipsoid*
CQuarnCoordinateSystemFactory::CreateFlattenedSphere(const wchar_t* name, double semiMajorAxis,
                                                     double inverseFlattening,
                                                     const CS_LinearUnit* unit) {
    std::unique_ptr<CQuarnEllipsoid> ellipsoid = NewInStore<CQuarnEllipsoid>(m_objects);
    if (!ellipsoid) return nullptr;
    if (unit != nullptr) semiMajorAxis *= unit->GetMetersPerUnit();
    ellipsoid->SetName(name);
    ellipsoid->SetSemiMajorAxis(semiMajorAxis);
    ellipsoid->SetInverseFlattening(inverseFlattening);
    return Canonical(*this, std::move(ellipsoid));
}

const CS_PrimeMeridian*
CQuarnCoordinateSystemFactory::CreatePrimeMeridian(const wchar_t* name, const CS_AngularUnit* unit,
                                                   double longitude) {
    std::unique_ptr<CQuarnPrimeMeridian> meridian = NewInStore<CQuarnPrimeMeridian>(m_objects);
    if (!meridian) return nullptr;
    if (unit != nullptr) longitude *= unit->GetRadiansPerUnit();
    meridian->SetName(name);
    meridian->SetLongitude(longitude);
    return Canonical(*this, std::move(meridian));
}

// ---- Projections --------------------------------------------------------------------------

const CS_Projection* CQuarnCoordinateSystemFactory::CreateProjection(
    const wchar_t* name, const wchar_t* className,
    const CBASESequence<CS_ProjectionParameter, 11>& parameters) {
    std::unique_ptr<CQuarnProjection> projection = NewInStore<CQuarnProjection>(m_objects);
    if (!projection) return nullptr;
    projection->SetName(name);
    // The parameters come first so that the class-name rules can look at them.
    long count = parameters.GetSize();
    projection->SetNumParameters(count);
    for (long i = 0; i < count; ++i)
        projection->SetParameter(i, &parameters[i]);
    projection->SetClassName(className);

    // A Transverse_Mercator_34 projection always carries "negative_easting"; with all eleven
    // places taken there is no room for it and it is not added.
    if (QuarnEqualNoCase(className, L"Transverse_Mercator_34") &&
        projection->GetParameter(L"negative_easting") == nullptr && count < 11) {
        CQuarnProjectionParameter negativeEasting;
        negativeEasting.SetName(L"negative_easting");
        negativeEasting.SetValue(0.0);
        projection->SetParameter(count, &negativeEasting);
        projection->SetNumParameters(count + 1);
    }
    return Canonical(*this, std::move(projection));
}

const CS_Projection*
CQuarnCoordinateSystemFactory::FindEqualProjection(const CS_Projection* projection) const {
    if (projection == nullptr || projection->GetObjectType() != kQuarnProjection) return nullptr;
    const CQuarnInfoArray& line = GetProductLine(kQuarnProjection);
    // The registered projection is the left side of the comparison.
    int equal =
        FindEqualAt(line, *static_cast<const CQuarnProjection*>(projection), projection, true);
    return equal < 0 ? nullptr : static_cast<const CQuarnProjection*>(line.GetAt(equal));
}

// ---- Datums -------------------------------------------------------------------------------

const CS_HorizontalDatum* CQuarnCoordinateSystemFactory::CreateHorizontalDatum(
    const wchar_t* name, long datumType, const CS_Ellipsoid* ellipsoid,
    const CS_WGS84ConversionInfo& shift, const CS_3DIMInfo& gridFiles) {
    std::unique_ptr<CQuarnHorizontalDatum> datum = NewInStore<CQuarnHorizontalDatum>(m_objects);
    if (!datum) return nullptr;
    datum->SetName(name);
    datum->SetDatumType(datumType);
    datum->SetEllipsoid(ellipsoid);
    if (IsPrjLoading()) {
        // Datums that arrive without a shift get the one of their name while projection
        // files are loaded.
        CQuarnWGS84ConversionInfo working;
        CopyWGS84ConversionInfo(&working, &shift);
        ApplyDatumNameRules(datum->GetName(), working);
        datum->SetWGS84Record(working);
    } else {
        datum->SetWGS84Record(shift);
    }
    datum->Set3DIMParameters(&gridFiles);
    return Canonical(*this, std::move(datum));
}

const CS_VerticalDatum* CQuarnCoordinateSystemFactory::CreateVerticalDatum(const wchar_t* name,
                                                                           long datumType) {
    std::unique_ptr<CQuarnVerticalDatum> datum = NewInStore<CQuarnVerticalDatum>(m_objects);
    if (!datum) return nullptr;
    datum->SetName(name);
    datum->SetDatumType(datumType);
    return Canonical(*this, std::move(datum));
}

const CS_LocalDatum* CQuarnCoordinateSystemFactory::CreateLocalDatum(const wchar_t* name,
                                                                     long datumType) {
    std::unique_ptr<CQuarnLocalDatum> datum = NewInStore<CQuarnLocalDatum>(m_objects);
    if (!datum) return nullptr;
    datum->SetName(name);
    datum->SetDatumType(datumType);
    return Canonical(*this, std::move(datum));
}
