// Input as the backend reports it, before it becomes messages: the input
// devices (platform/dinput) read the keyboard and mouse here, so that they
// see every key whether or not the game reads its queue in between.
#ifndef VANTREL_PLATFORM_USER_RAW_INPUT_H
#define VANTREL_PLATFORM_USER_RAW_INPUT_H

#include "platform/user/input_events.h"

namespace vtl {

// Called on the thread that turns the backend's events into messages.
class RawInputSink {
public:
    // `extended` as for inputKey.
    virtual void key(HWND top, int vk, bool down, bool extended) = 0;
    // Pointer motion in the game's pixels (or the device's counts while the
    // pointer is held).
    virtual void mouseMotion(HWND top, int dx, int dy) = 0;
    // In WHEEL_DELTA units, positive away from the user.
    virtual void mouseWheel(HWND top, int delta) = 0;
    virtual void mouseButton(HWND top, MouseButton button, bool down) = 0;
    virtual void focusLost(HWND top) = 0;

protected:
    ~RawInputSink() = default;
};

// One sink for the process; null takes it away.
void setRawInputSink(RawInputSink* sink);
RawInputSink* rawInputSink();

// Motion of a held pointer (see holdPointer): the device's counts, with no
// pointer position and so no WM_MOUSEMOVE.
void inputMouseMotion(HWND top, int dx, int dy);
void inputMouseWheel(HWND top, int delta);

// Holds the real pointer inside `top` and hides it, reporting only its
// motion (an exclusive mouse device), or lets it go.
void holdPointer(HWND top, bool held);

} // namespace vtl

#endif
