#include <vantrel/win32/debug.h>

#include "platform/host/process.h"

#include <cstring>

namespace {

void writeToStandardError(const char* text, void*)
{
    // Written at once in one piece, so that lines from several threads do
    // not interleave and nothing is buffered if the game later crashes.
    vtl::host::writeStandardError(text, std::strlen(text));
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

void VTLDebugText(const char* text) { OutputDebugStringA(text); }
