// The EPSG authority factory. PROJ serves only to look a code up and to write the object's
// WKT 1 text; the objects themselves come from the Quarn factory reading that text, so they
// are the very objects a host gets by reading the same text.
#include <quarn/epsg.h>

#include <quarn/model/ObjectKinds.h>

#include <quarn/model/ModuleSetup.h>
#include <quarn/model/Utf8.h>

#include <proj.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <unordered_map>

namespace {

enum class Kind : unsigned {
    Projected,
    Geographic,
    Horizontal,
    Vertical,
    Compound,
    HorizontalDatum,
    VerticalDatum,
    Ellipsoid,
    PrimeMeridian,
    LinearUnit,
    AngularUnit,
    Description,
    WktDatumName
};

// The parts of a system that every helper text below carries, written as the database
// writes them, so that they are the same objects as inside the database's systems.
#define QUARN_EPSG_WGS84                                                                           \
    "DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,AUTHORITY[\"EPSG\",\"7030\"]],"  \
    "AUTHORITY[\"EPSG\",\"6326\"]]"
#define QUARN_EPSG_GREENWICH "PRIMEM[\"Greenwich\",0,AUTHORITY[\"EPSG\",\"8901\"]]"
#define QUARN_EPSG_DEGREE "UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]]"
#define QUARN_EPSG_METRE "UNIT[\"metre\",1,AUTHORITY[\"EPSG\",\"9001\"]]"

// What a request looks for: its name in reasons, where PROJ keeps it, the WKT elements that
// answer it, and for a part of a system the helper text around the part's own element (the
// factory reads only coordinate systems).
struct Request {
    const char* what; // the kind's name (ObjectKinds.h) where the request is for one kind
    PJ_CATEGORY category;
    const char* elements;
    const char* before;
    const char* after;
};

const Request& RequestOf(Kind kind) {
    static const Request requests[] = {
        {quarn::kObjectKinds[kQuarnProjectedCS].name, PJ_CATEGORY_CRS, "PROJCS", "", ""},
        {quarn::kObjectKinds[kQuarnGeographicCS].name, PJ_CATEGORY_CRS, "GEOGCS", "", ""},
        {"horizontal coordinate system", PJ_CATEGORY_CRS, "GEOGCS PROJCS", "", ""},
        {quarn::kObjectKinds[kQuarnVerticalCS].name, PJ_CATEGORY_CRS, "VERT_CS", "", ""},
        {quarn::kObjectKinds[kQuarnCompoundCS].name, PJ_CATEGORY_CRS, "COMPD_CS", "", ""},
        {quarn::kObjectKinds[kQuarnHorizontalDatum].name, PJ_CATEGORY_DATUM, "DATUM",
         "GEOGCS[\"\",", "," QUARN_EPSG_GREENWICH "," QUARN_EPSG_DEGREE "]"},
        {quarn::kObjectKinds[kQuarnVerticalDatum].name, PJ_CATEGORY_DATUM, "VERT_DATUM",
         "VERT_CS[\"\",", "," QUARN_EPSG_METRE "]"},
        {quarn::kObjectKinds[kQuarnEllipsoid].name, PJ_CATEGORY_ELLIPSOID, "SPHEROID",
         "GEOGCS[\"\",DATUM[\"\",", "]," QUARN_EPSG_GREENWICH "," QUARN_EPSG_DEGREE "]"},
        {quarn::kObjectKinds[kQuarnPrimeMeridian].name, PJ_CATEGORY_PRIME_MERIDIAN, "PRIMEM",
         "GEOGCS[\"\"," QUARN_EPSG_WGS84 ",", "," QUARN_EPSG_DEGREE "]"},
        {quarn::kObjectKinds[kQuarnLinearUnit].name, PJ_CATEGORY_CRS, "linear",
         "GEOCCS[\"\"," QUARN_EPSG_WGS84 "," QUARN_EPSG_GREENWICH ",", "]"},
        {quarn::kObjectKinds[kQuarnAngularUnit].name, PJ_CATEGORY_CRS, "angular",
         "GEOGCS[\"\"," QUARN_EPSG_WGS84 "," QUARN_EPSG_GREENWICH ",", "]"},
        {"object", PJ_CATEGORY_CRS, "", "", ""},
        {quarn::kObjectKinds[kQuarnHorizontalDatum].name, PJ_CATEGORY_DATUM, "DATUM", "", ""},
    };
    return requests[static_cast<unsigned>(kind)];
}

// What the database's text is (its first element) and the object type it reads to, for
// reasons and checks: a system, datum, ellipsoid or prime meridian, else another kind.
struct Element {
    const char* keyword;
    const char* what;
    long type;
};

Element ElementOf(const std::string& wkt) {
    static constexpr long kAnswered[] = {
        kQuarnProjectedCS, kQuarnGeographicCS, kQuarnGeocentricCS,    kQuarnVerticalCS,
        kQuarnCompoundCS,  kQuarnLocalCS,      kQuarnHorizontalDatum, kQuarnVerticalDatum,
        kQuarnLocalDatum,  kQuarnEllipsoid,    kQuarnPrimeMeridian};
    const std::string keyword = wkt.substr(0, wkt.find('['));
    for (long type : kAnswered) {
        const quarn::ObjectKind& kind = quarn::kObjectKinds[type];
        if (keyword == kind.keyword) return {kind.keyword, kind.name, kind.type};
    }
    return {"", "object of another kind", -1};
}

// "4326" or "EPSG:4326" (prefix in any case): at most nine digits, nothing around them.
bool ParseCode(const wchar_t* text, std::uint32_t& number) {
    if (text == nullptr) return false;
    const wchar_t* prefix = L"EPSG:";
    std::size_t matched = 0;
    while (matched < 5 && (text[matched] == prefix[matched] ||
                           (matched < 4 && text[matched] == prefix[matched] + (L'a' - L'A'))))
        ++matched;
    if (matched == 5) text += 5;
    number = 0;
    std::size_t digits = 0;
    for (; *text != L'\0'; ++text, ++digits) {
        if (*text < L'0' || *text > L'9' || digits == 9) return false;
        number = number * 10 + static_cast<std::uint32_t>(*text - L'0');
    }
    return digits > 0;
}

// "a geographic coordinate system", "an angular unit".
std::string WithArticle(const std::string& what) {
    return (what.find_first_of("aeiou") == 0 ? "an " : "a ") + what;
}

std::wstring Wide(const std::string& utf8) {
    std::wstring text;
    QuarnDecodeUtf8(utf8, text);
    return text;
}

bool Answers(const Request& request, const Element& element) {
    std::string list = std::string(" ") + request.elements + " ";
    return *element.keyword != '\0' &&
           list.find(std::string(" ") + element.keyword + " ") != std::string::npos;
}

// The name of the element a WKT text starts with: DATUM["WGS_1984",... gives WGS_1984.
std::string WktName(const std::string& wkt) {
    std::size_t open = wkt.find("[\"");
    if (open == std::string::npos) return std::string();
    std::size_t close = wkt.find('"', open + 2);
    return wkt.substr(open + 2, close == std::string::npos ? close : close - open - 2);
}

struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using Object = std::unique_ptr<PJ, ObjectDeleter>;

// One remembered answer: an object, a text, or why there is none.
struct Answer {
    const CS_Info* object = nullptr;
    std::wstring text;
    std::wstring failure;
};

// A look-up that failed, with its reason.
struct Failure {
    std::string reason;
};

} // namespace

