// The identifier: a system's meaning looked up in the index's buckets, every candidate of
// the bucket compared with quarn::Equivalent, and the equivalent ones (and those whose name
// agrees) scored by what their names say.
#include <quarn/identify.h>

#include "epsg/IdentifierIndex.h"

#include <quarn/equivalent.h>

#include <proj.h>

#include <algorithm>
#include <exception>

namespace quarn {

using detail::IdentifierIndex;
using detail::IndexRecord;

namespace {

// A candidate before it becomes a Match: a record of the index, or a pair for a compound
// the database does not have.
struct Candidate {
    int confidence = 0;
    std::uint32_t record = 0;
    bool pair = false;
    std::uint32_t head = 0, tail = 0;
};

bool Contains(const std::vector<int>* codes, int code) {
    return codes != nullptr && std::find(codes->begin(), codes->end(), code) != codes->end();
}

} // namespace

struct EpsgIdentifier::Impl {
    std::string path;
    std::string failure;
    bool ready = false, tried = false;
    IdentifierIndex index;
    std::vector<std::uint64_t> keys;

    explicit Impl(const char* databasePath) : path(databasePath != nullptr ? databasePath : "") {}

    bool Ensure() {
        if (tried) return ready;
        tried = true;
        PJ_CONTEXT* context = proj_context_create();
        if (context == nullptr) {
            failure = "PROJ cannot set up a context";
            return false;
        }
        proj_log_level(context, PJ_LOG_NONE);
        if (!path.empty() &&
            !proj_context_set_database_path(context, path.c_str(), nullptr, nullptr)) {
            failure = "cannot open the EPSG database " + path;
        } else if (const char* found = proj_context_get_database_path(context)) {
            path = found;
        } else {
            failure = "cannot find PROJ's EPSG database proj.db (Debian: proj-data)";
        }
        if (failure.empty()) {
            const std::string identity = detail::DatabaseIdentity(path);
            const std::string cache = detail::CacheFile(identity);
            if (detail::ReadCache(cache, identity, index)) {
                ready = true;
            } else {
                std::string why;
                ready = detail::BuildFromSqlite(path, index, why) ||
                        detail::BuildFromProj(context, index, failure);
                if (ready) detail::WriteCache(cache, identity, index);
            }
        }
        proj_context_destroy(context);
        if (ready) failure.clear();
        return ready;
    }

    // The systems of that name; a name PROJ wrote for a deprecated system ends in
    // "(deprecated)".
    const std::vector<std::uint32_t>* Named(const std::string& key) const {
        auto found = index.systemsByName.find(key);
        const std::string suffix = "deprecated";
        if (found == index.systemsByName.end() && key.size() > suffix.size() &&
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) == 0)
            found = index.systemsByName.find(key.substr(0, key.size() - suffix.size()));
        return found != index.systemsByName.end() ? &found->second : nullptr;
    }

    static bool HasName(const std::vector<std::uint32_t>* named, std::uint32_t record) {
        return named != nullptr && std::find(named->begin(), named->end(), record) != named->end();
    }

    // The candidates for a system that is not a compound.
    void Simple(Meaning& q, std::vector<Candidate>& out) {
        const bool vertical = q.kind == MeaningKind::Vertical;
        const std::vector<int>* codes = nullptr;
        const int ownCode = vertical ? q.verticalDatumCode : q.datumCode;
        const std::string& datumKey = vertical ? q.verticalDatumKey : q.datumKey;
        auto& names = vertical ? index.verticalDatumsByName : index.datumsByName;
        if (auto found = names.find(datumKey); !datumKey.empty() && found != names.end())
            codes = &found->second;
        const bool byName = codes != nullptr || ownCode > 0;
        int& compared = vertical ? q.verticalDatumCode : q.datumCode;

        std::vector<std::uint32_t> equivalent;
        index.BucketsOf(q, keys);
        for (std::uint64_t key : keys) {
            auto bucket = index.buckets.find(key);
            if (bucket == index.buckets.end()) continue;
            for (std::uint32_t i : bucket->second) {
                const IndexRecord& r = index.records[i];
                if (r.meaning.kind != q.kind) continue;
                const int theirs = vertical ? r.meaning.verticalDatumCode : r.meaning.datumCode;
                if (vertical && ownCode == -1)
                    compared = -1;
                else if (!byName)
                    compared = 0;
                else
                    compared = Contains(codes, theirs) || theirs == ownCode ? theirs : -2;
                if (Equivalent(q, r.meaning)) equivalent.push_back(i);
            }
        }
        compared = ownCode;

        const std::vector<std::uint32_t>* named = Named(q.nameKey);
        int current = 0;
        for (std::uint32_t i : equivalent)
            current += index.records[i].deprecated ? 0 : 1;
        for (std::uint32_t i : equivalent) {
            const bool agrees = HasName(named, i);
            int confidence = 0;
            if (byName)
                confidence = agrees                                           ? 100
                             : (current == 1 && !index.records[i].deprecated) ? 90
                                                                              : 80;
            else
                confidence = agrees ? 70 : 50;
            out.push_back({confidence, i});
        }
        if (named != nullptr)
            for (std::uint32_t i : *named)
                if (index.records[i].meaning.kind == q.kind &&
                    std::find(equivalent.begin(), equivalent.end(), i) == equivalent.end())
                    out.push_back({25, i});
    }

