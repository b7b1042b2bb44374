#include "Datums.h"

#include "../model/WktCompose.h"
#include "../model/WktTemplates.h"

#include <cwchar>

namespace {

QuarnWktClassState g_horizontalCompose;
QuarnWktClassState g_verticalCompose;
QuarnWktClassState g_localCompose;

// VERT_DATUM and LOCAL_DATUM share their form: KEYWORD["name",type].
const wchar_t* FormatNamedType(QuarnWktClassState& state, const wchar_t* pattern,
                               const wchar_t* name, long type, wchar_t* buffer, long limit) {
    QuarnWktComposer wkt(state);
    wkt.Format(pattern).Arg(name).ArgInteger(type);
    return wkt.Finish(buffer, limit);
}

// Datums named with "3DIM" (case-sensitive) carry grid files in their text.
bool NamesGridFiles(const wchar_t* name) {
    return name != nullptr && std::wcsstr(name, L"3DIM") != nullptr;
}

} // namespace

// ---- CQuarnHorizontalDatum ----------------------------------------------------------------

wchar_t CQuarnHorizontalDatum::m_WKT[2048];

CQuarnHorizontalDatum::CQuarnHorizontalDatum()
    : m_datumType(kQuarnDatumClassic), m_ellipsoid(nullptr), m_shift(), m_gridFiles() {}

CQuarnHorizontalDatum::CQuarnHorizontalDatum(const CQuarnHorizontalDatum& other) = default;

CQuarnHorizontalDatum::~CQuarnHorizontalDatum() = default;

CQuarnHorizontalDatum& CQuarnHorizontalDatum::operator=(const CQuarnHorizontalDatum& other) {
    CQuarnInfo::operator=(other);
    m_datumType = other.GetDatumType();
    m_ellipsoid = other.GetEllipsoid();
    m_shift = other.GetWGS84Parameters();
    return *this;
}

unsigned char CQuarnHorizontalDatum::operator==(const CQuarnHorizontalDatum& other) const {
    return CompareBaseNames(GetName(), other.GetName()) == 0 &&
           GetDatumType() == other.GetDatumType() && m_ellipsoid == other.GetEllipsoid() &&
           EqualWGS84ConversionInfo(GetWGS84Parameters(), other.GetWGS84Parameters());
}

void CQuarnHorizontalDatum::SetWGS84Parameters(const CQuarnWGS84ConversionInfo* shift) {
    if (shift != nullptr) m_shift = *shift;
}

void CQuarnHorizontalDatum::Set3DIMParameters(const CS_3DIMInfo* gridFiles) {
    m_gridFiles = gridFiles; // the record copy ignores null
}

void CQuarnHorizontalDatum::Set3DIMParameters(const CQuarn3DIMInfo* gridFiles) {
    if (gridFiles != nullptr) m_gridFiles = *gridFiles;
}

const wchar_t* CQuarnHorizontalDatum::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

const wchar_t* CQuarnHorizontalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    QuarnWktComposer wkt(g_horizontalCompose);
    const CS_Ellipsoid* ellipsoid = GetEllipsoid();
    // A datum without an ellipsoid cannot form its element: its whole text is "".
    if (ellipsoid == nullptr) return wkt.Fail().Finish(buffer, limit);

    const CS_WGS84ConversionInfo* shift = GetWGS84Parameters();
    const bool gridFiles = NamesGridFiles(GetName());
    wkt.Format(gridFiles ? kQuarnWktDatum3Dim : kQuarnWktDatum).Arg(GetName());
    // The ellipsoid's text lies in its class's buffer: consume it before anything else
    // could overwrite it.
    wkt.Arg(ellipsoid->GetWKT(nullptr));
    // The rotations are held with the opposite sign; negating a zero writes -0.
    wkt.Arg(shift->Dx).Arg(shift->Dy).Arg(shift->Dz);
    wkt.Arg(-shift->Ex).Arg(-shift->Ey).Arg(-shift->Ez).Arg(shift->Ppm);
    if (gridFiles) {
        const CS_3DIMInfo* grid = Get3DIMParameters();
        wkt.Arg(grid->LBFFileName).Arg(grid->COPFileName);
    }
    return wkt.Finish(buffer, limit);
}

// ---- CQuarnVerticalDatum ------------------------------------------------------------------

wchar_t CQuarnVerticalDatum::m_WKT[2048];

CQuarnVerticalDatum::CQuarnVerticalDatum() : m_datumType(kQuarnDatumClassic) {}

CQuarnVerticalDatum::CQuarnVerticalDatum(const CQuarnVerticalDatum& other) = default;

CQuarnVerticalDatum::~CQuarnVerticalDatum() = default;

CQuarnVerticalDatum& CQuarnVerticalDatum::operator=(const CQuarnVerticalDatum& other) {
    CQuarnInfo::operator=(other);
    m_datumType = other.GetDatumType();
    return *this;
}

unsigned char CQuarnVerticalDatum::operator==(const CQuarnVerticalDatum& other) const {
    // Heights from the ellipsoid do not depend on the datum's name, so an ellipsoidal datum
    // on the left compares by type alone.
    if (GetDatumType() != kQuarnDatumEllipsoidal &&
        CompareBaseNames(GetName(), other.GetName()) != 0)
        return false;
    return GetDatumType() == other.GetDatumType();
}

const wchar_t* CQuarnVerticalDatum::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

const wchar_t* CQuarnVerticalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatNamedType(g_verticalCompose, kQuarnWktVerticalDatum, GetName(), GetDatumType(),
                           buffer, limit);
}

// ---- CQuarnLocalDatum ---------------------------------------------------------------------

wchar_t CQuarnLocalDatum::m_WKT[2048];

CQuarnLocalDatum::CQuarnLocalDatum() : m_datumType(kQuarnDatumLocal) {}

CQuarnLocalDatum::CQuarnLocalDatum(const CQuarnLocalDatum& other) = default;

CQuarnLocalDatum::~CQuarnLocalDatum() = default;

CQuarnLocalDatum& CQuarnLocalDatum::operator=(const CQuarnLocalDatum& other) {
    CQuarnInfo::operator=(other);
    m_datumType = other.GetDatumType();
    return *this;
}

unsigned char CQuarnLocalDatum::operator==(const CQuarnLocalDatum& other) const {
    return CompareBaseNames(GetName(), other.GetName()) == 0 &&
           GetDatumType() == other.GetDatumType();
}

const wchar_t* CQuarnLocalDatum::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

const wchar_t* CQuarnLocalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatNamedType(g_localCompose, kQuarnWktLocalDatum, GetName(), GetDatumType(), buffer,
                           limit);
}
