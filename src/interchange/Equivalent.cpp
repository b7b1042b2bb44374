// Equivalence of meaning: a system reduced to what it means (names mapped through the alias
// tables, values in degrees, metres and unity), and the comparison of two such meanings.
// The tolerances are those of <quarn/equivalent.h>, where each is explained.
#include <quarn/equivalent.h>

#include "interchange/EsriNamesInternal.h"
#include "interchange/ProjectionMethods.h"

#include <quarn/model/Constants.h>
#include <quarn/model/Utf8.h>

#include <algorithm>
#include <cmath>

namespace quarn {
namespace {

using detail::EsriNameRecord;
using detail::FindEsriDatumOffGreenwich;
using detail::FindEsriName;
using detail::kEsriDatum;
using detail::kEsriVerticalDatum;

constexpr double kDegree = kPi / 180.0;
constexpr double kSemiMajorAxisTolerance = 1e-4; // metres
constexpr double kFlatteningTolerance = 1e-9;    // relative
constexpr double kPrimeMeridianTolerance = 1e-7; // degrees
constexpr double kUnitTolerance = 1e-12;         // relative
constexpr double kParameterTolerance = 1e-9;     // relative
constexpr double kAngleZero = 1e-9;              // degrees
constexpr double kLengthZero = 1e-3;             // metres
constexpr double kRatioZero = 1e-9;
constexpr double kShiftTolerance = 1e-6; // metres, seconds, ppm

bool Relative(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b));
}

bool Close(double a, double b, double relative, double absolute) {
    return Relative(a, b, relative) || std::fabs(a - b) <= absolute;
}

std::string Utf8(const wchar_t* text) {
    return text != nullptr ? QuarnEncodeUtf8(text) : std::string();
}

// An axis is stated unless it is the reader's default (X east, Y north).
std::int8_t StatedAxis(const CS_AxisInfo* axis, long index) {
    if (axis == nullptr) return 0;
    const bool x = axis->name[0] == L'X' && axis->name[1] == L'\0';
    const bool y = axis->name[0] == L'Y' && axis->name[1] == L'\0';
    if ((index == 0 && x && axis->orientation == CS_AO_East) ||
        (index == 1 && y && axis->orientation == CS_AO_North))
        return 0;
    return static_cast<std::int8_t>(axis->orientation == CS_AO_Other ? 7 : axis->orientation);
}

bool DescribeGeodetic(const CS_HorizontalDatum* datum, const CS_PrimeMeridian* primeMeridian,
                      double radiansPerUnit, Meaning& m) {
    if (datum == nullptr || datum->GetEllipsoid() == nullptr || primeMeridian == nullptr)
        return false;
    const std::string name = Utf8(datum->GetName());
    m.datumKey = DatumNameKey(name);
    const EsriNameRecord* record =
        primeMeridian->GetLongitude() != 0.0 ? FindEsriDatumOffGreenwich(name) : nullptr;
    if (record == nullptr) record = FindEsriName(kEsriDatum, 0, name);
    m.datumCode = record != nullptr ? record->epsgCode : 0;
    const CS_Ellipsoid* ellipsoid = datum->GetEllipsoid();
    m.semiMajorAxis = ellipsoid->GetSemiMajorAxis();
    const double inverse = ellipsoid->GetInverseFlattening();
    m.inverseFlattening = std::isfinite(inverse) ? inverse : 0.0;
    const double radians = primeMeridian->GetLongitude();
    m.primeMeridian = radians / kDegree;
    m.primeMeridianWritten = radiansPerUnit > 0.0 ? radians / radiansPerUnit : m.primeMeridian;
    if (const CS_WGS84ConversionInfo* shift = datum->GetWGS84Parameters()) {
        const double values[7] = {shift->Dx, shift->Dy, shift->Dz, shift->Ex,
                                  shift->Ey, shift->Ez, shift->Ppm};
        std::copy(values, values + 7, m.shift);
    }
    m.angularUnit = radiansPerUnit;
    return true;
}

