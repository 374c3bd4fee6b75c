#include "support/wave_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
void put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void put16(Bytes& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
} // namespace

Bytes riffChunk(const char* id, const Bytes& body)
{
    Bytes b(id, id + 4);
    put32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() & 1)
        b.push_back(0);
    return b;
}

Bytes riffWave(const std::vector<Bytes>& chunks)
{
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    Bytes b = {'R', 'I', 'F', 'F'};
    put32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes formatBody(unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned size)
{
    Bytes b;
    unsigned block = channels * bits / 8;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * block);
    put16(b, block);
    put16(b, bits);
    while (b.size() < size)
        b.push_back(0);
    b.resize(size);
    return b;
}

Bytes waveFile(unsigned tag, unsigned channels, unsigned rate, unsigned bits, const Bytes& data)
{
    return riffWave({riffChunk("fmt ", formatBody(tag, channels, rate, bits)), riffChunk("data", data)});
}

Bytes samples16(const std::vector<int16_t>& samples)
{
    Bytes b;
    for (int16_t s : samples)
        put16(b, uint16_t(s));
    return b;
}

Bytes ramp16(unsigned frames, unsigned channels, int base, int step)
{
    std::vector<int16_t> s;
    for (unsigned i = 0; i < frames; ++i)
        for (unsigned c = 0; c < channels; ++c)
            s.push_back(int16_t(base + int(i) * step + int(c) * 1000));
    return samples16(s);
}

std::string temporaryWave(const Bytes& bytes)
{
    char path[] = "/tmp/vantrel-wave-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return "";
    if (!bytes.empty() && write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())) {
        close(fd);
        return "";
    }
    close(fd);
    return path;
}
