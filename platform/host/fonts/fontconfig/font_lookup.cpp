// Fonts as fontconfig matches them, with Debian's DejaVu files behind.
#include "platform/host/fonts.h"

#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace vtl::host {
namespace {

const char* const kDejaVuFolder = "/usr/share/fonts/truetype/dejavu";

bool fontconfigMatch(const char* family, bool bold, bool italic, FontFile* file)
{
    // fontconfig's configuration lives until the process ends; handing it
    // back then keeps leak checkers quiet about the library's own caches.
    static bool ready = [] {
        if (FcInit() != FcTrue)
            return false;
        std::atexit(FcFini);
        return true;
    }();
    if (!ready)
        return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    if (family && *family)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    bool found = false;
    if (match) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
            file->path = reinterpret_cast<const char*>(path);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &file->index) != FcResultMatch)
                file->index = 0;
            found = true;
        }
        FcPatternDestroy(match);
    }
    return found;
}

} // namespace

std::vector<FontFile> fontFilesFor(const char* family, bool bold, bool italic)
{
    std::vector<FontFile> files;
    FontFile matched;
    if (fontconfigMatch(family, bold, italic, &matched))
        files.push_back(std::move(matched));
    for (FontFile& f : fontFilesInFolder(kDejaVuFolder, "DejaVu Sans", bold, italic))
        files.push_back(std::move(f));
    return files;
}

} // namespace vtl::host
