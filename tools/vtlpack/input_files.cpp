// Files read by vtlpack, with the reason when they cannot be: a path is
// looked at before it is opened (tools/path_kinds.h).
#include "tools/vtlpack/vtlpack.h"

#include "tools/path_kinds.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The regular file at `path` open for reading, or null with the reason.
std::FILE* openRegular(const std::string& path, std::string& why)
{
    if (const char* problem = tools::whyNotAFile(tools::fileTypeOf(path))) {
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
    const char* why = tools::whyNotWritable(tools::fileTypeOf(path));
    return why ? why : std::string();
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
