// Audio, the sound device, sound buffers, streamed sound and CD audio.
#ifndef VANTREL_AUDIO_H
#define VANTREL_AUDIO_H

#include <vantrel/win32/types.h>

class SOUNDBUFFER;
class SOUNDSTREAM;

#endif
