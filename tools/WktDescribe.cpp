#include "WktDescribe.h"

#include <quarn/model/Constants.h>
#include <quarn/model/ObjectKinds.h>
#include <quarn/quarn.h>

#include <cstdarg>
#include <cstdio>
#include <cwctype>

namespace {

constexpr double kDegreesPerRadian = 180.0 / quarn::kPi;

std::string Number(double value) {
    char text[64];
    // Adding zero turns -0 into 0: a description has no use for the sign of zero.
    std::snprintf(text, sizeof text, "%.15G", value + 0.0);
    return text;
}

std::string Quoted(const wchar_t* name) {
    return "\"" + QuarnEncodeUtf8(name) + "\"";
}

// " (AUTHORITY CODE)" when the object carries an authority, otherwise nothing.
std::string Authority(const CS_Info* info) {
    std::string authority = QuarnEncodeUtf8(info->GetAuthority());
    std::string code = QuarnEncodeUtf8(info->GetAuthorityCode());
    if (authority.empty() && code.empty()) return "";
    return " (" + authority + (code.empty() ? "" : " " + code) + ")";
}

const char* Orientation(long code) {
    static const char* const kWords[] = {"other", "north", "south", "east", "west", "up", "down"};
    return code >= 0 && code <= 6 ? kWords[code] : "unknown";
}

const char* Kind(long objectType) {
    return quarn::IsSystemType(objectType) ? quarn::ObjectKindOf(objectType)->name
                                           : "coordinate system";
}

// Writes one fact a line, indented by the depth of the part it belongs to.
class Describer {
public:
    std::string text;

    void System(const CS_CoordinateSystem* system, int depth, const char* role) {
        if (system == nullptr) {
            Line(depth, "%s(none)", role);
            return;
        }
        long type = system->GetObjectType();
        Line(depth, "%s%s %s%s", role, Kind(type), Quoted(system->GetName()).c_str(),
             Authority(system).c_str());
        ++depth;
        Line(depth, "type codes: object %ld, system %ld (extended %ld), height %ld", type,
             system->GetSystemType(), system->GetSystemTypeEx(), system->GetHeightType());
        Line(depth, "dimension: %ld", system->GetDimension());
        for (long i = 0; i < system->GetDimension(); ++i)
            Axis(system, i, depth);
        Parts(system, type, depth);
    }

private:
    void Line(int depth, const char* format, ...) {
        char line[1024];
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(line, sizeof line, format, arguments);
        va_end(arguments);
        text.append(static_cast<std::size_t>(depth) * 2, ' ');
        text += line;
        text += '\n';
    }

    void Axis(const CS_CoordinateSystem* system, long index, int depth) {
        const CS_AxisInfo* axis = system->GetAxis(index);
        const CS_Unit* unit = system->GetUnits(index);
        Line(depth, "axis %ld: %s %s, unit %s", index + 1,
             axis ? Quoted(axis->name).c_str() : "(none)",
             axis ? Orientation(axis->orientation) : "",
             unit ? Quoted(unit->GetName()).c_str() : "(none)");
    }

    void Parts(const CS_CoordinateSystem* system, long type, int depth) {
        switch (type) {
        case kQuarnCompoundCS: {
            auto compound = static_cast<const CS_CompoundCoordinateSystem*>(system);
            System(compound->GetHeadCS(), depth, "head: ");
            System(compound->GetTailCS(), depth, "tail: ");
            break;
        }
        case kQuarnFittedHorizontalCS: {
            auto fitted = static_cast<const CQuarnFittedHorizontalCoordinateSystem*>(system);
            Line(depth,
                 "corrections (Local_Grid): E0 %s, N0 %s, K %s, DE %s, DN %s, Beta %s degrees",
                 Number(fitted->GetE0()).c_str(), Number(fitted->GetN0()).c_str(),
                 Number(fitted->GetK()).c_str(), Number(fitted->GetDE()).c_str(),
                 Number(fitted->GetDN()).c_str(),
                 Number(fitted->GetBeta() * kDegreesPerRadian).c_str());
            System(fitted->GetBaseCoordinateSystem(), depth, "base: ");
            break;
        }
        case kQuarnFittedVerticalCS: {
            auto fitted = static_cast<const CQuarnFittedVerticalCoordinateSystem*>(system);
            Line(depth,
                 "corrections (Linear_Correction): dH %s, Gl %s, Gg %s, L0 %s degrees, G0 %s "
                 "degrees",
                 Number(fitted->GetdH()).c_str(), Number(fitted->GetGl()).c_str(),
                 Number(fitted->GetGg()).c_str(),
                 Number(fitted->GetL0() * kDegreesPerRadian).c_str(),
                 Number(fitted->GetG0() * kDegreesPerRadian).c_str());
            System(fitted->GetBaseCoordinateSystem(), depth, "base: ");
            break;
        }
        case kQuarnProjectedCS: {
            auto projected = static_cast<const CS_ProjectedCoordinateSystem*>(system);
            Unit("linear unit", projected->GetLinearUnit(), "metres", depth);
            Projection(projected->GetProjection(), depth);
            if (projected->GetAzimuth() != 0.0 ||
                (projected->GetProjection() != nullptr &&
                 (projected->GetProjection()->GetType() == PT_GroundSystem ||
                  projected->GetProjection()->GetType() == PT_GroundSystemAzimuth)))
                Line(depth, "azimuth: %s degrees",
                     Number(projected->GetAzimuth() * kDegreesPerRadian).c_str());
            System(projected->GetGeographicCoordinateSystem(), depth, "");
            break;
        }
        case kQuarnGeographicCS: {
            auto geographic = static_cast<const CS_GeographicCoordinateSystem*>(system);
            Unit("angular unit", geographic->GetAngularUnit(), "radians", depth);
            HorizontalDatum(geographic->GetHorizontalDatum(), depth);
            PrimeMeridian(geographic->GetPrimeMeridian(), depth);
            break;
        }
        case kQuarnGeocentricCS: {
            auto geocentric = static_cast<const CS_GeocentricCoordinateSystem*>(system);
            Unit("linear unit", geocentric->GetLinearUnit(), "metres", depth);
            HorizontalDatum(geocentric->GetHorizontalDatum(), depth);
            PrimeMeridian(geocentric->GetPrimeMeridian(), depth);
            break;
        }
        case kQuarnVerticalCS: {
            auto vertical = static_cast<const CS_VerticalCoordinateSystem*>(system);
            Unit("linear unit", vertical->GetVerticalUnit(), "metres", depth);
            Datum("vertical datum", vertical->GetVerticalDatum(), depth);
            break;
        }
        case kQuarnLocalCS:
            Datum("local datum",
                  static_cast<const CS_LocalCoordinateSystem*>(system)->GetLocalDatum(), depth);
            break;
        }
    }

