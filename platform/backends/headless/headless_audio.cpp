// The headless sound output (AudioOutput): a thread that takes mixed frames
// at the output rate, as a sound card would, and drops them or appends them
// to a WAV file (VANTREL_AUDIO=wav:PATH).  Where no thread starts (a page, a
// program run by node) the program's own turns take them.
#include "platform/backends/headless/headless_backend.h"
#include "platform/backends/headless/headless_testing.h"
#include "platform/dsound/audio_engine.h"
#include "platform/dsound/audio_output.h"
#include "platform/host/threads.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace vtl {
namespace {

std::atomic<bool> gManualClock{false};

constexpr uint32_t kRate = 44100;
constexpr uint32_t kPeriod = 441; // 10 ms
// How far the program's turns catch up on periods that passed without one;
// the rest ran dry, as a sound card's buffer does.  The thread catches up
// whole.
constexpr uint64_t kTurnsCatchUp = 2 * kPeriod;
constexpr uint64_t kThreadCatchUp = std::numeric_limits<uint64_t>::max();

void putLE32(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// A 16-bit stereo WAV file whose sizes are brought up to date after every
// write, so that the file is complete even if the program never closes it.
class WavWriter {
public:
    explicit WavWriter(const char* path) : file_(std::fopen(path, "wb"))
    {
        if (!file_)
            return;
        unsigned char header[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                    16,  0,   0,   0,   1, 0, 2, 0, 0,   0,   0,   0,   0,   0,   0,   0,
                                    4,   0,   16,  0,   'd', 'a', 't', 'a', 0, 0, 0, 0};
        putLE32(header + 24, kRate);
        putLE32(header + 28, kRate * 4);
        std::fwrite(header, 1, sizeof header, file_);
        std::fflush(file_);
    }
    ~WavWriter()
    {
        if (file_)
            std::fclose(file_);
    }
    void write(const int16_t* frames, uint32_t count)
    {
        if (!file_)
            return;
        // WAV samples are little-endian, as is every machine this runs on.
        std::fwrite(frames, 4, count, file_);
        dataBytes_ += count * 4;
        unsigned char size[4];
        std::fseek(file_, 4, SEEK_SET);
        putLE32(size, 36 + dataBytes_);
        std::fwrite(size, 1, 4, file_);
        std::fseek(file_, 40, SEEK_SET);
        putLE32(size, dataBytes_);
        std::fwrite(size, 1, 4, file_);
        std::fseek(file_, 0, SEEK_END);
        std::fflush(file_);
    }

private:
    std::FILE* file_;
    uint32_t dataBytes_ = 0;
};

class HeadlessOutput final : public AudioOutput {
public:
    HeadlessOutput(AudioEngine& engine, const char* wavPath) : engine_(engine)
    {
        if (wavPath && *wavPath)
            wav_.reset(new WavWriter(wavPath));
    }
    ~HeadlessOutput() override { stop(); }

    uint32_t rate() const override { return kRate; }
    uint32_t periodFrames() const override { return kPeriod; }

    void start() override
    {
        if (gManualClock || thread_.joinable() || turnWork_)
            return;
        running_ = true;
        begin_ = Clock::now();
        mixed_ = 0;
        if (host::startThread(thread_, [this] { run(); }))
            return;
        turnWork_ = host::addTurnWork([this] { return mixDue(kTurnsCatchUp); });
        // Nothing takes the frames at all: the cursors stay where they are,
        // as under the manual clock.
        if (!turnWork_)
            running_ = false;
    }

    void stop() override
    {
        {
            std::lock_guard<std::mutex> lock(runningLock_);
            running_ = false;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
        host::removeTurnWork(turnWork_);
        turnWork_ = 0;
    }

private:
    using Clock = std::chrono::steady_clock;

    void run()
    {
        std::unique_lock<std::mutex> lock(runningLock_);
        while (running_) {
            lock.unlock();
            const Clock::time_point next = mixDue(kThreadCatchUp);
            lock.lock();
            wake_.wait_until(lock, next, [this] { return !running_; });
        }
        // A thread held back by a busy machine when the output stops still
        // owes the periods up to now: a recording lasts as long as the
        // device ran.
        lock.unlock();
        mixDue(kThreadCatchUp);
    }

    // Mixes every period that is due; a late call catches up, by at most
    // `catchUp` frames, rather than letting the cursors fall behind the
    // clock.  The thread is late only on a busy machine; the program's
    // turns are late whenever it computes without a wait, and mixing all of
    // that time's periods at once would play its sounds in no time.
    // Returns when the next period is due.
    Clock::time_point mixDue(uint64_t catchUp)
    {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin_).count();
        const uint64_t due = uint64_t(elapsed) * kRate / 1000000;
        if (due > mixed_ + kPeriod && due - mixed_ - kPeriod > catchUp) {
            const uint64_t dry = (due - mixed_ - catchUp) / kPeriod * kPeriod;
            std::fill(frames_.begin(), frames_.end(), int16_t(0));
            for (uint64_t frame = 0; wav_ && frame < dry; frame += kPeriod)
                wav_->write(frames_.data(), kPeriod);
            mixed_ += dry;
        }
        while (mixed_ + kPeriod <= due) {
            engine_.mix(frames_.data(), kPeriod);
            if (wav_)
                wav_->write(frames_.data(), kPeriod);
            mixed_ += kPeriod;
        }
        return begin_ + std::chrono::microseconds((mixed_ + kPeriod) * 1000000 / kRate);
    }

    AudioEngine& engine_;
    std::unique_ptr<WavWriter> wav_;
    std::vector<int16_t> frames_ = std::vector<int16_t>(kPeriod * 2);
    Clock::time_point begin_; // the clock's start: frames are due at the rate from here
    uint64_t mixed_ = 0;      // frames taken since
    std::thread thread_;
    unsigned turnWork_ = 0; // the frames are taken in the program's turns instead
    std::mutex runningLock_;
    std::condition_variable wake_;
    bool running_ = false;
};

} // namespace

std::unique_ptr<AudioOutput> openHeadlessAudio(AudioEngine& engine, const char* wavPath)
{
    return std::unique_ptr<AudioOutput>(new HeadlessOutput(engine, wavPath));
}

void testing::headless::useManualAudioClock(bool manual)
{
    gManualClock = manual;
}

} // namespace vtl
