// Views of files in a page, whose C library maps a file by copying it (and
// back on unmapping), so that two views, or a view and the file's handle,
// would not see each other's writes.  Here every shared view of one file
// is a window on one copy of the file's bytes, its image, which the writes
// through the file's handles are copied into and which is written back into
// the file before a read through a handle, at a flush and when a view goes.
// A mapping of the page file is a file too (memory_files.cpp), so its views
// share their memory the same way.  What the file itself holds between those
// moments (seen by anything but the handles) lags behind the views.
#include "platform/host/file_handles.h"
#include "platform/host/web/memory_files.h"

#include "platform/kernel/trace.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vtl::host {

namespace {

// A file is known by its device and node; a mapping's memory file
// (memory_files.h) by the mapping's descriptor, until the mapping closes it.
struct Identity {
    long long device;
    long long node;
    bool operator==(const Identity& other) const { return device == other.device && node == other.node; }
};
constexpr long long kMemoryFile = -1, kClosed = -2;

Identity identityOf(int descriptor)
{
    struct stat s;
    if (isMemoryFile(descriptor) || fstat(descriptor, &s) != 0)
        return {kMemoryFile, descriptor};
    return {static_cast<long long>(s.st_dev), static_cast<long long>(s.st_ino)};
}

// The length of the file, the position left where it was (a duplicate
// shares it with the handle's).
uint64_t lengthOf(int descriptor)
{
    const off_t here = lseek(descriptor, 0, SEEK_CUR);
    const off_t end = lseek(descriptor, 0, SEEK_END);
    lseek(descriptor, here, SEEK_SET);
    return end > 0 ? static_cast<uint64_t>(end) : 0;
}

struct Image {
    Identity identity;
    int descriptor; // a duplicate of its own, for writing views back
    std::vector<char> bytes;
    int views = 0;
};

struct View {
    Image* image; // null for a private copy
    char* start;
    uint64_t offset;
    size_t length;
    bool writable;
};

// The page has one thread: no lock.
std::vector<std::unique_ptr<Image>>& images()
{
    static std::vector<std::unique_ptr<Image>> i;
    return i;
}

// Two views of one image at one offset have one address: a multimap.
std::multimap<const char*, View>& views()
{
    static std::multimap<const char*, View> v;
    return v;
}

void writeBack(const View& view, uint64_t from, size_t length)
{
    if (view.image && view.writable)
        pwrite(view.image->descriptor, view.start + (from - view.offset), length, static_cast<off_t>(from));
}

// Each image of the file open as `file`.
template <typename Visit> void eachImageOf(std::FILE* file, Visit visit)
{
    if (images().empty())
        return;
    const Identity identity = identityOf(fileno(file));
    for (auto& image : images())
        if (image->identity == identity)
            visit(*image);
}

} // namespace

void* mapDescriptor(int descriptor, uint64_t offset, size_t length, bool writable, bool privateCopy)
{
    if (privateCopy) {
        char* copy = static_cast<char*>(std::calloc(length, 1));
        if (!copy)
            return nullptr;
        if (pread(descriptor, copy, length, static_cast<off_t>(offset)) < 0) {
            std::free(copy);
            return nullptr;
        }
        views().emplace(copy, View{nullptr, copy, offset, length, writable});
        return copy;
    }
    if (writable)
        VTL_UNSUPPORTED("Views of files in WebAssembly",
                        "copies kept in step with the file's handles; the file gets a view's writes "
                        "when the view is flushed or unmapped, or the file is read through a handle");
    const Identity identity = identityOf(descriptor);
    Image* image = nullptr;
    for (auto& candidate : images())
        if (candidate->identity == identity && offset + length <= candidate->bytes.size())
            image = candidate.get();
    if (!image) {
        auto made = std::make_unique<Image>();
        made->identity = identity;
        made->bytes.resize(std::max<uint64_t>(lengthOf(descriptor), offset + length));
        if (pread(descriptor, made->bytes.data(), made->bytes.size(), 0) < 0)
            return nullptr;
        made->descriptor = dup(descriptor);
        if (made->descriptor < 0)
            return nullptr;
        image = made.get();
        images().push_back(std::move(made));
    }
    ++image->views;
    char* start = image->bytes.data() + offset;
    if (views().count(start))
        VTL_UNSUPPORTED("Two views of a file's same bytes in WebAssembly",
                        "they share one address: memory cannot be seen at two");
    views().emplace(start, View{image, start, offset, length, writable});
    return start;
}

void closeDescriptor(int descriptor)
{
    close(descriptor);
    forgetMemoryFile(descriptor);
    // Its number may be a new mapping's next.
    for (auto& image : images())
        if (image->identity == Identity{kMemoryFile, descriptor})
            image->identity.device = kClosed;
}

void unmapView(void* address, size_t)
{
    auto found = views().find(static_cast<const char*>(address));
    if (found == views().end())
        return;
    const View view = found->second;
    views().erase(found);
    if (!view.image) {
        std::free(view.start);
        return;
    }
    writeBack(view, view.offset, view.length);
    if (--view.image->views == 0) {
        close(view.image->descriptor);
        auto& all = images();
        all.erase(std::find_if(all.begin(), all.end(), [&](const auto& i) { return i.get() == view.image; }));
    }
}

void flushView(void* from, size_t length)
{
    const char* at = static_cast<const char*>(from);
    for (const auto& [start, view] : views())
        if (start <= at && at < start + view.length)
            writeBack(view, view.offset + static_cast<uint64_t>(at - start),
                      std::min(length, view.length - static_cast<size_t>(at - start)));
}

void wroteThroughHandle(std::FILE* file, const void* bytes, size_t length)
{
    const off_t end = ftello(file);
    if (length == 0 || end < 0)
        return;
    const uint64_t start = static_cast<uint64_t>(end) - length;
    eachImageOf(file, [&](Image& image) {
        if (start < image.bytes.size())
            std::memcpy(image.bytes.data() + start, bytes, std::min<uint64_t>(length, image.bytes.size() - start));
    });
}

void readingThroughHandle(std::FILE* file)
{
    eachImageOf(file, [&](Image& image) {
        for (const auto& [start, view] : views())
            if (view.image == &image)
                writeBack(view, view.offset, view.length);
    });
}

} // namespace vtl::host
