// What Winsock asks of the host system: datagram sockets, the thread that
// watches them for WSAAsyncSelect, and the name resolver.  Declared here for
// every host; each host folder (host/posix/) implements it.  The Winsock
// rules (who is re-enabled when, which error a call reports) are kept in
// platform/winsock/, above these calls.
//
// Calls that return int give 0 (or a count) on success and -1 on failure,
// with the failure's Winsock number stored for WSAGetLastError.
#ifndef VANTREL_PLATFORM_HOST_SOCKETS_H
#define VANTREL_PLATFORM_HOST_SOCKETS_H

#include <vantrel/win32/winsock.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vtl::host {

// ---- Sockets ----------------------------------------------------------------

// Why the host has no sockets at all (a page), in words for the player, or
// null where it has them.
const char* socketsMissing();

// An IPv4 or IPv6 socket: the only kind Winsock makes.  Descriptors that are
// files, pipes or the library's own local sockets are none.
bool isInternetSocket(SOCKET s);
// The socket's type (SOCK_DGRAM, ...), or -1.
int socketType(SOCKET s);
int setNonBlocking(SOCKET s, bool nonBlocking);
// Keeps the socket from programs the process starts.
int setCloseOnExec(SOCKET s);
int closeSocket(SOCKET s);
// The size of the next datagram (0 also for an empty one or none).
int bytesWaiting(SOCKET s, unsigned long* count);
int bindSocket(SOCKET s, const sockaddr* address, int length);
// Bytes sent.
long sendTo(SOCKET s, const char* data, size_t size, int flags, const sockaddr* to, int toLength);
// Bytes stored in `data` (at most `capacity`); `*datagramLength` is the whole
// datagram's length, so a longer one shows as cut.
long receiveFrom(SOCKET s, char* data, size_t capacity, int flags, sockaddr* from, int* fromLength,
                 size_t* datagramLength);
int getOption(SOCKET s, int level, int name, char* value, int* length);
int setOption(SOCKET s, int level, int name, const char* value, int length);

// ---- WSAAsyncSelect's watcher -----------------------------------------------
// One background thread waits on every watched socket and posts FD_READ and
// FD_WRITE to their windows with PostMessageA.  Each event is posted once and
// then waits to be re-armed.

// Starts (or replaces) watching `s`; both events start armed.
void watchSocket(SOCKET s, HWND window, UINT message, long events);
// Stops watching `s`; once this returns its descriptor may be closed and
// reused.
void forgetSocket(SOCKET s);
bool isWatched(SOCKET s);
void rearmRead(SOCKET s);
void rearmWrite(SOCKET s);
// Forgets every socket and stops the thread.
void stopWatchingSockets();

// ---- Names ------------------------------------------------------------------

// What a look-up found: the official name and IPv4 addresses (network order).
struct HostRecord {
    std::string name;
    std::vector<uint32_t> addresses;
};

// Blocking look-ups; 0 or the Winsock error (WSAHOST_NOT_FOUND, ...).
int resolveName(const std::string& name, HostRecord& out);
// An address without a name gives its dotted form.
int resolveAddress(uint32_t address, HostRecord& out);

} // namespace vtl::host

#endif
