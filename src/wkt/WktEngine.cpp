// The parse engine: a table-driven LR parser that settles the grammar's conflicts by
// backtracking. At a conflict it saves its state and tries the first alternative on the
// following tokens without running rule actions (a trial parse), queuing the tokens it
// reads and logging each shift and reduction it makes. When an alternative fails it tries
// the next one, cutting the log back to the conflict; when all fail, the error is reported
// where the furthest alternative stopped. When a trial reaches acceptance, the engine
// rewinds the stack to the first saved state and replays the log: the shifts push the
// queued tokens and the reductions run their actions, in the order the trial found,
// without consulting the tables or reading a token again.
//
// The work per token is constant: a saved state copies only the stack (whose depth is the
// nesting of the text, not the length of its lists), saved states are recycled, and the
// replay queue grows in chunks without moving what it holds.
//
// The state belongs to the thread that parses: each thread may run one parse at a time.
#include <quarn/wkt/WktParser.h>

#include "wkt/WktRules.h"
#include "wkt/WktTablesInternal.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

const QuarnWktTables& kTables = kQuarnWktTables;

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
    QuarnWktValue* Values(std::size_t at) { return m_values.get() + at; }
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
    void Push(std::int32_t state, const QuarnWktValue& value) {
        if (m_size == m_capacity) reserve(2 * m_capacity + kFirstCapacity);
        PushInRoom(state, value);
    }
    // Makes room for `more` pushes by PushInRoom.
    void Room(std::size_t more) {
        if (m_size + more > m_capacity) reserve(2 * m_capacity + more);
    }
    void PushInRoom(std::int32_t state, const QuarnWktValue& value) {
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
    std::unique_ptr<QuarnWktValue[]> m_values;
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
    QuarnWktValue value;
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
    void push_back(int token, const QuarnWktValue& value, std::int32_t position,
                   std::int32_t length) {
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

using TokenSet = std::bitset<512>;

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
    QuarnWktTokenSlot last{};      // the last token read, as the lexer or the queue left it
    // The first block of the value arena of the parse under way: room for a typical text's
    // values (about 450 bytes).
    alignas(QuarnValueArena::kAlignment) unsigned char values[QuarnValueArena::kBlock];
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

thread_local Engine engine;

// The calling thread's engine. Kept out of line: where the compiler can see that a
// reference is the thread-local variable, it computes the address again at each use, and
// in a shared library that is a call.
__attribute__((noinline)) Engine& ThreadEngine() {
    return engine;
}

// An entry of the action table applies when base + symbol is in range and checks.
bool Applies(int base, int symbol) {
    if (base == 0) return false;
    int index = base + symbol;
    return index >= 0 && index <= kTables.tableSize && kTables.check[index] == symbol;
}

// The tokens the tables accept in `state` (shift, reduction or conflict); after a whole
// coordinate system, the end of the text, which the engine accepts without the tables.
void AddExpected(int state, TokenSet& set) {
    if (state == kTables.finalState) set.set(0);
    for (int token = 0; token <= kTables.maxToken; ++token) {
        if (token == kTables.errorToken) continue;
        if (Applies(kTables.shiftIndex[state], token) ||
            Applies(kTables.reduceIndex[state], token) ||
            Applies(kTables.conflictIndex[state], token))
            set.set(static_cast<std::size_t>(token));
    }
}

// "PARAMETER, UNIT or ']'": keywords first, then characters, then the end of the text.
std::wstring Readable(const TokenSet& set) {
    std::vector<const wchar_t*> names;
    auto add = [&](int from, int to) {
        for (int token = from; token <= to; ++token) {
            const wchar_t* name = CQuarnWKTCoordinateSystemParser::GetTokenName(token);
            if (set.test(static_cast<std::size_t>(token)) && name != nullptr) names.push_back(name);
        }
    };
    add(kTables.errorToken + 1, kTables.maxToken);
    add(1, kTables.errorToken - 1);
    add(0, 0);
    std::wstring text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? L" or " : L", ";
        text += names[i];
    }
    return text;
}

// What the engine knows of each rule beyond the tables.
struct RuleFacts {
    std::vector<int> numbers; // the table number of each rule, by name
    // The rules a replay may leave out, by name: their action hands on the value of their
    // one symbol, so the stack holds the same values after them.
    std::vector<unsigned char> silentByName;
};

const RuleFacts& Rules() {
    static const RuleFacts facts = [] {
        RuleFacts made;
        made.numbers.assign(kQuarnWktRuleParamMtListNext + 1, 0);
        made.silentByName.assign(kQuarnWktRuleParamMtListNext + 1, 0);
        for (int rule = 1; rule < kTables.ruleCount; ++rule) {
            const EQuarnWktRule name = QuarnWktRuleName(rule);
            made.numbers[name] = rule;
            made.silentByName[name] =
                QuarnWktRulePassesValueOn(name) && kTables.ruleLength[rule] == 1;
        }
        return made;
    }();
    return facts;
}

} // namespace

