#include "files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
} // namespace

bool writeTga(const std::string& path, const Canvas& p)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 2; // uncompressed true colour
    out[12] = static_cast<uint8_t>(p.width);
    out[13] = static_cast<uint8_t>(p.width >> 8);
    out[14] = static_cast<uint8_t>(p.height);
    out[15] = static_cast<uint8_t>(p.height >> 8);
    out[16] = 32;
    // 8 alpha bits, rows bottom to top: the library's TGA loaders read every
    // file that way (PANEL.TGA is packed as it is), and vtlsprite warns
    // about files stored top row first.
    out[17] = 0x08;
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgba& c = p.pixels[static_cast<size_t>(y) * p.width + x];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            out.push_back(c.a);
        }
    }
    return save(path, out);
}

bool writeBmp(const std::string& path, const Canvas& p)
{
    const uint32_t stride = (static_cast<uint32_t>(p.width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(p.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageBytes);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(p.width));
    put32(out, static_cast<uint32_t>(p.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgba& c = p.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        out.resize(out.size() + (stride - static_cast<uint32_t>(p.width) * 3), 0);
    }
    return save(path, out);
}

bool writeWav(const std::string& path, const std::vector<float>& samples, int rate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    put32(out, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        out.push_back(static_cast<uint8_t>(c));
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate) * 2);
    put16(out, 2);
    put16(out, 16);
    for (char c : std::string("data"))
        out.push_back(static_cast<uint8_t>(c));
    put32(out, dataBytes);
    for (float s : samples)
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767))));
    return save(path, out);
}

bool writeFrameList(const std::string& path, const std::vector<FrameLine>& frames)
{
    std::string text = "# action direction picture\n";
    for (const FrameLine& f : frames)
        text += std::to_string(f.action) + " " + std::to_string(f.direction) + " " + f.picture + "\n";
    return save(path, std::vector<uint8_t>(text.begin(), text.end()));
}
