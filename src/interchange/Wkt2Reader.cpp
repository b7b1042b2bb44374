// Reading WKT 2: the text is split into elements, each system is rewritten into the
// canonical WKT 1 elements of the same system (units converted, methods and parameters
// renamed through the one table of ProjectionMethods.h), and the canonical text goes to the
// factory's reader with the way back to the original positions. What the model cannot hold
// is refused on its keyword; what only describes a system's use (USAGE, SCOPE, AREA, BBOX,
// extents, REMARK) is left aside.
#include "interchange/DialectElements.h"
#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"
#include "interchange/ProjectionMethods.h"
#include "interchange/Wkt2Internal.h"
#include "interchange/Wkt2Names.h"

#include <quarn/model/Constants.h>
#include <quarn/model/Text.h>
#include <quarn/model/Utf8.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <cwchar>

using namespace quarn::detail;
using quarn::DialectRewrite;

namespace {

// A count, an order or a code as the text writes it; -1 for a number no such thing can be
// (out of range, not a number), which the checks after refuse.
long WholeNumber(double value) {
    return value >= -1e9 && value <= 1e9 ? static_cast<long>(value) : -1L;
}

// Keywords of WKT 2 systems, and those of WKT 2 that are not systems; the first keyword of
// a text says which WKT it is.
const wchar_t* const kGeodeticKeywords[] = {L"GEOGCRS", L"GEODCRS", L"GEOGRAPHICCRS",
                                            L"GEODETICCRS"};
const wchar_t* const kWkt2Keywords[] = {L"GEOGCRS",
                                        L"GEODCRS",
                                        L"GEOGRAPHICCRS",
                                        L"GEODETICCRS",
                                        L"PROJCRS",
                                        L"PROJECTEDCRS",
                                        L"VERTCRS",
                                        L"VERTICALCRS",
                                        L"COMPOUNDCRS",
                                        L"ENGCRS",
                                        L"ENGINEERINGCRS",
                                        L"BOUNDCRS",
                                        L"TIMECRS",
                                        L"PARAMETRICCRS",
                                        L"IMAGECRS",
                                        L"DERIVEDPROJCRS",
                                        L"COORDINATEOPERATION",
                                        L"CONCATENATEDOPERATION",
                                        L"POINTMOTIONOPERATION",
                                        L"COORDINATEMETADATA"};
// Elements that describe where and how a system is used, read and left aside.
const wchar_t* const kUsageKeywords[] = {L"USAGE",  L"SCOPE",          L"AREA",
                                         L"BBOX",   L"VERTICALEXTENT", L"TIMEEXTENT",
                                         L"REMARK", L"GEOIDMODEL"};

const wchar_t* const kSystemsExpected =
    L"GEOGCRS, GEODCRS, PROJCRS, VERTCRS, COMPOUNDCRS, ENGCRS or BOUNDCRS";

bool IsOneOf(const Element& e, const wchar_t* const* keywords, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (IsNode(e, keywords[i])) return true;
    return false;
}
template <std::size_t N> bool IsOneOf(const Element& e, const wchar_t* const (&keywords)[N]) {
    return IsOneOf(e, keywords, N);
}

// A number as WKT 1 writes a converted value: 15 significant digits, as the library's own
// texts hold them.
std::wstring NumberText(double value) {
    char buffer[40];
    std::to_chars_result end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::wstring(buffer, end.ptr);
}

bool ReadNumber(const Element& e, double& value) {
    if (!IsNumber(e)) return false;
    wchar_t* end = nullptr;
    value = std::wcstod(e.text.c_str(), &end);
    return end != nullptr && *end == 0 && std::isfinite(value);
}

struct Unit {
    const Element* node = nullptr; // null: none given
    double factor = 1.0;
};

// The seven values of a TOWGS84 clause, with the element they come from.
struct Shift {
    const Element* from = nullptr;
    double values[7] = {};
};

class Reader {
public:
    explicit Reader(std::wstring_view original) : m_original(original) {}

    bool Refused() const { return m_refused; }
    const QuarnParseDiagnostic& Refusal() const { return m_refusal; }

    // The canonical element of the system `e`; false once refused.
    bool System(const Element& e, Element& out);

private:
    bool Refuse(const Element& at, const std::wstring& expected) {
        if (m_refused) return false;
        m_refused = true;
        m_refusal.syntaxError = true;
        m_refusal.offset = at.at;
        m_refusal.length = at.length;
        m_refusal.token.assign(m_original.substr(at.at, at.length));
        m_refusal.expected = expected;
        return false;
    }
    bool Unexpected(const Element& e, const wchar_t* where, const wchar_t* expected) {
        return Refuse(e, std::wstring(expected) + L" in " + where);
    }
    // The refusals of what the model has no place for, on the construct's keyword.
    bool RefuseConstruct(const Element& e) {
        struct Construct {
            const wchar_t* keyword;
            const wchar_t* what;
        };
        static const Construct kConstructs[] = {
            {L"TIMECRS", L"a temporal system"},
            {L"PARAMETRICCRS", L"a parametric system"},
            {L"IMAGECRS", L"an image system"},
            {L"DERIVEDPROJCRS", L"a derived projected system"},
            {L"DERIVINGCONVERSION", L"a derived system"},
            {L"COORDINATEOPERATION", L"a coordinate operation"},
            {L"CONCATENATEDOPERATION", L"a coordinate operation"},
            {L"POINTMOTIONOPERATION", L"a coordinate operation"},
            {L"COORDINATEMETADATA", L"coordinate metadata"},
            {L"DYNAMIC", L"a dynamic datum (its frame epoch)"},
            {L"ANCHOREPOCH", L"a datum's anchor epoch"},
            {L"EPOCH", L"an epoch"},
        };
        for (const Construct& c : kConstructs)
            if (IsNode(e, c.keyword))
                return Refuse(e, std::wstring(L"a construct the model holds; ") + c.what +
                                     L" has no place in it");
        return false;
    }