// The parser's private parts the engine uses.
struct QuarnWktEngineAccess {
    // The direct reader's own way to the next token, for a parser of the library's own
    // class: the lexer's steps without the virtual calls and checks of NextToken. Brackets
    // and commas go straight into the queue without the token slot, which nothing reads
    // before the direct reader has finished (its last token, the end of the text, goes
    // through the slot).
    template <class Queue>
    static int Next(CQuarnWKTCoordinateSystemParser& parser, QuarnWktTokenSlot& slot,
                    Queue& queue) {
        const wchar_t c = parser.BeginToken();
        if (c == L'[' || c == L']' || c == L',') {
            const long start = parser.TokenOffset();
            parser.Extend();
            queue.push_back(static_cast<int>(c), QuarnWktValue{}, static_cast<std::int32_t>(start),
                            1);
            return static_cast<int>(c);
        }
        const int token = parser.LexFrom(c);
        queue.push_back(token, slot.value, slot.position, slot.length);
        return token;
    }
    // The action of a rule.
    static void Act(CQuarnWKTCoordinateSystemParser& parser, int rule, QuarnWktValue* rhs,
                    QuarnWktValue& result) {
        parser.RunAction(rule, rhs, result);
    }
};

namespace {

// The direct reader: the grammar's rules written out as functions, for the texts that most
// hosts read (geographic, projected, geocentric, vertical and compound systems with their
// optional AXIS, AUTHORITY and TOWGS84 elements). It reads tokens through the parser into
// the engine's queue and logs shifts and reductions as a successful trial parse would, in
// the order an LR parse makes them: a rule's reduction after its symbols, each before the
// token that follows it is shifted. The grammar is unambiguous, so a text it reads to the
// end has exactly this parse, and the engine replays the log as it replays a trial. Only
// the reductions whose action hands on the value of their one symbol are left out of the
// log: replayed, they would leave the stack as it was.
//
// Where the grammar needs a second token of lookahead (a ',' after a projection may begin
// a PARAMETER or end the projection), the reader looks at the token after the ','; the
// engine's trial reads that token too. On any token it does not take (an error, or one of
// the rarer elements: LOCAL_CS, FITTED_CS, PARAM_MT, grid files) it stops, having read no
// further than the engine reads before it reports that token, and the engine parses the
// text from its queued tokens with no action run yet. It stops the same way, before any
// error, on a text of thousands of tokens.
class DirectReader {
public:
    DirectReader(Engine& engine, CQuarnWKTCoordinateSystemParser& parser)
        : m_engine(engine), m_log(engine.log), m_parser(parser), m_rules(Rules().numbers.data()),
          m_silent(Rules().silentByName.data()),
          m_ownLexer(typeid(parser) == typeid(CQuarnWKTCoordinateSystemParser)) {}

    // True when the text is one coordinate system and nothing after it.
    bool Read() {
        m_token = Next();
        return CoordinateSystem() && m_token == 0;
    }

private:
    int Next() {
        // A derived parser may lex in its own way: it is asked through NextToken.
        int token = kNoToken;
        if (m_ownLexer) {
            token = QuarnWktEngineAccess::Next(m_parser, m_engine.last, m_engine.queue);
            ++m_engine.read;
        } else {
            token = m_parser.NextToken();
        }
        // A very long text goes to the tables from here on: the log and the queue of a
        // whole long text outgrow the caches, and a text that fails at its end would be
        // read twice over.
        if (++m_read > kLongestText) return kQuarnWktError;
        return token < 0 ? 0 : token;
    }
    // The token after the current one, read once.
    int Peek() {
        if (m_peeked == kNoToken) m_peeked = Next();
        return m_peeked;
    }
    void Shift() {
        // A run of shifts takes one entry of the log: the replay pushes their tokens in one go.
        if (!m_log.empty() && m_log.back() < 0)
            --m_log.back();
        else
            m_log.push_back(kShifted);
        if (m_peeked != kNoToken) {
            m_token = m_peeked;
            m_peeked = kNoToken;
        } else {
            m_token = Next();
        }
    }
    bool Take(int token) {
        if (m_token != token) return false;
        Shift();
        return true;
    }
    bool Opening(int keyword) { return Take(keyword) && Take('['); }
    bool Reduce(EQuarnWktRule rule) {
        if (!m_silent[rule]) m_log.push_back(m_rules[rule]);
        return true;
    }
    // Reduces by `rule` and closes the element.
    bool Close(EQuarnWktRule rule) { return Take(']') && Reduce(rule); }

