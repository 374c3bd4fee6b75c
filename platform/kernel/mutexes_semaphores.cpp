// Mutexes and semaphores on the process's handle table, and the names they
// may be given.
//
// Both are tested and taken by the waiting thread itself with the wait lock
// held, so a mutex knows which thread took it without any other bookkeeping.
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include "platform/host/process.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/synch.h>

#include <map>
#include <mutex>
#include <string>

namespace vtl {
namespace {

class Mutex final : public KernelObject {
public:
    bool waitable() const override { return true; }
    bool signalled() const override { return count_ == 0 || owner_ == currentThreadId(); }
    void consume() override
    {
        owner_ = currentThreadId();
        ++count_;
    }
    DWORD owner_ = 0;
    unsigned count_ = 0;
};

class Semaphore final : public KernelObject {
public:
    Semaphore(LONG count, LONG maximum) : count_(count), maximum_(maximum) {}
    bool waitable() const override { return true; }
    bool signalled() const override { return count_ > 0; }
    void consume() override { --count_; }
    LONG count_;
    LONG maximum_;
};

// Names live as long as an object holds them: the table keeps weak
// references, so closing the last handle frees the name.
std::mutex gNamesLock;
std::map<std::string, std::weak_ptr<KernelObject>> gNames;

// Creates the object `make` makes, or opens the one of the same kind that
// holds `name`.  Sets the last error as Windows does on success too.
template <class Kind, class Make>
HANDLE createNamed(LPCSTR name, Make make)
{
    if (!name) {
        HANDLE handle = addHandle(make());
        setError(ERROR_SUCCESS);
        return handle;
    }
    VTL_UNSUPPORTED("CreateMutexA/CreateSemaphoreA across processes", "a name opens only this process's objects");
    std::lock_guard<std::mutex> lock(gNamesLock);
    if (auto existing = gNames[name].lock()) {
        if (!std::dynamic_pointer_cast<Kind>(existing)) {
            setError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        HANDLE handle = addHandle(existing);
        setError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    std::shared_ptr<Kind> created = make();
    gNames[name] = created;
    HANDLE handle = addHandle(created);
    setError(ERROR_SUCCESS);
    return handle;
}

template <class Kind>
std::shared_ptr<Kind> objectOf(HANDLE handle)
{
    auto object = std::dynamic_pointer_cast<Kind>(findHandle(handle));
    if (!object)
        setError(ERROR_INVALID_HANDLE);
    return object;
}

} // namespace
} // namespace vtl

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL initialOwner, LPCSTR name)
{
    VTL_TRACE(kernel, "CreateMutexA", initialOwner, name);
    return vtlTraceCall_.result(vtl::createNamed<vtl::Mutex>(name, [&] {
        auto mutex = std::make_shared<vtl::Mutex>();
        if (initialOwner) {
            mutex->owner_ = vtl::currentThreadId();
            mutex->count_ = 1;
        }
        return mutex;
    }));
}

BOOL ReleaseMutex(HANDLE handle)
{
    VTL_TRACE(kernel, "ReleaseMutex", handle);
    auto mutex = vtl::objectOf<vtl::Mutex>(handle);
    if (!mutex)
        return vtlTraceCall_.result(FALSE);
    bool owned = false;
    vtl::changeSignal([&] {
        owned = mutex->count_ > 0 && mutex->owner_ == vtl::currentThreadId();
        if (owned && --mutex->count_ == 0)
            mutex->owner_ = 0;
    });
    if (!owned) {
        SetLastError(ERROR_NOT_OWNER);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(TRUE);
}

HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES, LONG initialCount, LONG maximumCount, LPCSTR name)
{
    VTL_TRACE(kernel, "CreateSemaphoreA", initialCount, maximumCount, name);
    if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    return vtlTraceCall_.result(vtl::createNamed<vtl::Semaphore>(
        name, [&] { return std::make_shared<vtl::Semaphore>(initialCount, maximumCount); }));
}

BOOL ReleaseSemaphore(HANDLE handle, LONG releaseCount, LPLONG previousCount)
{
    VTL_TRACE(kernel, "ReleaseSemaphore", handle, releaseCount, previousCount);
    auto semaphore = vtl::objectOf<vtl::Semaphore>(handle);
    if (!semaphore)
        return vtlTraceCall_.result(FALSE);
    if (releaseCount <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    bool fits = false;
    LONG previous = 0;
    vtl::changeSignal([&] {
        previous = semaphore->count_;
        fits = releaseCount <= semaphore->maximum_ - previous;
        if (fits)
            semaphore->count_ += releaseCount;
    });
    if (!fits) {
        SetLastError(ERROR_TOO_MANY_POSTS);
        return vtlTraceCall_.result(FALSE);
    }
    if (previousCount)
        *previousCount = previous;
    return vtlTraceCall_.result(TRUE);
}

DWORD GetCurrentProcessId()
{
    return vtl::host::currentProcessId();
}
