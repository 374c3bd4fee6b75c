// WAV track files read whole into memory, shared by every open CD device
// that plays them: a second device on the same disc reads nothing again.
#ifndef VANTREL_PLATFORM_WINMM_SHARED_WAVE_FILES_H
#define VANTREL_PLATFORM_WINMM_SHARED_WAVE_FILES_H

#include <vantrel/win32/mmsystem.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vtl {

// A file's bytes as they were when it was read (through the file mapping
// seam), with its format and data chunks found.  Freed when the last track
// playing it lets go.
class WaveFileBytes {
public:
    WaveFileBytes(HANDLE mapping, void* view) : mapping_(mapping), view_(view) {}
    ~WaveFileBytes();
    WaveFileBytes(const WaveFileBytes&) = delete;
    WaveFileBytes& operator=(const WaveFileBytes&) = delete;

    const WAVEFORMATEX* format = nullptr;
    const uint8_t* data = nullptr;
    DWORD dataSize = 0;

private:
    HANDLE mapping_;
    void* view_;
};

// The bytes of the WAV file at `path`: those already read by another device
// while the file on disk is unchanged (same size and time), else read now.
// Null, with `*why` set, when it cannot be read or holds no format and data.
std::shared_ptr<const WaveFileBytes> readSharedWaveFile(const std::string& path, std::string* why);

} // namespace vtl

#endif
