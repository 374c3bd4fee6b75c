// Run coding of a picture into the RLEFX row layout, in two passes with one
// rule: a run takes the following pixels of its own kind, up to RLE_COUNT of
// them; every row ends with the word 0x0000.  The first pass (out null)
// counts the bytes, so the caller can allocate exactly once; the second
// writes them.
//
// Picture: LONG width, height; RunKind kind(LONG x, LONG y) const (y = 0 is
// the top row).  Writer: size_t opaqueBytes, levelBytes (bytes per pixel of
// each kind); void opaque(uint8_t* out, LONG x, LONG y);
// void level(uint8_t* out, LONG x, LONG y).
#ifndef VANTREL_RLE_RLE_ENCODER_H
#define VANTREL_RLE_RLE_ENCODER_H

#include <vantrel/rlefx.h>
#include <vantrel/win32/types.h>

#include <cstddef>
#include <cstdint>

namespace vtl {
enum class RunKind { Skip, Opaque, Level };

template <class Picture, class Writer>
uint64_t encodeRuns(const Picture& picture, Writer& writer, uint8_t* out)
{
    uint64_t at = 0;
    auto word = [&](uint64_t pos, unsigned value) {
        if (out) {
            out[pos] = static_cast<uint8_t>(value);
            out[pos + 1] = static_cast<uint8_t>(value >> 8);
        }
    };
    for (LONG y = 0; y < picture.height; ++y) {
        LONG x = 0;
        while (x < picture.width) {
            const RunKind kind = picture.kind(x, y);
            LONG n = 1;
            while (x + n < picture.width && n < RLE_COUNT && picture.kind(x + n, y) == kind)
                ++n;
            const unsigned bits = kind == RunKind::Skip ? RLE_SKIP : kind == RunKind::Level ? RLE_LEVEL : 0;
            word(at, static_cast<unsigned>(n) | bits);
            at += 2;
            if (kind != RunKind::Skip) {
                const size_t bytes = kind == RunKind::Level ? writer.levelBytes : writer.opaqueBytes;
                if (out) {
                    for (LONG i = 0; i < n; ++i) {
                        if (kind == RunKind::Level)
                            writer.level(out + at + i * bytes, x + i, y);
                        else
                            writer.opaque(out + at + i * bytes, x + i, y);
                    }
                }
                at += uint64_t(n) * bytes;
            }
            x += n;
        }
        word(at, 0);
        at += 2;
    }
    return at;
}
} // namespace vtl

#endif
