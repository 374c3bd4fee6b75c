// The process's handle table behind the Windows-shaped HANDLE of synch.h.
#ifndef VANTREL_PLATFORM_KERNEL_KERNEL_OBJECTS_H
#define VANTREL_PLATFORM_KERNEL_KERNEL_OBJECTS_H

#include <vantrel/win32/types.h>

#include <cstdint>
#include <memory>

namespace vtl {

// Anything a HANDLE can name.  Waitable objects report whether they are
// signalled and, for automatic-reset events, consume the signal.
class KernelObject {
public:
    virtual ~KernelObject() = default;
    // Called with the table's wait lock held.
    virtual bool signalled() const { return false; }
    virtual void consume() {}
    virtual bool waitable() const { return false; }
    // A wait begins and ends on the object, with the wait lock held.  The
    // ticket beginWait returns comes back to signalledFor and consumeFor,
    // for objects whose signal is meant only for the threads that were
    // already waiting when it came (a pulsed event).
    virtual uint64_t beginWait() { return 0; }
    virtual void endWait() {}
    virtual bool signalledFor(uint64_t) const { return signalled(); }
    virtual void consumeFor(uint64_t) { consume(); }
};

// Adds an object to the table and returns its new handle.
HANDLE addHandle(std::shared_ptr<KernelObject> object);
// The object a handle names, or null when the handle is not open.
std::shared_ptr<KernelObject> findHandle(HANDLE handle);
// Wakes every waiter to re-test its objects; call after an object's
// signalled state changed (changeSignal does both under the wait lock).
template <class Change>
void changeSignal(Change change);
void changeSignalRaw(void (*change)(void*), void* context);

// The calling thread's id, given on its first call for threads the
// platform did not start.
DWORD currentThreadId();

template <class Change>
void changeSignal(Change change)
{
    changeSignalRaw([](void* c) { (*static_cast<Change*>(c))(); }, &change);
}

} // namespace vtl

#endif
