// Keeping frames on the screen: presenting the back buffer (a flip in full
// screen, a copy into the window's rectangle otherwise) and restoring the
// display when presenting, or anything else, finds it lost.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include "display/display_testing.h"
#include "display/presentation.h"
#include "display/registry_walks.h"

namespace {

// The window rectangle is the game's to give (gfxSetWindowRect); a game that
// never gives it gets a black window and no failure, so the first windowed
// present with nowhere to go says why.  Once per process, not per handle: a
// game has one handle, and a notice every frame would drown everything else.
bool emptyRectangleTold = false;

void tellOfEmptyRectangle(const RECT& r)
{
    if (emptyRectangleTold || (r.right > r.left && r.bottom > r.top))
        return;
    emptyRectangleTold = true;
    Msg("VTLHND::gfxSwapBuffers() - The window rectangle is empty: call gfxSetWindowRect after gfxBegin and "
        "on WM_MOVE and WM_SIZE.");
}

} // namespace

void vtl::testing::display::reset() { emptyRectangleTold = false; }

bool VTLHND::gfxSwapBuffers()
{
    if (!isFullscreen)
        tellOfEmptyRectangle(windowRect);
    return vtl::presentBackBuffer(*this);
}

bool vtl::presentBackBuffer(VTLHND& h)
{
    if (h.isFullscreen) {
        if (!h.primary)
            return false;
        HRESULT result = h.primary->Flip(nullptr, 0);
        if (result == DD_OK)
            return true;
        h.RestoreAll();
        // A restore that could not make the surfaces leaves no primary.
        result = h.primary ? h.primary->Flip(nullptr, DDFLIP_WAIT) : DDERR_SURFACELOST;
        if (result == DD_OK)
            return true;
        Msg("Flip FAILED, rc=%08lx", result);
        return false;
    }
    if (!h.primary) {
        h.RestoreAll();
        if (!h.primary)
            return false;
    }
    return h.primary->Blt(&h.windowRect, h.backBuffer, nullptr, 0, nullptr) == DD_OK;
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
