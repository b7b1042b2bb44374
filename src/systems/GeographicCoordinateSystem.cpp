#include <quarn/systems/GeographicCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
constexpr long kAxisCount = 2;
} // namespace

thread_local wchar_t CQuarnGeographicCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnGeographicCoordinateSystem::CQuarnGeographicCoordinateSystem()
    : m_envelope(), m_axes(), m_primeMeridian(nullptr), m_angularUnit(nullptr), m_datum(nullptr) {}

CQuarnGeographicCoordinateSystem::CQuarnGeographicCoordinateSystem(
    const CQuarnGeographicCoordinateSystem& other) = default;

CQuarnGeographicCoordinateSystem::~CQuarnGeographicCoordinateSystem() = default;

CQuarnGeographicCoordinateSystem&
CQuarnGeographicCoordinateSystem::operator=(const CQuarnGeographicCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    SetDefaultEnvelope(other.GetDefaultEnvelope());
    m_primeMeridian = other.GetPrimeMeridian();
    m_angularUnit = other.GetAngularUnit();
    QuarnCopyAxes(m_axes, other.m_axes, m_axisRecords);
    m_datum = other.GetHorizontalDatum();
    return *this;
}

unsigned char
CQuarnGeographicCoordinateSystem::operator==(const CQuarnGeographicCoordinateSystem& other) const {
    if (m_primeMeridian != other.GetPrimeMeridian()) return false;
    if (m_angularUnit != other.GetAngularUnit()) return false;
    if (!QuarnEqualAxes(m_axes, other.m_axes)) return false;
    return m_datum == other.GetHorizontalDatum();
}

const CS_AxisInfo* CQuarnGeographicCoordinateSystem::GetAxis(long index) const {
    return m_axisRecords.Get(m_axes, index, Store());
}

const CS_WGS84ConversionInfo* CQuarnGeographicCoordinateSystem::GetWGS84ConversionInfo(long) const {
    return m_datum != nullptr ? m_datum->GetWGS84Parameters() : nullptr;
}

void CQuarnGeographicCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

void CQuarnGeographicCoordinateSystem::SetAxis(long index, const CS_AxisInfo* axis) {
    if (index < 0 || index >= kAxisCount) return;
    m_axes[index].Set(axis, Store());
    m_axisRecords.Refresh(m_axes);
}

const wchar_t* CQuarnGeographicCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnGeographicCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_AngularUnit* unit = GetAngularUnit();
    const CS_PrimeMeridian* primeMeridian = GetPrimeMeridian();
    const CS_HorizontalDatum* datum = GetHorizontalDatum();
    WktComposer wkt(g_compose, buffer, limit);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || unit == nullptr || primeMeridian == nullptr || datum == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    // Each child's text is appended as soon as it is returned: it lives in its class's
    // shared buffer and the next object of that class would overwrite it.
    wkt.Format(kGeographicTemplate).Arg(GetName());
    wkt.Arg(datum->GetWKT(nullptr));
    wkt.Arg(primeMeridian->GetWKT(unit));
    wkt.Arg(unit->GetWKT(nullptr));
    for (const QuarnAxis& axis : m_axes)
        wkt.Format(kNextTemplate).Arg(axis.GetWKT());
    wkt.Text(kCloseTemplate);
    return wkt.Finish(buffer, limit);
}
