// Test hooks of the sound subsystem: a test hears of each refill a stream's
// worker thread made, so that it can wait for the worker without racing it.
#ifndef VANTREL_AUDIO_AUDIO_TESTING_H
#define VANTREL_AUDIO_AUDIO_TESTING_H

class SOUNDSTREAM;

namespace vtl::testing::audio {

// Called on a stream's worker thread after each refill it made.
using RefillObserver = void (*)(SOUNDSTREAM* stream);
// Set before a stream is played; none (the default) calls nothing.
void observeRefills(RefillObserver observer);
// Removes the observer.
void reset();

// The stream worker's side: tells the observer, if there is one.
void refilled(SOUNDSTREAM* stream);

} // namespace vtl::testing::audio

#endif
