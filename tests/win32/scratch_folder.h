// A fresh folder under the system's temporary folder, removed with the
// object, and its name in the Windows form a game would use.  The helpers
// read and write it by its own name, not through the calls under test.
#ifndef VANTREL_TESTS_WIN32_SCRATCH_FOLDER_H
#define VANTREL_TESTS_WIN32_SCRATCH_FOLDER_H

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A name of this system's files as a game on Windows sees it.  The
// emulation shows the host's root as drive C:; on Windows the name already
// has its drive.
inline std::string windowsName(std::string name)
{
#ifndef _WIN32
    name = "C:" + name;
#endif
    for (char& c : name) {
        if (c == '/')
            c = '\\';
    }
    return name;
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::random_device seed;
        path = std::filesystem::temp_directory_path() / ("vantrel-win32-" + std::to_string(seed()));
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // "C:\tmp\vantrel-win32-123\<relative>", backslashes throughout.
    std::string windows(const std::string& relative = "") const
    {
        return windowsName(path.string() + (relative.empty() ? "" : "/" + relative));
    }
    std::string host(const std::string& relative) const { return (path / relative).string(); }

    void write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::create_directories((path / relative).parent_path());
        std::ofstream(path / relative, std::ios::binary) << bytes;
    }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(path / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path path;
};

#endif
