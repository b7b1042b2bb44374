#include <quarn/systems/VerticalCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"
#include <quarn/objects/Datums.h>

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
} // namespace

thread_local wchar_t CQuarnVerticalCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnVerticalCoordinateSystem::CQuarnVerticalCoordinateSystem()
    : m_envelope(), m_axis(), m_unit(nullptr), m_datum(nullptr) {}

CQuarnVerticalCoordinateSystem::CQuarnVerticalCoordinateSystem(
    const CQuarnVerticalCoordinateSystem& other) = default;

CQuarnVerticalCoordinateSystem::~CQuarnVerticalCoordinateSystem() = default;

CQuarnVerticalCoordinateSystem&
CQuarnVerticalCoordinateSystem::operator=(const CQuarnVerticalCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    CopyEnvelope(&m_envelope, other.GetDefaultEnvelope());
    m_unit = other.GetVerticalUnit();
    QuarnCopyAxes(m_axis, other.m_axis, m_axisRecords);
    m_datum = other.GetVerticalDatum();
    return *this;
}

unsigned char
CQuarnVerticalCoordinateSystem::operator==(const CQuarnVerticalCoordinateSystem& other) const {
    if (m_unit != other.GetVerticalUnit()) return false;
    if (!QuarnEqualAxes(m_axis, other.m_axis)) return false;
    return m_datum == other.GetVerticalDatum();
}

const CS_AxisInfo* CQuarnVerticalCoordinateSystem::GetAxis(long index) const {
    return m_axisRecords.Get(m_axis, index, Store());
}

long CQuarnVerticalCoordinateSystem::GetHeightType() const {
    return (m_datum != nullptr && m_datum->GetDatumType() == kQuarnDatumEllipsoidal) ? 1 : 2;
}

void CQuarnVerticalCoordinateSystem::SetAxis(long index, const CQuarnAxisInfo* axis) {
    if (axis != nullptr) SetAxisRecord(index, *axis);
}

void CQuarnVerticalCoordinateSystem::SetAxisRecord(long index, const CS_AxisInfo& axis) {
    if (index != 0) return;
    m_axis[0].Set(&axis, Store());
    m_axisRecords.Refresh(m_axis);
}

const wchar_t* CQuarnVerticalCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnVerticalCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_VerticalDatum* datum = GetVerticalDatum();
    const CS_Unit* unit = GetUnits(0);
    WktComposer wkt(g_compose, buffer, limit);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || datum == nullptr || unit == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    wkt.Format(kVerticalTemplate).Arg(GetName());
    wkt.Arg(datum->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    wkt.Arg(m_axis[0].GetWKT());
    return wkt.Finish(buffer, limit);
}
