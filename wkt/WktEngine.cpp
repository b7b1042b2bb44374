// The parse engine: a table-driven LR parser that settles the grammar's conflicts by
// backtracking. At a conflict it saves its state and tries the first alternative on the
// following tokens without running rule actions (a trial parse), queuing the tokens it
// reads. When a trial reaches acceptance, the engine rewinds to the first saved state and
// parses the queued tokens again with actions, taking at each conflict the alternative that
// succeeded. When an alternative fails it tries the next one; when all fail, the error is
// reported where the furthest alternative stopped.
//
// The state is module-wide (one parse at a time in the process), like the tables.
#include "WktParser.h"

#include "WktTablesInternal.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace {

const QuarnWktTables& kTables = kQuarnWktTables;

constexpr int kGrowth = 16;        // stacks and the replay queue grow by this many entries
constexpr int kFirstCapacity = 16; // stack entries of the first record of a parse
constexpr int kNoToken = -1;
constexpr int kErrorCountdown = 3; // tokens to shift after an error before reporting again

// One parse state: the live parse, a saved conflict point, or the furthest error reached.
// The three stacks move in lockstep; `top` is the index of their top entry.
struct ParseRecord {
    explicit ParseRecord(int entries)
        : capacity(entries), states(new std::int32_t[entries]()),
          values(new QuarnWktValue[entries]()), positions(new std::int32_t[entries]()) {}

    ParseRecord* link = nullptr; // next older saved record
    int state = 0;
    int errorCountdown = 0;
    int top = -1;
    int capacity;
    std::unique_ptr<std::int32_t[]> states;
    std::unique_ptr<QuarnWktValue[]> values;
    std::unique_ptr<std::int32_t[]> positions; // always 0: the lexer sets no positions
    QuarnWktValue reduced{};
    std::int32_t reducedPosition = 0;
    int lexeme = 0;      // replay-queue index at which this record's tokens begin
    int conflictTry = 0; // index into the conflict lists of the alternative being tried

    // Makes room for `entries` entries, keeping contents and top.
    void Reserve(int entries) {
        if (entries <= capacity) return;
        int grown = capacity;
        while (grown < entries)
            grown += kGrowth;
        Resize(grown);
    }

    void Push(int newState, const QuarnWktValue& value, std::int32_t position) {
        // Grow before a push would reach the last entry.
        if (top >= capacity - 1) Resize(capacity + kGrowth);
        ++top;
        states[top] = newState;
        values[top] = value;
        positions[top] = position;
    }

    // Copies another record's stacks (up to its top) and state.
    void CopyStacksFrom(const ParseRecord& other) {
        Reserve(other.top + 1);
        top = other.top;
        std::copy(other.states.get(), other.states.get() + top + 1, states.get());
        std::copy(other.values.get(), other.values.get() + top + 1, values.get());
        std::copy(other.positions.get(), other.positions.get() + top + 1, positions.get());
        state = other.state;
    }

private:
    void Resize(int entries) {
        ParseRecord grown(entries);
        int used = top + 1;
        std::copy(states.get(), states.get() + used, grown.states.get());
        std::copy(values.get(), values.get() + used, grown.values.get());
        std::copy(positions.get(), positions.get() + used, grown.positions.get());
        states.swap(grown.states);
        values.swap(grown.values);
        positions.swap(grown.positions);
        capacity = entries;
    }
};

// A copy of `live` as it is now: stacks up to the top, the state (passed, as the live state
// is held by the engine) and the error countdown. Capacity: depth + 4.
ParseRecord* Snapshot(const ParseRecord& live, int state) {
    ParseRecord* copy = new ParseRecord(live.top + 4);
    copy->CopyStacksFrom(live);
    copy->state = state;
    copy->errorCountdown = live.errorCountdown;
    return copy;
}

void FreeChain(ParseRecord*& record) {
    while (record != nullptr) {
        ParseRecord* older = record->link;
        delete record;
        record = older;
    }
}