    bool Authority(const Element& id, std::vector<Element>& out);
    bool ReadUnit(const Element& e, Unit& unit);
    Element UnitElement(const Unit& unit, const Element& at, const wchar_t* name, double factor);
    bool Ellipsoid(const Element& e, Element& out);
    bool Datum(const Element& e, bool ensemble, Element& out);
    bool PrimeMeridian(const Element& e, const Unit& angular, Element& out);
    struct Axis {
        const Element* node = nullptr;
        std::wstring name, direction;
        Unit unit;
        long order = 0;
        double meridian = std::nan(""); // degrees, NaN when the axis has no MERIDIAN
    };
    struct CoordinateSystem {
        const Element* node = nullptr;
        std::wstring type;
        long dimension = 0;
        std::vector<Axis> axes;
        Unit unit; // a unit after the axes (or in the CS), for every axis without one
    };
    bool ReadCoordinateSystem(const Element& parent, const wchar_t* where, std::size_t first,
                              CoordinateSystem& cs, std::vector<const Element*>& others);
    bool AxisElements(const CoordinateSystem& cs, std::size_t from, std::size_t to, bool geocentric,
                      std::vector<Element>& out);
    bool AxesUnit(const CoordinateSystem& cs, std::size_t from, std::size_t to, Unit& unit);

    bool Geodetic(const Element& e, Element& out);
    bool Projected(const Element& e, Element& out);
    bool Vertical(const Element& e, Element& out);
    bool Compound(const Element& e, Element& out);
    bool Engineering(const Element& e, Element& out);
    bool Bound(const Element& e, Element& out);
    bool ReadShift(const Element& transformation, Shift& shift);
    // The base or source geodetic system's datum, prime meridian and unit, as the GEOGCS of
    // WKT 1 without its axes; its name, authority and the unit are those of `e`.
    bool GeographicBase(const Element& e, const wchar_t* where, Unit& angular, Element& out,
                        std::vector<const Element*>& rest);
    Element EllipsoidalHeight(const Unit& unit, const Element& at);

    std::wstring_view m_original;
    bool m_refused = false;
    QuarnParseDiagnostic m_refusal;
    const Shift* m_shift = nullptr; // the shift to WGS 84 of the BOUNDCRS being read
};

bool Reader::Authority(const Element& id, std::vector<Element>& out) {
    if (id.children.size() < 2 || !IsString(id.children[0]) ||
        (!IsString(id.children[1]) && !IsNumber(id.children[1])))
        return Refuse(id, L"ID[\"authority\",code]");
    const Element& code = id.children[1];
    std::wstring codeText = IsString(code) ? code.text : Quoted(code.text);
    out.push_back(Made(L"AUTHORITY", id, {id.children[0], Made(codeText, code)}));
    return true;
}

bool Reader::ReadUnit(const Element& e, Unit& unit) {
    if (e.children.size() < 2 || !IsString(e.children[0]) ||
        !ReadNumber(e.children[1], unit.factor) || !(unit.factor > 0.0))
        return Refuse(e, L"a unit with a name and a positive conversion factor");
    for (std::size_t i = 2; i < e.children.size(); ++i)
        if (!IsNode(e.children[i], L"ID")) return Unexpected(e.children[i], e.text.c_str(), L"ID");
    unit.node = &e;
    return true;
}

// UNIT[name, factor, AUTHORITY] of `unit`, or of `name` and `factor` when none was given.
Element Reader::UnitElement(const Unit& unit, const Element& at, const wchar_t* name,
                            double factor) {
    if (unit.node == nullptr)
        return Made(L"UNIT", at, {Made(Quoted(name), at), Made(NumberText(factor), at)});
    const Element& u = *unit.node;
    Element out = Made(L"UNIT", u, {u.children[0], u.children[1]});
    for (std::size_t i = 2; i < u.children.size(); ++i)
        if (IsNode(u.children[i], L"ID")) {
            Authority(u.children[i], out.children);
            break;
        }
    return out;
}

bool IsUnit(const Element& e) {
    return IsNode(e, L"UNIT") || IsNode(e, L"ANGLEUNIT") || IsNode(e, L"LENGTHUNIT") ||
           IsNode(e, L"SCALEUNIT");
}

bool Reader::Ellipsoid(const Element& e, Element& out) {
    double a = 0.0, rf = 0.0;
    if (e.children.size() < 3 || !IsString(e.children[0]) || !ReadNumber(e.children[1], a) ||
        !ReadNumber(e.children[2], rf))
        return Refuse(e, L"ELLIPSOID[\"name\",semi-major axis,inverse flattening]");
    Unit unit;
    std::vector<Element> authority;
    for (std::size_t i = 3; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsUnit(child)) {
            if (!ReadUnit(child, unit)) return false;
        } else if (IsNode(child, L"ID")) {
            if (authority.empty() && !Authority(child, authority)) return false;
        } else {
            return Unexpected(child, L"ELLIPSOID", L"LENGTHUNIT or ID");
        }
    }
    // WKT 1 gives the semi-major axis in metres.
    Element axis =
        unit.factor == 1.0 ? e.children[1] : Made(NumberText(a * unit.factor), e.children[1]);
    out = Made(L"SPHEROID", e, {e.children[0], axis, e.children[2]});
    for (Element& a : authority)
        out.children.push_back(std::move(a));
    return true;
}

// DATUM (or ENSEMBLE) of a geodetic system as WKT 1's DATUM, with the BOUNDCRS shift.
bool Reader::Datum(const Element& e, bool ensemble, Element& out) {
    if (e.children.empty() || !IsString(e.children[0]))
        return Refuse(e, std::wstring(e.text) + L"[\"name\",...]");
    Element ellipsoid;
    bool hasEllipsoid = false;
    std::vector<Element> authority;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"ELLIPSOID") || IsNode(child, L"SPHEROID")) {
            if (!Ellipsoid(child, ellipsoid)) return false;
            hasEllipsoid = true;
        } else if (IsNode(child, L"ID")) {
            if (authority.empty() && !Authority(child, authority)) return false;
        } else if (IsNode(child, L"ANCHOR") ||
                   (ensemble && (IsNode(child, L"MEMBER") || IsNode(child, L"ENSEMBLEACCURACY")))) {
            continue;
        } else if (RefuseConstruct(child)) {
            return false;
        } else if (!IsOneOf(child, kUsageKeywords)) {
            return Unexpected(child, e.text.c_str(),
                              ensemble ? L"MEMBER, ELLIPSOID, ENSEMBLEACCURACY or ID"
                                       : L"ELLIPSOID, ANCHOR or ID");
        }
    }
    if (!hasEllipsoid) return Refuse(e, L"a geodetic datum with its ELLIPSOID");
    const std::string name = Wkt1DatumName(QuarnEncodeUtf8(NameOf(e)));
    std::wstring wide;
    QuarnDecodeUtf8(name, wide);
    out = Made(L"DATUM", e, {Made(Quoted(wide), e.children[0]), std::move(ellipsoid)});
    if (m_shift != nullptr) {
        std::vector<Element> values;
        for (double value : m_shift->values)
            values.push_back(Made(NumberText(value), *m_shift->from));
        out.children.push_back(Made(L"TOWGS84", *m_shift->from, std::move(values)));
    }
    for (Element& a : authority)
        out.children.push_back(std::move(a));
    return true;
}

