#include "platform/user/remote_windows.h"

#include "platform/user/message_queue.h"
#include "platform/user/video_backend.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

namespace vtl {
namespace {

struct Request {
    uint64_t hwnd;
    uint64_t request;
};

std::mutex gMutex;
std::string gDirectory;
bool gListening = false;

std::string sanitize(const char* text)
{
    std::string out;
    for (const char* p = text; p && *p; ++p)
        out += (std::isalnum(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-') ? *p : '_';
    return out.empty() ? "default" : out;
}

// The desktop's directory, made on first use (owner-only).
const std::string& directory()
{
    std::lock_guard<std::mutex> lock(gMutex);
    if (!gDirectory.empty())
        return gDirectory;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime && *runtime ? std::string(runtime) : std::string("/tmp");
    base += "/vantrel-" + std::to_string(static_cast<unsigned long>(::getuid()));
    ::mkdir(base.c_str(), 0700);
    std::string desktopName;
    if (std::strcmp(videoBackend().name(), "headless") == 0)
        desktopName = "headless-" + sanitize(std::getenv("VANTREL_HEADLESS_DESKTOP"));
    else
        desktopName = "display-" + sanitize(std::getenv("DISPLAY"));
    gDirectory = base + "/" + desktopName;
    ::mkdir(gDirectory.c_str(), 0700);
    return gDirectory;
}

uint32_t pidOf(HWND hwnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd) >> 32); }

std::string entryPath(HWND hwnd)
{
    char name[40];
    std::snprintf(name, sizeof name, "/%016llx.win",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
    return directory() + name;
}

std::string socketPath(uint32_t pid) { return directory() + "/" + std::to_string(pid) + ".sock"; }

bool alive(uint32_t pid) { return pid != 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

struct Entry {
    std::string className;
    std::string title;
    bool iconic = false;
};

bool readEntry(HWND hwnd, Entry* e)
{
    if (!alive(pidOf(hwnd))) {
        ::unlink(entryPath(hwnd).c_str());
        return false;
    }
    std::ifstream in(entryPath(hwnd));
    if (!in)
        return false;
    std::string iconic;
    if (!std::getline(in, e->className) || !std::getline(in, e->title) || !std::getline(in, iconic))
        return false;
    e->iconic = iconic == "1";
    return true;
}

// Receives requests from other processes and hands each to the thread of
// the window it is for.
void listen(int fd)
{
    for (;;) {
        Request r;
        ssize_t n = ::recv(fd, &r, sizeof r, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return;
        if (n != sizeof r)
            continue;
        HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(r.hwnd));
        if (WindowRef w = lookupWindow(hwnd))
            postTo(*w->queue, MSG{hwnd, kRemoteRequestMessage, static_cast<WPARAM>(r.request), 0, tickCount(), {0, 0}});
    }
}

void removeOurFiles()
{
    std::string dir;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        dir = gDirectory;
    }
    if (dir.empty())
        return;
    ::unlink((dir + "/" + std::to_string(::getpid()) + ".sock").c_str());
    for (const WindowRef& w : allWindows()) {
        char name[40];
        std::snprintf(name, sizeof name, "/%016llx.win",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w->handle)));
        ::unlink((dir + name).c_str());
    }
}

void startListening()
{
    {
        std::lock_guard<std::mutex> lock(gMutex);
        if (gListening)
            return;
        gListening = true;
    }
    std::string path = socketPath(static_cast<uint32_t>(::getpid()));
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return;
    sockaddr_un addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        ::close(fd);
        return;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return;
    }
    std::atexit(removeOurFiles);
    std::thread(listen, fd).detach();
}

} // namespace

void publishWindow(const Window& w)
{
    if (w.parent || w.destroying)
        return;
    startListening();
    std::string path = entryPath(w.handle);
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out)
            return;
        out << w.cls->name << '\n' << w.title << '\n' << ((w.style & WS_MINIMIZE) ? 1 : 0) << '\n';
    }
    // Readers see the old entry or the new one, never half of one.
    std::rename(temp.c_str(), path.c_str());
}

void unpublishWindow(HWND hwnd)
{
    bool published;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        published = !gDirectory.empty();
    }
    if (published)
        ::unlink(entryPath(hwnd).c_str());
}

bool isRemoteHandle(HWND hwnd)
{
    uint32_t pid = pidOf(hwnd);
    return hwnd && pid != 0 && pid != static_cast<uint32_t>(::getpid());
}

HWND findRemoteWindow(const char* className, const char* title)
{
    DIR* dir = ::opendir(directory().c_str());
    if (!dir)
        return nullptr;
    HWND found = nullptr;
    while (dirent* d = ::readdir(dir)) {
        const char* name = d->d_name;
        size_t len = std::strlen(name);
        if (len != 20 || std::strcmp(name + 16, ".win") != 0)
            continue;
        HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(name, nullptr, 16)));
        Entry e;
        if (!isRemoteHandle(hwnd) || !readEntry(hwnd, &e))
            continue;
        if (className && strcasecmp(e.className.c_str(), className) != 0)
            continue;
        if (title && e.title != title)
            continue;
        found = hwnd;
        break;
    }
    ::closedir(dir);
    return found;
}

bool remoteWindowExists(HWND hwnd)
{
    Entry e;
    return readEntry(hwnd, &e);
}

bool remoteWindowIconic(HWND hwnd)
{
    Entry e;
    return readEntry(hwnd, &e) && e.iconic;
}

bool sendRemoteRequest(HWND hwnd, RemoteRequest request)
{
    if (!remoteWindowExists(hwnd))
        return false;
    std::string path = socketPath(pidOf(hwnd));
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        ::close(fd);
        return false;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    Request r = {static_cast<uint64_t>(reinterpret_cast<uintptr_t>(hwnd)), static_cast<uint64_t>(request)};
    ssize_t n = ::sendto(fd, &r, sizeof r, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::close(fd);
    return n == static_cast<ssize_t>(sizeof r);
}

void handleRemoteRequest(HWND hwnd, WPARAM request)
{
    if (!lookupWindow(hwnd))
        return;
    if (request == kRemoteRestore)
        ShowWindow(hwnd, SW_RESTORE);
    else if (request == kRemoteForeground)
        SetForegroundWindow(hwnd);
}

} // namespace vtl
