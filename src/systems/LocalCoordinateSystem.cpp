#include <quarn/systems/LocalCoordinateSystem.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {
thread_local WktClassState g_compose;
constexpr long kAxisCount = 3;
} // namespace

thread_local wchar_t CQuarnLocalCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnLocalCoordinateSystem::CQuarnLocalCoordinateSystem()
    : m_envelope(), m_dimension(2), m_axes(), m_unit(nullptr), m_datum(nullptr) {}

CQuarnLocalCoordinateSystem::CQuarnLocalCoordinateSystem(const CQuarnLocalCoordinateSystem& other) =
    default;

CQuarnLocalCoordinateSystem::~CQuarnLocalCoordinateSystem() = default;

CQuarnLocalCoordinateSystem&
CQuarnLocalCoordinateSystem::operator=(const CQuarnLocalCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    SetDefaultEnvelope(other.GetDefaultEnvelope());
    m_unit = other.m_unit;
    m_dimension = other.GetDimension();
    QuarnCopyAxes(m_axes, other.m_axes, m_axisRecords, AxesInUse());
    m_datum = other.GetLocalDatum();
    return *this;
}

unsigned char
CQuarnLocalCoordinateSystem::operator==(const CQuarnLocalCoordinateSystem& other) const {
    if (m_unit != other.m_unit) return false;
    if (m_dimension != other.GetDimension()) return false;
    if (!QuarnEqualAxes(m_axes, other.m_axes, AxesInUse())) return false;
    return m_datum == other.GetLocalDatum();
}

long CQuarnLocalCoordinateSystem::AxesInUse() const {
    if (m_dimension < 0) return 0;
    return m_dimension < kAxisCount ? m_dimension : kAxisCount;
}

const CS_AxisInfo* CQuarnLocalCoordinateSystem::GetAxis(long index) const {
    return m_axisRecords.Get(m_axes, index, Store());
}

long CQuarnLocalCoordinateSystem::GetSystemType() const {
    // A dimension stored outside 1 to 3 must not overflow: the product wraps around.
    return static_cast<long>(static_cast<unsigned long>(GetDimension()) * 1000UL);
}

void CQuarnLocalCoordinateSystem::SetAxis(long index, const CS_AxisInfo* axis) {
    if (index < 0 || index >= kAxisCount) return;
    m_axes[index].Set(axis, Store());
    m_axisRecords.Refresh(m_axes);
}

void CQuarnLocalCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

const wchar_t* CQuarnLocalCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnLocalCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_LocalDatum* datum = GetLocalDatum();
    const CS_Unit* unit = GetUnits(0);
    WktComposer wkt(g_compose, buffer, limit);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || datum == nullptr || unit == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    wkt.Format(kLocalTemplate).Arg(GetName());
    wkt.Arg(datum->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    const long count = AxesInUse();
    for (long i = 0; i < count; ++i)
        wkt.Format(kNextTemplate).Arg(m_axes[i].GetWKT());
    wkt.Text(kCloseTemplate);
    return wkt.Finish(buffer, limit);
}
