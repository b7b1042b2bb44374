// The identifier's index of the EPSG systems of PROJ's database: each system reduced to its
// meaning (quarn::Meaning), the names and aliases of systems and datums by their keys, and
// buckets of systems by the coarse values of their meaning.
#ifndef QUARN_EPSG_IDENTIFIERINDEX_H
#define QUARN_EPSG_IDENTIFIERINDEX_H

#include <quarn/equivalent.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct pj_ctx;

namespace quarn::detail {

struct IndexRecord {
    Meaning meaning; // kind, datum codes and values; parts of compounds are not kept
    int code = 0;
    int headCode = 0, tailCode = 0; // of a compound system
    std::string name;
    bool deprecated = false;
};

struct IdentifierIndex {
    std::vector<IndexRecord> records;
    // Name keys (NameKey) of systems, of every spelling the database has: record indexes.
    std::unordered_map<std::string, std::vector<std::uint32_t>> systemsByName;
    // Datum name keys (DatumNameKey): EPSG codes of geodetic and of vertical datums.
    std::unordered_map<std::string, std::vector<int>> datumsByName;
    std::unordered_map<std::string, std::vector<int>> verticalDatumsByName;

    // Made from the above by Finish, never stored.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> buckets;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> compounds; // head << 32 | tail
    std::unordered_map<int, std::uint32_t> byCode;

    void Finish();
    // The buckets where a system of this meaning may be: its own, and a neighbour's where a
    // value lies within the tolerance of a bucket's edge.
    void BucketsOf(const Meaning& meaning, std::vector<std::uint64_t>& keys) const;
};

// What the database is: its path, size, time of change and versions; the cache key.
std::string DatabaseIdentity(const std::string& path);

// Reads the database through SQLite. False, with `failure`, when the file cannot be read or
// its layout is not one this reader knows (the caller then asks PROJ).
bool BuildFromSqlite(const std::string& path, IdentifierIndex& index, std::string& failure);

// Builds the index through PROJ's API alone: every system's WKT 1 read back. Slower, and
// without aliases; for databases of an unknown layout.
bool BuildFromProj(pj_ctx* context, IdentifierIndex& index, std::string& failure);

// The cache: a file that holds the index and the identity of the database it was made
// from, with a checksum. Read gives false for a missing, stale or damaged file.
bool ReadCache(const std::string& file, const std::string& identity, IdentifierIndex& index);
bool WriteCache(const std::string& file, const std::string& identity, const IdentifierIndex& index);
// $XDG_CACHE_HOME/quarn/identify-<hash of identity>.bin (or ~/.cache/...); empty when
// neither variable is set.
std::string CacheFile(const std::string& identity);

} // namespace quarn::detail

#endif
