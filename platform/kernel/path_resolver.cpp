// Windows names on a case-sensitive file system.
//
// A name is resolved one part at a time.  A part that exists as written is
// taken as it is (one status call, no listing); only a part that does not is
// looked up in its folder's listing without regard to ASCII case.  Listings
// are cached per folder and trusted while the folder's modification time is
// unchanged, so a game opening many files in the wrong case lists each of its
// folders once.  The listing is sorted by bytes, which makes the winner among
// names differing only in case ("level1.dat", "Level1.dat") the same on every
// run whatever order the file system returns them in.
#include "platform/kernel/path_resolver.h"

#include <vantrel/win32/errors.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/cd_drive.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

namespace fs = std::filesystem;

namespace vtl {
namespace {

struct Listing {
    fs::file_time_type stamp;
    std::vector<std::string> names; // sorted by bytes
};

struct ListingCache {
    std::mutex lock;
    std::map<std::string, Listing> folders;
};

ListingCache& cache()
{
    static ListingCache c;
    return c;
}

bool isDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The first name of `folder` equal to `part` but for case, or "".
std::string matchNoCase(const fs::path& folder, const std::string& part)
{
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(folder, ec);
    if (ec)
        return {};
    ListingCache& c = cache();
    std::lock_guard<std::mutex> hold(c.lock);
    Listing& listing = c.folders[fs::absolute(folder, ec).lexically_normal().string()];
    if (listing.names.empty() || listing.stamp != stamp) {
        listing.names.clear();
        listing.stamp = stamp;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            listing.names.push_back(it->path().filename().string());
        std::sort(listing.names.begin(), listing.names.end());
    }
    for (const std::string& name : listing.names) {
        if (equalNoCase(name.c_str(), part.c_str()))
            return name;
    }
    return {};
}

// The parts of a name as Windows reads them before it looks at any disk:
// "." goes, ".." takes the part before it away whether that part exists
// or not ("nosuch\..\x" is "x"), a part ending in one dot loses it, and
// the last part loses its trailing dots and blanks, unless the name ends
// in a separator, which keeps the blanks in a folder's name.
std::vector<std::string> windowsParts(const std::string& text, bool absolute, bool folderMark)
{
    std::vector<std::string> parts;
    for (size_t start = 0; start <= text.size();) {
        size_t slash = text.find('/', start);
        if (slash == std::string::npos)
            slash = text.size();
        std::string part = text.substr(start, slash - start);
        start = slash + 1;
        const bool last = start > text.size();
        if (last && !folderMark) {
            if (part != "." && part != "..") {
                while (!part.empty() && (part.back() == '.' || part.back() == ' '))
                    part.pop_back(); // "..." and ". ." name nothing
            }
        } else if (part.size() >= 2 && part.back() == '.' && part[part.size() - 2] != '.') {
            part.pop_back();
        }
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!absolute)
                parts.push_back(part); // above the current folder: the host's to resolve
            continue;
        }
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace

std::string resolveGamePath(const char* name)
{
    if (!name)
        return {};
    std::string text(name);
    std::replace(text.begin(), text.end(), '\\', '/');
    if (text.size() >= 2 && isDriveLetter(text[0]) && text[1] == ':') {
        // The CD drive's names are the disc folder's; on any other drive
        // "C:/x" is absolute, "C:x" relative to the current folder.
        if (isCdDrive(text[0]))
            text = cdDriveFolder() + "/" + text.substr(text.size() > 2 && text[2] == '/' ? 3 : 2);
        else
            text.erase(0, 2);
    }
    const bool absolute = !text.empty() && text[0] == '/';
    // A name ending in a separator names a folder: kept on the host path,
    // it makes a file of that name fail to open, as on Windows.
    const bool folderMark = !text.empty() && text.back() == '/';
    const std::vector<std::string> parts = windowsParts(text, absolute, folderMark);

    fs::path path = absolute ? fs::path("/") : fs::path();
    bool folderExists = true;
    for (const std::string& part : parts) {
        if (folderExists && part != "..") {
            const fs::path folder = path.empty() ? fs::path(".") : path;
            std::error_code ec;
            if (!fs::exists(fs::symlink_status(folder / part, ec))) {
                const std::string match = matchNoCase(folder, part);
                if (!match.empty()) {
                    path /= match;
                    continue;
                }
                folderExists = false; // the rest is being created, or missing
            }
        }
        path /= part;
    }
    if (path.empty())
        return absolute ? "/" : ".";
    std::string result = path.string();
    if (folderMark && result != "/")
        result += '/';
    return result;
}

void forgetFolderOf(const std::string& hostPath)
{
    fs::path folder = fs::path(hostPath).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    const std::string key = fs::absolute(folder, ec).lexically_normal().string();
    ListingCache& c = cache();
    std::lock_guard<std::mutex> hold(c.lock);
    c.folders.erase(key);
}

std::string windowsFormOf(const std::string& hostPath)
{
    std::string text = hostPath;
    std::replace(text.begin(), text.end(), '/', '\\');
    if (!text.empty() && text[0] == '\\')
        text.insert(0, "C:");
    return text;
}

bool hasNoFolder(const char* name)
{
    for (const char* p = name; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            return false;
    }
    return true;
}

void setNotFoundError(const std::string& hostPath)
{
    std::string path = hostPath;
    std::error_code ec;
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
        // A file named as a folder ("SAVE.DAT\") is a name Windows refuses.
        const fs::file_status status = fs::status(path, ec);
        if (fs::exists(status) && !fs::is_directory(status)) {
            SetLastError(ERROR_INVALID_NAME);
            return;
        }
    }
    const fs::path folder = fs::path(path).parent_path();
    const bool folderThere = folder.empty() || fs::is_directory(folder, ec);
    SetLastError(folderThere ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
}

} // namespace vtl
