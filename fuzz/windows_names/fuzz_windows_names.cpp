// Any Windows name through the path resolver, and any mask through
// FindFirstFileA, inside a folder of awkward names: the host path keeps no
// "." part and no ".." after a part it could take away, and a search hands
// out only names that are there, in one pass however the mask is made.
//
// Names that climb out of the folder or start at a root are resolved but
// not searched, so the fuzzer lists nothing but its own folder.
#include <vantrel/seam/game_paths.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "fuzz/support/require.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>

namespace {

const char* const kNames[] = {"a", "A.TXT", "a.b.c", ".hidden", "x.", "x ", "...", "Level1.dat", "noext",
                              "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"};

struct Scratch {
    Scratch()
    {
        folder = std::filesystem::temp_directory_path() / ("vantrel-fuzz-names-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(folder / "Data" / "Sub");
        for (const char* name : kNames) {
            std::ofstream(folder / name) << name;
            std::ofstream(folder / "Data" / name) << name;
        }
        std::filesystem::current_path(folder);
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(folder, ec);
    }
    std::filesystem::path folder;
};

// True for a name starting at a root, or whose ".." parts go above the
// folder it starts in.
bool climbsOut(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/')
        return true;
    if (name.size() >= 2 && name[1] == ':')
        return true; // a drive: "C:\" is the root
    int depth = 0;
    for (size_t start = 0; start <= name.size();) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == ".." && --depth < 0)
            return true;
        if (!part.empty() && part != "." && part != "..")
            ++depth;
        start = end + 1;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Scratch scratch;
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (name.find('\0') != std::string::npos)
        return 0;

    const std::string path = vtl::resolveGamePath(name.c_str());
    require(!path.empty());
    // ".." may stand only at the start of a relative path; "." not at all.
    bool sawPart = false;
    for (size_t start = 0; start <= path.size();) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string part = path.substr(start, slash - start);
        require(part != "." || path == ".");
        require(part != ".." || !sawPart);
        if (!part.empty() && part != "..")
            sawPart = true;
        start = slash + 1;
    }
    if (climbsOut(name))
        return 0;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    std::set<std::string> seen;
    do {
        const std::string hit = found.cFileName;
        require(!hit.empty());
        require(seen.insert(hit).second);
    } while (FindNextFileA(search, &found));
    require(GetLastError() == ERROR_NO_MORE_FILES);
    FindClose(search);
    return 0;
}
