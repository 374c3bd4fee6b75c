#include "support/test_archive.h"

#include <vantrel/vtlhnd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
void putLe32(Bytes& out, size_t at, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}
} // namespace

TestArchive::~TestArchive()
{
    if (!name_.empty())
        VTLUnregisterEmbeddedArchive(&embedded_);
    for (const std::string& f : files_)
        std::remove(f.c_str());
}

TestArchive& TestArchive::add(const std::string& name, const Bytes& bytes)
{
    entries_.emplace_back(name, bytes);
    return *this;
}

TestArchive& TestArchive::add(const std::string& name, const std::string& text)
{
    return add(name, Bytes(text.begin(), text.end()));
}

Bytes TestArchive::bytes() const
{
    const size_t count = entries_.size() + 1;
    const size_t directoryEnd = 4 + 17 * count;
    Bytes out(directoryEnd);
    putLe32(out, 0, static_cast<unsigned>(count));
    size_t offset = directoryEnd;
    for (size_t i = 0; i < count; ++i) {
        const size_t record = 4 + 17 * i;
        putLe32(out, record, static_cast<unsigned>(offset));
        if (i < entries_.size()) {
            const std::string& name = entries_[i].first;
            std::memcpy(&out[record + 4], name.data(), name.size() < 12 ? name.size() : 12);
            offset += entries_[i].second.size();
        }
    }
    for (const auto& e : entries_)
        out.insert(out.end(), e.second.begin(), e.second.end());
    return out;
}

std::string writeTemporaryFile(const Bytes& bytes)
{
    char path[] = "/tmp/vantrel-test-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        std::abort();
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::abort();
        done += static_cast<size_t>(n);
    }
    close(fd);
    return path;
}

std::string TestArchive::writeFile()
{
    files_.push_back(writeTemporaryFile(bytes()));
    return files_.back();
}

bool TestArchive::openIn(VTLHND& handle)
{
    if (name_.empty()) {
        static unsigned serial = 0;
        name_ = "test-archive-" + std::to_string(++serial);
        image_ = bytes();
        embedded_.name = name_.c_str();
        embedded_.data = image_.data();
        embedded_.size = static_cast<DWORD>(image_.size());
        VTLRegisterEmbeddedArchive(&embedded_);
    }
    return handle.FastFileInit(const_cast<char*>(name_.c_str()));
}
