// Who still uses an archive's bytes.  A sound stream keeps pointing into its
// entry while it plays, and a game may destroy the handle first, in any
// order: the bytes then live until the last resource lets go of them, and a
// resource that outlives its handle never writes into the handle.
#ifndef VANTREL_ARCHIVE_ARCHIVE_USERS_H
#define VANTREL_ARCHIVE_ARCHIVE_USERS_H

class VTLHND;

namespace vtl {
// The handles alive in the process, noted by VTLHND's constructor and
// destructor.
void noteHandleAlive(const VTLHND* handle);
void noteHandleGone(const VTLHND* handle);
bool handleAlive(const VTLHND* handle);

// A resource that keeps `bytes`, a pointer into its owner's archive, keeps
// the archive's bytes alive until it lets go.
void holdArchiveBytes(const void* bytes);
// Lets go of them and gives back the lock the resource counted in its owner
// when it took them, if that owner is still alive and still has this archive
// open (a later FastFileInit started the count again).
void letGoOfArchiveBytes(VTLHND* owner, const void* bytes);

// Lets go of the handle's own hold on its archive and clears the archive
// fields, whatever locks are counted: FastFileFini's closing step, and the
// end of a handle that is being destroyed.
void closeArchive(VTLHND& handle);
} // namespace vtl

#endif
