// `vtlsprite info`: what an RLE or RLA file holds, checked run by run.
#ifndef VTLSPRITE_FILE_INFO_H
#define VTLSPRITE_FILE_INFO_H

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

struct RleSummary {
    unsigned width = 0;
    unsigned height = 0;
    uint32_t declaredPixels = 0; // the header's count of stored pixels
    uint32_t opaque = 0;
    uint32_t level = 0;
};

// Walks every row of an RLE file; false with the first fault found (data past
// the end, a row wider than the picture, a count that disagrees with the
// header).
bool scanRle(const uint8_t* data, size_t size, RleSummary& summary, std::string& error);

// Describes the file (chosen by its .rle or .rla ending) on `out`; false
// with a reason when it cannot be read or is damaged.
bool describeFile(const std::string& path, std::ostream& out, std::string& error);

#endif
