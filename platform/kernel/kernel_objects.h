// The process's handle table behind the Windows-shaped HANDLE of synch.h.
#ifndef VANTREL_PLATFORM_KERNEL_KERNEL_OBJECTS_H
#define VANTREL_PLATFORM_KERNEL_KERNEL_OBJECTS_H

#include <vantrel/win32/types.h>

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

template <class Change>
void changeSignal(Change change)
{
    changeSignalRaw([](void* c) { (*static_cast<Change*>(c))(); }, &change);
}

} // namespace vtl

#endif
