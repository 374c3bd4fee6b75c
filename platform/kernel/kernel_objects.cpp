// Events, threads and waits over one process-wide handle table.
//
// One mutex and one condition variable serve every wait: signals are rare
// (a few a second per sound stream), and a single lock makes waiting on
// several objects at once simple and free of lost wake-ups.
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/trace.h"
#include "platform/host/threads.h"
#include "platform/host/waiting.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/synch.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace vtl {
namespace {

struct Table {
    std::mutex tableLock;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
    uintptr_t nextHandle = 4;

    std::mutex waitLock;
    std::condition_variable changed;
};

Table& table()
{
    static Table* t = new Table; // never destroyed: threads may outlive static destruction
    return *t;
}

// A pulse is kept as the ticket it came at: the waits that began before it
// (smaller tickets) see it, later ones do not.
class Event final : public KernelObject {
public:
    Event(bool manual, bool initial) : manual_(manual), set_(initial) {}
    bool signalled() const override { return set_; }
    void consume() override
    {
        if (!manual_)
            set_ = false;
    }
    bool waitable() const override { return true; }
    uint64_t beginWait() override
    {
        ++waiters_;
        return ++tickets_;
    }
    void endWait() override { --waiters_; }
    bool signalledFor(uint64_t ticket) const override
    {
        return set_ || (ticket < pulse_ && (manual_ || pulsePending_));
    }
    void consumeFor(uint64_t ticket) override
    {
        if (set_)
            consume();
        else if (ticket < pulse_ && !manual_)
            pulsePending_ = false;
    }
    void set(bool on) { set_ = on; }
    void pulse()
    {
        set_ = false;
        if (waiters_ == 0)
            return;
        pulse_ = ++tickets_;
        pulsePending_ = true;
    }

private:
    bool manual_;
    bool set_;
    unsigned waiters_ = 0;
    uint64_t tickets_ = 0;
    uint64_t pulse_ = 0;
    bool pulsePending_ = false; // an automatic event's pulse not yet taken
};

class Thread final : public KernelObject {
public:
    bool signalled() const override { return finished_; }
    bool waitable() const override { return true; }
    bool finished_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
    std::atomic<int> priority_{0};
};

std::atomic<DWORD> gNextThreadId{1};
thread_local DWORD tThreadId = 0;
// The thread object of a thread CreateThread started, so that the
// pseudo-handle and the real one agree on its priority.
thread_local std::shared_ptr<Thread> tSelf;

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

// The object of the kind asked for that `handle` names, or null with
// ERROR_INVALID_HANDLE: Windows reports a closed handle, a handle that never
// was and one of another kind alike.
template <class Kind>
std::shared_ptr<Kind> objectOf(HANDLE handle)
{
    auto object = std::dynamic_pointer_cast<Kind>(findHandle(handle));
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

} // namespace

HANDLE addHandle(std::shared_ptr<KernelObject> object)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.tableLock);
    uintptr_t id = t.nextHandle;
    t.nextHandle += 4;
    t.objects.emplace(id, std::move(object));
    return reinterpret_cast<HANDLE>(id);
}

std::shared_ptr<KernelObject> findHandle(HANDLE handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.tableLock);
    auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

void changeSignalRaw(void (*change)(void*), void* context)
{
    Table& t = table();
    {
        std::lock_guard<std::mutex> lock(t.waitLock);
        change(context);
    }
    t.changed.notify_all();
}

DWORD currentThreadId()
{
    if (tThreadId == 0)
        tThreadId = gNextThreadId++;
    return tThreadId;
}

} // namespace vtl

using vtl::findHandle;

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name)
{
    VTL_TRACE(kernel, "CreateEventA", manualReset, initialState, name);
    if (name)
        return vtlTraceCall_.result(nullptr);
    return vtlTraceCall_.result(vtl::addHandle(std::make_shared<vtl::Event>(manualReset != 0, initialState != 0)));
}

static BOOL setEventState(HANDLE handle, bool on)
{
    auto event = vtl::objectOf<vtl::Event>(handle);
    if (!event)
        return FALSE;
    vtl::changeSignal([&] { event->set(on); });
    return TRUE;
}

BOOL SetEvent(HANDLE event)
{
    VTL_TRACE(kernel, "SetEvent", event);
    return vtlTraceCall_.result(setEventState(event, true));
}

BOOL ResetEvent(HANDLE event)
{
    VTL_TRACE(kernel, "ResetEvent", event);
    return vtlTraceCall_.result(setEventState(event, false));
}

