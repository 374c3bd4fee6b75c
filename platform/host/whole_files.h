// Files read and replaced whole, for the settings-file calls: what tells
// one version of a file from another, a lock that serialises the programs
// writing into one folder, and a replacement no reader sees half done.
#ifndef VANTREL_PLATFORM_HOST_WHOLE_FILES_H
#define VANTREL_PLATFORM_HOST_WHOLE_FILES_H

#include <cstdint>
#include <string>

namespace vtl::host {

// One version of a file: a write in place changes the size or a time, a
// replacement the file's identity.
struct FileStamp {
    bool exists = false;
    uint64_t device = 0;
    uint64_t identity = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0; // since 1970, the clock std::chrono::system_clock reads
    int64_t changedNs = 0;

    bool operator==(const FileStamp& o) const
    {
        return exists == o.exists && device == o.device && identity == o.identity && size == o.size &&
               modifiedNs == o.modifiedNs && changedNs == o.changedNs;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

FileStamp stampOf(const std::string& path);

// Held while it lives: one writer at a time among every thread and process
// that locks the same folder.  Waits for the lock; held() is false only when
// the folder cannot be opened.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return descriptor >= 0; }

private:
    int descriptor = -1;
};

// Writes `bytes` to a new file beside `path`, with the old file's access
// bits, and renames it over `path`.  0, or the errno of the step that
// failed, in which case `path` is as it was.
int replaceFile(const std::string& path, const std::string& bytes);

} // namespace vtl::host

#endif
