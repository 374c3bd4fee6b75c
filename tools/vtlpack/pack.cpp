// vtlpack create: the archive is written to a temporary file beside the
// target and renamed into place, so a failed run leaves no partial archive.
#include "tools/vtlpack/vtlpack.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
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
            for (const fs::directory_entry& e : fs::directory_iterator(path, ec)) {
                const std::string leaf = e.path().filename().string();
                if (leaf.empty() || leaf[0] == '.')
                    continue; // hidden files are not game data
                if (fs::absolute(e.path(), ec) == outputFull)
                    continue; // re-packing a folder that holds its own archive
                if (!e.is_regular_file(ec)) {
                    vtlpack::error(e.path().string() + ": not a regular file (folders are packed one level deep)");
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
            vtlpack::error(argument + ": no such file or folder");
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
            vtlpack::error(in.path.string() + ": invalid entry name \"" + in.name + "\": " + problem);
            ok = false;
        } else if (!seen.insert(upper(in.name)).second) {
            vtlpack::error(in.path.string() + ": entry name \"" + in.name +
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
        std::ifstream file(in.path, std::ios::binary);
        if (!file) {
            error(in.path.string() + ": cannot read");
            return kFailed;
        }
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file.good() && !file.eof()) {
            error(in.path.string() + ": cannot read");
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
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << directory;
        for (const std::string& c : contents)
            out << c;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            error(archive + ": cannot write");
            return kFailed;
        }
    }
    if (std::rename(temporary.c_str(), archive.c_str()) != 0) {
        std::remove(temporary.c_str());
        error(archive + ": cannot write");
        return kFailed;
    }
    std::printf("%s: %zu entries, %llu bytes\n", archive.c_str(), inputs.size(),
                static_cast<unsigned long long>(offset));
    return kOk;
}
