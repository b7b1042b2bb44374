#include "WktInput.h"

#include <algorithm>

#include <quarn/quarn.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool ReadStream(std::FILE* stream, std::string& bytes) {
    char buffer[1 << 16];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        bytes.append(buffer, count);
    return !std::ferror(stream);
}

} // namespace

bool ReadSource(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    if (path == "-") {
        if (ReadStream(stdin, bytes)) return true;
        error = std::strerror(errno);
        return false;
    }
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "is a directory, not a file";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    bool read = ReadStream(file, bytes);
    if (!read) error = std::string("cannot read: ") + std::strerror(errno);
    std::fclose(file);
    return read;
}

bool ListFolder(const std::string& folder, bool recursive, std::vector<std::string>& files,
                std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    auto take = [&files](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (!entry.is_regular_file(ignored)) return;
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (extension == ".prj" || extension == ".wkt") files.push_back(entry.path().string());
    };
    const std::size_t first = files.size();
    if (recursive) {
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            code);
        for (; !code && it != fs::recursive_directory_iterator(); it.increment(code))
            take(*it);
    } else {
        fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, code);
        for (; !code && it != fs::directory_iterator(); it.increment(code))
            take(*it);
    }
    if (code) {
        error = "cannot list the folder: " + code.message();
        return false;
    }
    std::sort(files.begin() + static_cast<std::ptrdiff_t>(first), files.end());
    return true;
}

std::string_view SkipByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return bytes;
}

bool IsBlank(std::string_view bytes) {
    for (char c : bytes)
        if (!IsBlankByte(c)) return false;
    return true;
}

std::vector<SourceText> SplitTexts(std::string_view bytes, bool lines) {
    std::vector<SourceText> texts;
    if (!lines) {
        if (!IsBlank(bytes)) texts.push_back({bytes, 1});
        return texts;
    }
    std::size_t line = 1;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (!IsBlank(text)) texts.push_back({text, line});
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
        ++line;
    }
    return texts;
}

DecodeFault DecodeText(std::string_view bytes, std::wstring& text) {
    DecodeFault fault;
    std::size_t bad = 0;
    if (!QuarnDecodeUtf8(bytes, text, &bad)) {
        fault.kind = DecodeFault::kInvalidUtf8;
        fault.offset = text.size();
        fault.byte = static_cast<unsigned char>(bytes[bad]);
        fault.byteOffset = bad;
    }
    // The reader takes a terminated text: a NUL would silently end it early. A binary file
    // usually shows one before any ill-formed byte.
    std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) {
        text.resize(nul);
        fault.kind = DecodeFault::kNulCharacter;
        fault.offset = nul;
        fault.byte = 0;
        fault.byteOffset = QuarnEncodeUtf8(text).size();
    }
    return fault;
}

std::wstring DecodeLossy(std::string_view bytes) {
    std::wstring all;
    std::wstring part;
    std::size_t bad = 0;
    while (!QuarnDecodeUtf8(bytes, part, &bad)) {
        all += part;
        all += L'\xFFFD';
        bytes.remove_prefix(bad + 1);
    }
    return all + part;
}
