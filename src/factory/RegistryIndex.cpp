#include "factory/RegistryIndex.h"

#include "factory/ByObjectType.h"
#include <quarn/factory/Factory.h>

#include <quarn/model/Text.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace quarn::detail;

namespace {

std::uint64_t Avalanche(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t Combine(std::uint64_t hash, std::uint64_t value) {
    return Avalanche(hash + 0x9e3779b97f4a7c15ULL + Avalanche(value));
}

// Numbers below 2^14 in size fall into buckets 2^-32 wide, centred on multiples of 2^-32 so
// that round values lie mid-bucket; the scaling by a power of two and the shift by a half
// are exact there. Two values within 1e-12 are at most 0.0043 bucket widths apart, so a
// value further than kEdge from its bucket's edges has all its equals in its own bucket.
// From 2^14 up, neighbouring doubles are more than 1e-12 apart, so only the value itself
// is equal to it (infinities included): the bucket is its bit pattern.
constexpr double kSmall = 16384.0;
constexpr double kEdge = 0.005;
constexpr std::uint64_t kLargeTag = 0x5a5a5a5a5a5a5a5aULL;

std::uint64_t BucketOf(double value) {
    if (std::fabs(value) < kSmall)
        return static_cast<std::uint64_t>(
            static_cast<std::int64_t>(std::floor(std::ldexp(value, 32) + 0.5)));
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits ^ kLargeTag;
}

int EdgeOf(double value) {
    if (!(std::fabs(value) < kSmall)) return 0;
    double shifted = std::ldexp(value, 32) + 0.5;
    double inside = shifted - std::floor(shifted);
    if (inside < kEdge) return -1;
    return inside > 1.0 - kEdge ? 1 : 0;
}

// Requests with more numbers near a bucket edge than this are compared with every element.
constexpr int kMaxEdges = 4;

// ---- What each class's equality compares ---------------------------------------------------

// The orientations of axes 0 to count-1, read from the system's own fields (the axis
// records are built only when a host asks for them).
template <class System> void AxisOrientations(EqualityKey& key, const System& system, long count) {
    for (long i = 0; i < count; ++i)
        key.Exact(static_cast<std::uint32_t>(system.GetAxisOrientation(i)));
}

void Describe(const CQuarnLinearUnit& unit, EqualityKey& key) {
    key.Number(unit.GetMetersPerUnit());
}

void Describe(const CQuarnAngularUnit& unit, EqualityKey& key) {
    key.Number(unit.GetRadiansPerUnit());
}

void Describe(const CQuarnEllipsoid& ellipsoid, EqualityKey& key) {
    key.BaseName(ellipsoid.GetName());
    key.Number(ellipsoid.GetSemiMajorAxis());
    key.Number(ellipsoid.GetInverseFlattening());
}

void Describe(const CQuarnPrimeMeridian& meridian, EqualityKey& key) {
    key.BaseName(meridian.GetName());
    key.Number(meridian.GetLongitude());
}

void Describe(const CQuarnHorizontalDatum& datum, EqualityKey& key) {
    key.BaseName(datum.GetName());
    key.Exact(static_cast<std::uint64_t>(datum.GetDatumType()));
    key.Pointer(datum.GetEllipsoid());
    const double* shift = datum.GetShiftValues();
    for (int i = 0; i < CQuarnHorizontalDatum::kShiftValues; ++i)
        key.Number(shift[i]);
}

void Describe(const CQuarnVerticalDatum& datum, EqualityKey& key) {
    // An ellipsoidal vertical datum compares by type alone; types must be equal, so the
    // registered one of that type has no name in its key either.
    key.Exact(static_cast<std::uint64_t>(datum.GetDatumType()));
    if (datum.GetDatumType() != kQuarnDatumEllipsoidal) key.BaseName(datum.GetName());
}

void Describe(const CQuarnLocalDatum& datum, EqualityKey& key) {
    key.BaseName(datum.GetName());
    key.Exact(static_cast<std::uint64_t>(datum.GetDatumType()));
}

// Parameters are compared by folded name and value, in any order, each parameter of the
// request needing some equal parameter of the registered projection, with equal counts.
// When the request's names are distinct, that can only be the registered parameter of the
// same name, and the registered names are the same set: the key is the parameters in the
// order of their folded names' hashes (the folded names themselves between equal hashes),
// an order that depends on the set of names alone. A projection with a repeated name is
// refused.
void Describe(const CQuarnProjection& projection, EqualityKey& key) {
    key.FoldedText(projection.GetClassName());
    const long count = projection.GetNumParameters();
    key.Exact(static_cast<std::uint64_t>(count));
    if (count < 0 || count > EqualityKey::kMaxNumbers) {
        key.Refuse();
        return;
    }
    // Names and values are read from the projection's own fields, without building its
    // parameter records.
    auto name = [&projection](long i) { return projection.GetParameterName(i); };
    std::uint64_t hashes[EqualityKey::kMaxNumbers];
    long order[EqualityKey::kMaxNumbers];
    for (long i = 0; i < count; ++i) {
        hashes[i] = FoldedHash(name(i));
        order[i] = i;
    }
    auto folded = [&name](long a, long b) {
        const wchar_t* x = name(a);
        const wchar_t* y = name(b);
        for (; QuarnUpperAZ(*x) == QuarnUpperAZ(*y) && *x != L'\0'; ++x, ++y) {
        }
        return static_cast<std::uint32_t>(QuarnUpperAZ(*x)) <
               static_cast<std::uint32_t>(QuarnUpperAZ(*y));
    };
    std::sort(order, order + count, [&](long a, long b) {
        return hashes[a] != hashes[b] ? hashes[a] < hashes[b] : folded(a, b);
    });
    for (long i = 0; i < count; ++i) {
        if (i > 0 && hashes[order[i - 1]] == hashes[order[i]] &&
            QuarnEqualNoCase(name(order[i - 1]), name(order[i]))) {
            key.Refuse();
            return;
        }
        key.Exact(hashes[order[i]]);
        key.Number(projection.GetParameterValue(order[i]));
    }
}

void Describe(const CQuarnGeographicCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetAngularUnit());
    key.Pointer(system.GetHorizontalDatum());
    key.Pointer(system.GetPrimeMeridian());
    AxisOrientations(key, system, 2);
}

void Describe(const CQuarnGeocentricCoordinateSystem& system, EqualityKey& key) {
    key.BaseName(system.GetName());
    key.Pointer(system.GetLinearUnit());
    key.Pointer(system.GetHorizontalDatum());
    key.Pointer(system.GetPrimeMeridian());
    AxisOrientations(key, system, 3);
}

void Describe(const CQuarnProjectedCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetGeographicCoordinateSystem());
    key.Pointer(system.GetProjection());
    key.Pointer(system.GetLinearUnit());
    AxisOrientations(key, system, 2);
}

