// A program's resources: what its resource script (.rc) describes, compiled
// by a real resource compiler and linked into the program by
// vantrel_add_resources (CMake), then found by type, name and language as a
// Windows program finds them in its executable.
//
// Types and names are numbers (MAKEINTRESOURCE(n), "#n": the digits after
// the "#") or strings, which are compared without regard to ASCII case.  A module handle names the
// module whose resources are searched: null or GetModuleHandle(NULL) is the
// program; a shared library that links resources of its own is searched by
// its own handle.
#ifndef VANTREL_WIN32_RESOURCES_H
#define VANTREL_WIN32_RESOURCES_H

#include <vantrel/win32/dialog.h>
#include <vantrel/win32/memory.h>
#include <vantrel/win32/system.h>
#include <vantrel/win32/types.h>
#include <vantrel/win32/window.h>

struct HRSRC__;
typedef struct HRSRC__* HRSRC;

// Standard resource types.
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

// Languages beside those of <vantrel/win32/system.h>, as a script's
// LANGUAGE statement gives them.
#define LANG_FRENCH 0x0C
#define LANG_GERMAN 0x07
#define SUBLANG_ENGLISH_UK 0x02

// Images.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x0000
#define LR_MONOCHROME 0x0001
#define LR_LOADFROMFILE 0x0010
#define LR_DEFAULTSIZE 0x0040
#define LR_SHARED 0x8000
#define LR_CREATEDIBSECTION 0x2000

// ---- Finding and reading resources -------------------------------------------

// The resource of `type` called `name` in the language a program's own
// lookup prefers: neutral, then US English, then the first the module has.
// Null with ERROR_RESOURCE_TYPE_NOT_FOUND (no resource of the type) or
// ERROR_RESOURCE_NAME_NOT_FOUND, or ERROR_RESOURCE_DATA_NOT_FOUND for a
// module that has no resources at all.
VANTREL_API HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// The same in `language` (MAKELANGID): that language, else its primary
// language's neutral one; LANG_NEUTRAL takes what FindResourceA takes.
// ERROR_RESOURCE_LANG_NOT_FOUND when the resource exists only in others.
VANTREL_API HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
// The resource's bytes, read-only and valid while the program runs; they are
// never copied, so loading twice gives the same address.
VANTREL_API HGLOBAL LoadResource(HMODULE module, HRSRC resource);
VANTREL_API LPVOID LockResource(HGLOBAL loaded);
VANTREL_API DWORD SizeofResource(HMODULE module, HRSRC resource);
// Nothing to free: FALSE, as on 32-bit Windows.
VANTREL_API BOOL FreeResource(HGLOBAL loaded);

// String `id` of the module's string tables (16 to a block), in the ANSI
// code page, truncated to `bufferMax` - 1 characters and terminated.  The
// characters copied; 0 for a string that is missing or empty (the buffer
// then holds an empty string); -1 for a size of 0, with nothing written.
// A null buffer or a negative size, which Windows writes through, give 0.
VANTREL_API int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// ---- Images --------------------------------------------------------------------

// A bitmap resource (RT_BITMAP) as a GDI bitmap of its own depth.
VANTREL_API HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
// IMAGE_BITMAP from a resource as LoadBitmapA; IMAGE_ICON and IMAGE_CURSOR
// as LoadIconA and LoadCursorA.  Sizes other than 0 are ignored: images
// keep their own size.
VANTREL_API HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);

// A window's own icons, over its class's: WM_SETICON (wParam ICON_BIG or
// ICON_SMALL, lParam the icon) returns the one it replaces; the window's
// icon on the desktop is its big icon, else its small one, else its
// class's.
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define ICON_SMALL 0
#define ICON_BIG 1
#define ICON_SMALL2 2

// ---- Dialogs from DIALOG and DIALOGEX resources -------------------------------

// The dialog template resource `name`, made by the dialog manager of
// <vantrel/win32/dialog.h>: its controls become the manager's kinds (push
// buttons, auto check boxes, group boxes, static text and bitmaps,
// drop-down lists); a control of another kind is left out, and said once.
VANTREL_API HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param);
VANTREL_API INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param);
#define CreateDialogA(instance, name, parent, proc) CreateDialogParamA(instance, name, parent, proc, 0L)
#define DialogBoxA(instance, name, parent, proc) DialogBoxParamA(instance, name, parent, proc, 0L)

#define FindResource FindResourceA
#define FindResourceEx FindResourceExA
#define LoadString LoadStringA
#define LoadBitmap LoadBitmapA
#define LoadImage LoadImageA
#define CreateDialogParam CreateDialogParamA
#define DialogBoxParam DialogBoxParamA
#define CreateDialog CreateDialogA
#define DialogBox DialogBoxA

// ---- Linking resources ---------------------------------------------------------

// Registers `size` bytes of a compiled resource file (.res) as the
// resources of the module that holds `moduleAddress`.  Called by the source
// vantrel_add_resources generates, before main; the bytes stay in place for
// the life of the process.  FALSE (and nothing registered) when they are not
// a resource file.
VANTREL_API BOOL VTLRegisterResources(const void* bytes, DWORD size, const void* moduleAddress);

#endif
