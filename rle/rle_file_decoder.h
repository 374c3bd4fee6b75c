// The RLE file decoder shared by RLEFX and the intensity images: it reads
// the rows of an RLE file (24-bit colours) and writes the same runs with each
// pixel converted by a writer.
//
// The file is checked whole before it is decoded; a file that breaks any
// rule below is refused rather than half decoded:
//  - the header is 15 bytes and `pixelCount` can be no more than the bytes
//    after it could hold (three per pixel);
//  - every run's data lies inside the file, and every row ends inside it;
//  - a row's runs add up to at most the width;
//  - the converted runs fit the buffer that the size rule gave.
// A skip or level word with a count of 0 ends its row, as an end-of-row word
// does, and is written as 0x0000 so that the blitters see the row end there
// too.  A word with both kind bits set is decoded as a skip run (bit 15 is
// tested first) and written as a pure skip word, so that the blitters, which
// test the level bit first, read it the same way.
#ifndef VANTREL_RLE_RLE_FILE_DECODER_H
#define VANTREL_RLE_RLE_FILE_DECODER_H

#include <cstddef>
#include <cstdint>

#include <vantrel/rlefx.h>

#include "core/file_check.h"

namespace vtl {

constexpr size_t kRleHeaderSize = 15;

// The rules above, in the order they are met.
enum class RleRefusal {
    Ok,
    TooShort,       // value the file's bytes, limit the header's 15
    PixelCount,     // value the header's pixel count, limit the most the bytes after it hold
    RowCutShort,    // the file ends inside a row: field the row, limit the height
    RowTooWide,     // field the row, limit the width
    BufferTooSmall, // value the pixels the rows store, limit the header's count
};
using RleCheck = FileCheck<RleRefusal>;

struct RleFileHeader {
    unsigned width;
    unsigned height;
    uint32_t pixelCount;
};

// The header of a file at least kRleHeaderSize bytes long.
inline RleFileHeader rleFileHeader(const uint8_t* data)
{
    return {data[0] | (unsigned{data[1]} << 8), data[2] | (unsigned{data[3]} << 8),
            data[4] | (uint32_t{data[5]} << 8) | (uint32_t{data[6]} << 16) | (uint32_t{data[7]} << 24)};
}

// The size rule: the run buffer for a file of `size` bytes decoded into
// `pixelBytes` per opaque pixel is the file less three bytes per stored
// pixel plus `pixelBytes` per stored pixel, and `spareBytes`.  A checked
// pixel count keeps it positive.
inline int64_t rleBufferSize(const RleFileHeader& h, size_t size, unsigned pixelBytes, size_t spareBytes)
{
    return (int64_t{pixelBytes} - 3) * h.pixelCount + static_cast<int64_t>(size) + static_cast<int64_t>(spareBytes);
}

// Checks a file of `size` bytes for decoding into runs of `pixelBytes` per
// opaque pixel (1 to 4; one more per level pixel) in a buffer of the size
// rule.
RleCheck checkRleFile(const uint8_t* data, size_t size, unsigned pixelBytes, size_t spareBytes);

// Walks the rows of a file whose header has been checked, handing each
// control word as the blitters must see it to visit.word(word) and each
// opaque or level run's file bytes to visit.run(pixels, n, level); either
// returns false to stop the walk (which then reports BufferTooSmall).
template <class Visit>
RleCheck walkRleRows(const uint8_t* data, size_t size, const RleFileHeader& h, Visit& visit)
{
    size_t in = kRleHeaderSize;
    for (unsigned row = 0; row < h.height; ++row) {
        unsigned col = 0;
        for (;;) {
            if (size - in < 2)
                return refuse(RleRefusal::RowCutShort, 0, h.height, row);
            unsigned word = data[in] | (unsigned{data[in + 1]} << 8);
            in += 2;
            const unsigned n = word & RLE_COUNT;
            if (word != 0 && n == 0)
                word = 0; // a count-0 skip or level word ends the row
            if (word & RLE_SKIP)
                word &= RLE_SKIP | RLE_COUNT;
            if (!visit.word(word))
                return refuse(RleRefusal::BufferTooSmall);
            if (word == 0)
                break;
            if (n > h.width - col)
                return refuse(RleRefusal::RowTooWide, 0, h.width, row);
            col += n;
            if (word & RLE_SKIP)
                continue;
            const bool level = (word & RLE_LEVEL) != 0;
            const size_t inBytes = size_t{n} * (level ? 4 : 3);
            if (size - in < inBytes)
                return refuse(RleRefusal::RowCutShort, 0, h.height, row);
            if (!visit.run(data + in, n, level))
                return refuse(RleRefusal::BufferTooSmall);
            in += inBytes;
        }
    }
    return {};
}

// Writer: static constexpr size_t kOpaqueBytes, kLevelBytes (output bytes
// per pixel) and
//   void opaque(uint8_t* out, uint8_t r, uint8_t g, uint8_t b);
//   void level(uint8_t* out, uint8_t a, uint8_t r, uint8_t g, uint8_t b);
// Decodes the rows of a file checkRleFile accepts into `out`, never past `cap`.
template <class Writer>
bool decodeRleRows(const uint8_t* data, size_t size, const RleFileHeader& h, uint8_t* out, size_t cap,
                   Writer& writer)
{
    struct Runs {
        uint8_t* out;
        size_t cap;
        Writer& writer;
        size_t at = 0;
        bool word(unsigned word)
        {
            if (cap - at < 2)
                return false;
            out[at] = static_cast<uint8_t>(word);
            out[at + 1] = static_cast<uint8_t>(word >> 8);
            at += 2;
            return true;
        }
        bool run(const uint8_t* p, unsigned n, bool level)
        {
            const size_t outBytes = size_t{n} * (level ? Writer::kLevelBytes : Writer::kOpaqueBytes);
            if (cap - at < outBytes)
                return false;
            uint8_t* o = out + at;
            if (level) {
                for (unsigned i = 0; i < n; ++i, p += 4, o += Writer::kLevelBytes)
                    writer.level(o, p[0], p[1], p[2], p[3]);
            } else {
                for (unsigned i = 0; i < n; ++i, p += 3, o += Writer::kOpaqueBytes)
                    writer.opaque(o, p[0], p[1], p[2]);
            }
            at += outBytes;
            return true;
        }
    } runs{out, cap, writer};
    return walkRleRows(data, size, h, runs).ok();
}

// RLEFX::loadData and loadRle: the whole decode into `image`, with a run
// buffer of the size rule plus `spareBytes`; `markKind` records kind 3 as
// soon as the buffer exists.  Messages are loadData's.
bool decodeRleImage(RLEFX& image, const uint8_t* data, size_t size, size_t spareBytes, bool markKind);

} // namespace vtl

#endif
