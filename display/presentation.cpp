// Keeping frames on the screen: presenting the back buffer (a flip in full
// screen, a copy into the window's rectangle otherwise) and restoring the
// display when presenting, or anything else, finds it lost.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include "display/registry_walks.h"

bool VTLHND::gfxSwapBuffers()
{
    if (isFullscreen) {
        if (!primary)
            return false;
        HRESULT result = primary->Flip(nullptr, 0);
        if (result == DD_OK)
            return true;
        RestoreAll();
        // A restore that could not make the surfaces leaves no primary.
        result = primary ? primary->Flip(nullptr, DDFLIP_WAIT) : DDERR_SURFACELOST;
        if (result == DD_OK)
            return true;
        Msg("Flip FAILED, rc=%08lx", result);
        return false;
    }
    if (!primary) {
        RestoreAll();
        if (!primary)
            return false;
    }
    return primary->Blt(&windowRect, backBuffer, nullptr, 0, nullptr) == DD_OK;
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
