// The Python module `quarn`: CRS objects read from WKT or EPSG codes into a factory that
// keeps them canonical, so that equal texts give the very same Python object.
#include "Binding.h"

#include <quarn/interchange.h>
#include <quarn/interchange/Diagnostics.h>
#include <quarn/interchange/WktDialects.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

namespace quarn::python {
namespace {

PyObject* g_crsError = nullptr;
PyObject* g_wktError = nullptr;

// How a text is read: one of the library's dialects, or Auto (see ReadText).
enum class Reading { Auto, Canonical, Gdal, Esri, Wkt2 };

bool SameWord(std::string_view a, const char* b) {
    std::size_t length = std::strlen(b);
    if (a.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i]) return false;
    }
    return true;
}

Reading ReadingByName(std::string_view name) {
    if (SameWord(name, "AUTO")) return Reading::Auto;
    if (SameWord(name, "CANONICAL")) return Reading::Canonical;
    if (SameWord(name, "GDAL") || SameWord(name, "WKT1_GDAL")) return Reading::Gdal;
    if (SameWord(name, "ESRI") || SameWord(name, "WKT1_ESRI")) return Reading::Esri;
    if (SameWord(name, "WKT2")) return Reading::Wkt2;
    throw py::value_error("unknown dialect '" + std::string(name) +
                          "': use 'auto', 'canonical', 'gdal', 'esri' or 'wkt2'");
}

WktDialect WritingByName(std::string_view version) {
    if (SameWord(version, "WKT1_GDAL")) return WktDialect::Gdal;
    if (SameWord(version, "WKT1_ESRI")) return WktDialect::Esri;
    if (SameWord(version, "CANONICAL")) return WktDialect::Canonical;
    // The WKT 2 writers write the full forms of 2015 and 2019 (2018 was the latter's draft).
    if (SameWord(version, "WKT2_2019") || SameWord(version, "WKT2_2018")) return WktDialect::Wkt2;
    if (SameWord(version, "WKT2_2015")) return WktDialect::Wkt2_2015;
    if (SameWord(version.substr(0, 5), "WKT2_"))
        RaiseCrsError("quarn writes WKT 2 in its full forms only (WKT2_2019, WKT2_2015), not " +
                      std::string(version));
    throw py::value_error(
        "unknown WKT version '" + std::string(version) +
        "': use 'WKT1_GDAL', 'WKT1_ESRI', 'WKT2_2019', 'WKT2_2015' or 'CANONICAL'");
}

// The UTF-8 bytes of a str (kept by the str itself) or of a bytes object.
std::string_view Utf8Of(py::handle text) {
    if (PyUnicode_Check(text.ptr())) {
        Py_ssize_t size = 0;
        const char* bytes = PyUnicode_AsUTF8AndSize(text.ptr(), &size);
        if (bytes == nullptr) throw py::error_already_set();
        return {bytes, static_cast<std::size_t>(size)};
    }
    if (PyBytes_Check(text.ptr()))
        return {PyBytes_AS_STRING(text.ptr()),
                static_cast<std::size_t>(PyBytes_GET_SIZE(text.ptr()))};
    throw py::type_error("a WKT text must be str or bytes, not " +
                         std::string(Py_TYPE(text.ptr())->tp_name));
}

py::object OptionalText(const std::wstring& text) {
    if (text.empty()) return py::none();
    return py::str(QuarnEncodeUtf8(text));
}

// quarn.WktError for a text that did not read: the message is quarn-wkt's diagnostic
// without a file name ("5:5: error: unexpected UNIT; expected ','"); offset and column
// count characters, as Python's str does.
[[noreturn]] void RaiseWktError(std::string_view utf8, const QuarnParseDiagnostic& diagnostic) {
    std::wstring text;
    QuarnDecodeUtf8(utf8, text);
    std::size_t offset = ErrorOffset(text, diagnostic);
    SourcePlace place = Locate(text, offset);
    std::string message = std::to_string(place.line) + ":" + std::to_string(place.column) +
                          ": error: " + DescribeSyntaxError(diagnostic);
    py::object error = py::reinterpret_borrow<py::object>(g_wktError)(message);
    error.attr("line") = place.line;
    error.attr("column") = place.column;
    error.attr("offset") = offset;
    error.attr("token") = OptionalText(diagnostic.token);
    error.attr("expected") = OptionalText(diagnostic.expected);
    PyErr_SetObject(g_wktError, error.ptr());
    throw py::error_already_set();
}