    void Compound(Meaning& q, std::vector<Candidate>& out) {
        if (q.parts.size() != 2 || q.parts[0].kind == MeaningKind::Compound ||
            q.parts[1].kind != MeaningKind::Vertical)
            return;
        std::vector<Candidate> heads, tails;
        Simple(q.parts[0], heads);
        Simple(q.parts[1], tails);
        Order(heads);
        Order(tails);
        for (const Candidate& h : heads)
            for (const Candidate& t : tails) {
                const std::uint64_t key = static_cast<std::uint64_t>(index.records[h.record].code)
                                              << 32 |
                                          static_cast<std::uint32_t>(index.records[t.record].code);
                auto found = index.compounds.find(key);
                if (found == index.compounds.end()) continue;
                for (std::uint32_t i : found->second)
                    out.push_back({std::min(h.confidence, t.confidence), i});
            }
        if (out.empty() && !heads.empty() && !tails.empty())
            out.push_back({std::min(heads[0].confidence, tails[0].confidence), 0, true,
                           heads[0].record, tails[0].record});
    }

    // Best first; a current code before a deprecated one; then the lowest code.
    void Order(std::vector<Candidate>& list) const {
        auto code = [this](const Candidate& c) {
            return index.records[c.pair ? c.head : c.record].code;
        };
        auto deprecated = [this](const Candidate& c) {
            return c.pair ? index.records[c.head].deprecated || index.records[c.tail].deprecated
                          : index.records[c.record].deprecated;
        };
        std::sort(list.begin(), list.end(), [&](const Candidate& a, const Candidate& b) {
            if (a.confidence != b.confidence) return a.confidence > b.confidence;
            if (deprecated(a) != deprecated(b)) return !deprecated(a);
            if (code(a) != code(b)) return code(a) < code(b);
            return a.pair && b.pair && index.records[a.tail].code < index.records[b.tail].code;
        });
    }

    Match ToMatch(const Candidate& c) const {
        Match match;
        match.confidence = c.confidence;
        if (!c.pair) {
            const IndexRecord& r = index.records[c.record];
            match.code = std::to_string(r.code);
            match.name = r.name;
            match.deprecated = r.deprecated;
            return match;
        }
        const IndexRecord& head = index.records[c.head];
        const IndexRecord& tail = index.records[c.tail];
        match.code = std::to_string(head.code) + "+" + std::to_string(tail.code);
        match.deprecated = head.deprecated || tail.deprecated;
        match.parts = {{std::to_string(head.code), c.confidence, head.name, head.deprecated, {}},
                       {std::to_string(tail.code), c.confidence, tail.name, tail.deprecated, {}}};
        return match;
    }
};

EpsgIdentifier::EpsgIdentifier(const char* databasePath)
    : m_impl(std::make_unique<Impl>(databasePath)) {}

EpsgIdentifier::~EpsgIdentifier() = default;

std::vector<Match> EpsgIdentifier::Identify(const CS_CoordinateSystem& system, int minConfidence) {
    std::vector<Match> matches;
    try {
        if (!m_impl->Ensure()) return matches;
        Meaning q;
        if (!Describe(system, q)) return matches;
        std::vector<Candidate> candidates;
        if (q.kind == MeaningKind::Compound)
            m_impl->Compound(q, candidates);
        else
            m_impl->Simple(q, candidates);
        m_impl->Order(candidates);
        for (const Candidate& c : candidates)
            if (c.confidence >= minConfidence) matches.push_back(m_impl->ToMatch(c));
    } catch (const std::exception&) {
        matches.clear();
    }
    return matches;
}

const std::string& EpsgIdentifier::LastFailure() const {
    return m_impl->failure;
}

} // namespace quarn
