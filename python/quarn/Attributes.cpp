// What a CRS is: its kind, axes, datum, ellipsoid, prime meridian, units, projection and
// parts, named as pyproj names them where the meaning is the same. The facts are taken
// under the factory's lock and become Python objects after it is released.
#include "Binding.h"

#include <quarn/interchange.h>

#include <pybind11/stl.h>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace quarn::python {
namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

struct AxisInfo {
    std::string name;
    std::string direction;
    std::string unitName;
    double unitConversionFactor = 0;
};

struct Ellipsoid {
    std::string name;
    double semiMajorMetre = 0;
    double semiMinorMetre = 0;
    double inverseFlattening = 0;
};

struct PrimeMeridian {
    std::string name;
    double longitude = 0; // degrees
};

struct Datum {
    std::string name;
    std::string typeName;
    long datumType = 0;
    std::optional<std::array<double, 7>> toWgs84;
};

struct Projection {
    std::string name;
    std::string method;
    std::vector<std::pair<std::string, double>> parameters;
};

// Runs `read` on the system under its factory's lock.
template <class Read> auto Locked(const Crs& crs, Read read) {
    FactoryLock lock(*crs.Factory());
    return read(crs.System());
}

long TypeOf(const CS_CoordinateSystem* system) {
    return system == nullptr ? -1 : system->GetObjectType();
}

const CS_CoordinateSystem* Head(const CS_CoordinateSystem* system) {
    return static_cast<const CS_CompoundCoordinateSystem*>(system)->GetHeadCS();
}
const CS_CoordinateSystem* Tail(const CS_CoordinateSystem* system) {
    return static_cast<const CS_CompoundCoordinateSystem*>(system)->GetTailCS();
}

// Whether the system is of `type`; a compound answers by its parts, as pyproj's does: the
// first part for the horizontal kinds, the second for vertical.
bool IsKind(const CS_CoordinateSystem* system, long type) {
    if (TypeOf(system) == kQuarnCompoundCS && type != kQuarnCompoundCS)
        return IsKind(type == kQuarnVerticalCS ? Tail(system) : Head(system), type);
    return TypeOf(system) == type;
}

const char* Direction(long orientation) {
    static const char* const kWords[] = {"other", "north", "south", "east", "west", "up", "down"};
    return orientation >= 0 && orientation <= 6 ? kWords[orientation] : "other";
}

std::vector<AxisInfo> AxesOf(const CS_CoordinateSystem* system) {
    std::vector<AxisInfo> axes;
    for (long i = 0; i < system->GetDimension(); ++i) {
        AxisInfo axis;
        if (const CS_AxisInfo* info = system->GetAxis(i)) {
            axis.name = QuarnEncodeUtf8(info->name);
            axis.direction = Direction(info->orientation);
        }
        if (const CS_Unit* unit = system->GetUnits(i)) {
            axis.unitName = Name(*unit);
            axis.unitConversionFactor = unit->GetIUnitsPerUnit();
        }
        axes.push_back(std::move(axis));
    }
    return axes;
}

// The geographic system a system stands on: itself, a projected system's, a compound's
// first part's.
const CS_CoordinateSystem* GeodeticOf(const CS_CoordinateSystem* system) {
    switch (TypeOf(system)) {
    case kQuarnGeographicCS:
    case kQuarnGeocentricCS:
        return system;
    case kQuarnProjectedCS:
        return static_cast<const CS_ProjectedCoordinateSystem*>(system)
            ->GetGeographicCoordinateSystem();
    case kQuarnCompoundCS:
        return GeodeticOf(Head(system));
    default:
        return nullptr;
    }
}

const CS_HorizontalDatum* HorizontalDatumOf(const CS_CoordinateSystem* system) {
    const CS_CoordinateSystem* geodetic = GeodeticOf(system);
    if (TypeOf(geodetic) == kQuarnGeographicCS)
        return static_cast<const CS_GeographicCoordinateSystem*>(geodetic)->GetHorizontalDatum();
    if (TypeOf(geodetic) == kQuarnGeocentricCS)
        return static_cast<const CS_GeocentricCoordinateSystem*>(geodetic)->GetHorizontalDatum();
    return nullptr;
}

