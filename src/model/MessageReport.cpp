#include <quarn/model/MessageReport.h>

#include <atomic>
#include <cstdio>

namespace {

void WriteToStandardError(const wchar_t* text) {
    // Written as narrow characters so that the host's orientation of stderr is left alone;
    // the library's messages are ASCII.
    for (const wchar_t* p = text; p != nullptr && *p != L'\0'; ++p)
        std::fputc(*p < 128 ? static_cast<int>(*p) : '?', stderr);
    std::fputc('\n', stderr);
}

// Null means the default handler. Atomic so that one thread may install a handler while
// another reports: the report goes to the old or the new one.
std::atomic<QuarnMessageHandler> g_handler{nullptr};

QuarnMessageHandler OrDefault(QuarnMessageHandler handler) {
    return handler != nullptr ? handler : &WriteToStandardError;
}

} // namespace

QuarnMessageHandler SetQuarnMessageHandler(QuarnMessageHandler handler) {
    return OrDefault(g_handler.exchange(handler, std::memory_order_acq_rel));
}

void QuarnReportMessage(const wchar_t* text) {
    OrDefault(g_handler.load(std::memory_order_acquire))(text);
}
