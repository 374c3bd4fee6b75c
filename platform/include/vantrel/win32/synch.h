// Windows-shaped kernel objects for threads that wait on each other: events,
// threads, and the waits on them.
//
// A HANDLE names an entry of the process's handle table.  Closing a handle
// removes the entry; using a closed handle fails (FALSE or WAIT_FAILED)
// instead of touching freed memory, as on the system games were written for.
// A closed handle, one that never was and one of the wrong kind (SetEvent on
// a thread) all fail with ERROR_INVALID_HANDLE; a call that succeeds leaves
// the last error as it was.
// Handle values are never reused within a process.
#ifndef VANTREL_WIN32_SYNCH_H
#define VANTREL_WIN32_SYNCH_H

#include <vantrel/win32/types.h>

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED ((DWORD)0xFFFFFFFF)
#define MAXIMUM_WAIT_OBJECTS 64
#define STILL_ACTIVE 0x00000103L

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID parameter);

// An event: manual reset (stays signalled until ResetEvent) or automatic
// (a satisfied wait clears it).  Names are not supported: a non-null name
// fails.
VANTREL_API HANDLE CreateEventA(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
#define CreateEvent CreateEventA
VANTREL_API BOOL SetEvent(HANDLE event);
VANTREL_API BOOL ResetEvent(HANDLE event);

// Starts `start(parameter)` on a new thread.  The handle is signalled when
// the thread ends; creation flags other than 0 are refused.  `threadId`
// receives a process-unique number when given.
VANTREL_API HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                                LPVOID parameter, DWORD flags, LPDWORD threadId);
VANTREL_API BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// Waits for an event or a thread; WAIT_OBJECT_0 + index, WAIT_TIMEOUT or
// WAIT_FAILED (a handle that is not open).
VANTREL_API DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
VANTREL_API DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL waitAll, DWORD milliseconds);

// An event set and at once reset: the threads waiting on it when it is
// pulsed are released (a manual-reset event's all, an automatic one's
// first), a thread that begins to wait afterwards is not.
VANTREL_API BOOL PulseEvent(HANDLE event);

// A mutex: owned by the thread whose wait succeeded, as often as it waited;
// ReleaseMutex by any other thread fails with ERROR_NOT_OWNER.  A semaphore:
// a count between 0 and its maximum, taken one by each wait; a release
// beyond the maximum fails with ERROR_TOO_MANY_POSTS.  Names are the
// process's own: a second Create with the name opens the same object and
// sets ERROR_ALREADY_EXISTS (another kind's name fails with
// ERROR_INVALID_HANDLE), and a successful Create otherwise sets 0.  Objects
// of other processes are not seen, so a game's "already running" check
// always finds itself alone (said once through Msg).
#define WAIT_ABANDONED 0x00000080L
VANTREL_API HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initialOwner, LPCSTR name);
VANTREL_API BOOL ReleaseMutex(HANDLE mutex);
VANTREL_API HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES attributes, LONG initialCount, LONG maximumCount,
                                    LPCSTR name);
VANTREL_API BOOL ReleaseSemaphore(HANDLE semaphore, LONG releaseCount, LPLONG previousCount);
#define CreateMutex CreateMutexA
#define CreateSemaphore CreateSemaphoreA

// The calling thread and process.  Thread ids are unique in the process;
// the pseudo-handles name the caller wherever a handle is taken and need no
// closing (CloseHandle on them succeeds).
VANTREL_API DWORD GetCurrentThreadId();
VANTREL_API HANDLE GetCurrentThread();
VANTREL_API DWORD GetCurrentProcessId();
VANTREL_API HANDLE GetCurrentProcess();

// Priorities are recorded and reported, not given to the host's scheduler
// (which would need privileges a game does not have); said once through
// Msg.  Values other than the seven below fail with ERROR_INVALID_PARAMETER.
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF
VANTREL_API BOOL SetThreadPriority(HANDLE thread, int priority);
VANTREL_API int GetThreadPriority(HANDLE thread);

// A critical section: a lock one thread may take again and again, for the
// threads of this process only.  The structure has Windows' size; what the
// platform keeps for it is made by Initialize and freed by Delete.
// Leaving a section the caller does not hold is a mistake Windows does not
// catch; here it changes nothing.
typedef struct _RTL_CRITICAL_SECTION_DEBUG* PRTL_CRITICAL_SECTION_DEBUG;
typedef struct _RTL_CRITICAL_SECTION {
    PRTL_CRITICAL_SECTION_DEBUG DebugInfo;
    LONG LockCount;
    LONG RecursionCount;
    HANDLE OwningThread;
    HANDLE LockSemaphore;
    ULONG_PTR SpinCount;
} RTL_CRITICAL_SECTION, CRITICAL_SECTION, *PCRITICAL_SECTION, *LPCRITICAL_SECTION;
VANTREL_API void InitializeCriticalSection(LPCRITICAL_SECTION section);
VANTREL_API BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION section, DWORD spinCount);
VANTREL_API void EnterCriticalSection(LPCRITICAL_SECTION section);
VANTREL_API BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
VANTREL_API void LeaveCriticalSection(LPCRITICAL_SECTION section);
VANTREL_API void DeleteCriticalSection(LPCRITICAL_SECTION section);

// The interlocked calls: sequentially consistent atomic operations on
// aligned 32-bit values and pointers, returning what Windows returns (the
// new value for Increment and Decrement, the old one for the others).
inline LONG InterlockedIncrement(LONG volatile* addend)
{
    return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedDecrement(LONG volatile* addend)
{
    return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchange(LONG volatile* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value)
{
    return __atomic_fetch_add(addend, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand)
{
    __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}
inline PVOID InterlockedExchangePointer(PVOID volatile* target, PVOID value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline PVOID InterlockedCompareExchangePointer(PVOID volatile* destination, PVOID exchange, PVOID comparand)
{
    __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return comparand;
}

// Closes a handle from this header.  A thread keeps running when its handle
// is closed.
VANTREL_API BOOL CloseHandle(HANDLE object);

#endif
