// Any bytes as a settings file: every list and value the reader gives must
// fit the buffer and end as the calls promise, and a key the writer adds
// must read back, with every other section's keys still there.
//
// The input is the file's bytes; its last line, if it has the form
// "section|key|value", names what is written.
#include <vantrel/win32/profile.h>

#include "fuzz/support/require.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Scratch {
    Scratch()
    {
        folder = std::filesystem::temp_directory_path() / ("vantrel-fuzz-profile-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(folder);
        windowsName = "C:" + (folder / "fuzz.ini").string();
        for (char& c : windowsName)
            c = c == '/' ? '\\' : c;
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
    std::string windowsName;
};

// The names in a list: each ended by a zero, the list by one more.
std::vector<std::string> namesIn(const char* list, DWORD count, DWORD size)
{
    // With a byte to spare: the list's own zero is never the buffer's last.
    require(size < 2 ? count == 0 : count + 1 < size);
    require(list[count] == '\0');
    std::vector<std::string> names;
    for (DWORD at = 0; at < count; at += static_cast<DWORD>(std::strlen(list + at)) + 1)
        names.emplace_back(list + at);
    return names;
}

bool sameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

bool plain(const std::string& text, const char* refused)
{
    if (text.empty() || text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t')
        return false;
    for (char c : text) {
        if (c == '\0' || c == '\r' || c == '\n' || std::strchr(refused, c))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Scratch scratch;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(scratch.folder / "fuzz.ini", std::ios::binary | std::ios::trunc) << bytes;
    const char* ini = scratch.windowsName.c_str();

    // Lists into buffers of every small size, and one that holds them all.
    std::vector<char> big(size + 16);
    const DWORD all = GetPrivateProfileStringA(nullptr, nullptr, "", big.data(), DWORD(big.size()), ini);
    const std::vector<std::string> sections = namesIn(big.data(), all, DWORD(big.size()));
    for (DWORD small = 1; small < 24; ++small) {
        std::vector<char> buffer(small);
        const DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", buffer.data(), small, ini);
        require(n < small && buffer[n] == '\0');
        require(small < 2 || n == all || n == small - 2);
    }
    std::map<std::string, std::string> before;
    for (const std::string& section : sections) {
        const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", big.data(), DWORD(big.size()), ini);
        for (const std::string& key : namesIn(big.data(), n, DWORD(big.size()))) {
            std::vector<char> value(size + 2);
            const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value.data(),
                                                       DWORD(value.size()), ini);
            require(got < value.size() && value[got] == '\0');
            before[section + "\n" + key] = value.data();
            GetPrivateProfileIntA(section.c_str(), key.c_str(), 0, ini);
        }
    }

    // The write the last line asks for, and what must read back after it.
    const size_t lineStart = bytes.find_last_of("\r\n") == std::string::npos ? 0 : bytes.find_last_of("\r\n") + 1;
    const std::string request = bytes.substr(lineStart);
    const size_t bar1 = request.find('|'), bar2 = bar1 == std::string::npos ? bar1 : request.find('|', bar1 + 1);
    if (bar2 == std::string::npos)
        return 0;
    const std::string section = request.substr(0, bar1), key = request.substr(bar1 + 1, bar2 - bar1 - 1),
                      value = request.substr(bar2 + 1);
    if (!plain(section, "[]") || !plain(key, "=[;") || !plain(value, "\"'") || key.front() == '[')
        return 0;
    // The request line itself is an entry of the file's last section, or a
    // line the file does not read; either way it is not the one written.
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), ini))
        return 0;
    std::vector<char> back(value.size() + 2);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", back.data(), DWORD(back.size()), ini);
    require(value == back.data());
    for (const auto& [where, was] : before) {
        const size_t cut = where.find('\n');
        const std::string s = where.substr(0, cut), k = where.substr(cut + 1);
        if (!sameNoCase(s, section) || sameNoCase(k, key))
            continue;
        // Keys of the written section, other than the one written, keep
        // the value the first of their name had.
        std::vector<char> now(was.size() + 2);
        GetPrivateProfileStringA(s.c_str(), k.c_str(), "", now.data(), DWORD(now.size()), ini);
        require(was == now.data());
    }
    for (const std::string& other : sections) {
        std::vector<char> list(size + 64);
        GetPrivateProfileStringA(other.c_str(), nullptr, "", list.data(), DWORD(list.size()), ini);
    }
    return 0;
}
