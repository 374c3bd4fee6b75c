#include "game/screenshot.h"

#include <cstring>

#include "bmp_writer.h"

bool saveScreenshot(Game& g, const std::string& path)
{
    IDirectDrawSurface* back = g.gfx->backBuffer;
    if (!back)
        return false;
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    const bool written = writeBmp24(path, static_cast<const unsigned char*>(desc.lpSurface), desc.lPitch, g.width,
                                    g.height, g.gfx->bitsPerPixel, g.gfx->formatCode);
    back->Unlock(desc.lpSurface);
    return written;
}
