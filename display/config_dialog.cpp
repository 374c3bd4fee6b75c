#include "display/config_dialog.h"

#include "display/configuration.h"
#include "display/driver_list.h"
#include <vantrel/seam/process_launch.h>

#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>

#include <cstdio>
#include <initializer_list>

namespace {

// The enumeration callbacks find their combo box here (set before each
// enumeration).
HWND gListDialog = nullptr;
int gListCombo = 0;
DWORD gWantedWidth = 0;
DWORD gWantedHeight = 0;

LRESULT sendItem(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

void addDriverLabel(const vtl::DriverRecord& r)
{
    char text[300];
    std::snprintf(text, sizeof text, "%s (%s)", r.description, r.name);
    sendItem(gListDialog, gListCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

BOOL WINAPI listDriver(GUID* guid, LPSTR description, LPSTR name, LPVOID context)
{
    const BOOL stored = vtl::addDriver(guid, description, name, context);
    if (stored == TRUE)
        addDriverLabel(vtl::driverList().records[vtl::driverList().count - 1]);
    return stored;
}

HRESULT WINAPI listDepth(LPDDSURFACEDESC mode, LPVOID)
{
    const DWORD bits = mode->ddpfPixelFormat.dwRGBBitCount;
    if (mode->dwWidth != gWantedWidth || mode->dwHeight != gWantedHeight || bits < 8 || bits > 32)
        return DDENUMRET_OK;
    const char* format = nullptr;
    switch (bits) {
    case 8: format = "%ux%ux%u Fullscreen (Low Quality)"; break;
    case 16: format = "%ux%ux%u Fullscreen (Recommended)"; break;
    case 24: format = "%ux%ux%u Fullscreen (CPU Intensive)"; break;
    case 32: format = "%ux%ux%u Fullscreen (Faster than 24bit color)"; break;
    default: return DDENUMRET_OK;
    }
    char text[100];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(mode->dwWidth),
                  static_cast<unsigned>(mode->dwHeight), static_cast<unsigned>(bits));
    const LRESULT index = sendItem(gListDialog, gListCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    sendItem(gListDialog, gListCombo, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(bits));
    return DDENUMRET_OK;
}

DWORD screenDepth()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return static_cast<DWORD>(bits);
}

DWORD gameSize(int which)
{
    const VTLHND* handle = vtl::configurationResult().handle;
    return handle ? (which == 0 ? handle->width : handle->height) : 0;
}

void listDepthsAtGameSize(HWND dialog)
{
    const DWORD size[2] = {gameSize(0), gameSize(1)};
    const LRESULT driver = sendItem(dialog, IDC_DRIVERS, CB_GETCURSEL, 0, 0);
    ListDepths(dialog, IDC_DEPTHS, static_cast<DWORD>(driver), size);
}

void check(HWND dialog, int id, bool on)
{
    sendItem(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool isChecked(HWND dialog, int id) { return sendItem(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void enable(HWND dialog, int id, bool on) { EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

void show(HWND dialog, int id, bool on) { ShowWindow(GetDlgItem(dialog, id), on ? SW_SHOW : SW_HIDE); }

void setWindowLabel(HWND dialog)
{
    const unsigned depth = screenDepth() & 0xFF;
    char label[100];
    std::snprintf(label, sizeof label, " %ux%ux%u Window", static_cast<unsigned>(gameSize(0)),
                  static_cast<unsigned>(gameSize(1)), depth);
    if (depth >= 8 && depth <= 32) {
        enable(dialog, IDC_WINDOWED, true);
    } else {
        enable(dialog, IDC_WINDOWED, false);
        show(dialog, IDC_WINDOW_LABEL, false);
        show(dialog, IDC_DEPTHS, true);
        check(dialog, IDC_WINDOWED, false);
        check(dialog, IDC_FULLSCREEN, true);
    }
    SetWindowTextA(GetDlgItem(dialog, IDC_WINDOW_LABEL), label);
}

void initDialog(HWND dialog)
{
    show(dialog, IDC_WINDOW_LABEL, false);
    sendItem(dialog, IDC_REFRESH_RATES, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>("Glide Not Implemented Yet"));
    sendItem(dialog, IDC_REFRESH_RATES, CB_SETCURSEL, 0, 0);
    enable(dialog, IDC_GLIDE, false);
    ListDrivers(dialog, IDC_DRIVERS);
    sendItem(dialog, IDC_DRIVERS, CB_SETCURSEL, 0, 0);
    check(dialog, IDC_DIRECTDRAW, true);
    check(dialog, IDC_FULLSCREEN, true);
    check(dialog, IDC_EFFECTS, true);
    const DWORD size[2] = {gameSize(0), gameSize(1)};
    ListDepths(dialog, IDC_DEPTHS, 0, size);
    sendItem(dialog, IDC_DEPTHS, CB_SETCURSEL, 1, 0);
    enable(dialog, IDC_REFRESH_RATES, false);
    enable(dialog, IDC_REFRESH_GROUP, false);
    setWindowLabel(dialog);
}

void accept(HWND dialog)
{
    vtl::ConfigurationResult& result = vtl::configurationResult();
    result.fullscreen = isChecked(dialog, IDC_FULLSCREEN);
    result.effects = isChecked(dialog, IDC_EFFECTS);
    if (result.fullscreen) {
        const LRESULT selected = sendItem(dialog, IDC_DEPTHS, CB_GETCURSEL, 0, 0);
        result.bitsPerPixel = static_cast<DWORD>(
            sendItem(dialog, IDC_DEPTHS, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    } else {
        result.bitsPerPixel = screenDepth();
    }
    result.driverIndex = static_cast<DWORD>(sendItem(dialog, IDC_DRIVERS, CB_GETCURSEL, 0, 0));
    result.cancelled = false;
    PostMessageA(dialog, WM_DESTROY, 0, 0);
}

void cancel(HWND dialog)
{
    vtl::configurationResult().cancelled = true;
    PostMessageA(dialog, WM_DESTROY, 0, 0);
}

// DirectDraw and Glide are a radio pair: choosing one switches the other
// part of the dialog off.
void chooseDirectDraw(HWND dialog, bool directDraw)
{
    check(dialog, IDC_GLIDE, !directDraw);
    check(dialog, IDC_DIRECTDRAW, directDraw);
    enable(dialog, IDC_REFRESH_RATES, !directDraw);
    enable(dialog, IDC_REFRESH_GROUP, !directDraw);
    for (int id : {IDC_DRIVERS, IDC_DEPTHS, IDC_FULLSCREEN, IDC_WINDOWED, IDC_EFFECTS, IDC_DRIVER_GROUP})
        enable(dialog, id, directDraw);
}

void command(HWND dialog, WORD id, WORD code)
{
    switch (id) {
    case IDOK: accept(dialog); break;
    case IDCANCEL: cancel(dialog); break;
    case IDC_FULLSCREEN:
        check(dialog, IDC_WINDOWED, false);
        check(dialog, IDC_FULLSCREEN, true);
        show(dialog, IDC_DEPTHS, true);
        show(dialog, IDC_WINDOW_LABEL, false);
        break;
    case IDC_WINDOWED:
        check(dialog, IDC_FULLSCREEN, false);
        check(dialog, IDC_WINDOWED, true);
        show(dialog, IDC_DEPTHS, false);
        show(dialog, IDC_WINDOW_LABEL, true);
        break;
    case IDC_DRIVERS:
        if (code == CBN_SELCHANGE) {
            listDepthsAtGameSize(dialog);
            if (sendItem(dialog, IDC_DEPTHS, CB_SETCURSEL, 1, 0) == CB_ERR)
                sendItem(dialog, IDC_DEPTHS, CB_SETCURSEL, 0, 0);
        }
        break;
    case IDC_DIRECTDRAW: chooseDirectDraw(dialog, true); break;
    case IDC_GLIDE: chooseDirectDraw(dialog, false); break;
    case IDC_HOME_PAGE: vtl::openWebAddress(vtl::kHomePageAddress); break;
    }
}

} // namespace

const char vtl::kHomePage[] = "www.vantrel.org";
const char vtl::kHomePageAddress[] = "https://www.vantrel.org/";

INT_PTR CALLBACK ConfigurationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: initDialog(dialog); break;
    case WM_DISPLAYCHANGE: setWindowLabel(dialog); break;
    case WM_COMMAND: command(dialog, LOWORD(wParam), HIWORD(wParam)); break;
    case WM_CLOSE: cancel(dialog); break;
    case WM_DESTROY: EndDialog(dialog, 0); break;
    }
    return 0;
}

void ListDrivers(HWND dialog, int comboId)
{
    gListDialog = dialog;
    gListCombo = comboId;
    vtl::DriverList& list = vtl::driverList();
    if (list.built) {
        for (int i = 0; i < list.count; ++i)
            addDriverLabel(list.records[i]);
        return;
    }
    DirectDrawEnumerateA(listDriver, nullptr);
    char description[] = "Hardware Emulation Layer";
    char name[] = "Software";
    listDriver(vtl::emulationOnlyDriver(), description, name, nullptr);
    list.built = true;
}

void ListDepths(HWND dialog, int comboId, DWORD driverIndex, const DWORD* size)
{
    IDirectDraw* directDraw = nullptr;
    if (DirectDrawCreate(vtl::driverGuid(driverIndex), &directDraw, nullptr) != DD_OK || !directDraw)
        return;
    gListDialog = dialog;
    gListCombo = comboId;
    gWantedWidth = size[0];
    gWantedHeight = size[1];
    sendItem(dialog, comboId, CB_RESETCONTENT, 0, 0);
    if (directDraw->EnumDisplayModes(DDEDM_STANDARDVGAMODES, nullptr, nullptr, listDepth) != DD_OK)
        directDraw->EnumDisplayModes(0, nullptr, nullptr, listDepth);
    directDraw->Release();
}
