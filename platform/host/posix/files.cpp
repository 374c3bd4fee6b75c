// Files and folders on POSIX: mkdir with owner-only modes, dirent, access.
#include "platform/host/files.h"

#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vtl::host {

std::string userRuntimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime && *runtime ? std::string(runtime) : std::string("/tmp");
    base += "/vantrel-" + std::to_string(static_cast<unsigned long>(::getuid()));
    makePrivateFolder(base);
    return base;
}

bool makePrivateFolder(const std::string& path)
{
    ::mkdir(path.c_str(), 0700);
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> folderEntries(const std::string& path)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return names;
    while (dirent* d = ::readdir(dir)) {
        const std::string name = d->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool fileExists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

} // namespace vtl::host