struct CQuarnEpsgAuthorityFactory::Impl {
    CQuarnCoordinateSystemFactory& factory;
    PJ_CONTEXT* context = nullptr;
    // Why the database cannot be used; empty when it can.
    std::string databaseFailure;
    // The last message PROJ logged, for reasons.
    std::string projMessage;
    std::unordered_map<std::uint64_t, Answer> answers;
    // WKT 1 datum names and their codes, made on the first GeoidFromWKTName.
    std::unordered_map<std::wstring, std::wstring> datumCodes;
    bool datumCodesMade = false;
    // Why the last call gave null: the failure of an answer, or of a datum name.
    const wchar_t* lastFailure = L"";
    std::wstring nameFailure;

    Impl(CQuarnCoordinateSystemFactory& quarnFactory, const char* databasePath);
    ~Impl() {
        if (context != nullptr) proj_context_destroy(context);
    }

    static void Log(void* data, int, const char* message) {
        static_cast<Impl*>(data)->projMessage = message != nullptr ? message : "";
    }

    const Answer& Ask(Kind kind, const wchar_t* code);
    Answer Look(Kind kind, std::uint32_t number);
    Answer LookUnit(Kind kind, const std::string& code);
    Answer LookName(const std::string& code);
    std::string DatabaseText(Kind kind, const std::string& code, bool* deprecated);
    const CS_Info* Read(Kind kind, const std::string& code, const std::string& wkt);
    void DropIfNew(const CS_Info* helper, const int (&counts)[kQuarnObjectTypeCount]);
    void MakeDatumCodes();
    void SetNameFailure(const std::string& reason) noexcept {
        try {
            nameFailure = Wide(reason);
            lastFailure = nameFailure.c_str();
        } catch (const std::exception&) {
            lastFailure = L"out of memory";
        }
    }
    [[noreturn]] void Fail(const std::string& reason);
};

