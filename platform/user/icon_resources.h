// Icons and cursors from a module's resources: the group resource
// (RT_GROUP_ICON, RT_GROUP_CURSOR) picks one image of the sizes and depths
// it lists, whose RT_ICON or RT_CURSOR resource is a DIB twice its height:
// the colour image, then the transparency mask.
#ifndef VANTREL_PLATFORM_USER_ICON_RESOURCES_H
#define VANTREL_PLATFORM_USER_ICON_RESOURCES_H

#include <vantrel/win32/types.h>

#include <cstdint>
#include <vector>

namespace vtl {

// Pixels as 0xAARRGGBB, rows from the top.
struct IconImage {
    int width = 0;
    int height = 0;
    POINT hotSpot = {0, 0}; // a cursor's
    std::vector<uint32_t> pixels;
};

enum class IconLookup { kFound, kNoResources, kMissing };

// The image of group `name` nearest `size` pixels square (the deepest of
// equal sizes).  kNoResources when the module has no resources at all; for
// kMissing the last error is FindResource's.  A found image the reader
// cannot decode (a PNG image, a compressed one) leaves `image` empty.
IconLookup iconFromResource(HINSTANCE instance, LPCSTR name, bool cursor, int size, IconImage& image);

// The image an icon handle carries, or null (system icons, icons of
// programs without resources).  Valid for the life of the process.
const IconImage* iconImage(HICON icon);

} // namespace vtl

#endif
