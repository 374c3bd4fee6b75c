// The registry's sound overloads: sound buffers and streams from WAV entries
// of the archive, linked at the head of the handle's lists.
#include <vantrel/audio.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include "display/registry_links.h"

namespace {

template <class T>
bool createFromWav(VTLHND& handle, T*& head, T* object, const char* name)
{
    if (!object)
        return false;
    object->owner = &handle;
    if (!name || !HasExtension(name, "WAV"))
        return false;
    if (!object->loadWav(name))
        return false;
    vtl::linkAtHead(head, object);
    return true;
}

} // namespace

bool VTLHND::create(SOUNDBUFFER* sound, const char* name)
{
    return createFromWav(*this, soundList, sound, name);
}

bool VTLHND::create(SOUNDSTREAM* stream, const char* name)
{
    return createFromWav(*this, streamList, stream, name);
}

bool VTLHND::release(SOUNDBUFFER* sound)
{
    return vtl::releaseAndUnlink(soundList, sound);
}

// A stream is stopped, its worker ended and its notification interface
// released before its buffer (SOUNDSTREAM::release).
bool VTLHND::release(SOUNDSTREAM* stream)
{
    return vtl::releaseAndUnlink(streamList, stream);
}
