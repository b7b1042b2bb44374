#include "GeocentricCoordinateSystem.h"

#include "../model/WktCompose.h"
#include "../model/WktTemplates.h"

namespace {
QuarnWktClassState g_compose;
constexpr long kAxisCount = 3;
} // namespace

wchar_t CQuarnGeocentricCoordinateSystem::m_WKT[2048];

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
    for (long i = 0; i < kAxisCount; ++i)
        SetAxis(i, other.GetAxis(i));
    m_datum = other.GetHorizontalDatum();
    return *this;
}

unsigned char
CQuarnGeocentricCoordinateSystem::operator==(const CQuarnGeocentricCoordinateSystem& other) const {
    if (CompareBaseNames(GetName(), other.GetName()) != 0) return false;
    if (m_primeMeridian != other.GetPrimeMeridian()) return false;
    if (m_linearUnit != other.GetLinearUnit()) return false;
    for (long i = 0; i < kAxisCount; ++i) {
        if (!EqualAxisInfo(&m_axes[i], other.GetAxis(i))) return false;
    }
    return m_datum == other.GetHorizontalDatum();
}

const CS_AxisInfo* CQuarnGeocentricCoordinateSystem::GetAxis(long index) const {
    return (index >= 0 && index < kAxisCount) ? &m_axes[index] : nullptr;
}

void CQuarnGeocentricCoordinateSystem::SetDefaultEnvelope(const PT_Envelope* envelope) {
    CopyEnvelope(&m_envelope, envelope);
}

void CQuarnGeocentricCoordinateSystem::SetAxis(long index, const CS_AxisInfo* axis) {
    if (index >= 0 && index < kAxisCount) CopyAxisInfo(&m_axes[index], axis);
}

const wchar_t* CQuarnGeocentricCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

const wchar_t* CQuarnGeocentricCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    const CS_LinearUnit* unit = GetLinearUnit();
    const CS_PrimeMeridian* primeMeridian = GetPrimeMeridian();
    const CS_HorizontalDatum* datum = GetHorizontalDatum();
    QuarnWktComposer wkt(g_compose);
    // A system without its children cannot be written: the element comes out empty.
    if (wkt.Failed() || unit == nullptr || primeMeridian == nullptr || datum == nullptr)
        return wkt.Fail().Finish(buffer, limit);

    // Child texts are appended as soon as they are returned (they live in shared buffers).
    // The prime meridian gets no unit here, so it is written in degrees.
    wkt.Format(kQuarnWktGeocentric).Arg(GetName());
    wkt.Arg(datum->GetWKT(nullptr));
    wkt.Arg(primeMeridian->GetWKT(nullptr));
    wkt.Arg(unit->GetWKT(nullptr));
    for (const CQuarnAxisInfo& axis : m_axes)
        wkt.Format(kQuarnWktNext).Arg(axis.GetWKT());
    wkt.Text(kQuarnWktClose);
    return wkt.Finish(buffer, limit);
}