    bool Name() { return Take(kQuarnWktString) && Reduce(kQuarnWktRuleName); }
    bool Number(EQuarnWktRule rule) {
        if (m_token == kQuarnWktInteger) {
            Shift();
            Reduce(kQuarnWktRuleNumberInteger);
        } else if (m_token == kQuarnWktReal) {
            Shift();
            Reduce(kQuarnWktRuleNumberReal);
        } else {
            return false;
        }
        return Reduce(rule);
    }
    bool Authority() {
        return Opening(kQuarnWktAuthority) && Name() && Take(',') && Take(kQuarnWktString) &&
               Reduce(kQuarnWktRuleCode) && Close(kQuarnWktRuleAuthority);
    }
    // The end of an element whose last item may be followed by an AUTHORITY: `plain` when
    // it closes at once, `withAuthority` when an AUTHORITY comes first.
    bool End(EQuarnWktRule plain, EQuarnWktRule withAuthority) {
        if (m_token == ']') return Close(plain);
        return Take(',') && Authority() && Close(withAuthority);
    }
    bool Axis() {
        if (!(Opening(kQuarnWktAxis) && Name() && Take(','))) return false;
        static const EQuarnWktRule kDirections[] = {
            kQuarnWktRuleNorth, kQuarnWktRuleSouth, kQuarnWktRuleEast, kQuarnWktRuleWest,
            kQuarnWktRuleUp,    kQuarnWktRuleDown,  kQuarnWktRuleOther};
        static const int kTokens[] = {kQuarnWktNorth, kQuarnWktSouth, kQuarnWktEast, kQuarnWktWest,
                                      kQuarnWktUp,    kQuarnWktDown,  kQuarnWktOther};
        for (int i = 0; i < 7; ++i) {
            if (m_token == kTokens[i]) {
                Shift();
                return Reduce(kDirections[i]) && Close(kQuarnWktRuleAxis);
            }
        }
        return false;
    }
    // `count` axes, each after a ',' (the first ',' is taken already).
    bool Axes(int count) {
        for (int i = 0; i < count; ++i) {
            if ((i > 0 && !Take(',')) || !Axis()) return false;
        }
        return true;
    }
    // What may follow the last item of a system: nothing, `axes` axes, an AUTHORITY, or
    // both, each choosing its rule.
    bool SystemEnd(int axes, EQuarnWktRule plain, EQuarnWktRule withAxes,
                   EQuarnWktRule withAxesAuthority, EQuarnWktRule withAuthority) {
        if (m_token == ']') return Close(plain);
        if (!Take(',')) return false;
        if (m_token == kQuarnWktAuthority) return Authority() && Close(withAuthority);
        if (!Axes(axes)) return false;
        return End(withAxes, withAxesAuthority);
    }
    bool Unit(EQuarnWktRule plain, EQuarnWktRule withAuthority) {
        return Opening(kQuarnWktUnit) && Name() && Take(',') &&
               Number(kQuarnWktRuleConversionFactor) && End(plain, withAuthority);
    }
    bool Spheroid() {
        return Opening(kQuarnWktSpheroid) && Name() && Take(',') &&
               Number(kQuarnWktRuleSemiMajorAxis) && Take(',') &&
               Number(kQuarnWktRuleInverseFlattening) &&
               End(kQuarnWktRuleSpheroid, kQuarnWktRuleSpheroidAuthority);
    }
    bool Shift7() {
        static const EQuarnWktRule kRules[] = {kQuarnWktRuleDx, kQuarnWktRuleDy, kQuarnWktRuleDz,
                                               kQuarnWktRuleEx, kQuarnWktRuleEy, kQuarnWktRuleEz,
                                               kQuarnWktRulePpm};
        if (!Opening(kQuarnWktToWgs84)) return false;
        for (int i = 0; i < 7; ++i) {
            if ((i > 0 && !Take(',')) || !Number(kRules[i])) return false;
        }
        return Close(kQuarnWktRuleShift);
    }
    bool Datum() {
        if (!(Opening(kQuarnWktDatum) && Name() && Take(',') && Spheroid())) return false;
        if (m_token == ']') return Close(kQuarnWktRuleDatum);
        if (!Take(',')) return false;
        if (m_token == kQuarnWktAuthority) return Authority() && Close(kQuarnWktRuleDatumAuthority);
        // A shift followed by grid files is left to the engine.
        return Shift7() && End(kQuarnWktRuleDatumShift, kQuarnWktRuleDatumShiftAuthority);
    }
    bool PrimeMeridian() {
        return Opening(kQuarnWktPrimem) && Name() && Take(',') && Number(kQuarnWktRuleLongitude) &&
               End(kQuarnWktRulePrimeMeridian, kQuarnWktRulePrimeMeridianAuthority);
    }
    // What geographic and geocentric systems begin with: name, datum, prime meridian, unit.
    bool Geodetic(int keyword, EQuarnWktRule unit, EQuarnWktRule unitWithAuthority) {
        return Opening(keyword) && Name() && Take(',') && Datum() && Take(',') && PrimeMeridian() &&
               Take(',') && Unit(unit, unitWithAuthority);
    }
    bool Geographic() {
        return Geodetic(kQuarnWktGeogCs, kQuarnWktRuleAngularUnit,
                        kQuarnWktRuleAngularUnitAuthority) &&
               SystemEnd(2, kQuarnWktRuleGeographic, kQuarnWktRuleGeographicAxes,
                         kQuarnWktRuleGeographicAxesAuthority, kQuarnWktRuleGeographicAuthority);
    }
    bool Parameter() {
        return Opening(kQuarnWktParameter) && Name() && Take(',') && Number(kQuarnWktRuleValue) &&
               Close(kQuarnWktRuleParameter);
    }
    // A ',' that begins a PARAMETER.
    bool ParameterFollows() { return m_token == ',' && Peek() == kQuarnWktParameter; }
    bool ParameterList() {
        if (!(Parameter() && Reduce(kQuarnWktRuleParameterListFirst))) return false;
        while (ParameterFollows()) {
            Shift();
            if (!(Parameter() && Reduce(kQuarnWktRuleParameterListNext))) return false;
        }
        return true;
    }
    bool Projection() {
        if (!(Opening(kQuarnWktProjection) && Name())) return false;
        bool authority = m_token == ',';
        if (authority && !(Take(',') && Authority())) return false;
        if (!Take(']')) return false;
        if (!ParameterFollows())
            return Reduce(authority ? kQuarnWktRuleProjectionAuthority : kQuarnWktRuleProjection);
        Shift();
        return ParameterList() && Reduce(authority ? kQuarnWktRuleProjectionAuthorityParameters
                                                   : kQuarnWktRuleProjectionParameters);
    }
    bool Horizontal() {
        if (m_token == kQuarnWktGeogCs)
            return Geographic() && Reduce(kQuarnWktRuleHorizontalGeographic);
        if (m_token == kQuarnWktProjCs)
            return ProjectedSystem() && Reduce(kQuarnWktRuleHorizontalProjected);
        return false;
    }
    bool ProjectedSystem() {
        return Opening(kQuarnWktProjCs) && Name() && Take(',') && Geographic() && Take(',') &&
               Projection() && Take(',') &&
               Unit(kQuarnWktRuleLinearUnit, kQuarnWktRuleLinearUnitAuthority) &&
               SystemEnd(2, kQuarnWktRuleProjected, kQuarnWktRuleProjectedAxes,
                         kQuarnWktRuleProjectedAxesAuthority, kQuarnWktRuleProjectedAuthority);
    }
    bool Geocentric() {
        return Geodetic(kQuarnWktGeocCs, kQuarnWktRuleLinearUnit,
                        kQuarnWktRuleLinearUnitAuthority) &&
               SystemEnd(3, kQuarnWktRuleGeocentric, kQuarnWktRuleGeocentricAxes,
                         kQuarnWktRuleGeocentricAxesAuthority, kQuarnWktRuleGeocentricAuthority);
    }
    bool VerticalDatum() {
        return Opening(kQuarnWktVertDatum) && Name() && Take(',') && Take(kQuarnWktInteger) &&
               Reduce(kQuarnWktRuleDatumType) &&
               End(kQuarnWktRuleVerticalDatum, kQuarnWktRuleVerticalDatumAuthority);
    }
    bool Vertical() {
        return Opening(kQuarnWktVertCs) && Name() && Take(',') && VerticalDatum() && Take(',') &&
               Unit(kQuarnWktRuleLinearUnit, kQuarnWktRuleLinearUnitAuthority) &&
               SystemEnd(1, kQuarnWktRuleVertical, kQuarnWktRuleVerticalAxis,
                         kQuarnWktRuleVerticalAxisAuthority, kQuarnWktRuleVerticalAuthority);
    }
    bool Compound() {
        return Opening(kQuarnWktCompdCs) && Name() && Take(',') && Horizontal() &&
               Reduce(kQuarnWktRuleHeadHorizontal) && Take(',') && Vertical() &&
               Reduce(kQuarnWktRuleTailVertical) &&
               End(kQuarnWktRuleCompound, kQuarnWktRuleCompoundAuthority);
    }
    bool CoordinateSystem() {
        switch (m_token) {
        case kQuarnWktGeogCs:
        case kQuarnWktProjCs:
            return Horizontal() && Reduce(kQuarnWktRuleTopHorizontal);
        case kQuarnWktGeocCs:
            return Geocentric() && Reduce(kQuarnWktRuleTopGeocentric);
        case kQuarnWktVertCs:
            return Vertical() && Reduce(kQuarnWktRuleTopVertical);
        case kQuarnWktCompdCs:
            return Compound() && Reduce(kQuarnWktRuleTopCompound);
        default:
            return false;
        }
    }