void WarnStrayText(std::string_view utf8, const QuarnParseDiagnostic& diagnostic) {
    std::wstring text;
    QuarnDecodeUtf8(utf8, text);
    SourcePlace place = Locate(text, diagnostic.offset);
    std::string message = std::to_string(place.line) + ":" + std::to_string(place.column) +
                          ": warning: " + DescribeStrayText(diagnostic);
    if (PyErr_WarnEx(PyExc_UserWarning, message.c_str(), 1) != 0) throw py::error_already_set();
}

// Whether a datum of the text is named as ESRI names datums, "D_" first (DATUM["D_WGS_1984"):
// GDAL's WKT 1 and the canonical text never name them so.
bool NamesDatumsAsEsri(std::string_view utf8) {
    // Found by its underscore, the rarest of the three characters.
    for (std::size_t under = utf8.find('_', 2); under != std::string_view::npos;
         under = utf8.find('_', under + 1)) {
        if (utf8[under - 1] != 'D' || utf8[under - 2] != '"') continue;
        const std::size_t at = under - 2;
        std::size_t before = utf8.find_last_not_of(" \t\r\n", at - 1);
        if (before == std::string_view::npos || before < 5 || utf8[before] != '[') continue;
        std::size_t end = utf8.find_last_not_of(" \t\r\n", before - 1);
        if (end != std::string_view::npos && end >= 4 && SameWord(utf8.substr(end - 4, 5), "DATUM"))
            return true;
    }
    return false;
}

// Reads a text into the factory; the caller holds the factory's lock. Auto reads a text whose
// datums are named as ESRI names them ("D_...") as ESRI's dialect, any other as the GDAL
// dialect: canonical texts included (a text without GDAL's constructs reads exactly as the
// canonical reader reads it), and WKT 2 (a text whose first keyword is a WKT 2 one). When the
// GDAL reading stops at a construct only the ESRI dialect has (VERTCS, LINUNIT, GXYZCS,
// HVCOORDSYS, a VERTCS after a system), the text is read as ESRI's instead.
const CS_CoordinateSystem* ReadText(FactoryState& state, std::string_view utf8, Reading reading,
                                    QuarnParseDiagnostic& diagnostic) {
    static constexpr WktDialect kDialects[] = {WktDialect::Gdal, WktDialect::Canonical,
                                               WktDialect::Gdal, WktDialect::Esri,
                                               WktDialect::Wkt2};
    CQuarnCoordinateSystemFactory& factory = state.factory;
    WktDialect dialect = kDialects[static_cast<int>(reading)];
    if (reading == Reading::Auto && NamesDatumsAsEsri(utf8)) dialect = WktDialect::Esri;
    const CS_CoordinateSystem* system = FromWkt(factory, utf8, dialect);
    if (reading == Reading::Auto && dialect == WktDialect::Gdal &&
        factory.GetLastDiagnostic().syntaxError) {
        std::wstring text;
        if (QuarnDecodeUtf8(utf8, text)) {
            DialectConstruct found = FindDialectConstruct(text, factory.GetLastDiagnostic().offset);
            if (found.esri && !found.gdal) system = ReadWktDialect(factory, text, WktDialect::Esri);
        }
    }
    diagnostic = factory.GetLastDiagnostic();
    return system;
}

py::object FromWktText(const FactoryRef& state, py::handle text, std::string_view dialect) {
    Reading reading = ReadingByName(dialect);
    std::string_view utf8 = Utf8Of(text);
    QuarnParseDiagnostic diagnostic;
    const CS_CoordinateSystem* system = nullptr;
    {
        // Reading is the library's work alone: other Python threads run meanwhile.
        py::gil_scoped_release released;
        std::lock_guard<std::mutex> lock(state->mutex);
        system = ReadText(*state, utf8, reading, diagnostic);
    }
    if (system == nullptr) RaiseWktError(utf8, diagnostic);
    if (diagnostic.stray) WarnStrayText(utf8, diagnostic);
    return Wrap(state, system);
}

// "4326", "EPSG:4326" (any case) or 4326.
std::wstring EpsgCode(py::handle code) {
    if (PyBool_Check(code.ptr())) throw py::type_error("an EPSG code is an int or a str, not bool");
    if (PyLong_Check(code.ptr())) return std::to_wstring(code.cast<long long>());
    if (PyUnicode_Check(code.ptr())) {
        std::wstring text;
        QuarnDecodeUtf8(Utf8Of(code), text);
        return text;
    }
    throw py::type_error("an EPSG code is an int or a str, not " +
                         std::string(Py_TYPE(code.ptr())->tp_name));
}

