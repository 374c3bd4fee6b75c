// Builds RLE files (24-bit colours) for the decoder tests.
#ifndef VANTREL_TESTS_RLE_FILE_BUILDER_H
#define VANTREL_TESTS_RLE_FILE_BUILDER_H

#include <cstdint>
#include <cstring>
#include <vector>

namespace rletest {

struct Rgb {
    uint8_t r, g, b;
};

class RleFile {
public:
    RleFile(unsigned width, unsigned height) : bytes_(15, 0)
    {
        bytes_[0] = static_cast<uint8_t>(width);
        bytes_[1] = static_cast<uint8_t>(width >> 8);
        bytes_[2] = static_cast<uint8_t>(height);
        bytes_[3] = static_cast<uint8_t>(height >> 8);
    }
    RleFile& word(unsigned w)
    {
        bytes_.push_back(static_cast<uint8_t>(w));
        bytes_.push_back(static_cast<uint8_t>(w >> 8));
        return *this;
    }
    RleFile& skip(unsigned n) { return word(0x8000 | n); }
    RleFile& opaque(std::initializer_list<Rgb> px)
    {
        word(static_cast<unsigned>(px.size()));
        for (const Rgb& c : px)
            bytes_.insert(bytes_.end(), {c.r, c.g, c.b});
        pixels_ += static_cast<uint32_t>(px.size());
        return *this;
    }
    RleFile& level(std::initializer_list<std::pair<uint8_t, Rgb>> px)
    {
        word(0x4000 | static_cast<unsigned>(px.size()));
        for (const auto& p : px)
            bytes_.insert(bytes_.end(), {p.first, p.second.r, p.second.g, p.second.b});
        pixels_ += static_cast<uint32_t>(px.size());
        return *this;
    }
    RleFile& endRow() { return word(0); }
    RleFile& raw(std::initializer_list<uint8_t> b)
    {
        bytes_.insert(bytes_.end(), b);
        return *this;
    }
    // The file with the stored-pixel count filled in (or the given one).
    std::vector<uint8_t> build() const { return build(pixels_); }
    std::vector<uint8_t> build(uint32_t pixelCount) const
    {
        std::vector<uint8_t> out = bytes_;
        std::memcpy(out.data() + 4, &pixelCount, 4);
        return out;
    }

private:
    std::vector<uint8_t> bytes_;
    uint32_t pixels_ = 0;
};

// The size MemAlloc recorded for a block.
inline uint32_t blockSize(const void* block)
{
    uint32_t v;
    std::memcpy(&v, static_cast<const uint8_t*>(block) - 4, 4);
    return v;
}

} // namespace rletest

#endif
