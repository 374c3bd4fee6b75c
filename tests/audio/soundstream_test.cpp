// SOUNDSTREAM: segment sizes, the ring filled in order, silence padding,
// refills by the worker thread as the ring plays, looping, stop and play.
#include <vantrel/audio.h>
#include <vantrel/vtlhnd.h>

#include "audio/audio_testing.h"
#include "support/manual_audio.h"
#include "support/message_capture.h"
#include "support/test_archive.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace {

char* cstr(const char* s) { return const_cast<char*>(s); }

// Counts the worker's refills, so that a test waits for them instead of
// racing the worker.
struct Refills {
    static std::mutex lock;
    static std::condition_variable changed;
    static int count;
    static void observe(SOUNDSTREAM*)
    {
        {
            std::lock_guard<std::mutex> l(lock);
            ++count;
        }
        changed.notify_all();
    }
    static bool waitFor(int n)
    {
        std::unique_lock<std::mutex> l(lock);
        return changed.wait_for(l, std::chrono::seconds(10), [n] { return count >= n; });
    }
};
std::mutex Refills::lock;
std::condition_variable Refills::changed;
int Refills::count = 0;

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1)));
        Refills::count = 0;
        vtl::testing::audio::observeRefills(&Refills::observe);
    }
    void TearDown() override
    {
        vtl::testing::audio::reset();
        handle.FastFileFini();
        EXPECT_TRUE(SOUND::release());
    }

    bool open(const char* name, const Bytes& wave)
    {
        archive.add(name, wave);
        return archive.openIn(handle);
    }

    Bytes ring(const SOUNDSTREAM& s)
    {
        void *p1, *p2;
        DWORD n1, n2;
        EXPECT_EQ(s.buffer->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER), DS_OK);
        Bytes b(static_cast<unsigned char*>(p1), static_cast<unsigned char*>(p1) + n1);
        s.buffer->Unlock(p1, n1, p2, n2);
        return b;
    }

    std::vector<int16_t> pullLeft(uint32_t frames)
    {
        std::vector<int16_t> out = audio.pull(frames), l;
        for (size_t i = 0; i < out.size(); i += 2)
            l.push_back(out[i]);
        return l;
    }

    ManualAudio audio;
    TestArchive archive;
    VTLHND handle;
};

// Sixteen-bit mono samples that never repeat within the test's lengths.
std::vector<int16_t> numbered(size_t n, int from = 1)
{
    std::vector<int16_t> s(n);
    for (size_t i = 0; i < n; ++i)
        s[i] = int16_t((from + int(i)) % 30000 + 1);
    return s;
}

} // namespace

TEST_F(StreamTest, SegmentsHoldThreeQuartersOfASecondInWholeBlocks)
{
    struct {
        unsigned channels, rate, bits;
        DWORD segment;
    } cases[] = {{2, 22050, 16, 66152}, {1, 11025, 8, 8268}, {1, 11025, 16, 16538}, {2, 11025, 8, 16538}};
    int n = 0;
    for (auto c : cases) {
        std::string name = "S" + std::to_string(n++) + ".WAV";
        archive.add(name, waveFile(1, c.channels, c.rate, c.bits, Bytes(64, 0x11)));
    }
    ASSERT_TRUE(archive.openIn(handle));
    n = 0;
    for (auto c : cases) {
        std::string name = "S" + std::to_string(n++) + ".WAV";
        SOUNDSTREAM s{};
        ASSERT_TRUE(handle.create(&s, cstr(name.c_str())));
        EXPECT_EQ(s.segmentSize, c.segment) << name;
        EXPECT_EQ(s.bufferSize, 4 * c.segment) << name;
        EXPECT_EQ(s.dataSize, 64u);
        ASSERT_TRUE(handle.release(&s));
    }
    EXPECT_EQ(handle.streamList, nullptr);
    EXPECT_EQ(handle.lockCount, 0u); // released streams give back their entry
}

