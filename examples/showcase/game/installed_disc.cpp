#include "game/installed_disc.h"

#ifdef _WIN32

void findInstalledDisc() {}

#else

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// The installed disc's folder relative to the installed program's, set by
// the build from its install folders (SHOWCASE_INSTALLED_DISC).
#ifndef SHOWCASE_INSTALLED_DISC
#define SHOWCASE_INSTALLED_DISC "../share/vantrel/demo/cdaudio"
#endif

namespace {

bool isFolder(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

void findInstalledDisc()
{
    const char* named = std::getenv("VANTREL_CDAUDIO");
    if (named && *named)
        return;
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return;
    std::string folder(exe, size_t(n));
    folder.erase(folder.rfind('/') + 1);
    // The build tree's disc, or one a player put beside the program, wins.
    if (isFolder(folder + "cdaudio"))
        return;
    const std::string installed = folder + SHOWCASE_INSTALLED_DISC;
    if (isFolder(installed))
        setenv("VANTREL_CDAUDIO", installed.c_str(), 1);
}

#endif
