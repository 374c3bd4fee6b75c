// What the frame-set tests build on: a handle with a display format and an
// open archive, and RLE and RLA files made byte by byte.
#ifndef VANTREL_TESTS_ANIM_ANIM_FIXTURES_H
#define VANTREL_TESTS_ANIM_ANIM_FIXTURES_H

#include <vantrel/pixelformat.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/formats.h"
#include "support/image_files.h"
#include "support/test_archive.h"

inline void putLE(Bytes& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// An RLE file of `width` x `height` opaque pixels of one colour.
inline Bytes solidRle(unsigned width, unsigned height, uint8_t r, uint8_t g, uint8_t b)
{
    Bytes out;
    putLE(out, width, 2);
    putLE(out, height, 2);
    putLE(out, width * height, 4);
    out.resize(15, 0);
    for (unsigned y = 0; y < height; ++y) {
        putLE(out, width, 2);
        for (unsigned x = 0; x < width; ++x)
            out.insert(out.end(), {r, g, b});
        putLE(out, 0, 2);
    }
    return out;
}

struct RlaFrameBytes {
    unsigned short action;
    unsigned short direction;
    Bytes rle;
};

inline Bytes rlaFile(const std::vector<RlaFrameBytes>& frames)
{
    Bytes out;
    putLE(out, static_cast<uint32_t>(frames.size()), 2);
    for (const RlaFrameBytes& f : frames) {
        putLE(out, static_cast<uint32_t>(f.rle.size()), 4);
        putLE(out, f.action, 2);
        putLE(out, f.direction, 2);
        out.insert(out.end(), f.rle.begin(), f.rle.end());
    }
    return out;
}

// A 16-bit 5-6-5 handle whose archive holds the given entries.
class ArchiveHandle {
public:
    explicit ArchiveHandle(const std::vector<std::pair<std::string, Bytes>>& entries,
                           const DisplayFormat& display = kDisplayFormats[2])
    {
        setDisplayFormat(handle, display);
        for (const auto& [name, bytes] : entries)
            archive.add(name, bytes);
        EXPECT_TRUE(archive.openIn(handle));
    }
    // The bytes of an entry, straight from the archive.
    unsigned char* entry(const char* name)
    {
        FastFile file{};
        if (!file.open(&handle, const_cast<char*>(name)))
            return nullptr;
        auto* data = static_cast<unsigned char*>(file.lock(0, 0));
        file.close();
        return data;
    }

    TestArchive archive;
    VTLHND handle;
};

#endif