TEST_F(StreamTest, LoadFillsTheRingInOrderAndPadsTheEndWithSilence)
{
    // 11025 Hz 8-bit mono: 8268-byte segments; the data fills two and a half.
    Bytes data(8268 * 2 + 100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(i % 251);
    Bytes wide = samples16(numbered(50));
    archive.add("SHORT.WAV", waveFile(1, 1, 44100, 16, wide));
    ASSERT_TRUE(open("MUSIC.WAV", waveFile(1, 1, 11025, 8, data)));

    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("MUSIC.WAV")));
    EXPECT_EQ(handle.lockCount, 1u); // the stream reads its entry in place
    Bytes r = ring(s);
    ASSERT_EQ(r.size(), 4u * 8268);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), r.begin()));
    EXPECT_EQ(r[data.size()], 0x80); // 8-bit silence
    EXPECT_EQ(r[3 * 8268 - 1], 0x80);
    EXPECT_EQ(r[4 * 8268 - 1], 0x80); // past the end of a stream played once
    EXPECT_EQ(s.endReached, 1u);
    EXPECT_EQ(s.readPosition, 0u);
    EXPECT_EQ(s.writePosition, 0u);
    EXPECT_EQ(s.stopped, 0u);

    // Data shorter than one segment: all of it, then 16-bit silence.
    SOUNDSTREAM w{};
    ASSERT_TRUE(handle.create(&w, cstr("SHORT.WAV")));
    Bytes rw = ring(w);
    EXPECT_TRUE(std::equal(wide.begin(), wide.end(), rw.begin()));
    EXPECT_EQ(rw[wide.size()], 0);
    EXPECT_EQ(w.endReached, 1u);
    EXPECT_TRUE(handle.release(&w));
    EXPECT_TRUE(handle.release(&s));
    EXPECT_EQ(handle.lockCount, 0u);
}

TEST_F(StreamTest, TheWorkerRefillsSegmentsAsTheRingPlays)
{
    // 44100 Hz 16-bit mono: 33075-frame segments; six and a half of data.
    const uint32_t seg = 33075;
    std::vector<int16_t> samples = numbered(seg * 6 + seg / 2);
    ASSERT_TRUE(open("SONG.WAV", waveFile(1, 1, 44100, 16, samples16(samples))));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("SONG.WAV")));
    ASSERT_TRUE(s.play(false));

    // Each step passes one notification; the worker refills the segment the
    // cursor left before the cursor comes back to it.
    std::vector<int16_t> heard = pullLeft(seg + 1);
    ASSERT_TRUE(Refills::waitFor(1));
    for (int i = 2; i <= 8; ++i) {
        std::vector<int16_t> more = pullLeft(seg);
        heard.insert(heard.end(), more.begin(), more.end());
        ASSERT_TRUE(Refills::waitFor(i));
    }
    ASSERT_EQ(heard.size(), 8u * seg + 1);
    EXPECT_TRUE(std::equal(samples.begin(), samples.end(), heard.begin()));
    // After the end: silence, not the last piece again.
    EXPECT_TRUE(std::all_of(heard.begin() + samples.size(), heard.end(), [](int16_t v) { return v == 0; }));

    ASSERT_TRUE(s.stop());
    EXPECT_EQ(s.stopped, 1u);
    EXPECT_EQ(s.thread, nullptr);
    EXPECT_EQ(s.events[0], nullptr);
    EXPECT_EQ(s.events[1], nullptr);
    EXPECT_EQ(s.readPosition, 0u);
    EXPECT_TRUE(handle.release(&s));
}

