// The registry's walks: the restore walk, after which every registered
// surface and RLE image made for another format is rebuilt from what it was
// made from (its size, or its kept file bytes in the archive), and the
// shutdown walk that releases the images at gfxEnd.
#include "display/registry_walks.h"

#include <vantrel/alphafx.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

namespace {
void restoreSurface(VTLHND& handle, BITPLANEFX& s)
{
    if (s.format == handle.formatCode && s.bitsPerPixel == handle.bitsPerPixel)
        return;
    s.format = handle.formatCode;
    s.reserved = 0;
    s.bitsPerPixel = handle.bitsPerPixel;
    s.bytesPerPixel = handle.bytesPerPixel;
    switch (s.kind) {
    case BITPLANE_BLANK: {
        const bool withAlpha = s.alpha != nullptr;
        const LONG w = s.width, h = s.height;
        s.release();
        s.create(w, h, withAlpha);
        break;
    }
    case BITPLANE_BMP:
        s.loadBmp();
        s.kind = BITPLANE_BMP;
        break;
    case BITPLANE_TGA:
        s.release();
        s.loadTga();
        s.kind = BITPLANE_TGA;
        break;
    default:
        break;
    }
}

void restoreImage(VTLHND& handle, RLEFX& image)
{
    if (image.format == handle.formatCode)
        return;
    image.format = handle.formatCode;
    image.reserved = 0;
    image.bitsPerPixel = handle.bitsPerPixel;
    image.bytesPerPixel = handle.bytesPerPixel;
    // The loaders set the kind themselves; it is set again after each, as
    // a failed loader (which leaves the image empty) does not.
    const unsigned char kind = image.kind;
    switch (kind) {
    case RLE_KIND_BMP:
        image.loadBmp();
        break;
    case RLE_KIND_TGA:
        image.loadTga();
        break;
    case RLE_KIND_RLE:
        image.loadRle();
        break;
    default:
        return;
    }
    image.kind = kind;
}

template <typename T>
void releaseAll(T*& head)
{
    for (T* item = head; item;) {
        T* older = item->next; // read first: release leaves the links alone, but be safe
        item->release();
        item = older;
    }
    head = nullptr;
}
} // namespace

void vtl::restoreRegisteredImages(VTLHND& handle)
{
    for (BITPLANEFX* s = handle.surfaceList; s; s = s->next)
        restoreSurface(handle, *s);
    for (RLEFX* image = handle.rleList; image; image = image->next)
        restoreImage(handle, *image);
}

void vtl::releaseRegisteredImages(VTLHND& handle)
{
    releaseAll(handle.alphaList);
    releaseAll(handle.surfaceList);
    releaseAll(handle.rleList);
}
