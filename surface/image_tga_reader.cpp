#include "surface/image_tga_reader.h"

#include <algorithm>

namespace {
unsigned le16(const unsigned char* p) { return p[0] | p[1] << 8; }

vtl::TgaCheck readHeader(const unsigned char* data, size_t available, vtl::TgaImage& image)
{
    using vtl::TgaRefusal;
    using vtl::refuse;
    image = vtl::TgaImage{};
    if (!data || available < vtl::kTgaHeaderSize)
        return refuse(TgaRefusal::TooShort, data ? static_cast<int64_t>(available) : 0, vtl::kTgaHeaderSize);
    image.type = data[2];
    image.width = le16(data + 12);
    image.height = le16(data + 14);
    image.depth = data[16];
    image.knownType = image.type == 1 || image.type == 2 || image.type == 3 || image.type == 9 ||
                      image.type == 10 || image.type == 11;
    image.runLength = image.type >= 9;
    if (!image.knownType)
        return {};
    if (image.depth != 8 && image.depth != 16 && image.depth != 24 && image.depth != 32)
        return refuse(TgaRefusal::Depth, image.depth);

    const unsigned mapType = data[1];
    const unsigned mapFirst = le16(data + 3), mapLength = le16(data + 5), mapEntryBits = data[7];
    uint64_t at = vtl::kTgaHeaderSize + uint64_t{data[0]};
    if (at > available)
        return refuse(TgaRefusal::IdPastEnd, data[0]);
    if (image.depth == 8) {
        const bool grey = image.type == 3 || image.type == 11;
        if (mapType == 1) {
            if (mapFirst != 0 || mapLength != 256 || mapEntryBits != 24)
                return refuse(TgaRefusal::ColourMapLayout, mapLength, mapEntryBits, mapFirst);
            if (at + 768 > available)
                return refuse(TgaRefusal::ColourMapPastEnd);
            image.colorMap = data + at;
            at += 768;
        } else if (!grey) {
            return refuse(TgaRefusal::NoColourMap, image.type);
        }
    } else if (mapType == 1) {
        at += uint64_t{mapLength} * ((mapEntryBits + 7) / 8);
        if (at > available)
            return refuse(TgaRefusal::ColourMapPastEnd);
    }
    image.data = data + at;
    image.dataBytes = available - static_cast<size_t>(at);

    // Every pixel must be there: raw, the values themselves; run-length, at
    // least one packet (header and value) per 128 pixels.
    const uint64_t pixels = uint64_t{image.width} * image.height;
    const uint64_t bytes = image.depth / 8;
    const int64_t left = static_cast<int64_t>(std::min<uint64_t>(image.dataBytes, uint64_t{INT64_MAX}));
    if (!image.runLength && pixels * bytes > image.dataBytes)
        return refuse(TgaRefusal::PixelsCutShort, left, static_cast<int64_t>(pixels * bytes));
    if (image.runLength && (pixels + 127) / 128 * (1 + bytes) > image.dataBytes)
        return refuse(TgaRefusal::RunsCannotFit, left, static_cast<int64_t>((pixels + 127) / 128 * (1 + bytes)));
    return {};
}
} // namespace

vtl::TgaCheck vtl::checkTga(const unsigned char* data, size_t available, TgaUse use, TgaImage& image)
{
    const TgaCheck header = readHeader(data, available, image);
    if (!header.ok())
        return header;
    if (use == TgaUse::RunImage) {
        if (image.type != 2 || (image.depth != 24 && image.depth != 32))
            return refuse(TgaRefusal::NotRunImageType, image.depth, 0, image.type);
        return {};
    }
    if (!image.knownType || !image.runLength)
        return {};
    // The packets are walked as the surface decodes them, so that a file cut
    // short is refused before a surface is made for it.
    const uint64_t pixels = uint64_t{image.width} * image.height;
    TgaPixelStream stream(image);
    unsigned char r, g, b, a;
    for (uint64_t done = 0; done < pixels; ++done)
        if (!stream.next(r, g, b, a))
            return refuse(TgaRefusal::PacketsEnd, static_cast<int64_t>(done), static_cast<int64_t>(pixels));
    return {};
}

namespace {
// Bytes per pixel value of the depths the reader accepts; 0 for any other,
// which checkTga lets through only for image types nobody decodes.
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
