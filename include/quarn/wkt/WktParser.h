// The WKT reader: lexer and backtracking LR parse engine over the tables generated from
// wkt/WktGrammar.y. CreateFromWKT of the factory drives it; the rule actions that create
// the objects live in wkt/WktActions.cpp.
#ifndef QUARN_WKT_WKTPARSER_H
#define QUARN_WKT_WKTPARSER_H

#include <quarn/wkt/ParseDiagnostic.h>
#include <quarn/wkt/ToolParser.h>
#include <quarn/wkt/ValueArena.h>

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

class CQuarnCoordinateSystemFactory;
class CS_CoordinateSystem;
class CS_Info;

// What a value slot holds. A slot that nothing wrote holds zero bits: null, 0 or 0.0 in
// every reading.
enum class EQuarnWktKind : unsigned char { kNone, kText, kInteger, kReal, kObject, kValue };

// The value slot of a token or grammar symbol: 8 bytes, whose meaning the symbol decides.
// Write it with the Set functions and read it with the Get functions below: debug builds
// also carry the kind written and check that every read is of that kind.
struct QuarnWktValue {
    union {
        const wchar_t* text;   // STRING (and keyword) tokens, name-like symbols
        std::int32_t integer;  // INTEGER tokens, datum types, axis orientations
        double real;           // REAL tokens and every number-like symbol
        const CS_Info* object; // objects the factory returned
        void* value;           // value objects the parser made (NewValue)
    };
#ifndef NDEBUG
    EQuarnWktKind kind = EQuarnWktKind::kNone;
#endif
};
#ifdef NDEBUG
static_assert(sizeof(QuarnWktValue) == 8, "the value slot is 8 bytes");
#endif

#ifndef NDEBUG
#define QUARN_WKT_KIND(slot, wanted) ((slot).kind = (wanted))
#define QUARN_WKT_CHECK(slot, wanted)                                                              \
    assert((slot).kind == (wanted) || (slot).kind == EQuarnWktKind::kNone)
#else
#define QUARN_WKT_KIND(slot, wanted) static_cast<void>(0)
#define QUARN_WKT_CHECK(slot, wanted) static_cast<void>(0)
#endif

inline void QuarnWktSetText(QuarnWktValue& slot, const wchar_t* text) {
    slot.text = text;
    QUARN_WKT_KIND(slot, EQuarnWktKind::kText);
}
inline void QuarnWktSetInteger(QuarnWktValue& slot, std::int32_t integer) {
    slot.text = nullptr; // all eight bytes defined
    slot.integer = integer;
    QUARN_WKT_KIND(slot, EQuarnWktKind::kInteger);
}
inline void QuarnWktSetReal(QuarnWktValue& slot, double real) {
    slot.real = real;
    QUARN_WKT_KIND(slot, EQuarnWktKind::kReal);
}
inline void QuarnWktSetObject(QuarnWktValue& slot, const CS_Info* object) {
    slot.object = object;
    QUARN_WKT_KIND(slot, EQuarnWktKind::kObject);
}
inline void QuarnWktSetPointer(QuarnWktValue& slot, void* value) {
    slot.value = value;
    QUARN_WKT_KIND(slot, EQuarnWktKind::kValue);
}
inline const wchar_t* QuarnWktGetText(const QuarnWktValue& slot) {
    QUARN_WKT_CHECK(slot, EQuarnWktKind::kText);
    return slot.text;
}
inline std::int32_t QuarnWktGetInteger(const QuarnWktValue& slot) {
    QUARN_WKT_CHECK(slot, EQuarnWktKind::kInteger);
    return slot.integer;
}
inline double QuarnWktGetReal(const QuarnWktValue& slot) {
    QUARN_WKT_CHECK(slot, EQuarnWktKind::kReal);
    return slot.real;
}
inline const CS_Info* QuarnWktGetObject(const QuarnWktValue& slot) {
    QUARN_WKT_CHECK(slot, EQuarnWktKind::kObject);
    return slot.object;
}
inline void* QuarnWktGetPointer(const QuarnWktValue& slot) {
    QUARN_WKT_CHECK(slot, EQuarnWktKind::kValue);
    return slot.value;
}

// Token codes of the named tokens; other characters are tokens of their own code.
enum EQuarnWktToken {
    kQuarnWktEnd = 0,
    kQuarnWktError = 256,
    kQuarnWktAuthority = 257,
    kQuarnWktAxis,
    kQuarnWktCompdCs,
    kQuarnWktConcatMt,
    kQuarnWktDatum,
    kQuarnWktDown,
    kQuarnWktEast,
    kQuarnWktFittedCs,
    kQuarnWktGeocCs,
    kQuarnWktGeogCs,
    kQuarnWktInverseMt,
    kQuarnWktLocalCs,
    kQuarnWktLocalDatum,
    kQuarnWktNorth,
    kQuarnWktOther,
    kQuarnWktParameter,
    kQuarnWktParamMt,
    kQuarnWktPassthroughMt,
    kQuarnWktPrimem,
    kQuarnWktProjCs,
    kQuarnWktProjection,
    kQuarnWktSouth,
    kQuarnWktSpheroid,
    kQuarnWktToWgs84,
    kQuarnWktUnit,
    kQuarnWktUp,
    kQuarnWktVertDatum,
    kQuarnWktVertCs,
    kQuarnWktWest,
    kQuarnWktThreeDim,
    kQuarnWktInteger,
    kQuarnWktReal,
    kQuarnWktString, // 289, the highest named code
};

// Where the lexer leaves the last token read: its value, character offset and length. The
// slot belongs to the thread's engine state.
struct QuarnWktTokenSlot {
    QuarnWktValue value;
    std::int32_t position;
    std::int32_t length;
};
static_assert(offsetof(QuarnWktTokenSlot, length) ==
                  offsetof(QuarnWktTokenSlot, position) + sizeof(std::int32_t),
              "position and length are adjacent");

