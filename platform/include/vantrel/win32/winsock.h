// Winsock 1.1 as games use it, over the system's own sockets.
//
// SOCKET is an unsigned 32-bit handle holding the system's socket descriptor,
// and the structures (sockaddr, sockaddr_in, hostent, linger), constants and
// byte-order helpers (htons, inet_addr) are the system's, from its headers
// included here.
//
// The socket calls: how a game's call reaches Winsock.  Winsock's bind,
// sendto, recvfrom, getsockopt and setsockopt are declared below as C++
// overloads of the system's functions of the same name, told apart by
// Winsock's parameter types: a SOCKET, char buffers and int lengths.  A call
// written for Winsock - recvfrom(s, buffer, sizeof buffer, 0, &from,
// &fromLength) with a SOCKET s and an int fromLength - resolves to the
// Winsock version, which keeps WSAAsyncSelect's events armed and reports
// Winsock's errors; a call with the system's types (an int descriptor, void*,
// size_t or socklen_t) still reaches the system's function, unchanged.  So
// neither a macro nor a second name is needed, and the system's headers stay
// usable beside this one.  A call that mixes the two (a SOCKET with a void*
// buffer and a size_t length) is ambiguous and does not compile: cast it to
// one side.  socket() has the same parameters in both and
// cannot be told apart: it is the system's, and its -1 on failure is
// INVALID_SOCKET as a SOCKET.  send and recv are left to the system: their
// Winsock overloads would make an int-descriptor call with a char buffer
// ambiguous.
//
// Differences a game may notice:
// - Winsock's recvfrom stores the first `length` bytes of a longer datagram,
//   drops the rest and fails with WSAEMSGSIZE, as on Winsock (the system's
//   recvfrom returns the cut length instead).
// - Winsock's bind makes the socket close-on-exec first, so that a program
//   the game starts (ShellExecuteExA) never holds its port.
// - FIONREAD on a datagram socket gives the size of the next datagram (0 for
//   an empty one, which recvfrom then takes off the queue).
// - The system's calls set errno; WSAGetLastError() returns the Winsock number
//   for it (and WSASetLastError() sets it), so the usual Winsock error checks
//   work unchanged after either kind of call.
// - A socket given to WSAAsyncSelect becomes non-blocking and, while selected,
//   ioctlsocket(FIONBIO) cannot make it blocking again (WSAEINVAL), as on
//   Winsock.  FD_READ is posted when data is waiting, and posted again (if
//   data is still waiting) after each Winsock recvfrom on the socket, or once
//   an ioctlsocket(FIONREAD) has found it empty; FD_WRITE is posted once
//   after the request and again after a Winsock sendto met a full send
//   buffer (WSAEWOULDBLOCK).  A socket read only with the system's recvfrom
//   or recv is not re-armed: ask FIONREAD until it reports 0.
// - A null window in WSAAsyncSelect makes the socket non-blocking and posts
//   nothing (a server without a window polls instead).
// - WSAAsyncGetHostByAddr of an address that has no name completes without
//   error, with the dotted address as the host's name.
//
// Notifications are posted to the window with PostMessageA from a background
// thread; they arrive through the window's message queue like any other.
#ifndef VANTREL_WIN32_WINSOCK_H
#define VANTREL_WIN32_WINSOCK_H

#include <vantrel/win32/types.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/types.h>

typedef uint32_t SOCKET;
#define INVALID_SOCKET ((SOCKET)(~0u))
#define SOCKET_ERROR (-1)

typedef struct hostent HOSTENT;
typedef struct hostent* LPHOSTENT;
typedef struct sockaddr SOCKADDR;
typedef struct sockaddr* LPSOCKADDR;
typedef struct sockaddr_in SOCKADDR_IN;
typedef struct linger LINGER;
typedef struct in_addr IN_ADDR;

// The buffer an asynchronous host look-up fills: a hostent followed by the
// arrays and strings it points to.
#define MAXGETHOSTSTRUCT 1024

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128
typedef struct WSAData {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[WSADESCRIPTION_LEN + 1];
    char szSystemStatus[WSASYS_STATUS_LEN + 1];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
    char* lpVendorInfo;
} WSADATA, *LPWSADATA;

// Events of WSAAsyncSelect.
#define FD_READ 0x01
#define FD_WRITE 0x02
#define FD_OOB 0x04
#define FD_ACCEPT 0x08
#define FD_CONNECT 0x10
#define FD_CLOSE 0x20

// The lParam of the notifications.
#define WSAMAKEASYNCREPLY(buflen, error) MAKELONG(buflen, error)
#define WSAMAKESELECTREPLY(event, error) MAKELONG(event, error)
#define WSAGETASYNCBUFLEN(lParam) LOWORD(lParam)
#define WSAGETASYNCERROR(lParam) HIWORD(lParam)
#define WSAGETSELECTEVENT(lParam) LOWORD(lParam)
#define WSAGETSELECTERROR(lParam) HIWORD(lParam)

