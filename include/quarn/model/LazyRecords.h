// Records an object hands out on request (axes, projection parameters, datum shift and grid
// files), built from the object's compact fields the first time they are asked for.
#ifndef QUARN_MODEL_LAZYRECORDS_H
#define QUARN_MODEL_LAZYRECORDS_H

#include <quarn/model/ObjectStore.h>
#include <quarn/model/Records.h>
#include <quarn/model/Text.h>
#include <quarn/model/ValueRecords.h>

#include <atomic>
#include <cstdint>
#include <new>

// N records of type T, made by the holder's fill function on the first request and kept
// until the holder is destroyed, so that a record pointer once handed out stays valid.
// Readers of a finished object may ask at the same time from several threads: the first to
// publish its block wins and the others discard theirs. A copy of the holder starts without
// records (the copy builds its own from its own fields).
template <class T, int N> class QuarnLazyRecords {
public:
    QuarnLazyRecords() : m_records(nullptr) {}
    QuarnLazyRecords(const QuarnLazyRecords&) : m_records(nullptr) {}
    QuarnLazyRecords& operator=(const QuarnLazyRecords&) { return *this; }
    ~QuarnLazyRecords() { delete[] m_records.load(std::memory_order_acquire); }

    // The records, built by `fill(T*)` when none exist yet; null if they cannot be had.
    // `store` is where the holder lives, if in a store: the records are memory outside it.
    template <class Fill> const T* Get(Fill fill, QuarnObjectStore* store) const {
        T* records = m_records.load(std::memory_order_acquire);
        if (records != nullptr) return records;
        T* fresh = new (std::nothrow) T[N];
        if (fresh == nullptr) return nullptr;
        if (store != nullptr) store->NoteForeign();
        fill(fresh);
        if (m_records.compare_exchange_strong(records, fresh, std::memory_order_acq_rel,
                                              std::memory_order_acquire))
            return fresh;
        delete[] fresh;
        return records;
    }

    // After a setter changed the fields: rewrites records already handed out, so that they
    // keep showing what the object holds. Setters never run beside readers.
    template <class Fill> void Refresh(Fill fill) {
        T* records = m_records.load(std::memory_order_acquire);
        if (records != nullptr) fill(records);
    }

private:
    mutable std::atomic<T*> m_records;
};

// An axis as an object keeps it: the orientation and the name.
struct QuarnAxis {
    std::int32_t orientation = 0;
    QuarnText name;

    // A null axis changes nothing. The name takes its room from `store` (see QuarnText).
    void Set(const CS_AxisInfo* axis, QuarnObjectStore* store) {
        if (axis == nullptr) return;
        orientation = axis->orientation;
        name.Set(axis->name, store);
    }
    void Fill(CS_AxisInfo& record) const {
        record.orientation = orientation;
        QuarnCopyText(record.name, name.Get());
    }
    // The AXIS element, in the axis class's result buffer.
    const wchar_t* GetWKT() const { return CQuarnAxisInfo::FormatAxis(name.Get(), orientation); }
};

// Axis records of a system with N axes, built from its compact axes.
template <int N> class QuarnAxisRecords {
public:
    const CS_AxisInfo* Get(const QuarnAxis (&axes)[N], long index, QuarnObjectStore* store) const {
        if (index < 0 || index >= N) return nullptr;
        const CQuarnAxisInfo* records = m_records.Get(Filler{axes}, store);
        return records != nullptr ? &records[index] : nullptr;
    }
    void Refresh(const QuarnAxis (&axes)[N]) { m_records.Refresh(Filler{axes}); }

private:
    struct Filler {
        const QuarnAxis (&axes)[N];
        void operator()(CQuarnAxisInfo* records) const {
            for (int i = 0; i < N; ++i)
                axes[i].Fill(records[i]);
        }
    };
    QuarnLazyRecords<CQuarnAxisInfo, N> m_records;
};

// Assignment of a system's axes 0 to count-1 from another's, records kept current.
template <int N>
void QuarnCopyAxes(QuarnAxis (&to)[N], const QuarnAxis (&from)[N], QuarnAxisRecords<N>& records,
                   long count = N) {
    for (long i = 0; i < count && i < N; ++i)
        to[i] = from[i];
    records.Refresh(to);
}

// The orientation and name of axis `index` of N without building a record: 0 and "" for an
// index outside 0 to N-1.
template <int N> long QuarnAxisOrientation(const QuarnAxis (&axes)[N], long index) {
    return index >= 0 && index < N ? axes[index].orientation : 0;
}
template <int N> const wchar_t* QuarnAxisName(const QuarnAxis (&axes)[N], long index) {
    return index >= 0 && index < N ? axes[index].name.Get() : L"";
}

// Orientations only, as EqualAxisInfo compares them.
template <int N>
bool QuarnEqualAxes(const QuarnAxis (&a)[N], const QuarnAxis (&b)[N], long count = N) {
    for (long i = 0; i < count && i < N; ++i) {
        if (a[i].orientation != b[i].orientation) return false;
    }
    return true;
}

#endif
