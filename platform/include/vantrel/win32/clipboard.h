// The clipboard: text a game copies for the player, or pastes from them.
//
// CF_TEXT is the system's clipboard where the backend has one (SDL's): text
// set here is what other programs paste, with the line ends of the system,
// and text another program copied is what GetClipboardData gives, in a
// global memory block with "\r\n" line ends.  Without one (the headless
// backend) the clipboard belongs to the process.  Other formats are kept by
// the process only, as the handles given.
//
// As on Windows, the clipboard is open with one window (or none) at a time:
// opening it with another fails, opening it with the same one succeeds from
// any thread, which then has it open.  The calls that need it open fail
// with ERROR_CLIPBOARD_NOT_OPEN on every other thread, except that
// SetClipboardData is taken from any thread while the window it is open
// with owns the clipboard (EmptyClipboard makes it the owner).  Memory given to SetClipboardData
// belongs to the clipboard from then on, which frees it when the data is
// replaced or emptied.
#ifndef VANTREL_WIN32_CLIPBOARD_H
#define VANTREL_WIN32_CLIPBOARD_H

#include <vantrel/win32/memory.h>
#include <vantrel/win32/types.h>

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_WAVE 12
#define CF_UNICODETEXT 13

#ifndef ERROR_CLIPBOARD_NOT_OPEN
#define ERROR_CLIPBOARD_NOT_OPEN 1418L
#endif

VANTREL_API BOOL OpenClipboard(HWND owner);
VANTREL_API BOOL CloseClipboard();
VANTREL_API BOOL EmptyClipboard();
// Returns `memory`, which the clipboard owns from then on.
VANTREL_API HANDLE SetClipboardData(UINT format, HANDLE memory);
// The clipboard's handle: the caller reads it (GlobalLock) but neither
// frees nor keeps it past CloseClipboard.
VANTREL_API HANDLE GetClipboardData(UINT format);
// Needs no open clipboard.
VANTREL_API BOOL IsClipboardFormatAvailable(UINT format);
VANTREL_API int CountClipboardFormats();
VANTREL_API HWND GetClipboardOwner();

#endif
