// The dialect front end: split the text into elements, rewrite the constructs of the dialect
// into canonical elements, write the canonical text back out token by token and remember
// where each token came from.
#include <quarn/interchange/WktDialects.h>

#include "interchange/DialectElements.h"
#include "interchange/EsriNamesInternal.h"
#include "interchange/InterchangeInternal.h"
#include "interchange/ProjectionMethods.h"
#include "interchange/Wkt2Internal.h"
#include "interchange/Wkt2Names.h"
#include "wkt/WktCharacters.h"
#include <quarn/factory/Factory.h>
#include <quarn/model/ModuleSetup.h>
#include <quarn/model/ObjectKinds.h>
#include <quarn/model/Text.h>
#include <quarn/model/Utf8.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <type_traits>

using namespace quarn::detail;

namespace quarn {
namespace {

using detail::Element;
using detail::Made;
using detail::Quoted;
using detail::ScannedToken;
using detail::TokenKind;

// ESRI names datums in its own way ("Ordnance_Datum_Newlyn" for "Ordnance Datum Newlyn",
// "Genoa" for "Genoa 1942", "D_WGS_1984" for "World Geodetic System 1984"); the table of
// ESRI names takes the datum of a vertical system back to the name the other readers know,
// as the Esri writer takes it out. Unknown names stay.
std::wstring DatumName(EsriNameKind kind, const std::wstring& esriName) {
    const EsriNameRecord* record = FindByEsriName(kind, QuarnEncodeUtf8(esriName));
    std::wstring name;
    if (record == nullptr || !QuarnDecodeUtf8(record->epsgName, name)) return esriName;
    return name;
}

// ---- The rewriting ------------------------------------------------------------------------

// Every construct rewritten here is one MayRewrite (below) looks for: a text in which it
// finds none is read as it stands.
class Rewriter {
public:
    Rewriter(std::wstring_view original, WktDialect dialect)
        : m_original(original), m_dialect(dialect) {}

    bool Changed() const { return m_changed; }
    bool Refused() const { return m_refused; }
    const QuarnParseDiagnostic& Refusal() const { return m_refusal; }

    void Rewrite(std::vector<Element>& top) {
        for (Element& e : top)
            Walk(e);
        if (m_dialect != WktDialect::Esri || m_refused) return;
        if (top.size() == 2) JoinHorizontalAndVertical(top);
        if (top.size() == 1) SplitThreeDimensional(top[0]);
    }

private:
    // Every rewrite that stands on its own element, innermost first.
    void Walk(Element& e) {
        for (auto it = e.children.begin(); it != e.children.end();) {
            if (m_dialect == WktDialect::Gdal && IsNode(*it, L"EXTENSION")) {
                KeepExtension(e, *it);
                it = e.children.erase(it);
                m_changed = true;
                continue;
            }
            Walk(*it);
            ++it;
        }
        if (IsNode(e, L"AUTHORITY") && e.children.size() == 2 && IsNumber(e.children[1])) {
            // Both dialects write EPSG codes as numbers; the code is the number's text.
            e.children[1].text = Quoted(e.children[1].text);
            m_changed = true;
        }
        if (m_dialect != WktDialect::Esri) return;
        if (IsNode(e, L"GXYZCS")) Rename(e, L"GEOCCS");
        if (IsNode(e, L"HVCOORDSYS")) Rename(e, L"COMPD_CS");
        if (IsNode(e, L"VERTCS")) ReadVertcs(e);
        // With the projection-file conveniences on, the datum keeps the name the file gives
        // it: the shifts of those conveniences are told by that name.
        if (IsNode(e, L"GEOGCS") && !IsPrjLoading()) NameAsEpsg(e);
        if (IsNode(e, L"PROJCS") && !IsPrjLoading()) MethodAsGdal(e);
    }

    // The factor of the UNIT child of `e`, or 0 when it has none that is a number.
    static double UnitFactor(Element& e) {
        const Element* unit = ChildNode(e, L"UNIT");
        if (unit == nullptr || unit->children.size() < 2 || !IsNumber(unit->children[1]))
            return 0.0;
        return std::wcstod(unit->children[1].text.c_str(), nullptr);
    }

