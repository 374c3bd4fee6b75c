// Reading and writing whole files.  A path is looked at before it is opened
// (tools/path_kinds.h): a folder, device or pipe given as a picture ends as a
// one-line reason.
#include "picture.h"

#include "tools/path_kinds.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
std::string systemError(const std::string& path) { return path + ": " + std::strerror(errno); }
} // namespace

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    if (const char* why = tools::whyNotAFile(tools::fileTypeOf(path))) {
        error = path + ": " + why;
        return false;
    }
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        error = systemError(path);
        return false;
    }
    uint8_t block[1 << 16];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    const bool failed = std::ferror(in) != 0;
    const int readErrno = errno;
    std::fclose(in);
    if (failed) {
        errno = readErrno;
        error = systemError(path);
        bytes.clear();
        return false;
    }
    return true;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    if (const char* why = tools::whyNotWritable(tools::fileTypeOf(path))) {
        error = path + ": " + why;
        return false;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        error = systemError(path);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeErrno = errno;
    if (std::fclose(out) != 0 || !written) {
        if (!written)
            errno = writeErrno;
        error = systemError(path);
        return false;
    }
    return true;
}
