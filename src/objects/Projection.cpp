#include <quarn/objects/Projection.h>

#include "wkt/WktCompose.h"
#include "wkt/WktTemplates.h"
#include <quarn/model/ModuleSetup.h>

using namespace quarn::detail;

namespace {

thread_local WktClassState g_projectionCompose;

struct KnownMethod {
    const wchar_t* className;
    EProjectionType type;
};

const KnownMethod kKnownMethods[] = {
    {L"Lambert_Conformal_Conic_1SP", PT_LambertConformalConic1SP},
    {L"Lambert_Conformal_Conic_2SP", PT_LambertConformalConic2SP},
    {L"Oblique_Mercator_83", PT_ObliqueMercator83},
    {L"Oblique_Stereographic", PT_ObliqueStereographic},
    {L"Hotine_Oblique_Mercator", PT_HotineObliqueMercator},
    {L"Transverse_Mercator", PT_TransverseMercator},
    {L"Stereographic", PT_Stereographic},
    {L"Lambert_Conformal_Conic_27", PT_LambertConformalConic27},
    {L"Transverse_Mercator_27", PT_TransverseMercator27},
    {L"Transverse_Mercator_Alaska_27", PT_TransverseMercatorAlaska27},
    {L"Oblique_Mercator_27", PT_ObliqueMercator27},
    {L"Ground_System", PT_GroundSystem},
    {L"Ground_System_Azimuth", PT_GroundSystemAzimuth},
    {L"Transverse_Mercator_OSTN02", PT_TransverseMercatorOSTN02},
    {L"Oblique_Stereographic_RD2000", PT_ObliqueStereographicRD2000},
    {L"Oblique_Stereographic_RD2004", PT_ObliqueStereographicRD2004},
    {L"Oblique_Mercator", PT_ObliqueMercator},
    {L"Lambert_Conformal_Conic_2SP_Belgium", PT_LambertConformalConic2SPBelgium},
    {L"Cassini_Soldner", PT_CassiniSoldner},
    {L"Transverse_Mercator_34", PT_TransverseMercator34},
    {L"Oblique_Mercator_HD72", PT_ObliqueMercatorHD72},
    {L"Krovak", PT_Krovak},
    {L"Transverse_Mercator_GGRS87", PT_TransverseMercatorGGRS87},
    {L"Oblique_Stereographic_SP1930", PT_ObliqueStereographicSP1930},
    {L"Oblique_Stereographic_SP1970", PT_ObliqueStereographicSP1970},
};

bool InSlots(long index) {
    return index >= 0 && index < CQuarnProjection::kSlots;
}

} // namespace

thread_local wchar_t CQuarnProjection::m_WKT[quarn::kWktCapacity];

CQuarnProjection::CQuarnProjection() : m_count(0) {}

CQuarnProjection::CQuarnProjection(const CQuarnProjection& other) = default;

CQuarnProjection::~CQuarnProjection() = default;

CQuarnProjection& CQuarnProjection::operator=(const CQuarnProjection& other) {
    CQuarnInfo::operator=(other);
    // The class name is taken as it stands: the rewrite rules belong to SetClassName.
    m_className.Set(other.GetClassName(), Store());
    SetNumParameters(other.GetNumParameters());
    // Every slot is taken over, so the target's slots beyond the source's become empty.
    if (this != &other) {
        for (long i = 0; i < kSlots; ++i)
            m_slots[i] = other.m_slots[i];
        m_reached = other.m_reached;
    }
    m_records.Refresh([this](CQuarnProjectionParameter* records) { FillRecords(records); });
    return *this;
}

unsigned char CQuarnProjection::operator==(const CQuarnProjection& other) const {
    if (!QuarnEqualNoCase(GetClassName(), other.GetClassName())) return false;
    const long count = GetNumParameters();
    if (count != other.GetNumParameters()) return false;
    // Every parameter of this projection must be matched by some parameter of the other, in
    // any order; one parameter of the other may match several of this one, so the test is
    // not symmetric. Names equal ignoring case and values within 1e-12, as for the records.
    for (long i = 0; i < count && i < kSlots; ++i) {
        bool found = false;
        for (long j = 0; j < count && j < kSlots && !found; ++j) {
            found = QuarnEqualNoCase(GetParameterName(i), other.GetParameterName(j)) &&
                    QuarnWithinTolerance(GetParameterValue(i), other.GetParameterValue(j));
        }
        if (!found) return false;
    }
    return true;
}

const wchar_t* CQuarnProjection::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, quarn::kWktCapacity);
}