    // A method under ESRI's own name (Gauss_Kruger, its Lambert_Conformal_Conic of one parallel
    // or two, Albers, Double_Stereographic, ...) or with parameters its WKT 1 method has no
    // place for, or without one that counts, takes the form GDAL and PROJ give it in WKT 1: the
    // method its parameters settle, each of that method's parameters once under its WKT 1 name
    // and in the text's units (ProjectionMethods.h), as WKT 2 writes it.
    void MethodAsGdal(Element& projected) {
        Element* projection = ChildNode(projected, L"PROJECTION");
        Element* geographic = ChildNode(projected, L"GEOGCS");
        if (projection == nullptr || geographic == nullptr || NameOf(*projection).empty()) return;
        Element* datum = ChildNode(*geographic, L"DATUM");
        const Element* ellipsoid = datum != nullptr ? ChildNode(*datum, L"SPHEROID") : nullptr;
        double inverseFlattening = 0.0;
        if (ellipsoid != nullptr && ellipsoid->children.size() >= 3 &&
            IsNumber(ellipsoid->children[2]))
            inverseFlattening = std::wcstod(ellipsoid->children[2].text.c_str(), nullptr);
        std::vector<HeldParameter> parameters;
        std::size_t first = projected.children.size();
        for (std::size_t i = 0; i < projected.children.size(); ++i) {
            const Element& child = projected.children[i];
            if (!IsNode(child, L"PARAMETER")) continue;
            // The canonical reader says what is wrong with a malformed parameter.
            if (child.children.size() != 2 || !IsString(child.children[0]) ||
                !IsNumber(child.children[1]))
                return;
            first = std::min(first, i);
            parameters.push_back({QuarnEncodeUtf8(NameOf(child)),
                                  std::wcstod(child.children[1].text.c_str(), nullptr)});
        }
        const ProjectionForm form =
            FormOf(QuarnEncodeUtf8(NameOf(*projection)), parameters, UnitFactor(*geographic),
                   UnitFactor(projected), inverseFlattening);
        if (!form.byRole) return;
        std::vector<HeldParameter> held;
        for (int i = 0; i < form.row->count; ++i) {
            const MethodParameter& row = form.row->parameters[i];
            if (FindParameter(*form.row, row.Code(), "") == &row)
                held.push_back({row.wkt1, form.values[row.epsg->role]});
        }
        // Only where the WKT 1 name tells the method: Krovak's is also that of its north
        // orientated form, which WKT 1 tells by the axes.
        Meaning again;
        again.inverseFlattening = inverseFlattening;
        DescribeMethod(form.row->wkt1, held, UnitFactor(*geographic), UnitFactor(projected), again);
        double latitudeOfOrigin = 0.0;
        for (const HeldParameter& parameter : held)
            if (NameKey(parameter.name) == "latitudeoforigin") latitudeOfOrigin = parameter.value;
        if (again.method != form.row->code ||
            FindMethodForWkt1(form.row->wkt1, latitudeOfOrigin) != form.row)
            return;
        const Element at =
            first < projected.children.size() ? projected.children[first] : *projection;
        std::vector<Element> rewritten;
        for (const HeldParameter& parameter : held) {
            std::wstring name, value;
            QuarnDecodeUtf8(parameter.name, name);
            QuarnDecodeUtf8(ShortestNumber(parameter.value), value);
            rewritten.push_back(
                Made(L"PARAMETER", at, {Made(Quoted(name), at), Made(std::move(value), at)}));
        }
        std::vector<Element>& children = projected.children;
        children.erase(std::remove_if(children.begin(), children.end(),
                                      [](const Element& c) { return IsNode(c, L"PARAMETER"); }),
                       children.end());
        std::size_t place = 0;
        while (place < children.size() && !IsNode(children[place], L"PROJECTION"))
            ++place;
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(place + 1),
                        std::make_move_iterator(rewritten.begin()),
                        std::make_move_iterator(rewritten.end()));
        SetName(ChildNode(projected, L"PROJECTION")->children[0], form.row->wkt1);
        m_changed = true;
    }

