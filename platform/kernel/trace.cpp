// The switches and the destination of the call trace.
#include "platform/kernel/trace.h"
#include "platform/kernel/trace_testing.h"

#include <vantrel/win32/debug.h>
#include <vantrel/win32/window.h>

#include "platform/host/process.h"
#include "platform/host/trace_log.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace vtl::trace {

std::atomic<uint32_t> gChannels{0};

namespace {

struct ChannelName {
    const char* name;
    Channel channel;
};
constexpr ChannelName kChannels[] = {
    {"user", Channel::user},       {"gdi", Channel::gdi},         {"ddraw", Channel::ddraw},
    {"dsound", Channel::dsound},   {"winmm", Channel::winmm},     {"winsock", Channel::winsock},
    {"kernel", Channel::kernel},   {"frame", Channel::frame},
};
constexpr uint32_t kAll = static_cast<uint32_t>(Channel::user) | static_cast<uint32_t>(Channel::gdi) |
                          static_cast<uint32_t>(Channel::ddraw) | static_cast<uint32_t>(Channel::dsound) |
                          static_cast<uint32_t>(Channel::winmm) | static_cast<uint32_t>(Channel::winsock) |
                          static_cast<uint32_t>(Channel::kernel);

// The file, opened by the first line written rather than when the variable is
// read: reading may happen inside a static initialiser of the game, and a
// file nobody writes to is better not made.  -1: standard error.
std::atomic<int> gLog{-2}; // -2: not opened yet
std::mutex gLogLock;

uint32_t parse(const char* text)
{
    uint32_t on = 0;
    while (text && *text) {
        const char* end = std::strchr(text, ',');
        size_t length = end ? static_cast<size_t>(end - text) : std::strlen(text);
        if (length == 3 && std::strncmp(text, "all", 3) == 0)
            on |= kAll;
        for (const ChannelName& c : kChannels) {
            if (std::strlen(c.name) == length && std::strncmp(text, c.name, length) == 0)
                on |= static_cast<uint32_t>(c.channel);
        }
        text = end ? end + 1 : nullptr;
    }
    return on;
}

int destination()
{
    int log = gLog.load(std::memory_order_acquire);
    if (log != -2)
        return log;
    std::lock_guard<std::mutex> lock(gLogLock);
    log = gLog.load(std::memory_order_relaxed);
    if (log == -2) {
        const char* path = std::getenv("VANTREL_TRACE_FILE");
        log = path && *path ? host::openTraceLog(path) : -1;
        gLog.store(log, std::memory_order_release);
    }
    return log;
}

// Set by the call in progress while the tracer watches it: a call that leaves
// this value did not touch the error code.
constexpr DWORD kUntouched = 0xFFFFFFFEu;

} // namespace

uint32_t readEnvironment()
{
    // getenv is safe before main; two threads racing here compute the same
    // value.
    uint32_t on = parse(std::getenv("VANTREL_TRACE")) | kParsed;
    gChannels.store(on, std::memory_order_relaxed);
    return on;
}

const char* channelName(Channel channel)
{
    for (const ChannelName& c : kChannels) {
        if (c.channel == channel)
            return c.name;
    }
    return "?";
}

bool watchesErrors(Channel channel)
{
    // The COM interfaces answer with an HRESULT and Winsock keeps its own
    // code; the others report failure through GetLastError.
    return channel == Channel::user || channel == Channel::gdi || channel == Channel::kernel ||
           channel == Channel::winmm;
}

void ErrorWatch::start()
{
    before = GetLastError();
    SetLastError(kUntouched);
}

void ErrorWatch::finish(std::string& line)
{
    DWORD after = GetLastError();
    if (after == kUntouched) {
        SetLastError(before);
        return;
    }
    if (after != 0) {
        line += " (error ";
        put(line, static_cast<int>(after));
        line += ')';
    }
}

void writeLine(const std::string& line)
{
    std::string whole = line;
    whole += '\n';
    int file = destination();
    if (file >= 0)
        host::appendTraceLog(file, whole.data(), whole.size());
    else
        host::writeStandardError(whole.data(), whole.size());
}

void announceUnsupported(const char* name, const char* what)
{
    // Through the debug output, as the library's own messages go, so that a
    // game's receiver set with VTLSetDebugReceiver sees it too.
    std::string line = "vantrel: ";
    line += name;
    line += " is not supported: ";
    line += what;
    line += '\n';
    OutputDebugStringA(line.c_str());
}

} // namespace vtl::trace

void vtl::testing::trace::reset()
{
    std::lock_guard<std::mutex> lock(vtl::trace::gLogLock);
    int log = vtl::trace::gLog.exchange(-2);
    vtl::host::closeTraceLog(log);
    vtl::trace::gChannels.store(0, std::memory_order_relaxed);
}
