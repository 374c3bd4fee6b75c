// Dialogs made from templates in memory, the modal loop, and the keys that
// mean something to a dialog (<vantrel/win32/dialog.h>,
// <vantrel/seam/dialog_manager.h>).
//
// Choices where a desktop dialog manager leaves room:
// - the font's point size is taken at 96 dots per inch, and the dialog's
//   base units are measured on it as usual (the average width of the 52
//   letters, the height of a line), so the layout follows the font the
//   system matched for the face name;
// - the font matched for a face name is seldom the one a template was laid
//   out with, and its letters do not keep the same proportions: where a
//   label would not fit its control, the horizontal base unit grows until
//   every label fits, and where a bitmap (shown at its own size) would reach
//   another control, the unit across which they overlap less grows until
//   the bitmap clears it by two pixels.
//   Everything scales together, so controls that do not overlap in dialog
//   units never overlap on the screen;
// - a drop-down list's closed box is a line plus 8 pixels high, whatever its
//   template height (that height is the dropped list's);
// - the dialog starts with the focus on its default push button, so Enter
//   accepts at once and Tab walks the controls in template order.
#include "platform/user/dialog_controls.h"
#include "platform/user/dialog_paint.h"
#include "platform/kernel/trace.h"
#include <vantrel/seam/dialog_manager.h>
#include <vantrel/seam/window_backend.h>

#include <vantrel/win32/gdi.h>
#include <vantrel/win32/pixel_format.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace vtl {
namespace {

const char kDialogClass[] = "VTL_Dialog";

struct DialogRecord {
    HWND hwnd = nullptr;
    DLGPROC proc = nullptr;
    bool initialised = false; // the procedure sees messages from WM_INITDIALOG on
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;
    HDC dc = nullptr;
    DialogCanvas canvas;
    std::vector<PaintedControl> controls; // template order, which is tab order
    std::vector<int> ids;
    HWND lastFocus = nullptr;

    ~DialogRecord()
    {
        destroyMemoryDC(dc);
        if (font)
            DeleteObject(font);
    }
};

std::vector<std::unique_ptr<DialogRecord>>& dialogs()
{
    static auto* list = new std::vector<std::unique_ptr<DialogRecord>>;
    return *list;
}

DialogRecord* findDialog(HWND hwnd)
{
    for (auto& d : dialogs()) {
        if (d->hwnd == hwnd)
            return d.get();
    }
    return nullptr;
}

void forgetDialog(HWND hwnd)
{
    auto& list = dialogs();
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& d) { return d->hwnd == hwnd; }),
               list.end());
}

bool isOwnControl(const DialogRecord& d, HWND hwnd)
{
    return std::any_of(d.controls.begin(), d.controls.end(), [&](const PaintedControl& c) { return c.hwnd == hwnd; });
}

bool canTakeFocus(HWND control)
{
    const ControlState* s = controlState(control);
    return s && isTabStop(s->kind) && IsWindowVisible(control) &&
           !(GetWindowLongA(control, GWL_STYLE) & WS_DISABLED);
}

void moveFocus(DialogRecord& d, int step)
{
    const int n = static_cast<int>(d.controls.size());
    int at = -1;
    for (int i = 0; i < n; ++i) {
        if (d.controls[i].hwnd == GetFocus())
            at = i;
    }
    if (at < 0)
        at = step > 0 ? -1 : n;
    for (int k = 0; k < n; ++k) {
        at = (at + step + n) % n;
        if (canTakeFocus(d.controls[at].hwnd)) {
            SetFocus(d.controls[at].hwnd);
            return;
        }
    }
}

HWND defaultButton(const DialogRecord& d)
{
    for (const PaintedControl& c : d.controls) {
        const ControlState* s = controlState(c.hwnd);
        if (s && s->kind == ControlKind::kDefaultPushButton)
            return c.hwnd;
    }
    return nullptr;
}

