// UDP, datagram networking with window-message notification.
//
// One side hosts: it binds a well-known port P and sends to port P - 1; the
// others join: they bind P - 1, send a join datagram to the host on P and then
// talk to it there.  Addresses are IPv4 addresses in network byte order (as
// inet_addr gives them) that the game keeps: the class keeps no list of peers.
//
// Socket events and name look-ups arrive as window messages to the window
// given to init:
//   VTL_WM_SOCKET (0x464): the socket has data (WSAGETSELECTEVENT(lParam) is
//     FD_READ: call recv until it returns false) or can send (FD_WRITE).
//   VTL_WM_HOSTLOOKUP (0x465): the look-up started by resolve has ended: pass
//     WSAGETASYNCERROR(lParam) to responce.
//
// Join datagram (56 bytes): 01 00 02 00, the lengths of the two texts (one
// byte each), then "<text1>-<text2>" and a zero byte; the rest is zero.  The
// joined text is at most 49 characters: longer texts are cut there (the
// length bytes still give the lengths passed in, up to 255).
//
// Nothing is reported through Msg; every failure returns false or null.
#ifndef VANTREL_UDP_H
#define VANTREL_UDP_H

#include <vantrel/out32.h>
#include <vantrel/win32/types.h>
#include <vantrel/win32/winsock.h>

#define VTL_WM_SOCKET 0x464     // WM_USER + 100
#define VTL_WM_HOSTLOOKUP 0x465 // WM_USER + 101

// The result of a look-up.
struct _HOSTDATA {
    char* name;    // the host's official name, inside the library's buffer
    DWORD address; // its first IPv4 address, network byte order
};

class VANTREL_API UDP {
public:
    SOCKET socket;             // INVALID_SOCKET after a failed open and after quit
    unsigned short port;       // the port given to host or join
    unsigned short portOffset; // 1 after host, 0 after join: send goes to port - portOffset
    HWND window;               // receives the messages; set by init

    // Starts the socket layer (version 1.1) and keeps `window`.
    bool init(HWND window);
    // Stops the socket layer (after quit).
    void destroy();
    // Opens the socket on `port` and asks for VTL_WM_SOCKET; sends then go to
    // port - 1.  Calling host or join again opens another socket without
    // closing the first.
    bool host(unsigned short port);
    // Opens the socket on `port` - 1, asks for VTL_WM_SOCKET and sends the join
    // datagram to `address` at `port`, where later sends go too.  Null texts
    // are taken as empty.
    bool join(unsigned long address, unsigned short port, const char* text1, const char* text2);
    // One datagram of `size` bytes to `address`; true when all were sent.
    bool send(unsigned long address, const void* data, unsigned int size);
    // Reads one waiting datagram into `data` and its sender's address into
    // `*from`.  `*size` is the number of bytes stored in `data`: the
    // datagram's length, or `capacity` when the datagram was longer (its rest
    // is dropped).  False, without waiting, when nothing is waiting (an empty
    // datagram counts as nothing and is dropped).
    bool recv(unsigned long* from, void* data, int* size, int capacity);
    // The same for a sender kept in a DWORD (see out32.h).
    bool recv(VTLDwordOut from, void* data, int* size, int capacity);
    // Closes the socket and forgets it (a second quit closes nothing).
    void quit();
    // Starts a look-up of a host name or a dotted address ("10.0.0.1"); true
    // if it started.  One look-up at a time: the result lands in one buffer
    // shared by every UDP object.  A dotted address with no name completes
    // with the dotted form as its name.
    bool resolve(const char* name);
    // The result of the look-up that ended, or null when `error` is not 0.  It
    // stays valid until the next responce.
    _HOSTDATA* responce(unsigned int error);

    HWND hwnd() { return window; }

private:
    bool open(unsigned short networkPort);
};

#endif