void Describe(const CQuarnVerticalCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetVerticalDatum());
    key.Pointer(system.GetVerticalUnit());
    AxisOrientations(key, system, 1);
}

void Describe(const CQuarnCompoundCoordinateSystem& system, EqualityKey& key) {
    key.BaseName(system.GetName());
    key.Pointer(system.GetHeadCS());
    key.Pointer(system.GetTailCS());
}

void Describe(const CQuarnLocalCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetUnits(0));
    key.Pointer(system.GetLocalDatum());
    const long dimension = system.GetDimension();
    key.Exact(static_cast<std::uint64_t>(dimension));
    const long inUse = dimension < 0 ? 0 : (dimension < 3 ? dimension : 3);
    AxisOrientations(key, system, inUse);
}

void Describe(const CQuarnFittedHorizontalCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetBaseCoordinateSystem());
    for (double value : {system.GetE0(), system.GetN0(), system.GetK(), system.GetDE(),
                         system.GetDN(), system.GetBeta()})
        key.Number(value);
}

void Describe(const CQuarnFittedVerticalCoordinateSystem& system, EqualityKey& key) {
    key.Pointer(system.GetBaseCoordinateSystem());
    for (double value :
         {system.GetdH(), system.GetGl(), system.GetGg(), system.GetL0(), system.GetG0()})
        key.Number(value);
}

} // namespace

// ---- EqualityKey -----------------------------------------------------------------------

EqualityKey::EqualityKey(long type)
    : m_exact(Avalanche(static_cast<std::uint64_t>(type))), m_numbers(), m_count(0),
      m_refused(false) {}

void EqualityKey::Exact(std::uint64_t value) {
    m_exact = Combine(m_exact, value);
}

void EqualityKey::Pointer(const void* pointer) {
    Exact(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(pointer)));
}

void EqualityKey::BaseName(const wchar_t* name) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const wchar_t* c = name; c != nullptr && *c != L'\0' && *c != L'~'; ++c)
        hash = (hash ^ static_cast<std::uint32_t>(*c)) * 0x100000001b3ULL;
    Exact(hash);
}

void EqualityKey::FoldedText(const wchar_t* text) {
    Exact(FoldedHash(text));
}

void EqualityKey::Number(double value) {
    if (m_count == kMaxNumbers) {
        Refuse();
        return;
    }
    m_numbers[m_count++] = value;
}

