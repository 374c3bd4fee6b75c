// The configuration dialog (dialog 106, "Configuration"): the player picks
// the display driver, full screen or window, the colour depth at the game's
// size and whether effects are on.  Its answers go into the process-wide
// configuration result (display/configuration.h) that gfxBegin reads.
//
// Choices of this library:
// - the home-page button opens the address with the desktop's browser
//   through xdg-open (in the background; nothing happens when xdg-open is
//   missing);
// - when nobody can click (the headless backend) or when VANTREL_CONFIG is
//   set, the dialog is answered by VANTREL_CONFIG: "ok" (the default),
//   "cancel", or comma-separated choices such as
//   "driver=0,fullscreen=1,depth=16,effects=0" (then OK, unless "cancel" is
//   among them).  The answer is given as a player's input posted to the
//   running dialog (keys in the lists, clicks on the check boxes and
//   buttons), so the result is the one the dialog itself writes.  A text
//   the dialog cannot follow (unknown words, a driver or depth it does not
//   list) is reported with Msg and answered with Cancel.
#ifndef VANTREL_DISPLAY_CONFIG_DIALOG_H
#define VANTREL_DISPLAY_CONFIG_DIALOG_H

#include <vantrel/win32/dialog.h>

class VTLHND;

// Dialog and control ids.
enum : int {
    IDD_CONFIGURATION = 106,
    IDB_LOGO = 101,
    IDC_FULLSCREEN = 1001,
    IDC_DIRECTDRAW = 1002,
    IDC_DRIVERS = 1003,
    IDC_WINDOWED = 1004,
    IDC_REFRESH_RATES = 1005,
    IDC_GLIDE = 1006,
    IDC_EFFECTS = 1007,
    IDC_HOME_PAGE = 1008,
    IDC_DEPTHS = 1009,
    IDC_REFRESH_GROUP = 1011,
    IDC_DRIVER_GROUP = 1012,
    IDC_WINDOW_LABEL = 1014,
    IDC_LOGO = 1000,
};

// The dialog procedure; it always returns 0.
INT_PTR CALLBACK ConfigurationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the process-wide driver list once per process (enumerating the
// drivers the first time only) and lists it in combo `comboId`.
void ListDrivers(HWND dialog, int comboId);

// Lists in combo `comboId` the colour depths driver `driverIndex` offers at
// size[0] x size[1], each with its item data set to the depth.
void ListDepths(HWND dialog, int comboId, DWORD driverIndex, const DWORD* size);

namespace vtl {

// The dialog's template, and the library's logo it shows (bitmap 101).
const VTLDLGTEMPLATE& configurationTemplate();

// The library's home page, shown on the dialog's button and opened by it.
extern const char kHomePage[];
extern const char kHomePageAddress[];

// Runs the dialog modally for `handle` (stored in the configuration result)
// and leaves the player's answer there; a dialog that cannot be shown counts
// as cancelled.
void showConfigurationDialog(VTLHND& handle);

// The scripted answer of VANTREL_CONFIG, driven from the dialog's loop.
// Null when the player answers (a screen and no VANTREL_CONFIG).
struct ConfigurationAnswer;
ConfigurationAnswer* makeConfigurationAnswer();
void freeConfigurationAnswer(ConfigurationAnswer* answer);
bool answerConfigurationDialog(HWND dialog, void* answer); // a DialogIdle

} // namespace vtl

#endif