std::optional<Datum> DatumOf(const CS_CoordinateSystem* system) {
    const CS_Datum* datum = nullptr;
    const char* typeName = "Geodetic Reference Frame";
    switch (TypeOf(system)) {
    case kQuarnGeographicCS:
    case kQuarnGeocentricCS:
    case kQuarnProjectedCS:
        datum = HorizontalDatumOf(system);
        break;
    case kQuarnVerticalCS:
        datum = static_cast<const CS_VerticalCoordinateSystem*>(system)->GetVerticalDatum();
        typeName = "Vertical Reference Frame";
        break;
    case kQuarnLocalCS:
        datum = static_cast<const CS_LocalCoordinateSystem*>(system)->GetLocalDatum();
        typeName = "Engineering Datum";
        break;
    default:
        break;
    }
    if (datum == nullptr) return std::nullopt;
    Datum value{Name(*datum), typeName, datum->GetDatumType(), std::nullopt};
    if (datum->GetObjectType() == kQuarnHorizontalDatum) {
        auto horizontal = static_cast<const CS_HorizontalDatum*>(datum);
        if (const CS_WGS84ConversionInfo* shift = horizontal->GetWGS84Parameters())
            value.toWgs84 = std::array<double, 7>{shift->Dx, shift->Dy, shift->Dz, shift->Ex,
                                                  shift->Ey, shift->Ez, shift->Ppm};
    }
    return value;
}

std::optional<Ellipsoid> EllipsoidOf(const CS_CoordinateSystem* system) {
    const CS_HorizontalDatum* datum = HorizontalDatumOf(system);
    const CS_Ellipsoid* ellipsoid = datum == nullptr ? nullptr : datum->GetEllipsoid();
    if (ellipsoid == nullptr) return std::nullopt;
    double a = ellipsoid->GetSemiMajorAxis();
    double rf = ellipsoid->GetInverseFlattening();
    return Ellipsoid{Name(*ellipsoid), a, rf == 0 ? a : a - a / rf, rf};
}

std::optional<PrimeMeridian> PrimeMeridianOf(const CS_CoordinateSystem* system) {
    const CS_CoordinateSystem* geodetic = GeodeticOf(system);
    const CS_PrimeMeridian* meridian = nullptr;
    if (TypeOf(geodetic) == kQuarnGeographicCS)
        meridian = static_cast<const CS_GeographicCoordinateSystem*>(geodetic)->GetPrimeMeridian();
    if (TypeOf(geodetic) == kQuarnGeocentricCS)
        meridian = static_cast<const CS_GeocentricCoordinateSystem*>(geodetic)->GetPrimeMeridian();
    if (meridian == nullptr) return std::nullopt;
    return PrimeMeridian{Name(*meridian), meridian->GetLongitude() * kDegreesPerRadian};
}

// The name of the first unit of the axes that is of `unitType` (linear or angular).
std::optional<std::string> UnitOf(const CS_CoordinateSystem* system, long unitType) {
    for (long i = 0; i < system->GetDimension(); ++i) {
        const CS_Unit* unit = system->GetUnits(i);
        if (unit != nullptr && unit->GetObjectType() == unitType) return Name(*unit);
    }
    return std::nullopt;
}

std::optional<Projection> ProjectionOf(const CS_CoordinateSystem* system) {
    if (TypeOf(system) != kQuarnProjectedCS) return std::nullopt;
    const CS_Projection* projection =
        static_cast<const CS_ProjectedCoordinateSystem*>(system)->GetProjection();
    if (projection == nullptr) return std::nullopt;
    Projection value{Name(*projection), QuarnEncodeUtf8(projection->GetClassName()), {}};
    for (long i = 0; i < projection->GetNumParameters(); ++i)
        if (const CS_ProjectionParameter* parameter = projection->GetParameter(i))
            value.parameters.emplace_back(QuarnEncodeUtf8(parameter->name), parameter->value);
    return value;
}

template <class Value> std::string Repr(const char* kind, const Value& value) {
    return std::string("<quarn.") + kind + " \"" + value.name + "\">";
}

} // namespace

const char* TypeName(const CS_CoordinateSystem* system) {
    switch (TypeOf(system)) {
    case kQuarnCompoundCS:
        return "Compound CRS";
    case kQuarnFittedHorizontalCS:
    case kQuarnFittedVerticalCS:
        return "Fitted CRS";
    case kQuarnProjectedCS:
        return "Projected CRS";
    case kQuarnGeographicCS:
        return "Geographic 2D CRS";
    case kQuarnGeocentricCS:
        return "Geocentric CRS";
    case kQuarnVerticalCS:
        return "Vertical CRS";
    case kQuarnLocalCS:
        return "Engineering CRS";
    default:
        return "CRS";
    }
}

