// The configuration dialog's template (dialog 106) and the library's logo
// (bitmap 101), which is drawn here on first use rather than read from a
// file: a night sky, a rising sun over hills and the library's name.
#include "display/config_dialog.h"

#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>
#include <vantrel/win32/gdi.h>

#include <vantrel/seam/window_backend.h>

#include <cmath>
#include <vector>

namespace vtl {
namespace {

const VTLDLGITEM kConfigurationItems[] = {
    {VTLDLG_BITMAP, IDC_LOGO, nullptr, 7, 7, 0, 0, FALSE, IDB_LOGO},
    {VTLDLG_CTEXT, -1, "Vantrel 2D Game Library v1.0", 75, 7, 117, 10, FALSE, 0},
    {VTLDLG_CTEXT, -1, "Written by the Vantrel developers", 75, 18, 117, 10, FALSE, 0},
    {VTLDLG_CTEXT, -1, "Copyright \xA9 2026. All rights reserved.", 75, 29, 117, 10, FALSE, 0},
    {VTLDLG_PUSHBUTTON, IDC_HOME_PAGE, kHomePage, 91, 43, 80, 13, FALSE, 0},
    {VTLDLG_AUTOCHECKBOX, IDC_DIRECTDRAW, "DirectDraw", 7, 51, 46, 11, FALSE, 0},
    {VTLDLG_GROUPBOX, IDC_DRIVER_GROUP, "Select Driver and Mode", 7, 64, 185, 77, FALSE, 0},
    {VTLDLG_DROPDOWNLIST, IDC_DRIVERS, "", 19, 76, 161, 69, FALSE, 0},
    {VTLDLG_DROPDOWNLIST, IDC_DEPTHS, "", 19, 94, 161, 69, FALSE, 0},
    {VTLDLG_LTEXTFRAME, IDC_WINDOW_LABEL, " 800x600x16 Window", 19, 94, 161, 12, TRUE, 0},
    {VTLDLG_AUTOCHECKBOX, IDC_FULLSCREEN, "Fullscreen (Recommended)", 19, 111, 94, 10, FALSE, 0},
    {VTLDLG_AUTOCHECKBOX, IDC_WINDOWED, "Windowed", 117, 111, 47, 10, FALSE, 0},
    {VTLDLG_AUTOCHECKBOX, IDC_EFFECTS, "Effects Enabled (Pentium 200 w/ MMX or better)", 19, 125, 151, 11, FALSE, 0},
    {VTLDLG_AUTOCHECKBOX, IDC_GLIDE, "3DFX Voodoo/Voodoo\xB2 (Glide)", 7, 151, 104, 11, FALSE, 0},
    {VTLDLG_GROUPBOX, IDC_REFRESH_GROUP, "Select Refresh Rate", 7, 164, 185, 34, FALSE, 0},
    {VTLDLG_DROPDOWNLIST, IDC_REFRESH_RATES, "", 19, 177, 161, 69, FALSE, 0},
    {VTLDLG_DEFPUSHBUTTON, IDOK, "OK", 34, 204, 50, 14, FALSE, 0},
    {VTLDLG_PUSHBUTTON, IDCANCEL, "Cancel", 114, 204, 50, 14, FALSE, 0},
};

const VTLDLGBITMAP* findBitmap(int id);

const VTLDLGTEMPLATE kConfiguration = {
    "Configuration",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT,
    8,
    "MS Sans Serif",
    199,
    225,
    kConfigurationItems,
    static_cast<int>(sizeof kConfigurationItems / sizeof kConfigurationItems[0]),
    findBitmap,
};

constexpr int kLogoWidth = 100, kLogoHeight = 75;

unsigned long rgb24(int r, int g, int b)
{
    auto clamp = [](int v) { return static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return VTLPackColor(24, PF_RGB24, clamp(r), clamp(g), clamp(b));
}

void drawLogoText(BITPLANEFX& logo)
{
    const VTLPixelFormat format{PF_RGB24, 24, 3, 0xFF0000, 0x00FF00, 0x0000FF};
    HDC dc = createMemoryDC(logo.pixels, logo.pitch, logo.width, logo.height, format);
    HFONT font = CreateFontA(-17, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "DejaVu Sans");
    if (dc && font) {
        SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        static const char kName[] = "VANTREL";
        SIZE size{0, 0};
        GetTextExtentPoint32A(dc, kName, 7, &size);
        const int x = (kLogoWidth - size.cx) / 2, y = kLogoHeight - size.cy - 3;
        SetTextColor(dc, RGB(20, 12, 40));
        TextOutA(dc, x + 1, y + 1, kName, 7);
        SetTextColor(dc, RGB(255, 244, 214));
        TextOutA(dc, x, y, kName, 7);
    }
    destroyMemoryDC(dc);
    if (font)
        DeleteObject(font);
}

void drawLogo(BITPLANEFX& logo)
{
    // Sky: deep blue at the top to violet at the horizon.
    for (int y = 0; y < kLogoHeight; ++y)
        logo.hline(0, kLogoWidth - 1, y, rgb24(18 + y, 24 + y / 3, 80 + y));
    // A few stars.
    static const int kStars[][2] = {{8, 6}, {23, 14}, {41, 5}, {60, 11}, {77, 4}, {91, 15}, {15, 24}, {86, 27}};
    for (const auto& s : kStars)
        logo.putPixel(s[0], s[1], rgb24(255, 255, 220));
    // The sun with a glow around it.
    for (int r = 26; r > 16; r -= 2)
        logo.fillellipse(50, 44, r, r, rgb24(120 + (26 - r) * 12, 60 + (26 - r) * 8, 110 - (26 - r) * 4));
    logo.fillellipse(50, 44, 15, 15, rgb24(255, 200, 60));
    logo.fillellipse(50, 44, 11, 11, rgb24(255, 232, 120));
    // Two rows of hills in front of the sun.
    for (int x = 0; x < kLogoWidth; ++x) {
        const int back = 46 + static_cast<int>(6 * std::sin(x * 0.09) + 3 * std::sin(x * 0.23 + 1));
        const int front = 54 + static_cast<int>(5 * std::sin(x * 0.06 + 2) + 2 * std::sin(x * 0.31));
        logo.line(x, back, x, kLogoHeight - 1, rgb24(58, 40, 96));
        logo.line(x, front, x, kLogoHeight - 1, rgb24(30, 22, 58));
    }
    drawLogoText(logo);
    // A thin frame.
    const unsigned long frame = rgb24(10, 8, 24);
    logo.hline(0, kLogoWidth - 1, 0, frame);
    logo.hline(0, kLogoWidth - 1, kLogoHeight - 1, frame);
    logo.line(0, 0, 0, kLogoHeight - 1, frame);
    logo.line(kLogoWidth - 1, 0, kLogoWidth - 1, kLogoHeight - 1, frame);
}

// Made once and kept for the process, like a resource in the module; its
// pixels stay outside the counted heap, which games watch for leaks.
const VTLDLGBITMAP* findBitmap(int id)
{
    if (id != IDB_LOGO)
        return nullptr;
    static const VTLDLGBITMAP* logo = [] {
        constexpr DWORD kPitch = (kLogoWidth * 3 + 7) & ~7;
        static std::vector<unsigned char> pixels(kPitch * kLogoHeight);
        // Drawn with the library's own primitives on a surface over those
        // pixels; PF_RGB24 pixels are blue, green and red bytes, as a
        // template's bitmap is.
        BITPLANEFX made{};
        made.format = PF_RGB24;
        made.bitsPerPixel = 24;
        made.bytesPerPixel = 3;
        made.pixels = pixels.data();
        made.pitch = kPitch;
        made.width = made.clipWidth = kLogoWidth;
        made.height = made.clipHeight = kLogoHeight;
        drawLogo(made);
        return new VTLDLGBITMAP{kLogoWidth, kLogoHeight, kPitch, pixels.data()};
    }();
    return logo;
}

} // namespace

const VTLDLGTEMPLATE& configurationTemplate() { return kConfiguration; }

} // namespace vtl
