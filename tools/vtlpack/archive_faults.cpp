// Why the library refuses an archive file, in numbers: FastFileInit says
// only "invalid archive", which does not tell a cut-short copy from a file
// that is no archive at all.  The rules are the library's own
// (archive/archive_directory.h); these are their words.
#include "tools/vtlpack/vtlpack.h"

#include "tools/english.h"
#include "tools/pictures/picture.h"
#include "tools/vtlpack/refusal_reasons.h"

std::string vtlpack::archiveFault(const std::string& bytes)
{
    // Another kind of file read as a directory gives only nonsense numbers.
    const std::string kind = describeFileKind(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (!kind.empty())
        return "not an archive: it is " + kind;
    return explain(vtl::checkArchiveDirectory(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
                   bytes.size());
}

std::string vtlpack::explain(const vtl::DirectoryCheck& c, uint64_t size)
{
    const int64_t length = int64_t(size);
    using vtl::DirectoryRefusal;
    switch (c.code) {
    case DirectoryRefusal::Ok:
        return std::string();
    case DirectoryRefusal::TooShort:
        if (length == 0)
            return "empty file, not an archive";
        return "too short for an archive (" + tools::counted(uint64_t(length), "byte") + "; the entry count alone takes 4)";
    case DirectoryRefusal::NoEndEntry:
        return "the entry count is 0: an archive has at least its end entry (is this an archive?)";
    case DirectoryRefusal::DirectoryPastEnd: {
        const int64_t count = c.field, directoryEnd = c.limit;
        return "the directory of " + tools::counted(uint64_t(count), "entry", "entries") + " needs " + std::to_string(directoryEnd) +
               " bytes, the file holds " + std::to_string(length) + " (cut short, or not an archive)";
    }
    case DirectoryRefusal::EntryOutOfOrder: {
        const int64_t i = c.field, offset = c.value, previous = c.limit;
        return "entry " + std::to_string(i + 1) + " starts at " + std::to_string(offset) +
               ", before the end of the " +
               (i == 0 ? std::string("directory") : "entry before it") + " (" + std::to_string(previous) +
               "): the directory is damaged";
    }
    case DirectoryRefusal::EntriesPastEnd: {
        const int64_t previous = c.limit;
        return "the entries end at " + std::to_string(previous) + ", past the end of the file (" +
               std::to_string(length) + " bytes): the file is cut short";
    }
    }
    return std::string();
}
