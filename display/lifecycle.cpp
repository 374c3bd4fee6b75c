// Starting, switching and restoring the display.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include "display/configuration.h"
#include "surface/effects_switch.h"
#include "display/registry_walks.h"

// A handle that was not given Override asks the player first, through the
// configuration dialog; a cancelled dialog changes nothing and is shown again
// by the next gfxBegin.
signed char VTLHND::gfxBegin()
{
    if (!configured) {
        CPUwithMMX();
        vtl::ConfigurationResult& result = vtl::configurationResult();
        result.handle = this;
        vtl::runConfigurationDialog(*this);
        if (result.cancelled)
            return 0;
        driverIndex = static_cast<unsigned char>(result.driverIndex);
        effectsChoice = result.effects;
        vtl::setEffectsEnabled(result.effects);
        isFullscreen = result.fullscreen;
        bitsPerPixel = static_cast<unsigned char>(result.bitsPerPixel);
        bytesPerPixel = bitsPerPixel >> 3;
        configured = true;
    }
    if (!DDEnable()) {
        Msg("DDEnable Failed");
        return -1;
    }
    if (!DDCreateFlippingSurface()) {
        Msg("DDCreateFlippingSurface Failed");
        DDDisable(true);
        return -1;
    }
    if (!initPixelFormat()) {
        DDDisable(true);
        return -2;
    }
    ClearBackBuffer(0);
    gfxSwapBuffers();
    RestoreAll();
    return 1;
}

// The dialog is not shown again (configured stays set) and a failed restart
// leaves the display released, as any failed gfxBegin does; the game sees it
// as a primary that stays null.
void VTLHND::gfxSwitchMode()
{
    isFullscreen = !isFullscreen;
    DDDisable(true);
    gfxBegin();
}

namespace {
void releaseSurfaces(VTLHND& h)
{
    if (h.backBuffer)
        h.backBuffer->Release();
    if (h.primary)
        h.primary->Release();
    h.backBuffer = nullptr;
    h.primary = nullptr;
}
} // namespace

void VTLHND::RestoreAll()
{
    const bool remake = primary == nullptr || primary->IsLost() < 0;
    if (remake) {
        // A back buffer left without its primary goes too: the new pair
        // replaces both.
        releaseSurfaces(*this);
        if (!DDCreateFlippingSurface()) {
            // Whatever the attempt made before failing goes as well, so that
            // the next attempt starts clean.
            releaseSurfaces(*this);
            return;
        }
    }
    if (!initPixelFormat()) {
        DDDisable(true);
        return;
    }
    vtl::restoreRegisteredImages(*this);
}