    Engine& m_engine;
    std::vector<int>& m_log;
    CQuarnWKTCoordinateSystemParser& m_parser;
    const int* m_rules;
    const unsigned char* m_silent; // the reductions the replay may leave out, by name
    const bool m_ownLexer;         // the parser is of the library's class: Lex is its own
    static constexpr std::size_t kLongestText = 4096; // tokens; a projected text has ~150

    int m_token = kNoToken;
    int m_peeked = kNoToken;
    std::size_t m_read = 0;
};

// One call of Parse: the local registers of the algorithm around the thread's state.
class Run {
public:
    Run(Engine& engine, CQuarnWKTCoordinateSystemParser& parser)
        : m_engine(engine), m_parser(parser), m_failedStates(engine.failedStates) {}
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    // A parse cut short by an exception (from a host's override) leaves its records to be
    // recycled at the start of the next parse.
    ~Run() { DropFurthestError(); }

    int Execute(); // 0 accepted, 1 not

private:
    enum Step { kLoop, kShift, kReduce, kError, kRecover, kAccept, kAbort, kDone };

    Step Loop();
    Step Conflict(int entry);
    Step Shift();
    Step Reduce();
    Step Error();
    Step Recover();
    Step Accept();
    void Collapse(int rule, bool act, QuarnWktValue& reduced);
    void Replay(std::size_t read);
    bool ReadDirectly();
    void FreeAll();
    void DropFurthestError() {
        if (m_furthestError != nullptr) m_engine.Recycle(m_furthestError);
        m_furthestError = nullptr;
    }
    int ReadToken();
    void RestoreFrom(const ParseRecord& record);
    void NoteError();
    void RecordDiagnostic();