class QUARN_API CQuarnWKTCoordinateSystemParser : public CTOOLParser {
public:
    explicit CQuarnWKTCoordinateSystemParser(CQuarnCoordinateSystemFactory* factory = nullptr);

    // Frees the value objects, the stored input and what the replay queue holds beyond its
    // first chunk.
    ~CQuarnWKTCoordinateSystemParser() override;

    // Keyword lookup: `word` compared, ignoring the case of A to Z, with the token names
    // 257 to 289 in ascending order; the first match, or 256. A null word gives 256.
    int LookupKeyword(const wchar_t* word) override;
    // Reads the next token and leaves its value in the token slot (GetTokenValue).
    int Lex() override;
    // Runs the parse engine on the stored input: 0 when accepted, 1 when not. One parse
    // at a time per thread: the engine's state belongs to the thread, shared by its parsers.
    // Records in the diagnostic where and why the text did not read.
    int Parse() override;
    // Reports nothing.
    void ReportError(const wchar_t* message) override;
    // The base rewind; the result is cleared.
    void Rewind() override;
    // The next token: from the replay queue while it holds unread tokens (a trial that
    // backed up to a conflict reads them again), otherwise from Lex, queued while a trial
    // parse runs.
    int NextToken() override;

    CQuarnCoordinateSystemFactory* GetFactory() const { return m_factory; }
    void SetFactory(CQuarnCoordinateSystemFactory* factory) { m_factory = factory; }
    // The coordinate system the last parse produced, null before one.
    const CS_CoordinateSystem* GetResult() const { return m_result; }
    void SetResult(const CS_CoordinateSystem* result) { m_result = result; }
    // Where and why the last parse stopped; cleared by Rewind (and so by SetInput).
    const QuarnParseDiagnostic& GetDiagnostic() const;
    QuarnParseDiagnostic& Diagnostic();

    // Makes a value object for a rule action from `args` (as T{args...}); it lives until
    // the end of the parse.
    template <class T, class... Args> T* NewValue(Args&&... args) {
        static_assert(alignof(T) <= QuarnValueArena::kAlignment, "a value fits the arena");
        T* object = new (m_arena.Allocate(sizeof(T))) T{std::forward<Args>(args)...};
        if (!std::is_trivially_destructible<T>::value)
            m_destructors.push_back(Owned{object, &Destroy<T>});
        ++m_valueCount;
        return object;
    }
    // Gives up `object` at once when it is the value object made last: a list element copied
    // into its list is garbage, and a long list then needs no more memory than a short one.
    void DropValue(const void* object) {
        bool owned = !m_destructors.empty() && m_destructors.back().object == object;
        if (!m_arena.ReleaseLast(object)) return;
        if (owned) {
            m_destructors.back().destroy(m_destructors.back().object);
            m_destructors.pop_back();
        }
        --m_valueCount;
    }
    int GetValueCount() const { return m_valueCount; }

    // The value the lexer left for the last token read (per thread, like the engine).
    static const QuarnWktValue& GetTokenValue();
    // Syntax errors counted by the last parse.
    static int GetErrorCount();
    // The name of a token code ("end-of-file", "','", "GEOGCS", ...), null when the code
    // has none.
    static const wchar_t* GetTokenName(int code);

private:
    // The engine lexes through the parts below and runs the actions (wkt/WktEngine.cpp).
    friend struct QuarnWktEngineAccess;

    // Lex from the token's first character on, for every token but brackets and commas:
    // kept out of line so that those take a short call.
    __attribute__((noinline)) int LexFrom(wchar_t c);

    // The action of a grammar rule, run when the engine reduces by `rule` outside a trial
    // parse, or replays the reductions of a trial that succeeded. `rhs[0]` is the value of
    // the first right-hand symbol ($1), `rhs[n - 1]` of the last; `result` ($$) arrives
    // cleared. The factory pointer may be null.
    void RunAction(int rule, QuarnWktValue* rhs, QuarnWktValue& result);

    // Leaves a token's value for the engine, with where it stands: character offset into
    // the text and length. The token slot is part of the thread's engine state; while a
    // parse runs the parser holds its address, so the lexer stores without a lookup.
    void StoreToken(const QuarnWktValue& value, long position, long length) {
        QuarnWktTokenSlot& slot = m_tokenSlot != nullptr ? *m_tokenSlot : ThreadTokenSlot();
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
    static QuarnWktTokenSlot& ThreadTokenSlot();
    // The keyword of `length` characters at `word`, as LookupKeyword finds it.
    static int KeywordOf(const wchar_t* word, std::size_t length);
    // Shrinks the thread's replay queue to its first chunk.
    static void ReleaseReplayQueue();
    // Frees the value objects of the parse.
    void ReleaseValues();
    // Empties the diagnostic.
    void ClearDiagnostic();

    template <class T> static void Destroy(void* object) {
        static_cast<T*>(object)->~T();
    }
    struct Owned {
        void* object;
        void (*destroy)(void*);
    };

    CQuarnCoordinateSystemFactory* m_factory;
    const CS_CoordinateSystem* m_result;
    QuarnValueArena m_arena;
    std::vector<Owned> m_destructors; // the values that need theirs run
    int m_valueCount = 0;
    // Where and why the last parse stopped; made when there is something to say (a text that
    // reads has the empty diagnostic).
    std::unique_ptr<QuarnParseDiagnostic> m_diagnostic;
    void* m_engineState = nullptr;            // the thread's engine while Parse runs
    QuarnWktTokenSlot* m_tokenSlot = nullptr; // its token slot, meanwhile
};

#endif