void command(const DialogRecord& d, int id)
{
    HWND button = GetDlgItem(d.hwnd, id);
    if (button && (GetWindowLongA(button, GWL_STYLE) & WS_DISABLED))
        return;
    SendMessageA(d.hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// The keys that mean something to the dialog rather than to the control
// with the focus.  True when the key was used.
bool dialogKey(DialogRecord& d, const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || (msg.hwnd != d.hwnd && !isOwnControl(d, msg.hwnd)))
        return false;
    const ControlState* s = controlState(msg.hwnd);
    const bool openList = s && s->kind == ControlKind::kDropDownList && s->dropped;
    switch (msg.wParam) {
    case VK_TAB:
        closeDropDown(msg.hwnd);
        moveFocus(d, (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1);
        return true;
    case VK_ESCAPE:
        if (openList)
            return false;
        command(d, IDCANCEL);
        return true;
    case VK_RETURN:
        if (openList)
            return false;
        if (s && (s->kind == ControlKind::kPushButton || s->kind == ControlKind::kDefaultPushButton)) {
            SendMessageA(msg.hwnd, BM_CLICK, 0, 0);
            return true;
        }
        if (HWND button = defaultButton(d))
            command(d, GetDlgCtrlID(button));
        return true;
    default: return false;
    }
}

LRESULT CALLBACK dialogWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogRecord* d = findDialog(hwnd);
    if (d && d->initialised && d->proc && d->proc(hwnd, message, wParam, lParam))
        return 0;
    d = findDialog(hwnd);
    switch (message) {
    case WM_PAINT:
        paintDialog(hwnd);
        break;
    case WM_CLOSE: return 0;
    case WM_SETFOCUS:
        if (d && d->lastFocus && IsWindow(d->lastFocus))
            SetFocus(d->lastFocus);
        return 0;
    case WM_NCDESTROY: forgetDialog(hwnd); break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool registerDialogClass()
{
    static const bool registered = registerLibraryClass(kDialogClass, dialogWindowProc);
    return registered;
}

struct BaseUnits {
    int x, y;
};

BaseUnits measureBaseUnits(HFONT font)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, kLetters, 52, &s);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return BaseUnits{std::max(1, static_cast<int>((s.cx / 26 + 1) / 2)), std::max(1, static_cast<int>(s.cy))};
}

RECT toPixels(const BaseUnits& b, int x, int y, int cx, int cy)
{
    return RECT{x * b.x / 4, y * b.y / 8, (x + cx) * b.x / 4, (y + cy) * b.y / 8};
}

// The pixels a control's own drawing leaves beside its label (the painter's
// check box and its gap, a button's and a frame's edges); -1 for controls
// whose template text is not shown in the control's width.
int labelMargin(BYTE kind)
{
    switch (kind) {
    case VTLDLG_AUTOCHECKBOX: return 13 + 4;
    case VTLDLG_PUSHBUTTON:
    case VTLDLG_DEFPUSHBUTTON: return 6;
    case VTLDLG_GROUPBOX: return 8 + 8;
    case VTLDLG_LTEXTFRAME: return 6;
    case VTLDLG_CTEXT:
    case VTLDLG_LTEXT: return 0;
    default: return -1;
    }
}

bool labelsFit(const BaseUnits& b, const VTLDLGTEMPLATE& t, HDC dc)
{
    for (int i = 0; i < t.itemCount; ++i) {
        const VTLDLGITEM& item = t.items[i];
        const int margin = labelMargin(item.kind);
        if (margin < 0 || !item.text || !*item.text)
            continue;
        SIZE s{0, 0};
        GetTextExtentPoint32A(dc, item.text, static_cast<int>(std::strlen(item.text)), &s);
        const RECT r = toPixels(b, item.x, item.y, item.cx, item.cy);
        if (s.cx + margin > r.right - r.left)
            return false;
    }
    return true;
}

// Which base unit to grow so that no bitmap reaches another control: 'x'
// or 'y' (the direction in which the two overlap less, so that the smaller
// step clears them), or 0 when every bitmap is clear.
char bitmapOverlap(const BaseUnits& b, const VTLDLGTEMPLATE& t)
{
    for (int i = 0; i < t.itemCount; ++i) {
        const VTLDLGITEM& item = t.items[i];
        const VTLDLGBITMAP* picture =
            item.kind == VTLDLG_BITMAP && t.findBitmap ? t.findBitmap(item.bitmap) : nullptr;
        if (!picture)
            continue;
        RECT p = toPixels(b, item.x, item.y, 0, 0);
        p = RECT{p.left - 2, p.top - 2, p.left + picture->width + 2, p.top + picture->height + 2};
        for (int j = 0; j < t.itemCount; ++j) {
            const VTLDLGITEM& other = t.items[j];
            if (j == i)
                continue;
            const RECT o = toPixels(b, other.x, other.y, other.cx, other.cy);
            // A group box around the bitmap is its frame, not a neighbour.
            if (other.kind == VTLDLG_GROUPBOX && o.left <= p.left + 2 && o.top <= p.top + 2 &&
                p.right - 2 <= o.right && p.bottom - 2 <= o.bottom)
                continue;
            if (o.left < p.right && p.left < o.right && o.top < p.bottom && p.top < o.bottom) {
                const long across = std::min(o.right, p.right) - std::max(o.left, p.left);
                const long down = std::min(o.bottom, p.bottom) - std::max(o.top, p.top);
                return down <= across ? 'y' : 'x';
            }
        }
    }
    return 0;
}

BaseUnits fitLayout(BaseUnits b, const VTLDLGTEMPLATE& t, HFONT font)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    // Bounded: a label no width can hold (a control of no width) leaves the
    // dialog at four times its measured size rather than growing for ever.
    const int limit = b.x * 4;
    while (b.x < limit && !labelsFit(b, t, dc))
        ++b.x;
    const int limitX = b.x * 2, limitY = b.y * 4;
    for (char grow = bitmapOverlap(b, t); grow && b.x < limitX && b.y < limitY; grow = bitmapOverlap(b, t))
        ++(grow == 'x' ? b.x : b.y);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    return b;
}

