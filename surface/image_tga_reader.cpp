#include "surface/image_tga_reader.h"

namespace {
unsigned le16(const unsigned char* p) { return p[0] | p[1] << 8; }
} // namespace

bool vtl::readTgaHeader(const unsigned char* data, size_t available, TgaImage& image)
{
    if (!data || available < kTgaHeaderSize)
        return false;
    image = TgaImage{};
    image.type = data[2];
    image.width = le16(data + 12);
    image.height = le16(data + 14);
    image.depth = data[16];
    image.knownType = image.type == 1 || image.type == 2 || image.type == 3 || image.type == 9 ||
                      image.type == 10 || image.type == 11;
    image.runLength = image.type >= 9;
    if (!image.knownType)
        return true;
    if (image.depth != 8 && image.depth != 16 && image.depth != 24 && image.depth != 32)
        return false;

    const unsigned mapType = data[1];
    const unsigned mapFirst = le16(data + 3), mapLength = le16(data + 5), mapEntryBits = data[7];
    uint64_t at = kTgaHeaderSize + uint64_t{data[0]};
    if (image.depth == 8) {
        const bool grey = image.type == 3 || image.type == 11;
        if (mapType == 1) {
            if (mapFirst != 0 || mapLength != 256 || mapEntryBits != 24 || at + 768 > available)
                return false;
            image.colorMap = data + at;
            at += 768;
        } else if (!grey) {
            return false;
        }
    } else if (mapType == 1) {
        at += uint64_t{mapLength} * ((mapEntryBits + 7) / 8);
    }
    if (at > available)
        return false;
    image.data = data + at;
    image.dataBytes = available - static_cast<size_t>(at);

    // Every pixel must be there: raw, the values themselves; run-length, at
    // least one packet (header and value) per 128 pixels.
    const uint64_t pixels = uint64_t{image.width} * image.height;
    const uint64_t bytes = image.depth / 8;
    const uint64_t least = image.runLength ? (pixels + 127) / 128 * (1 + bytes) : pixels * bytes;
    return least <= image.dataBytes;
}

namespace {
// Bytes per pixel value of the depths the reader accepts; 0 for any other,
// which readTgaHeader lets through only for image types nobody decodes.
unsigned valueBytes(unsigned depth) { return depth == 8 || depth == 16 || depth == 24 || depth == 32 ? depth / 8 : 0; }
} // namespace

vtl::TgaPixelStream::TgaPixelStream(const TgaImage& image)
    : image_(image), at_(image.data), left_(image.dataBytes), bytes_(valueBytes(image.depth))
{
}

bool vtl::TgaPixelStream::readValue()
{
    // A value is one to four bytes: bounded by value_ itself, not only by
    // the depth check made elsewhere, so the copy can never run past it.
    if (bytes_ == 0 || bytes_ > sizeof value_ || left_ < bytes_)
        return false;
    for (unsigned i = 0; i < bytes_; ++i)
        value_[i] = at_[i];
    at_ += bytes_;
    left_ -= bytes_;
    return true;
}

bool vtl::TgaPixelStream::next(unsigned char& r, unsigned char& g, unsigned char& b, unsigned char& a)
{
    if (!image_.runLength) {
        if (!readValue())
            return false;
    } else if (repeat_ > 0) {
        --repeat_;
    } else if (literal_ > 0) {
        --literal_;
        if (!readValue())
            return false;
    } else {
        if (left_ < 1)
            return false;
        const unsigned header = *at_++;
        --left_;
        if (!readValue())
            return false;
        if (header >= 128)
            repeat_ = header & 127;
        else
            literal_ = header;
    }
    a = 255;
    switch (image_.depth) {
    case 8:
        if (image_.colorMap) {
            const unsigned char* entry = image_.colorMap + 3 * value_[0];
            b = entry[0];
            g = entry[1];
            r = entry[2];
        } else {
            r = g = b = value_[0];
        }
        break;
    case 16: {
        const unsigned v = value_[0] | value_[1] << 8;
        r = static_cast<unsigned char>(((v >> 10) & 31) * 255 / 31);
        g = static_cast<unsigned char>(((v >> 5) & 31) * 255 / 31);
        b = static_cast<unsigned char>((v & 31) * 255 / 31);
        break;
    }
    default:
        b = value_[0];
        g = value_[1];
        r = value_[2];
        if (image_.depth == 32)
            a = value_[3];
        break;
    }
    return true;
}
