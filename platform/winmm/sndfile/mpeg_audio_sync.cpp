#include "platform/winmm/sndfile/mpeg_audio_sync.h"

#include <fstream>
#include <vector>

namespace vtl {
namespace {

// Kilobits per second by bitrate index 1..14.
constexpr uint16_t kBitrates[5][14] = {
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer I
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer II
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer III
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2 and 2.5 layer I
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2 and 2.5 layers II, III
};
constexpr uint32_t kRates[3] = {44100, 48000, 32000}; // MPEG-1; halved for 2, quartered for 2.5

constexpr size_t kLookAhead = 64 * 1024;

} // namespace

size_t mpegFrameLength(const uint8_t* p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return 0;
    const unsigned version = (p[1] >> 3) & 3; // 0: 2.5, 1: reserved, 2: 2, 3: 1
    const unsigned layer = (p[1] >> 1) & 3;   // 0: reserved, 1: III, 2: II, 3: I
    const unsigned bitrateIndex = p[2] >> 4;
    const unsigned rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer == 0 || bitrateIndex == 15 || rateIndex == 3)
        return 0;
    if (bitrateIndex == 0)
        return SIZE_MAX;
    const bool mpeg1 = version == 3;
    const unsigned table = mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4);
    const uint32_t bitrate = uint32_t(kBitrates[table][bitrateIndex - 1]) * 1000;
    const uint32_t rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const unsigned padding = (p[2] >> 1) & 1;
    if (layer == 3)
        return (12 * bitrate / rate + padding) * 4;
    return (layer == 1 && !mpeg1 ? 72 : 144) * bitrate / rate + padding;
}

bool startsWithMpegAudio(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::vector<uint8_t> head(10);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    size_t start = 0;
    if (in.gcount() == 10 && head[0] == 'I' && head[1] == 'D' && head[2] == '3') {
        // The tag's size is 28 bits, seven to a byte; a footer adds 10.
        start = 10 + (size_t(head[6] & 0x7F) << 21 | size_t(head[7] & 0x7F) << 14 | size_t(head[8] & 0x7F) << 7 |
                      size_t(head[9] & 0x7F));
        if (head[5] & 0x10)
            start += 10;
    }
    std::vector<uint8_t> bytes(kLookAhead);
    in.clear();
    in.seekg(std::streamoff(start));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
        const size_t length = mpegFrameLength(&bytes[at]);
        if (!length)
            continue;
        // A free-format stream, or a lone frame that is the whole file: the
        // decoder decides.
        if (length == SIZE_MAX || (at + length == bytes.size() && bytes.size() < kLookAhead))
            return true;
        if (at + length + 4 > bytes.size())
            continue;
        // The next frame repeats the version, layer and sample rate.
        const uint8_t* next = &bytes[at + length];
        if (mpegFrameLength(next) && next[1] == bytes[at + 1] && (next[2] & 0x0C) == (bytes[at + 2] & 0x0C))
            return true;
    }
    return false;
}

} // namespace vtl