py::object FromEpsg(const FactoryRef& state, py::handle code) {
    std::wstring text = EpsgCode(code);
#ifdef QUARN_PYTHON_EPSG
    const CS_CoordinateSystem* system = nullptr;
    std::string reason;
    {
        py::gil_scoped_release released;
        std::lock_guard<std::mutex> lock(state->mutex);
        if (!state->epsg)
            state->epsg = std::make_unique<CQuarnEpsgAuthorityFactory>(state->factory);
        CQuarnEpsgAuthorityFactory& epsg = *state->epsg;
        // A horizontal system (the most asked for), else compound or vertical; when none
        // answers, the horizontal look-up's reason names an unknown code or its kind.
        system = epsg.CreateHorizontalCoordinateSystem(text.c_str());
        reason = QuarnEncodeUtf8(epsg.GetLastFailure());
        if (system == nullptr) system = epsg.CreateCompoundCoordinateSystem(text.c_str());
        if (system == nullptr) system = epsg.CreateVerticalCoordinateSystem(text.c_str());
    }
    if (system == nullptr) RaiseCrsError(reason);
    return Wrap(state, system);
#else
    (void)state;
    RaiseCrsError("this build of quarn has no EPSG support (it needs libquarn-epsg, built "
                  "when PROJ is found)");
#endif
}

// What identifies this process in pickles: random, so that no other process can name a
// system of this one's factory.
py::bytes ProcessToken() {
    static const std::string token = [] {
        std::random_device random;
        std::string bytes(16, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random() & 0xFF);
        return bytes;
    }();
    return py::bytes(token);
}

// A system by the texts of a pickle: the canonical text, which reads back to an equal
// system in any process, else (where the canonical reader does not take the canonical text
// back) the GDAL-dialect text.
py::object ReadPickledTexts(const FactoryRef& state, py::handle canonical, py::handle gdal) {
    if (!canonical.is_none()) {
        try {
            return FromWktText(state, canonical, "canonical");
        } catch (py::error_already_set& error) {
            if (gdal.is_none() || !error.matches(g_wktError)) throw;
        }
    }
    if (gdal.is_none()) RaiseCrsError("the pickle holds no text of the system");
    return FromWktText(state, gdal, "gdal");
}

// The canonical and the GDAL-dialect text of a system, each None where it has none.
std::pair<py::object, py::object> TextsOf(const Crs& crs) {
    std::string canonical, gdal;
    {
        FactoryLock lock(*crs.Factory());
        canonical = ToWkt(*crs.System(), WktDialect::Canonical);
        gdal = ToWkt(*crs.System(), WktDialect::Gdal);
    }
    auto text = [](const std::string& t) {
        return t.empty() ? py::object(py::none()) : py::object(py::str(t));
    };
    return {text(canonical), text(gdal)};
}

// Pickled as quarn._from_pickle(canonical text, GDAL text, process, address): in this process
// (or a fork of it) a system of the process-wide factory comes back as the same object;
// elsewhere, or from another factory, it is read from its texts into the process-wide
// factory.
py::tuple Reduce(const Crs& crs) {
    auto [canonical, gdal] = TextsOf(crs);
    if (canonical.is_none() && gdal.is_none())
        RaiseCrsError("cannot pickle: the system has neither a canonical nor a GDAL text");
    auto address = reinterpret_cast<std::uintptr_t>(crs.System());
    bool shared = crs.Factory() == DefaultFactory();
    return py::make_tuple(
        py::module_::import("quarn").attr("_from_pickle"),
        py::make_tuple(canonical, gdal,
                       shared ? py::object(ProcessToken()) : py::object(py::none()), address));
}

// Code texts of the form "EPSG:n" name an EPSG system; anything else is a WKT text.
bool IsEpsgText(std::string_view text) {
    return text.size() > 5 && SameWord(text.substr(0, 5), "EPSG:");
}

