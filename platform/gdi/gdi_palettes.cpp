// Logical palettes, their selection into contexts, and the system palette.
//
// The system palette exists on an 8-bit display: the desktop's own 8-bit
// format, or a display device holding an 8-bit primary surface.  While that
// primary has a palette, the palette is the system palette (what the screen
// shows); otherwise GDI keeps one: the 20 static colours at both ends and
// the entries foreground palettes realized in between.  On a display of
// more bits there is no system palette: GetSystemPaletteEntries answers 0
// and RealizePalette maps nothing, as on Windows.
#include "platform/gdi/gdi_objects.h"
#include "platform/ddraw/primary_palette.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include "platform/user/display_depth.h"
#include <vantrel/seam/palette_messages.h>
#include <vantrel/seam/window_backend.h>

#include <algorithm>
#include <cstring>

namespace vtl {
namespace {

// Windows' 20 static colours: the first ten start the system palette, the
// last ten end it.
constexpr PALETTEENTRY kStatic[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

struct SystemPalette {
    PALETTEENTRY entries[256];
    UINT use = SYSPAL_STATIC;
    SystemPalette()
    {
        std::memset(entries, 0, sizeof entries);
        std::memcpy(entries, kStatic, 10 * sizeof(PALETTEENTRY));
        std::memcpy(entries + 246, kStatic + 10, 10 * sizeof(PALETTEENTRY));
    }
};

SystemPalette& systemPalette()
{
    static auto* p = new SystemPalette;
    return *p;
}

bool palettedDisplay(PrimaryPalette* primary)
{
    *primary = primaryPalette();
    return primary->paletted || desktop().format.bitsPerPixel == 8 || displayDepth() == 8;
}

Palette* livePalette(HPALETTE handle) { return static_cast<Palette*>(liveObject(handle, GdiKind::kPalette)); }

} // namespace

Palette* defaultPalette()
{
    static Palette* palette = [] {
        auto* p = new Palette;
        p->entries.assign(kStatic, kStatic + 20);
        p->stock = true;
        registerObject(p);
        return p;
    }();
    return palette;
}

} // namespace vtl

using namespace vtl;

HPALETTE CreatePalette(const LOGPALETTE* description)
{
    VTL_TRACE(gdi, "CreatePalette", description);
    if (!description || description->palNumEntries == 0) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    std::lock_guard<std::mutex> lock(gdiMutex());
    auto* p = new Palette;
    p->entries.assign(description->palPalEntry, description->palPalEntry + description->palNumEntries);
    registerObject(p);
    return vtlTraceCall_.result(static_cast<HPALETTE>(handleOf(p)));
}

UINT GetPaletteEntries(HPALETTE handle, UINT start, UINT count, LPPALETTEENTRY entries)
{
    VTL_TRACE(gdi, "GetPaletteEntries", handle, start, count, entries);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Palette* p = livePalette(handle);
    if (!p)
        return vtlTraceCall_.result(0);
    const UINT size = static_cast<UINT>(p->entries.size());
    if (!entries)
        return vtlTraceCall_.result(size);
    if (start >= size)
        return vtlTraceCall_.result(0);
    count = std::min(count, size - start);
    std::copy(p->entries.begin() + start, p->entries.begin() + start + count, entries);
    return vtlTraceCall_.result(count);
}

UINT SetPaletteEntries(HPALETTE handle, UINT start, UINT count, const PALETTEENTRY* entries)
{
    VTL_TRACE(gdi, "SetPaletteEntries", handle, start, count, entries);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Palette* p = livePalette(handle);
    const UINT size = p ? static_cast<UINT>(p->entries.size()) : 0;
    if (!p || p->stock || !entries || start >= size)
        return vtlTraceCall_.result(0);
    count = std::min(count, size - start);
    std::copy(entries, entries + count, p->entries.begin() + start);
    return vtlTraceCall_.result(count);
}

UINT GetNearestPaletteIndex(HPALETTE handle, COLORREF color)
{
    VTL_TRACE(gdi, "GetNearestPaletteIndex", handle, color);
    std::lock_guard<std::mutex> lock(gdiMutex());
    Palette* p = livePalette(handle);
    if (!p)
        return vtlTraceCall_.result(CLR_INVALID);
    std::vector<RGBQUAD> table;
    for (const PALETTEENTRY& e : p->entries)
        table.push_back(RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0});
    PixelSpace space;
    space.bits = 8;
    space.colors = table.data();
    space.colorCount = static_cast<int>(table.size());
    return vtlTraceCall_.result(space.pack(color));
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL)
{
    VTL_TRACE(gdi, "SelectPalette", handle, palette);
    std::lock_guard<std::mutex> lock(gdiMutex());
    DeviceContext* dc = liveDC(handle);
    Palette* p = livePalette(palette);
    if (!dc || !p) {
        setError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(nullptr);
    }
    Palette* previous = dc->palette ? dc->palette : defaultPalette();
    HPALETTE answer = static_cast<HPALETTE>(
        previous->deleted && previous->selections <= 1 ? nullptr : handleOf(previous));
    holdSelection(p);
    releaseSelection(dc->palette);
    dc->palette = p->stock ? nullptr : p;
    return vtlTraceCall_.result(answer);
}

