// On Windows the dialog manager is the system's own.  A template given as
// data (VTLDLGTEMPLATE) makes a real dialog: these two calls, beside the
// system's calls of the same names that take a binary DLGTEMPLATE, build
// that binary template from it (bitmaps included) and call the system.
#ifndef VANTREL_WIN32_DIALOG_H
#define VANTREL_WIN32_DIALOG_H

#include <vantrel/win32/types.h>

#include <vantrel/win32/dialog_template.h>

VANTREL_API HWND CreateDialogIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                            DLGPROC proc, LPARAM param);
VANTREL_API INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const VTLDLGTEMPLATE* dialogTemplate, HWND parent,
                                            DLGPROC proc, LPARAM param);

#endif
