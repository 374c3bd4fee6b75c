// Whether a file holds MPEG audio frames at all, checked before the decoder
// sees it: libmpg123, which decodes MP3 tracks inside libsndfile, writes a
// line to standard error for every stretch of garbage it resyncs over, and
// libsndfile gives no way to ask it for quiet.
#ifndef VANTREL_PLATFORM_WINMM_SNDFILE_MPEG_AUDIO_SYNC_H
#define VANTREL_PLATFORM_WINMM_SNDFILE_MPEG_AUDIO_SYNC_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace vtl {

// The length in bytes of the MPEG audio frame whose 4-byte header is at `p`:
// 0 when it is no valid header, SIZE_MAX for a valid free-format one (its
// length is not in the header).
size_t mpegFrameLength(const uint8_t* p);

// True when, after an ID3v2 tag if there is one, the file's first 64 KiB
// hold two valid frame headers one frame apart, as a decoder's sync needs.
bool startsWithMpegAudio(const std::string& path);

} // namespace vtl

#endif
