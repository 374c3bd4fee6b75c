// Test hooks of the display device: make any of its calls fail (once, after
// a number of successful calls, or always), record the calls made, lose the
// display as a mode change or a minimised full-screen window would, and list
// extra display drivers.  The verbs are those of <vantrel/seam/call_hooks.h>;
// the path that widens 16-bit frames is forced with every other kernel
// family's (<vantrel/seam/code_path_testing.h>).
//
// They work the same under every backend; the headless one is where tests
// use them.  Nothing here is part of the public interface.
#ifndef VANTREL_PLATFORM_DDRAW_DDRAW_TESTING_H
#define VANTREL_PLATFORM_DDRAW_DDRAW_TESTING_H

#include <vantrel/seam/call_hooks.h>
#include <vantrel/win32/types.h>

#include <vector>

namespace vtl::testing::ddraw {

enum class Op {
    Create,
    Enumerate,
    SetCooperativeLevel,
    SetDisplayMode,
    RestoreDisplayMode,
    EnumDisplayModes,
    CreateSurface,
    CreateClipper,
    CreatePalette,
    GetAttachedSurface,
    SetHWnd,
    SetClipper,
    SetPalette,
    Blt,
    Flip,
    Lock,
    Unlock,
    GetDC,
    ReleaseDC,
    GetPixelFormat,
    IsLost,
    Restore,
    Count
};

using Call = testing::Call<Op>;

// The next call of `op` after `skip` successful ones returns `result`.
void failNext(Op op, HRESULT result, unsigned skip = 0);
// Every call of `op` returns `result` until reset().
void failAlways(Op op, HRESULT result);
// Starts recording calls (cleared first); recording stops at reset().
void record();
std::vector<Call> calls();
unsigned countCalls(Op op);
// Clears the faults, the record and the extra drivers.
void reset();

// The display is lost now, as after a mode change by another program.
void loseDisplay();
// Extra drivers DirectDrawEnumerateA reports after the primary display
// driver, each with its own GUID.
void setExtraDrivers(unsigned count);
unsigned extraDrivers();

// The device's side: each call records itself and returns the injected
// failure, or DD_OK to go on.
HRESULT intercept(Op op, DWORD flags = 0);

} // namespace vtl::testing::ddraw

#endif
