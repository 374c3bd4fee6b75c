// Placeholder until the template converter lands.
#include <vantrel/seam/dialog_manager.h>

INT_PTR vtl::dialogBoxIndirectParam(const VTLDLGTEMPLATE&, HWND, DLGPROC, LPARAM, DialogIdle, void*) { return -1; }