// PRIMEM in degrees, as WKT 1 readers take it whatever the system's unit.
bool Reader::PrimeMeridian(const Element& e, const Unit& angular, Element& out) {
    double longitude = 0.0;
    if (e.children.size() < 2 || !IsString(e.children[0]) || !ReadNumber(e.children[1], longitude))
        return Refuse(e, L"PRIMEM[\"name\",longitude]");
    Unit unit = angular;
    std::vector<Element> authority;
    for (std::size_t i = 2; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsUnit(child)) {
            if (!ReadUnit(child, unit)) return false;
        } else if (IsNode(child, L"ID")) {
            if (authority.empty() && !Authority(child, authority)) return false;
        } else {
            return Unexpected(child, L"PRIMEM", L"ANGLEUNIT or ID");
        }
    }
    const double degree = quarn::kPi / 180.0;
    Element value = unit.node == nullptr || std::fabs(unit.factor / degree - 1.0) < 1e-12
                        ? e.children[1]
                        : Made(NumberText(longitude * unit.factor / degree), e.children[1]);
    out = Made(L"PRIMEM", e, {e.children[0], value});
    for (Element& a : authority)
        out.children.push_back(std::move(a));
    return true;
}

// CS[type,dimension], the AXIS elements and a unit that follow it in `parent` from `first`.
// Every other element is handed back in `others`, to the caller's rules.
bool Reader::ReadCoordinateSystem(const Element& parent, const wchar_t* where, std::size_t first,
                                  CoordinateSystem& cs, std::vector<const Element*>& others) {
    for (std::size_t i = first; i < parent.children.size(); ++i) {
        const Element& child = parent.children[i];
        if (IsNode(child, L"CS")) {
            double dimension = 0.0;
            if (cs.node != nullptr || child.children.size() < 2 || child.children[0].node ||
                IsString(child.children[0]) || IsNumber(child.children[0]) ||
                !ReadNumber(child.children[1], dimension))
                return Refuse(child, L"one CS[type,dimension]");
            cs.node = &child;
            cs.type = child.children[0].text;
            cs.dimension = WholeNumber(dimension);
        } else if (IsNode(child, L"AXIS")) {
            Axis axis;
            axis.node = &child;
            if (child.children.size() < 2 || !IsString(child.children[0]) ||
                child.children[1].node || IsString(child.children[1]) ||
                IsNumber(child.children[1]))
                return Refuse(child, L"AXIS[\"name\",direction]");
            axis.name = NameOf(child);
            axis.direction = child.children[1].text;
            for (std::size_t j = 2; j < child.children.size(); ++j) {
                const Element& part = child.children[j];
                double order = 0.0;
                if (IsUnit(part)) {
                    if (!ReadUnit(part, axis.unit)) return false;
                } else if (IsNode(part, L"ORDER") && part.children.size() == 1 &&
                           ReadNumber(part.children[0], order)) {
                    axis.order = WholeNumber(order);
                } else if (IsNode(part, L"MERIDIAN")) {
                    Unit unit;
                    double value = 0.0;
                    if (part.children.empty() || !ReadNumber(part.children[0], value) ||
                        (part.children.size() > 1 && IsUnit(part.children[1]) &&
                         !ReadUnit(part.children[1], unit)))
                        return Refuse(part, L"MERIDIAN[longitude,ANGLEUNIT[...]]");
                    axis.meridian =
                        unit.node != nullptr ? value * unit.factor / (quarn::kPi / 180.0) : value;
                } else if (!IsNode(part, L"BEARING") && !IsNode(part, L"ID") &&
                           !IsNode(part, L"RANGEMEANING") && !IsNode(part, L"AXISMINVALUE") &&
                           !IsNode(part, L"AXISMAXVALUE")) {
                    return Unexpected(part, L"AXIS", L"ORDER, a unit, MERIDIAN or ID");
                }
            }
            cs.axes.push_back(axis);
        } else if (IsUnit(child) && cs.node != nullptr) {
            if (!ReadUnit(child, cs.unit)) return false;
        } else {
            others.push_back(&child);
        }
    }
    if (cs.node == nullptr) return Refuse(parent, std::wstring(L"a CS in ") + where);
    if (cs.axes.size() != static_cast<std::size_t>(cs.dimension))
        return Refuse(*cs.node, L"as many AXIS elements as the CS has dimensions");
    // ORDER, where given, is the axes' order.
    for (std::size_t i = 0; i < cs.axes.size(); ++i)
        for (std::size_t j = i + 1; j < cs.axes.size(); ++j)
            if (cs.axes[j].order != 0 && cs.axes[j].order < cs.axes[i].order)
                std::swap(cs.axes[i], cs.axes[j]);
    for (Axis& axis : cs.axes)
        if (axis.unit.node == nullptr) axis.unit = cs.unit;
    return true;
}

// The one unit of axes `from` to `to`: WKT 1 gives one unit to a system.
bool Reader::AxesUnit(const CoordinateSystem& cs, std::size_t from, std::size_t to, Unit& unit) {
    unit = cs.axes[from].unit;
    for (std::size_t i = from + 1; i < to; ++i)
        if (std::fabs(cs.axes[i].unit.factor / unit.factor - 1.0) > 1e-12)
            return Refuse(*cs.axes[i].node, L"axes of one unit (WKT 1 gives a system one unit)");
    return true;
}

