#include <quarn/model/Constants.h>
#include <quarn/objects/PrimeMeridian.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

using namespace quarn::detail;

namespace {

thread_local WktClassState g_primeMeridianCompose;

// The longitude as written: in the given unit, or in degrees without one. A unit whose
// factor is 0 gives an infinite or undefined number, written as the number format writes it.
double WrittenLongitude(double radians, const CS_Unit* unit) {
    if (unit != nullptr) return radians / unit->GetIUnitsPerUnit();
    return radians * 180.0 / quarn::kPi;
}

} // namespace

thread_local wchar_t CQuarnPrimeMeridian::m_WKT[quarn::kWktCapacity];

CQuarnPrimeMeridian::CQuarnPrimeMeridian() : m_longitude(0.0) {}

CQuarnPrimeMeridian::CQuarnPrimeMeridian(const CQuarnPrimeMeridian& other) = default;

CQuarnPrimeMeridian::~CQuarnPrimeMeridian() = default;

CQuarnPrimeMeridian& CQuarnPrimeMeridian::operator=(const CQuarnPrimeMeridian& other) {
    CQuarnInfo::operator=(other);
    m_longitude = other.GetLongitude();
    return *this;
}

unsigned char CQuarnPrimeMeridian::operator==(const CQuarnPrimeMeridian& other) const {
    return CompareBaseNames(GetName(), other.GetName()) == 0 &&
           QuarnWithinTolerance(GetLongitude(), other.GetLongitude());
}

const wchar_t* CQuarnPrimeMeridian::GetWKT(const CS_Unit* unit) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity, unit);
}

const wchar_t* CQuarnPrimeMeridian::FormatWKT(wchar_t* buffer, long limit,
                                              const CS_Unit* unit) const {
    WktComposer wkt(g_primeMeridianCompose, buffer, limit);
    wkt.Format(kPrimeMeridianTemplate).Arg(GetName()).Arg(WrittenLongitude(GetLongitude(), unit));
    return wkt.Finish(buffer, limit);
}
