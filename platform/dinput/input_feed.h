// The live input devices of the process and the input that reaches them:
// the window system's raw input goes to every device that takes it, under
// one lock that the devices' own calls hold as well.
#ifndef VANTREL_PLATFORM_DINPUT_INPUT_FEED_H
#define VANTREL_PLATFORM_DINPUT_INPUT_FEED_H

#include "platform/dinput/input_device.h"

#include <mutex>

namespace vtl {

std::mutex& inputFeedLock();
void joinInputFeed(InputDevice* device);
void leaveInputFeed(InputDevice* device);
// The next buffered event's sequence number; one count for all devices.
DWORD nextInputSequence();
// Some other device holds this one's kind exclusively.
bool heldExclusivelyElsewhere(const InputDevice* asking, DeviceKind kind, unsigned stick);
// Turns the backend's pending events into input (and messages), as a game
// that only polls its devices would otherwise never see a key.  Without
// the lock held.
void pumpInput();

} // namespace vtl

#endif
