// The registry: VTLHND::create and VTLHND::release for each kind of
// resource.  Images (surfaces, RLE images, alpha maps) are blank or loaded
// from archive entries chosen by their upper-case ending, frame sets from RLA
// entries, sounds and streams from WAV entries; each is linked at the head of
// its list in the handle.
//
// The handle writes itself and the display's pixel settings into the object
// before anything else, so even an object refused for its name carries them.
// create does not check whether the object is already linked: a game
// releases an object before creating it again.  release leaves the list alone
// for an object that is not on it (one whose create failed, or one released
// twice), so a game that releases everything at the end loses nothing else.
#include <vantrel/alphafx.h>
#include <vantrel/animation.h>
#include <vantrel/audio.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/fastfile.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include "anim/registry_links.h"

// ---- Images ------------------------------------------------------------------

namespace {
template <class T>
void stamp(VTLHND& handle, T* object)
{
    object->owner = &handle;
    object->reserved = 0;
    object->bitsPerPixel = handle.bitsPerPixel;
    object->bytesPerPixel = handle.bytesPerPixel;
}
} // namespace

bool VTLHND::create(BITPLANEFX* surface, const char* name)
{
    if (!surface)
        return false;
    stamp(*this, surface);
    surface->format = formatCode;
    if (!name)
        return false;
    const bool bmp = HasExtension(name, "BMP");
    if (!bmp && !HasExtension(name, "TGA"))
        return false;
    surface->fileData = FastFileData(name);
    if (bmp) {
        if (!surface->fileData || !surface->loadBmp())
            return false;
        surface->kind = BITPLANE_BMP;
    } else {
        if (!surface->loadTga())
            return false;
        surface->kind = BITPLANE_TGA;
    }
    vtl::linkAtHead(surfaceList, surface);
    return true;
}

bool VTLHND::create(BITPLANEFX* surface, unsigned short w, unsigned short h, bool withAlpha)
{
    if (!surface)
        return false;
    stamp(*this, surface);
    surface->format = formatCode;
    if (!surface->create(w, h, withAlpha))
        return false;
    surface->kind = BITPLANE_BLANK;
    vtl::linkAtHead(surfaceList, surface);
    return true;
}

bool VTLHND::create(RLEFX* image, const char* name)
{
    if (!image)
        return false;
    // The format byte is left alone, so the next RestoreAll codes the image
    // again whatever it was made for.
    stamp(*this, image);
    if (!name)
        return false;
    bool (RLEFX::*loader)() = nullptr;
    unsigned char kind = RLE_KIND_BLANK;
    if (HasExtension(name, "BMP"))
        loader = &RLEFX::loadBmp, kind = RLE_KIND_BMP;
    else if (HasExtension(name, "TGA"))
        loader = &RLEFX::loadTga, kind = RLE_KIND_TGA;
    else if (HasExtension(name, "RLE"))
        loader = &RLEFX::loadRle, kind = RLE_KIND_RLE;
    else
        return false;
    image->fileData = FastFileData(name);
    image->fileSize = FastFileSize(name);
    if (!(image->*loader)())
        return false;
    image->kind = kind;
    vtl::linkAtHead(rleList, image);
    return true;
}

bool VTLHND::create(RLEFX* image, unsigned short w, unsigned short h, unsigned long size)
{
    if (!image)
        return false;
    stamp(*this, image);
    if (!image->create(w, h, size))
        return false;
    vtl::linkAtHead(rleList, image);
    return true;
}

bool VTLHND::create(ALPHAFX* map, const char* name)
{
    if (!map)
        return false;
    stamp(*this, map);
    if (!name || !HasExtension(name, "BMP") || !map->loadBmp(name))
        return false;
    vtl::linkAtHead(alphaList, map);
    return true;
}

bool VTLHND::create(ALPHAFX* map, unsigned short w, unsigned short h)
{
    if (!map)
        return false;
    stamp(*this, map);
    if (!map->create(w, h))
        return false;
    vtl::linkAtHead(alphaList, map);
    return true;
}

bool VTLHND::release(BITPLANEFX* surface) { return vtl::releaseAndUnlink(surfaceList, surface); }
bool VTLHND::release(RLEFX* image) { return vtl::releaseAndUnlink(rleList, image); }
bool VTLHND::release(ALPHAFX* map) { return vtl::releaseAndUnlink(alphaList, map); }

// ---- Frame sets --------------------------------------------------------------

namespace {
void takeDisplaySettings(VTLHND& handle, ANIMATIONFX* set)
{
    set->owner = &handle;
    set->format = handle.formatCode;
    set->reserved = 0;
    set->bitsPerPixel = handle.bitsPerPixel;
    set->bytesPerPixel = handle.bytesPerPixel;
}
} // namespace

bool VTLHND::create(ANIMATIONFX* animation, const char* name)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    // A null name goes on to loadRla, which reports it.
    if (name && !HasExtension(name, "RLA"))
        return false;
    if (!animation->loadRla(name))
        return false;
    vtl::linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::create(ANIMATIONFX* animation, unsigned short frames)
{
    if (!animation)
        return false;
    takeDisplaySettings(*this, animation);
    if (!animation->create(frames))
        return false;
    vtl::linkAtHead(animationList, animation);
    return true;
}

bool VTLHND::release(ANIMATIONFX* animation) { return vtl::releaseAndUnlink(animationList, animation); }

// ---- Sounds and streams ------------------------------------------------------

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