bool Reader::AxisElements(const CoordinateSystem& cs, std::size_t from, std::size_t to,
                          bool geocentric, std::vector<Element>& out) {
    for (std::size_t i = from; i < to; ++i) {
        const Axis& axis = cs.axes[i];
        const Wkt2Direction* direction = FindWkt2Direction(axis.direction);
        const wchar_t* word = direction != nullptr ? direction->wkt1 : nullptr;
        if (word == nullptr)
            return Refuse(axis.node->children[1],
                          L"a direction WKT 1 has: north, south, east, west, up, down, other or "
                          L"geocentricX, Y, Z");
        std::wstring name;
        QuarnDecodeUtf8(Wkt1AxisName(QuarnEncodeUtf8(axis.name), geocentric), name);
        out.push_back(
            Made(L"AXIS", *axis.node,
                 {Made(Quoted(name), axis.node->children[0]), Made(word, axis.node->children[1])}));
    }
    return true;
}

// The height above the ellipsoid that a three-dimensional geographic system holds beside
// its two horizontal axes (as the Esri dialect's reader makes of a GEOGCS with LINUNIT).
Element Reader::EllipsoidalHeight(const Unit& unit, const Element& at) {
    return Made(L"VERT_CS", at,
                {Made(L"\"Ellipsoidal height\"", at),
                 Made(L"VERT_DATUM", at, {Made(L"\"Ellipsoid\"", at), Made(L"2002", at)}),
                 UnitElement(unit, at, L"metre", 1.0),
                 Made(L"AXIS", at, {Made(L"\"Ellipsoidal height\"", at), Made(L"UP", at)})});
}

bool Reader::GeographicBase(const Element& e, const wchar_t* where, Unit& angular, Element& out,
                            std::vector<const Element*>& rest) {
    if (e.children.empty() || !IsString(e.children[0]))
        return Refuse(e, std::wstring(where) + L"[\"name\",...]");
    const Element* datum = nullptr;
    const Element* meridian = nullptr;
    bool ensemble = false;
    std::vector<Element> authority;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"DATUM") || IsNode(child, L"GEODETICDATUM") || IsNode(child, L"TRF") ||
            IsNode(child, L"TERRESTRIALREFERENCEFRAME") || IsNode(child, L"ENSEMBLE")) {
            if (datum != nullptr) return Refuse(child, std::wstring(L"one datum in ") + where);
            datum = &child;
            ensemble = IsNode(child, L"ENSEMBLE");
        } else if (IsNode(child, L"PRIMEM") || IsNode(child, L"PRIMEMERIDIAN")) {
            meridian = &child;
        } else if (IsNode(child, L"ID")) {
            if (authority.empty() && !Authority(child, authority)) return false;
        } else if (IsNode(child, L"ANGLEUNIT") || IsNode(child, L"UNIT")) {
            if (!ReadUnit(child, angular)) return false;
        } else if (RefuseConstruct(child)) {
            return false;
        } else if (IsNode(child, L"BASEGEOGCRS") || IsNode(child, L"BASEGEODCRS")) {
            return Refuse(child, std::wstring(L"a construct the model holds; a derived system "
                                              L"has no place in it"));
        } else {
            rest.push_back(&child);
        }
    }
    if (datum == nullptr) return Refuse(e, std::wstring(L"a DATUM or ENSEMBLE in ") + where);
    // Without a unit of its own, the base system's unit is its prime meridian's (WKT 2 texts
    // leave the base system's unit out where the meridian states it).
    if (angular.node == nullptr && meridian != nullptr)
        for (std::size_t i = 2; i < meridian->children.size(); ++i)
            if (IsUnit(meridian->children[i]) && !ReadUnit(meridian->children[i], angular))
                return false;
    Element datumOut, meridianOut;
    if (!Datum(*datum, ensemble, datumOut)) return false;
    if (meridian != nullptr) {
        if (!PrimeMeridian(*meridian, angular, meridianOut)) return false;
    } else {
        meridianOut = Made(L"PRIMEM", e, {Made(L"\"Greenwich\"", e), Made(L"0", e)});
    }
    out = Made(L"GEOGCS", e, {e.children[0], std::move(datumOut), std::move(meridianOut)});
    for (Element& a : authority)
        out.children.push_back(std::move(a)); // moved after the unit and axes by the caller
    return true;
}

// Moves the AUTHORITY made by GeographicBase to the end of `system`'s children.
void AuthorityLast(Element& system) {
    Element authority;
    if (TakeChild(system, L"AUTHORITY", authority)) system.children.push_back(std::move(authority));
}

bool Reader::Geodetic(const Element& e, Element& out) {
    Unit angular;
    Element geographic;
    std::vector<const Element*> rest, others;
    if (!GeographicBase(e, e.text.c_str(), angular, geographic, rest)) return false;
    CoordinateSystem cs;
    for (const Element* r : rest)
        if (IsNode(*r, L"CS")) {
            // The CS and what follows it are read together.
            const std::size_t at = static_cast<std::size_t>(r - e.children.data());
            if (!ReadCoordinateSystem(e, e.text.c_str(), at, cs, others)) return false;
            break;
        } else if (RefuseConstruct(*r)) {
            return false;
        } else if (!IsOneOf(*r, kUsageKeywords)) {
            return Unexpected(*r, e.text.c_str(), L"DATUM, ENSEMBLE, PRIMEM, CS or ID");
        }
    if (cs.node == nullptr) return Refuse(e, std::wstring(L"a CS in ") + e.text);
    for (const Element* r : others)
        if (RefuseConstruct(*r))
            return false;
        else if (!IsOneOf(*r, kUsageKeywords) && !IsNode(*r, L"ID"))
            return Unexpected(*r, e.text.c_str(), L"AXIS, a unit, USAGE or ID");
    const bool ellipsoidal = QuarnEqualNoCase(cs.type.c_str(), L"ellipsoidal");
    const bool cartesian = QuarnEqualNoCase(cs.type.c_str(), L"Cartesian");
    Element authority;
    const bool hasAuthority = TakeChild(geographic, L"AUTHORITY", authority);
    if (cartesian && cs.dimension == 3) {
        Unit linear;
        if (!AxesUnit(cs, 0, 3, linear)) return false;
        geographic.text = L"GEOCCS";
        geographic.children.push_back(UnitElement(linear, *cs.node, L"metre", 1.0));
        if (!AxisElements(cs, 0, 3, true, geographic.children)) return false;
        if (hasAuthority) geographic.children.push_back(std::move(authority));
        out = std::move(geographic);
        return true;
    }
    if (!ellipsoidal || (cs.dimension != 2 && cs.dimension != 3))
        return Refuse(*cs.node, L"CS[ellipsoidal,2], CS[ellipsoidal,3] or CS[Cartesian,3] in a "
                                L"geodetic system");
    Unit unit;
    if (!AxesUnit(cs, 0, 2, unit)) return false;
    geographic.children.push_back(UnitElement(unit, *cs.node, L"degree", quarn::kPi / 180.0));
    if (!AxisElements(cs, 0, 2, false, geographic.children)) return false;
    if (cs.dimension == 2) {
        if (hasAuthority) geographic.children.push_back(std::move(authority));
        out = std::move(geographic);
        return true;
    }
    const Axis& height = cs.axes[2];
    if (!QuarnEqualNoCase(height.direction.c_str(), L"up"))
        return Refuse(height.node->children[1], L"up: the third axis of a geographic system is "
                                                L"its ellipsoidal height");
    Element name = geographic.children[0];
    out = Made(L"COMPD_CS", e,
               {name, std::move(geographic), EllipsoidalHeight(height.unit, *height.node)});
    if (hasAuthority) out.children.push_back(std::move(authority));
    return true;
}