    // A geographic system's datum and ellipsoid under the names GDAL and PROJ give them in
    // WKT 1, through the table of ESRI names: the datum's EPSG name spelt as GDAL spells
    // datums ("D_NZGD_2000" is New_Zealand_Geodetic_Datum_2000), the ellipsoid's EPSG name
    // ("GRS_1980" is GRS 1980). Off Greenwich, ESRI names the datum as its Greenwich one
    // ("D_NTF" on Paris is "NTF (Paris)"). A datum the table does not know loses its D_ prefix
    // as in PROJ's reading; other names stay.
    void NameAsEpsg(Element& geographic) {
        Element* datum = ChildNode(geographic, L"DATUM");
        if (datum == nullptr || NameOf(*datum).empty()) return;
        const Element* meridian = ChildNode(geographic, L"PRIMEM");
        const bool offGreenwich = meridian != nullptr && meridian->children.size() >= 2 &&
                                  IsNumber(meridian->children[1]) &&
                                  std::wcstod(meridian->children[1].text.c_str(), nullptr) != 0.0;
        const std::string datumName = QuarnEncodeUtf8(NameOf(*datum));
        const EsriNameRecord* record =
            offGreenwich ? FindEsriDatumOffGreenwich(datumName) : nullptr;
        if (record == nullptr) record = FindByEsriName(kEsriDatum, datumName);
        if (record != nullptr)
            SetName(datum->children[0], Wkt1DatumName(record->epsgName));
        else if (datumName.size() > 2 && datumName.compare(0, 2, "D_") == 0)
            SetName(datum->children[0], datumName.substr(2));
        Element* ellipsoid = ChildNode(*datum, L"SPHEROID");
        if (ellipsoid == nullptr || NameOf(*ellipsoid).empty()) return;
        record = FindByEsriName(kEsriEllipsoid, QuarnEncodeUtf8(NameOf(*ellipsoid)));
        if (record != nullptr) SetName(ellipsoid->children[0], record->epsgName);
    }

    // The name `utf8`, quoted, in place of the one `at` holds.
    void SetName(Element& at, const std::string& utf8) {
        std::wstring name;
        if (!QuarnDecodeUtf8(utf8, name) || Quoted(name) == at.text) return;
        at.text = Quoted(name);
        m_changed = true;
    }

    void Rename(Element& e, const wchar_t* keyword) {
        e.text = keyword;
        m_changed = true;
    }

    void Refuse(const Element& at, const wchar_t* why) {
        if (m_refused) return;
        m_refused = true;
        m_refusal.syntaxError = true;
        m_refusal.offset = at.at;
        m_refusal.length = at.length;
        m_refusal.token.assign(m_original.substr(at.at, at.length));
        m_refusal.expected = why;
    }

    // A PROJ4 extension of the Mercator on a sphere without datum shift is the Mercator of
    // web maps, which the projection's method name can say; any other extension only
    // repeats the element for GDAL's older readers (or names grids the datum cannot hold),
    // and the element alone keeps its meaning.
    static void KeepExtension(Element& parent, const Element& extension) {
        if (!IsNode(parent, L"PROJCS") || NameOf(extension) != L"PROJ4" ||
            extension.children.size() < 2)
            return;
        const std::wstring& proj = extension.children[1].text;
        auto value = [&proj](const wchar_t* key) {
            std::size_t at = proj.find(key);
            if (at == std::wstring::npos) return std::wstring();
            at += std::wcslen(key);
            return proj.substr(at, proj.find_first_of(L" \"", at) - at);
        };
        bool sphere = !value(L"+a=").empty() && value(L"+a=") == value(L"+b=");
        if (value(L"+proj=") != L"merc" || !sphere || value(L"+nadgrids=") != L"@null") return;
        if (Element* projection = ChildNode(parent, L"PROJECTION"))
            if (!projection->children.empty() && IsString(projection->children[0]))
                projection->children[0].text = L"\"Popular_Visualisation_Pseudo_Mercator\"";
    }

