#include "game/screenshot.h"

#include <cctype>
#include <cstring>

#include "bmp_writer.h"

namespace {
bool endsWithTga(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string ending = path.substr(path.size() - 4);
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".tga";
}
} // namespace

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
    bool written;
    if (endsWithTga(path)) {
        // The locked back buffer seen as a surface (borrowed, never
        // released), so that the library writes it in the display's depth.
        BITPLANEFX view;
        std::memset(&view, 0, sizeof view);
        view.pixels = static_cast<unsigned char*>(desc.lpSurface);
        view.pitch = static_cast<DWORD>(desc.lPitch);
        view.width = g.width;
        view.height = g.height;
        view.format = g.gfx->formatCode;
        view.bitsPerPixel = static_cast<unsigned char>(g.gfx->bitsPerPixel);
        view.bytesPerPixel = static_cast<unsigned char>(g.gfx->bitsPerPixel / 8);
        written = view.writeTga(path.c_str(), 0, 0, static_cast<unsigned short>(g.width),
                                static_cast<unsigned short>(g.height));
    } else {
        written = writeBmp24(path, static_cast<const unsigned char*>(desc.lpSurface), desc.lPitch, g.width,
                             g.height, g.gfx->bitsPerPixel, g.gfx->formatCode);
    }
    back->Unlock(desc.lpSurface);
    return written;
}
