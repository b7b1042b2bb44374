#include "MessageReport.h"

#include <cstdio>

namespace {

void WriteToStandardError(const wchar_t* text) {
    // Written as narrow characters so that the host's orientation of stderr is left alone;
    // the library's messages are ASCII.
    for (const wchar_t* p = text; p != nullptr && *p != L'\0'; ++p)
        std::fputc(*p < 128 ? static_cast<int>(*p) : '?', stderr);
    std::fputc('\n', stderr);
}

QuarnMessageHandler g_handler = nullptr; // null means the default handler

} // namespace

QuarnMessageHandler SetQuarnMessageHandler(QuarnMessageHandler handler) {
    QuarnMessageHandler previous = g_handler != nullptr ? g_handler : &WriteToStandardError;
    g_handler = handler;
    return previous;
}

void QuarnReportMessage(const wchar_t* text) {
    (g_handler != nullptr ? g_handler : &WriteToStandardError)(text);
}