bool makeCanvas(DialogRecord& d, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    d.canvas.width = width;
    d.canvas.height = height;
    d.canvas.pixels.assign(static_cast<size_t>(width) * height, 0);
    const VTLPixelFormat format{PF_RGB32, 32, 4, 0xFF0000, 0x00FF00, 0x0000FF};
    d.dc = createMemoryDC(d.canvas.bytes(), d.canvas.pitch(), width, height, format);
    if (!d.dc)
        return false;
    SelectObject(d.dc, d.font);
    return true;
}

bool buildDialog(DialogRecord& d, const VTLDLGTEMPLATE& t, HWND parent)
{
    const int pixelHeight = -(t.pointSize * 96 + 36) / 72;
    d.font = CreateFontA(pixelHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, t.faceName);
    if (!d.font)
        return false;
    const BaseUnits measured = measureBaseUnits(d.font);
    const BaseUnits units = fitLayout(measured, t, d.font);
    const RECT client = toPixels(units, 0, 0, t.cx, t.cy);
    const DWORD style = (t.style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD)) | WS_POPUP;
    RECT outer = client;
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const Desktop desk = desktop();
    const RECT& area = desk.workArea;
    const int x = area.left + std::max(0, static_cast<int>(area.right - area.left - width) / 2);
    const int y = area.top + std::max(0, static_cast<int>(area.bottom - area.top - height) / 2);
    d.hwnd = CreateWindowExA(0, kDialogClass, t.caption, style, x, y, width, height, parent, nullptr,
                             libraryInstance(), nullptr);
    if (!d.hwnd || !makeCanvas(d, client.right, client.bottom))
        return false;
    const int lineHeight = measured.y; // the font's, however far the layout grew
    for (int i = 0; i < t.itemCount; ++i) {
        const VTLDLGITEM& item = t.items[i];
        RECT r = toPixels(units, item.x, item.y, item.cx, item.cy);
        int listHeight = 0;
        const VTLDLGBITMAP* picture = nullptr;
        if (item.kind == VTLDLG_BITMAP) {
            picture = t.findBitmap ? t.findBitmap(item.bitmap) : nullptr;
            r.right = r.left + (picture ? picture->width : 0);
            r.bottom = r.top + (picture ? picture->height : 0);
        }
        if (item.kind == VTLDLG_DROPDOWNLIST) {
            listHeight = r.bottom - r.top;
            r.bottom = r.top + lineHeight + 8;
            listHeight -= r.bottom - r.top;
        }
        HWND control = createControl(d.hwnd, item, picture, r, lineHeight + 2, listHeight);
        if (!control)
            return false;
        d.controls.push_back(PaintedControl{control, r});
        d.ids.push_back(item.id);
    }
    return true;
}

