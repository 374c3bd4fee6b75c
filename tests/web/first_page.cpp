// The first page: the library linked into WebAssembly, run by a browser.
// It draws into an off-screen DirectDraw surface (a gradient, a box and GDI
// text in the font the page brings), copies each frame to the page's canvas
// and yields to the browser between frames, and reports on the console what
// it drew, so a headless browser's log shows that the library ran.  Natively
// it runs the same frames and prints the same report.
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 200;
constexpr int kFrames = 30;

IDirectDrawSurface* makeSurface(IDirectDraw* dd)
{
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = kWidth;
    desc.dwHeight = kHeight;
    desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = 32;
    desc.ddpfPixelFormat.dwRBitMask = 0xff0000;
    desc.ddpfPixelFormat.dwGBitMask = 0x00ff00;
    desc.ddpfPixelFormat.dwBBitMask = 0x0000ff;
    IDirectDrawSurface* surface = nullptr;
    if (dd->CreateSurface(&desc, &surface, nullptr) != DD_OK)
        return nullptr;
    return surface;
}

// One frame: a gradient scrolled by the frame number, a box, and text.
bool drawFrame(IDirectDrawSurface* surface, HFONT font, int frame)
{
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;
    for (int y = 0; y < kHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(desc.lpSurface) + y * desc.lPitch);
        for (int x = 0; x < kWidth; ++x)
            row[x] = static_cast<uint32_t>(((x + frame) & 0xff) << 16 | (y & 0xff) << 8 | 0x60);
    }
    surface->Unlock(desc.lpSurface);

    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0xffc800;
    RECT box = {20 + frame, 120, 68 + frame, 168};
    surface->Blt(&box, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);

    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK)
        return false;
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    char text[64];
    const int length = std::snprintf(text, sizeof text, "Vantrel frame %d", frame);
    TextOutA(dc, 16, 16, text, length);
    surface->ReleaseDC(dc);
    return true;
}

// The frame's pixels, and a sum of them the native and web runs can compare.
uint32_t showFrame(IDirectDrawSurface* surface)
{
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK)
        return 0;
    uint32_t sum = 0;
    for (int y = 0; y < kHeight; ++y) {
        const auto* row =
            reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(desc.lpSurface) + y * desc.lPitch);
        for (int x = 0; x < kWidth; ++x)
            sum = sum * 31 + row[x];
    }
#ifdef __EMSCRIPTEN__
    // 0x00RRGGBB rows to the canvas's RGBA.
    EM_ASM(
        {
            const canvas = Module['canvas'];
            canvas.width = $1;
            canvas.height = $2;
            const context = canvas.getContext('2d');
            const image = context.createImageData($1, $2);
            for (let y = 0; y < $2; ++y) {
                const row = ($0 + y * $3) >> 2;
                for (let x = 0; x < $1; ++x) {
                    const p = HEAPU32[row + x];
                    const o = (y * $1 + x) * 4;
                    image.data[o] = (p >> 16) & 255;
                    image.data[o + 1] = (p >> 8) & 255;
                    image.data[o + 2] = p & 255;
                    image.data[o + 3] = 255;
                }
            }
            context.putImageData(image, 0, 0);
        },
        desc.lpSurface, kWidth, kHeight, desc.lPitch);
#endif
    surface->Unlock(desc.lpSurface);
    return sum;
}

} // namespace

int main()
{
    IDirectDraw* dd = nullptr;
    if (DirectDrawCreate(nullptr, &dd, nullptr) != DD_OK || dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL) != DD_OK) {
        std::printf("first page: DirectDraw did not start\n");
        return 1;
    }
    IDirectDrawSurface* surface = makeSurface(dd);
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    if (!surface || !font) {
        std::printf("first page: no surface (%p) or font (%p)\n", static_cast<void*>(surface),
                    static_cast<void*>(font));
        return 1;
    }
    uint32_t sum = 0;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (!drawFrame(surface, font, frame)) {
            std::printf("first page: frame %d could not be drawn\n", frame);
            return 1;
        }
        sum = showFrame(surface);
#ifdef __EMSCRIPTEN__
        emscripten_sleep(16); // the browser shows the frame meanwhile
#endif
    }
    std::printf("first page: %d frames drawn, last frame's sum %08x\n", kFrames, static_cast<unsigned>(sum));
    DeleteObject(font);
    surface->Release();
    dd->Release();
    return 0;
}
