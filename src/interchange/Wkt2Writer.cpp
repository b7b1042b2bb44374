// Writing WKT 2 (ISO 19162:2019, or 2015) as PROJ writes it: every unit and identifier stated,
// methods and parameters under their EPSG names and codes (ProjectionMethods.h), a datum's shift to
// WGS 84 as a BOUNDCRS around the system, and a geographic or projected system paired with a height
// above its ellipsoid as one three-dimensional system.
#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"
#include "interchange/ProjectionMethods.h"
#include "interchange/Wkt2Internal.h"
#include "interchange/Wkt2Names.h"

#include <quarn/equivalent.h>
#include <quarn/model/Constants.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Utf8.h>

#include <cmath>
#include <cwchar>

using namespace quarn::detail;
using quarn::kProjectionRoleCount;
using quarn::ProjectionRole;

namespace {

class Writer {
public:
    Writer(std::string& out, std::string& reason, bool iso2015)
        : m_out(out), m_reason(reason), m_2015(iso2015) {}

    bool System(const CS_CoordinateSystem* system);

private:
    bool Refuse(std::string why) {
        if (m_reason.empty()) m_reason = std::move(why);
        return false;
    }
    bool Quoted(const std::string& text) {
        // WKT 2 writes a quote inside a text as two.
        m_out += '"';
        for (char c : text) {
            m_out += c;
            if (c == '"') m_out += '"';
        }
        m_out += '"';
        return true;
    }
    bool Number(double value) {
        if (!std::isfinite(value)) return Refuse("a value is not a finite number");
        m_out += ShortestNumber(value);
        return true;
    }
    bool Open(const char* keyword, const std::string& name) {
        m_out += keyword;
        m_out += '[';
        return Quoted(name);
    }
    void Id(const CS_Info& object) {
        const std::string authority = QuarnEncodeUtf8(object.GetAuthority());
        const std::string code = QuarnEncodeUtf8(object.GetAuthorityCode());
        if (authority.empty() || code.empty()) return;
        m_out += ",ID[";
        Quoted(authority);
        m_out += ',';
        if (code.find_first_not_of("0123456789") == std::string::npos && code.size() < 10)
            m_out += code;
        else
            Quoted(code);
        m_out += ']';
    }
    bool Unit(const char* keyword, const CS_Unit* unit) {
        if (unit == nullptr) return Refuse("a coordinate system has no unit");
        // WKT 2 states a unit by its positive conversion factor; another is not a unit.
        if (!(unit->GetIUnitsPerUnit() > 0.0))
            return Refuse("the unit " + BaseName(unit->GetName()) +
                          " has no positive conversion factor");
        if (!Open(keyword, BaseName(unit->GetName()))) return false;
        m_out += ',';
        if (!Number(unit->GetIUnitsPerUnit())) return false;
        Id(*unit);
        m_out += ']';
        return true;
    }

    bool Datum(const CS_HorizontalDatum* datum);
    bool PrimeMeridian(const CS_PrimeMeridian* meridian);
    bool Axes(const CS_CoordinateSystem& system, long count, const char* unitKeyword,
              const CS_Unit* unit, const char* const* directions = nullptr);
    bool Height(const CS_CoordinateSystem* tail, long order);
    bool Geographic(const CS_GeographicCoordinateSystem& system, const CS_Info& named,
                    const CS_CoordinateSystem* height);
    bool Conversion(const CS_ProjectedCoordinateSystem& system, const ProjectionForm& form);
    bool Parameter(const char* name, int code, ParameterKind kind, double value,
                   const CS_ProjectedCoordinateSystem& system);
    bool Projected(const CS_ProjectedCoordinateSystem& system, const CS_Info& named,
                   const CS_CoordinateSystem* height);
    bool Geocentric(const CS_GeocentricCoordinateSystem& system);
    bool Vertical(const CS_VerticalCoordinateSystem& system);
    bool Compound(const CS_CompoundCoordinateSystem& system);
    bool Local(const CS_LocalCoordinateSystem& system);
    bool Unbound(const CS_CoordinateSystem& system);

