// The object behind a file handle of CreateFileA, for the calls on file
// handles that live beside file_calls.cpp (file times, mappings).
#ifndef VANTREL_PLATFORM_KERNEL_FILE_OBJECT_H
#define VANTREL_PLATFORM_KERNEL_FILE_OBJECT_H

#include "platform/kernel/kernel_objects.h"

#include <cstdio>
#include <memory>

namespace vtl {

// An unbuffered standard stream: every ReadFile and WriteFile reaches the
// file system at once, so a mapped view of the file sees it.
class FileObject : public KernelObject {
public:
    explicit FileObject(std::FILE* f) : file(f) {}
    ~FileObject() override { std::fclose(file); }
    std::FILE* file;
    bool canRead = false;
    bool canWrite = false;
    // The standard stream needs a seek between a read and a write.
    enum class Last { None, Read, Write } last = Last::None;

    void switchTo(Last next)
    {
        if (last != Last::None && last != next)
            std::fseek(file, 0, SEEK_CUR);
        last = next;
    }
};

// The file a handle names, or null with ERROR_INVALID_HANDLE.
std::shared_ptr<FileObject> fileOf(HANDLE handle);

} // namespace vtl

#endif
