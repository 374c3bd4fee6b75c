// vtlpack list, extract and verify.  The archive is opened with the
// library's FastFileInit, whose directory check is the one games rely on;
// the library's messages are collected and shown as the reason on failure.
#include "tools/vtlpack/vtlpack.h"

#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "archive/archive_directory.h"
#include "tools/pictures/picture.h"
#include "tools/vtlpack/library_messages.h"
#include "tools/vtlpack/load_check.h"

namespace fs = std::filesystem;

namespace {
struct Entry {
    std::string name; // empty when the record's name is not terminated
    const unsigned char* data;
    uint32_t size;
};

// Opens the archive in `handle` and reads its directory; false (with the
// reason printed) when the library refuses it.
bool openArchive(VTLHND& handle, const std::string& archive, std::vector<Entry>& entries)
{
    // The library names the call that failed, not the cause: say first
    // what is wrong with the file, and add the library's words.
    const std::string problem = vtlpack::fileProblem(archive);
    if (!problem.empty()) {
        vtlpack::error(archive + ": " + problem);
        return false;
    }
    {
        vtlpack::LibraryMessages messages;
        if (!handle.FastFileInit(const_cast<char*>(archive.c_str()))) {
            std::string bytes, why, fault;
            if (vtlpack::readWholeFile(archive, bytes, why))
                fault = vtlpack::archiveFault(bytes);
            vtlpack::error(archive + ": " + (fault.empty() ? messages.text() : fault + " (" + messages.text() + ")"));
            return false;
        }
    }
    const unsigned char* view = static_cast<const unsigned char*>(handle.view);
    const unsigned char* record = static_cast<const unsigned char*>(handle.directory);
    for (DWORD i = 0; i + 1 < handle.entryCount; ++i, record += vtl::kDirectoryRecordSize) {
        const char* name = vtl::recordName(record);
        const size_t length = strnlen(name, vtl::kDirectoryNameSize);
        const uint32_t offset = vtl::recordOffset(record);
        entries.push_back({length < vtl::kDirectoryNameSize ? std::string(name, length) : std::string(),
                           view + offset, vtl::recordOffset(vtl::nextRecord(record)) - offset});
    }
    return true;
}

bool safeToWrite(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}
} // namespace

void vtlpack::error(const std::string& text) { std::fprintf(stderr, "vtlpack: %s\n", text.c_str()); }

int vtlpack::list(const std::string& archive)
{
    VTLHND handle;
    std::vector<Entry> entries;
    if (!openArchive(handle, archive, entries))
        return kFailed;
    for (const Entry& e : entries)
        std::printf("%s %u\n", e.name.empty() ? "?" : vtlpack::printable(e.name).c_str(), e.size);
    return kOk;
}

int vtlpack::extract(const std::string& archive, const std::string& folder)
{
    VTLHND handle;
    std::vector<Entry> entries;
    if (!openArchive(handle, archive, entries))
        return kFailed;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!ec && !fs::is_directory(folder, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec) {
        error(folder + ": " + ec.message());
        return kFailed;
    }
    int result = kOk;
    for (const Entry& e : entries) {
        if (!safeToWrite(e.name)) {
            error(archive + ": entry \"" + printable(e.name) + "\" has a name that cannot be a file; skipped");
            result = kFailed;
            continue;
        }
        const fs::path target = fs::path(folder) / e.name;
        const std::string problem = outputProblem(target.string());
        if (!problem.empty()) {
            error(printable(target.string()) + ": " + problem);
            result = kFailed;
            continue;
        }
        std::FILE* out = std::fopen(target.string().c_str(), "wb");
        bool written = out && std::fwrite(e.data, 1, e.size, out) == e.size;
        int why = errno;
        if (out && std::fclose(out) != 0 && written) {
            written = false;
            why = errno;
        }
        if (!written) {
            error(printable(target.string()) + ": cannot write: " + std::strerror(why));
            result = kFailed;
        }
    }
    return result;
}