TEST_F(StreamTest, LoopingStartsOverAndStopThenPlayGoesOn)
{
    // 8000 Hz 8-bit: 6000-byte segments; a sound of a segment and a half.
    Bytes data(9000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(1 + i % 200);
    ASSERT_TRUE(open("LOOP.WAV", waveFile(1, 1, 8000, 8, data)));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("LOOP.WAV")));
    // Loaded without looping: data, silence, then silence.
    ASSERT_TRUE(s.play(true));
    // The stream plays at 8000 Hz: one segment is 33075 output frames.
    audio.pull(33075 + 6);
    ASSERT_TRUE(Refills::waitFor(1));
    ASSERT_TRUE(s.stop());
    // With loop set the refill of segment 0 started the data again.
    Bytes r = ring(s);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 6000, r.begin()));
    EXPECT_EQ(s.writePosition, 6000u);
    EXPECT_EQ(s.readPosition, 0u); // stop: the next piece queued is the start

    // Playing again gives a new worker that refills from the start of the data.
    HANDLE firstEvents = s.events[0];
    ASSERT_TRUE(s.play(true));
    EXPECT_NE(s.thread, nullptr);
    EXPECT_NE(s.events[0], firstEvents);
    audio.pull(33075);
    ASSERT_TRUE(Refills::waitFor(2));
    ASSERT_TRUE(s.stop());
    r = ring(s);
    EXPECT_TRUE(std::equal(data.begin(), data.begin() + 6000, r.begin() + 6000));
    EXPECT_TRUE(handle.release(&s));
}

TEST_F(StreamTest, ASoundShorterThanTheRingPlayedOnceIsHeardOnce)
{
    // A tenth of a second at 44100 Hz, 16-bit mono: the whole sound is in
    // the ring before play, and the ring comes round every three seconds.
    const uint32_t seg = 33075;
    std::vector<int16_t> jingle = numbered(4410);
    ASSERT_TRUE(open("JINGLE.WAV", waveFile(1, 1, 44100, 16, samples16(jingle))));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("JINGLE.WAV")));
    ASSERT_TRUE(s.play(false));

    // Six segments: twice round the ring and more.
    std::vector<int16_t> heard = pullLeft(seg + 1);
    ASSERT_TRUE(Refills::waitFor(1));
    for (int i = 2; i <= 6; ++i) {
        std::vector<int16_t> more = pullLeft(seg);
        heard.insert(heard.end(), more.begin(), more.end());
        ASSERT_TRUE(Refills::waitFor(i));
    }
    EXPECT_TRUE(std::equal(jingle.begin(), jingle.end(), heard.begin()));
    EXPECT_EQ(std::count(heard.begin() + jingle.size(), heard.end(), 0), long(heard.size() - jingle.size()))
        << "one burst only";

    // Played again while it plays silence: the sound at once.
    ASSERT_TRUE(s.play(false));
    heard = pullLeft(seg + 1);
    EXPECT_TRUE(std::equal(jingle.begin(), jingle.end(), heard.begin()));
    EXPECT_TRUE(std::all_of(heard.begin() + jingle.size(), heard.end(), [](int16_t v) { return v == 0; }));
    ASSERT_TRUE(Refills::waitFor(7));

    // Stopped after its end and played again: the sound at once too, also
    // before the cursor has left the segment that held it.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(s.stop());
        ASSERT_TRUE(s.play(false));
        heard = pullLeft(jingle.size() + 10);
        EXPECT_TRUE(std::equal(jingle.begin(), jingle.end(), heard.begin())) << i;
    }
    // And played again without stop(), the moment the sound has ended.
    ASSERT_TRUE(s.play(false));
    heard = pullLeft(jingle.size() + 10);
    EXPECT_TRUE(std::equal(jingle.begin(), jingle.end(), heard.begin()));

    // Stopped before its end, it goes on with what is queued: the rest of
    // the sound, not the start.
    ASSERT_TRUE(s.stop());
    ASSERT_TRUE(s.play(false));
    pullLeft(1000);
    ASSERT_TRUE(s.stop());
    ASSERT_TRUE(s.play(false));
    heard = pullLeft(jingle.size());
    EXPECT_TRUE(std::equal(jingle.begin() + 1000, jingle.end(), heard.begin()));
    EXPECT_TRUE(handle.release(&s));
}

