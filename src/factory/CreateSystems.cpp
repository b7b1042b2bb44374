// The create operations of the factory for coordinate systems. Each builds a new system,
// fills it in a fixed order, and hands out the first registered system equal to it
// (destroying the new one) or registers the new one.
#include "factory/Canonical.h"
#include <quarn/factory/Factory.h>

#include <quarn/model/ModuleSetup.h>
#include <quarn/systems/CompoundCoordinateSystem.h>
#include <quarn/systems/FittedCoordinateSystems.h>
#include <quarn/systems/GeocentricCoordinateSystem.h>
#include <quarn/systems/GeographicCoordinateSystem.h>
#include <quarn/systems/LocalCoordinateSystem.h>
#include <quarn/systems/ProjectedCoordinateSystem.h>
#include <quarn/systems/VerticalCoordinateSystem.h>

using namespace quarn::detail;

const CS_GeographicCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateGeographicCoordinateSystem(
    const wchar_t* name, const CS_AngularUnit* unit, const CS_HorizontalDatum* datum,
    const CS_PrimeMeridian* primeMeridian, const CS_AxisInfo& axis0, const CS_AxisInfo& axis1) {
    std::unique_ptr<CQuarnGeographicCoordinateSystem> system =
        NewInStore<CQuarnGeographicCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetAngularUnit(unit);
    system->SetHorizontalDatum(datum);
    system->SetPrimeMeridian(primeMeridian);
    system->SetAxis(0, &axis0);
    system->SetAxis(1, &axis1);
    return Canonical(*this, std::move(system));
}

const CS_GeocentricCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateGeocentricCoordinateSystem(
    const wchar_t* name, const CS_LinearUnit* unit, const CS_HorizontalDatum* datum,
    const CS_PrimeMeridian* primeMeridian, const CS_AxisInfo& axis0, const CS_AxisInfo& axis1,
    const CS_AxisInfo& axis2) {
    std::unique_ptr<CQuarnGeocentricCoordinateSystem> system =
        NewInStore<CQuarnGeocentricCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetLinearUnit(unit);
    system->SetHorizontalDatum(datum);
    system->SetPrimeMeridian(primeMeridian);
    system->SetAxis(0, &axis0);
    system->SetAxis(1, &axis1);
    system->SetAxis(2, &axis2);
    return Canonical(*this, std::move(system));
}

const CS_ProjectedCoordinateSystem* CQuarnCoordinateSystemFactory::CreateProjectedCoordinateSystem(
    const wchar_t* name, const CS_GeographicCoordinateSystem* geographic,
    const CS_Projection* projection, const CS_LinearUnit* unit, const CS_AxisInfo& axis0,
    const CS_AxisInfo& axis1) {
    std::unique_ptr<CQuarnProjectedCoordinateSystem> system =
        NewInStore<CQuarnProjectedCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetGeographicCoordinateSystem(geographic);
    system->SetProjection(projection);
    system->SetUnits(0, unit);
    system->SetUnits(1, unit);
    // While loading, the first unit converted the registered projection's false origin to
    // metres: the projections' equality lookup must see it by its new values.
    if (IsPrjLoading() && projection != nullptr && unit != nullptr)
        GetProductLine(kQuarnProjection).Index().ForgetEqual();
    system->SetAxisRecord(0, axis0);
    system->SetAxisRecord(1, axis1);
    // While projection files are loaded, an equal projection registered earlier serves
    // instead of the given one.
    if (IsPrjLoading()) {
        if (const CS_Projection* equal = FindEqualProjection(projection))
            system->SetProjection(equal);
    }

    // Unlike every other kind, an equal registered system takes the requested name.
    const CQuarnInfoArray& line = GetProductLine(kQuarnProjectedCS);
    int equal = FindEqualAt(line, *system);
    if (equal >= 0) {
        line.Index().Rename(line, equal, name);
        return static_cast<CQuarnProjectedCoordinateSystem*>(line.GetAt(equal));
    }
    return RegisterCandidate(*this, std::move(system));
}

