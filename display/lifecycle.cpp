// The handle's life: construction, the game's set-up, starting the display
// (configuring it once), switching between full screen and a window, and
// shutting down.  Presenting and restoring are display/presentation.cpp; the
// DirectDraw calls behind them display/display_setup.cpp.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include "archive/archive_users.h"
#include "display/configuration.h"
#include "display/presentation.h"
#include "display/registry_walks.h"
#include "surface/effects_switch.h"
#include <vantrel/seam/display_modes.h>

VTLHND::VTLHND()
    : width(0), height(0), lockCount(0), fileHandle(nullptr), mappingHandle(nullptr),
      directory(nullptr), view(nullptr), entryCount(0), archiveEnd(0), rleList(nullptr),
      formatCode(0), bitsPerPixel(0), bytesPerPixel(0), redMask(0), blueMask(0), greenMask(0),
      directDraw(nullptr), primary(nullptr), backBuffer(nullptr), clipper(nullptr),
      isFullscreen(false), driverIndex(0), hwnd(nullptr), windowRect{0, 0, 0, 0},
      configured(false), effectsChoice(true), alphaList(nullptr), surfaceList(nullptr),
      animationList(nullptr), soundList(nullptr), streamList(nullptr)
{
    vtl::noteHandleAlive(this);
}

// The handle lets go of its archive as it goes, whatever locks are counted;
// a stream or image still pointing into the archive keeps the bytes alive
// (archive/archive_users.h), and resources that outlive the handle no longer
// find it among the live ones, so they never write into it.
VTLHND::~VTLHND()
{
    gfxEnd();
    vtl::closeArchive(*this);
    vtl::noteHandleGone(this);
}

void VTLHND::gfxSetup(HWND window, unsigned short w, unsigned short h, unsigned char depth)
{
    hwnd = window;
    width = w;
    height = h;
    bitsPerPixel = depth;
    // The display offers the game's own size among its full-screen modes.
    vtl::setGameDisplaySize(w, h);
}

void VTLHND::Override()
{
    CPUwithMMX();
    configured = true;
}

void VTLHND::gfxSetWindowRect(RECT* rect)
{
    if (rect)
        windowRect = *rect;
}

bool VTLHND::fullscreen() { return isFullscreen; }

void VTLHND::gfxEnableEffects(bool enable) { vtl::setEffectsEnabled(enable); }

bool VTLHND::gfxGetEffectsState() { return vtl::effectsEnabled(); }

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
    // The game gives its window rectangle only once this returns: an empty
    // one here is no mistake of its own (gfxSwapBuffers would say it is).
    vtl::presentBackBuffer(*this);
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

// Every registered alpha map, surface and RLE image goes, then the display.
// Animation sets, sounds and streams belong to the game, which releases them
// through VTLHND::release.
void VTLHND::gfxEnd()
{
    vtl::releaseRegisteredImages(*this);
    DDDisable(true);
}
