// Releasing the display objects.
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

// Every caller passes true.  The back buffer goes whenever it is set (the
// primary is normally there too), so that nothing is left behind.
void VTLHND::DDDisable(bool releaseDirectDraw)
{
    if (clipper) {
        clipper->Release();
        clipper = nullptr;
    }
    if (backBuffer) {
        backBuffer->Release();
        backBuffer = nullptr;
    }
    if (primary) {
        primary->Release();
        primary = nullptr;
    }
    if (isFullscreen && directDraw)
        directDraw->RestoreDisplayMode();
    if (releaseDirectDraw && directDraw) {
        directDraw->Release();
        directDraw = nullptr;
    }
}