    void Unit(const char* what, const CS_Unit* unit, const char* base, int depth) {
        if (unit == nullptr) return;
        Line(depth, "%s: %s%s, %s %s", what, Quoted(unit->GetName()).c_str(),
             Authority(unit).c_str(), Number(unit->GetIUnitsPerUnit()).c_str(), base);
    }

    void Datum(const char* what, const CS_Datum* datum, int depth) {
        if (datum == nullptr) return;
        Line(depth, "%s: %s%s, type %ld", what, Quoted(datum->GetName()).c_str(),
             Authority(datum).c_str(), datum->GetDatumType());
    }

    void HorizontalDatum(const CS_HorizontalDatum* datum, int depth) {
        if (datum == nullptr) return;
        Datum("datum", datum, depth);
        ++depth;
        if (const CS_Ellipsoid* ellipsoid = datum->GetEllipsoid())
            Line(depth, "ellipsoid: %s%s, semi-major axis %s metres, inverse flattening %s",
                 Quoted(ellipsoid->GetName()).c_str(), Authority(ellipsoid).c_str(),
                 Number(ellipsoid->GetSemiMajorAxis()).c_str(),
                 Number(ellipsoid->GetInverseFlattening()).c_str());
        // The shift as TOWGS84 writes it: the rotations with the sign the text carries.
        if (const CS_WGS84ConversionInfo* shift = datum->GetWGS84Parameters())
            Line(depth, "shift to WGS 84: dx %s, dy %s, dz %s, rx %s, ry %s, rz %s, ppm %s",
                 Number(shift->Dx).c_str(), Number(shift->Dy).c_str(), Number(shift->Dz).c_str(),
                 Number(-shift->Ex).c_str(), Number(-shift->Ey).c_str(), Number(-shift->Ez).c_str(),
                 Number(shift->Ppm).c_str());
        const CS_3DIMInfo* grids = datum->Get3DIMParameters();
        if (grids != nullptr && (grids->LBFFileName[0] != 0 || grids->COPFileName[0] != 0))
            Line(depth, "grid files: %s, %s", Quoted(grids->LBFFileName).c_str(),
                 Quoted(grids->COPFileName).c_str());
    }

    void PrimeMeridian(const CS_PrimeMeridian* meridian, int depth) {
        if (meridian == nullptr) return;
        Line(depth, "prime meridian: %s%s, longitude %s degrees",
             Quoted(meridian->GetName()).c_str(), Authority(meridian).c_str(),
             Number(meridian->GetLongitude() * kDegreesPerRadian).c_str());
    }

    void Projection(const CS_Projection* projection, int depth) {
        if (projection == nullptr) return;
        Line(depth, "projection: %s%s, %ld parameters", Quoted(projection->GetClassName()).c_str(),
             Authority(projection).c_str(), projection->GetNumParameters());
        for (long i = 0; i < projection->GetNumParameters(); ++i) {
            const CS_ProjectionParameter* parameter = projection->GetParameter(i);
            if (parameter != nullptr)
                Line(depth + 1, "%s = %s", QuarnEncodeUtf8(parameter->name).c_str(),
                     Number(parameter->value).c_str());
        }
    }
};

} // namespace

std::string DescribeSystem(const CS_CoordinateSystem* system) {
    Describer describer;
    describer.System(system, 0, "");
    return describer.text;
}
