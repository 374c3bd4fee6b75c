// What a path names, looked at before the tools open it: streams would throw
// on a folder (or report nothing useful), and opening a named pipe would wait
// for the other end, so a build script that names one by mistake gets a
// one-line refusal instead of a hang.
#ifndef VANTREL_TOOLS_PATH_KINDS_H
#define VANTREL_TOOLS_PATH_KINDS_H

#include <filesystem>
#include <string>
#include <system_error>

namespace tools {

// What a path names; none when it cannot be told (the open then says why).
inline std::filesystem::file_type fileTypeOf(const std::string& path)
{
    std::error_code failure;
    return std::filesystem::status(std::filesystem::path(path), failure).type();
}

// Why a path of this type is not a file to read, or null when it is one (or
// is missing, for the open to say so).
inline const char* whyNotAFile(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    switch (type) {
    case file_type::directory:
        return "is a folder, not a file";
    case file_type::fifo:
        return "is a named pipe, not a regular file";
    case file_type::socket:
        return "is a socket, not a regular file";
    case file_type::block:
    case file_type::character:
        return "is a device, not a regular file";
    case file_type::regular:
    case file_type::not_found:
    case file_type::none:
        return nullptr;
    default:
        return "not a regular file";
    }
}

// Opening a pipe or socket for writing waits for a reader as opening one for
// reading waits for a writer: why such a path cannot be written, or null.
inline const char* whyNotWritable(std::filesystem::file_type type)
{
    using std::filesystem::file_type;
    return type == file_type::fifo || type == file_type::socket ? whyNotAFile(type) : nullptr;
}

} // namespace tools

#endif