    Engine& m_engine; // the thread's engine, looked up once per parse
    CQuarnWKTCoordinateSystemParser& m_parser;
    int m_state = 0;
    int m_token = kNoToken;
    int m_rule = 0;
    ParseRecord* m_furthestError = nullptr; // the deepest failure of the alternatives tried
    // The states of the alternatives that failed at the furthest point: what they would
    // have accepted there is worked out only when the error is reported.
    std::vector<int>& m_failedStates; // the thread's, kept between parses
};

int Run::ReadToken() {
    int token = m_parser.NextToken();
    return token < 0 ? 0 : token;
}

void Run::RestoreFrom(const ParseRecord& record) {
    m_engine.live.stack.assign(record.stack);
    m_state = record.state;
}

int Run::Execute() {
    // A parse cut short by an exception may have left records behind.
    FreeAll();
    // Whatever an earlier parse left in the queue is not this text's.
    m_engine.queue.clear();
    m_engine.read = 0;
    m_engine.last = QuarnWktTokenSlot{};
    m_engine.errorCount = 0;
    m_engine.live.stack.clear();
    m_engine.live.stack.reserve(kFirstCapacity);
    m_engine.live.errorCountdown = 0;
    m_engine.live.stack.Push(0, m_engine.last.value);

    Step step = m_engine.direct && ReadDirectly() ? kDone : kLoop;
    for (;;) {
        switch (step) {
        case kLoop:
            step = Loop();
            break;
        case kShift:
            step = Shift();
            break;
        case kReduce:
            step = Reduce();
            break;
        case kError:
            step = Error();
            break;
        case kRecover:
            step = Recover();
            break;
        case kAccept:
            step = Accept();
            break;
        case kDone:
        case kAbort:
            FreeAll();
            m_engine.KeepRecords();
            m_engine.queue.Trim();
            if (m_engine.log.capacity() > kKeptLog) std::vector<int>().swap(m_engine.log);
            return step == kDone ? 0 : 1;
        }
    }
}

Run::Step Run::Loop() {
    m_rule = kTables.defaultReduction[m_state];
    if (m_rule != 0) return kReduce;
    if (m_token < 0) m_token = ReadToken();

    int base = kTables.conflictIndex[m_state];
    if (Applies(base, m_token)) return Conflict(base + m_token);

    base = kTables.shiftIndex[m_state];
    if (Applies(base, m_token)) {
        m_state = kTables.action[base + m_token];
        m_token = kNoToken;
        if (m_engine.live.errorCountdown > 0) --m_engine.live.errorCountdown;
        return kShift;
    }
    base = kTables.reduceIndex[m_state];
    if (Applies(base, m_token)) {
        m_rule = kTables.action[base + m_token];
        return kReduce;
    }
    if (m_engine.live.errorCountdown != 0) return kRecover;
    return kError;
}

Run::Step Run::Conflict(int entry) {
    // Save this point and start (or deepen) a trial parse.
    ParseRecord* saved = m_engine.NewRecord();
    saved->CopyFrom(m_engine.live);
    saved->state = m_state;
    int alternative = kTables.action[entry];
    if (kTables.conflicts[alternative] == -1) ++alternative; // no shift alternative
    saved->conflictTry = alternative;
    if (!m_engine.InTrial()) {
        m_engine.log.clear();
        if (!m_engine.HasUnread()) {
            // First conflict of the trial: from here on every token goes through the queue.
            m_engine.queue.clear();
            m_engine.read = 0;
            if (m_token >= 0) {
                m_engine.queue.push_back(m_token, m_engine.last.value, m_engine.last.position,
                                         m_engine.last.length);
                m_token = kNoToken;
            }
        }
    }
    if (m_token >= 0) {
        --m_engine.read; // the held token will be read again from the queue
        m_token = kNoToken;
    }
    saved->lexeme = m_engine.read;
    saved->logged = m_engine.log.size();
    saved->link = m_engine.saved;
    m_engine.saved = saved;

    if (kTables.action[entry] == alternative) {
        // The shift alternative. A token given back to the queue is consumed again here;
        // the token slot still holds its value.
        if (m_token < 0) ++m_engine.read;
        m_token = kNoToken;
        if (m_engine.live.errorCountdown > 0) --m_engine.live.errorCountdown;
        m_state = kTables.conflicts[alternative];
        return kShift;
    }
    m_rule = kTables.conflicts[alternative];
    return kReduce;
}

Run::Step Run::Shift() {
    if (m_engine.InTrial()) m_engine.log.push_back(kShifted);
    m_engine.live.stack.Push(m_state, m_engine.last.value);
    return kLoop;
}

// Takes the right-hand side of `rule` off the stack, running the rule's action on its
// values when `act`. Returns the position of its first symbol.
void Run::Collapse(int rule, bool act, QuarnWktValue& reduced) {
    ParseStack& stack = m_engine.live.stack;
    std::size_t length = static_cast<std::size_t>(kTables.ruleLength[rule]);
    std::size_t first = stack.size() - length; // index of $1
    if (act) QuarnWktEngineAccess::Act(m_parser, rule, stack.Values(first), reduced);
    stack.resize(first);
}

Run::Step Run::Reduce() {
    ParseStack& stack = m_engine.live.stack;
    const bool trial = m_engine.InTrial();
    if (trial) m_engine.log.push_back(m_rule);
    QuarnWktValue reduced{};
    Collapse(m_rule, !trial, reduced);
    m_state = stack.TopState();

    int symbol = kTables.ruleLeft[m_rule];
    if (m_state == 0 && symbol == 0) {
        // The start symbol is complete: it is accepted when the input ends here.
        m_state = kTables.finalState;
        stack.Push(m_state, reduced);
        if (m_token < 0) m_token = ReadToken();
        return m_token == 0 ? kAccept : kLoop;
    }
    int base = kTables.gotoIndex[symbol];
    if (Applies(base, m_state))
        m_state = kTables.action[base + m_state];
    else
        m_state = kTables.defaultGoto[symbol];
    stack.Push(m_state, reduced);
    return kLoop;
}

// Keeps the furthest point any alternative reached, to report the error there, and what
// every alternative that failed there would have accepted.
void Run::NoteError() {
    if (m_furthestError == nullptr || m_furthestError->lexeme < m_engine.read) {
        if (m_furthestError == nullptr) m_furthestError = m_engine.NewRecord();
        m_furthestError->CopyFrom(m_engine.live);
        m_furthestError->state = m_state;
        m_furthestError->lexeme = m_engine.read;
        m_failedStates.clear();
    }
    if (m_furthestError->lexeme == m_engine.read) m_failedStates.push_back(m_state);
}

Run::Step Run::Error() {
    bool trial = m_engine.InTrial();
    while (m_engine.saved != nullptr) {
        ParseRecord* saved = m_engine.saved;
        NoteError();
        // Back to the newest conflict point, and on to its next alternative.
        m_engine.read = saved->lexeme;
        m_engine.log.resize(saved->logged);
        m_token = kNoToken;
        RestoreFrom(*saved);
        m_rule = kTables.conflicts[++saved->conflictTry];
        if (m_rule >= 0) return kReduce;

        // All alternatives of this conflict failed.
        m_engine.saved = saved->link;
        m_engine.Recycle(saved);
        if (m_engine.saved == nullptr) {
            RestoreFrom(*m_furthestError);
            m_engine.live.errorCountdown = m_furthestError->errorCountdown;
            m_engine.read = m_furthestError->lexeme;
            // The token held there is the last one read before that point.
            if (m_engine.read > 0) {
                const QueuedToken& last = m_engine.queue[m_engine.read - 1];
                m_token = last.token;
                m_engine.last.value = last.value;
                m_engine.last.position = last.position;
                m_engine.last.length = last.length;
            }
            DropFurthestError();
        }
    }
    if (!trial) {
        m_failedStates.clear();
        m_failedStates.push_back(m_state);
    }
    RecordDiagnostic();
    m_parser.ReportError(L"syntax error");
    ++m_engine.errorCount;
    return kRecover;
}

// Where the error was detected: the token held, what the tables would have taken there,
// and whether a whole coordinate system stood before it.
void Run::RecordDiagnostic() {
    QuarnParseDiagnostic& diagnostic = m_parser.Diagnostic();
    diagnostic.syntaxError = true;
    diagnostic.stray = m_state == kTables.finalState;
    diagnostic.offset = static_cast<std::size_t>(m_engine.last.position);
    diagnostic.length = m_token > 0 ? static_cast<std::size_t>(m_engine.last.length) : 0;
    diagnostic.token.clear();
    const wchar_t* input = m_parser.GetInput();
    if (m_token > 0 && m_token < kTables.errorToken) {
        diagnostic.token.assign(1, static_cast<wchar_t>(m_token));
    } else if (m_token > 0 && input != nullptr && diagnostic.length > 0) {
        diagnostic.token.assign(input + diagnostic.offset, diagnostic.length);
        // The lexer cuts token texts out of the stored input with terminators: the only
        // ones left inside a token are on a quote (the opening quote of a string right
        // after a word or number, the closing quote of a string).
        if (diagnostic.token.front() == L'\0') diagnostic.token.front() = L'"';
        if (diagnostic.token.back() == L'\0') diagnostic.token.back() = L'"';
    }
    TokenSet expected;
    for (int state : m_failedStates)
        AddExpected(state, expected);
    diagnostic.expected = Readable(expected);
}

Run::Step Run::Recover() {
    ParseRecord& live = m_engine.live;
    if (live.errorCountdown < kErrorCountdown) {
        live.errorCountdown = kErrorCountdown;
        // Pop states until one can shift the error token. The grammar has no error rules,
        // so in practice every state is popped and the parse aborts.
        for (;;) {
            int base = kTables.shiftIndex[live.stack.TopState()];
            if (Applies(base, kTables.errorToken)) {
                m_state = kTables.action[base + kTables.errorToken];
                return kShift;
            }
            if (live.stack.size() <= 1) return kAbort;
            live.stack.pop_back();
        }
    }
    if (m_token == 0) return kAbort;
    m_token = kNoToken; // discard the token and go on
    return kLoop;
}

Run::Step Run::Accept() {
    if (!m_engine.InTrial()) return kDone;
    // The trial succeeded: back to its first conflict, and do again what it did, with the
    // actions this time.
    DropFurthestError();
    const ParseRecord* first = m_engine.saved;
    while (first->link != nullptr)
        first = first->link;
    RestoreFrom(*first);
    Replay(first->lexeme);
    return kDone;
}

// Runs the trial's log from the stack of its first conflict: a shift pushes the next queued
// token from `read` on (a run of shifts, as many), a reduction runs its rule's action. The states
// are not needed: the text is accepted at the end of the log.
void Run::Replay(std::size_t read) {
    ParseStack& stack = m_engine.live.stack;
    const std::vector<int>& log = m_engine.log;
    // The queued tokens are read in order: a pointer steps through each chunk.
    const QueuedToken* next = nullptr;
    const QueuedToken* chunkEnd = nullptr;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i] < 0) {
            std::size_t shifts = static_cast<std::size_t>(-static_cast<long>(log[i]));
            stack.Room(shifts);
            read += shifts;
            while (shifts > 0) {
                if (next == chunkEnd) {
                    const std::size_t at = read - shifts;
                    next = &m_engine.queue[at];
                    chunkEnd = next + (kChunk - (at & (kChunk - 1)));
                }
                stack.PushInRoom(0, next->value);
                ++next;
                --shifts;
            }
            continue;
        }
        QuarnWktValue reduced{};
        Collapse(log[i], true, reduced);
        stack.Push(0, reduced);
    }
}