UINT RealizePalette(HDC handle)
{
    VTL_TRACE(gdi, "RealizePalette", handle);
    HWND changedFor = nullptr;
    UINT mapped = 0;
    {
        std::lock_guard<std::mutex> lock(gdiMutex());
        DeviceContext* dc = liveDC(handle);
        if (!dc)
            return vtlTraceCall_.result(GDI_ERROR);
        PrimaryPalette primary;
        // Memory contexts, the default palette and displays without a
        // palette map nothing; nor does a display whose palette DirectDraw
        // holds.
        if (dc->dcKind != DCKind::kWindow || !dc->palette || !palettedDisplay(&primary) || primary.hasPalette)
            return vtlTraceCall_.result(0);
        SystemPalette& system = systemPalette();
        const UINT first = system.use == SYSPAL_STATIC ? 10 : 1;
        const UINT last = system.use == SYSPAL_STATIC ? 245 : 254;
        bool changed = false;
        for (const PALETTEENTRY& e : dc->palette->entries) {
            if (first + mapped > last)
                break;
            PALETTEENTRY& slot = system.entries[first + mapped];
            const PALETTEENTRY wanted{e.peRed, e.peGreen, e.peBlue, 0};
            changed |= std::memcmp(&slot, &wanted, sizeof slot) != 0;
            slot = wanted;
            ++mapped;
        }
        if (changed)
            changedFor = dc->window;
    }
    // Sent with GDI's lock released: the windows' procedures draw.
    if (changedFor)
        paletteRealized(changedFor);
    return vtlTraceCall_.result(mapped);
}

UINT SetSystemPaletteUse(HDC handle, UINT use)
{
    VTL_TRACE(gdi, "SetSystemPaletteUse", handle, use);
    std::lock_guard<std::mutex> lock(gdiMutex());
    PrimaryPalette primary;
    if (!liveDC(handle) || !palettedDisplay(&primary) ||
        (use != SYSPAL_STATIC && use != SYSPAL_NOSTATIC && use != SYSPAL_NOSTATIC256))
        return vtlTraceCall_.result(SYSPAL_ERROR);
    SystemPalette& system = systemPalette();
    const UINT previous = system.use;
    system.use = use;
    if (use == SYSPAL_STATIC) {
        std::memcpy(system.entries, kStatic, 10 * sizeof(PALETTEENTRY));
        std::memcpy(system.entries + 246, kStatic + 10, 10 * sizeof(PALETTEENTRY));
    }
    return vtlTraceCall_.result(previous);
}

UINT GetSystemPaletteUse(HDC handle)
{
    VTL_TRACE(gdi, "GetSystemPaletteUse", handle);
    std::lock_guard<std::mutex> lock(gdiMutex());
    PrimaryPalette primary;
    if (!liveDC(handle) || !palettedDisplay(&primary))
        return vtlTraceCall_.result(SYSPAL_ERROR);
    return vtlTraceCall_.result(systemPalette().use);
}

UINT GetSystemPaletteEntries(HDC handle, UINT start, UINT count, LPPALETTEENTRY entries)
{
    VTL_TRACE(gdi, "GetSystemPaletteEntries", handle, start, count, entries);
    std::lock_guard<std::mutex> lock(gdiMutex());
    PrimaryPalette primary;
    if (!liveDC(handle) || !palettedDisplay(&primary))
        return vtlTraceCall_.result(0);
    if (!entries)
        return vtlTraceCall_.result(256);
    if (start >= 256)
        return vtlTraceCall_.result(0);
    count = std::min(count, 256 - start);
    const PALETTEENTRY* source = primary.hasPalette ? primary.entries : systemPalette().entries;
    std::copy(source + start, source + start + count, entries);
    return vtlTraceCall_.result(count);
}
