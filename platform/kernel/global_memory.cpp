// Global and local blocks (memory.h): one table of blocks for both, as the
// two are one heap on 32-bit Windows.
//
// A fixed block's handle is its data's address.  A moveable block's handle
// is the address of a small cell the table owns, never any block's data, so
// the two kinds cannot be confused.  A moveable block of 0 bytes is
// discarded, as on Windows: it has no data until ReAlloc gives it a size.
#include "platform/kernel/trace.h"

#include <vantrel/win32/errors.h>
#include <vantrel/win32/memory.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    bool moveable = false;
    unsigned locks = 0;
};

struct Table {
    std::mutex lock;
    std::unordered_map<HANDLE, Block> blocks;
    std::unordered_map<const void*, HANDLE> handleOf; // data -> handle
};

Table& table()
{
    static Table* t = new Table; // never destroyed: blocks may be freed by static destructors
    return *t;
}

void* allocateData(SIZE_T bytes, bool zero)
{
    // Never null for a size of 0: a fixed block's handle is its address.
    void* data = zero ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
    return data;
}

// The block `handle` names, with ERROR_INVALID_HANDLE when none; the
// table's lock is held.
Block* find(Table& t, HANDLE handle)
{
    auto it = t.blocks.find(handle);
    if (it == t.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

HANDLE allocate(UINT flags, SIZE_T bytes)
{
    const bool moveable = (flags & GMEM_MOVEABLE) != 0;
    void* data = nullptr;
    if (!moveable || bytes > 0) {
        data = allocateData(bytes, (flags & GMEM_ZEROINIT) != 0);
        if (!data) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
    }
    Block block{data, bytes, moveable, 0};
    HANDLE handle = moveable ? static_cast<HANDLE>(new char[16]) : static_cast<HANDLE>(data);
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    t.blocks.emplace(handle, block);
    if (data)
        t.handleOf.emplace(data, handle);
    return handle;
}

// `global`: GlobalReAlloc, which may turn a fixed block into a moveable one
// (LocalReAlloc may not).
HANDLE reallocate(HANDLE handle, SIZE_T bytes, UINT flags, bool global)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    if (!block)
        return nullptr;
    if (flags & GMEM_MODIFY) {
        if (!global || block->moveable || !(flags & GMEM_MOVEABLE))
            return handle; // discardability alone, which means nothing here
        Block moveable = *block;
        moveable.moveable = true;
        HANDLE cell = static_cast<HANDLE>(new char[16]);
        t.blocks.erase(handle);
        t.blocks.emplace(cell, moveable);
        t.handleOf[moveable.data] = cell;
        return cell;
    }
    // A locked moveable block moves only when the caller says it may.
    const bool mayMove = (block->moveable && block->locks == 0) || (flags & GMEM_MOVEABLE) != 0;
    if (bytes > block->size && !mayMove) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (bytes > block->size || !block->data) {
        void* grown = std::realloc(block->data, bytes ? bytes : 1);
        if (!grown) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        if (flags & GMEM_ZEROINIT)
            std::memset(static_cast<char*>(grown) + block->size, 0, bytes - block->size);
        if (block->data)
            t.handleOf.erase(block->data);
        block->data = grown;
        t.handleOf.emplace(grown, handle);
    }
    block->size = bytes;
    if (!block->moveable && block->data != handle) {
        // A fixed block that moved has a new handle: its new address.
        Block moved = *block;
        t.blocks.erase(handle);
        t.blocks.emplace(moved.data, moved);
        t.handleOf[moved.data] = moved.data;
        return moved.data;
    }
    return handle;
}

LPVOID lockBlock(HANDLE handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    if (!block)
        return nullptr;
    if (!block->data) {
        SetLastError(ERROR_DISCARDED);
        return nullptr;
    }
    if (block->moveable && block->locks < GMEM_LOCKCOUNT)
        ++block->locks;
    return block->data;
}

BOOL unlockBlock(HANDLE handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    if (!block)
        return FALSE;
    if (!block->moveable)
        return TRUE;
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->locks > 0)
        return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

HANDLE freeBlock(HANDLE handle)
{
    if (!handle)
        return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    if (!block)
        return handle;
    if (block->data) {
        std::free(block->data);
        t.handleOf.erase(block->data);
    }
    if (block->moveable)
        delete[] static_cast<char*>(handle);
    t.blocks.erase(handle);
    return nullptr;
}

SIZE_T blockSize(HANDLE handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    return block ? block->size : 0;
}

UINT blockFlags(HANDLE handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    Block* block = find(t, handle);
    if (!block)
        return GMEM_INVALID_HANDLE;
    return block->locks | (block->data ? 0u : UINT(GMEM_DISCARDED));
}

HANDLE handleOf(LPCVOID address)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.lock);
    auto it = t.handleOf.find(address);
    if (it == t.handleOf.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    VTL_TRACE(kernel, "GlobalAlloc", flags, bytes);
    return vtlTraceCall_.result(allocate(flags, bytes));
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, SIZE_T bytes, UINT flags)
{
    VTL_TRACE(kernel, "GlobalReAlloc", memory, bytes, flags);
    return vtlTraceCall_.result(reallocate(memory, bytes, flags, true));
}

