#include "platform/winmm/shared_wave_files.h"

#include "platform/winmm/winmm_testing.h"

#include <vantrel/seam/file_mapping.h>
#include <vantrel/seam/riff_wave.h>

#include <filesystem>
#include <map>
#include <mutex>

namespace vtl {
namespace {

// A file read for one device is shared with the others only while it is
// the same file: a track replaced on disk is read again by the next device.
struct FileKey {
    std::string path;
    uintmax_t size;
    std::filesystem::file_time_type written;
    bool operator<(const FileKey& other) const
    {
        if (path != other.path)
            return path < other.path;
        if (size != other.size)
            return size < other.size;
        return written < other.written;
    }
};

struct ReadFiles {
    std::mutex lock;
    std::map<FileKey, std::weak_ptr<const WaveFileBytes>> files;
};

// Never destroyed: a CD device left open at exit still holds its tracks.
ReadFiles& readFiles()
{
    static auto* files = new ReadFiles;
    return *files;
}

std::shared_ptr<const WaveFileBytes> readWhole(const std::string& path, std::string* why)
{
    if (testing::winmm::intercept(testing::winmm::Op::ReadWaveTrack)) {
        *why = "the file cannot be read";
        return nullptr;
    }
    HANDLE file = openFileForReading(path.c_str());
    HANDLE mapping = file ? createReadOnlyMapping(file) : nullptr;
    size_t length = 0;
    void* bytes = mapping ? mapView(mapping, &length) : nullptr;
    // The view outlives the file handle, as a mapped view does.
    closeFile(file);
    if (!bytes) {
        closeMapping(mapping);
        *why = "the file cannot be read";
        return nullptr;
    }
    auto read = std::make_shared<WaveFileBytes>(mapping, bytes);
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    if (!readRiffWave(static_cast<unsigned char*>(bytes), DWORD(length), &format, &data, &size)) {
        *why = "no RIFF WAVE format and data";
        return nullptr;
    }
    read->format = format;
    read->data = data;
    read->dataSize = size;
    return read;
}

} // namespace

WaveFileBytes::~WaveFileBytes()
{
    unmapView(mapping_, view_);
    closeMapping(mapping_);
}

std::shared_ptr<const WaveFileBytes> readSharedWaveFile(const std::string& path, std::string* why)
{
    std::error_code failed;
    const uintmax_t size = std::filesystem::file_size(path, failed);
    const auto written = failed ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(path, failed);
    if (failed) {
        *why = "the file cannot be opened";
        return nullptr;
    }
    const FileKey key{path, size, written};
    ReadFiles& files = readFiles();
    // Held while reading, so that two devices starting the same track read
    // it once.
    std::lock_guard<std::mutex> lock(files.lock);
    for (auto it = files.files.begin(); it != files.files.end();) {
        if (it->second.expired())
            it = files.files.erase(it);
        else
            ++it;
    }
    if (auto shared = files.files[key].lock())
        return shared;
    std::shared_ptr<const WaveFileBytes> read = readWhole(path, why);
    if (read)
        files.files[key] = read;
    else
        files.files.erase(key);
    return read;
}

} // namespace vtl
