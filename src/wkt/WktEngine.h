// The parse engine's state, shared by the table-driven engine (wkt/WktEngine.cpp) and the
// direct reader (wkt/WktDirectReader.cpp): the parse stack, parse records, the replay queue
// of tokens, and the thread's engine that holds them.
#ifndef QUARN_WKT_WKTENGINE_H
#define QUARN_WKT_WKTENGINE_H

#include <quarn/wkt/WktParser.h>

#include "wkt/ValueArena.h"
#include "wkt/WktReader.h"
#include "wkt/WktRules.h"
#include "wkt/WktTablesInternal.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace quarn::detail {

constexpr int kNoToken = -1;
constexpr int kShifted = -1;       // a shift in a log; -n stands for n shifts in a row
constexpr int kErrorCountdown = 3; // tokens to shift after an error before reporting again
constexpr std::size_t kFirstCapacity = 16;
// A spare stack larger than this is freed, so that one deeply nested text does not hold its
// memory for the rest of the thread.
constexpr std::size_t kKeptCapacity = 4096;
// A longer log is freed after the parse, so that one long text does not hold its memory.
constexpr std::size_t kKeptLog = 1 << 14;
// Saved records kept for reuse at least. A long list saves one per element, all alive until
// its trial ends; see Engine::KeepRecords for how many stay after it.
constexpr std::size_t kSpareRecords = 64;
// Queued tokens are kept in chunks of this many, so that the queue grows without moving.
constexpr std::size_t kChunkBits = 10;
constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;

// The parse stack: for each entry a state and a semantic value, each kind in an array of its
// own, so that a rule's right-hand values lie side by side for its action. The arrays double when
// full; pushing, the engine's most frequent step, is inline in its common case.
class ParseStack {
public:
    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    std::int32_t TopState() const { return m_states[m_size - 1]; }
    // The values from `at` to the top.
    WktValue* Values(std::size_t at) { return m_values.get() + at; }
    void clear() { m_size = 0; }
    void pop_back() { --m_size; }
    // Keeps the first `count` entries (at most the size).
    void resize(std::size_t count) { m_size = count; }
    void reserve(std::size_t wanted) {
        if (wanted <= m_capacity) return;
        Grow(m_states, wanted);
        Grow(m_values, wanted);
        m_capacity = wanted;
    }
    void assign(const ParseStack& other) {
        reserve(other.m_size);
        m_size = other.m_size;
        std::copy(other.m_states.get(), other.m_states.get() + m_size, m_states.get());
        std::copy(other.m_values.get(), other.m_values.get() + m_size, m_values.get());
    }
    void Push(std::int32_t state, const WktValue& value) {
        if (m_size == m_capacity) reserve(2 * m_capacity + kFirstCapacity);
        PushInRoom(state, value);
    }
    // Makes room for `more` pushes by PushInRoom.
    void Room(std::size_t more) {
        if (m_size + more > m_capacity) reserve(2 * m_capacity + more);
    }
    void PushInRoom(std::int32_t state, const WktValue& value) {
        m_states[m_size] = state;
        m_values[m_size] = value;
        ++m_size;
    }

private:
    template <class T> void Grow(std::unique_ptr<T[]>& array, std::size_t wanted) {
        std::unique_ptr<T[]> grown(new T[wanted]);
        std::copy(array.get(), array.get() + m_size, grown.get());
        array = std::move(grown);
    }

    std::unique_ptr<std::int32_t[]> m_states;
    std::unique_ptr<WktValue[]> m_values;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// One parse state: the live parse, a saved conflict point, or the furthest error reached.
struct ParseRecord {
    ParseRecord* link = nullptr; // next older saved record
    int state = 0;
    int errorCountdown = 0;
    ParseStack stack;
    std::size_t lexeme = 0; // replay-queue index at which this record's tokens begin
    std::size_t logged = 0; // length of the trial's log when this record was saved
    int conflictTry = 0;    // index into the conflict lists of the alternative being tried

