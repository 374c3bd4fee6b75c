// Settings files.  The file is read whole on every call and parsed into its
// lines; a write changes the lines it must and writes them all back.
#include <vantrel/win32/files.h>
#include <vantrel/win32/profile.h>
#include <vantrel/win32/window.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/path_resolver.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace vtl {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string trimmed(const std::string& text)
{
    size_t start = 0, end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

// One line of the file, as read, and what it means.
struct Line {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string raw;
    std::string name;  // the section's or the key's
    std::string value; // an entry's, blanks removed
};

Line parse(const std::string& raw)
{
    Line line;
    line.raw = raw;
    const std::string text = trimmed(raw);
    if (text.empty() || text[0] == ';')
        return line;
    if (text[0] == '[') {
        const size_t close = text.find(']');
        line.kind = Line::Kind::Section;
        line.name = trimmed(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return line;
    line.kind = Line::Kind::Entry;
    line.name = trimmed(text.substr(0, equals));
    line.value = trimmed(text.substr(equals + 1));
    return line;
}

struct ProfileFile {
    std::string path;
    bool exists = false;
    bool crlf = true; // the line end used when writing
    bool inWindowsFolder = false; // made when missing; other folders are not
    std::vector<Line> lines;
};

std::string profilePath(const char* fileName)
{
    if (hasNoFolder(fileName)) {
        char folder[MAX_PATH];
        GetWindowsDirectoryA(folder, sizeof folder);
        return resolveGamePath((std::string(folder) + "\\" + fileName).c_str());
    }
    return resolveGamePath(fileName);
}

ProfileFile load(const char* fileName)
{
    ProfileFile file;
    file.path = profilePath(fileName);
    file.inWindowsFolder = hasNoFolder(fileName);
    std::ifstream in(file.path, std::ios::binary);
    if (!in)
        return file;
    file.exists = true;
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    size_t start = 0;
    bool sawLine = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        std::string raw = text.substr(start, last ? std::string::npos : end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        else if (!last && !sawLine)
            file.crlf = false; // the first line decides
        if (!last)
            sawLine = true;
        file.lines.push_back(parse(raw));
        start = last ? text.size() : end + 1;
    }
    return file;
}

bool save(const ProfileFile& file)
{
    std::error_code ec;
    const fs::path folder = fs::path(file.path).parent_path();
    if (file.inWindowsFolder && !folder.empty())
        fs::create_directories(folder, ec);
    std::ofstream out(file.path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const char* end = file.crlf ? "\r\n" : "\n";
    for (const Line& line : file.lines)
        out << line.raw << end;
    out.flush();
    if (!file.exists)
        forgetFolderOf(file.path);
    return static_cast<bool>(out);
}

// The index of the section's header, or lines.size().
size_t findSection(const ProfileFile& file, const char* section)
{
    for (size_t i = 0; i < file.lines.size(); ++i) {
        const Line& l = file.lines[i];
        if (l.kind == Line::Kind::Section && equalNoCase(l.name.c_str(), section))
            return i;
    }
    return file.lines.size();
}

// One past the section's last line (the next header, or the end).
size_t sectionEnd(const ProfileFile& file, size_t header)
{
    size_t i = header + 1;
    while (i < file.lines.size() && file.lines[i].kind != Line::Kind::Section)
        ++i;
    return i;
}

size_t findKey(const ProfileFile& file, size_t header, const char* key)
{
    const size_t end = sectionEnd(file, header);
    for (size_t i = header + 1; i < end; ++i) {
        const Line& l = file.lines[i];
        if (l.kind == Line::Kind::Entry && equalNoCase(l.name.c_str(), key))
            return i;
    }
    return file.lines.size();
}

DWORD copyValue(const std::string& text, LPSTR buffer, DWORD size)
{
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

// Names, each ended by a zero, and one more zero; a list that does not fit
// is cut inside a name, which still ends with two zeros.
DWORD copyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    DWORD used = 0;
    for (const std::string& name : names) {
        if (used + name.size() + 1 > size - 1) {
            const DWORD room = size - 2 - used;
            std::memcpy(buffer + used, name.data(), room);
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

} // namespace
} // namespace vtl

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    using namespace vtl;
    if (!buffer || size == 0 || !fileName)
        return 0;
    const ProfileFile file = load(fileName);
    if (!section) {
        std::vector<std::string> names;
        for (const Line& l : file.lines) {
            if (l.kind == Line::Kind::Section)
                names.push_back(l.name);
        }
        return copyList(names, buffer, size);
    }
    const size_t header = findSection(file, section);
    if (!key) {
        std::vector<std::string> names;
        if (header < file.lines.size()) {
            const size_t end = sectionEnd(file, header);
            for (size_t i = header + 1; i < end; ++i) {
                if (file.lines[i].kind == Line::Kind::Entry)
                    names.push_back(file.lines[i].name);
            }
        }
        return copyList(names, buffer, size);
    }
    if (header < file.lines.size()) {
        const size_t at = findKey(file, header, key);
        if (at < file.lines.size())
            return copyValue(unquoted(file.lines[at].value), buffer, size);
    }
    std::string byDefault = fallback ? fallback : "";
    while (!byDefault.empty() && byDefault.back() == ' ')
        byDefault.pop_back();
    return copyValue(byDefault, buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName)
{
    char text[256];
    if (!section || !key || GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) == 0)
        return static_cast<UINT>(fallback);
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
    return negative ? 0u - value : value;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    using namespace vtl;
    if (!section || !fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ProfileFile file = load(fileName);
    const size_t header = findSection(file, section);
    const bool haveSection = header < file.lines.size();
    if (!key) {
        if (haveSection)
            file.lines.erase(file.lines.begin() + static_cast<long>(header),
                             file.lines.begin() + static_cast<long>(sectionEnd(file, header)));
        return !haveSection || save(file) ? TRUE : FALSE;
    }
    if (!value) {
        const size_t at = haveSection ? findKey(file, header, key) : file.lines.size();
        if (at < file.lines.size()) {
            file.lines.erase(file.lines.begin() + static_cast<long>(at));
            return save(file) ? TRUE : FALSE;
        }
        return TRUE;
    }
    if (!haveSection) {
        if (!file.lines.empty() && !trimmed(file.lines.back().raw).empty())
            file.lines.push_back(parse(""));
        file.lines.push_back(parse("[" + std::string(section) + "]"));
        file.lines.push_back(parse(std::string(key) + "=" + value));
    } else {
        const size_t at = findKey(file, header, key);
        if (at < file.lines.size()) {
            // The key keeps the spelling it has in the file.
            file.lines[at] = parse(file.lines[at].name + "=" + value);
        } else {
            // After the section's last entry, before the blank lines that
            // separate it from the next.
            size_t insert = sectionEnd(file, header);
            while (insert > header + 1 && trimmed(file.lines[insert - 1].raw).empty())
                --insert;
            file.lines.insert(file.lines.begin() + static_cast<long>(insert), parse(std::string(key) + "=" + value));
        }
    }
    if (!save(file)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
