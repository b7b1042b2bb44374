#include <quarn/systems/ProjectedCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"
#include <quarn/model/ModuleSetup.h>
#include <quarn/objects/Projection.h>

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
constexpr long kAxisCount = 2;
} // namespace

thread_local wchar_t CQuarnProjectedCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnProjectedCoordinateSystem::CQuarnProjectedCoordinateSystem()
    : m_envelope(), m_axes(), m_linearUnit(nullptr), m_geographic(nullptr), m_projection(nullptr) {}

CQuarnProjectedCoordinateSystem::CQuarnProjectedCoordinateSystem(
    const CQuarnProjectedCoordinateSystem& other) = default;

CQuarnProjectedCoordinateSystem::~CQuarnProjectedCoordinateSystem() = default;

CQuarnProjectedCoordinateSystem&
CQuarnProjectedCoordinateSystem::operator=(const CQuarnProjectedCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    SetDefaultEnvelope(other.GetDefaultEnvelope());
    QuarnCopyAxes(m_axes, other.m_axes, m_axisRecords);
    m_linearUnit = other.GetLinearUnit();
    m_geographic = other.GetGeographicCoordinateSystem();
    m_projection = other.GetProjection();
    return *this;
}

unsigned char
CQuarnProjectedCoordinateSystem::operator==(const CQuarnProjectedCoordinateSystem& other) const {
    if (!QuarnEqualAxes(m_axes, other.m_axes)) return false;
    if (m_linearUnit != other.GetLinearUnit()) return false;
    if (m_geographic != other.GetGeographicCoordinateSystem()) return false;
    return m_projection == other.GetProjection();
}

const CS_AxisInfo* CQuarnProjectedCoordinateSystem::GetAxis(long index) const {
    return m_axisRecords.Get(m_axes, index, Store());
}

const CS_HorizontalDatum* CQuarnProjectedCoordinateSystem::GetHorizontalDatum() const {
    return m_geographic != nullptr ? m_geographic->GetHorizontalDatum() : nullptr;
}

void CQuarnProjectedCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

void CQuarnProjectedCoordinateSystem::SetAxis(long index, const CQuarnAxisInfo* axis) {
    if (axis != nullptr) SetAxisRecord(index, *axis);
}

void CQuarnProjectedCoordinateSystem::SetAxisRecord(long index, const CS_AxisInfo& axis) {
    if (index < 0 || index >= kAxisCount) return;
    m_axes[index].Set(&axis, Store());
    m_axisRecords.Refresh(m_axes);
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
    // The projection is a registered object the factory created modifiable; the change is
    // meant to be seen by every system that shares it.
    const CS_Projection& projection = *m_projection;
    const long count = projection.GetNumParameters();
    for (long i = 0; i < count; ++i) {
        const wchar_t* name = CQuarnProjection::ParameterName(projection, i);
        if (name == nullptr || !(QuarnEqualNoCase(name, L"false_easting") ||
                                 QuarnEqualNoCase(name, L"false_northing")))
            continue;
        if (projection.GetObjectType() == kQuarnProjection) {
            auto& own =
                const_cast<CQuarnProjection&>(static_cast<const CQuarnProjection&>(projection));
            own.SetParameterValue(i, own.GetParameterValue(i) * metersPerUnit);
        } else {
            const_cast<CS_ProjectionParameter*>(projection.GetParameter(i))->value *= metersPerUnit;
        }
    }
}

const wchar_t* CQuarnProjectedCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnProjectedCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_LinearUnit* unit = GetLinearUnit();
    const CS_Projection* projection = GetProjection();
    const CS_GeographicCoordinateSystem* geographic = GetGeographicCoordinateSystem();
    WktComposer wkt(g_compose, buffer, limit);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || unit == nullptr || projection == nullptr || geographic == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    // Child texts are appended as soon as they are returned (they live in shared buffers);
    // the geographic system's axes are consumed before this system's axes are written.
    wkt.Format(kProjectedTemplate).Arg(GetName());
    wkt.Arg(geographic->GetWKT(nullptr));
    wkt.Arg(projection->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    for (const QuarnAxis& axis : m_axes)
        wkt.Format(kNextTemplate).Arg(axis.GetWKT());
    wkt.Text(kCloseTemplate);
    return wkt.Finish(buffer, limit);
}