TEST_F(StreamTest, ALoopOfWholeSegmentsHasNoGap)
{
    // Exactly two segments of sound, looped: round the ring three times.
    const uint32_t seg = 33075;
    std::vector<int16_t> samples = numbered(2 * seg);
    const uint32_t half = seg / 2;
    std::vector<int16_t> shortSound = numbered(half, 7);
    archive.add("HALF.WAV", waveFile(1, 1, 44100, 16, samples16(shortSound)));
    ASSERT_TRUE(open("WHOLE.WAV", waveFile(1, 1, 44100, 16, samples16(samples))));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("WHOLE.WAV")));
    ASSERT_TRUE(s.play(true));
    std::vector<int16_t> heard = pullLeft(seg + 1);
    ASSERT_TRUE(Refills::waitFor(1));
    for (int i = 2; i <= 12; ++i) {
        std::vector<int16_t> more = pullLeft(seg);
        heard.insert(heard.end(), more.begin(), more.end());
        ASSERT_TRUE(Refills::waitFor(i));
    }
    size_t wrong = 0;
    for (size_t i = 0; i < heard.size(); ++i)
        wrong += heard[i] != samples[i % samples.size()];
    EXPECT_EQ(wrong, 0u);

    // A sound of half a segment, looped: each time round it is followed by
    // a gap shorter than one segment, from the first time on.
    ASSERT_TRUE(handle.release(&s));
    SOUNDSTREAM h{};
    ASSERT_TRUE(handle.create(&h, cstr("HALF.WAV")));
    ASSERT_TRUE(h.play(true));
    Refills::count = 0;
    heard = pullLeft(seg + 1);
    ASSERT_TRUE(Refills::waitFor(1));
    for (int i = 2; i <= 4; ++i) {
        std::vector<int16_t> more = pullLeft(seg);
        heard.insert(heard.end(), more.begin(), more.end());
        ASSERT_TRUE(Refills::waitFor(i));
    }
    for (uint32_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(std::equal(shortSound.begin(), shortSound.end(), heard.begin() + k * seg)) << "segment " << k;
        EXPECT_EQ(heard[k * seg + half], 0) << "segment " << k;
    }
    EXPECT_TRUE(handle.release(&h));
}

TEST_F(StreamTest, ReleaseStopsAPlayingStreamAndMessagesNameTheOperation)
{
    ASSERT_TRUE(open("TUNE.WAV", waveFile(1, 2, 22050, 16, Bytes(400))));
    SOUNDSTREAM s{};
    ASSERT_TRUE(handle.create(&s, cstr("TUNE.WAV")));
    ASSERT_TRUE(s.play(true));
    ASSERT_TRUE(s.setVol(-1000));
    ASSERT_TRUE(s.setPan(500));
    // Released while playing: stopped, worker ended, both interfaces let go.
    EXPECT_TRUE(handle.release(&s));
    EXPECT_EQ(s.buffer, nullptr);
    EXPECT_EQ(s.notify, nullptr);
    EXPECT_EQ(s.thread, nullptr);

    MessageCapture capture;
    EXPECT_FALSE(s.play(false));
    EXPECT_FALSE(s.stop());
    EXPECT_FALSE(s.setVol(0));
    EXPECT_FALSE(s.setPan(0));
    EXPECT_FALSE(s.stream());
    EXPECT_EQ(capture.text(), "DXSoundBuffer::play() - No buffer.\r\n"
                              "DXSoundBuffer::stop() - No buffer.\r\n"
                              "SOUNDSTREAM::setVol() - No buffer.\r\n"
                              "SOUNDSTREAM::setPan() - No buffer.\r\n"
                              "SOUNDSTREAM::memread() - No sound buffer.\r\n");
    capture.clear();
    SOUNDSTREAM lower{}, missing{};
    EXPECT_FALSE(handle.create(&lower, cstr("tune.wav")));
    EXPECT_FALSE(handle.create(&missing, cstr("NONE.WAV")));
    EXPECT_EQ(handle.streamList, nullptr);
}