// Reads the text with the direct reader and, when it takes the whole text, runs the actions
// from its log. Otherwise the engine starts from the first token, which the queue gives back.
bool Run::ReadDirectly() {
    struct Recording {
        Engine& engine;
        explicit Recording(Engine& e) : engine(e) { engine.recording = true; }
        ~Recording() { engine.recording = false; }
    };
    bool whole = false;
    {
        Recording recording(m_engine);
        m_engine.log.clear();
        whole = DirectReader(m_engine, m_parser).Read();
    }
    if (whole) {
        Replay(0);
        return true;
    }
    m_engine.log.clear();
    m_engine.read = 0;
    m_engine.last = QuarnWktTokenSlot{};
    return false;
}

void Run::FreeAll() {
    DropFurthestError();
    m_engine.RecycleChain(m_engine.saved);
    m_engine.log.clear();
}

} // namespace

int CQuarnWKTCoordinateSystemParser::Parse() {
    // Value objects live for one parse: nothing can reach them once Parse has returned.
    ReleaseValues();
    ClearDiagnostic();
    // The thread's engine is looked up once here: the lexer and the token reader reach it
    // through the parser for the rest of the parse.
    struct Attach {
        CQuarnWKTCoordinateSystemParser& parser;
        ~Attach() {
            parser.ReleaseValues();
            parser.m_engineState = nullptr;
            parser.m_tokenSlot = nullptr;
        }
    } attach{*this};
    Engine& threadEngine = ThreadEngine();
    m_engineState = &threadEngine;
    m_tokenSlot = &threadEngine.last;
    m_arena.Lend(threadEngine.values);
    return Run(threadEngine, *this).Execute();
}

