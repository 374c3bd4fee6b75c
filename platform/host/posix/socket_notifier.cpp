#include "platform/host/posix/socket_notifier.h"
#include "platform/host/threads.h"

#include <vantrel/win32/window.h>

#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace vtl {

// Never destroyed: a game closes its sockets (closesocket forgets them here)
// from the destructors of its globals as often as from main, and those may
// run after this file's statics are gone.  A watcher thread still running at
// exit ends with the process.
SocketNotifier& socketNotifier()
{
    static auto* notifier = new SocketNotifier;
    return *notifier;
}

SocketNotifier::SocketNotifier() = default;

SocketNotifier::~SocketNotifier()
{
    stopAll();
}

void SocketNotifier::wake()
{
    if (wakeFd_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

void SocketNotifier::waitForThread(std::unique_lock<std::mutex>& lock)
{
    if (!thread_.joinable())
        return;
    const uint64_t change = ++changes_;
    wake();
    rebuilt_.wait(lock, [&] { return changesSeen_ >= change || stopping_; });
}

void SocketNotifier::select(SOCKET s, HWND window, UINT message, long events)
{
    std::unique_lock<std::mutex> lock(mutex_);
    selections_[s] = Selection{window, message, events, true, true};
    if (!thread_.joinable()) {
        wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        stopping_ = false;
        vtl::host::startThread(thread_, [this] { run(); });
    }
    ++changes_;
    wake();
}

void SocketNotifier::forget(SOCKET s)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (selections_.erase(s) == 0)
        return;
    waitForThread(lock);
}

bool SocketNotifier::watches(SOCKET s)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return selections_.count(s) != 0;
}

void SocketNotifier::reenable(SOCKET s, bool read)
{
    std::unique_lock<std::mutex> lock(mutex_);
    auto it = selections_.find(s);
    if (it == selections_.end())
        return;
    bool& enabled = read ? it->second.readEnabled : it->second.writeEnabled;
    if (enabled)
        return;
    enabled = true;
    ++changes_;
    wake();
}

void SocketNotifier::reenableRead(SOCKET s)
{
    reenable(s, true);
}

void SocketNotifier::reenableWrite(SOCKET s)
{
    reenable(s, false);
}

void SocketNotifier::stopAll()
{
    std::thread finished;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        selections_.clear();
        if (!thread_.joinable())
            return;
        stopping_ = true;
        wake();
        finished = std::move(thread_);
    }
    finished.join();
    std::lock_guard<std::mutex> lock(mutex_);
    ::close(wakeFd_);
    wakeFd_ = -1;
    rebuilt_.notify_all();
}

void SocketNotifier::run()
{
    struct Post {
        HWND window;
        UINT message;
        SOCKET s;
        WORD event;
    };
    std::vector<pollfd> fds;
    std::vector<SOCKET> sockets;
    std::vector<Post> posts;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (stopping_)
                return;
            fds.clear();
            sockets.clear();
            fds.push_back(pollfd{wakeFd_, POLLIN, 0});
            for (const auto& [s, sel] : selections_) {
                short wanted = 0;
                if ((sel.events & FD_READ) && sel.readEnabled)
                    wanted |= POLLIN;
                if ((sel.events & FD_WRITE) && sel.writeEnabled)
                    wanted |= POLLOUT;
                if (wanted) {
                    fds.push_back(pollfd{static_cast<int>(s), wanted, 0});
                    sockets.push_back(s);
                }
            }
            changesSeen_ = changes_;
            rebuilt_.notify_all();
        }

        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
            // Out of resources: give up rather than spin, and release anyone
            // waiting for the set to be rebuilt.
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
            rebuilt_.notify_all();
            return;
        }
        if (fds[0].revents) {
            uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }

        posts.clear();
        {
            std::unique_lock<std::mutex> lock(mutex_);
            for (size_t i = 1; i < fds.size(); ++i) {
                const short got = fds[i].revents;
                if (!got)
                    continue;
                auto it = selections_.find(sockets[i - 1]);
                if (it == selections_.end())
                    continue; // forgotten while we waited
                Selection& sel = it->second;
                if (got & POLLNVAL) {
                    // Closed behind the library's back: stop watching it.
                    selections_.erase(it);
                    continue;
                }
                // An error or hang-up is reported as readable: the read that
                // follows collects the error.
                if ((got & (POLLIN | POLLERR | POLLHUP)) && sel.readEnabled && (sel.events & FD_READ)) {
                    sel.readEnabled = false;
                    posts.push_back(Post{sel.window, sel.message, it->first, FD_READ});
                }
                if ((got & POLLOUT) && sel.writeEnabled && (sel.events & FD_WRITE)) {
                    sel.writeEnabled = false;
                    posts.push_back(Post{sel.window, sel.message, it->first, FD_WRITE});
                }
            }
        }
        for (const Post& p : posts)
            PostMessageA(p.window, p.message, static_cast<WPARAM>(p.s), WSAMAKESELECTREPLY(p.event, 0));
    }
}

} // namespace vtl

namespace vtl::host {

void watchSocket(SOCKET s, HWND window, UINT message, long events)
{
    socketNotifier().select(s, window, message, events);
}

void forgetSocket(SOCKET s)
{
    socketNotifier().forget(s);
}

bool isWatched(SOCKET s)
{
    return socketNotifier().watches(s);
}

void rearmRead(SOCKET s)
{
    socketNotifier().reenableRead(s);
}

void rearmWrite(SOCKET s)
{
    socketNotifier().reenableWrite(s);
}

void stopWatchingSockets()
{
    socketNotifier().stopAll();
}

} // namespace vtl::host
