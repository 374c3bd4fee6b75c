// A seam for tests: called on a stream's worker thread after each refill it
// made, so that a test can wait for the worker without racing it.
#ifndef VANTREL_AUDIO_STREAM_OBSERVER_H
#define VANTREL_AUDIO_STREAM_OBSERVER_H

class SOUNDSTREAM;

namespace vtl {
// Set before a stream is played; null (the default) calls nothing.
extern void (*streamRefilled)(SOUNDSTREAM* stream);
} // namespace vtl

#endif
