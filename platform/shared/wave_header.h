// A WAV file's format and data length, read from its chunk headers alone, so
// that a disc can be opened without reading its tracks.
#ifndef VANTREL_PLATFORM_SHARED_WAVE_HEADER_H
#define VANTREL_PLATFORM_SHARED_WAVE_HEADER_H

#include <vantrel/win32/mmsystem.h>

#include <string>

namespace vtl {

struct WaveHeader {
    WAVEFORMATEX format; // the format chunk's first 16 bytes; cbSize 0
    DWORD dataSize;      // the data chunk's length, cut to what the file holds
};

// Walks the file's chunks by the rules of readRiffWave (which the bytes read
// later are held to): false when it would find no format and data.
bool readWaveHeader(const std::string& path, WaveHeader* header);

} // namespace vtl

#endif
