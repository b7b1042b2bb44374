#include <quarn/model/ValueRecords.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"
#include <quarn/model/Text.h>

using namespace quarn::detail;

// ---- Bare records -------------------------------------------------------------------------

bool CopyAxisInfo(CS_AxisInfo* destination, const CS_AxisInfo* source) {
    if (destination == nullptr || source == nullptr) return false;
    destination->orientation = source->orientation;
    QuarnCopyText(destination->name, source->name);
    return true;
}

bool CopyProjectionParameter(CS_ProjectionParameter* destination,
                             const CS_ProjectionParameter* source) {
    if (destination == nullptr || source == nullptr) return false;
    destination->value = source->value;
    QuarnCopyText(destination->name, source->name);
    return true;
}

bool CopyWGS84ConversionInfo(CS_WGS84ConversionInfo* destination,
                             const CS_WGS84ConversionInfo* source) {
    if (destination == nullptr || source == nullptr) return false;
    destination->Dx = source->Dx;
    destination->Dy = source->Dy;
    destination->Dz = source->Dz;
    destination->Ex = source->Ex;
    destination->Ey = source->Ey;
    destination->Ez = source->Ez;
    destination->Ppm = source->Ppm;
    QuarnCopyText(destination->areaOfUse, source->areaOfUse);
    return true;
}

bool Copy3DIMInfo(CS_3DIMInfo* destination, const CS_3DIMInfo* source) {
    if (destination == nullptr || source == nullptr) return false;
    QuarnCopyText(destination->LBFFileName, source->LBFFileName);
    QuarnCopyText(destination->COPFileName, source->COPFileName);
    return true;
}

bool EqualAxisInfo(const CS_AxisInfo* a, const CS_AxisInfo* b) {
    if (a == nullptr || b == nullptr) return false;
    return a->orientation == b->orientation;
}

bool EqualProjectionParameter(const CS_ProjectionParameter* a, const CS_ProjectionParameter* b) {
    if (a == nullptr || b == nullptr) return false;
    return QuarnEqualNoCase(a->name, b->name) && QuarnWithinTolerance(a->value, b->value);
}

bool EqualWGS84ConversionInfo(const CS_WGS84ConversionInfo* a, const CS_WGS84ConversionInfo* b) {
    if (a == nullptr || b == nullptr) return false;
    return QuarnWithinTolerance(a->Dx, b->Dx) && QuarnWithinTolerance(a->Dy, b->Dy) &&
           QuarnWithinTolerance(a->Dz, b->Dz) && QuarnWithinTolerance(a->Ex, b->Ex) &&
           QuarnWithinTolerance(a->Ey, b->Ey) && QuarnWithinTolerance(a->Ez, b->Ez) &&
           QuarnWithinTolerance(a->Ppm, b->Ppm);
}

bool Equal3DIMInfo(const CS_3DIMInfo* a, const CS_3DIMInfo* b) {
    if (a == nullptr || b == nullptr) return false;
    return QuarnEqualNoCase(a->LBFFileName, b->LBFFileName) &&
           QuarnEqualNoCase(a->COPFileName, b->COPFileName);
}

// ---- CQuarnAxisInfo -----------------------------------------------------------------------

thread_local wchar_t CQuarnAxisInfo::m_WKT[quarn::kWktCapacity];

namespace {
thread_local WktClassState g_axisCompose;
thread_local WktClassState g_parameterCompose;

const wchar_t* FormatAxisInto(const wchar_t* name, long orientation, wchar_t* buffer, long limit) {
    WktComposer wkt(g_axisCompose, buffer, limit);
    wkt.Format(kAxisTemplate).Arg(name).Arg(CQuarnAxisInfo::OrientationWord(orientation));
    return wkt.Finish(buffer, limit);
}

const wchar_t* FormatParameterInto(const wchar_t* name, double value, wchar_t* buffer, long limit) {
    WktComposer wkt(g_parameterCompose, buffer, limit);
    wkt.Format(kParameterTemplate).Arg(name).Arg(value);
    return wkt.Finish(buffer, limit);
}
} // namespace

