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
    // A text of the old one's length goes into the old block (registering an object sets
    // its name again, mostly unchanged). Copying forward is safe there: a text taken from
    // inside the old block and as long as it can only be the block itself.
    if (m_text != nullptr && length > 0 && std::char_traits<wchar_t>::length(m_text) == length) {
        for (std::size_t i = 0; i < length; ++i)
            m_text[i] = text[i];
        return;
    }
    // The new text may lie inside the old block (a text set from its own getter).
    wchar_t* block = length > 0 ? new (std::nothrow) wchar_t[length + 1] : nullptr;
    if (block != nullptr) {
        for (std::size_t i = 0; i < length; ++i)
            block[i] = text[i];
        block[length] = L'\0';
    }
    delete[] m_text;
    m_text = block;
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