bool DescribeGeographic(const CS_GeographicCoordinateSystem& g, Meaning& m) {
    const CS_AngularUnit* unit = g.GetAngularUnit();
    if (unit == nullptr || !DescribeGeodetic(g.GetHorizontalDatum(), g.GetPrimeMeridian(),
                                             unit->GetRadiansPerUnit(), m))
        return false;
    for (long i = 0; i < 2; ++i)
        m.axes[i] = StatedAxis(g.GetAxis(i), i);
    return true;
}

bool DescribeProjection(const CS_Projection& projection, double radiansPerUnit,
                        double metresPerUnit, Meaning& m) {
    std::vector<detail::HeldParameter> parameters;
    for (long i = 0; i < projection.GetNumParameters(); ++i)
        if (const CS_ProjectionParameter* parameter = projection.GetParameter(i))
            parameters.push_back({Utf8(parameter->name), parameter->value});
    detail::DescribeMethod(Utf8(projection.GetClassName()), parameters, radiansPerUnit,
                           metresPerUnit, m);
    std::sort(m.otherParameters.begin(), m.otherParameters.end());
    return true;
}

bool Describe(const CS_Info& object, Meaning& m, int depth) {
    m = Meaning();
    m.nameKey = NameKey(Utf8(object.GetName()));
    switch (object.GetObjectType()) {
    case kQuarnGeographicCS:
        m.kind = MeaningKind::Geographic;
        return DescribeGeographic(static_cast<const CS_GeographicCoordinateSystem&>(object), m);
    case kQuarnProjectedCS: {
        const auto& p = static_cast<const CS_ProjectedCoordinateSystem&>(object);
        const CS_GeographicCoordinateSystem* g = p.GetGeographicCoordinateSystem();
        if (g == nullptr || p.GetProjection() == nullptr || p.GetLinearUnit() == nullptr ||
            !DescribeGeographic(*g, m))
            return false;
        m.kind = MeaningKind::Projected;
        m.axes[0] = StatedAxis(p.GetAxis(0), 0);
        m.axes[1] = StatedAxis(p.GetAxis(1), 1);
        m.linearUnit = p.GetLinearUnit()->GetMetersPerUnit();
        if (!DescribeProjection(*p.GetProjection(), m.angularUnit, m.linearUnit, m)) return false;
        // Krovak with its axes east and north is the north-orientated method.
        if ((m.method == 9819 || m.method == 1042) && m.axes[0] == CS_AO_East &&
            m.axes[1] == CS_AO_North)
            m.method = m.method == 9819 ? 1041 : 1043;
        return true;
    }
    case kQuarnGeocentricCS: {
        const auto& c = static_cast<const CS_GeocentricCoordinateSystem&>(object);
        if (c.GetLinearUnit() == nullptr ||
            !DescribeGeodetic(c.GetHorizontalDatum(), c.GetPrimeMeridian(), kDegree, m))
            return false;
        m.kind = MeaningKind::Geocentric;
        m.linearUnit = c.GetLinearUnit()->GetMetersPerUnit();
        return true;
    }
    case kQuarnVerticalCS: {
        const auto& v = static_cast<const CS_VerticalCoordinateSystem&>(object);
        const CS_VerticalDatum* datum = v.GetVerticalDatum();
        if (datum == nullptr || v.GetVerticalUnit() == nullptr) return false;
        m.kind = MeaningKind::Vertical;
        m.linearUnit = v.GetVerticalUnit()->GetMetersPerUnit();
        const CS_AxisInfo* axis = v.GetAxis(0);
        m.axes[0] = static_cast<std::int8_t>(
            axis != nullptr && axis->orientation == CS_AO_Down ? CS_AO_Down : CS_AO_Up);
        if (datum->GetDatumType() == 2002) {
            m.verticalDatumCode = -1; // a height above the ellipsoid
            return true;
        }
        const std::string name = Utf8(datum->GetName());
        m.verticalDatumKey = DatumNameKey(name);
        const EsriNameRecord* record = FindEsriName(kEsriVerticalDatum, 0, name);
        m.verticalDatumCode = record != nullptr ? record->epsgCode : 0;
        return true;
    }
    case kQuarnCompoundCS: {
        const auto& c = static_cast<const CS_CompoundCoordinateSystem&>(object);
        if (depth > 4 || c.GetHeadCS() == nullptr || c.GetTailCS() == nullptr) return false;
        m.parts.resize(2);
        if (!Describe(*c.GetHeadCS(), m.parts[0], depth + 1) ||
            !Describe(*c.GetTailCS(), m.parts[1], depth + 1))
            return false;
        const Meaning& head = m.parts[0];
        const Meaning& tail = m.parts[1];
        if (head.kind == MeaningKind::Geographic && tail.kind == MeaningKind::Vertical &&
            tail.verticalDatumCode == -1) {
            // A geographic system and a height above its ellipsoid: a 3D geographic system.
            std::string name = std::move(m.nameKey);
            Meaning geographic = head;
            const double unit = tail.linearUnit;
            m = std::move(geographic);
            m.kind = MeaningKind::Geographic3D;
            m.nameKey = std::move(name);
            m.linearUnit = unit;
            return true;
        }
        m.kind = MeaningKind::Compound;
        return true;
    }
    default:
        return false;
    }
}

