// The real X desktop as end-to-end tests see it: shell commands, xdotool's
// view of windows and of the pointer, and whether real windows can be
// tested here at all.
#ifndef VANTREL_TESTS_X_DESKTOP_H
#define VANTREL_TESTS_X_DESKTOP_H

#include <vantrel/win32/types.h>

#include <string>

// What `command` prints on standard output, less its final line break.
std::string runCommand(const std::string& command);

// Why real windows cannot be tried here ("no X display", "xdotool is not
// installed", "the display could not be opened"), or "" when they can.
// Asking opens the library's video backend.
std::string whyNoRealDesktop();

// The X window whose title is exactly `title`, waiting for it to be shown;
// "" when there is none.
std::string xWindowTitled(const std::string& title);

// Where X shows a window (for an undecorated one, its client area).
struct XRect {
    int x, y, width, height;
};
XRect xGeometry(const std::string& xid);
inline bool operator==(const XRect& a, const XRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The real screen's size and the real pointer's position.
SIZE xScreenSize();
POINT xPointer();

// The colour the real screen shows at (x, y), as 0xRRGGBB (ImageMagick's
// import reads it); -1 when it cannot be read.
long xPixel(int x, int y);

// Moves the pointer to (x, y) of the screen, or of the X window `xid`, and
// clicks the left button there.
void xClick(int x, int y, const std::string& xid = "");

#endif
