// Text helpers shared by every class: fixed text fields, comparisons and tolerance.
#ifndef QUARN_MODEL_TEXT_H
#define QUARN_MODEL_TEXT_H

#include "Export.h"
#include "Records.h"

#include <cmath>
#include <cstddef>

// Copies at most 255 characters of `source` into a text field and fills the rest of the
// field with terminators. A null source stores an empty text.
QUARN_API void QuarnCopyText(wchar_t (&field)[kQuarnTextField], const wchar_t* source);

// A text an object keeps: at most 255 characters, held in a heap block of exactly its length
// and terminator (an empty text takes no block). Getters hand out the block's address, which
// stays valid until the text is set again or the holder is destroyed.
class QUARN_API QuarnText {
public:
    QuarnText() : m_text(nullptr) {}
    explicit QuarnText(const wchar_t* text) : m_text(nullptr) { Set(text); }
    QuarnText(const QuarnText& other) : m_text(nullptr) { Set(other.Get()); }
    QuarnText& operator=(const QuarnText& other) {
        if (this != &other) Set(other.Get());
        return *this;
    }
    ~QuarnText() { delete[] m_text; }

    // Always a terminated text, "" when nothing is held.
    const wchar_t* Get() const { return m_text != nullptr ? m_text : L""; }
    // Keeps the first 255 characters of `text`; null or "" keeps nothing. Should the block
    // not be had, the text is empty.
    void Set(const wchar_t* text);

private:
    wchar_t* m_text;
};

// Whole-text comparison that ignores the case of the letters A to Z only; every other
// character must match exactly. A null text equals only another null or empty text.
QUARN_API bool QuarnEqualNoCase(const wchar_t* a, const wchar_t* b);

// Name comparison in which `~` counts as the end of the text, so that a name and the same
// name with a registry suffix (`~1`, `~2`, ...) are the same name. Case-sensitive.
// Returns -1, 0 or 1. A null text counts as empty.
QUARN_API int CompareBaseNames(const wchar_t* a, const wchar_t* b);

// The library's numeric equality: values are equal unless their absolute difference is
// greater than 1e-12. A difference that is not a number therefore counts as equal.
inline bool QuarnWithinTolerance(double a, double b) {
    return !(std::fabs(a - b) > 1e-12);
}

#endif
