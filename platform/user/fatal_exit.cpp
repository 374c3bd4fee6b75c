// MessageBoxEx and FatalAppExit: the window system's boxes behind two calls
// of other headers.  The language of MessageBoxEx picks the text of the
// buttons, which are English here whatever it asks.
#include "platform/kernel/trace.h"

#include <vantrel/win32/debug.h>
#include <vantrel/win32/system.h>
#include <vantrel/win32/window.h>

#include <cstdlib>
#include <string>

int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId)
{
    VTL_TRACE(user, "MessageBoxExA", owner, text, caption, type, languageId);
    return vtlTraceCall_.result(MessageBoxA(owner, text, caption, type));
}

void FatalAppExitA(UINT action, LPCSTR text)
{
    VTL_TRACE(kernel, "FatalAppExitA", action, text);
    const std::string message = text ? text : "";
    OutputDebugStringA(("vantrel: FatalAppExit: " + message + "\n").c_str());
    // Windows' box: no caption of its own (so "Error"), OK only; then the
    // process ends at once with exit code 1, running no destructors.
    MessageBoxA(nullptr, message.c_str(), nullptr, MB_OK | MB_SYSTEMMODAL);
    std::_Exit(1);
}
