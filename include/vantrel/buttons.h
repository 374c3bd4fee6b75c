// Image buttons: shaped child windows of the game's window that show one of
// three RLE images by the mouse (normal, hover, pressed), drawn by the game
// with DrawRLEButton while it draws a frame, and that report a click to the
// parent as WM_COMMAND (wParam = the button's id, lParam = its window).
// Only the opaque and level pixels of the pressed face are part of the
// button: clicks on its transparent pixels do nothing.  The button does not
// capture the mouse.
//
// States (RLEBUTTON::buttonState) and the face each draws:
//   0 normal             normalFace
//   1 hover              hoverFace
//   2 pressed            pressedFace
//   3 pressed, outside   normalFace
//
// Choices of this library:
// - DestroyButton and DrawRLEButton act only on windows of the button class:
//   another window is neither closed nor read (DrawRLEButton reports "DAMN"
//   for it, as for a button without a record or target), and the live-button
//   count never goes below 0;
// - VTLCreateRLEButton returns null for a null handle or rectangle, and when
//   the window cannot be made.
#ifndef VANTREL_BUTTONS_H
#define VANTREL_BUTTONS_H

#include <vantrel/win32/types.h>

class VTLHND;
class RLEFX;
class BITPLANEFX;

// The window class every image button belongs to.
#define VTL_RLEBUTTON_CLASS "VTL_RLEButton"

// Messages a button understands (WM_USER + 1 to + 5).
enum : UINT {
    RLEBUTTON_SETNORMAL = 1025,   // lParam: RLEFX*
    RLEBUTTON_SETHOVER = 1026,    // lParam: RLEFX*
    RLEBUTTON_SETPRESSED = 1027,  // lParam: RLEFX*
    RLEBUTTON_SETTARGET = 1028,   // lParam: BITPLANEFX*
    RLEBUTTON_SETPOSITION = 1029, // wParam: x, lParam: y
};

// The record each button keeps in its window's user data (GWL_USERDATA),
// allocated zero-filled with MemAlloc when the window is made.
struct RLEBUTTON {
    BITPLANEFX* target;        // the surface DrawRLEButton draws into
    RLEFX* normalFace;         // states 0 and 3
    RLEFX* hoverFace;          // state 1
    RLEFX* pressedFace;        // state 2; also the shape hit tests use
    LONG x;                    // left edge of the face in target
    LONG y;                    // top edge of the face in target
    unsigned char buttonState; // 0 normal, 1 hover, 2 pressed, 3 pressed outside
};

// Makes a visible child of handle->hwnd at rect (right and bottom inclusive,
// so (10, 20, 109, 69) is 100 x 50) with child id `id`, drawing its faces at
// (rect.left, rect.top) of `target`.  `text` is not used.
VANTREL_API HWND VTLCreateRLEButton(VTLHND* handle, HINSTANCE instance, unsigned short id, const char* text, RECT* rect,
                                    RLEFX* normal, RLEFX* hover, RLEFX* pressed, BITPLANEFX* target);
// Draws the face of the button's state into its target.
VANTREL_API void DrawRLEButton(HWND button);
// Closes the button; the last one unregisters the class for `instance`.
VANTREL_API void DestroyButton(HWND button, HINSTANCE instance);
// Whether (x, y) is an opaque or level pixel of the image.
VANTREL_API bool IsOpaqueAt(RLEFX* image, int x, int y);

#endif