    void CopyFrom(const ParseRecord& other) {
        state = other.state;
        errorCountdown = other.errorCountdown;
        stack.assign(other.stack);
    }
};

// A token read during a trial parse, kept for the replays.
struct QueuedToken {
    int token;
    WktValue value;
    std::int32_t position;
    std::int32_t length;
};

// The tokens read during trial parses, in order: an array in chunks.
class TokenQueue {
public:
    std::size_t size() const { return m_size; }
    QueuedToken& operator[](std::size_t i) { return m_chunks[i >> kChunkBits][i & (kChunk - 1)]; }
    void clear() {
        m_size = 0;
        Reposition();
    }
    // Fields are stored one by one: a token built as a temporary and copied whole is read
    // back before its narrow stores have landed, which stalls on every token.
    void push_back(int token, const WktValue& value, std::int32_t position, std::int32_t length) {
        if (m_next == m_chunkEnd) NextChunk();
        QueuedToken& queued = *m_next++;
        ++m_size;
        queued.token = token;
        queued.value = value;
        queued.position = position;
        queued.length = length;
    }
    // Frees all but the first chunk.
    void Trim() {
        if (m_chunks.size() > 1) m_chunks.resize(1);
        m_size = std::min(m_size, kChunk);
        Reposition();
    }

private:
    // The place of token m_size, in a chunk made when it is first needed.
    void NextChunk() {
        if ((m_size >> kChunkBits) == m_chunks.size())
            m_chunks.emplace_back(new QueuedToken[kChunk]);
        m_next = &(*this)[m_size];
        m_chunkEnd = m_next + (kChunk - (m_size & (kChunk - 1)));
    }
    // After the size changed other than by push_back: the next push finds its chunk again.
    void Reposition() { m_next = m_chunkEnd = nullptr; }

    std::vector<std::unique_ptr<QueuedToken[]>> m_chunks;
    std::size_t m_size = 0;
    QueuedToken* m_next = nullptr;     // where token m_size goes, or null
    QueuedToken* m_chunkEnd = nullptr; // the end of m_next's chunk
};

// The engine's state, one per thread.
struct Engine {
    ParseRecord live;                // the running parse
    ParseRecord* saved = nullptr;    // the newest saved conflict point; a trial runs while set
    std::vector<ParseRecord*> spare; // records to reuse
    std::size_t recordsOut = 0;      // records handed out and not yet back
    std::size_t recordsPeak = 0;     // the most out at once in the parse under way
    // What the trial did since its first conflict, in order: a rule number for a reduction,
    // kShifted for a shift (the direct reader writes a run of n shifts as -n).
    std::vector<int> log;
    std::vector<int> failedStates; // see Run::m_failedStates
    WktTokenSlot last{};           // the last token read, as the lexer or the queue left it
    // The first block of the value arena of the parse under way: room for a typical text's
    // values (about 450 bytes).
    alignas(ValueArena::kAlignment) unsigned char values[ValueArena::kBlock];
    int errorCount = 0;
    TokenQueue queue;       // the tokens of trials; its size is the fill index
    std::size_t read = 0;   // the next queued token to hand out
    bool recording = false; // the direct reader runs: every token read is queued
    bool direct = true;     // texts go to the direct reader first

    bool InTrial() const { return saved != nullptr; }
    bool HasUnread() const { return read < queue.size(); }

    ParseRecord* NewRecord() {
        if (++recordsOut > recordsPeak) recordsPeak = recordsOut;
        if (spare.empty()) return new ParseRecord();
        ParseRecord* record = spare.back();
        spare.pop_back();
        record->link = nullptr;
        return record;
    }
    void Recycle(ParseRecord* record) {
        --recordsOut;
        if (record->stack.capacity() > kKeptCapacity) {
            delete record;
            return;
        }
        spare.push_back(record);
    }
    // After a parse: the spare records kept for the next are as many as this parse had out
    // at once, and at least kSpareRecords. A long list read again finds its records (a
    // record and its stack are three requests to the allocator, which at tens of thousands
    // cost more than the rest of the parse), and the next parse that needs fewer frees them.
    void KeepRecords() {
        const std::size_t kept = std::max(recordsPeak, kSpareRecords);
        recordsPeak = recordsOut;
        while (spare.size() > kept) {
            delete spare.back();
            spare.pop_back();
        }
        if (spare.capacity() > 2 * kept) spare.shrink_to_fit();
    }
    void RecycleChain(ParseRecord*& chain) {
        while (chain != nullptr) {
            ParseRecord* next = chain->link;
            Recycle(chain);
            chain = next;
        }
    }
    ~Engine() {
        RecycleChain(saved);
        for (ParseRecord* record : spare)
            delete record;
    }
};

// What the engine knows of each rule beyond the tables.
struct RuleFacts {
    std::vector<int> numbers; // the table number of each rule, by name
    // The rules a replay may leave out, by name: their action hands on the value of their
    // one symbol, so the stack holds the same values after them.
    std::vector<unsigned char> silentByName;
};
const RuleFacts& Rules();

// Reads the text with the direct reader, queuing every token it reads and logging shifts
// and reductions as a successful trial parse would; true when it took the whole text (the
// engine then replays the log), false when the engine must parse the queued tokens itself.
bool ReadWktDirectly(Engine& engine, CQuarnWKTCoordinateSystemParser& parser);

} // namespace quarn::detail

#endif