bool EqualityKey::HasNaN() const {
    return std::any_of(m_numbers, m_numbers + m_count, [](double v) { return std::isnan(v); });
}

std::uint64_t EqualityKey::Hash(const int* steps) const {
    std::uint64_t hash = m_exact;
    for (int i = 0; i < m_count; ++i) {
        std::uint64_t bucket = BucketOf(m_numbers[i]);
        if (steps != nullptr)
            bucket += static_cast<std::uint64_t>(static_cast<std::int64_t>(steps[i]));
        hash = Combine(hash, bucket);
    }
    return hash;
}

void EqualityKey::NearEdges(int* edges) const {
    for (int i = 0; i < m_count; ++i)
        edges[i] = EdgeOf(m_numbers[i]);
}

void quarn::detail::DescribeForEquality(const CS_Info& item, EqualityKey& key) {
    long type = item.GetObjectType();
    if (type < 0 || type >= kQuarnObjectTypeCount) {
        key.Refuse();
        return;
    }
    WithClass(&item, [&key](const auto* object) { Describe(*object, key); });
}

std::uint64_t quarn::detail::FoldedHash(const wchar_t* text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const wchar_t* c = text; c != nullptr && *c != L'\0'; ++c)
        hash = (hash ^ static_cast<std::uint32_t>(QuarnUpperAZ(*c))) * 0x100000001b3ULL;
    return Avalanche(hash);
}

// ---- QuarnRegistryIndex: equal objects ------------------------------------------------------

void QuarnRegistryIndex::CatchUpEqual(const CQuarnInfoArray& line) {
    if (m_equalProgress.changes != line.GetChangeCount()) {
        // Something other than appending changed the array: start again.
        std::unordered_multimap<std::uint64_t, int>().swap(m_equal);
        m_wild.clear();
        m_equalProgress = Progress{line.GetChangeCount(), 0};
    }
    for (; m_equalProgress.indexed < line.GetSize(); ++m_equalProgress.indexed)
        AddEqual(line.GetAt(m_equalProgress.indexed), m_equalProgress.indexed);
}

void QuarnRegistryIndex::AddEqual(const CS_Info* item, int position) {
    if (item == nullptr) return;
    long type = item->GetObjectType();
    // An object of no library type is never equal to what a create operation builds.
    if (type < 0 || type >= kQuarnObjectTypeCount) return;
    EqualityKey key(type);
    DescribeForEquality(*item, key);
    if (key.Refused() || key.HasNaN())
        m_wild.push_back(position);
    else
        m_equal.emplace(key.Hash(), position);
}

int QuarnRegistryIndex::WalkEqual(const CQuarnInfoArray& line, long type, const void* context,
                                  Equal equal) {
    for (int i = 0; i < line.GetSize(); ++i) {
        const CS_Info* item = line.GetAt(i);
        if (item != nullptr && item->GetObjectType() == type && equal(context, item)) return i;
    }
    return -1;
}

int QuarnRegistryIndex::FindEqual(const CQuarnInfoArray& line, const CS_Info& candidate,
                                  const void* context, Equal equal) {
    const long type = candidate.GetObjectType();
    EqualityKey key(type);
    DescribeForEquality(candidate, key);
    int edges[EqualityKey::kMaxNumbers];
    key.NearEdges(edges);
    const int nearCount = static_cast<int>(
        std::count_if(edges, edges + key.NumberCount(), [](int e) { return e != 0; }));
    // A request that may equal objects of any key is answered by the walk itself.
    if (key.Refused() || key.HasNaN() || nearCount > kMaxEdges)
        return WalkEqual(line, type, context, equal);

    CatchUpEqual(line);
    std::vector<int> positions(m_wild);
    // Every combination of own and neighbouring buckets for the numbers near an edge.
    int steps[EqualityKey::kMaxNumbers];
    for (unsigned combination = 0; combination < (1U << nearCount); ++combination) {
        unsigned bit = 0;
        for (int i = 0; i < key.NumberCount(); ++i)
            steps[i] = edges[i] == 0 ? 0 : (((combination >> bit++) & 1U) != 0 ? edges[i] : 0);
        auto range = m_equal.equal_range(key.Hash(steps));
        for (auto it = range.first; it != range.second; ++it)
            positions.push_back(it->second);
    }
    std::sort(positions.begin(), positions.end());
    for (int position : positions) {
        const CS_Info* item = line.GetAt(position);
        if (item->GetObjectType() == type && equal(context, item)) return position;
    }
    return -1;
}

// ---- QuarnRegistryIndex: names ---------------------------------------------------------------