py::object FromUserInput(const FactoryRef& state, py::handle value) {
    if (py::isinstance<Crs>(value)) {
        const Crs& crs = value.cast<const Crs&>();
        if (crs.Factory() == state || state == DefaultFactory())
            return py::reinterpret_borrow<py::object>(value);
        // A system of another factory: read into this one from its texts.
        auto [canonical, gdal] = TextsOf(crs);
        return ReadPickledTexts(state, canonical, gdal);
    }
    if (PyLong_Check(value.ptr()) && !PyBool_Check(value.ptr())) return FromEpsg(state, value);
    if (PyUnicode_Check(value.ptr())) {
        if (IsEpsgText(Utf8Of(value))) return FromEpsg(state, value);
        return FromWktText(state, value, "auto");
    }
    if (PyBytes_Check(value.ptr())) return FromWktText(state, value, "auto");
    if (py::hasattr(value, "to_wkt")) {
        // pyproj's objects and others like them: their GDAL-dialect text when the method
        // takes a version, else whatever it writes.
        py::object toWkt = value.attr("to_wkt");
        py::object text;
        try {
            text = toWkt("WKT1_GDAL");
        } catch (py::error_already_set& error) {
            if (!error.matches(PyExc_TypeError)) throw;
            text = toWkt();
        }
        if (!PyUnicode_Check(text.ptr()) && !PyBytes_Check(text.ptr()))
            RaiseCrsError("to_wkt() of the object gave no text");
        return FromWktText(state, text, "auto");
    }
    RaiseCrsError("cannot make a CRS from an object of type " +
                  std::string(Py_TYPE(value.ptr())->tp_name) +
                  ": give a WKT text, an EPSG code or an object with a to_wkt() method");
}

py::str WriteWkt(const Crs& crs, std::string_view version, bool pretty) {
    WktWriter writer(WritingByName(version));
    std::string text;
    {
        FactoryLock lock(*crs.Factory());
        text = writer.Write(*crs.System());
    }
    if (text.empty())
        RaiseCrsError("the system has no " + std::string(version) + " text: " + writer.Reason());
    if (pretty) {
        std::wstring wide;
        QuarnDecodeUtf8(text, wide);
        text = QuarnEncodeUtf8(IndentWkt(wide));
    }
    return py::str(text);
}

// The GDAL-dialect text, else the canonical one, else the repr: str() never raises.
std::string Repr(const Crs& crs);

py::str Str(const Crs& crs) {
    std::string text;
    {
        FactoryLock lock(*crs.Factory());
        text = ToWkt(*crs.System(), WktDialect::Gdal);
        if (text.empty()) text = ToWkt(*crs.System(), WktDialect::Canonical);
    }
    return py::str(text.empty() ? Repr(crs) : text);
}

std::string Repr(const Crs& crs) {
    FactoryLock lock(*crs.Factory());
    return std::string("<quarn.CRS ") + TypeName(crs.System()) + " " + NameOf(crs.System()) + ">";
}

// Runs `body` (which gives a py::object) for a function called by CPython directly: its
// result, or null with the Python error set.
template <class Body> PyObject* Guarded(Body body) {
    try {
        return body().release().ptr();
    } catch (py::error_already_set& error) {
        error.restore();
    } catch (py::builtin_exception& error) {
        error.set_error();
    } catch (std::exception& error) {
        PyErr_SetString(PyExc_RuntimeError, error.what());
    }
    return nullptr;
}

PyObject* FromPickle(PyObject*, PyObject* arguments) {
    return Guarded([arguments]() -> py::object {
        PyObject *canonical, *gdal, *token, *address;
        if (!PyArg_UnpackTuple(arguments, "_from_pickle", 4, 4, &canonical, &gdal, &token,
                               &address))
            throw py::error_already_set();
        const FactoryRef& state = DefaultFactory();
        if (PyBytes_Check(token) && ProcessToken().equal(py::handle(token)) &&
            PyLong_Check(address)) {
            auto system = reinterpret_cast<const CS_CoordinateSystem*>(
                py::handle(address).cast<std::uintptr_t>());
            if (state->handedOut.count(system) > 0) return Wrap(state, system);
        }
        return ReadPickledTexts(state, canonical, gdal);
    });
}

// A function of the module itself (not a pybind11 function, whose owner does not pickle),
// so that pickles name it as quarn._from_pickle.
PyMethodDef g_fromPickle = {"_from_pickle", FromPickle, METH_VARARGS,
                            "Reads a pickled CRS (used by pickle)."};

// A Python factory: the library's factory behind it lives while this object or any of its
// CRS objects does.
struct Factory {
    FactoryRef state = std::make_shared<FactoryState>();
};

// ---- The calls of a reading loop ---------------------------------------------------------
// Factory.from_wkt, CRS.from_wkt and CRS.to_wkt are called once a text by hosts that read
// many: they are CPython's fast calls, which cost a fraction of pybind11's general dispatch.

