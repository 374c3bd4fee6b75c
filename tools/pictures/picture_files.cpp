// Reading and writing whole files.
//
// A path is looked at before it is opened: a folder or a device given as a
// picture must end as a one-line reason, never as an exception from deep
// inside a stream buffer, and opening a named pipe would wait for the other
// end, so a pipe given by mistake is refused at once instead of hanging the
// build.
#include "picture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

std::string systemError(const std::string& path) { return path + ": " + std::strerror(errno); }

// What a path names; none when it cannot be told (the open then says why).
fs::file_type typeOf(const std::string& path)
{
    std::error_code failure;
    return fs::status(fs::path(path), failure).type();
}

// Why a path of this type is not a file to read, or null when it is one
// (or is missing, for the open to say so).
const char* notAFile(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return ": is a folder, not a file";
    case fs::file_type::fifo:
        return ": is a named pipe, not a regular file";
    case fs::file_type::socket:
        return ": is a socket, not a regular file";
    case fs::file_type::block:
    case fs::file_type::character:
        return ": is a device, not a regular file";
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return nullptr;
    default:
        return ": not a regular file";
    }
}
} // namespace

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    if (const char* why = notAFile(typeOf(path))) {
        error = path + why;
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
    // Opening a pipe for writing waits for a reader as opening one for
    // reading waits for a writer.
    const fs::file_type type = typeOf(path);
    if (type == fs::file_type::fifo || type == fs::file_type::socket) {
        error = path + notAFile(type);
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
