#include <vantrel/bitplanefx.h>
#include <vantrel/buttons.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

#include "window/image_buttons.h"

namespace {

int gLiveButtons = 0;

LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

bool isButton(HWND hwnd)
{
    return IsWindow(hwnd) && GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(buttonProc);
}

RLEBUTTON* recordOf(HWND button) { return reinterpret_cast<RLEBUTTON*>(GetWindowLongPtrA(button, GWLP_USERDATA)); }

bool onShape(const RLEBUTTON& r, LPARAM lParam)
{
    return IsOpaqueAt(r.pressedFace, LOWORD(lParam), HIWORD(lParam));
}

LRESULT create(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* r = static_cast<RLEBUTTON*>(MemAlloc(sizeof(RLEBUTTON)));
    if (!r)
        return 0;
    SetWindowLongPtrA(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
    // Both client areas start at (0, 0): the real position comes with 1029.
    RECT own, parent;
    GetClientRect(button, &own);
    if (!GetClientRect(GetParent(button), &parent))
        parent = RECT{0, 0, 0, 0};
    r->x = own.left - parent.left;
    r->y = own.top - parent.top;
    return DefWindowProcA(button, message, wParam, lParam);
}

LRESULT CALLBACK buttonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return create(button, message, wParam, lParam);
    RLEBUTTON* r = recordOf(button);
    const bool mouseButton = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
    const bool own = message >= RLEBUTTON_SETNORMAL && message <= RLEBUTTON_SETPOSITION;
    if (!r && (mouseButton || own))
        return 0;
    if (r) {
        switch (message) {
        case WM_MOUSEMOVE:
            if (onShape(*r, lParam)) {
                if (r->buttonState == 0)
                    r->buttonState = 1;
                else if (r->buttonState == 3)
                    r->buttonState = 2;
            } else if (r->buttonState == 1) {
                r->buttonState = 0;
            } else if (r->buttonState == 2) {
                r->buttonState = 3;
            }
            break;
        case WM_LBUTTONDOWN: r->buttonState = onShape(*r, lParam) ? 2 : 3; break;
        case WM_LBUTTONUP:
            if (onShape(*r, lParam)) {
                SendMessageA(GetParent(button), WM_COMMAND, static_cast<WPARAM>(GetWindowLongA(button, GWL_ID)),
                             reinterpret_cast<LPARAM>(button));
                // The parent may have destroyed the button on the click.
                if ((r = recordOf(button)) != nullptr)
                    r->buttonState = 1;
            } else {
                r->buttonState = 0;
            }
            break;
        case RLEBUTTON_SETNORMAL: r->normalFace = reinterpret_cast<RLEFX*>(lParam); break;
        case RLEBUTTON_SETHOVER: r->hoverFace = reinterpret_cast<RLEFX*>(lParam); break;
        case RLEBUTTON_SETPRESSED: r->pressedFace = reinterpret_cast<RLEFX*>(lParam); break;
        case RLEBUTTON_SETTARGET: r->target = reinterpret_cast<BITPLANEFX*>(lParam); break;
        case RLEBUTTON_SETPOSITION:
            r->x = static_cast<LONG>(wParam);
            r->y = static_cast<LONG>(lParam);
            break;
        case WM_CLOSE:
        case WM_DESTROY:
            MemFree(r);
            SetWindowLongPtrA(button, GWLP_USERDATA, 0);
            break;
        }
    }
    return DefWindowProcA(button, message, wParam, lParam);
}

} // namespace

int vtl::liveButtonCount() { return gLiveButtons; }

bool IsOpaqueAt(RLEFX* image, int x, int y)
{
    if (!image || !image->runs || x < 0 || y < 0 || x >= image->width || y >= image->height)
        return false;
    const unsigned bytes = image->bitsPerPixel >> 3;
    const unsigned char* p = image->runs;
    auto word = [&p] {
        const unsigned w = p[0] | p[1] << 8;
        p += 2;
        return w;
    };
    for (int row = 0; row < y; ++row) {
        for (unsigned w = word(); w != 0; w = word()) {
            const unsigned n = w & RLE_COUNT;
            if (w & RLE_SKIP)
                continue;
            p += static_cast<size_t>(n) * ((w & RLE_LEVEL) ? bytes + 1 : bytes);
        }
    }
    int at = 0;
    for (unsigned w = word(); w != 0; w = word()) {
        const int n = static_cast<int>(w & RLE_COUNT);
        if (x < at + n)
            return !(w & RLE_SKIP);
        at += n;
        if (!(w & RLE_SKIP))
            p += static_cast<size_t>(n) * ((w & RLE_LEVEL) ? bytes + 1 : bytes);
    }
    return false;
}

HWND VTLCreateRLEButton(VTLHND* handle, HINSTANCE instance, unsigned short id, const char*, RECT* rect, RLEFX* normal,
                        RLEFX* hover, RLEFX* pressed, BITPLANEFX* target)
{
    if (!handle || !rect)
        return nullptr;
    bool registered = false;
    if (gLiveButtons == 0) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = buttonProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = VTL_RLEBUTTON_CLASS;
        registered = RegisterClassExA(&wc) != 0;
    }
    HWND button = CreateWindowExA(0, VTL_RLEBUTTON_CLASS, "", WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                  rect->right - rect->left + 1, rect->bottom - rect->top + 1, handle->hwnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!button) {
        if (registered)
            UnregisterClassA(VTL_RLEBUTTON_CLASS, instance);
        return nullptr;
    }
    SetParent(button, handle->hwnd);
    SetWindowLongA(button, GWL_ID, id);
    SendMessageA(button, RLEBUTTON_SETNORMAL, 0, reinterpret_cast<LPARAM>(normal));
    SendMessageA(button, RLEBUTTON_SETHOVER, 0, reinterpret_cast<LPARAM>(hover));
    SendMessageA(button, RLEBUTTON_SETPRESSED, 0, reinterpret_cast<LPARAM>(pressed));
    SendMessageA(button, RLEBUTTON_SETTARGET, 0, reinterpret_cast<LPARAM>(target));
    SendMessageA(button, RLEBUTTON_SETPOSITION, static_cast<WPARAM>(rect->left), rect->top);
    ++gLiveButtons;
    return button;
}

void DestroyButton(HWND button, HINSTANCE instance)
{
    if (!isButton(button))
        return;
    SendMessageA(button, WM_CLOSE, 0, 0);
    if (gLiveButtons > 0 && --gLiveButtons == 0)
        UnregisterClassA(VTL_RLEBUTTON_CLASS, instance);
}

void DrawRLEButton(HWND button)
{
    const RLEBUTTON* r = isButton(button) ? recordOf(button) : nullptr;
    if (!r || !r->target) {
        Msg("DAMN");
        return;
    }
    RLEFX* face = r->buttonState == 1 ? r->hoverFace : r->buttonState == 2 ? r->pressedFace : r->normalFace;
    if (face)
        r->target->Blt(face, POINT{r->x, r->y});
}