// Winsock's error numbers.
#define WSABASEERR 10000
#define WSAEINTR 10004
#define WSAEBADF 10009
#define WSAEACCES 10013
#define WSAEFAULT 10014
#define WSAEINVAL 10022
#define WSAEMFILE 10024
#define WSAEWOULDBLOCK 10035
#define WSAEINPROGRESS 10036
#define WSAEALREADY 10037
#define WSAENOTSOCK 10038
#define WSAEDESTADDRREQ 10039
#define WSAEMSGSIZE 10040
#define WSAEPROTOTYPE 10041
#define WSAENOPROTOOPT 10042
#define WSAEPROTONOSUPPORT 10043
#define WSAESOCKTNOSUPPORT 10044
#define WSAEOPNOTSUPP 10045
#define WSAEPFNOSUPPORT 10046
#define WSAEAFNOSUPPORT 10047
#define WSAEADDRINUSE 10048
#define WSAEADDRNOTAVAIL 10049
#define WSAENETDOWN 10050
#define WSAENETUNREACH 10051
#define WSAENETRESET 10052
#define WSAECONNABORTED 10053
#define WSAECONNRESET 10054
#define WSAENOBUFS 10055
#define WSAEISCONN 10056
#define WSAENOTCONN 10057
#define WSAESHUTDOWN 10058
#define WSAETIMEDOUT 10060
#define WSAECONNREFUSED 10061
#define WSAEHOSTUNREACH 10065
#define WSASYSNOTREADY 10091
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093
#define WSAHOST_NOT_FOUND 11001
#define WSATRY_AGAIN 11002
#define WSANO_RECOVERY 11003
#define WSANO_DATA 11004

// Starts the socket layer.  Versions 1.0 and 1.1 are granted as asked; a
// higher request is granted 1.1 (the caller checks wVersion); below 1.0 fails
// with WSAVERNOTSUPPORTED.  Returns 0 or the error.  Calls are counted.
VANTREL_API int WSAStartup(WORD versionRequested, LPWSADATA data);
// Undoes one WSAStartup.  The last one cancels every pending notification and
// look-up (no further messages are posted); sockets stay open until
// closesocket.  SOCKET_ERROR with WSANOTINITIALISED when not started.
VANTREL_API int WSACleanup();
VANTREL_API int WSAGetLastError();
VANTREL_API void WSASetLastError(int error);

// Closes a socket and cancels its notifications; no message for it is posted
// once this returns.  Anything that is not an IPv4 or IPv6 socket (a file, a
// pipe, standard input, a number never opened) is left open: SOCKET_ERROR
// with WSAENOTSOCK, as on Winsock.
VANTREL_API int closesocket(SOCKET s);
// FIONREAD (bytes of the next datagram) and FIONBIO (non-zero: non-blocking).
VANTREL_API int ioctlsocket(SOCKET s, long command, u_long* argument);

// Winsock's datagram calls (see above for how they are told from the
// system's).  They return SOCKET_ERROR on failure, with the Winsock number for
// WSAGetLastError; sendto and recvfrom return the bytes sent or stored.
VANTREL_API int bind(SOCKET s, const struct sockaddr* name, int nameLength);
VANTREL_API int sendto(SOCKET s, const char* buffer, int length, int flags, const struct sockaddr* to,
                       int toLength);
// Re-arms FD_READ whatever its result.  A datagram longer than `length`:
// its first `length` bytes, SOCKET_ERROR and WSAEMSGSIZE.
VANTREL_API int recvfrom(SOCKET s, char* buffer, int length, int flags, struct sockaddr* from, int* fromLength);
VANTREL_API int getsockopt(SOCKET s, int level, int name, char* value, int* length);
VANTREL_API int setsockopt(SOCKET s, int level, int name, const char* value, int length);

// Posts `message` to `window` with wParam = the socket and lParam =
// WSAMAKESELECTREPLY(event, error) for each event of `events` (FD_READ,
// FD_WRITE) as described above.  Replaces an earlier request for the socket;
// events 0 cancels.  Fails with WSANOTINITIALISED before WSAStartup and
// WSAENOTSOCK for something that is not a socket.
VANTREL_API int WSAAsyncSelect(SOCKET s, HWND window, UINT message, long events);

// Asynchronous host look-ups (IPv4).  They return a non-null handle and, when
// the look-up ends, post `message` to `window` with wParam = the handle and
// lParam = WSAMAKEASYNCREPLY(length, error): on success error is 0 and the
// buffer holds a hostent (laid out from the buffer's first byte, its arrays
// and strings after it) of `length` bytes; WSAENOBUFS means the buffer was too
// small and `length` is the size needed; WSAHOST_NOT_FOUND, WSATRY_AGAIN,
// WSANO_RECOVERY and WSANO_DATA are failures of the look-up.  The buffer is
// written only just before the message is posted, and never after the request
// is cancelled.  Null (and WSAGetLastError) when a look-up cannot start.
VANTREL_API HANDLE WSAAsyncGetHostByName(HWND window, UINT message, const char* name, char* buffer,
                                         int bufferLength);
// `address` points to `length` (4) bytes of an AF_INET address in network
// order.
VANTREL_API HANDLE WSAAsyncGetHostByAddr(HWND window, UINT message, const char* address, int length, int type,
                                         char* buffer, int bufferLength);
// Cancels a look-up that has not finished: no message, no write to its
// buffer.  SOCKET_ERROR with WSAEINVAL when it has already finished.
VANTREL_API int WSACancelAsyncRequest(HANDLE request);

#endif
