// Visibility of the library's public API. The library is built with hidden visibility;
// only what carries QUARN_API (or TESSEL_API in the point library) is exported.
#ifndef QUARN_MODEL_EXPORT_H
#define QUARN_MODEL_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define QUARN_API __attribute__((visibility("default")))
#else
#define QUARN_API
#endif

#endif
