// The kernel reaching up into the window system: the layering check must
// refuse it.  Its own headers and the public ones are fine.
#include "platform/kernel/last_error.h"
#include <vantrel/win32/window.h>
#include "platform/user/window_table.h"