BOOL PulseEvent(HANDLE handle)
{
    VTL_TRACE(kernel, "PulseEvent", handle);
    auto event = vtl::objectOf<vtl::Event>(handle);
    if (!event)
        return vtlTraceCall_.result(FALSE);
    vtl::changeSignal([&] { event->pulse(); });
    return vtlTraceCall_.result(TRUE);
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD flags,
                    LPDWORD threadId)
{
    VTL_TRACE(kernel, "CreateThread", start, parameter, flags, threadId);
    if (!start || flags != 0)
        return vtlTraceCall_.result(nullptr);
    auto thread = std::make_shared<vtl::Thread>();
    HANDLE handle = vtl::addHandle(thread);
    DWORD id = vtl::gNextThreadId++;
    if (threadId)
        *threadId = id;
    // The thread holds its own reference, so closing the handle early is safe.
    const bool started = vtl::host::startDetachedThread([thread, start, parameter, id] {
        vtl::tThreadId = id;
        vtl::tSelf = thread;
        DWORD code = start(parameter);
        vtl::changeSignal([&] {
            thread->exitCode_ = code;
            thread->finished_ = true;
        });
    });
    if (!started) {
        // Where the host has no threads (a page), as where Windows runs out.
        CloseHandle(handle);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(nullptr);
    }
    return vtlTraceCall_.result(handle);
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode)
{
    VTL_TRACE(kernel, "GetExitCodeThread", handle, exitCode);
    auto thread = vtl::objectOf<vtl::Thread>(handle);
    if (!thread)
        return vtlTraceCall_.result(FALSE);
    if (!exitCode) {
        SetLastError(ERROR_NOACCESS);
        return vtlTraceCall_.result(FALSE);
    }
    std::lock_guard<std::mutex> lock(vtl::table().waitLock);
    *exitCode = thread->exitCode_;
    return vtlTraceCall_.result(TRUE);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
    VTL_TRACE(kernel, "WaitForMultipleObjects", count, handles, waitAll, milliseconds);
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(WAIT_FAILED);
    }
    std::shared_ptr<vtl::KernelObject> objects[MAXIMUM_WAIT_OBJECTS];
    for (DWORD i = 0; i < count; ++i) {
        objects[i] = findHandle(handles[i]);
        if (!objects[i] || !objects[i]->waitable()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return vtlTraceCall_.result(WAIT_FAILED);
        }
    }
    vtl::Table& t = vtl::table();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock<std::mutex> lock(t.waitLock);
    uint64_t tickets[MAXIMUM_WAIT_OBJECTS];
    for (DWORD i = 0; i < count; ++i)
        tickets[i] = objects[i]->beginWait();
    struct EndWaits {
        std::shared_ptr<vtl::KernelObject>* objects;
        DWORD count;
        ~EndWaits()
        {
            for (DWORD i = 0; i < count; ++i)
                objects[i]->endWait();
        }
    } endWaits{objects, count};
    bool timedOut = false;
    for (;;) {
        if (waitAll) {
            bool all = true;
            for (DWORD i = 0; i < count && all; ++i)
                all = objects[i]->signalledFor(tickets[i]);
            if (all) {
                for (DWORD i = 0; i < count; ++i)
                    objects[i]->consumeFor(tickets[i]);
                return vtlTraceCall_.result(WAIT_OBJECT_0);
            }
        } else {
            for (DWORD i = 0; i < count; ++i) {
                if (objects[i]->signalledFor(tickets[i])) {
                    objects[i]->consumeFor(tickets[i]);
                    return vtlTraceCall_.result(WAIT_OBJECT_0 + i);
                }
            }
        }
        if (timedOut)
            return vtlTraceCall_.result(WAIT_TIMEOUT);
        // The wait holds the objects, not their handles: as on Windows, a
        // handle closed by another thread meanwhile leaves this wait going,
        // and only a wait begun after the close fails.
        if (milliseconds == INFINITE)
            vtl::host::waitForWake(t.changed, lock);
        else
            timedOut = !vtl::host::waitUntil(t.changed, lock, deadline);
    }
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    VTL_TRACE(kernel, "WaitForSingleObject", object, milliseconds);
    return vtlTraceCall_.result(WaitForMultipleObjects(1, &object, FALSE, milliseconds));
}

BOOL CloseHandle(HANDLE handle)
{
    VTL_TRACE(kernel, "CloseHandle", handle);
    if (handle == vtl::kCurrentProcess || handle == vtl::kCurrentThread)
        return vtlTraceCall_.result(TRUE);
    vtl::Table& t = vtl::table();
    std::shared_ptr<vtl::KernelObject> closed;
    {
        std::lock_guard<std::mutex> lock(t.tableLock);
        auto it = t.objects.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.objects.end()) {
            SetLastError(ERROR_INVALID_HANDLE);
            return vtlTraceCall_.result(FALSE);
        }
        closed = std::move(it->second);
        t.objects.erase(it);
    }
    return vtlTraceCall_.result(TRUE);
}

DWORD GetCurrentThreadId()
{
    return vtl::currentThreadId();
}

HANDLE GetCurrentThread()
{
    return vtl::kCurrentThread;
}

HANDLE GetCurrentProcess()
{
    return vtl::kCurrentProcess;
}

static std::atomic<int>* priorityOf(HANDLE handle, std::shared_ptr<vtl::Thread>& keep)
{
    static thread_local std::atomic<int> unstarted{0};
    if (handle == vtl::kCurrentThread)
        return vtl::tSelf ? &vtl::tSelf->priority_ : &unstarted;
    keep = vtl::objectOf<vtl::Thread>(handle);
    return keep ? &keep->priority_ : nullptr;
}

BOOL SetThreadPriority(HANDLE thread, int priority)
{
    VTL_TRACE(kernel, "SetThreadPriority", thread, priority);
    std::shared_ptr<vtl::Thread> keep;
    std::atomic<int>* slot = priorityOf(thread, keep);
    if (!slot)
        return vtlTraceCall_.result(FALSE);
    if (priority != THREAD_PRIORITY_IDLE && priority != THREAD_PRIORITY_TIME_CRITICAL &&
        (priority < THREAD_PRIORITY_LOWEST || priority > THREAD_PRIORITY_HIGHEST)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    if (priority != THREAD_PRIORITY_NORMAL)
        VTL_UNSUPPORTED("SetThreadPriority", "records the priority; the host schedules every thread alike");
    slot->store(priority);
    return vtlTraceCall_.result(TRUE);
}

int GetThreadPriority(HANDLE thread)
{
    VTL_TRACE(kernel, "GetThreadPriority", thread);
    std::shared_ptr<vtl::Thread> keep;
    std::atomic<int>* slot = priorityOf(thread, keep);
    if (!slot)
        return vtlTraceCall_.result(THREAD_PRIORITY_ERROR_RETURN);
    return vtlTraceCall_.result(slot->load());
}
