#include "Projection.h"

#include "../model/ModuleSetup.h"
#include "../model/WktCompose.h"
#include "../model/WktTemplates.h"

namespace {

QuarnWktClassState g_projectionCompose;

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

wchar_t CQuarnProjection::m_WKT[2048];

// Unused slots start as empty names and 0 (the parameter wrapper's default).
CQuarnProjection::CQuarnProjection() : m_className(), m_count(0), m_parameters() {}

CQuarnProjection::CQuarnProjection(const CQuarnProjection& other) = default;

CQuarnProjection::~CQuarnProjection() = default;

CQuarnProjection& CQuarnProjection::operator=(const CQuarnProjection& other) {
    CQuarnInfo::operator=(other);
    // The class name is taken as it stands: the rewrite rules belong to SetClassName.
    QuarnCopyText(m_className, other.GetClassName());
    SetNumParameters(other.GetNumParameters());
    for (long i = 0; i < kSlots; ++i)
        SetParameter(i, other.GetParameter(i));
    return *this;
}

unsigned char CQuarnProjection::operator==(const CQuarnProjection& other) const {
    if (!QuarnEqualNoCase(GetClassName(), other.GetClassName())) return false;
    const long count = GetNumParameters();
    if (count != other.GetNumParameters()) return false;
    // Every parameter of this projection must be matched by some parameter of the other, in
    // any order; one parameter of the other may match several of this one, so the test is
    // not symmetric.
    for (long i = 0; i < count; ++i) {
        bool found = false;
        for (long j = 0; j < count && !found; ++j)
            found = EqualProjectionParameter(GetParameter(i), other.GetParameter(j));
        if (!found) return false;
    }
    return true;
}

const wchar_t* CQuarnProjection::GetWKT(const CS_Unit*) const {
    return FormatWKT(m_WKT, 2048);
}

void CQuarnProjection::SetClassName(const wchar_t* name) {
    const wchar_t* stored = name;
    // While projections are being loaded, generic method names are narrowed down: a Lambert
    // conic by the parameters it already has, Gauss-Kruger to its usual name.
    if (IsPrjLoading()) {
        if (QuarnEqualNoCase(name, L"Lambert_Conformal_Conic")) {
            if (GetParameter(L"standard_parallel_2") != nullptr)
                stored = L"Lambert_Conformal_Conic_2SP";
            else if (GetParameter(L"scale_factor") != nullptr)
                stored = L"Lambert_Conformal_Conic_1SP";
        } else if (QuarnEqualNoCase(name, L"Gauss_Kruger")) {
            stored = L"Transverse_Mercator";
        }
    }
    QuarnCopyText(m_className, stored);
}

EProjectionType CQuarnProjection::GetType() const {
    for (const KnownMethod& method : kKnownMethods) {
        if (QuarnEqualNoCase(GetClassName(), method.className)) return method.type;
    }
    return PT_Unknown;
}

void CQuarnProjection::SetNumParameters(long count) {
    if (count >= 0 && count <= kSlots) m_count = static_cast<std::int32_t>(count);
}

const CS_ProjectionParameter* CQuarnProjection::GetParameter(const wchar_t* name) const {
    const long count = GetNumParameters();
    for (long i = 0; i < count; ++i) {
        const CS_ProjectionParameter* parameter = GetParameter(i);
        if (parameter != nullptr && QuarnEqualNoCase(parameter->name, name)) return parameter;
    }
    return nullptr;
}

const CS_ProjectionParameter* CQuarnProjection::GetParameter(long index) const {
    return InSlots(index) ? &m_parameters[index] : nullptr;
}

void CQuarnProjection::SetParameter(long index, const CS_ProjectionParameter* parameter) {
    if (InSlots(index)) m_parameters[index] = parameter; // the record copy ignores null
}

const wchar_t* CQuarnProjection::FormatWKT(wchar_t* buffer, long limit) const {
    QuarnWktComposer wkt(g_projectionCompose);
    wkt.Format(kQuarnWktProjection).Arg(GetClassName());
    // The parameter texts share one class-wide buffer: each is appended before the next is
    // formatted.
    const long count = GetNumParameters();
    for (long i = 0; i < count && InSlots(i); ++i)
        wkt.Format(kQuarnWktNext).Arg(m_parameters[i].GetWKT());
    return wkt.Finish(buffer, limit);
}
