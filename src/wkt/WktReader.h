// The WKT reader's internals, shared by the lexer, the parse engine, the direct reader and the
// rule actions: the value slot of tokens and grammar symbols, the token codes, the parser's
// working state and the way into the parser's private parts.
#ifndef QUARN_WKT_WKTREADER_H
#define QUARN_WKT_WKTREADER_H

#include <quarn/wkt/WktParser.h>

#include "wkt/ValueArena.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

class CS_Info;

namespace quarn::detail {

// What a value slot holds. A slot that nothing wrote holds zero bits: null, 0 or 0.0 in
// every reading.
enum class WktKind : unsigned char { kNone, kText, kInteger, kReal, kObject, kValue };

// The value slot of a token or grammar symbol: 8 bytes, whose meaning the symbol decides.
// Write it with the Set functions and read it with the Get functions below: debug builds
// also carry the kind written and check that every read is of that kind.
struct WktValue {
    union {
        const wchar_t* text;   // STRING (and keyword) tokens, name-like symbols
        std::int32_t integer;  // INTEGER tokens, datum types, axis orientations
        double real;           // REAL tokens and every number-like symbol
        const CS_Info* object; // objects the factory returned
        void* value;           // value objects the parser made (NewValue)
    };
#ifndef NDEBUG
    WktKind kind = WktKind::kNone;
#endif
};
#ifdef NDEBUG
static_assert(sizeof(WktValue) == 8, "the value slot is 8 bytes");
#endif

#ifndef NDEBUG
#define QUARN_WKT_KIND(slot, wanted) ((slot).kind = (wanted))
#define QUARN_WKT_CHECK(slot, wanted)                                                              \
    assert((slot).kind == (wanted) || (slot).kind == WktKind::kNone)
#else
#define QUARN_WKT_KIND(slot, wanted) static_cast<void>(0)
#define QUARN_WKT_CHECK(slot, wanted) static_cast<void>(0)
#endif

inline void WktSetText(WktValue& slot, const wchar_t* text) {
    slot.text = text;
    QUARN_WKT_KIND(slot, WktKind::kText);
}
inline void WktSetInteger(WktValue& slot, std::int32_t integer) {
    slot.text = nullptr; // all eight bytes defined
    slot.integer = integer;
    QUARN_WKT_KIND(slot, WktKind::kInteger);
}
inline void WktSetReal(WktValue& slot, double real) {
    slot.real = real;
    QUARN_WKT_KIND(slot, WktKind::kReal);
}
inline void WktSetObject(WktValue& slot, const CS_Info* object) {
    slot.object = object;
    QUARN_WKT_KIND(slot, WktKind::kObject);
}
inline void WktSetPointer(WktValue& slot, void* value) {
    slot.value = value;
    QUARN_WKT_KIND(slot, WktKind::kValue);
}
inline const wchar_t* WktGetText(const WktValue& slot) {
    QUARN_WKT_CHECK(slot, WktKind::kText);
    return slot.text;
}
inline std::int32_t WktGetInteger(const WktValue& slot) {
    QUARN_WKT_CHECK(slot, WktKind::kInteger);
    return slot.integer;
}
inline double WktGetReal(const WktValue& slot) {
    QUARN_WKT_CHECK(slot, WktKind::kReal);
    return slot.real;
}
inline const CS_Info* WktGetObject(const WktValue& slot) {
    QUARN_WKT_CHECK(slot, WktKind::kObject);
    return slot.object;
}
inline void* WktGetPointer(const WktValue& slot) {
    QUARN_WKT_CHECK(slot, WktKind::kValue);
    return slot.value;
}

// Token codes of the named tokens; other characters are tokens of their own code. The
// generated tables check them against the grammar's %token order.
enum WktToken {
    kWktEnd = 0,
    kWktError = 256,
    kWktAuthority = 257,
    kWktAxis,
    kWktCompdCs,
    kWktConcatMt,
    kWktDatum,
    kWktDown,
    kWktEast,
    kWktFittedCs,
    kWktGeocCs,
    kWktGeogCs,
    kWktInverseMt,
    kWktLocalCs,
    kWktLocalDatum,
    kWktNorth,
    kWktOther,
    kWktParameter,
    kWktParamMt,
    kWktPassthroughMt,
    kWktPrimem,
    kWktProjCs,
    kWktProjection,
    kWktSouth,
    kWktSpheroid,
    kWktToWgs84,
    kWktUnit,
    kWktUp,
    kWktVertDatum,
    kWktVertCs,
    kWktWest,
    kWktThreeDim,
    kWktInteger,
    kWktReal,
    kWktString, // 289, the highest named code
};

// Where the lexer leaves the last token read: its value, character offset and length. The
// slot belongs to the thread's engine state.
struct WktTokenSlot {
    WktValue value;
    std::int32_t position;
    std::int32_t length;
};
static_assert(offsetof(WktTokenSlot, length) ==
                  offsetof(WktTokenSlot, position) + sizeof(std::int32_t),
              "position and length are adjacent");

// The parser's working state: the value objects the rule actions make for one parse, and
// while a parse runs, the thread's engine and its token slot.
class WktParserState {
public:
    // Makes a value object for a rule action from `args` (as T{args...}); it lives until
    // the end of the parse.
    template <class T, class... Args> T* NewValue(Args&&... args) {
        static_assert(alignof(T) <= ValueArena::kAlignment, "a value fits the arena");
        T* object = new (arena.Allocate(sizeof(T))) T{std::forward<Args>(args)...};
        if (!std::is_trivially_destructible<T>::value)
            m_destructors.push_back(Owned{object, &Destroy<T>});
        ++m_valueCount;
        return object;
    }
    // Gives up `object` at once when it is the value object made last: a list element copied
    // into its list is garbage, and a long list then needs no more memory than a short one.
    void DropValue(const void* object) {
        bool owned = !m_destructors.empty() && m_destructors.back().object == object;
        if (!arena.ReleaseLast(object)) return;
        if (owned) {
            m_destructors.back().destroy(m_destructors.back().object);
            m_destructors.pop_back();
        }
        --m_valueCount;
    }
    int ValueCount() const { return m_valueCount; }
    // Frees the value objects of the parse.
    void ReleaseValues() {
        for (const Owned& owned : m_destructors)
            owned.destroy(owned.object);
        m_destructors.clear();
        arena.Clear();
        m_valueCount = 0;
    }

