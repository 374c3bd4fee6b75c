// Settings files.  A settled file is parsed once and kept while its stamp
// (identity, size, times) is unchanged; every write replaces the whole file
// by renaming a new one over it, under a lock on its folder, so that two
// programs writing one file lose nothing and a reader sees one whole
// version or the other.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/profile.h>

#include "platform/host/whole_files.h"
#include "platform/kernel/ascii_case.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/profile_text.h"
#include "platform/kernel/trace.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace vtl {
namespace {

// Some file systems keep modification times to the second or two, and even
// fine ones advance them a clock tick at a time: a file changed in place
// soon after it was read may keep its stamp.  So a version is kept only if
// it was this old when read; a younger one, such as the file a write just
// made, is read again.
constexpr int64_t kSettledNs = 2'000'000'000;
constexpr size_t kCachedFiles = 8;

int64_t nowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

struct CachedText {
    host::FileStamp stamp;
    int64_t readAtNs = 0;
    std::shared_ptr<const ProfileText> text;
};

struct ProfileCache {
    std::mutex lock;
    std::map<std::string, CachedText> files;
};

ProfileCache& cache()
{
    static ProfileCache c;
    return c;
}

void remember(const std::string& path, CachedText entry)
{
    ProfileCache& c = cache();
    std::lock_guard<std::mutex> hold(c.lock);
    if (c.files.size() >= kCachedFiles && c.files.find(path) == c.files.end())
        c.files.erase(c.files.begin());
    c.files[path] = std::move(entry);
}

std::shared_ptr<const ProfileText> emptyText()
{
    static const auto none = std::make_shared<const ProfileText>();
    return none;
}

// The file's text, parsed once per version.
std::shared_ptr<const ProfileText> readProfile(const std::string& path)
{
    const host::FileStamp stamp = host::stampOf(path);
    if (!stamp.exists)
        return emptyText();
    {
        ProfileCache& c = cache();
        std::lock_guard<std::mutex> hold(c.lock);
        auto it = c.files.find(path);
        if (it != c.files.end() && it->second.stamp == stamp && stamp.modifiedNs + kSettledNs < it->second.readAtNs)
            return it->second.text;
    }
    const int64_t readAt = nowNs();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return emptyText();
    std::ostringstream all;
    all << in.rdbuf();
    auto text = std::make_shared<const ProfileText>(parseProfile(all.str()));
    // A version changed while it was being read is not kept.
    if (host::stampOf(path) == stamp)
        remember(path, CachedText{stamp, readAt, text});
    return text;
}

std::string profilePath(const char* fileName)
{
    if (hasNoFolder(fileName)) {
        char folder[MAX_PATH];
        GetWindowsDirectoryA(folder, sizeof folder);
        return resolveGamePath((std::string(folder) + "\\" + fileName).c_str());
    }
    return resolveGamePath(fileName);
}

// Reads the newest version under the folder's lock, lets `change` edit it
// and, if it did, replaces the file.  A failed replacement leaves the old
// file as it was.
template <class Change>
BOOL changeProfile(const char* fileName, Change change)
{
    const std::string path = profilePath(fileName);
    fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (hasNoFolder(fileName) && !folder.empty())
        fs::create_directories(folder, ec); // the Windows folder is made; others are not
    const host::FolderLock writers(folder.string());
    if (!writers.held()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    const std::shared_ptr<const ProfileText> current = readProfile(path);
    ProfileText text = *current;
    if (!change(text))
        return TRUE;
    const bool existed = host::stampOf(path).exists;
    const int error = host::replaceFile(path, profileBytes(text));
    if (error != 0) {
        SetLastError(error == ENOSPC || error == EFBIG || error == EDQUOT ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!existed)
        forgetFolderOf(path);
    return TRUE;
}

DWORD copyValue(const std::string& text, LPSTR buffer, DWORD size)
{
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Names, each ended by a zero, and one more zero.  As on Windows NT a list
// fits only with a byte to spare; one that does not is cut inside a name,
// which still ends with two zeros, and counts size - 2.
DWORD copyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    DWORD used = 0; // at most size - 2 after each whole name
    for (const std::string& name : names) {
        if (used + name.size() + 2 > size - 1) {
            std::memcpy(buffer + used, name.data(), size - 2 - used);
            buffer[size - 2] = '\0';
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + used, name.c_str(), name.size() + 1);
        used += static_cast<DWORD>(name.size() + 1);
    }
    buffer[used] = '\0';
    return used;
}

std::string unquoted(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

bool isBlankLine(const ProfileLine& line) { return trimmedName(line.raw).empty(); }

} // namespace
} // namespace vtl

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    VTL_TRACE(kernel, "GetPrivateProfileStringA", section, key, fallback, static_cast<const void*>(buffer), size,
              fileName);
    using namespace vtl;
    if (!buffer || size == 0)
        return vtlTraceCall_.result(0);
    // No name stands for the system's own settings file, which the game's
    // settings are never in.
    const std::shared_ptr<const ProfileText> file =
        fileName && *fileName ? readProfile(profilePath(fileName)) : emptyText();
    const ProfileText& text = *file;
    if (!section) {
        std::vector<std::string> names;
        for (const ProfileLine& l : text.lines) {
            if (l.kind == ProfileLine::Kind::Section)
                names.push_back(l.name);
        }
        return vtlTraceCall_.result(copyList(names, buffer, size));
    }
    const size_t header = findSection(text, trimmedName(section));
    if (!key) {
        std::vector<std::string> names;
        if (header < text.lines.size()) {
            const size_t end = sectionEnd(text, header);
            for (size_t i = header + 1; i < end; ++i) {
                if (text.lines[i].kind == ProfileLine::Kind::Entry)
                    names.push_back(text.lines[i].name);
            }
        }
        return vtlTraceCall_.result(copyList(names, buffer, size));
    }
    if (header < text.lines.size()) {
        const size_t at = findKey(text, header, trimmedName(key));
        if (at < text.lines.size())
            return vtlTraceCall_.result(copyValue(unquoted(text.lines[at].value), buffer, size));
    }
    std::string byDefault = fallback ? fallback : "";
    while (!byDefault.empty() && byDefault.back() == ' ')
        byDefault.pop_back();
    return vtlTraceCall_.result(copyValue(byDefault, buffer, size));
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName)
{
    VTL_TRACE(kernel, "GetPrivateProfileIntA", section, key, fallback, fileName);
    // Without a file name Windows NT reads a list of names from its own
    // settings file, which always has some, and no name is a number.
    if (!fileName && (!section || !key))
        return vtlTraceCall_.result(0);
    char text[256];
    if (GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) == 0)
        return vtlTraceCall_.result(static_cast<UINT>(fallback));
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (*p == '-' || *p == '+')
        negative = *p++ == '-';
    uint32_t value = 0;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        for (p += 2;; ++p) {
            const char c = vtl::asciiLower(*p);
            if (c >= '0' && c <= '9')
                value = value * 16 + static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value = value * 16 + static_cast<uint32_t>(c - 'a' + 10);
            else
                break;
        }
    } else {
        for (; *p >= '0' && *p <= '9'; ++p)
            value = value * 10 + static_cast<uint32_t>(*p - '0');
    }
    return vtlTraceCall_.result(negative ? 0u - value : value);
}

