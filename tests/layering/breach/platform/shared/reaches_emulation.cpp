// Built on Windows, yet reaches for the system's header by itself and for
// the emulation's window table.
#include <windows.h>
#include "platform/user/window_table.h"
