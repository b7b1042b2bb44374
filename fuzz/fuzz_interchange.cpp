// Feeds arbitrary bytes to quarn::FromWkt: the first byte picks the dialect (canonical, GDAL,
// ESRI or WKT 2), the rest is the UTF-8 text, so the UTF-8 decoding, the dialect scanner and
// its rewriting with the position map and the WKT 2 reader all see bad input. Every system
// read is written in every dialect and each text read back in its own dialect; the text an
// interchange dialect writes must read back (the canonical one writes an axis of orientation
// OTHER as NULL, which no reader takes: it is only read). Bad input must never crash, hang, read
// outside the input or leak.
#include <quarn/interchange.h>
#include <quarn/quarn.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Wkt2_2015 reads as Wkt2: the first byte picks among the first four, and all five write.
constexpr quarn::WktDialect kDialects[] = {quarn::WktDialect::Canonical, quarn::WktDialect::Gdal,
                                           quarn::WktDialect::Esri, quarn::WktDialect::Wkt2,
                                           quarn::WktDialect::Wkt2_2015};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const quarn::WktDialect dialect = kDialects[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* system = quarn::FromWkt(factory, text, dialect);
    if (system == nullptr) return 0;
    for (quarn::WktDialect written : kDialects) {
        quarn::WktWriter writer(written);
        const std::string again = writer.Write(*system);
        if (again.empty()) continue;
        if (quarn::FromWkt(factory, again, written) == nullptr &&
            written != quarn::WktDialect::Canonical) {
            // A text a writer gives is one its own dialect reads.
            std::fprintf(stderr, "dialect %d does not read back its own text:\n%s\n",
                         static_cast<int>(written), again.c_str());
            std::abort();
        }
    }
    return 0;
}