// The arguments of a fast call in the order of `names`, positional ones first, then those
// given by keyword; one not given is null.
template <std::size_t N>
void TakeArguments(const char* function, PyObject* const* args, Py_ssize_t positional,
                   PyObject* keywords, const char* const (&names)[N], PyObject* (&out)[N]) {
    const std::string call = std::string(function) + "()";
    if (positional > static_cast<Py_ssize_t>(N))
        throw py::type_error(call + " takes at most " + std::to_string(N) + " arguments");
    for (std::size_t i = 0; i < N; ++i)
        out[i] = static_cast<Py_ssize_t>(i) < positional ? args[i] : nullptr;
    const Py_ssize_t given = keywords != nullptr ? PyTuple_GET_SIZE(keywords) : 0;
    for (Py_ssize_t k = 0; k < given; ++k) {
        const std::string_view keyword = Utf8Of(PyTuple_GET_ITEM(keywords, k));
        const std::size_t i = std::find(names, names + N, keyword) - names;
        if (i == N || out[i] != nullptr)
            throw py::type_error(call + " got an unexpected or repeated argument '" +
                                 std::string(keyword) + "'");
        out[i] = args[positional + k];
    }
}

// A str argument, or `fallback` when it was not given.
std::string_view WordArgument(PyObject* value, const char* name, const char* fallback) {
    if (value == nullptr) return fallback;
    if (!PyUnicode_Check(value))
        throw py::type_error(std::string(name) + " must be str, not " + Py_TYPE(value)->tp_name);
    return Utf8Of(value);
}

// Factory.from_wkt(text, dialect="auto"), and CRS.from_wkt for a null `self`.
PyObject* FromWktCall(PyObject* self, PyObject* const* args, Py_ssize_t count, PyObject* names) {
    return Guarded([&] {
        PyObject* given[2];
        TakeArguments("from_wkt", args, count, names, {"text", "dialect"}, given);
        if (given[0] == nullptr) throw py::type_error("from_wkt() needs the argument 'text'");
        const FactoryRef& state =
            self == nullptr ? DefaultFactory() : py::handle(self).cast<const Factory&>().state;
        return FromWktText(state, given[0], WordArgument(given[1], "dialect", "auto"));
    });
}

// CRS.to_wkt(version="WKT1_GDAL", pretty=False).
PyObject* ToWktCall(PyObject* self, PyObject* const* args, Py_ssize_t count, PyObject* names) {
    return Guarded([&]() -> py::object {
        PyObject* given[2];
        TakeArguments("to_wkt", args, count, names, {"version", "pretty"}, given);
        const int pretty = given[1] == nullptr ? 0 : PyObject_IsTrue(given[1]);
        if (pretty < 0) throw py::error_already_set();
        return WriteWkt(py::handle(self).cast<const Crs&>(),
                        WordArgument(given[0], "version", "WKT1_GDAL"), pretty != 0);
    });
}

template <class Call> PyCFunction AsFunction(Call call) {
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(call));
}

const char* const kFromWktDoc =
    "Reads a WKT text (str or bytes) of the dialect 'auto', 'canonical', 'gdal', 'esri' or "
    "'wkt2' into the factory: the canonical CRS object of the system.";
PyMethodDef g_factoryFromWkt = {"from_wkt", AsFunction(FromWktCall), METH_FASTCALL | METH_KEYWORDS,
                                nullptr};
PyMethodDef g_crsFromWkt = {"from_wkt", AsFunction(FromWktCall), METH_FASTCALL | METH_KEYWORDS,
                            nullptr};
PyMethodDef g_toWkt = {"to_wkt", AsFunction(ToWktCall), METH_FASTCALL | METH_KEYWORDS,
                       "to_wkt($self, /, version='WKT1_GDAL', pretty=False)\n--\n\nThe system's "
                       "text in 'WKT1_GDAL', 'WKT1_ESRI', 'WKT2_2019', 'WKT2_2015' or 'CANONICAL', "
                       "indented "
                       "when pretty."};

// Adds a fast call to a class: a method, or a static method when `isStatic`.
void AddFastCall(py::handle type, PyMethodDef& definition, bool isStatic) {
    py::object function = py::reinterpret_steal<py::object>(
        isStatic ? PyCFunction_NewEx(&definition, nullptr, nullptr)
                 : PyDescr_NewMethod(reinterpret_cast<PyTypeObject*>(type.ptr()), &definition));
    if (!function) throw py::error_already_set();
    if (isStatic) function = py::reinterpret_steal<py::object>(PyStaticMethod_New(function.ptr()));
    if (!function || PyObject_SetAttrString(type.ptr(), definition.ml_name, function.ptr()) != 0)
        throw py::error_already_set();
}

} // namespace

