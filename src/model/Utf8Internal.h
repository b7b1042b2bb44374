// UTF-8 for the library's own writers: text encoded straight onto the end of a string.
#ifndef QUARN_MODEL_UTF8INTERNAL_H
#define QUARN_MODEL_UTF8INTERNAL_H

#include <cstddef>
#include <string>
#include <string_view>

namespace quarn::detail {

// QuarnDecodeUtf8 into `out`, which has room for a character a byte: the count of characters
// written, all of the text's when `wellFormed` comes back true, else those before the bad
// sequence.
std::size_t DecodeUtf8(std::string_view bytes, wchar_t* out, bool& wellFormed,
                       std::size_t* badOffset = nullptr);

// Appends `text` to `bytes` as QuarnEncodeUtf8 encodes it.
void AppendUtf8(std::string& bytes, std::wstring_view text);

} // namespace quarn::detail

#endif
