#include <vantrel/win32/debug.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void writeToStandardError(const char* text, void*)
{
    // One write() per message so that lines from several threads do not
    // interleave, and nothing is buffered if the game later crashes.
    size_t left = std::strlen(text);
    while (left > 0) {
        ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<size_t>(n);
    }
}

VTLDebugReceiver gReceiver = writeToStandardError;
void* gReceiverUser = nullptr;

} // namespace

void OutputDebugStringA(LPCSTR text)
{
    if (text)
        gReceiver(text, gReceiverUser);
}

VTLDebugReceiver VTLSetDebugReceiver(VTLDebugReceiver receiver, void* user)
{
    VTLDebugReceiver previous = gReceiver == writeToStandardError ? nullptr : gReceiver;
    gReceiver = receiver ? receiver : writeToStandardError;
    gReceiverUser = receiver ? user : nullptr;
    return previous;
}
