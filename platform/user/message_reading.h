// What the calling thread last read from its queue: the message's time and
// pointer position (GetMessageTime, GetMessagePos) and the queue's sequence
// then, so that MsgWaitForMultipleObjects can tell messages that came since.
#ifndef VANTREL_PLATFORM_USER_MESSAGE_READING_H
#define VANTREL_PLATFORM_USER_MESSAGE_READING_H

#include <vantrel/win32/window.h>

#include <cstdint>

namespace vtl {

// Called by GetMessageA and PeekMessageA with the sequence their reading
// started from, and the message they took (null when none).
void noteQueueRead(uint64_t sequence, const MSG* taken);

// The queue's sequence now (bumped by every post, send, input and quit).
uint64_t queueSequence();

} // namespace vtl

#endif
