// Packs RLE files and their labels into an RLA file.
#ifndef VTLSPRITE_RLA_WRITER_H
#define VTLSPRITE_RLA_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

struct RlaFrame {
    uint16_t action = 0;
    uint16_t direction = 0;
    std::vector<uint8_t> rle; // a complete RLE file
};

// False (with a reason) for more than 65535 frames.
bool writeRla(const std::vector<RlaFrame>& frames, std::vector<uint8_t>& out, std::string& error);

#endif