void DefineAttributes(py::module_& module, py::class_<Crs>& crs) {
    py::class_<AxisInfo>(module, "AxisInfo")
        .def_readonly("name", &AxisInfo::name)
        .def_readonly("direction", &AxisInfo::direction)
        .def_readonly("unit_name", &AxisInfo::unitName)
        .def_readonly("unit_conversion_factor", &AxisInfo::unitConversionFactor)
        .def("__repr__", [](const AxisInfo& axis) {
            return "<quarn.AxisInfo \"" + axis.name + "\" " + axis.direction + " " + axis.unitName +
                   ">";
        });
    py::class_<Ellipsoid>(module, "Ellipsoid")
        .def_readonly("name", &Ellipsoid::name)
        .def_readonly("semi_major_metre", &Ellipsoid::semiMajorMetre)
        .def_readonly("semi_minor_metre", &Ellipsoid::semiMinorMetre)
        .def_readonly("inverse_flattening", &Ellipsoid::inverseFlattening)
        .def("__repr__", [](const Ellipsoid& e) { return Repr("Ellipsoid", e); });
    py::class_<PrimeMeridian>(module, "PrimeMeridian")
        .def_readonly("name", &PrimeMeridian::name)
        .def_readonly("longitude", &PrimeMeridian::longitude)
        .def_property_readonly("unit_name", [](const PrimeMeridian&) { return "degree"; })
        .def("__repr__", [](const PrimeMeridian& m) { return Repr("PrimeMeridian", m); });
    py::class_<Datum>(module, "Datum")
        .def_readonly("name", &Datum::name)
        .def_readonly("type_name", &Datum::typeName)
        .def_readonly("datum_type", &Datum::datumType)
        .def_readonly("to_wgs84", &Datum::toWgs84)
        .def("__repr__", [](const Datum& d) { return Repr("Datum", d); });
    py::class_<Projection>(module, "Projection")
        .def_readonly("name", &Projection::name)
        .def_readonly("method", &Projection::method)
        .def_property_readonly("parameters",
                               [](const Projection& p) {
                                   py::dict parameters;
                                   for (const auto& [name, value] : p.parameters)
                                       parameters[py::str(name)] = value;
                                   return parameters;
                               })
        .def("__repr__", [](const Projection& p) { return Repr("Projection", p); });

    crs.def_property_readonly(
           "name", [](const Crs& c) { return Locked(c, [](auto s) { return Name(*s); }); })
        .def_property_readonly(
            "type_name", [](const Crs& c) { return Locked(c, [](auto s) { return TypeName(s); }); })
        .def_property_readonly("is_geographic",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return IsKind(s, kQuarnGeographicCS); });
                               })
        .def_property_readonly("is_projected",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return IsKind(s, kQuarnProjectedCS); });
                               })
        .def_property_readonly("is_geocentric",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return IsKind(s, kQuarnGeocentricCS); });
                               })
        .def_property_readonly("is_vertical",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return IsKind(s, kQuarnVerticalCS); });
                               })
        .def_property_readonly("is_compound",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return IsKind(s, kQuarnCompoundCS); });
                               })
        .def_property_readonly("axis_info", [](const Crs& c) { return Locked(c, AxesOf); })
        .def_property_readonly("datum", [](const Crs& c) { return Locked(c, DatumOf); })
        .def_property_readonly("ellipsoid", [](const Crs& c) { return Locked(c, EllipsoidOf); })
        .def_property_readonly("prime_meridian",
                               [](const Crs& c) { return Locked(c, PrimeMeridianOf); })
        .def_property_readonly("linear_units",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return UnitOf(s, kQuarnLinearUnit); });
                               })
        .def_property_readonly("angular_units",
                               [](const Crs& c) {
                                   return Locked(
                                       c, [](auto s) { return UnitOf(s, kQuarnAngularUnit); });
                               })
        .def_property_readonly("projection", [](const Crs& c) { return Locked(c, ProjectionOf); })
        .def_property_readonly(
            "sub_crs_list",
            [](const Crs& c) {
                py::list parts;
                auto [head, tail] = Locked(c, [](auto s) {
                    using Parts = std::pair<const CS_CoordinateSystem*, const CS_CoordinateSystem*>;
                    if (TypeOf(s) != kQuarnCompoundCS) return Parts{};
                    return Parts{Head(s), Tail(s)};
                });
                for (const CS_CoordinateSystem* part : {head, tail})
                    if (part != nullptr) parts.append(Wrap(c.Factory(), part));
                return parts;
            })
        .def_property_readonly("geodetic_crs", [](const Crs& c) -> py::object {
            const CS_CoordinateSystem* geodetic = Locked(c, GeodeticOf);
            if (geodetic == nullptr) return py::none();
            return Wrap(c.Factory(), geodetic);
        });
}

} // namespace quarn::python