    // VERTCS[name, VDATUM[name] or DATUM[name, SPHEROID[...]], PARAMETER["Vertical_Shift",
    // s], PARAMETER["Direction", d], UNIT[...], AUTHORITY[...]] as VERT_CS with a vertical
    // datum of type 2005 (a height from a geoid model or a levelling) or, for a horizontal
    // datum, 2002 (a height above the datum's ellipsoid), and an axis up (d = 1) or down
    // (d = -1). A vertical system holds no shift: a shift other than 0 is refused.
    void ReadVertcs(Element& v) {
        if (v.children.empty() || !IsString(v.children[0])) return Refuse(v, L"a name");
        Element name = v.children[0], unit, authority, datum;
        const Element* down = nullptr;
        bool ellipsoidal = false, hasUnit = false, hasAuthority = false, hasDatum = false;
        for (std::size_t i = 1; i < v.children.size(); ++i) {
            Element& child = v.children[i];
            if (IsNode(child, L"VDATUM") || IsNode(child, L"DATUM")) {
                ellipsoidal = IsNode(child, L"DATUM");
                datum = child;
                hasDatum = true;
            } else if (IsNode(child, L"UNIT")) {
                unit = child;
                hasUnit = true;
            } else if (IsNode(child, L"AUTHORITY")) {
                authority = child;
                hasAuthority = true;
            } else if (IsNode(child, L"PARAMETER") && child.children.size() == 2 &&
                       IsNumber(child.children[1])) {
                if (!ReadVerticalParameter(child, down)) return;
            } else {
                return Refuse(child, L"VDATUM, PARAMETER, UNIT or AUTHORITY in a VERTCS");
            }
        }
        if (!hasDatum || !hasUnit || NameOf(datum).empty())
            return Refuse(v, L"a VERTCS with a datum and a unit");

        datum.children[0].text =
            Quoted(DatumName(ellipsoidal ? kEsriDatum : kEsriVerticalDatum, NameOf(datum)));
        std::vector<Element> datumParts{datum.children[0],
                                        Made(ellipsoidal ? L"2002" : L"2005", datum)};
        Element datumAuthority;
        if (TakeChild(datum, L"AUTHORITY", datumAuthority))
            datumParts.push_back(std::move(datumAuthority));
        const wchar_t* axisName = ellipsoidal ? L"\"Ellipsoidal height\""
                                  : down      ? L"\"Depth\""
                                              : L"\"Gravity-related height\"";
        const Element& axisFrom = down != nullptr ? *down : v;
        v.children = {name, Made(L"VERT_DATUM", datum, std::move(datumParts)), unit,
                      Made(L"AXIS", axisFrom,
                           {Made(axisName, axisFrom), Made(down ? L"DOWN" : L"UP", axisFrom)})};
        if (hasAuthority) v.children.push_back(authority);
        Rename(v, L"VERT_CS");
    }

    // Vertical_Shift must be 0; Direction 1 (up) or -1 (down, `down` then points at it).
    bool ReadVerticalParameter(const Element& parameter, const Element*& down) {
        std::wstring name = NameOf(parameter);
        double value = std::wcstod(parameter.children[1].text.c_str(), nullptr);
        if (QuarnEqualNoCase(name.c_str(), L"Vertical_Shift")) {
            if (value == 0.0) return true;
            Refuse(parameter.children[1], L"a vertical shift of 0 (a vertical system holds none)");
            return false;
        }
        if (QuarnEqualNoCase(name.c_str(), L"Direction")) {
            if (value == 1.0) return true;
            if (value == -1.0) {
                down = &parameter;
                return true;
            }
            Refuse(parameter.children[1], L"a direction of 1 (up) or -1 (down)");
            return false;
        }
        Refuse(parameter, L"PARAMETER Vertical_Shift or Direction in a VERTCS");
        return false;
    }

    // `PROJCS[...],VERTCS[...]` and `GEOGCS[...],VERTCS[...]`: the compound of the two,
    // named after both as compound systems are ("head + tail").
    void JoinHorizontalAndVertical(std::vector<Element>& top) {
        bool horizontal = IsNode(top[0], L"PROJCS") || IsNode(top[0], L"GEOGCS");
        if (!horizontal || !IsNode(top[1], L"VERT_CS")) return;
        std::wstring name = Quoted(NameOf(top[0]) + L" + " + NameOf(top[1]));
        Element compound = Made(L"COMPD_CS", top[0], {Made(name, top[0]), top[0], top[1]});
        top = {std::move(compound)};
        m_changed = true;
    }

