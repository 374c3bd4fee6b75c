#include "platform/host/file_reading.h"

#include <windows.h>

#include <new>

struct vtl::host::ReadableFile {
    HANDLE handle;
};

vtl::host::ReadableFile* vtl::host::openReadable(const char* path)
{
    // Others may read and even replace the file meanwhile, as they may on
    // Linux: the mapping is a copy taken when it is made.
    const HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr; // a folder cannot be opened without FILE_FLAG_BACKUP_SEMANTICS
    ReadableFile* file = new (std::nothrow) ReadableFile{handle};
    if (!file)
        CloseHandle(handle);
    return file;
}

uint64_t vtl::host::sizeOf(ReadableFile* file)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file->handle, &size) || size.QuadPart <= 0)
        return 0;
    return static_cast<uint64_t>(size.QuadPart);
}

size_t vtl::host::readFromStart(ReadableFile* file, unsigned char* out, size_t length)
{
    if (SetFilePointer(file->handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return 0;
    size_t done = 0;
    while (done < length) {
        const DWORD chunk = static_cast<DWORD>(length - done < 0x40000000 ? length - done : 0x40000000);
        DWORD got = 0;
        if (!ReadFile(file->handle, out + done, chunk, &got, nullptr) || got == 0)
            break;
        done += got;
    }
    return done;
}

void vtl::host::closeReadable(ReadableFile* file)
{
    CloseHandle(file->handle);
    delete file;
}
