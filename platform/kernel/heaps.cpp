// Heaps (memory.h): each block is malloc'd with a header naming its heap
// and size; the heap keeps the set of its blocks, so that a pointer that is
// not its block is refused rather than freed, and HeapDestroy frees all.
#include "platform/kernel/trace.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/memory.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

struct Heap {
    std::mutex lock;
    std::unordered_set<void*> blocks;
    SIZE_T used = 0;
    SIZE_T maximum = 0; // 0: grows as needed
};

struct alignas(16) Header {
    SIZE_T size;
};

void* dataOf(Header* header)
{
    return header + 1;
}

Header* headerOf(LPCVOID data)
{
    return const_cast<Header*>(static_cast<const Header*>(data)) - 1;
}

std::mutex gHeapsLock;
std::unordered_set<Heap*> gHeaps;

Heap* processHeap()
{
    static Heap* heap = [] {
        auto* h = new Heap; // never destroyed: the process heap outlives everything
        std::lock_guard<std::mutex> lock(gHeapsLock);
        gHeaps.insert(h);
        return h;
    }();
    return heap;
}

Heap* heapOf(HANDLE handle)
{
    processHeap();
    std::lock_guard<std::mutex> lock(gHeapsLock);
    auto* heap = static_cast<Heap*>(handle);
    if (!gHeaps.count(heap)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return heap;
}

void noExceptions(DWORD flags)
{
    if (flags & HEAP_GENERATE_EXCEPTIONS)
        VTL_UNSUPPORTED("HEAP_GENERATE_EXCEPTIONS", "a failure returns null and raises nothing");
}

bool fits(const Heap& heap, SIZE_T more)
{
    return heap.maximum == 0 || (more <= heap.maximum && heap.used <= heap.maximum - more);
}

} // namespace

HANDLE GetProcessHeap()
{
    return processHeap();
}

HANDLE HeapCreate(DWORD options, SIZE_T initialSize, SIZE_T maximumSize)
{
    VTL_TRACE(kernel, "HeapCreate", options, initialSize, maximumSize);
    noExceptions(options);
    if (maximumSize != 0 && initialSize > maximumSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    auto* heap = new Heap;
    heap->maximum = maximumSize;
    processHeap();
    std::lock_guard<std::mutex> lock(gHeapsLock);
    gHeaps.insert(heap);
    return vtlTraceCall_.result(static_cast<HANDLE>(heap));
}

BOOL HeapDestroy(HANDLE handle)
{
    VTL_TRACE(kernel, "HeapDestroy", handle);
    Heap* heap = heapOf(handle);
    if (!heap)
        return vtlTraceCall_.result(FALSE);
    if (heap == processHeap()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    {
        std::lock_guard<std::mutex> lock(gHeapsLock);
        gHeaps.erase(heap);
    }
    for (void* block : heap->blocks)
        std::free(headerOf(block));
    delete heap;
    return vtlTraceCall_.result(TRUE);
}

LPVOID HeapAlloc(HANDLE handle, DWORD flags, SIZE_T bytes)
{
    VTL_TRACE(kernel, "HeapAlloc", handle, flags, bytes);
    noExceptions(flags);
    Heap* heap = heapOf(handle);
    if (!heap)
        return vtlTraceCall_.result(nullptr);
    std::lock_guard<std::mutex> lock(heap->lock);
    void* raw = nullptr;
    if (bytes <= SIZE_T(-1) / 2 && fits(*heap, bytes))
        raw = (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, sizeof(Header) + bytes) : std::malloc(sizeof(Header) + bytes);
    if (!raw) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(nullptr);
    }
    auto* header = static_cast<Header*>(raw);
    header->size = bytes;
    heap->used += bytes;
    heap->blocks.insert(dataOf(header));
    return vtlTraceCall_.result(dataOf(header));
}

LPVOID HeapReAlloc(HANDLE handle, DWORD flags, LPVOID memory, SIZE_T bytes)
{
    VTL_TRACE(kernel, "HeapReAlloc", handle, flags, memory, bytes);
    noExceptions(flags);
    Heap* heap = heapOf(handle);
    if (!heap)
        return vtlTraceCall_.result(nullptr);
    std::lock_guard<std::mutex> lock(heap->lock);
    if (bytes > SIZE_T(-1) / 2) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(nullptr);
    }
    if (!memory || !heap->blocks.count(memory)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    Header* header = headerOf(memory);
    const SIZE_T old = header->size;
    // Growing in place is left to the C library, which may not: a block
    // that must stay put does not grow.
    auto* moved = header;
    if (bytes > old) {
        moved = fits(*heap, bytes - old) && !(flags & HEAP_REALLOC_IN_PLACE_ONLY)
                    ? static_cast<Header*>(std::realloc(header, sizeof(Header) + bytes))
                    : nullptr;
        if (!moved) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return vtlTraceCall_.result(nullptr);
        }
    }
    if (bytes > old && (flags & HEAP_ZERO_MEMORY))
        std::memset(static_cast<char*>(dataOf(moved)) + old, 0, bytes - old);
    moved->size = bytes;
    heap->used = heap->used - old + bytes;
    heap->blocks.erase(memory);
    heap->blocks.insert(dataOf(moved));
    return vtlTraceCall_.result(dataOf(moved));
}

BOOL HeapFree(HANDLE handle, DWORD flags, LPVOID memory)
{
    VTL_TRACE(kernel, "HeapFree", handle, flags, memory);
    Heap* heap = heapOf(handle);
    if (!heap)
        return vtlTraceCall_.result(FALSE);
    if (!memory)
        return vtlTraceCall_.result(TRUE);
    std::lock_guard<std::mutex> lock(heap->lock);
    if (!heap->blocks.erase(memory)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(FALSE);
    }
    heap->used -= headerOf(memory)->size;
    std::free(headerOf(memory));
    return vtlTraceCall_.result(TRUE);
}

SIZE_T HeapSize(HANDLE handle, DWORD flags, LPCVOID memory)
{
    VTL_TRACE(kernel, "HeapSize", handle, flags, memory);
    Heap* heap = heapOf(handle);
    if (!heap)
        return vtlTraceCall_.result(SIZE_T(-1));
    std::lock_guard<std::mutex> lock(heap->lock);
    if (!heap->blocks.count(const_cast<LPVOID>(memory))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(SIZE_T(-1));
    }
    return vtlTraceCall_.result(headerOf(memory)->size);
}
