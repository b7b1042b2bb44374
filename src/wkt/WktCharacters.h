// What each character may be in a WKT token: the one table of character classes that the
// lexer and the dialect reader's scanner both follow, so that they split a text alike.
#ifndef QUARN_WKT_WKTCHARACTERS_H
#define QUARN_WKT_WKTCHARACTERS_H

#include <cstdint>

namespace quarn::detail {

// Classes of the characters below 128; every other character is in none of them.
enum : unsigned char {
    kWktBlank = 1,       // space, tab, carriage return, line feed: between tokens
    kWktWordStart = 2,   // A-Z, a-z, '_'
    kWktWordPart = 4,    // a word's further characters: also the digits
    kWktNumberStart = 8, // 0-9 '.' '-' '+'
    kWktNumberPart = 16, // a number's further characters: also 'e' and 'E'
};

struct WktCharacterClasses {
    unsigned char of[128];
    constexpr WktCharacterClasses() : of() {
        for (int c = 0; c < 128; ++c) {
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            const bool digit = c >= '0' && c <= '9';
            const bool numberStart = digit || c == '.' || c == '-' || c == '+';
            unsigned char bits = 0;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') bits |= kWktBlank;
            if (letter || c == '_') bits |= kWktWordStart | kWktWordPart;
            if (digit) bits |= kWktWordPart;
            if (numberStart) bits |= kWktNumberStart | kWktNumberPart;
            if (c == 'e' || c == 'E') bits |= kWktNumberPart;
            of[c] = bits;
        }
    }
};
inline constexpr WktCharacterClasses kWktCharacters;

inline bool IsWktClass(wchar_t c, unsigned char classes) {
    return static_cast<std::uint32_t>(c) < 128 && (kWktCharacters.of[c] & classes) != 0;
}
inline bool IsWktBlank(wchar_t c) {
    return IsWktClass(c, kWktBlank);
}
inline bool IsWktWordStart(wchar_t c) {
    return IsWktClass(c, kWktWordStart);
}
inline bool IsWktWordPart(wchar_t c) {
    return IsWktClass(c, kWktWordPart);
}
inline bool IsWktNumberStart(wchar_t c) {
    return IsWktClass(c, kWktNumberStart);
}
inline bool IsWktNumberPart(wchar_t c) {
    return IsWktClass(c, kWktNumberPart);
}
inline bool IsWktDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

} // namespace quarn::detail

#endif
