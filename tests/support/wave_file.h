// Builds RIFF WAVE images for the audio tests.
#ifndef VANTREL_TESTS_WAVE_FILE_H
#define VANTREL_TESTS_WAVE_FILE_H

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A chunk: id, 32-bit size, body, and a pad byte after an odd body.
Bytes riffChunk(const char* id, const Bytes& body);
// "RIFF", size, "WAVE" and the chunks in order.
Bytes riffWave(const std::vector<Bytes>& chunks);
// A format chunk body of `size` bytes (16 for plain PCM).
Bytes formatBody(unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned size = 16);
// A whole WAV: format chunk then data chunk.
Bytes waveFile(unsigned tag, unsigned channels, unsigned rate, unsigned bits, const Bytes& data);

Bytes samples16(const std::vector<int16_t>& samples);
// `frames` frames of a 16-bit ramp: sample i of channel c is base + i * step
// + c * 1000 (wrapping).
Bytes ramp16(unsigned frames, unsigned channels, int base = 0, int step = 7);

// Writes bytes to a fresh temporary file; the caller removes it.
std::string temporaryWave(const Bytes& bytes);

#endif
