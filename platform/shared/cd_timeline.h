// Where the tracks of a virtual compact disc lie, in CD frames (1/75 s), and
// the MCI time formats positions on it are given in.  Both CD devices (the
// emulation's, and the one Windows plays track files with when no disc is in
// the drive) read their discs into one.
#ifndef VANTREL_PLATFORM_SHARED_CD_TIMELINE_H
#define VANTREL_PLATFORM_SHARED_CD_TIMELINE_H

#include <vantrel/win32/mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vtl {

struct CdTimeline {
    std::vector<uint32_t> starts; // each track's first CD frame
    uint32_t length = 0;          // CD frames of the whole disc

    // Places a track of `frames` sample frames at `rate` after the others
    // and returns its length in CD frames.  A track that would carry the
    // disc past 32 bits of CD frames is placed with no length (false).
    bool add(uint64_t frames, uint32_t rate, uint32_t* cdFrames);
    // The track (from 0) that holds `cdFrame`.
    size_t trackAt(uint32_t cdFrame) const;
    uint32_t trackLength(size_t track) const
    {
        return (track + 1 < starts.size() ? starts[track + 1] : length) - starts[track];
    }

    // `value` in `format` (MCI_FORMAT_TMSF, _MSF or _MILLISECONDS) as a CD
    // frame; false past the end of the disc or for a track it lacks.
    bool toCdFrame(DWORD format, DWORD value, uint32_t* cdFrame) const;
    // A CD frame in `format`: TMSF from its track's start, else from the
    // start of the disc.
    DWORD fromCdFrame(DWORD format, uint32_t cdFrame) const;
};

// A span of CD frames in `format` (MSF, minutes stopping at 255, unless
// milliseconds).
DWORD cdDuration(DWORD format, uint32_t cdFrames);

// The first sample frame at or after the start of a CD frame of a track.
// Where a CD frame is no whole number of samples (32 kHz, 8 kHz, ...) the
// sample before its start still belongs to the frame before: a play from, or
// to, a CD frame then reports that very frame as its position.
inline uint64_t firstSampleOf(uint32_t cdFrameInTrack, uint32_t rate)
{
    return (uint64_t(cdFrameInTrack) * rate + 74) / 75;
}

} // namespace vtl

#endif
