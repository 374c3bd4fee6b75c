#include "platform/winsock/host_lookup.h"

#include "platform/host/sockets.h"
#include "platform/host/threads.h"
#include "platform/winsock/winsock_startup.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/window.h>
#include <vantrel/win32/winsock.h>

#include <cstring>
#include <map>
#include <mutex>

namespace vtl {

namespace {

size_t alignUp(size_t offset)
{
    return (offset + alignof(char*) - 1) & ~(alignof(char*) - 1);
}

// Look-ups in flight.  A thread that finishes writes the caller's buffer and
// posts only if its request is still here, under the lock, so a cancelled
// request never touches the buffer.  Kept for the life of the process: a
// thread may still be inside the resolver when the program ends.
struct Pending {
    HWND window;
    UINT message;
    char* buffer;
    size_t size;
};

struct LookupTable {
    std::mutex mutex;
    std::map<uintptr_t, Pending> pending;
    uintptr_t lastId = 0;
};

LookupTable& table()
{
    static LookupTable* t = new LookupTable;
    return *t;
}

void finish(uintptr_t id, int error, const HostRecord& host)
{
    LookupTable& t = table();
    Pending p;
    LPARAM reply;
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        auto it = t.pending.find(id);
        if (it == t.pending.end())
            return; // cancelled
        p = it->second;
        t.pending.erase(it);
        size_t length = 0;
        if (error == 0) {
            bool fits = false;
            length = layOutHostent(host, p.buffer, p.size, &fits);
            if (!fits)
                error = WSAENOBUFS;
        }
        reply = WSAMAKEASYNCREPLY(length > 0xFFFF ? 0xFFFF : length, error);
    }
    PostMessageA(p.window, p.message, static_cast<WPARAM>(id), reply);
}

template <typename Resolve>
HANDLE start(HWND window, UINT message, char* buffer, int bufferLength, Resolve resolve)
{
    if (!winsockStarted()) {
        WSASetLastError(WSANOTINITIALISED);
        return nullptr;
    }
    if (!buffer || bufferLength <= 0) {
        WSASetLastError(WSAEFAULT);
        return nullptr;
    }
    LookupTable& t = table();
    uintptr_t id;
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        do
            id = ++t.lastId;
        while (id == 0 || t.pending.count(id));
        t.pending[id] = Pending{window, message, buffer, static_cast<size_t>(bufferLength)};
    }
    const bool started = host::startDetachedThread([id, resolve] {
        HostRecord record;
        const int error = resolve(record);
        finish(id, error, record);
    });
    if (!started) {
        std::lock_guard<std::mutex> lock(t.mutex);
        t.pending.erase(id);
        WSASetLastError(WSAENOBUFS);
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(id);
}

} // namespace

size_t layOutHostent(const HostRecord& host, char* buffer, size_t size, bool* fits)
{
    const size_t count = host.addresses.size();
    const size_t aliasesAt = alignUp(sizeof(hostent));
    const size_t listAt = aliasesAt + sizeof(char*);
    const size_t addressesAt = listAt + (count + 1) * sizeof(char*);
    const size_t nameAt = addressesAt + count * 4;
    const size_t total = nameAt + host.name.size() + 1;
    *fits = total <= size;
    if (!*fits)
        return total;

    std::memset(buffer, 0, total);
    char* aliases[1] = {nullptr};
    std::memcpy(buffer + aliasesAt, aliases, sizeof aliases);
    for (size_t i = 0; i < count; ++i) {
        char* entry = buffer + addressesAt + i * 4;
        std::memcpy(entry, &host.addresses[i], 4);
        std::memcpy(buffer + listAt + i * sizeof(char*), &entry, sizeof entry);
    }
    std::memcpy(buffer + nameAt, host.name.c_str(), host.name.size() + 1);

    hostent h{};
    h.h_name = buffer + nameAt;
    h.h_aliases = reinterpret_cast<char**>(buffer + aliasesAt);
    h.h_addrtype = AF_INET;
    h.h_length = 4;
    h.h_addr_list = reinterpret_cast<char**>(buffer + listAt);
    std::memcpy(buffer, &h, sizeof h);
    return total;
}

void cancelAllHostLookups()
{
    LookupTable& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.pending.clear();
}

} // namespace vtl

HANDLE WSAAsyncGetHostByName(HWND window, UINT message, const char* name, char* buffer, int bufferLength)
{
    VTL_TRACE(winsock, "WSAAsyncGetHostByName", window, vtl::trace::Message{message}, name,
              static_cast<const void*>(buffer), bufferLength);
    if (!name) {
        WSASetLastError(WSAEFAULT);
        return vtlTraceCall_.result(nullptr);
    }
    const std::string wanted = name;
    return vtlTraceCall_.result(vtl::start(window, message, buffer, bufferLength,
                      [wanted](vtl::HostRecord& host) { return vtl::host::resolveName(wanted, host); }));
}

HANDLE WSAAsyncGetHostByAddr(HWND window, UINT message, const char* address, int length, int type, char* buffer,
                             int bufferLength)
{
    VTL_TRACE(winsock, "WSAAsyncGetHostByAddr", window, vtl::trace::Message{message},
              static_cast<const void*>(address), length, type,
              static_cast<const void*>(buffer), bufferLength);
    if (!address || length != 4) {
        WSASetLastError(WSAEFAULT);
        return vtlTraceCall_.result(nullptr);
    }
    if (type != AF_INET) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return vtlTraceCall_.result(nullptr);
    }
    uint32_t wanted;
    std::memcpy(&wanted, address, 4);
    return vtlTraceCall_.result(vtl::start(window, message, buffer, bufferLength,
                      [wanted](vtl::HostRecord& host) { return vtl::host::resolveAddress(wanted, host); }));
}

int WSACancelAsyncRequest(HANDLE request)
{
    VTL_TRACE(winsock, "WSACancelAsyncRequest", request);
    vtl::LookupTable& t = vtl::table();
    std::lock_guard<std::mutex> lock(t.mutex);
    if (t.pending.erase(reinterpret_cast<uintptr_t>(request)) == 0) {
        WSASetLastError(WSAEINVAL);
        return vtlTraceCall_.result(SOCKET_ERROR);
    }
    return vtlTraceCall_.result(0);
}
