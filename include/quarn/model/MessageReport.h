// The user-message report: how the library tells the user something (its one message is
// the compound coordinate system's WKT overflow). The host decides where it goes.
#ifndef QUARN_PLATFORM_MESSAGEREPORT_H
#define QUARN_PLATFORM_MESSAGEREPORT_H

#include <quarn/model/Export.h>

typedef void (*QuarnMessageHandler)(const wchar_t* text);

// Installs `handler` and returns the previous one. nullptr restores the default handler,
// which writes the text and a newline to standard error.
QUARN_API QuarnMessageHandler SetQuarnMessageHandler(QuarnMessageHandler handler);

// Hands `text` to the current handler.
QUARN_API void QuarnReportMessage(const wchar_t* text);

#endif
