// The English text Windows gives each system error code the platform sets,
// for FormatMessage.
#ifndef VANTREL_PLATFORM_KERNEL_SYSTEM_MESSAGES_H
#define VANTREL_PLATFORM_KERNEL_SYSTEM_MESSAGES_H

#include <vantrel/win32/types.h>

namespace vtl {

// The message with its line break ("...\r\n"), or null for a code without one.
const char* systemMessage(DWORD code);
// The same for the Winsock error codes (WSAEWOULDBLOCK, ...).
const char* winsockMessage(DWORD code);

} // namespace vtl

#endif
