#include "platform/user/dialog_paint.h"

#include "platform/user/dialog_controls.h"
#include <vantrel/seam/dialog_manager.h>

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace vtl {
namespace {

using Canvas = DialogCanvas;

void putPixel(Canvas& c, int x, int y, DWORD color)
{
    if (x >= 0 && x < c.width && y >= 0 && y < c.height)
        c.pixels[static_cast<size_t>(y) * c.width + x] = color;
}

// From x1 to x2 inclusive, in either order.
void hline(Canvas& c, int x1, int x2, int y, DWORD color)
{
    if (y < 0 || y >= c.height)
        return;
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, 0);
    x2 = std::min(x2, c.width - 1);
    if (x1 > x2)
        return;
    uint32_t* row = c.pixels.data() + static_cast<size_t>(y) * c.width;
    std::fill(row + x1, row + x2 + 1, color);
}

// Bresenham from the end with the smaller x, leaving the end point itself
// out, so lines that share an end point do not draw it twice.
void line(Canvas& c, int x1, int y1, int x2, int y2, DWORD color)
{
    if (x2 < x1) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int dx = x2 - x1, dy = y2 - y1;
    const int sy = dy >= 0 ? 1 : -1;
    const int ax = 2 * dx, ay = 2 * (dy < 0 ? -dy : dy);
    int x = x1, y = y1;
    if (ax > ay) {
        for (int d = ay - (ax >> 1); x != x2; ++x) {
            putPixel(c, x, y, color);
            if (d >= 0) {
                y += sy;
                d -= ax;
            }
            d += ay;
        }
    } else {
        for (int d = ax - (ay >> 1); y != y2; y += sy) {
            putPixel(c, x, y, color);
            if (d >= 0) {
                ++x;
                d -= ay;
            }
            d += ax;
        }
    }
}

constexpr DWORD kWhite = 0xFFFFFF, kBlack = 0x000000, kShadow = 0x808080, kLight = 0xE8E6E1;
constexpr DWORD kSelection = 0x0A246A, kDisabledText = 0x808080;

COLORREF colorRef(DWORD rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void fill(Canvas& c, const RECT& r, DWORD color)
{
    for (LONG y = r.top; y < r.bottom; ++y)
        hline(c, r.left, r.right - 1, y, color);
}

// The outline of a rectangle, top-left edges in one colour and bottom-right in
// another: the bevel of raised and sunken things.
void edges(Canvas& c, const RECT& r, DWORD topLeft, DWORD bottomRight)
{
    hline(c, r.left, r.right - 1, r.top, topLeft);
    line(c, r.left, r.top, r.left, r.bottom - 1, topLeft);
    hline(c, r.left, r.right - 1, r.bottom - 1, bottomRight);
    line(c, r.right - 1, r.top, r.right - 1, r.bottom - 1, bottomRight);
}

void offset(RECT& r, LONG dx, LONG dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

RECT inset(RECT r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void raised(Canvas& c, const RECT& r)
{
    edges(c, r, kWhite, kBlack);
    edges(c, inset(r, 1), kLight, kShadow);
}

void sunken(Canvas& c, const RECT& r)
{
    edges(c, r, kShadow, kWhite);
    edges(c, inset(r, 1), kBlack, kLight);
}

void dotted(Canvas& c, const RECT& r)
{
    for (LONG x = r.left; x < r.right; x += 2) {
        putPixel(c, x, r.top, kBlack);
        putPixel(c, x, r.bottom - 1, kBlack);
    }
    for (LONG y = r.top; y < r.bottom; y += 2) {
        putPixel(c, r.left, y, kBlack);
        putPixel(c, r.right - 1, y, kBlack);
    }
}

SIZE measure(HDC dc, const std::string& text)
{
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}

void text(HDC dc, int x, int y, const std::string& s, DWORD color)
{
    SetTextColor(dc, colorRef(color));
    TextOutA(dc, x, y, s.c_str(), static_cast<int>(s.size()));
}

// Disabled text is etched: white one pixel down and right, grey over it.
void label(HDC dc, int x, int y, const std::string& s, bool enabled)
{
    if (enabled) {
        text(dc, x, y, s, kBlack);
        return;
    }
    text(dc, x + 1, y + 1, s, kWhite);
    text(dc, x, y, s, kDisabledText);
}

std::string titleOf(HWND hwnd)
{
    char buffer[256] = "";
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

void drawButton(Canvas& c, HDC dc, const RECT& r, const std::string& title, const ControlState& s, bool enabled,
                bool focused)
{
    fill(c, r, kDialogFace);
    RECT face = r;
    if (s.kind == ControlKind::kDefaultPushButton || focused) {
        edges(c, face, kBlack, kBlack);
        face = inset(face, 1);
    }
    if (s.pressed) {
        edges(c, face, kShadow, kShadow);
    } else {
        raised(c, face);
    }
    const SIZE t = measure(dc, title);
    const int shift = s.pressed ? 1 : 0;
    label(dc, (r.left + r.right - t.cx) / 2 + shift, (r.top + r.bottom - t.cy) / 2 + shift, title, enabled);
    if (focused)
        dotted(c, inset(r, 4));
}

void drawCheckBox(Canvas& c, HDC dc, const RECT& r, const std::string& title, const ControlState& s,
                  bool enabled, bool focused)
{
    const int box = 13;
    const int top = (r.top + r.bottom - box) / 2;
    RECT b{r.left, top, r.left + box, top + box};
    fill(c, inset(b, 2), enabled && !s.pressed ? kWhite : kDialogFace);
    sunken(c, b);
    if (s.checked) {
        const DWORD mark = enabled ? kBlack : kDisabledText;
        // A tick three pixels thick: down from the left, then up to the right.
        for (int i = 0; i < 3; ++i) {
            line(c, b.left + 3, b.top + 5 + i, b.left + 5, b.top + 7 + i, mark);
            line(c, b.left + 5, b.top + 7 + i, b.left + 9, b.top + 3 + i, mark);
        }
    }
    const SIZE t = measure(dc, title);
    const int x = b.right + 4, y = (r.top + r.bottom - t.cy) / 2;
    label(dc, x, y, title, enabled);
    if (focused)
        dotted(c, RECT{x - 1, y, x + t.cx + 1, y + t.cy});
}

void drawGroupBox(Canvas& c, HDC dc, const RECT& r, const std::string& title, bool enabled)
{
    const SIZE t = measure(dc, title);
    const int top = r.top + t.cy / 2;
    edges(c, RECT{r.left, top, r.right - 1, r.bottom - 1}, kShadow, kShadow);
    edges(c, RECT{r.left + 1, top + 1, r.right, r.bottom}, kWhite, kWhite);
    fill(c, RECT{r.left + 6, r.top, r.left + 10 + t.cx, r.top + t.cy}, kDialogFace);
    label(dc, r.left + 8, r.top, title, enabled);
}

void drawBitmap(Canvas& c, const RECT& r, const VTLDLGBITMAP* picture)
{
    if (!picture || !picture->bits)
        return;
    for (int y = 0; y < picture->height; ++y) {
        const BYTE* p = picture->bits + static_cast<size_t>(y) * picture->pitch;
        for (int x = 0; x < picture->width; ++x, p += 3)
            putPixel(c, r.left + x, r.top + y, p[0] | p[1] << 8 | static_cast<DWORD>(p[2]) << 16);
    }
}

void drawDropDown(Canvas& c, HDC dc, const RECT& r, const ControlState& s, bool enabled, bool focused)
{
    fill(c, inset(r, 2), enabled ? kWhite : kDialogFace);
    sunken(c, r);
    const int arrowWidth = GetSystemMetrics(SM_CXVSCROLL);
    RECT arrow{r.right - 2 - arrowWidth, r.top + 2, r.right - 2, r.bottom - 2};
    fill(c, arrow, kDialogFace);
    if (s.dropped)
        edges(c, arrow, kShadow, kShadow);
    else
        raised(c, arrow);
    // The arrow: a small triangle pointing down.
    const int cx = (arrow.left + arrow.right) / 2, cy = (arrow.top + arrow.bottom) / 2 - 1;
    const DWORD ink = enabled ? kBlack : kDisabledText;
    for (int i = 0; i < 4; ++i)
        hline(c, cx - 3 + i, cx + 3 - i, cy + i, ink);
    if (s.selected >= 0 && s.selected < static_cast<int>(s.items.size())) {
        const std::string& item = s.items[s.selected];
        const SIZE t = measure(dc, item);
        const int y = (r.top + r.bottom - t.cy) / 2;
        RECT field{r.left + 3, r.top + 3, arrow.left - 1, r.bottom - 3};
        if (focused && !s.dropped && enabled) {
            fill(c, field, kSelection);
            text(dc, field.left + 2, y, item, kWhite);
            dotted(c, field);
        } else {
            label(dc, field.left + 2, y, item, enabled);
        }
    }
}

void drawDroppedList(Canvas& c, HDC dc, HWND hwnd, const RECT& r, const ControlState& s)
{
    RECT list = droppedListRect(hwnd, s);
    offset(list, r.left, r.top);
    fill(c, list, kWhite);
    edges(c, list, kBlack, kBlack);
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i) {
        RECT item{list.left + 1, list.top + 1 + i * s.itemHeight, list.right - 1,
                  list.top + 1 + (i + 1) * s.itemHeight};
        if (item.bottom > list.bottom - 1)
            break;
        const bool hot = i == s.hotItem;
        if (hot)
            fill(c, item, kSelection);
        const SIZE t = measure(dc, s.items[i]);
        text(dc, item.left + 2, (item.top + item.bottom - t.cy) / 2, s.items[i], hot ? kWhite : kBlack);
    }
}

} // namespace

void drawDialog(Canvas& canvas, HDC dc, const std::vector<PaintedControl>& controls)
{
    fill(canvas, RECT{0, 0, canvas.width, canvas.height}, kDialogFace);
    SetBkMode(dc, TRANSPARENT);
    const HWND focus = GetFocus();
    for (const PaintedControl& pc : controls) {
        const ControlState* s = controlState(pc.hwnd);
        if (!s || !IsWindowVisible(pc.hwnd))
            continue;
        const bool enabled = !(GetWindowLongA(pc.hwnd, GWL_STYLE) & WS_DISABLED);
        const bool focused = pc.hwnd == focus;
        const std::string title = titleOf(pc.hwnd);
        const RECT& r = pc.rect;
        switch (s->kind) {
        case ControlKind::kPushButton:
        case ControlKind::kDefaultPushButton: drawButton(canvas, dc, r, title, *s, enabled, focused); break;
        case ControlKind::kCheckBox: drawCheckBox(canvas, dc, r, title, *s, enabled, focused); break;
        case ControlKind::kGroupBox: drawGroupBox(canvas, dc, r, title, enabled); break;
        case ControlKind::kStaticText: {
            const SIZE t = measure(dc, title);
            label(dc, (r.left + r.right - t.cx) / 2, r.top, title, enabled);
            break;
        }
        case ControlKind::kLeftText: label(dc, r.left, r.top, title, enabled); break;
        case ControlKind::kStaticFrame: {
            edges(canvas, r, kShadow, kWhite);
            const SIZE t = measure(dc, title);
            label(dc, r.left + 2, (r.top + r.bottom - t.cy) / 2, title, enabled);
            break;
        }
        case ControlKind::kStaticBitmap: drawBitmap(canvas, r, s->bitmap); break;
        case ControlKind::kDropDownList: drawDropDown(canvas, dc, r, *s, enabled, focused); break;
        }
    }
    for (const PaintedControl& pc : controls) {
        const ControlState* s = controlState(pc.hwnd);
        if (s && s->dropped && IsWindowVisible(pc.hwnd))
            drawDroppedList(canvas, dc, pc.hwnd, pc.rect, *s);
    }
}

} // namespace vtl
