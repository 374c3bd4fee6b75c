// LoadImage: bitmaps, icons and cursors from a module's resources.  Images
// keep their own size whatever size is asked for, and every handle is
// shared (LR_SHARED or not) for icons and cursors, as LoadIcon's are.
// Files (LR_LOADFROMFILE) are GDI's (bitmap_files.h); the system's own
// images (no instance, for a bitmap) are not read.
#include "platform/gdi/bitmap_files.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/resources.h>

namespace vtl {
namespace {

HANDLE loadImage(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    if (flags & LR_LOADFROMFILE)
        return imageFromFile(name, type, width, height, flags);
    switch (type) {
    case IMAGE_BITMAP:
        if (!instance) {
            VTL_UNSUPPORTED("LoadImageA of the system's bitmaps (OBM_*)", "returns NULL");
            setError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        return bitmapFromResource(instance, name);
    case IMAGE_ICON: return LoadIconA(instance, name);
    case IMAGE_CURSOR: return LoadCursorA(instance, name);
    default: setError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

} // namespace
} // namespace vtl

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    VTL_TRACE(user, "LoadImageA", instance, vtl::trace::Atom{name}, type, width, height, flags);
    return vtlTraceCall_.result(vtl::loadImage(instance, name, type, width, height, flags));
}
