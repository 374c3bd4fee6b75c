#include "net/join_datagram.h"

#include <cstdio>
#include <cstring>

namespace vtl {

void buildJoinDatagram(const char* text1, const char* text2, uint8_t (&out)[kJoinDatagramSize])
{
    if (!text1)
        text1 = "";
    if (!text2)
        text2 = "";
    std::memset(out, 0, sizeof out);
    out[0] = 1; // 16-bit 1, little-endian
    out[2] = 2; // 16-bit 2
    const size_t length1 = std::strlen(text1);
    const size_t length2 = std::strlen(text2);
    out[4] = static_cast<uint8_t>(length1 > 255 ? 255 : length1);
    out[5] = static_cast<uint8_t>(length2 > 255 ? 255 : length2);
    // snprintf cuts a text that is too long and always ends it with a zero.
    std::snprintf(reinterpret_cast<char*>(out + 6), kJoinTextLimit + 1, "%s-%s", text1, text2);
}

} // namespace vtl