    // A GEOGCS closed by LINUNIT (also inside a PROJCS, which may end with a LINUNIT of its
    // own) is three-dimensional: the compound of the two-dimensional system and a height
    // above the ellipsoid in the LINUNIT's unit. The compound carries the system's name and
    // authority; the height part is the same for every such system of one unit and is
    // named for what it is.
    void SplitThreeDimensional(Element& top) {
        Element* geographic = IsNode(top, L"GEOGCS")   ? &top
                              : IsNode(top, L"PROJCS") ? ChildNode(top, L"GEOGCS")
                                                       : nullptr;
        if (geographic == nullptr) return;
        Element outer, inner, authority;
        bool hasOuter = &top != geographic && TakeChild(top, L"LINUNIT", outer);
        bool hasInner = TakeChild(*geographic, L"LINUNIT", inner);
        if (!hasOuter && !hasInner) return;
        Element unit = hasOuter ? outer : inner;
        unit.text = L"UNIT";
        const Element anchor = unit;
        Element height = Made(
            L"VERT_CS", anchor,
            {Made(L"\"Ellipsoidal height\"", anchor),
             Made(L"VERT_DATUM", anchor, {Made(L"\"Ellipsoid\"", anchor), Made(L"2002", anchor)}),
             unit,
             Made(L"AXIS", anchor,
                  {Made(L"\"Ellipsoidal height\"", anchor), Made(L"UP", anchor)})});
        bool hasAuthority = TakeChild(top, L"AUTHORITY", authority);
        std::wstring name = Quoted(NameOf(top));
        Element compound = Made(L"COMPD_CS", top, {Made(name, top), top, std::move(height)});
        if (hasAuthority) compound.children.push_back(std::move(authority));
        top = std::move(compound);
        m_changed = true;
    }

    std::wstring_view m_original;
    WktDialect m_dialect;
    bool m_changed = false;
    bool m_refused = false;
    QuarnParseDiagnostic m_refusal;
};

// The passes below read a text as wide characters or as its UTF-8 bytes alike: every
// character they look for is ASCII, and no byte of a longer UTF-8 sequence is.
template <class Char> wchar_t Wide(Char c) {
    return static_cast<wchar_t>(static_cast<std::make_unsigned_t<Char>>(c));
}

// Whether `word` is `keyword` (capitals) in any case.
template <class Char> bool IsKeyword(std::basic_string_view<Char> word, std::string_view keyword) {
    if (word.size() != keyword.size()) return false;
    for (std::size_t i = 0; i < keyword.size(); ++i) {
        wchar_t c = Wide(word[i]);
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c != Wide(keyword[i])) return false;
    }
    return true;
}

template <class Char> std::size_t SkipBlanks(std::basic_string_view<Char> text, std::size_t at) {
    while (at < text.size() && IsWktBlank(Wide(text[at])))
        ++at;
    return at;
}

// Whether the AUTHORITY node opened by the bracket at `open` may hold a code that is a
// number (the rewriting quotes it): true unless it plainly starts with a quoted name and a
// quoted code.
template <class Char> bool MayHaveNumericCode(std::basic_string_view<Char> text, std::size_t open) {
    std::size_t at = SkipBlanks(text, open + 1);
    if (at >= text.size() || text[at] != Char('"')) return true;
    std::size_t close = text.find(Char('"'), at + 1);
    if (close == std::basic_string_view<Char>::npos) return true;
    at = SkipBlanks(text, close + 1);
    if (at >= text.size() || text[at] != Char(',')) return false;
    at = SkipBlanks(text, at + 1);
    return at < text.size() && IsWktNumberStart(Wide(text[at]));
}