LPVOID GlobalLock(HGLOBAL memory)
{
    VTL_TRACE(kernel, "GlobalLock", memory);
    return vtlTraceCall_.result(lockBlock(memory));
}

BOOL GlobalUnlock(HGLOBAL memory)
{
    VTL_TRACE(kernel, "GlobalUnlock", memory);
    return vtlTraceCall_.result(unlockBlock(memory));
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    VTL_TRACE(kernel, "GlobalFree", memory);
    return vtlTraceCall_.result(freeBlock(memory));
}

SIZE_T GlobalSize(HGLOBAL memory)
{
    VTL_TRACE(kernel, "GlobalSize", memory);
    return vtlTraceCall_.result(blockSize(memory));
}

UINT GlobalFlags(HGLOBAL memory)
{
    VTL_TRACE(kernel, "GlobalFlags", memory);
    return vtlTraceCall_.result(blockFlags(memory));
}

HGLOBAL GlobalHandle(LPCVOID address)
{
    VTL_TRACE(kernel, "GlobalHandle", address);
    return vtlTraceCall_.result(handleOf(address));
}

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes)
{
    VTL_TRACE(kernel, "LocalAlloc", flags, bytes);
    return vtlTraceCall_.result(allocate(flags, bytes));
}

HLOCAL LocalReAlloc(HLOCAL memory, SIZE_T bytes, UINT flags)
{
    VTL_TRACE(kernel, "LocalReAlloc", memory, bytes, flags);
    return vtlTraceCall_.result(reallocate(memory, bytes, flags, false));
}

LPVOID LocalLock(HLOCAL memory)
{
    VTL_TRACE(kernel, "LocalLock", memory);
    return vtlTraceCall_.result(lockBlock(memory));
}

BOOL LocalUnlock(HLOCAL memory)
{
    VTL_TRACE(kernel, "LocalUnlock", memory);
    return vtlTraceCall_.result(unlockBlock(memory));
}

HLOCAL LocalFree(HLOCAL memory)
{
    VTL_TRACE(kernel, "LocalFree", memory);
    return vtlTraceCall_.result(freeBlock(memory));
}

SIZE_T LocalSize(HLOCAL memory)
{
    VTL_TRACE(kernel, "LocalSize", memory);
    return vtlTraceCall_.result(blockSize(memory));
}

UINT LocalFlags(HLOCAL memory)
{
    VTL_TRACE(kernel, "LocalFlags", memory);
    return vtlTraceCall_.result(blockFlags(memory));
}

HLOCAL LocalHandle(LPCVOID address)
{
    VTL_TRACE(kernel, "LocalHandle", address);
    return vtlTraceCall_.result(handleOf(address));
}
