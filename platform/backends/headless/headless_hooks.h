// Test hooks of the headless backend: input as a user would give it, the
// window manager's own actions, and calls made to fail.  Input goes through
// the same routing as the SDL backend's (child under the pointer, focus,
// double clicks), so tests of it hold for both.
#ifndef VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_HOOKS_H
#define VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_HOOKS_H

#include "platform/user/fault_injection.h"
#include "platform/user/input_events.h"

namespace vtl {
namespace headless {

// The fixed screen: 1024 x 768, work area (0, 0, 1024, 728) above a 40-pixel
// panel.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kPanelHeight = 40;

// Keys by virtual-key code; a key held down repeats with `repeat`.
inline void key(HWND top, int vk, bool down, bool repeat = false) { inputKey(top, vk, down, repeat); }
inline void typeKey(HWND top, int vk)
{
    inputKey(top, vk, true, false);
    inputKey(top, vk, false, false);
}
// Pointer positions in top's client coordinates.
inline void mouseMove(HWND top, int x, int y) { inputMouseMove(top, x, y); }
inline void mouseButton(HWND top, MouseButton button, bool down, int x, int y)
{
    inputMouseButton(top, button, down, x, y);
}
inline void click(HWND top, MouseButton button, int x, int y)
{
    inputMouseButton(top, button, true, x, y);
    inputMouseButton(top, button, false, x, y);
}
// What the user does to the window through the window manager.
inline void userClose(HWND top) { inputClose(top); }
inline void userFocus(HWND top, bool gained) { inputFocus(top, gained); }
inline void userMinimize(HWND top, bool minimized) { inputMinimized(top, minimized); }

// The last MessageBoxA: its text and caption; the box answers `answer`
// (default: IDOK, or IDYES for a yes/no box).
struct MessageBoxRecord {
    int count;
    char text[256];
    char caption[256];
};
const MessageBoxRecord& lastMessageBox();
void setMessageBoxAnswer(int answer); // 0 restores the default

inline void failNext(WinCall call, DWORD error = 0x80004005u, int count = 1) { failNextCalls(call, count, error); }
inline void clearFailures() { clearInjectedFailures(); }

} // namespace headless
} // namespace vtl

#endif
