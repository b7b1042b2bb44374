// Lookup structures over one registry (internal): they find the first registered object
// equal to a new one, and the first one carrying a name, without walking the whole array,
// and give the same answers as walking it from index 0.
#ifndef QUARN_FACTORY_REGISTRYINDEX_H
#define QUARN_FACTORY_REGISTRYINDEX_H

#include <quarn/model/Model.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CQuarnInfoArray;

// What the equality of one class compares, reduced to a hash of the parts it compares
// exactly (object type, names up to `~`, type codes, child objects, axis orientations, ...)
// and the numbers it compares within 1e-12. Objects that the equality finds equal always
// have equal exact parts and numbers in the same or in neighbouring buckets.
namespace quarn::detail {

class EqualityKey {
public:
    static constexpr int kMaxNumbers = 11;

    explicit EqualityKey(long type);

    void Exact(std::uint64_t value);
    void Pointer(const void* pointer);
    // The name up to its first `~`, case kept (the comparison of base names).
    void BaseName(const wchar_t* name);
    // The whole text with the letters a to z taken as A to Z.
    void FoldedText(const wchar_t* text);
    void Number(double value);
    // The object cannot be keyed: as a request it is compared with every registered object,
    // registered it is compared with every request.
    void Refuse() { m_refused = true; }

    bool Refused() const { return m_refused; }
    // A number that is not a number equals every number: such an object is not bucketed.
    bool HasNaN() const;
    // The hash of the exact parts and of the buckets the numbers lie in, each bucket moved
    // by the matching step of `steps` (-1, 0 or 1).
    std::uint64_t Hash(const int* steps = nullptr) const;
    // For each number: -1 or 1 when a value within 1e-12 may lie in the bucket below or
    // above, else 0.
    void NearEdges(int* edges) const;
    int NumberCount() const { return m_count; }

private:
    std::uint64_t m_exact;
    double m_numbers[kMaxNumbers];
    int m_count;
    bool m_refused;
};

// Describes `item` for equality, through the class its object type names; objects of no
// library type are refused.
void DescribeForEquality(const CS_Info& item, EqualityKey& key);

// Hash of a text with the letters a to z taken as A to Z, the whole text.
std::uint64_t FoldedHash(const wchar_t* text);

} // namespace quarn::detail

class QuarnRegistryIndex {
public:
    // Whether `item` (of the candidate's object type) equals the candidate described by
    // `context`.
    using Equal = bool (*)(const void* context, const CS_Info* item);

    // Registries shorter than this are walked: an index would cost more than it saves, and
    // a factory that reads one text has nothing but short registries.
    static constexpr int kShortRegistry = 16;

    // The walks from index 0 that the lookups below answer like.
    static int WalkEqual(const CQuarnInfoArray& line, long type, const void* context, Equal equal);
    static int WalkName(const CQuarnInfoArray& line, const wchar_t* name);
    // UniqueName by walks, counting from ~1, written into `out`.
    static void WalkUniqueName(const CQuarnInfoArray& line, const wchar_t* name, std::wstring& out);

    // Position of the first element of `line` of the candidate's object type for which
    // `equal` holds, or -1: the answer of a walk from index 0.
    int FindEqual(const CQuarnInfoArray& line, const CS_Info& candidate, const void* context,
                  Equal equal);
    // Position of the first element whose name equals `name` ignoring the case of A to Z,
    // or -1; an empty name finds nothing.
    int FindName(const CQuarnInfoArray& line, const wchar_t* name);
    // `name` when no element carries it, else its part before the first `~` followed by the
    // smallest `~N` (N from 1) that no element carries.
    std::wstring UniqueName(const CQuarnInfoArray& line, const wchar_t* name);
    // Gives the element at `position` the name `name`, keeping the name lookup right.
    void Rename(const CQuarnInfoArray& line, int position, const wchar_t* name);
    // A registered element now compares by other values: the equality lookup starts again
    // at its next use.
    void ForgetEqual() { m_equalProgress = Progress(); }

private:
    // How far a structure reflects the array: the array's change count when it was last
    // started again, and how many elements it holds since.
    struct Progress {
        unsigned long long changes = ~0ULL;
        int indexed = 0;
    };

    void CatchUpEqual(const CQuarnInfoArray& line);
    void CatchUpNames(const CQuarnInfoArray& line);
    void AddEqual(const CS_Info* item, int position);

    Progress m_equalProgress;
    // Keyed elements by the hash of their key; elements holding a NaN, or that cannot be
    // keyed, are candidates for every request.
    std::unordered_multimap<std::uint64_t, int> m_equal;
    std::vector<int> m_wild;

    Progress m_nameProgress;
    std::unordered_multimap<std::uint64_t, int> m_names;
    // For a base name (folded), a counter below which every `~N` is known to be taken.
    std::unordered_map<std::wstring, unsigned long long> m_nextSuffix;
};

#endif
