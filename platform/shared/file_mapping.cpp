// The archive's and the CD tracks' "file mapping", on every system.  A mapping is a
// private copy of the whole file, read once when the mapping is made: a file
// truncated or copied over while it is open can then never take pages away
// from under a reader (a shared mapping of a file that shrinks faults at the next read
// past the new end), and the bytes stay exactly those the directory was
// checked against.  The copy costs memory the size of the file, which for an
// archive of a game of this era is small.
//
// The copy is counted: the mapping handle, each view and each holdView keep
// it, and it is freed when the last of them lets go, so a sound still playing
// from an archive outlives the handle that opened it.
#include <vantrel/seam/file_mapping.h>

#include "platform/host/file_reading.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

namespace {
struct FileCopy {
    unsigned char* bytes;
    size_t length;
    size_t users; // the mapping, its views and every holdView
};

struct Mapping {
    FileCopy* copy;
};

// Every live copy, so that a pointer anywhere inside one finds it.  Never
// destroyed: the objects that let go of copies (a game's global library
// handle, the CD device, a sound still playing) are destroyed by the exit
// handlers, in an order nothing here controls, and may come after a list
// destroyed with the other statics.
struct CopyList {
    std::mutex mutex;
    std::vector<FileCopy*> copies;
};

CopyList& copyList()
{
    static CopyList* list = new CopyList;
    return *list;
}

std::mutex& copiesMutex()
{
    return copyList().mutex;
}

std::vector<FileCopy*>& liveCopies()
{
    return copyList().copies;
}

FileCopy* copyHolding(const void* inside)
{
    const auto* p = static_cast<const unsigned char*>(inside);
    for (FileCopy* c : liveCopies())
        if (p >= c->bytes && p < c->bytes + c->length)
            return c;
    return nullptr;
}

void letGo(FileCopy* copy)
{
    if (!copy || --copy->users != 0)
        return;
    auto& copies = liveCopies();
    copies.erase(std::remove(copies.begin(), copies.end(), copy), copies.end());
    delete[] copy->bytes;
    delete copy;
}

// Reads up to `length` bytes from the start of the file; fewer when the file
// has shrunk since it was measured.
} // namespace

HANDLE vtl::openFileForReading(const char* path)
{
    return path ? host::openReadable(path) : nullptr;
}

HANDLE vtl::createReadOnlyMapping(HANDLE file)
{
    if (!file)
        return nullptr;
    auto* readable = static_cast<host::ReadableFile*>(file);
    const uint64_t size = host::sizeOf(readable);
    if (size == 0 || size > UINT32_MAX)
        return nullptr;
    const size_t wanted = static_cast<size_t>(size);
    unsigned char* bytes = new (std::nothrow) unsigned char[wanted];
    if (!bytes)
        return nullptr;
    const size_t length = host::readFromStart(readable, bytes, wanted);
    FileCopy* copy = length ? new (std::nothrow) FileCopy{bytes, length, 1} : nullptr;
    Mapping* mapping = copy ? new (std::nothrow) Mapping{copy} : nullptr;
    if (!mapping) {
        delete copy;
        delete[] bytes;
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(copiesMutex());
    liveCopies().push_back(copy);
    return mapping;
}

void* vtl::mapView(HANDLE mapping, size_t* length)
{
    if (!mapping)
        return nullptr;
    std::lock_guard<std::mutex> lock(copiesMutex());
    FileCopy* copy = static_cast<Mapping*>(mapping)->copy;
    ++copy->users;
    if (length)
        *length = copy->length;
    return copy->bytes;
}

void vtl::unmapView(HANDLE mapping, void* view)
{
    if (!mapping || !view)
        return;
    std::lock_guard<std::mutex> lock(copiesMutex());
    letGo(copyHolding(view));
}

void vtl::closeMapping(HANDLE mapping)
{
    if (!mapping)
        return;
    {
        std::lock_guard<std::mutex> lock(copiesMutex());
        letGo(static_cast<Mapping*>(mapping)->copy);
    }
    delete static_cast<Mapping*>(mapping);
}

bool vtl::holdView(const void* inside)
{
    std::lock_guard<std::mutex> lock(copiesMutex());
    FileCopy* copy = copyHolding(inside);
    if (copy)
        ++copy->users;
    return copy != nullptr;
}

void vtl::letGoView(const void* inside)
{
    std::lock_guard<std::mutex> lock(copiesMutex());
    letGo(copyHolding(inside));
}

void vtl::closeFile(HANDLE file)
{
    if (file)
        host::closeReadable(static_cast<host::ReadableFile*>(file));
}