CQuarnEpsgAuthorityFactory::Impl::Impl(CQuarnCoordinateSystemFactory& quarnFactory,
                                       const char* databasePath)
    : factory(quarnFactory), context(proj_context_create()) {
    if (context == nullptr) {
        databaseFailure = "PROJ cannot set up a context";
        return;
    }
    proj_log_func(context, this, &Impl::Log);
    proj_log_level(context, PJ_LOG_ERROR);
    if (databasePath != nullptr) {
        if (!proj_context_set_database_path(context, databasePath, nullptr, nullptr))
            databaseFailure = std::string("cannot open the EPSG database ") + databasePath;
    } else if (proj_context_get_database_path(context) == nullptr) {
        databaseFailure = "cannot find PROJ's EPSG database proj.db (Debian: proj-data)";
    }
}

void CQuarnEpsgAuthorityFactory::Impl::Fail(const std::string& reason) {
    throw Failure{projMessage.empty() ? reason : reason + " (PROJ: " + projMessage + ")"};
}

const Answer& CQuarnEpsgAuthorityFactory::Impl::Ask(Kind kind, const wchar_t* code) {
    static const Answer malformed{nullptr, L"", L"not an EPSG code: expected 4326 or EPSG:4326"};
    static const Answer exhausted{nullptr, L"", L"out of memory"};
    const Answer* answer = &malformed;
    std::uint32_t number = 0;
    try {
        if (ParseCode(code, number)) {
            std::uint64_t key = (std::uint64_t{number} << 5 | static_cast<unsigned>(kind)) << 1 |
                                (IsPrjLoading() ? 1 : 0);
            auto found = answers.find(key);
            if (found == answers.end()) found = answers.emplace(key, Look(kind, number)).first;
            answer = &found->second;
        }
    } catch (const std::exception&) {
        answer = &exhausted;
    }
    lastFailure = answer->failure.c_str();
    return *answer;
}

Answer CQuarnEpsgAuthorityFactory::Impl::Look(Kind kind, std::uint32_t number) {
    Answer answer;
    std::string code = std::to_string(number);
    try {
        if (!databaseFailure.empty()) throw Failure{databaseFailure};
        projMessage.clear();
        if (kind == Kind::Description) return LookName(code);
        if (kind == Kind::LinearUnit || kind == Kind::AngularUnit) return LookUnit(kind, code);
        std::string wkt = DatabaseText(kind, code, nullptr);
        if (kind == Kind::WktDatumName)
            answer.text = Wide(WktName(wkt));
        else
            answer.object = Read(kind, code, wkt);
    } catch (const Failure& failure) {
        answer.failure = Wide(failure.reason);
    } catch (const std::exception& error) {
        answer.failure = Wide(std::string("EPSG:") + code + ": " + error.what());
    }
    return answer;
}

