#include <quarn/model/Utf8.h>

#include "model/Utf8Internal.h"

#include <cstdint>
#include <cstring>

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the sequence a lead byte starts and the smallest code point it may carry
// (anything below is an overlong form); 0 for a byte that cannot start a sequence.
int SequenceLength(unsigned char lead, unsigned long& minimum) {
    if (lead < 0x80) return minimum = 0, 1;
    if (lead >= 0xC2 && lead <= 0xDF) return minimum = 0x80, 2;
    if (lead >= 0xE0 && lead <= 0xEF) return minimum = 0x800, 3;
    if (lead >= 0xF0 && lead <= 0xF4) return minimum = 0x10000, 4;
    return 0;
}

void Append(std::string& bytes, unsigned long c) {
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    if (c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
        bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
        bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
        bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
        bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::size_t quarn::detail::DecodeUtf8(std::string_view bytes, wchar_t* out, bool& wellFormed,
                                      std::size_t* badOffset) {
    wellFormed = true;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0, n = 0;
    while (i < bytes.size()) {
        // Eight characters at a time while they are all ASCII.
        while (i + 8 <= bytes.size()) {
            std::uint64_t eight;
            std::memcpy(&eight, in + i, 8);
            if ((eight & 0x8080808080808080u) != 0) break;
            for (int k = 0; k < 8; ++k)
                out[n + k] = static_cast<wchar_t>(in[i + k]);
            i += 8;
            n += 8;
        }
        if (i >= bytes.size()) break;
        unsigned char lead = in[i];
        if (lead < 0x80) {
            out[n++] = static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        unsigned long minimum = 0;
        int length = SequenceLength(lead, minimum);
        bool good = length > 0 && i + static_cast<std::size_t>(length) <= bytes.size();
        unsigned long code = lead & (0x7Fu >> length);
        for (int k = 1; good && k < length; ++k) {
            unsigned char next = in[i + static_cast<std::size_t>(k)];
            good = IsContinuation(next);
            code = (code << 6) | (next & 0x3Fu);
        }
        if (good) good = code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (!good) {
            wellFormed = false;
            if (badOffset != nullptr) *badOffset = i;
            return n;
        }
        out[n++] = static_cast<wchar_t>(code);
        i += static_cast<std::size_t>(length);
    }
    return n;
}

bool QuarnDecodeUtf8(std::string_view bytes, std::wstring& text, std::size_t* badOffset) {
    // Written in place: at most one character a byte, cut to the length at the end.
    text.resize(bytes.size());
    bool good = true;
    text.resize(quarn::detail::DecodeUtf8(bytes, text.data(), good, badOffset));
    return good;
}

void quarn::detail::AppendUtf8(std::string& bytes, std::wstring_view text) {
    // Runs of ASCII, the common case, go through a buffer of the stack and are appended at
    // once; any other character is encoded by Append.
    char run[128];
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = 0;
        for (; i < text.size() && n < sizeof run && static_cast<unsigned long>(text[i]) < 0x80; ++i)
            run[n++] = static_cast<char>(text[i]);
        bytes.append(run, n);
        if (i < text.size() && static_cast<unsigned long>(text[i]) >= 0x80)
            Append(bytes, static_cast<unsigned long>(text[i++]));
    }
}

std::string QuarnEncodeUtf8(std::wstring_view text) {
    std::string bytes;
    quarn::detail::AppendUtf8(bytes, text);
    return bytes;
}

std::string QuarnEncodeUtf8(const wchar_t* text) {
    return text == nullptr ? std::string() : QuarnEncodeUtf8(std::wstring_view(text));
}
