// The live handles and the resources holding archive bytes.
#include "archive/archive_users.h"

#include <vantrel/vtlhnd.h>

#include <vantrel/seam/file_mapping.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {
// Never destroyed: resources let go of archive bytes, and ask whether their
// handle is alive, from the destructors of a game's globals, in whatever
// order the exit handlers run them.
struct HandleList {
    std::mutex mutex;
    std::vector<const VTLHND*> handles;
};

HandleList& handleList()
{
    static auto* list = new HandleList;
    return *list;
}

std::mutex& handlesMutex()
{
    return handleList().mutex;
}

std::vector<const VTLHND*>& liveHandles()
{
    return handleList().handles;
}

bool inOpenArchive(const VTLHND& handle, const void* bytes)
{
    const auto* p = static_cast<const unsigned char*>(bytes);
    const auto* view = static_cast<const unsigned char*>(handle.view);
    return handle.directory && view && p >= view && p < view + handle.archiveEnd;
}
} // namespace

void vtl::noteHandleAlive(const VTLHND* handle)
{
    std::lock_guard<std::mutex> lock(handlesMutex());
    liveHandles().push_back(handle);
}

void vtl::noteHandleGone(const VTLHND* handle)
{
    std::lock_guard<std::mutex> lock(handlesMutex());
    auto& handles = liveHandles();
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
}

bool vtl::handleAlive(const VTLHND* handle)
{
    if (!handle)
        return false;
    std::lock_guard<std::mutex> lock(handlesMutex());
    const auto& handles = liveHandles();
    return std::find(handles.begin(), handles.end(), handle) != handles.end();
}

void vtl::holdArchiveBytes(const void* bytes)
{
    if (bytes)
        holdView(bytes);
}

void vtl::letGoOfArchiveBytes(VTLHND* owner, const void* bytes)
{
    if (!bytes)
        return;
    // A handle made later at the same address has an archive of its own,
    // which these bytes (still held) cannot be part of.
    if (handleAlive(owner) && inOpenArchive(*owner, bytes) && owner->lockCount > 0)
        --owner->lockCount;
    letGoView(bytes);
}

void vtl::closeArchive(VTLHND& handle)
{
    if (handle.mappingHandle && handle.view)
        unmapView(handle.mappingHandle, handle.view);
    closeMapping(handle.mappingHandle);
    handle.mappingHandle = nullptr;
    closeFile(handle.fileHandle);
    handle.fileHandle = nullptr;
    handle.view = nullptr;
    handle.entryCount = 0;
    handle.directory = nullptr;
}
