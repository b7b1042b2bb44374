// Feeds arbitrary bytes to the WKT reader as text: to the parser alone, and to a factory
// whose result is written back and read again. Bad input must never crash, hang, read
// outside the input or leak.
#include <quarn/factory/Factory.h>
#include <quarn/wkt/WktParser.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// One character per byte, except that a byte from 0xF0 on starts a wider character: 0xF0 to
// 0xFE take two more bytes (characters up to 0xEFFFF, so the codes 256 to 289 of the named
// tokens occur), 0xFF takes four (any 32-bit value, negative ones included).
std::wstring Decode(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size;) {
        std::uint32_t byte = data[i++];
        std::uint32_t c = byte;
        if (byte == 0xFF && size - i >= 4) {
            c = static_cast<std::uint32_t>(data[i]) << 24 | data[i + 1] << 16 | data[i + 2] << 8 |
                data[i + 3];
            i += 4;
        } else if (byte >= 0xF0 && size - i >= 2) {
            c = (byte & 0x0F) << 16 | data[i] << 8 | data[i + 1];
            i += 2;
        }
        text.push_back(static_cast<wchar_t>(c));
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text = Decode(data, size);
    // No factory: the parser runs alone.
    CQuarnWKTCoordinateSystemParser parser(nullptr);
    parser.SetInput(text.c_str());
    parser.Parse();
    // A second parse with the same parser and engine state, on the first half of the text.
    std::wstring half = text.substr(0, text.size() / 2);
    parser.SetInput(half.c_str());
    parser.Parse();

    // The whole way: objects created, written and read back.
    CQuarnCoordinateSystemFactory factory;
    if (const CS_CoordinateSystem* system = factory.CreateFromWKT(text.c_str())) {
        std::wstring written = system->GetWKT(nullptr);
        factory.CreateFromWKT(written.c_str());
    }
    return 0;
}
