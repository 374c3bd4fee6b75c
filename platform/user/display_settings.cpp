// EnumDisplaySettingsA and ChangeDisplaySettingsA over the modes DirectDraw
// lists (<vantrel/seam/display_modes.h>).  A mode set here is the game's
// screen as a DirectDraw mode is: the desktop takes its size, a window
// covering it is shown over the whole real screen, scaled, and top-level
// windows hear WM_DISPLAYCHANGE.  The depth asked for is reported from then
// on; the desktop's pixels keep their format (the presentation converts).
//
// Approximated: the change is the program's own, never the real screen's,
// so CDS_UPDATEREGISTRY keeps nothing for the next start; any refresh rate
// is accepted and 60 Hz reported.
#include <vantrel/win32/display_settings.h>
#include <vantrel/win32/window.h>

#include "platform/user/display_depth.h"
#include "platform/user/video_backend.h"

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/seam/display_change.h>
#include <vantrel/seam/display_modes.h>

#include <atomic>
#include <cstring>

namespace vtl {
namespace {

constexpr DWORD kDepths[] = {8, 16, 24, 32};
constexpr DWORD kRefreshRate = 60;
constexpr WORD kSpecVersion = 0x0401;

std::atomic<unsigned> gDepth{0}; // 0: the desktop's own

void recordDepth(unsigned bitsPerPixel, int, int, void*) { gDepth = bitsPerPixel; }

// From the start, so that a mode DirectDraw sets before any call here is
// known too.
const int gListening = listenToDisplayChanges(recordDepth, nullptr);

bool primaryDisplay(LPCSTR name) { return !name || equalNoCase(name, "\\\\.\\DISPLAY1"); }

void describe(DEVMODEA* mode, DWORD width, DWORD height, DWORD bits)
{
    std::memset(mode, 0, sizeof *mode);
    std::memcpy(mode->dmDeviceName, "DISPLAY", 8);
    mode->dmSpecVersion = kSpecVersion;
    mode->dmDriverVersion = kSpecVersion;
    mode->dmSize = sizeof *mode;
    mode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
    mode->dmBitsPerPel = bits;
    mode->dmPelsWidth = width;
    mode->dmPelsHeight = height;
    mode->dmDisplayFrequency = kRefreshRate;
}

} // namespace

unsigned displayDepth()
{
    (void)gListening;
    const unsigned depth = gDepth;
    return depth ? depth : desktop().format.bitsPerPixel;
}

} // namespace vtl

using namespace vtl;

BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD mode, DEVMODEA* devMode)
{
    VTL_TRACE(user, "EnumDisplaySettingsA", deviceName, mode, devMode);
    if (!devMode || !primaryDisplay(deviceName)) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    if (mode == ENUM_CURRENT_SETTINGS) {
        const Desktop d = desktop();
        describe(devMode, d.width, d.height, displayDepth());
        return vtlTraceCall_.result(TRUE);
    }
    if (mode == ENUM_REGISTRY_SETTINGS) {
        const Desktop real = videoBackend().screen();
        describe(devMode, real.width, real.height, desktop().format.bitsPerPixel);
        return vtlTraceCall_.result(TRUE);
    }
    DisplayModeSize sizes[4];
    const DWORD n = static_cast<DWORD>(listedDisplaySizes(sizes));
    const DWORD depths = sizeof kDepths / sizeof kDepths[0];
    if (mode >= n * depths)
        return vtlTraceCall_.result(FALSE);
    const DisplayModeSize& size = sizes[mode / depths];
    describe(devMode, size.width, size.height, kDepths[mode % depths]);
    return vtlTraceCall_.result(TRUE);
}

LONG ChangeDisplaySettingsA(DEVMODEA* devMode, DWORD flags)
{
    VTL_TRACE(user, "ChangeDisplaySettingsA", devMode, flags);
    const DWORD known = CDS_UPDATEREGISTRY | CDS_TEST | CDS_FULLSCREEN | CDS_GLOBAL | CDS_SET_PRIMARY | CDS_RESET |
                        CDS_NORESET;
    if ((flags & ~known) || ((flags & CDS_GLOBAL) && !(flags & CDS_UPDATEREGISTRY)) ||
        ((flags & CDS_NORESET) && !(flags & CDS_UPDATEREGISTRY)))
        return vtlTraceCall_.result(DISP_CHANGE_BADFLAGS);
    if (flags & CDS_UPDATEREGISTRY)
        VTL_UNSUPPORTED("ChangeDisplaySettingsA's CDS_UPDATEREGISTRY", "the mode is not kept for the next start");
    const Desktop real = videoBackend().screen();
    const Desktop now = desktop();
    const DWORD desktopDepth = now.format.bitsPerPixel;
    DWORD width = static_cast<DWORD>(real.width), height = static_cast<DWORD>(real.height), bits = desktopDepth;
    if (devMode) {
        if (devMode->dmFields & DM_PELSWIDTH)
            width = devMode->dmPelsWidth;
        if (devMode->dmFields & DM_PELSHEIGHT)
            height = devMode->dmPelsHeight;
        if (devMode->dmFields & DM_BITSPERPEL)
            bits = devMode->dmBitsPerPel;
    }
    const bool desktopsOwn = width == static_cast<DWORD>(real.width) && height == static_cast<DWORD>(real.height) &&
                             bits == desktopDepth;
    if (!desktopsOwn && !isDisplayModeListed(width, height, bits))
        return vtlTraceCall_.result(DISP_CHANGE_BADMODE);
    if (flags & (CDS_TEST | CDS_NORESET))
        return vtlTraceCall_.result(DISP_CHANGE_SUCCESSFUL);
    if (width == static_cast<DWORD>(now.width) && height == static_cast<DWORD>(now.height) && bits == displayDepth())
        return vtlTraceCall_.result(DISP_CHANGE_SUCCESSFUL); // no change, no message
    setDesktopMode(desktopsOwn ? 0 : static_cast<int>(width), desktopsOwn ? 0 : static_cast<int>(height));
    notifyDisplayChange(bits, static_cast<int>(width), static_cast<int>(height));
    return vtlTraceCall_.result(DISP_CHANGE_SUCCESSFUL);
}
