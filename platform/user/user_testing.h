// Test hooks of the window system: make its calls fail (a window that can not
// be created, a timer refused...), so that tests reach the error paths of the
// code built on it.  A failing call sets the thread's last error to the
// result given.  The verbs are those of <vantrel/seam/call_hooks.h>.
#ifndef VANTREL_PLATFORM_USER_USER_TESTING_H
#define VANTREL_PLATFORM_USER_USER_TESTING_H

#include <vantrel/seam/call_hooks.h>
#include <vantrel/win32/types.h>
// Some calls named below are macros there (LoadIcon is LoadIconA); with them
// defined first, the names read the same in every file.
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include <vector>

namespace vtl::testing::user {

enum class Op {
    RegisterClass,
    UnregisterClass,
    CreateWindow,
    DestroyWindow,
    SetWindowLong,
    SetTimer,
    KillTimer,
    MoveWindow,
    SetWindowPos,
    GetWindowRect,
    GetClientRect,
    ShowWindow,
    UpdateWindow,
    LoadIcon,
    LoadCursor,
    CreateFont,
    Count
};

using Call = testing::Call<Op>;

constexpr DWORD kFailure = 0x80004005u; // E_FAIL

// The next call of `op` after `skip` successful ones fails with last error
// `error`.
void failNext(Op op, DWORD error = kFailure, unsigned skip = 0);
// Every call of `op` fails with last error `error` until reset().
void failAlways(Op op, DWORD error = kFailure);
// Starts recording calls (cleared first); recording stops at reset().
void record();
std::vector<Call> calls();
unsigned countCalls(Op op);
// Clears the faults and the record.
void reset();

// The window system's side: true (and the last error set) when this call is
// to fail.
bool intercept(Op op);

} // namespace vtl::testing::user

#endif