bool Reader::Projected(const Element& e, Element& out) {
    if (e.children.empty() || !IsString(e.children[0])) return Refuse(e, L"PROJCRS[\"name\",...]");
    const Element* base = nullptr;
    const Element* conversion = nullptr;
    std::vector<Element> authority;
    CoordinateSystem cs;
    std::vector<const Element*> others;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"BASEGEOGCRS") || IsNode(child, L"BASEGEODCRS")) {
            base = &child;
        } else if (IsNode(child, L"CONVERSION")) {
            conversion = &child;
        } else if (IsNode(child, L"CS")) {
            if (!ReadCoordinateSystem(e, L"PROJCRS", i, cs, others)) return false;
            break;
        } else if (RefuseConstruct(child)) {
            return false;
        } else if (IsNode(child, L"ID") || IsOneOf(child, kUsageKeywords)) {
            others.push_back(&child);
        } else {
            return Unexpected(child, L"PROJCRS", L"BASEGEOGCRS, CONVERSION, CS or ID");
        }
    }
    if (base == nullptr || conversion == nullptr || cs.node == nullptr)
        return Refuse(e, L"BASEGEOGCRS, CONVERSION and CS in PROJCRS");
    for (const Element* r : others)
        if (IsNode(*r, L"ID")) {
            if (authority.empty() && !Authority(*r, authority)) return false;
        } else if (RefuseConstruct(*r)) {
            return false;
        } else if (!IsOneOf(*r, kUsageKeywords)) {
            return Unexpected(*r, L"PROJCRS", L"AXIS, a unit, USAGE or ID");
        }
    if (!QuarnEqualNoCase(cs.type.c_str(), L"Cartesian") ||
        (cs.dimension != 2 && cs.dimension != 3))
        return Refuse(*cs.node, L"CS[Cartesian,2] or CS[Cartesian,3] in PROJCRS");
    Unit angular, linear;
    Element geographic;
    std::vector<const Element*> rest;
    if (!GeographicBase(*base, base->text.c_str(), angular, geographic, rest)) return false;
    for (const Element* r : rest)
        if (!IsOneOf(*r, kUsageKeywords))
            return Unexpected(*r, base->text.c_str(), L"DATUM, ENSEMBLE, PRIMEM, ANGLEUNIT or ID");
    geographic.children.insert(geographic.children.begin() + 3,
                               UnitElement(angular, *base, L"degree", quarn::kPi / 180.0));
    AuthorityLast(geographic);
    if (!AxesUnit(cs, 0, 2, linear)) return false;

    // The conversion: METHOD and PARAMETERs under their WKT 1 names, in WKT 1's units.
    if (conversion->children.empty() || !IsString(conversion->children[0]))
        return Refuse(*conversion, L"CONVERSION[\"name\",METHOD[...],...]");
    const Element* method = nullptr;
    std::vector<const Element*> parameters;
    for (std::size_t i = 1; i < conversion->children.size(); ++i) {
        const Element& child = conversion->children[i];
        if (IsNode(child, L"METHOD") || IsNode(child, L"PROJECTION"))
            method = &child;
        else if (IsNode(child, L"PARAMETER"))
            parameters.push_back(&child);
        else if (!IsNode(child, L"ID") && !IsOneOf(child, kUsageKeywords))
            return Unexpected(child, L"CONVERSION", L"METHOD, PARAMETER or ID");
    }
    if (method == nullptr || method->children.empty() || !IsString(method->children[0]))
        return Refuse(*conversion, L"METHOD[\"name\"] in CONVERSION");
    auto epsgCode = [](const Element& node) {
        for (const Element& child : node.children)
            if (IsNode(child, L"ID") && child.children.size() >= 2 && NameOf(child) == L"EPSG") {
                double code = 0.0;
                const Element& c = child.children[1];
                if (IsString(c)) return WholeNumber(std::wcstol(c.text.c_str() + 1, nullptr, 10));
                if (ReadNumber(c, code)) return WholeNumber(code);
            }
        return 0L;
    };
    const Method* known =
        FindMethod(static_cast<int>(epsgCode(*method)), QuarnEncodeUtf8(NameOf(*method)));
    std::wstring methodName = NameOf(*method);
    if (known != nullptr) {
        QuarnDecodeUtf8(known->wkt1, methodName);
    } else {
        for (wchar_t& c : methodName)
            if (c == L' ') c = L'_';
    }
    std::vector<Element> parts{e.children[0], std::move(geographic),
                               Made(L"PROJECTION", *method, {Made(Quoted(methodName), *method)})};
    // The latitudes that tell the axes a WKT 1 text without AXIS has (ImpliedAxes), degrees.
    double origin = 0.0, parallel = 0.0;
    for (const Element* p : parameters) {
        double value = 0.0;
        if (p->children.size() < 2 || !IsString(p->children[0]) ||
            !ReadNumber(p->children[1], value))
            return Refuse(*p, L"PARAMETER[\"name\",value]");
        Unit unit;
        for (std::size_t i = 2; i < p->children.size(); ++i)
            if (IsUnit(p->children[i])) {
                if (!ReadUnit(p->children[i], unit)) return false;
            } else if (!IsNode(p->children[i], L"ID")) {
                return Unexpected(p->children[i], L"PARAMETER", L"a unit or ID");
            }
        const std::string wkt2Name = QuarnEncodeUtf8(NameOf(*p));
        const MethodParameter* parameter =
            known != nullptr ? FindParameter(*known, static_cast<int>(epsgCode(*p)), wkt2Name)
                             : nullptr;
        if (known != nullptr && parameter == nullptr)
            return Refuse(*p, L"a parameter of the method " + NameOf(*method));
        const ParameterKind kind =
            parameter != nullptr ? parameter->Kind() : KindOfParameter(wkt2Name);
        // WKT 1 gives angles in the base system's unit, lengths in the system's.
        const double target = kind == ParameterKind::Angle    ? angular.factor
                              : kind == ParameterKind::Length ? linear.factor
                                                              : 1.0;
        const double factor = unit.node != nullptr ? unit.factor : target;
        if (parameter != nullptr && parameter->epsg->role == quarn::kRoleLatitudeOfOrigin)
            origin = value * factor / (quarn::kPi / 180.0);
        if (parameter != nullptr && parameter->epsg->role == quarn::kRoleStandardParallel1)
            parallel = value * factor / (quarn::kPi / 180.0);
        std::wstring name;
        QuarnDecodeUtf8(parameter != nullptr ? parameter->wkt1 : wkt2Name, name);
        Element valueElement = std::fabs(factor / target - 1.0) < 1e-12
                                   ? p->children[1]
                                   : Made(NumberText(value * factor / target), p->children[1]);
        parts.push_back(Made(L"PARAMETER", *p, {Made(Quoted(name), p->children[0]), valueElement}));
    }
    parts.push_back(UnitElement(linear, *cs.node, L"metre", 1.0));
    // The axes that WKT 1 gives a text without AXIS under the method are written as none,
    // where the method's WKT 1 name tells the method (Krovak's names its north orientated
    // form, which has east and north).
    const int code = known != nullptr ? known->code : 0;
    const double latitude = code == 9829 ? parallel : origin;
    const ImpliedAxis* implied =
        code != 0 && FindMethodForWkt1(known->wkt1, known->pole > 0 ? 90.0 : 0.0) == known
            ? ImpliedAxes(code, latitude)
            : nullptr;
    for (std::size_t i = 0; implied != nullptr && i < 2; ++i) {
        const Axis& axis = cs.axes[i];
        std::wstring direction;
        QuarnDecodeUtf8(implied[i].direction, direction);
        const bool meridian = std::isnan(implied[i].meridian)
                                  ? std::isnan(axis.meridian)
                                  : std::fabs(axis.meridian - implied[i].meridian) < 1e-9;
        if (!QuarnEqualNoCase(axis.direction.c_str(), direction.c_str()) || !meridian)
            implied = nullptr;
    }
    if (implied == nullptr && !AxisElements(cs, 0, 2, false, parts)) return false;
    Element projected = Made(L"PROJCS", e, std::move(parts));
    if (cs.dimension == 2) {
        for (Element& a : authority)
            projected.children.push_back(std::move(a));
        out = std::move(projected);
        return true;
    }
    const Axis& height = cs.axes[2];
    if (!QuarnEqualNoCase(height.direction.c_str(), L"up"))
        return Refuse(height.node->children[1], L"up: the third axis of a projected system is "
                                                L"its ellipsoidal height");
    Element name = projected.children[0];
    out = Made(L"COMPD_CS", e,
               {name, std::move(projected), EllipsoidalHeight(height.unit, *height.node)});
    for (Element& a : authority)
        out.children.push_back(std::move(a));
    return true;
}

