// The registry's sound overloads: sound buffers and streams from WAV entries
// of the archive, linked at the head of the handle's lists.
#include <vantrel/audio.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

namespace {

template <class T>
void linkAtHead(T*& head, T* object)
{
    object->next = head;
    if (head)
        head->prev = object;
    object->prev = nullptr;
    head = object;
}

template <class T>
void unlink(T*& head, T* object)
{
    if (object->next && object->prev) {
        object->prev->next = object->next;
        object->next->prev = object->prev;
    } else if (object->next) {
        head = object->next;
        object->next->prev = nullptr;
    } else if (object->prev) {
        object->prev->next = nullptr;
    } else {
        head = nullptr;
    }
}

template <class T>
bool createFromWav(VTLHND& handle, T*& head, T* object, char* name)
{
    if (!object)
        return false;
    object->owner = &handle;
    if (!name || !HasExtension(name, "WAV"))
        return false;
    if (!object->loadWav(name))
        return false;
    linkAtHead(head, object);
    return true;
}

template <class T>
bool releaseLinked(T*& head, T* object)
{
    if (!object || !object->release())
        return false;
    unlink(head, object);
    return true;
}

} // namespace

bool VTLHND::create(SOUNDBUFFER* sound, char* name)
{
    return createFromWav(*this, soundList, sound, name);
}

bool VTLHND::create(SOUNDSTREAM* stream, char* name)
{
    return createFromWav(*this, streamList, stream, name);
}

bool VTLHND::release(SOUNDBUFFER* sound)
{
    return releaseLinked(soundList, sound);
}

// A stream is stopped, its worker ended and its notification interface
// released before its buffer (SOUNDSTREAM::release).
bool VTLHND::release(SOUNDSTREAM* stream)
{
    return releaseLinked(streamList, stream);
}
