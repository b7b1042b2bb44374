#include <quarn/systems/GeocentricCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
constexpr long kAxisCount = 3;
} // namespace

thread_local wchar_t CQuarnGeocentricCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnGeocentricCoordinateSystem::CQuarnGeocentricCoordinateSystem()
    : m_envelope(), m_axes(), m_primeMeridian(nullptr), m_linearUnit(nullptr), m_datum(nullptr) {}

CQuarnGeocentricCoordinateSystem::CQuarnGeocentricCoordinateSystem(
    const CQuarnGeocentricCoordinateSystem& other) = default;

CQuarnGeocentricCoordinateSystem::~CQuarnGeocentricCoordinateSystem() = default;

CQuarnGeocentricCoordinateSystem&
CQuarnGeocentricCoordinateSystem::operator=(const CQuarnGeocentricCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    SetDefaultEnvelope(other.GetDefaultEnvelope());
    m_primeMeridian = other.GetPrimeMeridian();
    m_linearUnit = other.GetLinearUnit();
    QuarnCopyAxes(m_axes, other.m_axes, m_axisRecords);
    m_datum = other.GetHorizontalDatum();
    return *this;
}

unsigned char
CQuarnGeocentricCoordinateSystem::operator==(const CQuarnGeocentricCoordinateSystem& other) const {
    if (CompareBaseNames(GetName(), other.GetName()) != 0) return false;
    if (m_primeMeridian != other.GetPrimeMeridian()) return false;
    if (m_linearUnit != other.GetLinearUnit()) return false;
    if (!QuarnEqualAxes(m_axes, other.m_axes)) return false;
    return m_datum == other.GetHorizontalDatum();
}

const CS_AxisInfo* CQuarnGeocentricCoordinateSystem::GetAxis(long index) const {
    return m_axisRecords.Get(m_axes, index, Store());
}

void CQuarnGeocentricCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

void CQuarnGeocentricCoordinateSystem::SetAxis(long index, const CS_AxisInfo* axis) {
    if (index < 0 || index >= kAxisCount) return;
    m_axes[index].Set(axis, Store());
    m_axisRecords.Refresh(m_axes);
}

const wchar_t* CQuarnGeocentricCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnGeocentricCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_LinearUnit* unit = GetLinearUnit();
    const CS_PrimeMeridian* primeMeridian = GetPrimeMeridian();
    const CS_HorizontalDatum* datum = GetHorizontalDatum();
    WktComposer wkt(g_compose, buffer, limit);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || unit == nullptr || primeMeridian == nullptr || datum == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    // Child texts are appended as soon as they are returned (they live in shared buffers).
    // The prime meridian gets no unit here, so it is written in degrees.
    wkt.Format(kGeocentricTemplate).Arg(GetName());
    wkt.Arg(datum->GetWKT(nullptr));
    wkt.Arg(primeMeridian->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    for (const QuarnAxis& axis : m_axes)
        wkt.Format(kNextTemplate).Arg(axis.GetWKT());
    wkt.Text(kCloseTemplate);
    return wkt.Finish(buffer, limit);
}
