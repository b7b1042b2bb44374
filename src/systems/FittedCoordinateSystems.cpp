#include <quarn/model/Constants.h>
#include <quarn/systems/FittedCoordinateSystems.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {

thread_local WktClassState g_horizontalCompose;
thread_local WktClassState g_verticalCompose;

double Degrees(double radians) {
    return radians * 180.0 / quarn::kPi;
}

// Writes a PARAM_MT element: its template filled with the values in order. Composed in
// its own local area, so it never disturbs a class-wide buffer.
template <int N>
const wchar_t* FormatParamMT(const WktTemplate& pattern, const double (&values)[N], wchar_t* buffer,
                             long limit) {
    WktClassState local;
    local.busy = false;
    local.direct = nullptr;
    WktComposer wkt(local, buffer, limit);
    wkt.Format(pattern);
    for (double value : values)
        wkt.Arg(value);
    return wkt.Finish(buffer, limit);
}

// Writes FITTED_CS["name",<PARAM_MT>,<base>]. `transformation` writes the PARAM_MT text
// into the class's result buffer; it is appended at once, before the base is asked for its
// text, so nothing can overwrite it in between (a base of the same class is refused by the
// composer and embeds as "").
template <class Transformation>
const wchar_t* FormatFitted(WktClassState& state, const wchar_t* name,
                            const CS_CoordinateSystem* base, Transformation transformation,
                            wchar_t* buffer, long limit) {
    // Composed in the class's buffer, not straight into `buffer`: the PARAM_MT text may lie
    // there.
    WktComposer wkt(state);
    // A fitted system without its base cannot be written: the element comes out empty.
    if (wkt.Failed() || base == nullptr) return wkt.Fail().Finish(buffer, limit);
    wkt.Format(kFittedTemplate).Arg(name);
    wkt.Arg(transformation());
    wkt.Arg(base->GetWKT(nullptr));
    return wkt.Finish(buffer, limit);
}

} // namespace

// ---- CQuarnFittedCoordinateSystem ---------------------------------------------------------

CQuarnFittedCoordinateSystem::CQuarnFittedCoordinateSystem() : m_base(nullptr), m_axis() {}

CQuarnFittedCoordinateSystem::CQuarnFittedCoordinateSystem(
    const CQuarnFittedCoordinateSystem& other) = default;

CQuarnFittedCoordinateSystem::~CQuarnFittedCoordinateSystem() = default;

CQuarnFittedCoordinateSystem&
CQuarnFittedCoordinateSystem::operator=(const CQuarnFittedCoordinateSystem& other) {
    CQuarnInfo::operator=(other);
    m_base = other.GetBaseCoordinateSystem();
    return *this;
}

long CQuarnFittedCoordinateSystem::GetDimension() const {
    return m_base != nullptr ? m_base->GetDimension() : 0;
}

const PT_Envelope* CQuarnFittedCoordinateSystem::GetDefaultEnvelope() const {
    return m_base != nullptr ? m_base->GetDefaultEnvelope() : nullptr;
}

const CS_AxisInfo* CQuarnFittedCoordinateSystem::GetAxis(long index) const {
    return m_base != nullptr ? m_base->GetAxis(index) : nullptr;
}

const CS_Unit* CQuarnFittedCoordinateSystem::GetUnits(long index) const {
    return m_base != nullptr ? m_base->GetUnits(index) : nullptr;
}

void CQuarnFittedCoordinateSystem::SetAxis(long index, const CS_AxisInfo* axis) {
    if (index == 0) m_axis.Set(axis, Store());
}

// ---- CQuarnFittedHorizontalCoordinateSystem -----------------------------------------------

thread_local wchar_t CQuarnFittedHorizontalCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnFittedHorizontalCoordinateSystem::CQuarnFittedHorizontalCoordinateSystem()
    : m_e0(0.0), m_n0(0.0), m_k(0.0), m_de(0.0), m_dn(0.0), m_beta(0.0) {}

CQuarnFittedHorizontalCoordinateSystem::CQuarnFittedHorizontalCoordinateSystem(
    const CQuarnFittedHorizontalCoordinateSystem& other) = default;

CQuarnFittedHorizontalCoordinateSystem::~CQuarnFittedHorizontalCoordinateSystem() = default;