// The database's WKT 1 text of the object of that code, checked to be of the kind asked.
std::string CQuarnEpsgAuthorityFactory::Impl::DatabaseText(Kind kind, const std::string& code,
                                                           bool* deprecated) {
    const Request& request = RequestOf(kind);
    Object object(
        proj_create_from_database(context, "EPSG", code.c_str(), request.category, false, nullptr));
    // Datum ensembles (WGS 84, ETRS89) live apart from the datums.
    if (!object && request.category == PJ_CATEGORY_DATUM)
        object.reset(proj_create_from_database(context, "EPSG", code.c_str(),
                                               PJ_CATEGORY_DATUM_ENSEMBLE, false, nullptr));
    if (!object) Fail("EPSG:" + code + ": no " + request.what + " of this code in the database");
    const char* options[] = {"MULTILINE=NO", nullptr};
    const char* wkt = proj_as_wkt(context, object.get(), PJ_WKT1_GDAL, options);
    if (wkt == nullptr)
        Fail("EPSG:" + code + " (" + proj_get_name(object.get()) + ") has no WKT 1 form");
    const Element& element = ElementOf(wkt);
    if (!Answers(request, element))
        Fail("EPSG:" + code + " is " + WithArticle(element.what) + ", not " +
             WithArticle(request.what));
    if (deprecated != nullptr) *deprecated = proj_is_deprecated(object.get()) != 0;
    return wkt;
}

// Reads the database's text (within its helper text for a part of a system) into the
// factory and returns the object asked for.
const CS_Info* CQuarnEpsgAuthorityFactory::Impl::Read(Kind kind, const std::string& code,
                                                      const std::string& wkt) {
    const Request& request = RequestOf(kind);
    int counts[kQuarnObjectTypeCount];
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        counts[type] = factory.GetProductLine(type).GetSize();
    std::string after = request.after;
    // A datum on another prime meridian than Greenwich comes with its PRIMEM element.
    if (kind == Kind::HorizontalDatum && wkt.find(",PRIMEM[") != std::string::npos)
        after = "," QUARN_EPSG_DEGREE "]";
    std::wstring text = Wide(request.before + wkt + after);
    const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str());
    if (system != nullptr && system->GetObjectType() != ElementOf(request.before + wkt).type)
        Fail("EPSG:" + code + ": the database's text reads to another kind of object");
    if (system == nullptr) {
        const QuarnParseDiagnostic& diagnostic = factory.GetLastDiagnostic();
        Fail("EPSG:" + code + ": the database's text does not read at offset " +
             std::to_string(diagnostic.offset) + " (" + QuarnEncodeUtf8(diagnostic.token) +
             "): " + QuarnEncodeUtf8(text));
    }
    // The helper system, and the helper datum around an ellipsoid, go again unless the host
    // already had them.
    const CS_Info* part = system;
    const CS_HorizontalDatum* helperDatum = nullptr;
    auto geographic = [system] {
        return static_cast<const CS_GeographicCoordinateSystem*>(system);
    };
    switch (kind) {
    case Kind::HorizontalDatum:
        part = geographic()->GetHorizontalDatum();
        break;
    case Kind::Ellipsoid:
        helperDatum = geographic()->GetHorizontalDatum();
        part = helperDatum->GetEllipsoid();
        break;
    case Kind::PrimeMeridian:
        part = geographic()->GetPrimeMeridian();
        break;
    case Kind::AngularUnit:
        part = geographic()->GetAngularUnit();
        break;
    case Kind::LinearUnit:
        part = static_cast<const CS_GeocentricCoordinateSystem*>(system)->GetLinearUnit();
        break;
    case Kind::VerticalDatum:
        part = static_cast<const CS_VerticalCoordinateSystem*>(system)->GetVerticalDatum();
        break;
    default:
        return system;
    }
    DropIfNew(system, counts);
    if (helperDatum != nullptr) DropIfNew(helperDatum, counts);
    return part;
}

void CQuarnEpsgAuthorityFactory::Impl::DropIfNew(const CS_Info* helper,
                                                 const int (&counts)[kQuarnObjectTypeCount]) {
    long type = helper->GetObjectType();
    const CQuarnInfoArray& registry = factory.GetProductLine(type);
    int size = registry.GetSize();
    if (size > counts[type] && registry[size - 1] == helper) factory.DeleteItem(helper);
}

