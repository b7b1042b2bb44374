#include <quarn/objects/Ellipsoid.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {
thread_local WktClassState g_ellipsoidCompose;
} // namespace

thread_local wchar_t CQuarnEllipsoid::m_WKT[quarn::kWktCapacity];

CQuarnEllipsoid::CQuarnEllipsoid() : m_semiMajorAxis(0.0), m_inverseFlattening(0.0) {}

CQuarnEllipsoid::CQuarnEllipsoid(const CQuarnEllipsoid& other) = default;

CQuarnEllipsoid::~CQuarnEllipsoid() = default;

CQuarnEllipsoid& CQuarnEllipsoid::operator=(const CQuarnEllipsoid& other) {
    CQuarnInfo::operator=(other);
    m_semiMajorAxis = other.GetSemiMajorAxis();
    m_inverseFlattening = other.GetInverseFlattening();
    return *this;
}

unsigned char CQuarnEllipsoid::operator==(const CQuarnEllipsoid& other) const {
    return CompareBaseNames(GetName(), other.GetName()) == 0 &&
           QuarnWithinTolerance(GetSemiMajorAxis(), other.GetSemiMajorAxis()) &&
           QuarnWithinTolerance(GetInverseFlattening(), other.GetInverseFlattening());
}

const wchar_t* CQuarnEllipsoid::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnEllipsoid::FormatWKT(wchar_t* buffer, long limit) const {
    WktComposer wkt(g_ellipsoidCompose, buffer, limit);
    wkt.Format(kSpheroidTemplate).Arg(GetName()).Arg(GetSemiMajorAxis());
    wkt.Arg(GetInverseFlattening());
    return wkt.Finish(buffer, limit);
}
