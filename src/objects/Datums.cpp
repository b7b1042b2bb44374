#include <quarn/objects/Datums.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"

#include <cwchar>

using namespace quarn::detail;

namespace {

thread_local WktClassState g_horizontalCompose;
thread_local WktClassState g_verticalCompose;
thread_local WktClassState g_localCompose;

// VERT_DATUM and LOCAL_DATUM share their form: KEYWORD["name",type].
const wchar_t* FormatNamedType(WktClassState& state, const WktTemplate& pattern,
                               const wchar_t* name, long type, wchar_t* buffer, long limit) {
    WktComposer wkt(state, buffer, limit);
    wkt.Format(pattern).Arg(name).ArgInteger(type);
    return wkt.Finish(buffer, limit);
}

// Datums named with "3DIM" (case-sensitive) carry grid files in their text.
bool NamesGridFiles(const wchar_t* name) {
    return name != nullptr && std::wcsstr(name, L"3DIM") != nullptr;
}

} // namespace

// ---- CQuarnHorizontalDatum ----------------------------------------------------------------

thread_local wchar_t CQuarnHorizontalDatum::m_WKT[quarn::kWktCapacity];

CQuarnHorizontalDatum::CQuarnHorizontalDatum()
    : m_datumType(kQuarnDatumClassic), m_ellipsoid(nullptr), m_shift() {}

CQuarnHorizontalDatum::CQuarnHorizontalDatum(const CQuarnHorizontalDatum& other) = default;

CQuarnHorizontalDatum::~CQuarnHorizontalDatum() = default;

CQuarnHorizontalDatum& CQuarnHorizontalDatum::operator=(const CQuarnHorizontalDatum& other) {
    CQuarnInfo::operator=(other);
    m_datumType = other.GetDatumType();
    m_ellipsoid = other.GetEllipsoid();
    if (this != &other) {
        for (int i = 0; i < kShiftValues; ++i)
            m_shift[i] = other.m_shift[i];
        m_areaOfUse = other.m_areaOfUse;
    }
    m_shiftRecord.Refresh([this](CQuarnWGS84ConversionInfo* record) { FillShift(record); });
    return *this;
}

unsigned char CQuarnHorizontalDatum::operator==(const CQuarnHorizontalDatum& other) const {
    if (CompareBaseNames(GetName(), other.GetName()) != 0 ||
        GetDatumType() != other.GetDatumType() || m_ellipsoid != other.GetEllipsoid())
        return false;
    // The seven numbers within 1e-12 each, as for the records; the area of use takes no part.
    for (int i = 0; i < kShiftValues; ++i) {
        if (!QuarnWithinTolerance(m_shift[i], other.m_shift[i])) return false;
    }
    return true;
}

const CS_WGS84ConversionInfo* CQuarnHorizontalDatum::GetWGS84Parameters() const {
    return m_shiftRecord.Get([this](CQuarnWGS84ConversionInfo* record) { FillShift(record); },
                             Store());
}

const CS_3DIMInfo* CQuarnHorizontalDatum::Get3DIMParameters() const {
    return m_gridFilesRecord.Get([this](CQuarn3DIMInfo* record) { FillGridFiles(record); },
                                 Store());
}

void CQuarnHorizontalDatum::SetWGS84Record(const CS_WGS84ConversionInfo& shift) {
    const double values[kShiftValues] = {shift.Dx, shift.Dy, shift.Dz, shift.Ex,
                                         shift.Ey, shift.Ez, shift.Ppm};
    for (int i = 0; i < kShiftValues; ++i)
        m_shift[i] = values[i];
    m_areaOfUse.Set(shift.areaOfUse, Store());
    m_shiftRecord.Refresh([this](CQuarnWGS84ConversionInfo* record) { FillShift(record); });
}

void CQuarnHorizontalDatum::FillShift(CQuarnWGS84ConversionInfo* record) const {
    *record = CQuarnWGS84ConversionInfo(m_shift[0], m_shift[1], m_shift[2], m_shift[3], m_shift[4],
                                        m_shift[5], m_shift[6]);
    record->SetName(m_areaOfUse.Get());
}

void CQuarnHorizontalDatum::FillGridFiles(CQuarn3DIMInfo* record) const {
    record->SetLBFFileName(m_lbfFileName.Get());
    record->SetCOPFileName(m_copFileName.Get());
}

void CQuarnHorizontalDatum::SetWGS84Parameters(const CQuarnWGS84ConversionInfo* shift) {
    if (shift != nullptr) SetWGS84Record(*shift);
}

void CQuarnHorizontalDatum::Set3DIMParameters(const CS_3DIMInfo* gridFiles) {
    if (gridFiles == nullptr) return;
    m_lbfFileName.Set(gridFiles->LBFFileName, Store());
    m_copFileName.Set(gridFiles->COPFileName, Store());
    m_gridFilesRecord.Refresh([this](CQuarn3DIMInfo* record) { FillGridFiles(record); });
}

void CQuarnHorizontalDatum::Set3DIMParameters(const CQuarn3DIMInfo* gridFiles) {
    Set3DIMParameters(static_cast<const CS_3DIMInfo*>(gridFiles));
}

const wchar_t* CQuarnHorizontalDatum::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnHorizontalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    WktComposer wkt(g_horizontalCompose, buffer, limit);
    const CS_Ellipsoid* ellipsoid = GetEllipsoid();
    // A datum without an ellipsoid cannot form its element: its whole text is "".
    if (ellipsoid == nullptr) return wkt.Fail().Finish(buffer, limit);

    const bool gridFiles = NamesGridFiles(GetName());
    wkt.Format(gridFiles ? kDatum3DimTemplate : kDatumTemplate).Arg(GetName());
    // The ellipsoid's text lies in its class's buffer: consume it before anything else
    // could overwrite it.
    wkt.Arg(ellipsoid->GetWKT(nullptr));
    // The rotations are held with the opposite sign; negating a zero writes -0.
    wkt.Arg(m_shift[0]).Arg(m_shift[1]).Arg(m_shift[2]);
    wkt.Arg(-m_shift[3]).Arg(-m_shift[4]).Arg(-m_shift[5]).Arg(m_shift[6]);
    if (gridFiles) wkt.Arg(m_lbfFileName.Get()).Arg(m_copFileName.Get());
    return wkt.Finish(buffer, limit);
}

// ---- CQuarnVerticalDatum ------------------------------------------------------------------

thread_local wchar_t CQuarnVerticalDatum::m_WKT[quarn::kWktCapacity];

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
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnVerticalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatNamedType(g_verticalCompose, kVerticalDatumTemplate, GetName(), GetDatumType(),
                           buffer, limit);
}

// ---- CQuarnLocalDatum ---------------------------------------------------------------------

thread_local wchar_t CQuarnLocalDatum::m_WKT[quarn::kWktCapacity];

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
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnLocalDatum::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatNamedType(g_localCompose, kLocalDatumTemplate, GetName(), GetDatumType(), buffer,
                           limit);
}
