// FindFirstFileA / FindNextFileA: the folder is listed once, when the search
// starts, and the matches are handed out one by one.
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/path_resolver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace vtl {
namespace {

struct Found {
    std::string name;
    bool folder;
    uint64_t size;
    uint64_t writeTime; // 100-nanosecond units since 1601, as FILETIME counts
};

class SearchObject : public KernelObject {
public:
    std::vector<Found> found;
    size_t next = 0;
};

// * matches any run of characters, ? any one; letters match either case.
bool matchesMask(const char* mask, const char* name)
{
    if (*mask == '\0')
        return *name == '\0';
    if (*mask == '*') {
        for (const char* rest = name;; ++rest) {
            if (matchesMask(mask + 1, rest))
                return true;
            if (*rest == '\0')
                return false;
        }
    }
    if (*name == '\0' || (*mask != '?' && asciiLower(*mask) != asciiLower(*name)))
        return false;
    return matchesMask(mask + 1, name + 1);
}

bool matches(const std::string& mask, const std::string& name)
{
    // "*.*" is every name, with a dot or not, as DOS masks always were.
    if (mask == "*.*" || mask == "*")
        return true;
    return matchesMask(mask.c_str(), name.c_str());
}

uint64_t fileTimeOf(fs::file_time_type when)
{
    using namespace std::chrono;
    const auto system = system_clock::now() + duration_cast<system_clock::duration>(when - fs::file_time_type::clock::now());
    const int64_t unix100ns = duration_cast<nanoseconds>(system.time_since_epoch()).count() / 100;
    constexpr int64_t kFrom1601To1970 = 116444736000000000LL;
    return static_cast<uint64_t>(unix100ns + kFrom1601To1970);
}

Found describe(const fs::directory_entry& entry, const std::string& name)
{
    std::error_code ec;
    Found f{name, entry.is_directory(ec), 0, 0};
    if (!f.folder)
        f.size = entry.file_size(ec);
    f.writeTime = fileTimeOf(entry.last_write_time(ec));
    return f;
}

void fill(const Found& f, LPWIN32_FIND_DATAA data)
{
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = f.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    data->nFileSizeHigh = static_cast<DWORD>(f.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(f.size);
    FILETIME t{static_cast<DWORD>(f.writeTime), static_cast<DWORD>(f.writeTime >> 32)};
    data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime = t;
    std::strncpy(data->cFileName, f.name.c_str(), MAX_PATH - 1);
}

bool beforeNoCase(const Found& a, const Found& b)
{
    const size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = asciiLower(a.name[i]), y = asciiLower(b.name[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.name.size() != b.name.size() ? a.name.size() < b.name.size() : a.name < b.name;
}

} // namespace
} // namespace vtl

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data)
{
    using namespace vtl;
    if (!pattern || !*pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // The mask is the last part; the folder before it is resolved like any
    // other name.
    std::string text(pattern);
    const size_t cut = text.find_last_of("\\/:");
    const std::string mask = cut == std::string::npos ? text : text.substr(cut + 1);
    const std::string folderName = cut == std::string::npos ? std::string(".") : text.substr(0, cut + 1);
    const std::string folder = resolveGamePath(folderName.c_str());
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    auto search = std::make_shared<SearchObject>();
    const bool root = fs::equivalent(folder, "/", ec);
    if (!root) {
        for (const char* dot : {".", ".."}) {
            if (matches(mask, dot)) {
                fs::directory_entry entry(fs::path(folder) / dot, ec);
                search->found.push_back(describe(entry, dot));
            }
        }
    }
    std::vector<Found> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (matches(mask, name))
            names.push_back(describe(*it, name));
    }
    std::sort(names.begin(), names.end(), beforeNoCase);
    search->found.insert(search->found.end(), names.begin(), names.end());
    if (search->found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    fill(search->found[0], data);
    search->next = 1;
    HANDLE handle = addHandle(search);
    if (!handle) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data)
{
    using namespace vtl;
    auto search = std::dynamic_pointer_cast<SearchObject>(findHandle(handle));
    if (!search || !data) {
        SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->found.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    fill(search->found[search->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE handle)
{
    using namespace vtl;
    if (!std::dynamic_pointer_cast<SearchObject>(findHandle(handle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(handle);
}
