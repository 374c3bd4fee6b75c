// Presenting the back buffer: a flip in full screen, a copy into the
// window's rectangle otherwise.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

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