bool SameEllipsoid(const Meaning& a, const Meaning& b) {
    if (std::fabs(a.semiMajorAxis - b.semiMajorAxis) > kSemiMajorAxisTolerance) return false;
    if (a.inverseFlattening == 0.0 || b.inverseFlattening == 0.0)
        return a.inverseFlattening == b.inverseFlattening;
    return Relative(a.inverseFlattening, b.inverseFlattening, kFlatteningTolerance);
}

bool HasShift(const Meaning& m) {
    return std::any_of(m.shift, m.shift + 7, [](double v) { return v != 0.0; });
}

bool SameGeodetic(const Meaning& a, const Meaning& b) {
    if (!SameEllipsoid(a, b)) return false;
    // ESRI writes prime meridians in degrees whatever the system's unit.
    const bool meridian =
        std::fabs(a.primeMeridian - b.primeMeridian) <= kPrimeMeridianTolerance ||
        std::fabs(a.primeMeridianWritten - b.primeMeridian) <= kPrimeMeridianTolerance ||
        std::fabs(a.primeMeridian - b.primeMeridianWritten) <= kPrimeMeridianTolerance;
    if (!meridian) return false;
    if (a.datumCode != 0 && b.datumCode != 0) return a.datumCode == b.datumCode;
    if (HasShift(a) && HasShift(b))
        for (int i = 0; i < 7; ++i)
            if (std::fabs(a.shift[i] - b.shift[i]) > kShiftTolerance) return false;
    return true;
}

bool SameUnit(double a, double b) {
    return Relative(a, b, kUnitTolerance);
}

bool SameGeographicAxes(const Meaning& a, const Meaning& b) {
    if (a.axes[0] == 0 || a.axes[1] == 0 || b.axes[0] == 0 || b.axes[1] == 0) return true;
    return (a.axes[0] == b.axes[0] && a.axes[1] == b.axes[1]) ||
           (a.axes[0] == b.axes[1] && a.axes[1] == b.axes[0]);
}

bool SameParameter(ProjectionRole role, double a, double b) {
    const double zero = detail::IsAngleRole(role)    ? kAngleZero
                        : detail::IsLengthRole(role) ? kLengthZero
                                                     : kRatioZero;
    return Close(a, b, kParameterTolerance, zero);
}

bool SymmetricInParallels(int method) {
    return method == 9802 || method == 9822 || method == 9803 || method == 1051;
}

