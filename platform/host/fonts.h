// Which font file a request for a family, weight and slant opens.  The build
// picks one lookup: platform/host/fonts/fontconfig/ asks fontconfig, and
// platform/host/fonts/fixed_folder/ matches names in one folder of DejaVu
// files (the web build's, whose fonts come with the page's data).
#ifndef VANTREL_PLATFORM_HOST_FONTS_H
#define VANTREL_PLATFORM_HOST_FONTS_H

#include <string>
#include <vector>

namespace vtl::host {

struct FontFile {
    std::string path;
    int index = 0; // the face within a collection
};

// The files to try for a request, best first; the caller opens the first
// that loads.  The last ones are DejaVu Sans in the asked style and then
// plain, so a request that matches nothing still gets a font wherever DejaVu
// is installed.
std::vector<FontFile> fontFilesFor(const char* family, bool bold, bool italic);

// The files of `folder`, which holds fonts named as DejaVu's are
// ("DejaVuSansMono-BoldOblique.ttf"), that stand in for a family: DejaVu's
// own families by name, Windows' usual fixed-pitch and serif families by
// DejaVu Sans Mono and DejaVu Serif, anything else by DejaVu Sans.  Each
// family in the asked style first, then with the slant dropped, then plain
// (the renderer makes up a missing weight or slant); only files that exist.
std::vector<FontFile> fontFilesInFolder(const std::string& folder, const char* family, bool bold, bool italic);

} // namespace vtl::host

#endif
