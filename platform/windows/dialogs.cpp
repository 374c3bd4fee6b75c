// Dialogs from templates given as data, on the system's dialog manager.  The
// template becomes the binary DLGTEMPLATE (platform/shared/
// dialog_template_bytes.h); a procedure in front of the game's gives the
// bitmap controls their images before the game's procedure sees
// WM_INITDIALOG, and lets a scripted answer act while the dialog waits.
//
// The modal loop is the system's own, so that a dialog behaves exactly as
// any other on the desktop (and EndDialog's result, which the system keeps to
// itself, comes back).  Its idle moments reach the idle function through a
// timer: WM_TIMER is only made when nothing else waits, and the function is
// called when the queue is still empty after it.
#include <vantrel/seam/dialog_manager.h>

#include "platform/shared/dialog_template_bytes.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kRecordProperty[] = "VantrelDialog";
constexpr UINT_PTR kIdleTimer = 0x564C;

struct DialogRecord {
    const VTLDLGTEMPLATE* dialogTemplate;
    DLGPROC proc;
    LPARAM param;
    vtl::DialogIdle idle;
    void* context;
    bool ownedByWindow;      // modeless: freed with its window
    bool* attached;          // set once the window holds the record
    bool ended;              // EndDialog hid the dialog
    int inside = 0;          // calls into the game's procedure or the idle function under way
    bool gone = false;       // its window is destroyed; freed when the last call returns
    std::vector<HBITMAP> bitmaps;
};

HBITMAP makeBitmap(const VTLDLGBITMAP& picture)
{
    if (picture.width <= 0 || picture.height <= 0 || !picture.bits)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // rows from the top, as the template's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t(3);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(static_cast<unsigned char*>(bits) + y * stride, picture.bits + size_t(y) * picture.pitch,
                    rowBytes);
    GdiFlush();
    return bitmap;
}

// The dialog's controls are its children in template order (tab order), so
// the i-th child is the i-th item, whatever its id.
void setBitmaps(HWND dialog, DialogRecord& record)
{
    const VTLDLGTEMPLATE& t = *record.dialogTemplate;
    HWND control = GetWindow(dialog, GW_CHILD);
    for (int i = 0; i < t.itemCount && control; ++i, control = GetWindow(control, GW_HWNDNEXT)) {
        const VTLDLGITEM& item = t.items[i];
        if (item.kind != VTLDLG_BITMAP || !t.findBitmap)
            continue;
        const VTLDLGBITMAP* picture = t.findBitmap(item.bitmap);
        HBITMAP bitmap = picture ? makeBitmap(*picture) : nullptr;
        if (!bitmap)
            continue;
        record.bitmaps.push_back(bitmap);
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
}

void forget(HWND dialog, DialogRecord* record)
{
    KillTimer(dialog, kIdleTimer);
    RemovePropA(dialog, kRecordProperty);
    for (HBITMAP bitmap : record->bitmaps)
        DeleteObject(bitmap);
    record->bitmaps.clear();
    record->gone = true;
    if (record->ownedByWindow && !record->inside)
        delete record;
}

// Ends a call into the game's code, which may have destroyed the dialog.
void leave(DialogRecord* record)
{
    if (--record->inside == 0 && record->gone && record->ownedByWindow)
        delete record;
}

INT_PTR CALLBACK frontProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* record = reinterpret_cast<DialogRecord*>(lParam);
        SetPropA(dialog, kRecordProperty, record);
        if (record->attached)
            *record->attached = true;
        setBitmaps(dialog, *record);
        if (record->idle)
            SetTimer(dialog, kIdleTimer, USER_TIMER_MINIMUM, nullptr);
        ++record->inside;
        const INT_PTR focus = record->proc ? record->proc(dialog, message, wParam, record->param) : TRUE;
        leave(record);
        return focus;
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) are not the game's.
    auto* record = static_cast<DialogRecord*>(GetPropA(dialog, kRecordProperty));
    if (!record)
        return FALSE;
    if (message == WM_TIMER && wParam == kIdleTimer) {
        if (HIWORD(GetQueueStatus(QS_ALLINPUT & ~QS_TIMER)) == 0) {
            ++record->inside;
            record->idle(dialog, record->context);
            leave(record);
        }
        return TRUE;
    }
    // EndDialog hides the dialog from within the game's code; the system's
    // loop hides it again as it destroys it, which is no answer.
    if (message == WM_WINDOWPOSCHANGED && record->inside &&
        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW))
        record->ended = true;
    ++record->inside;
    const INT_PTR handled = record->proc ? record->proc(dialog, message, wParam, lParam) : FALSE;
    leave(record);
    if (message == WM_NCDESTROY)
        forget(dialog, record);
    return handled;
}

HINSTANCE instanceOr(HINSTANCE instance) { return instance ? instance : GetModuleHandleA(nullptr); }

INT_PTR runDialogBox(HINSTANCE instance, const VTLDLGTEMPLATE& t, HWND parent, DLGPROC proc, LPARAM param,
                     vtl::DialogIdle idle, void* context)
{
    const std::vector<uint16_t> bytes = vtl::dialogTemplateBytes(t);
    DialogRecord record{&t, proc, param, idle, context, false, nullptr, false, 0, false, {}};
    const INT_PTR result =
        DialogBoxIndirectParamW(instanceOr(instance), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), parent,
                                frontProc, reinterpret_cast<LPARAM>(&record));
    // The system's loop also ends on WM_QUIT, which it posts again for the
    // caller's loop; without an EndDialog that is no answer.
    MSG quit;
    if (result != -1 && !record.ended && PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
        return -1;
    return result;
}

} // namespace

INT_PTR vtl::dialogBoxIndirectParam(const VTLDLGTEMPLATE& dialogTemplate, HWND parent, DLGPROC proc, LPARAM param,
                                    DialogIdle idle, void* context)
{
    return runDialogBox(nullptr, dialogTemplate, parent, proc, param, idle, context);
}

RECT vtl::dialogItemRect(HWND dialog, int id)
{
    RECT r{0, 0, 0, 0};
    HWND control = GetDlgItem(dialog, id);
    if (!control || !GetWindowRect(control, &r))
        return RECT{0, 0, 0, 0};
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM param)
{
    if (!dialogTemplate)
        return nullptr;
    const std::vector<uint16_t> bytes = vtl::dialogTemplateBytes(*dialogTemplate);
    bool attached = false;
    auto record = std::make_unique<DialogRecord>(
        DialogRecord{dialogTemplate, proc, param, nullptr, nullptr, true, &attached, false, 0, false, {}});
    DialogRecord* given = record.get();
    HWND dialog = CreateDialogIndirectParamW(instanceOr(instance), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             parent, frontProc, reinterpret_cast<LPARAM>(given));
    // Once attached, the window owns the record (and may already have freed
    // it, when the procedure destroyed its dialog during WM_INITDIALOG).
    if (attached) {
        record.release();
        if (dialog)
            given->attached = nullptr;
    }
    // Shown as on every system, whatever the template's WS_VISIBLE.
    if (dialog)
        ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM param)
{
    return dialogTemplate ? runDialogBox(instance, *dialogTemplate, parent, proc, param, nullptr, nullptr) : -1;
}
