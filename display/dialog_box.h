// Modal dialogs built from a DialogTemplate: the dialog window and its
// controls laid out from dialog units at the dialog font's size, the dialog
// procedure called for every message, and a message loop of the dialog's own
// that gives the keyboard its dialog meaning (Tab and Shift+Tab between
// controls, Enter for the default button or the focused push button, Escape
// for Cancel).
//
// The dialog procedure has the usual contract: it sees WM_INITDIALOG (lParam
// = the caller's parameter) after every control exists and before the
// dialog shows, then every message; returning 0 leaves the message to the
// dialog's default processing (painting, and DefWindowProcA for the rest).
// WM_CLOSE's default does nothing: closing is the procedure's decision.
//
// The dialog draws itself into a 32-bit surface of its client size (the
// library's own surfaces, primitives and GDI text) and shows that surface in
// its window; on the headless backend the surface is drawn all the same and
// tests read it.
#ifndef VANTREL_DISPLAY_DIALOG_BOX_H
#define VANTREL_DISPLAY_DIALOG_BOX_H

#include "display/dialog_messages.h"
#include "display/dialog_template.h"

class BITPLANEFX;

namespace vtl {

// Called by the modal loop whenever the dialog's thread has no message
// waiting; returns true when it posted more input.  Scripted answers use it
// to act once the dialog has caught up with the previous step.
typedef bool (*DialogIdle)(HWND dialog, void* context);

// Creates the dialog of template `templateId` (visible, WM_INITDIALOG done)
// without running a loop.  Null when the template is unknown or a window
// cannot be made.
HWND createDialogParam(int templateId, HWND parent, DLGPROC proc, LPARAM param);

// Runs the modal loop of a dialog from createDialogParam until endDialog,
// then destroys it.  Returns the endDialog result, or -1 when the dialog
// went away without one (destroyed, or WM_QUIT, which is posted again for the
// caller's loop).
INT_PTR runModalDialog(HWND dialog, DialogIdle idle = nullptr, void* context = nullptr);

// createDialogParam and runModalDialog; the parent, if any, is disabled
// while the dialog runs.  -1 when the dialog could not be made.
INT_PTR dialogBoxParam(int templateId, HWND parent, DLGPROC proc, LPARAM param, DialogIdle idle = nullptr,
                       void* context = nullptr);

// Ends a modal dialog with `result` once the current message is handled.
// False for a window that is not a dialog.
BOOL endDialog(HWND dialog, INT_PTR result);

// What is drawn and where: the dialog's surface after its last paint, and a
// control's rectangle in the dialog's client pixels (empty when unknown).
const BITPLANEFX* dialogCanvas(HWND dialog);
RECT dialogItemRect(HWND dialog, int id);
// Draws the dialog into its surface and shows it now.
void paintDialog(HWND dialog);

} // namespace vtl

#endif
