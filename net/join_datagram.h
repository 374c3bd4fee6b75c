// The datagram a joining player sends to the host.
#ifndef VANTREL_NET_JOIN_DATAGRAM_H
#define VANTREL_NET_JOIN_DATAGRAM_H

#include <cstdint>

namespace vtl {

constexpr unsigned kJoinDatagramSize = 56;
// The joined text with its zero byte fits in bytes 6 to 55.
constexpr unsigned kJoinTextLimit = 49;

// Fills `out` with the join datagram for the two texts (null = empty).
void buildJoinDatagram(const char* text1, const char* text2, uint8_t (&out)[kJoinDatagramSize]);

} // namespace vtl

#endif
