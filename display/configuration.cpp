// The configuration result and, until the configuration dialog has a window
// of its own, its stand-in: the dialog's defaults accepted without asking.
// A game that wants other choices calls Override after gfxSetup.
#include "display/configuration.h"
#include "display/driver_list.h"

#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

namespace {

vtl::ConfigurationResult gResult{false, true, true, 16, 0, nullptr};
vtl::ConfigurationDialog gDialog = nullptr;

struct DepthSearch {
    DWORD width;
    DWORD height;
    int found;
    DWORD depths[2];
};

// Lists depths as the dialog's depth list does: exact size, 8 to 32 bits,
// one of the four labelled depths, duplicates kept.
HRESULT WINAPI listDepth(LPDDSURFACEDESC mode, LPVOID context)
{
    DepthSearch& s = *static_cast<DepthSearch*>(context);
    const DWORD bits = mode->ddpfPixelFormat.dwRGBBitCount;
    if (mode->dwWidth != s.width || mode->dwHeight != s.height)
        return DDENUMRET_OK;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return DDENUMRET_OK;
    if (s.found < 2)
        s.depths[s.found] = bits;
    ++s.found;
    return DDENUMRET_OK;
}

} // namespace

vtl::ConfigurationResult& vtl::configurationResult() { return gResult; }

vtl::ConfigurationDialog vtl::setConfigurationDialog(ConfigurationDialog dialog)
{
    const ConfigurationDialog before = gDialog;
    gDialog = dialog;
    return before;
}

void vtl::runConfigurationDialog(VTLHND& handle)
{
    (gDialog ? gDialog : acceptDefaultConfiguration)(handle);
}

void vtl::acceptDefaultConfiguration(VTLHND& handle)
{
    EnumDrivers();
    DepthSearch search{handle.width, handle.height, 0, {0, 0}};
    IDirectDraw* dd = nullptr;
    if (DirectDrawCreate(driverGuid(0), &dd, nullptr) == DD_OK) {
        if (dd->EnumDisplayModes(DDEDM_STANDARDVGAMODES, nullptr, &search, listDepth) != DD_OK)
            dd->EnumDisplayModes(0, nullptr, &search, listDepth);
        dd->Release();
    }
    gResult.cancelled = false;
    gResult.fullscreen = true;
    gResult.effects = true;
    gResult.driverIndex = 0;
    gResult.bitsPerPixel = search.found >= 2 ? search.depths[1] : search.found == 1 ? search.depths[0] : ~DWORD{0};
}
