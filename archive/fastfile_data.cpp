// The handle's shortcuts that the resource loaders use to reach an entry.
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

// The lock taken here is never released: images keep pointers into the
// archive to decode themselves again after a display change, so the archive
// must outlive them (FastFileFini leaves it open while locks are counted).
unsigned char* VTLHND::FastFileData(const char* name)
{
    if (!name)
        return nullptr;
    FastFile file{};
    if (!file.open(this, name)) {
        Msg("Cannot Find File %s", name);
        return nullptr;
    }
    unsigned char* bytes = static_cast<unsigned char*>(file.lock(0, 0));
    file.close();
    return bytes;
}

DWORD VTLHND::FastFileSize(const char* name)
{
    if (!name)
        return 0;
    FastFile file{};
    if (!file.open(this, name)) {
        Msg("Cannot Find File %s", name);
        return 0;
    }
    DWORD size = file.fSize();
    file.close();
    return size;
}
