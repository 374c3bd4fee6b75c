// Compressed CD tracks decoded with libsndfile while they play.
//
// Each track keeps its file open and one window of decoded frames (32-bit
// float, the file's first two channels).  The mixer asks for frames at its
// play cursor; once a step (1024 frames) of the window has played, the
// frames still ahead move to the front and the decoder continues behind
// them, so playing on is one sequential decode in short steps and never
// allocates.  A request
// anywhere else (a play from a position) seeks first.  Frames the decoder
// cannot deliver are silence: the track keeps the length its header gave,
// and the tracks after it their places.
//
// MP3 seeks start earlier than asked and decode their way in: libsndfile
// lands mpg123 on the frame asked for, but without the bit reservoir and the
// overlap of the MPEG frames before it, so that a few thousand samples after
// a seek come out as silence, then as wrong sound.  Eight frames of 1152
// samples before the place give the decoder all it needs; the first sample
// then is the one a decode from the start gives.
#include "platform/winmm/track_decoder.h"

#include "platform/winmm/sndfile/mpeg_audio_sync.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vtl {
namespace {

constexpr uint32_t kWindowFrames = 8192;
// The window is topped up once a step's worth of it has played, so that no
// one request decodes much more than the mixer plays in one period: in a
// page the mixer runs on the browser's only thread, and a long decode there
// makes the output miss its turn.
constexpr uint32_t kRefillStep = 1024;
constexpr uint32_t kRefillBelow = kWindowFrames - kRefillStep;
// Samples an MP3 seek starts before its place, and decodes at a time on the
// way in.
constexpr uint32_t kMpegSeekLead = 8 * 1152;
constexpr uint32_t kMpegLeadChunk = 1152;

class SndfileTrack final : public TrackSource {
public:
    SndfileTrack(SNDFILE* file, const SF_INFO& info, uint32_t frames)
        : file_(file), total_(frames), channels_(info.channels), kept_(std::min(info.channels, 2)),
          window_(size_t(kWindowFrames) * kept_)
    {
        if (channels_ > 2)
            wide_.resize(size_t(kWindowFrames) * channels_);
        if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG) {
            seekLead_ = kMpegSeekLead;
            lead_.resize(size_t(kMpegLeadChunk) * channels_);
        }
    }
    ~SndfileTrack() override { sf_close(file_); }

    const uint8_t* frames(uint32_t first, uint32_t* available) override
    {
        first = std::min(first, total_);
        if (first < start_ || first > start_ + count_) {
            start_ = first;
            count_ = 0;
        }
        const uint32_t ahead = start_ + count_ - first;
        if (ahead < kRefillBelow && start_ + count_ < total_) {
            std::memmove(window_.data(), at(first), size_t(ahead) * kept_ * sizeof(float));
            start_ = first;
            count_ = ahead;
            const uint32_t wanted = std::min(kWindowFrames - count_, total_ - start_ - count_);
            decode(start_ + count_, wanted, window_.data() + size_t(count_) * kept_);
            count_ += wanted;
        }
        *available = start_ + count_ - first;
        return reinterpret_cast<const uint8_t*>(at(first));
    }

    std::string takeFailure() override
    {
        std::string failure;
        failure.swap(failure_);
        return failure;
    }

private:
    float* at(uint32_t frame) { return window_.data() + size_t(frame - start_) * kept_; }

    // Places the decoder at `frame`, decoding the lead in (MP3) from before
    // it.
    bool seek(uint32_t frame)
    {
        const uint32_t from = frame > seekLead_ ? frame - seekLead_ : 0;
        if (sf_seek(file_, from, SEEK_SET) != from)
            return false;
        for (uint32_t left = frame - from; left > 0;) {
            const uint32_t n = std::min(left, kMpegLeadChunk);
            if (sf_readf_float(file_, lead_.data(), n) != n)
                return false;
            left -= n;
        }
        return true;
    }

    // Decodes `count` frames from `frame` into `out`; what cannot be decoded
    // is silence.
    void decode(uint32_t frame, uint32_t count, float* out)
    {
        sf_count_t got = 0;
        if (next_ == frame || seek(frame)) {
            if (channels_ <= 2) {
                got = sf_readf_float(file_, out, count);
            } else {
                got = sf_readf_float(file_, wide_.data(), count);
                for (sf_count_t i = 0; i < got; ++i) {
                    out[i * 2] = wide_[size_t(i) * channels_];
                    out[i * 2 + 1] = wide_[size_t(i) * channels_ + 1];
                }
            }
            got = std::max<sf_count_t>(got, 0);
        }
        next_ = frame + got;
        if (got < sf_count_t(count)) {
            std::fill(out + size_t(got) * kept_, out + size_t(count) * kept_, 0.0f);
            next_ = -1; // the decoder's place is unknown: seek next time
            if (!reported_) {
                reported_ = true;
                const char* why = sf_strerror(file_);
                failure_ = why && *why && std::strcmp(why, "No Error.") != 0 ? why : "the data ends early";
            }
        }
    }

    SNDFILE* file_;
    const uint32_t total_;
    const int channels_;
    const int kept_;
    std::vector<float> window_; // frames start_ .. start_ + count_
    std::vector<float> wide_;   // a window of every channel, for files of more than two
    uint32_t seekLead_ = 0;     // frames a seek decodes its way in from (MP3)
    std::vector<float> lead_;   // where they go
    uint32_t start_ = 0;
    uint32_t count_ = 0;
    sf_count_t next_ = 0; // the frame the decoder reads next
    bool reported_ = false;
    std::string failure_;
};

bool decodesMpeg()
{
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.format == SF_FORMAT_MPEG)
            return true;
    }
    return false;
}

} // namespace

const std::vector<std::string>& decodedTrackEndings()
{
    // MP3 only where this libsndfile was built with an MPEG decoder.
    static const std::vector<std::string> endings = decodesMpeg()
                                                        ? std::vector<std::string>{".flac", ".ogg", ".mp3"}
                                                        : std::vector<std::string>{".flac", ".ogg"};
    return endings;
}

bool openDecodedTrack(const std::string& path, OpenedTrack& track)
{
    const bool mp3 = path.size() >= 4 && path.compare(path.size() - 4, 4, ".mp3") == 0;
    if (mp3 && !startsWithMpegAudio(path)) {
        track.failure = "no MPEG audio frames";
        return false;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        track.failure = sf_strerror(nullptr);
        return false;
    }
    // Float samples need no clipping: the mixer saturates them itself.
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
    format.nChannels = WORD(std::min(info.channels, 2));
    format.nSamplesPerSec = DWORD(info.samplerate);
    format.wBitsPerSample = 32;
    format.nBlockAlign = WORD(format.nChannels * 4);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    const bool known = info.frames > 0 && info.frames <= sf_count_t(UINT32_MAX) && info.samplerate > 0;
    if (known) {
        track.frames = uint32_t(info.frames);
        track.layout.rate = uint32_t(info.samplerate);
    }
    if (!known || info.channels < 1 || !layoutFromFormat(format, &track.layout)) {
        sf_close(file);
        track.failure = known ? "a sample rate the mixer does not play" : "its length is unknown";
        return false;
    }
    track.source.reset(new SndfileTrack(file, info, track.frames));
    return true;
}

} // namespace vtl