// Tokens read during a trial parse, kept for the replays: three parallel arrays.
struct ReplayQueue {
    std::unique_ptr<std::int32_t[]> tokens;
    std::unique_ptr<QuarnWktValue[]> values;
    std::unique_ptr<std::int32_t[]> positions;
    int read = 0;
    int fill = 0;
    int capacity = 0;

    bool HasUnread() const { return read < fill; }

    void Create() {
        if (capacity == 0) Resize(kGrowth);
    }

    void Append(int token, const QuarnWktValue& value, std::int32_t position) {
        if (fill == capacity) Resize(capacity + kGrowth);
        tokens[fill] = token;
        values[fill] = value;
        positions[fill] = position;
        ++fill;
    }

    void Release() {
        tokens.reset();
        values.reset();
        positions.reset();
        read = fill = capacity = 0;
    }

private:
    void Resize(int entries) {
        std::unique_ptr<std::int32_t[]> newTokens(new std::int32_t[entries]());
        std::unique_ptr<QuarnWktValue[]> newValues(new QuarnWktValue[entries]());
        std::unique_ptr<std::int32_t[]> newPositions(new std::int32_t[entries]());
        std::copy(tokens.get(), tokens.get() + fill, newTokens.get());
        std::copy(values.get(), values.get() + fill, newValues.get());
        std::copy(positions.get(), positions.get() + fill, newPositions.get());
        tokens.swap(newTokens);
        values.swap(newValues);
        positions.swap(newPositions);
        capacity = entries;
    }
};

// The engine's module-wide state.
struct Engine {
    ParseRecord* live = nullptr; // the running parse; `live->link` is the newest saved record
    ParseRecord* path = nullptr; // the conflict choices of a successful trial, oldest first
    QuarnWktValue token{};
    std::int32_t tokenPosition = 0;
    int errorCount = 0;
    ReplayQueue queue;

    bool InTrial() const { return live != nullptr && live->link != nullptr; }
};

Engine engine;

// An entry of the action table applies when base + symbol is in range and checks.
bool Applies(int base, int symbol) {
    if (base == 0) return false;
    int index = base + symbol;
    return index >= 0 && index <= kTables.tableSize && kTables.check[index] == symbol;
}

// One call of Parse: the local registers of the algorithm around the module-wide state.
class Run {
public:
    // Runs the rule action of `rule` for `parser`.
    using ActionHook = void (*)(CQuarnWKTCoordinateSystemParser& parser, int rule,
                                QuarnWktValue* rhs, QuarnWktValue& result);

    Run(CQuarnWKTCoordinateSystemParser& parser, ActionHook action)
        : m_parser(parser), m_action(action) {}
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    // A parse cut short by an exception (from a host's override) still frees its error
    // copy; the records it left in the engine go at the start of the next parse.
    ~Run() { delete m_furthestError; }

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
    void FreeAll();
    int ReadToken();
    void RestoreFrom(const ParseRecord& record);

    CQuarnWKTCoordinateSystemParser& m_parser;
    ActionHook m_action;
    int m_state = 0;
    int m_token = kNoToken;
    int m_rule = 0;
    ParseRecord* m_furthestError = nullptr; // the deepest failure of the alternatives tried
};

int Run::ReadToken() {
    int token = m_parser.NextToken();
    return token < 0 ? 0 : token;
}

void Run::RestoreFrom(const ParseRecord& record) {
    engine.live->CopyStacksFrom(record);
    m_state = record.state;
}

