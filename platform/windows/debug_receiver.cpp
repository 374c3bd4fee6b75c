// The library's messages on Windows: by default written unchanged to
// standard error (as on every system) and passed to the debugger, which is
// where a Windows developer looks for them.
#include <vantrel/win32/debug.h>

#include <atomic>
#include <cstring>

namespace {

void writeToStandardErrorAndDebugger(const char* text, void*)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE) {
        // One write, so that lines from several threads do not interleave.
        DWORD written = 0;
        WriteFile(error, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    }
    OutputDebugStringA(text);
}

VTLDebugReceiver gReceiver = writeToStandardErrorAndDebugger;
void* gReceiverUser = nullptr;

} // namespace

void VTLDebugText(const char* text)
{
    if (text)
        gReceiver(text, gReceiverUser);
}

VTLDebugReceiver VTLSetDebugReceiver(VTLDebugReceiver receiver, void* user)
{
    VTLDebugReceiver previous = gReceiver == writeToStandardErrorAndDebugger ? nullptr : gReceiver;
    gReceiver = receiver ? receiver : writeToStandardErrorAndDebugger;
    gReceiverUser = receiver ? user : nullptr;
    return previous;
}