// False when the Rewriter would find nothing to rewrite or refuse in `text`, so that the
// canonical reading of the text itself is the dialect's reading; true when it might. Every
// construct the Rewriter acts on is a node, so only the word before each opening bracket is
// looked at (brackets inside quoted names too, which at worst sends a text the long way):
// EXTENSION for GDAL; for ESRI VERTCS, GXYZCS, HVCOORDSYS, LINUNIT, VERT_CS, which may be
// the second of two systems that make a compound, and GEOGCS, whose datum and ellipsoid take
// the names GDAL gives them; and an AUTHORITY whose code may be a number. (A word glued to a token
// before it, as in `1eVERTCS[`, is taken whole here; the Splitter refuses such a text anyway.)
template <class Char> bool MayRewrite(std::basic_string_view<Char> text, WktDialect dialect) {
    static const std::string_view kGdal[] = {"EXTENSION"};
    static const std::string_view kEsri[] = {"VERTCS",  "GXYZCS",  "HVCOORDSYS",
                                             "LINUNIT", "VERT_CS", "GEOGCS"};
    const bool esri = dialect == WktDialect::Esri;
    const std::string_view* first = esri ? std::begin(kEsri) : std::begin(kGdal);
    const std::string_view* last = esri ? std::end(kEsri) : std::end(kGdal);
    // The last letters of the words looked for, in capitals: a word that ends otherwise is
    // passed over without being read back to its start.
    wchar_t lastLetters[1 + std::max(std::size(kGdal), std::size(kEsri))] = {L'Y'}; // AUTHORITY
    std::size_t letters = 1;
    for (const std::string_view* keyword = first; keyword != last; ++keyword)
        lastLetters[letters++] = Wide(keyword->back());
    for (std::size_t open = text.find(Char('[')); open != std::basic_string_view<Char>::npos;
         open = text.find(Char('['), open + 1)) {
        std::size_t end = open;
        while (end > 0 && IsWktBlank(Wide(text[end - 1])))
            --end;
        if (end == 0) continue;
        wchar_t letter = Wide(text[end - 1]);
        if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
        if (std::find(lastLetters, lastLetters + letters, letter) == lastLetters + letters)
            continue;
        std::size_t start = end;
        while (start > 0 && IsWktWordPart(Wide(text[start - 1])))
            --start;
        std::basic_string_view<Char> word = text.substr(start, end - start);
        if (IsKeyword(word, "AUTHORITY")) {
            if (MayHaveNumericCode(text, open)) return true;
            continue;
        }
        for (const std::string_view* keyword = first; keyword != last; ++keyword)
            if (IsKeyword(word, *keyword)) return true;
    }
    return false;
}

// Whether the text's first word is the keyword of a WKT 1 system (GEOGCS, PROJCS, ...): such
// a text is no WKT 2 text, which the common case tells without the WKT 2 scanner.
template <class Char> bool OpensAsWkt1System(std::basic_string_view<Char> scan) {
    const std::size_t start = SkipBlanks(scan, 0);
    std::size_t end = start;
    while (end < scan.size() && IsWktWordPart(Wide(scan[end])))
        ++end;
    const std::basic_string_view<Char> word = scan.substr(start, end - start);
    for (long type = kQuarnCompoundCS; type <= kQuarnLocalCS; ++type)
        if (IsKeyword(word, kObjectKinds[type].keyword)) return true;
    return false;
}

// Whether `text` of `dialect` reads as it stands: a canonical text, or one that is not WKT 2
// (which every dialect but the canonical one takes) and holds nothing the Rewriter would
// change. `scan` is the text itself or its UTF-8.
template <class Char>
bool ReadsInPlace(std::wstring_view text, std::basic_string_view<Char> scan, WktDialect dialect) {
    if (dialect == WktDialect::Canonical) return true;
    if (IsWkt2(dialect) || (!OpensAsWkt1System(scan) && StartsAsWkt2(text))) return false;
    return !MayRewrite(scan, dialect);
}

// Reads a text that needs rewriting (or may need it).
const CS_CoordinateSystem* ReadRewritten(CQuarnCoordinateSystemFactory& factory,
                                         std::wstring_view text, WktDialect dialect) {
    DialectRewrite rewrite = RewriteDialect(text, dialect);
    if (!rewrite.ok) {
        // Nothing is read; the last diagnostic is the refusal.
        factory.SetLastDiagnostic(rewrite.refusal);
        return nullptr;
    }
    const CS_CoordinateSystem* result = factory.CreateFromWKT(rewrite.text.c_str());
    if (rewrite.changed)
        factory.SetLastDiagnostic(rewrite.ToOriginal(factory.GetLastDiagnostic(), text));
    return result;
}

} // namespace

DialectRewrite RewriteDialect(std::wstring_view text, WktDialect dialect) {
    if (IsWkt2(dialect) || (dialect != WktDialect::Canonical && StartsAsWkt2(text)))
        return RewriteWkt2(text);
    DialectRewrite out;
    out.text.assign(text);
    out.originalLength = text.size();
    if (dialect == WktDialect::Canonical) return out;
    std::vector<Element> top;
    if (!SplitElements(text, top)) return out;
    Rewriter rewriter(text, dialect);
    rewriter.Rewrite(top);
    if (rewriter.Refused()) {
        out.ok = false;
        out.refusal = rewriter.Refusal();
        return out;
    }
    if (!rewriter.Changed()) return out;
    out.changed = true;
    out.text.clear();
    WriteElements(top, out);
    return out;
}

