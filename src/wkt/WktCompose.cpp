#include "wkt/WktCompose.h"

#include "wkt/WktTemplates.h"
#include <quarn/model/Numbers.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

using namespace quarn::detail;

WktComposer::WktComposer(WktClassState& state) : WktComposer(state, nullptr, 0) {}

WktComposer::WktComposer(WktClassState& state, wchar_t* destination, long limit)
    : m_state(state), m_out(state.compose), m_template(nullptr), m_filled(0), m_done(0),
      m_length(0), m_owner(!state.busy), m_failed(state.busy) {
    if (!m_owner) return;
    m_state.busy = true;
    if (destination != nullptr && limit >= quarn::kWktCapacity) {
        m_out = destination;
        m_state.direct = destination;
    }
    m_out[0] = L'\0';
}

WktComposer::~WktComposer() {
    if (!m_owner) return;
    m_state.busy = false;
    m_state.direct = nullptr;
}

namespace {
constexpr std::size_t kShortPiece = 8; // characters copied without a call

// Copies `n` characters, 1 to 8, as two pieces of a fixed size that overlap in the middle:
// fixed-size copies are single moves, where a loop would take a step per character.
void CopyShort(wchar_t* out, const wchar_t* text, std::size_t n) {
    if (n >= 4) {
        std::memcpy(out, text, 4 * sizeof(wchar_t));
        std::memcpy(out + n - 4, text + n - 4, 4 * sizeof(wchar_t));
    } else if (n >= 2) {
        std::memcpy(out, text, 2 * sizeof(wchar_t));
        std::memcpy(out + n - 2, text + n - 2, 2 * sizeof(wchar_t));
    } else if (n == 1) {
        out[0] = text[0];
    }
}
} // namespace

void WktComposer::Append(const wchar_t* text, std::size_t count) {
    // The last place of the buffer is kept for the terminator, which Length and Finish set.
    if (m_owner && m_length < static_cast<std::size_t>(quarn::kWktCapacity - 1)) {
        const std::size_t room = static_cast<std::size_t>(quarn::kWktCapacity - 1) - m_length;
        const std::size_t n = count < room ? count : room;
        if (n <= kShortPiece) {
            // Most pieces are a few characters (template text, units, directions): a call
            // would cost more than the copy.
            CopyShort(m_out + m_length, text, n);
        } else {
            // The library's copy: an inlined one is a string move instruction, slow to
            // start.
            std::wmemcpy(m_out + m_length, text, n);
        }
    }
    m_length += count;
}

void WktComposer::Append(const wchar_t* text) {
    if (text != nullptr) Append(text, std::wcslen(text));
}

void WktComposer::NextPlaceholder() {
    if (m_template == nullptr) return;
    if (m_filled == m_template->Placeholders()) {
        FlushTemplate();
        return;
    }
    const int literal = m_template->Literal(m_filled);
    Append(m_template->Text() + m_done, static_cast<std::size_t>(literal));
    m_done += literal + m_template->Placeholder(m_filled);
    ++m_filled;
}

void WktComposer::FlushTemplate() {
    if (m_template == nullptr) return;
    Append(m_template->Text() + m_done, static_cast<std::size_t>(m_template->Length() - m_done));
    m_template = nullptr;
}

void WktComposer::Terminate() {
    if (!m_owner) return;
    const std::size_t end = static_cast<std::size_t>(quarn::kWktCapacity - 1);
    m_out[m_length < end ? m_length : end] = L'\0';
}

WktComposer& WktComposer::Format(const WktTemplate& pattern) {
    FlushTemplate();
    m_template = &pattern;
    m_filled = 0;
    m_done = 0;
    return *this;
}

WktComposer& WktComposer::Arg(const wchar_t* text) {
    NextPlaceholder();
    Append(text);
    return *this;
}

WktComposer& WktComposer::Arg(double value) {
    NextPlaceholder();
    wchar_t text[kQuarnNumberText];
    Append(text, QuarnFormatNumber(value, text));
    return *this;
}

WktComposer& WktComposer::ArgInteger(long value) {
    NextPlaceholder();
    // No locale puts grouping or other digits into a plain "%ld".
    char text[24];
    const int length = std::snprintf(text, sizeof text, "%ld", value);
    wchar_t wide[24];
    for (int i = 0; i < length; ++i)
        wide[i] = static_cast<wchar_t>(text[i]);
    Append(wide, static_cast<std::size_t>(length));
    return *this;
}

WktComposer& WktComposer::Text(const wchar_t* text) {
    FlushTemplate();
    Append(text);
    return *this;
}

WktComposer& WktComposer::Fail() {
    m_failed = true;
    return *this;
}

std::size_t WktComposer::Length() {
    FlushTemplate();
    Terminate();
    return m_length;
}

const wchar_t* WktComposer::Finish(wchar_t* destination, long limit) {
    FlushTemplate();
    Terminate();
    if (destination == nullptr || limit <= 0) return destination;
    // A composition refused while its class writes straight into this destination leaves
    // the text under way alone: its empty result is a text of its own.
    if (!m_owner && destination == m_state.direct) return L"";
    bool whole = !m_failed && m_length < static_cast<std::size_t>(quarn::kWktCapacity);
    if (whole && m_length < static_cast<std::size_t>(limit)) {
        if (m_out != destination) std::wmemcpy(destination, m_out, m_length);
        destination[m_length] = L'\0';
    } else {
        destination[0] = L'\0';
    }
    return destination;
}
