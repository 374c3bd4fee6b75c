// A small RIFF WAVE file in memory, for the tests of the calls that play
// WAV files and images (PlaySound, the waveaudio device).  Header-only, so
// that the Windows and web builds of these tests need no support library.
#ifndef VANTREL_TESTS_WIN32_WAVE_IMAGE_H
#define VANTREL_TESTS_WIN32_WAVE_IMAGE_H

#include <cstdint>
#include <string>

namespace wave_image {

inline void put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += char((v >> (8 * i)) & 0xFF);
}

inline void put16(std::string& s, uint16_t v)
{
    s += char(v & 0xFF);
    s += char(v >> 8);
}

} // namespace wave_image

// `milliseconds` of 8-bit mono at 11025 Hz, every sample 0x90 (a quiet DC
// offset: audible as nothing, but not the silence value 0x80).
inline std::string waveImage(unsigned milliseconds)
{
    using wave_image::put16;
    using wave_image::put32;
    const uint32_t samples = 11025 * milliseconds / 1000;
    std::string s = "RIFF";
    put32(s, 36 + samples);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1); // WAVE_FORMAT_PCM
    put16(s, 1);
    put32(s, 11025);
    put32(s, 11025);
    put16(s, 1);
    put16(s, 8);
    s += "data";
    put32(s, samples);
    s.append(samples, char(0x90));
    return s;
}

#endif
