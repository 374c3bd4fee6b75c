// WAV tracks, played from the file's bytes in memory.  Opening the disc reads
// only each file's chunk headers; a track's file is read whole when the track
// is first about to play, and shared with every other device playing it
// (shared_wave_files.h).  From then on the bytes are those the file had when
// it was read, so a track replaced or truncated on disk while it plays cannot
// be taken from under the player.
#include "platform/winmm/track_source.h"

#include "platform/winmm/shared_wave_files.h"
#include "platform/shared/wave_header.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace vtl {
namespace {

// Frames of silence handed out at a time where the bytes read do not give
// the track as its header promised.
constexpr uint32_t kSilenceFrames = 4096;

class MappedWave final : public TrackSource {
public:
    MappedWave(std::string path, const PcmLayout& layout, uint32_t frames)
        : path_(std::move(path)), layout_(layout), frames_(frames)
    {
    }

    void prepare() override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (read_ || tried_)
                return;
        }
        // Read without the lock: the mixer may be playing another track of
        // this device meanwhile, and asks this one nothing until it plays.
        std::string why;
        std::shared_ptr<const WaveFileBytes> read = readSharedWaveFile(path_, &why);
        std::lock_guard<std::mutex> lock(mutex_);
        if (!read_ && !tried_)
            take(std::move(read), why);
    }

    // Nothing to place: the bytes are all in memory once read.
    void prime(uint32_t) override {}

    const uint8_t* frames(uint32_t first, uint32_t* available) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!read_ && !tried_) {
            // Not prepared (the device prepares every track a play reaches):
            // read here rather than not play.
            std::string why;
            take(readSharedWaveFile(path_, &why), why);
        }
        first = std::min(first, frames_);
        if (first + 1 < readFrames_ || (first < readFrames_ && readFrames_ == frames_)) {
            *available = readFrames_ - first;
            return read_->data + size_t(first) * layout_.frameBytes;
        }
        *available = std::min(frames_ - first, kSilenceFrames);
        if (first < readFrames_) {
            // The last frame read: handed out followed by silence, as the
            // mixer wants two frames at a time to interpolate between.
            std::copy_n(read_->data + size_t(first) * layout_.frameBytes, layout_.frameBytes, silence_.begin());
            return silence_.data();
        }
        return silence_.data() + layout_.frameBytes;
    }

    std::string takeFailure() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::string failure;
        failure.swap(failure_);
        return failure;
    }

private:
    // Keeps what was read when it is the track the header described; what
    // it lacks plays as silence.
    void take(std::shared_ptr<const WaveFileBytes> read, const std::string& why)
    {
        tried_ = true;
        PcmLayout layout{};
        if (read && !(layoutFromFormat(*read->format, &layout) && layout.kind == layout_.kind &&
                      layout.channels == layout_.channels && layout.frameBytes == layout_.frameBytes &&
                      layout.rate == layout_.rate)) {
            read.reset();
            failure_ = "its format changed after the disc was opened";
        } else if (!read) {
            failure_ = why;
        }
        readFrames_ = read ? std::min<uint32_t>(frames_, read->dataSize / layout_.frameBytes) : 0;
        if (read && readFrames_ < frames_)
            failure_ = "it is shorter than when the disc was opened";
        read_ = std::move(read);
        if (readFrames_ < frames_) {
            // One frame more than is handed out: its first is where the
            // last frame read goes.
            silence_.assign(size_t(kSilenceFrames + 1) * layout_.frameBytes,
                            layout_.kind == SampleKind::U8 ? uint8_t(0x80) : uint8_t(0));
        }
    }

    const std::string path_;
    const PcmLayout layout_;
    const uint32_t frames_; // as the header gave them when the disc was opened
    // Guards the rest: prepare() runs on the game's thread without the
    // engine's mutex.
    std::mutex mutex_;
    std::shared_ptr<const WaveFileBytes> read_;
    uint32_t readFrames_ = 0;
    bool tried_ = false;
    std::vector<uint8_t> silence_;
    std::string failure_;
};

} // namespace

bool openMappedWave(const std::string& path, OpenedTrack& track)
{
    WaveHeader header;
    if (!readWaveHeader(path, &header)) {
        track.failure = "no RIFF WAVE format and data";
        return false;
    }
    const WAVEFORMATEX& format = header.format;
    if (!layoutFromFormat(format, &track.layout)) {
        // The header still tells how long the track is, so that the tracks
        // after it keep their places on the disc.
        if (format.nBlockAlign && format.nSamplesPerSec) {
            track.layout.rate = format.nSamplesPerSec;
            track.frames = header.dataSize / format.nBlockAlign;
        }
        track.failure = "a sound format the mixer does not play";
        return false;
    }
    track.frames = header.dataSize / track.layout.frameBytes;
    track.source.reset(new MappedWave(path, track.layout, track.frames));
    return true;
}

} // namespace vtl
