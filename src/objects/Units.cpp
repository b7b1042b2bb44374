#include <quarn/objects/Units.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {

thread_local WktClassState g_linearCompose;
thread_local WktClassState g_angularCompose;

// Both unit classes write UNIT["name",factor].
const wchar_t* FormatUnit(WktClassState& state, const wchar_t* name, double factor, wchar_t* buffer,
                          long limit) {
    WktComposer wkt(state, buffer, limit);
    wkt.Format(kUnitTemplate).Arg(name).Arg(factor);
    return wkt.Finish(buffer, limit);
}

} // namespace

// ---- CQuarnLinearUnit ---------------------------------------------------------------------

thread_local wchar_t CQuarnLinearUnit::m_WKT[quarn::kWktCapacity];

CQuarnLinearUnit::CQuarnLinearUnit() : m_factor(0.0) {}

CQuarnLinearUnit::CQuarnLinearUnit(const CQuarnLinearUnit& other) = default;

CQuarnLinearUnit::~CQuarnLinearUnit() = default;

CQuarnLinearUnit& CQuarnLinearUnit::operator=(const CQuarnLinearUnit& other) {
    CQuarnInfo::operator=(other);
    m_factor = other.GetMetersPerUnit();
    return *this;
}

unsigned char CQuarnLinearUnit::operator==(const CQuarnLinearUnit& other) const {
    return QuarnWithinTolerance(GetMetersPerUnit(), other.GetMetersPerUnit());
}

const wchar_t* CQuarnLinearUnit::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnLinearUnit::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatUnit(g_linearCompose, GetName(), GetMetersPerUnit(), buffer, limit);
}

// ---- CQuarnAngularUnit --------------------------------------------------------------------

thread_local wchar_t CQuarnAngularUnit::m_WKT[quarn::kWktCapacity];

CQuarnAngularUnit::CQuarnAngularUnit() : m_factor(0.0) {}

CQuarnAngularUnit::CQuarnAngularUnit(const CQuarnAngularUnit& other) = default;

CQuarnAngularUnit::~CQuarnAngularUnit() = default;

CQuarnAngularUnit& CQuarnAngularUnit::operator=(const CQuarnAngularUnit& other) {
    CQuarnInfo::operator=(other);
    m_factor = other.GetRadiansPerUnit();
    return *this;
}

unsigned char CQuarnAngularUnit::operator==(const CQuarnAngularUnit& other) const {
    return QuarnWithinTolerance(GetRadiansPerUnit(), other.GetRadiansPerUnit());
}

const wchar_t* CQuarnAngularUnit::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnAngularUnit::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatUnit(g_angularCompose, GetName(), GetRadiansPerUnit(), buffer, limit);
}
