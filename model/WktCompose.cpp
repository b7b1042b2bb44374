#include "WktCompose.h"

#include "Numbers.h"

#include <cstdio>

QuarnWktComposer::QuarnWktComposer(QuarnWktClassState& state)
    : m_state(state), m_pattern(nullptr), m_length(0), m_owner(!state.busy), m_failed(state.busy) {
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

void QuarnWktComposer::Append(const wchar_t* text) {
    if (text == nullptr) return;
    for (; *text != L'\0'; ++text)
        Put(*text);
}

void QuarnWktComposer::NextPlaceholder() {
    if (m_pattern == nullptr) return;
    for (; *m_pattern != L'\0' && *m_pattern != L'%'; ++m_pattern)
        Put(*m_pattern);
    if (*m_pattern == L'\0') return;
    // A placeholder runs from the percent sign to its conversion letter (s, G or d).
    for (++m_pattern; *m_pattern != L'\0'; ++m_pattern) {
        wchar_t c = *m_pattern;
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) {
            ++m_pattern;
            break;
        }
    }
}

void QuarnWktComposer::FlushTemplate() {
    Append(m_pattern);
    m_pattern = nullptr;
}

QuarnWktComposer& QuarnWktComposer::Format(const wchar_t* pattern) {
    FlushTemplate();
    m_pattern = pattern;
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Arg(const wchar_t* text) {
    NextPlaceholder();
    Append(text);
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Arg(double value) {
    NextPlaceholder();
    wchar_t text[kQuarnNumberText];
    QuarnFormatNumber(value, text);
    Append(text);
    return *this;
}

QuarnWktComposer& QuarnWktComposer::ArgInteger(long value) {
    NextPlaceholder();
    // No locale puts grouping or other digits into a plain "%ld".
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    for (const char* p = text; *p != '\0'; ++p)
        Put(static_cast<wchar_t>(*p));
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Text(const wchar_t* text) {
    FlushTemplate();
    Append(text);
    return *this;
}

QuarnWktComposer& QuarnWktComposer::Fail() {
    m_failed = true;
    return *this;
}

std::size_t QuarnWktComposer::Length() {
    FlushTemplate();
    return m_length;
}

const wchar_t* QuarnWktComposer::Finish(wchar_t* destination, long limit) {
    FlushTemplate();
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
