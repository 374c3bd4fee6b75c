// Critical sections: a recursive lock per CRITICAL_SECTION, made by
// Initialize and kept behind the structure's LockSemaphore member; the
// owner and recursion count are mirrored in the structure, where a
// debugger (or a game's own assertion) reads them on Windows.
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/synch.h>

#include <condition_variable>
#include <mutex>

namespace vtl {
namespace {

struct Section {
    std::mutex lock;
    std::condition_variable released;
    DWORD owner = 0;
    LONG count = 0;
};

Section* sectionOf(LPCRITICAL_SECTION section)
{
    return section ? static_cast<Section*>(section->LockSemaphore) : nullptr;
}

void mirror(LPCRITICAL_SECTION section, const Section& s)
{
    section->OwningThread = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(s.owner));
    section->RecursionCount = s.count;
    section->LockCount = s.count > 0 ? 0 : -1;
}

} // namespace
} // namespace vtl

void InitializeCriticalSection(LPCRITICAL_SECTION section)
{
    VTL_TRACE(kernel, "InitializeCriticalSection", static_cast<const void*>(section));
    if (!section)
        return;
    section->DebugInfo = nullptr;
    section->SpinCount = 0;
    section->LockSemaphore = new vtl::Section;
    vtl::mirror(section, *vtl::sectionOf(section));
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount)
{
    InitializeCriticalSection(section);
    if (section)
        section->SpinCount = spinCount;
    return TRUE;
}

void EnterCriticalSection(LPCRITICAL_SECTION section)
{
    VTL_TRACE(kernel, "EnterCriticalSection", static_cast<const void*>(section));
    vtl::Section* s = vtl::sectionOf(section);
    if (!s)
        return;
    const DWORD me = vtl::currentThreadId();
    std::unique_lock<std::mutex> lock(s->lock);
    if (s->owner != me)
        s->released.wait(lock, [&] { return s->count == 0; });
    s->owner = me;
    ++s->count;
    vtl::mirror(section, *s);
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section)
{
    VTL_TRACE(kernel, "TryEnterCriticalSection", static_cast<const void*>(section));
    vtl::Section* s = vtl::sectionOf(section);
    if (!s)
        return vtlTraceCall_.result(FALSE);
    const DWORD me = vtl::currentThreadId();
    std::lock_guard<std::mutex> lock(s->lock);
    if (s->count > 0 && s->owner != me)
        return vtlTraceCall_.result(FALSE);
    s->owner = me;
    ++s->count;
    vtl::mirror(section, *s);
    return vtlTraceCall_.result(TRUE);
}

void LeaveCriticalSection(LPCRITICAL_SECTION section)
{
    VTL_TRACE(kernel, "LeaveCriticalSection", static_cast<const void*>(section));
    vtl::Section* s = vtl::sectionOf(section);
    if (!s)
        return;
    std::unique_lock<std::mutex> lock(s->lock);
    if (s->count == 0 || s->owner != vtl::currentThreadId())
        return;
    if (--s->count == 0) {
        s->owner = 0;
        lock.unlock();
        s->released.notify_one();
        lock.lock();
    }
    vtl::mirror(section, *s);
}

void DeleteCriticalSection(LPCRITICAL_SECTION section)
{
    VTL_TRACE(kernel, "DeleteCriticalSection", static_cast<const void*>(section));
    delete vtl::sectionOf(section);
    if (section)
        section->LockSemaphore = nullptr;
}
