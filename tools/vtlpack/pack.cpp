// vtlpack create: the archive is written to a temporary file beside the
// target and renamed into place, so a failed run leaves no partial archive.
//
// Every .BMP and .TGA entry is checked by the library's own reader rules
// before anything is written: a game finds out about a picture it cannot
// load at run time, as a black rectangle, so the archive is the place to
// stop it.
#include "tools/vtlpack/vtlpack.h"

#include "tools/vtlpack/picture_conversion.h"
#include "tools/vtlpack/refusal_reasons.h"

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

// SOURCE=ENTRY: the file SOURCE packed as ENTRY.  A file whose own name
// holds '=' is taken whole when it exists.
bool splitEntry(const std::string& argument, fs::path& source, std::string& entry)
{
    const size_t eq = argument.rfind('=');
    std::error_code ec;
    if (eq == std::string::npos || eq == 0 || fs::exists(argument, ec))
        return false;
    source = argument.substr(0, eq);
    entry = argument.substr(eq + 1);
    return true;
}

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
        fs::path source;
        std::string entry;
        if (splitEntry(argument, source, entry)) {
            if (!fs::is_regular_file(source, ec)) {
                const std::string why = vtlpack::fileProblem(source.string());
                vtlpack::error(source.string() + ": " + (why.empty() ? "not a regular file" : why));
                return false;
            }
            inputs.push_back({entry, source});
            continue;
        }
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

bool isPictureEntry(const std::string& name, vtlpack::FileKind& kind)
{
    const std::string e = name.size() > 4 ? upper(name.substr(name.size() - 4)) : std::string();
    if (e == ".BMP")
        kind = vtlpack::FileKind::Bmp;
    else if (e == ".TGA")
        kind = vtlpack::FileKind::Tga;
    else
        return false;
    return true;
}

// Why the library's surface loader (which every image loader's rules
// include) cannot load `bytes`, or what it would show wrongly; empty when
// it loads them as they are meant.
std::string loadProblem(vtlpack::FileKind kind, const std::string& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::string refused = vtlpack::refusalReason(vtlpack::Loader::Surface, kind, data, bytes.size(), 32);
    if (!refused.empty())
        return refused;
    return vtlpack::acceptedButNote(vtlpack::Loader::Surface, kind, data, bytes.size());
}

// Brings one picture entry to a form the library loads, or says why not.
// False stops the archive.
bool preparePicture(const Input& in, vtlpack::FileKind kind, const vtlpack::CreateOptions& options,
                    std::string& bytes)
{
    const std::string source = in.path.string();
    const std::string label = in.name == in.path.filename().string() ? source : source + " (as " + in.name + ")";
    const std::string problem = loadProblem(kind, bytes);
    if (problem.empty())
        return true; // loadable as it is: kept byte for byte (an 8-bit palette stays one)
    if (options.convert) {
        std::vector<std::string> warnings;
        std::string why;
        if (!vtlpack::convertPicture(source, in.name, bytes, warnings, why)) {
            vtlpack::error(label + ": cannot be converted: " + why);
            return false;
        }
        for (const std::string& w : warnings)
            vtlpack::error(label + ": warning: " + w);
        return true;
    }
    if (options.keep) {
        vtlpack::error(label + ": warning: packed as it is (--keep), though the library cannot load it as meant: " +
                       problem);
        return true;
    }
    const bool advised = problem.find("--convert") != std::string::npos;
    vtlpack::error(label + ": the library cannot load it as meant: " + problem +
                   (advised ? "; --keep packs it as it is"
                            : "; vtlpack create --convert stores it in a form the library reads, --keep packs it as "
                              "it is"));
    return false;
}

void putLe32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char(v >> (8 * i)));
}
} // namespace

int vtlpack::create(const std::string& archive, const std::vector<std::string>& arguments,
                    const CreateOptions& options)
{
    std::vector<Input> inputs;
    if (!collect(arguments, archive, inputs))
        return kFailed;

    std::vector<std::string> contents;
    const uint64_t count = inputs.size() + 1;
    uint64_t offset = 4 + 17 * count;
    std::string directory;
    bool pictureFailed = false; // every picture is checked, then the run stops
    putLe32(directory, uint32_t(count));
    for (const Input& in : inputs) {
        std::string bytes, why;
        if (!readWholeFile(in.path.string(), bytes, why)) {
            error(in.path.string() + ": " + why);
            return kFailed;
        }
        FileKind kind;
        if (isPictureEntry(in.name, kind) && !preparePicture(in, kind, options, bytes)) {
            pictureFailed = true;
            continue;
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
    if (pictureFailed)
        return kFailed;
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
    // Replaces an archive already there, which std::rename does not do on
    // Windows.
    std::error_code renamed;
    if (written)
        fs::rename(temporary, archive, renamed);
    if (!written || renamed) {
        std::remove(temporary.c_str());
        error(archive + ": cannot write: " + (written ? renamed.message() : std::string(std::strerror(why))));
        return kFailed;
    }
    std::printf("%s: %zu entries, %llu bytes\n", archive.c_str(), inputs.size(),
                static_cast<unsigned long long>(offset));
    return kOk;
}
