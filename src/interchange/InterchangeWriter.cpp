// WKT 1 for other programs. The GDAL dialect is OGC WKT 1 with GDAL's and PROJ's
// conventions: AUTHORITY clauses, TOWGS84 only for a real shift, AXIS only where the axes
// differ from what a reader assumes without them, prime meridians in degrees. The ESRI
// dialect is the .prj form: ESRI's names, no AUTHORITY, no AXIS, no TOWGS84.
#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"

#include <quarn/model/Constants.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Utf8.h>
#include <quarn/objects/Datums.h>
#include <quarn/objects/Projection.h>
#include <quarn/systems/GeocentricCoordinateSystem.h>
#include <quarn/systems/GeographicCoordinateSystem.h>
#include <quarn/systems/LocalCoordinateSystem.h>
#include <quarn/systems/ProjectedCoordinateSystem.h>
#include <quarn/systems/VerticalCoordinateSystem.h>

#include "model/Utf8Internal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

using namespace quarn::detail;

namespace {

// The reader keeps a prime meridian's longitude in radians, read in degrees with this pi.

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::wstring_view quarn::detail::BaseNameOf(const wchar_t* name) {
    std::wstring_view text = name != nullptr ? name : L"";
    std::size_t tilde = text.rfind(L'~');
    if (tilde != std::wstring_view::npos && tilde + 1 < text.size() &&
        text.find_first_not_of(L"0123456789", tilde + 1) == std::wstring_view::npos)
        text = text.substr(0, tilde);
    return text;
}

std::string quarn::detail::BaseName(const wchar_t* name) {
    return QuarnEncodeUtf8(BaseNameOf(name));
}

// ESRI spells names with underscores: every run of other ASCII signs becomes one `_`.
std::string EsriSpelling(const std::string& name) {
    return UnderscoreSpelling(name, false);
}

std::string quarn::detail::UnderscoreSpelling(std::string_view name, bool keepHyphens) {
    std::string out;
    for (char c : name) {
        if (IsAsciiAlnum(c) || static_cast<unsigned char>(c) >= 0x80 || (keepHyphens && c == '-'))
            out.push_back(c);
        else if (!out.empty() && out.back() != '_')
            out.push_back('_');
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out;
}

int quarn::detail::EpsgCode(const CS_Info& object) {
    const wchar_t* authority = object.GetAuthority();
    const wchar_t* code = object.GetAuthorityCode();
    if (authority == nullptr || code == nullptr || std::wcscmp(authority, L"EPSG") != 0) return 0;
    int value = 0;
    for (const wchar_t* c = code; *c != 0; ++c) {
        if (*c < L'0' || *c > L'9' || value > 100000000) return 0;
        value = value * 10 + (*c - L'0');
    }
    return value;
}

namespace {

// The writer reads the axes, datum shifts, grid files and projection parameters of this
// library's objects from their compact fields: asking through the interface would build the
// records it hands out (kilobytes of fixed-size name fields) on the first text written of each
// object. Objects of other classes answer through the interface.
struct AxisFacts {
    bool present;
    long orientation;
    const wchar_t* name;
};

// Own is one of this library's system classes with `axes` axes; an index beyond them has no
// axis, as GetAxis answers.
template <class Own, long axes>
bool OwnAxis(const CS_CoordinateSystem& system, long index, AxisFacts& axis) {
    const Own* own = dynamic_cast<const Own*>(&system);
    if (own == nullptr) return false;
    if (index >= 0 && index < axes)
        axis = {true, own->GetAxisOrientation(index), own->GetAxisName(index)};
    return true;
}

AxisFacts AxisOf(const CS_CoordinateSystem& system, long index) {
    AxisFacts axis{};
    bool own = false;
    switch (system.GetObjectType()) {
    case kQuarnGeographicCS:
        own = OwnAxis<CQuarnGeographicCoordinateSystem, 2>(system, index, axis);
        break;
    case kQuarnProjectedCS:
        own = OwnAxis<CQuarnProjectedCoordinateSystem, 2>(system, index, axis);
        break;
    case kQuarnGeocentricCS:
        own = OwnAxis<CQuarnGeocentricCoordinateSystem, 3>(system, index, axis);
        break;
    case kQuarnVerticalCS:
        own = OwnAxis<CQuarnVerticalCoordinateSystem, 1>(system, index, axis);
        break;
    case kQuarnLocalCS:
        own = OwnAxis<CQuarnLocalCoordinateSystem, 3>(system, index, axis);
        break;
    default:
        break;
    }
    if (own) return axis;
    const CS_AxisInfo* record = system.GetAxis(index);
    if (record != nullptr) axis = {true, record->orientation, record->name};
    return axis;
}

// The datum's shift as TOWGS84 writes it (Dx, Dy, Dz, Ex, Ey, Ez, Ppm; the rotations are held
// with the opposite sign to the one written); false when it has none. `own` is the datum when
// it is this library's.
bool ShiftOf(const CS_HorizontalDatum& datum, const CQuarnHorizontalDatum* own,
             double (&values)[7]) {
    if (own != nullptr) {
        const double* held = own->GetShiftValues();
        const double written[] = {held[0], held[1], held[2], -held[3], -held[4], -held[5], held[6]};
        std::copy(std::begin(written), std::end(written), values);
        return true;
    }
    const CS_WGS84ConversionInfo* shift = datum.GetWGS84Parameters();
    if (shift == nullptr) return false;
    const double record[] = {shift->Dx,  shift->Dy,  shift->Dz, -shift->Ex,
                             -shift->Ey, -shift->Ez, shift->Ppm};
    std::copy(std::begin(record), std::end(record), values);
    return true;
}

bool HasGridFiles(const CS_HorizontalDatum& datum, const CQuarnHorizontalDatum* own) {
    if (own != nullptr) return own->GetLBFFileName()[0] != 0 || own->GetCOPFileName()[0] != 0;
    const CS_3DIMInfo* grids = datum.Get3DIMParameters();
    return grids != nullptr && (grids->LBFFileName[0] != 0 || grids->COPFileName[0] != 0);
}

const char* OrientationWord(long orientation) {
    static const char* const kWords[] = {"OTHER", "NORTH", "SOUTH", "EAST", "WEST", "UP", "DOWN"};
    return orientation >= 0 && orientation <= 6 ? kWords[orientation] : nullptr;
}

// Room for any text of FormatShortestNumber.
constexpr std::size_t kShortestNumberRoom = 64;

// ShortestNumber into `text`, which has kShortestNumberRoom characters; returns the length.
std::size_t FormatShortestNumber(double value, char* text) {
    if (value == 0.0) return text[0] = '0', 1;
    // A whole number below 2^52 in magnitude is its own shortest form: a text with fewer
    // significant digits would be another whole number, more than half a unit away.
    if (std::fabs(value) < 4503599627370496.0 && value == std::trunc(value))
        return static_cast<std::size_t>(
            std::to_chars(text, text + kShortestNumberRoom, static_cast<long long>(value)).ptr -
            text);
    char scientific[kShortestNumberRoom];
    char* end = std::to_chars(scientific, scientific + sizeof scientific, value,
                              std::chars_format::scientific)
                    .ptr;
    const std::size_t length = static_cast<std::size_t>(end - scientific);
    const bool negative = scientific[0] == '-';
    const char* e = static_cast<const char*>(std::memchr(scientific, 'e', length));
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    if (exponent < -5 || exponent > 20) return std::memcpy(text, scientific, length), length;
    // The significant digits without the decimal point, placed around the point by the
    // exponent.
    char digits[32];
    std::size_t count = 0;
    for (const char* c = scientific + (negative ? 1 : 0); c < e; ++c)
        if (*c != '.') digits[count++] = *c;
    std::size_t n = 0;
    if (negative) text[n++] = '-';
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (exponent < 0) {
        text[n++] = '0';
        text[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            text[n++] = '0';
        for (std::size_t i = 0; i < count; ++i)
            text[n++] = digits[i];
    } else if (count <= whole) {
        for (std::size_t i = 0; i < count; ++i)
            text[n++] = digits[i];
        for (std::size_t i = count; i < whole; ++i)
            text[n++] = '0';
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            if (i == whole) text[n++] = '.';
            text[n++] = digits[i];
        }
    }
    return n;
}

// The text being written, in the caller's string: room is made ahead and pieces are copied
// in without the string's bookkeeping for each; Finish cuts the string to what was written.
class Output {
public:
    explicit Output(std::string& text) : m_text(text), m_used(text.size()) {
        m_text.resize(std::max<std::size_t>(m_text.capacity(), 256));
    }

    void Append(const char* bytes, std::size_t count) {
        std::memcpy(Room(count), bytes, count);
        m_used += count;
    }
    Output& operator+=(char c) {
        *Room(1) = c;
        ++m_used;
        return *this;
    }
    Output& operator+=(const char* text) {
        Append(text, std::strlen(text));
        return *this;
    }
    Output& operator+=(const std::string& text) {
        Append(text.data(), text.size());
        return *this;
    }
    // A wide text as UTF-8: ASCII straight in, the rest through AppendUtf8.
    void AppendWide(std::wstring_view text) {
        char* out = Room(text.size());
        std::size_t i = 0;
        for (; i < text.size() && static_cast<unsigned long>(text[i]) < 0x80; ++i)
            out[i] = static_cast<char>(text[i]);
        m_used += i;
        if (i == text.size()) return;
        std::string rest;
        AppendUtf8(rest, text.substr(i));
        *this += rest;
    }
    void Finish() { m_text.resize(m_used); }

private:
    // Where `count` more bytes go.
    char* Room(std::size_t count) {
        if (m_used + count > m_text.size())
            m_text.resize(std::max(2 * m_text.size(), m_used + count));
        return &m_text[0] + m_used;
    }

    std::string& m_text;
    std::size_t m_used;
};

class Writer {
public:
    Writer(InterchangeDialect dialect, std::string& out, std::string& reason)
        : m_esri(dialect == InterchangeDialect::Esri), m_out(out), m_reason(reason) {}

    bool Object(const CS_Info& object);
    void Finish() { m_out.Finish(); }

private:
    bool Refuse(std::string why) {
        if (m_reason.empty()) m_reason = std::move(why);
        return false;
    }
    bool Quoted(const std::string& text);
    bool Number(double value);
    void Authority(const CS_Info& object);
    bool Open(const char* keyword, const std::string& name);
    // The same for a name held as wide characters, encoded straight into the text.
    bool Open(const char* keyword, std::wstring_view name);
    bool Close(const CS_Info& object);
    // Opens a system's element with its name (in ESRI's spelling in that dialect).
    bool OpenSystem(const char* keyword, const CS_Info& system);
    std::string EsriName(EsriNameKind kind, const CS_Info& object);

    bool Unit(const CS_Unit* unit);
    bool Ellipsoid(const CS_Ellipsoid* ellipsoid);
    bool PrimeMeridian(const CS_PrimeMeridian* meridian);
    bool HorizontalDatum(const CS_HorizontalDatum* datum);
    bool VerticalDatum(const CS_VerticalDatum* datum);
    bool LocalDatum(const CS_LocalDatum* datum);
    bool Projection(const CS_Projection* projection, const CS_Ellipsoid* ellipsoid);
    bool Axes(const CS_CoordinateSystem& system, long count, bool always);
    bool System(const CS_CoordinateSystem* system);
    bool Geographic(const CS_GeographicCoordinateSystem& system);
    bool Projected(const CS_ProjectedCoordinateSystem& system);
    bool Geocentric(const CS_GeocentricCoordinateSystem& system);
    bool Vertical(const CS_VerticalCoordinateSystem& system);
    bool Compound(const CS_CompoundCoordinateSystem& system);
    bool Local(const CS_LocalCoordinateSystem& system);

    bool m_esri;
    Output m_out;
    std::string& m_reason;
};

bool Writer::Quoted(const std::string& text) {
    // Neither dialect has a way to write a double quote inside a name.
    if (text.find('"') != std::string::npos)
        return Refuse("the name " + text + " holds a double quote, which WKT 1 cannot write");
    m_out += '"';
    m_out += text;
    m_out += '"';
    return true;
}

bool Writer::Number(double value) {
    if (!std::isfinite(value)) return Refuse("a value is not a finite number");
    char text[kShortestNumberRoom];
    const std::size_t length = FormatShortestNumber(value, text);
    m_out.Append(text, length);
    // ESRI's writers mark every floating value with a decimal point.
    if (m_esri && std::string_view(text, length).find_first_of(".e") == std::string_view::npos)
        m_out += ".0";
    return true;
}

void Writer::Authority(const CS_Info& object) {
    if (m_esri) return;
    const std::wstring_view authority = object.GetAuthority() ? object.GetAuthority() : L"";
    const std::wstring_view code = object.GetAuthorityCode() ? object.GetAuthorityCode() : L"";
    if (authority.empty() || code.empty() || authority.find(L'"') != std::wstring_view::npos ||
        code.find(L'"') != std::wstring_view::npos)
        return;
    m_out += ",AUTHORITY[\"";
    m_out.AppendWide(authority);
    m_out += "\",\"";
    m_out.AppendWide(code);
    m_out += "\"]";
}

bool Writer::Open(const char* keyword, const std::string& name) {
    m_out += keyword;
    m_out += '[';
    return Quoted(name);
}

bool Writer::Open(const char* keyword, std::wstring_view name) {
    if (name.find(L'"') != std::wstring_view::npos) return Open(keyword, QuarnEncodeUtf8(name));
    m_out += keyword;
    m_out += "[\"";
    m_out.AppendWide(name);
    m_out += '"';
    return true;
}

bool Writer::Close(const CS_Info& object) {
    Authority(object);
    m_out += ']';
    return true;
}

std::string Writer::EsriName(EsriNameKind kind, const CS_Info& object) {
    const std::string name = BaseName(object.GetName());
    if (const EsriNameRecord* record = FindEsriName(kind, EpsgCode(object), name))
        return record->esriName;
    std::string spelled = EsriSpelling(name);
    if (kind == kEsriDatum && spelled.compare(0, 2, "D_") != 0) spelled = "D_" + spelled;
    if (kind == kEsriUnit && !spelled.empty() && spelled[0] >= 'a' && spelled[0] <= 'z')
        spelled[0] = static_cast<char>(spelled[0] - 'a' + 'A');
    return spelled;
}

bool Writer::Unit(const CS_Unit* unit) {
    if (unit == nullptr) return Refuse("a coordinate system has no unit");
    const bool opened = m_esri ? Open("UNIT", EsriName(kEsriUnit, *unit))
                               : Open("UNIT", BaseNameOf(unit->GetName()));
    return opened && (m_out += ',', Number(unit->GetIUnitsPerUnit())) && Close(*unit);
}

bool Writer::Ellipsoid(const CS_Ellipsoid* ellipsoid) {
    if (ellipsoid == nullptr) return Refuse("a datum has no ellipsoid");
    const bool opened = m_esri ? Open("SPHEROID", EsriName(kEsriEllipsoid, *ellipsoid))
                               : Open("SPHEROID", BaseNameOf(ellipsoid->GetName()));
    // A sphere made from two equal axes has an infinite inverse flattening; WKT 1 writes 0.
    double inverseFlattening = ellipsoid->GetInverseFlattening();
    if (std::isinf(inverseFlattening)) inverseFlattening = 0.0;
    return opened && (m_out += ',', Number(ellipsoid->GetSemiMajorAxis())) &&
           (m_out += ',', Number(inverseFlattening)) && Close(*ellipsoid);
}

} // namespace

std::string quarn::detail::DegreesOf(double radians) {
    const double degrees = radians * 180.0 / quarn::kPi;
    char text[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::to_chars_result end =
            std::to_chars(text, text + sizeof text, degrees, std::chars_format::general, precision);
        double back = 0.0;
        std::from_chars(text, end.ptr, back);
        if (back * quarn::kPi / 180.0 == radians) return ShortestNumber(back);
    }
    return ShortestNumber(degrees);
}

namespace {

bool Writer::PrimeMeridian(const CS_PrimeMeridian* meridian) {
    if (meridian == nullptr) return Refuse("a coordinate system has no prime meridian");
    if (!std::isfinite(meridian->GetLongitude()))
        return Refuse("a prime meridian's longitude is not a finite number");
    const std::string name =
        m_esri ? EsriName(kEsriPrimeMeridian, *meridian) : BaseName(meridian->GetName());
    std::string degrees = DegreesOf(meridian->GetLongitude());
    if (m_esri && degrees.find_first_of(".e") == std::string::npos) degrees += ".0";
    if (!Open("PRIMEM", name)) return false;
    m_out += ',' + degrees;
    return Close(*meridian);
}

bool Writer::HorizontalDatum(const CS_HorizontalDatum* datum) {
    if (datum == nullptr) return Refuse("a coordinate system has no datum");
    const CQuarnHorizontalDatum* own = dynamic_cast<const CQuarnHorizontalDatum*>(datum);
    if (HasGridFiles(*datum, own))
        return Refuse("the datum " + BaseName(datum->GetName()) +
                      " is defined by grid files, which WKT 1 cannot carry");
    const bool opened = m_esri ? Open("DATUM", EsriName(kEsriDatum, *datum))
                               : Open("DATUM", BaseNameOf(datum->GetName()));
    if (!opened || !(m_out += ',', Ellipsoid(datum->GetEllipsoid()))) return false;
    // The shift is written only when it is one: an all-zero TOWGS84 would tell the reader
    // that the datum is WGS 84. ESRI names the datum and keeps shifts elsewhere.
    double values[7];
    if (!m_esri && ShiftOf(*datum, own, values)) {
        bool any = false;
        for (double value : values)
            any = any || value != 0.0;
        if (any) {
            m_out += ",TOWGS84[";
            for (std::size_t i = 0; i < 7; ++i) {
                if (i > 0) m_out += ',';
                if (!Number(values[i])) return false;
            }
            m_out += ']';
        }
    }
    return Close(*datum);
}

bool Writer::VerticalDatum(const CS_VerticalDatum* datum) {
    if (datum == nullptr) return Refuse("a vertical system has no datum");
    if (!m_esri) {
        if (!Open("VERT_DATUM", BaseName(datum->GetName()))) return false;
        m_out += ',' + std::to_string(datum->GetDatumType());
        return Close(*datum);
    }
    // ESRI describes heights from an ellipsoid by the ellipsoid itself, which the library's
    // vertical datum does not hold.
    if (datum->GetDatumType() == 2002)
        return Refuse("the Esri dialect writes ellipsoidal heights with their ellipsoid, which "
                      "a vertical datum of type 2002 does not hold");
    if (!Open("VDATUM", EsriName(kEsriVerticalDatum, *datum))) return false;
    m_out += ']';
    return true;
}

bool Writer::LocalDatum(const CS_LocalDatum* datum) {
    if (m_esri) return Refuse("the Esri dialect has no local (engineering) system");
    if (datum == nullptr) return Refuse("a local system has no datum");
    if (!Open("LOCAL_DATUM", BaseName(datum->GetName()))) return false;
    m_out += ',' + std::to_string(datum->GetDatumType());
    return Close(*datum);
}

} // namespace

bool quarn::detail::OwnMethod(EProjectionType type) {
    switch (type) {
    case PT_ObliqueMercator83:
    case PT_LambertConformalConic27:
    case PT_TransverseMercator27:
    case PT_TransverseMercatorAlaska27:
    case PT_ObliqueMercator27:
    case PT_GroundSystem:
    case PT_GroundSystemAzimuth:
    case PT_TransverseMercatorOSTN02:
    case PT_ObliqueStereographicRD2000:
    case PT_ObliqueStereographicRD2004:
    case PT_TransverseMercator34:
    case PT_ObliqueMercatorHD72:
    case PT_TransverseMercatorGGRS87:
    case PT_ObliqueStereographicSP1930:
    case PT_ObliqueStereographicSP1970:
        return true;
    default:
        return false;
    }
}

namespace {

bool Writer::Projection(const CS_Projection* projection, const CS_Ellipsoid* ellipsoid) {
    if (projection == nullptr) return Refuse("a projected system has no projection");
    const std::string method = QuarnEncodeUtf8(projection->GetClassName());
    if (OwnMethod(projection->GetType()))
        return Refuse("the method " + method + " is this library's own; WKT 1 has no form for it");
    std::vector<EsriParameter> parameters;
    std::string name = method;
    if (m_esri) {
        if (!EsriProjection(*projection, ellipsoid, name, parameters, m_reason)) return false;
    }
    if (!Open("PROJECTION", name) || !Close(*projection)) return false;
    auto write = [this](auto parameterName, double value) {
        m_out += ',';
        if (!Open("PARAMETER", parameterName)) return false;
        m_out += ',';
        if (!Number(value)) return false;
        m_out += ']';
        return true;
    };
    if (m_esri) {
        for (const EsriParameter& parameter : parameters)
            if (!write(parameter.name, parameter.value)) return false;
        return true;
    }
    for (long i = 0; i < projection->GetNumParameters(); ++i) {
        const wchar_t* name = CQuarnProjection::ParameterName(*projection, i);
        if (!write(std::wstring_view(name != nullptr ? name : L""),
                   CQuarnProjection::ParameterValue(*projection, i)))
            return false;
    }
    return true;
}

// The axes, unless they are those the reader assumes when a system has none (the library's
// default X east, Y north, Z up, by orientation). ESRI's form has no axes.
bool Writer::Axes(const CS_CoordinateSystem& system, long count, bool always) {
    if (m_esri) return true;
    const CQuarnAxisInfo* defaults = QuarnDefaultAxes();
    bool asDefault = !always;
    for (long i = 0; i < count && asDefault; ++i) {
        const AxisFacts axis = AxisOf(system, i);
        long wanted = count == 1 ? defaults[2].orientation : defaults[i].orientation;
        asDefault = axis.present && axis.orientation == wanted;
    }
    if (asDefault) return true;
    for (long i = 0; i < count; ++i) {
        const AxisFacts axis = AxisOf(system, i);
        const char* word = axis.present ? OrientationWord(axis.orientation) : nullptr;
        if (word == nullptr) return Refuse("an axis has no orientation WKT 1 can write");
        m_out += ',';
        if (!Open("AXIS", std::wstring_view(axis.name))) return false;
        m_out += ',';
        m_out += word;
        m_out += ']';
    }
    return true;
}

bool Writer::OpenSystem(const char* keyword, const CS_Info& system) {
    if (m_esri) return Open(keyword, EsriSpelling(BaseName(system.GetName())));
    return Open(keyword, BaseNameOf(system.GetName()));
}

bool Writer::Geographic(const CS_GeographicCoordinateSystem& system) {
    return OpenSystem("GEOGCS", system) &&
           (m_out += ',', HorizontalDatum(system.GetHorizontalDatum())) &&
           (m_out += ',', PrimeMeridian(system.GetPrimeMeridian())) &&
           (m_out += ',', Unit(system.GetAngularUnit())) && Axes(system, 2, false) && Close(system);
}

const CS_Ellipsoid* EllipsoidOf(const CS_GeographicCoordinateSystem& system) {
    const CS_HorizontalDatum* datum = system.GetHorizontalDatum();
    return datum != nullptr ? datum->GetEllipsoid() : nullptr;
}

bool Writer::Projected(const CS_ProjectedCoordinateSystem& system) {
    const CS_GeographicCoordinateSystem* geographic = system.GetGeographicCoordinateSystem();
    if (geographic == nullptr) return Refuse("a projected system has no geographic system");
    return OpenSystem("PROJCS", system) && (m_out += ',', Geographic(*geographic)) &&
           (m_out += ',', Projection(system.GetProjection(), EllipsoidOf(*geographic))) &&
           (m_out += ',', Unit(system.GetLinearUnit())) && Axes(system, 2, false) && Close(system);
}

bool Writer::Geocentric(const CS_GeocentricCoordinateSystem& system) {
    if (m_esri) return Refuse("the Esri dialect has no geocentric system");
    return OpenSystem("GEOCCS", system) &&
           (m_out += ',', HorizontalDatum(system.GetHorizontalDatum())) &&
           (m_out += ',', PrimeMeridian(system.GetPrimeMeridian())) &&
           (m_out += ',', Unit(system.GetLinearUnit())) && Axes(system, 3, false) && Close(system);
}

bool Writer::Vertical(const CS_VerticalCoordinateSystem& system) {
    if (!m_esri)
        return OpenSystem("VERT_CS", system) &&
               (m_out += ',', VerticalDatum(system.GetVerticalDatum())) &&
               (m_out += ',', Unit(system.GetVerticalUnit())) && Axes(system, 1, false) &&
               Close(system);
    // ESRI tells heights from depths by a direction parameter.
    const AxisFacts axis = AxisOf(system, 0);
    if (!axis.present || (axis.orientation != CS_AO_Up && axis.orientation != CS_AO_Down))
        return Refuse("the Esri dialect writes only vertical axes pointing up or down");
    return OpenSystem("VERTCS", system) &&
           (m_out += ',', VerticalDatum(system.GetVerticalDatum())) &&
           (m_out += ",PARAMETER[\"Vertical_Shift\",0.0],PARAMETER[\"Direction\",",
            m_out += axis.orientation == CS_AO_Up ? "1.0]" : "-1.0]", true) &&
           (m_out += ',', Unit(system.GetVerticalUnit())) && (m_out += ']', true);
}

bool Writer::Compound(const CS_CompoundCoordinateSystem& system) {
    const CS_CoordinateSystem* head = system.GetHeadCS();
    const CS_CoordinateSystem* tail = system.GetTailCS();
    if (head == nullptr || tail == nullptr) return Refuse("a compound system lacks a part");
    if (!m_esri)
        return OpenSystem("COMPD_CS", system) && (m_out += ',', System(head)) &&
               (m_out += ',', System(tail)) && Close(system);
    // ESRI writes a system with heights as the horizontal system followed by the vertical
    // one; the compound's own name has no place.
    if (tail->GetObjectType() != kQuarnVerticalCS)
        return Refuse("the Esri dialect pairs a horizontal system only with a vertical one");
    return System(head) && (m_out += ',', System(tail));
}

bool Writer::Local(const CS_LocalCoordinateSystem& system) {
    if (m_esri) return Refuse("the Esri dialect has no local (engineering) system");
    return OpenSystem("LOCAL_CS", system) && (m_out += ',', LocalDatum(system.GetLocalDatum())) &&
           (m_out += ',', Unit(system.GetUnits(0))) && Axes(system, system.GetDimension(), true) &&
           Close(system);
}

bool Writer::System(const CS_CoordinateSystem* system) {
    if (system == nullptr) return Refuse("a system lacks a part");
    return Object(*system);
}

bool Writer::Object(const CS_Info& object) {
    switch (object.GetObjectType()) {
    case kQuarnCompoundCS:
        return Compound(static_cast<const CS_CompoundCoordinateSystem&>(object));
    case kQuarnFittedHorizontalCS:
    case kQuarnFittedVerticalCS:
        return Refuse("a fitted system (Local_Grid or Linear_Correction) has no form that "
                      "other programs read");
    case kQuarnProjectedCS:
        return Projected(static_cast<const CS_ProjectedCoordinateSystem&>(object));
    case kQuarnGeographicCS:
        return Geographic(static_cast<const CS_GeographicCoordinateSystem&>(object));
    case kQuarnGeocentricCS:
        return Geocentric(static_cast<const CS_GeocentricCoordinateSystem&>(object));
    case kQuarnVerticalCS:
        return Vertical(static_cast<const CS_VerticalCoordinateSystem&>(object));
    case kQuarnLocalCS:
        return Local(static_cast<const CS_LocalCoordinateSystem&>(object));
    case kQuarnPrimeMeridian:
        return PrimeMeridian(&static_cast<const CS_PrimeMeridian&>(object));
    case kQuarnEllipsoid:
        return Ellipsoid(&static_cast<const CS_Ellipsoid&>(object));
    case kQuarnProjection:
        return Projection(&static_cast<const CS_Projection&>(object), nullptr);
    case kQuarnHorizontalDatum:
        return HorizontalDatum(&static_cast<const CS_HorizontalDatum&>(object));
    case kQuarnVerticalDatum:
        return VerticalDatum(&static_cast<const CS_VerticalDatum&>(object));
    case kQuarnLocalDatum:
        return LocalDatum(&static_cast<const CS_LocalDatum&>(object));
    case kQuarnLinearUnit:
    case kQuarnAngularUnit:
        return Unit(&static_cast<const CS_Unit&>(object));
    default:
        return Refuse("the object is of no type this library knows");
    }
}

} // namespace

std::string quarn::detail::ShortestNumber(double value) {
    char text[kShortestNumberRoom];
    return std::string(text, FormatShortestNumber(value, text));
}

bool quarn::detail::WriteInterchange(const CS_Info& object, InterchangeDialect dialect,
                                     std::string& out, std::string& reason) {
    out.clear();
    reason.clear();
    Writer writer(dialect, out, reason);
    const bool written = writer.Object(object);
    writer.Finish();
    return written;
}