const FactoryRef& DefaultFactory() {
    // Never destroyed: CRS objects may outlive the module's teardown at exit.
    static const FactoryRef* shared = new FactoryRef(std::make_shared<FactoryState>());
    return *shared;
}

py::object Wrap(const FactoryRef& factory, const CS_CoordinateSystem* system) {
    auto found = factory->live.find(system);
    if (found != factory->live.end()) return py::reinterpret_borrow<py::object>(found->second);
    py::object object = py::cast(new Crs(factory, system), py::return_value_policy::take_ownership);
    factory->live.emplace(system, object.ptr());
    // Only the process-wide factory's systems are pickled by address.
    if (factory == DefaultFactory()) factory->handedOut.insert(system);
    return object;
}

void RaiseCrsError(const std::string& message) {
    PyErr_SetString(g_crsError, message.c_str());
    throw py::error_already_set();
}

std::string NameOf(const CS_Info* object) {
    std::string text = "\"" + Name(*object) + "\"";
    std::string authority = Authority(*object);
    std::string code = AuthorityCode(*object);
    if (!code.empty()) text += " " + (authority.empty() ? code : authority + ":" + code);
    return text;
}

} // namespace quarn::python

using namespace quarn::python;

PYBIND11_MODULE(quarn, module) {
    module.doc() = "Coordinate systems read from WKT and EPSG codes into canonical objects: "
                   "equal definitions give the same object.";

    g_crsError = PyErr_NewException("quarn.CRSError", PyExc_RuntimeError, nullptr);
    py::tuple wktBases = py::make_tuple(py::handle(g_crsError), py::handle(PyExc_ValueError));
    g_wktError = PyErr_NewException("quarn.WktError", wktBases.ptr(), nullptr);
    module.add_object("CRSError", py::handle(g_crsError));
    module.add_object("WktError", py::handle(g_wktError));

    py::class_<Crs> crs(module, "CRS");
    // CRS(value) is CRS.from_user_input(value): the canonical object, not a new one. A
    // __new__ that gives an object already made leaves nothing for __init__ to do.
    crs.def(py::init([](py::handle) -> Crs* { throw py::type_error("unreachable"); }),
            py::arg("value"));
    crs.attr("__new__") = py::cpp_function(
        [](py::handle, py::handle value) { return FromUserInput(DefaultFactory(), value); },
        py::arg("cls"), py::arg("value"));
    crs.def_static(
           "from_epsg", [](py::handle code) { return FromEpsg(DefaultFactory(), code); },
           py::arg("code"))
        .def_static(
            "from_user_input",
            [](py::handle value) { return FromUserInput(DefaultFactory(), value); },
            py::arg("value"))
        .def("__str__", &Str)
        .def("__repr__", &Repr)
        .def("__copy__", [](py::handle self) { return py::reinterpret_borrow<py::object>(self); })
        .def(
            "__deepcopy__",
            [](py::handle self, py::handle) { return py::reinterpret_borrow<py::object>(self); },
            py::arg("memo"))
        .def("__reduce__", &Reduce);
    DefineAttributes(module, crs);
    DefineIdentification(module, crs);

    module.add_object("_from_pickle",
                      py::reinterpret_steal<py::object>(PyCFunction_NewEx(
                          &g_fromPickle, module.ptr(), module.attr("__name__").ptr())));

    py::class_<Factory> factory(module, "Factory");
    factory.def(py::init<>())
        .def(
            "from_epsg",
            [](const Factory& self, py::handle code) { return FromEpsg(self.state, code); },
            py::arg("code"))
        .def(
            "from_user_input",
            [](const Factory& self, py::handle value) { return FromUserInput(self.state, value); },
            py::arg("value"));

    static const std::string factoryDoc =
        std::string("from_wkt($self, /, text, dialect='auto')\n--\n\n") + kFromWktDoc;
    static const std::string crsDoc =
        std::string("from_wkt(text, dialect='auto')\n--\n\n") + kFromWktDoc;
    g_factoryFromWkt.ml_doc = factoryDoc.c_str();
    g_crsFromWkt.ml_doc = crsDoc.c_str();
    AddFastCall(factory, g_factoryFromWkt, false);
    AddFastCall(crs, g_crsFromWkt, true);
    AddFastCall(crs, g_toWkt, false);
}
