// Conversion between the library's wide-character texts and UTF-8, for hosts and tools that
// hold their texts as bytes. Decoding is strict: a byte sequence that is not well-formed
// UTF-8 (a stray continuation byte, a cut or overlong sequence, a surrogate, a code point
// beyond U+10FFFF) is refused, never turned into other characters.
#ifndef QUARN_MODEL_UTF8_H
#define QUARN_MODEL_UTF8_H

#include <quarn/model/Export.h>

#include <cstddef>
#include <string>
#include <string_view>

// Decodes `bytes` into `text`. Returns true when the whole input is well-formed; otherwise
// false, with `*badOffset` (when given) the offset of the first byte of the ill-formed
// sequence and `text` holding what was decoded before it.
QUARN_API bool QuarnDecodeUtf8(std::string_view bytes, std::wstring& text,
                               std::size_t* badOffset = nullptr);

// Encodes a wide text as UTF-8; a null text gives the empty string. A character that is no
// Unicode scalar value (a surrogate, a value beyond U+10FFFF) is written as U+FFFD.
QUARN_API std::string QuarnEncodeUtf8(const wchar_t* text);
QUARN_API std::string QuarnEncodeUtf8(std::wstring_view text);

#endif