CQuarnAxisInfo::CQuarnAxisInfo() : CS_AxisInfo() {}

CQuarnAxisInfo::CQuarnAxisInfo(const CS_AxisInfo& axis) : CS_AxisInfo() {
    CopyAxisInfo(this, &axis);
}

CQuarnAxisInfo::CQuarnAxisInfo(const CS_AxisInfo* axis) : CS_AxisInfo() {
    CopyAxisInfo(this, axis);
}

CQuarnAxisInfo::CQuarnAxisInfo(const wchar_t* text, long code) : CS_AxisInfo() {
    SetName(text);
    SetOrientation(code);
}

CQuarnAxisInfo::~CQuarnAxisInfo() = default;

CQuarnAxisInfo& CQuarnAxisInfo::operator=(const CS_AxisInfo& axis) {
    CopyAxisInfo(this, &axis);
    return *this;
}

CQuarnAxisInfo& CQuarnAxisInfo::operator=(const CS_AxisInfo* axis) {
    CopyAxisInfo(this, axis);
    return *this;
}

bool CQuarnAxisInfo::operator==(const CS_AxisInfo& axis) const {
    return EqualAxisInfo(this, &axis);
}

bool CQuarnAxisInfo::operator==(const CS_AxisInfo* axis) const {
    return EqualAxisInfo(this, axis);
}

void CQuarnAxisInfo::SetName(const wchar_t* text) {
    QuarnCopyText(name, text);
}

const wchar_t* CQuarnAxisInfo::OrientationWord(long code) {
    static const wchar_t* const kWords[] = {L"NULL", L"North", L"South", L"East",
                                            L"West", L"Up",    L"Down"};
    return (code >= 0 && code <= 6) ? kWords[code] : kWords[0];
}

const wchar_t* CQuarnAxisInfo::GetWKT() const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnAxisInfo::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatAxisInto(GetName(), GetOrientation(), buffer, limit);
}

const wchar_t* CQuarnAxisInfo::FormatAxis(const wchar_t* name, long orientation) {
    return FormatAxisInto(name, orientation, m_WKT, quarn::kWktCapacity);
}

// ---- CQuarnProjectionParameter ------------------------------------------------------------

thread_local wchar_t CQuarnProjectionParameter::m_WKT[quarn::kWktCapacity];

CQuarnProjectionParameter::CQuarnProjectionParameter() : CS_ProjectionParameter() {}

CQuarnProjectionParameter::CQuarnProjectionParameter(const CS_ProjectionParameter& parameter)
    : CS_ProjectionParameter() {
    CopyProjectionParameter(this, &parameter);
}

CQuarnProjectionParameter::CQuarnProjectionParameter(const CS_ProjectionParameter* parameter)
    : CS_ProjectionParameter() {
    CopyProjectionParameter(this, parameter);
}

CQuarnProjectionParameter::~CQuarnProjectionParameter() = default;

CQuarnProjectionParameter&
CQuarnProjectionParameter::operator=(const CS_ProjectionParameter& parameter) {
    CopyProjectionParameter(this, &parameter);
    return *this;
}

CQuarnProjectionParameter&
CQuarnProjectionParameter::operator=(const CS_ProjectionParameter* parameter) {
    CopyProjectionParameter(this, parameter);
    return *this;
}

bool CQuarnProjectionParameter::operator==(const CS_ProjectionParameter& parameter) const {
    return EqualProjectionParameter(this, &parameter);
}

bool CQuarnProjectionParameter::operator==(const CS_ProjectionParameter* parameter) const {
    return EqualProjectionParameter(this, parameter);
}

void CQuarnProjectionParameter::SetName(const wchar_t* text) {
    QuarnCopyText(name, text);
}

const wchar_t* CQuarnProjectionParameter::GetWKT() const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

const wchar_t* CQuarnProjectionParameter::FormatWKT(wchar_t* buffer, long limit) const {
    return FormatParameterInto(GetName(), GetValue(), buffer, limit);
}