// A unit has no WKT of its own in PROJ: its element is written as the database's systems
// write it, the factor to fifteen significant digits.
Answer CQuarnEpsgAuthorityFactory::Impl::LookUnit(Kind kind, const std::string& code) {
    const Request& request = RequestOf(kind);
    const char* name = nullptr;
    const char* category = nullptr;
    double factor = 0.0;
    if (!proj_uom_get_info_from_database(context, "EPSG", code.c_str(), &name, &factor, &category))
        Fail("EPSG:" + code + ": no " + request.what + " of this code in the database");
    if (std::string(category) != request.elements)
        Fail("EPSG:" + code + " is " + WithArticle(category + std::string(" unit")) + ", not " +
             WithArticle(request.what));
    char number[32];
    std::snprintf(number, sizeof number, "%.15g", factor);
    Answer answer;
    answer.object = Read(kind, code,
                         std::string("UNIT[\"") + name + "\"," + number + ",AUTHORITY[\"EPSG\",\"" +
                             code + "\"]]");
    return answer;
}

// The first kind of object that has the code: coordinate system, datum, ellipsoid, prime
// meridian, unit.
Answer CQuarnEpsgAuthorityFactory::Impl::LookName(const std::string& code) {
    static const PJ_CATEGORY categories[] = {PJ_CATEGORY_CRS, PJ_CATEGORY_DATUM,
                                             PJ_CATEGORY_DATUM_ENSEMBLE, PJ_CATEGORY_ELLIPSOID,
                                             PJ_CATEGORY_PRIME_MERIDIAN};
    Answer answer;
    for (PJ_CATEGORY category : categories) {
        Object object(
            proj_create_from_database(context, "EPSG", code.c_str(), category, false, nullptr));
        if (object) {
            answer.text = Wide(proj_get_name(object.get()));
            return answer;
        }
    }
    const char* name = nullptr;
    if (!proj_uom_get_info_from_database(context, "EPSG", code.c_str(), &name, nullptr, nullptr))
        throw Failure{"EPSG:" + code + ": no object of this code in the database"};
    answer.text = Wide(name);
    return answer;
}

// Every geodetic datum and datum ensemble of the database under its WKT 1 name; a current
// datum takes a name before a deprecated one.
void CQuarnEpsgAuthorityFactory::Impl::MakeDatumCodes() {
    datumCodesMade = true;
    std::unordered_map<std::wstring, bool> deprecatedName;
    for (PJ_TYPE type : {PJ_TYPE_GEODETIC_REFERENCE_FRAME, PJ_TYPE_DATUM_ENSEMBLE}) {
        PROJ_STRING_LIST codes = proj_get_codes_from_database(context, "EPSG", type, true);
        for (PROJ_STRING_LIST code = codes; code != nullptr && *code != nullptr; ++code) {
            bool deprecated = false;
            std::wstring name;
            try {
                name = Wide(WktName(DatabaseText(Kind::WktDatumName, *code, &deprecated)));
            } catch (const Failure&) {
                continue; // a vertical datum ensemble: not a geodetic datum
            }
            auto known = deprecatedName.find(name);
            if (known != deprecatedName.end() && (deprecated || !known->second)) continue;
            deprecatedName[name] = deprecated;
            datumCodes[name] = Wide(*code);
        }
        proj_string_list_destroy(codes);
    }
}

CQuarnEpsgAuthorityFactory::CQuarnEpsgAuthorityFactory(CQuarnCoordinateSystemFactory& factory,
                                                       const char* databasePath)
    : m_impl(new Impl(factory, databasePath)) {}

CQuarnEpsgAuthorityFactory::~CQuarnEpsgAuthorityFactory() = default;

const wchar_t* CQuarnEpsgAuthorityFactory::GetAuthority() const {
    return L"EPSG";
}

const wchar_t* CQuarnEpsgAuthorityFactory::GetLastFailure() const {
    return m_impl->lastFailure;
}

void CQuarnEpsgAuthorityFactory::Forget() {
    m_impl->lastFailure = L"";
    m_impl->answers.clear();
}

namespace {

template <class Result> const Result* As(const Answer& answer) {
    return static_cast<const Result*>(answer.object);
}

const wchar_t* TextOf(const Answer& answer) {
    return answer.failure.empty() ? answer.text.c_str() : nullptr;
}

} // namespace