bool Reader::Vertical(const Element& e, Element& out) {
    if (e.children.empty() || !IsString(e.children[0])) return Refuse(e, L"VERTCRS[\"name\",...]");
    const Element* datum = nullptr;
    CoordinateSystem cs;
    std::vector<const Element*> others;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"VDATUM") || IsNode(child, L"VERTICALDATUM") || IsNode(child, L"VRF") ||
            IsNode(child, L"VERTICALREFERENCEFRAME") || IsNode(child, L"ENSEMBLE")) {
            datum = &child;
        } else if (IsNode(child, L"CS")) {
            if (!ReadCoordinateSystem(e, L"VERTCRS", i, cs, others)) return false;
            break;
        } else if (IsNode(child, L"BASEVERTCRS")) {
            return Refuse(child, L"a construct the model holds; a derived system has no place "
                                 L"in it");
        } else {
            others.push_back(&child);
        }
    }
    if (datum == nullptr || cs.node == nullptr) return Refuse(e, L"VDATUM and CS in VERTCRS");
    std::vector<Element> authority, datumAuthority;
    for (const Element* r : others)
        if (IsNode(*r, L"ID")) {
            if (authority.empty() && !Authority(*r, authority)) return false;
        } else if (RefuseConstruct(*r)) {
            return false;
        } else if (!IsOneOf(*r, kUsageKeywords)) {
            return Unexpected(*r, L"VERTCRS", L"VDATUM, CS, AXIS, a unit, USAGE or ID");
        }
    if (datum->children.empty() || !IsString(datum->children[0]))
        return Refuse(*datum, datum->text + L"[\"name\"]");
    for (std::size_t i = 1; i < datum->children.size(); ++i) {
        const Element& child = datum->children[i];
        if (IsNode(child, L"ID")) {
            if (datumAuthority.empty() && !Authority(child, datumAuthority)) return false;
        } else if (RefuseConstruct(child)) {
            return false;
        } else if (!IsNode(child, L"ANCHOR") && !IsNode(child, L"MEMBER") &&
                   !IsNode(child, L"ENSEMBLEACCURACY")) {
            return Unexpected(child, datum->text.c_str(), L"ANCHOR or ID");
        }
    }
    if (!QuarnEqualNoCase(cs.type.c_str(), L"vertical") || cs.dimension != 1)
        return Refuse(*cs.node, L"CS[vertical,1] in VERTCRS");
    std::wstring datumName = NameOf(*datum);
    constexpr std::wstring_view kEnsemble = L" ensemble";
    if (IsNode(*datum, L"ENSEMBLE") && datumName.size() > kEnsemble.size() &&
        std::wstring_view(datumName).substr(datumName.size() - kEnsemble.size()) == kEnsemble)
        datumName.resize(datumName.size() - kEnsemble.size());
    std::vector<Element> datumParts{Made(Quoted(datumName), datum->children[0]),
                                    Made(L"2005", *datum)};
    for (Element& a : datumAuthority)
        datumParts.push_back(std::move(a));
    std::vector<Element> parts{e.children[0], Made(L"VERT_DATUM", *datum, std::move(datumParts)),
                               UnitElement(cs.axes[0].unit, *cs.node, L"metre", 1.0)};
    if (!AxisElements(cs, 0, 1, false, parts)) return false;
    for (Element& a : authority)
        parts.push_back(std::move(a));
    out = Made(L"VERT_CS", e, std::move(parts));
    return true;
}

