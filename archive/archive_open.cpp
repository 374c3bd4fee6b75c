// VTLHND::FastFileInit and FastFileFini: bringing the archive's bytes into
// memory, from the program itself or from a file.  A file's bytes are read
// whole into memory when it is opened (see <vantrel/seam/file_mapping.h>),
// so an archive changed on disk while open changes nothing the game reads.
#include <vantrel/core.h>
#include <vantrel/vtlhnd.h>

#include "archive/archive_directory.h"
#include "archive/archive_users.h"
#include "archive/embedded_archives.h"
#include <vantrel/seam/file_mapping.h>
#include <vantrel/seam/game_paths.h>

namespace {
bool acceptArchive(VTLHND& handle, const void* bytes, size_t length)
{
    const unsigned char* view = static_cast<const unsigned char*>(bytes);
    if (!vtl::checkArchiveDirectory(view, length).ok()) {
        Msg("FastFileInit: invalid archive\r\n");
        return false;
    }
    handle.view = const_cast<unsigned char*>(view);
    handle.entryCount = vtl::readLe32(view);
    handle.directory = const_cast<unsigned char*>(view) + 4;
    const unsigned char* endRecord =
        view + 4 + (handle.entryCount - 1) * vtl::kDirectoryRecordSize;
    handle.archiveEnd = vtl::recordOffset(endRecord);
    return true;
}
} // namespace

bool VTLHND::FastFileInit(const char* name)
{
    lockCount = 0;
    FastFileFini();

    if (const VTLEmbeddedArchive* embedded = vtl::findEmbeddedArchive(name)) {
        if (!embedded->data) {
            Msg("FastFileInit: unable to lock resource\r\n");
            FastFileFini();
            return false;
        }
        Msg("FastFileInit: opened resource: %s", name);
        if (!acceptArchive(*this, embedded->data, embedded->size)) {
            FastFileFini();
            return false;
        }
        return true;
    }

    fileHandle = vtl::openFileForReading(vtl::resolveGamePath(name).c_str());
    if (!fileHandle || fileHandle == INVALID_HANDLE_VALUE) {
        Msg("FastFileInit: CreateFile(");
        Msg("%s", name ? name : "");
        Msg(")\r\n");
        fileHandle = nullptr;
        FastFileFini();
        return false;
    }
    mappingHandle = vtl::createReadOnlyMapping(fileHandle);
    if (!mappingHandle) {
        Msg("FastFileInit: CreateFileMapping Failed\r\n");
        FastFileFini();
        return false;
    }
    size_t length = 0;
    view = vtl::mapView(mappingHandle, &length);
    if (!view) {
        Msg("FastFileInit: MapViewOfFile Failed\r\n");
        FastFileFini();
        return false;
    }
    if (!acceptArchive(*this, view, length)) {
        FastFileFini();
        return false;
    }
    return true;
}

void VTLHND::FastFileFini()
{
    if (lockCount != 0)
        return;
    vtl::closeArchive(*this);
}
