// The texts of the Winsock error codes, which Windows keeps among the
// system's messages: a game formats WSAGetLastError() the same way.
#include "platform/kernel/system_messages.h"

#include <vantrel/win32/winsock.h>

namespace vtl {

const char* winsockMessage(DWORD code)
{
    switch (code) {
    case WSAEINTR: return "A blocking operation was interrupted by a call to WSACancelBlockingCall.\r\n";
    case WSAEBADF: return "The file handle supplied is not valid.\r\n";
    case WSAEACCES:
        return "An attempt was made to access a socket in a way forbidden by its access permissions.\r\n";
    case WSAEFAULT:
        return "The system detected an invalid pointer address in attempting to use a pointer argument in a call.\r\n";
    case WSAEINVAL: return "An invalid argument was supplied.\r\n";
    case WSAEMFILE: return "Too many open sockets.\r\n";
    case WSAEWOULDBLOCK: return "A non-blocking socket operation could not be completed immediately.\r\n";
    case WSAEINPROGRESS: return "A blocking operation is currently executing.\r\n";
    case WSAEALREADY:
        return "An operation was attempted on a non-blocking socket that already had an operation in progress.\r\n";
    case WSAENOTSOCK: return "An operation was attempted on something that is not a socket.\r\n";
    case WSAEDESTADDRREQ: return "A required address was omitted from an operation on a socket.\r\n";
    case WSAEMSGSIZE:
        return "A message sent on a datagram socket was larger than the internal message buffer or some other network "
               "limit, or the buffer used to receive a datagram into was smaller than the datagram itself.\r\n";
    case WSAEPROTOTYPE:
        return "A protocol was specified in the socket function call that does not support the semantics of the "
               "socket type requested.\r\n";
    case WSAENOPROTOOPT:
        return "An unknown, invalid, or unsupported option or level was specified in a getsockopt or setsockopt "
               "call.\r\n";
    case WSAEPROTONOSUPPORT:
        return "The requested protocol has not been configured into the system, or no implementation for it "
               "exists.\r\n";
    case WSAESOCKTNOSUPPORT: return "The support for the specified socket type does not exist in this address family.\r\n";
    case WSAEOPNOTSUPP: return "The attempted operation is not supported for the type of object referenced.\r\n";
    case WSAEPFNOSUPPORT:
        return "The protocol family has not been configured into the system or no implementation for it exists.\r\n";
    case WSAEAFNOSUPPORT: return "An address incompatible with the requested protocol was used.\r\n";
    case WSAEADDRINUSE:
        return "Only one usage of each socket address (protocol/network address/port) is normally permitted.\r\n";
    case WSAEADDRNOTAVAIL: return "The requested address is not valid in its context.\r\n";
    case WSAENETDOWN: return "A socket operation encountered a dead network.\r\n";
    case WSAENETUNREACH: return "A socket operation was attempted to an unreachable network.\r\n";
    case WSAENETRESET:
        return "The connection has been broken due to keep-alive activity detecting a failure while the operation "
               "was in progress.\r\n";
    case WSAECONNABORTED: return "An established connection was aborted by the software in your host machine.\r\n";
    case WSAECONNRESET: return "An existing connection was forcibly closed by the remote host.\r\n";
    case WSAENOBUFS:
        return "An operation on a socket could not be performed because the system lacked sufficient buffer space "
               "or because a queue was full.\r\n";
    case WSAEISCONN: return "A connect request was made on an already connected socket.\r\n";
    case WSAENOTCONN:
        return "A request to send or receive data was disallowed because the socket is not connected and (when "
               "sending on a datagram socket using a sendto call) no address was supplied.\r\n";
    case WSAESHUTDOWN:
        return "A request to send or receive data was disallowed because the socket had already been shut down in "
               "that direction with a previous shutdown call.\r\n";
    case WSAETIMEDOUT:
        return "A connection attempt failed because the connected party did not properly respond after a period of "
               "time, or established connection failed because connected host has failed to respond.\r\n";
    case WSAECONNREFUSED: return "No connection could be made because the target machine actively refused it.\r\n";
    case WSAEHOSTUNREACH: return "A socket operation was attempted to an unreachable host.\r\n";
    case WSASYSNOTREADY:
        return "WSAStartup cannot function at this time because the underlying system it uses to provide network "
               "services is currently unavailable.\r\n";
    case WSAVERNOTSUPPORTED: return "The Windows Sockets version requested is not supported.\r\n";
    case WSANOTINITIALISED: return "Either the application has not called WSAStartup, or WSAStartup failed.\r\n";
    case WSAHOST_NOT_FOUND: return "No such host is known.\r\n";
    case WSATRY_AGAIN:
        return "This is usually a temporary error during hostname resolution and means that the local server did not "
               "receive a response from an authoritative server.\r\n";
    case WSANO_RECOVERY: return "A non-recoverable error occurred during a database lookup.\r\n";
    case WSANO_DATA: return "The requested name is valid, but no data of the requested type was found.\r\n";
    default: return nullptr;
    }
}

} // namespace vtl