bool Reader::Compound(const Element& e, Element& out) {
    if (e.children.empty() || !IsString(e.children[0]))
        return Refuse(e, L"COMPOUNDCRS[\"name\",...]");
    std::vector<Element> parts{e.children[0]}, authority;
    int systems = 0;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"ID")) {
            if (authority.empty() && !Authority(child, authority)) return false;
        } else if (IsOneOf(child, kUsageKeywords)) {
            continue;
        } else {
            if (++systems > 2)
                return Refuse(child, L"two systems in COMPOUNDCRS (the model pairs two)");
            Element part;
            if (!System(child, part)) return false;
            parts.push_back(std::move(part));
        }
    }
    if (systems != 2) return Refuse(e, L"two systems in COMPOUNDCRS");
    for (Element& a : authority)
        parts.push_back(std::move(a));
    out = Made(L"COMPD_CS", e, std::move(parts));
    return true;
}

bool Reader::Engineering(const Element& e, Element& out) {
    if (e.children.empty() || !IsString(e.children[0])) return Refuse(e, L"ENGCRS[\"name\",...]");
    const Element* datum = nullptr;
    CoordinateSystem cs;
    std::vector<const Element*> others;
    for (std::size_t i = 1; i < e.children.size(); ++i) {
        const Element& child = e.children[i];
        if (IsNode(child, L"EDATUM") || IsNode(child, L"ENGINEERINGDATUM")) {
            datum = &child;
        } else if (IsNode(child, L"CS")) {
            if (!ReadCoordinateSystem(e, L"ENGCRS", i, cs, others)) return false;
            break;
        } else if (IsNode(child, L"BASEGEOGCRS") || IsNode(child, L"BASEPROJCRS") ||
                   IsNode(child, L"BASEENGCRS")) {
            return Refuse(child, L"a construct the model holds; a derived system has no place "
                                 L"in it");
        } else {
            others.push_back(&child);
        }
    }
    if (datum == nullptr || cs.node == nullptr || datum->children.empty() ||
        !IsString(datum->children[0]))
        return Refuse(e, L"EDATUM[\"name\"] and CS in ENGCRS");
    std::vector<Element> authority, datumAuthority;
    for (const Element* r : others)
        if (IsNode(*r, L"ID")) {
            if (authority.empty() && !Authority(*r, authority)) return false;
        } else if (RefuseConstruct(*r)) {
            return false;
        } else if (!IsOneOf(*r, kUsageKeywords)) {
            return Unexpected(*r, L"ENGCRS", L"EDATUM, CS, AXIS, a unit, USAGE or ID");
        }
    for (std::size_t i = 1; i < datum->children.size(); ++i)
        if (IsNode(datum->children[i], L"ID")) {
            if (datumAuthority.empty() && !Authority(datum->children[i], datumAuthority))
                return false;
        } else if (!IsNode(datum->children[i], L"ANCHOR")) {
            return Unexpected(datum->children[i], L"EDATUM", L"ANCHOR or ID");
        }
    Unit unit;
    if (cs.axes.empty() || !AxesUnit(cs, 0, cs.axes.size(), unit)) return Refuse(*cs.node, L"axes");
    std::vector<Element> datumParts{datum->children[0], Made(L"32767", *datum)};
    for (Element& a : datumAuthority)
        datumParts.push_back(std::move(a));
    std::vector<Element> parts{e.children[0], Made(L"LOCAL_DATUM", *datum, std::move(datumParts)),
                               UnitElement(unit, *cs.node, L"metre", 1.0)};
    if (!AxisElements(cs, 0, cs.axes.size(), false, parts)) return false;
    for (Element& a : authority)
        parts.push_back(std::move(a));
    out = Made(L"LOCAL_CS", e, std::move(parts));
    return true;
}

// The parameters of a geocentric translation or a Helmert transformation as TOWGS84 holds
// them: metres, arc-seconds (position vector rotations) and parts per million.
bool Reader::ReadShift(const Element& transformation, Shift& shift) {
    const Element* method = nullptr;
    for (const Element& child : transformation.children)
        if (IsNode(child, L"METHOD")) method = &child;
    if (method == nullptr || method->children.empty())
        return Refuse(transformation, L"METHOD in " + transformation.text);
    long code = 0;
    for (const Element& child : method->children)
        if (IsNode(child, L"ID") && child.children.size() >= 2) {
            const Element& c = child.children[1];
            code = std::wcstol(c.text.c_str() + (IsString(c) ? 1 : 0), nullptr, 10);
        }
    const std::string key = NameKey(QuarnEncodeUtf8(NameOf(*method)));
    auto named = [&key](const char* start) {
        return key.compare(0, std::strlen(start), start) == 0;
    };
    const bool translation = code == 9603 || code == 1031 || code == 1035 ||
                             (code == 0 && named("geocentrictranslations"));
    const bool positionVector =
        code == 9606 || code == 1033 || code == 1037 || (code == 0 && named("positionvector"));
    const bool coordinateFrame =
        code == 9607 || code == 1032 || code == 1038 || (code == 0 && named("coordinateframe"));
    if (!translation && !positionVector && !coordinateFrame)
        return Refuse(*method, L"a geocentric translation or a Helmert 7-parameter transformation "
                               L"(position vector or coordinate frame) to WGS 84");
    static const int kCodes[] = {8605, 8606, 8607, 8608, 8609, 8610, 8611};
    static const char* const kNames[] = {"xaxistranslation", "yaxistranslation", "zaxistranslation",
                                         "xaxisrotation",    "yaxisrotation",    "zaxisrotation",
                                         "scaledifference"};
    const bool abridged = IsNode(transformation, L"ABRIDGEDTRANSFORMATION");
    shift.from = &transformation;
    for (const Element& p : transformation.children) {
        if (!IsNode(p, L"PARAMETER")) continue;
        double value = 0.0;
        if (p.children.size() < 2 || !ReadNumber(p.children[1], value))
            return Refuse(p, L"PARAMETER[\"name\",value]");
        long pcode = 0;
        Unit unit;
        for (std::size_t i = 2; i < p.children.size(); ++i) {
            const Element& c = p.children[i];
            if (IsNode(c, L"ID") && c.children.size() >= 2)
                pcode = std::wcstol(c.children[1].text.c_str() + (IsString(c.children[1]) ? 1 : 0),
                                    nullptr, 10);
            else if (IsUnit(c) && !ReadUnit(c, unit))
                return false;
        }
        const std::string pkey = NameKey(QuarnEncodeUtf8(NameOf(p)));
        int index = -1;
        for (int i = 0; i < 7; ++i)
            if (pcode == kCodes[i] || (pcode == 0 && pkey == kNames[i])) index = i;
        if (index < 0 || (translation && index >= 3))
            return Refuse(p, L"a parameter of the transformation");
        if (index < 3) {
            value *= unit.node != nullptr ? unit.factor : 1.0;
        } else if (index < 6) {
            const double arcSecond = quarn::kPi / 180.0 / 3600.0;
            if (unit.node != nullptr) value = value * unit.factor / arcSecond;
            if (coordinateFrame) value = -value;
        } else if (unit.node != nullptr) {
            value = value * unit.factor * 1e6;
        } else if (abridged) {
            // The abridged form gives the scale as a factor: 1 + parts per million.
            value = std::round((value - 1.0) * 1e15) / 1e9;
        }
        shift.values[index] = value;
    }
    return true;
}

