// FastFile: a read cursor on one entry of the resource archive opened with
// VTLHND::FastFileInit.
//
// The archive is one block of bytes: a 32-bit little-endian entry count, then
// that many 17-byte directory records (a 32-bit offset of the entry's data
// from the start of the archive and a NUL-terminated name of at most 12
// characters), the last of which is the end entry whose offset is where the
// data ends; then the entries' bytes in directory order.  tools/vtlpack
// builds, lists, extracts and verifies archives.
//
// Where the bytes come from: FastFileInit(name) first looks for an archive
// linked into the program under `name` (see VTLEmbeddedArchive and the CMake
// function vantrel_embed_archive), the counterpart of an executable resource;
// otherwise it reads the whole file `name` into one block of memory when the
// archive is opened.  A file truncated or replaced on disk while the game
// runs changes nothing the game reads: the block keeps the bytes the
// directory was checked against, so a read past an entry's end fails as it
// always does and no read can fault.  Entries are then read in place and
// never copied again; pointers handed out by lock stay valid until the next
// FastFileInit, or until FastFileFini when no lock is held.  A sound stream
// playing from the archive keeps the block alive even past those (and past
// the handle's destruction) until the stream is released.
//
// Untrusted archives: before an archive is accepted its directory is checked
// against the bytes there are.  The entry count, every record and the end
// entry's offset must lie inside the archive, at least the end entry must be
// present, and offsets must start after the directory and never decrease.
// An archive that fails is refused with "FastFileInit: invalid archive\r\n"
// and nothing stays open, so no entry can reach outside the mapped bytes.
// Names longer than 12 characters are never found (no record can hold one),
// and a record whose 13 name bytes lack a terminator matches nothing.
#ifndef VANTREL_FASTFILE_H
#define VANTREL_FASTFILE_H

#include <vantrel/win32/types.h>

class VTLHND;

class VANTREL_API FastFile {
public:
    VTLHND* owner;
    DWORD state;     // 1 while open
    DWORD position;  // offset from the start of the archive
    DWORD size;      // size of the entry
    void* entry;     // the entry's directory record

    bool open(VTLHND* owner, const char* name);
    bool close();
    bool read(void* destination, LONG count);
    bool seek(LONG offset, DWORD origin);
    LONG tell();
    void* lock(LONG offset, LONG size);
    bool unlock(LONG offset, LONG size);
    DWORD fSize();
    FastFile& operator=(const FastFile&) = default;
};

// An archive linked into the program.  The code that vantrel_embed_archive
// generates defines one of these per archive and registers it before main
// runs (and unregisters it if its module is unloaded); a game or a test may
// also register bytes it holds itself.  Names are compared without regard to
// ASCII case.  The bytes must stay valid while registered.
struct VTLEmbeddedArchive {
    const char* name;
    const unsigned char* data;
    DWORD size;
    VTLEmbeddedArchive* next; // kept by the library
};
VANTREL_API void VTLRegisterEmbeddedArchive(VTLEmbeddedArchive* archive);
VANTREL_API void VTLUnregisterEmbeddedArchive(VTLEmbeddedArchive* archive);

// True when `name` ends in "." and the three characters of `extension`
// (compared case-sensitively).
VANTREL_API bool HasExtension(const char* name, const char* extension);

#endif
