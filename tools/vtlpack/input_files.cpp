// Files read by vtlpack, with the reason when they cannot be: streams would
// throw on a folder (or report nothing useful), so a path is looked at
// before it is opened.  That also keeps a named pipe from being opened, which
// would wait for a writer: a build script that names one by mistake must get
// its refusal, not hang.
#include "tools/vtlpack/vtlpack.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

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
        return "is a folder, not a file";
    case fs::file_type::fifo:
        return "is a named pipe, not a regular file";
    case fs::file_type::socket:
        return "is a socket, not a regular file";
    case fs::file_type::block:
    case fs::file_type::character:
        return "is a device, not a regular file";
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return nullptr;
    default:
        return "not a regular file";
    }
}

// The regular file at `path` open for reading, or null with the reason.
std::FILE* openRegular(const std::string& path, std::string& why)
{
    if (const char* problem = notAFile(typeOf(path))) {
        why = problem;
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        why = std::strerror(errno);
    return file;
}
} // namespace

std::string vtlpack::fileProblem(const std::string& path)
{
    std::string why;
    if (std::FILE* file = openRegular(path, why))
        std::fclose(file);
    return why;
}

std::string vtlpack::outputProblem(const std::string& path)
{
    // Opening a pipe for writing waits for a reader.
    const fs::file_type type = typeOf(path);
    if (type == fs::file_type::fifo || type == fs::file_type::socket)
        return notAFile(type);
    return {};
}

bool vtlpack::readWholeFile(const std::string& path, std::string& bytes, std::string& why)
{
    bytes.clear();
    std::FILE* file = openRegular(path, why);
    if (!file)
        return false;
    char block[1 << 16];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, got);
    const bool failed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (failed) {
        why = std::strerror(readErrno);
        bytes.clear();
        return false;
    }
    return true;
}
