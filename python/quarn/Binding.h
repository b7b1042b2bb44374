// The Python module's shared pieces: a factory with the lock that lets Python threads share
// it and the table of the live Python objects of its systems, the CRS object, and the
// module's exceptions.
#ifndef QUARN_PYTHON_BINDING_H
#define QUARN_PYTHON_BINDING_H

#include <pybind11/pybind11.h>

#include <quarn/quarn.h>
#ifdef QUARN_PYTHON_EPSG
#include <quarn/epsg.h>
#endif

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace quarn::python {

namespace py = pybind11;

// A factory and what the module keeps beside it. `mutex` guards the factory, its objects and
// the EPSG authority factory: the library lets one thread at a time use a factory, and
// Python threads may share one (the process-wide factory above all). `live` is guarded by
// the GIL: it maps each system to its Python object while that object lives, so that a
// system always comes back as the same Python object. `handedOut` (guarded by the GIL too)
// holds every system of the process-wide factory ever given a Python object, for unpickling
// in the same process.
struct FactoryState {
    CQuarnCoordinateSystemFactory factory;
    std::mutex mutex;
    std::unordered_map<const CS_CoordinateSystem*, PyObject*> live;
    std::unordered_set<const CS_CoordinateSystem*> handedOut;
#ifdef QUARN_PYTHON_EPSG
    std::unique_ptr<CQuarnEpsgAuthorityFactory> epsg;
#endif
};

using FactoryRef = std::shared_ptr<FactoryState>;

// The process-wide factory of the module-level constructors; it lives until the process
// ends.
const FactoryRef& DefaultFactory();

// Holds a factory's mutex. Waits for it without the GIL, so that a thread that reads a text
// with the GIL released can take the GIL back while another thread waits here.
class FactoryLock {
public:
    explicit FactoryLock(FactoryState& state) : m_lock(state.mutex, std::try_to_lock) {
        if (m_lock.owns_lock()) return;
        py::gil_scoped_release released;
        m_lock.lock();
    }

private:
    std::unique_lock<std::mutex> m_lock;
};

// A coordinate system of a factory. The Python object keeps the factory alive; while it
// lives it is the only Python object of its system.
class Crs {
public:
    Crs(FactoryRef factory, const CS_CoordinateSystem* system)
        : m_factory(std::move(factory)), m_system(system) {}
    ~Crs() { m_factory->live.erase(m_system); }
    Crs(const Crs&) = delete;
    Crs& operator=(const Crs&) = delete;

    const FactoryRef& Factory() const { return m_factory; }
    const CS_CoordinateSystem* System() const { return m_system; }

private:
    FactoryRef m_factory;
    const CS_CoordinateSystem* m_system;
};

// The Python object of `system` (made by `factory`): the living one, or a new one.
py::object Wrap(const FactoryRef& factory, const CS_CoordinateSystem* system);

// Raises quarn.CRSError with `message`.
[[noreturn]] void RaiseCrsError(const std::string& message);

// The object's name and authority code as the CRS attributes show them.
std::string NameOf(const CS_Info* object);

// What pyproj calls the kind of system: "Projected CRS", "Geographic 2D CRS", ...
const char* TypeName(const CS_CoordinateSystem* system);

// Adds the attributes that say what a system is (name, kind, axes, datum, units, parts) and
// the classes of the values they give.
void DefineAttributes(py::module_& module, py::class_<Crs>& crs);

// Adds identification against the EPSG database (to_epsg, to_authority, list_authority) and
// comparison by meaning (equals).
void DefineIdentification(py::module_& module, py::class_<Crs>& crs);

} // namespace quarn::python

#endif