CQuarnFittedHorizontalCoordinateSystem& CQuarnFittedHorizontalCoordinateSystem::operator=(
    const CQuarnFittedHorizontalCoordinateSystem& other) {
    CQuarnFittedCoordinateSystem::operator=(other);
    m_e0 = other.m_e0;
    m_n0 = other.m_n0;
    m_k = other.m_k;
    m_de = other.m_de;
    m_dn = other.m_dn;
    m_beta = other.m_beta;
    return *this;
}

unsigned char CQuarnFittedHorizontalCoordinateSystem::operator==(
    const CQuarnFittedHorizontalCoordinateSystem& other) const {
    return GetBaseCoordinateSystem() == other.GetBaseCoordinateSystem() &&
           QuarnWithinTolerance(m_e0, other.m_e0) && QuarnWithinTolerance(m_n0, other.m_n0) &&
           QuarnWithinTolerance(m_k, other.m_k) && QuarnWithinTolerance(m_de, other.m_de) &&
           QuarnWithinTolerance(m_dn, other.m_dn) && QuarnWithinTolerance(m_beta, other.m_beta);
}

double CQuarnFittedHorizontalCoordinateSystem::GetAzimuth() const {
    const CS_CoordinateSystem* base = GetBaseCoordinateSystem();
    return base != nullptr ? base->GetAzimuth() + m_beta : 0.0;
}

const wchar_t*
CQuarnFittedHorizontalCoordinateSystem::GetLocalGridTransformation(wchar_t* buffer,
                                                                   long limit) const {
    const double values[6] = {m_e0, m_n0, m_k, m_de, m_dn, Degrees(m_beta)};
    return FormatParamMT(kLocalGridTemplate, values, buffer, limit);
}

const wchar_t* CQuarnFittedHorizontalCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnFittedHorizontalCoordinateSystem::FormatWKT(wchar_t* buffer,
                                                                 long limit) const {
    return FormatFitted(
        g_horizontalCompose, GetName(), GetBaseCoordinateSystem(),
        [this] { return GetLocalGridTransformation(m_WKT, quarn::kWktCapacity); }, buffer, limit);
}

// ---- CQuarnFittedVerticalCoordinateSystem -------------------------------------------------

thread_local wchar_t CQuarnFittedVerticalCoordinateSystem::m_WKT[quarn::kWktCapacity];

CQuarnFittedVerticalCoordinateSystem::CQuarnFittedVerticalCoordinateSystem()
    : m_dh(0.0), m_gl(0.0), m_gg(0.0), m_l0(0.0), m_g0(0.0) {}

CQuarnFittedVerticalCoordinateSystem::CQuarnFittedVerticalCoordinateSystem(
    const CQuarnFittedVerticalCoordinateSystem& other) = default;

CQuarnFittedVerticalCoordinateSystem::~CQuarnFittedVerticalCoordinateSystem() = default;

CQuarnFittedVerticalCoordinateSystem&
CQuarnFittedVerticalCoordinateSystem::operator=(const CQuarnFittedVerticalCoordinateSystem& other) {
    CQuarnFittedCoordinateSystem::operator=(other);
    m_dh = other.m_dh;
    m_gl = other.m_gl;
    m_gg = other.m_gg;
    m_l0 = other.m_l0;
    m_g0 = other.m_g0;
    return *this;
}

unsigned char CQuarnFittedVerticalCoordinateSystem::operator==(
    const CQuarnFittedVerticalCoordinateSystem& other) const {
    return GetBaseCoordinateSystem() == other.GetBaseCoordinateSystem() &&
           QuarnWithinTolerance(m_dh, other.m_dh) && QuarnWithinTolerance(m_gl, other.m_gl) &&
           QuarnWithinTolerance(m_gg, other.m_gg) && QuarnWithinTolerance(m_l0, other.m_l0) &&
           QuarnWithinTolerance(m_g0, other.m_g0);
}

const wchar_t*
CQuarnFittedVerticalCoordinateSystem::GetLinearCorrectionTransformation(wchar_t* buffer,
                                                                        long limit) const {
    const double values[5] = {m_dh, m_gl, m_gg, Degrees(m_l0), Degrees(m_g0)};
    return FormatParamMT(kLinearCorrectionTemplate, values, buffer, limit);
}

const wchar_t* CQuarnFittedVerticalCoordinateSystem::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnFittedVerticalCoordinateSystem::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatFitted(
        g_verticalCompose, GetName(), GetBaseCoordinateSystem(),
        [this] { return GetLinearCorrectionTransformation(m_WKT, quarn::kWktCapacity); }, buffer,
        limit);
}