void CQuarnProjection::SetClassName(const wchar_t* name) {
    const wchar_t* stored = name;
    // While projections are being loaded, generic method names are narrowed down: a Lambert
    // conic by the parameters it already has, Gauss-Kruger to its usual name.
    if (IsPrjLoading()) {
        if (QuarnEqualNoCase(name, L"Lambert_Conformal_Conic")) {
            if (FindParameter(L"standard_parallel_2") >= 0)
                stored = L"Lambert_Conformal_Conic_2SP";
            else if (FindParameter(L"scale_factor") >= 0)
                stored = L"Lambert_Conformal_Conic_1SP";
        } else if (QuarnEqualNoCase(name, L"Gauss_Kruger")) {
            stored = L"Transverse_Mercator";
        }
    }
    m_className.Set(stored, Store());
}

EProjectionType CQuarnProjection::GetType() const {
    for (const KnownMethod& method : kKnownMethods) {
        if (QuarnEqualNoCase(GetClassName(), method.className)) return method.type;
    }
    return PT_Unknown;
}

void CQuarnProjection::SetNumParameters(long count) {
    if (count < 0 || count > kSlots) return;
    m_count = static_cast<std::int32_t>(count);
}

long CQuarnProjection::FindParameter(const wchar_t* name) const {
    const long count = GetNumParameters();
    for (long i = 0; i < count && i < kSlots; ++i) {
        if (QuarnEqualNoCase(GetParameterName(i), name)) return i;
    }
    return -1;
}

const CS_ProjectionParameter* CQuarnProjection::GetParameter(const wchar_t* name) const {
    const long index = FindParameter(name);
    return index >= 0 ? GetParameter(index) : nullptr;
}

const CS_ProjectionParameter* CQuarnProjection::GetParameter(long index) const {
    if (!InSlots(index)) return nullptr;
    const CQuarnProjectionParameter* records =
        m_records.Get([this](CQuarnProjectionParameter* fresh) { FillRecords(fresh); }, Store());
    return records != nullptr ? &records[index] : nullptr;
}

void CQuarnProjection::FillRecords(CQuarnProjectionParameter* records) const {
    for (long i = 0; i < kSlots; ++i) {
        records[i].SetName(GetParameterName(i));
        records[i].SetValue(GetParameterValue(i));
    }
}

namespace {
const CQuarnProjection* OwnProjection(const CS_Projection& projection) {
    return projection.GetObjectType() == kQuarnProjection
               ? static_cast<const CQuarnProjection*>(&projection)
               : nullptr;
}
} // namespace

const wchar_t* CQuarnProjection::ParameterName(const CS_Projection& projection, long index) {
    if (const CQuarnProjection* own = OwnProjection(projection))
        return own->GetParameterName(index);
    const CS_ProjectionParameter* record = projection.GetParameter(index);
    return record != nullptr ? record->name : nullptr;
}

double CQuarnProjection::ParameterValue(const CS_Projection& projection, long index) {
    if (const CQuarnProjection* own = OwnProjection(projection))
        return own->GetParameterValue(index);
    const CS_ProjectionParameter* record = projection.GetParameter(index);
    return record != nullptr ? record->value : 0.0;
}

void CQuarnProjection::Reach(long index) {
    for (; m_reached <= index; ++m_reached)
        m_slots[m_reached] = Parameter();
}

void CQuarnProjection::SetParameter(long index, const CS_ProjectionParameter* parameter) {
    if (!InSlots(index) || parameter == nullptr) return;
    Reach(index);
    m_slots[index].name.Set(parameter->name, Store());
    m_slots[index].value = parameter->value;
    m_records.Refresh([this](CQuarnProjectionParameter* records) { FillRecords(records); });
}

void CQuarnProjection::SetParameterValue(long index, double value) {
    if (!InSlots(index)) return;
    Reach(index);
    m_slots[index].value = value;
    m_records.Refresh([this](CQuarnProjectionParameter* records) { FillRecords(records); });
}

const wchar_t* CQuarnProjection::FormatWKT(wchar_t* buffer, long limit) const {
    WktComposer wkt(g_projectionCompose, buffer, limit);
    wkt.Format(kProjectionTemplate).Arg(GetClassName());
    // The parameter texts share one class-wide buffer: each is appended before the next is
    // formatted.
    const long count = GetNumParameters();
    for (long i = 0; i < count && InSlots(i); ++i) {
        wkt.Format(kNextTemplate);
        wkt.Arg(
            CQuarnProjectionParameter::FormatParameter(GetParameterName(i), GetParameterValue(i)));
    }
    return wkt.Finish(buffer, limit);
}
