#include "Text.h"

#include <cstdint>
#include <new>
#include <string>

namespace {

wchar_t UpperAZ(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

} // namespace

void QuarnCopyText(wchar_t (&field)[kQuarnTextField], const wchar_t* source) {
    int i = 0;
    if (source != nullptr) {
        for (; i < kQuarnTextLimit && source[i] != L'\0'; ++i)
            field[i] = source[i];
    }
    for (; i < kQuarnTextField; ++i)
        field[i] = L'\0';
}

void QuarnText::Set(const wchar_t* text) {
    std::size_t length = 0;
    if (text != nullptr) {
        while (length < static_cast<std::size_t>(kQuarnTextLimit) && text[length] != L'\0')
            ++length;
    }
    // The new text may lie inside the old one (a text set from its own getter): it is
    // copied before the old block is freed, and copying forward to the start of a buffer is
    // safe for a text found further on in it.
    wchar_t* target = nullptr;
    if (length == 0) {
        target = nullptr;
    } else if (length <= kInline) {
        target = m_inline;
    } else if (OnHeap() && std::char_traits<wchar_t>::length(m_text) == length) {
        // A text of the old one's length goes into the old block (registering an object
        // sets its name again, mostly unchanged).
        target = m_text;
    } else {
        target = new (std::nothrow) wchar_t[length + 1];
    }
    if (target != nullptr) {
        for (std::size_t i = 0; i < length; ++i)
            target[i] = text[i];
        target[length] = L'\0';
    }
    if (OnHeap() && target != m_text) delete[] m_text;
    m_text = target;
}

bool QuarnEqualNoCase(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr) a = L"";
    if (b == nullptr) b = L"";
    for (;; ++a, ++b) {
        if (UpperAZ(*a) != UpperAZ(*b)) return false;
        if (*a == L'\0') return true;
    }
}

int CompareBaseNames(const wchar_t* a, const wchar_t* b) {
    if (a == nullptr) a = L"";
    if (b == nullptr) b = L"";
    for (;; ++a, ++b) {
        // Character codes compare as unsigned values; a tilde ends the name.
        std::uint32_t ca = static_cast<std::uint32_t>(*a == L'~' ? L'\0' : *a);
        std::uint32_t cb = static_cast<std::uint32_t>(*b == L'~' ? L'\0' : *b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}
