#include "rla_writer.h"

namespace {
void putLE(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
} // namespace

bool writeRla(const std::vector<RlaFrame>& frames, std::vector<uint8_t>& out, std::string& error)
{
    if (frames.size() > 0xFFFF) {
        error = "an RLA file holds at most 65535 frames";
        return false;
    }
    out.clear();
    putLE(out, static_cast<uint32_t>(frames.size()), 2);
    for (const RlaFrame& frame : frames) {
        putLE(out, static_cast<uint32_t>(frame.rle.size()), 4);
        putLE(out, frame.action, 2);
        putLE(out, frame.direction, 2);
        out.insert(out.end(), frame.rle.begin(), frame.rle.end());
    }
    return true;
}
