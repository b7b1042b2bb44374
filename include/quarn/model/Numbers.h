// Locale-independent number text: the library writes every floating value as "%.15G" writes
// it in the C locale and reads numbers as "%lf" reads them in the C locale, whatever locale
// the host has selected.
#ifndef QUARN_MODEL_NUMBERS_H
#define QUARN_MODEL_NUMBERS_H

#include <quarn/model/Export.h>

#include <cstddef>

// Room enough for any "%.15G" text, terminator included.
constexpr std::size_t kQuarnNumberText = 32;

// Writes `value` as "%.15G" would (6378137, 0.0174532925199433, 1E-05, 1E+15, -0, INF,
// NAN) into `out`, which must hold kQuarnNumberText characters. Returns the length.
QUARN_API std::size_t QuarnFormatNumber(double value, wchar_t* out);

// Reads a number the way "%lf" does: white space is skipped, then the longest prefix that
// forms a decimal floating-point number (or inf / nan) is converted, rounding correctly;
// values beyond the range of double give an infinity, values below it zero. When no number
// can be read, `*ok` (if given) becomes false and the result is 0.0.
QUARN_API double QuarnReadNumber(const wchar_t* text, bool* ok = nullptr);

#endif
