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

// Closes a handle from this header.  A thread keeps running when its handle
// is closed.
VANTREL_API BOOL CloseHandle(HANDLE object);

#endif