const CS_VerticalCoordinateSystem* CQuarnCoordinateSystemFactory::CreateVerticalCoordinateSystem(
    const wchar_t* name, const CS_VerticalDatum* datum, const CS_LinearUnit* unit,
    const CS_AxisInfo& axis) {
    std::unique_ptr<CQuarnVerticalCoordinateSystem> system =
        NewInStore<CQuarnVerticalCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetVerticalDatum(datum);
    system->SetAxisRecord(0, axis);
    system->SetUnits(0, unit);
    return Canonical(*this, std::move(system));
}

const CS_CompoundCoordinateSystem* CQuarnCoordinateSystemFactory::CreateCompoundCoordinateSystem(
    const wchar_t* name, const CS_CoordinateSystem* head, const CS_CoordinateSystem* tail) {
    std::unique_ptr<CQuarnCompoundCoordinateSystem> system =
        NewInStore<CQuarnCompoundCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetHeadCS(head);
    system->SetTailCS(tail);
    return Canonical(*this, std::move(system));
}

const CS_LocalCoordinateSystem* CQuarnCoordinateSystemFactory::CreateLocalCoordinateSystem(
    const wchar_t* name, const CS_LocalDatum* datum, const CS_Unit* unit,
    const CBASESequence<CS_AxisInfo, 3>& axes) {
    std::unique_ptr<CQuarnLocalCoordinateSystem> system =
        NewInStore<CQuarnLocalCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetLocalDatum(datum);
    system->SetUnit(unit);
    // The system has room for three axes; further axes of the list are dropped.
    long dimension = axes.GetSize() > 3 ? 3 : axes.GetSize();
    system->SetDimension(dimension);
    for (long i = 0; i < dimension; ++i)
        system->SetAxis(i, &axes[i]);
    return Canonical(*this, std::move(system));
}

const CS_FittedCoordinateSystem* CQuarnCoordinateSystemFactory::CreateFittedCoordinateSystem(
    const wchar_t* name, const CS_CoordinateSystem* base, const wchar_t* /*toBase*/,
    const CBASESequence<CS_AxisInfo, 3>& axes) {
    // A fitted system of this kind is a vertical one with no correction: the to-base text
    // has no parameters the library could take over.
    std::unique_ptr<CQuarnFittedVerticalCoordinateSystem> system =
        NewInStore<CQuarnFittedVerticalCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetBaseCoordinateSystem(base);
    if (axes.GetSize() >= 1) system->SetAxis(0, &axes[0]);
    return Canonical(*this, std::move(system));
}

const CS_FittedCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateFittedHorizontalCoordinateSystem(
    const wchar_t* name, const CS_CoordinateSystem* base, double e0, double n0, double k, double de,
    double dn, double beta) {
    std::unique_ptr<CQuarnFittedHorizontalCoordinateSystem> system =
        NewInStore<CQuarnFittedHorizontalCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetBaseCoordinateSystem(base);
    system->SetE0(e0);
    system->SetN0(n0);
    system->SetK(k);
    system->SetDE(de);
    system->SetDN(dn);
    system->SetBeta(beta);
    return Canonical(*this, std::move(system));
}

const CS_FittedCoordinateSystem*
CQuarnCoordinateSystemFactory::CreateFittedVerticalCoordinateSystem(const wchar_t* name,
                                                                    const CS_CoordinateSystem* base,
                                                                    double dH, double gl, double gg,
                                                                    double l0, double g0) {
    std::unique_ptr<CQuarnFittedVerticalCoordinateSystem> system =
        NewInStore<CQuarnFittedVerticalCoordinateSystem>(m_objects);
    if (!system) return nullptr;
    system->SetName(name);
    system->SetBaseCoordinateSystem(base);
    system->SetdH(dH);
    system->SetGl(gl);
    system->SetGg(gg);
    system->SetL0(l0);
    system->SetG0(g0);
    return Canonical(*this, std::move(system));
}
