// What the library asks of the dialog manager beyond the Windows-shaped
// calls of <vantrel/win32/dialog.h>: a modal loop that lets a script answer
// for the player, and a view of what a dialog drew, for tests and for
// scripted answers that click where a control is.
#ifndef VANTREL_SEAM_DIALOG_MANAGER_H
#define VANTREL_SEAM_DIALOG_MANAGER_H

#include <vantrel/win32/dialog.h>

namespace vtl {

// Called by the modal loop whenever the dialog's thread has no message
// waiting; returns true when it posted more input.  Scripted answers use it
// to act once the dialog has caught up with the previous step.
typedef bool (*DialogIdle)(HWND dialog, void* context);

// Runs the modal loop of a dialog from CreateDialogIndirectParamA until
// EndDialog, then destroys it; as DialogBoxIndirectParamA's loop, with
// `idle` called when no message waits.
INT_PTR runModalDialog(HWND dialog, DialogIdle idle = nullptr, void* context = nullptr);

// DialogBoxIndirectParamA with an idle function for its loop.
INT_PTR dialogBoxIndirectParam(const VTLDLGTEMPLATE& dialogTemplate, HWND parent, DLGPROC proc, LPARAM param,
                               DialogIdle idle = nullptr, void* context = nullptr);

// A control's rectangle in the dialog's client pixels (empty when unknown).
RECT dialogItemRect(HWND dialog, int id);

// Dialogs draw themselves into 32-bit pixels of their client size and show
// them in their window; on the headless backend they are drawn all the same.
// The pixels after the last paint: 0x00RRGGBB, rows `pitch` bytes apart;
// null pixels for a window that is not a dialog.
struct DialogImage {
    const unsigned char* pixels;
    DWORD pitch;
    int width;
    int height;
};
DialogImage dialogImage(HWND dialog);

// Draws the dialog into its pixels and shows them now.
void paintDialog(HWND dialog);

// The colour of a dialog's face (0x00RRGGBB).
constexpr DWORD kDialogFace = 0xD4D0C8;

} // namespace vtl

#endif
