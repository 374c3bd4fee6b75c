// DXWindow, the game's main window and its message loop.
#ifndef VANTREL_DXWINDOW_H
#define VANTREL_DXWINDOW_H

#include <vantrel/win32/types.h>

class DXWindow;

#endif
