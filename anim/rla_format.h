// The RLA container: a 16-bit frame count, then per frame a 32-bit image
// length L, a 16-bit action, a 16-bit direction and L bytes of RLE file.
// The walk is header-only so that the sprite tool reads files exactly as the
// library does.
#ifndef VANTREL_ANIM_RLA_FORMAT_H
#define VANTREL_ANIM_RLA_FORMAT_H

#include <cstddef>
#include <cstdint>

#include "core/file_check.h"
#include "rle/rle_file_decoder.h"

namespace vtl::rla {

constexpr size_t kFileHeaderSize = 2;
constexpr size_t kRecordHeaderSize = 8;
// A frame's image is a whole RLE file: at least its header.
constexpr size_t kRleHeaderSize = vtl::kRleHeaderSize;

struct Record {
    uint16_t action;
    uint16_t direction;
    const unsigned char* image; // a complete RLE file
    uint32_t imageSize;
};

inline uint16_t read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t read32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The rules of the container, in the order they are met; a frame's image
// is an RLE file with the rules of rle/rle_file_decoder.h.
enum class RlaRefusal {
    Ok,
    NoFrameCount,  // value the file's bytes, limit 2
    RecordPastEnd, // field the frame whose record header the file cannot hold
    ImageTooShort, // field the frame, value its image length, limit an RLE header's 15
    ImagePastEnd,  // field the frame, value its image length, limit the bytes left for it
    FrameImage,    // field the frame whose image is refused (RlaCheck::image says why)
};

struct RlaCheck : FileCheck<RlaRefusal> {
    unsigned frameCount = 0; // the count the file declares
    RleCheck image;          // with FrameImage
};

struct WalkResult {
    bool hasCount;    // false: the file is too short to hold its frame count
    unsigned count;   // the frame count the file declares
    unsigned visited; // records that fit, from the first; all of them when == count
    FileCheck<RlaRefusal> stop; // why the walk stopped before the last record
    bool fits() const { return hasCount && visited == count; }
};

// Walks the records of an RLA file of `size` bytes in order, checking each
// against the end of the file, and calls visit(index, record) for every one
// that fits.  Stops at the first record whose header or image runs past the
// end, or whose image is too short to be an RLE file.  Bytes after the last
// record are ignored.
template <typename Visit>
WalkResult walk(const unsigned char* data, size_t size, Visit&& visit)
{
    WalkResult result{false, 0, 0, {}};
    if (!data || size < kFileHeaderSize) {
        result.stop = refuse(RlaRefusal::NoFrameCount, data ? static_cast<int64_t>(size) : 0, kFileHeaderSize);
        return result;
    }
    result.hasCount = true;
    result.count = read16(data);
    size_t at = kFileHeaderSize;
    for (; result.visited < result.count; ++result.visited) {
        const unsigned frame = result.visited;
        if (size - at < kRecordHeaderSize) {
            result.stop = refuse(RlaRefusal::RecordPastEnd, 0, 0, frame);
            break;
        }
        const uint32_t length = read32(data + at);
        if (length < kRleHeaderSize) {
            result.stop = refuse(RlaRefusal::ImageTooShort, length, kRleHeaderSize, frame);
            break;
        }
        if (length > size - at - kRecordHeaderSize) {
            result.stop = refuse(RlaRefusal::ImagePastEnd, length,
                                 static_cast<int64_t>(size - at - kRecordHeaderSize), frame);
            break;
        }
        visit(result.visited,
              Record{read16(data + at + 4), read16(data + at + 6), data + at + kRecordHeaderSize, length});
        at += kRecordHeaderSize + length;
    }
    return result;
}

// The whole file as ANIMATIONFX::loadRla reads it for frames of
// `pixelBytes` per pixel: its records first, then every frame's image.
RlaCheck check(const unsigned char* data, size_t size, unsigned pixelBytes);

} // namespace vtl::rla

#endif
