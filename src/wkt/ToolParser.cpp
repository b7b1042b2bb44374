#include <quarn/wkt/ToolParser.h>

#include <cwchar>

CTOOLParser::CTOOLParser()
    : m_input(nullptr), m_capacity(0), m_tokenStart(nullptr), m_cursor(nullptr), m_current(L'\0'),
      m_lookahead(L'\0') {}

namespace {

// A released copy kept for the thread's next SetInput: a host that makes a factory per text
// would otherwise allocate and free a block of the text's size for each one. The record is
// trivially destructible, so a parser destroyed late in the thread's exit still finds it;
// the closer frees the block and closes the record when the thread ends.
struct SpareInput {
    wchar_t* text;
    std::size_t capacity;
    bool closed;
};
thread_local SpareInput spare{};
struct SpareCloser {
    ~SpareCloser() {
        delete[] spare.text;
        spare = SpareInput{nullptr, 0, true};
    }
};
thread_local SpareCloser closer;

// A spare larger than this is freed instead: one long text should not stay with the thread.
constexpr std::size_t kKeptSpare = 1 << 14;

// A block of at least `capacity` characters: the thread's spare when it is large enough, else
// a new one; `capacity` becomes the block's.
wchar_t* TakeBlock(std::size_t& capacity) {
    if (spare.text == nullptr || spare.capacity < capacity) return new wchar_t[capacity];
    wchar_t* block = spare.text;
    capacity = spare.capacity;
    spare.text = nullptr;
    spare.capacity = 0;
    return block;
}

} // namespace

CTOOLParser::~CTOOLParser() {
    ReleaseInput();
}

void CTOOLParser::SetInput(const wchar_t* text) {
    if (text == nullptr || text != m_input) {
        if (text == nullptr) text = L"";
        const std::size_t length = std::wcslen(text);
        if (length + 1 <= m_capacity) {
            // `text` may lie inside the old copy (a token text): the move allows for that.
            std::wmemmove(m_input, text, length + 1);
        } else {
            std::size_t capacity = length + 1;
            wchar_t* copy = TakeBlock(capacity);
            // Copied before the old copy is given up, for the same reason.
            std::wmemcpy(copy, text, length + 1);
            ReleaseInput();
            m_input = copy;
            m_capacity = capacity;
        }
    }
    Rewind();
}

wchar_t* CTOOLParser::InputRoom(std::size_t length) {
    if (length + 1 > m_capacity) {
        ReleaseInput();
        std::size_t capacity = length + 1;
        m_input = TakeBlock(capacity);
        m_capacity = capacity;
    }
    m_input[0] = L'\0';
    Rewind();
    return m_input;
}

void CTOOLParser::ReleaseInput() {
    if (m_input != nullptr && !spare.closed && m_capacity <= kKeptSpare &&
        m_capacity > spare.capacity) {
        static_cast<void>(&closer); // constructs the closer the first time
        delete[] spare.text;
        spare.text = m_input;
        spare.capacity = m_capacity;
    } else {
        delete[] m_input;
    }
    m_input = m_tokenStart = m_cursor = nullptr;
    m_capacity = 0;
    m_current = m_lookahead = L'\0';
}

void CTOOLParser::ReportError(const wchar_t*) {}

void CTOOLParser::Rewind() {
    m_tokenStart = m_input;
    m_cursor = m_input;
    m_lookahead = m_input != nullptr ? *m_input : L'\0';
    m_current = m_lookahead;
}