const wchar_t* CQuarnProjectionParameter::FormatParameter(const wchar_t* name, double value) {
    return FormatParameterInto(name, value, m_WKT, quarn::kWktCapacity);
}

// ---- CQuarnWGS84ConversionInfo ------------------------------------------------------------

CQuarnWGS84ConversionInfo::CQuarnWGS84ConversionInfo() : CS_WGS84ConversionInfo() {}

CQuarnWGS84ConversionInfo::CQuarnWGS84ConversionInfo(double dx, double dy, double dz, double ex,
                                                     double ey, double ez, double ppm)
    : CS_WGS84ConversionInfo() {
    Dx = dx;
    Dy = dy;
    Dz = dz;
    Ex = ex;
    Ey = ey;
    Ez = ez;
    Ppm = ppm;
}

CQuarnWGS84ConversionInfo::CQuarnWGS84ConversionInfo(const CS_WGS84ConversionInfo& info)
    : CS_WGS84ConversionInfo() {
    CopyWGS84ConversionInfo(this, &info);
}

CQuarnWGS84ConversionInfo::CQuarnWGS84ConversionInfo(const CS_WGS84ConversionInfo* info)
    : CS_WGS84ConversionInfo() {
    CopyWGS84ConversionInfo(this, info);
}

CQuarnWGS84ConversionInfo::~CQuarnWGS84ConversionInfo() = default;

CQuarnWGS84ConversionInfo&
CQuarnWGS84ConversionInfo::operator=(const CS_WGS84ConversionInfo& info) {
    CopyWGS84ConversionInfo(this, &info);
    return *this;
}

CQuarnWGS84ConversionInfo&
CQuarnWGS84ConversionInfo::operator=(const CS_WGS84ConversionInfo* info) {
    CopyWGS84ConversionInfo(this, info);
    return *this;
}

bool CQuarnWGS84ConversionInfo::operator==(const CS_WGS84ConversionInfo& info) const {
    return EqualWGS84ConversionInfo(this, &info);
}

bool CQuarnWGS84ConversionInfo::operator==(const CS_WGS84ConversionInfo* info) const {
    return EqualWGS84ConversionInfo(this, info);
}

void CQuarnWGS84ConversionInfo::SetName(const wchar_t* text) {
    QuarnCopyText(areaOfUse, text);
}

// ---- CQuarn3DIMInfo -----------------------------------------------------------------------

CQuarn3DIMInfo::CQuarn3DIMInfo() : CS_3DIMInfo() {}

CQuarn3DIMInfo::CQuarn3DIMInfo(const wchar_t* lbfFileName, const wchar_t* copFileName)
    : CS_3DIMInfo() {
    SetLBFFileName(lbfFileName);
    SetCOPFileName(copFileName);
}

CQuarn3DIMInfo::CQuarn3DIMInfo(const CS_3DIMInfo& info) : CS_3DIMInfo() {
    Copy3DIMInfo(this, &info);
}

CQuarn3DIMInfo::CQuarn3DIMInfo(const CS_3DIMInfo* info) : CS_3DIMInfo() {
    Copy3DIMInfo(this, info);
}

CQuarn3DIMInfo::~CQuarn3DIMInfo() = default;

CQuarn3DIMInfo& CQuarn3DIMInfo::operator=(const CS_3DIMInfo& info) {
    Copy3DIMInfo(this, &info);
    return *this;
}

CQuarn3DIMInfo& CQuarn3DIMInfo::operator=(const CS_3DIMInfo* info) {
    Copy3DIMInfo(this, info);
    return *this;
}

bool CQuarn3DIMInfo::operator==(const CS_3DIMInfo& info) const {
    return Equal3DIMInfo(this, &info);
}

bool CQuarn3DIMInfo::operator==(const CS_3DIMInfo* info) const {
    return Equal3DIMInfo(this, info);
}

void CQuarn3DIMInfo::SetLBFFileName(const wchar_t* text) {
    QuarnCopyText(LBFFileName, text);
}

void CQuarn3DIMInfo::SetCOPFileName(const wchar_t* text) {
    QuarnCopyText(COPFileName, text);
}