void QuarnRegistryIndex::CatchUpNames(const CQuarnInfoArray& line) {
    if (m_nameProgress.changes != line.GetChangeCount()) {
        std::unordered_multimap<std::uint64_t, int>().swap(m_names);
        m_nextSuffix.clear();
        m_nameProgress = Progress{line.GetChangeCount(), 0};
    }
    for (; m_nameProgress.indexed < line.GetSize(); ++m_nameProgress.indexed) {
        const CS_Info* item = line.GetAt(m_nameProgress.indexed);
        if (item != nullptr) m_names.emplace(FoldedHash(item->GetName()), m_nameProgress.indexed);
    }
}

int QuarnRegistryIndex::FindName(const CQuarnInfoArray& line, const wchar_t* name) {
    if (name == nullptr || name[0] == L'\0') return -1;
    CatchUpNames(line);
    int first = -1;
    auto range = m_names.equal_range(FoldedHash(name));
    for (auto it = range.first; it != range.second; ++it) {
        if ((first < 0 || it->second < first) &&
            QuarnEqualNoCase(line.GetAt(it->second)->GetName(), name))
            first = it->second;
    }
    return first;
}

namespace {

// The part of `name` before its first `~`.
std::wstring BaseOf(const wchar_t* name) {
    const wchar_t* tilde = name;
    while (*tilde != L'\0' && *tilde != L'~')
        ++tilde;
    return std::wstring(name, tilde);
}

// The first `base~N` from `counter` on that `taken` refuses, with its N in `counter`.
template <class Taken>
std::wstring FirstFree(const std::wstring& base, unsigned long long& counter, Taken taken) {
    std::wstring candidate;
    for (;; ++counter) {
        candidate = base + L"~" + std::to_wstring(counter);
        if (!taken(candidate.c_str())) return candidate;
    }
}

} // namespace

int QuarnRegistryIndex::WalkName(const CQuarnInfoArray& line, const wchar_t* name) {
    if (name == nullptr || name[0] == L'\0') return -1;
    for (int i = 0; i < line.GetSize(); ++i) {
        const CS_Info* item = line.GetAt(i);
        if (item != nullptr && QuarnEqualNoCase(item->GetName(), name)) return i;
    }
    return -1;
}

void QuarnRegistryIndex::WalkUniqueName(const CQuarnInfoArray& line, const wchar_t* name,
                                        std::wstring& out) {
    auto taken = [&line](const wchar_t* candidate) { return WalkName(line, candidate) >= 0; };
    if (name == nullptr) {
        out.clear();
    } else if (!taken(name)) {
        out.assign(name); // into the capacity `out` already has
    } else {
        unsigned long long counter = 1;
        out = FirstFree(BaseOf(name), counter, taken);
    }
}

std::wstring QuarnRegistryIndex::UniqueName(const CQuarnInfoArray& line, const wchar_t* name) {
    if (name == nullptr) return std::wstring();
    // A suffix the name already carries stays on the first try.
    if (FindName(line, name) < 0) return name;
    const std::wstring base = BaseOf(name);
    std::wstring folded(base);
    std::transform(folded.begin(), folded.end(), folded.begin(), QuarnUpperAZ);
    // Every `~N` below the remembered counter is taken (names are only added between two
    // calls; anything else starts the lookup again), so the search goes on from there.
    unsigned long long counter = 1;
    auto known = m_nextSuffix.find(folded);
    if (known != m_nextSuffix.end()) counter = known->second;
    std::wstring candidate = FirstFree(
        base, counter, [this, &line](const wchar_t* text) { return FindName(line, text) >= 0; });
    m_nextSuffix[folded] = counter;
    return candidate;
}

void QuarnRegistryIndex::Rename(const CQuarnInfoArray& line, int position, const wchar_t* name) {
    CS_Info* item = line.GetAt(position);
    const bool indexed =
        m_nameProgress.changes == line.GetChangeCount() && position < m_nameProgress.indexed;
    std::vector<int> places;
    if (indexed) {
        // Every place of the object (a host may have put it in twice) moves to the new name.
        auto range = m_names.equal_range(FoldedHash(item->GetName()));
        for (auto it = range.first; it != range.second;) {
            if (line.GetAt(it->second) == item) {
                places.push_back(it->second);
                it = m_names.erase(it);
            } else {
                ++it;
            }
        }
        // The old name is free again: counters remembered for its base no longer hold.
        std::wstring base(item->GetName());
        base = base.substr(0, base.find(L'~'));
        std::transform(base.begin(), base.end(), base.begin(), QuarnUpperAZ);
        m_nextSuffix.erase(base);
    }
    item->SetName(name);
    for (int place : places)
        m_names.emplace(FoldedHash(item->GetName()), place);
}
