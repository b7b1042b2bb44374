// Which EPSG system a CRS is (to_epsg, to_authority, list_authority) and whether two CRS mean
// the same system (equals).
#include "Binding.h"

#include <quarn/equivalent.h>

#include <pybind11/stl.h>
#ifdef QUARN_PYTHON_EPSG
#include <quarn/identify.h>
#endif

#include <strings.h>
#include <vector>

namespace quarn::python {
namespace {

// pyproj's AuthorityMatchInfo, with the database's name and whether the code is deprecated.
struct AuthorityMatch {
    std::string authName;
    std::string code;
    int confidence = 0;
    std::string name;
    bool deprecated = false;
};

bool IsEpsg(const py::object& authName) {
    if (authName.is_none()) return true;
    std::string name = authName.cast<std::string>();
    return name.size() == 4 && strncasecmp(name.c_str(), "EPSG", 4) == 0;
}

void CheckConfidence(int minConfidence) {
    if (minConfidence < 0 || minConfidence > 100)
        throw py::value_error("min_confidence is from 0 to 100");
}

#ifdef QUARN_PYTHON_EPSG
// The process's identifier, built at the first identification; like its factory, used by
// one thread at a time. Its lock is taken after the system's factory lock, never before.
struct Identification {
    std::mutex mutex;
    std::unique_ptr<EpsgIdentifier> identifier;
};

Identification& TheIdentification() {
    static Identification* shared = new Identification; // lives until the process ends
    return *shared;
}
#endif

// The EPSG candidates of confidence `minConfidence` or more, best first.
std::vector<AuthorityMatch> Identify(const Crs& crs, int minConfidence) {
    CheckConfidence(minConfidence);
#ifdef QUARN_PYTHON_EPSG
    std::vector<Match> matches;
    std::string failure;
    {
        // The first identification builds the index of the database: other Python threads
        // run meanwhile.
        py::gil_scoped_release released;
        std::lock_guard<std::mutex> factoryLock(crs.Factory()->mutex);
        Identification& identification = TheIdentification();
        std::lock_guard<std::mutex> lock(identification.mutex);
        if (!identification.identifier)
            identification.identifier = std::make_unique<EpsgIdentifier>();
        matches = identification.identifier->Identify(*crs.System(), minConfidence);
        failure = identification.identifier->LastFailure();
    }
    if (matches.empty() && !failure.empty()) RaiseCrsError("cannot identify: " + failure);
    std::vector<AuthorityMatch> found;
    for (Match& match : matches)
        found.push_back({"EPSG", std::move(match.code), match.confidence, std::move(match.name),
                         match.deprecated});
    return found;
#else
    (void)crs;
    RaiseCrsError("this build of quarn has no EPSG support (it needs libquarn-epsg, built "
                  "when PROJ is found)");
#endif
}

std::vector<AuthorityMatch> ListAuthority(const Crs& crs, const py::object& authName,
                                          int minConfidence) {
    CheckConfidence(minConfidence);
    if (!IsEpsg(authName)) return {};
    return Identify(crs, minConfidence);
}

py::object ToAuthority(const Crs& crs, const py::object& authName, int minConfidence) {
    std::vector<AuthorityMatch> matches = ListAuthority(crs, authName, minConfidence);
    if (matches.empty()) return py::none();
    return py::make_tuple(matches.front().authName, matches.front().code);
}

// The best code that is an EPSG code of its own (not two codes of a compound's parts).
py::object ToEpsg(const Crs& crs, int minConfidence) {
    for (const AuthorityMatch& match : Identify(crs, minConfidence))
        if (match.code.find_first_not_of("0123456789") == std::string::npos)
            return py::int_(std::stol(match.code));
    return py::none();
}

// Whether two meanings state their axes in the same order wherever both state them.
bool SameAxisOrder(const Meaning& a, const Meaning& b) {
    for (int i = 0; i < 3; ++i)
        if (a.axes[i] != 0 && b.axes[i] != 0 && a.axes[i] != b.axes[i]) return false;
    if (a.parts.size() != b.parts.size()) return a.parts.empty() || b.parts.empty();
    for (std::size_t i = 0; i < a.parts.size(); ++i)
        if (!SameAxisOrder(a.parts[i], b.parts[i])) return false;
    return true;
}

// pyproj's equals: the same meaning and, unless told otherwise, the same axis order where
// both systems state one. A text or an object of another kind is read first.
bool Equals(const Crs& crs, py::handle other, bool ignoreAxisOrder) {
    py::object otherCrs = py::reinterpret_borrow<py::object>(other);
    if (!py::isinstance<Crs>(other)) {
        try {
            otherCrs = py::module_::import("quarn").attr("CRS").attr("from_user_input")(other);
        } catch (py::error_already_set& error) {
            if (!error.matches(PyExc_Exception)) throw;
            return false;
        }
    }
    const Crs& b = otherCrs.cast<const Crs&>();
    if (b.System() == crs.System()) return true;
    Meaning first, second;
    {
        FactoryLock lock(*crs.Factory());
        if (!Describe(*crs.System(), first)) return false;
    }
    {
        FactoryLock lock(*b.Factory());
        if (!Describe(*b.System(), second)) return false;
    }
    return Equivalent(first, second) && (ignoreAxisOrder || SameAxisOrder(first, second));
}

} // namespace

void DefineIdentification(py::module_& module, py::class_<Crs>& crs) {
    py::class_<AuthorityMatch>(module, "AuthorityMatchInfo")
        .def_readonly("auth_name", &AuthorityMatch::authName)
        .def_readonly("code", &AuthorityMatch::code)
        .def_readonly("confidence", &AuthorityMatch::confidence)
        .def_readonly("name", &AuthorityMatch::name)
        .def_readonly("deprecated", &AuthorityMatch::deprecated)
        .def("__repr__", [](const AuthorityMatch& m) {
            return "AuthorityMatchInfo(auth_name='" + m.authName + "', code='" + m.code +
                   "', confidence=" + std::to_string(m.confidence) + ")";
        });
    crs.def("to_epsg", &ToEpsg, py::arg("min_confidence") = 70)
        .def("to_authority", &ToAuthority, py::arg("auth_name") = py::none(),
             py::arg("min_confidence") = 70)
        .def("list_authority", &ListAuthority, py::arg("auth_name") = py::none(),
             py::arg("min_confidence") = 70)
        .def("equals", &Equals, py::arg("other"), py::arg("ignore_axis_order") = false);
}

} // namespace quarn::python