namespace {
// The thread's engine: the one attached for the running parse, else a lookup (the lexer
// may run on its own, outside a parse).
Engine& EngineOf(void* attached) {
    return attached != nullptr ? *static_cast<Engine*>(attached) : ThreadEngine();
}
} // namespace

int CQuarnWKTCoordinateSystemParser::NextToken() {
    Engine& e = EngineOf(m_engineState);
    if (e.HasUnread()) {
        const QueuedToken& queued = e.queue[e.read++];
        e.last.value = queued.value;
        e.last.position = queued.position;
        e.last.length = queued.length;
        return queued.token;
    }
    int token = Lex();
    if (e.InTrial() || e.recording) {
        e.queue.push_back(token, e.last.value, e.last.position, e.last.length);
        ++e.read;
    }
    return token;
}

void QuarnWktSetDirectReading(bool on) {
    ThreadEngine().direct = on;
}

QuarnWktTokenSlot& CQuarnWKTCoordinateSystemParser::ThreadTokenSlot() {
    return ThreadEngine().last;
}

const QuarnWktValue& CQuarnWKTCoordinateSystemParser::GetTokenValue() {
    return engine.last.value;
}

int CQuarnWKTCoordinateSystemParser::GetErrorCount() {
    return engine.errorCount;
}

void CQuarnWKTCoordinateSystemParser::ReleaseReplayQueue() {
    // The first chunk stays with the thread: a host that makes a factory per text would
    // otherwise allocate it anew for every text.
    engine.queue.Trim();
    engine.queue.clear();
    engine.read = 0;
}
