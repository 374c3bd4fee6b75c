// VTLHND construction and the small accessors of the display lifecycle.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>

#include "surface/effects_switch.h"
#include <vantrel/seam/display_modes.h>

namespace {
bool gEffects = true;
}

bool vtl::effectsEnabled() { return gEffects; }
void vtl::setEffectsEnabled(bool on) { gEffects = on; }

VTLHND::VTLHND()
    : width(0), height(0), lockCount(0), fileHandle(nullptr), mappingHandle(nullptr),
      directory(nullptr), view(nullptr), entryCount(0), archiveEnd(0), rleList(nullptr),
      formatCode(0), bitsPerPixel(0), bytesPerPixel(0), redMask(0), blueMask(0), greenMask(0),
      directDraw(nullptr), primary(nullptr), backBuffer(nullptr), clipper(nullptr),
      isFullscreen(false), driverIndex(0), hwnd(nullptr), windowRect{0, 0, 0, 0},
      configured(false), effectsChoice(true), alphaList(nullptr), surfaceList(nullptr),
      animationList(nullptr), soundList(nullptr), streamList(nullptr)
{
}

// The archive is closed with the handle even while locks are counted: every
// image that pointed into it has been released by gfxEnd.
VTLHND::~VTLHND()
{
    gfxEnd();
    lockCount = 0;
    FastFileFini();
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