    // ISO 19162:2015 has no GEOGCRS (a geographic system is a GEODCRS) and no identifier of
    // a projected system's base.
    const char* GeographicKeyword() const { return m_2015 ? "GEODCRS" : "GEOGCRS"; }

    std::string& m_out;
    std::string& m_reason;
    bool m_2015;
};

const CS_HorizontalDatum* DatumOf(const CS_CoordinateSystem& system) {
    switch (system.GetObjectType()) {
    case kQuarnGeographicCS:
        return static_cast<const CS_GeographicCoordinateSystem&>(system).GetHorizontalDatum();
    case kQuarnGeocentricCS:
        return static_cast<const CS_GeocentricCoordinateSystem&>(system).GetHorizontalDatum();
    case kQuarnProjectedCS: {
        const CS_GeographicCoordinateSystem* base =
            static_cast<const CS_ProjectedCoordinateSystem&>(system)
                .GetGeographicCoordinateSystem();
        return base != nullptr ? base->GetHorizontalDatum() : nullptr;
    }
    case kQuarnCompoundCS: {
        const CS_CoordinateSystem* head =
            static_cast<const CS_CompoundCoordinateSystem&>(system).GetHeadCS();
        return head != nullptr ? DatumOf(*head) : nullptr;
    }
    default:
        return nullptr;
    }
}

// The shift to WGS 84 as TOWGS84 writes it (position vector rotations), or false when the
// datum has none or the all-zero one.
bool ShiftOf(const CS_HorizontalDatum* datum, double values[7]) {
    const CS_WGS84ConversionInfo* shift = datum != nullptr ? datum->GetWGS84Parameters() : nullptr;
    if (shift == nullptr) return false;
    const double held[] = {shift->Dx,  shift->Dy,  shift->Dz, -shift->Ex,
                           -shift->Ey, -shift->Ez, shift->Ppm};
    bool any = false;
    for (int i = 0; i < 7; ++i) {
        values[i] = held[i];
        any = any || held[i] != 0.0;
    }
    return any;
}

// The form in which the projection of `system` is written (ProjectionMethods.h).
ProjectionForm FormOfProjection(const CS_ProjectedCoordinateSystem& system) {
    const CS_Projection* projection = system.GetProjection();
    const CS_GeographicCoordinateSystem* base = system.GetGeographicCoordinateSystem();
    std::vector<HeldParameter> parameters;
    for (long i = 0; i < projection->GetNumParameters(); ++i)
        if (const CS_ProjectionParameter* parameter = projection->GetParameter(i))
            parameters.push_back({QuarnEncodeUtf8(parameter->name), parameter->value});
    const CS_Unit* angular = base != nullptr ? base->GetAngularUnit() : nullptr;
    const CS_Unit* linear = system.GetLinearUnit();
    const CS_HorizontalDatum* datum = base != nullptr ? base->GetHorizontalDatum() : nullptr;
    const CS_Ellipsoid* ellipsoid = datum != nullptr ? datum->GetEllipsoid() : nullptr;
    const double inverse = ellipsoid != nullptr ? ellipsoid->GetInverseFlattening() : 0.0;
    return FormOf(QuarnEncodeUtf8(projection->GetClassName()), parameters,
                  angular != nullptr ? angular->GetIUnitsPerUnit() : 0.0,
                  linear != nullptr ? linear->GetIUnitsPerUnit() : 0.0,
                  std::isfinite(inverse) ? inverse : 0.0);
}

bool Writer::Datum(const CS_HorizontalDatum* datum) {
    if (datum == nullptr) return Refuse("a coordinate system has no datum");
    const CS_3DIMInfo* grids = datum->Get3DIMParameters();
    if (grids != nullptr && (grids->LBFFileName[0] != 0 || grids->COPFileName[0] != 0))
        return Refuse("the datum " + BaseName(datum->GetName()) +
                      " is defined by grid files, which WKT 2 cannot carry");
    // The EPSG name where the WKT 1 name held is the one GDAL gives it; the reader takes it
    // back to that WKT 1 name.
    std::string name = BaseName(datum->GetName());
    if (const EsriNameRecord* record = FindEsriName(kEsriDatum, EpsgCode(*datum), name))
        if (Wkt1DatumName(record->epsgName) == name) {
            // An ensemble is named for its datum.
            name = record->epsgName;
            constexpr std::string_view kEnsemble = " ensemble";
            if (name.size() > kEnsemble.size() &&
                name.compare(name.size() - kEnsemble.size(), kEnsemble.size(), kEnsemble) == 0)
                name.resize(name.size() - kEnsemble.size());
        }
    const CS_Ellipsoid* ellipsoid = datum->GetEllipsoid();
    if (ellipsoid == nullptr) return Refuse("a datum has no ellipsoid");
    double inverseFlattening = ellipsoid->GetInverseFlattening();
    if (std::isinf(inverseFlattening)) inverseFlattening = 0.0;
    if (!Open("DATUM", name) ||
        !(m_out += ',', Open("ELLIPSOID", BaseName(ellipsoid->GetName()))) ||
        !(m_out += ',', Number(ellipsoid->GetSemiMajorAxis())) ||
        !(m_out += ',', Number(inverseFlattening)))
        return false;
    m_out += ",LENGTHUNIT[\"metre\",1]";
    Id(*ellipsoid);
    m_out += ']';
    Id(*datum);
    m_out += ']';
    return true;
}

bool Writer::PrimeMeridian(const CS_PrimeMeridian* meridian) {
    if (meridian == nullptr) return Refuse("a coordinate system has no prime meridian");
    if (!std::isfinite(meridian->GetLongitude()))
        return Refuse("a prime meridian's longitude is not a finite number");
    if (!Open("PRIMEM", BaseName(meridian->GetName()))) return false;
    m_out +=
        ',' + DegreesOf(meridian->GetLongitude()) + ",ANGLEUNIT[\"degree\",0.0174532925199433]";
    Id(*meridian);
    m_out += ']';
    return true;
}

bool Writer::Axes(const CS_CoordinateSystem& system, long count, const char* unitKeyword,
                  const CS_Unit* unit, const char* const* directions) {
    for (long i = 0; i < count; ++i) {
        const CS_AxisInfo* axis = system.GetAxis(i);
        const char* word = axis != nullptr ? Wkt2DirectionWord(axis->orientation) : nullptr;
        if (word == nullptr) return Refuse("an axis has no direction WKT 2 can write");
        m_out += ',';
        if (!Open("AXIS", QuarnEncodeUtf8(axis->name))) return false;
        m_out += ',';
        m_out += directions != nullptr ? directions[i] : word;
        m_out += ",ORDER[" + std::to_string(i + 1) + "],";
        if (!Unit(unitKeyword, unit)) return false;
        m_out += ']';
    }
    return true;
}

// A vertical system of heights above the ellipsoid (datum type 2002, axis up), which the
// reader makes the third axis of a geographic or projected system; null otherwise.
const CS_VerticalCoordinateSystem* EllipsoidalHeight(const CS_CoordinateSystem* tail) {
    if (tail == nullptr || tail->GetObjectType() != kQuarnVerticalCS) return nullptr;
    auto vertical = static_cast<const CS_VerticalCoordinateSystem*>(tail);
    const CS_VerticalDatum* datum = vertical->GetVerticalDatum();
    const CS_AxisInfo* axis = vertical->GetAxis(0);
    if (datum == nullptr || datum->GetDatumType() != 2002 || axis == nullptr ||
        axis->orientation != CS_AO_Up)
        return nullptr;
    return vertical;
}

bool Writer::Height(const CS_CoordinateSystem* tail, long order) {
    auto vertical = static_cast<const CS_VerticalCoordinateSystem*>(tail);
    m_out += ",AXIS[\"ellipsoidal height (h)\",up,ORDER[" + std::to_string(order) + "],";
    if (!Unit("LENGTHUNIT", vertical->GetVerticalUnit())) return false;
    m_out += ']';
    return true;
}

bool Writer::Geographic(const CS_GeographicCoordinateSystem& system, const CS_Info& named,
                        const CS_CoordinateSystem* height) {
    if (!Open(GeographicKeyword(), BaseName(named.GetName())) ||
        !(m_out += ',', Datum(system.GetHorizontalDatum())) ||
        !(m_out += ',', PrimeMeridian(system.GetPrimeMeridian())))
        return false;
    m_out += height != nullptr ? ",CS[ellipsoidal,3]" : ",CS[ellipsoidal,2]";
    if (!Axes(system, 2, "ANGLEUNIT", system.GetAngularUnit())) return false;
    if (height != nullptr && !Height(height, 3)) return false;
    Id(named);
    m_out += ']';
    return true;
}

bool Writer::Parameter(const char* name, int code, ParameterKind kind, double value,
                       const CS_ProjectedCoordinateSystem& system) {
    m_out += ',';
    if (!Open("PARAMETER", name)) return false;
    m_out += ',';
    if (!Number(value)) return false;
    m_out += ',';
    if (kind == ParameterKind::Angle) {
        if (!Unit("ANGLEUNIT", system.GetGeographicCoordinateSystem()->GetAngularUnit()))
            return false;
    } else if (kind == ParameterKind::Length) {
        if (!Unit("LENGTHUNIT", system.GetLinearUnit())) return false;
    } else {
        m_out += "SCALEUNIT[\"unity\",1]";
    }
    if (code > 0) m_out += ",ID[\"EPSG\"," + std::to_string(code) + "]";
    m_out += ']';
    return true;
}

bool Writer::Conversion(const CS_ProjectedCoordinateSystem& system, const ProjectionForm& form) {
    const CS_Projection* projection = system.GetProjection();
    const std::string method = QuarnEncodeUtf8(projection->GetClassName());
    if (OwnMethod(projection->GetType()))
        return Refuse("the method " + method + " is this library's own; WKT 2 has no form for it");
    if (!form.misplaced.empty())
        return Refuse("the parameter " + form.misplaced + " has no place in the method " +
                      form.row->wkt2);
    const Method* known = form.row;
    if (!Open("CONVERSION", BaseName(projection->GetName()).empty()
                                ? std::string("unnamed")
                                : BaseName(projection->GetName())) ||
        !(m_out += ',', Open("METHOD", known != nullptr ? known->wkt2 : method)))
        return false;
    if (known != nullptr && known->code > 0)
        m_out += ",ID[\"EPSG\"," + std::to_string(known->code) + "]";
    m_out += ']';
    if (form.byRole) {
        // Each parameter of the EPSG method once, by its role.
        for (int i = 0; i < known->count; ++i) {
            const MethodParameter& row = known->parameters[i];
            bool again = false;
            for (int j = 0; j < i; ++j)
                again = again || known->parameters[j].Code() == row.Code();
            if (!again &&
                !Parameter(row.Wkt2(), row.Code(), row.Kind(), form.values[row.epsg->role], system))
                return false;
        }
    } else {
        for (long i = 0; i < projection->GetNumParameters(); ++i) {
            const CS_ProjectionParameter* parameter = projection->GetParameter(i);
            const std::string name = QuarnEncodeUtf8(parameter->name);
            const MethodParameter* row =
                known != nullptr ? FindParameter(*known, 0, name) : nullptr;
            if (known != nullptr && row == nullptr) continue; // the scale of 1 above
            if (!Parameter(
                    row != nullptr ? row->Wkt2() : name.c_str(), row != nullptr ? row->Code() : 0,
                    row != nullptr ? row->Kind() : KindOfParameter(name), parameter->value, system))
                return false;
        }
    }
    m_out += ']';
    return true;
}

bool Writer::Projected(const CS_ProjectedCoordinateSystem& system, const CS_Info& named,
                       const CS_CoordinateSystem* height) {
    const CS_GeographicCoordinateSystem* base = system.GetGeographicCoordinateSystem();
    if (base == nullptr) return Refuse("a projected system has no geographic system");
    if (!Open("PROJCRS", BaseName(named.GetName())) ||
        !(m_out += ',', Open(m_2015 ? "BASEGEODCRS" : "BASEGEOGCRS", BaseName(base->GetName()))) ||
        !(m_out += ',', Datum(base->GetHorizontalDatum())) ||
        !(m_out += ',', PrimeMeridian(base->GetPrimeMeridian())) ||
        !(m_out += ',', Unit("ANGLEUNIT", base->GetAngularUnit())))
        return false;
    if (!m_2015) Id(*base);
    m_out += ']';
    if (system.GetProjection() == nullptr) return Refuse("a projected system has no projection");
    const ProjectionForm form = FormOfProjection(system);
    if (!(m_out += ',', Conversion(system, form))) return false;
    m_out += height != nullptr ? ",CS[Cartesian,3]" : ",CS[Cartesian,2]";
    // The axes a WKT 1 text without AXIS gives, which are not east and north under some
    // methods: as GDAL and PROJ read such a text.
    const ImpliedAxis* implied = nullptr;
    const CQuarnAxisInfo* defaults = QuarnDefaultAxes();
    bool asDefault = form.row != nullptr;
    for (long i = 0; i < 2 && asDefault; ++i) {
        const CS_AxisInfo* axis = system.GetAxis(i);
        asDefault = axis != nullptr && axis->orientation == defaults[i].orientation &&
                    std::wcscmp(axis->name, defaults[i].name) == 0;
    }
    if (asDefault)
        implied = ImpliedAxes(form.row->code,
                              form.degrees[form.row->code == 9829 ? quarn::kRoleStandardParallel1
                                                                  : quarn::kRoleLatitudeOfOrigin]);
    if (implied == nullptr && !Axes(system, 2, "LENGTHUNIT", system.GetLinearUnit())) return false;
    for (long i = 0; implied != nullptr && i < 2; ++i) {
        m_out += ",AXIS[\"" + std::string(implied[i].name) + "\"," + implied[i].direction;
        if (!std::isnan(implied[i].meridian))
            m_out += ",MERIDIAN[" + ShortestNumber(implied[i].meridian) +
                     ",ANGLEUNIT[\"degree\",0.0174532925199433]]";
        m_out += ",ORDER[" + std::to_string(i + 1) + "],";
        if (!Unit("LENGTHUNIT", system.GetLinearUnit())) return false;
        m_out += ']';
    }
    if (height != nullptr && !Height(height, 3)) return false;
    Id(named);
    m_out += ']';
    return true;
}

bool Writer::Geocentric(const CS_GeocentricCoordinateSystem& system) {
    // WKT 1's geocentric axes (other, other, north) are WKT 2's geocentric X, Y and Z.
    static const char* const kGeocentric[] = {"geocentricX", "geocentricY", "geocentricZ"};
    static const long kWkt1[] = {CS_AO_Other, CS_AO_Other, CS_AO_North};
    bool geocentric = true;
    for (long i = 0; i < 3; ++i) {
        const CS_AxisInfo* axis = system.GetAxis(i);
        geocentric = geocentric && axis != nullptr && axis->orientation == kWkt1[i];
    }
    if (!Open("GEODCRS", BaseName(system.GetName())) ||
        !(m_out += ',', Datum(system.GetHorizontalDatum())) ||
        !(m_out += ',', PrimeMeridian(system.GetPrimeMeridian())))
        return false;
    m_out += ",CS[Cartesian,3]";
    if (!Axes(system, 3, "LENGTHUNIT", system.GetLinearUnit(), geocentric ? kGeocentric : nullptr))
        return false;
    Id(system);
    m_out += ']';
    return true;
}

bool Writer::Vertical(const CS_VerticalCoordinateSystem& system) {
    const CS_VerticalDatum* datum = system.GetVerticalDatum();
    if (datum == nullptr) return Refuse("a vertical system has no datum");
    if (datum->GetDatumType() != 2005)
        return Refuse("the vertical datum type " + std::to_string(datum->GetDatumType()) +
                      " has no WKT 2 form (heights above an ellipsoid are written as the third "
                      "axis of their geographic or projected system)");
    if (!Open("VERTCRS", BaseName(system.GetName())) ||
        !(m_out += ',', Open("VDATUM", BaseName(datum->GetName()))))
        return false;
    Id(*datum);
    m_out += "],CS[vertical,1]";
    if (!Axes(system, 1, "LENGTHUNIT", system.GetVerticalUnit())) return false;
    Id(system);
    m_out += ']';
    return true;
}

bool Writer::Compound(const CS_CompoundCoordinateSystem& system) {
    const CS_CoordinateSystem* head = system.GetHeadCS();
    const CS_CoordinateSystem* tail = system.GetTailCS();
    if (head == nullptr || tail == nullptr) return Refuse("a compound system lacks a part");
    if (EllipsoidalHeight(tail) != nullptr) {
        if (head->GetObjectType() == kQuarnGeographicCS)
            return Geographic(static_cast<const CS_GeographicCoordinateSystem&>(*head), system,
                              tail);
        if (head->GetObjectType() == kQuarnProjectedCS)
            return Projected(static_cast<const CS_ProjectedCoordinateSystem&>(*head), system, tail);
    }
    if (!Open("COMPOUNDCRS", BaseName(system.GetName())) || !(m_out += ',', System(head)) ||
        !(m_out += ',', System(tail)))
        return false;
    Id(system);
    m_out += ']';
    return true;
}

bool Writer::Local(const CS_LocalCoordinateSystem& system) {
    const CS_LocalDatum* datum = system.GetLocalDatum();
    if (datum == nullptr) return Refuse("a local system has no datum");
    if (datum->GetDatumType() != 32767)
        return Refuse("the local datum type " + std::to_string(datum->GetDatumType()) +
                      " has no WKT 2 form (an engineering datum has no type)");
    const long count = system.GetDimension();
    if (!Open("ENGCRS", BaseName(system.GetName())) ||
        !(m_out += ',', Open("EDATUM", BaseName(datum->GetName()))))
        return false;
    Id(*datum);
    m_out += "],CS[Cartesian," + std::to_string(count) + "]";
    for (long i = 1; i < count; ++i)
        if (system.GetUnits(i) != system.GetUnits(0))
            return Refuse("the axes of the local system have different units");
    if (!Axes(system, count, "LENGTHUNIT", system.GetUnits(0))) return false;
    Id(system);
    m_out += ']';
    return true;
}

bool Writer::Unbound(const CS_CoordinateSystem& system) {
    switch (system.GetObjectType()) {
    case kQuarnGeographicCS:
        return Geographic(static_cast<const CS_GeographicCoordinateSystem&>(system), system,
                          nullptr);
    case kQuarnProjectedCS:
        return Projected(static_cast<const CS_ProjectedCoordinateSystem&>(system), system, nullptr);
    case kQuarnGeocentricCS:
        return Geocentric(static_cast<const CS_GeocentricCoordinateSystem&>(system));
    case kQuarnVerticalCS:
        return Vertical(static_cast<const CS_VerticalCoordinateSystem&>(system));
    case kQuarnCompoundCS:
        return Compound(static_cast<const CS_CompoundCoordinateSystem&>(system));
    case kQuarnLocalCS:
        return Local(static_cast<const CS_LocalCoordinateSystem&>(system));
    case kQuarnFittedHorizontalCS:
    case kQuarnFittedVerticalCS:
        return Refuse("a fitted system (Local_Grid or Linear_Correction) has no WKT 2 form that "
                      "this library writes");
    default:
        return Refuse("WKT 2 is written for coordinate systems only");
    }
}

// A system whose datum shifts to WGS 84 is the source of a BOUNDCRS, as PROJ writes a WKT 1
// TOWGS84 clause in WKT 2; a compound is bound in its horizontal part.
bool Writer::System(const CS_CoordinateSystem* system) {
    if (system == nullptr) return Refuse("a system lacks a part");
    double shift[7];
    const bool threeDimensional =
        system->GetObjectType() == kQuarnCompoundCS &&
        EllipsoidalHeight(static_cast<const CS_CompoundCoordinateSystem*>(system)->GetTailCS());
    if ((system->GetObjectType() == kQuarnCompoundCS && !threeDimensional) ||
        !ShiftOf(DatumOf(*system), shift))
        return Unbound(*system);
    const bool translation =
        shift[3] == 0.0 && shift[4] == 0.0 && shift[5] == 0.0 && shift[6] == 0.0;
    m_out += "BOUNDCRS[SOURCECRS[";
    if (!Unbound(*system)) return false;
    m_out += "],TARGETCRS[";
    m_out += GeographicKeyword();
    m_out += "[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID["
             "\"WGS 84\",6378137,298.257223563,LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,"
             "ANGLEUNIT[\"degree\",0.0174532925199433]],CS[ellipsoidal,2],AXIS[\"latitude\",north,"
             "ORDER[1],ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"longitude\",east,ORDER[2],"
             "ANGLEUNIT[\"degree\",0.0174532925199433]],ID[\"EPSG\",4326]]],"
             "ABRIDGEDTRANSFORMATION[";
    Quoted("Transformation from " + BaseName(system->GetName()) + " to WGS84");
    m_out += translation ? ",METHOD[\"Geocentric translations (geog2D domain)\",ID[\"EPSG\",9603]]"
                         : ",METHOD[\"Position Vector transformation (geog2D domain)\",ID["
                           "\"EPSG\",9606]]";
    static const char* const kNames[] = {
        "X-axis translation", "Y-axis translation", "Z-axis translation", "X-axis rotation",
        "Y-axis rotation",    "Z-axis rotation",    "Scale difference"};
    for (int i = 0; i < (translation ? 3 : 7); ++i) {
        m_out += ',';
        Open("PARAMETER", kNames[i]);
        m_out += ',';
        // The abridged form gives the scale as a factor.
        if (!Number(i == 6 ? 1.0 + shift[i] * 1e-6 : shift[i])) return false;
        m_out += ",ID[\"EPSG\"," + std::to_string(8605 + i) + "]]";
    }
    m_out += "]]";
    return true;
}

} // namespace

bool quarn::detail::WriteWkt2(const CS_Info& object, std::string& out, std::string& reason,
                              bool iso2015) {
    out.clear();
    reason.clear();
    Writer writer(out, reason, iso2015);
    const long type = object.GetObjectType();
    const bool system = type == kQuarnGeographicCS || type == kQuarnProjectedCS ||
                        type == kQuarnGeocentricCS || type == kQuarnVerticalCS ||
                        type == kQuarnCompoundCS || type == kQuarnLocalCS ||
                        type == kQuarnFittedHorizontalCS || type == kQuarnFittedVerticalCS;
    if (!system) {
        reason = "WKT 2 is written for coordinate systems only";
        return false;
    }
    return writer.System(static_cast<const CS_CoordinateSystem*>(&object));
}
