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

#include "wkt/WktEngine.h"
#include "wkt/WktReader.h"
#include "wkt/WktRules.h"
#include "wkt/WktTablesInternal.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

using namespace quarn::detail;

namespace {

const WktTables& kTables = kWktTables;

using TokenSet = std::bitset<512>;

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

} // namespace

const RuleFacts& quarn::detail::Rules() {
    static const RuleFacts facts = [] {
        RuleFacts made;
        made.numbers.assign(kRuleParamMtListNext + 1, 0);
        made.silentByName.assign(kRuleParamMtListNext + 1, 0);
        for (int rule = 1; rule < kTables.ruleCount; ++rule) {
            const WktRule name = WktRuleName(rule);
            made.numbers[name] = rule;
            made.silentByName[name] = WktRulePassesValueOn(name) && kTables.ruleLength[rule] == 1;
        }
        return made;
    }();
    return facts;
}

namespace {

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
    void Collapse(int rule, bool act, WktValue& reduced);
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
    m_engine.last = WktTokenSlot{};
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
void Run::Collapse(int rule, bool act, WktValue& reduced) {
    ParseStack& stack = m_engine.live.stack;
    std::size_t length = static_cast<std::size_t>(kTables.ruleLength[rule]);
    std::size_t first = stack.size() - length; // index of $1
    if (act) RunWktAction(m_parser, rule, stack.Values(first), reduced);
    stack.resize(first);
}

Run::Step Run::Reduce() {
    ParseStack& stack = m_engine.live.stack;
    const bool trial = m_engine.InTrial();
    if (trial) m_engine.log.push_back(m_rule);
    WktValue reduced{};
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
        WktValue reduced{};
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
        whole = ReadWktDirectly(m_engine, m_parser);
    }
    if (whole) {
        Replay(0);
        return true;
    }
    m_engine.log.clear();
    m_engine.read = 0;
    m_engine.last = WktTokenSlot{};
    return false;
}

void Run::FreeAll() {
    DropFurthestError();
    m_engine.RecycleChain(m_engine.saved);
    m_engine.log.clear();
}

} // namespace

int CQuarnWKTCoordinateSystemParser::Parse() {
    WktParserState& state = WktParserAccess::State(*this);
    // Value objects live for one parse: nothing can reach them once Parse has returned.
    state.ReleaseValues();
    ClearDiagnostic();
    // The thread's engine is looked up once here: the lexer and the token reader reach it
    // through the parser for the rest of the parse.
    struct Attach {
        WktParserState& state;
        ~Attach() {
            state.ReleaseValues();
            state.engine = nullptr;
            state.tokenSlot = nullptr;
        }
    } attach{state};
    Engine& threadEngine = ThreadEngine();
    state.engine = &threadEngine;
    state.tokenSlot = &threadEngine.last;
    state.arena.Lend(threadEngine.values);
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
    Engine& e = EngineOf(WktParserAccess::State(*this).engine);
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

void quarn::detail::SetWktDirectReading(bool on) {
    ThreadEngine().direct = on;
}

WktTokenSlot& quarn::detail::ThreadWktTokenSlot() {
    return ThreadEngine().last;
}

int CQuarnWKTCoordinateSystemParser::GetErrorCount() {
    return engine.errorCount;
}

void quarn::detail::ReleaseWktReplayQueue() {
    // The first chunk stays with the thread: a host that makes a factory per text would
    // otherwise allocate it anew for every text.
    engine.queue.Trim();
    engine.queue.clear();
    engine.read = 0;
}