bool SameProjection(const Meaning& a, const Meaning& b) {
    if (a.method != b.method) return false;
    if (a.method == 0 && a.methodKey != b.methodKey) return false;
    for (int i = 0; i < kProjectionRoleCount; ++i) {
        const auto role = static_cast<ProjectionRole>(i);
        if (role == kRoleStandardParallel1 || role == kRoleStandardParallel2) continue;
        if (!SameParameter(role, a.parameters[i], b.parameters[i])) return false;
    }
    const double a1 = a.parameters[kRoleStandardParallel1],
                 a2 = a.parameters[kRoleStandardParallel2];
    const double b1 = b.parameters[kRoleStandardParallel1],
                 b2 = b.parameters[kRoleStandardParallel2];
    const bool inOrder = SameParameter(kRoleStandardParallel1, a1, b1) &&
                         SameParameter(kRoleStandardParallel2, a2, b2);
    const bool swapped = SymmetricInParallels(a.method) &&
                         SameParameter(kRoleStandardParallel1, a1, b2) &&
                         SameParameter(kRoleStandardParallel2, a2, b1);
    if (!inOrder && !swapped) return false;
    if (a.otherParameters.size() != b.otherParameters.size()) return false;
    for (std::size_t i = 0; i < a.otherParameters.size(); ++i)
        if (a.otherParameters[i].first != b.otherParameters[i].first ||
            !Close(a.otherParameters[i].second, b.otherParameters[i].second, kParameterTolerance,
                   kRatioZero))
            return false;
    return true;
}

} // namespace

bool Describe(const CS_Info& system, Meaning& meaning) {
    return Describe(system, meaning, 0);
}

bool Equivalent(const Meaning& a, const Meaning& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case MeaningKind::Geographic:
        return SameGeodetic(a, b) && SameUnit(a.angularUnit, b.angularUnit) &&
               SameGeographicAxes(a, b);
    case MeaningKind::Geographic3D:
    case MeaningKind::Geocentric:
        return SameGeodetic(a, b) && SameUnit(a.linearUnit, b.linearUnit) &&
               (a.kind == MeaningKind::Geocentric || SameUnit(a.angularUnit, b.angularUnit));
    case MeaningKind::Projected:
        if (!SameGeodetic(a, b) || !SameUnit(a.linearUnit, b.linearUnit)) return false;
        if (a.axes[0] != 0 && a.axes[1] != 0 && b.axes[0] != 0 && b.axes[1] != 0 &&
            (a.axes[0] != b.axes[0] || a.axes[1] != b.axes[1]))
            return false;
        return SameProjection(a, b);
    case MeaningKind::Vertical:
        if (!SameUnit(a.linearUnit, b.linearUnit) || a.axes[0] != b.axes[0]) return false;
        if ((a.verticalDatumCode == -1) != (b.verticalDatumCode == -1)) return false;
        return a.verticalDatumCode == 0 || b.verticalDatumCode == 0 ||
               a.verticalDatumCode == b.verticalDatumCode;
    case MeaningKind::Compound:
        return a.parts.size() == 2 && b.parts.size() == 2 && Equivalent(a.parts[0], b.parts[0]) &&
               Equivalent(a.parts[1], b.parts[1]);
    case MeaningKind::None:
        break;
    }
    return false;
}

bool Equivalent(const CS_Info& a, const CS_Info& b) {
    Meaning ma, mb;
    return Describe(a, ma) && Describe(b, mb) && Equivalent(ma, mb);
}

bool SetEpsgProjection(Meaning& meaning, int methodCode, const int* parameterCodes,
                       const double* values, const char* const* names, int count) {
    meaning.method = methodCode;
    meaning.methodKey.clear();
    meaning.otherParameters.clear();
    std::fill(meaning.parameters, meaning.parameters + kProjectionRoleCount, 0.0);
    unsigned written = 0;
    for (int i = 0; i < count; ++i) {
        const ProjectionRole role = detail::RoleOfEpsgParameter(parameterCodes[i]);
        if (role == kProjectionRoleCount) {
            meaning.otherParameters.emplace_back(
                NameKey(names != nullptr && names[i] != nullptr ? names[i] : ""), values[i]);
            continue;
        }
        meaning.parameters[role] = values[i];
        written |= 1u << role;
    }
    detail::SettleMethod(meaning, written);
    std::sort(meaning.otherParameters.begin(), meaning.otherParameters.end());
    return methodCode > 0;
}

std::string NameKey(std::string_view utf8) {
    return detail::NameKey(utf8);
}

std::string DatumNameKey(std::string_view utf8) {
    return NameKey(utf8.substr(0, 2) == "D_" ? utf8.substr(2) : utf8);
}

} // namespace quarn
