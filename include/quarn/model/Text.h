// Text helpers shared by every class: fixed text fields, comparisons and tolerance.
#ifndef QUARN_MODEL_TEXT_H
#define QUARN_MODEL_TEXT_H

#include <quarn/model/Export.h>
#include <quarn/model/Records.h>

#include <cmath>
#include <cstddef>

class QuarnObjectStore;

// Copies at most 255 characters of `source` into a text field and fills the rest of the
// field with terminators. A null source stores an empty text.
QUARN_API void QuarnCopyText(wchar_t (&field)[kQuarnTextField], const wchar_t* source);

// A text an object keeps: at most 255 characters. Short texts (authority names and codes,
// most unit names) are held inside the object; a longer one equal to a name that many
// objects share (a parameter, projection, ellipsoid or unit name) points at the library's
// copy; others take room of their length and terminator, from the store of the object that
// holds the text when the setter names one, else from the heap (an empty text takes no
// room). Getters hand out the text's address, which stays valid until the text is set again
// or the holder is destroyed.
class QUARN_API QuarnText {
public:
    QuarnText() : m_text(nullptr) {}
    explicit QuarnText(const wchar_t* text) : m_text(nullptr) { Set(text); }
    QuarnText(const QuarnText& other) : m_text(nullptr) { Set(other.Get()); }
    QuarnText& operator=(const QuarnText& other) {
        if (this != &other) Set(other.Get());
        return *this;
    }
    ~QuarnText() { Release(); }

    // Always a terminated text, "" when nothing is held.
    const wchar_t* Get() const { return m_text != nullptr ? m_text : L""; }
    // Keeps the first 255 characters of `text`; null or "" keeps nothing. Room the text
    // needs comes from `store` when one is given: the holder must then live in that store,
    // so that the room goes no later than the holder. Should room be needed and not be had,
    // the text is empty.
    void Set(const wchar_t* text, QuarnObjectStore* store = nullptr);

private:
    static constexpr std::size_t kInline = 7; // characters held without a block
    // Whether m_text is room of its own (from a store or the heap), to be given back.
    bool Owned() const;
    void Release();

    wchar_t* m_text; // null, m_inline, a common text or a heap block
    wchar_t m_inline[kInline + 1];
};

// The upper case of the letters a to z; every other character as it is. The library's
// case-blind comparisons fold A to Z only.
inline wchar_t QuarnUpperAZ(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

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