HWND createDialog(const VTLDLGTEMPLATE* t, HWND parent, DLGPROC proc, LPARAM param)
{
    if (!t || !registerDialogClass())
        return nullptr;
    dialogs().push_back(std::make_unique<DialogRecord>());
    DialogRecord* d = dialogs().back().get();
    d->proc = proc;
    if (!buildDialog(*d, *t, parent)) {
        HWND made = d->hwnd;
        if (made)
            DestroyWindow(made); // forgets the record on WM_NCDESTROY
        forgetDialog(made);
        return nullptr;
    }
    const HWND hwnd = d->hwnd;
    d->initialised = true;
    if (proc)
        proc(hwnd, WM_INITDIALOG, 0, param);
    if (!(d = findDialog(hwnd)))
        return nullptr; // the procedure destroyed its dialog
    ShowWindow(hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd);
    if (HWND button = defaultButton(*d))
        SetFocus(button);
    d->lastFocus = GetFocus();
    InvalidateRect(hwnd, nullptr, FALSE);
    return hwnd;
}

} // namespace

INT_PTR runModalDialog(HWND dialog, DialogIdle idle, void* context)
{
    DialogRecord* d = findDialog(dialog);
    if (!d)
        return -1;
    MSG msg{};
    bool quit = false;
    while (d && !d->ended) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (idle && idle(dialog, context)) {
                d = findDialog(dialog);
                continue;
            }
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
                quit = msg.message == WM_QUIT;
                break;
            }
        } else if (msg.message == WM_QUIT) {
            quit = true;
            break;
        }
        if (!dialogKey(*d, msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!(d = findDialog(dialog)))
            break;
        if (isOwnControl(*d, GetFocus()))
            d->lastFocus = GetFocus();
        if (msg.message != WM_PAINT && msg.message != WM_MOUSEMOVE && msg.message != WM_TIMER)
            InvalidateRect(dialog, nullptr, FALSE);
    }
    const INT_PTR result = d && d->ended ? d->result : -1;
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    if (quit)
        PostQuitMessage(static_cast<int>(msg.wParam));
    return result;
}

INT_PTR dialogBoxIndirectParam(const VTLDLGTEMPLATE& dialogTemplate, HWND parent, DLGPROC proc, LPARAM param,
                               DialogIdle idle, void* context)
{
    const bool disableParent = parent && IsWindow(parent) && EnableWindow(parent, FALSE) == FALSE;
    HWND dialog = createDialog(&dialogTemplate, parent, proc, param);
    const INT_PTR result = dialog ? runModalDialog(dialog, idle, context) : -1;
    if (disableParent) {
        EnableWindow(parent, TRUE);
        SetForegroundWindow(parent);
    }
    return result;
}

DialogImage dialogImage(HWND dialog)
{
    DialogRecord* d = findDialog(dialog);
    if (!d || d->canvas.pixels.empty())
        return DialogImage{nullptr, 0, 0, 0};
    return DialogImage{d->canvas.bytes(), d->canvas.pitch(), d->canvas.width, d->canvas.height};
}

RECT dialogItemRect(HWND dialog, int id)
{
    if (const DialogRecord* d = findDialog(dialog)) {
        for (size_t i = 0; i < d->ids.size(); ++i) {
            if (d->ids[i] == id)
                return d->controls[i].rect;
        }
    }
    return RECT{0, 0, 0, 0};
}

void paintDialog(HWND dialog)
{
    DialogRecord* d = findDialog(dialog);
    if (!d || !d->dc)
        return;
    drawDialog(d->canvas, d->dc, d->controls);
    showWindowImage(dialog, d->canvas.bytes(), d->canvas.pitch(), d->canvas.width, d->canvas.height);
}

} // namespace vtl

using namespace vtl;

HWND CreateDialogIndirectParamA(HINSTANCE, const VTLDLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param)
{
    VTL_TRACE(user, "CreateDialogIndirectParamA", dialogTemplate, parent, proc, param);
    return vtlTraceCall_.result(createDialog(dialogTemplate, parent, proc, param));
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE, const VTLDLGTEMPLATE* dialogTemplate, HWND parent, DLGPROC proc,
                                LPARAM param)
{
    VTL_TRACE(user, "DialogBoxIndirectParamA", dialogTemplate, parent, proc, param);
    return vtlTraceCall_.result(dialogTemplate ? dialogBoxIndirectParam(*dialogTemplate, parent, proc, param) : -1);
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    VTL_TRACE(user, "EndDialog", dialog, result);
    DialogRecord* d = findDialog(dialog);
    if (!d)
        return vtlTraceCall_.result(FALSE);
    if (!d->ended) {
        d->ended = true;
        d->result = result;
    }
    return vtlTraceCall_.result(TRUE);
}
