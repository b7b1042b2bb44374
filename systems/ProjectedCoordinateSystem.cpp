#include "ProjectedCoordinateSystem.h"

#include "../model/ModuleSetup.h"
#include "../model/WktCompose.h"
#include "../model/WktTemplates.h"

namespace {
QuarnWktClassState g_compose;
constexpr long kAxisCount = 2;
} // namespace

wchar_t CQuarnProjectedCoordinateSystem::m_WKT[2048];

CQuarnProjectedCoordinateSystem::CQuarnProjectedCoordinateSystem()
    : m_envelope(), m_axes(), m_linearUnit(nullptr), m_geographic(nullptr), m_projection(nullptr) {}

CQuarnProjectedCoordinateSystem::CQuarnProjectedCoordinateSystem(
    const CQuarnProjectedCoordinateSystem& other) = default;

CQuarnProjectedCoordinateSystem::~CQuarnProjectedCoordinateSystem() = default;

CQuarnProjectedCoordinateSystem&
CQuarnProjectedCoordinateSystem::operator=(const CQuarnProjectedCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    SetDefaultEnvelope(other.GetDefaultEnvelope());
    for (long i = 0; i < kAxisCount; ++i)
        CopyAxisInfo(&m_axes[i], other.GetAxis(i));
    m_linearUnit = other.GetLinearUnit();
    m_geographic = other.GetGeographicCoordinateSystem();
    m_projection = other.GetProjection();
    return *this;
}

unsigned char
CQuarnProjectedCoordinateSystem::operator==(const CQuarnProjectedCoordinateSystem& other) const {
    for (long i = 0; i < kAxisCount; ++i) {
        if (!EqualAxisInfo(&m_axes[i], other.GetAxis(i))) return false;
    }
    if (m_linearUnit != other.GetLinearUnit()) return false;
    if (m_geographic != other.GetGeographicCoordinateSystem()) return false;
    return m_projection == other.GetProjection();
}

const CS_AxisInfo* CQuarnProjectedCoordinateSystem::GetAxis(long index) const {
    return (index >= 0 && index < kAxisCount) ? &m_axes[index] : nullptr;
}

const CS_HorizontalDatum* CQuarnProjectedCoordinateSystem::GetHorizontalDatum() const {
    return m_geographic != nullptr ? m_geographic->GetHorizontalDatum() : nullptr;
}

void CQuarnProjectedCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

void CQuarnProjectedCoordinateSystem::SetAxis(long index, const CQuarnAxisInfo* axis) {
    if (index >= 0 && index < kAxisCount) CopyAxisInfo(&m_axes[index], axis);
}

void CQuarnProjectedCoordinateSystem::SetLinearUnit(const CS_LinearUnit* unit) {
    // Projection files give the false origin in the system's own unit; the library keeps it
    // in metres. Only the first unit converts (the factory sets the unit once per axis), and
    // only while loading, so that values already in metres are never scaled twice. A null
    // unit has no factor to convert with and leaves the values alone.
    if (IsPrjLoading() && m_projection != nullptr && m_linearUnit == nullptr && unit != nullptr)
        ConvertFalseOriginToMetres(unit->GetMetersPerUnit());
    m_linearUnit = unit;
}

void CQuarnProjectedCoordinateSystem::ConvertFalseOriginToMetres(double metersPerUnit) const {
    const long count = m_projection->GetNumParameters();
    for (long i = 0; i < count; ++i) {
        const CS_ProjectionParameter* parameter = m_projection->GetParameter(i);
        if (parameter == nullptr) continue;
        if (QuarnEqualNoCase(parameter->name, L"false_easting") ||
            QuarnEqualNoCase(parameter->name, L"false_northing")) {
            // The projection is a registered object the factory created modifiable; the
            // change is meant to be seen by every system that shares it.
            const_cast<CS_ProjectionParameter*>(parameter)->value *= metersPerUnit;
        }
    }
}

const wchar_t* CQuarnProjectedCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

const wchar_t* CQuarnProjectedCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_LinearUnit* unit = GetLinearUnit();
    const CS_Projection* projection = GetProjection();
    const CS_GeographicCoordinateSystem* geographic = GetGeographicCoordinateSystem();
    QuarnWktComposer wkt(g_compose);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || unit == nullptr || projection == nullptr || geographic == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    // Child texts are appended as soon as they are returned (they live in shared buffers);
    // the geographic system's axes are consumed before this system's axes are written.
    wkt.Format(kQuarnWktProjected).Arg(GetName());
    wkt.Arg(geographic->GetWKT(nullptr));
    wkt.Arg(projection->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    for (const CQuarnAxisInfo& axis : m_axes)
        wkt.Format(kQuarnWktNext).Arg(axis.GetWKT());
    wkt.Text(kQuarnWktClose);
    return wkt.Finish(buffer, limit);
}
