// Text helpers shared by every class: fixed text fields, comparisons and tolerance.
#ifndef QUARN_MODEL_TEXT_H
#define QUARN_MODEL_TEXT_H

#include "Export.h"
#include "Records.h"

#include <cmath>

// Copies at most 255 characters of `source` into a text field and fills the rest of the
// field with terminators. A null source stores an empty text.
QUARN_API void QuarnCopyText(wchar_t (&field)[kQuarnTextField], const wchar_t* source);

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
