// The shorter forms games of the era call: RegisterClassA with a WNDCLASS,
// AdjustWindowRect without an extended style.
#include <vantrel/win32/window_calls.h>

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

using namespace vtl;

ATOM RegisterClassA(const WNDCLASSA* wc)
{
    VTL_TRACE(user, "RegisterClassA", wc);
    if (!wc) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(0);
    }
    WNDCLASSEXA ex = {sizeof(WNDCLASSEXA), wc->style,         wc->lpfnWndProc,   wc->cbClsExtra,
                      wc->cbWndExtra,      wc->hInstance,     wc->hIcon,         wc->hCursor,
                      wc->hbrBackground,   wc->lpszMenuName,  wc->lpszClassName, nullptr};
    return vtlTraceCall_.result(RegisterClassExA(&ex));
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu)
{
    VTL_TRACE(user, "AdjustWindowRect", vtl::trace::Rect{rect}, style, menu);
    return vtlTraceCall_.result(AdjustWindowRectEx(rect, style, menu, 0));
}
