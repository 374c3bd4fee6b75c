// Test hooks of the headless backend: input as a user would give it, the
// window manager's own actions, message boxes answered by the test, and a
// sound output that mixes on the test's clock.  Input goes through the same
// routing as the SDL backend's (child under the pointer, focus, double
// clicks), so tests of it hold for both.
//
// The headless screen is 1024 x 768, with a 40-pixel panel below its work
// area (0, 0, 1024, 728).  Failures of the window system's calls are armed
// through platform/user/user_testing.h.
#ifndef VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_TESTING_H
#define VANTREL_PLATFORM_BACKENDS_HEADLESS_HEADLESS_TESTING_H

#include "platform/user/input_events.h"
#include "platform/user/raw_input.h"

namespace vtl::testing::headless {

// Keys by virtual-key code; a key held down repeats with `repeat`;
// `extended` for the right-hand or keypad twin (see inputKey).
inline void key(HWND top, int vk, bool down, bool repeat = false, bool extended = false)
{
    inputKey(top, vk, down, repeat, extended);
}
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
// Motion of a held pointer (an exclusive mouse device) and wheel turns in
// WHEEL_DELTA units.
inline void mouseMotion(HWND top, int dx, int dy) { inputMouseMotion(top, dx, dy); }
inline void mouseWheel(HWND top, int delta) { inputMouseWheel(top, delta); }
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

// While set, newly opened headless sound outputs have no clock of their own
// and mix only when the program calls AudioEngine::mix.
void useManualAudioClock(bool manual);

} // namespace vtl::testing::headless

#endif
