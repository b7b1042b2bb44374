// Reading the inputs of quarn-wkt: a file (or standard input) as bytes, the byte-order mark
// skipped, cut into the texts to read (the whole file, or every non-blank line), each text
// decoded from UTF-8 with the place of a fault it holds.
#ifndef QUARN_TOOLS_WKTINPUT_H
#define QUARN_TOOLS_WKTINPUT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One text of an input: its bytes and the line of the file where it starts (from 1).
struct SourceText {
    std::string_view bytes;
    std::size_t firstLine = 1;
};

// Reads a whole file, or standard input for "-", into `bytes`. On failure returns false
// with `error` saying why (a missing file, a directory, a read error).
bool ReadSource(const std::string& path, std::string& bytes, std::string& error);

// The .prj and .wkt files of a folder (with `recursive`, of its sub-folders too), in the
// order of their paths. False, with `error`, when the folder cannot be listed.
bool ListFolder(const std::string& folder, bool recursive, std::vector<std::string>& files,
                std::string& error);

// The part of `bytes` after a UTF-8 byte-order mark, if there is one.
std::string_view SkipByteOrderMark(std::string_view bytes);

// The texts of a file: the whole of it, or with `lines` every line holding more than blank
// characters (spaces, tabs, carriage returns), without its line end.
std::vector<SourceText> SplitTexts(std::string_view bytes, bool lines);

// True when `bytes` holds nothing but blanks and line ends.
bool IsBlank(std::string_view bytes);

// Where a decoded text is not one the reader can take: an ill-formed UTF-8 sequence or a
// NUL character. `offset` counts characters (the decoded text before the fault).
struct DecodeFault {
    enum Kind { kNone, kInvalidUtf8, kNulCharacter } kind = kNone;
    std::size_t offset = 0;
    // The offending byte and its offset in the text's bytes.
    unsigned char byte = 0;
    std::size_t byteOffset = 0;
};

// Decodes a text strictly. On a fault, `text` holds what was decoded before it.
DecodeFault DecodeText(std::string_view bytes, std::wstring& text);

// Decodes what it can: every ill-formed byte becomes U+FFFD. For showing a faulty line.
std::wstring DecodeLossy(std::string_view bytes);

#endif