int Run::Execute() {
    // A parse cut short by an exception may have left records behind.
    FreeAll();
    // Whatever an earlier parse left in the queue is not this text's.
    engine.queue.read = engine.queue.fill = 0;
    engine.token = QuarnWktValue{};
    engine.tokenPosition = 0;
    engine.errorCount = 0;
    engine.live = new ParseRecord(kFirstCapacity);
    engine.live->Push(0, engine.token, 0);

    Step step = kLoop;
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
            FreeAll();
            return 0;
        case kAbort:
            FreeAll();
            return 1;
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
        if (engine.live->errorCountdown > 0) --engine.live->errorCountdown;
        return kShift;
    }
    base = kTables.reduceIndex[m_state];
    if (Applies(base, m_token)) {
        m_rule = kTables.action[base + m_token];
        return kReduce;
    }
    if (engine.live->errorCountdown != 0) return kRecover;
    return kError;
}

Run::Step Run::Conflict(int entry) {
    int alternative;
    if (engine.path != nullptr) {
        // Replaying a successful trial: take the choice it recorded here.
        ParseRecord* choice = engine.path;
        engine.path = choice->link;
        alternative = choice->conflictTry;
        bool sameState = choice->state == m_state;
        delete choice;
        if (!sameState) return kAbort;
    } else {
        // Save this point and start (or deepen) a trial parse.
        ParseRecord* saved = Snapshot(*engine.live, m_state);
        saved->link = engine.live->link;
        alternative = kTables.action[entry];
        if (kTables.conflicts[alternative] == -1) ++alternative; // no shift alternative
        saved->conflictTry = alternative;
        ReplayQueue& queue = engine.queue;
        if (engine.live->link == nullptr) {
            // First conflict of the trial: from here on every token goes through the queue.
            queue.Create();
            if (!queue.HasUnread()) {
                queue.read = queue.fill = 0;
                if (m_token >= 0) {
                    queue.Append(m_token, engine.token, engine.tokenPosition);
                    m_token = kNoToken;
                }
            }
        }
        if (m_token >= 0) {
            --queue.read; // the held token will be read again from the queue
            m_token = kNoToken;
        }
        saved->lexeme = queue.read;
        engine.live->link = saved;
    }

    if (kTables.action[entry] == alternative) {
        // The shift alternative. A token given back to the queue is consumed again here;
        // the token slot still holds its value.
        if (m_token < 0) ++engine.queue.read;
        m_token = kNoToken;
        if (engine.live->errorCountdown > 0) --engine.live->errorCountdown;
        m_state = kTables.conflicts[alternative];
        return kShift;
    }
    m_rule = kTables.conflicts[alternative];
    return kReduce;
}

Run::Step Run::Shift() {
    engine.live->Push(m_state, engine.token, engine.tokenPosition);
    return kLoop;
}

Run::Step Run::Reduce() {
    ParseRecord& live = *engine.live;
    int length = kTables.ruleLength[m_rule];
    live.Reserve(live.top + 2 - length); // an empty rule pushes without popping
    live.reduced = QuarnWktValue{};
    live.reducedPosition = 0;
    if (!engine.InTrial()) {
        QuarnWktValue* rhs = live.values.get() + live.top + 1 - length;
        m_action(m_parser, m_rule, rhs, live.reduced);
    }
    live.top -= length;
    m_state = live.states[live.top];

    int symbol = kTables.ruleLeft[m_rule];
    if (m_state == 0 && symbol == 0) {
        // The start symbol is complete: it is accepted when the input ends here.
        m_state = kTables.finalState;
        live.Push(m_state, live.reduced, live.reducedPosition);
        if (m_token < 0) m_token = ReadToken();
        return m_token == 0 ? kAccept : kLoop;
    }
    int base = kTables.gotoIndex[symbol];
    if (Applies(base, m_state))
        m_state = kTables.action[base + m_state];
    else
        m_state = kTables.defaultGoto[symbol];
    live.Push(m_state, live.reduced, live.reducedPosition);
    return kLoop;
}

