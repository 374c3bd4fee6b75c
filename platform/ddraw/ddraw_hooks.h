// Test hooks of the display device: make any operation fail (once, after a
// number of successful calls, or always), record the calls made, and lose the
// display as a mode change or a minimised full-screen window would.
//
// They work the same under every backend; the headless one is where tests
// use them.  Nothing here is part of the public interface.
#ifndef VANTREL_PLATFORM_DDRAW_DDRAW_HOOKS_H
#define VANTREL_PLATFORM_DDRAW_DDRAW_HOOKS_H

#include <vantrel/win32/types.h>

#include <vector>

namespace vtl {
namespace ddhooks {

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

struct Call {
    Op op;
    DWORD flags; // the flags argument of the call, where it has one
};

// The next call of `op` after `skip` successful ones returns `result`.
void failOnce(Op op, HRESULT result, unsigned skip = 0);
// Every call of `op` returns `result` until reset().
void failAlways(Op op, HRESULT result);
// Starts recording calls (cleared first); recording stops at reset().
void recordCalls();
const std::vector<Call>& calls();
unsigned countCalls(Op op);
// Extra drivers DirectDrawEnumerateA reports after the primary display
// driver, each with its own GUID.
void setExtraDrivers(unsigned count);
unsigned extraDrivers();
// Clears the faults, the record and the extra drivers.
void reset();

// Every surface in display memory (all but DDSCAPS_SYSTEMMEMORY ones) of
// every device becomes lost.
void loseDisplay();

// Used by the device: records the call and returns the injected failure, or
// DD_OK to go on.
HRESULT enter(Op op, DWORD flags = 0);

} // namespace ddhooks

// Rises each time the display is lost; a surface is lost when it was made
// (or restored) before the latest loss.
unsigned displayLossCount();

} // namespace vtl

#endif