const CS_ProjectedCoordinateSystem*
CQuarnEpsgAuthorityFactory::CreateProjectedCoordinateSystem(const wchar_t* code) {
    return As<CS_ProjectedCoordinateSystem>(m_impl->Ask(Kind::Projected, code));
}

const CS_GeographicCoordinateSystem*
CQuarnEpsgAuthorityFactory::CreateGeographicCoordinateSystem(const wchar_t* code) {
    return As<CS_GeographicCoordinateSystem>(m_impl->Ask(Kind::Geographic, code));
}

const CS_HorizontalDatum* CQuarnEpsgAuthorityFactory::CreateHorizontalDatum(const wchar_t* code) {
    return As<CS_HorizontalDatum>(m_impl->Ask(Kind::HorizontalDatum, code));
}

const CS_Ellipsoid* CQuarnEpsgAuthorityFactory::CreateEllipsoid(const wchar_t* code) {
    return As<CS_Ellipsoid>(m_impl->Ask(Kind::Ellipsoid, code));
}

const CS_PrimeMeridian* CQuarnEpsgAuthorityFactory::CreatePrimeMeridian(const wchar_t* code) {
    return As<CS_PrimeMeridian>(m_impl->Ask(Kind::PrimeMeridian, code));
}

const CS_LinearUnit* CQuarnEpsgAuthorityFactory::CreateLinearUnit(const wchar_t* code) {
    return As<CS_LinearUnit>(m_impl->Ask(Kind::LinearUnit, code));
}

const CS_AngularUnit* CQuarnEpsgAuthorityFactory::CreateAngularUnit(const wchar_t* code) {
    return As<CS_AngularUnit>(m_impl->Ask(Kind::AngularUnit, code));
}

const CS_VerticalDatum* CQuarnEpsgAuthorityFactory::CreateVerticalDatum(const wchar_t* code) {
    return As<CS_VerticalDatum>(m_impl->Ask(Kind::VerticalDatum, code));
}

const CS_VerticalCoordinateSystem*
CQuarnEpsgAuthorityFactory::CreateVerticalCoordinateSystem(const wchar_t* code) {
    return As<CS_VerticalCoordinateSystem>(m_impl->Ask(Kind::Vertical, code));
}

const CS_CompoundCoordinateSystem*
CQuarnEpsgAuthorityFactory::CreateCompoundCoordinateSystem(const wchar_t* code) {
    return As<CS_CompoundCoordinateSystem>(m_impl->Ask(Kind::Compound, code));
}

const CS_HorizontalCoordinateSystem*
CQuarnEpsgAuthorityFactory::CreateHorizontalCoordinateSystem(const wchar_t* code) {
    return As<CS_HorizontalCoordinateSystem>(m_impl->Ask(Kind::Horizontal, code));
}

const wchar_t* CQuarnEpsgAuthorityFactory::DescriptionText(const wchar_t* code) {
    return TextOf(m_impl->Ask(Kind::Description, code));
}

const wchar_t* CQuarnEpsgAuthorityFactory::WKTGeoidName(const wchar_t* geoid) {
    return TextOf(m_impl->Ask(Kind::WktDatumName, geoid));
}

const wchar_t* CQuarnEpsgAuthorityFactory::GeoidFromWKTName(const wchar_t* wktName) {
    Impl& impl = *m_impl;
    impl.lastFailure = L"";
    try {
        if (!impl.databaseFailure.empty()) throw Failure{impl.databaseFailure};
        if (!impl.datumCodesMade) impl.MakeDatumCodes();
        auto found = impl.datumCodes.find(wktName != nullptr ? wktName : L"");
        if (found != impl.datumCodes.end()) return found->second.c_str();
        throw Failure{"no geodetic datum that WKT 1 names \"" + QuarnEncodeUtf8(wktName) +
                      "\" in the database"};
    } catch (const Failure& failure) {
        impl.SetNameFailure(failure.reason);
    } catch (const std::exception& error) {
        impl.SetNameFailure(error.what());
    }
    return nullptr;
}
