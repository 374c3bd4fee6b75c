// vtlpack create: the archive is written to a temporary file beside the
// target and renamed into place, so a failed run leaves no partial archive.
#include "tools/vtlpack/vtlpack.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {
struct Input {
    std::string name;
    fs::path path;
};

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool collect(const std::vector<std::string>& arguments, const fs::path& output,
             std::vector<Input>& inputs)
{
    std::error_code ec;
    const fs::path outputFull = fs::absolute(output, ec);
    for (const std::string& argument : arguments) {
        const fs::path path(argument);
        if (fs::is_directory(path, ec)) {
            std::vector<fs::path> files;
            // Stepped with an error code: the range-for form throws when a
            // step fails (a folder removed or unreadable half way).
            fs::directory_iterator it(path, ec), end;
            for (; !ec && it != end; it.increment(ec)) {
                const fs::directory_entry& e = *it;
                const std::string leaf = e.path().filename().string();
                if (leaf.empty() || leaf[0] == '.')
                    continue; // hidden files are not game data
                std::error_code same;
                if (fs::absolute(e.path(), same) == outputFull)
                    continue; // re-packing a folder that holds its own archive
                std::error_code kind;
                if (!e.is_regular_file(kind)) {
                    const std::string why = e.is_directory(kind) ? "not a regular file (folders are packed one level deep)"
                                                                 : vtlpack::fileProblem(e.path().string());
                    vtlpack::error(e.path().string() + ": " + (why.empty() ? "not a regular file" : why));
                    return false;
                }
                files.push_back(e.path());
            }
            if (ec) {
                vtlpack::error(argument + ": " + ec.message());
                return false;
            }
            std::sort(files.begin(), files.end());
            for (const fs::path& f : files)
                inputs.push_back({f.filename().string(), f});
        } else if (fs::is_regular_file(path, ec)) {
            inputs.push_back({path.filename().string(), path});
        } else {
            const std::string why = vtlpack::fileProblem(argument);
            vtlpack::error(argument + ": " + (why.empty() ? "not a regular file" : why));
            return false;
        }
    }
    if (inputs.empty()) {
        vtlpack::error("nothing to pack");
        return false;
    }
    bool ok = true;
    std::set<std::string> seen;
    for (const Input& in : inputs) {
        if (const char* problem = vtlpack::entryNameProblem(in.name)) {
            vtlpack::error(in.path.string() + ": invalid entry name \"" + vtlpack::printable(in.name) + "\": " + problem);
            ok = false;
        } else if (!seen.insert(upper(in.name)).second) {
            vtlpack::error(in.path.string() + ": entry name \"" + vtlpack::printable(in.name) +
                           "\" is already used (names ignore case)");
            ok = false;
        }
    }
    return ok;
}

void putLe32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char(v >> (8 * i)));
}
} // namespace

int vtlpack::create(const std::string& archive, const std::vector<std::string>& arguments)
{
    std::vector<Input> inputs;
    if (!collect(arguments, archive, inputs))
        return kFailed;

    std::vector<std::string> contents;
    const uint64_t count = inputs.size() + 1;
    uint64_t offset = 4 + 17 * count;
    std::string directory;
    putLe32(directory, uint32_t(count));
    for (const Input& in : inputs) {
        std::string bytes, why;
        if (!readWholeFile(in.path.string(), bytes, why)) {
            error(in.path.string() + ": " + why);
            return kFailed;
        }
        if (offset + bytes.size() > UINT32_MAX) {
            error(archive + ": archives are limited to 4 GiB");
            return kFailed;
        }
        putLe32(directory, uint32_t(offset));
        std::string name = in.name;
        name.resize(13, '\0');
        directory += name;
        offset += bytes.size();
        contents.push_back(std::move(bytes));
    }
    putLe32(directory, uint32_t(offset));
    directory += std::string(13, '\0'); // the end entry: no name, no data

    const std::string temporary = archive + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        error(archive + ": cannot write: " + std::strerror(errno));
        return kFailed;
    }
    bool written = std::fwrite(directory.data(), 1, directory.size(), out) == directory.size();
    for (const std::string& c : contents)
        written = written && std::fwrite(c.data(), 1, c.size(), out) == c.size();
    int why = errno;
    if (std::fclose(out) != 0 && written) {
        written = false;
        why = errno;
    }
    if (!written || std::rename(temporary.c_str(), archive.c_str()) != 0) {
        if (written)
            why = errno;
        std::remove(temporary.c_str());
        error(archive + ": cannot write: " + std::strerror(why));
        return kFailed;
    }
    std::printf("%s: %zu entries, %llu bytes\n", archive.c_str(), inputs.size(),
                static_cast<unsigned long long>(offset));
    return kOk;
}
