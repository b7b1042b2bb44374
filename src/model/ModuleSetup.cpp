#include <quarn/model/ModuleSetup.h>

#include <atomic>

// The flag is constant-initialised, so it holds false before any code of the process runs.
// It is atomic so that a thread changing it never races with readers in other threads: a
// read gives the old or the new setting. It guards no other data, hence relaxed order.
namespace {
std::atomic<bool> g_prjLoading{false};
} // namespace

void SetPrjLoading(bool loading) {
    g_prjLoading.store(loading, std::memory_order_relaxed);
}

bool IsPrjLoading() {
    return g_prjLoading.load(std::memory_order_relaxed);
}

// The default records are function-local statics: each is built the first time anything
// asks for it, which is before any use however early a host's own static constructors run,
// and the list is built from the three named axes after them. The language builds such a
// static exactly once even when threads ask for it at the same time, the others waiting
// until it is complete. They are destroyed in reverse order when the library is unloaded.
const CQuarnAxisInfo& QuarnDefaultAxisX() {
    static const CQuarnAxisInfo axis(L"X", CS_AO_East);
    return axis;
}

const CQuarnAxisInfo& QuarnDefaultAxisY() {
    static const CQuarnAxisInfo axis(L"Y", CS_AO_North);
    return axis;
}

const CQuarnAxisInfo& QuarnDefaultAxisZ() {
    static const CQuarnAxisInfo axis(L"Z", CS_AO_Up);
    return axis;
}

const CQuarnAxisInfo* QuarnDefaultAxes() {
    static const CQuarnAxisInfo axes[3] = {QuarnDefaultAxisX(), QuarnDefaultAxisY(),
                                           QuarnDefaultAxisZ()};
    return axes;
}

const CQuarn3DIMInfo& QuarnDefault3DIMInfo() {
    static const CQuarn3DIMInfo info;
    return info;
}

const CQuarnWGS84ConversionInfo& QuarnDefaultWGS84ConversionInfo() {
    static const CQuarnWGS84ConversionInfo info;
    return info;
}

const CBASESequence<CS_ProjectionParameter, 11>& QuarnDefaultParameters() {
    static const CBASESequence<CS_ProjectionParameter, 11> parameters;
    return parameters;
}

namespace {
// Builds every default record while the library is loaded, so that none is first made in
// the middle of a parse; the accessors above stay safe to call even before this runs.
struct DefaultsAtLoad {
    DefaultsAtLoad() {
        QuarnDefaultAxes();
        QuarnDefault3DIMInfo();
        QuarnDefaultWGS84ConversionInfo();
        QuarnDefaultParameters();
    }
} g_defaultsAtLoad;
} // namespace