BOOL WritePrivateProfileStringA(LPCSTR sectionName, LPCSTR keyName, LPCSTR value, LPCSTR fileName)
{
    VTL_TRACE(kernel, "WritePrivateProfileStringA", sectionName, keyName, value, fileName);
    using namespace vtl;
    if (!fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    if (!sectionName) {
        // All three null asks Windows to write its cached files out; with
        // a key or a value there is nothing to write them into.
        if (!keyName && !value)
            return vtlTraceCall_.result(TRUE);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return vtlTraceCall_.result(FALSE);
    }
    const std::string section = trimmedName(sectionName);
    const std::string key = keyName ? trimmedName(keyName) : std::string();
    return vtlTraceCall_.result(changeProfile(fileName, [&](ProfileText& text) {
        std::vector<ProfileLine>& lines = text.lines;
        const size_t header = findSection(text, section);
        const bool haveSection = header < lines.size();
        if (!keyName) {
            if (haveSection)
                lines.erase(lines.begin() + static_cast<long>(header),
                            lines.begin() + static_cast<long>(sectionEnd(text, header)));
            return haveSection;
        }
        if (!value) {
            const size_t at = haveSection ? findKey(text, header, key) : lines.size();
            if (at >= lines.size())
                return false;
            lines.erase(lines.begin() + static_cast<long>(at));
            return true;
        }
        if (!haveSection) {
            // Right after the last line, as Windows NT writes a new section.
            lines.push_back(parseProfileLine("[" + section + "]"));
            lines.push_back(parseProfileLine(key + "=" + value));
            return true;
        }
        const size_t at = findKey(text, header, key);
        if (at < lines.size()) {
            // The key keeps the spelling it has in the file.
            lines[at] = parseProfileLine(lines[at].name + "=" + value);
            return true;
        }
        // After the section's last entry, before the blank lines that
        // separate it from the next.
        size_t insert = sectionEnd(text, header);
        while (insert > header + 1 && isBlankLine(lines[insert - 1]))
            --insert;
        lines.insert(lines.begin() + static_cast<long>(insert), parseProfileLine(key + "=" + value));
        return true;
    }));
}
