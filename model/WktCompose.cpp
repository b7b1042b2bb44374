#include "WktCompose.h"

#include "Numbers.h"

#include <cstdio>

QuarnWktComposer::QuarnWktComposer(QuarnWktClassState& state)
    : m_state(state), m_length(0), m_owner(!state.busy), m_failed(state.busy) {
    if (m_owner) {
        m_state.busy = true;
        m_state.compose[0] = L'\0';
    }
}

QuarnWktComposer::~QuarnWktComposer() {
    if (m_owner) m_state.busy = false;
}

void QuarnWktComposer::Put(wchar_t c) {
    // The last place of the buffer is kept for the terminator.
    if (m_owner && m_length < static_cast<std::size_t>(kQuarnWktCapacity - 1)) {
        m_state.compose[m_length] = c;
        m_state.compose[m_length + 1] = L'\0';
    }
    ++m_length;
}

QuarnWktComposer& QuarnWktComposer::Text(const wchar_t* text) {
    if (text != nullptr) {
        for (; *text != L'\0'; ++text)
            Put(*text);
    }
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Quoted(const wchar_t* name) {
    Put(L'"');
    Text(name);
    Put(L'"');
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Number(double value) {
    wchar_t text[kQuarnNumberText];
    QuarnFormatNumber(value, text);
    return Text(text);
}

QuarnWktComposer& QuarnWktComposer::Integer(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    for (const char* p = text; *p != '\0'; ++p)
        Put(static_cast<wchar_t>(*p));
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Fail() {
    m_failed = true;
    return *this;
}

const wchar_t* QuarnWktComposer::Finish(wchar_t* destination, long limit) const {
    if (destination == nullptr || limit <= 0) return destination;
    bool whole = !m_failed && m_length < static_cast<std::size_t>(kQuarnWktCapacity);
    if (whole && m_length < static_cast<std::size_t>(limit)) {
        for (std::size_t i = 0; i < m_length; ++i)
            destination[i] = m_state.compose[i];
        destination[m_length] = L'\0';
    } else {
        destination[0] = L'\0';
    }
    return destination;
}
