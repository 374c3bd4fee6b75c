#include "platform/user/remote_windows.h"

#include "platform/user/message_queue.h"
#include "platform/user/video_backend.h"

#include "platform/host/files.h"
#include "platform/host/local_datagrams.h"
#include "platform/host/process.h"
#include "platform/kernel/ascii_case.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>

namespace vtl {
namespace {

struct Request {
    uint64_t hwnd;
    uint64_t request;
};

std::mutex gDirectoryMutex;
// Never destroyed: windows are unpublished as they are destroyed, which a
// game's globals may do after this file's statics are gone.
std::string& knownDirectory()
{
    static auto* directory = new std::string;
    return *directory;
}
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
    std::lock_guard<std::mutex> lock(gDirectoryMutex);
    if (!knownDirectory().empty())
        return knownDirectory();
    const std::string base = host::userRuntimeFolder();
    std::string desktopName;
    if (std::strcmp(videoBackend().name(), "headless") == 0)
        desktopName = "headless-" + sanitize(std::getenv("VANTREL_HEADLESS_DESKTOP"));
    else
        desktopName = "display-" + sanitize(std::getenv("DISPLAY"));
    knownDirectory() = base + "/" + desktopName;
    host::makePrivateFolder(knownDirectory());
    return knownDirectory();
}

std::string slotPath(uint32_t slot) { return directory() + "/" + std::to_string(slot) + ".slot"; }

// The process that holds a slot, or 0 when nobody does.
uint32_t pidOfSlot(uint32_t slot)
{
    std::ifstream in(slotPath(slot));
    unsigned long pid = 0;
    if (!(in >> pid))
        return 0;
    return static_cast<uint32_t>(pid);
}

uint32_t gClaimedSlot = 0;

void giveBackSlot()
{
    if (gClaimedSlot && pidOfSlot(gClaimedSlot) == host::currentProcessId())
        std::remove(slotPath(gClaimedSlot).c_str());
}

// Takes a free slot, or one whose process has ended, by creating its file
// exclusively with our process id in it.
uint32_t claimSlot()
{
    const uint32_t self = host::currentProcessId();
    for (int pass = 0; pass < 2; ++pass) {
        for (uint32_t slot = 1; slot <= kLastWindowSlot; ++slot) {
            const std::string path = slotPath(slot);
            if (pass == 1) {
                uint32_t holder = pidOfSlot(slot);
                if (holder == 0 || holder == self || host::processAlive(holder))
                    continue;
                std::remove(path.c_str()); // its process has ended
            }
            if (std::FILE* f = std::fopen(path.c_str(), "wx")) {
                std::fprintf(f, "%lu\n", static_cast<unsigned long>(self));
                std::fclose(f);
                gClaimedSlot = slot;
                std::atexit(giveBackSlot);
                return slot;
            }
        }
    }
    // Every slot taken by a live process: share one, chosen by our id.
    return 1 + self % kLastWindowSlot;
}

uint32_t pidOf(HWND hwnd)
{
    const uint32_t slot = windowSlotOf(hwnd);
    if (slot == 0)
        return 0;
    return slot == windowSlot() ? host::currentProcessId() : pidOfSlot(slot);
}

std::string entryName(HWND hwnd)
{
    char name[40];
    std::snprintf(name, sizeof name, "/%016llx.win", static_cast<unsigned long long>(windowHandleValue(hwnd)));
    return name;
}

std::string entryPath(HWND hwnd) { return directory() + entryName(hwnd); }

std::string socketPath(uint32_t pid) { return directory() + "/" + std::to_string(pid) + ".sock"; }

bool alive(uint32_t pid) { return host::processAlive(pid); }

struct Entry {
    std::string className;
    std::string title;
    bool iconic = false;
};

bool readEntry(HWND hwnd, Entry* e)
{
    const uint32_t pid = pidOf(hwnd);
    if (pid == 0 || !alive(pid)) {
        std::remove(entryPath(hwnd).c_str());
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

// Hands a request from another process to the thread of the window it is
// for (called on the host's receiving thread).
void deliver(const void* data, size_t size)
{
    Request r;
    if (size != sizeof r)
        return;
    std::memcpy(&r, data, sizeof r);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(r.hwnd));
    if (WindowRef w = lookupWindow(hwnd))
        postTo(*w->queue, MSG{hwnd, kRemoteRequestMessage, static_cast<WPARAM>(r.request), 0, tickCount(), {0, 0}});
}

void removeOurFiles()
{
    std::string dir;
    {
        std::lock_guard<std::mutex> lock(gDirectoryMutex);
        dir = knownDirectory();
    }
    if (dir.empty())
        return;
    std::remove((dir + "/" + std::to_string(host::currentProcessId()) + ".sock").c_str());
    for (const WindowRef& w : allWindows())
        std::remove((dir + entryName(w->handle)).c_str());
}

void startListening()
{
    {
        std::lock_guard<std::mutex> lock(gDirectoryMutex);
        if (gListening)
            return;
        gListening = true;
    }
    if (!host::receiveLocalDatagrams(socketPath(host::currentProcessId()), deliver))
        return;
    std::atexit(removeOurFiles);
}

} // namespace

// A child made by fork() without exec claims a slot of its own with its
// first window, so that parent and child never make the same handle.
uint32_t windowSlot()
{
    static std::mutex slotMutex;
    static uint32_t slot = 0, claimedBy = 0;
    std::lock_guard<std::mutex> lock(slotMutex);
    const uint32_t self = host::currentProcessId();
    if (!slot || claimedBy != self) {
        slot = claimSlot();
        claimedBy = self;
    }
    return slot;
}

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
        std::lock_guard<std::mutex> lock(gDirectoryMutex);
        published = !knownDirectory().empty();
    }
    if (published)
        std::remove(entryPath(hwnd).c_str());
}

bool isRemoteHandle(HWND hwnd)
{
    const uint32_t slot = windowSlotOf(hwnd);
    return slot != 0 && slot != windowSlot();
}

HWND findRemoteWindow(const char* className, const char* title)
{
    for (const std::string& name : host::folderEntries(directory())) {
        if (name.size() != 20 || name.compare(16, 4, ".win") != 0)
            continue;
        HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(name.c_str(), nullptr, 16)));
        Entry e;
        if (!isRemoteHandle(hwnd) || !readEntry(hwnd, &e))
            continue;
        if (className && !equalNoCase(e.className.c_str(), className))
            continue;
        if (title && e.title != title)
            continue;
        return hwnd;
    }
    return nullptr;
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
    Request r = {windowHandleValue(hwnd), static_cast<uint64_t>(request)};
    const uint32_t pid = pidOf(hwnd);
    return pid != 0 && host::sendLocalDatagram(socketPath(pid), &r, sizeof r);
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