Run::Step Run::Error() {
    ReplayQueue& queue = engine.queue;
    ParseRecord& live = *engine.live;
    while (live.link != nullptr) {
        ParseRecord* saved = live.link;
        // Keep the furthest point any alternative reached, to report the error there.
        if (m_furthestError == nullptr || m_furthestError->lexeme < queue.read) {
            delete m_furthestError;
            m_furthestError = Snapshot(live, m_state);
            m_furthestError->lexeme = queue.read;
        }
        // Back to the newest conflict point, and on to its next alternative.
        queue.read = saved->lexeme;
        m_token = kNoToken;
        RestoreFrom(*saved);
        m_rule = kTables.conflicts[++saved->conflictTry];
        if (m_rule >= 0) return kReduce;

        // All alternatives of this conflict failed.
        live.link = saved->link;
        delete saved;
        if (live.link == nullptr) {
            RestoreFrom(*m_furthestError);
            live.errorCountdown = m_furthestError->errorCountdown;
            queue.read = m_furthestError->lexeme;
            // The token held there is the last one read before that point.
            if (queue.read > 0) {
                m_token = queue.tokens[queue.read - 1];
                engine.token = queue.values[queue.read - 1];
                engine.tokenPosition = queue.positions[queue.read - 1];
            }
            delete m_furthestError;
            m_furthestError = nullptr;
        }
    }
    m_parser.ReportError(L"syntax error");
    ++engine.errorCount;
    return kRecover;
}

Run::Step Run::Recover() {
    ParseRecord& live = *engine.live;
    if (live.errorCountdown < kErrorCountdown) {
        live.errorCountdown = kErrorCountdown;
        // Pop states until one can shift the error token. The grammar has no error rules,
        // so in practice every state is popped and the parse aborts.
        for (;;) {
            int base = kTables.shiftIndex[live.states[live.top]];
            if (Applies(base, kTables.errorToken)) {
                m_state = kTables.action[base + kTables.errorToken];
                return kShift;
            }
            if (live.top <= 0) return kAbort;
            --live.top;
        }
    }
    if (m_token == 0) return kAbort;
    m_token = kNoToken; // discard the token and go on
    return kLoop;
}

Run::Step Run::Accept() {
    if (!engine.InTrial()) return kDone;
    // The trial succeeded: replay its tokens with actions, following its choices.
    if (engine.path != nullptr) return kAbort; // a replay cannot start another trial
    ParseRecord& live = *engine.live;
    while (live.link != nullptr) {
        ParseRecord* saved = live.link;
        live.link = saved->link;
        saved->link = engine.path;
        engine.path = saved;
    }
    delete m_furthestError;
    m_furthestError = nullptr;
    m_token = kNoToken;
    RestoreFrom(*engine.path);
    engine.queue.read = engine.path->lexeme;
    return kLoop;
}

void Run::FreeAll() {
    delete m_furthestError;
    m_furthestError = nullptr;
    FreeChain(engine.live);
    FreeChain(engine.path);
}

} // namespace

int CQuarnWKTCoordinateSystemParser::Parse() {
    Run::ActionHook action = [](CQuarnWKTCoordinateSystemParser& parser, int rule,
                                QuarnWktValue* rhs,
                                QuarnWktValue& result) { parser.RunAction(rule, rhs, result); };
    return Run(*this, action).Execute();
}

int CQuarnWKTCoordinateSystemParser::NextToken() {
    ReplayQueue& queue = engine.queue;
    if (queue.HasUnread()) {
        engine.token = queue.values[queue.read];
        engine.tokenPosition = queue.positions[queue.read];
        return queue.tokens[queue.read++];
    }
    if (!engine.InTrial()) return Lex();
    int token = Lex();
    queue.Append(token, engine.token, engine.tokenPosition);
    ++queue.read;
    return token;
}

QuarnWktValue& CQuarnWKTCoordinateSystemParser::TokenSlot() {
    return engine.token;
}

const QuarnWktValue& CQuarnWKTCoordinateSystemParser::GetTokenValue() {
    return engine.token;
}

int CQuarnWKTCoordinateSystemParser::GetErrorCount() {
    return engine.errorCount;
}

void CQuarnWKTCoordinateSystemParser::ReleaseReplayQueue() {
    engine.queue.Release();
}
