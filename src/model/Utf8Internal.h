// UTF-8 for the library's own writers: text encoded straight onto the end of a string.
#ifndef QUARN_MODEL_UTF8INTERNAL_H
#define QUARN_MODEL_UTF8INTERNAL_H

#include <string>
#include <string_view>

namespace quarn::detail {

// Appends `text` to `bytes` as QuarnEncodeUtf8 encodes it.
void AppendUtf8(std::string& bytes, std::wstring_view text);

} // namespace quarn::detail

#endif