bool Reader::Bound(const Element& e, Element& out) {
    const Element* source = nullptr;
    const Element* target = nullptr;
    const Element* transformation = nullptr;
    for (const Element& child : e.children) {
        if (IsNode(child, L"SOURCECRS"))
            source = &child;
        else if (IsNode(child, L"TARGETCRS"))
            target = &child;
        else if (IsNode(child, L"ABRIDGEDTRANSFORMATION"))
            transformation = &child;
        else if (!IsOneOf(child, kUsageKeywords) && !IsNode(child, L"ID"))
            return Unexpected(child, L"BOUNDCRS",
                              L"SOURCECRS, TARGETCRS or ABRIDGEDTRANSFORMATION");
    }
    if (source == nullptr || target == nullptr || transformation == nullptr ||
        source->children.size() != 1 || target->children.size() != 1)
        return Refuse(e, L"SOURCECRS, TARGETCRS and ABRIDGEDTRANSFORMATION in BOUNDCRS");
    // The target must be WGS 84, the one system a TOWGS84 clause shifts to.
    const Element& to = target->children[0];
    bool wgs84 = false;
    if (IsOneOf(to, kGeodeticKeywords))
        for (const Element& child : to.children)
            if ((IsNode(child, L"DATUM") || IsNode(child, L"ENSEMBLE")) &&
                Wkt1DatumName(QuarnEncodeUtf8(NameOf(child))) == "WGS_1984")
                wgs84 = true;
    if (!wgs84)
        return Refuse(to, L"WGS 84 as the target of BOUNDCRS (the model shifts to WGS 84 only)");
    const Element& from = source->children[0];
    if (!IsOneOf(from, kGeodeticKeywords) && !IsNode(from, L"PROJCRS") &&
        !IsNode(from, L"PROJECTEDCRS"))
        return Refuse(from, L"a geodetic or projected system as the source of BOUNDCRS");
    Shift shift;
    if (!ReadShift(*transformation, shift)) return false;
    m_shift = &shift;
    const bool read = System(from, out);
    m_shift = nullptr;
    return read;
}

bool Reader::System(const Element& e, Element& out) {
    if (IsOneOf(e, kGeodeticKeywords)) return Geodetic(e, out);
    if (IsNode(e, L"PROJCRS") || IsNode(e, L"PROJECTEDCRS")) return Projected(e, out);
    if (m_shift == nullptr && (IsNode(e, L"VERTCRS") || IsNode(e, L"VERTICALCRS")))
        return Vertical(e, out);
    if (m_shift == nullptr && IsNode(e, L"COMPOUNDCRS")) return Compound(e, out);
    if (m_shift == nullptr && (IsNode(e, L"ENGCRS") || IsNode(e, L"ENGINEERINGCRS")))
        return Engineering(e, out);
    if (m_shift == nullptr && IsNode(e, L"BOUNDCRS")) return Bound(e, out);
    if (RefuseConstruct(e)) return false;
    return Refuse(e, kSystemsExpected);
}

} // namespace

bool quarn::detail::StartsAsWkt2(std::wstring_view text) {
    DialectScanner scanner(text, true);
    ScannedToken first = scanner.Next();
    if (first.kind != TokenKind::Word) return false;
    Element keyword;
    keyword.node = true;
    keyword.text.assign(text.substr(first.at, first.length));
    return IsOneOf(keyword, kWkt2Keywords);
}

DialectRewrite quarn::detail::RewriteWkt2(std::wstring_view text) {
    DialectRewrite out;
    out.originalLength = text.size();
    std::vector<Element> top;
    SplitFailure failure;
    auto refuse = [&out, text](std::size_t at, std::size_t length, std::wstring expected) {
        out.ok = false;
        out.refusal.syntaxError = true;
        out.refusal.offset = at;
        out.refusal.length = length;
        out.refusal.token.assign(text.substr(at, length));
        out.refusal.expected = std::move(expected);
        return out;
    };
    if (!SplitElements(text, top, true, &failure))
        return refuse(failure.token.at, failure.token.length, failure.expected);
    if (!top[0].node) return refuse(top[0].at, top[0].length, kSystemsExpected);
    Reader reader(text);
    Element system;
    if (!reader.System(top[0], system)) {
        out.ok = false;
        out.refusal = reader.Refusal();
        return out;
    }
    // Whatever follows the system is handed on as it stands: the canonical reader warns of it.
    top[0] = std::move(system);
    out.changed = true;
    WriteElements(top, out);
    return out;
}
