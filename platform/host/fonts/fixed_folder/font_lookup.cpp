// Fonts from the one folder the build names (VANTREL_FONT_FOLDER): where
// there is no fontconfig, as in the web build, whose page brings DejaVu's
// files in its data.
#include "platform/host/fonts.h"

namespace vtl::host {

std::vector<FontFile> fontFilesFor(const char* family, bool bold, bool italic)
{
    return fontFilesInFolder(VANTREL_FONT_FOLDER, family, bold, italic);
}

} // namespace vtl::host
