// WSAAsyncSelect's watcher on POSIX (platform/host/sockets.h): one background
// thread polls every selected socket, woken through an eventfd when the set
// changes, and posts FD_READ and FD_WRITE to their windows with PostMessageA.
// Each event is posted once and then waits to be re-enabled, as Winsock does,
// so a window is never flooded while its socket stays readable.
#ifndef VANTREL_PLATFORM_HOST_POSIX_SOCKET_NOTIFIER_H
#define VANTREL_PLATFORM_HOST_POSIX_SOCKET_NOTIFIER_H

#include <vantrel/win32/winsock.h>

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace vtl {

class SocketNotifier {
public:
    SocketNotifier();
    ~SocketNotifier();
    SocketNotifier(const SocketNotifier&) = delete;
    SocketNotifier& operator=(const SocketNotifier&) = delete;

    // Starts (or replaces) notifications for `s`; both events start enabled.
    void select(SOCKET s, HWND window, UINT message, long events);
    // Stops notifications for `s`; once this returns the background thread no
    // longer watches it (its descriptor may be closed and reused).
    void forget(SOCKET s);
    bool watches(SOCKET s);
    // Re-enables FD_READ after the socket was read, FD_WRITE after a send
    // would have blocked.
    void reenableRead(SOCKET s);
    void reenableWrite(SOCKET s);
    // Forgets every socket and stops the thread.
    void stopAll();

private:
    struct Selection {
        HWND window;
        UINT message;
        long events;
        bool readEnabled;
        bool writeEnabled;
    };

    void run();
    void wake();
    // Waits (lock held) until the thread has rebuilt its set of sockets.
    void waitForThread(std::unique_lock<std::mutex>& lock);
    void reenable(SOCKET s, bool read);

    std::mutex mutex_;
    std::condition_variable rebuilt_;
    std::map<SOCKET, Selection> selections_;
    std::thread thread_;
    int wakeFd_ = -1;
    bool stopping_ = false;
    uint64_t changes_ = 0;     // bumped by every change to selections_
    uint64_t changesSeen_ = 0; // the last change the thread has taken in
};

SocketNotifier& socketNotifier();

} // namespace vtl

#endif