namespace {
// The load check of one entry, on standard output; a problem when no
// loader takes it at some depth.
bool reportLoads(VTLHND& handle, const std::string& where, const std::string& name, const unsigned char* data,
                 size_t size)
{
    const vtlpack::EntryVerdict verdict = vtlpack::checkEntry(handle, name, data, size);
    std::printf("%s: %s\n", where.c_str(), verdict.describe().c_str());
    if (!verdict.unusable())
        return true;
    vtlpack::error(where + ": the library cannot load it");
    return false;
}

int verifyArchive(const std::string& archive)
{
    VTLHND handle;
    std::vector<Entry> entries;
    if (!openArchive(handle, archive, entries))
        return vtlpack::kFailed;
    int problems = 0;
    std::set<std::string> seen;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const std::string where = archive + ": entry " + std::to_string(i + 1);
        if (e.name.empty()) {
            vtlpack::error(where + ": name not terminated within 13 bytes");
            ++problems;
            continue;
        }
        const std::string named = where + " \"" + vtlpack::printable(e.name) + "\"";
        const char* nameProblem = vtlpack::entryNameProblem(e.name);
        if (nameProblem) {
            vtlpack::error(named + ": " + nameProblem);
            ++problems;
        }
        std::string key = e.name;
        for (char& c : key)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (!seen.insert(key).second) {
            vtlpack::error(named + ": hidden by an earlier entry of the same name");
            ++problems;
            continue;
        }
        // The entry must come back through the cursor games use, whole.
        {
            vtlpack::LibraryMessages messages;
            FastFile file{};
            if (!file.open(&handle, const_cast<char*>(e.name.c_str())) || file.fSize() != e.size ||
                file.lock(0, LONG(e.size)) != e.data) {
                vtlpack::error(named + ": does not open: " + messages.text());
                ++problems;
                continue;
            }
        }
        // Then through the loaders that its ending selects.
        if (!nameProblem && !reportLoads(handle, vtlpack::printable(e.name), e.name, e.data, e.size))
            ++problems;
    }
    if (problems) {
        std::printf("%s: %d problem%s\n", archive.c_str(), problems, problems == 1 ? "" : "s");
        return vtlpack::kFailed;
    }
    std::printf("%s: OK, %zu entries\n", archive.c_str(), entries.size());
    return vtlpack::kOk;
}

// True (with the reason printed) when `path`'s first bytes show another
// kind of file: read as an archive, its bytes would only give nonsense
// numbers for a directory.
bool notArchive(const std::string& path)
{
    std::string bytes, why;
    if (!vtlpack::readWholeFile(path, bytes, why))
        return false; // verifyArchive words it
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const std::string kind = describeFileKind(data, bytes.size());
    if (kind.empty())
        return false;
    std::string advice;
    if (!sniffPictureFormat(data, bytes.size()).empty() || kind == "a PCX picture")
        advice = "; to put it into a game, pack it as a picture entry: vtlpack create --convert ARCHIVE " + path +
                 "=NAME.TGA";
    vtlpack::error(path + ": not an archive: it is " + kind + advice);
    return true;
}

// A picture, RLE, RLA or sound file on its own: packed into an archive in
// memory under a name the registry accepts, and checked as an entry.
int verifyFile(const std::string& path)
{
    std::string bytes, why;
    if (!vtlpack::readWholeFile(path, bytes, why)) {
        vtlpack::error(path + ": " + why);
        return vtlpack::kFailed;
    }
    std::string ending = path.substr(path.rfind('.') + 1);
    for (char& c : ending)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    const std::string name = "CHECKED." + ending;
    const uint32_t start = 4 + 2 * 17, end = start + uint32_t(bytes.size());
    std::string archive(4 + 2 * 17, '\0');
    archive[0] = 2;
    for (int i = 0; i < 4; ++i) {
        archive[4 + i] = char(start >> (8 * i));
        archive[21 + i] = char(end >> (8 * i));
    }
    archive.replace(8, name.size(), name);
    archive += bytes;
    VTLEmbeddedArchive embedded{"VTLPACK-VERIFY", reinterpret_cast<const unsigned char*>(archive.data()),
                                DWORD(archive.size()), nullptr};
    VTLRegisterEmbeddedArchive(&embedded);
    int result = vtlpack::kFailed;
    {
        VTLHND handle;
        vtlpack::LibraryMessages messages;
        if (handle.FastFileInit(const_cast<char*>("VTLPACK-VERIFY"))) {
            const auto* data = reinterpret_cast<const unsigned char*>(archive.data()) + start;
            result = reportLoads(handle, path, name, data, bytes.size()) ? vtlpack::kOk : vtlpack::kFailed;
        } else {
            vtlpack::error(path + ": " + messages.text());
        }
    }
    VTLUnregisterEmbeddedArchive(&embedded);
    return result;
}
} // namespace

int vtlpack::verify(const std::vector<std::string>& paths)
{
#ifndef _WIN32
    // The loaders run on the headless backends: checking plays no sound and
    // opens no window.  (On Windows the system is the platform, with no
    // backends to choose.)
    setenv("VANTREL_VIDEO", "headless", 1);
    setenv("VANTREL_AUDIO", "headless", 1);
#endif
    int result = kOk;
    for (const std::string& path : paths)
        if ((loadableEnding(path) ? verifyFile(path) : notArchive(path) ? kFailed : verifyArchive(path)) != kOk)
            result = kFailed;
    return result;
}
