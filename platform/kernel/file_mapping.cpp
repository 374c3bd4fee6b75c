// CreateFileMappingA / MapViewOfFile / UnmapViewOfFile over mmap.  A
// mapping of a file maps the file's own pages (MAP_SHARED), so views and
// WriteFile see each other's changes at once, as on Windows; a mapping of
// the page file is an anonymous memory file, so its views share memory too.
#include <vantrel/win32/file_system.h>

#include "platform/host/file_handles.h"
#include "platform/host/system_figures.h"
#include "platform/kernel/file_object.h"
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <map>
#include <mutex>


namespace {

constexpr uint64_t kGranularity = 64 * 1024;

class MappingObject : public vtl::KernelObject {
public:
    MappingObject(int fd, uint64_t size, bool writable) : descriptor(fd), size(size), writable(writable) {}
    ~MappingObject() override { vtl::host::closeDescriptor(descriptor); }
    int descriptor; // a duplicate: the mapping outlives the file's handle
    uint64_t size;
    bool writable;
};

// A host whose views are copies may give two views of the same bytes one
// address; each is unmapped on its own.
struct Views {
    std::mutex lock;
    std::multimap<const void*, size_t> lengths;
};

Views& views()
{
    static Views v;
    return v;
}

} // namespace

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCSTR name)
{
    VTL_TRACE(kernel, "CreateFileMappingA", file, protect, sizeHigh, sizeLow, name);
    const DWORD access = protect & 0xFF;
    if (access != PAGE_READONLY && access != PAGE_READWRITE && access != PAGE_WRITECOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(HANDLE(nullptr));
    }
    if (name) {
        VTL_UNSUPPORTED("CreateFileMappingA with a name", "fails: no other process could open it");
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(HANDLE(nullptr));
    }
    const bool writable = access == PAGE_READWRITE;
    uint64_t size = (static_cast<uint64_t>(sizeHigh) << 32) | sizeLow;
    int fd = -1;
    if (file == INVALID_HANDLE_VALUE) {
        if (size == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return vtlTraceCall_.result(HANDLE(nullptr));
        }
        fd = vtl::host::makeMemoryFile(size);
        if (fd < 0) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return vtlTraceCall_.result(HANDLE(nullptr));
        }
    } else {
        auto object = vtl::fileOf(file);
        if (!object)
            return vtlTraceCall_.result(HANDLE(nullptr));
        if (!object->canRead || (writable && !object->canWrite)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return vtlTraceCall_.result(HANDLE(nullptr));
        }
        const uint64_t length = static_cast<uint64_t>(std::max<int64_t>(vtl::host::fileLength(object->file), 0));
        if (size == 0 && length == 0) {
            SetLastError(ERROR_FILE_INVALID);
            return vtlTraceCall_.result(HANDLE(nullptr));
        }
        if (size > length) {
            // Windows grows the file to the mapping's size, when it may.
            if (!writable || !vtl::host::setFileLength(object->file, size)) {
                SetLastError(writable ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED);
                return vtlTraceCall_.result(HANDLE(nullptr));
            }
        }
        if (size == 0)
            size = length;
        fd = vtl::host::duplicateDescriptor(object->file);
    }
    HANDLE handle = vtl::addHandle(std::make_shared<MappingObject>(fd, size, writable));
    SetLastError(ERROR_SUCCESS);
    return vtlTraceCall_.result(handle);
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    VTL_TRACE(kernel, "MapViewOfFile", mapping, access, offsetHigh, offsetLow, bytes);
    auto object = std::dynamic_pointer_cast<MappingObject>(vtl::findHandle(mapping));
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(LPVOID(nullptr));
    }
    const uint64_t offset = (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow;
    const bool write = (access & FILE_MAP_WRITE) != 0;
    const bool copy = (access & FILE_MAP_COPY) != 0 && !write;
    if (offset % kGranularity) {
        SetLastError(ERROR_MAPPED_ALIGNMENT);
        return vtlTraceCall_.result(LPVOID(nullptr));
    }
    if (write && !object->writable) {
        SetLastError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(LPVOID(nullptr));
    }
    if (offset > object->size || (bytes && bytes > object->size - offset) || (!bytes && offset == object->size)) {
        SetLastError(bytes ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(LPVOID(nullptr));
    }
    const size_t length = bytes ? bytes : static_cast<size_t>(object->size - offset);
    void* view = vtl::host::mapDescriptor(object->descriptor, offset, length, write || copy, copy);
    if (!view) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(LPVOID(nullptr));
    }
    Views& v = views();
    std::lock_guard<std::mutex> hold(v.lock);
    v.lengths.emplace(view, length);
    return vtlTraceCall_.result(view);
}

BOOL UnmapViewOfFile(LPCVOID address)
{
    VTL_TRACE(kernel, "UnmapViewOfFile", address);
    Views& v = views();
    std::lock_guard<std::mutex> hold(v.lock);
    auto found = v.lengths.find(address);
    if (found == v.lengths.end()) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(FALSE);
    }
    vtl::host::unmapView(const_cast<void*>(found->first), found->second);
    v.lengths.erase(found);
    return vtlTraceCall_.result(TRUE);
}

BOOL FlushViewOfFile(LPCVOID address, SIZE_T bytes)
{
    VTL_TRACE(kernel, "FlushViewOfFile", address, bytes);
    Views& v = views();
    std::lock_guard<std::mutex> hold(v.lock);
    auto found = v.lengths.upper_bound(address);
    if (found == v.lengths.begin()) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(FALSE);
    }
    --found;
    const char* start = static_cast<const char*>(found->first);
    const char* at = static_cast<const char*>(address);
    if (at >= start + found->second) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return vtlTraceCall_.result(FALSE);
    }
    const size_t page = vtl::host::pageSize();
    const char* from = start + (static_cast<size_t>(at - start) / page) * page;
    const size_t length = bytes ? static_cast<size_t>(at + bytes - from) : found->second - static_cast<size_t>(from - start);
    vtl::host::flushView(const_cast<char*>(from), std::min(length, found->second - static_cast<size_t>(from - start)));
    return vtlTraceCall_.result(TRUE);
}