    ValueArena arena;
    void* engine = nullptr;            // the thread's engine while Parse runs
    WktTokenSlot* tokenSlot = nullptr; // its token slot, meanwhile

private:
    template <class T> static void Destroy(void* object) { static_cast<T*>(object)->~T(); }
    struct Owned {
        void* object;
        void (*destroy)(void*);
    };
    std::vector<Owned> m_destructors; // the values that need theirs run
    int m_valueCount = 0;
};

// The calling thread's token slot and its value: what the lexer left for the last token.
WktTokenSlot& ThreadWktTokenSlot();
inline const WktValue& ThreadWktTokenValue() {
    return ThreadWktTokenSlot().value;
}
// The keyword of `length` characters at `word`, as LookupKeyword finds it.
int WktKeywordOf(const wchar_t* word, std::size_t length);
// Shrinks the calling thread's replay queue to its first chunk.
void ReleaseWktReplayQueue();
// The action of a grammar rule, run when the engine reduces by `rule` outside a trial
// parse, or replays the reductions of a trial that succeeded. `rhs[0]` is the value of the
// first right-hand symbol ($1), `rhs[n - 1]` of the last; `result` ($$) arrives cleared. The
// factory pointer may be null.
void RunWktAction(CQuarnWKTCoordinateSystemParser& parser, int rule, WktValue* rhs,
                  WktValue& result);

// The parser's private parts, for the lexer, the engine and the rule actions.
struct WktParserAccess {
    static WktParserState& State(CQuarnWKTCoordinateSystemParser& parser) {
        return *std::launder(reinterpret_cast<WktParserState*>(parser.m_state));
    }
    static void Construct(CQuarnWKTCoordinateSystemParser& parser) {
        static_assert(sizeof(WktParserState) <= CQuarnWKTCoordinateSystemParser::kStateBytes,
                      "the parser has room for its state");
        static_assert(alignof(WktParserState) <= alignof(std::max_align_t), "and its alignment");
        new (parser.m_state) WktParserState();
    }
    static void Destroy(CQuarnWKTCoordinateSystemParser& parser) {
        State(parser).~WktParserState();
    }

    // Leaves a token's value for the engine, with where it stands: character offset into
    // the text and length. The token slot is part of the thread's engine state; while a
    // parse runs the parser holds its address, so the lexer stores without a lookup.
    static void StoreToken(CQuarnWKTCoordinateSystemParser& parser, const WktValue& value,
                           long position, long length) {
        WktTokenSlot* attached = State(parser).tokenSlot;
        WktTokenSlot& slot = attached != nullptr ? *attached : ThreadWktTokenSlot();
        slot.value = value;
        // Position and length go in as one 8-byte store: the engine copies the pair with one
        // 8-byte load, which the processor forwards only from a store at least as wide
        // (from two 4-byte stores it waits for them to reach the cache, on every token).
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        const std::uint64_t where = static_cast<std::uint32_t>(position) |
                                    std::uint64_t{static_cast<std::uint32_t>(length)} << 32;
        std::memcpy(&slot.position, &where, sizeof where);
#else
        slot.position = static_cast<std::int32_t>(position);
        slot.length = static_cast<std::int32_t>(length);
#endif
    }

    // The direct reader's own way to the next token, for a parser of the library's own
    // class: the lexer's steps without the virtual calls and checks of NextToken. Brackets
    // and commas go straight into the queue without the token slot, which nothing reads
    // before the direct reader has finished (its last token, the end of the text, goes
    // through the slot).
    template <class Queue>
    static int Next(CQuarnWKTCoordinateSystemParser& parser, WktTokenSlot& slot, Queue& queue) {
        const wchar_t c = parser.BeginToken();
        if (c == L'[' || c == L']' || c == L',') {
            const long start = parser.TokenOffset();
            parser.Extend();
            queue.push_back(static_cast<int>(c), WktValue{}, static_cast<std::int32_t>(start), 1);
            return static_cast<int>(c);
        }
        const int token = parser.LexFrom(c);
        queue.push_back(token, slot.value, slot.position, slot.length);
        return token;
    }
};

} // namespace quarn::detail

#endif