QuarnParseDiagnostic DialectRewrite::ToOriginal(const QuarnParseDiagnostic& diagnostic,
                                                std::wstring_view original) const {
    QuarnParseDiagnostic moved = diagnostic;
    if (!changed || !diagnostic.syntaxError) return moved;
    const Piece* piece = nullptr;
    for (const Piece& p : pieces) {
        if (p.at + p.length > diagnostic.offset) {
            piece = &p;
            break;
        }
    }
    if (piece == nullptr) {
        moved.offset = originalLength;
        moved.length = 0;
        moved.token.clear();
        return moved;
    }
    if (diagnostic.offset >= piece->at && piece->length == piece->originalLength) {
        moved.offset = piece->originalAt + (diagnostic.offset - piece->at);
    } else if (diagnostic.offset < piece->at && diagnostic.length == 1) {
        // A bracket or comma between tokens: the same character before the next token.
        std::size_t at = piece->originalAt;
        while (at > 0 && IsWktBlank(original[at - 1]))
            --at;
        bool same = at > 0 && !diagnostic.token.empty() && original[at - 1] == diagnostic.token[0];
        moved.offset = same ? at - 1 : piece->originalAt;
        moved.length = same ? 1 : piece->originalLength;
    } else {
        moved.offset = piece->originalAt;
        moved.length = piece->originalLength;
    }
    if (moved.offset > original.size()) moved.offset = original.size();
    moved.token.assign(original.substr(moved.offset, moved.length));
    moved.length = moved.token.size();
    return moved;
}

const CS_CoordinateSystem* ReadWktDialect(CQuarnCoordinateSystemFactory& factory,
                                          std::wstring_view text, WktDialect dialect) {
    if (ReadsInPlace(text, text, dialect)) return factory.CreateFromWKT(std::wstring(text).c_str());
    return ReadRewritten(factory, text, dialect);
}

const CS_CoordinateSystem* detail::ReadWktDialectText(CQuarnCoordinateSystemFactory& factory,
                                                      std::wstring_view text, std::string_view utf8,
                                                      WktDialect dialect) {
    if (ReadsInPlace(text, utf8, dialect)) return factory.CreateFromWKT(text.data());
    // The rewriting reads the text again after the parser has taken its room back.
    return ReadRewritten(factory, std::wstring(text), dialect);
}

DialectConstruct FindDialectConstruct(std::wstring_view text, std::size_t offset) {
    std::vector<ScannedToken> tokens;
    DialectScanner scanner(text);
    for (ScannedToken t = scanner.Next(); t.kind != TokenKind::End; t = scanner.Next())
        tokens.push_back(t);
    std::size_t first = 0;
    while (first < tokens.size() && tokens[first].at + tokens[first].length <= offset)
        ++first;
    auto word = [&](std::size_t i) {
        return std::wstring(text.substr(tokens[i].at, tokens[i].length));
    };
    DialectConstruct found;
    // The token where the reading stopped and the two after it (a comma after a complete
    // system, then the element that follows it).
    for (std::size_t i = first; i < tokens.size() && i < first + 3 && !found; ++i) {
        std::wstring w = word(i);
        if (tokens[i].kind == TokenKind::Word) {
            for (const wchar_t* esri : {L"VERTCS", L"VDATUM", L"GXYZCS", L"HVCOORDSYS", L"LINUNIT"})
                if (QuarnEqualNoCase(w.c_str(), esri)) found = {w, false, true};
            if (QuarnEqualNoCase(w.c_str(), L"EXTENSION")) found = {w, true, false};
        } else if (tokens[i].kind == TokenKind::Number && i >= 4 &&
                   tokens[i - 1].kind == TokenKind::Comma &&
                   tokens[i - 2].kind == TokenKind::String &&
                   tokens[i - 3].kind == TokenKind::Open &&
                   QuarnEqualNoCase(word(i - 4).c_str(), L"AUTHORITY")) {
            found = {L"AUTHORITY code " + w, true, true};
        }
    }
    return found;
}

} // namespace quarn
