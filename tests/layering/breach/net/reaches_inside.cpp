// A library file that reaches past the platform's public headers: the
// layering check must refuse it.
#include "platform/user/window_table.h"
#include <unistd.h>
